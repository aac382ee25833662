// Sorting and finding rows of the grid.
#include "components/sevgrid_p.h"

#include "platform/runtime/vb.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <string_view>
#include <unordered_map>

namespace zevo::ui {

namespace {

enum class Compare { Number, Date, Text };

struct SortKey {
  int cat = 1;         // 0 empty, 1 typed value, 2 text that is no value
  double num = 0;
};

bool isNumberField(int t) {
  return t == dao::dbByte || t == dao::dbBoolean || (t >= dao::dbInteger && t <= dao::dbDouble);
}

std::optional<double> dateNumber(const QVariant& v) {
  if (v.typeId() == QMetaType::QDate) return double(v.toDate().toJulianDay());
  if (v.typeId() == QMetaType::QDateTime) {
    const QDateTime t = v.toDateTime();
    return double(t.date().toJulianDay()) + t.time().msecsSinceStartOfDay() / 86400000.0;
  }
  return std::nullopt;
}

// "dd.mm.yyyy" read by position, as QDate::fromString with that format
// reads it, without parsing the format for every cell.
QDate ddmmyyyy(const QString& s) {
  if (s.size() != 10 || s[2] != QLatin1Char('.') || s[5] != QLatin1Char('.')) return {};
  int z[8];
  const int pos[8] = {0, 1, 3, 4, 6, 7, 8, 9};
  for (int i = 0; i < 8; ++i) {
    const char16_t c = s[pos[i]].unicode();
    if (c < '0' || c > '9') return {};
    z[i] = c - '0';
  }
  return QDate(z[4] * 1000 + z[5] * 100 + z[6] * 10 + z[7], z[2] * 10 + z[3], z[0] * 10 + z[1]);
}

std::optional<double> dateText(const QString& s) {
  const QDate d = ddmmyyyy(s);
  if (d.isValid()) return double(d.toJulianDay());
  if (const auto p = vb::parseDateTime(s))
    return double(p->date().toJulianDay()) + p->time().msecsSinceStartOfDay() / 86400000.0;
  return std::nullopt;
}

// The distinct texts of one column: rows of text with the same cell share
// one entry, each bound row has its own.
struct Distinct {
  std::vector<QString> texts;
  std::vector<int> ofRow;        // entry of each row
};

Distinct distinctTexts(const sevGrid::Data& d, int col) {
  Distinct out;
  const int n = int(d.rows.size());
  out.ofRow.resize(size_t(n));
  // The same bytes are the same text, whichever way the row is kept.
  std::unordered_map<std::string_view, int> seen;
  std::string_view previous;
  int previousEntry = -1;
  for (int i = 0; i < n; ++i) {
    const GridRow& r = d.rows[size_t(i)];
    if (r.bound) {
      out.ofRow[size_t(i)] = int(out.texts.size());
      out.texts.push_back(d.cellText(i, col));
      previousEntry = -1;
      continue;
    }
    const QByteArrayView b = cellBytes(r, col);
    const std::string_view bytes(b.data(), size_t(b.size()));
    // Neighbouring rows often share their cell.
    if (previousEntry < 0 || bytes != previous) {
      const auto [it, neu] = seen.try_emplace(bytes, int(out.texts.size()));
      if (neu) out.texts.push_back(cellFromBytes(b, r.wide));
      previous = bytes;
      previousEntry = it->second;
    }
    out.ofRow[size_t(i)] = previousEntry;
  }
  return out;
}

bool allCellsAreDates(const std::vector<QString>& texts) {
  bool any = false;
  for (const QString& t : texts) {
    if (t.isEmpty()) continue;
    if (!ddmmyyyy(t).isValid()) return false;
    any = true;
  }
  return any;
}

// The order of one column's entries as whole numbers: equal keys the same
// rank, and the ranks ordered as the keys. Empty cells first, then values,
// then texts that are no value (by their collation key).
std::vector<quint32> ranks(const std::vector<SortKey>& keys, const std::vector<QString>& texts) {
  std::vector<QString> collation(keys.size());
  for (size_t e = 0; e < keys.size(); ++e)
    if (keys[e].cat == 2) collation[e] = vb::textSortKey(texts[e]);
  auto compare = [&](size_t a, size_t b) {
    const SortKey& ka = keys[a];
    const SortKey& kb = keys[b];
    if (ka.cat != kb.cat) return ka.cat < kb.cat ? -1 : 1;
    if (ka.cat == 1) return ka.num < kb.num ? -1 : (ka.num > kb.num ? 1 : 0);
    if (ka.cat == 2) return collation[a].compare(collation[b]);
    return 0;
  };
  std::vector<size_t> order(keys.size());
  std::iota(order.begin(), order.end(), size_t(0));
  std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return compare(a, b) < 0; });
  std::vector<quint32> rank(keys.size(), 0);
  for (size_t k = 1; k < order.size(); ++k)
    rank[order[k]] = rank[order[k - 1]] + (compare(order[k - 1], order[k]) != 0 ? 1 : 0);
  return rank;
}

}  // namespace

