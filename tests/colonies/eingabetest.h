#pragma once
// What the colony tests share: the database in its ground state, a main grid
// of the test's own bound to the colony list, the entry window opened as the
// main window opens it, and short readers of the stored values.
#include "colonies/ie_eingabe.h"
#include "common/einstellungen.h"
#include "components/sevgrid.h"
#include "support/hauptliste.h"
#include "support/datenbank.h"

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>

#include <memory>

namespace zevo::test {

inline QList<int> markiert(const ui::sevGrid& g) {
  QList<int> m;
  for (int r = 1; r <= g.rows(); ++r)
    if (g.selected(r)) m << r;
  return m;
}

// The named columns of one row of a table as text ("Null" for Null), joined by "|".
inline QString werte(int id, const QString& namen, const QString& tabelle = "Bienenvolk") {
  dao::Recordset rs = db().openRecordset("select " + namen + " from " + tabelle + " where ID = " + QString::number(id));
  QStringList t;
  for (int i = 0; !rs.eof() && i < rs.fieldCount(); ++i) t << (rs.fields(i).isNull() ? "Null" : rs.fields(i).text());
  rs.close();
  return t.join("|");
}

// The entry window's ground state: today 15.07.2007, the seed options,
// settings 0 but the tone and the delete question on, nothing booked yet.
inline void eingabegrundzustand() {
  datenbankbereitstellen();
  datenbankgrundzustand(datum("15.07.2007"));
  common::eingabepiepton() = 1;
  common::löschabfrage() = 1;
  colonies::ie_eingabeWerte() = {};
}

// A window built and loaded as showing it does, without showing it.
template <class Fenster>
std::unique_ptr<Fenster> geladen() {
  auto w = std::make_unique<Fenster>();
  w->Form_Load();
  return w;
}

// Reads the main list with the given row current and rows marked, then
// loads and activates the entry window for the kind.
inline std::unique_ptr<colonies::IE_Eingabe> eingabeöffnen(Hauptliste& haupt, int art, int zeile = 1,
                                                           const QList<int>& marken = {}) {
  haupt.lesen(zeile);
  haupt.markieren(marken);
  common::eingabeart = art;
  auto w = geladen<colonies::IE_Eingabe>();
  w->Form_Activate();
  return w;
}

// The texts of the entry window's fields from..bis, "" for hidden ones, joined by "|".
inline QString maske(colonies::IE_Eingabe& w, int von = 1, int bis = 16) {
  QStringList t;
  for (int i = von; i <= bis; ++i) {
    if (i == colonies::notizfeld) t << (w.sevt15->isHidden() ? QString() : w.sevt15->toPlainText());
    else t << (w.sevt(i).isHidden() ? QString() : w.sevt(i).text());
  }
  return t.join("|");
}

}  // namespace zevo::test
