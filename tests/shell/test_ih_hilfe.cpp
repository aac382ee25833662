// The help window: finding a topic in the help file, and the shipped help file.
#include "shell/ih_hilfe.h"

#include "common/variablen.h"
#include "platform/runtime/runtime.h"
#include "support/testmain.h"

#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace zevo;
using shell::Hilfeabschnitt;
using shell::IH_Hilfe;

namespace {

QStringList zeilen(const QString& text) { return text.split("\r\n"); }

// Every key a window's help button or a menu item puts into hilfethema.
const QStringList themen = {
    "Hilfe_Startmenue",  "Hilfe_Wiemacheich",     "IV_Neues_Volk",    "IE_Eingabe",
    "IV_Selektieren",    "IO_Datensicherung",     "IA_Textausgabe",   "IA_Zwischenliste",
    "IO_Einstellungen",  "IV_Starttermine",       "IV_Arplanoptionen", "IV_Terminverwaltung",
    "IW_Arbeitsplan",    "IW_Völkerdaten",        "IW_Völker_Buchungen", "IW_Völker_Buchungen_Standard",
    "IW_Arbeitszeiten",  "IW_Statistiken",        "IW_Gruppierungen", "IV_Pflanzen_Standorte",
    "IV_Wetterdaten",    "IW_Standorte",          "IW_Wetterdaten",   "IV_EinVerkauf_Lager",
    "IW_EinVerkauf",     "IW_Honiglager",         "IW_Deckungsbeitrag"};

}  // namespace

class TestIhHilfe : public QObject {
  Q_OBJECT

private slots:
  void init() {
    test::resetScripts();
    common::datenpfad = vb::programFolder();
    QFile::remove(common::datenpfad + "HILFEZEVO.HLP");
  }

  void sections_data() {
    QTest::addColumn<QString>("datei");
    QTest::addColumn<QString>("thema");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("text");
    QTest::newRow("leerzeilen") << "X\r\n\r\nCap\r\na\r\n\r\nb\r\n#ende#\r\nnachher" << "X" << "Cap"
                                << "a\r\n\r\nb\r\n";
    QTest::newRow("blank") << "IW_Statistiken \r\nCap\r\na\r\n#ende#" << "IW_Statistiken" << "" << "";
    QTest::newRow("klein") << "iw_statistiken\r\nCap\r\na\r\n#ende#" << "IW_Statistiken" << "" << "";
    QTest::newRow("doppelt") << "K\r\nErste\r\na\r\n#ende#\r\nL\r\nx\r\n#ende#\r\nK\r\nZweite\r\nb\r\n#ende#"
                             << "K" << "Erste" << "a\r\nZweite\r\nb\r\n";
    QTest::newRow("ohne ende") << "A\r\nCapA\r\na\r\nB\r\nCapB\r\nb\r\n#ende#" << "A" << "CapA"
                               << "a\r\nB\r\nCapB\r\nb\r\n";
    QTest::newRow("umlaut") << "IW_Völkerdaten\r\nVölkerdaten\r\nÄ ö ß\r\n#ende#" << "IW_Völkerdaten"
                            << "Völkerdaten" << "Ä ö ß\r\n";
  }
  void sections() {
    QFETCH(QString, datei);
    QFETCH(QString, thema);
    const Hilfeabschnitt a = shell::hilfeabschnitt(zeilen(datei), thema);
    QTEST(a.caption, "caption");
    QTEST(a.text, "text");
  }

  // The window reads a Windows-1252 file; a key with umlauts finds its section.
  void windowShowsTheTopic() {
    vb::writeLines(common::datenpfad + "HILFEZEVO.HLP",
                   {"IW_Völkerdaten", "Hilfe - Völkerdaten", "Die Völker mit Größe.", "#ende#"});
    common::hilfethema = "IW_Völkerdaten";
    QString caption, text;
    test::forms().onWindow<IH_Hilfe>("IH_Hilfe", [&](IH_Hilfe& h) {
      caption = h.windowTitle();
      text = h.t->toPlainText();
      QVERIFY(h.t->isReadOnly());
      QCOMPARE(h.ok->text(), QStringLiteral("&Schließen"));
      h.ok_Click();
    });
    vb::showForm(std::make_unique<IH_Hilfe>());
    QCOMPARE(caption, QStringLiteral("Hilfe - Völkerdaten"));
    QCOMPARE(text, QStringLiteral("Die Völker mit Größe.\n"));
    QCOMPARE(vb::mousePointer(), int(vb::vbDefault));
  }

  void missingFileIsReportedAndNothingShows() {
    test::messages().expect("Die Hilfedatei " + common::datenpfad + "HILFEZEVO.HLP existiert nicht!");
    vb::showForm(std::make_unique<IH_Hilfe>());
    QVERIFY(test::messages().allUsed());
    QVERIFY(test::forms().shown().isEmpty());
  }

  void shippedHelpFileHasEveryTopic() {
    const QString datei = QFileInfo(QStringLiteral(__FILE__)).absoluteDir().filePath("../../data/HILFEZEVO.HLP");
    const QStringList inhalt = vb::readLines(datei);
    QCOMPARE(themen.size(), 27);
    for (const QString& thema : themen) {
      const Hilfeabschnitt a = shell::hilfeabschnitt(inhalt, thema);
      QVERIFY2(!a.caption.isEmpty() && a.text.size() > 100, qPrintable(thema));
    }
  }
};

ZEVO_TEST_MAIN(TestIhHilfe)
#include "test_ih_hilfe.moc"
