// The computation of the contribution margin: the "&Listen" button of
// IW_Deckungsbeitrag.

#include "common/fensterdienste.h"
#include "common/routinen.h"
#include "common/variablen.h"
#include "components/sevgrid.h"
#include "platform/runtime/mousepointer.h"
#include "platform/runtime/vb.h"
#include "trade/geld.h"
#include "trade/iw_deckungsbeitrag.h"

#include <QCheckBox>
#include <QRadioButton>

#include <algorithm>

namespace zevo::trade {

namespace {

// The booking sums of the value columns 1..14: table and summed field.
struct Buchungsspalte {
  const char* tabelle;
  const char* feld;
};
const Buchungsspalte buchungsspalten[15] = {
    {nullptr, nullptr},          {"Honigernte", "Honig_Wert"}, {"Wachsernte", "Wachs_Wert"},
    {"Pollenernte", "Pollen_Wert"}, {"Sonstigeernte", "Wert"},   {nullptr, nullptr},
    {"Honigernte", "Kosten"},    {"Wachsernte", "Kosten"},     {"Pollenernte", "Kosten"},
    {"Sonstigeernte", "Kosten"}, {"Arbeiten", "Kosten"},       {"Wanderung", "Kosten"},
    {"Gewichtsmessung", "Kosten"}, {"Behandlung", "Kosten"},   {"Königinwechsel", "Kosten"}};

QString summenanfang(int i) {
  return "select sum(" + QString::fromUtf8(buchungsspalten[i].feld) + ") as summe from " +
         QString::fromUtf8(buchungsspalten[i].tabelle);
}

const QString prämie = QStringLiteral(" and Prämie_erhalten = 'J'");

}  // namespace

QString IW_Deckungsbeitrag::klausel() const {
  const int option = gewählteoption();
  QString id;
  if (option == 4 && common::datali && common::datali->row() > 0)
    id = common::datali->cell(common::datali->row(), QStringLiteral("ID"));
  return völkerklausel(evaluations::Klauselart::Arbeitszeiten, option, id);
}

qint64 IW_Deckungsbeitrag::summe(const QString& sql) { return geldsumme(datenbank(), sql); }

QString IW_Deckungsbeitrag::werte(qint64 zeile[18]) {
  // Each cell counts as shown, so the row's total and the totals row add up.
  for (int i = 0; i < 17; ++i) zeile[i] = aufcent(zeile[i]);
  zeile[17] = 0;
  for (int i = 0; i <= 5; ++i) zeile[17] = geldplus(zeile[17], zeile[i]);
  for (int i = 6; i <= 16; ++i) zeile[17] = geldminus(zeile[17], zeile[i]);
  for (int i = 0; i < 18; ++i) summen_[i] = geldplus(summen_[i], zeile[i]);
  QString text;
  for (int i = 0; i < 17; ++i)
    if (konkost[i]->isChecked()) text += euro(zeile[i]) + '\t';
  return text + euro(zeile[17]) + '\t';
}

void IW_Deckungsbeitrag::jahreslisten(int von, int bis, qint64 pauschaleeinnahme, qint64 pauschalekosten) {
  const QString auswahl = klausel();
  qint64 völker = 0;
  if (konkost[5]->isChecked() || konkost[16]->isChecked()) {
    dao::Recordset rs = datenbank().openRecordset("select count(*) as summe from Bienenvolk" + auswahl);
    if (!rs.eof()) völker = qint64(vb::val(common::feldtext(rs.fields(0))));
    rs.close();
  }
  meterstarten(bis - von + 1);
  for (int y = von; y <= bis; ++y) {
    const QString jahr = QString::number(y);
    const QString zeitraum = " Datum >= #01/01/" + jahr + "# and Datum <= #12/31/" + jahr + "#";
    const QString datumsklausel = " and" + zeitraum + " and Volk = Bienenvolk.ID";
    qint64 zeile[18] = {};
    for (int i = 0; i <= 16; ++i) {
      if (!konkost[i]->isChecked()) continue;
      if (i == 0) zeile[i] = summe("select sum(Einnahmen) as summe from Verkauf where" + zeitraum);
      else if (i == 15) zeile[i] = summe("select sum(Ausgaben) as summe from Einkauf where" + zeitraum);
      else if (i == 5) zeile[i] = geldmal(pauschaleeinnahme, völker);
      else if (i == 16) zeile[i] = geldmal(pauschalekosten, völker);
      else zeile[i] = summe(summenanfang(i) + ", Bienenvolk" + auswahl + datumsklausel);
      if (i == 11)
        zeile[i] = geldminus(zeile[i], summe("select sum(Standortprämie) as summe from Wanderung, Bienenvolk" +
                                             auswahl + datumsklausel + prämie));
    }
    gridli->additem(jahr + '\t' + werte(zeile));
    meterschritt();
  }
}

void IW_Deckungsbeitrag::völkerlisten(int von, int bis, qint64 pauschaleeinnahme, qint64 pauschalekosten) {
  const qint64 anzahljahre = bis - von + 1;
  const QString datumsklausel =
      " and Datum >= #01/01/" + QString::number(von) + "# and Datum <= #12/31/" + QString::number(bis) + "#";
  dao::Recordset völker =
      datenbank().openRecordset("select Volknr, Volkname, Standort, ID from Bienenvolk" + klausel() + " order by ID");
  if (!völker.eof()) {
    völker.moveLast();
    meterstarten(völker.recordCount());
    völker.moveFirst();
  }
  for (; !völker.eof(); völker.moveNext()) {
    const QString id = common::sqlidtext(common::feldtext(völker[QStringLiteral("ID")]));
    qint64 zeile[18] = {};
    for (int i = 1; i <= 16; ++i) {
      if (i == 15 || !konkost[i]->isChecked()) continue;
      if (i == 5) zeile[i] = geldmal(pauschaleeinnahme, anzahljahre);
      else if (i == 16) zeile[i] = geldmal(pauschalekosten, anzahljahre);
      else zeile[i] = summe(summenanfang(i) + " where Volk = " + id + datumsklausel);
      if (i == 11)
        zeile[i] = geldminus(zeile[i], summe("select sum(Standortprämie) as summe from Wanderung where Volk = " +
                                             id + datumsklausel + prämie));
    }
    gridli->additem(volkspaltentexte(völker, kontier) + werte(zeile));
    meterschritt();
  }
  völker.close();
}

void IW_Deckungsbeitrag::ok_click() {
  if (std::none_of(std::begin(konkost), std::end(konkost), [](QCheckBox* k) { return k->isChecked(); }))
    alletier_click(0);
  if (std::none_of(std::begin(kontier), std::end(kontier), [](QCheckBox* k) { return k->isChecked(); }))
    for (QCheckBox* k : kontier) k->setChecked(true);

  // A year outside 1901..2099 (an empty field, "*" or "3000") becomes the current year, visibly.
  int jahre[2];
  if (!wirtschaftsjahre(jahre)) return;

  const bool völkerweise = optiauswertung[1]->isChecked();
  if (völkerweise) {
    konkost[0]->setChecked(false);
    konkost[15]->setChecked(false);
  }

  listung([&] {
    vb::setMousePointer(vb::vbHourglass);
    gridli->lockupdate(true);
    const qint64 pauschaleeinnahme = geldaustext(sevt(0).text());
    const qint64 pauschalekosten = geldaustext(sevt(1).text());
    std::fill(std::begin(summen_), std::end(summen_), 0);
    gridli->clear(true);

    volkspaltenanlegen(völkerweise, kontier);
    for (int i = 0; i < 17; ++i)
      if (konkost[i]->isChecked()) gridli->addcolumn(QString::number(i), spaltentitel(i), -1, 1);
    gridli->addcolumn(QStringLiteral("17"), spaltentitel(17), -1, 1);

    if (völkerweise) völkerlisten(jahre[0], jahre[1], pauschaleeinnahme, pauschalekosten);
    else jahreslisten(jahre[0], jahre[1], pauschaleeinnahme, pauschalekosten);

    // The totals are exact, so revenues that equal the costs give no row.
    if (summen_[17] != 0) {
      QString text = summenzeilenanfang(völkerweise, kontier);
      for (int i = 0; i < 17; ++i)
        if (konkost[i]->isChecked()) text += euro(summen_[i]) + '\t';
      gridli->additem(text + euro(summen_[17]) + '\t');
    }
    listungabschließen();
  });
}

}  // namespace zevo::trade
