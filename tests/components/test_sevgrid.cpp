// The unbound grid: filling, keys, sorting, finding, events, widths, files.
#include "components/sevgrid.h"
#include "support/testmain.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QTableView>

using zevo::ui::sevGrid;

namespace {

QStringList columnTexts(const sevGrid& g, int col) {
  QStringList out;
  for (int r = 1; r <= g.rows(); ++r) out << g.cell(r, col);
  return out;
}

QTableView* viewOf(sevGrid& g) { return g.findChild<QTableView*>(); }

QPoint cellCenter(sevGrid& g, int row, int col) {
  QTableView* v = viewOf(g);
  return v->visualRect(v->model()->index(row - 1, col - 1)).center();
}

// Counts every user event of a grid.
struct UserEvents {
  explicit UserEvents(sevGrid* g)
      : rowclick(g, &sevGrid::rowclick), dblclick(g, &sevGrid::dblclick), rowmove(g, &sevGrid::rowmove),
        mouseclick(g, &sevGrid::mouseclick), colresize(g, &sevGrid::colresize), aftersort(g, &sevGrid::aftersort),
        rowchange(g, &sevGrid::rowchange) {}
  int userTotal() const {
    return rowclick.count() + dblclick.count() + rowmove.count() + mouseclick.count() + colresize.count() +
           aftersort.count();
  }
  QSignalSpy rowclick, dblclick, rowmove, mouseclick, colresize, aftersort, rowchange;
};

}  // namespace

class SevGridTest : public QObject {
  Q_OBJECT
private slots:
  void addcolumnCallShapes_data() {
    QTest::addColumn<QVariantList>("further");
    QTest::addColumn<int>("align");
    QTest::addColumn<int>("numeric");
    QTest::newRow("two arguments") << QVariantList{} << 0 << 0;
    QTest::newRow("True, 1") << QVariantList{true, 1} << 1 << 1;
    QTest::newRow("-1, 1") << QVariantList{-1, 1} << 1 << 1;
    QTest::newRow("seven, text") << QVariantList{-1, 0, true, 1, 0} << 0 << 0;
    QTest::newRow("seven, number") << QVariantList{-1, 1, true, 1, 1} << 1 << 1;
    QTest::newRow("seven, right text") << QVariantList{-1, 1, true, 1, 0} << 1 << 0;
    QTest::newRow("nine") << QVariantList{-1, 1, true, 1, -1, 0, 1} << 1 << 1;
    QTest::newRow("centred") << QVariantList{-1, 2} << 2 << 0;
  }
  void addcolumnCallShapes() {
    QFETCH(QVariantList, further);
    QFETCH(int, align);
    QFETCH(int, numeric);
    sevGrid g;
    g.addcolumn("k", "Spalte", further);
    QCOMPARE(g.cols(), 1);
    QCOMPARE(g.column(1).align(), align);
    QCOMPARE(g.column(1).numeric(), numeric);
  }

  void variadicAddcolumnMatchesTheWindowsCalls() {
    sevGrid g;
    g.addcolumn("1", "Standort", -1, 0, true, 1, 0);
    g.addcolumn("3", "Max_Völker", -1, 1, true, 1, 1);
    g.addcolumn("0", "Honigernte", true, 1);
    g.addcolumn("s", "Stat", -1, 1, true, 1, -1, 0, 1);
    QCOMPARE(g.column("1").align(), 0);
    QCOMPARE(g.column("1").numeric(), 0);
    QCOMPARE(g.column("3").align(), 1);
    QCOMPARE(g.column("3").numeric(), 1);
    QCOMPARE(g.column("0").align(), 1);
    QCOMPARE(g.column("s").numeric(), 1);
  }

