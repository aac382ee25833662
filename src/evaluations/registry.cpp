#include "evaluations/registry.h"

#include "platform/runtime/forms.h"

namespace zevo::evaluations {

void registerEvaluationForms() {
  // One vb::registerForm(name, factory) line per window of this folder.
}

}  // namespace zevo::evaluations
