#include "grossedatenbank.h"

#include "platform/dao/dao.h"
#include "shell/schema.h"

#include <QDate>
#include <QStringList>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <utility>
#include <vector>

namespace zevo::bench {

namespace {

using Werte = std::initializer_list<std::pair<const char*, QVariant>>;

class Schreiber {
public:
  Schreiber(dao::Database& db, QMap<QString, int>& zaehler) : db_(db), zaehler_(zaehler) {}

  // Returns the new row's ID.
  int neu(const QString& tabelle, Werte werte) {
    auto it = offen_.find(tabelle);
    if (it == offen_.end()) it = offen_.insert(tabelle, db_.openRecordset("select top 1 * from " + tabelle));
    dao::Recordset& rs = *it;
    rs.addNew();
    for (const auto& [feld, wert] : werte) rs[feld] = wert;
    rs.update();
    ++zaehler_[tabelle];
    return rs["ID"].value().toInt();
  }

private:
  dao::Database& db_;
  QMap<QString, int>& zaehler_;
  QMap<QString, dao::Recordset> offen_;
};

// A count of at least one, or -1.
int anzahl(const char* text) {
  if (!text || !*text) return -1;
  char* ende = nullptr;
  const long n = std::strtol(text, &ende, 10);
  return *ende == 0 && n >= 1 && n <= 1000000 ? int(n) : -1;
}

}  // namespace

Umfang umfangaus(int& argc, char** argv, Umfang umfang) {
  struct Option {
    const char* name;
    const char* umgebung;
    int& wert;
  } optionen[] = {{"--voelker", "ZEVO_BENCH_VOELKER", umfang.voelker},
                  {"--handel", "ZEVO_BENCH_HANDEL", umfang.handelJeJahr}};
  for (const Option& o : optionen)
    if (const int n = anzahl(std::getenv(o.umgebung)); n > 0) o.wert = n;
  if (const char* j = std::getenv("ZEVO_BENCH_JAHRWEISE"); j && std::strcmp(j, "1") == 0) umfang.jahrweise = true;
  int behalten = 1;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--jahrweise") == 0) {
      umfang.jahrweise = true;
      continue;
    }
    const Option* gefunden = nullptr;
    for (const Option& o : optionen)
      if (std::strcmp(argv[i], o.name) == 0) gefunden = &o;
    if (!gefunden) {
      argv[behalten++] = argv[i];
      continue;
    }
    const int n = i + 1 < argc ? anzahl(argv[i + 1]) : -1;
    if (n < 0) {
      std::fprintf(stderr, "%s braucht eine Anzahl\n", gefunden->name);
      std::exit(2);
    }
    gefunden->wert = n;
    ++i;
  }
  argc = behalten;
  argv[argc] = nullptr;
  return umfang;
}

