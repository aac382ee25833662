#pragma once
// The site evaluations "Standorte / Pflanzen auswerten": the sites, the
// plants, the plants per site, the colonies per site against the site's
// maximum, and the quality index of every site on one date or week by week
// from March to September. Every list goes to the list window.
//
// The seven quality parameters sevt(0..6) (settings 37..43) act at once on
// the next list; "&Schließen" stores them, the close box does not. A stored
// 0 comes back as its standard value. sevt(7) is the date of the index,
// today at every opening. The window reads only, on its own read-only
// connection.

#include "components/sevtext.h"
#include "platform/dao/dao.h"
#include "platform/runtime/forms.h"

#include <QString>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace zevo::ui {
class sevGrid;
}
namespace zevo::vb {
class ProgressBar;
}

namespace zevo::sites {

class IW_Standorte : public vb::Form {
public:
  explicit IW_Standorte(QWidget* parent = nullptr);
  ~IW_Standorte() override;

  // The worked example shown in Text1.
  static QString berechnungsbeispiel();

  void Form_Load() override;
  void Form_Activate() override;
  void Form_Unload(bool& cancel) override;

  void hilfe_click();
  void standardparameter_click();
  void beenden_click();
  void rolisten_click(int index);   // 0..5

  // --- controls ---------------------------------------------------------------
  ui::sevTextArray sevt;            // 0..6 parameters, 7 the date
  QLabel* bezhieb[3] = {};
  QPlainTextEdit* Text1 = nullptr;
  QPushButton* rolisten[6] = {};
  QPushButton* standardparameter = nullptr;
  QPushButton* beenden = nullptr;
  QPushButton* hilfe = nullptr;
  ui::sevGrid* gridli = nullptr;
  vb::ProgressBar* meter = nullptr;

private:
  void steuerelementeanlegen();
  // The evaluations; false when the index left the number range.
  void tabellelisten(const QString& sql);
  void pflanzenjestandort();
  void völkerjestandort();
  bool indexamdatum();
  bool indexjewoche();
  void fortschrittbeginnen(const dao::Recordset& rs);
  void fortschritt();
  void fortschrittende();

  dao::Database db_;
};

}  // namespace zevo::sites
