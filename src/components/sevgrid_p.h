#pragma once
// Inner parts of the grid shared by its source files.

#include "components/sevgrid.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QTableView>

#include <vector>

namespace zevo::ui {

constexpr int kTwipsPerPixel = 15;
constexpr int kDefaultWidthTwips = 1200;

struct GridCol {
  QString key;
  QString caption;
  int align = 0;
  int numeric = 0;
  int columntype = 0;
  int width = kDefaultWidthTwips;   // twips
  bool gegeben = false;             // set by the window, the user, stored widths or the file
  int sortorder = 0;
  int fieldType = 0;                // dao::FieldType of a bound column, 0 unbound
};

struct GridRow {
  QStringList cells;                // may be shorter than the column count
  QVariantList values;              // bound rows: the typed values
  bool marked = false;
};

class GridModel : public QAbstractTableModel {
public:
  explicit GridModel(sevGrid* g) : QAbstractTableModel(g), g_(g) {}
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation o, int role) const override;
  // The view's idea of the size changes only here.
  void publish();
  void publishAppend(int rowsBefore, int colsBefore);
  void touchRows(int first, int last);   // 0-based
  int shownRows = 0;
  int shownCols = 0;
private:
  sevGrid* g_;
};

class GridView : public QTableView {
public:
  explicit GridView(sevGrid* g);
protected:
  void mousePressEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  bool eventFilter(QObject* o, QEvent* e) override;
private:
  sevGrid* g_;
};

struct sevGrid::Data {
  std::vector<GridCol> cols;
  std::vector<GridRow> rows;
  QHash<QString, int> keyIndex;      // case-folded key -> first 0-based column
  int current = 0;                   // 1-based, 0 = none
  int anchor = 0;                    // start of a Shift range
  bool locked = false;
  bool dirty = false;
  bool applyingWidths = false;
  bool bound = false;
  dao::Database db;
  QString table;
  mutable std::vector<int> selCache;
  mutable bool selDirty = true;
  GridModel* model = nullptr;
  GridView* view = nullptr;

  void rebuildKeys();
  int keyToIndex(const QString& key) const;     // 0-based, -1 unknown
  const QString& cellRef(int row0, int col0) const;
};

// A cell text escaped for one line of the grid file.
QString gridEscape(const QString& s);
// The reverse; false on a broken escape.
bool gridUnescape(const QString& s, QString& out);

}  // namespace zevo::ui
