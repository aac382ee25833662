// The crosstab: headings in Jet's order, one column per heading.
#include "platform/dao/jetsql_p.h"
#include "platform/runtime/vb.h"

#include <QSet>

#include <algorithm>

namespace zevo::dao::jet {

using namespace detail;

// --- crosstab ------------------------------------------------------------------

namespace {

bool emptyHeading(const QVariant& v) {
  return !v.isValid() || v.isNull() || (v.typeId() == QMetaType::QString && v.toString().isEmpty());
}
bool numericHeading(const QVariant& v) {
  return v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Int;
}

}  // namespace

std::vector<PivotColumn> pivotColumns(const Crosstab& c, std::vector<QVariant> headings) {
  auto rank = [](const QVariant& v) { return emptyHeading(v) ? 0 : numericHeading(v) ? 1 : 2; };
  std::stable_sort(headings.begin(), headings.end(), [&](const QVariant& a, const QVariant& b) {
    const int ra = rank(a), rb = rank(b);
    if (ra != rb) return ra < rb;
    if (ra == 1) return a.toDouble() < b.toDouble();
    if (ra == 2) {
      if (c.headingType == dbDate) return a.toString() < b.toString();
      return vb::textCompare(a.toString(), b.toString()) < 0;
    }
    return false;
  });
  std::vector<PivotColumn> out;
  bool haveEmpty = false;
  QSet<QString> texts;  // headings that differ only in case are one column
  const QString p = QLatin1Char('(') + c.pivot + QLatin1Char(')');
  for (const QVariant& v : headings) {
    if (emptyHeading(v)) {
      if (haveEmpty) continue;  // Null and empty text share Jet's "<>" column
      haveEmpty = true;
      out.push_back({QStringLiteral("<>"), p + QStringLiteral(" IS NULL OR ") + p + QStringLiteral(" = ''"), {}});
      continue;
    }
    PivotColumn col;
    col.heading = v;
    if (numericHeading(v)) {
      const bool whole = v.typeId() != QMetaType::Double;
      col.condition = p + QStringLiteral(" = ") +
                      (whole ? QString::number(v.toLongLong()) : QString::number(v.toDouble(), 'g', 17));
      QVariant shown = whole ? QVariant(v.toLongLong()) : v;
      if (c.headingType == dbSingle) shown = QVariant(float(v.toDouble()));
      col.name = vb::cstr(shown);
    } else {
      const QString s = v.toString();
      if (c.headingType != dbDate) {
        if (texts.contains(vb::caseFolded(s))) continue;
        texts.insert(vb::caseFolded(s));
      }
      // NOCASE does for a heading of plain ASCII what the collation of text equality does, and faster.
      col.condition = p + QStringLiteral(" = ") + quoteString(s) + QStringLiteral(" COLLATE ") +
                      QLatin1String(beyondAscii(s) ? caseCollation : "NOCASE");
      col.name = s;
      if (c.headingType == dbDate) {
        if (auto dt = QDateTime::fromString(s, s.size() > 10 ? QStringLiteral("yyyy-MM-dd hh:mm:ss")
                                                             : QStringLiteral("yyyy-MM-dd"));
            dt.isValid())
          col.name = vb::cstr(s.size() > 10 ? QVariant(dt) : QVariant(dt.date()));
      }
    }
    out.push_back(col);
  }
  return out;
}

QString crosstabSql(const Crosstab& c, const std::vector<PivotColumn>& columns) {
  QString sql = c.head;
  for (const PivotColumn& col : columns)
    sql += QStringLiteral(", ") + c.aggregate.join(col.condition) + QStringLiteral(" AS ") + quoteIdent(col.name);
  return sql + c.tail;
}

// --- a crosstab pivoted by the layer ------------------------------------------------

namespace {

// A group's number: its rank among the groups in the order of the grouping
// terms, which compares them as GROUP BY does, so that the rows and the
// cells number a group alike.
QString groupNumber(const Crosstab& c) {
  return QStringLiteral("dense_rank() OVER (ORDER BY ") + c.group + QStringLiteral(") AS __gruppe");
}

// The pivot value as the columns tell headings apart: Null and empty text
// alike, texts in any case alike (a day's text as it is).
QString pivotGroup(const Crosstab& c) {
  return QStringLiteral("NULLIF(") + c.pivot + QStringLiteral(", '') COLLATE ") +
         QLatin1String(c.headingType == dbDate ? "NOCASE" : caseCollation);
}

}  // namespace

QString crosstabRowsSql(const Crosstab& c) {
  // HAVING becomes a column: every group keeps its number.
  const QString behalten = c.having.isEmpty() ? QStringLiteral("1")
                                              : QStringLiteral("CASE WHEN (") + c.having + QStringLiteral(") THEN 1 ELSE 0 END");
  return c.head + QStringLiteral(", ") + groupNumber(c) + QStringLiteral(", ") + behalten + QStringLiteral(" AS __behalten") +
         c.source + QStringLiteral(" GROUP BY ") + c.group + QStringLiteral(" ORDER BY ") + c.order;
}

QString crosstabCellsSql(const Crosstab& c) {
  return QStringLiteral("SELECT ") + groupNumber(c) + QStringLiteral(", ") + pivotGroup(c) + QStringLiteral(" AS __spalte, ") +
         c.aggregate.join(QStringLiteral("1")) + c.source + QStringLiteral(" GROUP BY ") + c.group + QStringLiteral(", ") +
         pivotGroup(c);
}

PivotLookup::PivotLookup(const Crosstab& c, const std::vector<PivotColumn>& columns) : headingType_(c.headingType) {
  for (int i = 0; i < int(columns.size()); ++i) {
    const QVariant& h = columns[size_t(i)].heading;
    if (emptyHeading(h)) empty_ = i;
    else if (numericHeading(h)) numbers_.emplace(h.toDouble(), i);
    else texts_.insert(headingType_ == dbDate ? h.toString() : vb::caseFolded(h.toString()), i);
  }
}

int PivotLookup::column(const QVariant& heading) const {
  if (emptyHeading(heading)) return empty_;
  if (numericHeading(heading)) {
    const auto it = numbers_.find(heading.toDouble());
    return it == numbers_.end() ? -1 : it->second;
  }
  const QString s = heading.toString();
  return texts_.value(headingType_ == dbDate ? s : vb::caseFolded(s), -1);
}

}  // namespace zevo::dao::jet
