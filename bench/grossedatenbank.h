#pragma once
// A large, realistic ZEVO.MDB for benchmarks: colonies with fifteen years of
// hive records, written through the database layer like the windows write.

#include <QMap>
#include <QString>

namespace zevo::bench {

struct Umfang {
  int voelker = 300;        // colonies
  int jahre = 15;           // years of records
  int erstesJahr = 2009;
  unsigned zufall = 4711;   // seed: the same numbers give the same file
  // Trade as the purchases and sales window writes it: per year handelJeJahr
  // sales and purchases (four sales to one purchase) of 20 products, each
  // booked into Honiglager (EVK_ID), and 8 movements by hand per product.
  bool handel = false;
  int handelJeJahr = 2500;
  // The colonies' records written year by year, every colony in turn, as a
  // file fills over the years; otherwise each colony with all its years at
  // once, so that a year's records lie spread over every table.
  bool jahrweise = false;
};

// The size a benchmark was built for, changed by the command line
// ("--voelker N", "--handel N": trade bookings per year, "--jahrweise") or,
// where the command line is silent, by the environment (ZEVO_BENCH_VOELKER,
// ZEVO_BENCH_HANDEL, ZEVO_BENCH_JAHRWEISE=1). The options are taken out of
// argv.
Umfang umfangaus(int& argc, char** argv, Umfang umfang);

// Creates the file pfad (which must not exist) with the schema, the seed
// rows and the generated records, in one transaction. Returns the number of
// rows written per table.
QMap<QString, int> grossedatenbankanlegen(const QString& pfad, const Umfang& umfang = {});

}  // namespace zevo::bench
