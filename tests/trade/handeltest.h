#pragma once
// The purchases, sales and stock window on a fresh database: opening it,
// typing into its fields and reading the tables back.
#include "support/datenbank.h"

#include "common/routinen.h"
#include "platform/runtime/vb.h"
#include "platform/runtime/widgets.h"
#include "components/sevgrid.h"
#include "trade/iv_einverkauf_lager.h"

#include <QLineEdit>

#include <sqlite3.h>

namespace zevo::test {

using trade::IV_EinVerkauf_Lager;

// The first fields of each tab: date, product, ... (purchase, sale, stock).
constexpr int einkaufsfelder = 5, verkaufsfelder = 12, lagerfelder = 0;

inline std::unique_ptr<IV_EinVerkauf_Lager> handelsfenster(const QString& übergabe = "0") {
  common::übergabe = übergabe;
  auto w = std::make_unique<IV_EinVerkauf_Lager>();
  w->Form_Load();
  return w;
}

// Shows the window and makes it active, so that focus and typing work as for a user.
inline void zeigen(QWidget& w) {
  w.show();
  QApplication::setActiveWindow(&w);
  QVERIFY(QTest::qWaitForWindowActive(&w));
}

// Sets the fields erstes, erstes+1, ... to the values (a null string leaves a field as it is).
inline void eintragen(IV_EinVerkauf_Lager& w, int erstes, const QStringList& werte) {
  for (int i = 0; i < werte.size(); ++i)
    if (!werte[i].isNull()) w.sevt(erstes + i).setText(werte[i]);
}

// Types into the field as a user does: into it, everything marked, the keys.
inline void tippen(ui::sevText& f, const QString& text) {
  f.setfocus();
  f.editor()->selectAll();
  for (const QChar c : text) {   // QTest::keyClicks knows no umlauts
    const int key = c.unicode() < 128 ? c.toUpper().unicode() : int(Qt::Key_unknown);
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
    QApplication::sendEvent(f.editor(), &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
    QApplication::sendEvent(f.editor(), &release);
  }
}

// Honiglager as Datum|Produkt|Zugang|Abgang|Bemerkung|EVK_ID, in the order written.
inline QStringList lager() {
  return zeilen("select Datum, Produkt, Zugang, Abgang, Bemerkung, EVK_ID from Honiglager order by ID");
}

// A stock movement written directly (a first movement makes a product a stock article).
inline int lagerzeile(const QString& datum, const QString& produkt, double zugang, double abgang = 0,
                      int evk = 0) {
  return einfügen("Honiglager", {{"Datum", *vb::parseDate(datum)}, {"Produkt", produkt}, {"Zugang", zugang},
                                 {"Abgang", abgang}, {"Bemerkung", ""}, {"EVK_ID", evk}});
}

// The fields von..bis joined by "|".
inline QString felder(IV_EinVerkauf_Lager& w, int von, int bis) {
  QStringList t;
  for (int i = von; i <= bis; ++i) t << w.sevt(i).text();
  return t.join('|');
}

// A sale typed on the sales tab and saved with "&Neu".
inline void verkaufen(IV_EinVerkauf_Lager& w, const QString& produkt, const QString& menge,
                      const QString& datum = "01.05.2007") {
  eintragen(w, verkaufsfelder, {datum, produkt, "", "", menge});
  w.neuverkauf_click(0);
}

// The stock per product after "Aktualisieren", rows joined by " / ".
inline QString bestand(IV_EinVerkauf_Lager& w) {
  w.comalle_click();
  QStringList zeilen;
  for (int r = 1; r <= w.ligroup->rows(); ++r) {
    QStringList t;
    for (int c = 1; c <= w.ligroup->cols(); ++c) t << w.ligroup->cell(r, c);
    zeilen << t.join('|');
  }
  return zeilen.join(" / ");
}

}  // namespace zevo::test
