// Sorting and finding rows of the grid.
#include "components/sevgrid_p.h"

#include "platform/runtime/vb.h"

#include <algorithm>
#include <cmath>
#include <numeric>

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

bool allCellsAreDates(const std::vector<GridRow>& rows, int col) {
  bool any = false;
  for (const auto& r : rows) {
    if (col >= r.cells.size() || r.cells[col].isEmpty()) continue;
    if (!ddmmyyyy(r.cells[col]).isValid()) return false;
    any = true;
  }
  return any;
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
  struct Column {
    Compare how;
    bool desc;
    int col;
    std::vector<SortKey> keys;
    std::vector<QString> texts;   // text columns, and the texts that are no value
  };
  std::vector<Column> plan;
  for (const auto& [c, desc] : order) {
    const GridCol& gc = d->cols[c];
    Compare how = Compare::Text;
    if (d->bound && gc.fieldType != 0) {
      if (isNumberField(gc.fieldType)) how = Compare::Number;
      else if (gc.fieldType == dao::dbDate) how = Compare::Date;
    } else if (gc.numeric == 1) {
      how = Compare::Number;
    } else if (gc.columntype == 2 || allCellsAreDates(d->rows, c)) {
      how = Compare::Date;
    }
    Column pc{how, desc, c, std::vector<SortKey>(n), {}};
    if (how == Compare::Text) {
      // One collation key per row, compared as plain text.
      pc.texts.resize(n);
      for (int i = 0; i < n; ++i) pc.texts[i] = vb::textSortKey(d->cellRef(i, c));
    } else {
      for (int i = 0; i < n; ++i) {
        const GridRow& r = d->rows[i];
        const QString& text = d->cellRef(i, c);
        SortKey& k = pc.keys[i];
        const QVariant v = c < r.values.size() ? r.values[c] : QVariant();
        std::optional<double> x;
        if (text.trimmed().isEmpty() && (!v.isValid() || v.isNull())) {
          k.cat = 0;
          continue;
        }
        if (how == Compare::Number) {
          if (v.isValid() && !v.isNull() && v.canConvert<double>() && v.typeId() != QMetaType::QString)
            x = v.toDouble();
          else
            x = vb::parseNumber(text);
        } else {
          x = v.isValid() ? dateNumber(v) : std::nullopt;
          if (!x) x = dateText(text.trimmed());
        }
        if (x) {
          k.num = *x;
        } else {
          k.cat = 2;
          if (pc.texts.empty()) pc.texts.resize(n);
          pc.texts[i] = vb::textSortKey(text);
        }
      }
    }
    plan.push_back(std::move(pc));
  }

  std::vector<int> perm(n);
  std::iota(perm.begin(), perm.end(), 0);
  std::stable_sort(perm.begin(), perm.end(), [&](int a, int b) {
    for (const Column& pc : plan) {
      int r = 0;
      if (pc.how == Compare::Text) {
        r = pc.texts[a].compare(pc.texts[b]);
      } else {
        const SortKey& ka = pc.keys[a];
        const SortKey& kb = pc.keys[b];
        if (ka.cat != kb.cat) r = ka.cat < kb.cat ? -1 : 1;
        else if (ka.cat == 1) r = ka.num < kb.num ? -1 : (ka.num > kb.num ? 1 : 0);
        else if (ka.cat == 2) r = pc.texts[a].compare(pc.texts[b]);
      }
      if (r != 0) return pc.desc ? r > 0 : r < 0;
    }
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

bool matches(const sevGrid::Data& d, int row0, const Condition& c) {
  const QString& cell = d.cellRef(row0, c.col);
  if (c.quoted) return vb::textCompare(cell, c.text) == 0;
  const auto v = vb::parseNumber(cell);
  return v && std::abs(*v - c.number) <= 1e-9 * std::max(1.0, std::abs(c.number));
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
