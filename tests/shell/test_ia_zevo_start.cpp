// The main window's start-up, activation, layout and shut-down.
#include "hauptfenster.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

using namespace zevo;
using shell::IA_ZEVO;

namespace {

QStringList einstellungszeilen() { return vb::readLines(common::datenpfad + "Einstellungen.ZE1"); }

void dateischreiben(const QString& pfad, const QByteArray& inhalt) {
  QFile f(pfad);
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write(inhalt);
}

}  // namespace

class TestIaZevoStart : public QObject {
  Q_OBJECT

private slots:
  void init() {
    test::hauptfenstergrundzustand();
    test::neuerProgrammordner();
  }

  void firstStartInAnEmptyFolder() {
    auto w = std::make_unique<IA_ZEVO>();
    QCOMPARE(IA_ZEVO::instance(), w.get());
    QCOMPARE(common::datali, w->datali);
    w->Form_Load();
    QCOMPARE(w->windowTitle(), QStringLiteral("ZEVO 1.0.28 - Die Software für Imker"));
    QCOMPARE(common::datenpfad, vb::programFolder());
    QVERIFY(common::datenpfad.endsWith('/') && !common::datenpfad.endsWith("//"));
    QCOMPARE(common::datenbankpfad, common::datenpfad + "ZEVO.MDB");
    QVERIFY(common::datenbank.tableNames().contains("Bienenvolk"));
    QCOMPARE(common::heute, QStringLiteral("15.06.2007"));
    // The first-run defaults are on disk; the year of the yearly run is this one.
    QCOMPARE(einstellungszeilen().size(), 173);
    QCOMPARE(common::einstellungzahl[28], 2007);
    QCOMPARE(common::einstellungzahl[46], 1);
    QCOMPARE(vb::Calculator::instance().vatRate1(), 16.0);
    QCOMPARE(vb::Calculator::instance().vatRate2(), 7.0);
    QCOMPARE(test::dienstaufrufe(), QStringList{"jahreslaufanbieten"});   // the last step of start-up
    QCOMPARE(common::völkerneulesen, 1);
    QCOMPARE(w->datali->cols(), 0);

    w->Form_Activate();
    QCOMPARE(w->datali->rows(), 0);
    QCOMPARE(w->datali->row(), 0);
    QCOMPARE(w->datali->cols(), 36);
    QCOMPARE(w->optiverkauft[0]->text(), QStringLiteral("Bestand (0 Völker)"));
    QCOMPARE(w->optiverkauft[1]->text(), QStringLiteral("Abgang (0 Völker)"));
    QCOMPARE(w->optiverkauft[2]->text(), QStringLiteral("Alles (0 Völker)"));
    QCOMPARE(common::völkerneulesen, 0);
    w->Form_Activate();   // the first-activation services run once
    QCOMPARE(test::dienstaufrufe(), (QStringList{"jahreslaufanbieten", "ersteaktivierungsdienste"}));
    QCOMPARE(test::messages().count(), 0);
  }

  void secondInstanceIsRefused() {
    vb::SingleInstance erste;
    QVERIFY(erste.tryLock());
    test::messages().expect("Die Anwendung wurde bereits gestartet!  Mit der Tastenkombination CTRL+ESC können "
                            "Sie alle aktiven Programme auflisten und auswählen.");
    IA_ZEVO w;
    QVERIFY_THROWS_EXCEPTION(vb::ProcessEnded, w.Form_Load());
    QVERIFY(!QFile::exists(vb::programFolder() + "ZEVO.MDB"));
    QVERIFY(!QFile::exists(vb::programFolder() + "Einstellungen.ZE1"));
    QVERIFY(test::messages().allUsed());
  }

