#include "planning/planungsdienste.h"

#include "common/variablen.h"
#include "components/sevgrid.h"
#include "platform/runtime/vb.h"

namespace zevo::planning {

std::optional<QDate> datumaustext(const QString& text) {
  const QString t = vb::trim(text);
  if (t.isEmpty()) return std::nullopt;
  return vb::parseDate(t);
}

QString datumtext(const QDate& datum) { return datum.toString(QStringLiteral("dd.MM.yyyy")); }

QString heuteplus(int tage) { return datumtext(common::heutedatum().addDays(tage)); }

void breitenladen(ui::sevGrid& grid, const QString& abschnitt, const Spaltenbreiten& standard) {
  for (const auto& [spalte, breite] : standard) grid.column(spalte).setWidth(breite);
  grid.loadcolwidths(QStringLiteral("ZEVO"), abschnitt, QStringLiteral("ColWidths"));
}

void gridbinden(ui::sevGrid& grid, dao::Database& db, const QString& sql, const QString& abschnitt,
                const Spaltenbreiten& standard) {
  dao::Recordset rs = db.openRecordset(sql);
  grid.clear(true);
  grid.lockupdate(true);
  grid.setPrebindflag(true);
  grid.setRecordset(rs);
  breitenladen(grid, abschnitt, standard);
  grid.lockupdate(false);
  grid.refresh();
  rs.close();
}

void spaltenbreitemerken(ui::sevGrid& grid, int spalte, int breite, const QString& abschnitt) {
  if (breite < 25) grid.column(spalte).setWidth(25);
  grid.savecolwidths(QStringLiteral("ZEVO"), abschnitt, QStringLiteral("ColWidths"));
}

}  // namespace zevo::planning
