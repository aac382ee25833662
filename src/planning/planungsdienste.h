#pragma once
// What the work-planning windows share: typed dates read the same way
// everywhere, the binding of a data window's grid and its column widths.

#include "platform/dao/dao.h"

#include <QDate>
#include <QList>
#include <QPair>
#include <QString>

#include <optional>

namespace zevo::ui {
class sevGrid;
}

namespace zevo::planning {

// A typed date ("16.05.2007", "16.5.07", "16.05" of the current year);
// nothing for a text that names no date ("31.02.2007", "", "abc").
std::optional<QDate> datumaustext(const QString& text);

// "dd.mm.yyyy".
QString datumtext(const QDate& datum);

// heute plus the given number of days, "dd.mm.yyyy".
QString heuteplus(int tage);

// Column widths (key, twips) a list starts with before the user's own.
using Spaltenbreiten = QList<QPair<QString, int>>;

// Binds a data window's grid to a query (the grid's columns are the query's
// fields) and restores the column widths kept under the window's section.
void gridbinden(ui::sevGrid& grid, dao::Database& db, const QString& sql, const QString& abschnitt,
                const Spaltenbreiten& standard = {});

// The starting widths, then the user's own kept under the window's section.
void breitenladen(ui::sevGrid& grid, const QString& abschnitt, const Spaltenbreiten& standard);

// A column dragged narrower than 25 twips gets 25; then the widths are kept.
void spaltenbreitemerken(ui::sevGrid& grid, int spalte, int breite, const QString& abschnitt);

}  // namespace zevo::planning