  void additemShapes() {
    sevGrid g;
    g.addcolumn("a", "A");
    g.addcolumn("b", "B");
    g.additem("x\ty\t");                 // the usual row text: one TAB after every cell
    QCOMPARE(g.cols(), 2);
    g.additem("x\t\t");                  // a trailing empty cell
    QCOMPARE(g.cols(), 2);
    QCOMPARE(g.cell(2, 2), QString());
    g.additem("");                       // a separator row of empty cells
    QCOMPARE(g.rows(), 3);
    QCOMPARE(g.cell(3, 1), QString());
    g.additem("p\tq");                   // without the trailing TAB
    QCOMPARE(g.cell(4, 2), QString("q"));
    g.additem("1\t2\t3\t4\t");           // longer rows add columns without key or caption
    QCOMPARE(g.cols(), 4);
    QCOMPARE(g.column(4).key(), QString());
    QCOMPARE(g.column(4).caption(), QString());
    QCOMPARE(g.cell(1, 4), QString());   // earlier rows read empty there
    QCOMPARE(g.cell(5, 4), QString("4"));
  }

  void rowsWithoutColumnsMakeTheirOwn() {
    sevGrid g;
    g.additem("HONIGERNTE");
    g.additem("VOLKNR\tDATUM\tMENGE_KG\t");
    QCOMPARE(g.cols(), 3);
    QCOMPARE(g.cell(1, 1), QString("HONIGERNTE"));
    QCOMPARE(g.cell(2, 3), QString("MENGE_KG"));
  }

  void insertAtPositionKeepsTheCurrentRecord() {
    sevGrid g;
    g.addcolumn("k", "K");
    g.additem("row a\t");
    g.additem("row b\t");
    g.setRow(2);
    for (const char* t : {"e", "d", "c", "b", "a"}) g.additem(QString(t) + "\t", 1);
    QCOMPARE(columnTexts(g, 1), QStringList({"a", "b", "c", "d", "e", "row a", "row b"}));
    QCOMPARE(g.row(), 7);
    QCOMPARE(g.cell(g.row(), "k"), QString("row b"));
  }

  void keysAreCaseInsensitiveAndDigitKeysAreTexts() {
    sevGrid g;
    g.addcolumn("NOTIZ", "Notiz");
    g.addcolumn("1", "Eins");
    g.addcolumn("3", "Drei");
    g.addcolumn("KÖNIGIN", "Königin");
    g.additem("n\t1\t3\tk\t");
    QCOMPARE(g.cell(1, "Notiz"), QString("n"));
    QCOMPARE(g.cell(1, "königin"), QString("k"));
    QCOMPARE(g.cell(1, "3"), QString("3"));      // by key: the third column added
    QCOMPARE(g.cell(1, 3), QString("3"));        // by position: the same column here
    QCOMPARE(g.column("3").index(), 3);
    QCOMPARE(g.column(2).caption(), QString("Eins"));
    QVERIFY(!g.column("2").exists());             // there is no key "2"
    g.column("2").setAlign(1);                    // and writing to it changes nothing
    QCOMPARE(g.column(2).align(), 0);
    QCOMPARE(g.cell(1, "nichtda"), QString());
    QCOMPARE(g.cell(2, 1), QString());
    QCOMPARE(g.cell(0, 1), QString());
    QCOMPARE(g.cell(1, 0), QString());
  }

  void duplicateKeysFindTheFirst() {
    sevGrid g;
    g.addcolumn("x", "erste");
    g.addcolumn("X", "zweite");
    QCOMPARE(g.column("x").caption(), QString("erste"));
  }

