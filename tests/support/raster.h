#pragma once
// Where a person clicks in a grid, and the clicks and keys themselves, sent
// as the user's own events: a cell, a double click, a column header (which
// sorts a grid with autosort), a key in the grid.
#include "components/sevgrid.h"

#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
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
inline void headerClick(ui::sevGrid& g, const QString& key) { headerClick(g, g.colIndex(key)); }

// A click on a cell, scrolled into view first as the user would.
inline void cellClick(ui::sevGrid& g, int row, int col, Qt::MouseButton button = Qt::LeftButton,
                      Qt::KeyboardModifiers mods = Qt::NoModifier) {
  viewOf(g)->scrollTo(viewOf(g)->model()->index(row - 1, col - 1));
  QTest::mouseClick(viewOf(g)->viewport(), button, mods, cellCenter(g, row, col));
}
inline void cellClick(ui::sevGrid& g, int row, const QString& key, Qt::MouseButton button = Qt::LeftButton) {
  cellClick(g, row, g.colIndex(key), button);
}

// A double click on a cell: its first click, then the double click.
inline void cellDoubleClick(ui::sevGrid& g, int row, int col = 1) {
  cellClick(g, row, col);
  QTest::mouseDClick(viewOf(g)->viewport(), Qt::LeftButton, Qt::NoModifier, cellCenter(g, row, col));
}

// The user scrolls the grid fully right and clicks the header of the column
// twice (up, then down): after each click the view keeps its horizontal
// position, and the current row, the same record by its cell in `merkmal`,
// is in view at its new place.
inline void sortierenhältdieansicht(ui::sevGrid& g, const QString& key, const QString& merkmal) {
  QTableView* v = viewOf(g);
  QScrollBar* waagrecht = v->horizontalScrollBar();
  QApplication::processEvents();   // what the grid still does after the last click
  waagrecht->setValue(waagrecht->maximum());
  const int rechts = waagrecht->value();
  const QString satz = g.row() > 0 ? g.cell(g.row(), merkmal) : QString();
  int ordnung = g.column(key).sortorder();
  for (int klick = 1; klick <= 2; ++klick) {
    QVERIFY2(v->horizontalHeader()->viewport()->rect().contains(headerCenter(g, g.colIndex(key))),
             qPrintable("Spalte " + key + " nicht zu sehen"));
    headerClick(g, key);
    QApplication::processEvents();
    ordnung = ordnung == 1 ? 2 : 1;
    QCOMPARE(g.column(key).sortorder(), ordnung);
    QCOMPARE(waagrecht->value(), rechts);
    QCOMPARE(g.row() > 0 ? g.cell(g.row(), merkmal) : QString(), satz);
    if (g.row() == 0) continue;
    const QRect zeile = v->visualRect(v->model()->index(g.row() - 1, g.colIndex(key) - 1));
    QVERIFY2(v->viewport()->rect().contains(zeile),
             qPrintable(QString("Zeile %1 bei %2..%3, Ansicht %4x%5").arg(g.row()).arg(zeile.left())
                            .arg(zeile.bottom()).arg(v->viewport()->width()).arg(v->viewport()->height())));
  }
}

// A key pressed in the grid (the arrows move the current row).
inline void gridKey(ui::sevGrid& g, Qt::Key key) { QTest::keyClick(viewOf(g)->viewport(), key); }

}  // namespace zevo::test
