#include "shell/registry.h"

#include "platform/runtime/forms.h"
#include "shell/ih_hilfe.h"
#include "shell/ih_hilfe_wieanfangen.h"
#include "shell/io_datensicherung.h"
#include "shell/io_einstellungen.h"

namespace zevo::shell {

void registerShellForms() {
  // One vb::registerForm(name, factory) line per window of this folder.
  vb::registerForm("IH_Hilfe", [] { return std::make_unique<IH_Hilfe>(); });
  vb::registerForm("IO_Einstellungen", [] { return std::make_unique<IO_Einstellungen>(); });
  vb::registerForm("IO_Datensicherung", [] { return std::make_unique<IO_Datensicherung>(); });
  vb::registerForm("IH_Hilfe_Wieanfangen", [] { return std::make_unique<IH_Hilfe_Wieanfangen>(); });
}

}  // namespace zevo::shell