  void sortIsTyped_data() {
    QTest::addColumn<QStringList>("cells");
    QTest::addColumn<bool>("numeric");
    QTest::addColumn<int>("columntype");
    QTest::addColumn<QStringList>("sorted");
    QTest::newRow("numbers") << QStringList{"10", "9", "", "1.234,5", "-2", "2,5"} << true << 0
                             << QStringList{"", "-2", "2,5", "9", "10", "1.234,5"};
    QTest::newRow("dates found by their cells")
        << QStringList{"01.02.2007", "15.01.2007", "", "31.12.2006"} << false << 0
        << QStringList{"", "31.12.2006", "15.01.2007", "01.02.2007"};
    QTest::newRow("dates marked") << QStringList{"02.01.2008", "01.02.2007"} << false << 2
                                  << QStringList{"01.02.2007", "02.01.2008"};
    QTest::newRow("German text order") << QStringList{"Zander", "Äpfel", "Bär", "Ameise"} << false << 0
                                       << QStringList{"Ameise", "Äpfel", "Bär", "Zander"};
    QTest::newRow("not all dates sort as text") << QStringList{"02.01.2008", "x", "01.02.2007"} << false << 0
                                                << QStringList{"01.02.2007", "02.01.2008", "x"};
  }
  void sortIsTyped() {
    QFETCH(QStringList, cells);
    QFETCH(bool, numeric);
    QFETCH(int, columntype);
    QFETCH(QStringList, sorted);
    sevGrid g;
    g.addcolumn("v", "V");
    g.column(1).setNumeric(numeric ? 1 : 0);
    g.column(1).setColumntype(columntype);
    for (const QString& c : cells) g.additem(c + "\t");
    g.sort("v");
    QCOMPARE(columnTexts(g, 1), sorted);
    g.sort(1, 2);
    std::reverse(sorted.begin(), sorted.end());
    QCOMPARE(columnTexts(g, 1), sorted);
    QCOMPARE(g.column(1).sortorder(), 2);
  }

  void sortIsStableOverSeveralKeys() {
    sevGrid g;
    g.setAllowmultiselect(true);
    g.addcolumn("nr", "Nr");
    g.addcolumn("datum", "Datum");
    g.addcolumn("seq", "Seq");
    const QStringList input = {"V2\t02.01.2007\t1\t", "V1\t02.01.2007\t2\t", "V2\t01.01.2007\t3\t",
                               "V1\t02.01.2007\t4\t", "V10\t01.01.2007\t5\t", "V1\t01.01.2007\t6\t"};
    for (const QString& r : input) g.additem(r);
    g.setRow(4);                          // seq 4
    g.setSelected(5, true);               // seq 5
    QSignalSpy changes(&g, &sevGrid::rowchange);
    g.sort("Datum, nr");
    QCOMPARE(columnTexts(g, 3), QStringList({"6", "5", "3", "2", "4", "1"}));
    QCOMPARE(g.cell(g.row(), "seq"), QString("4"));
    QCOMPARE(g.selcount(), 1);
    QCOMPARE(g.cell(g.selrow(0), "seq"), QString("5"));
    QCOMPARE(changes.count(), 1);         // row 4 moved to row 5
    QCOMPARE(g.column("datum").sortorder(), 1);
    QCOMPARE(g.column("nr").sortorder(), 0);
  }

  void findrow_data() {
    QTest::addColumn<QString>("criteria");
    QTest::addColumn<int>("found");
    QTest::newRow("number") << "ID = 17" << 2;
    QTest::newRow("VB Str form") << "ID =" + QString(" 17") << 2;
    QTest::newRow("no blanks") << "ID=5" << 1;
    QTest::newRow("quoted, other case") << "Arbeitsart = 'füttern'" << 3;
    QTest::newRow("quote doubled") << "Arbeitsart = 'O''Neil'" << 4;
    QTest::newRow("two conditions") << "Arbeitsart = 'Füttern' AND ID = 22" << 3;
    QTest::newRow("number against a decimal cell") << "Menge = 2.5" << 2;
    QTest::newRow("not there") << "ID = 99" << 0;
    QTest::newRow("unknown column") << "Gibtsnicht = 1" << 0;
    QTest::newRow("unreadable") << "ID 17" << 0;
  }
  void findrow() {
    QFETCH(QString, criteria);
    QFETCH(int, found);
    sevGrid g;
    g.addcolumn("ID", "ID");
    g.addcolumn("Arbeitsart", "Arbeitsart");
    g.addcolumn("Menge", "Menge");
    g.additem("5\tSchleudern\t1\t");
    g.additem("17\tBehandeln\t2,5\t");
    g.additem("22\tFüttern\t0\t");
    g.additem("23\tO'Neil\t0\t");
    g.setRow(1);
    UserEvents ev(&g);
    QCOMPARE(g.findrow(criteria, false), found);
    QCOMPARE(g.row(), found ? found : 1);
    QCOMPARE(g.seekrow(criteria, false), found);
    QCOMPARE(ev.userTotal(), 0);
    QCOMPARE(ev.rowchange.count(), found > 1 ? 1 : 0);
  }

