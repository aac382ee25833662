#include "colonies/eingabefelder.h"

#include <stdexcept>
#include <string>

namespace zevo::colonies {

Umwandlung Eingabefeld::umwandlung() const {
  if (typ == feldZahl) return zahltyp == zahlGanz ? Umwandlung::Ganzzahl : Umwandlung::Dezimal;
  return Umwandlung::Text;   // text and J/N ("J" or "N")
}

namespace {

const QString geldeinheit = QStringLiteral("(default)");

// The shapes of field that recur in every kind.
Eingabefeld ganz(int i, const char* caption, const char* spalte, int länge, double max) {
  return {i, QString::fromUtf8(caption), QString::fromUtf8(spalte), feldZahl, zahlGanz, länge, 0, 0, max,
          QStringLiteral("0"), true, {}, {}, {}};
}

Eingabefeld dezimal(int i, const char* caption, const char* spalte, int länge, int nachkomma = 2) {
  return {i, QString::fromUtf8(caption), QString::fromUtf8(spalte), feldZahl, zahlDezimal, länge, nachkomma, 0, 0,
          nachkomma == 3 ? QStringLiteral("0,000") : QStringLiteral("0,00"), false, {}, {}, {}};
}

Eingabefeld geld(int i, const char* caption, const char* spalte) {
  Eingabefeld f = dezimal(i, caption, spalte, 8);
  f.optionflag = true;
  f.einheit = geldeinheit;
  return f;
}

Eingabefeld zeit(int i) { return dezimal(i, "Zeit (h)", "Zeit_h", 5); }
Eingabefeld kosten(int i) { return geld(i, "Kosten", "Kosten"); }

// A text field whose list holds the distinct values of its own column in
// listtabelle (the table of the kind, or Standorte for the site).
Eingabefeld text(int i, const char* caption, const char* spalte, int länge, const char* listtabelle) {
  return {i, QString::fromUtf8(caption), QString::fromUtf8(spalte), feldText, zahlKeine, länge, 0, 0, 0, {}, true,
          {}, QString::fromUtf8(listtabelle), QString::fromUtf8(spalte)};
}

Eingabefeld jn(int i, const char* caption, const char* spalte) {
  return {i, QString::fromUtf8(caption), QString::fromUtf8(spalte), feldJN, zahlKeine, 0, 0, 0, 0,
          QStringLiteral("N"), true, {}, {}, {}};
}

std::vector<Buchungsart> alleArten() {
  std::vector<Buchungsart> a;
  a.push_back({0, "Stockkarte", "Stockkarte",
               {ganz(1, "Volksstärke", "Volkstärke", 2, 99), ganz(2, "Brutstand", "Brutstand", 2, 99),
                ganz(3, "Wabensitz", "Wabensitz", 2, 99), ganz(4, "Sanftmut", "Sanftmut", 2, 99),
                ganz(5, "Schwarmtrieb", "Schwarmtrieb", 2, 99), ganz(6, "Frühjahrsentw.", "Frühjahrsentw", 2, 99),
                ganz(7, "Winterfestigkeit", "Winterfestigkeit", 2, 99),
                ganz(8, "Varroaschäden", "Varroaschäden", 2, 99), ganz(9, "Belagert", "Belagert", 2, 99),
                ganz(10, "Mittelwände", "Mittelwände", 2, 99), ganz(11, "Waben", "Waben", 2, 99),
                dezimal(12, "Futter flüssig (l)", "Futter_flüssig_l", 5),
                dezimal(13, "Futter Teig (kg)", "Futter_Teig_kg", 5),
                dezimal(14, "Futter eigen (kg)", "Eigener_Futtervorrat", 5),
                text(16, "Bemerkung", "Bemerkung", 30, "Stockkarte")},
               {}});
  a.push_back({1, "Honigernte", "Honigernte",
               {dezimal(1, "Menge (kg)", "Menge_kg", 8), text(2, "Honigsorte", "Honigsorte", 20, "Honigernte"),
                text(3, "Qualität", "Qualität", 10, "Honigernte"), zeit(4), kosten(5),
                geld(6, "Honigwert", "Honig_Wert"), text(7, "Bemerkung", "Bemerkung", 30, "Honigernte")},
               {1, 6, 0, 4, 5}});
  a.push_back({2, "Wachsernte", "Wachsernte",
               {dezimal(1, "Menge (kg)", "Menge_kg", 8), text(2, "Qualität", "Qualität", 10, "Wachsernte"), zeit(3),
                kosten(4), geld(5, "Wachswert", "Wachs_Wert"), text(6, "Bemerkung", "Bemerkung", 30, "Wachsernte")},
               {1, 5, 1, 3, 4}});
  a.push_back({3, "Pollenernte", "Pollenernte",
               {ganz(1, "Menge (g)", "Menge_g", 4, 9999), text(2, "Qualität", "Qualität", 10, "Pollenernte"),
                zeit(3), kosten(4), geld(5, "Pollenwert", "Pollen_Wert"),
                text(6, "Bemerkung", "Bemerkung", 30, "Pollenernte")},
               {1, 5, 2, 3, 4}});
  a.push_back({4, "Sonstige Ernte", "Sonstigeernte",
               {text(1, "Art der Ernte", "Ernteart", 20, "Sonstigeernte"), ganz(2, "Menge (g)", "Menge_g", 4, 9999),
                text(3, "Qualität", "Qualität", 10, "Sonstigeernte"), zeit(4), kosten(5), geld(6, "Wert", "Wert"),
                text(7, "Bemerkung", "Bemerkung", 30, "Sonstigeernte")},
               {2, 6, 3, 4, 5}});
  a.push_back({5, "Arbeiten", "Arbeiten",
               {text(1, "Arbeitsart", "Arbeitsart", 30, "Arbeiten"), zeit(2), kosten(3),
                text(4, "Bemerkung", "Bemerkung", 30, "Arbeiten")},
               {0, 0, -1, 2, 3}});
  a.push_back({6, "Wanderung", "Wanderung",
               {text(1, "Standort", "Standort", 100, "Standorte"), zeit(2), kosten(3),
                geld(4, "Standortprämie", "Standortprämie"), jn(5, "Prämie erhalten JN", "Prämie_erhalten"),
                text(6, "Bemerkung", "Bemerkung", 30, "Wanderung")},
               {0, 0, -1, 2, 3}});
  a.push_back({7, "Gewichtsmessung", "Gewichtsmessung",
               {dezimal(1, "Gewicht (kg)", "Gewicht_kg", 7, 3), zeit(2), kosten(3),
                text(4, "Bemerkung", "Bemerkung", 30, "Gewichtsmessung")},
               {0, 0, -1, 2, 3}});
  a.push_back({8, "Behandlung", "Behandlung",
               {text(1, "Behandlungsart", "Behandlungsart", 30, "Behandlung"),
                text(2, "Mittel", "Mittel", 30, "Behandlung"), ganz(3, "Menge (g)", "Menge_g", 4, 9999),
                text(4, "Zulassungsnr", "Zulassungsnr", 10, "Behandlung"),
                ganz(5, "Wartezeit in Tagen", "Wartezeit", 2, 99), zeit(6), kosten(7),
                text(8, "Bemerkung", "Bemerkung", 30, "Behandlung")},
               {0, 0, -1, 6, 7}});
  a.push_back({9, "Königinwechsel", "Königinwechsel",
               {text(1, "Herkunft", "Herkunft", 30, "Königinwechsel"),
                text(2, "Zuchtindex", "Zuchtindex", 10, "Königinwechsel"),
                text(3, "Nummer", "Nummer", 20, "Königinwechsel"), text(4, "Farbe", "Farbe", 10, "Königinwechsel"),
                zeit(5), kosten(6), text(7, "Bemerkung", "Bemerkung", 30, "Königinwechsel")},
               {0, 0, -1, 5, 6}});
  a.push_back({10, "Notizen", "Notizen", {}, {}});
  return a;
}

}  // namespace

const Buchungsart& buchungsart(int nummer) {
  static const std::vector<Buchungsart> arten = alleArten();
  if (nummer < 0 || nummer >= anzahlEingabearten)
    throw std::out_of_range("Eingabeart " + std::to_string(nummer) + " außerhalb 0..10");
  return arten[size_t(nummer)];
}

QString listenkopf(int nummer, const QString& stockkartesql) {
  if (nummer == artStockkarte && !stockkartesql.trimmed().isEmpty()) return stockkartesql;
  return QStringLiteral("select * from ") + buchungsart(nummer).tabelle;
}

}  // namespace zevo::colonies
