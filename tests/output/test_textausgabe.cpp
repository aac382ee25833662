// The text window: loading a report (missing file, the display limit), the
// print options and their settings, what both print paths send to the
// printer, and real print jobs into PDF files.

#include "common/einstellungen.h"
#include "output/ia_textausgabe.h"
#include "output/registry.h"
#include "platform/runtime/printer.h"
#include "platform/runtime/textfile.h"
#include "support/testmain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>

using namespace zevo;
using output::IA_Textausgabe;

namespace {

QString tool(const QString& program, const QStringList& args) {
  QProcess p;
  p.start(program, args);
  if (!p.waitForFinished(30000)) return QStringLiteral("(timeout)");
  return QString::fromUtf8(p.readAllStandardOutput());
}

int pdfSeiten(const QString& pdf) {
  const QString info = tool("pdfinfo", {pdf});
  const auto m = QRegularExpression("Pages:\\s+(\\d+)").match(info);
  return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QString pdfText(const QString& pdf) { return tool("pdftotext", {"-layout", pdf, "-"}); }

void schreiben(const QString& pfad, const QByteArray& inhalt) {
  QFile f(pfad);
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write(inhalt);
}

// A loaded window on a file with the given bytes.
std::unique_ptr<IA_Textausgabe> fenster(const QByteArray& inhalt) {
  common::listendatei = common::datenpfad + "LISTE.TXT";
  schreiben(common::listendatei, inhalt);
  auto w = std::make_unique<IA_Textausgabe>();
  w->Form_Load();
  return w;
}

}  // namespace

class TestTextausgabe : public QObject {
  Q_OBJECT
  QString pdf_;

private slots:
  void initTestCase() { output::registerOutputForms(); }

  void init() {
    test::resetScripts();
    common::datenpfad = QDir::currentPath() + "/";
    common::einstellungenleeren();
    pdf_ = QDir::currentPath() + "/druck.pdf";
    QFile::remove(pdf_);
    vb::printer().setPdfOutput(pdf_);
  }

  void missingFileShowsNoWindow() {
    common::listendatei = common::datenpfad + "fehlt/liste.txt";
    test::messages().expect("Die Datei " + common::listendatei.toUpper() + " existiert nicht");
    vb::showForm("IA_Textausgabe");
    QVERIFY(test::messages().allUsed());
    QVERIFY(test::forms().shown().isEmpty());
  }

  void shownThroughTheRegistry() {
    common::listendatei = common::datenpfad + "LISTE.TXT";
    schreiben(common::listendatei, "Zeile 1\r\nK\xe4se\r\n");
    common::übergabe = "Kartentext";
    QString inhalt, titel;
    test::forms().onWindow<IA_Textausgabe>("IA_Textausgabe", [&](IA_Textausgabe& w) {
      inhalt = w.t->toPlainText();
      titel = w.windowTitle();
      w.abbv_Click();
    });
    vb::showForm("IA_Textausgabe");
    QCOMPARE(inhalt, QString("Zeile 1\nKäse\n"));
    QCOMPARE(titel, "Listen-Ausgabe " + common::listendatei);
    QCOMPARE(common::übergabe, QString());
  }

  void displayLimit_data() {
    QTest::addColumn<QByteArray>("datei");
    QTest::addColumn<bool>("warnung");
    QTest::addColumn<QString>("letztezeile");
    // 320 lines of 98 characters fill exactly 32000 (line ends count two):
    // the lines after them are dropped, and that is said.
    QByteArray genau;
    for (int i = 0; i < 325; ++i) genau += QByteArray::number(i).rightJustified(98, '.') + "\r\n";
    QTest::newRow("genau 32000, dann weitere") << genau << true << QString("319").rightJustified(98, '.');
    QByteArray nurgenau;
    for (int i = 0; i < 320; ++i) nurgenau += QByteArray(98, 'x') + "\r\n";
    QTest::newRow("genau 32000, nichts weiter") << nurgenau << false << QString(98, 'x');
    // The line that crosses the limit still goes in whole.
    const QByteArray über = QByteArray(31990, 'a') + "\r\n" + QByteArray(20, 'b') + "\r\nc\r\n";
    QTest::newRow("Zeile über die Grenze") << über << true << QString(20, 'b');
    QTest::newRow("kurz") << QByteArray("a\r\nb") << false << QString("b");
  }

