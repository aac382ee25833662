// The rows of the grid: a row's cells kept as one block of the grid file's
// text, and the texts of a bound row made from its values when asked for.
#include "components/sevgrid_p.h"

#include "platform/runtime/vb.h"

#include <QDate>
#include <QVarLengthArray>

#include <cstdlib>
#include <cstring>

namespace zevo::ui {

// --- the block ------------------------------------------------------------------

RowText::RowText(QByteArrayView bytes) {
  if (bytes.isEmpty()) return;
  const quint32 n = quint32(bytes.size());
  p_ = static_cast<char*>(std::malloc(sizeof n + n));
  if (!p_) throw std::bad_alloc();
  std::memcpy(p_, &n, sizeof n);
  std::memcpy(p_ + sizeof n, bytes.data(), n);
}

RowText::~RowText() { std::free(p_); }

QByteArrayView RowText::bytes() const {
  if (!p_) return {};
  quint32 n;
  std::memcpy(&n, p_, sizeof n);
  return QByteArrayView(p_ + sizeof n, qsizetype(n));
}

// --- writing cells ---------------------------------------------------------------

namespace {

bool high(char16_t c) { return c >= 0xD800 && c < 0xDC00; }
bool low(char16_t c) { return c >= 0xDC00 && c < 0xE000; }

char* putCodePoint(char* o, char32_t c) {
  if (c < 0x800) {
    *o++ = char(0xC0 | (c >> 6));
  } else if (c < 0x10000) {
    *o++ = char(0xE0 | (c >> 12));
    *o++ = char(0x80 | ((c >> 6) & 0x3F));
  } else {
    *o++ = char(0xF0 | (c >> 18));
    *o++ = char(0x80 | ((c >> 12) & 0x3F));
    *o++ = char(0x80 | ((c >> 6) & 0x3F));
  }
  *o++ = char(0x80 | (c & 0x3F));
  return o;
}

// The most bytes a text of n units takes escaped.
constexpr qsizetype room(qsizetype n) { return 3 * n; }

// s escaped and in UTF-8 from o on (room(s.size()) bytes); a TAB separates
// cells when tabSeparates, else it is escaped. Half a surrogate pair is
// written as UTF-8 writes a code point, and sets wide. Returns the end.
char* writeCell(char* o, QStringView s, bool tabSeparates, bool& wide) {
  const char16_t* p = s.utf16();
  const qsizetype n = s.size();
  for (qsizetype i = 0; i < n; ++i) {
    const char16_t c = p[i];
    if (c < 0x80) {
      if (c == '\\' || c == '\r' || c == '\n' || (c == '\t' && !tabSeparates)) {
        *o++ = '\\';
        *o++ = c == '\\' ? '\\' : c == '\t' ? 't' : c == '\r' ? 'r' : 'n';
      } else {
        *o++ = char(c);
      }
    } else if (high(c) && i + 1 < n && low(p[i + 1])) {
      o = putCodePoint(o, 0x10000 + ((char32_t(c) - 0xD800) << 10) + (p[i + 1] - 0xDC00));
      ++i;
    } else {
      wide = wide || high(c) || low(c);
      o = putCodePoint(o, c);
    }
  }
  return o;
}

GridRow finish(QByteArrayView bytes, int count, bool wide) {
  GridRow r;
  r.text = RowText(bytes);
  r.n = count;
  r.wide = wide;
  return r;
}

}  // namespace

GridRow cellsRow(const QStringList& cells) {
  qsizetype size = cells.size();
  for (const QString& c : cells) size += room(c.size());
  QVarLengthArray<char, 1024> bytes(size);
  char* o = bytes.data();
  bool wide = false;
  for (qsizetype i = 0; i < cells.size(); ++i) {
    if (i > 0) *o++ = '\t';
    o = writeCell(o, cells[i], false, wide);
  }
  return finish(QByteArrayView(bytes.data(), o - bytes.data()), int(cells.size()), wide);
}

GridRow tabRow(QStringView text, int count) {
  QVarLengthArray<char, 1024> bytes(room(text.size()));
  bool wide = false;
  const char* end = writeCell(bytes.data(), text, true, wide);
  return finish(QByteArrayView(bytes.data(), end - bytes.data()), count, wide);
}

void appendFileCell(QByteArray& out, QStringView s) {
  const qsizetype before = out.size();
  bool wide = false;
  out.resize(before + room(s.size()));
  const char* end = writeCell(out.data() + before, s, false, wide);
  out.truncate(end - out.constData());
  if (!wide) return;
  // QString::toUtf8 writes '?' for half a surrogate pair.
  out.truncate(before);
  QString escaped;
  appendEscaped(escaped, s);
  out += escaped.toUtf8();
}

bool fileRow(QByteArrayView line, int count, GridRow& row) {
  int tabs = 0;
  bool rawCr = false;
  for (qsizetype i = 0; i < line.size(); ++i) {
    switch (line[i]) {
      case '\t': ++tabs; break;
      case '\r': rawCr = true; break;
      case '\\':
        if (++i >= line.size()) return false;
        if (line[i] != '\\' && line[i] != 't' && line[i] != 'r' && line[i] != 'n') return false;
        break;
      default: break;
    }
  }
  if (tabs != count - 1) return false;
  if (!rawCr) {
    row = finish(line, count, false);
    return true;
  }
  // A CR inside a line is a character of its cell: kept escaped like any other.
  QByteArray bytes;
  for (char c : line) bytes += c == '\r' ? QByteArrayView("\\r") : QByteArrayView(&c, 1);
  row = finish(bytes, count, false);
  return true;
}

// --- reading cells ---------------------------------------------------------------

QByteArrayView cellBytes(const GridRow& row, int col0) {
  if (col0 < 0 || col0 >= row.n) return {};
  const QByteArrayView all = row.text.bytes();
  qsizetype start = 0;
  for (int c = 0; c < col0; ++c) {
    const qsizetype tab = all.indexOf('\t', start);
    if (tab < 0) return {};
    start = tab + 1;
  }
  const qsizetype end = all.indexOf('\t', start);
  return all.sliced(start, (end < 0 ? all.size() : end) - start);
}

namespace {

// UTF-8 as writeCell writes it, surrogate halves included.
QString wideText(QByteArrayView b) {
  QString out;
  out.reserve(b.size());
  for (qsizetype i = 0; i < b.size();) {
    const uchar c = uchar(b[i]);
    const int more = c < 0x80 ? 0 : c < 0xE0 ? 1 : c < 0xF0 ? 2 : 3;
    char32_t v = more == 0 ? c : more == 1 ? (c & 0x1F) : more == 2 ? (c & 0x0F) : (c & 0x07);
    for (int k = 1; k <= more && i + k < b.size(); ++k) v = (v << 6) | (uchar(b[i + k]) & 0x3F);
    i += more + 1;
    if (v >= 0x10000) {
      out += QChar(char16_t(0xD800 + ((v - 0x10000) >> 10)));
      out += QChar(char16_t(0xDC00 + ((v - 0x10000) & 0x3FF)));
    } else {
      out += QChar(char16_t(v));
    }
  }
  return out;
}

}  // namespace

QString textFromUtf8(QByteArrayView bytes) {
  QString t = QString::fromUtf8(bytes);
  // fromUtf8 drops a byte order mark at the start; in a cell or a line it is a character.
  if (bytes.startsWith("\xEF\xBB\xBF")) t.prepend(QChar(0xFEFF));
  return t;
}

QString cellFromBytes(QByteArrayView escaped, bool wide) {
  if (escaped.isEmpty()) return {};
  if (!wide && !escaped.contains('\\')) return textFromUtf8(escaped);
  QVarLengthArray<char, 256> plain;
  for (qsizetype i = 0; i < escaped.size(); ++i) {
    char c = escaped[i];
    if (c == '\\' && i + 1 < escaped.size()) {
      const char e = escaped[++i];
      c = e == 't' ? '\t' : e == 'r' ? '\r' : e == 'n' ? '\n' : e;
    }
    plain.append(c);
  }
  const QByteArrayView text(plain.data(), plain.size());
  return wide ? wideText(text) : textFromUtf8(text);
}

QString valueText(const QVariant& v) {
  // The common date without a format pattern, as vb::cstr writes it.
  if (v.typeId() == QMetaType::QDate) {
    const QDate d = v.toDate();
    if (d.isValid() && d.year() >= 1000 && d.year() <= 9999) {
      const int z[3] = {d.day(), d.month(), d.year()};
      char16_t t[10] = {char16_t('0' + z[0] / 10), char16_t('0' + z[0] % 10), '.',
                        char16_t('0' + z[1] / 10), char16_t('0' + z[1] % 10), '.',
                        char16_t('0' + z[2] / 1000), char16_t('0' + z[2] / 100 % 10),
                        char16_t('0' + z[2] / 10 % 10), char16_t('0' + z[2] % 10)};
      return QString(reinterpret_cast<const QChar*>(t), 10);
    }
  }
  // A number in plain digits, never in exponent form: a cell copied into an
  // entry field and saved again keeps its value.
  return vb::cstrOhneExponent(v);
}

// --- Data ------------------------------------------------------------------------

QVariant sevGrid::Data::recordValue(int row0, int col0) const {
  if (row0 < 0 || row0 >= int(rows.size()) || col0 < 0 || col0 >= recordWidth) return {};
  const GridRow& r = rows[size_t(row0)];
  if (!r.bound) return {};
  return dao::presentedValue(dao::FieldType(cols[size_t(col0)].fieldType), records.view(r.n, col0).variant());
}

QString sevGrid::Data::cellText(int row0, int col0) const {
  if (row0 < 0 || row0 >= int(rows.size()) || col0 < 0) return {};
  const GridRow& r = rows[size_t(row0)];
  if (r.bound) return col0 < recordWidth ? valueText(recordValue(row0, col0)) : QString();
  return cellFromBytes(cellBytes(r, col0), r.wide);
}

void sevGrid::Data::cellTexts(int row0, int first, int last, std::vector<QString>& out) const {
  out.assign(size_t(std::max(0, last - first + 1)), QString());
  if (row0 < 0 || row0 >= int(rows.size())) return;
  const GridRow& r = rows[size_t(row0)];
  if (r.bound) {
    std::vector<dao::StoredView> werte(static_cast<size_t>(recordWidth));
    records.views(r.n, werte.data());
    for (int c = first; c <= last && c < recordWidth; ++c)
      out[size_t(c - first)] = valueText(
          dao::presentedValue(dao::FieldType(cols[size_t(c)].fieldType), werte[size_t(c)].variant()));
    return;
  }
  const QByteArrayView alle = r.text.bytes();
  qsizetype anfang = 0;
  for (int c = 0; c <= last && c < r.n; ++c) {
    qsizetype ende = alle.indexOf('\t', anfang);
    if (ende < 0) ende = alle.size();
    if (c >= first) out[size_t(c - first)] = cellFromBytes(alle.sliced(anfang, ende - anfang), r.wide);
    anfang = std::min(ende + 1, alle.size());
  }
}

void sevGrid::Data::appendFileLine(QByteArray& out, const GridRow& r, int cols) const {
  if (r.bound || r.wide) {
    const int row0 = int(&r - rows.data());
    for (int c = 0; c < cols; ++c) {
      if (c > 0) out += '\t';
      appendFileCell(out, cellText(row0, c));
    }
    return;
  }
  if (cols <= 0) return;
  out += r.text.bytes();
  for (int c = std::max(r.n, 1); c < cols; ++c) out += '\t';
}

}  // namespace zevo::ui
