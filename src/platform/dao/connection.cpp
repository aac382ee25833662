#include "platform/dao/connection.h"

#include "platform/dao/errors.h"
#include "platform/runtime/vb.h"

#include <sqlite3.h>

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <map>

namespace zevo::dao {

// --- statements --------------------------------------------------------------------

Statement::~Statement() {
  if (!s_) return;
  if (cached_) {
    sqlite3_reset(s_);
    sqlite3_clear_bindings(s_);
  } else {
    sqlite3_finalize(s_);
  }
}

void Statement::bind(int index, const QVariant& v) {
  int rc;
  switch (v.typeId()) {
    case QMetaType::UnknownType:
    case QMetaType::Nullptr: rc = sqlite3_bind_null(s_, index); break;
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Bool:
    case QMetaType::UInt:
    case QMetaType::Short: rc = sqlite3_bind_int64(s_, index, v.toLongLong()); break;
    case QMetaType::Double:
    case QMetaType::Float: rc = sqlite3_bind_double(s_, index, v.toDouble()); break;
    default: {
      const QByteArray u = v.toString().toUtf8();
      rc = sqlite3_bind_text(s_, index, u.constData(), int(u.size()), SQLITE_TRANSIENT);
    }
  }
  if (rc != SQLITE_OK) c_->fail(rc);
}

bool Statement::step(const QString& sqlForErrors) {
  if (c_->ended && !sqlite3_stmt_readonly(s_)) throw *c_->ended;
  const int rc = sqlite3_step(s_);
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) return false;
  c_->fail(rc, sqlForErrors);
}

// --- functions and collation ---------------------------------------------------------

namespace {

struct Moment {
  int y = 0, m = 0, d = 0, hh = 0, mi = 0, ss = 0;
  qint64 days() const { return QDate(y, m, d).toJulianDay(); }
  qint64 seconds() const { return days() * 86400 + hh * 3600 + mi * 60 + ss; }
};

int digits(const unsigned char* s, int n) {
  int v = 0;
  for (int i = 0; i < n; ++i) {
    if (s[i] < '0' || s[i] > '9') return -1;
    v = v * 10 + (s[i] - '0');
  }
  return v;
}

// "yyyy-mm-dd" with an optional " hh:mm:ss"; false for anything else.
bool readMoment(sqlite3_value* v, Moment& out) {
  if (sqlite3_value_type(v) != SQLITE_TEXT) return false;
  const unsigned char* s = sqlite3_value_text(v);
  const int n = sqlite3_value_bytes(v);
  if (n < 10 || s[4] != '-' || s[7] != '-') return false;
  out.y = digits(s, 4);
  out.m = digits(s + 5, 2);
  out.d = digits(s + 8, 2);
  if (out.y < 0 || out.m < 1 || out.d < 1 || !QDate::isValid(out.y, out.m, out.d)) return false;
  if (n >= 19 && s[10] == ' ' && s[13] == ':' && s[16] == ':') {
    out.hh = digits(s + 11, 2);
    out.mi = digits(s + 14, 2);
    out.ss = digits(s + 17, 2);
    if (out.hh < 0 || out.mi < 0 || out.ss < 0) return false;
  }
  return true;
}

template <int Part>
void datePart(sqlite3_context* ctx, int, sqlite3_value** argv) {
  Moment m;
  if (!readMoment(argv[0], m)) { sqlite3_result_null(ctx); return; }
  sqlite3_result_int(ctx, Part == 0 ? m.y : Part == 1 ? m.m : m.d);
}

qint64 floorDiv(qint64 a, qint64 b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

// datediff(interval, d1, d2) with the counting rules of the old runtime:
// it counts boundaries crossed (years, quarters, months, weeks, days, ...).
void datediff(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL) { sqlite3_result_null(ctx); return; }
  const QString interval =
      QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(argv[0]))).trimmed().toLower();
  Moment a, b;
  if (!readMoment(argv[1], a) || !readMoment(argv[2], b)) { sqlite3_result_null(ctx); return; }
  qint64 r;
  if (interval == QLatin1String("yyyy")) r = b.y - a.y;
  else if (interval == QLatin1String("q")) r = (b.y * 4 + (b.m - 1) / 3) - (a.y * 4 + (a.m - 1) / 3);
  else if (interval == QLatin1String("m")) r = (b.y * 12 + b.m) - (a.y * 12 + a.m);
  else if (interval == QLatin1String("d") || interval == QLatin1String("y")) r = b.days() - a.days();
  else if (interval == QLatin1String("w")) r = (b.days() - a.days()) / 7;
  else if (interval == QLatin1String("ww")) {
    // Sundays crossed: julian day 0 is a Monday, so day + 1 counts from a Sunday.
    r = floorDiv(b.days() + 1, 7) - floorDiv(a.days() + 1, 7);
  } else if (interval == QLatin1String("h")) r = floorDiv(b.seconds(), 3600) - floorDiv(a.seconds(), 3600);
  else if (interval == QLatin1String("n")) r = floorDiv(b.seconds(), 60) - floorDiv(a.seconds(), 60);
  else if (interval == QLatin1String("s")) r = b.seconds() - a.seconds();
  else {
    sqlite3_result_error(ctx, "datediff: unknown interval", -1);
    return;
  }
  sqlite3_result_int64(ctx, r);
}

