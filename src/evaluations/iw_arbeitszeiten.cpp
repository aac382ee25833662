#include "evaluations/iw_arbeitszeiten.h"

#include "common/einstellungen.h"
#include "common/fensterdienste.h"
#include "common/routinen.h"
#include "common/variablen.h"
#include "components/sevgrid.h"
#include "platform/runtime/mousepointer.h"
#include "platform/runtime/vb.h"

#include <algorithm>
#include <cmath>

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zevo::evaluations {

namespace {

const char* const tabellen[9] = {"Honigernte", "Wachsernte",      "Pollenernte", "Sonstigeernte", "Arbeiten",
                                 "Wanderung",  "Gewichtsmessung", "Behandlung",  "Königinwechsel"};

// Hours as a cell shows them, in hundredths: two decimals, half away from
// zero. A float times 100 is exact in a double, so this is the rounding of
// the shown text, and a total of such cells is the sum of what is shown.
qint64 hundertstel(float stunden) { return std::llround(double(stunden) * 100.0); }

QString zahl(qint64 hundertstel) { return common::zahlformatieren(QVariant(double(hundertstel) / 100.0), 2); }

}  // namespace

QString IW_Arbeitszeiten::tabelle(int i) { return i >= 0 && i < 9 ? QString::fromUtf8(tabellen[i]) : QString(); }

IW_Arbeitszeiten::IW_Arbeitszeiten(QWidget* parent)
    : Auswertungsfenster(QStringLiteral("IW_Arbeitszeiten"), QStringLiteral("Auswertung Arbeitszeiten"), parent) {
  // Made in the order they stand, so that Tab follows the window.
  QGroupBox* auswahl = völkerauswahlanlegen(Klauselart::Arbeitszeiten);
  auto* spaltenrahmen = new QGroupBox(QStringLiteral("Zu listende Datenfelder (Völker)"), this);
  auto* spaltenspalte = new QVBoxLayout(spaltenrahmen);
  const char* const spalten[3] = {"Volknummer", "Volkname", "Standort"};
  for (int i = 0; i < 3; ++i) {
    kontier[i] = new QCheckBox(QString::fromUtf8(spalten[i]), spaltenrahmen);
    spaltenspalte->addWidget(kontier[i]);
  }

  auto* tabellenrahmen = new QGroupBox(QStringLiteral("Zu berücksichtigende Arbeitszeiten aus..."), this);
  auto* tabellengitter = new QGridLayout(tabellenrahmen);
  for (int i = 0; i < 9; ++i) {
    konkost[i] = new QCheckBox(i == 3 ? QStringLiteral("Sonstige Ernte") : tabelle(i), tabellenrahmen);
    tabellengitter->addWidget(konkost[i], i % 5, i / 5);
  }
  alletieranlegen();
  tabellengitter->addWidget(alletier[0], 5, 0);
  tabellengitter->addWidget(alletier[1], 5, 1);

  auto* artrahmen = new QGroupBox(QStringLiteral("Buchungen auswerten (gruppieren) nach"), this);
  auto* artspalte = new QVBoxLayout(artrahmen);
  optiauswertung[0] = new QRadioButton(QStringLiteral("Wirtschaftsjahren"), artrahmen);
  optiauswertung[1] = new QRadioButton(QStringLiteral("Völker (zu listende Datenfelder siehe oben)"), artrahmen);
  artspalte->addWidget(optiauswertung[0]);
  artspalte->addWidget(optiauswertung[1]);

  auto* jahrrahmen = new QGroupBox(QStringLiteral("Berechnungszeitraum in Wirtschaftsjahren"), this);
  auto* jahrzeile = new QHBoxLayout(jahrrahmen);
  jahresfelderanlegen(true, jahrrahmen);
  jahrzeile->addWidget(new QLabel(QStringLiteral("Wirtschaftsjahr von"), jahrrahmen));
  jahrzeile->addWidget(&t(0));
  jahrzeile->addWidget(new QLabel(QStringLiteral("bis"), jahrrahmen));
  jahrzeile->addWidget(&t(1));
  jahrzeile->addStretch(1);

  nächsteranlegen(QStringLiteral("&Vorheriger"), QStringLiteral("&Nächster"));

  auto* links = new QVBoxLayout;
  links->addWidget(auswahl);
  links->addWidget(spaltenrahmen);
  auto* rechts = new QVBoxLayout;
  rechts->addWidget(tabellenrahmen);
  rechts->addWidget(artrahmen);
  auto* oben = new QHBoxLayout;
  oben->addLayout(links);
  oben->addLayout(rechts);
  QHBoxLayout* knöpfe = knopfreihe(true);
  auto* ganz = new QVBoxLayout(this);
  ganz->addLayout(oben);
  ganz->addWidget(jahrrahmen);
  ganz->addLayout(knöpfe);
}

void IW_Arbeitszeiten::listenfüllen() {
  jahreslistenfüllen();
}

void IW_Arbeitszeiten::optionensetzen() {
  jahresoptionensetzen();
  const QString& gewählt = common::arbeitszeitentabellen();
  for (int i = 0; i < 9 && i < gewählt.size(); ++i) konkost[i]->setChecked(gewählt[i] == QLatin1Char('1'));
  for (int i = 0; i < 3; ++i) kontier[i]->setChecked(common::volkspalten(i) == 1);
  optiauswertung[common::auswertungsart() == 1 ? 1 : 0]->setChecked(true);
}

void IW_Arbeitszeiten::optionenspeichern() {
  common::jahrvon() = common::ganzzahlamanfang(t(0).text());
  common::jahrbis() = common::ganzzahlamanfang(t(1).text());
  QString gewählt;
  for (QCheckBox* k : konkost) gewählt += k->isChecked() ? QLatin1Char('1') : QLatin1Char('0');
  common::arbeitszeitentabellen() = gewählt;
  for (int i = 0; i < 3; ++i) common::volkspalten(i) = kontier[i]->isChecked() ? 1 : 0;
  common::auswertungsart() = optiauswertung[0]->isChecked() ? 0 : 1;
}

void IW_Arbeitszeiten::alletier_click(int index) {
  for (QCheckBox* k : konkost) k->setChecked(index == 0);
}

float IW_Arbeitszeiten::summe(const QString& sql) {
  dao::Recordset rs = datenbank().openRecordset(sql);
  float wert = 0;
  if (!rs.eof()) wert = common::zahlauswert(rs.fields(0).value());
  rs.close();
  return wert;
}

QString IW_Arbeitszeiten::werte(const float zeile[9]) {
  QString text;
  qint64 gesamt = 0;
  for (int i = 0; i < 9; ++i) {
    const qint64 wert = hundertstel(zeile[i]);
    gesamt += wert;
    summen_[i] += wert;
    if (konkost[i]->isChecked()) text += zahl(wert) + "\t";
  }
  summen_[9] += gesamt;
  return text + zahl(gesamt) + "\t";
}

void IW_Arbeitszeiten::jahreslisten(int von, int bis) {
  meterstarten(bis - von + 1);
  for (int y = von; y <= bis; ++y) {
    const QString klausel = völkerklausel();
    const QString jahr = QString::number(y);
    const QString zeitraum = " and Datum >= #01/01/" + jahr + "# and Datum <= #12/31/" + jahr +
                             "# and Volk = Bienenvolk.ID";
    float zeile[9] = {};
    for (int i = 0; i < 9; ++i)
      if (konkost[i]->isChecked())
        zeile[i] = summe("select sum(Zeit_h) as summe from " + tabelle(i) + ", Bienenvolk" + klausel + zeitraum);
    gridli->additem(jahr + "\t" + werte(zeile));
    meterschritt();
  }
}

void IW_Arbeitszeiten::völkerlisten(int von, int bis) {
  dao::Recordset völker =
      datenbank().openRecordset("select Volknr, Volkname, Standort, ID from Bienenvolk" + völkerklausel());
  const QString zeitraum = " and Datum >= #01/01/" + QString::number(von) + "# and Datum <= #12/31/" +
                           QString::number(bis) + "#";
  if (!völker.eof()) {
    völker.moveLast();
    meterstarten(völker.recordCount());
    for (völker.moveFirst(); !völker.eof(); völker.moveNext()) {
      const QString id = common::sqlidtext(common::feldtext(völker.fields(3).value()));
      float zeile[9] = {};
      for (int i = 0; i < 9; ++i)
        if (konkost[i]->isChecked())
          zeile[i] = summe("select sum(Zeit_h) as summe from " + tabelle(i) + " where Volk = " + id + zeitraum);
      gridli->additem(volkspaltentexte(völker, kontier) + werte(zeile));
      meterschritt();
    }
  }
  völker.close();
}

void IW_Arbeitszeiten::ok_click() {
  if (std::none_of(std::begin(konkost), std::end(konkost), [](QCheckBox* k) { return k->isChecked(); }))
    alletier_click(0);
  if (std::none_of(std::begin(kontier), std::end(kontier), [](QCheckBox* k) { return k->isChecked(); }))
    for (QCheckBox* k : kontier) k->setChecked(true);

  int jahre[2];
  if (!wirtschaftsjahre(jahre)) return;

  listung([this, jahre] {
    vb::setMousePointer(vb::vbHourglass);
    gridli->lockupdate(true);
    std::fill(std::begin(summen_), std::end(summen_), 0);
    gridli->clear(true);
    const bool völkerweise = optiauswertung[1]->isChecked();
    volkspaltenanlegen(völkerweise, kontier);
    for (int i = 0; i < 9; ++i)
      if (konkost[i]->isChecked()) gridli->addcolumn(QString::number(i), tabelle(i), true, 1);
    gridli->addcolumn(QStringLiteral("9"), QStringLiteral("Gesamt"), true, 1);

    if (völkerweise) völkerlisten(jahre[0], jahre[1]);
    else jahreslisten(jahre[0], jahre[1]);

    if (summen_[9] != 0) {
      QString text = summenzeilenanfang(völkerweise, kontier);
      for (int i = 0; i < 9; ++i)
        if (konkost[i]->isChecked()) text += zahl(summen_[i]) + "\t";
      gridli->additem(text + zahl(summen_[9]) + "\t");
    }
    listungabschließen();
  });
}

}  // namespace zevo::evaluations
