#pragma once
// The calendar of dates "Terminverwaltung": the dates of a range, narrowed
// by colony, kind and done mark (fields 3..7); one-off dates entered and
// changed in fields 0, 1, 2 and 8, marked done by a double click, deleted
// singly or all done ones at once.
//
// A filter field rebuilds the list when it is left changed, when a list
// entry is picked, and (the two date fields) as soon as it holds a date.

#include "components/sevtext.h"
#include "platform/dao/dao.h"
#include "platform/runtime/forms.h"

class QPushButton;

namespace zevo::ui {
class sevGrid;
}

namespace zevo::planning {

class IV_Terminverwaltung : public vb::Form {
public:
  IV_Terminverwaltung();

  void Form_Load() override;
  void Form_Activate() override;
  void Form_Unload(bool& cancel) override;

  // False when the list could not be read; that is told only when melden
  // is set, so that a click that has told its own failure gives no second
  // message.
  bool terminelisten(bool melden = true);
  void terminfelderleeren();
  void litermine_rowclick();
  void litermine_dblclick();
  void litermine_colresize(int spalte, int breite);
  void neu_Click(int index);   // 0 new, 1 change
  void löschen_Click();
  void lschalleerledigte_Click();
  void ok_Click();
  void hilfe_Click();
  void beenden_Click();
  void sevt_gotfocus(int index);
  void sevt_lostfocus(int index);
  void sevt_listpick(int index);
  void sevt_change(int index);

  int listenaufbauten() const { return listenaufbauten_; }   // how often the list was built

  // --- controls -------------------------------------------------------------------
  ui::sevGrid* litermine = nullptr;
  ui::sevTextArray sevt;   // 0..8
  QPushButton* neu[2] = {nullptr, nullptr};
  QPushButton* löschen = nullptr;
  QPushButton* lschalleerledigte = nullptr;
  QPushButton* hilfe = nullptr;
  QPushButton* beenden = nullptr;
  QPushButton* ok = nullptr;

private:
  void steuerelementeanlegen();
  void knöpfefreigeben(bool an);
  void speichern(int index, const QDate& datum, const QString& volk);
  QString abfrage();

  dao::Database db_;
  QString filtertext_;
  bool listet_ = false;
  int listenaufbauten_ = 0;
};

}  // namespace zevo::planning
