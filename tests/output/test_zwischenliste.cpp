// The list window: loading the hand-over file, the text table with its
// separator rows, the spreadsheet read back from the written workbook, the
// HTML pages, and the failures that keep the window open.

#include "common/einstellungen.h"
#include "components/sevgrid.h"
#include "output/ia_textausgabe.h"
#include "output/ia_zwischenliste.h"
#include "output/listenexport.h"
#include "output/registry.h"
#include "platform/runtime/textfile.h"
#include "support/testmain.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPlainTextEdit>
#include <QXmlStreamReader>

#include <zip.h>

using namespace zevo;
using output::IA_Zwischenliste;

namespace {

// --- reading a workbook back ----------------------------------------------------------

QByteArray zipEntry(const QString& path, const char* name) {
  int error = 0;
  zip_t* z = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
  if (!z) return {};
  QByteArray out;
  if (zip_file_t* f = zip_fopen(z, name, 0)) {
    char buf[8192];
    zip_int64_t n;
    while ((n = zip_fread(f, buf, sizeof buf)) > 0) out.append(buf, static_cast<qsizetype>(n));
    zip_fclose(f);
  }
  zip_close(z);
  return out;
}

struct Zelle {
  QString wert;      // the text, or the number as stored
  bool zahl = false;
  bool fett = false;
  QString format;    // number format code, "" = General
  bool rechts = false;
};

struct Mappe {
  QHash<QString, Zelle> zellen;   // "A1" -> cell
  QHash<int, double> breiten;     // column -> width
  QStringList blätter;
};

Mappe lesen(const QString& pfad) {
  Mappe m;
  QStringList texte;
  QXmlStreamReader strings(zipEntry(pfad, "xl/sharedStrings.xml"));
  while (!strings.atEnd())
    if (strings.readNext() == QXmlStreamReader::StartElement && strings.name() == u"t")
      texte << strings.readElementText();

  QHash<int, QString> formate{{0, ""}, {4, "#,##0.00"}};
  QList<bool> fettschrift;
  struct Xf {
    int font = 0, numFmt = 0;
    bool rechts = false;
  };
  QList<Xf> xfs;
  bool inCellXfs = false;
  QXmlStreamReader styles(zipEntry(pfad, "xl/styles.xml"));
  while (!styles.atEnd()) {
    const auto t = styles.readNext();
    if (t == QXmlStreamReader::EndElement && styles.name() == u"cellXfs") inCellXfs = false;
    if (t != QXmlStreamReader::StartElement) continue;
    const auto a = styles.attributes();
    if (styles.name() == u"numFmt") formate[a.value("numFmtId").toInt()] = a.value("formatCode").toString();
    if (styles.name() == u"font") fettschrift << false;
    if (styles.name() == u"b" && !fettschrift.isEmpty()) fettschrift.last() = true;
    if (styles.name() == u"cellXfs") inCellXfs = true;
    if (styles.name() == u"xf" && inCellXfs) xfs << Xf{a.value("fontId").toInt(), a.value("numFmtId").toInt(), false};
    if (styles.name() == u"alignment" && inCellXfs && !xfs.isEmpty())
      xfs.last().rechts = a.value("horizontal") == u"right";
  }

  QXmlStreamReader book(zipEntry(pfad, "xl/workbook.xml"));
  while (!book.atEnd())
    if (book.readNext() == QXmlStreamReader::StartElement && book.name() == u"sheet")
      m.blätter << book.attributes().value("name").toString();

  QXmlStreamReader sheet(zipEntry(pfad, "xl/worksheets/sheet1.xml"));
  QString ref, typ;
  int stil = 0;
  while (!sheet.atEnd()) {
    if (sheet.readNext() != QXmlStreamReader::StartElement) continue;
    const auto a = sheet.attributes();
    if (sheet.name() == u"col") {
      for (int c = a.value("min").toInt(); c <= a.value("max").toInt(); ++c) m.breiten[c] = a.value("width").toDouble();
    } else if (sheet.name() == u"c") {
      ref = a.value("r").toString();
      typ = a.value("t").toString();
      stil = a.value("s").toInt();
      Zelle z;
      const Xf xf = xfs.value(stil);
      z.fett = fettschrift.value(xf.font);
      z.format = formate.value(xf.numFmt);
      z.rechts = xf.rechts;
      m.zellen[ref] = z;
    } else if (sheet.name() == u"v") {
      const QString v = sheet.readElementText();
      Zelle& z = m.zellen[ref];
      z.zahl = typ != u"s";
      z.wert = z.zahl ? v : texte.value(v.toInt());
    }
  }
  return m;
}

// --- lists ---------------------------------------------------------------------------------

// A grid with the columns (a leading ">" marks a right-aligned number column)
// and the rows (cells joined by TAB).
void füllen(ui::sevGrid& grid, const QStringList& spalten, const QStringList& zeilen) {
  grid.clear();
  int i = 0;
  for (const QString& s : spalten) {
    const QString key = "k" + QString::number(++i);
    if (s.startsWith('>'))
      grid.addcolumn(key, s.mid(1), -1, 1, true, 1, 1);
    else
      grid.addcolumn(key, s);
  }
  for (const QString& z : zeilen) grid.additem(z);
}

void übergeben(const QStringList& spalten, const QStringList& zeilen) {
  ui::sevGrid grid;
  füllen(grid, spalten, zeilen);
  QVERIFY(grid.savetofile(common::datenpfad + "gridli.txt"));
}

std::unique_ptr<IA_Zwischenliste> listenfenster() {
  auto w = std::make_unique<IA_Zwischenliste>();
  w->Form_Load();
  return w;
}

}  // namespace

