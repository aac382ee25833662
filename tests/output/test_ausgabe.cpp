// The text window (the display limit, its options, real print jobs into PDF
// files) and the list window (the text table with its separator rows, the
// spreadsheet read back from the written workbook, the HTML pages), with the
// failures that must leave a message and the window open.

#include "common/einstellungen.h"
#include "components/sevgrid.h"
#include "output/ia_textausgabe.h"
#include "output/ia_zwischenliste.h"
#include "output/listenexport.h"
#include "output/registry.h"
#include "platform/runtime/printer.h"
#include "platform/runtime/textfile.h"
#include "support/testmain.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QAbstractTextDocumentLayout>
#include <QPrinterInfo>
#include <QProcess>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <zip.h>

using namespace zevo;
using output::IA_Textausgabe;
using output::IA_Zwischenliste;

namespace {

QString tool(const QString& program, const QStringList& args) {
  QProcess p;
  p.start(program, args);
  p.waitForFinished(30000);
  return QString::fromUtf8(p.readAllStandardOutput());
}

void schreiben(const QString& pfad, const QByteArray& inhalt) {
  QFile f(pfad);
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write(inhalt);
}

QStringList alle(const QString& xml, const QString& muster) {
  QStringList out;
  for (const auto& m : QRegularExpression(muster).globalMatch(xml)) out << m.captured(1);
  return out;
}

QString attribut(const QString& element, const QString& name) {
  return element.section(" " + name + "=\"", 1).section('"', 0, 0);
}

// The cells of the workbook's first sheet by reference ("B5"): a text in
// quotes (XML-escaped) or a number, then " fett", " rechts" and the number
// format as its style gives them. "breiteN" holds the width of column N.
QHash<QString, QString> zellen(const QString& pfad) {
  int fehler = 0;
  zip_t* z = zip_open(QFile::encodeName(pfad).constData(), ZIP_RDONLY, &fehler);
  auto eintrag = [z](const char* name) {
    QByteArray out;
    zip_file_t* f = z ? zip_fopen(z, name, 0) : nullptr;
    char puffer[8192];
    for (zip_int64_t n; f && (n = zip_fread(f, puffer, sizeof puffer)) > 0;) out.append(puffer, qsizetype(n));
    if (f) zip_fclose(f);
    return QString::fromUtf8(out);
  };
  const QString blatt = eintrag("xl/worksheets/sheet1.xml"), stile = eintrag("xl/styles.xml");
  const QStringList texte = alle(eintrag("xl/sharedStrings.xml"), "<t[^>]*>(.*?)</t>");
  if (z) zip_close(z);
  const QStringList schriften = alle(stile, "<font>(.*?)</font>");
  const QStringList xfs = alle(stile.section("<cellXfs", 1), "(<xf [^>]*?(?:/>|>.*?</xf>))");
  QHash<QString, QString> out;
  for (const auto& c : QRegularExpression(R"x(<c( r="(\w+)"[^>]*?)(?:/>|><v>(.*?)</v></c>))x").globalMatch(blatt)) {
    QString d = attribut(c.captured(1), "t") == "s" ? '"' + texte.value(c.captured(3).toInt()) + '"' : c.captured(3);
    const QString xf = xfs.value(attribut(c.captured(1), "s").toInt());
    if (schriften.value(attribut(xf, "fontId").toInt()).contains("<b/>")) d += " fett";
    if (xf.contains("horizontal=\"right\"")) d += " rechts";
    const QString format = attribut(xf, "numFmtId");
    if (format != "0") d += " " + stile.section("<numFmt numFmtId=\"" + format + "\" formatCode=\"", 1).section('"', 0, 0);
    out[c.captured(2)] = d;
  }
  for (const auto& c : QRegularExpression(R"x(<col min="(\d+)"[^>]* width="([\d.]+)")x").globalMatch(blatt))
    out["breite" + c.captured(1)] = c.captured(2);
  return out;
}

// A loaded text window on a LISTE.TXT with the given bytes.
std::unique_ptr<IA_Textausgabe> textfenster(const QByteArray& inhalt) {
  common::listendatei = common::datenpfad + "LISTE.TXT";
  schreiben(common::listendatei, inhalt);
  auto w = std::make_unique<IA_Textausgabe>();
  w->Form_Load();
  return w;
}

// A grid with the columns (a leading ">" marks a right-aligned number column,
// "^" a centred text column) and the rows (cells joined by TAB).
void füllen(ui::sevGrid& grid, const QStringList& spalten, const QStringList& zeilen) {
  grid.clear();
  for (const QString& s : spalten) {
    const QString key = "k" + QString::number(grid.cols());
    if (s.startsWith('>'))
      grid.addcolumn(key, s.mid(1), -1, 1, true, 1, 1);
    else if (s.startsWith('^'))
      grid.addcolumn(key, s.mid(1), -1, 2);
    else
      grid.addcolumn(key, s);
  }
  for (const QString& z : zeilen) grid.additem(z);
}

// The list window on a gridli.txt with these columns and rows.
std::unique_ptr<IA_Zwischenliste> listenfenster(const QStringList& spalten, const QStringList& zeilen) {
  ui::sevGrid grid;
  füllen(grid, spalten, zeilen);
  grid.savetofile(common::datenpfad + "gridli.txt");
  auto w = std::make_unique<IA_Zwischenliste>();
  w->Form_Load();
  return w;
}

}  // namespace

