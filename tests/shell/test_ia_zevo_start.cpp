// The main window's start-up, activation, layout and shut-down.
#include "support/benutzerrechte.h"
#include "support/hauptfenster.h"

#include <QFile>
#include <QSettings>

using namespace zevo;
using shell::IA_ZEVO;

namespace {

QStringList einstellungszeilen() { return vb::readLines(common::datenpfad + "Einstellungen.ZE1"); }

}  // namespace

class TestIaZevoStart : public QObject {
  Q_OBJECT

private slots:
  void init() {
    test::hauptfenstergrundzustand();
    test::neuerProgrammordner();
  }

  void firstStartInAnEmptyFolder() {
    IA_ZEVO w;
    w.Form_Load();
    QVERIFY(QFile::exists(vb::programFolder() + "ZEVO.MDB"));
    // The first-run defaults are on disk; the year of the yearly run is this one.
    QCOMPARE(einstellungszeilen().size(), 173);
    QCOMPARE(common::jahreslaufjahr(), 2007);
    QCOMPARE(test::dienstaufrufe(), QStringList{"jahreslaufanbieten"});   // the last step of start-up

    w.Form_Activate();
    QCOMPARE(w.datali->cols(), 36);
    QCOMPARE(w.optiverkauft[2]->text(), QStringLiteral("Alles (0 Völker)"));
    w.Form_Activate();   // the first-activation services run once
    QCOMPARE(test::dienstaufrufe(), (QStringList{"jahreslaufanbieten", "ersteaktivierungsdienste"}));
    QCOMPARE(test::messages().count(), 0);
  }

  // VAT rates outside 1..50 are repaired after the settings file is read.
  void vatRatesAreRepaired() {
    for (const auto& [satz1, satz2, soll1, soll2] : {std::tuple{0, 51, 16, 7}, {1, 50, 1, 50}}) {
      common::datenpfad = test::neuerProgrammordner();
      common::einstellungenleeren();
      common::ersteinstellungen();
      common::mwstsatz1() = satz1;
      common::mwstsatz2() = satz2;
      QVERIFY(common::einstellungenschreiben());
      IA_ZEVO w;
      w.Form_Load();
      QCOMPARE(vb::Calculator::instance().vatRate1(), double(soll1));
      QCOMPARE(vb::Calculator::instance().vatRate2(), double(soll2));
    }
  }

  void secondInstanceIsRefused() {
    vb::SingleInstance erste;
    QVERIFY(erste.tryLock());
    test::messages().expect("Die Anwendung wurde bereits gestartet!");
    IA_ZEVO w;
    QVERIFY_THROWS_EXCEPTION(vb::ProcessEnded, w.Form_Load());
    QVERIFY(test::messages().allUsed());
    QVERIFY(!QFile::exists(vb::programFolder() + "ZEVO.MDB"));
  }

  void aDatabaseWeCannotOpenStaysUntouched() {
    vb::writeLines(vb::programFolder() + "ZEVO.MDB", {"Dies ist keine Datenbank."});
    test::messages().expect("kann nicht geöffnet werden");
    IA_ZEVO w;
    QVERIFY_THROWS_EXCEPTION(vb::ProcessEnded, w.Form_Load());
    const QString meldung = test::messages().last();
    QVERIFY(meldung.contains("keine ZEVO-Datenbank") && meldung.contains("ZEVO wird jetzt beendet."));
    QCOMPARE(meldung.count("verändert"), 1);   // said once
    QCOMPARE(vb::readLines(vb::programFolder() + "ZEVO.MDB"), QStringList{"Dies ist keine Datenbank."});
    QVERIFY(!QFile::exists(vb::programFolder() + "Einstellungen.ZE1"));
  }

  // Only the program folder is scanned, whatever the current directory.
  void readOnlyFilesOfTheProgramFolder() {
    const QString eigene = vb::programFolder() + "a.txt";
    QTemporaryDir anderswo;
    const QString fremd = anderswo.filePath("fremd.txt");
    for (const QString& pfad : {eigene, fremd}) {
      vb::writeLines(pfad, {"x"});
      QFile::setPermissions(pfad, QFile::ReadOwner | QFile::ReadUser);
    }
    QDir::setCurrent(anderswo.path());
    test::messages().expect("Im Installationsverzeichnis von ZEVO befinden sich 1 Dateien");
    IA_ZEVO w;
    w.Form_Load();
    QVERIFY(test::messages().allUsed());
    QVERIFY(!vb::isReadOnly(eigene));
    QVERIFY(vb::isReadOnly(fremd));
  }

