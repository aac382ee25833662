#include "shell/volktermine.h"

#include "common/einstellungen.h"
#include "common/fensterdienste.h"
#include "common/routinen.h"
#include "common/variablen.h"
#include "platform/dao/dao.h"
#include "platform/runtime/mousepointer.h"
#include "platform/runtime/msgbox.h"
#include "platform/runtime/vb.h"

#include <optional>

namespace zevo::shell {

namespace {

using common::feldtext;
using common::sqldatum;
using common::zeilenumbruch;

QString datumtext(const QDate& d) { return d.toString(QStringLiteral("dd.MM.yyyy")); }

// The booking table named by an option, spelled as the schema spells it;
// "" for anything that is not one of the booking tables.
QString buchungstabelle(const QString& name) {
  for (const QString& t : buchungstabellen())
    if (t.compare(name, Qt::CaseInsensitive) == 0) return t;
  return {};
}

// The latest booking the query finds (it selects one Datum); moves the
// effective start there when it is later.
void spätestebuchung(dao::Database& db, const QString& sql, QDate& effektiv) {
  dao::Recordset rs = db.openRecordset(sql);
  if (!rs.eof()) {
    const QVariant datum = rs.fields(0).value();
    if (datum.isValid() && !datum.isNull()) {
      const QDate d = datum.toDate();
      if (d.isValid() && d > effektiv) effektiv = d;
    }
  }
  rs.close();
}

QString volkklausel(int volkId) { return " where Volk =" + vb::str(volkId); }

}  // namespace

std::optional<QDate> fensterdatum(const QString& tagmonat, int jahr) {
  const QString text = feldtext(tagmonat);
  if (text.isEmpty()) return std::nullopt;
  return vb::parseDate(text + "." + QString::number(jahr));
}

const QStringList& buchungstabellen() {
  static const QStringList tabellen{
      QStringLiteral("Stockkarte"),      QStringLiteral("Honigernte"), QStringLiteral("Wachsernte"),
      QStringLiteral("Pollenernte"),     QStringLiteral("Sonstigeernte"), QStringLiteral("Arbeiten"),
      QStringLiteral("Wanderung"),       QStringLiteral("Gewichtsmessung"), QStringLiteral("Behandlung"),
      QStringLiteral("Königinwechsel"),  QStringLiteral("Notizen")};
  return tabellen;
}

bool volkterminebuchen(int optionId, int volkId, QStringList& übersprungen) {
  dao::Database db = common::datenbank;
  dao::Transaction transaktion(db);
  dao::Recordset option = db.openRecordset("select * from Arbeitsplanoptionen where ID =" + vb::str(optionId));
  if (option.eof()) {
    option.close();
    transaktion.commit();
    return true;
  }

  const QDate heute = common::heutedatum();
  const int jahr = heute.year();
  const std::optional<QDate> start = fensterdatum(feldtext(option["Startzeitraum"]), jahr);
  const std::optional<QDate> ende = fensterdatum(feldtext(option["Endzeitraum"]), jahr);
  if (!start || !ende) {
    const QString eintrag = "...der Zeitraum '" + feldtext(option["Startzeitraum"]) + "' bis '" +
                            feldtext(option["Endzeitraum"]) + "' der Option '" + feldtext(option["Arbeitsart"]) +
                            "' im Jahr " + QString::number(jahr) + " kein gültiges Datum ergibt.";
    if (!übersprungen.contains(eintrag)) übersprungen.append(eintrag);
    option.close();
    transaktion.commit();
    return false;
  }

  QDate effektiv = std::max(*start, heute);
  if (feldtext(option["Volkabhängig"]) == QLatin1String("J")) {
    const QString tabelle = buchungstabelle(feldtext(option["Auto_erledigt_Buchung"]));
    if (!tabelle.isEmpty())
      spätestebuchung(db,
                      "select top 1 Datum from " + tabelle + volkklausel(volkId) + " and Datum >= " +
                          sqldatum(datumtext(effektiv)) + " order by Datum DESC",
                      effektiv);
    const QString arbeitsart = feldtext(option["Auto_erledigt_Arbeitsart"]);
    if (!arbeitsart.isEmpty())
      spätestebuchung(db,
                      "select top 1 Datum from Arbeiten where Arbeitsart = '" + arbeitsart + "' and Volk =" +
                          vb::str(volkId) + " and Datum >= " + sqldatum(datumtext(effektiv)) +
                          " order by Datum DESC",
                      effektiv);
  }

  // A repetition of 0 (or a nonsensical negative one) gives the window start only.
  const int frist = option["Wiederholungsfrist_Tage"].value().toInt();
  const QVariant termin = option["Arbeitsart"].value();
  option.close();

  dao::Recordset termine = db.openRecordset(QStringLiteral("select top 1 * from Termine"));
  for (QDate datum = *start; datum <= *ende; datum = datum.addDays(frist)) {
    if (datum >= effektiv) {
      termine.addNew();
      termine["Datum"] = QVariant(datum);
      termine["Termin"] = termin;
      termine["Erledigt"] = "N";
      termine["Volk"] = volkId;
      termine.update();
    }
    if (frist <= 0) break;
  }
  termine.close();
  transaktion.commit();
  return true;
}

void volkterminebuchen(int optionId, int volkId) {
  QStringList übersprungen;
  volkterminebuchen(optionId, volkId, übersprungen);
  übersprungeneoptionenmelden(übersprungen);
}

void übersprungeneoptionenmelden(const QStringList& übersprungen) {
  if (übersprungen.isEmpty()) return;
  const int zeiger = vb::mousePointer();
  vb::setMousePointer(vb::vbDefault);
  vb::msgbox("Für folgende Arbeitsplanoptionen wurden keine Termine eingetragen, weil..." + zeilenumbruch +
             zeilenumbruch + übersprungen.join(zeilenumbruch) + zeilenumbruch + zeilenumbruch +
             "Bitte korrigieren Sie den Zeitraum in den Arbeitsplanoptionen (Format TT.MM).");
  vb::setMousePointer(zeiger);
}

void volkterminesetzen() {
  const QString heute = common::heute;
  const QString jahr = vb::mid(heute, 7, 4);
  if (!vb::question("Sie starten ZEVO das erste mal im neuen Jahr oder haben die Funktion 'Optionen / "
                    "Volkabhängige Termine setzen' gewählt." +
                    zeilenumbruch + zeilenumbruch +
                    "Durch das setzen der Termine werden alle Termine aus den Arbeitsplanoptionen ab dem heutigen "
                    "Datum " +
                    heute +
                    " allen im Bestand befindlichen Völkern zugeordnet. Diese Aktion wird nur dann ausgeführt, "
                    "wenn mindestens ein Volk und eine Arbeitsplanoption eingegeben wurde und im aktuellen Jahr "
                    "noch keine variablen Termine gebucht sind." +
                    zeilenumbruch + zeilenumbruch + "Soll die Aktion jetzt ausgeführt werden?"))
    return;

  const QString imjahr = " and Datum >= " + sqldatum("01.01." + jahr) + " and Datum <= " + sqldatum("31.12." + jahr);
  try {
    dao::Database db = common::datenbank;
    auto gibtes = [&db](const QString& sql) {
      dao::Recordset rs = db.openRecordset(sql);
      const bool ja = !rs.eof();
      rs.close();
      return ja;
    };
    QString gründe;
    if (!gibtes(QStringLiteral("select ID from Bienenvolk where Akt_im_Bestand = 'X'")))
      gründe += "...keine Bienenvölker aktuell im Bestand sind." + zeilenumbruch;
    if (!gibtes(QStringLiteral("select ID from Arbeitsplanoptionen where Volkabhängig = 'J'")))
      gründe += "...keine volkabhängigen Arbeitsplanoptionen eingetragen sind." + zeilenumbruch;
    // The question comes before the transaction: no write waits on the beekeeper.
    bool löschen = false;
    if (gibtes("select ID from Termine where Volk <> 0" + imjahr)) {
      löschen = vb::question("Es befinden sich im Jahr " + jahr +
                                 " bereits volkabhängige Termine im Terminkalender. Die Termine für ein komplettes "
                                 "Jahr können nur dann eingetragen werden, wenn noch keine volkabhängigen Termine "
                                 "existieren. Sollen die existierenden Termine jetzt gelöscht werden?",
                             vb::SecondButton);
      if (!löschen)
        gründe += "...im aktuellen Jahr " + jahr +
                  " bereits volkabhängige Termine gebucht sind. Bitte löschen Sie ggf. alle volkabhängigen Termine, "
                  "bevor Sie diese Aktion durchführen." +
                  zeilenumbruch;
    }

    dao::Transaction transaktion(db);
    if (löschen) db.execute("delete from Termine where Volk <> 0" + imjahr);
    if (!gründe.isEmpty()) {
      transaktion.commit();
      vb::msgbox("Die Aktion wird nicht ausgeführt, weil..." + zeilenumbruch + zeilenumbruch + gründe);
    } else {
      QList<int> optionIds, volkIds;
      dao::Recordset optionen =
          db.openRecordset(QStringLiteral("select ID from Arbeitsplanoptionen where Volkabhängig = 'J'"));
      for (; !optionen.eof(); optionen.moveNext()) optionIds << optionen["ID"].value().toInt();
      optionen.close();
      dao::Recordset völker = db.openRecordset(QStringLiteral("select ID from Bienenvolk where Akt_im_Bestand = 'X'"));
      for (; !völker.eof(); völker.moveNext()) volkIds << völker["ID"].value().toInt();
      völker.close();
      QStringList übersprungen;
      vb::setMousePointer(vb::vbHourglass);
      for (const int volkId : volkIds)
        for (const int optionId : optionIds) volkterminebuchen(optionId, volkId, übersprungen);
      transaktion.commit();
      vb::setMousePointer(vb::vbDefault);
      vb::msgbox("Die volkabhängigen Termine wurden für das Jahr " + jahr +
                 " neu berechnet und im Terminkalender eingetragen.");
      übersprungeneoptionenmelden(übersprungen);
    }
  } catch (const dao::Error& e) {
    // Nothing of the run is kept, and the year stays, so the run is offered again.
    common::fehlermelden("Die volkabhängigen Termine konnten nicht gesetzt werden.", e.text());
    return;
  }
  common::jahreslaufjahr() = static_cast<int>(vb::val(jahr));
  common::einstellungenschreiben();
}

void volkbuchungenlöschen(int volkId) {
  dao::Database db = common::datenbank;
  dao::Transaction transaktion(db);
  for (const QString& tabelle : buchungstabellen()) db.execute("delete from " + tabelle + volkklausel(volkId));
  db.execute("delete from Termine" + volkklausel(volkId));
  transaktion.commit();
}

}  // namespace zevo::shell
