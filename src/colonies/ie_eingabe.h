#pragma once
// IE_Eingabe, "Eingabe (Bewegungsdaten)": the one window through which the
// eleven kinds of hive record are entered, listed, changed and deleted.
//
// The caller sets common::eingabeart (0..10) and shows the window by name.
// The current colony is the current row of the main grid common::datali; a
// new record is written for every colony marked there. Closing the window
// brings the summary columns of Bienenvolk up to date for every colony
// booked for since the program started.
//
// The window's parts live in several files: ie_eingabe_aufbau.cpp (the
// controls), ie_eingabe.cpp (loading, mask, record list, colony list, site
// pick, deleting, closing), ie_eingabe_speichern.cpp (saving, stepping,
// switching the kind), ie_eingabe_ereignisse.cpp (the field events and the
// default masks), volkzusammenfassung.cpp (the summaries on closing); the
// field table is eingabefelder.h.

#include "colonies/eingabefelder.h"
#include "components/sevgrid.h"
#include "components/sevtext.h"
#include "platform/dao/dao.h"
#include "platform/runtime/forms.h"

#include <QDate>

#include <array>

class QComboBox;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace zevo::colonies {

// What the window keeps from one opening to the next, until the program ends.
struct IE_EingabeWerte {
  // "/ID/" of every colony booked for (or whose record was deleted) since
  // the program started: their summaries are recomputed on every close.
  QString gebuchtevölker;
  // Mittelwände and Waben of the stock-card record last copied into the mask.
  int basismw = 0;
  int basiswz = 0;
};
IE_EingabeWerte& ie_eingabeWerte();

class IE_Eingabe : public vb::Form {
public:
  explicit IE_Eingabe(QWidget* parent = nullptr);
  ~IE_Eingabe() override;

  // --- controls --------------------------------------------------------------
  std::array<QRadioButton*, anzahlEingabearten> opti{};   // the kind
  QLabel* bezeingabeart = nullptr;    // caption of the current kind
  QLabel* bezhieb = nullptr;          // "Dateneingabe / Datenänderung"
  QFrame* Rahmen = nullptr;           // the input fields and the buttons beside the list
  ui::sevTextArray sevt;              // 0 the date, 1..14 and 16 configured per kind
  QPlainTextEdit* sevt15 = nullptr;   // the multi-line note of kind 10 (sevt(15))
  QLabel* bezmw = nullptr;            // "MW: a (b)   WZ: c (d)" of the stock card
  ui::sevGrid* li = nullptr;          // the records of the current colony and kind
  ui::sevGrid* volkli = nullptr;      // the colonies of the main grid
  std::array<QLabel*, 3> Label1{};
  QComboBox* kom = nullptr;           // the sites of the colonies
  std::array<QPushButton*, 2> neu{};  // "&Neu", "&Ändern"
  QPushButton* löschen = nullptr;
  std::array<QPushButton*, 2> standard{};    // "Standard sichern", "Standard einlesen"
  std::array<QPushButton*, 2> nextvolk1{};   // previous, next colony
  QPushButton* comhilfe = nullptr;
  QPushButton* cmdschließen = nullptr;

  // --- window ----------------------------------------------------------------
  void Form_Load() override;
  void Form_Activate() override;      // rebuilds the mask and lists the records
  void Form_Unload(bool& cancel) override;   // the summaries, then the connection closes

  // Configures the input field sevt(index); the values stand in the field table.
  void makesev(int index, int typ, int zahltyp, int länge, int nachkomma, double min, double max,
               const QString& optiontext, const QString& vorgabe, bool optionflag, const QString& caption,
               int ausrichtung, const QString& einheit, const QString& listtabelle, const QString& listspalte);

  // --- events: record list, colony list, sites, deleting, help ----------------
  void li_RowClick(int row);          // copies li's current row into the mask
  void li_ColResize(int col, int widthTwips);
  void volkli_RowClick(int row);      // current colony and marks into the main grid
  void kom_Click();                   // marks the colonies of the picked site
  void löschen_Click();
  void comhilfe_Click();

  // --- events: saving, stepping, the kind, closing ------------------------------
  void neu_Click(int index);          // 0 new records for the marked colonies, 1 change
  void nextvolk1_Click(int index);    // 0 previous, 1 next colony
  void opti_Click(int index);
  void cmdschließen_Click();

  // --- events: input fields, default masks ----------------------------------------
  void sevt_Change(int index);
  void sevt_ListPick(int index);
  void sevt_LostFocus(int index);
  void standard_Click(int index);     // 0 save, 1 read the default mask

  // The colony (its ID text) whose records li lists.
  QString gelistetesvolk() const { return gelistetesvolk_; }
  // datenpfad + "ZEVO_IE_EINGABE_STD<art>.ZE1"
  static QString standarddatei(int art);

private:
  void bauen();
  void maskeaufbauen();
  void buchungenlisten(bool melden = true);   // melden false: a failure to read is not told again
  void zeilekopieren();
  void volklifüllen();
  void standortefüllen();
  void markierungenspiegeln();
  void bedienungsperre(bool gesperrt);
  int datalizeile(int volklizeile) const;
  int volklizeile(int datalizeile) const;
  bool buchungspeichern(const QString& volk, const QString& id, const QDate& datum, const QString& volknr);
  void termineerledigen(int volk, const QDate& datum);
  void felderschreiben(dao::Recordset& rs);
  void buchungmerken(const QString& volk);
  void ändern(const QDate& datum);
  void neuebuchungen(const QDate& datum);
  void behandlungvorbelegen(int index);
  void standardsichern();
  void standardeinlesen();
  void dbfehler(const QString& satz, const dao::Error& e);

  dao::Database db_;                  // the window's own connection
  QStringList volkliids_;             // the colony ID of every row of volkli
  QString gelistetesvolk_;            // the colony whose records li lists
  QString gelistetesvolknr_;
};

// Recomputes, in one transaction, the summary columns of Bienenvolk of every
// colony whose "/ID/" stands in gebuchtevölker: the latest inspection, the
// latest harvest and the honey total, the site, the latest treatment and the
// queen. Throws dao::Error; nothing is kept then.
void volkzusammenfassungen(dao::Database& db, const QString& gebuchtevölker);

}  // namespace zevo::colonies
