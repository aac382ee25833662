// A crosstab with more headings than SQLite gives columns in one result:
// the groups and their cells are read by two queries and pivoted here.
#include "platform/dao/errors.h"
#include "platform/dao/recordset_p.h"

#include <QSet>

namespace zevo::dao {

std::shared_ptr<RecordsetData> pivotInLayer(const std::shared_ptr<Database::Handle>& db, ConnectionData& c,
                                            const jet::Crosstab& x, const std::vector<jet::PivotColumn>& columns,
                                            const QString& sqlForErrors) {
  // The rows: the row headings, the group's number, whether HAVING keeps it.
  std::vector<FieldType> rowTypes = x.headTypes;
  if (!rowTypes.empty()) rowTypes.insert(rowTypes.end(), {dbLong, dbLong});
  std::shared_ptr<RecordsetData> rows;
  {
    Statement s = c.prepare(jet::crosstabRowsSql(x), sqlForErrors);
    rows = materialize(db, s, rowTypes, {}, sqlForErrors);
  }
  std::shared_ptr<RecordsetData> cells;
  {
    Statement s = c.prepare(jet::crosstabCellsSql(x), sqlForErrors);
    cells = materialize(db, s, {}, {}, sqlForErrors);
  }
  const int headWidth = rows->width() - 2;
  const int n = int(columns.size());

  // Each group's cells: the column and the record of the cells query.
  const jet::PivotLookup lookup(x, columns);
  std::vector<std::vector<std::pair<int, int>>> ofGroup(size_t(rows->rows));
  for (int r = 0; r < cells->rows; ++r) {
    const StoredView group = cells->store->view(r, 0);
    if (group.kind != StoredView::Whole || group.whole < 1 || group.whole > rows->rows) continue;
    const int column = lookup.column(cells->store->view(r, 1).variant());
    if (column >= 0) ofGroup[size_t(group.whole - 1)].emplace_back(column, r);
  }

  auto d = std::make_shared<RecordsetData>();
  d->db = db;
  d->fields.assign(rows->fields.begin(), rows->fields.begin() + headWidth);
  for (const jet::PivotColumn& col : columns) {
    FieldInfo f;
    f.name = col.name;
    f.type = x.aggregateType;
    d->fields.push_back(f);
  }
  d->store = std::make_shared<RecordStore>(headWidth + n);
  const bool distinct = x.head.startsWith(QLatin1String("SELECT DISTINCT "));
  QSet<QByteArray> seen;
  std::vector<StoredView> row(size_t(headWidth + 2));
  std::vector<StoredView> values(size_t(headWidth + n));
  for (int r = 0; r < rows->rows; ++r) {
    rows->store->views(r, row.data());
    const StoredView& group = row[size_t(headWidth)];
    const StoredView& kept = row[size_t(headWidth + 1)];
    if (kept.kind != StoredView::Whole || kept.whole == 0) continue;
    std::copy(row.begin(), row.begin() + headWidth, values.begin());
    std::fill(values.begin() + headWidth, values.end(), StoredView{});
    if (group.kind == StoredView::Whole && group.whole >= 1 && group.whole <= rows->rows)
      for (const auto& [column, record] : ofGroup[size_t(group.whole - 1)])
        values[size_t(headWidth + column)] = cells->store->view(record, 2);
    if (distinct) {
      QByteArray key = encodedValues(values.data(), int(values.size()));
      if (seen.contains(key)) continue;
      seen.insert(std::move(key));
    }
    d->store->append(values.data());
    ++d->rows;
  }
  // Without the head's types the columns are typed as a result's columns
  // without a declared type.
  if (x.headTypes.empty())
    for (int i = headWidth; i < headWidth + n; ++i) d->fields[size_t(i)].type = d->store->typeOfFirstValue(i);
  d->deleted.assign(size_t(d->rows), 0);
  d->pos = d->rows > 0 ? 0 : -1;
  return d;
}

}  // namespace zevo::dao
