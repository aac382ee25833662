#pragma once
// The weather journal: at most one weather record per day in Wetterdaten,
// entered, changed and deleted here, listed newest day first. "&Listen"
// opens the weather evaluations.

#include "components/sevtext.h"
#include "platform/dao/dao.h"
#include "platform/runtime/forms.h"

class QFrame;
class QLabel;
class QPushButton;

namespace zevo::ui {
class sevGrid;
}

namespace zevo::sites {

class IV_Wetterdaten : public vb::Form {
public:
  explicit IV_Wetterdaten(QWidget* parent = nullptr);
  ~IV_Wetterdaten() override;

  void Form_Load() override;
  void Form_Activate() override;
  void Form_Unload(bool& cancel) override;

  void liwetter_rowclick();
  void liwetter_colresize(int col, int widthTwips);
  void neu_Click(int index);     // 0 "&Neu", 1 "&Ändern"
  void löschen_Click();
  void ok_Click();               // "&Listen"
  void hilfe_Click();
  void beenden_Click();

  // --- controls -------------------------------------------------------------------
  ui::sevGrid* liwetter = nullptr;
  ui::sevTextArray sevt;         // 0..6
  QPushButton* neu[2] = {nullptr, nullptr};
  QPushButton* löschen = nullptr;
  QPushButton* ok = nullptr;
  QPushButton* hilfe = nullptr;
  QPushButton* beenden = nullptr;
  QLabel* bezhieb[2] = {nullptr, nullptr};
  QFrame* Rahmen = nullptr;

private:
  void steuerelementeanlegen();
  void wetterdatenlesen();
  void wettervorbelegen();
  // Checks and writes the fields; the saved record's ID, or 0 when nothing was stored.
  int speichern(int index);

  dao::Database db_;
  dao::Recordset rs_;
};

}  // namespace zevo::sites
