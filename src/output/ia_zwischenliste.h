#pragma once
// The list window "Daten listen": shows the list an evaluation handed over
// in datenpfad + "gridli.txt" and offers it as a text table (LISTE.TXT,
// shown and printed by IA_Textausgabe), as a spreadsheet workbook opened in
// the desktop's spreadsheet program, and as an HTML report in the browser.
//
//   grid.savetofile(common::datenpfad + "gridli.txt");
//   vb::showForm("IA_Zwischenliste");
//
// Settings: einstellungzahl 54 (fit the columns, stored on "Schließen"),
// 46 (date line), 47 (page numbers), 48 (record count), 49 (rows per HTML
// page); kopftext and trennzeichen.

#include "platform/runtime/forms.h"

#include <QString>

class QAction;
class QCheckBox;
class QMenu;
class QPushButton;

namespace zevo::ui {
class sevGrid;
}

namespace zevo::output {

class IA_Zwischenliste : public vb::Form {
public:
  IA_Zwischenliste();

  // --- controls ---------------------------------------------------------------
  ui::sevGrid* gridli;
  QCheckBox* kon;               // "Automatische Spaltenbreite"
  QPushButton* comtext;
  QPushButton* comexcel;
  QPushButton* roexplorer[2];   // "Standard-Explorer", "Internet-Explorer"
  QPushButton* hilfe;
  QPushButton* cmdschließen;
  QMenu* popupliste;
  QAction* popzeile[6];         // 4 is the separator line

  // --- handlers ---------------------------------------------------------------
  void Form_Load() override;
  void Form_Activate() override;
  void comtext_Click();
  void comexcel_Click();
  void roexplorer_Click(int index);
  void popzeile_Click(int index);
  void gridli_rowclick();
  void gridli_mouseclick();
  void hilfe_Click();
  void cmdschließen_Click();

  // The path of the last written workbook ("" before the first).
  QString tabellendatei() const { return tabellendatei_; }

private:
  QString tabellendatei_;
};

}  // namespace zevo::output
