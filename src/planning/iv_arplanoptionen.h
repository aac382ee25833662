#pragma once
// The work-plan options "Arbeitsplan-Optionen": the kinds of recurring work
// with their yearly window ("dd.mm" to "dd.mm"), repetition in days, colony
// dependence and the bookings that complete their dates.
//
// Every change is carried into Termine in the same transaction: a new option
// gets its dates of the current year from the generator (one call with
// colony 0 for "N", else one per colony in stock), a renamed option renames
// its dates of every year, a deleted one deletes them, and "calender"
// deletes and regenerates the current year's dates of every option whose
// window is a date this year (the others keep theirs and are named in the
// generator's notice).

#include "components/sevtext.h"
#include "platform/dao/dao.h"
#include "platform/runtime/forms.h"

class QPushButton;

namespace zevo::ui {
class sevGrid;
}

namespace zevo::planning {

class IV_Arplanoptionen : public vb::Form {
public:
  IV_Arplanoptionen();

  void Form_Load() override;
  void Form_Activate() override;
  void Form_Unload(bool& cancel) override;

  // Both read the database. A failure is told only when melden is set, so
  // that a click or an opening that has told one failure gives no second
  // message; optionenlisten gives false when it failed.
  bool optionenlisten(bool melden = true);
  void optionsfelderleeren(bool melden = true);
  void liarplan_rowclick();
  void liarplan_colresize(int spalte, int breite);
  void neu_Click(int index);   // 0 new, 1 change
  void löschen_Click();
  void calender_Click();
  void terminverwaltung_Click();
  void hilfe_Click();
  void beenden_Click();

  QString altearbeitsart() const { return altearbeitsart_; }

  // --- controls -------------------------------------------------------------------
  ui::sevGrid* liarplan = nullptr;
  ui::sevTextArray sevt;   // 0..6
  QPushButton* neu[2] = {nullptr, nullptr};
  QPushButton* löschen = nullptr;
  QPushButton* hilfe = nullptr;
  QPushButton* beenden = nullptr;
  QPushButton* calender = nullptr;
  QPushButton* terminverwaltung = nullptr;

private:
  void steuerelementeanlegen();
  void knöpfefreigeben(bool an);
  QString prüfen() const;   // the reasons of a refusal, "" when the fields may be stored
  void speichern(int index);
  void volkids(QList<int>& ids);

  dao::Database db_;
  QString altearbeitsart_;
};

}  // namespace zevo::planning
