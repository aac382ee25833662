#pragma once
// The main window IA_ZEVO: start-up, activation and shut-down, the colony
// grid datali with its stock filter, the data panel beside it (Text1 with the
// colony data card and its buttons), the menus, the toolbar and the popup
// menu of the grid.
//
// Other windows use it through instance(): the grid datali (also reachable as
// common::datali), Text1, kon, datenvölkerlesen() and bedienungfreigeben().
//
// Every window is opened by name through vb::showForm; a menu item, toolbar
// button or popup item whose window is not registered stays disabled.
//
// Measures are in twips (15 per pixel), as the layout rules give them: the
// window's Height and Width are those of its client area including menu bar
// and toolbar; the grid and the text box are placed in the central area.

#include "platform/dao/dao.h"
#include "platform/runtime/forms.h"
#include "platform/runtime/widgets.h"

#include <QHash>
#include <QMainWindow>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QAction;
class QCheckBox;
class QGroupBox;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace zevo::vb {
class SingleInstance;
}
namespace zevo::ui {
class sevGrid;
}

namespace zevo::shell {

// The services of other parts that the main window calls at their places.
// They default to the shell's functions; tests may replace them.
struct Hauptfensterdienste {
  std::function<void()> jahreslaufanbieten;        // last step of start-up
  std::function<void()> ersteaktivierungsdienste;  // first activation
  std::function<void()> sicherungserinnerung;      // shut-down, before the settings are written
  std::function<void()> datenbankkomprimieren;     // O_Datenbankkomprimieren
  std::function<void()> volkterminesetzen;         // O_volkabhängigeterminesetzen
  std::function<void(int)> volkbuchungenlöschen;   // colony delete, before the colony row
  std::function<void()> volkdatenlisten;           // the data card
  Hauptfensterdienste();
};

// The default SELECT of the colony list (36 fields, ID last) and of the
// stock card list (18 fields).
QString standardvölkerlistesql();
QString standardstockkartesql();

// A control's place in twips.
struct Maße {
  int left = 0, top = 0, width = 0, height = 0;
};

class IA_ZEVO : public QMainWindow, public vb::FormHandlers {
public:
  explicit IA_ZEVO(QWidget* parent = nullptr);
  ~IA_ZEVO() override;

  // The main window, nullptr when none exists.
  static IA_ZEVO* instance();
  static Hauptfensterdienste& dienste();

  // Form_Load, then shows the window and runs its first activation.
  void starten();

  QString formName() const override { return QStringLiteral("IA_ZEVO"); }
  QWidget* formWidget() override { return this; }

  // --- start-up, activation, shut-down ------------------------------------------
  void Form_Load() override;
  void Form_Activate() override;
  // The shut-down; it never cancels, and runs only once per window.
  void Form_QueryUnload(bool& cancel, int unloadMode) override;
  void Form_Resize();
  void XV_beenden_Click();
  bool heruntergefahren() const { return heruntergefahren_; }

  // 0 locks the window's controls, anything else unlocks them.
  void bedienungfreigeben(int freigabe);
  void druckerprüfen();
  void fensteraufteilen();
  void linksrechts_Click();

  // Window geometry in twips.
  int Top() const { return top_; }
  int Left() const { return left_; }
  int Height() const { return height_; }
  int Width() const { return width_; }
  void setHeight(int twips);
  void setWidth(int twips);
  void setTop(int twips);
  void setLeft(int twips);
  Maße datalimaße() const { return datalimaße_; }
  Maße text1maße() const { return text1maße_; }
  int linksrechtsbild() const { return linksrechtsbild_; }   // 72 or 73

  // --- the colony grid ------------------------------------------------------------
  void datenvölkerlesen(bool melden = true);   // melden false: a failure to read is not told again
  void optiverkauft_Click(int index);
  void datali_aftersort();
  void datali_rowpaint(int row, QString& fixedText) const;
  void datali_rowchange();
  void datali_rowclick(int row, int col, int button, int shift);
  void datali_mouseclick(int button, int shift, int x, int y);
  void datali_dblclick();

  // --- the data panel ---------------------------------------------------------------
  void cmdok_Click();
  void kon_Click();
  void abwaerts_Click(int index);
  void comdrucken_Click();

  // --- menus, toolbar, popup menu -------------------------------------------------------
  void menüsfreigeben();
  // The item (or top menu, or separator) of that name; nullptr when unknown.
  QAction* menüpunkt(const QString& name) const;
  QStringList menüpunktnamen() const;                   // every item in menu order
  QString menüfenster(const QString& name) const;       // the window an item shows, or ""
  // Runs the item's action as its click does (whatever its enabled state).
  void menüpunkt_Click(const QString& name);
  void mleiste_ButtonClick(const QString& key);
  void popzeile_Click(int index);

  void XV_volklöschen_Click();
  void XV_völkerselektieren_Click();
  void XV_selektiertevölkermarkieren_Click();
  void XV_markiertevölkerselektieren_Click();

  // --- controls (public so that other windows and tests reach them) ----------------
  ui::sevGrid* datali = nullptr;
  QPlainTextEdit* Text1 = nullptr;
  QCheckBox* kon = nullptr;
  QPushButton* cmdok = nullptr;
  QToolButton* abwaerts[2] = {nullptr, nullptr};
  QToolButton* comdrucken = nullptr;
  QToolButton* linksrechts = nullptr;
  QGroupBox* Frame1 = nullptr;
  QRadioButton* optiverkauft[3] = {nullptr, nullptr, nullptr};
  vb::Toolbar* mleiste = nullptr;
  QMenu* popupliste = nullptr;
  QAction* popzeile[15] = {};

  // The main window's own connection, beside common::datenbank.
  dao::Database eigenedatenbank;

protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

private:
  void steuerelementeanlegen();
  void menüsanlegen();
  void toolbaranlegen();
  void popupanlegen();
  void anordnen();                 // applies the twips measures to the widgets
  void fenstergrößeanwenden();
  void datenbanköffnen();           // both connections, or the program ends
  void schreibschutzprüfen();
  void berichtseitenlöschen();
  void herunterfahren();
  bool punktfrei(const QString& name) const;   // the enabling rule of one item
  void popupzeigen();
  int anzahl(const QString& sql);

  std::unique_ptr<vb::SingleInstance> einzelinstanz_;
  bool heruntergefahren_ = false;
  bool größeanwenden_ = false;
  int top_ = 0, left_ = 0, height_ = 0, width_ = 0;
  Maße datalimaße_, text1maße_;
  int linksrechtsbild_ = 72;

  QHash<QString, QAction*> punkte_;
  QStringList punktnamen_;
  QHash<QString, QString> punktfenster_;
  QHash<QString, int> punktgruppe_;     // 0 always, 1 needs a current row, 2 needs rows
  QHash<QString, std::function<void()>> punktaktion_;
  QList<QMenu*> hauptmenüs_;
  QList<QPair<QString, QString>> knöpfe_;   // toolbar key, item it runs
  QString popupitems_[15];
};

}  // namespace zevo::shell
