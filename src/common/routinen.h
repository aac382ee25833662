#pragma once
// The shared routines every window uses: numbers, dates, text for SQL,
// fixed-width columns, key filtering, the delete confirmation, the tone after
// a save and stepping through the colonies of the main window.
//
// Where a routine rewrites its argument, the overload taking a non-const
// reference rewrites the caller's variable; a temporary or a const value is
// read as a copy.

#include "platform/dao/dao.h"

#include <QString>
#include <QVariant>

namespace zevo::common {

// The tone after a successful save, when eingabepiepton is 1.
void piepton();

// 1 = go ahead, 0 = cancelled. Asks only when löschabfrage is 1.
int löschenbestätigen();

// The main grid's previous (0) or next (1) colony, wrapping around. Nothing
// happens without a main grid or on an empty one.
void volkblättern(int richtung);

// "" -> current year, "7" -> "2007", "49" -> "2049", "50" -> "1950",
// three characters -> "", four or more -> as typed (trimmed).
QString jahrergänzen(const QString& jahr);

// True when every character is a digit ("" gives true).
bool nurziffern(const QString& text);

// Tolerant reading of a typed number; never negative. Rewrites the argument:
// Null -> 0, a trailing "." dropped, the first "," -> ".".
float zahlaustext(QVariant& wert);
float zahlaustext(QString& wert);
float zahlaustext(const QVariant& wert);
float zahlaustext(const QString& wert);
float zahlaustext(const char* wert);

// A stored value (a field, a sum) read as zahlaustext reads its text, except
// that a number whose text comes in exponent form ("5,55111512312578E-17",
// "1,234568E+07") is read as the number that text says, not as its digits.
// The minus is dropped as zahlaustext drops it. The argument is not changed.
float zahlauswert(const QVariant& wert);

// The same tolerant reading into a double, for money and quantities that
// must not pass through a Single. The argument is left as it is. With
// mitvorzeichen a leading "-" (blanks before it allowed) makes the result
// negative; without, the minus is dropped like every other character.
double zahlaustextgenau(const QString& wert, bool mitvorzeichen = false);
double zahlaustextgenau(const QVariant& wert, bool mitvorzeichen = false);

// The value with a fixed number of decimals and a decimal comma ("3,50").
// Rewrites the argument: "" -> 0, the first "." -> ",", not numeric -> 0.
QString zahlformatieren(QVariant& wert, int nachkomma);
QString zahlformatieren(QString& wert, int nachkomma);
QString zahlformatieren(const QVariant& wert, int nachkomma);
QString zahlformatieren(const QString& wert, int nachkomma);
QString zahlformatieren(const char* wert, int nachkomma);

// Text for SQL and stored columns: Null -> "", trimmed, every "'" -> "`".
// Numbers as "12,5", dates as "dd.mm.yyyy".
QString feldtext(const QVariant& wert);
QString feldtext(const QString& wert);
QString feldtext(const char* wert);
QString feldtext(const dao::Field& feld);

// A typed date as the value for a date column; Null when the text is no date.
QVariant datumswert(const QString& text);

// "dd.mm.yyyy" -> "yyyymmdd" by position. An argument of exactly 8
// characters ("dd.mm.yy") is first rewritten to "dd.mm.yyyy".
QString sortdatum(QString& datum);
QString sortdatum(const QString& datum);

// "dd.mm.yyyy" -> "#mm/dd/yyyy#" by position. A date argument is first
// rewritten to "dd.mm.yyyy".
QString sqldatum(QString& datum);
QString sqldatum(const QString& datum);

// Completes a partly typed date from heute ("3", "45", "2512", "251207",
// "1.5", "1.5.07", ...): "dd.mm.yyyy", or "" when the result is no date.
QString datumergänzen(const QString& datum);

// The key code for digits, "*", backspace, tab, line feed and Enter; else 0.
int ziffertaste(int keyAscii);

// The text trimmed, cut to breite characters and padded with blanks to
// exactly breite characters: on the left (rechtsbündig) or right (linksbündig).
QString rechtsbündig(const QString& text, int breite);
QString linksbündig(const QString& text, int breite);

}  // namespace zevo::common
