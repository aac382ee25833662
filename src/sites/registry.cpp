#include "sites/registry.h"

#include "platform/runtime/forms.h"

namespace zevo::sites {

void registerSiteForms() {
  // One vb::registerForm(name, factory) line per window of this folder.
}

}  // namespace zevo::sites