class TestAusgabe : public QObject {
  Q_OBJECT
  const QString pdf_ = QDir::currentPath() + "/druck.pdf";
  QList<QUrl> geöffnet_;
  bool öffnenGelingt_ = true;

  // The pages of the printed PDF as pdftotext reads them.
  QStringList blätter() const {
    QStringList b = tool("pdftotext", {"-layout", pdf_, "-"}).split('\f');
    b.removeLast();   // after the last form feed
    return b;
  }

private slots:
  void initTestCase() {
    output::registerOutputForms();
    const auto öffnen = [this](const QUrl& url) {
      geöffnet_ << url;
      return öffnenGelingt_;
    };
    output::dokumentöffner() = öffnen;
    ui::sevGrid::urlOpener() = öffnen;
  }

  void init() {
    test::resetScripts();
    test::setToday(QDate(2007, 6, 15));
    common::heutesetzen();
    common::datenpfad = QDir::currentPath() + "/";
    common::einstellungenleeren();
    QFile::remove(pdf_);
    vb::printer().setPdfOutput(pdf_);
    vb::setPrintService(nullptr);
    geöffnet_.clear();
    öffnenGelingt_ = true;
    QDir("mappen").removeRecursively();
    QDir().mkpath("mappen");
    output::setTabellenordner(QDir::currentPath() + "/mappen");
  }

  void cleanupTestCase() { vb::printer().setPdfOutput({}); }

  // --- the text window ---------------------------------------------------------------

  void textWindowLoading() {
    common::listendatei = common::datenpfad + "fehlt/liste.txt";
    test::messages().expect("Die Datei " + common::listendatei.toUpper() + " existiert nicht");
    vb::showForm("IA_Textausgabe");
    QVERIFY(test::forms().shown().isEmpty());

    QCOMPARE(textfenster("Zeile 1\r\nK\xe4se\r\n")->t->toPlainText(), QString("Zeile 1\nKäse\n"));   // Windows-1252
  }

