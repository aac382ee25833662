#pragma once
// German conversions and the string functions of the original runtime.
//
// The conventions are fixed, whatever the machine's locale: dates dd.mm.yyyy,
// decimal comma, "." as thousands separator, euro. Rounding where the old
// runtime rounded (CInt, CLng, Round) is half to even; format() rounds half
// away from zero on the decimal value (0.125 with "0.00" gives "0,13").

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVariant>

#include <optional>

namespace zevo::vb {

// --- conversions ---------------------------------------------------------

// Null -> "". Integer: digits. Single: at most 7 significant digits; Double: 15;
// Currency/double: decimal comma, no grouping, no trailing zeros.
// Date -> "dd.mm.yyyy" (plus " hh:mm:ss" when a time is present).
QString cstr(const QVariant& v);
// cstr, but a Single or Double that cstr writes in exponent form
// ("1,234568E+07", "5E-05") is written out in plain digits with the same
// significant digits ("12345680", "0,00005"), so that a reader which knows
// no exponent takes it as that number.
QString cstrOhneExponent(const QVariant& v);

// Every date of the program lies in the years 100 to 9999.
bool inDateRange(const QDate& d);
// The date and time of a day number counted from 30.12.1899 (the fraction is
// the time of day); nothing outside the years 100 to 9999 or for NaN.
std::optional<QDateTime> dateFromSerial(double serial);

// Accepts d.m.yyyy, dd.mm.yyyy, d.m.yy, d.m (current year), a trailing ".",
// ISO yyyy-mm-dd, and an optional time. Real calendar check (31.02 fails).
// Two-digit years: 00-29 -> 20xx, 30-99 -> 19xx.
bool isDate(const QString& s);
std::optional<QDateTime> parseDateTime(const QString& s);
std::optional<QDate> parseDate(const QString& s);

// German number text: sign, digits, "." grouping, one ","; blanks around.
// A number too large for a double ("1e400") is no number.
bool isNumeric(const QString& s);
std::optional<double> parseNumber(const QString& s);   // German, as isNumeric

// VB Val: blanks ignored, optional sign, digits, "." as decimal point, exponent;
// stops at the first other character; "" -> 0, and so does a number too
// large for a double.
double val(const QString& s);

// VB Str: a leading blank for non-negative numbers, "." as decimal point.
QString str(double n);
QString str(qint64 n);
inline QString str(int n) { return str(static_cast<qint64>(n)); }

// format(v, "0"), "0.0", "0.00", "dd.mm.yyyy", "Currency". A numeric string
// ("11,5") is accepted; "" gives ""; a non-numeric string comes back unchanged.
QString format(const QVariant& v, const QString& pattern);
QString formatCurrency(double v);          // "1.234,56 €", "-1.234,56 €", "0,00 €"

qint64 clng(double v);                      // half to even
int cint(double v);                         // half to even
double round(double v, int digits = 0);     // half to even

// --- strings (1-based like the old runtime) ---------------------------------
QString mid(const QString& s, int start, int length = -1);
QString left(const QString& s, int n);
QString right(const QString& s, int n);
int instr(const QString& s, const QString& what, int start = 1);   // 0 = not found
QString trim(const QString& s);            // blanks only, not tabs
QString ltrim(const QString& s);
QString rtrim(const QString& s);

// German text order: case-insensitive, umlauts beside their base letter, ß as ss,
// an unaccented word before its accented twin. Used by the database's collation
// and by the grid's text sort. <0, 0, >0.
int textCompare(const QString& a, const QString& b);
// A key for that order: two keys compare as plain UTF-16 text exactly as
// textCompare compares their texts. For sorting many rows, build once per row.
QString textSortKey(const QString& s);

// Upper and lower case alike for every letter of Windows-1252: the lower form
// of A-Z, of À-Þ (but ×), of Š, Œ, Ž and Ÿ; every other character, ß and the
// accented letters' plain twins included, stays itself. The database compares
// texts by this rule.
constexpr char32_t caseFold(char32_t c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 32;
  switch (c) {
    case 0x0152: return 0x0153;  // Œ
    case 0x0160: return 0x0161;  // Š
    case 0x0178: return 0x00FF;  // Ÿ
    case 0x017D: return 0x017E;  // Ž
    default: return c;
  }
}
// A text with every such letter in its lower form: equal for two texts that
// the database takes as one.
QString caseFolded(const QString& s);

// --- clock ------------------------------------------------------------------
QDate date();                               // today, from the clock below
QDateTime now();
void setClock(const QDateTime& fixed);      // tests: a fixed "now"; invalid = system clock

}  // namespace zevo::vb
