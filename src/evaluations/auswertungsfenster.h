#pragma once
// What every evaluation window shares: its own read-only connection, the
// colony choice optitieraus (0..4) with the current colony of the main grid
// and the buttons nächster that step through it, the date fields tdat, the
// year boxes t, the buttons alletier, "&Listen", "&Schließen" and "&Hilfe",
// the refusal message, the progress bar meter and the hidden result grid
// gridli with its hand-over to the list window.
//
// A window derives from Auswertungsfenster, creates the controls it has
// (völkerauswahlanlegen, nächsteranlegen, datumsfelderanlegen,
// jahresfelderanlegen, alletieranlegen) and lays them out with ok, beenden,
// hilfe and meter (meter and nächster keep their room while hidden, so that
// nothing moves when they come and go). It fills in:
//   listenfüllen()      its lists, after the connection is open (load step 2)
//   optionensetzen()    its options from the settings (after optitieraus)
//   optionenspeichern() its settings cells, on "&Schließen" only
//   ok_click()          the listing, normally inside listung(...)
//   alletier_click(i)   mark all (0) or none (1)
//
// Loading: connection, listenfüllen, optitieraus(völkerauswahl), then
// optionensetzen; a window with date fields sets their texts before its
// date-range option (a text change switches datumvonoption on).
// "&Schließen" stores völkerauswahl and the window's cells; the close box
// stores nothing. Both close the connection.

#include "components/sevtext.h"
#include "platform/dao/dao.h"
#include "platform/runtime/forms.h"
#include "platform/runtime/widgets.h"

#include <QString>

#include <functional>

class QBoxLayout;
class QCheckBox;
class QGroupBox;
class QHBoxLayout;
class QPushButton;
class QRadioButton;

namespace zevo::ui {
class sevGrid;
}

namespace zevo::evaluations {

// Which clause column of the colony choice a window uses.
enum class Klauselart {
  Buchungen,      // " where Akt_im_Bestand = 'X'" ... " where Bienenvolk.ID = " & id
  Völkerdaten,    // ... " where ID = " & id
  Arbeitszeiten,  // every column qualified with "Bienenvolk.", option 1 " where Bienenvolk.Volknr IS NOT NULL"
};

class Auswertungsfenster : public vb::Form {
public:
  Auswertungsfenster(const QString& name, const QString& caption, QWidget* parent = nullptr);
  ~Auswertungsfenster() override;

  // The five captions of the colony choice; 0 keeps its old typo.
  static QString völkerauswahlcaption(int index);
  // The clause of option 0..4 for the window kind; id is the text of the
  // colony's ID cell. A text that is no ID (none, "", "2 or 1=1") selects
  // no colony.
  static QString völkerklausel(Klauselart art, int option, const QString& id);
  // The header of a refusal.
  static QString ablehnungskopf();
  // The year of heute.
  static int aktuellesjahr();

  // --- handlers of the frame ---------------------------------------------------------
  void Form_Load() override;
  void Form_Activate() override;
  void Form_Unload(bool& cancel) override;
  void optitieraus_Click(int index);
  void nächster_click(int index);
  void tdat_change(int index);
  void t_keypress(int index, int& keyAscii);
  void t_lostfocus(int index);
  virtual void alletier_click(int index);
  virtual void ok_click() = 0;
  void beenden_click();
  void hilfe_click();

  // --- state ---------------------------------------------------------------------
  // The option of the colony choice that is on, -1 when none (or no choice).
  int gewählteoption() const;
  // Switches option i on (an index outside 0..4 chooses 0) and runs optitieraus_Click.
  void optitieraussetzen(int index);
  // The clause of the chosen option for this window (id of the main grid's current row).
  QString völkerklausel() const;
  // The connection of the window (open from Form_Load to closing).
  dao::Database& datenbank() { return db_; }

