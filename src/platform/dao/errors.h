#pragma once
// Building the layer's errors: a Jet-like number and a German text.

#include "platform/dao/dao.h"

struct sqlite3;

namespace zevo::dao {

// The German text of an error number; %1 in the text is replaced by arg.
QString errorText(int number, const QString& arg = {});

// An Error with the standard text of its number.
[[noreturn]] void fail(int number, const QString& arg = {}, const QString& detail = {});

// An Error for a failed SQLite call: SQLite's message is mapped onto the
// nearest Jet number and kept, with the SQL, as detail.
[[noreturn]] void failSqlite(sqlite3* db, int rc, const QString& sql = {});

}  // namespace zevo::dao
