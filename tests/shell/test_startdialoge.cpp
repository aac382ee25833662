// The start-up prompts: the yearly date run, the first-steps guide and the
// open dates at the first activation, the backup reminder at shut-down, and
// the guide's step buttons.

#include "common/einstellungen.h"
#include "components/sevgrid.h"
#include "platform/dao/dao.h"
#include "platform/runtime/files.h"
#include "platform/runtime/mousepointer.h"
#include "shell/ih_hilfe_wieanfangen.h"
#include "shell/schema.h"
#include "shell/startdialoge.h"
#include "support/testmain.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>

using namespace zevo;

namespace {

// Stands in for the windows of later parts.
class Platzhalter : public vb::Form {
public:
  explicit Platzhalter(const QString& name) : vb::Form(name) {}
};

void platzhalter(const QString& name) {
  vb::registerForm(name, [name] { return std::make_unique<Platzhalter>(name); });
}

void schließen(vb::Form* f) { f->unload(); }

}  // namespace

class StartdialogeTest : public QObject {
  Q_OBJECT
  ui::sevGrid grid_;

  void termin(const QString& datum, const char* erledigt) {
    const QDate d = QDate::fromString(datum, "dd.MM.yyyy");
    common::datenbank.execute("insert into Termine(Datum, Termin, Erledigt, Volk) values (#" +
                              d.toString("MM/dd/yyyy") + "#, 'Füttern', '" + erledigt + "', 0)");
  }

  void offenetermineprüfen(bool gezeigt) {
    common::ersteaktivierung = 0;
    test::resetScripts();
    test::forms().on("IH_Hilfe_Wieanfangen", schließen);
    test::forms().on("IV_Starttermine", schließen);
    shell::ersteaktivierungsdienste();
    QCOMPARE(test::forms().shown().contains("IV_Starttermine"), gezeigt);
  }

private slots:
  void initTestCase() {
    platzhalter("IV_Starttermine");
    platzhalter("IV_Pflanzen_Standorte");
    platzhalter("IV_Neues_Volk");
    grid_.addcolumn("Volknr", "Volknr");
  }

  void init() {
    test::resetScripts();
    test::setToday(QDate(2026, 12, 5));
    common::heutesetzen();
    common::datenpfad = vb::programFolder();
    common::datenbankpfad = common::datenpfad + "ZEVO.MDB";
    dao::DBEngine::workspaces().close();
    QFile::remove(common::datenbankpfad);
    common::arbeitsbereich = &dao::DBEngine::workspaces();
    common::datenbank = shell::datenbankanlegen(dao::DBEngine::workspaces(), common::datenbankpfad);
    common::einstellungenleeren();
    common::ersteinstellungen();
    common::ersteaktivierung = 0;
    grid_.clear(false);
    common::datali = &grid_;
  }

  void cleanup() {
    common::datali = nullptr;
    dao::DBEngine::workspaces().close();
  }

  void yearlyRunWhenTheYearChanged() {
    QVERIFY(!shell::jahreslauffällig());   // first start: the current year is stored
    shell::jahreslaufanbieten();
    QCOMPARE(test::messages().count(), 0);

    common::einstellungzahl[28] = 2025;
    QVERIFY(shell::jahreslauffällig());
    test::messages().expectNo("im neuen Jahr");
    shell::jahreslaufanbieten();
    QVERIFY(test::messages().allUsed());
    QCOMPARE(common::einstellungzahl[28], 2025);   // asked again at the next start
  }

  // First start in an empty folder: the guide, and no open dates.
  void firstActivationShowsTheGuideOnce() {
    test::forms().on("IH_Hilfe_Wieanfangen", schließen);
    test::forms().on("IV_Starttermine", schließen);
    shell::ersteaktivierungsdienste();
    QCOMPARE(common::ersteaktivierung, 1);
    QCOMPARE(test::forms().shown(), QStringList{"IH_Hilfe_Wieanfangen"});
    shell::ersteaktivierungsdienste();   // a later activation
    QCOMPARE(test::forms().shown(), QStringList{"IH_Hilfe_Wieanfangen"});

    // A colony in the grid: no guide.
    grid_.additem("1\t");
    common::ersteaktivierung = 0;
    test::resetScripts();
    shell::ersteaktivierungsdienste();
    QCOMPARE(test::forms().shown(), QStringList());
  }