  void textWindowDisplayLimit() {
    // 320 lines of 98 characters fill exactly 32000 (line ends count two):
    // the lines after them are dropped, and that is said. The line that
    // crosses the limit still goes in whole.
    QByteArray genau;
    for (int i = 0; i < 325; ++i) genau += QByteArray::number(i).rightJustified(98, '.') + "\r\n";
    const QString z319 = QString("319").rightJustified(98, '.');
    const struct { QByteArray datei; bool warnung; QString letzte; } fälle[] = {
        {genau, true, z319}, {genau.left(32000), false, z319},
        {QByteArray(31990, 'a') + "\r\n" + QByteArray(20, 'b') + "\r\nc\r\n", true, QString(20, 'b')}};
    for (const auto& f : fälle) {
      if (f.warnung) test::messages().expect("Der Text ist über 32 kB groß");
      QCOMPARE(textfenster(f.datei)->t->toPlainText().section('\n', -2, -2), f.letzte);
      QVERIFY(test::messages().allUsed());
    }
  }

  void textWindowOptions() {
    // A stored size outside 8..48 becomes 10, then at most 30; a stored margin at most 20.
    auto& e = common::einstellungzahl;
    for (auto [größe, rand, gezeigt, randgezeigt] : {std::tuple{40, 25, 30, "20"}, {5, 20, 10, "20"}, {49, 3, 10, "3"}}) {
      e[22] = größe;
      e[23] = rand;
      auto w = textfenster("x\r\n");
      QCOMPARE(w->t->font().pointSize(), gezeigt);
      QCOMPARE(w->tz->text(), QString(randgezeigt));
    }
    e[22] = 28;
    auto w = textfenster("x\r\n");
    w->plus5[1]->click();   // ">>" stops at 30
    QCOMPARE(w->t->font().pointSize(), 30);
    w->tz->setText("");
    QTest::keyClicks(w->tz, "4a5");   // the letter is not taken
    w->tz_LostFocus();
    QCOMPARE(w->randtext(), QString(30, ' '));
    // The orientation is stored at once; the close box stores nothing else.
    w->druckformat[1]->click();
    w->kon[0]->click();
    w->close();
    QCOMPARE((QList<int>{e[18], e[19], e[22], e[23]}), (QList<int>{1, 0, 28, 3}));
  }

  void whatThePathsPrint() {
    using Seiten = QList<QStringList>;
    // Only the file path takes a page break with blanks around the sign; an
    // empty file prints one empty line there, two on the text path.
    QCOMPARE(IA_Textausgabe::druckseiten({" a", " # ", "b"}, "   ", true), (Seiten{{"", "    a"}, {"   b"}}));
    QCOMPARE(IA_Textausgabe::druckseiten({" a", " # ", "b"}, "   ", false), (Seiten{{"", "    a", "    # ", "   b"}}));
    QCOMPARE(IA_Textausgabe::druckseiten({}, "  ", true), (Seiten{{""}}));
    QCOMPARE(textfenster("")->textzeilen(), QStringList{""});
  }

  void printing() {
    // The text path prints the box as edited, through a print copy written
    // afresh (Windows-1252, CR LF), never a stale copy of an earlier job.
    const QString kopie = QDir::currentPath() + "/DRUCKAUF.TXT";
    schreiben(kopie, "ALTER AUFTRAG\r\n");
    auto w = textfenster("Seite eins\r\n#\r\nSeite zwei\r\n");
    w->t->setPlainText(w->t->toPlainText().replace("zwei", "ZWEI € ő"));
    w->drucken_Click();
    QCOMPARE(blätter().replaceInStrings(QRegularExpression("\\s"), ""), (QStringList{"Seiteeins", "SeiteZWEI€?"}));
    QFile f(kopie);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("Seite eins\r\n#\r\nSeite ZWEI \x80 ?\r\n\r\n"));
    // No copy can be written: nothing is printed.
    f.close();
    QVERIFY(f.remove() && QDir().mkpath(kopie));
    QFile::remove(pdf_);
    test::messages().expect("Der Text konnte nicht gedruckt werden.");
    w->drucken_Click();
    QVERIFY(test::messages().last().contains("DRUCKAUF.TXT") && !QFile::exists(pdf_));
    QDir(kopie).removeRecursively();

