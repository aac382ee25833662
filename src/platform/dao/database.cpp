#include "platform/dao/errors.h"
#include "platform/dao/recordset_p.h"

#include <sqlite3.h>

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace zevo::dao {

ConnectionData& Database::Handle::conn() const {
  if (!connection) fail(errObjectClosed);
  return *connection;
}

// --- Database ------------------------------------------------------------------------

namespace {
Database::Handle& handle(const std::shared_ptr<Database::Handle>& h) {
  if (!h || !h->open()) fail(errObjectClosed);
  return *h;
}
}  // namespace

Recordset Database::openRecordset(const QString& jetSql) {
  Handle& h = handle(h_);
  ConnectionData& c = h.conn();
  const auto tr = c.translate(jetSql);
  if (tr->kind == jet::Kind::Action || tr->kind == jet::Kind::Ddl)
    fail(errInvalidOperation, QStringLiteral("eine Aktionsabfrage liefert keine Datensätze"), jetSql);
  if (tr->kind == jet::Kind::Select) {
    Statement s = c.prepareCached(tr->sql, jetSql);
    for (size_t i = 0; i < tr->parameters.size(); ++i) s.bind(int(i) + 1, tr->parameters[i]);
    return Recordset(materialize(h_, s, tr->types, tr->sourceTable, jetSql));
  }
  // A crosstab: first its headings, then one column per heading.
  const jet::Crosstab& x = tr->crosstab;
  std::vector<QVariant> headings;
  {
    Statement s = c.prepare(x.headingSql, jetSql);
    while (s.step(jetSql)) {
      switch (sqlite3_column_type(s.get(), 0)) {
        case SQLITE_INTEGER: headings.emplace_back(qint64(sqlite3_column_int64(s.get(), 0))); break;
        case SQLITE_FLOAT: headings.emplace_back(sqlite3_column_double(s.get(), 0)); break;
        case SQLITE_NULL: headings.emplace_back(); break;
        default:
          headings.emplace_back(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s.get(), 0))));
      }
    }
  }
  const std::vector<jet::PivotColumn> columns = jet::pivotColumns(x, std::move(headings));
  // More columns than SQLite gives in one result: pivoted by the layer.
  int headWidth = int(x.headTypes.size());
  if (headWidth == 0) headWidth = sqlite3_column_count(c.prepare(x.head + x.tail, jetSql).get());
  if (headWidth + int(columns.size()) > sqlite3_limit(c.db, SQLITE_LIMIT_COLUMN, -1))
    return Recordset(pivotInLayer(h_, c, x, columns, jetSql));
  std::vector<FieldType> types = x.headTypes;
  if (!types.empty()) types.insert(types.end(), columns.size(), x.aggregateType);
  Statement s = c.prepare(jet::crosstabSql(x, columns), jetSql);
  return Recordset(materialize(h_, s, types, {}, jetSql));
}

void Database::execute(const QString& jetSql) {
  Handle& h = handle(h_);
  ConnectionData& c = h.conn();
  const auto tr = c.translate(jetSql);
  if (tr->kind == jet::Kind::Select || tr->kind == jet::Kind::Transform) fail(errExecuteSelect, {}, jetSql);
  if (h.readOnly) fail(errReadOnly, {}, jetSql);
  {
    Statement s = c.prepare(tr->sql, jetSql);
    while (s.step(jetSql)) {
    }
  }
  h.affected = tr->kind == jet::Kind::Action ? sqlite3_changes(c.db) : 0;
  if (tr->changesSchema) c.schemaChanged();
}

int Database::recordsAffected() const { return handle(h_).affected; }
bool Database::readOnly() const { return handle(h_).readOnly; }
QString Database::name() const { return handle(h_).path; }
bool Database::isOpen() const { return h_ && h_->open(); }

void Database::close() {
  if (h_) h_->connection.reset();  // the last handle on a file closes its connection
}

void Database::beginTrans() { handle(h_).conn().begin(); }
void Database::commitTrans() { handle(h_).conn().commit(); }
void Database::rollback() { handle(h_).conn().rollback(); }

