#include "trade/registry.h"

#include "platform/runtime/forms.h"
#include "trade/iv_einverkauf_lager.h"
#include "trade/iw_deckungsbeitrag.h"
#include "trade/iw_einverkauf.h"
#include "trade/iw_honiglager.h"

namespace zevo::trade {

void registerTradeForms() {
  // One vb::registerForm(name, factory) line per window of this folder.
  vb::registerForm(QStringLiteral("IV_EinVerkauf_Lager"), [] { return std::make_unique<IV_EinVerkauf_Lager>(); });
  vb::registerForm(QStringLiteral("IW_EinVerkauf"), [] { return std::make_unique<IW_EinVerkauf>(); });
  vb::registerForm(QStringLiteral("IW_Honiglager"), [] { return std::make_unique<IW_Honiglager>(); });
  vb::registerForm(QStringLiteral("IW_Deckungsbeitrag"), [] { return std::make_unique<IW_Deckungsbeitrag>(); });
}

}  // namespace zevo::trade
