#pragma once
// The state every test of the shared routines starts from: no scripts left,
// today 15.06.2007, the program folder as datenpfad, all settings 0 or empty.
#include "support/testmain.h"

#include "common/einstellungen.h"
#include "platform/runtime/files.h"

namespace zevo::test {

inline void grundzustand() {
  resetScripts();
  setToday(QDate(2007, 6, 15));
  common::heutesetzen();
  common::datenpfad = vb::programFolder();
  common::einstellungenleeren();
}

}  // namespace zevo::test
