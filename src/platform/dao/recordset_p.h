#pragma once
// The private parts of Database and Recordset, shared by their sources.

#include "platform/dao/connection.h"
#include "platform/dao/dao.h"

#include <vector>

namespace zevo::dao {

struct Database::Handle {
  std::shared_ptr<ConnectionData> connection;
  QString path;
  bool readOnly = false;
  int affected = 0;
  bool open() const { return connection != nullptr; }
  ConnectionData& conn() const;   // errObjectClosed once closed
};

struct FieldInfo {
  QString name;
  mutable QString key;     // folded name for lookups, made on first need
  FieldType type = dbText;
  int size = 0;
  QString baseColumn;      // the column of the source table, "" for a computed field
  bool counter = false;
};

// Values are kept as SQLite gave them: qint64, double, QString (dates as ISO
// text) or an invalid QVariant for Null; value() presents them typed.
struct RecordsetData {
  enum class Mode { None, Adding, Editing };

  std::shared_ptr<Database::Handle> db;
  std::vector<FieldInfo> fields;
  std::vector<QVariant> cells;      // row after row
  std::vector<qint64> rowids;       // of an updatable recordset
  std::vector<char> deleted;
  int rows = 0;
  int deletedCount = 0;
  int pos = -1;                     // -1 before the first row, rows after the last
  Mode mode = Mode::None;
  std::vector<QVariant> buffer;
  std::vector<char> changed;
  QString table;                    // source table when updatable
  // The write statement of the last update, for the next one with the same fields.
  Mode writeMode = Mode::None;
  std::vector<char> writeChanged;
  std::vector<int> writeFields;
  QString writeSql;
  bool updatable = false;
  bool noMatch = false;
  bool open = true;

  int width() const { return int(fields.size()); }
  int visible() const { return rows - deletedCount; }
  void check() const;               // errObjectClosed
  void checkCurrent() const;        // errNoCurrentRecord / errRecordDeleted
  void checkWritable() const;       // errReadOnly / errNotUpdatable
  const QVariant& raw(int field) const;
  int fieldIndex(const QString& name) const;   // -1 when missing
};

// Reads a statement's result whole into a new recordset.
std::shared_ptr<RecordsetData> materialize(const std::shared_ptr<Database::Handle>& db, Statement& s,
                                           const std::vector<FieldType>& inferred, const QString& sourceTable,
                                           const QString& sqlForErrors);

// The typed value of a stored one, and the stored value of a written one.
QVariant present(const FieldInfo& f, const QVariant& raw);
QVariant store(const FieldInfo& f, const QVariant& v);

}  // namespace zevo::dao
