#pragma once
// Purchases, sales and the honey stock: one window with three tabs, each
// with its bound grid, entry fields and buttons.
//
//   sstab 0 "Einkäufe":   lieinkauf, sevt(5..11), neueinkauf(0/1), lscheinkauf
//   sstab 1 "Verkäufe":   liverkauf, sevt(12..18), neuverkauf(0/1), lschverkauf
//   sstab 2 "Honiglager": lihonig, ligroup with comalle, sevt(0..4), neu(0/1), löschen
//
// A purchase or sale of a product that already has a row in Honiglager is
// booked into the stock (lagerbuchen) in the same transaction as the row
// itself; its delete removes that booking. Quantities are read with their
// sign and money to the cent, never through a Single.

#include "components/sevtext.h"
#include "platform/dao/dao.h"
#include "platform/runtime/forms.h"

class QLabel;
class QPushButton;

namespace zevo::ui {
class sevGrid;
}
namespace zevo::vb {
class TabControl;
}

namespace zevo::trade {

class IV_EinVerkauf_Lager : public vb::Form {
public:
  explicit IV_EinVerkauf_Lager(QWidget* parent = nullptr);
  ~IV_EinVerkauf_Lager() override;

  void Form_Load() override;
  void Form_Activate() override;
  void Form_Unload(bool& cancel) override;

  void honiglagerlesen();
  void einkäufelesen();
  void verkäufelesen();
  void lagervorbelegen();
  void einkaufvorbelegen();
  void verkaufvorbelegen();

  void lieinkauf_rowclick(int row = 0, int col = 0, int button = 0, int shift = 0);
  void liverkauf_rowclick(int row = 0, int col = 0, int button = 0, int shift = 0);
  void lihonig_rowclick(int row = 0, int col = 0, int button = 0, int shift = 0);
  void lieinkauf_rowmove(int row = 0);
  void liverkauf_rowmove(int row = 0);
  void lihonig_rowmove(int row = 0);
  void lieinkauf_colresize(int col, int width);
  void liverkauf_colresize(int col, int width);
  void lihonig_colresize(int col, int width);

  void neueinkauf_click(int index);   // 0 "&Neu", 1 "&Ändern"
  void neuverkauf_click(int index);
  void neu_click(int index);
  void lscheinkauf_click();
  void lschverkauf_click();
  void löschen_click();
  void comalle_click();
  void rosumme_click();
  void ok_click();
  void hilfe_click();
  void beenden_click();

  // Books a purchase ("zu") or a sale (any other text) into Honiglager when
  // the product is a stock article, replacing its earlier booking. Runs
  // inside the caller's transaction, which reloads lihonig after its commit
  // when this gives true; throws dao::Error. False when the product is no
  // stock article (nothing written).
  bool lagerbuchen(const QString& richtung, const QString& datum, const QString& produkt, double menge, int id);

  // --- controls ---------------------------------------------------------------------
  vb::TabControl* sstab = nullptr;
  ui::sevGrid* lieinkauf = nullptr;
  ui::sevGrid* liverkauf = nullptr;
  ui::sevGrid* lihonig = nullptr;
  ui::sevGrid* ligroup = nullptr;
  ui::sevTextArray sevt;   // 0..18
  QPushButton* neueinkauf[2] = {nullptr, nullptr};
  QPushButton* neuverkauf[2] = {nullptr, nullptr};
  QPushButton* neu[2] = {nullptr, nullptr};
  QPushButton* lscheinkauf = nullptr;
  QPushButton* lschverkauf = nullptr;
  QPushButton* löschen = nullptr;
  QPushButton* comalle = nullptr;
  QPushButton* rosumme = nullptr;
  QLabel* bezsumme = nullptr;
  QLabel* Label1 = nullptr;
  QPushButton* ok = nullptr;
  QPushButton* hilfe = nullptr;
  QPushButton* beenden = nullptr;

  struct Handel;   // what a purchase and a sale differ in

private:
  void steuerelementeanlegen();
  void gridfüllen(ui::sevGrid& grid, const QString& sql, const QString& abschnitt, bool datensatzbehalten);
  void honiglagerneulesen();   // keeps the current record (by ID)
  void knöpfefreigeben(bool an);
  void listenknopffreigeben();
  void zeilezeigen(ui::sevGrid& grid, const int* felder, const char* const* spalten, int anzahl);
  void spaltenbreite(ui::sevGrid& grid, const QString& abschnitt, int col, int width);
  void handelvorbelegen(const Handel& h);
  void handelspeichern(const Handel& h, int index);
  void handellöschen(const Handel& h);
  QString gründe(int datumfeld, int produktfeld) const;

  dao::Database db_;
};

}  // namespace zevo::trade
