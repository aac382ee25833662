#pragma once
// What a window handed to the list window: the list window is caught when it
// opens, its grid read as it loaded gridli.txt, and closed at once.
#include "components/sevgrid.h"
#include "output/ia_zwischenliste.h"
#include "output/registry.h"
#include "support/testmain.h"

#include <functional>

namespace zevo::test {

// Every row of a grid, its cells joined by "|", trailing empty cells cut.
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

// The captions, " >" after a right-aligned column, " #" after a numeric one.
inline QStringList titel(ui::sevGrid& g) {
  QStringList out;
  for (int c = 1; c <= g.cols(); ++c)
    out << g.column(c).caption() + (g.column(c).align() == 1 ? " >" : "") + (g.column(c).numeric() == 1 ? " #" : "");
  return out;
}

struct Liste {
  int gezeigt = 0;       // how often the list window opened
  QStringList titel;     // as titel() gives them
  QStringList zeilen;    // as zeilen() gives them
};

// From now on (until resetScripts) every list window that opens is read into
// the list returned and closed; dazu runs on it before it closes (e.g. its
// text export).
inline Liste& listeabfangen(std::function<void(output::IA_Zwischenliste&)> dazu = {}) {
  static Liste liste;
  liste = Liste{};
  output::registerOutputForms();
  forms().onWindow<output::IA_Zwischenliste>("IA_Zwischenliste", [dazu](output::IA_Zwischenliste& w) {
    ++liste.gezeigt;
    liste.titel = titel(*w.gridli);
    liste.zeilen = zeilen(*w.gridli);
    if (dazu) dazu(w);
    w.cmdschließen_Click();
  });
  return liste;
}

}  // namespace zevo::test
