// The unbound grid: filling, keys, sorting, finding, events, widths, files.
#include "components/sevgrid.h"
#include "platform/runtime/vb.h"
#include "support/raster.h"
#include "support/testmain.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableView>

using zevo::ui::sevGrid;
using zevo::test::cellCenter;
using zevo::test::viewOf;

namespace {

QStringList columnTexts(const sevGrid& g, int col) {
  QStringList out;
  for (int r = 1; r <= g.rows(); ++r) out << g.cell(r, col);
  return out;
}

// One column "a" with one row per text.
void fill(sevGrid& g, const QStringList& cells) {
  g.addcolumn("a", "A");
  for (const QString& c : cells) g.additem(c + "\t");
}

void writeBytes(const QString& path, const QByteArray& content) {
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write(content);
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
  void addcolumnCallShapes() {
    // The further arguments of the windows' calls, and align * 10 + numeric they give.
    const QList<QPair<QVariantList, int>> shapes = {
        {{}, 0}, {{true, 1}, 11}, {{-1, 1, true, 1, 0}, 10}, {{-1, 1, true, 1, -1, 0, 1}, 11}, {{-1, 2}, 20}};
    sevGrid g;
    for (const auto& [further, expected] : shapes) {
      g.addcolumn("k", "Spalte", further);
      QCOMPARE(g.column(g.cols()).align() * 10 + g.column(g.cols()).numeric(), expected);
    }
  }

  void additemShapes() {
    sevGrid g;
    g.additem("HONIGERNTE");              // rows without columns make their own
    g.additem("x\ty\t");                  // the usual row text: one TAB after every cell
    g.additem("");                        // a separator row of empty cells
    g.additem("p\tq");                    // without the trailing TAB
    QCOMPARE(g.cols(), 2);
    g.additem("1\t2\t3\t4\t");            // longer rows add columns without key or caption
    QCOMPARE(g.cols(), 4);
    QCOMPARE(g.column(4).key(), QString());
    QCOMPARE(columnTexts(g, 1), QStringList({"HONIGERNTE", "x", "", "p", "1"}));
    QCOMPARE(columnTexts(g, 2), QStringList({"", "y", "", "q", "2"}));
    QCOMPARE(columnTexts(g, 4), QStringList({"", "", "", "", "4"}));   // earlier rows read empty there

    sevGrid h;                            // inserting keeps the current record
    fill(h, {"row a", "row b"});
    h.setRow(2);
    h.lockupdate(true);
    for (const char* t : {"c", "b", "a"}) h.additem(QString(t) + "\t", 1);
    h.lockupdate(false);                  // rows added while locked reach the view now
    QCOMPARE(viewOf(h)->model()->rowCount(), 5);
    QCOMPARE(columnTexts(h, 1), QStringList({"a", "b", "c", "row a", "row b"}));
    QCOMPARE(h.cell(h.row(), "a"), QString("row b"));

    // A row of cells is the row of their texts each followed by a TAB,
    // also where a cell holds a TAB of its own.
    const QList<QStringList> zeilen = {{"x", "y"}, {}, {""}, {"a\tb", "c"}, {"1", "2", "3", "4", "5"},
                                       {"", "", "z"}, {"end\t"}, {"Bär", " leer "}};
    sevGrid alsText, alsZellen;
    alsZellen.lockupdate(true);
    for (const QStringList& z : zeilen) {
      alsText.additem(z.isEmpty() ? QString() : z.join('\t') + '\t');
      alsZellen.addcells(z);
    }
    alsZellen.lockupdate(false);
    QCOMPARE(alsZellen.rows(), alsText.rows());
    QCOMPARE(alsZellen.cols(), alsText.cols());
    QCOMPARE(viewOf(alsZellen)->model()->rowCount(), int(zeilen.size()));
    for (int c = 1; c <= alsText.cols(); ++c) QCOMPARE(columnTexts(alsZellen, c), columnTexts(alsText, c));
    QCOMPARE(columnTexts(alsZellen, 1).mid(3, 2), QStringList({"a", "1"}));
  }

  void keysAreCaseInsensitiveAndDigitKeysAreTexts() {
    sevGrid g;
    g.addcolumn("NOTIZ", "Notiz");
    g.addcolumn("1", "Eins");
    g.addcolumn("3", "Drei");
    g.addcolumn("KÖNIGIN", "Königin");
    g.addcolumn("königin", "doppelt");
    g.additem("n\t1\t3\tk\t");
    QCOMPARE(g.cell(1, "königin"), QString("k"));
    QCOMPARE(g.column("Königin").caption(), QString("Königin"));   // the first of equal keys
    QCOMPARE(g.column("3").index(), 3);
    QVERIFY(!g.column("2").exists());     // there is no key "2"
    g.column("2").setAlign(1);            // and writing to it changes nothing
    QCOMPARE(g.column(2).align(), 0);
    QCOMPARE(g.cell(1, "nichtda") + g.cell(0, 1), QString());
  }

  void sortIsTyped_data() {
    QTest::addColumn<QStringList>("cells");
    QTest::addColumn<bool>("numeric");
    QTest::addColumn<QStringList>("sorted");
    QTest::newRow("numbers") << QStringList{"10", "9", "", "1.234,5", "-2", "2,5"} << true
                             << QStringList{"", "-2", "2,5", "9", "10", "1.234,5"};
    QTest::newRow("dates found by their cells") << QStringList{"01.02.2007", "15.01.2007", "", "31.12.2006"}
                                                << false << QStringList{"", "31.12.2006", "15.01.2007", "01.02.2007"};
    QTest::newRow("German text order") << QStringList{"Zander", "Äpfel", "Bär", "Ameise"} << false
                                       << QStringList{"Ameise", "Äpfel", "Bär", "Zander"};
    QTest::newRow("not all dates sort as text") << QStringList{"02.01.2008", "x", "01.02.2007"} << false
                                                << QStringList{"01.02.2007", "02.01.2008", "x"};
  }
  void sortIsTyped() {
    QFETCH(QStringList, cells);
    QFETCH(bool, numeric);
    QFETCH(QStringList, sorted);
    sevGrid g;
    fill(g, cells);
    g.column(1).setNumeric(numeric ? 1 : 0);
    g.sort("a");
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
    for (const char* r : {"V2\t02.01.2007\t1\t", "V1\t02.01.2007\t2\t", "V2\t01.01.2007\t3\t",
                          "V1\t02.01.2007\t4\t", "V10\t01.01.2007\t5\t", "V1\t01.01.2007\t6\t"})
      g.additem(r);
    g.setRow(4);                          // seq 4
    g.setSelected(5, true);               // seq 5
    QSignalSpy changes(&g, &sevGrid::rowchange);
    g.sort("Datum, nr");
    QCOMPARE(columnTexts(g, 3), QStringList({"6", "5", "3", "2", "4", "1"}));
    QCOMPARE(g.cell(g.row(), "seq"), QString("4"));
    QCOMPARE(g.selcount(), 1);
    QCOMPARE(g.cell(g.selrow(0), "seq"), QString("5"));
    QCOMPARE(changes.count(), 1);         // row 4 moved to row 5
    g.setRow(0);                          // a multi-select grid keeps its marks
    QCOMPARE(g.selcount(), 1);
    QCOMPARE(g.selrow(1), 0);

    // Equal numbers written in different ways keep their order as well.
    QStringList zahlen, eins;
    for (int k = 0; k < 30; ++k) {
      eins << (k % 2 ? QString(k / 2, '0') + "1" : "1," + QString(k / 2, '0'));
      zahlen << (k % 3 ? "2" : "0,5") << eins.last();
    }
    sevGrid z;
    fill(z, zahlen);
    z.column(1).setNumeric(1);
    z.sort("a");
    QCOMPARE(columnTexts(z, 1).mid(10, 30), eins);
  }

  // The sort compares one key per row; each pair of keys must order as the
  // German text order orders the texts.
  void textKeysOrderAsTheTextOrder() {
    const QStringList wörter{"",      "a",      "A",      "ab",     "aB",   "abß",   "abs",    "abss", "Äb",
                             "äb",    "Abt",    "ÄPFEL",  "Apfel",  "apfel", "Straße", "Strasse", "strasse",
                             "Straßen", "é",    "e",      "f",      "10",    "9",      "Zander", "z`x", "Œuvre"};
    auto sign = [](int x) { return (x > 0) - (x < 0); };
    for (const QString& a : wörter)
      for (const QString& b : wörter)
        QVERIFY2(sign(zevo::vb::textSortKey(a).compare(zevo::vb::textSortKey(b))) == sign(zevo::vb::textCompare(a, b)),
                 qPrintable(a + " / " + b));
  }

  // Empty rows inserted in one pass stand where inserting them one at a
  // time from the bottom puts them, and the current row moves with its row.
  void emptyRowsInOnePass() {
    const QList<int> stellen[] = {{2, 4}, {4, 2, 2}, {1, 5}, {0, 6, 3}, {}};
    for (const QList<int>& p : stellen) {
      sevGrid einzeln, einmal;
      for (sevGrid* g : {&einzeln, &einmal}) {
        fill(*g, {"a", "b", "c", "d", "e"});
        g->setRow(3);
      }
      QList<int> absteigend = p;
      std::sort(absteigend.begin(), absteigend.end(), std::greater<int>());
      for (int r : absteigend)
        if (r >= 1 && r <= 5) einzeln.additem(QString(), r);
      einmal.insertemptyrows(p);
      QCOMPARE(columnTexts(einmal, 1), columnTexts(einzeln, 1));
      QCOMPARE(einmal.row(), einzeln.row());
      QCOMPARE(einmal.cell(einmal.row(), 1), QString("c"));
    }
  }

  void findrow_data() {
    QTest::addColumn<QString>("criteria");
    QTest::addColumn<int>("found");
    QTest::newRow("number") << "ID=17" << 2;
    QTest::newRow("quoted, other case") << "Arbeitsart = 'füttern'" << 3;
    QTest::newRow("quote doubled") << "Arbeitsart = 'O''Neil'" << 4;
    QTest::newRow("two conditions") << "Arbeitsart = 'Füttern' AND ID = 22" << 3;
    QTest::newRow("number against a decimal cell") << "Menge = 2.5" << 2;
    QTest::newRow("not there") << "ID = 99" << 0;
    QTest::newRow("unreadable") << "ID 17" << 0;
    // A quoted text finds the row the database would take as the same.
    QTest::newRow("acute, not its grave twin above") << "Arbeitsart = 'Café'" << 6;
    QTest::newRow("grave, not its acute twin") << "Arbeitsart = 'cafè'" << 5;
    QTest::newRow("accented capitals") << "Arbeitsart = 'CAFÉ'" << 6;
    QTest::newRow("no accent: neither twin") << "Arbeitsart = 'Cafe'" << 0;
    QTest::newRow("ß is not ss") << "Arbeitsart = 'Strasse'" << 0;
    QTest::newRow("ß itself") << "Arbeitsart = 'STRAßE'" << 7;
  }
  void findrow() {
    QFETCH(QString, criteria);
    QFETCH(int, found);
    sevGrid g;
    g.addcolumn("ID", "ID");
    g.addcolumn("Arbeitsart", "Arbeitsart");
    g.addcolumn("Menge", "Menge");
    for (const char* r : {"5\tSchleudern\t1\t", "17\tBehandeln\t2,5\t", "22\tFüttern\t0\t", "23\tO'Neil\t0\t",
                          "24\tCafè\t0\t", "25\tCafé\t0\t", "26\tStraße\t0\t"})
      g.additem(QString::fromUtf8(r));
    g.setRow(1);
    UserEvents ev(&g);
    QCOMPARE(g.findrow(criteria, false), found);
    QCOMPARE(g.row(), found ? found : 1);
    QCOMPARE(g.selrow(0), g.row());       // single select: the mark follows the current row
    QCOMPARE(ev.userTotal(), 0);
    QCOMPARE(ev.rowchange.count(), found > 1 ? 1 : 0);
    g.setRow(0);
    QCOMPARE(g.selcount(), 0);
  }

  void codeRaisesNoUserEvents() {
    sevGrid g;
    g.setAutosort(true);
    g.setAllowmultiselect(true);
    UserEvents ev(&g);
    fill(g, {"1", "2", "3", "4", "5"});
    g.setRow(3);
    g.setSelected(2, true);
    g.sort(1, 2);
    g.findrow("a = 1");
    g.removeitem(g.row());                // the last row: the one before becomes current
    QCOMPARE(g.cell(g.row(), 1), QString("2"));
    g.removeitem(9);                      // out of range: nothing
    g.setRow(2);
    g.removeitem(1);                      // a row above: the current record stays current
    QCOMPARE(columnTexts(g, 1), QStringList({"4", "3", "2"}));
    QCOMPARE(g.cell(g.row(), 1), QString("4"));
    g.column(1).setWidth(25);
    g.autosizecolumn(1);
    g.setRow(0);
    g.clear();
    QCOMPARE(ev.userTotal(), 0);
    QVERIFY(ev.rowchange.count() >= 4);
  }

  // A row found after the grid is filled anew is shown whole, also when the
  // new columns bring a horizontal scroll bar with them.
  void foundRowShownWhole() {
    sevGrid g;
    g.resize(300, 200);
    g.show();
    QVERIFY(QTest::qWaitForWindowExposed(&g));
    g.lockupdate(true);
    g.addcolumn("a", "A");
    g.addcolumn("b", "B");
    g.addcolumn("c", "C");
    for (int i = 1; i <= 40; ++i) g.additem(QString::number(i) + "\tx\ty\t");
    for (int c = 1; c <= 3; ++c) g.column(c).setWidth(2000);
    g.lockupdate(false);
    g.refresh();
    QCOMPARE(g.findrow("a = '40'", false), 40);
    QApplication::processEvents();
    QTableView* v = viewOf(g);
    const QRect zeile = v->visualRect(v->model()->index(39, 0));
    QVERIFY2(v->viewport()->rect().contains(zeile), qPrintable(QString("row %1..%2, view %3")
                                                                 .arg(zeile.top()).arg(zeile.bottom())
                                                                 .arg(v->viewport()->height())));
  }

  // A header click sorts the rows and leaves the view where the user put it:
  // scrolled fully right, the sorted column stays in sight and the current
  // row is shown at its new place, ascending and descending alike.
  void sortKeepsTheView() {
    sevGrid g;
    g.setAutosort(true);
    g.resize(320, 220);
    g.show();
    QVERIFY(QTest::qWaitForWindowExposed(&g));
    for (int c = 1; c <= 6; ++c) g.addcolumn("k" + QString::number(c), "K" + QString::number(c));
    for (int i = 1; i <= 60; ++i) g.additem(QString("%1\tb\tc\td\te\t%2\t").arg(i).arg(i % 2 ? i : 100 + i));
    for (int c = 1; c <= 6; ++c) g.column(c).setWidth(2000);
    g.column(6).setNumeric(1);
    zevo::test::cellClick(g, 50, 6);
    QCOMPARE(g.cell(g.row(), 6), QString("150"));
    QVERIFY(viewOf(g)->horizontalScrollBar()->maximum() > 0);
    zevo::test::sortierenhältdieansicht(g, "k6", "k1");
    QCOMPARE(g.cell(1, 6), QString("160"));   // down after up
    QCOMPARE(g.cell(g.row(), 6), QString("150"));
    g.sort("k1");                             // a window's own sort keeps the view as well
    QApplication::processEvents();
    QCOMPARE(viewOf(g)->horizontalScrollBar()->value(), viewOf(g)->horizontalScrollBar()->maximum());
    g.setRow(0);                              // and without a current row
    zevo::test::sortierenhältdieansicht(g, "k5", "k1");
    // And so does a click on a row while scrolled right.
    zevo::test::cellClick(g, 3, 6);
    QApplication::processEvents();
    QCOMPARE(viewOf(g)->horizontalScrollBar()->value(), viewOf(g)->horizontalScrollBar()->maximum());
  }

  void userEvents() {
    sevGrid g;
    g.setAllowmultiselect(true);
    g.addcolumn("a", "A");
    g.addcolumn("b", "B");
    for (const char* t : {"3", "10", "2", "1", "5"}) g.additem(QString(t) + "\tx\t");
    g.column(1).setNumeric(1);
    g.resize(400, 300);
    g.show();
    QVERIFY(QTest::qWaitForWindowExposed(&g));
    QWidget* vp = viewOf(g)->viewport();
    UserEvents ev(&g);

    QTest::mouseClick(vp, Qt::LeftButton, Qt::NoModifier, cellCenter(g, 2, 2));
    QCOMPARE(ev.rowclick.at(0), QVariantList({2, 2, 1, 0}));
    QTest::mouseClick(vp, Qt::LeftButton, Qt::ControlModifier, cellCenter(g, 4, 1));
    QCOMPARE(g.selcount(), 2);
    QTest::mouseClick(vp, Qt::LeftButton, Qt::ShiftModifier, cellCenter(g, 1, 1));
    QTest::mouseClick(vp, Qt::RightButton, Qt::NoModifier, cellCenter(g, 3, 1));
    QCOMPARE(g.selcount(), 4);            // rows 1 to 4 from the last anchor; the popup acts on them
    QCOMPARE(g.row(), 3);

    QTest::keyClick(vp, Qt::Key_Down);
    QTest::keyClick(vp, Qt::Key_Delete);  // deletes nothing by itself
    QCOMPARE(ev.rowmove.at(0).at(0).toInt(), 4);
    QCOMPARE(g.selcount() + g.rows(), 6);

    QTest::mouseClick(vp, Qt::LeftButton, Qt::NoModifier, cellCenter(g, 3, 1));   // a double click's first click
    QTest::mouseDClick(vp, Qt::LeftButton, Qt::NoModifier, cellCenter(g, 3, 1));
    QCOMPARE(ev.dblclick.count(), 1);
    const int clicksBefore = ev.rowclick.count();
    QTest::mouseClick(vp, Qt::RightButton, Qt::NoModifier, QPoint(vp->width() - 5, vp->height() - 5));
    QCOMPARE(ev.mouseclick.at(0).at(0).toInt(), 2);
    QCOMPARE(ev.rowclick.count(), clicksBefore);

    // A header click sorts only with autosort, first up, then down.
    QHeaderView* h = viewOf(g)->horizontalHeader();
    const QPoint p = zevo::test::headerCenter(g, 1);
    QTest::mouseClick(h->viewport(), Qt::LeftButton, Qt::NoModifier, p);
    QCOMPARE(g.cell(1, 1), QString("3"));
    g.setAutosort(true);
    QTest::mouseClick(h->viewport(), Qt::LeftButton, Qt::NoModifier, p);
    QCOMPARE(columnTexts(g, 1), QStringList({"1", "2", "3", "5", "10"}));
    QTest::mouseClick(h->viewport(), Qt::LeftButton, Qt::NoModifier, p);
    QCOMPARE(g.cell(1, 1), QString("10"));
    QCOMPARE(ev.aftersort.count(), 2);

    // The window's colresize handler raises narrow columns to 25 twips.
    connect(&g, &sevGrid::colresize, &g, [&g](int col, int w) {
      if (w < 25) g.column(col).setWidth(25);
    });
    g.column(1).setWidth(3000);
    h->resizeSection(1, 1);               // as the user's drag does
    QCOMPARE(ev.colresize.count(), 1);
    QCOMPARE(ev.colresize.at(0), QVariantList({2, 15}));
    QCOMPARE(g.column(2).width(), 25);
    QCOMPARE(g.column(1).width(), 3000);
  }

  // A column nobody gave a width starts wide enough for its texts: those of
  // the first rows and the longest further down, from the default width to
  // a limit; a width set by the window stays.
  void startingWidths() {
    const QString ort = "Rapsfeld Nord am Mühlbach", titel = "KÖNIGINWECHSEL", weit = "WWWWWWWW";
    QStringList weiter(150, "a"), schmal(70, "iiiiiiiiiiii");
    weiter[70] = "Heide", weiter[100] = ort, weiter[120] = "Kleefeld";
    schmal.prepend(weit);
    QStringList dritte(150, "a");   // the widest text is the third longest
    dritte[70] = QString(16, 'i'), dritte[80] = QString(15, 'i'), dritte[100] = weit;
    QStringList überschrift(150, "1");   // a block title far down, below longer names in small letters
    for (int i = 70; i < 75; ++i) überschrift[i] = "lili " + QString(15, 'i');
    überschrift[120] = "GEWICHTSMESSUNG";
    struct Fall {
      const char* name;
      QStringList zellen;
      bool gesperrt;
      int gesetzt;      // a width the window sets before the rows come
      QString lesbar;   // a text the width must show whole, else the width
      int breite;
    } fälle[] = {
        {"title in a column the rows add", {titel, "VOLKNR", "1"}, true, 0, titel, 0},
        {"a wide text among the first rows", schmal, true, 0, weit, 0},
        {"the longest text far down", weiter, true, 0, ort, 0},
        {"the third longest further down", dritte, true, 0, weit, 0},
        {"a title in capitals far down", überschrift, true, 0, "GEWICHTSMESSUNG", 0},
        {"filled row by row", {ort, "a"}, false, 0, ort, 0},
        {"short texts: the default", {"J", "N"}, true, 0, "", 1200},
        {"a long remark: the limit", {QString(300, 'x')}, true, 0, "", 6000},
        {"a width the window set", {ort}, true, 900, "", 900},
    };
    for (const Fall& f : fälle) {
      sevGrid g;
      if (f.gesetzt || !f.gesperrt) g.addcolumn("a", "A");   // else the rows make the column
      g.lockupdate(f.gesperrt);
      if (f.gesetzt) g.column(1).setWidth(f.gesetzt);
      for (const QString& z : f.zellen) g.additem(z + "\t");
      g.lockupdate(false);
      const int px = viewOf(g)->fontMetrics().horizontalAdvance(f.lesbar);
      if (f.lesbar.isEmpty()) QVERIFY2(g.column(1).width() == f.breite, f.name);
      else QVERIFY2(g.column(1).width() / 15 >= px, f.name);
    }
    // Once set, a width stays when the widest row goes, or the user drags it
    // before any row came.
    sevGrid g, h;
    fill(g, {ort, "a"});
    const int breite = g.column(1).width();
    g.removeitem(1);
    h.addcolumn("b", "B");
    h.show();
    viewOf(h)->horizontalHeader()->resizeSection(0, 50);   // as the user drags
    h.additem(ort + "\t");
    QCOMPARE(QList<int>({g.column(1).width(), h.column(1).width()}), QList<int>({breite, 750}));
  }

  void columnWidthsByPosition() {
    sevGrid a;
    a.addcolumn("x", "X");
    a.addcolumn("y", "Y");
    a.column(1).setWidth(900);
    a.column(2).setWidth(2400);
    a.savecolwidths("ZEVO", "iv_test_li", "ColWidths");

    sevGrid b;                            // other keys, three columns
    for (const char* k : {"p", "q", "r"}) b.addcolumn(k, k);
    b.column(3).setWidth(777);
    b.loadcolwidths("Zevo", "iv_test_li", "ColWidths");
    b.column(1).setWidth(901);
    b.loadcolwidths("ZEVO", "nirgends", "ColWidths");   // an unknown section keeps the widths
    b.additem("Rapsfeld Nord am Mühlbach\tRapsfeld Nord am Mühlbach\tx\t");   // rows do not undo them
    QCOMPARE(QList<int>({b.column(1).width(), b.column(2).width(), b.column(3).width()}),
             QList<int>({901, 2400, 777}));   // nothing stored for the third
    QVERIFY(QDir(QDir::currentPath()).entryList(QDir::Files).isEmpty());   // nothing in the program folder
  }

  void gridFileRoundTrip() {
    sevGrid g;
    g.addcolumn("Datum", "Datum");
    g.addcolumn("1", "Menge (kg)", -1, 1, true, 1, 1);
    g.addcolumn("wt", "Mi\tDo", -1, 2);
    g.column(1).setColumntype(2);
    g.column(2).setWidth(1725);
    g.additem("01.05.2007\t1.234,50\tGröße ÄÖÜ äöü ß €\t");
    g.additem(".\t\t\t");
    const QString path = QDir::current().filePath("gridli.txt");
    QVERIFY(g.savetofile(path));
    sevGrid h;
    QVERIFY(h.loadfromfile(path, true));
    QCOMPARE(h.rows(), 2);
    QCOMPARE(h.column(3).caption(), QString("Mi\tDo"));
    QCOMPARE(QList<int>({h.column(2).numeric(), h.column(3).align(), h.column(1).columntype(), h.column(2).width(),
                         h.column("1").index()}),
             QList<int>({1, 2, 2, 1725, 2}));
    QCOMPARE(h.cell(1, 3), QString("Größe ÄÖÜ äöü ß €"));
    QCOMPARE(h.cell(2, 1), QString("."));

    // Cells with TABs and line breaks arrive from a loaded file or a binding;
    // a file made by one grid must come back unchanged through another.
    const QStringList awkward = {"a\tb", "Zeile 1\r\nZeile 2", "C:\\Imkerei\\neu", "\\t wörtlich", "Bär\n"};
    writeBytes(path, "ZEVOGRID\t1\nC\t1\nk\tK\t0\t0\t0\t1200\nR\t5\n"
                     "a\\tb\nZeile 1\\r\\nZeile 2\nC:\\\\Imkerei\\\\neu\n\\\\t wörtlich\nB\xc3\xa4r\\n\n");
    QVERIFY(g.loadfromfile(path));
    QCOMPARE(columnTexts(g, 1), awkward);
    QVERIFY(g.savetofile(path));
    QVERIFY(h.loadfromfile(path));
    QCOMPARE(columnTexts(h, 1), awkward);

    // A byte order mark before the file and a CR inside a line are read as
    // text is; the CR is written back escaped like any other.
    writeBytes(path, "\xef\xbb\xbfZEVOGRID\t1\nC\t1\nk\tK\t0\t0\t0\t1200\nR\t1\nA\rB\r\n");
    QVERIFY(g.loadfromfile(path));
    QCOMPARE(g.cell(1, 1), QString("A\rB"));
    QVERIFY(g.savetofile(path));
    QFile geschrieben(path);
    QVERIFY(geschrieben.open(QIODevice::ReadOnly));
    QVERIFY(geschrieben.readAll().endsWith("R\t1\nA\\rB\n"));

    // A broken or missing file leaves an empty grid.
    const QByteArray head = "ZEVOGRID\t1\nC\t1\nk\tK\t0\t0\t0\t1200\n";
    for (const QByteArray& kaputt : {QByteArray("Volknr;Volkname\n1;a\n"), head + "R\t2\nx\n",   // rows missing
                                     head + "R\t1\nB\xe4r\n",                                     // not UTF-8
                                     QByteArray("ZEVOGRID\t1\nC\t0\nR\t2000000000\n"),   // more rows than lines
                                     QByteArray("ZEVOGRID\t1\nC\t2000000000\n")}) {        // more columns than lines
      writeBytes(path, kaputt);
      h.setRow(1);
      QVERIFY(!h.loadfromfile(path, true));
      QCOMPARE(h.rows() + h.cols() + h.row(), 0);
    }
    QVERIFY(!h.loadfromfile(QDir::current().filePath("fehlt.txt")));
  }

  // Every cell comes back as it went in, from a row text and from its
  // cells, and after the grid file; half a surrogate pair is written as the
  // UTF-8 of a text writes it ('?').
  void cellsKeepTheirTexts_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("fromFile");
    const QString hoch(QChar(0xD800)), tief(QChar(0xDC00));
    QTest::newRow("umlauts, euro") << "Größe € ß" << "Größe € ß";
    QTest::newRow("backslashes") << "C:\\neu\\t\\" << "C:\\neu\\t\\";
    QTest::newRow("line breaks") << "a\r\nb\n" << "a\r\nb\n";
    QTest::newRow("byte order mark first") << "\uFEFF\uFEFFx" << "\uFEFF\uFEFFx";
    QTest::newRow("outside the BMP") << "\U0001F41D Biene" << "\U0001F41D Biene";
    QTest::newRow("high half alone") << hoch + "x" << "?x";
    QTest::newRow("low half alone, last") << "x" + tief << "x?";
    QTest::newRow("halves reversed") << tief + hoch << "??";
  }
  void cellsKeepTheirTexts() {
    QFETCH(QString, text);
    QFETCH(QString, fromFile);
    sevGrid g;
    g.addcolumn("a", "A");
    g.addcolumn("b", "B");
    g.additem("vor\t" + text + "\t");
    g.addcells({text, "nach"});
    QCOMPARE(QStringList({g.cell(1, 2), g.cell(2, 1), g.cell(2, 2)}), QStringList({text, text, "nach"}));
    const QString path = QDir::current().filePath("zellen.txt");
    QVERIFY(g.savetofile(path));
    sevGrid h;
    QVERIFY(h.loadfromfile(path));
    QCOMPARE(QStringList({h.cell(1, 1), h.cell(1, 2), h.cell(2, 1), h.cell(2, 2)}),
             QStringList({"vor", fromFile, fromFile, "nach"}));
  }

