#include "common/variablen.h"

#include "platform/runtime/vb.h"

namespace zevo::common {

void heutesetzen() { heute = vb::format(QVariant(vb::date()), "dd.mm.yyyy"); }

QDate heutedatum() {
  if (const auto d = vb::parseDate(heute)) return *d;
  return vb::date();
}

}  // namespace zevo::common