  void displayLimit() {
    QFETCH(QByteArray, datei);
    QFETCH(bool, warnung);
    QFETCH(QString, letztezeile);
    if (warnung) test::messages().expect("Der Text ist über 32 kB groß");
    auto w = fenster(datei);
    QVERIFY(test::messages().allUsed());
    QCOMPARE(test::messages().count(), warnung ? 1 : 0);
    QStringList zeilen = w->t->toPlainText().split('\n');
    QCOMPARE(zeilen.takeLast(), QString());   // every line ends with a line break
    QCOMPARE(zeilen.last(), letztezeile);
  }

  void storedOptionsAreLimited_data() {
    QTest::addColumn<int>("größe");
    QTest::addColumn<int>("rand");
    QTest::addColumn<int>("größegezeigt");
    QTest::addColumn<QString>("randgezeigt");
    QTest::newRow("40 -> 30") << 40 << 25 << 30 << "20";
    QTest::newRow("5 -> 10") << 5 << 20 << 10 << "20";
    QTest::newRow("0 -> 10") << 0 << 0 << 10 << "0";
    QTest::newRow("49 -> 10") << 49 << 3 << 10 << "3";
    QTest::newRow("12 bleibt") << 12 << 7 << 12 << "7";
  }

  void storedOptionsAreLimited() {
    QFETCH(int, größe);
    QFETCH(int, rand);
    QFETCH(int, größegezeigt);
    QFETCH(QString, randgezeigt);
    common::einstellungzahl[22] = größe;
    common::einstellungzahl[23] = rand;
    auto w = fenster("x\r\n");
    QCOMPARE(w->größe->text(), QString::number(größegezeigt));
    QCOMPARE(w->t->font().pointSize(), größegezeigt);
    QCOMPARE(w->tz->text(), randgezeigt);
  }

  void sizeButtonsStopAt4And30() {
    auto w = fenster("x\r\n");
    const struct {
      int von;
      QPushButton* knopf;
      int nach;
    } fälle[] = {{4, w->plus1[0], 4}, {5, w->plus5[0], 4}, {28, w->plus5[1], 30}, {30, w->plus1[1], 30},
                 {10, w->plus1[1], 11}, {10, w->plus5[0], 5}};
    for (const auto& f : fälle) {
      w->größe->setText(QString::number(f.von));
      f.knopf->click();
      QCOMPARE(w->größe->text(), QString::number(f.nach));
      QCOMPARE(w->t->font().pointSize(), f.nach);
    }
  }

  void marginBox() {
    auto w = fenster("x\r\n");
    w->tz->setText("");
    QTest::keyClicks(w->tz, "4a5");   // the letter is not taken
    QCOMPARE(w->tz->text(), QString("45"));
    w->tz_LostFocus();
    QCOMPARE(w->tz->text(), QString("30"));
    QCOMPARE(w->randtext(), QString(30, ' '));
    w->tz->setText("0");
    QCOMPARE(w->randtext(), QString());
  }

  void fontsAndCourier() {
    auto w = fenster("x\r\n");
    QVERIFY(w->kom->count() > 0);
    QVERIFY(w->kom->currentIndex() >= 0);
    QCOMPARE(w->t->font().family(), w->kom->currentText().trimmed());
    // Courier New itself, or the fixed-width font the system puts in its place.
    QVERIFY(QFontInfo(w->t->font()).fixedPitch());
    w->kon[1]->click();
    QVERIFY(w->t->font().italic());
    QVERIFY(!w->t->font().bold());
  }

  void closingStoresTheOptions() {
    common::einstellungzahl[18] = 0;
    common::einstellungzahl[19] = 0;
    common::einstellungzahl[22] = 12;
    common::einstellungzahl[23] = 2;
    {
      // The close box stores nothing but the orientation, which follows each click.
      auto w = fenster("x\r\n");
      QVERIFY(w->druckformat[0]->isChecked());
      w->druckformat[1]->click();
      w->kon[0]->click();
      w->plus1[1]->click();
      w->close();
      QVERIFY(w->isUnloaded());
    }
    QCOMPARE(common::einstellungzahl[18], 1);
    QCOMPARE(common::einstellungzahl[19], 0);
    QCOMPARE(common::einstellungzahl[22], 12);
    {
      auto w = fenster("x\r\n");
      QVERIFY(w->druckformat[1]->isChecked());
      w->kon[0]->click();
      w->plus5[1]->click();
      w->tz->setText("9");
      w->druckformat[0]->click();
      w->abbv->click();
      QVERIFY(w->isUnloaded());
    }
    QCOMPARE(common::einstellungzahl[18], 0);
    QCOMPARE(common::einstellungzahl[19], 1);
    QCOMPARE(common::einstellungzahl[20], 0);
    QCOMPARE(common::einstellungzahl[22], 17);
    QCOMPARE(common::einstellungzahl[23], 9);
  }

