#include "trade/iw_deckungsbeitrag.h"

#include "common/einstellungen.h"
#include "common/fensterdienste.h"
#include "common/routinen.h"
#include "common/variablen.h"
#include "platform/runtime/vb.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zevo::trade {

namespace {

const char* const titel[18] = {"E_Verkäufe",      "E_Honigernte",    "E_Wachsernte",      "E_Pollenernte",
                               "E_Sonstigeernte", "E_Pauschale",     "K_Honigernte",      "K_Wachsernte",
                               "K_Pollenernte",   "K_Sonstigeernte", "K_Arbeiten",        "K_Wanderung",
                               "K_Gewichtsmessung", "K_Behandlung",  "K_Königinwechsel",  "K_Verkäufe",
                               "K_Pauschale",     "Summe"};

const char* const labels[17] = {"Einnahmen Verkäufe (nur bei Auswertung nach Jahren)",
                                "Einnahmen Honigernte",
                                "Einnahmen Wachsernte",
                                "Einnahmen Pollenernte",
                                "Einnahmen Sonstige Ernte",
                                "Pauschale Einnahme je Volk u. Jahr von...",
                                "Kosten Honigernte",
                                "Kosten Wachsernte",
                                "Kosten Pollenernte",
                                "Kosten Sonstige Ernte",
                                "Kosten durch Arbeiten",
                                "Kosten Wanderung abzgl. Standortprämie",
                                "Kosten Gewichtsmessung",
                                "Kosten Behandlung",
                                "Kosten Königinwechsel",
                                "Kosten Einkäufe (nur bei Auswertung nach Jahren)",
                                "Pauschale Kosten je Volk u. Jahr von..."};

}  // namespace

QString IW_Deckungsbeitrag::spaltentitel(int i) { return i >= 0 && i < 18 ? QString::fromUtf8(titel[i]) : QString(); }

QString IW_Deckungsbeitrag::postenlabel(int i) { return i >= 0 && i < 17 ? QString::fromUtf8(labels[i]) : QString(); }