    // The file: 120 lines run over onto further pages by themselves; " # "
    // breaks the page; a break at the very end gives no blank sheet.
    QByteArray datei;
    for (int i = 1; i <= 120; ++i) datei += "Zeile " + QByteArray::number(i) + "\r\n";
    common::druckquerformat() = 1;   // landscape
    w = textfenster(datei + " # \r\nLetzte Seite\r\n#\r\n");
    w->dateidrucken_Click();
    const QStringList b = blätter();
    QVERIFY2(b.size() >= 3 && b[b.size() - 2].contains("Zeile 120"), qPrintable(b.join('|')));
    QCOMPARE(b.last().trimmed(), QString("Letzte Seite"));
    QVERIFY(tool("pdfinfo", {pdf_}).contains(QRegularExpression("Page size:\\s+842 x 595")));   // A4 landscape
  }

  void aPrintJobThatCannotStartSaysSo() {
    vb::printer().setPdfOutput(QDir::currentPath() + "/fehlt/druck.pdf");
    auto w = textfenster("a\r\n");
    test::messages().expect("Der Druck konnte nicht gestartet werden");
    w->drucken_Click();
    test::messages().expect("Der Druck konnte nicht gestartet werden");
    w->dateidrucken_Click();
    QVERIFY(test::messages().allUsed());
    QVERIFY(!vb::printer().jobActive() && !w->isUnloaded());
  }

  void aQueueThatRefusesJobsIsNamed() {
    // Asked before the job and after it was handed over; a queue that takes
    // it (a held one too) is not spoken of.
    struct Warteschlange : vb::PrintService {
      bool nimmt, nahm;
      Warteschlange(bool a, bool b) : nimmt(a), nahm(b) {}
      bool acceptingJobs(const QString&) override { return nimmt; }
      bool jobTaken(const QString&) override { return nahm; }
    };
    const struct { bool nimmt, nahm, gedruckt; } fälle[] = {{false, true, false}, {true, false, true}, {true, true, true}};
    vb::printer().setPdfOutput(pdf_, "Büro");
    for (const auto& f : fälle) {
      QFile::remove(pdf_);
      vb::setPrintService(std::make_unique<Warteschlange>(f.nimmt, f.nahm));
      auto w = textfenster("a\r\n");
      // "Text drucken" and "Datei drucken" alike.
      for (auto drucken : {&IA_Textausgabe::drucken_Click, &IA_Textausgabe::dateidrucken_Click}) {
        QFile::remove(pdf_);
        if (!(f.nimmt && f.nahm)) test::messages().expect("Der Drucker \"Büro\" nimmt keine Druckaufträge an.");
        (w.get()->*drucken)();
        QVERIFY(test::messages().allUsed());
        QCOMPARE(QFile::exists(pdf_), f.gedruckt);
      }
    }
  }

  // The same through a real CUPS queue, where the machine has one to spare:
  // ZEVO_CUPS_WARTESCHLANGE names it, and it must be the default printer.
  // The queue is made to refuse jobs (cupsreject), then to hold them
  // (cupsdisable); it is left accepting and enabled, without the held job.
  void aRealQueueThatRefusesJobs() {
    const QString queue = qEnvironmentVariable("ZEVO_CUPS_WARTESCHLANGE");
    if (queue.isEmpty()) QSKIP("no CUPS queue to try (ZEVO_CUPS_WARTESCHLANGE)");
    vb::printer().setPdfOutput({});
    QCOMPARE(QPrinterInfo::defaultPrinter().printerName(), queue);
    auto lpbefehl = [&](const QString& befehl, const QStringList& weitere = {}) {
      QCOMPARE(QProcess::execute(befehl, weitere + QStringList{queue}), 0);
    };
    auto aufträge = [&] { return tool("lpstat", {"-o", queue}).count('\n'); };
    lpbefehl("cancel", {"-a"});
    const auto wiederher = qScopeGuard([&] {
      for (const char* befehl : {"cupsaccept", "cupsenable"}) QProcess::execute(befehl, {queue});
    });
    auto w = textfenster("Zeile\r\n");
    lpbefehl("cupsreject");
    test::messages().expect("Der Drucker \"" + queue + "\" nimmt keine Druckaufträge an.");
    w->drucken_Click();
    QVERIFY(test::messages().allUsed());
    lpbefehl("cupsaccept");
    lpbefehl("cupsdisable");
    w->drucken_Click();   // held: taken, printed later, nothing said
    const int gehalten = aufträge();
    lpbefehl("cancel", {"-a"});
    QCOMPARE(test::messages().count(), 1);
    QCOMPARE(gehalten, 1);
  }

  // --- the list window ---------------------------------------------------------------

  void textTableWidthsAndHead() {
    ui::sevGrid grid;
    füllen(grid, {"Volk", ">kg"}, {"V1\t12,50", "V12\t3,00"});
    QCOMPARE(output::texttabelle(grid, " | ", true, "15.06.2007", ""),
             (QStringList{"Datum: 15.06.2007", "", "Volk |    kg", QString(4 + 5 + 3, '-'), "V1   | 12,50", "V12  |  3,00"}));
    QCOMPARE(output::texttabelle(grid, " | ", false, "", "Kopf").mid(0, 3), (QStringList{"Kopf", "", "Volk |    kg"}));
  }

  void textTableSeparatorRows() {
    // A separator row gives a dash line; at the end or before another one two
    // empty lines, and the next one is used up.
    const QList<QPair<QStringList, QStringList>> fälle = {
        {{"A", ".", ".", ".", "B"}, {"A ", "", "", "--", "B "}}, {{"A", "."}, {"A ", "", ""}},
        {{"A", ".", "B"}, {"A ", "--", "B "}}, {{"A", ".", "."}, {"A ", "", ""}}};
    for (const auto& [zeilen, tabelle] : fälle) {
      ui::sevGrid grid;
      füllen(grid, {"Nr"}, zeilen);
      QCOMPARE(output::texttabelle(grid, " | ", false, "", ""), QStringList({"Nr", "--"}) + tabelle);
    }
  }

  void sixtyColumns() {
    // The text table has 52 of them; an empty separator becomes " | " for good.
    QStringList spalten, zelle;
    for (int c = 1; c <= 60; ++c) {
      spalten << ">S" + QString::number(c);
      zelle << "1";
    }
    spalten[0] = "Bienenköniginnen";
    common::trennzeichen() = "";
    auto w = listenfenster(spalten, {zelle.join('\t')});
    test::forms().on("IA_Textausgabe", [](vb::Form* f) { f->unload(); });
    w->comtext_Click();
    QCOMPARE(common::listendatei, common::datenpfad + "LISTE.TXT");
    QCOMPARE(common::trennzeichen(), QString(" | "));
    const QStringList zeilen = vb::readLines(common::datenpfad + "LISTE.TXT");   // Windows-1252
    QCOMPARE(zeilen.size(), 3);
    QVERIFY(zeilen[0].startsWith("Bienenköniginnen | S2 | "));
    QCOMPARE(zeilen[0].split(" | ").size(), 52);

    // The spreadsheet formats number columns up to the 52nd; with the date
    // line only, row 2 stays empty and the captions are bold in row 3.
    const xlsx::Worksheet s = output::exceltabelle(*w->gridli, true, "15.06.2007", "");
    QCOMPARE(s.columnFormat(52).numberFormat, QString("#,##0.00"));
    QCOMPARE(s.columnFormat(53).numberFormat, QString());
    QCOMPARE(s.cell(1, 1)->text, QString("15.06.2007"));
    QVERIFY(!s.cell(2, 1) && s.rowBold(3) && s.cell(4, 60)->number);
    QCOMPARE(s.shownText(4, 2), QString("1,00"));   // a number column: two decimals
    QCOMPARE(s.shownText(4, 53), QString("1"));     // beyond the 52nd: the standard format
  }

  void listFailuresKeepTheWindow() {
    auto w = listenfenster({"A"}, {"1"});
    QFile::remove(common::datenpfad + "LISTE.TXT");
    QVERIFY(QDir().mkpath(common::datenpfad + "LISTE.TXT/"));   // a folder in the file's place
    test::messages().expect("Die Text-Auswertung konnte nicht geschrieben werden.");
    w->comtext_Click();
    QDir(common::datenpfad + "LISTE.TXT").removeRecursively();
    output::setTabellenordner(QDir::currentPath() + "/gibtsnicht");
    test::messages().expect("Die Excel-Auswertung konnte nicht erstellt werden.");
    w->comexcel_Click();
    common::datenpfad = QDir::currentPath() + "/gibtsnicht/";
    test::messages().expect("Der HTML-Bericht konnte nicht geschrieben werden:");
    w->roexplorer_Click(0);
    QVERIFY(test::messages().allUsed());
    QVERIFY(geöffnet_.isEmpty());
    QVERIFY(!w->isUnloaded());
  }

  // A grid file whose counts it cannot hold: refused with a message, and
  // the window still answers with an empty list.
  void listWindowOnAnImpossibleGridFile() {
    for (const QByteArray& datei : {QByteArray("ZEVOGRID\t1\nC\t0\nR\t2000000000\n"),
                                    QByteArray("ZEVOGRID\t1\nC\t2000000000\n")}) {
      QFile f(common::datenpfad + "gridli.txt");
      QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
      f.write(datei);
      f.close();
      IA_Zwischenliste w;
      test::messages().expect("Die Liste konnte nicht geladen werden");
      w.Form_Load();
      QCOMPARE(w.gridli->rows() + w.gridli->cols(), 0);
      test::messages().expect();   // no data to print
      w.comtext_Click();
      QVERIFY(test::messages().allUsed());
      QVERIFY(!w.isUnloaded());
    }
  }

  void spreadsheetNumbers() {
    // Which texts become numbers, in a number column and in a text column
    // alike, and how a number column ("#,##0.00") shows them.
    const struct { QString text; std::optional<double> zahl; QString gezeigt; } fälle[] = {
        {"1.234,50", {}, ""}, {"1234,50", 1234.5, "1.234,50"}, {"", {}, ""}, {"-3", -3, "-3,00"}, {"01.05.2007", {}, ""},
        {" +7 ", 7, "7,00"}, {",5", 0.5, "0,50"}, {"1,2,3", {}, ""}, {"V12", {}, ""}, {"-", {}, ""},
        {"150", 150, "150,00"}, {"2,125 ", 2.125, "2,13"},
        // A number that would not give its text back stays text.
        {"07", {}, ""}, {"-007,5", {}, ""}, {"00", {}, ""}, {"0", 0, "0,00"}, {"0,50", 0.5, "0,50"},
        {"123456789012345", 123456789012345.0, "123.456.789.012.345,00"}, {"1234567890123456", {}, ""},
        {"1234567890123,456", {}, ""}, {"-99999999999999,9", -99999999999999.9, ""},
        {"100000000000000000000", 1e20, "100.000.000.000.000.000.000,00"},
        {"0,0000000000000012", 1.2e-15, "0,00"}, {",", {}, ""}, {"-0", 0, "0,00"},
        {"0," + QString(30, '0') + "1", {}, ""}, {"1" + QString(400, '0'), {}, ""}};
    QStringList zeilen;
    for (const auto& f : fälle) {
      QVERIFY2(output::excelzahl(f.text) == f.zahl, qPrintable(f.text));
      zeilen << f.text + '\t' + f.text;
    }
    ui::sevGrid grid;
    füllen(grid, {">Zahl", "Text"}, zeilen);
    const xlsx::Worksheet s = output::exceltabelle(grid, false, "", "");
    for (int i = 0; i < int(std::size(fälle)); ++i) {
      const auto& f = fälle[i];
      for (int c : {1, 2}) {
        const xlsx::Worksheet::Cell* zelle = s.cell(i + 2, c);
        QCOMPARE(zelle && zelle->number, f.zahl.has_value());
        if (!f.zahl) continue;
        QCOMPARE(zelle->value, *f.zahl);
        if (c == 1 && !f.gezeigt.isEmpty()) QCOMPARE(s.shownText(i + 2, c), f.gezeigt);
      }
    }
  }

  void spreadsheetReadBack() {
    common::listendatum() = 1;
    common::kopftext() = "Honig & <Wachs>";
    auto w = listenfenster({"Volk", ">Menge kg", "Datum", ">Kosten", "^12"},
                           {"V1\t12,50\t01.05.2007\t1.234,50\t07", "Königin 'Anna'\t-3\t08\t7", ".\t\t\t",
                            "=SUMME(A1)\t0\tx\t0,5", "12\t\t2,5\t1234567890123456\t3"});
    w->comexcel_Click();
    QCOMPARE(geöffnet_.size(), 1);
    const QString pfad = geöffnet_[0].toLocalFile();
    QVERIFY(pfad.startsWith(QDir::currentPath() + "/mappen/ZEVO_Liste_2007-06-15_") && pfad.endsWith(".xlsx"));
    QCOMPARE(pfad, w->tabellendatei());

    // Date, header text, an empty row, the bold captions, then the rows;
    // number columns right-aligned with two decimals, numbers in every
    // column; texts never formulas; a caption, a leading zero and more
    // digits than a number keeps stay texts.
    const QHash<QString, QString> m = zellen(pfad);
    const QString z = " rechts #,##0.00";
    const QList<QPair<QString, QString>> erwartet = {
        {"A1", "\"15.06.2007\""}, {"A2", "\"Honig &amp; &lt;Wachs&gt;\""}, {"A3", ""}, {"A4", "\"Volk\" fett"},
        {"B4", "\"Menge kg\" fett" + z}, {"E4", "\"12\" fett"}, {"A5", "\"V1\""}, {"B5", "12.5" + z},
        {"C5", "\"01.05.2007\""}, {"D5", "\"1.234,50\"" + z}, {"E5", "\"07\""}, {"A6", "\"Königin 'Anna'\""},
        {"B6", "-3" + z}, {"C6", "\"08\""}, {"D6", "7" + z}, {"A7", "\".\""}, {"A8", "\"=SUMME(A1)\""},
        {"D8", "0.5" + z}, {"A9", "12"}, {"C9", "2.5"},
        {"D9", "\"1234567890123456\"" + z}, {"E9", "3"}};
    for (const auto& [ref, zelle] : erwartet) QCOMPARE(m.value(ref), zelle);
    // Fitted columns: the long name widens column A, the header text on top does not.
    QVERIFY(m["breite1"].toDouble() >= 14 && m["breite1"].toDouble() < 16);
    QVERIFY(m["breite3"].toDouble() >= 10 && m["breite3"].toDouble() < m["breite1"].toDouble());
  }

  // The right-aligned columns among the first 52 show "#,##0.00" whatever
  // decimals the list has; a left-aligned number column and the 53rd column
  // keep the standard format, their numbers numbers all the same.
  void spreadsheetFormatByColumn() {
    QStringList spalten{">Anzahl", ">kg", "Nr"}, eins{"3", "2,5", "12"}, zwei{"150", "12,0", "007"};
    for (int c = 4; c <= 53; ++c) {
      spalten << (c >= 52 ? ">S" : "S") + QString::number(c);
      eins << (c == 52 ? "1" : c == 53 ? "4,5" : "");
      zwei << (c == 53 ? "-0,25" : "");
    }
    auto w = listenfenster(spalten, {eins.join('\t'), zwei.join('\t')});
    QTest::mouseClick(w->comexcel, Qt::LeftButton);
    QCOMPARE(geöffnet_.size(), 1);
    const QHash<QString, QString> m = zellen(geöffnet_[0].toLocalFile());
    const QString z = " rechts #,##0.00";
    const QList<QPair<QString, QString>> erwartet = {
        {"A1", "\"Anzahl\" fett" + z}, {"B1", "\"kg\" fett" + z}, {"C1", "\"Nr\" fett"},
        {"A2", "3" + z}, {"A3", "150" + z}, {"B2", "2.5" + z}, {"B3", "12" + z},
        {"C2", "12"}, {"C3", "\"007\""}, {"AZ1", "\"S52\" fett" + z}, {"AZ2", "1" + z},
        {"BA1", "\"S53\" fett"}, {"BA2", "4.5"}, {"BA3", "-0.25"}, {"D2", ""}};
    for (const auto& [ref, zelle] : erwartet) QCOMPARE(m.value(ref), zelle);
  }

  void spreadsheetWithoutAProgramToOpenIt() {
    auto w = listenfenster({"A"}, {"1"});
    öffnenGelingt_ = false;
    test::messages().expect("Excel konnte nicht geöffnet werden!");
    w->comexcel_Click();
    QVERIFY(test::messages().last().contains(QDir::toNativeSeparators(w->tabellendatei())));
    QCOMPARE(common::übergabe, QString("xyz"));
    öffnenGelingt_ = true;   // a second export adds a second workbook
    w->comexcel_Click();
    QCOMPARE(QDir(output::tabellenordner()).entryList(QDir::Files).size(), 2);
    QCOMPARE(common::übergabe, QString());
    output::setTabellenordner({});   // by default outside the program folder
    QVERIFY(!QDir(output::tabellenordner()).canonicalPath().startsWith(QDir(common::datenpfad).canonicalPath()));
  }

  void htmlPages() {
    for (int i : {46, 47, 48}) common::einstellungzahl[i] = 1;
    common::htmlseitenzeilen() = 60;
    common::kopftext() = "Völker <b>& Co\"";
    QStringList zeilen{"<script>\t1.264.108,10 €"};
    for (int i = 2; i <= 130; ++i) zeilen << "V" + QString::number(i) + "\t1,00";
    auto w = listenfenster({"Volk", ">kg"}, zeilen);
    w->roexplorer_Click(0);
    const QString report = common::datenpfad + "report.htm";
    QCOMPARE(geöffnet_, QList<QUrl>{QUrl::fromLocalFile(report)});
    QCOMPARE(QDir(common::datenpfad).entryList({"report-*.htm"}, QDir::Files).size(), 2);
    QStringList seiten;
    for (const QString& p : w->gridli->htmlfiles()) {
      QFile f(p);
      seiten << (f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString());
    }
    QCOMPARE(seiten.size(), 3);
    QVERIFY(seiten[0].contains("charset=\"utf-8\""));
    QVERIFY(seiten[0].contains("15.06.2007   Völker &lt;b&gt;&amp; Co&quot;"));
    QVERIFY(seiten[0].contains("&lt;script&gt;") && !seiten[0].contains("<script>"));
    // However narrow the page, a number cell stays on one line.
    QTextDocument seite;
    seite.setHtml(seiten[0]);
    seite.setTextWidth(40);
    seite.documentLayout();
    QCOMPARE(seite.find("1.264.108,10").block().layout()->lineCount(), 1);
    QVERIFY(seiten[1].contains("Seite 2 von 3") && !seiten[1].contains("Anzahl Datensätze"));
    QVERIFY(seiten[2].contains("Anzahl Datensätze:  130") && seiten[2].contains(">V130<"));
    QCOMPARE(output::htmltitel(true, "15.06.2007", ""), QString("15.06.2007   "));
    // No browser to show it: the user learns where the report is.
    öffnenGelingt_ = false;
    test::messages().expect("Der Browser konnte nicht geöffnet werden!");
    w->roexplorer_Click(1);
    QVERIFY(test::messages().last().contains(QDir::toNativeSeparators(report)));
    öffnenGelingt_ = true;
  }
};

ZEVO_TEST_MAIN(TestAusgabe)
#include "test_ausgabe.moc"
