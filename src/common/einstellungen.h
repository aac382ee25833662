#pragma once
// The settings file Einstellungen.ZE1 in the program folder: 173 lines with
// CR LF, Windows-1252, no header:
//   lines   1..101  einstellungzahl(0..100) as " 14 " / "-3 "
//   lines 102..112  einstellungwert(0..10)  as "12.50" (always a point)
//   lines 113..173  einstellungtext(0..60)  as they are (a line break in a
//                   text is written as a blank, so the file keeps 173 lines)
// and the named entries of the three settings arrays.

#include "common/variablen.h"

namespace zevo::common {

// Writes the file (atomically). On failure: a German message, the old file
// stays as it was, and the result is false.
bool einstellungenschreiben();

// Reads the file into the arrays, line by line. An entry whose line cannot be
// read (no number, a number too large for its entry) takes its first-run
// value and reading goes on; entries beyond a short file keep their values.
// When anything could not be read, the file as found is kept as
// "Einstellungen.ZE1.alt" and one German notice names the lines. Then an
// empty einstellungtext(10) becomes " | ".
void einstellungenlesen();

// The value formatted "0.00" with a decimal point, cut to width characters
// and padded on the left with blanks to exactly width characters.
QString zahlfeldbreite(int breite, float wert);

// The first-run defaults (the other entries stay as they are).
void ersteinstellungen();

// The start-up step: einstellungzahl(46) := 1; without a settings file the
// first-run defaults and a new file, else einstellungenlesen().
void einstellungenbeimstart();

// The path of the settings file (an existing "einstellungen.ze1" in other
// case is used as it is).
QString einstellungsdatei();

// All three arrays back to 0, 0.00 and empty text.
void einstellungenleeren();

// --- named entries --------------------------------------------------------------
// Integer settings.
inline int& schnittzeile() { return einstellungzahl[0]; }
inline int& völkerauswahl() { return einstellungzahl[2]; }
inline int& völkerdatensortierung() { return einstellungzahl[4]; }
inline int& buchungsauswahl() { return einstellungzahl[5]; }
inline int& volkleerzeile() { return einstellungzahl[6]; }
inline int& ereignisgruppierung() { return einstellungzahl[7]; }
inline int& ereignisbericht() { return einstellungzahl[8]; }
inline int& buchungsvolkspalten(int i) { return einstellungzahl[9 + i]; }       // i 0..1
inline int& terminlistebeimstart() { return einstellungzahl[13]; }
inline int& arbeitsplanspalten(int i) { return einstellungzahl[14 + i]; }       // i 0..2
inline int& terminvorlauf() { return einstellungzahl[17]; }
inline int& arbeitsplansortierung() { return einstellungzahl[21]; }
inline int& eingabepiepton() { return einstellungzahl[24]; }
inline int& arbeitsplanzeitraum() { return einstellungzahl[27]; }
inline int& buchungsauswahlstandard() { return einstellungzahl[29]; }
inline int& jahrvon() { return einstellungzahl[31]; }
inline int& jahrbis() { return einstellungzahl[32]; }
inline int& auswertungsart() { return einstellungzahl[33]; }
inline int& volkspalten(int i) { return einstellungzahl[34 + i]; }              // i 0..2
inline int& sicherungstage() { return einstellungzahl[50]; }
inline int& löschabfrage() { return einstellungzahl[55]; }
inline int& volknrhochzählen() { return einstellungzahl[57]; }
// The text window's print options.
inline int& druckquerformat() { return einstellungzahl[18]; }                  // 0 portrait, else landscape
inline int& druckfett() { return einstellungzahl[19]; }
inline int& druckkursiv() { return einstellungzahl[20]; }
inline int& druckschriftgröße() { return einstellungzahl[22]; }
inline int& druckrand() { return einstellungzahl[23]; }                        // left margin in characters
// The main window.
inline int& völkersortierspalte() { return einstellungzahl[25]; }
inline int& völkersortierfolge() { return einstellungzahl[26]; }
inline int& jahreslaufjahr() { return einstellungzahl[28]; }                   // year of the last yearly run
inline int& laufendenummer() { return einstellungzahl[51]; }                   // row numbers instead of Volknr
inline int& fensteraufteilung() { return einstellungzahl[58]; }                // 0 wide grid, else wide card
// The settings window's further options.
inline int& mwstsatz1() { return einstellungzahl[44]; }
inline int& mwstsatz2() { return einstellungzahl[45]; }
inline int& listendatum() { return einstellungzahl[46]; }                      // date above every list
inline int& htmlseitenzahlen() { return einstellungzahl[47]; }
inline int& htmldatensatzanzahl() { return einstellungzahl[48]; }
inline int& htmlseitenzeilen() { return einstellungzahl[49]; }
// The selection window.
inline int& selektionnurbestand() { return einstellungzahl[52]; }
inline int& selektionaltelöschen() { return einstellungzahl[53]; }
// The list window.
inline int& listenspaltenbreite() { return einstellungzahl[54]; }              // fit the columns
// The period evaluation windows (IW_Wetterdaten, IW_Honiglager, IW_EinVerkauf):
// 0 "Alle Buchungen", 1 "Datum von"; einverkaufart 0 purchases, 1 sales.
inline int& wetterzeitraum() { return einstellungzahl[1]; }
inline int& honiglagerzeitraum() { return einstellungzahl[3]; }
inline int& einverkaufzeitraum() { return einstellungzahl[11]; }
inline int& einverkaufart() { return einstellungzahl[12]; }
// IW_Standorte: the quality parameters P1..P7 of the site index.
inline int& qualitätsparameter(int i) { return einstellungzahl[37 + i]; }       // i 0..6

// Decimal settings.
inline float& honigwert() { return einstellungwert[0]; }
inline float& wachswert() { return einstellungwert[1]; }
inline float& pollenwert() { return einstellungwert[2]; }
inline float& sonstigerwert() { return einstellungwert[3]; }
inline float& stundensatz() { return einstellungwert[4]; }

// Text settings.
inline QString& kopftext() { return einstellungtext[0]; }
inline QString& völkerdatenfelder() { return einstellungtext[3]; }
inline QString& trennzeichen() { return einstellungtext[4]; }
inline QString& buchungsfelder(int tabelle) { return einstellungtext[5 + tabelle]; }  // 0..9
inline QString& einverkaufvon() { return einstellungtext[5]; }
inline QString& einverkaufbis() { return einstellungtext[6]; }
inline QString& honiglagervon() { return einstellungtext[7]; }
inline QString& honiglagerbis() { return einstellungtext[8]; }
inline QString& arbeitsplanzeichen(int i) { return einstellungtext[15 + i]; }   // i 0..1
inline QString& völkerlistesql() { return einstellungtext[17]; }
inline QString& arbeitszeitentabellen() { return einstellungtext[19]; }
inline QString& stockkartesql() { return einstellungtext[22]; }
inline QString& statistikauswahl() { return einstellungtext[23]; }
inline QString& infofenster() { return einstellungtext[24]; }
inline QString& letztesicherung() { return einstellungtext[26]; }
inline QString& buchungsdatumvon() { return einstellungtext[27]; }
inline QString& buchungsdatumbis() { return einstellungtext[28]; }
// The weather evaluations (IW_Wetterdaten): the date range as last typed.
inline QString& wettervon() { return einstellungtext[1]; }
inline QString& wetterbis() { return einstellungtext[2]; }
// The contribution margin (IW_Deckungsbeitrag): the seventeen boxes as "0"/"1"
// and the flat revenue and cost per colony and year as typed.
inline QString& deckungsbeitragsposten() { return einstellungtext[18]; }
inline QString& pauschaleeinnahme() { return einstellungtext[20]; }
inline QString& pauschalekosten() { return einstellungtext[21]; }

// The default column separator of the text export.
inline const QString standardtrennzeichen = QStringLiteral(" | ");

}  // namespace zevo::common
