#pragma once
// Where a person clicks in a grid: the centre of a cell or of a column
// header, for mouse events sent as the user's own.
#include "components/sevgrid.h"

#include <QHeaderView>
#include <QTableView>
#include <QtTest>

namespace zevo::test {

inline QTableView* viewOf(ui::sevGrid& g) { return g.findChild<QTableView*>(); }

// In the view's viewport, rows and columns from 1.
inline QPoint cellCenter(ui::sevGrid& g, int row, int col) {
  QTableView* v = viewOf(g);
  return v->visualRect(v->model()->index(row - 1, col - 1)).center();
}

// In the header's viewport.
inline QPoint headerCenter(ui::sevGrid& g, int col) {
  QHeaderView* h = viewOf(g)->horizontalHeader();
  return QPoint(h->sectionViewportPosition(col - 1) + h->sectionSize(col - 1) / 2, h->height() / 2);
}

// A left click on the column's header, as the user's.
inline void headerClick(ui::sevGrid& g, int col) {
  QTest::mouseClick(viewOf(g)->horizontalHeader()->viewport(), Qt::LeftButton, Qt::NoModifier, headerCenter(g, col));
}

inline void cellClick(ui::sevGrid& g, int row, int col, Qt::MouseButton button = Qt::LeftButton,
                      Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QTest::mouseClick(viewOf(g)->viewport(), button, mods, cellCenter(g, row, col));
}

}  // namespace zevo::test