void sevGrid::sort(const QString& keys) {
  std::vector<std::pair<int, bool>> order;
  for (const QString& k : keys.split(QLatin1Char(','))) {
    const int c = d->keyToIndex(k.trimmed());
    if (c >= 0) order.emplace_back(c, false);
  }
  sortBy(order);
}

void sevGrid::sort(int col, int order) {
  if (col < 1 || col > cols()) return;
  sortBy({{col - 1, order == 2}});
}

void sevGrid::sortBy(const std::vector<std::pair<int, bool>>& order) {
  if (order.empty()) return;
  const int n = rows();
  const size_t m = order.size();
  // Each row's key per column is the rank of its cell among the column's
  // distinct cells; each distinct text of the rows of text is read once.
  std::vector<quint32> rowRank(size_t(n) * m);
  for (size_t o = 0; o < m; ++o) {
    const auto [c, desc] = order[o];
    const GridCol& gc = d->cols[size_t(c)];
    const Distinct texts = distinctTexts(*d, c);
    Compare how = Compare::Text;
    if (d->bound && gc.fieldType != 0) {
      if (isNumberField(gc.fieldType)) how = Compare::Number;
      else if (gc.fieldType == dao::dbDate) how = Compare::Date;
    } else if (gc.numeric == 1) {
      how = Compare::Number;
    } else if (gc.columntype == 2 || allCellsAreDates(texts.texts)) {
      how = Compare::Date;
    }
    // Empty, a value or a text; a bound row's value is its own entry's.
    std::vector<SortKey> keys(texts.texts.size(), SortKey{2, 0});
    std::vector<char> done(keys.size(), 0);
    for (int i = 0; i < n && how != Compare::Text; ++i) {
      const size_t e = size_t(texts.ofRow[size_t(i)]);
      if (done[e]) continue;
      done[e] = 1;
      const QString& text = texts.texts[e];
      const QVariant v = d->recordValue(i, c);
      if (text.trimmed().isEmpty() && (!v.isValid() || v.isNull())) {
        keys[e] = SortKey{0, 0};
        continue;
      }
      std::optional<double> x;
      if (how == Compare::Number) {
        if (v.isValid() && !v.isNull() && v.canConvert<double>() && v.typeId() != QMetaType::QString)
          x = v.toDouble();
        else
          x = vb::parseNumber(text);
      } else {
        x = v.isValid() ? dateNumber(v) : std::nullopt;
        if (!x) x = dateText(text.trimmed());
      }
      if (x) keys[e] = SortKey{1, *x};
    }
    const std::vector<quint32> rank = ranks(keys, texts.texts);
    const quint32 last = keys.empty() ? 0 : *std::max_element(rank.begin(), rank.end());
    for (int i = 0; i < n; ++i) {
      const quint32 r = rank[size_t(texts.ofRow[size_t(i)])];
      rowRank[size_t(i) * m + o] = desc ? last - r : r;
    }
  }

  std::vector<int> perm(n);
  std::iota(perm.begin(), perm.end(), 0);
  std::stable_sort(perm.begin(), perm.end(), [&](int a, int b) {
    const quint32* ka = rowRank.data() + size_t(a) * m;
    const quint32* kb = rowRank.data() + size_t(b) * m;
    for (size_t o = 0; o < m; ++o)
      if (ka[o] != kb[o]) return ka[o] < kb[o];
    return false;
  });

  std::vector<GridRow> sorted;
  sorted.reserve(n);
  const int oldCurrent = d->current;
  int newCurrent = 0, newAnchor = 0;
  for (int i = 0; i < n; ++i) {
    sorted.push_back(std::move(d->rows[perm[i]]));
    if (perm[i] + 1 == oldCurrent) newCurrent = i + 1;
    if (perm[i] + 1 == d->anchor) newAnchor = i + 1;
  }
  d->rows = std::move(sorted);
  d->current = newCurrent;
  d->anchor = newAnchor;
  for (auto& c : d->cols) c.sortorder = 0;
  d->cols[order.front().first].sortorder = order.front().second ? 2 : 1;
  changedAll();
  if (newCurrent != oldCurrent) emit rowchange();
}

