#pragma once
// The database layer: Workspace, Database, Recordset and Field over SQLite.
//
// The windows build their SQL as text in the Jet dialect (date literals
// #mm/dd/yyyy#, TOP n, TRANSFORM ... PIVOT, datediff/now, ...). This layer
// translates it for SQLite and gives the results back as DAO-style objects.
//
// Values travel as QVariant:
//   invalid QVariant = Null; int / qint64 = Integer / Long; float = Single;
//   double = Double or Currency (Currency rounded to 4 decimals);
//   QDate (QDateTime when a time is present) = Date; QString = Text / Memo.
//
// Every Database opened on the same file shares one SQLite connection
// (reference-counted), so a transaction covers all of them. Recordsets are
// read whole into memory when they are opened.

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <stdexcept>

namespace zevo::dao {

enum FieldType : int {
  dbBoolean = 1, dbByte = 2, dbInteger = 3, dbLong = 4, dbCurrency = 5,
  dbSingle = 6, dbDouble = 7, dbDate = 8, dbText = 10, dbMemo = 12
};

// Jet-like error numbers used by the layer.
enum ErrorNumber : int {
  errNoCurrentRecord = 3021, errFileNotFound = 3024, errDiskFull = 3026, errReadOnly = 3027,
  errUnknownColumn = 3061, errExecuteSelect = 3065, errSyntax = 3075,
  errNoSuchTable = 3078, errUndefinedFunction = 3085, errFieldTooSmall = 3163,
  errRecordDeleted = 3167, errRowVanished = 3197, errDatabaseExists = 3204,
  errNotUpdatable = 3326, errUnknownFormat = 3343, errObjectClosed = 3420,
  errTypeConversion = 3421, errIo = 3040,
  errEngine = 3000, errTableExists = 3010, errNoEdit = 3020, errDuplicate = 3022,
  errNoTransaction = 3034, errCorrupt = 3049, errCriteriaSyntax = 3077,
  errAmbiguous = 3079, errInvalidStatement = 3129, errFieldNotUpdatable = 3164,
  errInvalidOperation = 3219, errLocked = 3260, errItemNotFound = 3265
};

// Every failure of the layer. text() is German and fit for a message box;
// detail() carries SQLite's own message and the SQL, where there is one.
class Error : public std::runtime_error {
public:
  Error(int number, const QString& text, const QString& detail = {});
  int number() const { return number_; }
  QString text() const { return text_; }
  QString detail() const { return detail_; }
private:
  int number_;
  QString text_;
  QString detail_;
};

class Database;
class Recordset;
class RecordStore;
struct RecordsetData;
struct ConnectionData;
struct WorkspaceData;

// A handle on one column of the current record of a recordset.
class Field {
public:
  QString name() const;
  FieldType type() const;
  int size() const;                  // n of TEXT(n), else 0
  QVariant value() const;            // Null = invalid QVariant
  bool isNull() const;
  QString text() const;              // value as German text (vb::cstr), Null = ""
  void setValue(const QVariant& v);  // inside addNew/edit; coerced to the column type
  Field& operator=(const QVariant& v) { setValue(v); return *this; }
  Field& operator=(const QString& v) { setValue(QVariant(v)); return *this; }
  Field& operator=(const char* v) { setValue(QVariant(QString::fromUtf8(v))); return *this; }
  Field& operator=(int v) { setValue(QVariant(v)); return *this; }
  Field& operator=(double v) { setValue(QVariant(v)); return *this; }
private:
  friend class Recordset;
  Field(std::shared_ptr<RecordsetData> d, int index) : d_(std::move(d)), index_(index) {}
  std::shared_ptr<RecordsetData> d_;
  int index_;
};

// A value as the layer keeps it (see Recordset::storedView), seen where it
// is kept: valid while the records that hold it live and are not written.
struct StoredView {
  enum Kind : unsigned char { Null, Whole, Real, Text, Bytes };
  Kind kind = Null;
  qint64 whole = 0;
  double real = 0;
  QByteArrayView bytes;              // a Text as UTF-8, Bytes as they are
  QVariant variant() const;          // Null invalid, whole numbers qint64
};

// The records of a recordset as it held them when Recordset::records was
// called, deleted ones left out: shared without copying, and unchanged by
// later writes through the recordset and by its closing. For whoever keeps
// the values of many records (a bound grid).
class Records {
public:
  Records() = default;
  int count() const;
  int width() const;
  StoredView view(int record, int field) const;
  // All fields of a record at once (width() views).
  void views(int record, StoredView* out) const;
private:
  friend class Recordset;
  int stored(int record) const { return visible_.empty() ? record : visible_[size_t(record)]; }
  std::shared_ptr<const RecordStore> store_;
  std::vector<int> visible_;         // the records not deleted, when some are
  int count_ = 0;
};

// A materialized result. Copies refer to the same cursor, as DAO objects do.
class Recordset {
public:
  Recordset() = default;
  bool eof() const;
  bool bof() const;
  int recordCount() const;           // always the full count
  void moveFirst();
  void moveNext();
  void movePrevious();
  void moveLast();
  int absolutePosition() const;      // 0-based, -1 at BOF/EOF

