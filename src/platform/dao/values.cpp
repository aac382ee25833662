// Conversions between the values the windows read and write and what the
// file stores: whole numbers, floats, currency with four decimals, ISO dates.

#include "platform/dao/errors.h"
#include "platform/dao/recordset_p.h"
#include "platform/runtime/vb.h"

#include <QDateTime>

#include <charconv>
#include <cmath>
#include <limits>

namespace zevo::dao {

namespace {

bool isNumber(const QVariant& v) {
  switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Bool: return true;
    default: return false;
  }
}

bool isWholeStorage(const QVariant& v) { return v.typeId() == QMetaType::LongLong; }

double currency(double v) { return std::nearbyint(v * 10000.0) / 10000.0; }

// A Single as the file keeps it: the double nearest to the shortest decimal
// that reads back as the same float, so 42,8 is stored as 42.8 and not as
// 42.79999923706055, and sums and averages over the column come out as the
// decimals that were typed.
double singleStored(float f) {
  char text[32];
  const auto written = std::to_chars(text, text + sizeof text, f);
  double d = f;
  std::from_chars(text, written.ptr, d);
  // One decimal (7.038531e-26, either sign) lies so close to the edge between
  // two floats that its nearest double falls on the other side: it keeps the float.
  return float(d) == f ? d : double(f);
}

// "yyyy-mm-dd" or "yyyy-mm-dd hh:mm:ss" as QDate or QDateTime; other text stays text.
QVariant dateOf(const QString& s) {
  if (s.size() == 10) {
    // Read by position (every date cell of a listing comes this way); a text
    // that is not all digits goes through the format below.
    if (s[4] == QLatin1Char('-') && s[7] == QLatin1Char('-')) {
      int z[8];
      const int pos[8] = {0, 1, 2, 3, 5, 6, 8, 9};
      bool ziffern = true;
      for (int i = 0; i < 8 && ziffern; ++i) {
        const char16_t c = s[pos[i]].unicode();
        ziffern = c >= '0' && c <= '9';
        z[i] = c - '0';
      }
      if (ziffern) {
        const QDate d(z[0] * 1000 + z[1] * 100 + z[2] * 10 + z[3], z[4] * 10 + z[5], z[6] * 10 + z[7]);
        if (d.isValid()) return d;
        return s;
      }
    }
    const QDate d = QDate::fromString(s, QStringLiteral("yyyy-MM-dd"));
    if (d.isValid()) return d;
  } else if (s.size() == 19) {
    const QDateTime dt = QDateTime::fromString(s, QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    if (dt.isValid()) return dt;
  }
  return s;
}

QVariant wholeOf(qint64 v) {
  if (v >= std::numeric_limits<int>::min() && v <= std::numeric_limits<int>::max()) return int(v);
  return v;
}

[[noreturn]] void conversion(const FieldInfo& f, const QVariant& v) {
  fail(errTypeConversion, QStringLiteral("'%1' passt nicht in das Feld %2").arg(vb::cstr(v), f.name));
}

// A number for a numeric field: numbers as they are (a Single as the decimal
// it stands for), texts read the German way. NaN and infinity fit no field.
double numberFor(const FieldInfo& f, const QVariant& v) {
  if (v.typeId() == QMetaType::Bool) return v.toBool() ? -1.0 : 0.0;
  if (isNumber(v)) {
    const double d = v.typeId() == QMetaType::Float ? singleStored(v.toFloat()) : v.toDouble();
    if (!std::isfinite(d)) fail(errFieldTooSmall, f.name);
    return d;
  }
  if (v.typeId() == QMetaType::QString) {
    if (auto n = vb::parseNumber(v.toString())) return *n;
  }
  conversion(f, v);
}

}  // namespace

QVariant present(const FieldInfo& f, const QVariant& raw) {
  if (!raw.isValid()) return {};
  switch (f.type) {
    case dbText:
    case dbMemo: return raw.typeId() == QMetaType::QString ? raw : QVariant(raw.toString());
    case dbInteger:
    case dbLong:
    case dbByte:
      if (isWholeStorage(raw)) return wholeOf(raw.toLongLong());
      if (raw.typeId() == QMetaType::Double) {
        const double d = raw.toDouble();
        if (d == std::floor(d) && std::fabs(d) < 9e15) return wholeOf(qint64(d));
      }
      return raw;
    case dbBoolean: return isNumber(raw) ? QVariant(raw.toLongLong() != 0) : raw;
    case dbSingle: return isNumber(raw) ? QVariant(float(raw.toDouble())) : raw;
    case dbDouble: return isNumber(raw) ? QVariant(raw.toDouble()) : raw;
    case dbCurrency: return isNumber(raw) ? QVariant(currency(raw.toDouble())) : raw;
    case dbDate: return raw.typeId() == QMetaType::QString ? dateOf(raw.toString()) : raw;
  }
  return raw;
}

QVariant presentedValue(FieldType t, const QVariant& stored) {
  FieldInfo f;
  f.type = t;
  return present(f, stored);
}

QVariant store(const FieldInfo& f, const QVariant& v) {
  if (!v.isValid() || v.typeId() == QMetaType::Nullptr) return {};
  switch (f.type) {
    case dbText:
    case dbMemo: {
      const QString s = v.typeId() == QMetaType::QString ? v.toString() : vb::cstr(v);
      if (f.size > 0 && s.size() > f.size) fail(errFieldTooSmall, f.name);
      return s;
    }
    case dbInteger:
    case dbLong:
    case dbByte:
    case dbBoolean: {
      qint64 n;
      if (v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Int) n = v.toLongLong();
      else {
        const double d = numberFor(f, v);
        if (!std::isfinite(d) || std::fabs(d) > 9e18) fail(errFieldTooSmall, f.name);
        n = vb::clng(d);
      }
      if (f.type == dbBoolean) return qint64(n != 0 ? -1 : 0);
      const qint64 lo = f.type == dbInteger ? -32768 : f.type == dbByte ? 0 : std::numeric_limits<qint32>::min();
      const qint64 hi = f.type == dbInteger ? 32767 : f.type == dbByte ? 255 : std::numeric_limits<qint32>::max();
      if (n < lo || n > hi) fail(errFieldTooSmall, f.name);
      return n;
    }
    case dbSingle: {
      const double d = numberFor(f, v);
      if (std::fabs(d) > double(std::numeric_limits<float>::max())) fail(errFieldTooSmall, f.name);
      return singleStored(float(d));
    }
    case dbDouble: return numberFor(f, v);
    case dbCurrency: {
      const double d = numberFor(f, v);
      if (!(std::fabs(d) <= 922337203685477.0)) fail(errFieldTooSmall, f.name);   // the range of Currency
      return currency(d);
    }
    case dbDate:
      switch (v.typeId()) {
        case QMetaType::QDate:
          if (!vb::inDateRange(v.toDate())) conversion(f, v);
          return jet::isoDate(v.toDate());
        case QMetaType::QDateTime:
          if (!v.toDateTime().isValid() || !vb::inDateRange(v.toDateTime().date())) conversion(f, v);
          return jet::isoDateTime(v.toDateTime());
        case QMetaType::QString:
          if (auto dt = vb::parseDateTime(v.toString())) return jet::isoDateTime(*dt);
          conversion(f, v);
        default:
          if (isNumber(v) && v.typeId() != QMetaType::Bool) {
            // A day number counted from 30.12.1899, the fraction the time of day.
            if (const auto dt = vb::dateFromSerial(v.toDouble())) {
              const QDateTime s = dt->addMSecs(500);   // to the nearest second
              const QTime t = s.time();
              return jet::isoDateTime(s.date(), QTime(t.hour(), t.minute(), t.second()));
            }
            conversion(f, v);
          }
          conversion(f, v);
      }
  }
  return v;
}

}  // namespace zevo::dao
