#pragma once
// The work plan "Arbeitspläne berechnen (nur volkabhängige Termine)": the open
// dates of the colonies in stock from a start date over one to eight weeks,
// as a list in date order or as a table with one column per day, handed to
// the list window. Reads the database only.
//
// Settings: arbeitsplanspalten (kon), arbeitsplansortierung (optisort) and
// arbeitsplanzeichen (t, untrimmed) are kept on "Schließen"; the period
// arbeitsplanzeitraum at once by the week buttons.

#include "platform/dao/dao.h"
#include "platform/runtime/forms.h"

#include <QStringList>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace zevo::ui {
class sevGrid;
class sevText;
}

namespace zevo::vb {
class ProgressBar;
}

namespace zevo::planning {

class IW_Arbeitsplan : public vb::Form {
public:
  IW_Arbeitsplan();

  void Form_Load() override;
  void Form_Activate() override;
  void Form_Unload(bool& cancel) override;

  void woche_Click(int index);   // 0..4: 1, 2, 3, 4, 8 weeks
  void tdat_lostfocus();
  void ok_Click(int index);      // 0 list, 1 table
  void comarbplanoptionen_Click();
  void hilfe_Click();
  void beenden_Click();

  QString bisdatum() const { return bisdatum_; }

  // --- controls -------------------------------------------------------------------
  ui::sevText* tdat = nullptr;
  QPushButton* woche[5] = {};
  QLabel* Bezeichnung1 = nullptr;
  QCheckBox* kon[3] = {};
  QRadioButton* optisort[3] = {};
  QLineEdit* t[2] = {};
  QPushButton* ok[2] = {};
  QPushButton* comarbplanoptionen = nullptr;
  QPushButton* hilfe = nullptr;
  QPushButton* beenden = nullptr;
  vb::ProgressBar* meter = nullptr;
  ui::sevGrid* gridli = nullptr;

protected:
  bool eventFilter(QObject* o, QEvent* e) override;

private:
  void steuerelementeanlegen();
  void bisdatumsetzen(const QDate& start);
  bool zeichenprüfen(int index);   // false when the listing is refused
  QString abfrage(int index) const;
  void liste(dao::Recordset& rs);
  void tabelle(dao::Recordset& rs);
  void kopfzeileneinfügen();

  dao::Database db_;
  QString bisdatum_;
  QStringList kopfzeilen_;   // 4 header lines of the table
};

}  // namespace zevo::planning
