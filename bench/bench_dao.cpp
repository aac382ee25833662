// The cost of the database layer against bare SQLite on a large database:
// the same questions asked through the layer (Jet SQL, materialized
// recordsets, typed values) and through SQLite prepared statements.
//
//   bench_dao [folder]    builds the database there (default: a temporary folder)

#include "grossedatenbank.h"

#include "platform/dao/dao.h"

#include <sqlite3.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <vector>

using namespace zevo;

namespace {

long long sink = 0;  // printed at the end, so the reads are not optimized away

// Reads every column of the current row the way a bare program would.
void readRow(sqlite3_stmt* s) {
  for (int i = 0, n = sqlite3_column_count(s); i < n; ++i) {
    switch (sqlite3_column_type(s, i)) {
      case SQLITE_INTEGER: sink += sqlite3_column_int64(s, i); break;
      case SQLITE_FLOAT: sink += static_cast<long long>(sqlite3_column_double(s, i)); break;
      case SQLITE_TEXT: sink += sqlite3_column_bytes(s, i) + sqlite3_column_text(s, i)[0]; break;
      default: break;
    }
  }
}

void readAll(dao::Recordset& rs) {
  const int n = rs.fieldCount();
  while (!rs.eof()) {
    for (int i = 0; i < n; ++i) sink += rs.fields(i).value().isValid() ? 1 : 0;
    rs.moveNext();
  }
}

sqlite3_stmt* prepare(sqlite3* db, const char* sql) {
  sqlite3_stmt* s = nullptr;
  if (sqlite3_prepare_v2(db, sql, -1, &s, nullptr) != SQLITE_OK) {
    std::fprintf(stderr, "%s: %s\n", sql, sqlite3_errmsg(db));
    std::exit(1);
  }
  return s;
}

void exec(sqlite3* db, const char* sql) {
  if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK) {
    std::fprintf(stderr, "%s: %s\n", sql, sqlite3_errmsg(db));
    std::exit(1);
  }
}

// Median milliseconds of one call, over rounds that alternate the two sides.
struct Result {
  double layer, bare;
};

Result measure(const std::function<void()>& layer, const std::function<void()>& bare, int rounds) {
  std::vector<double> a, b;
  layer();  // warm the caches of both sides
  bare();
  for (int r = 0; r < rounds; ++r) {
    QElapsedTimer t;
    t.start();
    layer();
    a.push_back(double(t.nsecsElapsed()) / 1e6);
    t.restart();
    bare();
    b.push_back(double(t.nsecsElapsed()) / 1e6);
  }
  std::sort(a.begin(), a.end());
  std::sort(b.begin(), b.end());
  return {a[a.size() / 2], b[b.size() / 2]};
}

void report(const char* name, const Result& r) {
  std::printf("%-44s %10.3f %10.3f %7.2fx\n", name, r.layer, r.bare, r.layer / r.bare);
  std::fflush(stdout);
}

// Steps through a bare statement's rows, reading them, and resets it.
void drain(sqlite3_stmt* s) {
  while (sqlite3_step(s) == SQLITE_ROW) readRow(s);
  sqlite3_reset(s);
}

