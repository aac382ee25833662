#include "evaluations/statistikkatalog.h"

#include "platform/runtime/vb.h"

namespace zevo::evaluations {

namespace {
constexpr Zellformat G = Zellformat::Ganz, D = Zellformat::Dezimal, W = Zellformat::Währung;
constexpr const char* prämie = " and Prämie_erhalten = 'J'";
}  // namespace

const Statistik statistiken[anzahlstatistiken] = {
    {"Anz_Honigernten", "Anzahl Honigernten", "count(*)", nullptr, "Honigernte", "", G},
    {"D_Honigernte", "Durchschn. Honigernte (kg)", "avg(Menge_kg)", nullptr, "Honigernte", "", D},
    {"G_Honigernte", "Gesamte Honigernte (kg)", "sum(Menge_kg)", nullptr, "Honigernte", "", D},
    {"D_Honigwert", "Durchschn. Honigwert je kg", "sum(Menge_kg)", "sum(Honig_Wert)", "Honigernte", "", W},
    {"G_Honigwert", "Gesamter Honigwert", "sum(Honig_Wert)", nullptr, "Honigernte", "", W},
    {"Anz_Wachsernten", "Anzahl Wachsernten", "count(*)", nullptr, "Wachsernte", "", G},
    {"D_Wachsernte", "Durchschn. Wachsernte (kg)", "avg(Menge_kg)", nullptr, "Wachsernte", "", D},
    {"G_Wachsernte", "Gesamte Wachsernte (kg)", "sum(Menge_kg)", nullptr, "Wachsernte", "", D},
    {"D_Wachswert", "Durchschn. Wachsert je kg", "sum(Menge_kg)", "sum(Wachs_Wert)", "Wachsernte", "", W},
    {"G_Wachswert", "G_Wachswert", "sum(Wachs_Wert)", nullptr, "Wachsernte", "", W},
    {"Anz_Pollenernten", "Anzahl Pollenernten", "count(*)", nullptr, "Pollenernte", "", G},
    {"D_Pollenernte", "Durchschn. Pollenernte (g)", "avg(Menge_g)", nullptr, "Pollenernte", "", D},
    {"G_Pollenernte", "Gesamte Pollenernte (g)", "sum(Menge_g)", nullptr, "Pollenernte", "", D},
    {"D_Pollenwert", "Durchschn. Pollenwert je g", "sum(Menge_g)", "sum(Pollen_Wert)", "Pollenernte", "", W},
    {"G_Pollenwert", "Gesamter Pollenwert", "sum(Pollen_Wert)", nullptr, "Pollenernte", "", W},
    {"Anz_Standortprämien", "Anzahl Standortprämien", "count(*)", nullptr, "Wanderung", prämie, G},
    {"D_Standortprämie", "Durchschn. Standortprämie", "avg(Standortprämie)", nullptr, "Wanderung", prämie, W},
    {"G_Standortprämie", "Gesamte Standortprämie", "sum(Standortprämie)", nullptr, "Wanderung", prämie, W},
    {"Anz_Gewichtsmess", "Anzahl Gewichtsmessungen", "count(*)", nullptr, "Gewichtsmessung", "", G},
    {"D_Gewicht", "Durchschn. Gewicht (kg)", "avg(Gewicht_kg)", nullptr, "Gewichtsmessung", "", D},
    {"Anz_Stockbuchung", "Anzahl Stockkarten-Buchungen", "count(*)", nullptr, "Stockkarte", "", G},
    {"D_Volksstärke", "Durchschn. Volksstärke lt. Stockkarte", "avg(Stockkarte.Volkstärke)", nullptr, "Stockkarte", "", D},
    {"D_Brutstand", "Durchschn. Brutstand lt. Stockkarte", "avg(Stockkarte.Brutstand)", nullptr, "Stockkarte", "", D},
    {"D_Wabensitz", "Durchschn. Wabensitz lt. Stockkarte", "avg(Stockkarte.Wabensitz)", nullptr, "Stockkarte", "", D},
    {"D_Sanftmut", "Durchschn. Sanftmut lt. Stockkarte", "avg(Stockkarte.Sanftmut)", nullptr, "Stockkarte", "", D},
    {"D_Schwarmtrieb", "Durchschn. Schwarmtrieb lt. Stockkarte", "avg(Stockkarte.Schwarmtrieb)", nullptr, "Stockkarte", "", D},
    {"D_Frühjahrsentw", "Durchschn. Frühjahrsentw. lt. Stockkarte", "avg(Stockkarte.Frühjahrsentw)", nullptr, "Stockkarte", "", D},
    {"D_Winterfest", "Durchschn. Winterfestigkeit lt. Stockkarte", "avg(Stockkarte.Winterfestigkeit)", nullptr, "Stockkarte", "", D},
    {"D_Varroa", "Durchschn. Varroaschäden lt. Stockkarte", "avg(Stockkarte.Varroaschäden)", nullptr, "Stockkarte", "", D},
    {"D_Belagerung", "Durchschn. Belagerung lt. Stockkarte", "avg(Stockkarte.Belagert)", nullptr, "Stockkarte", "", D},
    {"D_Mittelwände", "Durchschn. Anz. Mittelwände lt. Stockkarte", "avg(Stockkarte.Mittelwände)", nullptr, "Stockkarte", "", D},
    {"D_Waben", "Durchschn. Anz. Waben lt. Stockkarte", "avg(Stockkarte.Waben)", nullptr, "Stockkarte", "", D},
    {"D_Futter_fl", "Durchschn. Futter flüssig lt. Stockkarte", "avg(Futter_flüssig_l)", nullptr, "Stockkarte", "", D},
    {"D_Futter_Teig", "Durchschn. Futter Teig lt. Stockkarte", "avg(Futter_Teig_kg)", nullptr, "Stockkarte", "", D},
    {"D_Futter_eig", "Durchschn. Eigener Futtervorrat lt. Stockkarte", "avg(Eigener_Futtervorrat)", nullptr, "Stockkarte", "", D},
};

QString abfrage(const Statistik& s) {
  QString sql = QStringLiteral("select ") + QString::fromUtf8(s.summe) + QStringLiteral(" as summe");
  if (s.verhältnis()) sql += QStringLiteral(", ") + QString::fromUtf8(s.summe1) + QStringLiteral(" as summe1");
  return sql + QStringLiteral(" from ") + QString::fromUtf8(s.tabelle);
}

QString statistikzelle(Zellformat format, double wert) {
  switch (format) {
    case Zellformat::Ganz: return vb::format(wert, QStringLiteral("0"));
    case Zellformat::Dezimal: return vb::format(wert, QStringLiteral("0.0"));
    case Zellformat::Währung: return vb::formatCurrency(wert);
  }
  return {};
}

}  // namespace zevo::evaluations
