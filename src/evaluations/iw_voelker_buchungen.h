#pragma once
// The bookings of the ten booking tables for a colony choice: as one block
// per table with the fields marked in li(0..9), optionally only the latest
// booking per colony or with an empty row between colonies; or as one event
// report (konereignis), a row per booking with its date, table, colony and a
// few telling values, sorted by date or grouped by colony.
//
// Settings: buchungsauswahl (optibuch), volkleerzeile (tierleer),
// ereignisgruppierung (kontiergruppe), ereignisbericht (konereignis),
// buchungsvolkspalten (kontier), buchungsfelder(0..9) as ";name;...;",
// buchungsdatumvon/-bis (tdat), all stored on "&Schließen" only.

#include "evaluations/auswertungsfenster.h"

#include <QRadioButton>

class QCheckBox;
class QLabel;
class QListWidget;

namespace zevo::evaluations {

class IW_Völker_Buchungen : public Auswertungsfenster {
public:
  explicit IW_Völker_Buchungen(QWidget* parent = nullptr);
  ~IW_Völker_Buchungen() override;

  static constexpr int anzahltabellen = 10;
  static QString tabelle(int index);   // "Stockkarte" ... "Königinwechsel"

  void alletier_click(int index) override;
  void ok_click() override;

  // The query of table i as the listing builds it.
  QString abfrage(int index, bool ereignis) const;

  // --- controls ---------------------------------------------------------------
  QListWidget* li[anzahltabellen] = {};
  QLabel* Bezeichnung1[anzahltabellen + 1] = {};   // 0 "bis", i + 1 names list i
  QCheckBox* kontier[2] = {};
  QCheckBox* tierleer = nullptr;
  QCheckBox* konereignis = nullptr;
  QCheckBox* kontiergruppe = nullptr;
  QRadioButton* optibuch[3] = {};

protected:
  void listenfüllen() override;
  void optionensetzen() override;
  void optionenspeichern() override;

private:
  void steuerelementeanlegen();
  bool istletztebuchung() const { return optibuch[2]->isChecked(); }
  bool datumvon() const { return optibuch[1]->isChecked(); }
  bool hatmarkierung(int index) const;
  void listen(bool ereignis);
  void tabellenblock(dao::Recordset& rs, int index, bool volknrverborgen);
  void ereigniszeilen(dao::Recordset& rs, int index);
};

}  // namespace zevo::evaluations
