#include "evaluations/registry.h"

#include "evaluations/iw_gruppierungen.h"
#include "evaluations/iw_statistiken.h"
#include "evaluations/iw_voelker_buchungen.h"
#include "platform/runtime/forms.h"

namespace zevo::evaluations {

void registerEvaluationForms() {
  // One vb::registerForm(name, factory) line per window of this folder.
  vb::registerForm("IW_Völker_Buchungen", [] { return std::make_unique<IW_Völker_Buchungen>(); });
  vb::registerForm("IW_Statistiken", [] { return std::make_unique<IW_Statistiken>(); });
  vb::registerForm("IW_Gruppierungen", [] { return std::make_unique<IW_Gruppierungen>(); });
}

}  // namespace zevo::evaluations
