#pragma once
// "Auswertung Arbeitszeiten": the working hours (Zeit_h) of up to nine
// booking tables over a range of whole years, one row per year for the
// colony choice or one row per colony over the range; each row ends with
// its total, a last row "SUMME" holds the column totals when they are not 0.
// Settings: völkerauswahl, jahrvon, jahrbis, auswertungsart, volkspalten
// (kontier), arbeitszeitentabellen (nine "0"/"1", one per konkost box).

#include "evaluations/auswertungsfenster.h"

class QCheckBox;

namespace zevo::evaluations {

class IW_Arbeitszeiten : public Auswertungsfenster {
public:
  explicit IW_Arbeitszeiten(QWidget* parent = nullptr);

  // The table of box i (0..8); box 3 is captioned "Sonstige Ernte".
  static QString tabelle(int i);

  void alletier_click(int index) override;
  void ok_click() override;

  QCheckBox* konkost[9] = {};
  QRadioButton* optiauswertung[2] = {};
  QCheckBox* kontier[3] = {};

protected:
  void listenfüllen() override;
  void optionensetzen() override;
  void optionenspeichern() override;

private:
  void jahreslisten(int von, int bis);
  void völkerlisten(int von, int bis);
  // The sum of Zeit_h of one query, 0 for Null.
  float summe(const QString& sql);
  // The row's value cells and total, each followed by TAB; adds them to the totals.
  QString werte(const float zeile[9]);
  // The totals in hundredths of an hour, the shown cells added up exactly:
  // 0..8 per table, 9 the grand total.
  qint64 summen_[10] = {};
};

}  // namespace zevo::evaluations