// One question asked both ways; bare gets its statement prepared once.
void compare(const char* name, sqlite3* db, const char* bareSql, const std::function<void()>& layer,
             const std::function<void(sqlite3_stmt*)>& bare, int rounds = 15) {
  sqlite3_stmt* s = prepare(db, bareSql);
  report(name, measure(layer, [&] { bare(s); }, rounds));
  sqlite3_finalize(s);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QTemporaryDir temp;
  const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temp.path();
  const QString path = QDir(folder).filePath("ZEVO.MDB");
  QFile::remove(path);

  QElapsedTimer build;
  build.start();
  const QMap<QString, int> rows = bench::grossedatenbankanlegen(path);
  int bookings = 0;
  for (auto it = rows.begin(); it != rows.end(); ++it)
    if (it.key() != "Bienenvolk" && it.key() != "Standorte" && it.key() != "Wetterdaten" &&
        it.key() != "Verkauf" && it.key() != "Einkauf" && it.key() != "Honiglager")
      bookings += it.value();
  std::printf("Datenbank: %d Völker, %d Zeilen in den Buchungstabellen, erzeugt in %.1f s\n\n",
              rows.value("Bienenvolk"), bookings, double(build.elapsed()) / 1000.0);

  dao::Workspace ws;
  dao::Database db = ws.openDatabase(path, false, true);
  sqlite3* bare = nullptr;
  sqlite3_open_v2(path.toUtf8().constData(), &bare, SQLITE_OPEN_READWRITE, nullptr);
  const int colonies = rows.value("Bienenvolk");

  std::printf("%-44s %10s %10s %8s\n", "Abfrage (ms je Aufruf, Median)", "Schicht", "SQLite", "Faktor");

  // 1. The latest inspection of every colony, one query per colony (the colony summaries).
  compare(
      "letzte Stockkarte je Volk (300 Abfragen)", bare,
      "SELECT * FROM Stockkarte WHERE Volk = ? ORDER BY Datum DESC LIMIT 1",
      [&] {
        for (int v = 1; v <= colonies; ++v) {
          dao::Recordset rs = db.openRecordset("select top 1 * from Stockkarte where Volk = " + QString::number(v) +
                                               " order by Datum DESC");
          readAll(rs);
        }
      },
      [&](sqlite3_stmt* s) {
        for (int v = 1; v <= colonies; ++v) {
          sqlite3_bind_int(s, 1, v);
          drain(s);
        }
      });

  // 2. Honey sums per colony and year, in one query.
  compare(
      "Honigsummen je Volk und Jahr", bare,
      "SELECT Volk, CAST(substr(Datum, 1, 4) AS INTEGER) AS Jahr, sum(Menge_kg), sum(Honig_Wert), count(*) "
      "FROM Honigernte GROUP BY 1, 2",
      [&] {
        dao::Recordset rs = db.openRecordset(
            "select Volk, year(Datum) as Jahr, sum(Menge_kg) as Menge, sum(Honig_Wert) as Wert, "
            "count(*) as Anzahl from Honigernte group by Volk, year(Datum)");
        readAll(rs);
      },
      drain);

  // 2b. The sum of one colony and year, as the statistics ask them one by one.
  compare(
      "Summe je Volk und Jahr (450 Abfragen)", bare,
      "SELECT sum(Menge_kg), count(*) FROM Honigernte WHERE Volk = ? AND Datum >= ? AND Datum <= ?",
      [&] {
        for (int v = 1; v <= colonies; v += 10) {
          for (int y = 2009; y <= 2023; ++y) {
            dao::Recordset rs = db.openRecordset(
                QStringLiteral("select sum(Menge_kg) as summe, count(*) as Anzahl from Honigernte where Volk = "
                               "%1 and Datum >= #01/01/%2# and Datum <= #12/31/%2#")
                    .arg(v)
                    .arg(y));
            readAll(rs);
          }
        }
      },
      [&](sqlite3_stmt* s) {
        for (int v = 1; v <= colonies; v += 10) {
          for (int y = 2009; y <= 2023; ++y) {
            const QByteArray from = QByteArray::number(y) + "-01-01", to = QByteArray::number(y) + "-12-31";
            sqlite3_bind_int(s, 1, v);
            sqlite3_bind_text(s, 2, from.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(s, 3, to.constData(), -1, SQLITE_TRANSIENT);
            drain(s);
          }
        }
      });

  // 3. A crosstab: treatments per site and agent.
  compare(
      "Kreuztabelle Behandlungen je Standort", bare,
      "SELECT Standort, Mittel, count(*) FROM Bienenvolk, Behandlung WHERE Akt_im_Bestand = 'X' AND "
      "Volk = Bienenvolk.ID GROUP BY Standort, Mittel",
      [&] {
        dao::Recordset rs = db.openRecordset(
            "transform count(*) select Standort, count(*) as Anzahl from Bienenvolk, Behandlung where "
            "Akt_im_Bestand = 'X' and Volk = Bienenvolk.ID group by Standort pivot Mittel;");
        readAll(rs);
      },
      [&](sqlite3_stmt* s) {
        // The same table built by hand: one row per site, one column per agent.
        std::map<std::string, std::map<std::string, long long>> table;
        while (sqlite3_step(s) == SQLITE_ROW) {
          const char* site = reinterpret_cast<const char*>(sqlite3_column_text(s, 0));
          const char* agent = reinterpret_cast<const char*>(sqlite3_column_text(s, 1));
          table[site ? site : ""][agent ? agent : ""] += sqlite3_column_int64(s, 2);
        }
        sqlite3_reset(s);
        sink += static_cast<long long>(table.size());
      });

  // 5. A colony by its number, one query per colony: a text key of plain
  //    ASCII, looked up through the Volknr index.
  compare(
      "Volk je Volknr (300 Abfragen)", bare, "SELECT * FROM Bienenvolk WHERE Volknr = ?",
      [&] {
        for (int v = 1; v <= colonies; ++v) {
          dao::Recordset rs = db.openRecordset("select * from Bienenvolk where Volknr = '" + QString::number(v) + "'");
          readAll(rs);
        }
      },
      [&](sqlite3_stmt* s) {
        for (int v = 1; v <= colonies; ++v) {
          const QByteArray nr = QByteArray::number(v);
          sqlite3_bind_text(s, 1, nr.constData(), int(nr.size()), SQLITE_TRANSIENT);
          drain(s);
        }
      });

  // 6. The migrations to one site, by its name: plain ASCII through the
  //    Standort index; a name with an umlaut compares every row, as upper
  //    and lower case of the umlaut must match (bare SQLite: the index,
  //    telling "Ö" from "ö").
  for (const char* site : {"Heide", "Öhringer Hang"}) {
    const QString name = QString::fromUtf8(site);
    const QByteArray title = "Wanderungen nach '" + QByteArray(site) + "' (20 Abfragen)";
    compare(
        title.constData(), bare, "SELECT * FROM Wanderung WHERE Standort = ?",
        [&] {
          for (int k = 0; k < 20; ++k) {
            dao::Recordset rs = db.openRecordset("select * from Wanderung where Standort = '" + name + "'");
            readAll(rs);
          }
        },
        [&](sqlite3_stmt* s) {
          for (int k = 0; k < 20; ++k) {
            sqlite3_bind_text(s, 1, site, -1, SQLITE_STATIC);
            drain(s);
          }
        });
  }

  // 4. 10,000 dates inserted in one transaction.
  dao::Database rw = ws.openDatabase(path);
  const QDate start(2024, 1, 1);
  compare(
      "10.000 Termine in einer Transaktion", bare,
      "INSERT INTO Termine (Datum, Termin, Erledigt, Volk) VALUES (?, ?, ?, ?)",
      [&] {
        dao::Transaction t(rw);
        dao::Recordset rs = rw.openRecordset("select * from Termine where Volk = -1");
        for (int i = 0; i < 10000; ++i) {
          rs.addNew();
          rs["Datum"] = start.addDays(i % 365);
          rs["Termin"] = "Schwarmkontrolle";
          rs["Erledigt"] = "N";
          rs["Volk"] = 1 + i % colonies;
          rs.update();
        }
        t.commit();
        rw.execute("delete from Termine where Datum >= #01/01/2024#");
      },
      [&](sqlite3_stmt* s) {
        exec(bare, "BEGIN");
        for (int i = 0; i < 10000; ++i) {
          const QByteArray day = start.addDays(i % 365).toString(Qt::ISODate).toUtf8();
          sqlite3_bind_text(s, 1, day.constData(), int(day.size()), SQLITE_TRANSIENT);
          sqlite3_bind_text(s, 2, "Schwarmkontrolle", -1, SQLITE_STATIC);
          sqlite3_bind_text(s, 3, "N", -1, SQLITE_STATIC);
          sqlite3_bind_int(s, 4, 1 + i % colonies);
          sqlite3_step(s);
          sqlite3_reset(s);
        }
        exec(bare, "COMMIT");
        exec(bare, "DELETE FROM Termine WHERE Datum >= '2024-01-01'");
      },
      7);
  sqlite3_close_v2(bare);
  std::printf("\n(Prüfsumme %lld)\n", sink);
  return 0;
}
