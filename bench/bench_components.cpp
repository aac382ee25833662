// Binding and filling the grid with 10,000 rows, as the big lists of the
// program do (colony register, evaluations, the extended bookings list).
#include "components/sevgrid.h"
#include "platform/dao/dao.h"
#include "platform/runtime/application.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace zevo;

namespace {

constexpr int kRows = 10000;

QString rowText(int i) {
  return QStringLiteral("V%1\tVolk %1\t%2\t%3,50\t01.%4.2007\tStandort am Waldrand\tRaps\t")
      .arg(i)
      .arg(i % 99)
      .arg(i % 1000)
      .arg(i % 12 + 1, 2, 10, QLatin1Char('0'));
}

void addColumns(ui::sevGrid& g) {
  g.addcolumn("volknr", "Volknr");
  g.addcolumn("volkname", "Volkname");
  g.addcolumn("staerke", "Volkstärke", -1, 1, true, 1, 1);
  g.addcolumn("menge", "Menge", -1, 1, true, 1, 1);
  g.addcolumn("datum", "Datum");
  g.addcolumn("standort", "Standort");
  g.addcolumn("sorte", "Honigsorte");
}

// An evaluation fills its list row by row under lockupdate.
void fillLocked(benchmark::State& state) {
  QStringList texts;
  for (int i = 0; i < kRows; ++i) texts << rowText(i);
  for (auto _ : state) {
    ui::sevGrid g;
    g.clear(true);
    g.lockupdate(true);
    addColumns(g);
    for (const QString& t : texts) g.additem(t);
    g.lockupdate(false);
    g.refresh();
    benchmark::DoNotOptimize(g.rows());
  }
}
BENCHMARK(fillLocked)->Unit(benchmark::kMillisecond);

// A window that forgets lockupdate still gets its rows in linear time.
void fillUnlocked(benchmark::State& state) {
  QStringList texts;
  for (int i = 0; i < kRows; ++i) texts << rowText(i);
  for (auto _ : state) {
    ui::sevGrid g;
    addColumns(g);
    for (const QString& t : texts) g.additem(t);
    benchmark::DoNotOptimize(g.rows());
  }
}
BENCHMARK(fillUnlocked)->Unit(benchmark::kMillisecond);

// The colony register: a query of 10,000 records bound to the grid.
void bindRecordset(benchmark::State& state) {
  QTemporaryDir dir;
  dao::Database db = dao::DBEngine::workspaces(0).createDatabase(dir.filePath("BENCH.MDB"));
  db.execute("create table Bienenvolk (ID counter, Volknr text(10), Volkname text(50), Volkstärke long, "
             "Honigmenge_Gesamt double, Königin_Zugangsdatum datetime, Standort text(100), Bienenrasse text(30))");
  {
    dao::Transaction t(db);
    for (int i = 0; i < kRows; ++i)
      db.execute(QStringLiteral("insert into Bienenvolk (Volknr, Volkname, Volkstärke, Honigmenge_Gesamt, "
                                "Königin_Zugangsdatum, Standort, Bienenrasse) values ('V%1', 'Volk %1', %2, %3.5, "
                                "#05/%4/2007#, 'Standort am Waldrand', 'Carnica')")
                     .arg(i)
                     .arg(i % 99)
                     .arg(i % 1000)
                     .arg(i % 28 + 1));
    t.commit();
  }
  for (auto _ : state) {
    state.PauseTiming();
    dao::Recordset rs = db.openRecordset("select * from Bienenvolk");
    state.ResumeTiming();
    ui::sevGrid g;
    g.clear(true);
    g.lockupdate(true);
    g.setPrebindflag(true);
    g.setRecordset(rs);
    g.lockupdate(false);
    g.refresh();
    benchmark::DoNotOptimize(g.rows());
    state.PauseTiming();
    rs.close();
    state.ResumeTiming();
  }
  db.close();
}
BENCHMARK(bindRecordset)->Unit(benchmark::kMillisecond);

// A header click on the date column of a full list.
void sortByDate(benchmark::State& state) {
  ui::sevGrid g;
  g.lockupdate(true);
  addColumns(g);
  for (int i = 0; i < kRows; ++i) g.additem(rowText(i));
  g.lockupdate(false);
  int order = 1;
  for (auto _ : state) {
    g.sort(5, order);
    order = 3 - order;
  }
}
BENCHMARK(sortByDate)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  zevo::vb::Application app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
