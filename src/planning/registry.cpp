#include "planning/registry.h"

#include "planning/iv_arplanoptionen.h"
#include "planning/iv_starttermine.h"
#include "planning/iv_terminverwaltung.h"
#include "planning/iw_arbeitsplan.h"
#include "platform/runtime/forms.h"

namespace zevo::planning {

void registerPlanningForms() {
  vb::registerForm(QStringLiteral("IV_Arplanoptionen"), [] { return std::make_unique<IV_Arplanoptionen>(); });
  vb::registerForm(QStringLiteral("IV_Terminverwaltung"), [] { return std::make_unique<IV_Terminverwaltung>(); });
  vb::registerForm(QStringLiteral("IV_Starttermine"), [] { return std::make_unique<IV_Starttermine>(); });
  vb::registerForm(QStringLiteral("IW_Arbeitsplan"), [] { return std::make_unique<IW_Arbeitsplan>(); });
}

}  // namespace zevo::planning
