#pragma once
// The open dates "Aktuelle offene Termine": every open date up to terminvorlauf
// days after today, overdue ones first, and the four ways of marking them
// done (the current date on the Erledigungsdatum, the selected ones, all up
// to today, one kind at one site). A date done on a chosen day can have the
// rest of its series planned again from that day. The list as shown, or
// grouped by site, goes to the list window.

#include "components/sevtext.h"
#include "platform/dao/dao.h"
#include "platform/runtime/forms.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace zevo::ui {
class sevGrid;
}

namespace zevo::planning {

class IV_Starttermine : public vb::Form {
public:
  IV_Starttermine();

  void Form_Load() override;
  void Form_Activate() override;
  void Form_Unload(bool& cancel) override;

  // False when the list could not be read; that is told only when melden
  // is set, so that one failed click or opening gives one message.
  bool offeneterminelisten(bool melden = true);
  // modus "N": done on its due day; otherwise done on the Erledigungsdatum,
  // with the series planned again when konterminreihe is ticked.
  void terminerledigen(const QString& id, const QString& modus, const QString& termin);
  void cmdok_Click(int index);
  void litermine_rowclick();
  void litermine_dblclick();
  void litermine_colresize(int spalte, int breite);
  void ok_Click();
  void okgruppiert_Click();
  void hilfe_Click();
  void beenden_Click();

  // --- controls -------------------------------------------------------------------
  QLabel* bezhieb = nullptr;
  ui::sevGrid* litermine = nullptr;
  ui::sevTextArray sevt;   // 0 Erledigungsdatum, 1 kind, 2 site, 3 "bis einschl."
  QPushButton* cmdok[4] = {nullptr, nullptr, nullptr, nullptr};
  QCheckBox* konterminreihe = nullptr;
  QCheckBox* kon = nullptr;
  QPushButton* ok = nullptr;
  QPushButton* okgruppiert = nullptr;
  ui::sevGrid* gridli = nullptr;
  QPushButton* hilfe = nullptr;
  QPushButton* beenden = nullptr;

private:
  void steuerelementeanlegen();
  void erledigen(int index, int& zeile);
  QString vorlaufliteral() const;

  dao::Database db_;
};

}  // namespace zevo::planning
