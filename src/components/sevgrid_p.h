#pragma once
// Inner parts of the grid shared by its source files.

#include "components/sevgrid.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QTableView>

#include <utility>
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

// The cells of one row as one block: each cell as the grid file holds it
// (UTF-8; backslash, TAB, CR and LF written \\, \t, \r, \n), a TAB between
// two cells. An empty row has no block.
class RowText {
public:
  RowText() = default;
  explicit RowText(QByteArrayView bytes);
  RowText(RowText&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
  RowText& operator=(RowText&& o) noexcept {
    std::swap(p_, o.p_);
    return *this;
  }
  ~RowText();
  QByteArrayView bytes() const;
private:
  char* p_ = nullptr;   // the length (quint32), then the bytes
};

struct GridRow {
  RowText text;
  int n = 0;            // cells of the text; a bound row: its record in Data::records
  bool bound = false;   // a record of the bound query, its texts made when asked for
  bool wide = false;    // the text holds half a surrogate pair (written as UTF-8 writes a code point)
  bool marked = false;
};

// A row of the given cells (none may hold a TAB).
GridRow cellsRow(const QStringList& cells);
// A row of cells separated by TAB (no trailing TAB), count cells.
GridRow tabRow(QStringView text, int count);
// A row read from a line of the grid file (valid UTF-8); false on a broken
// escape or another number of cells than count.
bool fileRow(QByteArrayView line, int count, GridRow& row);
// The escaped bytes of cell col0 of a row that is not bound ("" beyond its cells).
QByteArrayView cellBytes(const GridRow& row, int col0);
QString cellFromBytes(QByteArrayView escaped, bool wide);
// UTF-8 as text, a byte order mark at its start kept as a character.
QString textFromUtf8(QByteArrayView bytes);
// The text of a value of a bound row.
QString valueText(const QVariant& v);
// s escaped at the end of the grid file's bytes, as QString::toUtf8 writes it.
void appendFileCell(QByteArray& out, QStringView s);

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
  // The bound query's values, record after record, as the layer keeps them.
  dao::Records records;
  int recordWidth = 0;
  mutable std::vector<int> selCache;
  mutable bool selDirty = true;
  GridModel* model = nullptr;
  GridView* view = nullptr;

  void rebuildKeys();
  int keyToIndex(const QString& key) const;     // 0-based, -1 unknown
  QString cellText(int row0, int col0) const;           // "" when out of range
  // The texts of a row's cells first to last (0-based), as cellText gives
  // them, the row read once.
  void cellTexts(int row0, int first, int last, std::vector<QString>& out) const;
  // The typed value of a bound row's cell; invalid for any other cell.
  QVariant recordValue(int row0, int col0) const;
  int cellCount(const GridRow& r) const { return r.bound ? recordWidth : r.n; }
  void appendFileLine(QByteArray& out, const GridRow& r, int cols) const;
};

// A cell text escaped for one line of the grid file.
QString gridEscape(const QString& s);
void appendEscaped(QString& out, QStringView s);
// The reverse; false on a broken escape.
bool gridUnescape(const QString& s, QString& out);

}  // namespace zevo::ui