  void codeRaisesNoUserEvents() {
    sevGrid g;
    g.setAutosort(true);
    g.setAllowmultiselect(true);
    UserEvents ev(&g);
    g.addcolumn("a", "A");
    for (int i = 1; i <= 5; ++i) g.additem(QString::number(i) + "\t");
    g.setRow(3);
    g.setSelected(2, true);
    g.sort(1, 2);
    g.findrow("a = 1");
    g.removeitem(g.row());
    g.column(1).setWidth(25);
    g.autosizecolumn(1);
    g.setRow(0);
    g.clear();
    QCOMPARE(ev.userTotal(), 0);
    QVERIFY(ev.rowchange.count() >= 4);
  }

  void setRowKeepsMarksOfAMultiSelectGrid() {
    sevGrid g;
    g.setAllowmultiselect(true);
    g.addcolumn("a", "A");
    for (int i = 1; i <= 4; ++i) g.additem("x\t");
    g.setSelected(1, true);
    g.setSelected(3, true);
    g.setRow(2);
    QCOMPARE(g.selcount(), 2);
    QCOMPARE(g.selrow(0), 1);
    QCOMPARE(g.selrow(1), 3);
    QCOMPARE(g.selrow(2), 0);
    g.setRow(0);
    QCOMPARE(g.row(), 0);
    QCOMPARE(g.selcount(), 2);
  }

  void singleSelectMarksFollowTheCurrentRow() {
    sevGrid g;
    g.addcolumn("a", "A");
    for (int i = 1; i <= 3; ++i) g.additem("x\t");
    g.setRow(2);
    QCOMPARE(g.selcount(), 1);
    QCOMPARE(g.selrow(0), 2);
    g.findrow("a = 'x'");
    QCOMPARE(g.selrow(0), 1);
    g.setRow(0);
    QCOMPARE(g.selcount(), 0);
  }

  void userClicksAndKeys() {
    sevGrid g;
    g.setAllowmultiselect(true);
    g.addcolumn("a", "A");
    g.addcolumn("b", "B");
    for (int i = 1; i <= 5; ++i) g.additem(QString::number(i) + "\tx\t");
    g.resize(400, 300);
    g.show();
    QVERIFY(QTest::qWaitForWindowExposed(&g));
    QWidget* vp = viewOf(g)->viewport();
    UserEvents ev(&g);

    QTest::mouseClick(vp, Qt::LeftButton, Qt::NoModifier, cellCenter(g, 2, 2));
    QCOMPARE(ev.rowclick.count(), 1);
    QCOMPARE(ev.rowclick.at(0), QVariantList({2, 2, 1, 0}));
    QCOMPARE(g.row(), 2);
    QCOMPARE(g.selcount(), 1);

    QTest::mouseClick(vp, Qt::LeftButton, Qt::ControlModifier, cellCenter(g, 4, 1));
    QCOMPARE(g.selcount(), 2);
    QCOMPARE(g.selrow(1), 4);
    QCOMPARE(ev.rowclick.at(1).at(3).toInt(), 2);

    QTest::mouseClick(vp, Qt::LeftButton, Qt::ShiftModifier, cellCenter(g, 1, 1));
    QCOMPARE(g.selcount(), 4);           // rows 1 to 4 from the last anchor
    QCOMPARE(g.row(), 1);

    QTest::mouseClick(vp, Qt::RightButton, Qt::NoModifier, cellCenter(g, 3, 1));
    QCOMPARE(g.selcount(), 4);            // the popup acts on the marked rows
    QCOMPARE(g.row(), 3);
    QCOMPARE(ev.rowclick.last().at(2).toInt(), 2);

    QTest::keyClick(vp, Qt::Key_Down);
    QCOMPARE(ev.rowmove.count(), 1);
    QCOMPARE(ev.rowmove.at(0).at(0).toInt(), 4);
    QCOMPARE(g.selcount(), 1);

    QTest::keyClick(vp, Qt::Key_Delete);  // deletes nothing by itself
    QCOMPARE(g.rows(), 5);

    QTest::mouseClick(vp, Qt::LeftButton, Qt::NoModifier, cellCenter(g, 3, 1));   // a double click's first click
    QTest::mouseDClick(vp, Qt::LeftButton, Qt::NoModifier, cellCenter(g, 3, 1));
    QCOMPARE(ev.dblclick.count(), 1);
    QCOMPARE(g.row(), 3);

    const int clicksBefore = ev.rowclick.count();
    QTest::mouseClick(vp, Qt::RightButton, Qt::NoModifier, QPoint(vp->width() - 5, vp->height() - 5));
    QCOMPARE(ev.mouseclick.count(), 1);
    QCOMPARE(ev.mouseclick.at(0).at(0).toInt(), 2);
    QCOMPARE(ev.rowclick.count(), clicksBefore);
  }