// --- findrow -----------------------------------------------------------------------

namespace {

struct Condition {
  int col;
  bool quoted;
  QString text;
  double number = 0;
};

// "Key = 17 AND Other = 'text'"; false when the criteria cannot be read.
bool parseCriteria(const QString& s, const sevGrid::Data& d, std::vector<Condition>& out) {
  int i = 0;
  const int n = s.size();
  auto skipBlanks = [&] { while (i < n && s[i].isSpace()) ++i; };
  while (true) {
    skipBlanks();
    const int eq = s.indexOf(QLatin1Char('='), i);
    if (eq < 0) return false;
    QString key = s.mid(i, eq - i).trimmed();
    if (key.startsWith(QLatin1Char('[')) && key.endsWith(QLatin1Char(']'))) key = key.mid(1, key.size() - 2);
    i = eq + 1;
    skipBlanks();
    if (i >= n) return false;
    Condition c{d.keyToIndex(key), false, {}};
    if (s[i] == QLatin1Char('\'') || s[i] == QLatin1Char('"')) {
      const QChar q = s[i++];
      c.quoted = true;
      while (true) {
        if (i >= n) return false;
        if (s[i] == q) {
          if (i + 1 < n && s[i + 1] == q) { c.text += q; i += 2; continue; }
          ++i;
          break;
        }
        c.text += s[i++];
      }
    } else {
      const int start = i;
      while (i < n && !s[i].isSpace()) ++i;
      c.text = s.mid(start, i - start);
      bool ok = false;
      c.number = c.text.toDouble(&ok);
      if (!ok) {
        const auto g = vb::parseNumber(c.text);
        if (!g) return false;
        c.number = *g;
      }
    }
    out.push_back(c);
    skipBlanks();
    if (i >= n) return true;
    if (s.mid(i, 3).compare(QLatin1String("and"), Qt::CaseInsensitive) != 0 || i + 3 >= n || !s[i + 3].isSpace())
      return false;
    i += 3;
  }
}

// A cell's number against a criterion's, as the criterion was typed.
bool sameNumber(double x, double number) { return std::abs(x - number) <= 1e-9 * std::max(1.0, std::abs(number)); }

bool wholeField(int t) { return t == dao::dbInteger || t == dao::dbLong || t == dao::dbByte; }

bool matches(const sevGrid::Data& d, int row0, const Condition& c) {
  // A whole number of a bound row is its own text's number.
  if (!c.quoted) {
    const GridRow& r = d.rows[size_t(row0)];
    if (r.bound && c.col < d.recordWidth && wholeField(d.cols[size_t(c.col)].fieldType)) {
      // Read where it is kept, as the typed value would give it.
      const dao::StoredView v = d.records.view(r.n, c.col);
      if (v.kind == dao::StoredView::Whole) return sameNumber(double(v.whole), c.number);
    }
    const QVariant v = d.recordValue(row0, c.col);
    switch (v.typeId()) {
      case QMetaType::Int: case QMetaType::UInt: case QMetaType::LongLong: case QMetaType::Short:
      case QMetaType::UShort: case QMetaType::UChar: case QMetaType::SChar:
        return sameNumber(double(v.toLongLong()), c.number);
      default: break;
    }
  }
  const QString cell = d.cellText(row0, c.col);
  // A text is the row meant when the database would take it as the same.
  if (c.quoted) return dao::compareText(cell, c.text) == 0;
  const auto v = vb::parseNumber(cell);
  return v && sameNumber(*v, c.number);
}

}  // namespace

int sevGrid::findrow(const QString& criteria, bool) {
  std::vector<Condition> conds;
  if (!parseCriteria(criteria, *d, conds) || conds.empty()) return 0;
  for (const auto& c : conds)
    if (c.col < 0) return 0;
  for (int r = 0; r < rows(); ++r) {
    if (std::all_of(conds.begin(), conds.end(), [&](const Condition& c) { return matches(*d, r, c); })) {
      setCurrent(r + 1);
      return r + 1;
    }
  }
  return 0;
}

}  // namespace zevo::ui
