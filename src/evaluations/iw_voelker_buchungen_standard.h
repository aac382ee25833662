#pragma once
// "Völker (Buchungen) listen": the bookings of one booking table with the
// marked fields, optionally led by the colony's number and name, optionally
// within a date range, sorted by up to two fields. The window reads as one
// sentence from top to bottom.
// Settings: völkerauswahl, buchungsvolkspalten (kontier), buchungsdatumvon
// and -bis (tdat texts as typed), buchungsauswahlstandard (optibuch). The
// table, the marked fields and the sort fields are never stored.

#include "evaluations/auswertungsfenster.h"

#include <QStringList>

class QCheckBox;
class QLabel;
class QListWidget;

namespace zevo::evaluations {

class IW_Völker_Buchungen_Standard : public Auswertungsfenster {
public:
  explicit IW_Völker_Buchungen_Standard(QWidget* parent = nullptr);

  // The booking tables offered, in their order.
  static const QStringList& buchungstabellen();

  void sevt_listpick(int index);
  void alletier_click(int index) override;
  void ok_click() override;

  // The reasons against a run of the current options, each ending in
  // zeilenumbruch ("" when none).
  QString gründe() const;
  // The statement of the current options (valid when gründe() is empty).
  QString anweisung() const;

  ui::sevTextArray sevt;   // 0 table, 1 and 2 sort fields
  QListWidget* li0 = nullptr;
  QRadioButton* optibuch[2] = {};
  QCheckBox* kontier[2] = {};
  QLabel* label1[7] = {};

protected:
  void listenfüllen() override;
  void optionensetzen() override;
  void optionenspeichern() override;

private:
  void sortlistenfüllen();
  // The sort field's name as it goes into the statement.
  QString sortausdruck(const QString& name) const;
};

}  // namespace zevo::evaluations
