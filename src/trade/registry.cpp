#include "trade/registry.h"

#include "platform/runtime/forms.h"
#include "trade/iv_einverkauf_lager.h"

namespace zevo::trade {

void registerTradeForms() {
  // One vb::registerForm(name, factory) line per window of this folder.
  vb::registerForm(QStringLiteral("IV_EinVerkauf_Lager"), [] { return std::make_unique<IV_EinVerkauf_Lager>(); });
}

}  // namespace zevo::trade
