#pragma once
// What the evaluation tests share: the database in its ground state, a main
// grid of the test's own (common::datali) and the list window caught so that
// its rows are read as it loaded them from gridli.txt.

#include "common/einstellungen.h"
#include "evaluations/auswertungsfenster.h"
#include "components/sevgrid.h"
#include "output/ia_zwischenliste.h"
#include "output/registry.h"
#include "platform/runtime/mousepointer.h"
#include "support/hauptliste.h"
#include "support/datenbank.h"

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

// Shows w and lets the stepping buttons appear (option 4) and go, then lists
// through "&Listen" (the list window is closed at once). The controls that
// moved, and the window's size when it changed, before, during the listing
// (progress bar shown) and after it; "" when no list window opened.
inline QStringList bewegt(evaluations::Auswertungsfenster& w) {
  auto lage = [&w] {
    QMap<QWidget*, QRect> orte{{&w, QRect(QPoint(), w.size())}};
    for (QWidget* c : w.findChildren<QWidget*>())
      if (c->isVisible()) orte.insert(c, QRect(c->mapTo(&w, QPoint()), c->size()));
    return orte;
  };
  QStringList bewegt;
  auto vergleichen = [&](const QMap<QWidget*, QRect>& vorher, const char* wann) {
    QApplication::processEvents();
    const QMap<QWidget*, QRect> jetzt = lage();
    for (auto it = vorher.begin(); it != vorher.end(); ++it)
      if (jetzt.contains(it.key()) && jetzt[it.key()] != it.value())
        bewegt << QString("%1 %2").arg(wann, it.key()->metaObject()->className());
  };
  w.show();
  if (!QTest::qWaitForWindowExposed(&w)) return {"not shown"};
  const QMap<QWidget*, QRect> vorher = lage();
  w.optitieraus[4]->click();
  vergleichen(vorher, "stepping");
  w.optitieraus[0]->click();
  bool gezeigt = false;
  output::registerOutputForms();
  forms().onWindow<output::IA_Zwischenliste>("IA_Zwischenliste", [&](output::IA_Zwischenliste& l) {
    gezeigt = true;
    vergleichen(vorher, "listing");
    l.cmdschließen_Click();
  });
  w.ok->click();
  vergleichen(vorher, "after");
  w.close();
  return gezeigt ? bewegt : QStringList{""};
}

}  // namespace zevo::test
