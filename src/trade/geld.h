#pragma once
// Money in the scale of a CURRENCY column: whole ten-thousandths of a euro
// in a qint64, so that sums, products and totals stay exact.

#include "common/routinen.h"
#include "platform/dao/dao.h"
#include "platform/runtime/vb.h"

#include <QVariant>

#include <cmath>

namespace zevo::trade {

// A Currency value (or sum) of the database; Null gives 0, the sign is kept.
inline qint64 geldwert(const QVariant& wert) {
  if (!wert.isValid() || wert.isNull()) return 0;
  return std::llround(wert.toDouble() * 10000.0);
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
  return std::llround(common::zahlaustextgenau(text) * 10000.0);
}

// The amount in whole cents as euro() shows it (half away from zero), still
// in ten-thousandths: a total of such amounts equals the sum of what is shown.
inline qint64 aufcent(qint64 zehntausendstel) {
  const qint64 cent = zehntausendstel >= 0 ? (zehntausendstel + 50) / 100 : -((-zehntausendstel + 50) / 100);
  return cent * 100;
}

// "1.234,50 €", "-5,00 €", "0,00 €".
inline QString euro(qint64 zehntausendstel) {
  return vb::formatCurrency(double(zehntausendstel) / 10000.0);
}

}  // namespace zevo::trade
