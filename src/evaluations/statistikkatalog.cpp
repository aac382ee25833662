#include "evaluations/statistikkatalog.h"

#include "platform/runtime/vb.h"

namespace zevo::evaluations {

namespace {
constexpr Zellformat G = Zellformat::Ganz, D = Zellformat::Dezimal, W = Zellformat::Währung;
constexpr const char* prämie = " and Prämie_erhalten = 'J'";
}  // namespace

const Statistik statistiken[anzahlstatistiken] = {
    {"Anz_Honigernten", "Anzahl Honigernten", "select count(*) as summe from Honigernte", "", G, false},
    {"D_Honigernte", "Durchschn. Honigernte (kg)", "select avg(Menge_kg) as summe from Honigernte", "", D, false},
    {"G_Honigernte", "Gesamte Honigernte (kg)", "select sum(Menge_kg) as summe from Honigernte", "", D, false},
    {"D_Honigwert", "Durchschn. Honigwert je kg",
     "select sum(Menge_kg) as summe, sum(Honig_Wert) as summe1 from Honigernte", "", W, true},
    {"G_Honigwert", "Gesamter Honigwert", "select sum(Honig_Wert) as summe from Honigernte", "", W, false},
    {"Anz_Wachsernten", "Anzahl Wachsernten", "select count(*) as summe from Wachsernte", "", G, false},
    {"D_Wachsernte", "Durchschn. Wachsernte (kg)", "select avg(Menge_kg) as summe from Wachsernte", "", D, false},
    {"G_Wachsernte", "Gesamte Wachsernte (kg)", "select sum(Menge_kg) as summe from Wachsernte", "", D, false},
    {"D_Wachswert", "Durchschn. Wachsert je kg",
     "select sum(Menge_kg) as summe, sum(Wachs_Wert) as summe1 from Wachsernte", "", W, true},
    {"G_Wachswert", "G_Wachswert", "select sum(Wachs_Wert) as summe from Wachsernte", "", W, false},
    {"Anz_Pollenernten", "Anzahl Pollenernten", "select count(*) as summe from Pollenernte", "", G, false},
    {"D_Pollenernte", "Durchschn. Pollenernte (g)", "select avg(Menge_g) as summe from Pollenernte", "", D, false},
    {"G_Pollenernte", "Gesamte Pollenernte (g)", "select sum(Menge_g) as summe from Pollenernte", "", D, false},
    {"D_Pollenwert", "Durchschn. Pollenwert je g",
     "select sum(Menge_g) as summe, sum(Pollen_Wert) as summe1 from Pollenernte", "", W, true},
    {"G_Pollenwert", "Gesamter Pollenwert", "select sum(Pollen_Wert) as summe from Pollenernte", "", W, false},
    {"Anz_Standortprämien", "Anzahl Standortprämien", "select count(*) as summe from Wanderung", prämie, G, false},
    {"D_Standortprämie", "Durchschn. Standortprämie", "select avg(Standortprämie) as summe from Wanderung", prämie,
     W, false},
    {"G_Standortprämie", "Gesamte Standortprämie", "select sum(Standortprämie) as summe from Wanderung", prämie, W,
     false},
    {"Anz_Gewichtsmess", "Anzahl Gewichtsmessungen", "select count(*) as summe from Gewichtsmessung", "", G, false},
    {"D_Gewicht", "Durchschn. Gewicht (kg)", "select avg(Gewicht_kg) as summe from Gewichtsmessung", "", D, false},
    {"Anz_Stockbuchung", "Anzahl Stockkarten-Buchungen", "select count(*) as summe from Stockkarte", "", G, false},
    {"D_Volksstärke", "Durchschn. Volksstärke lt. Stockkarte",
     "select avg(Stockkarte.Volkstärke) as summe from Stockkarte", "", D, false},
    {"D_Brutstand", "Durchschn. Brutstand lt. Stockkarte", "select avg(Stockkarte.Brutstand) as summe from Stockkarte",
     "", D, false},
    {"D_Wabensitz", "Durchschn. Wabensitz lt. Stockkarte", "select avg(Stockkarte.Wabensitz) as summe from Stockkarte",
     "", D, false},
    {"D_Sanftmut", "Durchschn. Sanftmut lt. Stockkarte", "select avg(Stockkarte.Sanftmut) as summe from Stockkarte",
     "", D, false},
    {"D_Schwarmtrieb", "Durchschn. Schwarmtrieb lt. Stockkarte",
     "select avg(Stockkarte.Schwarmtrieb) as summe from Stockkarte", "", D, false},
    {"D_Frühjahrsentw", "Durchschn. Frühjahrsentw. lt. Stockkarte",
     "select avg(Stockkarte.Frühjahrsentw) as summe from Stockkarte", "", D, false},
    {"D_Winterfest", "Durchschn. Winterfestigkeit lt. Stockkarte",
     "select avg(Stockkarte.Winterfestigkeit) as summe from Stockkarte", "", D, false},
    {"D_Varroa", "Durchschn. Varroaschäden lt. Stockkarte",
     "select avg(Stockkarte.Varroaschäden) as summe from Stockkarte", "", D, false},
    {"D_Belagerung", "Durchschn. Belagerung lt. Stockkarte", "select avg(Stockkarte.Belagert) as summe from Stockkarte",
     "", D, false},
    {"D_Mittelwände", "Durchschn. Anz. Mittelwände lt. Stockkarte",
     "select avg(Stockkarte.Mittelwände) as summe from Stockkarte", "", D, false},
    {"D_Waben", "Durchschn. Anz. Waben lt. Stockkarte", "select avg(Stockkarte.Waben) as summe from Stockkarte", "",
     D, false},
    {"D_Futter_fl", "Durchschn. Futter flüssig lt. Stockkarte",
     "select avg(Futter_flüssig_l) as summe from Stockkarte", "", D, false},
    {"D_Futter_Teig", "Durchschn. Futter Teig lt. Stockkarte", "select avg(Futter_Teig_kg) as summe from Stockkarte",
     "", D, false},
    {"D_Futter_eig", "Durchschn. Eigener Futtervorrat lt. Stockkarte",
     "select avg(Eigener_Futtervorrat) as summe from Stockkarte", "", D, false},
};

QString statistikzelle(Zellformat format, double wert) {
  switch (format) {
    case Zellformat::Ganz: return vb::format(wert, QStringLiteral("0"));
    case Zellformat::Dezimal: return vb::format(wert, QStringLiteral("0.0"));
    case Zellformat::Währung: return vb::formatCurrency(wert);
  }
  return {};
}

}  // namespace zevo::evaluations
