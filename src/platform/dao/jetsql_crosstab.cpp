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
      out.push_back({QStringLiteral("<>"), p + QStringLiteral(" IS NULL OR ") + p + QStringLiteral(" = ''")});
      continue;
    }
    PivotColumn col;
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

}  // namespace zevo::dao::jet
