// The translator on any statement text. What it accepts must be one SQLite
// statement that does only what its first word says: a SELECT (and a
// crosstab) only reads, an UPDATE only updates, a DELETE only deletes, an
// INSERT only inserts. SQLite's authorizer watches the prepared statement.
#include "fuzz.h"

#include "platform/dao/errors.h"
#include "platform/dao/jetsql.h"

#include <QRegularExpression>

#include <sqlite3.h>

#include <algorithm>
#include <cstring>

#include <cstdio>
#include <cstdlib>

using namespace zevo::dao;
using namespace zevo::dao::jet;

namespace {

const char* const tabellen[] = {
    "create table Bienenvolk(Volknr TEXT (10), Volkname TEXT (20), Volkstärke INTEGER, Wabenanzahl INTEGER, "
    "Standort TEXT (100), Volk_Zugangsdatum DATETIME, Volk_Einkaufspreis CURRENCY, Akt_im_Bestand TEXT (1), "
    "Selektiert TEXT (1), ID COUNTER)",
    "create table Honigernte(Datum DATETIME, Menge_kg SINGLE, Honigsorte TEXT (20), Kosten CURRENCY, "
    "Bemerkung TEXT (30), Volk LONG, ID COUNTER)",
    "create table Termine(Datum DATETIME, Termin TEXT (30), Erledigt TEXT (1), Volk LONG, ID COUNTER)",
    "create table Pflanzen(Pflanze TEXT (20), Weidezeit_von DATETIME, Nektarstufe SHORT, ID COUNTER)",
};

struct Umgebung {
  Schema schema;
  sqlite3* db = nullptr;
  Umgebung() {
    if (sqlite3_open(":memory:", &db) != SQLITE_OK) std::abort();
    const QDateTime jetzt(QDate(2007, 6, 15), QTime(10, 0));
    for (const char* t : tabellen) {
      const Translation x = translate(QString::fromUtf8(t), Schema(), jetzt);
      if (sqlite3_exec(db, x.sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK) std::abort();
    }
    // The functions and the collation the layer registers, as stand-ins.
    auto null = [](sqlite3_context* c, int, sqlite3_value**) { sqlite3_result_null(c); };
    for (const char* f : {"year", "month", "day"})
      sqlite3_create_function_v2(db, f, 1, SQLITE_UTF8, nullptr, null, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(db, "datediff", 3, SQLITE_UTF8, nullptr, null, nullptr, nullptr, nullptr);
    sqlite3_create_collation(db, germanCollation, SQLITE_UTF8, nullptr,
                             [](void*, int n1, const void* a, int n2, const void* b) {
                               const int c = std::memcmp(a, b, size_t(std::min(n1, n2)));
                               return c != 0 ? c : n1 - n2;
                             });
    // The schema as the layer reads it from the file.
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "select m.name, p.name, p.type, p.pk from sqlite_master m, pragma_table_info(m.name) p "
                           "where m.type = 'table' and m.name not like 'sqlite%' order by m.name, p.cid",
                       -1, &st, nullptr);
    Table t;
    while (sqlite3_step(st) == SQLITE_ROW) {
      const QString name = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
      if (name != t.name && !t.name.isEmpty()) {
        schema.addTable(t);
        t = Table();
      }
      t.name = name;
      Column c;
      c.name = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 1)));
      c.type = typeOfDeclared(reinterpret_cast<const char*>(sqlite3_column_text(st, 2)), &c.size);
      c.counter = sqlite3_column_int(st, 3) != 0;
      t.columns.push_back(c);
    }
    if (!t.name.isEmpty()) schema.addTable(t);
    sqlite3_finalize(st);
  }
};

enum class Art { Lesen, Einfügen, Ändern, Löschen, Schema };
Art erwartet;
const char* verstoß = nullptr;

int wächter(void*, int action, const char*, const char*, const char*, const char*) {
  switch (action) {
    case SQLITE_SELECT:
    case SQLITE_READ:
    case SQLITE_FUNCTION:
      return SQLITE_OK;
    case SQLITE_INSERT:
      if (erwartet != Art::Einfügen && erwartet != Art::Schema) verstoß = "INSERT";
      return SQLITE_OK;
    case SQLITE_UPDATE:
      if (erwartet != Art::Ändern && erwartet != Art::Schema) verstoß = "UPDATE";
      return SQLITE_OK;
    case SQLITE_DELETE:
      if (erwartet != Art::Löschen && erwartet != Art::Schema) verstoß = "DELETE";
      return SQLITE_OK;
    default:
      if (erwartet != Art::Schema) verstoß = "eine andere Aktion";
      return SQLITE_DENY;
  }
}

// Prepares the SQL under the authorizer: exactly one statement, only the expected action.
void prüfen(const QString& sql, Art art, sqlite3* db) {
  erwartet = art;
  verstoß = nullptr;
  sqlite3_set_authorizer(db, wächter, nullptr);
  const QByteArray utf8 = sql.toUtf8();
  sqlite3_stmt* st = nullptr;
  const char* rest = nullptr;
  sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &st, &rest);
  sqlite3_finalize(st);
  sqlite3_set_authorizer(db, nullptr, nullptr);
  if (verstoß) {
    std::fprintf(stderr, "%s in: %s\n", verstoß, utf8.constData());
    std::abort();
  }
  if (st && rest && *rest) {
    std::fprintf(stderr, "more than one statement: %s\n", utf8.constData());
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Umgebung u;
  const QString jet = QString::fromUtf8(zevo::fuzz::bytes(data, size));
  const QDateTime jetzt(QDate(2007, 6, 15), QTime(10, 0));
  Translation t;
  try {
    t = translate(jet, u.schema, jetzt);
  } catch (const Error&) {
    return 0;
  }
  const QString erstes = jet.trimmed().section(QRegularExpression("[^\\p{L}]"), 0, 0).toUpper();
  Art art = Art::Schema;
  if (t.kind == Kind::Select || t.kind == Kind::Transform) art = Art::Lesen;
  else if (erstes == "INSERT") art = Art::Einfügen;
  else if (erstes == "UPDATE") art = Art::Ändern;
  else if (erstes == "DELETE") art = Art::Löschen;
  if (t.kind == Kind::Ddl) return 0;   // schema changes are not checked here
  if (t.kind == Kind::Transform) {
    prüfen(t.crosstab.headingSql, art, u.db);
    const std::vector<QVariant> köpfe = {QVariant(), QString("a'b"), QString(QChar(1)), qint64(3), 2.5};
    prüfen(crosstabSql(t.crosstab, pivotColumns(t.crosstab, köpfe)), art, u.db);
    return 0;
  }
  prüfen(t.sql, art, u.db);
  // A statement of the same shape with other literals translates alike.
  const Shape s = shapeOf(jet);
  Translation wieder;
  if (!s.key.isEmpty() && reuse(t, s.literals, s, wieder) && wieder.sql != t.sql) std::abort();
  return 0;
}
