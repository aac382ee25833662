#pragma once
// Groupings and crosstabs over the colonies: how many colonies share each
// value of an attribute (li1), how the bookings of one kind spread over a
// colony column (li2 by kom(2)), what each booking table counts, costs,
// earns and takes in time per group (gruppekostenjetier by kom(0)), the
// colonies per site with their frames and foundations (sonstigecom), and
// the ages of the colonies in stock by kom(1) (sonstigeok). Each evaluation
// is one query, shown in datali and copied into the hidden gridli, which
// "&Listen" hands to the list window. The window keeps no options.

#include "platform/dao/dao.h"
#include "platform/runtime/forms.h"

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace zevo::ui {
class sevGrid;
}

namespace zevo::evaluations {

class IW_Gruppierungen : public vb::Form {
public:
  explicit IW_Gruppierungen(QWidget* parent = nullptr);
  ~IW_Gruppierungen() override;

  void Form_Load() override;
  void Form_Activate() override;
  void Form_Unload(bool& cancel) override;

  void gruppeok_click();
  void li1_DblClick();
  void auswertungok_click();
  void li2_DblClick();
  void gruppekostenjetier_click(int index);   // 0..8
  void sonstigecom_click(int index);          // 0..2
  void sonstigeok_click(int index);           // 0..1
  void ok_click();
  void beenden_click();
  void hilfe_click();

  // --- controls ---------------------------------------------------------------
  QListWidget* li1 = nullptr;
  QPushButton* gruppeok = nullptr;
  QListWidget* li2 = nullptr;
  QPushButton* auswertungok = nullptr;
  QComboBox* kom[3] = {};
  QPushButton* gruppekostenjetier[9] = {};
  QPushButton* sonstigecom[3] = {};
  QPushButton* sonstigeok[2] = {};
  QLabel* Label1 = nullptr;
  QLabel* Label2[3] = {};
  ui::sevGrid* datali = nullptr;   // the visible result
  ui::sevGrid* gridli = nullptr;   // its copy for the list window, never shown
  QPushButton* ok = nullptr;
  QPushButton* beenden = nullptr;
  QPushButton* hilfe = nullptr;

private:
  void steuerelementeanlegen();
  QString eintrag(QListWidget* liste);   // the selected entry; entry 0 when none is
  void auswerten(const QString& sql, const QString& titel);
  void ergebnisübernehmen(dao::Recordset& rs);

  dao::Database db_;
};

}  // namespace zevo::evaluations
