// The summary columns of Bienenvolk, brought up to date from the hive
// records when the entry window closes.

#include "colonies/ie_eingabe.h"

#include "common/fensterdienste.h"
#include "common/routinen.h"

namespace zevo::colonies {

namespace {

// Bienenvolk column and its source column of the latest inspection.
const std::pair<const char*, const char*> stockkartenspalten[] = {
    {"Volkstärke", "Volkstärke"},
    {"Mittelwände", "Mittelwände"},
    {"Wabenanzahl", "Waben"},
    {"Brutstand", "Brutstand"},
    {"Wabensitz", "Wabensitz"},
    {"Sanftmut", "Sanftmut"},
    {"Schwarmtrieb", "Schwarmtrieb"},
    {"Frühjahrsentw", "Frühjahrsentw"},
    {"Winterfestigkeit", "Winterfestigkeit"},
    {"Varroaschäden", "Varroaschäden"},
    {"Belagert", "Belagert"},
    {"Futtervorrat_flüssig", "Futter_flüssig_l"},
    {"Futtervorrat_Teig", "Futter_Teig_kg"},
    {"Futtervorrat_eigen", "Eigener_Futtervorrat"},
};

// The latest record of a colony in a table; the one entered last among
// several of the same day.
dao::Recordset letzter(dao::Database& db, const char* spalten, const char* tabelle, const QString& id) {
  return db.openRecordset(QStringLiteral("select top 1 %1 from %2 where Volk = %3 order by Datum DESC, ID DESC")
                              .arg(QLatin1String(spalten), QString::fromUtf8(tabelle), id));
}

void zusammenfassen(dao::Database& db, dao::Recordset& volk, const QString& id) {
  volk.edit();
  for (const auto& [ziel, quelle] : stockkartenspalten) volk[ziel] = 0;
  dao::Recordset q = letzter(db, "*", "Stockkarte", id);
  if (!q.eof())
    for (const auto& [ziel, quelle] : stockkartenspalten) volk[ziel] = q[quelle].value();
  q.close();

  volk["L_Honigernte"] = QVariant();
  volk["L_Honigmenge_kg"] = 0;
  volk["Honigmenge_Gesamt"] = 0;
  q = letzter(db, "*", "Honigernte", id);
  if (!q.eof()) {
    volk["L_Honigernte"] = q["Datum"].value();
    volk["L_Honigmenge_kg"] = q["Menge_kg"].value();
  }
  q.close();
  q = db.openRecordset(QStringLiteral("select sum(Menge_kg) as xsumme from Honigernte where Volk = ") + id);
  if (!q.eof() && !q["xsumme"].isNull()) volk["Honigmenge_Gesamt"] = q["xsumme"].value();
  q.close();

  q = letzter(db, "*", "Wanderung", id);
  if (!q.eof()) volk["Standort"] = q["Standort"].value();
  q.close();

  volk["L_Behandlung"] = QVariant();
  q = letzter(db, "Datum", "Behandlung", id);
  if (!q.eof()) volk["L_Behandlung"] = q["Datum"].value();
  q.close();

  q = letzter(db, "*", "Königinwechsel", id);
  if (!q.eof()) {
    volk["Königin_Zugangsdatum"] = q["Datum"].value();
    volk["Königin_Nr"] = common::feldtext(q["Nummer"]);
    volk["Königin_Farbe"] = common::feldtext(q["Farbe"]);
  }
  q.close();
  volk.update();
}

}  // namespace

void volkzusammenfassungen(dao::Database& db, const QString& gebuchtevölker) {
  if (gebuchtevölker.isEmpty()) return;
  dao::Transaction t(db);
  dao::Recordset volk = db.openRecordset(QStringLiteral("select * from Bienenvolk"));
  for (; !volk.eof(); volk.moveNext()) {
    const std::optional<int> id = common::sqlid(common::feldtext(volk["ID"]));
    if (id && gebuchtevölker.contains(QLatin1Char('/') + QString::number(*id) + QLatin1Char('/')))
      zusammenfassen(db, volk, QString::number(*id));
  }
  volk.close();
  t.commit();
}

}  // namespace zevo::colonies
