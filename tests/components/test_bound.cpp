// Grids bound to queries and input-field lists read from the database.
#include "components/sevgrid.h"
#include "components/sevtext.h"
#include "support/testmain.h"

#include <QSignalSpy>
#include <sqlite3.h>
#include <QTableView>

using namespace zevo;
using zevo::ui::sevGrid;
using zevo::ui::sevText;

class BoundTest : public QObject {
  Q_OBJECT
  dao::Database db;

  int count(const QString& where) {
    dao::Recordset rs = db.openRecordset("select count(*) as anzahl from Honigernte where " + where);
    const int n = rs.fields(0).value().toInt();
    rs.close();
    return n;
  }

private slots:
  void initTestCase() {
    db = dao::DBEngine::workspaces(0).createDatabase(QDir::current().filePath("ZEVO.MDB"));
    db.execute("create table Honigernte (ID counter, Datum datetime, Menge_kg double, Honigsorte text(20), "
               "Zeit_h single, Volk long, Bemerkung text(30))");
    const char* rows[] = {
        "#05/01/2007#, 9, 'Raps', 0.5, 1, 'erste'",      "#04/02/2007#, 10, 'Linde', 0.1, 1, null",
        "#06/15/2006#, 12.5, 'Äpfel', 0, 1, 'alt'",      "#07/01/2007#, 3, 'Raps', 0, 2, 'anderes Volk'",
    };
    for (const char* r : rows)
      db.execute(QString("insert into Honigernte (Datum, Menge_kg, Honigsorte, Zeit_h, Volk, Bemerkung) values (%1)")
                     .arg(r));
  }

  void bindingCopiesTypedRows() {
    sevGrid g;
    QSignalSpy click(&g, &sevGrid::rowclick), move(&g, &sevGrid::rowmove), change(&g, &sevGrid::rowchange);
    dao::Recordset rs = db.openRecordset("select * from Honigernte where Volk = 1 order by Datum");
    g.clear(true);
    g.lockupdate(true);
    g.setPrebindflag(true);
    g.setRecordset(rs);
    g.lockupdate(false);
    g.refresh();
    QCOMPARE(rs.absolutePosition(), 0);       // the caller's cursor is where it was
    // What the recordset writes later is not the grid's.
    rs.edit();
    rs["Bemerkung"] = "später";
    rs.update();
    QCOMPARE(g.cell(1, "Bemerkung"), QString("alt"));
    rs.edit();
    rs["Bemerkung"] = "alt";
    rs.update();
    rs.close();
    QCOMPARE(g.sourceTable().toLower(), QString("honigernte"));
    QCOMPARE(QList<int>({g.rows(), g.cols(), g.row()}), QList<int>({3, 7, 0}));
    QCOMPARE(g.column("datum").columntype(), 2);
    QCOMPARE(g.column("Zeit_h").align() + g.column("Zeit_h").numeric(), 2);
    QCOMPARE(g.column("Honigsorte").align(), 0);
    QCOMPARE(QStringList({g.cell(1, "Datum"), g.cell(2, "Zeit_h"), g.cell(2, "Bemerkung")}),
             QStringList({"15.06.2006", "0,1", ""}));   // Null reads as empty text
    QCOMPARE(g.value(1, "Datum"), QVariant(QDate(2006, 6, 15)));
    QCOMPARE(g.value(2, "Zeit_h").typeId(), int(QMetaType::Float));
    auto* view = g.findChild<QTableView*>();
    QCOMPARE(view->model()->index(1, 4).data().toString(), QString("0,1"));
    QCOMPARE(click.count() + move.count() + change.count(), 0);
    g.sort("Menge_kg");                       // by their type: 9 before 10
    QCOMPARE(g.cell(1, "Menge_kg") + "|" + g.cell(3, "Menge_kg"), QString("9|12,5"));
    g.sort("Datum");
    QCOMPARE(g.cell(3, "Datum"), QString("01.05.2007"));
    // The number of a Single is the one its text shows.
    QCOMPARE(g.findrow("Zeit_h = 0.1"), 2);
    QCOMPARE(g.findrow("ID = " + g.cell(3, "ID")), 3);

    // A row of text among the records sorts and is written with them.
    g.additem("\t01.01.2000\t1.000\t");
    g.sort("Datum");
    QCOMPARE(g.cell(1, "Datum") + "|" + g.cell(2, "Datum"), QString("01.01.2000|15.06.2006"));
    g.sort(3, 2);
    QCOMPARE(g.cell(1, "Menge_kg"), QString("1.000"));
    const QString datei = QDir::current().filePath("gebunden.txt");
    QVERIFY(g.savetofile(datei));
    sevGrid h;
    QVERIFY(h.loadfromfile(datei));
    for (int r = 1; r <= 4; ++r)
      for (int c = 1; c <= g.cols(); ++c) QCOMPARE(h.cell(r, c), g.cell(r, c));
  }

  // A Double shows at most 15 significant digits, in the grid and in the
  // grid file the list window reads: 0.1 + 0.2 reads 0,3.
  void doublesShowFifteenDigits() {
    db.execute("insert into Honigernte (Menge_kg, Volk) values (0.30000000000000004, 3)");
    sevGrid g;
    dao::Recordset rs = db.openRecordset("select Menge_kg from Honigernte where Volk = 3");
    g.setRecordset(rs);
    QCOMPARE(g.value(1, "Menge_kg").toDouble(), 0.1 + 0.2);
    QVERIFY(g.savetofile(QDir::current().filePath("doppelt.txt")));
    sevGrid h;
    QVERIFY(h.loadfromfile(QDir::current().filePath("doppelt.txt")));
    QCOMPARE(g.cell(1, 1) + "|" + h.cell(1, 1), QString("0,3|0,3"));
    db.execute("delete from Honigernte where Volk = 3");
  }

