#pragma once
// The statistics window: any of the thirty-five statistics of the catalogue
// per colony in stock ("Statistik je Volk") or per year over all colonies
// ("Statistik je Jahr"), within the years of t(0) and t(1), one aggregate
// query per row and table, with an optional average row "SCHNITT". The result goes to
// the list window.
//
// Settings: schnittzeile (konschnitt), jahrvon/jahrbis (t), volkspalten
// (kontier 0..2), statistikauswahl (";caption;caption;"), stored on
// "&Schließen" only.

#include "components/sevtext.h"
#include "platform/dao/dao.h"
#include "platform/runtime/forms.h"

#include <vector>

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace zevo::vb {
class ProgressBar;
}
namespace zevo::ui {
class sevGrid;
}

namespace zevo::evaluations {

class IW_Statistiken : public vb::Form {
public:
  explicit IW_Statistiken(QWidget* parent = nullptr);
  ~IW_Statistiken() override;

  void Form_Load() override;
  void Form_Activate() override;
  void Form_Unload(bool& cancel) override;

  void alletier_click(int index);
  void t_lostfocus(int index);
  void ok_click(int index);       // 0 per colony, 1 per year
  void beenden_click();
  void hilfe_click();

  // --- controls ---------------------------------------------------------------
  QListWidget* li1 = nullptr;     // captions, several markable
  QListWidget* li1x = nullptr;    // keys
  QPushButton* alletier[2] = {};
  QCheckBox* kontier[3] = {};
  QCheckBox* konschnitt = nullptr;
  ui::sevTextArray t;             // 0 from year, 1 to year
  QPushButton* ok[2] = {};
  QPushButton* beenden = nullptr;
  QPushButton* hilfe = nullptr;
  vb::ProgressBar* meter = nullptr;
  ui::sevGrid* gridli = nullptr;  // never shown
  QLabel* Label2 = nullptr;

private:
  void steuerelementeanlegen();
  bool jahregeprüft(int& von, int& bis);
  bool jahrekorrigieren();
  void spaltenanlegen(int index);
  void zeilenjevolk(int von, int bis);
  void zeilenjejahr(int von, int bis);
  void abfragenbilden();
  void statistikzellen(const QString& bedingung, QString& zeile);
  void schnittzeileanhängen(int index);

  // The marked statistics that read one table under one extra condition
  // are answered by one statement per row: the table's rows are found once
  // for all of them, and each aggregate sees them as its own query would.
  struct Abfrage {
    QString kopf;                   // "select summe as w0, ... from table"
    QString zusatz;
    std::vector<int> statistiken;  // catalogue indices, in list order
  };
  std::vector<Abfrage> abfragen_;
  std::vector<int> markiert_;      // catalogue indices of the marked ones, in list order

  dao::Database db_;
};

}  // namespace zevo::evaluations
