#pragma once
// What the evaluation tests share: the database in its ground state, a main
// grid of the test's own (common::datali) and the list window caught so that
// its rows are read as it loaded them from gridli.txt.

#include "common/einstellungen.h"
#include "components/sevgrid.h"
#include "output/ia_zwischenliste.h"
#include "output/registry.h"
#include "platform/runtime/mousepointer.h"
#include "shell/hauptliste.h"
#include "shell/testdatenbank.h"

#include <QLineEdit>
#include <QCheckBox>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include <functional>
#include <memory>

namespace zevo::test {

// Marks exactly the named entries of a list; the marked entries in list order.
inline void markieren(QListWidget* liste, const QStringList& namen) {
  for (int i = 0; i < liste->count(); ++i) liste->item(i)->setSelected(namen.contains(liste->item(i)->text()));
}
inline QStringList markierte(QListWidget* liste) {
  QStringList m;
  for (int i = 0; i < liste->count(); ++i)
    if (liste->item(i)->isSelected()) m << liste->item(i)->text();
  return m;
}

// Ticks exactly the given boxes.
template <int N>
void ankreuzen(QCheckBox* (&boxen)[N], const QList<int>& an) {
  for (int i = 0; i < N; ++i) boxen[i]->setChecked(an.contains(i));
}

// A window built, loaded and activated as showing it does, without showing it.
template <class Fenster>
std::unique_ptr<Fenster> geöffnet() {
  auto w = std::make_unique<Fenster>();
  w->Form_Load();
  w->Form_Activate();
  return w;
}

// The rows the list window read from gridli.txt, each as its cells joined by
// TAB with one trailing TAB (as the windows build them); the first entry
// holds the column captions.
struct Liste {
  QStringList zeilen;
  QList<int> ausrichtung;   // align of each column
  int gezeigt = 0;
};

// dazu runs on the list window before it is closed (e.g. its text export).
inline void listeabfangen(Liste& liste, std::function<void(output::IA_Zwischenliste&)> dazu = {}) {
  output::registerOutputForms();
  forms().onWindow<output::IA_Zwischenliste>("IA_Zwischenliste", [&liste, dazu](output::IA_Zwischenliste& w) {
    ++liste.gezeigt;
    liste.zeilen.clear();
    liste.ausrichtung.clear();
    QString kopf;
    for (int c = 1; c <= w.gridli->cols(); ++c) {
      kopf += w.gridli->column(c).caption() + "\t";
      liste.ausrichtung << w.gridli->column(c).align();
    }
    liste.zeilen << kopf;
    for (int r = 1; r <= w.gridli->rows(); ++r) {
      QString z;
      for (int c = 1; c <= w.gridli->cols(); ++c) z += w.gridli->cell(r, c) + "\t";
      liste.zeilen << z;
    }
    if (dazu) dazu(w);
    w.cmdschließen_Click();
  });
}

}  // namespace zevo::test
