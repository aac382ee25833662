#pragma once
// The colonies as the main window lists them, in a grid of the test's own
// that is common::datali while it lives.
#include "common/variablen.h"
#include "components/sevgrid.h"
#include "support/datenbank.h"

#include <QList>

namespace zevo::test {

class Hauptliste {
public:
  ui::sevGrid grid;
  // mehrfachauswahl: the user may mark several colonies, as in the main window.
  explicit Hauptliste(bool mehrfachauswahl = true) {
    grid.setAllowmultiselect(mehrfachauswahl);
    common::datali = &grid;
  }
  ~Hauptliste() {
    if (common::datali == &grid) common::datali = nullptr;
  }
  // Reads the colonies again, ordered by Volknr; the given row becomes
  // current, nothing is marked.
  void lesen(int zeile = 1) {
    dao::Recordset rs = db().openRecordset("select * from Bienenvolk order by Volknr");
    grid.clear(true);
    grid.setRecordset(rs);
    rs.close();
    grid.setRow(zeile);
  }
  void markieren(const QList<int>& zeilen) {
    for (int r = 1; r <= grid.rows(); ++r) grid.setSelected(r, zeilen.contains(r));
  }
};

}  // namespace zevo::test
