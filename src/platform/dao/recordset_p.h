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

// The values of a result, record after record, each record one run of
// bytes: per value a kind byte, then a whole number as a zigzag varint, a
// double's eight bytes, or a text's (or blob's) length as a varint and its
// bytes. The runs lie in blocks that are written once; a copy shares the
// blocks and writes its own records into blocks of its own, so a copy keeps
// what it saw.
class RecordStore {
public:
  explicit RecordStore(int width) : width_(width) {}
  RecordStore(const RecordStore& other);
  RecordStore& operator=(const RecordStore&) = delete;

  int count() const { return int(records_.size()); }
  int width() const { return width_; }
  void append(const StoredView* values);
  void append(const QVariant* values);
  void replace(int record, const QVariant* values);
  StoredView view(int record, int field) const;
  void views(int record, StoredView* out) const;
  // The type of a field without a declared one: its first value's, Null only text.
  FieldType typeOfFirstValue(int field) const;

private:
  void write(const StoredView* values, const char*& start);
  void write(const QVariant* values, const char*& start);
  char* room(size_t bytes);
  int width_;
  std::vector<std::shared_ptr<char[]>> blocks_;
  char* free_ = nullptr;            // in the last block
  size_t left_ = 0;
  size_t nextBlock_ = 1024;
  std::vector<const char*> records_;
};

// A value of a QVariant as the store keeps it; text is written into keep.
StoredView storedViewOf(const QVariant& v, QByteArray& keep);
// Values as the store writes them, one run of bytes: equal runs, equal values.
QByteArray encodedValues(const StoredView* values, int n);

// Values are kept as SQLite gave them: whole numbers, doubles, texts (dates
// as ISO text) or Null; value() presents them typed. The current record's
// values are made as QVariant when first read.
struct RecordsetData {
  enum class Mode { None, Adding, Editing };

  std::shared_ptr<Database::Handle> db;
  std::vector<FieldInfo> fields;
  std::shared_ptr<RecordStore> store;   // none once closed
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

  // The current record's values as read so far: a value is read when its
  // stamp is the record's.
  mutable int cachedPos = -1;
  mutable quint32 cachedRecord = 0;
  mutable std::vector<StoredView> cachedViews;
  mutable std::vector<QVariant> cachedValues;
  mutable std::vector<quint32> cachedRead;
  mutable QByteArray cachedText;    // the text of a buffered value's view

  int width() const { return int(fields.size()); }
  void readRecord() const;          // the current record's views, once per record
  RecordStore& writableStore();     // this recordset's own, copied when shared
  void forget() const { cachedPos = -1; }
  QVariant storedAt(int record, int field) const { return store->view(record, field).variant(); }
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

// A crosstab with more columns than one result may have, from its rows and
// its cells read apart (see jet::crosstabRowsSql).
std::shared_ptr<RecordsetData> pivotInLayer(const std::shared_ptr<Database::Handle>& db, ConnectionData& c,
                                            const jet::Crosstab& x, const std::vector<jet::PivotColumn>& columns,
                                            const QString& sqlForErrors);

// The typed value of a stored one, and the stored value of a written one.
QVariant present(const FieldInfo& f, const QVariant& raw);
QVariant store(const FieldInfo& f, const QVariant& v);

}  // namespace zevo::dao
