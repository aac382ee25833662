#pragma once
// Money in the scale of a CURRENCY column: whole ten-thousandths of a euro
// in a qint64, so that sums, products and totals stay exact.

#include "common/routinen.h"
#include "platform/runtime/vb.h"

#include <QVariant>

#include <cmath>

namespace zevo::trade {

// A Currency value (or sum) of the database; Null gives 0, the sign is kept.
inline qint64 geldwert(const QVariant& wert) {
  if (!wert.isValid() || wert.isNull()) return 0;
  return std::llround(wert.toDouble() * 10000.0);
}

// A typed amount ("12,5", "1.234,50") read by zahlaustext's tolerant rules.
inline qint64 geldaustext(const QString& text) {
  return std::llround(common::zahlaustextgenau(text) * 10000.0);
}

// "1.234,50 €", "-5,00 €", "0,00 €".
inline QString euro(qint64 zehntausendstel) {
  return vb::formatCurrency(double(zehntausendstel) / 10000.0);
}

}  // namespace zevo::trade
