#pragma once
// What every benchmark program shares: the program folder with its database
// file, the connection, the timed rounds and the report line.

#include "grossedatenbank.h"
#include "platform/runtime/application.h"

#include <QElapsedTimer>
#include <QMap>
#include <QString>
#include <QTemporaryDir>

#include <functional>
#include <vector>

namespace zevo::bench {

// Runs offscreen unless a platform is set; call before the QApplication.
void offscreen();

// The program folder: argv[1] when given, else the temporary folder tmp.
// Made the runtime's program folder; an old ZEVO.MDB in it is removed.
QString programmordner(int argc, char** argv, const QTemporaryDir& tmp);

// The database file of the program folder.
QString datenbankdatei(const QString& ordner);

// A benchmark program's frame: the application (offscreen unless a platform
// is set), the program folder (the first argument or a temporary one) and in
// it the large database of the given size, changed by the command line or
// the environment (umfangaus), not yet opened. With ZEVO_BENCH_VORLAGEN set
// to a folder, a database of that size is built once, kept there and copied
// from there on later runs.
class Programm {
public:
  Programm(int& argc, char** argv, const Umfang& vorgabe = {});

  const Umfang umfang;

private:
  bool offscreen_;   // set before the application is made
  vb::Application app_;   // the program's own: numbers as it reads and writes them
  QTemporaryDir tmp_;

public:
  const QString ordner;
  const QString pfad;          // the database file
  QMap<QString, int> zeilen;   // rows written per table
  double sekunden = 0;         // how long building the database took
};

// Opens the database file of ordner as the application's connection, and
// from then on counts the time its statements run, each from its first step
// to its end: SQLite's work, and for a statement of many rows also what the
// caller does between two rows.
void datenbanköffnen(const QString& ordner);

// The first field of the first row of sql, as a number (counts).
int zählen(const QString& sql);

double millisekunden(const QElapsedTimer& t);
double median(std::vector<double> v);

// The peak resident size of the process. spitzezurücksetzen() sets the
// kernel's high-water mark (VmHWM) back to the present size, so that
// spitzeMB() tells the peak since then; höchststandMB() is the highest peak
// since the database was built, the times before every reset included.
void spitzezurücksetzen();
double spitzeMB();
double höchststandMB();

// The milliseconds of the rounds of one step, the processor time each took
// (ms; on a busy machine nearer to what the step costs than the clock) and
// the peak resident size while they ran (MB, -1 when not measured).
struct Messwerte : std::vector<double> {
  Messwerte() = default;
  Messwerte(std::vector<double> ms, double spitze = -1) : std::vector<double>(std::move(ms)), spitzeMB(spitze) {}
  std::vector<double> cpu;
  std::vector<double> sqlite;   // ms in SQLite's statements (see datenbanköffnen)
  double spitzeMB = -1;
};

// One round of a step timed by hand: the clock and the peak start here,
// ende() adds the round to the step's figures.
class Schritt {
public:
  Schritt();
  void ende(Messwerte& werte) const;
private:
  QElapsedTimer uhr_;
  double cpu_;
  double sqlite_;
};

// The processor time of the process so far, in ms.
double prozessorzeit();

// Milliseconds of each round; vorbereiten runs before every round, untimed
// and outside the peak.
Messwerte runden(int anzahl, const std::function<void()>& messen);
Messwerte runden(int anzahl, const std::function<void()>& vorbereiten, const std::function<void()>& messen);

// One line: the name padded to breite, median, min and max, the median of
// the processor time, of the time in SQLite and the peak when measured, then
// zusatz.
void bericht(const QString& was, const Messwerte& ms, int breite = 58, const QString& zusatz = {});

// The rows, and the columns, of the program folder's gridli.txt: what an
// evaluation handed to the list window (its own grid is emptied then).
int listenzeilen();
int listenspalten();

// Whether case n is to run: every case, or those that ZEVO_BENCH_FAELLE
// lists ("2,5").
bool fall(int n);

// The process's highest peak, as the last line of a benchmark.
void höchststandberichten();

// With ZEVO_BENCH_GRIDLI set to a folder: copies the program folder's
// gridli.txt there as "<program>_<n>.txt", numbered in the order written,
// unless it is the same as the copy before. The list window runner of each
// benchmark calls it, so that two builds can be compared file by file.
void gridlisichern();

}  // namespace zevo::bench
