#pragma once
// "Pflanzen und Standorte (Wanderung)": the sites, the forage plants and the
// plants at each site, on three tabs (0 "Standorte", 1 "Pflanzen je
// Standort", 2 "Pflanzen"); übergabe "0" or "2" chooses the first tab.
//
// Fields: sevt(0..4) a plant, sevt(5..15) a site (14, 15 the derived forage
// period, display only), sevt(16..18) a plant at the current site. The
// current site is the current row of listandorte; a click in lijeort finds
// its site there by name, whatever order either list is sorted in.
//
// Closing the window (with "&Schließen" or the close box) derives every
// site's forage period from its plants (trachtzeitenermitteln); the two
// buttons "Weidezeit +/- 1 Jahr" shift the bloom periods of all plants.
// Each save, delete, shift and derivation runs in one transaction; a
// database error is reported and nothing of it is kept.

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

namespace zevo::sites {

class IV_Pflanzen_Standorte : public vb::Form {
public:
  explicit IV_Pflanzen_Standorte(QWidget* parent = nullptr);
  ~IV_Pflanzen_Standorte() override;

  void Form_Load() override;
  void Form_Activate() override;
  void Form_Unload(bool& cancel) override;

  void sstab_click(int previousTab);
  void listandorte_rowclick();
  void lijeort_rowclick();
  void lijepflanze_rowclick();
  void lipflanzen_rowclick();
  void listandorte_colresize(int col, int width);
  void lijepflanze_colresize(int col, int width);
  void lipflanzen_colresize(int col, int width);
  void neu_click(int index);          // a plant: 0 new, 1 change
  void neustandort_click(int index);  // a site
  void neuje_click(int index);        // a plant at the current site
  void löschen_click();
  void lschstandort_click();
  void lschje_click();
  void aufwaerts_click(int index);    // 0 one year on, 1 one year back
  void comstandortlisten_click();
  void hilfe_click();
  void beenden_click();

  // Derives Trachtzeit_von/_bis of every site of listandorte; false (and
  // nothing changed) when the database refused.
  bool trachtzeitenermitteln();

  // --- controls -------------------------------------------------------------------
  vb::TabControl* sstab = nullptr;
  ui::sevGrid* listandorte = nullptr;
  ui::sevGrid* lijeort = nullptr;
  ui::sevGrid* lijepflanze = nullptr;
  ui::sevGrid* lipflanzen = nullptr;
  ui::sevTextArray sevt;               // 0..18
  QLabel* bezproz = nullptr;
  QLabel* Label1 = nullptr;
  QPushButton* neu[2] = {};
  QPushButton* neustandort[2] = {};
  QPushButton* neuje[2] = {};
  QPushButton* löschen = nullptr;
  QPushButton* lschstandort = nullptr;
  QPushButton* lschje = nullptr;
  QPushButton* aufwaerts[2] = {};
  QPushButton* comstandortlisten = nullptr;
  QPushButton* hilfe = nullptr;
  QPushButton* beenden = nullptr;

private:
  void steuerelementeanlegen();
  void pflanzenlesen();
  void standortelesen();
  void pflanzevorbelegen();
  void standortvorbelegen();
  void jepflanzevorbelegen();
  void gridfüllen(ui::sevGrid& grid, const QString& sql, const QString& abschnitt,
                  const QString& namensspalte = {}, int namensbreite = 0);
  void knöpfefreigeben(bool an);
  void spaltenbreite(ui::sevGrid& grid, const QString& abschnitt, int col, int width);
  void gründemelden(const QString& gründe);
  QString aktuellerstandort() const;   // the ID of the current site, "" when none

  dao::Database db_;
  bool ermittelt_ = false;
};

}  // namespace zevo::sites
