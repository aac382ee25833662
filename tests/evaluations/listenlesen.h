#pragma once
// What a period evaluation handed to the list window, read back from
// gridli.txt by the grid's own reader.
#include "common/variablen.h"
#include "components/sevgrid.h"
#include "output/ia_zwischenliste.h"
#include "support/testmain.h"
#include "evaluations/zeitraumauswertung.h"

#include <QFile>
#include <QPushButton>
#include <QTest>

namespace zevo::test {

struct Liste {
  bool gezeigt = false;   // the list window opened
  QStringList spalten;    // caption, " >" when right-aligned, " #" when numeric
  QStringList zeilen;     // cells joined by "|"
};

// Presses rolisten(knopf) (with the mouse when maus); the list window closes at once.
inline Liste auswertunglesen(evaluations::Zeitraumauswertung& w, int knopf, bool maus = false) {
  Liste l;
  QFile::remove(common::datenpfad + "gridli.txt");
  forms().onWindow<output::IA_Zwischenliste>("IA_Zwischenliste", [&](output::IA_Zwischenliste& z) {
    l.gezeigt = true;
    z.cmdschließen_Click();
  });
  if (maus)
    QTest::mouseClick(w.rolisten[knopf], Qt::LeftButton);
  else
    w.rolisten_Click(knopf);
  ui::sevGrid g;
  if (!l.gezeigt || !g.loadfromfile(common::datenpfad + "gridli.txt")) return l;
  for (int c = 1; c <= g.cols(); ++c)
    l.spalten << g.column(c).caption() + (g.column(c).align() == 1 ? " >" : "") +
                     (g.column(c).numeric() == 1 ? " #" : "");
  for (int r = 1; r <= g.rows(); ++r) {
    QStringList zellen;
    for (int c = 1; c <= g.cols(); ++c) zellen << g.cell(r, c);
    l.zeilen << zellen.join('|');
  }
  return l;
}

}  // namespace zevo::test
