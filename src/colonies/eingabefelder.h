#pragma once
// The eleven kinds of hive record of the entry window: their tables, the
// input fields of each kind with type, limits, default, unit and drop-down
// list, and the fields that compute values and costs while typing.

#include <QString>

#include <vector>

namespace zevo::colonies {

// Input types of the input field (texttype) and number types (numbertype).
enum Feldtyp : int { feldText = 0, feldZahl = 1, feldJN = 2 };
enum Zahltyp : int { zahlKeine = 0, zahlDezimal = 1, zahlGanz = 7 };

// How a field's text goes into its column when a record is written.
enum class Umwandlung { Ganzzahl, Dezimal, Text };

struct Eingabefeld {
  int index;               // sevt(index), 1..16
  QString caption;
  QString spalte;          // the column of the kind's table
  int typ;                 // Feldtyp
  int zahltyp;             // Zahltyp
  int länge;               // maximum number of characters
  int nachkomma;
  double min, max;
  QString vorgabe;         // the default text ("N" of a J/N field is never applied)
  bool optionflag;
  QString einheit;         // "(default)" on money fields
  QString listtabelle;     // drop-down list "select distinct spalte from tabelle ..."
  QString listspalte;

  int ausrichtung() const { return typ == feldZahl ? 1 : 0; }
  Umwandlung umwandlung() const;
};

// The computed fields of a kind (0 = none): value = quantity × wertsetting,
// costs = time × stundensatz.
struct Rechenfelder {
  int menge = 0;
  int wert = 0;
  int wertsetting = -1;    // index into einstellungwert (honigwert 0 .. sonstigerwert 3)
  int zeit = 0;
  int kosten = 0;
};

struct Buchungsart {
  int nummer;                        // eingabeart 0..10
  QString caption;                   // caption of opti(nummer)
  QString tabelle;                   // also the text Auto_erledigt_Buchung names
  std::vector<Eingabefeld> felder;   // in index order; empty for the notes
  Rechenfelder rechnen;
};

constexpr int anzahlEingabearten = 11;
constexpr int notizfeld = 15;        // the multi-line note field of kind 10
constexpr int artStockkarte = 0, artWanderung = 6, artBehandlung = 8, artNotizen = 10;

// Kind 0..10; throws std::out_of_range for any other number.
const Buchungsart& buchungsart(int nummer);

// The head of the record list: "select * from <Tabelle>", for the stock
// card the given user text (the standard select when it is blank).
QString listenkopf(int nummer, const QString& stockkartesql);

}  // namespace zevo::colonies