  void headerClickSortsOnlyWithAutosort() {
    sevGrid g;
    g.addcolumn("n", "N", -1, 1);
    for (const char* t : {"3", "10", "2"}) g.additem(QString(t) + "\t");
    g.resize(300, 200);
    g.show();
    QVERIFY(QTest::qWaitForWindowExposed(&g));
    QHeaderView* h = viewOf(g)->horizontalHeader();
    const QPoint p(h->sectionViewportPosition(0) + h->sectionSize(0) / 2, h->height() / 2);
    UserEvents ev(&g);
    QTest::mouseClick(h->viewport(), Qt::LeftButton, Qt::NoModifier, p);
    QCOMPARE(ev.aftersort.count(), 0);
    QCOMPARE(columnTexts(g, 1), QStringList({"3", "10", "2"}));
    QCOMPARE(ev.mouseclick.count(), 1);   // a click that is not on a row

    g.setAutosort(true);
    QTest::mouseClick(h->viewport(), Qt::LeftButton, Qt::NoModifier, p);
    QCOMPARE(ev.aftersort.count(), 1);
    QCOMPARE(columnTexts(g, 1), QStringList({"2", "3", "10"}));
    QCOMPARE(g.column(1).sortorder(), 1);
    QTest::mouseClick(h->viewport(), Qt::LeftButton, Qt::NoModifier, p);
    QCOMPARE(columnTexts(g, 1), QStringList({"10", "3", "2"}));
    QCOMPARE(g.column(1).sortorder(), 2);
  }

