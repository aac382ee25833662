// The start-up prompts: the yearly date run, the first-steps guide and the
// open dates at the first activation, and the backup reminder at shut-down.
#include "components/sevgrid.h"
#include "shell/ih_hilfe_wieanfangen.h"
#include "shell/startdialoge.h"
#include "support/datenbank.h"

#include <QPushButton>

using namespace zevo;

namespace {

// Stands in for the windows of later parts.
class Platzhalter : public vb::Form {
public:
  using vb::Form::Form;
};

void schließen(vb::Form* f) { f->unload(); }

}  // namespace

class StartdialogeTest : public QObject {
  Q_OBJECT
  ui::sevGrid grid_;

  void termin(const char* tag, const char* erledigt) {
    test::einfügen("Termine",
                   {{"Datum", test::datum(tag)}, {"Termin", "Füttern"}, {"Erledigt", erledigt}, {"Volk", 0}});
  }

  // The windows the first activation shows.
  QStringList ersteaktivierung() {
    common::ersteaktivierung = 0;
    test::forms().reset();
    test::forms().on("IH_Hilfe_Wieanfangen", schließen);
    test::forms().on("IV_Starttermine", schließen);
    shell::ersteaktivierungsdienste();
    return test::forms().shown();
  }

private slots:
  void initTestCase() {
    vb::registerForm("IV_Starttermine", [] { return std::make_unique<Platzhalter>("IV_Starttermine"); });
    grid_.addcolumn("Volknr", "Volknr");
    test::datenbankbereitstellen();
    common::datali = &grid_;
  }

  void init() {
    test::datenbankgrundzustand(QDate(2026, 12, 5));
    common::ersteinstellungen();
    grid_.clear(false);
  }

  // The guide: a step whose window is not there is greyed, a step whose
  // window is opens it, and Return anywhere closes the guide through its
  // default button "Schließen".
  void guideStepsAndReturn() {
    vb::registerForm("IV_Neues_Volk", [] { return std::make_unique<Platzhalter>("IV_Neues_Volk"); });
    shell::IH_Hilfe_Wieanfangen w;
    QVERIFY(test::showActive(w));
    QCOMPARE(QList<bool>({w.schritt[0]->isEnabled(), w.schritt[1]->isEnabled(), w.schritt[2]->isEnabled()}),
             QList<bool>({false, false, true}));
    test::forms().on("IV_Neues_Volk", schließen);
    QTest::mouseClick(w.schritt[2], Qt::LeftButton);
    QCOMPARE(test::forms().shown(), QStringList{"IV_Neues_Volk"});
    QCOMPARE(common::volkmodus, QString("Neu"));
    w.setFocus();
    QTest::keyClick(&w, Qt::Key_Return);
    QVERIFY(w.isUnloaded());
  }

  void yearlyRunWhenTheYearChanged() {
    shell::jahreslaufanbieten();   // first start: the current year is stored
    QCOMPARE(test::messages().count(), 0);
    common::jahreslaufjahr() = 2025;
    test::messages().expectNo("im neuen Jahr");
    shell::jahreslaufanbieten();
    QVERIFY(test::messages().allUsed());
    QCOMPARE(common::jahreslaufjahr(), 2025);   // asked again at the next start
  }

  // First start in an empty folder: the guide once, and no open dates.
  void firstActivationShowsTheGuideOnce() {
    QCOMPARE(ersteaktivierung(), QStringList{"IH_Hilfe_Wieanfangen"});
    shell::ersteaktivierungsdienste();   // a later activation
    QCOMPARE(test::forms().shown(), QStringList{"IH_Hilfe_Wieanfangen"});
    grid_.additem("1\t");   // a colony in the grid: no guide
    QCOMPARE(ersteaktivierung(), QStringList());
  }

  // Open dates up to today + terminvorlauf days, the last day included.
  // A step whose window this version lacks is greyed; "Schließen" answers Return.
  void guideGreysStepsWithoutAWindow() {
    vb::registerForm("IV_Neues_Volk", [] { return std::make_unique<Platzhalter>("IV_Neues_Volk"); });
    shell::IH_Hilfe_Wieanfangen w;
    QCOMPARE(QList<bool>({w.schritt[0]->isEnabled(), w.schritt[1]->isEnabled(), w.schritt[2]->isEnabled()}),
             QList<bool>({false, false, true}));
    QVERIFY(w.ok->isDefault());
    test::forms().on("IV_Neues_Volk", schließen);
    w.schritt[2]->click();
    QCOMPARE(test::forms().shown(), QStringList{"IV_Neues_Volk"});
    QCOMPARE(common::volkmodus, QString("Neu"));
  }

  void openDatesAtTheFirstActivation() {
    grid_.additem("1\t");
    common::terminvorlauf() = 14;
    termin("20.12.2026", "N");
    termin("19.12.2026", "J");
    QCOMPARE(ersteaktivierung(), QStringList());
    termin("19.12.2026", "N");
    QCOMPARE(ersteaktivierung(), QStringList{"IV_Starttermine"});
    common::terminlistebeimstart() = 0;
    QCOMPARE(ersteaktivierung(), QStringList());
  }

  // The reminder asks from exactly sicherungstage days on; never backed up
  // starts counting today.
  void backupReminder() {
    test::forms().on("IO_Datensicherung", schließen);
    for (const auto& [letzte, frage] : {std::pair{"21.11.2026", true}, {"22.11.2026", false}, {"", false}}) {
      common::letztesicherung() = letzte;
      if (frage) test::messages().expectYes(QString("Sie haben seit dem ") + letzte + " keine Datensicherung mehr");
      shell::sicherungserinnerung();
      QVERIFY(test::messages().allUsed());
      QCOMPARE(common::letztesicherung(), *letzte ? QString(letzte) : QStringLiteral("05.12.2026"));
    }
    QCOMPARE(test::messages().count(), 1);   // only the first asks, and opens the backup window
    QCOMPARE(test::forms().shown(), QStringList{"IO_Datensicherung"});
  }
};

ZEVO_TEST_MAIN(StartdialogeTest)
#include "test_startdialoge.moc"
