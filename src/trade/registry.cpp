#include "trade/registry.h"

#include "platform/runtime/forms.h"

namespace zevo::trade {

void registerTradeForms() {
  // One vb::registerForm(name, factory) line per window of this folder.
}

}  // namespace zevo::trade