  int fieldCount() const;
  Field fields(int index) const;     // 0-based
  Field fields(const QString& name) const;  // case-insensitive; first match
  // The current record's value of field `index` without a Field handle, as
  // Field::value() gives it; storedView as the layer keeps it (whole numbers,
  // doubles, texts in UTF-8, dates as "yyyy-mm-dd[ hh:mm:ss]" text), valid
  // until the cursor moves or the recordset is written. For reading many
  // cells.
  QVariant value(int index) const;
  StoredView storedView(int index) const;
  Records records() const;
  FieldType fieldType(int index) const;
  Field operator[](const QString& name) const { return fields(name); }
  Field operator[](const char* name) const { return fields(QString::fromUtf8(name)); }
  bool hasField(const QString& name) const;
  int fieldIndex(const QString& name) const;   // as fields(name) finds it; errItemNotFound

  void addNew();                     // empty buffer, all fields Null
  void edit();
  void update();                     // writes; after addNew the new row becomes current
  void cancelUpdate();
  void deleteRecord();               // DAO Delete: the row stays until the cursor moves

  bool findFirst(const QString& criteria);  // "Field = 17 and Other = 'text'"
  bool noMatch() const;

  bool updatable() const;
  QString sourceTable() const;       // the base table of an updatable recordset
  Database database() const;
  void close();
  bool isOpen() const;

private:
  friend class Database;
  explicit Recordset(std::shared_ptr<RecordsetData> d) : d_(std::move(d)) {}
  std::shared_ptr<RecordsetData> d_;
};

class Database {
public:
  Database() = default;
  Recordset openRecordset(const QString& jetSql);
  void execute(const QString& jetSql);   // action statements and DDL only
  int recordsAffected() const;
  bool readOnly() const;
  QString name() const;                  // the file path
  void close();
  bool isOpen() const;

  // Transactions on the shared connection of this file (nestable).
  void beginTrans();
  void commitTrans();
  void rollback();

  QStringList tableNames() const;        // without SQLite's own tables
  int indexCount() const;                // without SQLite's own indexes

private:
  friend class Workspace;
  friend class Recordset;
  friend struct RecordsetData;
  friend struct WorkspaceData;
public:
  struct Handle;  // private to the layer; named here for its sources
private:
  std::shared_ptr<Handle> h_;
};

// Rolls back unless committed: wrap every batch of writes that belongs together.
class Transaction {
public:
  explicit Transaction(Database db) : db_(std::move(db)) { db_.beginTrans(); }
  ~Transaction() { if (!done_) { try { db_.rollback(); } catch (...) {} } }
  // A commit that fails has undone the batch already: nothing is left to roll back.
  void commit() { done_ = true; db_.commitTrans(); }
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;
private:
  Database db_;
  bool done_ = false;
};

class Workspace {
public:
  Workspace();
  // A file that is not one of ours is refused (errUnknownFormat) and never touched.
  Database openDatabase(const QString& path, bool exclusive = false, bool readOnly = false,
                        const QString& connect = {});
  // Fails with errDatabaseExists when the file exists.
  Database createDatabase(const QString& path, const QString& locale = {}, int options = 0);
  void close();                          // closes every Database opened through it

  // Transactions on every database opened through this workspace.
  void beginTrans();
  void commitTrans();
  void rollback();

private:
  std::shared_ptr<WorkspaceData> d_;
};

// The typed value, as Field::value gives it, of a value of a field of type t
// as the layer keeps it (StoredView::variant): for whoever keeps the stored
// values of many records and needs few of them typed.
QVariant presentedValue(FieldType t, const QVariant& stored);

// The database's rule for texts, by which its comparisons, groups, DISTINCT
// and Recordset::findFirst decide which texts are one: upper and lower case
// alike for every letter of Windows-1252, every other character itself ("ß"
// too, and an accented letter apart from its plain twin and from its other
// accented twins). <0, 0, >0, in the order of the folded code points.
int compareText(const QString& a, const QString& b);

struct DBEngine {
  static Workspace& workspaces(int index = 0);
  // Writes a compacted copy of src to dst (dst must not exist).
  static void compactDatabase(const QString& src, const QString& dst);
};

}  // namespace zevo::dao
