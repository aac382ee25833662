#pragma once
// The state the sites tests start from: the test database emptied with the
// eleven seed plants back, and helpers for sites and plants at sites.
#include "support/datenbank.h"
#include "sites/iv_pflanzen_standorte.h"

namespace zevo::test {

inline void standortgrundzustand(const QDate& heute = QDate(2026, 4, 15)) {
  datenbankbereitstellen();
  datenbankgrundzustand(heute);
  for (const QString& s : shell::schemaanweisungen())
    if (s.startsWith(QLatin1String("insert into Pflanzen"))) db().execute(s);
}

inline int standort(const QString& name, const Werte& weitere = {}) {
  Werte werte{{"Standort", name}};
  werte += weitere;
  return einfügen("Standorte", werte);
}

inline int jepflanze(int standortId, const QString& pflanze, int entfernung, int anteil) {
  return einfügen("Standorte_Pflanzen", {{"Pflanze", pflanze},
                                         {"Entfernung_m", entfernung},
                                         {"Proz_Anteil", anteil},
                                         {"Standort_Kennung", standortId}});
}

// The sites window loaded as the menu opens it ("0" sites, "2" plants).
inline std::unique_ptr<sites::IV_Pflanzen_Standorte> standortfenster(const QString& übergabe = "0") {
  common::übergabe = übergabe;
  auto w = std::make_unique<sites::IV_Pflanzen_Standorte>();
  w->Form_Load();
  return w;
}

}  // namespace zevo::test
