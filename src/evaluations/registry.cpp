#include "evaluations/registry.h"

#include "evaluations/iw_arbeitszeiten.h"
#include "evaluations/iw_gruppierungen.h"
#include "evaluations/iw_statistiken.h"
#include "evaluations/iw_voelker_buchungen.h"
#include "evaluations/iw_voelker_buchungen_standard.h"
#include "evaluations/iw_voelkerdaten.h"
#include "platform/runtime/forms.h"

namespace zevo::evaluations {

void registerEvaluationForms() {
  vb::registerForm(QStringLiteral("IW_Völkerdaten"), [] { return std::make_unique<IW_Völkerdaten>(); });
  vb::registerForm(QStringLiteral("IW_Völker_Buchungen_Standard"),
                   [] { return std::make_unique<IW_Völker_Buchungen_Standard>(); });
  vb::registerForm(QStringLiteral("IW_Arbeitszeiten"), [] { return std::make_unique<IW_Arbeitszeiten>(); });
  vb::registerForm(QStringLiteral("IW_Völker_Buchungen"), [] { return std::make_unique<IW_Völker_Buchungen>(); });
  vb::registerForm(QStringLiteral("IW_Statistiken"), [] { return std::make_unique<IW_Statistiken>(); });
  vb::registerForm(QStringLiteral("IW_Gruppierungen"), [] { return std::make_unique<IW_Gruppierungen>(); });
}

}  // namespace zevo::evaluations
