#pragma once
// "Deckungsbeitrag": revenues minus costs, one row per calendar year of a
// range of at most 30 years over the chosen colonies, or one row per colony
// over the whole range. konkost(0..16) choose the value columns (0 sales and
// 15 purchases in the year rows only), every row ends with its "Summe", a
// row "SUMME" holds the totals when they are not 0. Money is exact: every
// amount is taken in whole ten-thousandths of a euro.
//
// Settings: völkerauswahl, jahrvon, jahrbis, auswertungsart, volkspalten
// (kontier), deckungsbeitragsposten (seventeen "0"/"1"), pauschaleeinnahme
// and pauschalekosten (the flat rates as typed).

#include "evaluations/auswertungsfenster.h"

class QCheckBox;
class QGroupBox;
class QLabel;

namespace zevo::trade {

class IW_Deckungsbeitrag : public evaluations::Auswertungsfenster {
public:
  explicit IW_Deckungsbeitrag(QWidget* parent = nullptr);

  // Caption of the value column i (0..17) and label of its box (0..16).
  static QString spaltentitel(int i);
  static QString postenlabel(int i);

  void alletier_click(int index) override;
  void ok_click() override;

  QGroupBox* Frame1[5] = {};
  QCheckBox* konkost[17] = {};
  ui::sevTextArray sevt;   // 0 flat revenue, 1 flat cost per colony and year
  QRadioButton* optiauswertung[2] = {};
  QCheckBox* kontier[3] = {};
  QLabel* Bezeichnung1[5] = {};

protected:
  void listenfüllen() override;
  void optionensetzen() override;
  void optionenspeichern() override;

private:
  // The sum of one query's field "summe" in ten-thousandths, 0 for Null.
  qint64 summe(const QString& sql);
  // The value cells and "Summe" of one row, each followed by a TAB; the row
  // is added into the totals.
  QString werte(qint64 zeile[18]);
  void jahreslisten(int von, int bis, qint64 pauschaleeinnahme, qint64 pauschalekosten);
  void völkerlisten(int von, int bis, qint64 pauschaleeinnahme, qint64 pauschalekosten);
  QString klausel() const;

  qint64 summen_[18] = {};
};

}  // namespace zevo::trade
