#pragma once
// The beekeeper's mouse and keys on a grid, sent as real events: a click on a
// column header (which sorts a grid with autosort), a click on a cell, a key.
#include "components/sevgrid.h"

#include <QHeaderView>
#include <QTableView>
#include <QTest>

namespace zevo::test {

// A click on the header of the column with the key.
inline void kopfklick(ui::sevGrid& g, const QString& spalte) {
  QHeaderView* h = g.findChild<QTableView*>()->horizontalHeader();
  const int s = g.colIndex(spalte) - 1;
  QVERIFY2(s >= 0, qPrintable(spalte));
  QTest::mouseClick(h->viewport(), Qt::LeftButton, Qt::NoModifier,
                    QPoint(h->sectionViewportPosition(s) + h->sectionSize(s) / 2, h->height() / 2));
}

// A click on the cell of the row (from 1) in the column with the key.
inline void zellenklick(ui::sevGrid& g, int zeile, const QString& spalte) {
  QTableView* v = g.findChild<QTableView*>();
  const QModelIndex i = v->model()->index(zeile - 1, g.colIndex(spalte) - 1);
  QVERIFY2(i.isValid(), qPrintable(spalte));
  v->scrollTo(i);
  QTest::mouseClick(v->viewport(), Qt::LeftButton, Qt::NoModifier, v->visualRect(i).center());
}

// A key pressed in the grid (arrows move the current row).
inline void gridtaste(ui::sevGrid& g, Qt::Key taste) { QTest::keyClick(g.findChild<QTableView*>(), taste); }

}  // namespace zevo::test