int germanOrder(void*, int na, const void* a, int nb, const void* b) {
  // While both texts are plain ASCII each byte is one character, and the
  // order is textCompare's: case-insensitive, the shorter text first. Only a
  // pair that differs after a wider character is decoded.
  const auto* pa = static_cast<const unsigned char*>(a);
  const auto* pb = static_cast<const unsigned char*>(b);
  const int common = std::min(na, nb);
  int i = 0;
  for (; i < common; ++i) {
    unsigned char ca = pa[i], cb = pb[i];
    if (ca >= 0x80 || cb >= 0x80) break;
    if (ca >= 'A' && ca <= 'Z') ca += 32;
    if (cb >= 'A' && cb <= 'Z') cb += 32;
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  if (i == common) return na == nb ? 0 : na < nb ? -1 : 1;
  return vb::textCompare(QString::fromUtf8(static_cast<const char*>(a), na),
                         QString::fromUtf8(static_cast<const char*>(b), nb));
}

// One character of a UTF-8 text at i, i moved past it; a byte that starts no
// well-formed character stands for itself.
char32_t nextChar(const unsigned char* s, int n, int& i) {
  const unsigned char c = s[i++];
  int more = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
  if (more == 0 || i + more > n) return c;
  char32_t v = c & (0x3F >> more);
  for (int k = 0; k < more; ++k) {
    if ((s[i + k] & 0xC0) != 0x80) return c;
    v = (v << 6) | (s[i + k] & 0x3F);
  }
  i += more;
  return v;
}

int caseOrder(void*, int na, const void* a, int nb, const void* b) {
  // Texts compare as their characters with every Windows-1252 letter in its
  // lower form, in code point order. On plain ASCII this is NOCASE's order,
  // so a text without wider characters may still be looked up through an index.
  const auto* pa = static_cast<const unsigned char*>(a);
  const auto* pb = static_cast<const unsigned char*>(b);
  int i = 0, j = 0;
  while (i < na && j < nb) {
    char32_t ca = pa[i], cb = pb[j];
    if (ca < 0x80 && cb < 0x80) {
      ++i;
      ++j;
    } else {
      ca = nextChar(pa, na, i);
      cb = nextChar(pb, nb, j);
    }
    ca = vb::caseFold(ca);
    cb = vb::caseFold(cb);
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  if (i < na) return 1;
  return j < nb ? -1 : 0;
}

}  // namespace

int compareText(const QString& a, const QString& b) {
  const QByteArray ua = a.toUtf8(), ub = b.toUtf8();
  return caseOrder(nullptr, int(ua.size()), ua.constData(), int(ub.size()), ub.constData());
}

void configure(sqlite3* db) {
  const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
  sqlite3_create_function_v2(db, "year", 1, flags, nullptr, datePart<0>, nullptr, nullptr, nullptr);
  sqlite3_create_function_v2(db, "month", 1, flags, nullptr, datePart<1>, nullptr, nullptr, nullptr);
  sqlite3_create_function_v2(db, "day", 1, flags, nullptr, datePart<2>, nullptr, nullptr, nullptr);
  sqlite3_create_function_v2(db, "datediff", 3, flags, nullptr, datediff, nullptr, nullptr, nullptr);
  sqlite3_create_collation_v2(db, jet::germanCollation, SQLITE_UTF8, nullptr, germanOrder, nullptr);
  sqlite3_create_collation_v2(db, jet::caseCollation, SQLITE_UTF8, nullptr, caseOrder, nullptr);
  sqlite3_busy_timeout(db, 5000);
}

// --- the connection ------------------------------------------------------------------

ConnectionData::~ConnectionData() {
  for (sqlite3_stmt* s : std::as_const(statements_)) sqlite3_finalize(s);
  if (db) sqlite3_close_v2(db);  // an open transaction is rolled back
}

QStringList ConnectionData::masterNames(const char* type) {
  Statement s = prepare(QStringLiteral("SELECT name FROM sqlite_master WHERE type = '%1' AND "
                                       "name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY rowid")
                            .arg(QLatin1String(type)),
                        {});
  QStringList names;
  while (s.step({})) names << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s.get(), 0)));
  return names;
}

