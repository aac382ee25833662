// The two steps every evaluation shares: a query's rows copied into a grid
// with the cell texts of the number and text fields, and the hand-over of
// the grid to the list window, which refuses to open on a file it could not
// write.

#include "common/variablen.h"
#include "components/sevgrid.h"
#include "output/ia_zwischenliste.h"
#include "output/listenuebergabe.h"
#include "output/registry.h"
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

  void handsOverToTheListWindow() {
    ui::sevGrid grid;
    grid.addcolumn("a", "Spalte");
    grid.additem("Wert\t");
    QStringList gelesen;
    test::forms().onWindow<IA_Zwischenliste>("IA_Zwischenliste", [&](IA_Zwischenliste& w) {
      gelesen << w.gridli->cell(1, "a");
      w.cmdschließen_Click();
    });
    QVERIFY(output::listeübergeben(grid));
    QCOMPARE(gelesen, QStringList{"Wert"});
  }

  void unwritableFileOpensNoListWindow() {
    // A folder in the file's place: the grid file cannot be written.
    QFile::remove(common::datenpfad + "gridli.txt");
    QVERIFY(QDir(common::datenpfad).mkdir("gridli.txt"));
    ui::sevGrid grid;
    grid.addcolumn("a", "Spalte");
    test::messages().expect("gridli.txt");
    QVERIFY(!output::listeübergeben(grid));
    QVERIFY(test::forms().shown().isEmpty());
    QVERIFY(test::messages().allUsed());
    QDir(common::datenpfad).rmdir("gridli.txt");
  }
};

ZEVO_TEST_MAIN(TestListenuebergabe)
#include "test_listenuebergabe.moc"
