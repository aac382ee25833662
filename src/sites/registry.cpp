#include "sites/registry.h"

#include "platform/runtime/forms.h"
#include "sites/iv_pflanzen_standorte.h"
#include "sites/iw_standorte.h"

namespace zevo::sites {

void registerSiteForms() {
  vb::registerForm(QStringLiteral("IV_Pflanzen_Standorte"), [] { return std::make_unique<IV_Pflanzen_Standorte>(); });
  vb::registerForm(QStringLiteral("IW_Standorte"), [] { return std::make_unique<IW_Standorte>(); });
}

}  // namespace zevo::sites