const jet::Schema& ConnectionData::schema() {
  if (schemaLoaded_) return schema_;
  schema_.clear();
  const QStringList names = masterNames("table");
  for (const QString& name : names) {
    jet::Table t;
    t.name = name;
    Statement s = prepare(QStringLiteral("PRAGMA table_info(%1)").arg(jet::quoteIdent(name)), {});
    while (s.step({})) {
      jet::Column c;
      c.name = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s.get(), 1)));
      const QString declared = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s.get(), 2)));
      c.type = jet::typeOfDeclared(declared, &c.size);
      c.counter = sqlite3_column_int(s.get(), 5) > 0 && declared.compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0;
      t.columns.push_back(c);
    }
    schema_.addTable(std::move(t));
  }
  schemaLoaded_ = true;
  return schema_;
}

void ConnectionData::schemaChanged() {
  schemaLoaded_ = false;
  translations_.clear();
  shapes_.clear();
}

std::shared_ptr<const jet::Translation> ConnectionData::translate(const QString& jetSql) {
  if (auto it = translations_.constFind(jetSql); it != translations_.constEnd()) return *it;
  const jet::Shape shape = jet::shapeOf(jetSql);
  // The clock is read only for a statement that may ask for it.
  const bool clock = shape.key.isEmpty() ? jetSql.contains(QLatin1String("now"), Qt::CaseInsensitive) : shape.clock;
  if (!clock && !shape.key.isEmpty()) {
    if (auto it = shapes_.constFind(shape.key); it != shapes_.constEnd()) {
      auto t = std::make_shared<jet::Translation>();
      if (jet::reuse(*it->translation, it->literals, shape, *t)) return t;
    }
  }
  auto t = std::make_shared<const jet::Translation>(jet::translate(jetSql, schema(), clock ? vb::now() : QDateTime()));
  if (!t->usesNow && t->kind != jet::Kind::Ddl) {
    if (translations_.size() >= 256) translations_.clear();
    translations_.insert(jetSql, t);
    if (t->kind == jet::Kind::Select && !shape.key.isEmpty() && !clock) {
      if (shapes_.size() >= 256) shapes_.clear();
      shapes_.insert(shape.key, {t, shape.literals});
    }
  }
  return t;
}

Statement ConnectionData::prepare(const QString& sql, const QString& sqlForErrors) {
  const QByteArray u = sql.toUtf8();
  sqlite3_stmt* s = nullptr;
  const int rc = sqlite3_prepare_v2(db, u.constData(), int(u.size()), &s, nullptr);
  if (rc != SQLITE_OK) {
    sqlite3_finalize(s);
    fail(rc, sqlForErrors.isEmpty() ? sql : sqlForErrors);
  }
  return Statement(*this, s, false);
}

Statement ConnectionData::prepareCached(const QString& sql, const QString& sqlForErrors) {
  if (sqlite3_stmt* s = statements_.value(sql)) {
    if (!sqlite3_stmt_busy(s)) return Statement(*this, s, true);
    return prepare(sql, sqlForErrors);  // the cached one is still being read
  }
  if (statements_.size() >= 128) {
    for (sqlite3_stmt* s : std::as_const(statements_)) sqlite3_finalize(s);
    statements_.clear();
  }
  const QByteArray u = sql.toUtf8();
  sqlite3_stmt* s = nullptr;
  const int rc = sqlite3_prepare_v3(db, u.constData(), int(u.size()), SQLITE_PREPARE_PERSISTENT, &s, nullptr);
  if (rc != SQLITE_OK) {
    sqlite3_finalize(s);
    fail(rc, sqlForErrors.isEmpty() ? sql : sqlForErrors);
  }
  statements_.insert(sql, s);
  return Statement(*this, s, true);
}

void ConnectionData::exec(const QString& sql) {
  char* message = nullptr;
  const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &message);
  sqlite3_free(message);
  if (rc != SQLITE_OK) fail(rc, sql);
}

