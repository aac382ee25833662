// IE_Eingabe: writing records for the marked colonies, changing a record,
// stepping through the colonies and switching the kind.

#include "colonies/ie_eingabe.h"

#include "colonies/eingabehilfen.h"
#include "colonies/fensterdienste.h"
#include "common/routinen.h"
#include "common/variablen.h"
#include "platform/runtime/msgbox.h"
#include "platform/runtime/vb.h"

#include <QPlainTextEdit>
#include <QRadioButton>

#include <optional>

namespace zevo::colonies {

// --- one record -----------------------------------------------------------------------

void IE_Eingabe::termineerledigen(int volk, const QDate& datum) {
  dao::Database& db = common::datenbank.isOpen() ? common::datenbank : db_;
  const Buchungsart& art = buchungsart(common::eingabeart);
  const QString bis = common::sqldatum(datum.toString(QStringLiteral("dd.MM.yyyy")));
  auto erledigen = [&](const QString& auswahl) {
    dao::Recordset rs = db.openRecordset(QStringLiteral("select * from Arbeitsplanoptionen where ") + auswahl);
    for (; !rs.eof(); rs.moveNext())
      db.execute(QStringLiteral("update Termine set Erledigt = 'J' where Termin = '") +
                 common::feldtext(rs[QStringLiteral("Arbeitsart")]) + QStringLiteral("' and Datum <= ") + bis +
                 QStringLiteral(" and Volk = ") + QString::number(volk));
    rs.close();
  };
  // The options that name this kind's table as their booking ...
  erledigen(QStringLiteral("Auto_erledigt_Buchung = '") + art.tabelle + QLatin1Char('\''));
  // ... and, for work, those that name its kind of work.
  if (art.nummer == 5) {
    const QString arbeitsart = common::feldtext(sevt(1).text());
    if (!arbeitsart.isEmpty()) erledigen(QStringLiteral("Auto_erledigt_Arbeitsart = '") + arbeitsart + QLatin1Char('\''));
  }
}

void IE_Eingabe::felderschreiben(dao::Recordset& rs) {
  const Buchungsart& art = buchungsart(common::eingabeart);
  for (const Eingabefeld& f : art.felder) {
    const QString text = sevt(f.index).text();
    switch (f.umwandlung()) {
      case Umwandlung::Ganzzahl: rs[f.spalte] = ganzzahlamanfang(text); break;
      case Umwandlung::Dezimal: rs[f.spalte] = QVariant(common::zahlaustext(text)); break;
      case Umwandlung::Text: rs[f.spalte] = common::feldtext(text); break;
    }
  }
  if (art.nummer == artNotizen) rs[QStringLiteral("NOTIZ")] = notizspeichern(sevt15->toPlainText());
}

void IE_Eingabe::buchungmerken(const QString& volk) {
  if (volk.isEmpty()) return;
  QString& gebucht = ie_eingabeWerte().gebuchtevölker;
  const QString eintrag = QLatin1Char('/') + volk + QLatin1Char('/');
  if (!gebucht.contains(eintrag)) gebucht += eintrag;
}

bool IE_Eingabe::buchungspeichern(const QString& volk, const QString& id, const QDate& datum, const QString& volknr) {
  const Buchungsart& art = buchungsart(common::eingabeart);
  const bool neuersatz = id == QLatin1String("-1");
  const std::optional<int> volkid = common::sqlid(volk);
  const std::optional<int> satzid = neuersatz ? std::optional<int>(0) : common::sqlid(id);
  if (!volkid || !satzid) {
    vb::msgbox(QStringLiteral("Die Buchung für das Volk ") + volknr +
               QStringLiteral(" wird nicht ausgeführt, weil ") +
               (volkid ? QStringLiteral("der ausgewählte Datensatz keine gültige ID hat.")
                       : QStringLiteral("die Völkerliste für dieses Volk keine gültige ID enthält.")));
    return false;
  }
  try {
    // The dates marked done and the record stand or fall together.
    dao::Transaction t(db_);
    dao::Recordset rs = db_.openRecordset(QStringLiteral("select top 1 * from ") + art.tabelle +
                                          QStringLiteral(" where Volk = ") + QString::number(*volkid) +
                                          (neuersatz ? QString()
                                                     : QStringLiteral(" and ID = ") + QString::number(*satzid)));
    if (!neuersatz && rs.eof()) {
      rs.close();
      vb::msgbox(QStringLiteral("Die Änderung wird nicht ausgeführt, weil der ausgewählte Datensatz nicht mehr "
                                "vorhanden ist."));
      return false;
    }
    termineerledigen(*volkid, datum);
    if (neuersatz) {
      rs.addNew();
    } else {
      rs.moveFirst();
      rs.edit();
    }
    felderschreiben(rs);
    rs[QStringLiteral("Datum")] = QVariant(datum);
    rs[QStringLiteral("Volk")] = *volkid;
    rs.update();
    rs.close();
    t.commit();
  } catch (const dao::Error& e) {
    dbfehler(QStringLiteral("Die Buchung für das Volk ") + volknr +
                 QStringLiteral(" wurde nicht ausgeführt, weil die Datenbank einen Fehler meldet:"),
             e);
    return false;
  }
  common::völkerneulesen = 1;
  buchungmerken(volk);
  return true;
}

// --- "Neu" and "Ändern" ---------------------------------------------------------------------

void IE_Eingabe::neu_Click(int index) {
  const std::optional<QDate> datum = vb::parseDate(sevt(0).text());
  if (!datum) {
    vb::msgbox(QStringLiteral("Die Buchung wird nicht ausgeführt, weil das Datum nicht korrekt ist."));
    return;
  }
  if (index == 1) ändern(*datum);
  else neuebuchungen(*datum);
}

void IE_Eingabe::ändern(const QDate& datum) {
  if (li->row() < 1) {
    vb::msgbox(QStringLiteral("Bitte markieren Sie zuerst den Datensatz, den Sie ändern möchten!"));
    return;
  }
  // The record belongs to the colony whose records are listed, whatever the
  // main grid's current row has become since.
  if (common::datali && common::datali->selcount() > 1)
    vb::msgbox(QStringLiteral("ACHTUNG: Sie haben mehrere Völker markiert und [Ändern] angeklickt. Änderungen "
                              "können nur für ein Volk vorgenommen werden. Die Änderung wird deshalb nur beim "
                              "aktuellen Volk ") +
               gelistetesvolknr_ + QStringLiteral(" auf dem ausgewählten Datensatz ausgeführt."));
  const QString id = li->cell(li->row(), QStringLiteral("ID"));
  const QString volk = gelistetesvolk_;
  const bool gespeichert = buchungspeichern(volk, id, datum, gelistetesvolknr_);
  // The list stays on that colony: it becomes the main grid's current one again.
  if (ui::sevGrid* d = common::datali; d && d->cell(d->row(), QStringLiteral("ID")) != volk)
    for (int i = 1; i <= d->rows(); ++i)
      if (d->cell(i, QStringLiteral("ID")) == volk) {
        d->setRow(i);
        break;
      }
  buchungenlisten(gespeichert);   // a refused or failed change has told the user already
  // The changed record becomes current, and the mask shows what was stored.
  const std::optional<int> satz = common::sqlid(id);
  if (satz && li->findrow(QStringLiteral("ID = ") + QString::number(*satz), false) > 0) zeilekopieren();
}

void IE_Eingabe::neuebuchungen(const QDate& datum) {
  ui::sevGrid* d = common::datali;
  const int n = d ? d->selcount() : 0;
  if (n == 0) {
    vb::msgbox(QStringLiteral("Bitte markieren Sie zuerst die Völker, bei denen die Buchung ausgeführt werden soll!"));
    return;
  }
  if (n > 1 && !vb::question(QStringLiteral("Es sind im Moment ") + QString::number(n) +
                             QStringLiteral(" Völker markiert. Soll die Buchung wirklich bei allen markierten "
                                            "Völkern eingetragen werden?")))
    return;
  bool alle = true;
  try {
    // One commit for the whole batch; every colony is a transaction of its own
    // inside it, so a failing colony leaves nothing half-done.
    dao::Transaction stapel(db_);
    for (int i = 0; i < n && alle; ++i) {
      const int r = d->selrow(i);
      alle = buchungspeichern(d->cell(r, QStringLiteral("ID")), QStringLiteral("-1"), datum,
                              d->cell(r, QStringLiteral("Volknr")));
    }
    stapel.commit();
  } catch (const dao::Error& e) {
    alle = false;
    dbfehler(QStringLiteral("Die Buchungen wurden nicht gespeichert, weil die Datenbank einen Fehler meldet:"), e);
  }
  if (alle) common::piepton();
  buchungenlisten(alle);
  sevt(0).setfocus();
}

// --- stepping and the kind ---------------------------------------------------------------------

void IE_Eingabe::nextvolk1_Click(int index) {
  int r = volkli->row() + (index == 0 ? -1 : 1);
  if (r < 1) r = volkli->rows();
  if (r > volkli->rows()) r = volkli->rows() > 0 ? 1 : 0;
  volkli->setRow(r);
  if (common::datali) common::datali->setRow(datalizeile(volkli->row()));
  maskeaufbauen();
}

void IE_Eingabe::opti_Click(int index) {
  if (index == common::eingabeart || index < 0 || index >= anzahlEingabearten) return;
  common::eingabeart = index;
  opti[size_t(index)]->setChecked(true);
  maskeaufbauen();
}

}  // namespace zevo::colonies
