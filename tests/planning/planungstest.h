#pragma once
// What the work-planning tests share: the database in its ground state with
// the seed options, dates written directly, and the windows built and loaded
// as showing them does.
#include "colonies/eingabetest.h"
#include "common/routinen.h"
#include "support/datenbank.h"
#include "support/raster.h"
#include "planning/registry.h"

#include <list>

namespace zevo::test {

// Today as given, the tone on, the delete question off, the seed options,
// no dates and no colonies; the windows of this folder registered.
inline void planungsgrundzustand(const QDate& heute) {
  datenbankbereitstellen();
  datenbankgrundzustand(heute);
  common::eingabepiepton() = 1;
  common::terminvorlauf() = 14;
  common::terminlistebeimstart() = 1;
  static bool registriert = false;
  if (!registriert) {
    planning::registerPlanningForms();
    registriert = true;
  }
}

// One date; gives its ID.
inline int termin(const char* datum, const QString& art, int volk = 0, const char* erledigt = "N") {
  return einfügen("Termine", {{"Datum", QVariant(test::datum(datum))},
                              {"Termin", art},
                              {"Erledigt", QString::fromLatin1(erledigt)},
                              {"Volk", volk}});
}

// One option; gives its ID.
inline int arbeitsplanoption(const QString& art, const QString& von, const QString& bis, int frist,
                             const QString& volkabhängig = "J") {
  return einfügen("Arbeitsplanoptionen", {{"Arbeitsart", art},
                                          {"Startzeitraum", von},
                                          {"Endzeitraum", bis},
                                          {"Wiederholungsfrist_Tage", frist},
                                          {"Volkabhängig", volkabhängig},
                                          {"Auto_erledigt_Buchung", ""},
                                          {"Auto_erledigt_Arbeitsart", ""}});
}

// The colony number of a colony ID: "0" for none, "-" for a colony that does not exist.
inline QString volknummer(int id) {
  if (id == 0) return "0";
  const QStringList nr = spalte("select Volknr from Bienenvolk where ID = " + QString::number(id));
  return nr.isEmpty() ? "-" : nr.first();
}

// The dates of one kind as "dd.mm.yyyy/Volknr" ("!" after done ones), in date and colony order.
inline QStringList termineallerjahre(const QString& art) {
  QStringList out;
  dao::Recordset rs = db().openRecordset("select Datum, Volk, Erledigt from Termine where Termin = '" + art +
                                         "' order by Datum, Volk");
  for (; !rs.eof(); rs.moveNext())
    out << rs["Datum"].value().toDate().toString("dd.MM.yyyy") + "/" + volknummer(rs["Volk"].value().toInt()) +
               (rs["Erledigt"].text() == "J" ? "!" : "");
  return out;
}

// Opening the window with the tables gone gives this one message.
template <class Fenster>
void öffnenohne(const QStringList& tabellen, const QString& meldung) {
  std::list<TabelleWeg> weg;
  for (const QString& t : tabellen) weg.emplace_back(t);
  messages().expect(meldung);
  geladen<Fenster>();
  QVERIFY(messages().allUsed());
}

// The cells of one grid row joined by "|".
inline QString zeile(const ui::sevGrid& g, int r) {
  QStringList t;
  for (int c = 1; c <= g.cols(); ++c) t << g.cell(r, c);
  return t.join("|");
}

}  // namespace zevo::test
