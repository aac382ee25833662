#pragma once
// The quality index of a site on one day of the year.
//
// The plants at the site that bloom on that day (day and month only) earn
// points by their nectar and pollen grades, raised by their share of the site
// and weighted by their nearness; the sum is then raised by three properties
// of the site: reachable by car, nearby water and the premium per colony.
//
// Precision as the index has always been computed: the nearness factor kE,
// the water factor kW, the water increase w and the premium increase q are
// single precision, every other intermediate value double, left to right;
// every rounding goes half to even. Plant points, the sum and the total are
// whole numbers, here held in 64 bits; a result beyond the 32-bit range of
// the stored figures is marked as an overflow.

#include "platform/dao/dao.h"

#include <QHash>
#include <QString>

#include <optional>
#include <vector>

namespace zevo::sites {

// P1..P7 as typed, read by the leading-number rule (empty gives 0).
struct Qualitätsparameter {
  double p[7] = {5, 5, 5, 15, 30, 50, 3};
  static Qualitätsparameter ausTexten(const QStringList& texte);   // seven field texts
};

// The standard values of P1..P7.
inline constexpr int standardwerte[7] = {5, 5, 5, 15, 30, 50, 3};

// The site's own figures, as stored.
struct Standortwerte {
  QString pkwanfahrbar;      // "J" = reachable by car (exactly)
  double wasser = 0;         // Entfernung_Wasser_m
  QString prämie;            // Standortprämie_Volk as text, read by zahlaustext
};

// A plant row of the looked-up plant.
struct Pflanzenwerte {
  QString von, bis;          // Weidezeit_von / _bis as feldtext gives them ("" when Null)
  double nektar = 0, pollen = 0;
  // The keys of the two dates ("" when either is no date), worked out at the
  // first bloom test: the weekly series tests every plant 31 times.
  mutable bool schlüsselbekannt = false;
  mutable QString vonschlüssel, bisschlüssel;
};

// A plant at the site, with its plant when one was found.
struct Pflanzeamstandort {
  double entfernung = 0;     // Entfernung_m
  double anteil = 0;         // Proz_Anteil
  std::optional<Pflanzenwerte> pflanze;
};

struct Indexergebnis {
  qint64 punktepflanze = 0;  // S
  qint64 punktestandort = 0; // G - S
  qint64 punktegesamt = 0;   // G
  bool überlauf = false;     // p, S or G left the 32-bit range
};

// The intermediate figures of one run, for explanations.
struct Indexrechenweg {
  struct Pflanzenschritte {
    qint64 grund = 0, anteil = 0, nähe = 0;   // p after each step
    double anteilroh = 0, näheroh = 0;        // before rounding
    bool zählt = false;
  };
  std::vector<Pflanzenschritte> pflanzen;
  double pkwroh = 0, wasserroh = 0, prämieroh = 0;
  qint64 nachpkw = 0, nachwasser = 0, nachprämie = 0;
  float w = 0, q = 0;
};

// "MMDD" of a "dd.mm.yyyy" text, characters taken by position.
QString datumsschlüssel(const QString& datum);

// Whether the plant blooms on the day of the key (both ends included).
bool blüht(const Pflanzenwerte& pflanze, const QString& schlüssel);

// The index of one site on the day of `datum` ("dd.mm.yyyy").
Indexergebnis qualitätsindex(const Standortwerte& standort, const std::vector<Pflanzeamstandort>& pflanzen,
                             const QString& datum, const Qualitätsparameter& par,
                             Indexrechenweg* weg = nullptr);

// Reads the plants at sites and their plant rows through a window's own
// connection. Each plant name is looked up once per reader (the first row
// found; none: the plant at the site contributes nothing).
class Standortpflanzenleser {
public:
  explicit Standortpflanzenleser(dao::Database db) : db_(std::move(db)) {}
  std::vector<Pflanzeamstandort> pflanzen(const QString& standortId);
private:
  std::optional<Pflanzenwerte> pflanze(const QString& name);
  dao::Database db_;
  QHash<QString, std::optional<Pflanzenwerte>> gelesen_;
};

// The site's own figures from a record of Standorte.
Standortwerte standortwerte(const dao::Recordset& rs);

}  // namespace zevo::sites
