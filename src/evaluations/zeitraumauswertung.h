#pragma once
// The period evaluation window: "Alle Buchungen" or a date range, a row of
// evaluation buttons over one table, and the result handed to the list
// window through gridli.txt. IW_EinVerkauf, IW_Honiglager and IW_Wetterdaten
// are its instances: each passes its Zeitraumwerte and implements auswerten().
//
//   class IW_Honiglager : public evaluations::Zeitraumauswertung {
//     IW_Honiglager() : Zeitraumauswertung(werte()) { ...further controls in zusatzbereich()... }
//     void auswerten(int index, const QString& bedingung) override {
//       if (index == 0) direktauswertung("select ... from Honiglager" + bedingung + " order by Datum");
//       ...
//     }
//   };
//
// rolisten_Click(index) checks the dates (only while "Datum von" is chosen),
// sets the hourglass, builds the date condition (" where Datum >= #m/d/y#
// and Datum <= #m/d/y#", or "" for "Alle Buchungen"), runs auswerten() and
// ends every evaluation alike: no rows gives "Keine Daten gefunden", else the
// list window. A database error is reported and lists nothing.
//
// Loading repairs the stored date texts (a text that is no date becomes
// 1 January of this year or today, in the settings array itself), sets the
// date fields and only then selects the stored period choice, so that a
// change handler on the date fields cannot override it. "&Schließen" stores
// the texts as typed and the choice; the close box stores nothing.

#include "components/sevtext.h"
#include "platform/dao/dao.h"
#include "platform/runtime/forms.h"

#include <QStringList>

#include <functional>

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

namespace zevo::ui {
class sevGrid;
}

namespace zevo::evaluations {

// What one period evaluation window is made of.
struct Zeitraumwerte {
  QString name;                             // the window's name, e.g. "IW_Wetterdaten"
  QString caption;                          // "Wetterdaten auswerten"
  QString tabelle;                          // "Wetterdaten"
  std::function<int&()> zeitraum;           // stored choice: 0 "Alle Buchungen", 1 "Datum von"
  std::function<QString&()> datumvon;       // stored text of tdat(0)
  std::function<QString&()> datumbis;       // stored text of tdat(1)
  QStringList knöpfe;                       // captions of rolisten(0..n)
  bool datumwähltzeitraum = false;          // typing a date selects "Datum von"
  int nachkomma = 2;                        // decimals of Currency, Single and Double cells
  QString hilfethema;                       // empty: the window's name
};

class Zeitraumauswertung : public vb::Form {
public:
  explicit Zeitraumauswertung(Zeitraumwerte werte, QWidget* parent = nullptr);
  ~Zeitraumauswertung() override;

  const Zeitraumwerte& werte() const { return werte_; }

  void Form_Load() override;
  void Form_Activate() override;

  void rolisten_Click(int index);
  void hilfe_Click();
  void beenden_Click();
  void tdat_Change(int index);   // selects "Datum von" where the window wants it

  // The date condition for the current choice and fields (valid fields assumed).
  QString datumsbedingung() const;

  // --- controls -------------------------------------------------------------------
  QGroupBox* Frame1_2 = nullptr;             // "Auswertungszeitraum"
  QRadioButton* optibuch[2] = {nullptr, nullptr};
  ui::sevTextArray tdat;                     // 0 from, 1 to
  QLabel* Bezeichnung1 = nullptr;            // "bis"
  QList<QPushButton*> rolisten;
  QPushButton* beenden = nullptr;
  QPushButton* hilfe = nullptr;
  ui::sevGrid* gridli = nullptr;             // hidden

protected:
  // The evaluation of button `index`; bedingung is the date condition.
  virtual void auswerten(int index, const QString& bedingung) = 0;
  // Further choices of an instance: restored after the period choice, stored
  // after it on "&Schließen".
  virtual void weitereladen() {}
  virtual void weiterespeichern() {}

  // The place for an instance's further choices, above the period frame.
  QVBoxLayout* zusatzbereich() const { return zusatz_; }

  dao::Database& db() { return db_; }

  // The query copied field by field into gridli: one column per field (key
  // and caption = the field's name), number fields right-aligned and
  // numeric; Currency, Single and Double cells with the window's decimals.
  void direktauswertung(const QString& sql);

  // One row per month 1..12 (jahre false, first column "Monat") or per year
  // from this year - 10 up to this year (first column "Jahr"). wertspalten
  // are the captions of the columns "2", "3", ...; abfrage(n) gives the
  // pass's SQL, zellen(rs) the cells after the period number, each followed
  // by a TAB.
  void kalenderauswertung(bool jahre, const QStringList& wertspalten, const std::function<QString(int n)>& abfrage,
                          const std::function<QString(dao::Recordset& rs)>& zellen);

  // aggregat + bedingung, then " and " when that text contains "where",
  // else " where ", then "month(Datum) = n" or "year(Datum) = n".
  static QString kalenderabfrage(const QString& aggregat, const QString& bedingung, bool jahre, int n);
  // feldtext(first field), then every further field formatted with muster
  // ("0.0"); a value that is empty stays empty. Each cell followed by a TAB.
  static QString kalenderzellen(dao::Recordset& rs, const QString& muster);

private:
  void steuerelementeanlegen();
  bool datumgeprüft();

  Zeitraumwerte werte_;
  dao::Database db_;
  dao::Recordset rs_;
  QVBoxLayout* zusatz_ = nullptr;
};

}  // namespace zevo::evaluations
