#pragma once

namespace zevo::shell {

// Registers the windows of this folder with the window registry, so that
// vb::showForm(name) can build them. Start-up calls it once.
void registerShellForms();

}  // namespace zevo::shell
