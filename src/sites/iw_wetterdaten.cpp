#include "sites/iw_wetterdaten.h"

#include "common/einstellungen.h"

namespace zevo::sites {

namespace {

evaluations::Zeitraumwerte wetterwerte() {
  evaluations::Zeitraumwerte w;
  w.name = QStringLiteral("IW_Wetterdaten");
  w.caption = QStringLiteral("Wetterdaten auswerten");
  w.tabelle = QStringLiteral("Wetterdaten");
  w.zeitraum = &common::wetterzeitraum;
  w.datumvon = &common::wettervon;
  w.datumbis = &common::wetterbis;
  w.knöpfe = {QStringLiteral("Buchungen listen"),
              QStringLiteral("Durchschnittswerte nach Monaten"),
              QStringLiteral("Durchschnittswerte nach Jahren (10 Jahre)"),
              QStringLiteral("Gruppierung nach Wetter"),
              QStringLiteral("Gruppierung nach Temperatur"),
              QStringLiteral("Gruppierung nach Niederschlag in mm"),
              QStringLiteral("Gruppierung nach Windrichtung"),
              QStringLiteral("Gruppierung nach Windstärke")};
  w.datumwähltzeitraum = false;
  w.nachkomma = 1;
  return w;
}

const QString mitDurchschnitten = QStringLiteral(
    ", count(*) as Anzahl, avg(Temperatur) as D_Temperatur, avg(Niederschlag_mm) as D_Niederschlag, "
    "avg(Windstärke) as D_Windstärke from Wetterdaten");
const QString nurAnzahl = QStringLiteral(", count(*) as Anzahl from Wetterdaten");

// The groupings: the grouped column and whether the averages come with it.
struct Gruppierung {
  const char* spalte;
  bool durchschnitte;
};
const Gruppierung gruppierungen[] = {
    {"Wetter", true}, {"Temperatur", false}, {"Niederschlag_mm", false}, {"Windrichtung", true}, {"Windstärke", false},
};

}  // namespace

IW_Wetterdaten::IW_Wetterdaten(QWidget* parent) : Zeitraumauswertung(wetterwerte(), parent) {}

void IW_Wetterdaten::auswerten(int index, const QString& bedingung) {
  if (index == 0) {
    direktauswertung(QStringLiteral("select Datum, Wetter, Temperatur, Niederschlag_mm, Windrichtung, Windstärke, "
                                    "Bemerkung from Wetterdaten") +
                     bedingung + QStringLiteral(" order by Datum"));
  } else if (index == 1 || index == 2) {
    const bool jahre = index == 2;
    const QString aggregat = QStringLiteral(
        "select count(*) as Anzahl, avg(Temperatur) as summe1, avg(Niederschlag_mm) as summe2, avg(Windstärke) as "
        "summe3 from Wetterdaten");
    kalenderauswertung(
        jahre,
        {QStringLiteral("Buchungen"), QStringLiteral("Temperatur"), QStringLiteral("Niederschlag"),
         QStringLiteral("Windstärke")},
        [&](int n) { return kalenderabfrage(aggregat, bedingung, jahre, n); },
        [](dao::Recordset& rs) { return kalenderzellen(rs, QStringLiteral("0.0")); });
  } else if (index >= 3 && index <= 7) {
    // The groups in ascending order of their key, an empty key first.
    const Gruppierung& g = gruppierungen[index - 3];
    const QString spalte = QString::fromUtf8(g.spalte);
    direktauswertung(QStringLiteral("select ") + spalte + (g.durchschnitte ? mitDurchschnitten : nurAnzahl) +
                     bedingung + QStringLiteral(" group by ") + spalte + QStringLiteral(" order by ") + spalte);
  }
}

}  // namespace zevo::sites
