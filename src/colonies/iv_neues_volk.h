#pragma once
// The colony window: enters a new colony (volkmodus "Neu") or changes the
// colony of the main grid's current row ("Ändern").
//
// Fields sevt(0..16) hold the colony's own data, kon "Volk aktuell im
// Bestand"; the read-only sevtx(0..15) show the summary columns, which are
// written back unchanged. Saving keeps Wanderung (a changed site), Termine
// (leaving or entering the stock) and the main grid (völkerneulesen) in step,
// all in one transaction. Every text column is stored through feldtext.
//
// The defaults file IV_Neues_Volk.ZE1 (program folder, Windows-1252, CR LF,
// 17 lines): the texts of sevt(1..16), then kon as " 1" or " 0".

#include "components/sevtext.h"
#include "platform/dao/dao.h"
#include "platform/runtime/forms.h"

#include <QStringList>

class QCheckBox;
class QPushButton;

namespace zevo::colonies {

class IV_Neues_Volk : public vb::Form {
public:
  explicit IV_Neues_Volk(QWidget* parent = nullptr);
  ~IV_Neues_Volk() override;

  static QString standarddatei();   // datenpfad + "IV_Neues_Volk.ZE1"

  void Form_Load() override;
  void Form_Activate() override;
  void Form_Unload(bool& cancel) override;

  void ok_Click();
  void oknächster_Click(int index);   // 0 next, 1 previous
  void standard_Click();
  void cmdabbrechen_Click();
  void comhilfe_Click();

  bool neu() const { return neu_; }
  int eingabefehler() const { return eingabefehler_; }
  int volkId() const { return volkId_; }   // the colony shown or last stored; 0 for a new one

  // --- controls -------------------------------------------------------------------
  ui::sevTextArray sevt;    // 0..16
  ui::sevTextArray sevtx;   // 0..15, read-only
  QCheckBox* kon = nullptr;
  QPushButton* ok = nullptr;
  QPushButton* oknächster[2] = {nullptr, nullptr};
  QPushButton* standard = nullptr;
  QPushButton* cmdabbrechen = nullptr;
  QPushButton* comhilfe = nullptr;

private:
  void steuerelementeanlegen();
  void listenfüllen();
  bool volkanzeigen();      // false when the colony of the current row is missing
  void eingabeprüfen();
  void volkspeichern();
  bool speichern();         // eingabeprüfen + volkspeichern; false when refused or failed
  void ursprungswertemerken();
  void standardwertelesen();
  QStringList ursprungswerte() const;

  dao::Database db_;
  bool neu_ = true;
  int volkId_ = 0;
  QStringList ursprungswerte_;
  int eingabefehler_ = 0;
};

}  // namespace zevo::colonies
