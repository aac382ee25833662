// The values of a result kept compactly: one run of bytes per record.
#include "platform/dao/errors.h"
#include "platform/dao/recordset_p.h"

#include <cstring>
#include <new>

namespace zevo::dao {

namespace {

constexpr size_t largestBlock = size_t(1) << 20;

quint64 zigzag(qint64 v) { return (quint64(v) << 1) ^ quint64(v >> 63); }
qint64 unzigzag(quint64 u) { return qint64(u >> 1) ^ -qint64(u & 1); }

size_t varintSize(quint64 v) {
  size_t n = 1;
  for (; v >= 0x80; v >>= 7) ++n;
  return n;
}

char* putVarint(char* o, quint64 v) {
  for (; v >= 0x80; v >>= 7) *o++ = char(uchar(v) | 0x80);
  *o++ = char(v);
  return o;
}

quint64 getVarint(const char*& p) {
  quint64 v = 0;
  for (int shift = 0;; shift += 7) {
    const uchar b = uchar(*p++);
    v |= quint64(b & 0x7F) << shift;
    if (b < 0x80) return v;
  }
}

size_t encodedSize(const StoredView& v) {
  switch (v.kind) {
    case StoredView::Null: return 1;
    case StoredView::Whole: return 1 + varintSize(zigzag(v.whole));
    case StoredView::Real: return 1 + sizeof(double);
    case StoredView::Text:
    case StoredView::Bytes: return 1 + varintSize(quint64(v.bytes.size())) + size_t(v.bytes.size());
  }
  return 1;
}

char* encode(char* o, const StoredView& v) {
  *o++ = char(v.kind);
  switch (v.kind) {
    case StoredView::Null: break;
    case StoredView::Whole: o = putVarint(o, zigzag(v.whole)); break;
    case StoredView::Real:
      std::memcpy(o, &v.real, sizeof(double));
      o += sizeof(double);
      break;
    case StoredView::Text:
    case StoredView::Bytes:
      o = putVarint(o, quint64(v.bytes.size()));
      if (!v.bytes.isEmpty()) std::memcpy(o, v.bytes.data(), size_t(v.bytes.size()));
      o += v.bytes.size();
      break;
  }
  return o;
}

StoredView decode(const char*& p) {
  StoredView v;
  v.kind = StoredView::Kind(*p++);
  switch (v.kind) {
    case StoredView::Null: break;
    case StoredView::Whole: v.whole = unzigzag(getVarint(p)); break;
    case StoredView::Real:
      std::memcpy(&v.real, p, sizeof(double));
      p += sizeof(double);
      break;
    case StoredView::Text:
    case StoredView::Bytes: {
      const qsizetype n = qsizetype(getVarint(p));
      v.bytes = QByteArrayView(p, n);
      p += n;
      break;
    }
  }
  return v;
}

void skip(const char*& p) {
  switch (StoredView::Kind(*p++)) {
    case StoredView::Null: break;
    case StoredView::Whole:
      while (uchar(*p++) >= 0x80) {
      }
      break;
    case StoredView::Real: p += sizeof(double); break;
    case StoredView::Text:
    case StoredView::Bytes: {
      const quint64 n = getVarint(p);
      p += n;
      break;
    }
  }
}

}  // namespace

QVariant StoredView::variant() const {
  switch (kind) {
    case Null: return {};
    case Whole: return whole;
    case Real: return real;
    case Text: return QString::fromUtf8(bytes);
    case Bytes: return QByteArray(bytes.data(), bytes.size());
  }
  return {};
}

StoredView storedViewOf(const QVariant& v, QByteArray& keep) {
  StoredView out;
  switch (v.typeId()) {
    case QMetaType::UnknownType:
    case QMetaType::Nullptr: break;
    case QMetaType::LongLong:
    case QMetaType::Int:
      out.kind = StoredView::Whole;
      out.whole = v.toLongLong();
      break;
    case QMetaType::Double:
      out.kind = StoredView::Real;
      out.real = v.toDouble();
      break;
    case QMetaType::QByteArray:
      keep = v.toByteArray();
      out.kind = StoredView::Bytes;
      out.bytes = keep;
      break;
    default:
      keep = v.toString().toUtf8();
      out.kind = StoredView::Text;
      out.bytes = keep;
      break;
  }
  return out;
}

QByteArray encodedValues(const StoredView* values, int n) {
  size_t size = 0;
  for (int i = 0; i < n; ++i) size += encodedSize(values[i]);
  QByteArray out(qsizetype(size), Qt::Uninitialized);
  char* o = out.data();
  for (int i = 0; i < n; ++i) o = encode(o, values[i]);
  return out;
}

// --- the store ---------------------------------------------------------------------

RecordStore::RecordStore(const RecordStore& other)
    : width_(other.width_), blocks_(other.blocks_), records_(other.records_) {}

char* RecordStore::room(size_t bytes) {
  if (bytes > left_) {
    const size_t size = std::max(bytes, nextBlock_);
    nextBlock_ = std::min(largestBlock, nextBlock_ * 2);
    blocks_.push_back(std::shared_ptr<char[]>(new char[size]));
    free_ = blocks_.back().get();
    left_ = size;
  }
  char* p = free_;
  free_ += bytes;
  left_ -= bytes;
  return p;
}

void RecordStore::write(const StoredView* values, const char*& start) {
  size_t size = 0;
  for (int i = 0; i < width_; ++i) size += encodedSize(values[i]);
  char* o = room(size);
  start = o;
  for (int i = 0; i < width_; ++i) o = encode(o, values[i]);
}

void RecordStore::append(const StoredView* values) {
  const char* start = nullptr;
  write(values, start);
  records_.push_back(start);
}

void RecordStore::write(const QVariant* values, const char*& start) {
  std::vector<StoredView> views(static_cast<size_t>(width_));
  std::vector<QByteArray> keep(static_cast<size_t>(width_));
  for (int i = 0; i < width_; ++i) views[size_t(i)] = storedViewOf(values[i], keep[size_t(i)]);
  write(views.data(), start);
}

void RecordStore::append(const QVariant* values) {
  const char* start = nullptr;
  write(values, start);
  records_.push_back(start);
}

void RecordStore::replace(int record, const QVariant* values) { write(values, records_[size_t(record)]); }

StoredView RecordStore::view(int record, int field) const {
  const char* p = records_[size_t(record)];
  for (int i = 0; i < field; ++i) skip(p);
  return decode(p);
}

void RecordStore::views(int record, StoredView* out) const {
  const char* p = records_[size_t(record)];
  for (int i = 0; i < width_; ++i) out[i] = decode(p);
}

FieldType RecordStore::typeOfFirstValue(int field) const {
  for (int r = 0; r < count(); ++r) {
    const StoredView v = view(r, field);
    if (v.kind == StoredView::Null) continue;
    return v.kind == StoredView::Whole ? dbLong : v.kind == StoredView::Real ? dbDouble : dbText;
  }
  return dbText;
}

// --- the records of a recordset ---------------------------------------------------

int Records::count() const { return count_; }
int Records::width() const { return store_ ? store_->width() : 0; }

StoredView Records::view(int record, int field) const {
  if (record < 0 || record >= count_ || field < 0 || field >= width()) return {};
  return store_->view(stored(record), field);
}

void Records::views(int record, StoredView* out) const {
  if (record < 0 || record >= count_) {
    for (int i = 0; i < width(); ++i) out[i] = StoredView{};
    return;
  }
  store_->views(stored(record), out);
}

}  // namespace zevo::dao
