#pragma once
// The evaluations reached through the main window: a main window started in a
// fresh program folder of its own (today 15.06.2007, settings empty), the
// windows of the evaluations and the list window registered, and helpers to
// book rows and to read what the list window loaded from gridli.txt.
#include "support/hauptfenster.h"

#include "common/variablen.h"
#include "components/sevgrid.h"
#include "evaluations/registry.h"
#include "output/ia_zwischenliste.h"
#include "output/registry.h"
#include "support/datenbank.h"

#include <functional>

namespace zevo::test {

using Werte = QList<QPair<QString, QVariant>>;

inline void auswertungenregistrieren() {
  static bool einmal = false;
  if (einmal) return;
  einmal = true;
  output::registerOutputForms();
  evaluations::registerEvaluationForms();
}

inline std::unique_ptr<shell::IA_ZEVO> auswertungsgrundzustand(const QDate& heute = QDate(2007, 6, 15)) {
  auswertungenregistrieren();
  hauptfenstergrundzustand();
  setToday(heute);
  neuerProgrammordner();
  return gestartet();
}

// Adds a row and gives its ID.
inline int buchen(const QString& tabelle, const Werte& werte) {
  dao::Recordset rs = common::datenbank.openRecordset("select * from " + tabelle + " where ID = 0");
  rs.addNew();
  for (const auto& [spalte, wert] : werte) rs[spalte] = wert;
  rs.update();
  return rs["ID"].value().toInt();
}

inline int neuesvolk(const QString& volknr, bool imBestand = true, const Werte& weitere = {}) {
  Werte werte{{"Volknr", volknr}, {"Volkname", "Volk " + volknr}, {"Akt_im_Bestand", imBestand ? "X" : ""}};
  werte += weitere;
  return buchen("Bienenvolk", werte);
}

inline QDate tag(const char* ddmmyyyy) { return QDate::fromString(QString::fromLatin1(ddmmyyyy), "dd.MM.yyyy"); }

// Every row of a grid, its cells joined by "|" (the trailing empty cells cut).
inline QStringList zeilen(const ui::sevGrid& g) {
  QStringList out;
  for (int r = 1; r <= g.rows(); ++r) {
    QStringList zellen;
    for (int c = 1; c <= g.cols(); ++c) zellen << g.cell(r, c);
    while (!zellen.isEmpty() && zellen.last().isEmpty()) zellen.removeLast();
    out << zellen.join('|');
  }
  return out;
}

inline QStringList titel(ui::sevGrid& g) {
  QStringList out;
  for (int c = 1; c <= g.cols(); ++c) out << g.column(c).caption();
  return out;
}

// What the list window read from gridli.txt, when one opens.
struct Liste {
  bool geöffnet = false;
  QStringList titel, zeilen;
  QList<int> rechts;   // the right-aligned columns
};

// dazu runs on the list window before it is closed (e.g. its text export).
inline Liste& listeabfangen(std::function<void(output::IA_Zwischenliste&)> dazu = {}) {
  static Liste liste;
  liste = Liste{};
  forms().onWindow<output::IA_Zwischenliste>("IA_Zwischenliste", [dazu](output::IA_Zwischenliste& w) {
    liste.geöffnet = true;
    liste.titel = titel(*w.gridli);
    liste.zeilen = zeilen(*w.gridli);
    for (int c = 1; c <= w.gridli->cols(); ++c)
      if (w.gridli->column(c).align() == 1) liste.rechts << c;
    if (dazu) dazu(w);
    w.cmdschließen_Click();
  });
  return liste;
}

}  // namespace zevo::test