IW_Deckungsbeitrag::IW_Deckungsbeitrag(QWidget* parent)
    : Auswertungsfenster(QStringLiteral("IW_Deckungsbeitrag"), QStringLiteral("Deckungsbeitrag"), parent) {
  Frame1[3] = völkerauswahlanlegen(evaluations::Klauselart::Arbeitszeiten);
  nächsteranlegen(QStringLiteral("&Vorheriger"), QStringLiteral("&Nächster"));

  Frame1[0] = new QGroupBox(QStringLiteral("Zu berücksichtigende Einnahmen / Ausgaben"), this);
  auto* posten = new QGridLayout(Frame1[0]);
  posten->setVerticalSpacing(1);
  for (int i = 0; i < 17; ++i) {
    konkost[i] = new QCheckBox(postenlabel(i), Frame1[0]);
    posten->addWidget(konkost[i], i, 0);
  }
  for (int i = 0; i < 2; ++i) {
    ui::sevText& f = sevt.add(i, Frame1[0]);
    f.setTexttype(1);
    f.setNumbertype(1);
    f.setNachkomma(2);
    f.setMin(0);
    f.setMaxlength(8);
    f.setTextalign(1);
    f.setFixedWidth(90);
    posten->addWidget(&f, i == 0 ? 5 : 16, 1);
  }
  alletieranlegen();
  auto* alle = new QHBoxLayout;
  alle->addWidget(alletier[0]);
  alle->addWidget(alletier[1]);
  alle->addStretch(1);
  posten->addLayout(alle, 17, 0, 1, 2);

  Frame1[2] = new QGroupBox(QStringLiteral("Buchungen auswerten (gruppieren) nach"), this);
  auto* art = new QVBoxLayout(Frame1[2]);
  optiauswertung[0] = new QRadioButton(QStringLiteral("Wirtschaftsjahren"), Frame1[2]);
  optiauswertung[1] = new QRadioButton(QStringLiteral("Völker (zu listende Datenfelder siehe oben)"), Frame1[2]);
  optiauswertung[0]->setChecked(true);
  art->addWidget(optiauswertung[0]);
  art->addWidget(optiauswertung[1]);

  Frame1[4] = new QGroupBox(QStringLiteral("Zu listende Datenfelder (Völker)"), this);
  auto* felder = new QVBoxLayout(Frame1[4]);
  const char* const spalten[3] = {"Volknummer", "Volkname", "Standort"};
  for (int i = 0; i < 3; ++i) {
    kontier[i] = new QCheckBox(QString::fromUtf8(spalten[i]), Frame1[4]);
    felder->addWidget(kontier[i]);
  }

  Frame1[1] = new QGroupBox(QStringLiteral("Berechnungszeitraum in Wirtschaftsjahren"), this);
  auto* jahre = new QHBoxLayout(Frame1[1]);
  jahresfelderanlegen(true, Frame1[1]);
  Bezeichnung1[4] = new QLabel(QStringLiteral("Wirtschaftsjahr von"), Frame1[1]);
  Bezeichnung1[0] = new QLabel(QStringLiteral("bis"), Frame1[1]);
  jahre->addWidget(Bezeichnung1[4]);
  jahre->addWidget(&t(0));
  jahre->addWidget(Bezeichnung1[0]);
  jahre->addWidget(&t(1));
  jahre->addStretch(1);

  auto* links = new QVBoxLayout;
  links->addWidget(Frame1[3]);
  links->addWidget(Frame1[4]);
  links->addWidget(Frame1[2]);
  links->addWidget(Frame1[1]);
  links->addStretch(1);
  auto* oben = new QHBoxLayout;
  oben->addLayout(links);
  oben->addWidget(Frame1[0]);
  QHBoxLayout* knöpfe = knopfreihe(true);
  auto* ganz = new QVBoxLayout(this);
  ganz->addLayout(oben);
  ganz->addLayout(knöpfe);
}

void IW_Deckungsbeitrag::listenfüllen() {
  jahreslistenfüllen();
}

void IW_Deckungsbeitrag::optionensetzen() {
  jahresoptionensetzen();
  // Only as many boxes as the text covers; only a "1" ticks one.
  const QString& posten = common::deckungsbeitragsposten();
  for (int i = 0; i < 17 && i < posten.size(); ++i) konkost[i]->setChecked(posten[i] == QLatin1Char('1'));
  for (int i = 0; i < 3; ++i) kontier[i]->setChecked(common::volkspalten(i) == 1);
  optiauswertung[common::auswertungsart() == 1 ? 1 : 0]->setChecked(true);
  sevt(0).setText(common::pauschaleeinnahme().isEmpty() ? QStringLiteral("0,00") : common::pauschaleeinnahme());
  sevt(1).setText(common::pauschalekosten().isEmpty() ? QStringLiteral("0,00") : common::pauschalekosten());
}

void IW_Deckungsbeitrag::optionenspeichern() {
  common::jahrvon() = common::ganzzahlamanfang(t(0).text());
  common::jahrbis() = common::ganzzahlamanfang(t(1).text());
  QString posten;
  for (QCheckBox* k : konkost) posten += k->isChecked() ? QLatin1Char('1') : QLatin1Char('0');
  common::deckungsbeitragsposten() = posten;
  for (int i = 0; i < 3; ++i) common::volkspalten(i) = kontier[i]->isChecked() ? 1 : 0;
  common::auswertungsart() = optiauswertung[0]->isChecked() ? 0 : 1;
  common::pauschaleeinnahme() = sevt(0).text();
  common::pauschalekosten() = sevt(1).text();
}

void IW_Deckungsbeitrag::alletier_click(int index) {
  for (QCheckBox* k : konkost) k->setChecked(index == 0);
}

}  // namespace zevo::trade