  void whatThePathsPrint() {
    using Seiten = QList<QStringList>;
    // The file path reads page breaks with blanks around the sign too.
    QCOMPARE(IA_Textausgabe::druckseiten({" a", " # ", "b"}, "   ", true),
             (Seiten{{"", "    a"}, {"   b"}}));
    QCOMPARE(IA_Textausgabe::druckseiten({" a", " # ", "b"}, "   ", false), (Seiten{{"", "    a", "    # ", "   b"}}));
    QCOMPARE(IA_Textausgabe::druckseiten({"#", "#"}, "", false), (Seiten{{""}, {}, {}}));
    QCOMPARE(IA_Textausgabe::druckseiten({}, "  ", true), (Seiten{{""}}));

    // The text path prints the box's text plus one line break, as edited.
    auto w = fenster("");
    QCOMPARE(w->textzeilen(), QStringList{""});   // an empty file: two lines printed
    w->t->setPlainText("neu\n#\nzwei\n");
    QCOMPARE(w->textzeilen(), (QStringList{"neu", "#", "zwei", ""}));
  }

  void printingTheTextWithAPageBreak() {
    // A stale copy from an earlier job must not be printed.
    schreiben(QDir::currentPath() + "/DRUCKAUF.TXT", "ALTER AUFTRAG\r\n");
    common::einstellungzahl[23] = 2;
    auto w = fenster("Seite eins\r\n#\r\nSeite zwei\r\n");
    w->t->setPlainText(w->t->toPlainText().replace("zwei", "ZWEI (bearbeitet)"));
    w->drucken_Click();
    QCOMPARE(test::messages().count(), 0);
    QCOMPARE(pdfSeiten(pdf_), 2);
    const QString text = pdfText(pdf_);
    QVERIFY2(text.contains("Seite eins") && text.contains("ZWEI (bearbeitet)"), qPrintable(text));
    QVERIFY(!text.contains("ALTER AUFTRAG"));
    QVERIFY(!QRegularExpression("^\\s*#\\s*$", QRegularExpression::MultilineOption).match(text).hasMatch());
  }

  void printingTheWholeFile() {
    // 120 lines on the first page run over onto further pages by themselves;
    // " # " breaks the page; a break at the very end gives no blank sheet.
    QByteArray datei;
    for (int i = 1; i <= 120; ++i) datei += "Zeile " + QByteArray::number(i) + "\r\n";
    datei += " # \r\nLetzte Seite\r\n#\r\n";
    common::einstellungzahl[18] = 1;   // landscape: fewer lines per page
    auto w = fenster(datei);
    w->dateidrucken_Click();
    QCOMPARE(test::messages().count(), 0);
    const int seiten = pdfSeiten(pdf_);
    QVERIFY2(seiten >= 3, qPrintable(QString::number(seiten)));
    const QString text = pdfText(pdf_);
    QVERIFY(text.contains("Zeile 120"));
    QStringList blätter = text.split('\f');
    if (blätter.last().trimmed().isEmpty()) blätter.removeLast();
    QCOMPARE(blätter.size(), seiten);
    QCOMPARE(blätter.last().trimmed(), QString("Letzte Seite"));
    const QString info = tool("pdfinfo", {pdf_});
    QVERIFY2(info.contains(QRegularExpression("Page size:\\s+842 x 595")), qPrintable(info));   // A4 landscape

    // The text path prints " # " as text.
    QFile::remove(pdf_);
    w->drucken_Click();
    QVERIFY(QRegularExpression("^\\s*#\\s*$", QRegularExpression::MultilineOption).match(pdfText(pdf_)).hasMatch());
  }

  void aJobThatCannotStartSaysSo() {
    vb::printer().setPdfOutput(QDir::currentPath() + "/fehlt/druck.pdf");
    auto w = fenster("a\r\n");
    test::messages().expect("Der Druck konnte nicht gestartet werden");
    w->drucken_Click();
    test::messages().expect("Der Druck konnte nicht gestartet werden");
    w->dateidrucken_Click();
    QVERIFY(test::messages().allUsed());
    QVERIFY(!vb::printer().jobActive());
    QVERIFY(!w->isUnloaded());
  }

  void cleanupTestCase() { vb::printer().setPdfOutput({}); }
};

ZEVO_TEST_MAIN(TestTextausgabe)
#include "test_textausgabe.moc"