class TestZwischenliste : public QObject {
  Q_OBJECT
  QList<QUrl> geöffnet_;
  bool öffnenGelingt_ = true;

private slots:
  void initTestCase() {
    output::registerOutputForms();
    output::dokumentöffner() = [this](const QUrl& url) {
      geöffnet_ << url;
      return öffnenGelingt_;
    };
    ui::sevGrid::urlOpener() = [this](const QUrl& url) {
      geöffnet_ << url;
      return true;
    };
  }

  void init() {
    test::resetScripts();
    test::setToday(QDate(2007, 6, 15));
    common::heutesetzen();
    common::datenpfad = QDir::currentPath() + "/";
    common::einstellungenleeren();
    geöffnet_.clear();
    öffnenGelingt_ = true;
    QDir(QDir::currentPath() + "/mappen").removeRecursively();
    QDir().mkpath(QDir::currentPath() + "/mappen");
    output::setTabellenordner(QDir::currentPath() + "/mappen");
  }

  // --- the text table ----------------------------------------------------------------

  void textTableWidths() {
    ui::sevGrid grid;
    füllen(grid, {"Volk", ">kg"}, {"V1\t12,50", "V12\t3,00"});
    const QStringList zeilen = output::texttabelle(grid, " | ", false, "15.06.2007", "");
    QCOMPARE(zeilen, (QStringList{"Volk |    kg", QString(4 + 5 + 3, '-'), "V1   | 12,50", "V12  |  3,00"}));
  }

  void textTableSeparatorRows_data() {
    QTest::addColumn<QStringList>("zeilen");
    QTest::addColumn<QStringList>("tabelle");
    const QString strich(2, '-');
    QTest::newRow("drei in Folge") << QStringList{"A", ".", ".", ".", "B"}
                                   << QStringList{"A ", "", "", strich, "B "};
    QTest::newRow("am Ende") << QStringList{"A", "."} << QStringList{"A ", "", ""};
    QTest::newRow("einzeln") << QStringList{"A", ".", "B"} << QStringList{"A ", strich, "B "};
    QTest::newRow("zwei am Ende") << QStringList{"A", ".", "."} << QStringList{"A ", "", ""};
  }

  void textTableSeparatorRows() {
    QFETCH(QStringList, zeilen);
    QFETCH(QStringList, tabelle);
    ui::sevGrid grid;
    füllen(grid, {"Nr"}, zeilen);
    QStringList aus = output::texttabelle(grid, " | ", false, "", "");
    QCOMPARE(aus.takeFirst(), QString("Nr"));
    QCOMPARE(aus.takeFirst(), QString(2, '-'));
    QCOMPARE(aus, tabelle);
  }

  void textTableHeadLines_data() {
    QTest::addColumn<bool>("datum");
    QTest::addColumn<QString>("kopftext");
    QTest::addColumn<QStringList>("anfang");
    QTest::newRow("beides") << true << "Imkerei Bienenfleiß" << QStringList{"Datum: 15.06.2007", "Imkerei Bienenfleiß", "", "A"};
    QTest::newRow("nur Datum") << true << "" << QStringList{"Datum: 15.06.2007", "", "A"};
    QTest::newRow("nur Kopftext") << false << "Kopf" << QStringList{"Kopf", "", "A"};
    QTest::newRow("nichts") << false << "" << QStringList{"A"};
  }