  // A bound column is fitted to its longest text far down, read from the
  // stored values: a number, a whole number, a text (its characters counted,
  // not its bytes).
  void fittedToTheLongestValue() {
    db.execute("create table Lang (ID counter, Z double, N long, T text(30))");
    for (int i = 0; i < 80; ++i)
      db.execute(QString("insert into Lang (Z, N, T) values (%1, %2, '%3')")
                     .arg(i == 70 ? "-12345.125" : "1", i == 75 ? "12345678" : "-2",
                          i == 72 ? "Rapsfeld Nord" : i >= 61 && i <= 63 ? "äääääää" : "x"));
    sevGrid g;
    dao::Recordset rs = db.openRecordset("select * from Lang");
    g.setRecordset(rs);
    const QFontMetrics fm(g.findChild<QTableView*>()->font());
    for (const auto& [spalte, text] : {std::pair{"Z", "-12345,125"}, {"N", "12345678"}, {"T", "Rapsfeld Nord"}}) {
      g.autosizecolumn(g.colIndex(spalte));
      QVERIFY2(g.column(spalte).width() / 15 >= fm.horizontalAdvance(text) + 12, spalte);
    }
  }

  void removeitemDeletesExactlyThatRecord() {
    for (int i = 1; i <= 3; ++i)
      db.execute(QString("insert into Honigernte (Datum, Menge_kg, Honigsorte, Volk) "
                         "values (#08/0%1/2007#, %1, 'Heide', 5)").arg(i));
    sevGrid g;
    g.setAllowdelete(true);
    dao::Recordset rs = db.openRecordset("select Datum, Menge_kg, ID from Honigernte where Volk = 5 order by Datum");
    g.setRecordset(rs);
    rs.close();
    g.setRow(2);
    const QString id = g.cell(2, "ID");
    const int total = count("1 = 1");
    g.removeitem(g.row());
    QCOMPARE(count("ID = " + id), 0);
    QCOMPARE(count("1 = 1"), total - 1);
    QCOMPARE(g.rows(), 2);
    QCOMPARE(g.row(), 2);                        // the record after it became current
    QCOMPARE(g.cell(2, "Menge_kg"), QString("3"));

    // A delete the database refuses keeps the row in the grid and the record.
    sqlite3* h = nullptr;
    QCOMPARE(sqlite3_open(QDir::current().filePath("ZEVO.MDB").toUtf8().constData(), &h), SQLITE_OK);
    auto roh = [h](const char* sql) { QCOMPARE(sqlite3_exec(h, sql, nullptr, nullptr, nullptr), SQLITE_OK); };
    roh("create trigger gesperrt before delete on Honigernte begin select raise(abort, 'gesperrt'); end");
    QVERIFY_THROWS_EXCEPTION(dao::Error, g.removeitem(1));
    roh("drop trigger gesperrt");
    sqlite3_close(h);
    QCOMPARE(g.rows(), 2);
    QCOMPARE(count("1 = 1"), total - 1);

    // An ID that is no number deletes nothing and keeps the row.
    rs = db.openRecordset("select Datum, Honigsorte as ID from Honigernte where Volk = 5");
    g.setRecordset(rs);
    rs.close();
    QVERIFY_THROWS_EXCEPTION(dao::Error, g.removeitem(1));
    QCOMPARE(g.rows(), 2);
    QCOMPARE(count("1 = 1"), total - 1);
  }

  void removeitemWithoutIdOrSourceDeletesNothing() {
    sevGrid g;
    dao::Recordset rs = db.openRecordset("select Datum, Menge_kg from Honigernte where Volk = 1");
    g.setRecordset(rs);
    rs.close();
    const int total = count("1 = 1");
    QVERIFY_THROWS_EXCEPTION(dao::Error, g.removeitem(1));
    QCOMPARE(g.rows(), 3);
    g.clear(true);                               // forgets the source
    g.addcolumn("ID", "ID");
    g.additem("1\t");
    g.removeitem(1);                             // unbound now: only the row goes
    QCOMPARE(count("1 = 1"), total);
  }

  void listsFromSqlAndRecordsets() {
    sevText f;
    f.setText("Kle");
    f.setListsource(db, "select distinct Honigsorte from Honigernte order by Honigsorte");
    QCOMPARE(f.listcount(), 4);                  // filled at once
    QCOMPARE(f.listtext(0), QString("Äpfel"));
    QCOMPARE(f.text(), QString("Kle"));          // the text stays
    db.execute("insert into Honigernte (Datum, Menge_kg, Honigsorte, Volk) values (#09/01/2007#, 1, 'Klee', 9)");
    f.listrefresh();
    f.listrefresh();
    QCOMPARE(f.listcount(), 5);                  // replaced, not appended

    dao::Recordset rs = db.openRecordset("select distinct Bemerkung from Honigernte order by Bemerkung");
    f.setListsource(rs);
    rs.close();
    f.listrefresh();                             // a closed source keeps its entries
    QCOMPARE(f.listtext(0), QString());          // Null reads as empty text
    QVERIFY(f.listcount() >= 3);
  }
};

ZEVO_TEST_MAIN(BoundTest)
#include "test_bound.moc"
