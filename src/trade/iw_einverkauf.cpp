#include "trade/iw_einverkauf.h"

#include "common/einstellungen.h"
#include "common/routinen.h"
#include "trade/geld.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zevo::trade {

namespace {

evaluations::Zeitraumwerte einverkaufwerte() {
  evaluations::Zeitraumwerte w;
  w.name = QStringLiteral("IW_EinVerkauf");
  w.caption = QStringLiteral("Ein- und Verkäufe auswerten");
  w.tabelle = QStringLiteral("Verkauf");
  w.zeitraum = &common::einverkaufzeitraum;
  w.datumvon = &common::einverkaufvon;
  w.datumbis = &common::einverkaufbis;
  w.knöpfe = {QStringLiteral("Buchungen listen"),
              QStringLiteral("Durchschnittswerte nach Monaten"),
              QStringLiteral("Durchschnittswerte nach Jahren (10 Jahre)"),
              QStringLiteral("Gruppierung nach Produkt"),
              QStringLiteral("Gruppierung nach Qualität"),
              QStringLiteral("Gruppierung nach Lieferant/Abnehmer")};
  w.datumwähltzeitraum = true;
  w.nachkomma = 2;
  return w;
}

// What the choice of purchases or sales selects.
struct Art {
  QString tabelle, partner, betrag, alias;
};

}  // namespace

IW_EinVerkauf::IW_EinVerkauf(QWidget* parent) : Zeitraumauswertung(einverkaufwerte(), parent) {
  Frame1_0 = new QGroupBox(QStringLiteral("Einkäufe oder Verkäufe"), this);
  auto* zeile = new QHBoxLayout(Frame1_0);
  optiev[0] = new QRadioButton(QStringLiteral("Einkäufe"), Frame1_0);
  optiev[1] = new QRadioButton(QStringLiteral("Verkäufe"), Frame1_0);
  zeile->addWidget(optiev[0]);
  zeile->addWidget(optiev[1]);
  zeile->addStretch(1);
  optiev[0]->setChecked(true);
  zusatzbereich()->addWidget(Frame1_0);
}

void IW_EinVerkauf::weitereladen() { optiev[common::einverkaufart() == 1 ? 1 : 0]->setChecked(true); }

void IW_EinVerkauf::weiterespeichern() { common::einverkaufart() = optiev[0]->isChecked() ? 0 : 1; }

void IW_EinVerkauf::auswerten(int index, const QString& bedingung) {
  const Art a = optiev[1]->isChecked()
                    ? Art{QStringLiteral("Verkauf"), QStringLiteral("Abnehmer"), QStringLiteral("Einnahmen"),
                          QStringLiteral("Einnahme")}
                    : Art{QStringLiteral("Einkauf"), QStringLiteral("Lieferant"), QStringLiteral("Ausgaben"),
                          QStringLiteral("Ausgabe")};
  if (index == 0) {
    direktauswertung("select Datum, Produkt, Qualität, " + a.partner + ", Menge, Einheit, " + a.betrag + " from " +
                     a.tabelle + bedingung + " order by Datum");
  } else if (index == 1 || index == 2) {
    const bool jahre = index == 2;
    const QString aggregat = "select count(*) as Anzahl, sum(Menge) as summe1, sum(" + a.betrag +
                             ") as summe2 from " + a.tabelle;
    kalenderauswertung(
        jahre, {QStringLiteral("Buchungen"), QStringLiteral("Menge"), a.betrag},
        [&](int n) { return kalenderabfrage(aggregat, bedingung, jahre, n); },
        [](dao::Recordset& rs) {
          // The amount exactly in the column's own scale, 0 for a month without bookings.
          const QString menge = common::feldtext(rs.fields(1));
          return common::feldtext(rs.fields(0)) + '\t' +
                 (menge.isEmpty() ? QString() : vb::format(menge, QStringLiteral("0.00"))) + '\t' +
                 euro(geldwert(rs.fields(2).value())) + '\t';
        });
  } else if (index >= 3 && index <= 5) {
    const QString spalte = index == 3 ? QStringLiteral("Produkt")
                           : index == 4 ? QStringLiteral("Qualität")
                                        : a.partner;
    direktauswertung("select " + spalte + ", count(*) as Anzahl, sum(Menge) as S_Menge, avg(Menge) as D_Menge, sum(" +
                     a.betrag + ") as " + a.alias + " from " + a.tabelle + bedingung + " group by " + spalte);
  }
}

}  // namespace zevo::trade
