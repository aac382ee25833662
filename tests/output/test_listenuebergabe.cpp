// The two steps every evaluation shares: a query's rows copied into a grid
// with the cell texts of the number and text fields, and the hand-over of
// the grid to the list window, which refuses to open on a file it could not
// write.

#include "common/variablen.h"
#include "components/sevgrid.h"
#include "output/ia_zwischenliste.h"
#include "output/listenuebergabe.h"
#include "output/registry.h"
#include "support/liste.h"
#include "support/testmain.h"

#include <QFile>

using namespace zevo;
using output::IA_Zwischenliste;

class TestListenuebergabe : public QObject {
  Q_OBJECT
  dao::Workspace ws_;
  dao::Database db_;

private slots:
  void initTestCase() {
    output::registerOutputForms();
    db_ = ws_.createDatabase(common::datenpfad + "liste.mdb");
    db_.execute("create table Probe (Volknr text(10), Datum datetime, Menge_g long, "
                "Kosten currency, Menge_kg single, Zeit double, Bemerkung text(50), ID counter)");
    db_.execute("insert into Probe (Volknr, Datum, Menge_g, Kosten, Menge_kg, Zeit, Bemerkung) "
                "values ('1', #05/16/2007#, 250, 12.5, 1.25, 0.5, 'O''Neil')");
    db_.execute("insert into Probe (Volknr) values ('2')");
  }
  void init() { test::resetScripts(); }

  void copiesFieldsAndCells() {
    ui::sevGrid grid;
    dao::Recordset rs = db_.openRecordset("select * from Probe order by Volknr");
    output::Übernahme wie;
    wie.ohneID = true;
    QCOMPARE(output::abfrageübernehmen(rs, grid, wie), 2);
    QCOMPARE(grid.cols(), 7);
    QCOMPARE(grid.column("Menge_g").align(), 1);
    QCOMPARE(grid.column(3).numeric(), 1);
    QCOMPARE(grid.column("Bemerkung").align(), 0);
    const QStringList erste{"1", "16.05.2007", "250", "12,50", "1,25", "0,5", "O`Neil"};
    const QStringList zweite{"2", "", "", "0,00", "0,00", "", ""};
    for (int c = 1; c <= 7; ++c) {
      QCOMPARE(grid.cell(1, c), erste[c - 1]);
      QCOMPARE(grid.cell(2, c), zweite[c - 1]);
    }
    // Doubles too, with the window's decimals; the columns exist already.
    rs = db_.openRecordset("select Zeit from Probe order by Volknr");
    ui::sevGrid zweiter;
    zweiter.addcolumn("Zeit", "Zeit");
    wie = {};
    wie.zahltypen = {dao::dbDouble};
    wie.nachkomma = 1;
    wie.spaltenanlegen = false;
    output::abfrageübernehmen(rs, zweiter, wie);
    QCOMPARE(zweiter.cols(), 1);
    QCOMPARE(zweiter.cell(1, 1), QString("0,5"));
    QCOMPARE(zweiter.cell(2, 1), QString("0,0"));
  }