  void colresizeOnlyForTheUser() {
    sevGrid g;
    g.addcolumn("a", "A");
    g.addcolumn("b", "B");
    g.show();
    QSignalSpy spy(&g, &sevGrid::colresize);
    // The window's handler raises narrow columns to 25 twips.
    connect(&g, &sevGrid::colresize, &g, [&g](int col, int w) {
      if (w < 25) g.column(col).setWidth(25);
    });
    g.column(1).setWidth(3000);
    QCOMPARE(spy.count(), 0);
    viewOf(g)->horizontalHeader()->resizeSection(1, 1);   // as the user's drag does
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0), QVariantList({2, 15}));
    QCOMPARE(g.column(2).width(), 25);
    QCOMPARE(g.column(1).width(), 3000);
  }

  void rowLabelsComeFromRowpaint() {
    sevGrid g;
    g.addcolumn("Volknr", "Volknr");
    g.additem("V7\t");
    g.additem("V9\t");
    g.rowpaint = [&g](int row, QString& text) { text = g.cell(row, "Volknr"); };
    g.setFixedcol(800);
    auto* model = viewOf(g)->model();
    QCOMPARE(model->headerData(1, Qt::Vertical).toString(), QString("V9"));
    QVERIFY(viewOf(g)->verticalHeader()->isVisibleTo(&g));
  }

  void columnWidthsByPosition() {
    sevGrid a;
    a.addcolumn("x", "X");
    a.addcolumn("y", "Y");
    a.column(1).setWidth(900);
    a.column(2).setWidth(2400);
    a.savecolwidths("ZEVO", "iv_test_li", "ColWidths");

    sevGrid b;                            // other keys, three columns
    b.addcolumn("p", "P");
    b.addcolumn("q", "Q");
    b.addcolumn("r", "R");
    b.column(3).setWidth(777);
    b.loadcolwidths("Zevo", "iv_test_li", "ColWidths");
    QCOMPARE(b.column(1).width(), 900);
    QCOMPARE(b.column(2).width(), 2400);
    QCOMPARE(b.column(3).width(), 777);   // nothing stored for it

    sevGrid c;                            // fewer columns than stored widths
    c.addcolumn("p", "P");
    c.loadcolwidths("ZEVO", "iv_test_li", "ColWidths");
    QCOMPARE(c.column(1).width(), 900);

    sevGrid d;                            // an unknown section keeps the defaults
    d.addcolumn("p", "P");
    const int before = d.column(1).width();
    d.loadcolwidths("ZEVO", "nirgends", "ColWidths");
    QCOMPARE(d.column(1).width(), before);

    QVERIFY(QDir(QDir::currentPath()).entryList(QDir::Files).isEmpty());   // nothing in the program folder
  }

  void gridFileRoundTrip() {
    sevGrid g;
    g.addcolumn("Datum", "Datum");
    g.addcolumn("1", "Menge (kg)", -1, 1, true, 1, 1);
    g.addcolumn("wt", "Mi\tDo", -1, 2);
    g.column(1).setColumntype(2);
    g.column(2).setWidth(1725);
    const QStringList cells = {"01.05.2007", "1.234,50", "Größe ÄÖÜ äöü ß €"};
    g.additem(cells.join("\t") + "\t");
    g.additem(".\t\t\t");
    g.additem("\t\t\t");
    const QString path = QDir::current().filePath("gridli.txt");
    QVERIFY(g.savetofile(path));

    sevGrid h;
    QVERIFY(h.loadfromfile(path, true));
    QCOMPARE(h.cols(), 3);
    QCOMPARE(h.rows(), 3);
    QCOMPARE(h.column(2).caption(), QString("Menge (kg)"));
    QCOMPARE(h.column(3).caption(), QString("Mi\tDo"));
    QCOMPARE(h.column(2).align(), 1);
    QCOMPARE(h.column(2).numeric(), 1);
    QCOMPARE(h.column(3).align(), 2);
    QCOMPARE(h.column(1).columntype(), 2);
    QCOMPARE(h.column(2).width(), 1725);
    QCOMPARE(h.column("1").index(), 2);
    QCOMPARE(h.cell(1, 3), cells[2]);
    QCOMPARE(h.cell(2, 1), QString("."));
    QCOMPARE(h.row(), 0);
    QVERIFY(!h.bound());
  }

  void gridFileKeepsAwkwardCells() {
    // Cells with TABs and line breaks arrive from a loaded file or a binding;
    // a file made by one grid must come back unchanged through another.
    const QStringList awkward = {"a\tb", "Zeile 1\r\nZeile 2", "C:\\Imkerei\\neu", "\\t wörtlich", "Bär\n"};
    const QString path = QDir::current().filePath("awkward.txt");
    {
      QFile f(path);
      QVERIFY(f.open(QIODevice::WriteOnly));
      QString t = "ZEVOGRID\t1\nC\t1\nk\tK\t0\t0\t0\t1200\nR\t5\n";
      t += "a\\tb\nZeile 1\\r\\nZeile 2\nC:\\\\Imkerei\\\\neu\n\\\\t wörtlich\nBär\\n\n";
      f.write(t.toUtf8());
    }
    sevGrid g;
    QVERIFY(g.loadfromfile(path));
    QCOMPARE(columnTexts(g, 1), awkward);
    const QString again = QDir::current().filePath("again.txt");
    QVERIFY(g.savetofile(again));
    sevGrid h;
    QVERIFY(h.loadfromfile(again));
    QCOMPARE(columnTexts(h, 1), awkward);
  }

  void brokenGridFilesGiveAnEmptyGrid_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("not ours") << QByteArray("Volknr;Volkname\n1;a\n");
    QTest::newRow("rows missing") << QByteArray("ZEVOGRID\t1\nC\t1\nk\tK\t0\t0\t0\t1200\nR\t2\nx\n");
    QTest::newRow("too many cells") << QByteArray("ZEVOGRID\t1\nC\t1\nk\tK\t0\t0\t0\t1200\nR\t1\nx\ty\n");
    QTest::newRow("broken escape") << QByteArray("ZEVOGRID\t1\nC\t1\nk\tK\t0\t0\t0\t1200\nR\t1\nx\\q\n");
    QTest::newRow("not UTF-8") << QByteArray("ZEVOGRID\t1\nC\t1\nk\tK\t0\t0\t0\t1200\nR\t1\nB\xe4r\n");
    QTest::newRow("empty") << QByteArray();
  }
  void brokenGridFilesGiveAnEmptyGrid() {
    QFETCH(QByteArray, content);
    const QString path = QDir::current().filePath("kaputt.txt");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
    f.close();
    sevGrid g;
    g.addcolumn("a", "A");
    g.additem("alt\t");
    g.setRow(1);
    QVERIFY(!g.loadfromfile(path, true));
    QCOMPARE(g.rows(), 0);
    QCOMPARE(g.cols(), 0);
    QCOMPARE(g.row(), 0);
    QVERIFY(!g.loadfromfile(QDir::current().filePath("fehlt.txt")));
  }

  void htmlPages() {
    QDir dir(QDir::current().filePath("html"));
    QVERIFY(dir.mkpath("."));
    for (const char* stale : {"report-7.htm", "report-2.htm"}) {
      QFile f(dir.filePath(stale));
      QVERIFY(f.open(QIODevice::WriteOnly));
    }
    QFile keep(dir.filePath("report-notizen.htm"));
    QVERIFY(keep.open(QIODevice::WriteOnly));
    keep.close();

    sevGrid g;
    g.addcolumn("a", "Volk <Nr>");
    g.addcolumn("b", "Menge", -1, 1);
    for (int i = 1; i <= 65; ++i) g.additem(QString("V%1 & \"Bär\"\t%2\t").arg(i).arg(i));
    g.setHtmltitle("01.05.2007   Imkerei Müller");
    g.setHtmlpagerows(30);
    g.setHtmloption(true);
    QList<QVariantList> pageCalls, footerCalls;
    g.pagetext = [&](int page, int pages, QString& text) {
      pageCalls << QVariantList{page, pages, text};
      text = QString("Seite %1 von %2").arg(page).arg(pages);
    };
    g.footertext = [&](int page, int pages, int records, QString& text) {
      footerCalls << QVariantList{page, pages, records, text};
      if (page == pages) text = QString("Anzahl Datensätze:  %1").arg(records);
    };
    QVERIFY(g.savehtml(dir.filePath("report.htm")));
    QCOMPARE(pageCalls.size(), 3);
    QCOMPARE(pageCalls[0], QVariantList({1, 3, QString()}));
    QCOMPARE(footerCalls[2], QVariantList({3, 3, 65, QString()}));
    QStringList files = dir.entryList({"report*.htm"}, QDir::Files, QDir::Name);
    QCOMPARE(files, QStringList({"report-2.htm", "report-3.htm", "report-notizen.htm", "report.htm"}));
    QCOMPARE(g.htmlfiles().size(), 3);

    auto read = [&](const QString& name) {
      QFile f(dir.filePath(name));
      if (!f.open(QIODevice::ReadOnly)) return QString();
      return QString::fromUtf8(f.readAll());
    };
    const QString p1 = read("report.htm"), p3 = read("report-3.htm");
    QVERIFY(p1.contains("<meta charset=\"utf-8\">"));
    QVERIFY(p1.contains("Imkerei Müller"));
    QVERIFY(p1.contains("Volk &lt;Nr&gt;"));
    QVERIFY(p1.contains("V1 &amp; &quot;Bär&quot;"));
    QVERIFY(p1.contains("V30 &amp;"));
    QVERIFY(!p1.contains("V31 &amp;"));
    QVERIFY(p1.contains("Seite 1 von 3"));
    QVERIFY(!p1.contains("Anzahl"));
    QVERIFY(p1.contains("href=\"report-2.htm\""));
    QVERIFY(p3.contains("V65 &amp;"));
    QVERIFY(p3.contains("Anzahl Datensätze:  65"));
    QVERIFY(p3.contains("href=\"report-2.htm\""));
    QVERIFY(!p3.contains("report-4.htm"));

    // Fewer rows later: one page, and the old page files are gone.
    g.clear();
    g.addcolumn("a", "A");
    g.additem("nur eine\t");
    g.pagetext = nullptr;
    g.footertext = nullptr;
    QVERIFY(g.savehtml(dir.filePath("report.htm")));
    files = dir.entryList({"report*.htm"}, QDir::Files, QDir::Name);
    QCOMPARE(files, QStringList({"report-notizen.htm", "report.htm"}));
    QVERIFY(!read("report.htm").contains("Seite"));

    QList<QUrl> opened;
    sevGrid::urlOpener() = [&](const QUrl& u) { opened << u; return true; };
    g.showhtml(1, true);
    g.showhtmlie(1, true, true);
    QCOMPARE(opened.size(), 2);
    QCOMPARE(opened[0], QUrl::fromLocalFile(dir.filePath("report.htm")));
  }

  void emptyGridMakesOneHtmlPage() {
    sevGrid g;
    g.setHtmlpagerows(30);
    QVERIFY(g.savehtml(QDir::current().filePath("leer.htm")));
    QCOMPARE(g.htmlfiles().size(), 1);
    QVERIFY(!g.savehtml(QDir::current().filePath("gibtsnicht/report.htm")));
  }

  void lockupdateBatchesRows() {
    sevGrid g;
    auto* model = viewOf(g)->model();
    g.addcolumn("a", "A");
    g.lockupdate(true);
    QVERIFY(!g.updatesEnabled());
    for (int i = 0; i < 10000; ++i) g.additem(QString::number(i) + "\tz\t");
    QCOMPARE(g.rows(), 10000);
    QCOMPARE(g.cols(), 2);
    g.lockupdate(false);
    QVERIFY(g.updatesEnabled());
    QCOMPARE(model->rowCount(), 10000);
    QCOMPARE(model->columnCount(), 2);
    g.additem("x\t");                     // unlocked rows reach the view at once
    QCOMPARE(model->rowCount(), 10001);

    // The list window fits its columns while painting is suspended.
    g.lockupdate(true);
    g.autosizecolumn(1);
    g.column(2).setWidth(400);
    g.column(2).setCaption("Zett");
    g.lockupdate(false);
    QHeaderView* h = viewOf(g)->horizontalHeader();
    QCOMPARE(h->sectionSize(0) * 15, g.column(1).width());
    QCOMPARE(h->sectionSize(1), 27);
    QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QString("Zett"));
  }

  void removeitemOnAnUnboundGrid() {
    sevGrid g;
    g.addcolumn("a", "A");
    for (const char* t : {"1", "2", "3"}) g.additem(QString(t) + "\t");
    g.setRow(3);
    QSignalSpy changes(&g, &sevGrid::rowchange);
    g.removeitem(3);
    QCOMPARE(g.row(), 2);
    QCOMPARE(changes.count(), 1);
    g.removeitem(1);
    QCOMPARE(columnTexts(g, 1), QStringList({"2"}));
    QCOMPARE(g.row(), 1);
    g.removeitem(1);
    QCOMPARE(g.row(), 0);
    g.removeitem(5);                      // out of range: nothing
    QCOMPARE(g.rows(), 0);
  }
};

ZEVO_TEST_MAIN(SevGridTest)
#include "test_sevgrid.moc"
