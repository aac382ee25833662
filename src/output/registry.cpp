#include "output/registry.h"

#include "output/ia_textausgabe.h"
#include "output/ia_zwischenliste.h"
#include "platform/runtime/forms.h"

namespace zevo::output {

void registerOutputForms() {
  // One vb::registerForm(name, factory) line per window of this folder.
  vb::registerForm("IA_Textausgabe", [] { return std::make_unique<IA_Textausgabe>(); });
  vb::registerForm("IA_Zwischenliste", [] { return std::make_unique<IA_Zwischenliste>(); });
}

}  // namespace zevo::output