  void aDatabaseWeCannotOpenStaysUntouched() {
    const QByteArray inhalt("Dies ist keine Datenbank.\r\n");
    dateischreiben(vb::programFolder() + "ZEVO.MDB", inhalt);
    test::messages().expect("kann nicht geöffnet werden");
    IA_ZEVO w;
    QVERIFY_THROWS_EXCEPTION(vb::ProcessEnded, w.Form_Load());
    QVERIFY(test::messages().last().contains("ZEVO wird jetzt beendet."));
    QFile f(vb::programFolder() + "ZEVO.MDB");
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), inhalt);
    QVERIFY(!QFile::exists(vb::programFolder() + "Einstellungen.ZE1"));
  }

  // Out-of-range VAT rates are repaired in memory only; entry 46 comes from the file.
  void settingsFromTheFile_data() {
    QTest::addColumn<int>("mwst1");
    QTest::addColumn<int>("mwst2");
    QTest::addColumn<int>("satz1");
    QTest::addColumn<int>("satz2");
    QTest::newRow("außerhalb") << 0 << 51 << 16 << 7;
    QTest::newRow("grenzen") << 1 << 50 << 1 << 50;
  }
  void settingsFromTheFile() {
    QFETCH(int, mwst1);
    QFETCH(int, mwst2);
    common::datenpfad = vb::programFolder();
    common::einstellungzahl[44] = mwst1;
    common::einstellungzahl[45] = mwst2;
    common::einstellungzahl[46] = 0;
    common::einstellungzahl[28] = 2007;
    QVERIFY(common::einstellungenschreiben());
    common::einstellungenleeren();
    IA_ZEVO w;
    w.Form_Load();
    QTEST(common::einstellungzahl[44], "satz1");
    QTEST(common::einstellungzahl[45], "satz2");
    QTEST(int(vb::Calculator::instance().vatRate1()), "satz1");
    QTEST(int(vb::Calculator::instance().vatRate2()), "satz2");
    QCOMPARE(common::einstellungzahl[46], 0);
    QCOMPARE(einstellungszeilen()[44].trimmed(), QString::number(mwst1));   // not yet written back
  }

  // Only the program folder is scanned, whatever the current directory.
  void readOnlyFilesOfTheProgramFolder() {
    const QString ordner = vb::programFolder();
    for (const char* name : {"a.txt", "b.ZE1"}) {
      dateischreiben(ordner + name, "x");
      QFile::setPermissions(ordner + name, QFile::ReadOwner | QFile::ReadUser);
    }
    QTemporaryDir anderswo;
    const QString fremd = anderswo.filePath("fremd.txt");
    dateischreiben(fremd, "x");
    QFile::setPermissions(fremd, QFile::ReadOwner | QFile::ReadUser);
    QDir::setCurrent(anderswo.path());
    test::messages().expect("ACHTUNG!!!\r\n\r\nIm Installationsverzeichnis von ZEVO befinden sich 2 Dateien, die mit "
                            "einem Schreibschutz versehen sind. Dadurch kann es bei ZEVO zu Funktionsstörungen "
                            "kommen. Der Schreibschutz wird deshalb entfernt?");
    IA_ZEVO w;
    w.Form_Load();
    QVERIFY(test::messages().allUsed());
    QCOMPARE(test::messages().shown().first().buttons, vb::OKOnly);
    QVERIFY(!vb::isReadOnly(ordner + "a.txt") && !vb::isReadOnly(ordner + "b.ZE1"));
    QVERIFY(vb::isReadOnly(fremd));
  }

  void noPrinterIsReported() {
    vb::printer().setPdfOutput({});
    if (vb::printer().installed()) QSKIP("this machine has a printer");
    test::messages().expect("Es ist kein Drucker installiert bzw. eingerichtet.");
    IA_ZEVO w;
    w.Form_Load();   // start-up goes on
    QVERIFY(test::messages().allUsed());
    QVERIFY(common::datenbank.isOpen());
  }

  void layoutInTwips() {
    IA_ZEVO w;
    w.Form_Load();
    const int breite = vb::screenWidthTwips();
    QCOMPARE(w.Top(), 0);
    QCOMPARE(w.Left(), 0);
    QCOMPARE(w.Height(), vb::screenHeightTwips() - 600);
    QCOMPARE(w.Width(), breite);
    QCOMPARE(w.datalimaße().height, w.Height() - 1800);
    QCOMPARE(w.text1maße().height, w.datalimaße().height);
    QCOMPARE(w.datalimaße().width, 2 * breite / 3 - 100);
    QCOMPARE(w.text1maße().width, breite / 3 - 300);
    QCOMPARE(w.text1maße().left, w.datalimaße().width + 200);
    QCOMPARE(w.linksrechtsbild(), 72);

    w.linksrechts_Click();
    QCOMPARE(common::einstellungzahl[58], 1);
    QCOMPARE(w.linksrechtsbild(), 73);
    QCOMPARE(w.datalimaße().width, breite / 3 - 100);
    QCOMPARE(w.text1maße().width, 2 * breite / 3 - 300);
    QCOMPARE(w.text1maße().left, w.datalimaße().width + 200);
    w.linksrechts_Click();
    QCOMPARE(common::einstellungzahl[58], 0);
    QCOMPARE(w.datalimaße().width, 2 * breite / 3 - 100);
    QCOMPARE(w.linksrechtsbild(), 72);

    common::einstellungzahl[58] = 5;   // any other value than 0 counts as the wide text box
    w.fensteraufteilen();
    QCOMPARE(w.linksrechtsbild(), 73);
    w.linksrechts_Click();
    QCOMPARE(common::einstellungzahl[58], 0);

    // Only a height above 4000 twips changes the heights; widths stay.
    const shell::Maße vorher = w.datalimaße();
    w.setHeight(4000);
    QCOMPARE(w.datalimaße().height, vorher.height);
    w.setHeight(4001);
    QCOMPARE(w.datalimaße().height, 2201);
    QCOMPARE(w.text1maße().height, 2201);
    w.setWidth(breite / 2);
    QCOMPARE(w.datalimaße().width, vorher.width);
  }

  void lockKeepsFilterCheckBoxAndText() {
    IA_ZEVO w;
    w.bedienungfreigeben(0);
    for (QWidget* c : std::initializer_list<QWidget*>{w.mleiste, w.cmdok, w.abwaerts[0], w.abwaerts[1],
                                                      w.comdrucken, w.datali, w.linksrechts})
      QVERIFY2(!c->isEnabled(), qPrintable(c->objectName()));
    for (const char* menü : {"XV_Bienenvolk", "XE_Eingabe", "A_Auswertungen", "V_Verwaltung", "O_Optionen", "H_Hilfe"})
      QVERIFY(!w.menüpunkt(menü)->isEnabled());
    for (QWidget* c : std::initializer_list<QWidget*>{w.kon, w.optiverkauft[0], w.optiverkauft[2], w.Text1})
      QVERIFY2(c->isEnabled(), qPrintable(c->objectName()));
    w.bedienungfreigeben(1);
    QVERIFY(w.mleiste->isEnabled() && w.datali->isEnabled() && w.menüpunkt("H_Hilfe")->isEnabled());
  }

  void shutDownRemovesReportPagesAndWritesSettings() {
    auto w = test::gestartet();
    const QString ordner = common::datenpfad;
    for (const char* name : {"report.htm", "report-1.htm", "report-ab.htm", "REPORT-2.HTM"})
      dateischreiben(ordner + name, "<html></html>");
    w->datali->column(2).setWidth(2345);
    // The reminder runs before the settings are written: what it stores reaches the file.
    IA_ZEVO::dienste().sicherungserinnerung = [] {
      test::dienstaufrufe() << "sicherungserinnerung";
      common::letztesicherung() = "15.06.2007";
    };
    QVERIFY(w->close());
    QVERIFY(QFile::exists(ordner + "report.htm"));
    QCOMPARE(vb::fileList(ordner, "report*.htm"), QStringList{"report.htm"});
    QCOMPARE(einstellungszeilen()[113 + 26 - 1], QStringLiteral("15.06.2007"));
    QSettings breiten(QSettings::IniFormat, QSettings::UserScope, "ZEVO", "zevo");
    QCOMPARE(breiten.value("datali/ColWidths").toString().split(';').value(1), QStringLiteral("2345"));
    w->Form_Activate();   // nothing of the shut-down runs twice
    bool cancel = true;
    w->Form_QueryUnload(cancel, vb::vbFormControlMenu);
    QVERIFY(!cancel);
    QCOMPARE(test::dienstaufrufe().count("sicherungserinnerung"), 1);
  }

  void beendenRunsTheShutDownOnceAndEnds() {
    auto w = test::gestartet();
    QVERIFY_THROWS_EXCEPTION(vb::ProcessEnded, w->XV_beenden_Click());
    QVERIFY(w->heruntergefahren());
    w->close();
    QCOMPARE(test::dienstaufrufe().count("sicherungserinnerung"), 1);
    QCOMPARE(einstellungszeilen().size(), 173);
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
