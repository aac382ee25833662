#pragma once
// "Völkerdaten listen": chosen columns of Bienenvolk for a colony choice,
// sorted by one column, handed to the list window. The columns come from
// the table itself, in its order; nothing marked lists them all.
// Settings: völkerauswahl, völkerdatensortierung (the index of komsort),
// völkerdatenfelder (";name;name;", ";" when none is marked).

#include "evaluations/auswertungsfenster.h"

class QListWidget;

namespace zevo::evaluations {

class IW_Völkerdaten : public Auswertungsfenster {
public:
  explicit IW_Völkerdaten(QWidget* parent = nullptr);

  void alletier_click(int index) override;
  void ok_click() override;

  // The statement of the current options.
  QString anweisung() const;

  QListWidget* liste = nullptr;
  ui::sevText* komsort = nullptr;

protected:
  void listenfüllen() override;
  void optionensetzen() override;
  void optionenspeichern() override;
};

}  // namespace zevo::evaluations