  void textTableHeadLines() {
    QFETCH(bool, datum);
    QFETCH(QString, kopftext);
    QFETCH(QStringList, anfang);
    ui::sevGrid grid;
    füllen(grid, {"A"}, {"x"});
    QCOMPARE(output::texttabelle(grid, " | ", datum, "15.06.2007", kopftext).mid(0, anfang.size()), anfang);
  }

  void textExportWritesListeTxt() {
    // 60 columns: the text table has 52; an empty separator becomes " | " for good.
    QStringList spalten, zelle;
    for (int c = 1; c <= 60; ++c) {
      spalten << "S" + QString::number(c);
      zelle << QString::number(c);
    }
    spalten[0] = "Bienenköniginnen";
    übergeben(spalten, {zelle.join('\t')});
    common::trennzeichen() = "";
    auto w = listenfenster();
    QString gezeigt;
    test::forms().onWindow<output::IA_Textausgabe>("IA_Textausgabe", [&](output::IA_Textausgabe& t) {
      gezeigt = t.t->toPlainText();
      t.abbv_Click();
    });
    w->comtext_Click();
    QCOMPARE(common::trennzeichen(), QString(" | "));
    QCOMPARE(common::listendatei, common::datenpfad + "LISTE.TXT");
    QFile f(common::listendatei);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QVERIFY(bytes.startsWith("Bienenk\xf6niginnen | S2 | "));   // Windows-1252
    QVERIFY(bytes.contains("\r\n"));
    const QStringList zeilen = vb::readLines(common::listendatei);
    QCOMPARE(zeilen.size(), 3);
    QCOMPARE(zeilen[0].split(" | ").size(), 52);
    QVERIFY(zeilen[0].endsWith("S52"));
    QCOMPARE(zeilen[1].size(), zeilen[0].size());
    QCOMPARE(gezeigt.split('\n').first(), zeilen[0]);
  }

  void emptyListRefusesExports() {
    übergeben({"A", "B"}, {});
    auto w = listenfenster();
    test::messages().expect("Es sind keine Daten in der Liste.");
    w->comtext_Click();
    test::messages().expect("Es sind keine Daten in der Liste.");
    w->comexcel_Click();
    QVERIFY(test::messages().allUsed());
    QVERIFY(test::forms().shown().isEmpty());
    QVERIFY(QDir(output::tabellenordner()).isEmpty());
  }

  void textExportThatCannotWriteKeepsTheWindow() {
    übergeben({"A"}, {"x"});
    auto w = listenfenster();
    QFile::remove(common::datenpfad + "LISTE.TXT");
    QVERIFY(QDir().mkpath(common::datenpfad + "LISTE.TXT/"));   // a folder in the file's place
    test::messages().expect("Die Text-Auswertung konnte nicht geschrieben werden.");
    w->comtext_Click();
    QVERIFY(test::messages().allUsed());
    QVERIFY(!w->isUnloaded());
    QDir(common::datenpfad + "LISTE.TXT").removeRecursively();
  }

  // --- the spreadsheet -------------------------------------------------------------------

