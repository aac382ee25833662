#pragma once
// One SQLite connection per database file, shared by every Database opened
// on that file (reference-counted), with the layer's functions and collation
// registered, the schema the translator needs, and the transaction depth.

#include "platform/dao/dao.h"
#include "platform/dao/jetsql.h"

#include <QHash>
#include <QString>

#include <memory>
#include <optional>

struct sqlite3;
struct sqlite3_stmt;

namespace zevo::dao {

// Our marker in the file header ("ZEVO"); a file without it is not ours.
inline constexpr int applicationId = 0x5A45564F;

struct ConnectionData;

// A prepared statement that is finalized (or reset, when cached) on scope exit.
class Statement {
public:
  Statement(ConnectionData& c, sqlite3_stmt* s, bool cached) : c_(&c), s_(s), cached_(cached) {}
  Statement(Statement&& o) noexcept : c_(o.c_), s_(o.s_), cached_(o.cached_) { o.s_ = nullptr; }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
  ~Statement();
  sqlite3_stmt* get() const { return s_; }
  void bind(int index, const QVariant& v);   // 1-based; invalid = Null
  bool step(const QString& sqlForErrors);    // true: a row; false: done
private:
  ConnectionData* c_;
  sqlite3_stmt* s_;
  bool cached_;
};

struct ConnectionData {
  sqlite3* db = nullptr;
  QString path;
  int transactionDepth = 0;

  ConnectionData() = default;
  ConnectionData(const ConnectionData&) = delete;
  ConnectionData& operator=(const ConnectionData&) = delete;
  ~ConnectionData();

  const jet::Schema& schema();
  void schemaChanged();
  // The names of the file's own tables or indexes (type "table" or "index"),
  // without SQLite's, in the order they were made.
  QStringList masterNames(const char* type);
  std::shared_ptr<const jet::Translation> translate(const QString& jetSql);

  Statement prepare(const QString& sql, const QString& sqlForErrors);
  // Kept prepared for the next statement of the same text.
  Statement prepareCached(const QString& sql, const QString& sqlForErrors = {});
  void exec(const QString& sql);

  void begin();
  void commit();
  void rollback();

  // Throws the layer's error for a failed SQLite call. When the failure made
  // SQLite end the open transaction itself (a full disk, say), the error is
  // kept as `ended`: the batch is gone whole, its rollbacks have nothing left
  // to undo, and until the outermost one ends, its commits and every further
  // write fail with that error rather than land outside the batch.
  [[noreturn]] void fail(int rc, const QString& sql = {});
  std::optional<Error> ended;

private:
  jet::Schema schema_;
  bool schemaLoaded_ = false;
  QHash<QString, std::shared_ptr<const jet::Translation>> translations_;
  struct Shaped {
    std::shared_ptr<const jet::Translation> translation;
    std::vector<QString> literals;
  };
  QHash<QString, Shaped> shapes_;
  QHash<QString, sqlite3_stmt*> statements_;
};

// The shared connection of a file. A new connection checks that the file is
// ours (errUnknownFormat otherwise, the file untouched); create makes the file.
std::shared_ptr<ConnectionData> sharedConnection(const QString& path, bool create);

// Refuses a file that is not one of ours, by reading its header only.
void checkOurs(const QString& path);

// Registers the layer's functions and collation and sets the timeout.
void configure(sqlite3* db);

}  // namespace zevo::dao
