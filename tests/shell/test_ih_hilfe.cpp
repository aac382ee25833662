// The help window: finding a topic in the help file, and the shipped help file.
#include "shell/ih_hilfe.h"

#include "common/variablen.h"
#include "platform/runtime/runtime.h"
#include "support/testmain.h"

#include <QFileInfo>
#include <QPlainTextEdit>

using namespace zevo;
using shell::IH_Hilfe;

class TestIhHilfe : public QObject {
  Q_OBJECT

private slots:
  // A section: its key (exact case), the caption after any empty lines, then
  // the text up to "#ende#", across other keys.
  void sections() {
    for (const auto& [datei, caption, text] :
         {std::tuple{"K\r\n\r\nCap\r\na\r\n\r\nb\r\n#ende#\r\nnachher", "Cap", "a\r\n\r\nb\r\n"},
          {"k\r\nCap\r\na\r\n#ende#", "", ""}, {"K\r\nCapA\r\na\r\nB\r\nb\r\n#ende#", "CapA", "a\r\nB\r\nb\r\n"}}) {
      const shell::Hilfeabschnitt a = shell::hilfeabschnitt(QString(datei).split("\r\n"), "K");
      QCOMPARE(a.caption, QString(caption));
      QCOMPARE(a.text, QString(text));
    }
  }

  // The window reads a Windows-1252 file; a key with umlauts finds its section.
  void windowShowsTheTopic() {
    common::datenpfad = vb::programFolder();
    vb::writeLines(common::datenpfad + "HILFEZEVO.HLP",
                   {"IW_Völkerdaten", "Hilfe - Völkerdaten", "Die Völker mit Größe.", "#ende#"});
    common::hilfethema = "IW_Völkerdaten";
    QString caption, text;
    test::forms().onWindow<IH_Hilfe>("IH_Hilfe", [&](IH_Hilfe& h) {
      caption = h.windowTitle();
      text = h.t->toPlainText();
      h.ok_Click();
    });
    vb::showForm(std::make_unique<IH_Hilfe>());
    QCOMPARE(caption, QStringLiteral("Hilfe - Völkerdaten"));
    QCOMPARE(text, QStringLiteral("Die Völker mit Größe.\n"));
  }

  // Every key a window's help button or a menu item puts into hilfethema.
  void shippedHelpFileHasEveryTopic() {
    const QStringList themen = {
        "Hilfe_Startmenue", "Hilfe_Wiemacheich", "IV_Neues_Volk", "IE_Eingabe", "IV_Selektieren",
        "IO_Datensicherung", "IA_Textausgabe", "IA_Zwischenliste", "IO_Einstellungen", "IV_Starttermine",
        "IV_Arplanoptionen", "IV_Terminverwaltung", "IW_Arbeitsplan", "IW_Völkerdaten", "IW_Völker_Buchungen",
        "IW_Völker_Buchungen_Standard", "IW_Arbeitszeiten", "IW_Statistiken", "IW_Gruppierungen",
        "IV_Pflanzen_Standorte", "IV_Wetterdaten", "IW_Standorte", "IW_Wetterdaten", "IV_EinVerkauf_Lager",
        "IW_EinVerkauf", "IW_Honiglager", "IW_Deckungsbeitrag"};
    const QString datei = QFileInfo(QStringLiteral(__FILE__)).absoluteDir().filePath("../../data/HILFEZEVO.HLP");
    const QStringList inhalt = vb::readLines(datei);
    for (const QString& thema : themen) {
      const shell::Hilfeabschnitt a = shell::hilfeabschnitt(inhalt, thema);
      QVERIFY2(!a.caption.isEmpty() && a.text.size() > 100, qPrintable(thema));
    }
  }
};

ZEVO_TEST_MAIN(TestIhHilfe)
#include "test_ih_hilfe.moc"