QStringList Database::tableNames() const { return handle(h_).conn().masterNames("table"); }
int Database::indexCount() const { return int(handle(h_).conn().masterNames("index").size()); }

// --- Workspace -------------------------------------------------------------------------

struct WorkspaceData {
  std::vector<std::weak_ptr<Database::Handle>> handles;

  Database adopt(std::shared_ptr<ConnectionData> c, const QString& path, bool readOnly) {
    auto h = std::make_shared<Database::Handle>();
    h->connection = std::move(c);
    h->path = path;
    h->readOnly = readOnly;
    handles.erase(std::remove_if(handles.begin(), handles.end(), [](const auto& w) { return w.expired(); }),
                  handles.end());
    handles.push_back(h);
    Database db;
    db.h_ = h;
    return db;
  }

  // The distinct connections of the open databases.
  std::vector<ConnectionData*> connections() const {
    std::vector<ConnectionData*> out;
    for (const auto& w : handles)
      if (auto h = w.lock(); h && h->open() && std::find(out.begin(), out.end(), h->connection.get()) == out.end())
        out.push_back(h->connection.get());
    return out;
  }
};

Workspace::Workspace() : d_(std::make_shared<WorkspaceData>()) {}

Database Workspace::openDatabase(const QString& path, bool exclusive, bool readOnly, const QString& connect) {
  Q_UNUSED(exclusive);
  Q_UNUSED(connect);
  if (!QFileInfo(path).isFile()) fail(errFileNotFound, path);
  return d_->adopt(sharedConnection(path, false), path, readOnly);
}

Database Workspace::createDatabase(const QString& path, const QString& locale, int options) {
  Q_UNUSED(locale);   // text order and case rules are the layer's own
  Q_UNUSED(options);  // one file format only
  if (QFileInfo::exists(path)) fail(errDatabaseExists, path);
  return d_->adopt(sharedConnection(path, true), path, false);
}

void Workspace::close() {
  for (const auto& w : d_->handles)
    if (auto h = w.lock()) h->connection.reset();
  d_->handles.clear();
}

void Workspace::beginTrans() {
  for (ConnectionData* c : d_->connections()) c->begin();
}

void Workspace::commitTrans() {
  const auto all = d_->connections();
  if (all.empty()) fail(errNoTransaction);
  for (ConnectionData* c : all) c->commit();
}

void Workspace::rollback() {
  const auto all = d_->connections();
  if (all.empty()) fail(errNoTransaction);
  for (ConnectionData* c : all) c->rollback();
}

// --- DBEngine ----------------------------------------------------------------------------

Workspace& DBEngine::workspaces(int index) {
  static Workspace standard;
  if (index != 0) fail(errItemNotFound, QString::number(index));
  return standard;
}

void DBEngine::compactDatabase(const QString& src, const QString& dst) {
  if (!QFileInfo(src).isFile()) fail(errFileNotFound, src);
  if (QFileInfo::exists(dst)) fail(errDatabaseExists, dst);
  checkOurs(src);
  sqlite3* db = nullptr;
  int rc = sqlite3_open_v2(src.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
  if (rc == SQLITE_OK) {
    configure(db);
    sqlite3_stmt* s = nullptr;
    rc = sqlite3_prepare_v2(db, "VACUUM INTO ?", -1, &s, nullptr);
    if (rc == SQLITE_OK) {
      const QByteArray target = dst.toUtf8();
      sqlite3_bind_text(s, 1, target.constData(), int(target.size()), SQLITE_TRANSIENT);
      rc = sqlite3_step(s);
      if (rc == SQLITE_DONE) rc = SQLITE_OK;
    }
    sqlite3_finalize(s);
  }
  if (rc != SQLITE_OK) {
    const QString message = QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc));
    sqlite3_close_v2(db);
    QFile::remove(dst);
    fail(errIo, dst, message);
  }
  sqlite3_close_v2(db);
}

}  // namespace zevo::dao