void ConnectionData::fail(int rc, const QString& sql) {
  try {
    failSqlite(db, rc, sql);
  } catch (const Error& e) {
    if (transactionDepth > 0 && sqlite3_get_autocommit(db) && !ended) ended = e;
    throw;
  }
}

void ConnectionData::begin() {
  if (ended) throw *ended;
  exec(transactionDepth == 0 ? QStringLiteral("BEGIN") : QStringLiteral("SAVEPOINT zevo%1").arg(transactionDepth));
  ++transactionDepth;
}

void ConnectionData::commit() {
  if (transactionDepth == 0) dao::fail(errNoTransaction);
  --transactionDepth;
  if (ended) {
    const Error e = *ended;
    if (transactionDepth == 0) ended.reset();
    throw e;
  }
  if (transactionDepth > 0) {
    exec(QStringLiteral("RELEASE zevo%1").arg(transactionDepth));
    return;
  }
  try {
    exec(QStringLiteral("COMMIT"));
  } catch (...) {
    if (!sqlite3_get_autocommit(db)) sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    throw;
  }
}

void ConnectionData::rollback() {
  if (transactionDepth == 0) dao::fail(errNoTransaction);
  --transactionDepth;
  if (ended) {
    if (transactionDepth == 0) ended.reset();
    return;
  }
  if (transactionDepth > 0)
    exec(QStringLiteral("ROLLBACK TO zevo%1; RELEASE zevo%1").arg(transactionDepth));
  else if (!sqlite3_get_autocommit(db))
    exec(QStringLiteral("ROLLBACK"));
}

// --- opening ---------------------------------------------------------------------------

void checkOurs(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) fail(errIo, path);
  const QByteArray h = f.read(100);
  const bool sqlite = h.size() == 100 && h.startsWith(QByteArrayLiteral("SQLite format 3\0"));
  const quint32 id = sqlite ? (quint32(quint8(h[68])) << 24 | quint32(quint8(h[69])) << 16 |
                               quint32(quint8(h[70])) << 8 | quint32(quint8(h[71])))
                            : 0;
  if (id != quint32(applicationId)) fail(errUnknownFormat, path);
}

namespace {

std::shared_ptr<ConnectionData> openConnection(const QString& path, bool create) {
  if (!create) checkOurs(path);
  auto c = std::make_shared<ConnectionData>();
  c->path = path;
  // One thread uses the connection: SQLite need not lock it for every call.
  const int flags =
      SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0) | SQLITE_OPEN_EXRESCODE | SQLITE_OPEN_NOMUTEX;
  const int rc = sqlite3_open_v2(path.toUtf8().constData(), &c->db, flags, nullptr);
  if (rc != SQLITE_OK) {
    sqlite3_close_v2(c->db);
    c->db = nullptr;
    if (create) QFile::remove(path);
    fail(errIo, path, QString::fromUtf8(sqlite3_errstr(rc)));
  }
  configure(c->db);
  // A page cache in proportion to the file, so that the pages a question
  // visits again (a year's rows, scattered over a large table; a list read
  // again after a save) are still there: a quarter of the file, at least
  // 8 MB and at most 64 MB. It fills only as pages are read, so a small file
  // never takes more than its size.
  const qint64 kib = std::clamp<qint64>(QFileInfo(path).size() / 4 / 1024, 8192, 65536);
  sqlite3_exec(c->db, QStringLiteral("PRAGMA cache_size = -%1").arg(kib).toUtf8().constData(), nullptr, nullptr,
               nullptr);
  if (create) {
    try {
      c->exec(QStringLiteral("PRAGMA application_id = %1; PRAGMA user_version = 1").arg(applicationId));
    } catch (const Error& e) {
      sqlite3_close_v2(c->db);
      c->db = nullptr;
      QFile::remove(path);
      fail(errIo, path, e.detail());
    }
  }
  return c;
}

}  // namespace

std::shared_ptr<ConnectionData> sharedConnection(const QString& path, bool create) {
  static std::map<QString, std::weak_ptr<ConnectionData>> registry;
  QFileInfo info(path);
  QString key = info.canonicalFilePath();
  if (key.isEmpty()) key = info.absoluteFilePath();
  for (auto it = registry.begin(); it != registry.end();) {
    if (it->second.expired()) it = registry.erase(it);
    else ++it;
  }
  if (auto c = registry[key].lock()) return c;
  auto c = openConnection(key, create);
  if (create) key = QFileInfo(key).canonicalFilePath();
  registry[key] = c;
  return c;
}

}  // namespace zevo::dao