  // All columns of a long list are fitted in one pass over its rows: to the
  // first rows (a: many texts further down are longer, none wider) and to
  // the longest texts further down (b; c: a backslash is one character).
  void autosizeOfALongList() {
    sevGrid g;
    g.resize(300, 200);
    for (const char* k : {"a", "b", "c"}) g.addcolumn(k, k);
    g.additem(QString(25, 'W') + "\tx\tx\t");
    for (int i = 0; i < 3000; ++i)
      g.additem(QString(i >= 2900 ? 70 : 2, 'i') + "\t" + QString(i == 1500 ? 60 : 2, i == 1500 ? 'm' : 'i') + "\t" +
                (i == 2000 ? QString(6, 'W') : i > 2000 && i < 2004 ? QString(5, '\\') : "i") + "\t");
    g.autosizecolumns();
    const QFontMetrics fm(viewOf(g)->font());
    const QString lesbar[] = {QString(25, 'W'), QString(60, 'm'), QString(6, 'W')};
    for (int c = 1; c <= 3; ++c) QVERIFY2(g.column(c).width() >= (fm.horizontalAdvance(lesbar[c - 1]) + 12) * 15, qPrintable(lesbar[c - 1]));
  }

  void htmlPages() {
    QDir dir(QDir::current().filePath("html"));
    QVERIFY(dir.mkpath("."));
    for (const char* old : {"report-7.htm", "report-2.htm", "report-notizen.htm"}) writeBytes(dir.filePath(old), {});

    sevGrid g;
    g.addcolumn("a", "Volk <Nr>");
    for (int i = 1; i <= 65; ++i) g.additem(QString("V%1 & \"Bär\"\t").arg(i));
    g.setHtmltitle("01.05.2007   Imkerei Müller");
    g.setHtmlpagerows(30);
    g.pagetext = [](int page, int pages, QString& text) { text = QString("Seite %1 von %2").arg(page).arg(pages); };
    g.footertext = [](int page, int pages, int records, QString& text) {
      if (page == pages) text = QString("Anzahl Datensätze:  %1").arg(records);
    };
    QVERIFY(g.savehtml(dir.filePath("report.htm")));
    QCOMPARE(dir.entryList({"report*.htm"}, QDir::Files, QDir::Name),
             QStringList({"report-2.htm", "report-3.htm", "report-notizen.htm", "report.htm"}));

    auto read = [&](const QString& name) {
      QFile f(dir.filePath(name));
      return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    };
    const QString p1 = read("report.htm"), p3 = read("report-3.htm");
    for (const char* s : {"<meta charset=\"utf-8\">", "Imkerei Müller", "Volk &lt;Nr&gt;", "V1 &amp; &quot;Bär&quot;",
                          "V30 &amp;", "Seite 1 von 3", "href=\"report-2.htm\""})
      QVERIFY2(p1.contains(s), s);
    QVERIFY(!p1.contains("V31 &amp;") && !p1.contains("Anzahl"));
    QVERIFY(p3.contains("V65 &amp;") && p3.contains("Anzahl Datensätze:  65") && !p3.contains("report-4.htm"));

    // Fewer rows later: one page, and the old page files are gone.
    g.clear();
    QVERIFY(g.savehtml(dir.filePath("report.htm")));
    QCOMPARE(dir.entryList({"report*.htm"}, QDir::Files, QDir::Name),
             QStringList({"report-notizen.htm", "report.htm"}));
    QVERIFY(!g.savehtml(QDir::current().filePath("gibtsnicht/report.htm")));
  }
};

ZEVO_TEST_MAIN(SevGridTest)
#include "test_sevgrid.moc"
