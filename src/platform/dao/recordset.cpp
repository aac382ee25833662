#include "platform/dao/errors.h"
#include "platform/dao/recordset_p.h"
#include "platform/runtime/vb.h"

#include <sqlite3.h>

#include <QDateTime>

#include <algorithm>

namespace zevo::dao {

// --- reading a result ---------------------------------------------------------------

std::shared_ptr<RecordsetData> materialize(const std::shared_ptr<Database::Handle>& db, Statement& s,
                                           const std::vector<FieldType>& inferred, const QString& sourceTable,
                                           const QString& sqlForErrors) {
  auto d = std::make_shared<RecordsetData>();
  d->db = db;
  sqlite3_stmt* st = s.get();
  const int columns = sqlite3_column_count(st);
  const bool hasRowid = !sourceTable.isEmpty() && columns > 0 &&
                        qstrcmp(sqlite3_column_name(st, columns - 1), jet::rowidColumn) == 0;
  const int width = hasRowid ? columns - 1 : columns;
  const jet::Table* table = hasRowid ? db->conn().schema().table(sourceTable) : nullptr;
  std::vector<bool> typed(size_t(width), true);
  d->fields.resize(size_t(width));
  for (int i = 0; i < width; ++i) {
    FieldInfo& f = d->fields[size_t(i)];
    f.name = QString::fromUtf8(sqlite3_column_name(st, i));
    if (const char* declared = sqlite3_column_decltype(st, i)) {
      f.type = jet::typeOfDeclared(declared, &f.size);
    } else if (inferred.size() == size_t(width) && inferred[size_t(i)] != 0) {
      f.type = inferred[size_t(i)];
    } else {
      typed[size_t(i)] = false;  // decided by the first value below
    }
    if (table) {
      const char* origin = sqlite3_column_origin_name(st, i);
      const char* from = sqlite3_column_table_name(st, i);
      if (origin && from && table->name.compare(QString::fromUtf8(from), Qt::CaseInsensitive) == 0) {
        f.baseColumn = QString::fromUtf8(origin);
        if (const jet::Column* c = table->column(f.baseColumn)) f.counter = c->counter;
      }
    }
  }
  d->store = std::make_shared<RecordStore>(width);
  std::vector<StoredView> values(static_cast<size_t>(width));
  while (s.step(sqlForErrors)) {
    for (int i = 0; i < width; ++i) {
      StoredView& v = values[size_t(i)];
      // The column's value read in place: the row's values stay valid
      // until the next step.
      sqlite3_value* c = sqlite3_column_value(st, i);
      switch (sqlite3_value_type(c)) {
        case SQLITE_INTEGER:
          v.kind = StoredView::Whole;
          v.whole = sqlite3_value_int64(c);
          break;
        case SQLITE_FLOAT:
          v.kind = StoredView::Real;
          v.real = sqlite3_value_double(c);
          break;
        case SQLITE_TEXT: {
          v.kind = StoredView::Text;
          const char* text = reinterpret_cast<const char*>(sqlite3_value_text(c));
          v.bytes = QByteArrayView(text, sqlite3_value_bytes(c));
          break;
        }
        case SQLITE_BLOB: {
          v.kind = StoredView::Bytes;
          const char* blob = static_cast<const char*>(sqlite3_value_blob(c));
          v.bytes = QByteArrayView(blob, sqlite3_value_bytes(c));
          break;
        }
        default: v.kind = StoredView::Null; break;
      }
    }
    d->store->append(values.data());
    if (hasRowid) d->rowids.push_back(sqlite3_column_int64(st, columns - 1));
    ++d->rows;
  }
  for (int i = 0; i < width; ++i)
    if (!typed[size_t(i)]) d->fields[size_t(i)].type = d->store->typeOfFirstValue(i);
  d->deleted.assign(size_t(d->rows), 0);
  d->pos = d->rows > 0 ? 0 : -1;
  d->table = hasRowid ? table->name : QString();
  d->updatable = hasRowid && table && !db->readOnly;
  return d;
}

// --- state checks -----------------------------------------------------------------------

void RecordsetData::check() const {
  if (!open || !db || !db->open()) fail(errObjectClosed);
}

void RecordsetData::checkCurrent() const {
  check();
  if (visible() == 0 || pos < 0 || pos >= rows) fail(errNoCurrentRecord);
  if (deleted[size_t(pos)]) fail(errRecordDeleted);
}

void RecordsetData::checkWritable() const {
  check();
  if (db->readOnly) fail(errReadOnly);
  if (!updatable) fail(errNotUpdatable);
}

const QVariant& RecordsetData::raw(int field) const {
  if (mode != Mode::None) {
    check();
    return buffer[size_t(field)];
  }
  checkCurrent();
  readRecord();
  const size_t f = size_t(field);
  if (cachedRead[f] != cachedRecord) {
    cachedValues[f] = cachedViews[f].variant();
    cachedRead[f] = cachedRecord;
  }
  return cachedValues[f];
}

void RecordsetData::readRecord() const {
  if (cachedPos == pos) return;
  if (cachedViews.size() != size_t(width())) {
    cachedViews.resize(size_t(width()));
    cachedValues.resize(size_t(width()));
    cachedRead.assign(size_t(width()), 0);
  }
  store->views(pos, cachedViews.data());
  if (++cachedRecord == 0) {   // the stamps start again
    std::fill(cachedRead.begin(), cachedRead.end(), 0);
    cachedRecord = 1;
  }
  cachedPos = pos;
}

RecordStore& RecordsetData::writableStore() {
  if (store.use_count() > 1) store = std::make_shared<RecordStore>(*store);
  forget();
  return *store;
}

int RecordsetData::fieldIndex(const QString& name) const {
  for (int i = 0; i < width(); ++i)
    if (fields[size_t(i)].name == name) return i;
  const QString key = jet::fold(name);
  for (int i = 0; i < width(); ++i) {
    const FieldInfo& f = fields[size_t(i)];
    if (f.key.isEmpty()) f.key = jet::fold(f.name);
    if (f.key == key) return i;
  }
  return -1;
}

// --- Field --------------------------------------------------------------------------------

QString Field::name() const { return d_->fields[size_t(index_)].name; }
FieldType Field::type() const { return d_->fields[size_t(index_)].type; }
int Field::size() const { return d_->fields[size_t(index_)].size; }
QVariant Field::value() const { return present(d_->fields[size_t(index_)], d_->raw(index_)); }
bool Field::isNull() const { return !d_->raw(index_).isValid(); }
QString Field::text() const {
  const QVariant v = value();
  return v.isValid() ? vb::cstr(v) : QString();
}

void Field::setValue(const QVariant& v) {
  RecordsetData& d = *d_;
  d.check();
  if (d.mode == RecordsetData::Mode::None) fail(errNoEdit);
  const FieldInfo& f = d.fields[size_t(index_)];
  if (f.baseColumn.isEmpty() || f.counter) fail(errFieldNotUpdatable, f.name);
  d.buffer[size_t(index_)] = store(f, v);
  d.changed[size_t(index_)] = 1;
}

// --- Recordset ------------------------------------------------------------------------------

namespace {
RecordsetData& data(const std::shared_ptr<RecordsetData>& d) {
  if (!d) fail(errObjectClosed);
  d->check();
  return *d;
}

}  // namespace

bool Recordset::eof() const {
  const RecordsetData& d = data(d_);
  return d.visible() == 0 || d.pos >= d.rows;
}

bool Recordset::bof() const {
  const RecordsetData& d = data(d_);
  return d.visible() == 0 || d.pos < 0;
}

int Recordset::recordCount() const { return data(d_).visible(); }

void Recordset::moveFirst() {
  RecordsetData& d = data(d_);
  if (d.visible() == 0) fail(errNoCurrentRecord);
  d.mode = RecordsetData::Mode::None;
  d.pos = 0;
  while (d.deleted[size_t(d.pos)]) ++d.pos;
}

void Recordset::moveLast() {
  RecordsetData& d = data(d_);
  if (d.visible() == 0) fail(errNoCurrentRecord);
  d.mode = RecordsetData::Mode::None;
  d.pos = d.rows - 1;
  while (d.deleted[size_t(d.pos)]) --d.pos;
}

void Recordset::moveNext() {
  if (eof()) fail(errNoCurrentRecord);
  RecordsetData& d = *d_;
  d.mode = RecordsetData::Mode::None;
  do ++d.pos;
  while (d.pos < d.rows && d.deleted[size_t(d.pos)]);
}

void Recordset::movePrevious() {
  if (bof()) fail(errNoCurrentRecord);
  RecordsetData& d = *d_;
  d.mode = RecordsetData::Mode::None;
  do --d.pos;
  while (d.pos >= 0 && d.deleted[size_t(d.pos)]);
}

int Recordset::absolutePosition() const {
  const RecordsetData& d = data(d_);
  if (d.pos < 0 || d.pos >= d.rows || d.deleted[size_t(d.pos)]) return -1;
  int n = 0;
  for (int r = 0; r < d.pos; ++r) n += d.deleted[size_t(r)] ? 0 : 1;
  return n;
}

int Recordset::fieldCount() const { return data(d_).width(); }

Field Recordset::fields(int index) const {
  const RecordsetData& d = data(d_);
  if (index < 0 || index >= d.width()) fail(errItemNotFound, QString::number(index));
  return Field(d_, index);
}

QVariant Recordset::value(int index) const {
  const RecordsetData& d = data(d_);
  if (index < 0 || index >= d.width()) fail(errItemNotFound, QString::number(index));
  return present(d.fields[size_t(index)], d.raw(index));
}

StoredView Recordset::storedView(int index) const {
  const RecordsetData& d = data(d_);
  if (index < 0 || index >= d.width()) fail(errItemNotFound, QString::number(index));
  if (d.mode != RecordsetData::Mode::None) {
    d.check();
    // The buffer of an edit: its value as the store would keep it.
    d.cachedText = QByteArray();
    return storedViewOf(d.buffer[size_t(index)], d.cachedText);
  }
  d.checkCurrent();
  d.readRecord();
  return d.cachedViews[size_t(index)];
}

Records Recordset::records() const {
  const RecordsetData& d = data(d_);
  Records r;
  r.store_ = d.store;
  r.count_ = d.visible();
  if (d.deletedCount > 0) {
    r.visible_.reserve(size_t(d.visible()));
    for (int i = 0; i < d.rows; ++i)
      if (!d.deleted[size_t(i)]) r.visible_.push_back(i);
  }
  return r;
}

FieldType Recordset::fieldType(int index) const {
  const RecordsetData& d = data(d_);
  if (index < 0 || index >= d.width()) fail(errItemNotFound, QString::number(index));
  return d.fields[size_t(index)].type;
}

Field Recordset::fields(const QString& name) const {
  const int i = data(d_).fieldIndex(name);
  if (i < 0) fail(errItemNotFound, name);
  return Field(d_, i);
}

bool Recordset::hasField(const QString& name) const { return data(d_).fieldIndex(name) >= 0; }

int Recordset::fieldIndex(const QString& name) const {
  const int i = data(d_).fieldIndex(name);
  if (i < 0) fail(errItemNotFound, name);
  return i;
}

void Recordset::addNew() {
  RecordsetData& d = data(d_);
  d.checkWritable();
  d.buffer.assign(size_t(d.width()), QVariant());
  d.changed.assign(size_t(d.width()), 0);
  d.mode = RecordsetData::Mode::Adding;
}

void Recordset::edit() {
  RecordsetData& d = data(d_);
  d.checkWritable();
  d.mode = RecordsetData::Mode::None;
  d.checkCurrent();
  d.buffer.resize(size_t(d.width()));
  for (int i = 0; i < d.width(); ++i) d.buffer[size_t(i)] = d.storedAt(d.pos, i);
  d.changed.assign(size_t(d.width()), 0);
  d.mode = RecordsetData::Mode::Editing;
}

namespace {

// INSERT or UPDATE of the changed fields; fields lists the bound field of
// each column in order (of two fields on one column the later one wins).
QString writeStatement(const RecordsetData& d, std::vector<int>& fields) {
  QStringList columns;
  fields.clear();
  for (int i = 0; i < d.width(); ++i) {
    if (!d.changed[size_t(i)]) continue;
    const QString col = jet::quoteIdent(d.fields[size_t(i)].baseColumn);
    const qsizetype dup = columns.indexOf(col);
    if (dup >= 0) {
      fields[size_t(dup)] = i;
      continue;
    }
    columns << col;
    fields.push_back(i);
  }
  const QString table = jet::quoteIdent(d.table);
  if (d.mode == RecordsetData::Mode::Adding) {
    if (columns.isEmpty()) return QStringLiteral("INSERT INTO ") + table + QStringLiteral(" DEFAULT VALUES");
    return QStringLiteral("INSERT INTO ") + table + QStringLiteral(" (") + columns.join(QStringLiteral(", ")) +
           QStringLiteral(") VALUES (?") + QStringLiteral(", ?").repeated(columns.size() - 1) + QLatin1Char(')');
  }
  if (columns.isEmpty()) return {};
  return QStringLiteral("UPDATE ") + table + QStringLiteral(" SET ") +
         columns.join(QStringLiteral(" = ?, ")) + QStringLiteral(" = ? WHERE rowid = ?");
}

}  // namespace

void Recordset::update() {
  RecordsetData& d = data(d_);
  if (d.mode == RecordsetData::Mode::None) fail(errNoEdit);
  d.checkWritable();
  ConnectionData& c = d.db->conn();
  if (d.mode != d.writeMode || d.changed != d.writeChanged) {
    d.writeSql = writeStatement(d, d.writeFields);
    d.writeMode = d.mode;
    d.writeChanged = d.changed;
  }
  const QString& sql = d.writeSql;
  const std::vector<int>& bound = d.writeFields;
  if (d.mode == RecordsetData::Mode::Adding) {
    {
      Statement s = c.prepareCached(sql);
      for (size_t k = 0; k < bound.size(); ++k) s.bind(int(k) + 1, d.buffer[size_t(bound[k])]);
      s.step(sql);
    }
    const qint64 rowid = sqlite3_last_insert_rowid(c.db);
    for (int i = 0; i < d.width(); ++i)
      if (d.fields[size_t(i)].counter) d.buffer[size_t(i)] = rowid;
    // The new row joins the recordset and becomes current.
    d.writableStore().append(d.buffer.data());
    d.rowids.push_back(rowid);
    d.deleted.push_back(0);
    d.pos = d.rows++;
  } else {
    if (!sql.isEmpty()) {
      {
        Statement s = c.prepareCached(sql);
        for (size_t k = 0; k < bound.size(); ++k) s.bind(int(k) + 1, d.buffer[size_t(bound[k])]);
        s.bind(int(bound.size()) + 1, d.rowids[size_t(d.pos)]);
        s.step(sql);
      }
      if (sqlite3_changes(c.db) == 0) {
        d.mode = RecordsetData::Mode::None;
        fail(errRowVanished);
      }
    }
    d.writableStore().replace(d.pos, d.buffer.data());
  }
  d.mode = RecordsetData::Mode::None;
  d.db->affected = 1;
}

void Recordset::cancelUpdate() { data(d_).mode = RecordsetData::Mode::None; }

void Recordset::deleteRecord() {
  RecordsetData& d = data(d_);
  d.checkWritable();
  d.mode = RecordsetData::Mode::None;
  d.checkCurrent();
  ConnectionData& c = d.db->conn();
  const QString sql = QStringLiteral("DELETE FROM ") + jet::quoteIdent(d.table) + QStringLiteral(" WHERE rowid = ?");
  {
    Statement s = c.prepareCached(sql);
    s.bind(1, d.rowids[size_t(d.pos)]);
    s.step(sql);
  }
  if (sqlite3_changes(c.db) == 0) fail(errRowVanished);
  d.deleted[size_t(d.pos)] = 1;
  ++d.deletedCount;
}

namespace {

// <0, 0, >0, or 2 when the two cannot be compared.
int compareCriterion(const FieldInfo& f, const QVariant& value, const QVariant& wanted) {
  if (!value.isValid()) return 2;
  auto cmp = [](auto a, auto b) { return a < b ? -1 : a > b ? 1 : 0; };
  const bool numberWanted = wanted.typeId() == QMetaType::LongLong || wanted.typeId() == QMetaType::Double;
  if (f.type == dbDate) {
    std::optional<QDateTime> w;
    if (wanted.typeId() == QMetaType::QDate) w = QDateTime(wanted.toDate(), QTime(0, 0));
    else if (wanted.typeId() == QMetaType::QDateTime) w = wanted.toDateTime();
    else if (wanted.typeId() == QMetaType::QString) w = vb::parseDateTime(wanted.toString());
    const QDateTime v = value.typeId() == QMetaType::QDate ? QDateTime(value.toDate(), QTime(0, 0)) : value.toDateTime();
    if (!w || !v.isValid()) return 2;
    return cmp(v, *w);
  }
  if (value.typeId() == QMetaType::QString) {
    if (numberWanted) return 2;
    return compareText(value.toString(), wanted.toString());
  }
  double w;
  if (numberWanted) w = wanted.toDouble();
  else if (auto n = vb::parseNumber(wanted.toString())) w = *n;
  else return 2;
  return cmp(value.toDouble(), w);
}

bool satisfies(int c, const QString& op) {
  if (c == 2) return false;
  if (op == QLatin1String("=")) return c == 0;
  if (op == QLatin1String("<>")) return c != 0;
  if (op == QLatin1String("<")) return c < 0;
  if (op == QLatin1String(">")) return c > 0;
  if (op == QLatin1String("<=")) return c <= 0;
  return c >= 0;
}

}  // namespace

bool Recordset::findFirst(const QString& criteria) {
  RecordsetData& d = data(d_);
  const std::vector<jet::Criterion> terms = jet::parseCriteria(criteria);
  std::vector<int> index;
  for (const jet::Criterion& t : terms) {
    const int i = d.fieldIndex(t.field);
    if (i < 0) fail(errItemNotFound, t.field);
    index.push_back(i);
  }
  d.mode = RecordsetData::Mode::None;
  for (int r = 0; r < d.rows; ++r) {
    if (d.deleted[size_t(r)]) continue;
    bool all = true;
    for (size_t k = 0; k < terms.size() && all; ++k) {
      const FieldInfo& f = d.fields[size_t(index[k])];
      const QVariant v = present(f, d.storedAt(r, index[k]));
      all = satisfies(compareCriterion(f, v, terms[k].value), terms[k].op);
    }
    if (all) {
      d.pos = r;
      d.noMatch = false;
      return true;
    }
  }
  d.noMatch = true;
  return false;
}

bool Recordset::noMatch() const { return data(d_).noMatch; }
bool Recordset::updatable() const { return data(d_).updatable; }
QString Recordset::sourceTable() const { return data(d_).table; }

Database Recordset::database() const {
  Database db;
  db.h_ = data(d_).db;
  return db;
}

void Recordset::close() {
  if (!d_) return;
  d_->open = false;
  d_->store.reset();
  d_->forget();
}

bool Recordset::isOpen() const { return d_ && d_->open && d_->db && d_->db->open(); }

}  // namespace zevo::dao
