// The German conversions on any text: dates stay in the years 100 to 9999,
// a number is finite, format never fails on what the others accept.
#include "fuzz.h"

#include "platform/runtime/vb.h"

#include <cmath>
#include <cstring>

using namespace zevo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool einmal = [] {
    vb::setClock(QDateTime(QDate(2007, 6, 15), QTime(10, 0)));
    return true;
  }();
  (void)einmal;
  const QString text = QString::fromUtf8(fuzz::bytes(data, size));
  if (const auto d = vb::parseDateTime(text)) {
    if (!vb::isDate(text) || !vb::inDateRange(d->date())) std::abort();
    const QString s = vb::format(QVariant(*d), "dd.mm.yyyy hh:nn:ss");
    if (vb::parseDateTime(s) != d) std::abort();   // a date written and read again is the same date
  } else if (vb::isDate(text)) {
    std::abort();
  }
  if (const auto n = vb::parseNumber(text)) {
    if (!std::isfinite(*n) || !vb::isNumeric(text)) std::abort();
    vb::format(QVariant(*n), "#,##0.00");
    vb::format(QVariant(*n), "Currency");
    vb::format(QVariant(*n), "dd.mm.yyyy");
  }
  const double v = vb::val(text);
  if (!std::isfinite(v)) std::abort();
  vb::cstr(v);
  vb::str(v);
  vb::format(QVariant(v), "dd.mm.yyyy");
  vb::format(QVariant(v), "yyyy");
  // The first eight bytes as a double, whatever they hold (NaN, infinity).
  if (size >= 8) {
    double roh;
    std::memcpy(&roh, data, 8);
    vb::format(QVariant(roh), "dd.mm.yyyy");
    vb::format(QVariant(roh), "0.00");
    vb::cstr(QVariant(roh));
    if (const auto d = vb::dateFromSerial(roh); d && !vb::inDateRange(d->date())) std::abort();
  }
  // The text as a pattern.
  vb::format(QVariant(1234.5), text.left(64));
  vb::format(QVariant(QDate(2007, 6, 15)), text.left(64));
  return 0;
}
