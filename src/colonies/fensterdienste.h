#pragma once
// What the colony windows share beyond common/fensterdienste.h.

#include "common/fensterdienste.h"

namespace zevo::colonies {

using common::eigenedatenbank;
using common::fehlermelden;
using common::ganzzahlamanfang;
using common::hilfezeigen;

// The main window's datenvölkerlesen; nothing when there is no main window.
void hauptlisteneulesen();

}  // namespace zevo::colonies