  // --- controls --------------------------------------------------------------------
  QRadioButton* optitieraus[5] = {};
  QPushButton* nächster[2] = {};
  QPushButton* alletier[2] = {};
  ui::sevTextArray tdat;   // 0 from, 1 to (dd.mm.yyyy)
  ui::sevTextArray t;      // 0 from year, 1 to year
  QPushButton* ok = nullptr;
  QPushButton* beenden = nullptr;
  QPushButton* hilfe = nullptr;
  vb::ProgressBar* meter = nullptr;
  ui::sevGrid* gridli = nullptr;
  // The window's "Datum von" option: a change of a date text switches it on.
  QRadioButton* datumvonoption = nullptr;

protected:
  // Creates the colony choice in the frame "Völkerauswahl" (options stacked).
  QGroupBox* völkerauswahlanlegen(Klauselart art, QWidget* parent = nullptr);
  // The same options stacked in a frame of the window's own.
  void völkerauswahlanlegen(Klauselart art, QWidget* rahmen, QBoxLayout* spalte);
  // Creates nächster(0) and (1) with the window's captions, hidden.
  void nächsteranlegen(const QString& zurück, const QString& vor);
  // Creates "&Alle" and "&Keine" (or the given captions).
  void alletieranlegen(const QString& alle = QStringLiteral("&Alle"),
                       const QString& keine = QStringLiteral("&Keine"));
  // Creates tdat(0) and tdat(1) with the mask dd.mm.yyyy.
  void datumsfelderanlegen(QWidget* parent = nullptr);
  // Creates t(0) and t(1), at most four characters; ziffernfilter: only the
  // keys of ziffertaste reach them.
  void jahresfelderanlegen(bool ziffernfilter, QWidget* parent = nullptr);

  // The row of buttons below a window with nächster: both nächster on the
  // left, then hilfe, ok and beenden on the right; mitmeter: meter between
  // them, in room the row has anyway.
  QHBoxLayout* knopfreihe(bool mitmeter = false);

  // Puts the focus into the window's first control; Form_Load does it, after
  // the window has made its controls.
  void erstesfeldwählen();

  // The lists of t(0) and t(1): ten years before to ten years after this year.
  void jahreslistenfüllen();
  // t(0) and t(1) from the settings jahrvon and jahrbis; an unset jahrvon
  // becomes this year, an unset jahrbis jahrvon.
  void jahresoptionensetzen();

  // --- the windows that list by years or by colonies (t, kontier) --------------------
  // The years of t(0) and t(1): one outside 1901..2099 (an empty box included)
  // becomes the current year, visibly. Refused (false) when "von" lies after
  // "bis" or the span exceeds 30 years.
  bool wirtschaftsjahre(int jahre[2]);
  // By colonies the ticked columns Volknr, Volkname and Standort, else "Jahr".
  void volkspaltenanlegen(bool völkerweise, QCheckBox* const (&kontier)[3]);
  // The ticked colony columns of the current row, each followed by a tab.
  static QString volkspaltentexte(dao::Recordset& völker, QCheckBox* const (&kontier)[3]);
  // "SUMME" and the tabs that put the totals under their columns.
  static QString summenzeilenanfang(bool völkerweise, QCheckBox* const (&kontier)[3]);

  virtual void listenfüllen() {}
  virtual void optionensetzen() {}
  virtual void optionenspeichern() {}

  // --- the listing -----------------------------------------------------------------
  // The reasons against the date range of tdat while datumvonoption is on,
  // each ending in zeilenumbruch: the order of the two dates first, then a
  // date that is missing. A text that is no whole date counts as missing.
  QString datumsgründe() const;
  // Shows the refusal when gründe (each ending in zeilenumbruch) is not
  // empty: header, zeilenumbruch twice, the reasons; true then.
  bool abgelehnt(const QString& gründe, const QString& kopf = ablehnungskopf()) const;
  // Runs a listing. A dao::Error is told as "Die Daten konnten nicht
  // gelistet werden." with its text; on every way out the pointer is the
  // arrow again, meter is hidden and gridli's painting released. The
  // pointer stays the hourglass while the list window opens.
  void listung(const std::function<void()>& arbeit);
  // gridli clear(true), lockupdate(true), the hourglass.
  void gridvorbereiten();
  // meter: value 0, maximum, shown.
  void meterstarten(int maximum);
  void meterschritt();
  void meterverbergen();
  // The nothing-found message (information, OK), then the arrow.
  void nichtsgefunden(const QString& text);
  // lockupdate(false), gridli.txt, IA_Zwischenliste modally; meter hidden
  // again afterwards. False (with a message) when the file cannot be written.
  bool übergeben();
  // The end of a listing in the frame: meter hidden, the arrow, gridli's
  // painting released; "Keine zu listenden Daten gefunden" when gridli is
  // empty, else the hand-over.
  void listungabschließen();
  // A listing that is one query: nothing found gives `keinedaten`; otherwise
  // the rows go into gridli with the progress bar and are handed over.
  void abfragelisten(const QString& sql, const QString& keinedaten);

private:
  Klauselart klauselart_ = Klauselart::Buchungen;
  dao::Database db_;
};

}  // namespace zevo::evaluations
