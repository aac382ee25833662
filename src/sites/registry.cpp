#include "sites/registry.h"

#include "platform/runtime/forms.h"
#include "sites/iv_wetterdaten.h"
#include "sites/iw_wetterdaten.h"

namespace zevo::sites {

void registerSiteForms() {
  // One vb::registerForm(name, factory) line per window of this folder.
  vb::registerForm(QStringLiteral("IV_Wetterdaten"), [] { return std::make_unique<IV_Wetterdaten>(); });
  vb::registerForm(QStringLiteral("IW_Wetterdaten"), [] { return std::make_unique<IW_Wetterdaten>(); });
}

}  // namespace zevo::sites