QMap<QString, int> grossedatenbankanlegen(const QString& pfad, const Umfang& umfang) {
  dao::Workspace arbeitsbereich;
  dao::Database db = shell::datenbankanlegen(arbeitsbereich, pfad);
  QMap<QString, int> zaehler;
  std::mt19937 zufall(umfang.zufall);
  auto zahl = [&](int von, int bis) { return std::uniform_int_distribution<int>(von, bis)(zufall); };
  auto wert = [&](double von, double bis) {
    return std::round(std::uniform_real_distribution<double>(von, bis)(zufall) * 10.0) / 10.0;
  };
  const QStringList standorte = {"Obstwiese",  "Waldrand",    "Rapsfeld Nord", "Heide",      "Garten",
                                 "Lindenallee", "Bergwiese",  "Kleefeld",      "Öhringer Hang", "Ufer",
                                 "Streuobst",   "Äußere Flur"};
  const QStringList sorten = {"Raps", "Akazie", "Linde", "Wald", "Blüte", "Heide"};
  const QStringList arbeiten = {"Schwarmkontrolle", "Varroakontrolle", "Fütterung", "Erweiterung",
                                "Brutkontrolle",    "Honigraum",       "Einwinterung", "Drohnenrahmen"};
  const QStringList mittel = {"Ameisensäure", "Oxalsäure", "Milchsäure", "Thymol"};
  const QStringList rassen = {"Carnica", "Buckfast", "Mellifera"};

  dao::Transaction alles(db);
  Schreiber s(db, zaehler);
  for (int i = 0; i < standorte.size(); ++i)
    s.neu("Standorte", {{"Standort", standorte[i]}, {"Wintertauglich", i % 3 ? "J" : "N"},
                        {"Pkw_anfahrbar", "J"}, {"Entfernung_Wasser_m", zahl(10, 900)},
                        {"Max_Völker", zahl(10, 40)}, {"Standortprämie_Volk", wert(0, 5)}});

  const int letztesJahr = umfang.erstesJahr + umfang.jahre - 1;
  // A colony's row; returns the year its records begin.
  auto volkanlegen = [&](int v) {
    const int beginn = umfang.erstesJahr + (v % 4 == 0 ? zahl(0, umfang.jahre - 1) : 0);
    const bool bestand = zahl(1, 10) > 1;
    const QString standort = standorte[zahl(0, int(standorte.size()) - 1)];
    s.neu("Bienenvolk",
          {{"Volknr", QString::number(v)}, {"Volkname", QStringLiteral("Volk %1").arg(v)},
           {"Volkstärke", zahl(1, 9)}, {"Mittelwände", zahl(0, 10)}, {"Wabenanzahl", zahl(8, 12)},
           {"Brutstand", zahl(1, 9)}, {"Sanftmut", zahl(1, 9)}, {"Standort", standort},
           {"Königin_Nr", QStringLiteral("K%1").arg(v)}, {"Beuteart", "Zander"},
           {"Bienenrasse", rassen[v % rassen.size()]}, {"Volk_Zugangsdatum", QDate(beginn, zahl(3, 6), zahl(1, 28))},
           {"Volk_Einkaufspreis", wert(80, 180)}, {"Akt_im_Bestand", bestand ? "X" : ""}, {"Selektiert", ""},
           {"L_Honigmenge_kg", wert(5, 30)}, {"Honigmenge_Gesamt", wert(50, 400)}});
    return beginn;
  };
  // One year of a colony's records.
  auto jahresbuchungen = [&](int v, int jahr) {
    const QDate april(jahr, 4, 1);
    for (int k = 0; k < 15; ++k)
      s.neu("Stockkarte", {{"Datum", april.addDays(k * 11 + zahl(0, 5))}, {"Volkstärke", zahl(1, 9)},
                           {"Brutstand", zahl(1, 9)}, {"Wabensitz", zahl(1, 9)}, {"Sanftmut", zahl(1, 9)},
                           {"Schwarmtrieb", zahl(1, 9)}, {"Varroaschäden", zahl(0, 9)},
                           {"Waben", zahl(8, 12)}, {"Futter_flüssig_l", wert(0, 5)},
                           {"Bemerkung", k % 5 ? "" : "ruhig"}, {"Volk", v}});
    for (int k = 0; k < 3; ++k) {
      const double menge = wert(3, 25);
      s.neu("Honigernte", {{"Datum", QDate(jahr, 6 + k, zahl(1, 28))}, {"Menge_kg", menge},
                           {"Honigsorte", sorten[zahl(0, int(sorten.size()) - 1)]}, {"Qualität", "gut"},
                           {"Zeit_h", wert(0.5, 3)}, {"Kosten", wert(0, 10)}, {"Honig_Wert", menge * 8.5},
                           {"Volk", v}});
    }
    s.neu("Wachsernte", {{"Datum", QDate(jahr, 9, zahl(1, 28))}, {"Menge_kg", wert(0.2, 1.5)},
                         {"Zeit_h", 1.0}, {"Kosten", 0.0}, {"Wachs_Wert", wert(2, 12)}, {"Volk", v}});
    s.neu("Pollenernte", {{"Datum", QDate(jahr, 5, zahl(1, 28))}, {"Menge_g", zahl(50, 900)},
                          {"Zeit_h", 0.5}, {"Pollen_Wert", wert(2, 20)}, {"Volk", v}});
    if ((jahr + v) % 3 == 0)
      s.neu("Sonstigeernte", {{"Datum", QDate(jahr, 7, 1)}, {"Ernteart", "Propolis"},
                              {"Menge_g", zahl(10, 200)}, {"Wert", wert(1, 15)}, {"Volk", v}});
    for (int k = 0; k < 8; ++k)
      s.neu("Arbeiten", {{"Datum", april.addDays(k * 20 + zahl(0, 9))}, {"Arbeitsart", arbeiten[k]},
                         {"Zeit_h", wert(0.2, 2)}, {"Kosten", wert(0, 15)}, {"Volk", v}});
    for (int k = 0; k < 2; ++k)
      s.neu("Wanderung", {{"Datum", QDate(jahr, 4 + 3 * k, zahl(1, 28))},
                          {"Standort", standorte[zahl(0, int(standorte.size()) - 1)]}, {"Zeit_h", wert(1, 4)},
                          {"Kosten", wert(5, 40)}, {"Standortprämie", wert(0, 5)},
                          {"Prämie_erhalten", k ? "J" : "N"}, {"Volk", v}});
    for (int k = 0; k < 4; ++k)
      s.neu("Gewichtsmessung", {{"Datum", QDate(jahr, 3 + 2 * k, 15)}, {"Gewicht_kg", wert(25, 70)},
                                {"Zeit_h", 0.2}, {"Volk", v}});
    for (int k = 0; k < 3; ++k)
      s.neu("Behandlung", {{"Datum", QDate(jahr, 7 + 2 * k, zahl(1, 28))},
                           {"Behandlungsart", k == 2 ? "Winterbehandlung" : "Sommerbehandlung"},
                           {"Mittel", mittel[zahl(0, int(mittel.size()) - 1)]}, {"Menge_g", zahl(20, 200)},
                           {"Wartezeit", zahl(0, 30)}, {"Zeit_h", 0.5}, {"Kosten", wert(1, 8)}, {"Volk", v}});
    if ((jahr + v) % 2 == 0)
      s.neu("Königinwechsel", {{"Datum", QDate(jahr, 6, zahl(1, 28))}, {"Herkunft", "Eigene Zucht"},
                               {"Nummer", QStringLiteral("%1-%2").arg(v).arg(jahr)}, {"Farbe", "blau"},
                               {"Kosten", wert(0, 40)}, {"Volk", v}});
    for (int k = 0; k < 2; ++k)
      s.neu("Notizen", {{"Datum", QDate(jahr, 5 + 4 * k, 3)}, {"NOTIZ", "Volk zeigt sich friedlich."},
                        {"Volk", v}});
    for (int k = 0; k < 8; ++k)
      s.neu("Termine", {{"Datum", april.addDays(k * 21)}, {"Termin", arbeiten[k]},
                        {"Erledigt", jahr < letztesJahr ? "J" : "N"}, {"Volk", v}});
  };
  if (umfang.jahrweise) {
    // As a beekeeper fills the file: year by year, every colony in turn.
    std::vector<int> beginn(size_t(umfang.voelker) + 1);
    for (int v = 1; v <= umfang.voelker; ++v) beginn[size_t(v)] = volkanlegen(v);
    for (int jahr = umfang.erstesJahr; jahr <= letztesJahr; ++jahr)
      for (int v = 1; v <= umfang.voelker; ++v)
        if (jahr >= beginn[size_t(v)]) jahresbuchungen(v, jahr);
  } else {
    // Each colony with all its years, one after the other.
    for (int v = 1; v <= umfang.voelker; ++v)
      for (int jahr = volkanlegen(v); jahr <= letztesJahr; ++jahr) jahresbuchungen(v, jahr);
  }
  for (int jahr = umfang.erstesJahr; jahr <= letztesJahr; ++jahr) {
    for (QDate tag(jahr, 1, 1); tag.year() == jahr; tag = tag.addDays(1))
      s.neu("Wetterdaten", {{"Datum", tag}, {"Wetter", zahl(0, 2) ? "sonnig" : "Regen"},
                            {"Temperatur", zahl(-10, 32)}, {"Niederschlag_mm", zahl(0, 20)},
                            {"Windrichtung", "W"}, {"Windstärke", zahl(0, 8)}});
    for (int k = 0; k < 60; ++k) {
      const QDate tag(jahr, zahl(1, 12), zahl(1, 28));
      s.neu("Verkauf", {{"Datum", tag}, {"Produkt", sorten[k % sorten.size()]}, {"Abnehmer", "Markt"},
                        {"Menge", wert(1, 20)}, {"Einheit", "kg"}, {"Einnahmen", wert(8, 200)}});
      s.neu("Einkauf", {{"Datum", tag}, {"Produkt", "Gläser"}, {"Lieferant", "Imkerbedarf"},
                        {"Menge", wert(10, 200)}, {"Einheit", "St"}, {"Ausgaben", wert(5, 90)}});
      s.neu("Honiglager", {{"Datum", tag}, {"Produkt", sorten[k % sorten.size()]}, {"Zugang", wert(0, 30)},
                           {"Abgang", wert(0, 20)}, {"EVK_ID", 0}});
    }
  }
  // The plants at every site: 6 to 10 of the seed plants, shares adding up
  // to at most 100. A generator of their own keeps the other tables' rows.
  std::mt19937 pflanzenzufall(umfang.zufall + 1);
  auto pflanzenzahl = [&](int von, int bis) { return std::uniform_int_distribution<int>(von, bis)(pflanzenzufall); };
  const QStringList pflanzen = {"Efeu",     "Schneeheide", "Haselnuss",  "Küblerweide", "Krokus",  "Kirsche",
                                "Löwenzahn", "Bergahorn",  "Winterlinde", "Fichte",     "Goldrute"};
  for (int i = 1; i <= standorte.size(); ++i) {
    const int anzahl = pflanzenzahl(6, 10);
    for (int k = 0; k < anzahl; ++k)
      s.neu("Standorte_Pflanzen", {{"Pflanze", pflanzen[(i + k) % pflanzen.size()]},
                                   {"Entfernung_m", pflanzenzahl(10, 2900)},
                                   {"Proz_Anteil", pflanzenzahl(1, 10)},
                                   {"Standort_Kennung", i}});
  }
  if (umfang.handel) {
    QStringList produkte;
    for (const QString& sorte : sorten)
      for (const char* art : {"honig 500g", "honig 250g"}) produkte << sorte + QString::fromUtf8(art);
    produkte << "Wachskerze" << "Met" << "Propolistinktur" << "Pollen 250g" << "Honigbonbons" << "Wabenhonig"
             << "Bärenfang" << "Cremehonig";
    const QStringList abnehmer = {"Markt", "Hofladen", "Nachbar", "Bäckerei Maier", "Stammkunde"};
    for (int jahr = umfang.erstesJahr; jahr <= letztesJahr; ++jahr) {
      for (const QString& produkt : produkte)
        for (int k = 0; k < 8; ++k)
          s.neu("Honiglager", {{"Datum", QDate(jahr, 1 + k, 10)}, {"Produkt", produkt},
                               {"Zugang", k % 4 ? 0.0 : wert(50, 200)}, {"Abgang", k % 4 ? wert(0, 5) : 0.0},
                               {"Bemerkung", k % 4 ? "Eigenbedarf" : "Ernte"}, {"EVK_ID", 0}});
      for (int k = 0; k < umfang.handelJeJahr; ++k) {
        const QDate tag = QDate(jahr, 1, 1).addDays(zahl(0, 364));
        const QString produkt = produkte[zahl(0, int(produkte.size()) - 1)];
        const double menge = wert(1, 12);
        const bool verkauf = k % 5 != 0;
        const int id =
            verkauf ? s.neu("Verkauf", {{"Datum", tag}, {"Produkt", produkt}, {"Qualität", "gut"},
                                        {"Abnehmer", abnehmer[zahl(0, int(abnehmer.size()) - 1)]}, {"Menge", menge},
                                        {"Einheit", "St"}, {"Einnahmen", wert(4, 80)}})
                    : s.neu("Einkauf", {{"Datum", tag}, {"Produkt", produkt}, {"Qualität", "gut"},
                                        {"Lieferant", "Imkerbedarf"}, {"Menge", menge}, {"Einheit", "St"},
                                        {"Ausgaben", wert(2, 60)}});
        s.neu("Honiglager", {{"Datum", tag}, {"Produkt", produkt}, {"Zugang", verkauf ? 0.0 : menge},
                             {"Abgang", verkauf ? menge : 0.0}, {"Bemerkung", ""}, {"EVK_ID", id}});
      }
    }
  }
  alles.commit();
  return zaehler;
}

}  // namespace zevo::bench
