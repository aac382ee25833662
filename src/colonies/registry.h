#pragma once

namespace zevo::colonies {

// Registers the windows of this folder with the window registry, so that
// vb::showForm(name) can build them. Start-up calls it once.
void registerColonyForms();

}  // namespace zevo::colonies
