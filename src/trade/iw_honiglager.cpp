#include "trade/iw_honiglager.h"

#include "common/einstellungen.h"
#include "common/routinen.h"
#include "platform/runtime/vb.h"
#include "components/sevgrid.h"
#include "output/listenuebergabe.h"
#include "trade/honiglager.h"

#include <QCheckBox>
#include <QVBoxLayout>

namespace zevo::trade {

namespace {

evaluations::Zeitraumwerte honiglagerwerte() {
  evaluations::Zeitraumwerte w;
  w.name = QStringLiteral("IW_Honiglager");
  w.caption = QStringLiteral("Honiglager auswerten");
  w.tabelle = QStringLiteral("Honiglager");
  w.zeitraum = &common::honiglagerzeitraum;
  w.datumvon = &common::honiglagervon;
  w.datumbis = &common::honiglagerbis;
  w.knöpfe = {QStringLiteral("Buchungen listen"), QStringLiteral("Zu- und Abgänge nach Monaten"),
              QStringLiteral("Zu- und Abgänge nach Jahren (10 Jahre)"), QStringLiteral("Gruppierung nach Produkt"),
              QStringLiteral("Lagerbestand")};
  w.datumwähltzeitraum = true;
  w.nachkomma = 2;
  return w;
}

}  // namespace

IW_Honiglager::IW_Honiglager(QWidget* parent) : Zeitraumauswertung(honiglagerwerte(), parent) {
  kon = new QCheckBox(QStringLiteral("Nur Lagerbestände über 0 listen"), this);
  zusatzbereich()->addWidget(kon);
}

void IW_Honiglager::auswerten(int index, const QString& bedingung) {
  switch (index) {
    case 0:
      direktauswertung("select Datum, Produkt, Zugang, Abgang, Bemerkung from Honiglager" + bedingung +
                       " order by Datum");
      break;
    case 1:
    case 2: {
      const bool jahre = index == 2;
      // The period condition without its " where ": the where is in the fixed text.
      const QString zeitraum = bedingung.isEmpty() ? QString() : bedingung.mid(7) + " and ";
      kalenderauswertung(
          jahre,
          {QStringLiteral("Buchungen"), QStringLiteral("Zugänge"), QStringLiteral("Abgänge"),
           QStringLiteral("Gesamt")},
          [&](int n) {
            return "select count(*) as Anzahl, sum(Zugang) as summe1, sum(Abgang) as summe2, sum(Zugang) - "
                   "sum(Abgang) as summe3 from Honiglager where " +
                   zeitraum + (jahre ? "year(Datum) =" : "month(Datum) =") + vb::str(n);
          },
          [](dao::Recordset& rs) { return kalenderzellen(rs, QStringLiteral("0.00")); });
      break;
    }
    case 3:
      direktauswertung("select Produkt, count(*) as Anzahl, sum(Zugang) as Zugänge, sum(Abgang) as Abgänge "
                       "from Honiglager" +
                       bedingung + " group by Produkt");
      break;
    case 4:
      lagerbestand();
      break;
    default:
      break;
  }
}

// The stock per product whatever the period. With kon ticked a product is
// left out when its stock, as the list shows it with two decimals, is 0,00:
// a binary rest of the bookings (0,1 + 0,2 - 0,3) is no stock, 0,01 is, and
// a negative stock stays listed so that a wrong booking shows.
void IW_Honiglager::lagerbestand() {
  direktauswertung(lagerbestandsql);
  if (!kon->isChecked()) return;
  gridli->lockupdate(true);
  for (int r = gridli->rows(); r >= 1; --r)
    if (vb::parseNumber(gridli->cell(r, QStringLiteral("Summe"))).value_or(0) == 0) gridli->removeitem(r);
  gridli->lockupdate(false);
}

}  // namespace zevo::trade
