#pragma once
// What the windows share: their own connection to the database, the help
// button, the failure message and the reading of a typed whole number.

#include "platform/dao/dao.h"

#include <QString>

#include <optional>

namespace zevo::common {

// The program's workspace: arbeitsbereich, or the default workspace before
// start-up has set it.
dao::Workspace& aktuellerarbeitsbereich();

// The window's own connection on datenbankpfad, through aktuellerarbeitsbereich.
dao::Database eigenedatenbank(bool nurLesen = false);

// The help button: hilfethema := the window's name, hourglass, IH_Hilfe.
void hilfezeigen(const QString& fenstername);

// Tells the user of a failure: the arrow back, then the sentence, an empty
// line and the reason (a dao::Error's text, say).
void fehlermelden(const QString& satz, const QString& grund);

// The whole number at the start of a typed text: leading blanks skipped, an
// optional sign, the digits up to the first other character; 0 when the
// text does not begin with a number.
int ganzzahlamanfang(const QString& text);

// An ID (of a colony or a record) as it goes into SQL: the positive whole
// number the text is, blanks around it allowed; nothing for any other text
// ("", "0", "12a", "1 or 1=1"). The main grid's SELECT is the beekeeper's
// own, so an ID cell is never pasted into SQL as it stands.
std::optional<int> sqlid(const QString& text);

// sqlid as SQL takes it where a missing record selects nothing: the number,
// or "0", which no record has.
QString sqlidtext(const QString& text);

// sqlid for an action that must not go on without the record: a text that is
// no ID throws dao::Error (errTypeConversion) "<wessen> hat keine gültige ID.",
// which the window reports like any failure of the database, so that
// nothing is written.
int datensatzid(const QString& text, const QString& wessen = QStringLiteral("Der Datensatz"));

}  // namespace zevo::common
