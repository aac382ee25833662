#pragma once
// The thirty-five statistics of the statistics window, in list order: the
// key (column key and caption of the result), the caption shown in the
// list, the aggregate "summe" and, for a ratio summe1 / summe, the aggregate
// "summe1", the table, an extra condition appended after the row's
// condition, and the cell format.

#include <QString>

namespace zevo::evaluations {

enum class Zellformat { Ganz, Dezimal, Währung };

struct Statistik {
  const char* schlüssel;
  const char* beschriftung;
  const char* summe;
  const char* summe1;   // nullptr unless the value is the ratio summe1 / summe
  const char* tabelle;
  const char* zusatz;   // "" when none
  Zellformat format;
  bool verhältnis() const { return summe1 != nullptr; }
};

constexpr int anzahlstatistiken = 35;
extern const Statistik statistiken[anzahlstatistiken];

// The statistic's own query, without the row's condition:
// "select avg(Menge_kg) as summe from Honigernte".
QString abfrage(const Statistik& s);

// The value as the cell shows it: "0", "0,0" or "2,67 €".
QString statistikzelle(Zellformat format, double wert);

}  // namespace zevo::evaluations