  // A write-protected ZEVO.MDB: once the notice has lifted the protection,
  // the session's saves reach the file.
  void aWriteProtectedDatabaseTakesTheSessionsSaves() {
    {
      IA_ZEVO erste;
      erste.Form_Load();
    }
    common::datenbank.close();
    const QString pfad = vb::programFolder() + "ZEVO.MDB";
    QFile::setPermissions(pfad, QFile::ReadOwner | QFile::ReadUser | QFile::ReadGroup | QFile::ReadOther);
    test::Benutzerrechte rechte;
    QVERIFY2(!QFile(pfad).open(QIODevice::ReadWrite), "Der Schreibschutz muss gelten");

    test::messages().expect("Der Schreibschutz wird deshalb entfernt?");
    IA_ZEVO w;
    w.Form_Load();
    QVERIFY(test::messages().allUsed());
    test::volkanlegen("7", "X");
    w.Form_Activate();
    QCOMPARE(w.datali->rows(), 1);
    QCOMPARE(w.datali->cell(1, "Volknr"), QString("7"));
  }

  void layoutToggleAndResize() {
    IA_ZEVO w;
    w.Form_Load();
    const int breite = vb::screenWidthTwips();
    QCOMPARE(w.text1maße().width, breite / 3 - 300);
    w.linksrechts_Click();
    QCOMPARE(common::fensteraufteilung(), 1);
    QCOMPARE(w.linksrechtsbild(), 73);
    QCOMPARE(w.text1maße().left, breite / 3 + 100);
    common::fensteraufteilung() = 5;   // any value but 0 is the wide text box: the toggle gives 0
    w.linksrechts_Click();
    QCOMPARE(w.datalimaße().width, 2 * breite / 3 - 100);
    // Only a height above 4000 twips changes the heights.
    const int höhe = w.datalimaße().height;
    w.setHeight(4000);
    QCOMPARE(w.datalimaße().height, höhe);
    w.setHeight(4001);
    QCOMPARE(w.text1maße().height, 2201);
  }

  void shutDownRemovesReportPagesAndWritesSettings() {
    auto w = test::gestartet();
    const QString ordner = common::datenpfad;
    for (const char* name : {"report.htm", "report-1.htm", "report-ab.htm"})
      vb::writeLines(ordner + name, {"<html></html>"});
    // A page that cannot be deleted (a dangling link) keeps nothing else from happening.
    QVERIFY(QFile::link(ordner + "weg.htm", ordner + "report-2.htm"));
    w->datali->column(2).setWidth(2345);
    // The reminder runs before the settings are written: what it stores reaches the file.
    IA_ZEVO::dienste().sicherungserinnerung = [] {
      test::dienstaufrufe() << "sicherungserinnerung";
      common::letztesicherung() = "15.06.2007";
    };
    QVERIFY_THROWS_EXCEPTION(vb::ProcessEnded, w->XV_beenden_Click());
    QCOMPARE(vb::fileList(ordner, "report*.htm"), (QStringList{"report-2.htm", "report.htm"}));
    QCOMPARE(einstellungszeilen()[113 + 26 - 1], QStringLiteral("15.06.2007"));
    QSettings breiten(QSettings::IniFormat, QSettings::UserScope, "ZEVO", "zevo");
    QCOMPARE(breiten.value("datali/ColWidths").toString().split(';').value(1), QStringLiteral("2345"));
    w->close();   // nothing of the shut-down runs twice
    QCOMPARE(test::dienstaufrufe().count("sicherungserinnerung"), 1);
  }

  // A settings file that cannot be replaced: a German message, and closing goes on.
  void aFailedSettingsWriteStillCloses() {
    auto w = test::gestartet();
    QFile::remove(common::datenpfad + "Einstellungen.ZE1");
    QVERIFY(QDir().mkdir(common::datenpfad + "Einstellungen.ZE1"));
    test::messages().expect("Die Einstellungen konnten nicht gespeichert werden.");
    QVERIFY(w->close());
    QVERIFY(test::messages().allUsed());
    QVERIFY(w->heruntergefahren());
  }
};

ZEVO_TEST_MAIN(TestIaZevoStart)
#include "test_ia_zevo_start.moc"
