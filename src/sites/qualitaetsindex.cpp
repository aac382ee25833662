#include "sites/qualitaetsindex.h"

#include "common/fensterdienste.h"
#include "common/routinen.h"
#include "platform/runtime/vb.h"

#include <cmath>
#include <limits>

namespace zevo::sites {

namespace {

constexpr double grenze = 9.0e18;

bool außerhalb32(qint64 v) {
  return v > std::numeric_limits<qint32>::max() || v < std::numeric_limits<qint32>::min();
}

// Rounded half to even in 64 bits; a value no 64-bit number holds marks the overflow.
qint64 gerundet(double v, bool& überlauf) {
  if (!std::isfinite(v) || std::fabs(v) > grenze) {
    überlauf = true;
    return 0;
  }
  const qint64 r = vb::clng(v);
  if (außerhalb32(r)) überlauf = true;
  return r;
}

double zahl(const QVariant& v) { return vb::val(common::feldtext(v)); }

}  // namespace

Qualitätsparameter Qualitätsparameter::ausTexten(const QStringList& texte) {
  Qualitätsparameter par;
  for (int i = 0; i < 7; ++i) par.p[i] = i < texte.size() ? vb::val(texte[i]) : 0;
  return par;
}

QString datumsschlüssel(const QString& datum) { return vb::mid(datum, 4, 2) + vb::mid(datum, 1, 2); }

bool blüht(const Pflanzenwerte& pflanze, const QString& schlüssel) {
  if (!pflanze.schlüsselbekannt) {
    pflanze.schlüsselbekannt = true;
    const bool daten = vb::isDate(pflanze.von) && vb::isDate(pflanze.bis);
    pflanze.vonschlüssel = daten ? datumsschlüssel(pflanze.von) : QString();
    pflanze.bisschlüssel = daten ? datumsschlüssel(pflanze.bis) : QString();
  }
  if (pflanze.vonschlüssel.isEmpty()) return false;
  return pflanze.vonschlüssel <= schlüssel && schlüssel <= pflanze.bisschlüssel;
}

Indexergebnis qualitätsindex(const Standortwerte& standort, const std::vector<Pflanzeamstandort>& pflanzen,
                             const QString& datum, const Qualitätsparameter& par, Indexrechenweg* weg) {
  const double P1 = par.p[0], P2 = par.p[1], P3 = par.p[2], P4 = par.p[3], P5 = par.p[4], P6 = par.p[5],
               P7 = par.p[6];
  const QString schlüssel = datumsschlüssel(datum);
  Indexergebnis e;
  bool& ü = e.überlauf;
  qint64 S = 0;
  for (const Pflanzeamstandort& ps : pflanzen) {
    Indexrechenweg::Pflanzenschritte schritte;
    if (ps.pflanze && blüht(*ps.pflanze, schlüssel)) {
      schritte.zählt = true;
      const Pflanzenwerte& pf = *ps.pflanze;
      qint64 p = gerundet(pf.nektar * P1 + P2 * pf.pollen, ü);
      schritte.grund = p;
      if (ps.anteil > 0 && P3 > 0) {
        schritte.anteilroh = ps.anteil * P3 / 100 * double(p) + double(p);
        p = gerundet(schritte.anteilroh, ü);
      }
      schritte.anteil = p;
      if (ps.entfernung > 0 && ps.entfernung < 3000 && P4 > 0) {
        const float kE = static_cast<float>(P4 / 3000);
        schritte.näheroh = (3000 - ps.entfernung) * double(kE) * double(p);
        p = gerundet(schritte.näheroh, ü);
      }
      schritte.nähe = p;
      // Checked before it happens: a sum beyond 64 bits is the overflow, never a wrap.
      if (__builtin_add_overflow(S, p, &S) || außerhalb32(S)) ü = true;
    }
    if (weg) weg->pflanzen.push_back(schritte);
  }
  qint64 G = S;
  if (S > 0) {
    if (standort.pkwanfahrbar == QLatin1String("J")) {
      const double roh = double(S) * P5 / 100 + double(S);
      G = gerundet(roh, ü);
      if (weg) weg->pkwroh = roh;
    }
    if (weg) weg->nachpkw = G;
    const double W = standort.wasser;
    if (W > 0 && W < 1000 && P6 > 0) {
      const float kW = static_cast<float>(P6 / 1000);
      const float w = static_cast<float>((1000 - W) * double(kW));
      const double roh = double(w) * double(G) / 100 + double(G);
      G = gerundet(roh, ü);
      if (weg) {
        weg->w = w;
        weg->wasserroh = roh;
      }
    }
    if (weg) weg->nachwasser = G;
    const float prämie = common::zahlaustext(standort.prämie);
    if (P7 > 0 && prämie > 0) {
      const float q = static_cast<float>(double(prämie) / 10 * P7);
      const double roh = double(q) * double(G) / 100 + double(G);
      G = gerundet(roh, ü);
      if (weg) {
        weg->q = q;
        weg->prämieroh = roh;
      }
    }
    if (weg) weg->nachprämie = G;
  }
  e.punktepflanze = S;
  e.punktegesamt = G;
  if (__builtin_sub_overflow(G, S, &e.punktestandort) || außerhalb32(e.punktestandort)) ü = true;
  return e;
}

std::optional<Pflanzenwerte> Standortpflanzenleser::pflanze(const QString& name) {
  const auto it = gelesen_.constFind(name);
  if (it != gelesen_.constEnd()) return *it;
  std::optional<Pflanzenwerte> werte;
  dao::Recordset rs = db_.openRecordset("select * from Pflanzen where Pflanze = '" + name + "'");
  if (!rs.eof()) {
    Pflanzenwerte pf;
    pf.von = common::feldtext(rs["Weidezeit_von"].value());
    pf.bis = common::feldtext(rs["Weidezeit_bis"].value());
    pf.nektar = zahl(rs["Nektarstufe"].value());
    pf.pollen = zahl(rs["Pollenstufe"].value());
    werte = pf;
  }
  rs.close();
  gelesen_.insert(name, werte);
  return werte;
}

std::vector<Pflanzeamstandort> Standortpflanzenleser::pflanzen(const QString& standortId) {
  std::vector<Pflanzeamstandort> liste;
  dao::Recordset rs = db_.openRecordset(
      "select Pflanze, Entfernung_m, Proz_Anteil from Standorte_Pflanzen where Standort_Kennung = " +
      common::sqlidtext(standortId));
  struct Zeile {
    QString name;
    double entfernung, anteil;
  };
  std::vector<Zeile> zeilen;
  for (; !rs.eof(); rs.moveNext())
    zeilen.push_back({common::feldtext(rs["Pflanze"].value()), zahl(rs["Entfernung_m"].value()),
                      zahl(rs["Proz_Anteil"].value())});
  rs.close();
  for (const Zeile& z : zeilen) liste.push_back({z.entfernung, z.anteil, pflanze(z.name)});
  return liste;
}

Standortwerte standortwerte(const dao::Recordset& rs) {
  Standortwerte s;
  const QVariant pkw = rs["Pkw_anfahrbar"].value();
  s.pkwanfahrbar = pkw.isValid() && !pkw.isNull() ? pkw.toString() : QString();
  s.wasser = zahl(rs["Entfernung_Wasser_m"].value());
  s.prämie = common::feldtext(rs["Standortprämie_Volk"].value());
  return s;
}

}  // namespace zevo::sites
