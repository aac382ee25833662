#include "colonies/registry.h"

#include "colonies/ie_eingabe.h"
#include "colonies/iv_neues_volk.h"
#include "colonies/iv_selektieren.h"
#include "platform/runtime/forms.h"

namespace zevo::colonies {

void registerColonyForms() {
  // One vb::registerForm(name, factory) line per window of this folder.
  vb::registerForm("IE_Eingabe", [] { return std::make_unique<IE_Eingabe>(); });
  vb::registerForm("IV_Neues_Volk", [] { return std::make_unique<IV_Neues_Volk>(); });
  vb::registerForm("IV_Selektieren", [] { return std::make_unique<IV_Selektieren>(); });
}

}  // namespace zevo::colonies
