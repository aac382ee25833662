#include "platform/runtime/vb.h"

#include "platform/runtime/decimal.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <locale.h>
#include <string>
#include <vector>
#include <algorithm>

namespace zevo::vb {

using detail::Decimal;

namespace {

bool isBlank(QChar c) { return c == ' ' || c == '\t'; }

bool allDigits(QStringView s) {
  if (s.isEmpty()) return false;
  for (QChar c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

// Plain digits, "." and an exponent as a double; nothing when the value is
// too large for a double (a value too small for one is 0).
std::optional<double> toDouble(const std::string& ascii) {
  static const locale_t c = newlocale(LC_ALL_MASK, "C", nullptr);
  const double v = strtod_l(ascii.c_str(), nullptr, c);
  if (!std::isfinite(v)) return std::nullopt;
  return v;
}

int significantDigits(const QVariant& v) {
  return v.typeId() == QMetaType::Float ? 7 : 15;
}

bool isNumberType(const QVariant& v) {
  switch (v.typeId()) {
    case QMetaType::Int: case QMetaType::UInt: case QMetaType::LongLong:
    case QMetaType::ULongLong: case QMetaType::Short: case QMetaType::UShort:
    case QMetaType::Char: case QMetaType::SChar: case QMetaType::UChar:
    case QMetaType::Long: case QMetaType::ULong: case QMetaType::Float:
    case QMetaType::Double:
      return true;
    default:
      return false;
  }
}

bool isIntegerType(const QVariant& v) {
  return isNumberType(v) && v.typeId() != QMetaType::Float && v.typeId() != QMetaType::Double;
}

std::optional<QDateTime> fixedClock;


std::optional<QTime> parseTime(QStringView t) {
  const auto parts = t.split(':');
  if (parts.size() < 2 || parts.size() > 3) return std::nullopt;
  for (auto p : parts)
    if (!allDigits(p) || p.size() > 2) return std::nullopt;
  QTime time(parts[0].toInt(), parts[1].toInt(), parts.size() == 3 ? parts[2].toInt() : 0);
  if (!time.isValid()) return std::nullopt;
  return time;
}

std::optional<QDate> parseDatePart(QString d) {
  if (d.endsWith('.')) d.chop(1);
  if (d.isEmpty()) return std::nullopt;
  QChar sep;
  for (QChar c : d)
    if (c < '0' || c > '9') {
      sep = c;
      break;
    }
  if (sep != '.' && sep != '/' && sep != '-') return std::nullopt;
  const auto parts = QStringView(d).split(sep);
  for (auto p : parts)
    if (!allDigits(p)) return std::nullopt;
  int day, month, year;
  if (parts.size() == 3 && parts[0].size() == 4) {  // ISO
    year = parts[0].toInt();
    month = parts[1].toInt();
    day = parts[2].toInt();
    if (parts[1].size() > 2 || parts[2].size() > 2) return std::nullopt;
  } else if (parts.size() == 3 || parts.size() == 2) {
    if (parts[0].size() > 2 || parts[1].size() > 2) return std::nullopt;
    day = parts[0].toInt();
    month = parts[1].toInt();
    if (parts.size() == 2) {
      year = date().year();
    } else {
      const auto y = parts[2];
      if (y.size() > 4) return std::nullopt;
      year = y.toInt();
      if (y.size() <= 2) year += year < 30 ? 2000 : 1900;
      else if (year < 100) return std::nullopt;
    }
  } else {
    return std::nullopt;
  }
  QDate result(year, month, day);
  if (!inDateRange(result)) return std::nullopt;
  return result;
}

// German number text as described at isNumeric; the value, or nothing.
std::optional<double> parseGerman(const QString& text) {
  QString s = text;
  while (!s.isEmpty() && isBlank(s.front())) s.remove(0, 1);
  while (!s.isEmpty() && isBlank(s.back())) s.chop(1);
  if (s.endsWith(QChar(0x20AC))) {  // a trailing euro sign
    s.chop(1);
    while (!s.isEmpty() && isBlank(s.back())) s.chop(1);
  }
  std::string ascii;
  int i = 0;
  const int n = s.size();
  if (i < n && (s[i] == '-' || s[i] == '+')) {
    if (s[i] == '-') ascii += '-';
    ++i;
    while (i < n && isBlank(s[i])) ++i;
  }
  bool digits = false;
  bool previousDigit = false;
  for (; i < n; ++i) {
    const QChar c = s[i];
    if (c >= '0' && c <= '9') {
      ascii += static_cast<char>(c.unicode());
      digits = previousDigit = true;
    } else if (c == '.' && previousDigit && i + 1 < n && s[i + 1] >= '0' && s[i + 1] <= '9') {
      previousDigit = false;  // thousands separator
    } else {
      break;
    }
  }
  if (i < n && s[i] == ',') {
    ascii += '.';
    for (++i; i < n && s[i] >= '0' && s[i] <= '9'; ++i) {
      ascii += static_cast<char>(s[i].unicode());
      digits = true;
    }
  }
  if (!digits) return std::nullopt;
  if (i < n && (s[i] == 'E' || s[i] == 'e')) {
    std::string exponent = "e";
    int j = i + 1;
    if (j < n && (s[j] == '+' || s[j] == '-')) exponent += static_cast<char>(s[j++].unicode());
    const int start = j;
    for (; j < n && s[j] >= '0' && s[j] <= '9'; ++j) exponent += static_cast<char>(s[j].unicode());
    if (j == start) return std::nullopt;
    ascii += exponent;
    i = j;
  }
  if (i != n) return std::nullopt;
  return toDouble(ascii);
}

// The number a value stands for when a number format is applied to it.
std::optional<Decimal> numberOf(const QVariant& v) {
  if (isNumberType(v)) {
    if (isIntegerType(v)) return Decimal::fromDouble(v.toDouble(), 17);
    return Decimal::fromDouble(v.toDouble(), significantDigits(v));
  }
  if (v.typeId() == QMetaType::Bool) return Decimal::fromDouble(v.toBool() ? -1 : 0, 15);
  if (v.typeId() == QMetaType::QString) {
    if (auto d = parseGerman(v.toString())) return Decimal::fromDouble(*d, 15);
  }
  return std::nullopt;
}

// VB date pattern to Qt's: "mm" after an hour is the minute, "n" the minute.
QString qtDatePattern(const QString& vb) {
  QString out;
  bool afterHour = false;
  for (int i = 0; i < vb.size();) {
    const QChar c = vb[i].toLower();
    int run = 1;
    while (i + run < vb.size() && vb[i + run].toLower() == c) ++run;
    const QString same(run, c);
    if (c == 'd') {
      out += same;
      afterHour = false;
    } else if (c == 'y') {
      out += QString(run <= 2 ? 2 : 4, 'y');
      afterHour = false;
    } else if (c == 'h') {
      out += same;
      afterHour = true;
    } else if (c == 'n') {
      out += QString(run, 'm');
    } else if (c == 'm') {
      out += afterHour ? QString(run, 'm') : QString(run, 'M');
      afterHour = false;
    } else if (c == 's') {
      out += same;
    } else {
      out += '\'' + vb.mid(i, run).replace("'", "''") + '\'';
    }
    i += run;
  }
  return out;
}

bool isDatePattern(const QString& p) {
  const QString l = p.toLower();
  return l.contains("dd") || l.contains("yy") || l.contains("hh") || l.contains("mm") ||
         l.contains("nn") || l.contains("ss");
}

QString formatNumber(const Decimal& value, const QString& pattern) {
  QString section = pattern.section(';', 0, 0);
  int start = 0;
  while (start < section.size() && section[start] != '0' && section[start] != '#' &&
         section[start] != '.')
    ++start;
  int end = start;
  while (end < section.size() &&
         (section[end] == '0' || section[end] == '#' || section[end] == '.' || section[end] == ','))
    ++end;
  const QString prefix = section.left(start);
  const QString suffix = section.mid(end);
  const QString numeric = section.mid(start, end - start);
  const int dot = numeric.indexOf('.');
  const QString intPart = dot < 0 ? numeric : numeric.left(dot);
  const QString fracPart = dot < 0 ? QString() : numeric.mid(dot + 1);
  const bool grouping = intPart.contains(',');
  const int minInt = intPart.count('0');
  const int minDec = fracPart.count('0');
  const int maxDec = minDec + fracPart.count('#');

  Decimal d = value;
  if (suffix.contains('%')) d.point += 2;
  d.roundTo(maxDec, false);
  QString text = d.fixed(maxDec, ',', grouping);
  if (maxDec > minDec) {
    int keep = text.size();
    const int comma = text.lastIndexOf(',');
    while (keep > comma + 1 + minDec && text[keep - 1] == '0') --keep;
    text.truncate(keep);
    if (text.endsWith(',')) text.chop(1);
  }
  const bool negative = text.startsWith('-');
  if (negative) text.remove(0, 1);
  int intLen = text.indexOf(',');
  if (intLen < 0) intLen = text.size();
  if (minInt == 0 && text.left(intLen) == "0") {
    text.remove(0, 1);
  } else if (intLen < minInt) {
    text.prepend(QString(minInt - intLen, '0'));
  }
  return prefix + (negative ? "-" : "") + text + suffix;
}

}  // namespace

// --- conversions -------------------------------------------------------------

bool inDateRange(const QDate& d) { return d.isValid() && d.year() >= 100 && d.year() <= 9999; }

std::optional<QDateTime> dateFromSerial(double serial) {
  // 01.01.0100 is day -657434, 31.12.9999 day 2958465.
  if (!(serial >= -657434.0 && serial < 2958466.0)) return std::nullopt;
  const double days = std::floor(serial);
  const qint64 msecs = std::llround((serial - days) * 86400000.0);
  const QDateTime dt = QDateTime(QDate(1899, 12, 30).addDays(static_cast<qint64>(days)), QTime(0, 0)).addMSecs(msecs);
  if (!inDateRange(dt.date())) return std::nullopt;
  return dt;
}

QString cstr(const QVariant& v) {
  if (!v.isValid() || v.isNull()) return {};
  switch (v.typeId()) {
    case QMetaType::Bool:
      return v.toBool() ? "Wahr" : "Falsch";
    case QMetaType::Float:
    case QMetaType::Double: {
      const int sig = significantDigits(v);
      return Decimal::fromDouble(v.toDouble(), sig).general(sig, ',', true);
    }
    case QMetaType::QDate:
      return v.toDate().toString("dd.MM.yyyy");
    case QMetaType::QDateTime: {
      const QDateTime dt = v.toDateTime();
      QString s = dt.date().toString("dd.MM.yyyy");
      if (dt.time() != QTime(0, 0)) s += dt.time().toString(" hh:mm:ss");
      return s;
    }
    case QMetaType::QTime:
      return v.toTime().toString("hh:mm:ss");
    default:
      if (isIntegerType(v))
        return v.typeId() == QMetaType::ULongLong ? QString::number(v.toULongLong())
                                                  : QString::number(v.toLongLong());
      return v.toString();
  }
}

QString cstrOhneExponent(const QVariant& v) {
  const QString text = cstr(v);
  if ((v.typeId() != QMetaType::Float && v.typeId() != QMetaType::Double) || !text.contains(QLatin1Char('E')) ||
      !std::isfinite(v.toDouble()))
    return text;
  const Decimal d = Decimal::fromDouble(v.toDouble(), significantDigits(v));
  return d.fixed(std::max(0, int(d.digits.size()) - d.point), QLatin1Char(','));
}

std::optional<QDateTime> parseDateTime(const QString& s) {
  QString t = s.trimmed();
  if (t.isEmpty()) return std::nullopt;
  QString datePart = t, timePart;
  const int split = t.indexOf(QRegularExpression("[ T]"));
  if (split > 0) {
    datePart = t.left(split);
    timePart = t.mid(split + 1).trimmed();
    if (timePart.isEmpty()) return std::nullopt;
  }
  const auto d = parseDatePart(datePart);
  if (!d) return std::nullopt;
  QTime time(0, 0);
  if (!timePart.isEmpty()) {
    const auto tm = parseTime(timePart);
    if (!tm) return std::nullopt;
    time = *tm;
  }
  return QDateTime(*d, time);
}

std::optional<QDate> parseDate(const QString& s) {
  if (auto dt = parseDateTime(s)) return dt->date();
  return std::nullopt;
}

bool isDate(const QString& s) { return parseDateTime(s).has_value(); }

bool isNumeric(const QString& s) { return parseGerman(s).has_value(); }

std::optional<double> parseNumber(const QString& s) { return parseGerman(s); }

double val(const QString& s) {
  QString t;
  for (QChar c : s)
    if (c != ' ' && c != '\t' && c != '\n') t += c;
  if (t.startsWith('&')) {
    int base = 8;
    int i = 1;
    if (i < t.size() && (t[i] == 'H' || t[i] == 'h')) {
      base = 16;
      ++i;
    } else if (i < t.size() && (t[i] == 'O' || t[i] == 'o')) {
      ++i;
    }
    const int start = i;
    qint64 value = 0;
    for (; i < t.size() && i - start < 11; ++i) {
      const int digit = QString(t[i]).toInt(nullptr, base);
      const bool ok = t[i].isDigit() || (base == 16 && t[i].toLower() >= 'a' && t[i].toLower() <= 'f');
      if (!ok || (base == 8 && t[i] > '7')) break;
      value = value * base + digit;
    }
    if (value <= 0xFFFF && (base == 16 ? i - start <= 4 : i - start <= 6))
      return static_cast<qint16>(static_cast<quint16>(value));
    return static_cast<qint32>(static_cast<quint32>(value));
  }
  std::string ascii;
  int i = 0;
  if (i < t.size() && (t[i] == '-' || t[i] == '+')) {
    if (t[i] == '-') ascii += '-';
    ++i;
  }
  bool digits = false, dot = false;
  for (; i < t.size(); ++i) {
    const QChar c = t[i];
    if (c >= '0' && c <= '9') {
      ascii += static_cast<char>(c.unicode());
      digits = true;
    } else if (c == '.' && !dot) {
      ascii += '.';
      dot = true;
    } else {
      break;
    }
  }
  if (!digits) return 0;
  if (i < t.size() && QString("EeDd").contains(t[i])) {
    std::string exponent = "e";
    int j = i + 1;
    if (j < t.size() && (t[j] == '+' || t[j] == '-')) exponent += static_cast<char>(t[j++].unicode());
    const int start = j;
    for (; j < t.size() && t[j] >= '0' && t[j] <= '9'; ++j) exponent += static_cast<char>(t[j].unicode());
    if (j > start) ascii += exponent;
  }
  // A number too large for a double is no number: 0, as for any other text.
  return toDouble(ascii).value_or(0);
}

QString str(double n) {
  const QString s = Decimal::fromDouble(n, 15).general(15, '.', false);
  return n < 0 && s != "0" ? s : " " + s;
}

QString str(qint64 n) { return n < 0 ? QString::number(n) : " " + QString::number(n); }

QString format(const QVariant& v, const QString& pattern) {
  if (!v.isValid() || v.isNull()) return {};
  if (v.typeId() == QMetaType::QString && v.toString().isEmpty()) return {};
  const QString lower = pattern.toLower();
  if (lower == "currency") {
    if (auto d = numberOf(v)) {
      Decimal x = *d;
      x.roundTo(2, false);
      return x.fixed(2, ',', true) + QString(" ") + QChar(0x20AC);
    }
    return v.toString();
  }
  if (lower == "fixed") return format(v, "0.00");
  if (lower == "standard") return format(v, "#,##0.00");
  if (pattern.isEmpty()) return cstr(v);
  if (isDatePattern(pattern)) {
    QDateTime dt;
    if (v.typeId() == QMetaType::QDate) dt = QDateTime(v.toDate(), QTime(0, 0));
    else if (v.typeId() == QMetaType::QDateTime) dt = v.toDateTime();
    else if (isNumberType(v)) {
      const auto d = dateFromSerial(v.toDouble());
      if (!d) return cstr(v);   // no day of the calendar: the number as it is
      dt = *d;
    } else if (auto p = parseDateTime(v.toString())) dt = *p;
    else return v.toString();
    return QLocale(QLocale::German, QLocale::Germany).toString(dt, qtDatePattern(pattern));
  }
  if (pattern.contains('0') || pattern.contains('#')) {
    if (auto d = numberOf(v)) return formatNumber(*d, pattern);
    return v.toString();
  }
  return cstr(v);
}

QString formatCurrency(double v) { return format(QVariant(v), "Currency"); }

qint64 clng(double v) {
  const double r = std::nearbyint(v);
  if (!(r > -9.2e18 && r < 9.2e18)) return r < 0 ? std::numeric_limits<qint64>::min() : std::numeric_limits<qint64>::max();
  return static_cast<qint64>(r);
}

int cint(double v) {
  const double r = std::nearbyint(v);
  if (!(r >= std::numeric_limits<int>::min() && r <= std::numeric_limits<int>::max()))
    return r < 0 ? std::numeric_limits<int>::min() : std::numeric_limits<int>::max();
  return static_cast<int>(r);
}

double round(double v, int digits) {
  if (digits <= 0) return std::nearbyint(v);
  Decimal d = Decimal::fromDouble(v, 15);
  d.roundTo(digits, true);
  const QString s = d.fixed(digits, '.');
  return toDouble(s.toStdString()).value_or(v);
}

// --- strings -----------------------------------------------------------------

QString mid(const QString& s, int start, int length) {
  if (start < 1) start = 1;
  if (start > s.size()) return {};
  return length < 0 ? s.mid(start - 1) : s.mid(start - 1, length);
}

QString left(const QString& s, int n) { return n <= 0 ? QString() : s.left(n); }

QString right(const QString& s, int n) { return n <= 0 ? QString() : s.right(n); }

int instr(const QString& s, const QString& what, int start) {
  if (start < 1) start = 1;
  if (start > s.size()) return 0;
  if (what.isEmpty()) return start;
  const int pos = s.indexOf(what, start - 1);
  return pos < 0 ? 0 : pos + 1;
}

QString ltrim(const QString& s) {
  int i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  return s.mid(i);
}

QString rtrim(const QString& s) {
  int n = s.size();
  while (n > 0 && s[n - 1] == ' ') --n;
  return s.left(n);
}

QString trim(const QString& s) { return ltrim(rtrim(s)); }

// --- German text order ---------------------------------------------------------

namespace {
struct Unit {
  QChar base;
  bool accented;
};

void appendUnits(QChar c, std::vector<Unit>& out) {
  const QChar lower = c.toLower();
  if (lower == QChar(0x00DF)) {  // ß sorts as ss
    out.push_back({'s', true});
    out.push_back({'s', true});
    return;
  }
  const QString decomposed = QString(lower).normalized(QString::NormalizationForm_D);
  if (decomposed.size() > 1 && decomposed[0].unicode() < 0x80) {
    out.push_back({decomposed[0], true});
    return;
  }
  out.push_back({lower, false});
}

std::vector<Unit> units(const QString& s) {
  std::vector<Unit> out;
  out.reserve(static_cast<std::size_t>(s.size()));
  for (QChar c : s) appendUnits(c, out);
  return out;
}
}  // namespace

int textCompare(const QString& a, const QString& b) {
  // Plain ASCII on both sides (the common case): case-insensitive order.
  const qsizetype common = std::min(a.size(), b.size());
  qsizetype i = 0;
  for (; i < common; ++i) {
    const char16_t ca = a[i].unicode(), cb = b[i].unicode();
    if (ca >= 0x80 || cb >= 0x80) break;
    const char16_t la = (ca >= 'A' && ca <= 'Z') ? ca + 32 : ca;
    const char16_t lb = (cb >= 'A' && cb <= 'Z') ? cb + 32 : cb;
    if (la != lb) return la < lb ? -1 : 1;
  }
  if (i == common && a.size() == b.size()) return 0;
  if (i == common) return a.size() < b.size() ? -1 : 1;   // "ab" before "abc", "abß" ...
  const auto ua = units(a);
  const auto ub = units(b);
  const std::size_t n = std::min(ua.size(), ub.size());
  for (std::size_t i = 0; i < n; ++i)
    if (ua[i].base != ub[i].base) return ua[i].base < ub[i].base ? -1 : 1;
  if (ua.size() != ub.size()) return ua.size() < ub.size() ? -1 : 1;
  for (std::size_t i = 0; i < n; ++i)
    if (ua[i].accented != ub[i].accented) return ua[i].accented ? 1 : -1;
  return 0;
}

QString caseFolded(const QString& s) {
  QString out = s;
  for (QChar& c : out) c = QChar(char16_t(caseFold(c.unicode())));  // every such letter is a single unit
  return out;
}

QString textSortKey(const QString& s) {
  // The bases, a 0 that ends them (a shorter text first), then one mark per
  // unit: '0' plain, '1' accented (the unaccented twin first).
  QString basen;
  QString akzente;
  basen.reserve(s.size() * 2 + 1);
  akzente.reserve(s.size() + 1);
  std::vector<Unit> u;
  for (QChar c : s) {
    const char16_t z = c.unicode();
    if (z < 0x80) {
      basen += QChar(z >= 'A' && z <= 'Z' ? char16_t(z + 32) : z);
      akzente += QLatin1Char('0');
      continue;
    }
    u.clear();
    appendUnits(c, u);
    for (const Unit& e : u) {
      basen += e.base;
      akzente += e.accented ? QLatin1Char('1') : QLatin1Char('0');
    }
  }
  basen += QChar(char16_t(0));
  return basen + akzente;
}

// --- clock ---------------------------------------------------------------------

QDateTime now() { return fixedClock ? *fixedClock : QDateTime::currentDateTime(); }

QDate date() { return now().date(); }

void setClock(const QDateTime& fixed) {
  if (fixed.isValid()) fixedClock = fixed;
  else fixedClock.reset();
}

}  // namespace zevo::vb
