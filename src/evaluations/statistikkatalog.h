#pragma once
// The thirty-five statistics of the statistics window, in list order: the
// key (column key and caption of the result), the caption shown in the
// list, the aggregate query (ending with its table), an extra condition
// appended after the row's condition, the cell format and whether the value
// is the ratio summe1 / summe.

#include <QString>

namespace zevo::evaluations {

enum class Zellformat { Ganz, Dezimal, Währung };

struct Statistik {
  const char* schlüssel;
  const char* beschriftung;
  const char* abfrage;
  const char* zusatz;   // "" when none
  Zellformat format;
  bool verhältnis;
};

constexpr int anzahlstatistiken = 35;
extern const Statistik statistiken[anzahlstatistiken];

// The value as the cell shows it: "0", "0,0" or "2,67 €".
QString statistikzelle(Zellformat format, double wert);

}  // namespace zevo::evaluations
