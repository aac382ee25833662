#pragma once
// What the windows share: their own connection to the database, the help
// button and the reading of a typed whole number.

#include "platform/dao/dao.h"

#include <QString>

namespace zevo::common {

// The window's own connection on datenbankpfad (through arbeitsbereich, or
// the default workspace before start-up has set it).
dao::Database eigenedatenbank(bool nurLesen = false);

// The help button: hilfethema := the window's name, hourglass, IH_Hilfe.
void hilfezeigen(const QString& fenstername);

// The whole number at the start of a typed text: leading blanks skipped, an
// optional sign, the digits up to the first other character; 0 when the
// text does not begin with a number.
int ganzzahlamanfang(const QString& text);

}  // namespace zevo::common
