#include "planning/registry.h"

#include "platform/runtime/forms.h"

namespace zevo::planning {

void registerPlanningForms() {
  // One vb::registerForm(name, factory) line per window of this folder.
}

}  // namespace zevo::planning
