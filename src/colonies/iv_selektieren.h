#pragma once
// The colony selection: sets the mark Selektiert of Bienenvolk ("X" or
// empty) by criteria. Each button works at once on the database (in one
// transaction) and reloads the main grid; without kon(0) a selection adds to
// the marks already set. Text criteria compare exactly (case included); a
// Null column matches nothing.
//
// entselekt(0) all, (1) none, (2) site sevt(0), (3) hive type sevt(1),
// (4) race sevt(2), (5) origin sevt(3), (6) buyer sevt(4), (7) in stock,
// (8) the attribute of sevt(5) equal to the whole number of sevt(6).
// kon(0) clears all marks first (setting 53), kon(1) looks only at colonies
// in stock (setting 52); "&Schließen" stores both, the close box does not.

#include "components/sevtext.h"
#include "platform/dao/dao.h"
#include "platform/runtime/forms.h"

#include <QStringList>

class QCheckBox;
class QPushButton;

namespace zevo::colonies {

class IV_Selektieren : public vb::Form {
public:
  explicit IV_Selektieren(QWidget* parent = nullptr);
  ~IV_Selektieren() override;

  // The eleven attribute entries of sevt(5), in their order.
  static const QStringList& merkmale();
  // The column of Bienenvolk an attribute entry selects on; "" for any other text.
  static QString merkmalspalte(const QString& merkmal);

  void Form_Load() override;
  void Form_Activate() override;
  void Form_Unload(bool& cancel) override;

  void entselekt_Click(int index);
  void hilfe_Click();
  void abbv_Click();

  // --- controls -------------------------------------------------------------------
  ui::sevTextArray sevt;   // 0..6
  QCheckBox* kon[2] = {nullptr, nullptr};
  QPushButton* entselekt[9] = {};
  QPushButton* hilfe = nullptr;
  QPushButton* abbv = nullptr;

private:
  void steuerelementeanlegen();
  dao::Database db_;
};

}  // namespace zevo::colonies
