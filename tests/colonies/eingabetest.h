#pragma once
// What the tests of the entry window share: the database in its ground state
// (today 15.07.2007), a main grid of the test's own bound to the colony list,
// and the window opened as the main window opens it.
#include "colonies/ie_eingabe.h"
#include "common/einstellungen.h"
#include "components/sevgrid.h"
#include "shell/testdatenbank.h"

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <memory>

namespace zevo::test {

// The colonies as the main window lists them, ordered by Volknr; the grid
// is common::datali while it lives.
class Hauptliste {
public:
  ui::sevGrid grid;
  Hauptliste() {
    grid.setAllowmultiselect(true);
    common::datali = &grid;
  }
  ~Hauptliste() {
    if (common::datali == &grid) common::datali = nullptr;
  }
  // Reads the colonies again; the given row becomes current, nothing is marked.
  void lesen(int zeile = 1) {
    dao::Recordset rs = db().openRecordset(
        "select Volknr, Volkname, Volkstärke, Mittelwände, Wabenanzahl, L_Honigernte, L_Honigmenge_kg, "
        "Honigmenge_Gesamt, L_Behandlung, Standort, Königin_Nr, ID from Bienenvolk order by Volknr");
    grid.clear(true);
    grid.setRecordset(rs);
    rs.close();
    grid.setRow(zeile);
  }
  void markieren(const QList<int>& zeilen) {
    for (int r = 1; r <= grid.rows(); ++r) grid.setSelected(r, zeilen.contains(r));
  }
};

inline QList<int> markiert(const ui::sevGrid& g) {
  QList<int> m;
  for (int r = 1; r <= g.rows(); ++r)
    if (g.selected(r)) m << r;
  return m;
}

// The ground state of every test: an empty database with the seed options,
// settings 0 but the tone and the delete question on, nothing booked yet.
inline void eingabegrundzustand() {
  datenbankbereitstellen();
  datenbankgrundzustand(datum("15.07.2007"));
  common::datenpfad = vb::programFolder();
  common::stockkartesql() =
      "select Datum, Volkstärke, Brutstand, Wabensitz, Sanftmut, Schwarmtrieb, Frühjahrsentw, Winterfestigkeit, "
      "Varroaschäden, Belagert, Mittelwände, Waben, Futter_flüssig_l, Futter_Teig_kg, Eigener_Futtervorrat, Volk, "
      "Bemerkung, ID from Stockkarte";
  common::eingabepiepton() = 1;
  common::löschabfrage() = 1;
  colonies::ie_eingabeWerte() = {};
}

// Loads and activates the window for the kind, as showing it does.
inline std::unique_ptr<colonies::IE_Eingabe> eingabeöffnen(int art) {
  common::eingabeart = art;
  auto w = std::make_unique<colonies::IE_Eingabe>();
  w->Form_Load();
  w->Form_Activate();
  return w;
}

// The same after reading the main list again with the given row current
// and the given rows marked.
inline std::unique_ptr<colonies::IE_Eingabe> eingabeöffnen(Hauptliste& haupt, int art, int zeile = 1,
                                                           const QList<int>& marken = {}) {
  haupt.lesen(zeile);
  haupt.markieren(marken);
  return eingabeöffnen(art);
}

// The texts of the input fields 1..16 (15 the note), "" for hidden fields.
inline QStringList maske(colonies::IE_Eingabe& w) {
  QStringList t;
  for (int i = 1; i <= 16; ++i) {
    if (i == colonies::notizfeld) t << (w.sevt15->isHidden() ? QString() : w.sevt15->toPlainText());
    else t << (w.sevt(i).isHidden() ? QString() : w.sevt(i).text());
  }
  while (!t.isEmpty() && t.last().isEmpty()) t.removeLast();
  return t;
}

}  // namespace zevo::test
