#include "common/variablen.h"

#include "platform/runtime/vb.h"

namespace zevo::common {

void heutesetzen() { heute = vb::format(QVariant(vb::date()), "dd.mm.yyyy"); }

}  // namespace zevo::common
