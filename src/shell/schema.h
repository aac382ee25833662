#pragma once
// The database file ZEVO.MDB: its tables, indexes and seed rows.

#include "platform/dao/dao.h"

#include <QStringList>

#include <functional>

namespace zevo::shell {

// The statements that build a new database, in their order: for every table
// its "create table" followed by its "create index" statements, the 11
// Pflanzen rows after the Pflanzen indexes and the 18 Arbeitsplanoptionen
// rows after their index (21 + 148 + 29 statements).
QStringList schemaanweisungen();

// "" when the database has every table of the schema with all its columns,
// else a German sentence naming the first table or column missing. Throws
// dao::Error when the file cannot be read.
QString schemaabweichung(dao::Database& db);

// Locks (0) or unlocks (1) the main window's controls.
using Bedienungfreigabe = std::function<void(int freigabe)>;

// The points of a creation at which a test may cut it off: the new file has
// its mark, a statement is done (with the number done so far), the file is
// whole and closed but has not taken its name yet.
enum class Anlegeschritt { kennung, anweisung, fertig };
using Anlegebeobachter = std::function<void(Anlegeschritt schritt, int anweisungen)>;

// The name under which a new database is built beside datenbankpfad.
QString anlegedatei(const QString& datenbankpfad);

// Creates the file datenbankpfad with the whole schema and the seed rows and
// returns it opened, as the main window's own database. The file is built
// under the name anlegedatei and takes its own name only when it is whole and
// closed: a cut leaves no datenbankpfad or a whole one (datenbankbereitstellen
// removes what it left). The controls are locked while it runs. A
// creation that fails leaves no file and throws dao::Error with a German text
// for the message box; an existing datenbankpfad is never touched.
dao::Database datenbankanlegen(dao::Workspace& arbeitsbereich, const QString& datenbankpfad,
                               const Bedienungfreigabe& bedienungfreigeben = {},
                               const QStringList& anweisungen = schemaanweisungen(),
                               const Anlegebeobachter& beobachter = {});

// Start-up: removes what a cut creation left, then opens an existing file
// unchanged, or creates it when it is missing.
dao::Database datenbankbereitstellen(dao::Workspace& arbeitsbereich, const QString& datenbankpfad,
                                     const Bedienungfreigabe& bedienungfreigeben = {});

}  // namespace zevo::shell
