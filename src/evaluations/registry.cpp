#include "evaluations/registry.h"

#include "evaluations/iw_arbeitszeiten.h"
#include "evaluations/iw_voelker_buchungen_standard.h"
#include "evaluations/iw_voelkerdaten.h"
#include "platform/runtime/forms.h"

namespace zevo::evaluations {

void registerEvaluationForms() {
  vb::registerForm(QStringLiteral("IW_Völkerdaten"), [] { return std::make_unique<IW_Völkerdaten>(); });
  vb::registerForm(QStringLiteral("IW_Völker_Buchungen_Standard"),
                   [] { return std::make_unique<IW_Völker_Buchungen_Standard>(); });
  vb::registerForm(QStringLiteral("IW_Arbeitszeiten"), [] { return std::make_unique<IW_Arbeitszeiten>(); });
}

}  // namespace zevo::evaluations