  // Open dates up to today + terminvorlauf days, the last day included.
  void openDatesAtTheFirstActivation() {
    common::terminvorlauf() = 14;
    termin("20.12.2026", "N");
    termin("01.12.2026", "J");
    offenetermineprüfen(false);
    termin("19.12.2026", "J");
    offenetermineprüfen(false);
    termin("19.12.2026", "N");
    offenetermineprüfen(true);
    common::terminlistebeimstart() = 0;
    offenetermineprüfen(false);
    common::terminlistebeimstart() = 1;
    // An overdue open date counts too.
    common::datenbank.execute("delete from Termine");
    termin("01.01.2020", "N");
    offenetermineprüfen(true);
  }

  void backupReminder_data() {
    QTest::addColumn<QString>("letzte");
    QTest::addColumn<bool>("frage");
    QTest::newRow("genau 14 Tage") << "21.11.2026" << true;
    QTest::newRow("13 Tage") << "22.11.2026" << false;
    QTest::newRow("lange her") << "1.1.2020" << true;
    QTest::newRow("in der Zukunft") << "24.12.2026" << false;
  }
  void backupReminder() {
    QFETCH(QString, letzte);
    QFETCH(bool, frage);
    common::letztesicherung() = letzte;
    if (frage) test::messages().expectNo("Sie haben seit dem " + letzte + " keine Datensicherung mehr gemacht.");
    shell::sicherungserinnerung();
    QVERIFY(test::messages().allUsed());
    QCOMPARE(test::messages().count(), frage ? 1 : 0);
    QCOMPARE(common::letztesicherung(), letzte);
  }

  void backupReminderOpensTheBackupWindow() {
    common::letztesicherung() = "01.10.2026";
    test::messages().expectYes("Soll jetzt eine Datensicherung gemacht werden?");
    test::forms().on("IO_Datensicherung", schließen);
    shell::sicherungserinnerung();
    QCOMPARE(test::forms().shown(), QStringList{"IO_Datensicherung"});
  }

  void neverBackedUpStartsCountingToday() {
    for (const QString& keines : {QString(), QStringLiteral("nie")}) {
      common::letztesicherung() = keines;
      shell::sicherungserinnerung();
      QCOMPARE(test::messages().count(), 0);
      QCOMPARE(common::letztesicherung(), QStringLiteral("05.12.2026"));
    }
  }

  void guideWindowAndSteps() {
    shell::IH_Hilfe_Wieanfangen w;
    QCOMPARE(w.windowTitle(), QStringLiteral("Die ersten Schritte in ZEVO"));
    QCOMPARE(w.schritt[2]->text(), QStringLiteral("Schritt 3"));
    QVERIFY(w.Label1[3]->text().contains("geöhren auch die Wander-Standorte"));
    QCOMPARE(w.Label1[7]->text(), QStringLiteral("Die Bienenvölker eintragen"));
    QVERIFY(w.Label1[6]->text().contains("Bestand haben.  TIPP:"));

    test::forms().on("IV_Pflanzen_Standorte", [](vb::Form* f) {
      QCOMPARE(common::übergabe, QStringLiteral("0"));
      f->unload();
    });
    test::forms().on("IV_Neues_Volk", [](vb::Form* f) {
      QCOMPARE(common::volkmodus, QStringLiteral("Neu"));
      f->unload();
    });
    common::übergabe.clear();
    common::volkmodus = "Ändern";
    w.schritt_Click(0);
    w.schritt_Click(1);   // the work-plan options are not there yet: nothing opens
    QCOMPARE(vb::mousePointer(), int(vb::vbDefault));
    w.schritt_Click(2);
    QCOMPARE(test::forms().shown(), (QStringList{"IV_Pflanzen_Standorte", "IV_Neues_Volk"}));
    QVERIFY(!w.isUnloaded());   // the guide stays open behind the steps
    w.ok_Click();
    QVERIFY(w.isUnloaded());
  }
};

ZEVO_TEST_MAIN(StartdialogeTest)
#include "test_startdialoge.moc"