  // Every cell as zellentext writes it from the field's value, over values
  // that test the edges: halves, negatives, long and tiny numbers, blanks
  // and apostrophes, dates with and without a time, whole numbers in money
  // and single columns.
  void cellsAsTheRoutinesWriteThem() {
    db_.execute("create table Werte (T text(50), D datetime, L long, C currency, S single, F double, I integer)");
    const char* const zeilen[] = {
        "'a', #01/02/2007#, 0, 0, 0, 0, 0",
        "' b ', #12/31/1999 13:45:00#, -7, -0.005, 0.125, 2.675, 99",
        "'O''Neil', #02/29/2008#, 2147483647, 12, 12, 1e-5, -3",
        "'x', #01/01/1900#, 123456, 1234567.891, 1234567.8, 123456789012.345, 5",
        "'', #06/15/2007#, 1, 0.015, -0.015, -2.5e-7, 1",
        "'  ', #06/15/2007#, 1, 99999999999.9999, 98765432, 1e20, 1",
        "'Ä ö', #06/15/2007#, 1, 0.5, 0.0049, 0.995, 1",
        "'c  ', #06/15/2007#, 1, 0.5, 0.0049, 0.995, 1",
        "' d', #06/15/2007#, 1, 0.5, 0.0049, 0.995, 1",
    };
    for (const char* z : zeilen) db_.execute(QString("insert into Werte values (%1)").arg(z));
    db_.execute("insert into Werte (T) values (null)");
    for (int nachkomma : {2, 0, 3}) {
      dao::Recordset rs = db_.openRecordset("select * from Werte");
      output::Übernahme wie;
      wie.nachkomma = nachkomma;
      wie.zahltypen = {dao::dbCurrency, dao::dbSingle, dao::dbDouble};
      ui::sevGrid grid;
      QCOMPARE(output::abfrageübernehmen(rs, grid, wie), 10);
      int r = 1;
      for (rs.moveFirst(); !rs.eof(); rs.moveNext(), ++r)
        for (int c = 0; c < rs.fieldCount(); ++c)
          QCOMPARE(grid.cell(r, c + 1), output::zellentext(rs.fields(c).value(), rs.fields(c).type(), wie));
    }
  }

  // A window's hidden grid gives up its rows once the file is written, so
  // that the list is held once while the list window is open; a grid in
  // view, or one whose window keeps its result, keeps them: listed three
  // times, the same list and the same file each time.
  void handsOverToTheListWindow() {
    QWidget fenster;
    for (int fall : {0, 1, 2}) {   // in view, hidden, hidden with its result kept
      const bool verborgen = fall > 0, behalten = fall != 1;
      auto* grid = new ui::sevGrid(&fenster);
      grid->setVisible(!verborgen);
      grid->addcolumn("a", "Spalte");
      grid->addcolumn("n", "Zahl", -1, 1, true, 1);
      grid->additem("Wert\t1,50\t");
      grid->additem("zwei\\\tx\t");
      int währenddessen = -1;
      test::Liste& liste = test::listeabfangen([&](IA_Zwischenliste&) { währenddessen = grid->rows(); });
      QByteArray erste;
      for (int mal = 1; mal <= (behalten ? 3 : 1); ++mal) {
        QVERIFY(output::listeübergeben(*grid, fall == 2));
        QCOMPARE(liste.gezeigt, mal);
        QCOMPARE(liste.titel, QStringList({"Spalte", "Zahl > #"}));
        QCOMPARE(liste.zeilen, QStringList({"Wert|1,50", "zwei\\|x"}));
        QCOMPARE(währenddessen, behalten ? 2 : 0);
        QCOMPARE(grid->rows(), behalten ? 2 : 0);
        QCOMPARE(grid->cols(), 2);
        QFile f(common::datenpfad + "gridli.txt");
        QVERIFY(f.open(QIODevice::ReadOnly));
        if (mal == 1) erste = f.readAll();
        else QCOMPARE(f.readAll(), erste);
      }
    }
  }

  void unwritableFileOpensNoListWindow() {
    // A folder in the file's place: the grid file cannot be written.
    QFile::remove(common::datenpfad + "gridli.txt");
    QVERIFY(QDir(common::datenpfad).mkdir("gridli.txt"));
    ui::sevGrid grid;
    grid.addcolumn("a", "Spalte");
    grid.additem("Wert\t");
    test::messages().expect("gridli.txt");
    QVERIFY(!output::listeübergeben(grid));
    QCOMPARE(grid.rows(), 1);                  // nothing lost
    QVERIFY(test::forms().shown().isEmpty());
    QVERIFY(test::messages().allUsed());
    QDir(common::datenpfad).rmdir("gridli.txt");
  }
};

ZEVO_TEST_MAIN(TestListenuebergabe)
#include "test_listenuebergabe.moc"
