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

// Creates the file datenbankpfad with the whole schema and the seed rows as
// one transaction and returns it opened again, as the main window's own
// database. The controls are locked while it runs. A creation that fails
// removes the half-made file, so the next start creates it anew, and throws
// dao::Error with a German text for the message box.
dao::Database datenbankanlegen(dao::Workspace& arbeitsbereich, const QString& datenbankpfad,
                               const Bedienungfreigabe& bedienungfreigeben = {},
                               const QStringList& anweisungen = schemaanweisungen());

// Start-up: opens an existing file unchanged, or creates it when it is missing.
dao::Database datenbankbereitstellen(dao::Workspace& arbeitsbereich, const QString& datenbankpfad,
                                     const Bedienungfreigabe& bedienungfreigeben = {});

}  // namespace zevo::shell
