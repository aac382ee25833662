#pragma once
// Money in the scale of a CURRENCY column: whole ten-thousandths of a euro
// in a qint64, so that sums, products and totals stay exact. The qint64 holds
// exactly the range of the column (±922.337.203.685.477,5807 €); an amount,
// sum or product beyond it is refused as the database refuses a number that
// does not fit its field (dao::Error errFieldTooSmall), never wrapped.

#include "common/routinen.h"
#include "platform/dao/dao.h"
#include "platform/runtime/vb.h"

#include <QVariant>

#include <cmath>
#include <optional>

namespace zevo::trade {

// "Der Betrag 1e+15 liegt außerhalb ...": was, then the value when there is one.
[[noreturn]] inline void geldüberlauf(const char* was, const QString& wert = {}) {
  throw dao::Error(dao::errFieldTooSmall,
                   QString::fromUtf8(was) + (wert.isEmpty() ? QString() : " " + wert) +
                       " liegt außerhalb des Bereichs der Geldbeträge (±922.337.203.685.477,58 €).");
}

// Euro as ten-thousandths, rounded half away from zero; nothing beyond the range.
inline std::optional<qint64> zehntausendstel(double euro) {
  const double r = std::round(euro * 10000.0);
  // -2^63 and 2^63 are exact doubles; a NaN fails both tests.
  if (!(r >= -9223372036854775808.0 && r < 9223372036854775808.0)) return std::nullopt;
  return static_cast<qint64>(r);
}

inline qint64 geldplus(qint64 a, qint64 b) {
  qint64 r;
  if (__builtin_add_overflow(a, b, &r)) geldüberlauf("Die Summe");
  return r;
}

inline qint64 geldminus(qint64 a, qint64 b) {
  qint64 r;
  if (__builtin_sub_overflow(a, b, &r)) geldüberlauf("Die Differenz");
  return r;
}

inline qint64 geldmal(qint64 betrag, qint64 anzahl) {
  qint64 r;
  if (__builtin_mul_overflow(betrag, anzahl, &r)) geldüberlauf("Das Produkt");
  return r;
}

// A Currency value (or sum) of the database; Null gives 0, the sign is kept.
inline qint64 geldwert(const QVariant& wert) {
  if (!wert.isValid() || wert.isNull()) return 0;
  const double euro = wert.toDouble();
  if (const auto betrag = zehntausendstel(euro)) return *betrag;
  geldüberlauf("Der Betrag", QString::number(euro));
}

// The first field of sql's first row as money, e.g. a sum over a Currency
// column; no row or Null gives 0.
inline qint64 geldsumme(dao::Database& db, const QString& sql) {
  dao::Recordset rs = db.openRecordset(sql);
  qint64 summe = 0;
  if (!rs.eof()) summe = geldwert(rs.fields(0).value());
  rs.close();
  return summe;
}

// A typed amount ("12,5", "1.234,50") read by zahlaustext's tolerant rules.
inline qint64 geldaustext(const QString& text) {
  if (const auto betrag = zehntausendstel(common::zahlaustextgenau(text))) return *betrag;
  geldüberlauf("Der Betrag", text.trimmed());
}

// The amount in whole cents as euro() shows it (half away from zero), still
// in ten-thousandths: a total of such amounts equals the sum of what is shown.
inline qint64 aufcent(qint64 betrag) {
  qint64 cent = betrag / 100;
  const qint64 rest = betrag % 100;
  if (rest >= 50) ++cent;
  else if (rest <= -50) --cent;
  return cent * 100;   // fits: the range ends in ...5807 and ...5808 ten-thousandths
}

// "1.234,50 €", "-5,00 €", "0,00 €".
inline QString euro(qint64 betrag) {
  return vb::formatCurrency(double(betrag) / 10000.0);
}

}  // namespace zevo::trade
