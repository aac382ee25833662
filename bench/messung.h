#pragma once
// What every benchmark program shares: the program folder with its database
// file, the connection, the timed rounds and the report line.

#include "grossedatenbank.h"

#include <QApplication>
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
// is set), the program folder (argv[1] or a temporary one) and in it the
// large database of the given size, not yet opened.
class Programm {
public:
  Programm(int& argc, char** argv, const Umfang& umfang = {});

private:
  bool offscreen_;   // set before the application is made
  QApplication app_;
  QTemporaryDir tmp_;

public:
  const QString ordner;
  const QString pfad;          // the database file
  QMap<QString, int> zeilen;   // rows written per table
  double sekunden = 0;         // how long building the database took
};

// Opens the database file of ordner as the application's connection.
void datenbanköffnen(const QString& ordner);

// The first field of the first row of sql, as a number (counts).
int zählen(const QString& sql);

double millisekunden(const QElapsedTimer& t);
double median(std::vector<double> v);

// Milliseconds of each round; vorbereiten runs before every round, untimed.
std::vector<double> runden(int anzahl, const std::function<void()>& messen);
std::vector<double> runden(int anzahl, const std::function<void()>& vorbereiten, const std::function<void()>& messen);

// One line: the name padded to breite, median, min and max, then zusatz.
void bericht(const QString& was, const std::vector<double>& ms, int breite = 58, const QString& zusatz = {});

}  // namespace zevo::bench
