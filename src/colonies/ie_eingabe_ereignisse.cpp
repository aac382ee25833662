// IE_Eingabe: what the input fields do while the beekeeper types (values,
// costs, the Mittelwände/Waben label, the treatment prefill) and the default
// masks of each kind.

#include "colonies/ie_eingabe.h"

#include "common/einstellungen.h"
#include "common/routinen.h"
#include "common/variablen.h"
#include "platform/runtime/files.h"
#include "platform/runtime/msgbox.h"
#include "platform/runtime/textfile.h"
#include "platform/runtime/vb.h"

#include <QDir>
#include <QLabel>

namespace zevo::colonies {

// --- typing -----------------------------------------------------------------------------

void IE_Eingabe::sevt_Change(int index) {
  const Buchungsart& art = buchungsart(common::eingabeart);
  const Rechenfelder& r = art.rechnen;
  // The value of a harvest: quantity × its value setting, as a single with
  // up to seven significant digits.
  if (r.menge > 0 && index == r.menge) {
    const double wert = double(common::zahlaustext(sevt(r.menge).text())) *
                        double(common::einstellungwert[r.wertsetting]);
    sevt(r.wert).setText(vb::cstrOhneExponent(QVariant(float(wert))));   // 7 digits, never 1,625E+08
  }
  // The stock card shows how far Mittelwände and Waben moved from the record shown.
  if (art.nummer == artStockkarte) {
    const IE_EingabeWerte& w = ie_eingabeWerte();
    bezmw->setText(QStringLiteral("MW: ") + QString::number(w.basismw) + QStringLiteral(" (") +
                   vb::trim(vb::str(vb::val(sevt(10).text()) - w.basismw)) + QStringLiteral(")   WZ: ") +
                   QString::number(w.basiswz) + QStringLiteral(" (") +
                   vb::trim(vb::str(vb::val(sevt(11).text()) - w.basiswz)) + QStringLiteral(")"));
    bezmw->show();
  }
  // The costs: working time × stundensatz, when there is a rate.
  if (r.zeit > 0 && index == r.zeit && common::stundensatz() != 0) {
    const float kosten = float(double(common::zahlaustext(sevt(r.zeit).text())) * double(common::stundensatz()));
    sevt(r.kosten).setText(common::zahlformatieren(QVariant(kosten), 2));
  }
}

void IE_Eingabe::sevt_ListPick(int index) {
  if (common::eingabeart == artBehandlung && (index == 1 || index == 2)) behandlungvorbelegen(index);
}

void IE_Eingabe::sevt_LostFocus(int index) {
  if (common::eingabeart == artBehandlung && (index == 1 || index == 2)) behandlungvorbelegen(index);
}

// Fills the treatment from the latest one of any colony with the same kind
// of treatment (index 1) or the same agent (index 2).
void IE_Eingabe::behandlungvorbelegen(int index) {
  const QString gesucht = sevt(index).text();
  if (gesucht.isEmpty()) return;
  const QString spalte = index == 1 ? QStringLiteral("Behandlungsart") : QStringLiteral("Mittel");
  try {
    dao::Recordset rs = db_.openRecordset(QStringLiteral("select top 1 * from Behandlung where ") + spalte +
                                          QStringLiteral(" = '") + common::feldtext(gesucht) +
                                          QStringLiteral("' order by Datum DESC, ID DESC"));
    if (!rs.eof()) {
      if (index == 1) sevt(2).setText(common::feldtext(rs[QStringLiteral("Mittel")]));
      sevt(3).setText(common::zahlformatieren(common::feldtext(rs[QStringLiteral("Menge_g")]), 2));
      sevt(4).setText(common::feldtext(rs[QStringLiteral("Zulassungsnr")]));
      sevt(5).setText(common::feldtext(rs[QStringLiteral("Wartezeit")]));
    }
    rs.close();
  } catch (const dao::Error& e) {
    dbfehler(QStringLiteral("Die letzte Behandlung konnte nicht gelesen werden."), e);
  }
}

// --- default masks -------------------------------------------------------------------------
// One line per input field 1..16 but the note 15, J/N fields left out,
// hidden fields included.

QString IE_Eingabe::standarddatei(int art) {
  return common::datenpfad + QStringLiteral("ZEVO_IE_EINGABE_STD") + QString::number(art) + QStringLiteral(".ZE1");
}

void IE_Eingabe::standard_Click(int index) {
  if (index == 0) standardsichern();
  else standardeinlesen();
}

void IE_Eingabe::standardsichern() {
  const QString datei = standarddatei(common::eingabeart);
  const QString angezeigt = QDir::toNativeSeparators(datei);
  try {
    vb::TextWriter aus(datei);
    for (int i = 1; i <= 16; ++i)
      if (i != notizfeld && sevt(i).texttype() != feldJN) aus.printLine(sevt(i).text());
    aus.close();
  } catch (const vb::Error& e) {
    vb::msgbox(QStringLiteral("Die aktuelle Eingabemaske wurde nicht gespeichert, weil die Datei ") + angezeigt +
               QStringLiteral(" nicht geschrieben werden kann.") + common::zeilenumbruch + e.text());
    return;
  }
  vb::msgbox(QStringLiteral("Die aktuelle Eingabemaske wurde unter dem Dateinamen ") + angezeigt +
             QStringLiteral(" gespeichert."));
}

void IE_Eingabe::standardeinlesen() {
  const QString datei = standarddatei(common::eingabeart);
  if (vb::fileExists(datei)) {
    try {
      vb::TextReader ein(datei);
      for (int i = 1; i <= 16 && !ein.eof(); ++i)
        if (i != notizfeld && sevt(i).texttype() != feldJN) sevt(i).setText(ein.lineInput());
    } catch (const vb::Error& e) {
      vb::msgbox(QStringLiteral("Die gespeicherte Eingabemaske kann nicht gelesen werden.") + common::zeilenumbruch +
                 e.text());
    }
  }
  bezmw->clear();
  bezmw->hide();
}

}  // namespace zevo::colonies