  void spreadsheetNumbers_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("zahl");
    QTest::addColumn<double>("wert");
    QTest::newRow("1.234,50") << "1.234,50" << false << 0.0;
    QTest::newRow("1234,50") << "1234,50" << true << 1234.5;
    QTest::newRow("leer") << "" << false << 0.0;
    QTest::newRow("-3") << "-3" << true << -3.0;
    QTest::newRow("01.05.2007") << "01.05.2007" << false << 0.0;
    QTest::newRow("12,5") << "12,5" << true << 12.5;
    QTest::newRow(" 7 ") << " 7 " << true << 7.0;
    QTest::newRow("+2") << "+2" << true << 2.0;
    QTest::newRow(",5") << ",5" << true << 0.5;
    QTest::newRow("1,2,3") << "1,2,3" << false << 0.0;
    QTest::newRow("V12") << "V12" << false << 0.0;
    QTest::newRow("-") << "-" << false << 0.0;
    QTest::newRow("=1+1") << "=1+1" << false << 0.0;
  }

  void spreadsheetNumbers() {
    QFETCH(QString, text);
    QFETCH(bool, zahl);
    QFETCH(double, wert);
    const auto z = output::excelzahl(text);
    QCOMPARE(z.has_value(), zahl);
    if (zahl) QCOMPARE(*z, wert);
  }

  void spreadsheetReadBack() {
    common::einstellungzahl[46] = 1;
    common::kopftext() = "Honig & <Wachs>";
    übergeben({"Volk", ">Menge kg", "Datum", ">Kosten"},
              {"V1\t12,50\t01.05.2007\t1.234,50", "Königin 'Anna'\t-3\t\t7", ".\t\t\t", "=SUMME(A1)\t0\tx\t0,5"});
    auto w = listenfenster();
    w->comexcel_Click();
    QCOMPARE(test::messages().count(), 0);
    QCOMPARE(geöffnet_.size(), 1);
    const QString pfad = geöffnet_[0].toLocalFile();
    QCOMPARE(pfad, w->tabellendatei());
    QVERIFY(pfad.startsWith(QDir::currentPath() + "/mappen/ZEVO_Liste_2007-06-15_"));
    QVERIFY(pfad.endsWith(".xlsx"));
    QCOMPARE(common::übergabe, QString());

    const Mappe m = lesen(pfad);
    QCOMPARE(m.blätter, QStringList{"Tabelle1"});
    // Date, header text, an empty row, the bold captions, then the rows.
    QCOMPARE(m.zellen["A1"].wert, QString("15.06.2007"));
    QVERIFY(!m.zellen["A1"].zahl && !m.zellen["A1"].fett);
    QCOMPARE(m.zellen["A2"].wert, QString("Honig & <Wachs>"));
    QVERIFY(!m.zellen.contains("A3") && !m.zellen.contains("B3"));
    for (const char* c : {"A4", "B4", "C4", "D4"}) QVERIFY2(m.zellen[c].fett, c);
    QCOMPARE(m.zellen["A4"].wert, QString("Volk"));
    QCOMPARE(m.zellen["B4"].wert, QString("Menge kg"));
    QVERIFY(!m.zellen["A5"].fett);

    auto zahl = [&](const char* ref, double v) {
      const Zelle z = m.zellen.value(ref);
      QVERIFY2(z.zahl, ref);
      QCOMPARE(z.wert.toDouble(), v);
    };
    auto text = [&](const char* ref, const QString& t) {
      const Zelle z = m.zellen.value(ref);
      QVERIFY2(!z.zahl, ref);
      QCOMPARE(z.wert, t);
    };
    text("A5", "V1");
    zahl("B5", 12.5);
    text("C5", "01.05.2007");
    text("D5", "1.234,50");
    text("A6", "Königin 'Anna'");
    zahl("B6", -3);
    QVERIFY(!m.zellen.contains("C6"));
    zahl("D6", 7);
    text("A7", ".");
    text("A8", "=SUMME(A1)");   // stays text, never a formula
    zahl("D8", 0.5);

    // Number columns: right-aligned with two decimals, the caption as well.
    for (const char* ref : {"B4", "B5", "B6", "D6", "D8"}) {
      QCOMPARE(m.zellen[ref].format, QString("#,##0.00"));
      QVERIFY2(m.zellen[ref].rechts, ref);
    }
    for (const char* ref : {"A5", "C5"}) {
      QCOMPARE(m.zellen[ref].format, QString());
      QVERIFY(!m.zellen[ref].rechts);
    }
    // Fitted columns: the long remark is wider than the short date column;
    // the header text on top does not widen column A.
    QVERIFY(m.breiten.value(1) >= QString("Königin 'Anna'").size());
    QVERIFY(m.breiten.value(1) < QString("Honig & <Wachs>").size() + 1);
    QVERIFY(m.breiten.value(3) >= 10 && m.breiten.value(3) < m.breiten.value(1));
  }

  void spreadsheetHeadRows_data() {
    QTest::addColumn<bool>("datum");
    QTest::addColumn<QString>("kopftext");
    QTest::addColumn<int>("captionrow");
    QTest::newRow("nur Datum") << true << "" << 3;
    QTest::newRow("nur Kopftext") << false << "Kopf" << 3;
    QTest::newRow("nichts") << false << "" << 1;
  }

  void spreadsheetHeadRows() {
    QFETCH(bool, datum);
    QFETCH(QString, kopftext);
    QFETCH(int, captionrow);
    ui::sevGrid grid;
    füllen(grid, {"A"}, {"1"});
    const xlsx::Worksheet s = output::exceltabelle(grid, datum, "15.06.2007", kopftext);
    QCOMPARE(s.cell(captionrow, 1)->text, QString("A"));
    QVERIFY(s.rowBold(captionrow));
    QCOMPARE(s.rowCount(), captionrow + 1);
    if (captionrow > 1) {
      QCOMPARE(s.cell(1, 1)->text, datum ? QString("15.06.2007") : kopftext);
      QVERIFY(!s.cell(2, 1));
    }
  }

  void spreadsheetFormatsOnlyUpToColumn52() {
    QStringList spalten, zelle;
    for (int c = 1; c <= 60; ++c) {
      spalten << ">Z" + QString::number(c);
      zelle << "1";
    }
    ui::sevGrid grid;
    füllen(grid, spalten, {zelle.join('\t')});
    const xlsx::Worksheet s = output::exceltabelle(grid, false, "", "");
    QCOMPARE(s.columnCount(), 60);
    QCOMPARE(s.columnFormat(52).numberFormat, QString("#,##0.00"));
    QCOMPARE(s.columnFormat(53).numberFormat, QString());
    QVERIFY(s.cell(2, 60)->number);
    QCOMPARE(xlsx::columnName(52), QString("AZ"));
    QCOMPARE(xlsx::columnName(26), QString("Z"));
    QCOMPARE(xlsx::columnName(703), QString("AAA"));
  }

  void spreadsheetWithoutAProgramToOpenIt() {
    übergeben({"A"}, {"1"});
    auto w = listenfenster();
    öffnenGelingt_ = false;
    test::messages().expect("Excel konnte nicht geöffnet werden!");
    w->comexcel_Click();
    QVERIFY(test::messages().allUsed());
    QVERIFY(test::messages().last().contains(QDir::toNativeSeparators(w->tabellendatei())));
    QVERIFY(QFile::exists(w->tabellendatei()));
    QCOMPARE(common::übergabe, QString("xyz"));
    // A second export adds a second workbook.
    öffnenGelingt_ = true;
    w->comexcel_Click();
    QCOMPARE(QDir(output::tabellenordner()).entryList(QDir::Files).size(), 2);
    QCOMPARE(common::übergabe, QString());
  }

  void spreadsheetThatCannotBeWritten() {
    übergeben({"A"}, {"1"});
    output::setTabellenordner(QDir::currentPath() + "/gibtsnicht");
    auto w = listenfenster();
    test::messages().expect("Die Excel-Auswertung konnte nicht erstellt werden.");
    w->comexcel_Click();
    QVERIFY(test::messages().allUsed());
    QVERIFY(geöffnet_.isEmpty());
    QVERIFY(!w->isUnloaded());
  }

  void workbooksStayOutOfTheProgramFolder() {
    output::setTabellenordner({});
    const QString ordner = output::tabellenordner();
    QVERIFY(!ordner.isEmpty());
    QVERIFY(!QDir(ordner).canonicalPath().startsWith(QDir(common::datenpfad).canonicalPath()));
    const QString a = output::neuetabellendatei(QDir::currentPath() + "/mappen");
    QFile(a).open(QIODevice::WriteOnly);
    const QString b = output::neuetabellendatei(QDir::currentPath() + "/mappen");
    QVERIFY(a != b);
    QVERIFY(b.endsWith("_2.xlsx"));
  }

  // --- the HTML report ---------------------------------------------------------------------

  void htmlPages() {
    common::einstellungzahl[46] = 1;
    common::einstellungzahl[47] = 1;
    common::einstellungzahl[48] = 1;
    common::einstellungzahl[49] = 60;
    common::kopftext() = "Völker <b>& Co\"";
    QStringList zeilen;
    for (int i = 1; i <= 130; ++i) zeilen << "V" + QString::number(i) + "\t" + QString::number(i) + ",00";
    zeilen[0] = "<script>alert(1)</script>\t1,00";
    übergeben({"Volk", ">kg"}, zeilen);
    auto w = listenfenster();
    w->roexplorer_Click(0);
    QCOMPARE(test::messages().count(), 0);
    const QString report = common::datenpfad + "report.htm";
    QCOMPARE(w->gridli->htmlfiles().size(), 3);
    QVERIFY(QFile::exists(report));
    QCOMPARE(QDir(common::datenpfad).entryList({"report-*.htm"}, QDir::Files).size(), 2);
    QCOMPARE(geöffnet_, QList<QUrl>{QUrl::fromLocalFile(report)});

    auto lesen = [](const QString& p) {
      QFile f(p);
      return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    };
    const QString eins = lesen(w->gridli->htmlfiles()[0]);
    const QString zwei = lesen(w->gridli->htmlfiles()[1]);
    const QString drei = lesen(w->gridli->htmlfiles()[2]);
    QVERIFY(eins.contains("charset=\"utf-8\""));
    QVERIFY(eins.contains("15.06.2007   Völker &lt;b&gt;&amp; Co&quot;"));
    QVERIFY(!eins.contains("<script>"));
    QVERIFY(eins.contains("&lt;script&gt;"));
    QVERIFY(eins.contains("Seite 1 von 3"));
    QVERIFY(zwei.contains("Seite 2 von 3"));
    QVERIFY(!zwei.contains("Anzahl Datensätze"));
    QVERIFY(drei.contains("Anzahl Datensätze:  130"));
    QVERIFY(drei.contains(">V130<"));

    // "Internet-Explorer" opens the same report.
    geöffnet_.clear();
    w->roexplorer_Click(1);
    QCOMPARE(geöffnet_, QList<QUrl>{QUrl::fromLocalFile(report)});
  }

  void htmlTitle() {
    QCOMPARE(output::htmltitel(true, "15.06.2007", ""), QString("15.06.2007   "));
    QCOMPARE(output::htmltitel(false, "15.06.2007", "Kopf"), QString("Kopf"));
    QString seite = "vorher";
    output::htmlseitentext(true, 1, 1, seite);   // one page: no page number
    QCOMPARE(seite, QString("vorher"));
  }

  void htmlThatCannotBeWritten() {
    übergeben({"A"}, {"1"});
    auto w = listenfenster();
    common::datenpfad = QDir::currentPath() + "/gibtsnicht/";
    test::messages().expect("Der HTML-Bericht konnte nicht geschrieben werden:");
    w->roexplorer_Click(0);
    QVERIFY(test::messages().allUsed());
    QVERIFY(geöffnet_.isEmpty());
    QVERIFY(!w->isUnloaded());
  }

  // --- loading, the popup menu, closing --------------------------------------------------------

  void columnWidthsOnLoad() {
    {
      ui::sevGrid grid;
      füllen(grid, {"A", "Bezeichnung"}, {"x\tein sehr langer Text in der Zelle"});
      grid.column(1).setWidth(90);
      grid.column(2).setWidth(90);
      QVERIFY(grid.savetofile(common::datenpfad + "gridli.txt"));
    }
    common::einstellungzahl[54] = 0;
    auto w = listenfenster();
    QVERIFY(!w->kon->isChecked());
    QCOMPARE(w->gridli->column(1).width(), 90);
    common::einstellungzahl[54] = 1;
    w = listenfenster();
    QVERIFY(w->kon->isChecked());
    QVERIFY(w->gridli->column(1).width() >= 400);
    QVERIFY(w->gridli->column(2).width() > w->gridli->column(1).width());
    // Only "Schließen" stores the check box.
    w->kon->setChecked(false);
    w->close();
    QCOMPARE(common::einstellungzahl[54], 1);
    w = listenfenster();
    w->kon->setChecked(false);
    w->cmdschließen_Click();
    QVERIFY(w->isUnloaded());
    QCOMPARE(common::einstellungzahl[54], 0);
  }

  void missingHandOverFile() {
    QFile::remove(common::datenpfad + "gridli.txt");
    test::messages().expect("Die Liste konnte nicht geladen werden:");
    auto w = listenfenster();
    QVERIFY(test::messages().allUsed());
    QCOMPARE(w->gridli->rows(), 0);
  }

  void popupMenu() {
    übergeben({"A"}, {"1"});
    auto w = listenfenster();
    QCOMPARE(w->popzeile[0]->text(), QString("Übergabe an &Texteditor"));
    QVERIFY(w->popzeile[4]->isSeparator());
    w->gridli_rowclick();
    QVERIFY(w->popupliste->isVisible());
    w->popupliste->hide();
    w->popzeile[3]->trigger();
    QCOMPARE(geöffnet_.size(), 1);
    w->popzeile[5]->trigger();
    QVERIFY(w->isUnloaded());
  }
};

ZEVO_TEST_MAIN(TestZwischenliste)
#include "test_zwischenliste.moc"
