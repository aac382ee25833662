#pragma once
// The grid of every window: a list bound to a query or filled row by row.
//
// Rows and columns count from 1; row 0 means "no row". Column keys are
// case-insensitive. Widths are in twips (15 twips per pixel).
//
// Bound:   clear(); lockupdate(true); setPrebindflag(true); setRecordset(rs);
//          lockupdate(false); refresh();   -- rs may be closed afterwards.
// Unbound: clear(); addcolumn("key", "Caption"); addcolumn("n", "Zahl", -1, 1, true, 1, 1);
//          additem("a\t1,50\t");          -- cells joined by TAB, one trailing TAB ends the row
//
// The user events (rowclick, rowmove, dblclick, mouseclick, colresize,
// aftersort) come from the mouse and the keyboard only; nothing a window
// calls raises them. rowchange follows every change of the current row.
// rowclick is a press on a row (also the first click of a double click);
// mouseclick a press anywhere else (header, empty area), x and y in twips.
// Marks: with allowmultiselect the user marks with Ctrl and Shift and
// setRow leaves the marks alone; without it the one mark follows the
// current row. The Del key deletes nothing; removeitem always deletes.

#include "platform/dao/dao.h"

#include <QStringList>
#include <QUrl>
#include <QVariant>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

namespace zevo::ui {

class sevGrid;
struct GridRow;

// A handle on one column (returned by value; a handle on a column that does
// not exist reads defaults and ignores writes).
class GridColumn {
public:
  bool exists() const;
  int index() const { return index_; }       // 1-based, 0 = none
  QString key() const;
  QString caption() const;
  void setCaption(const QString& caption);
  int align() const;                          // 0 left, 1 right, 2 centred
  void setAlign(int align);
  int numeric() const;                        // 1 = number column
  void setNumeric(int numeric);
  int columntype() const;                     // 2 = dates
  void setColumntype(int type);
  int width() const;                          // twips
  void setWidth(int twips);
  int sortorder() const;                      // 0 none, 1 ascending, 2 descending
private:
  friend class sevGrid;
  GridColumn(sevGrid* grid, int index) : grid_(grid), index_(index) {}
  sevGrid* grid_;
  int index_;
};

class sevGrid : public QWidget {
  Q_OBJECT
public:
  explicit sevGrid(QWidget* parent = nullptr);
  ~sevGrid() override;

  // --- binding and filling ---------------------------------------------------
  // all = true: rows, columns, the bound source, marks and the current row.
  // all = false: only the rows.
  void clear(bool all = true);
  // Suspends painting and collects the changes until lockupdate(false).
  void lockupdate(bool on);
  bool locked() const;
  void refresh();

  // Accepted for the windows' binding sequence; they change nothing.
  void setBindflag(bool on) { bindflag_ = on; }
  bool bindflag() const { return bindflag_; }
  void setPrebindflag(bool on) { prebindflag_ = on; }
  bool prebindflag() const { return prebindflag_; }
  void setPostbindflag(bool on) { postbindflag_ = on; }
  bool postbindflag() const { return postbindflag_; }

  // Copies every row of rs (its cursor position is kept). Columns are the
  // fields, keyed and captioned by name; number fields are right-aligned
  // numeric columns, date fields columntype 2. Leaves no current row.
  void setRecordset(const dao::Recordset& rs);
  bool bound() const;
  QString sourceTable() const;

  // addcolumn(key, caption) and the longer call shapes: the 4th argument is
  // the alignment; the 7th, when 0 or 1, the numeric mark, otherwise a
  // right-aligned column is numeric. Further arguments mean nothing.
  void addcolumn(const QString& key, const QString& caption);
  void addcolumn(const QString& key, const QString& caption, const QVariantList& further);
  template <class... A>
  void addcolumn(const QString& key, const QString& caption, const A&... further) {
    addcolumn(key, caption, QVariantList{QVariant::fromValue(further)...});
  }
  // Cells separated by TAB; one trailing TAB does not make an extra cell.
  // position: 1-based, the row is inserted before it (0 = append).
  void additem(const QString& text, int position = 0);
  // A row appended from its cells: the same as additem of the cells each
  // followed by a TAB, without joining and splitting them again.
  void addcells(QStringList cells);
  // An empty row before each of the given rows (1-based, numbered as the
  // rows stand now; a position twice gives two), in one pass: the same as
  // additem("", p) for each p from the largest to the smallest.
  void insertemptyrows(QList<int> positions);

  // --- reading ---------------------------------------------------------------
  int rows() const;
  int cols() const;
  int row() const;
  void setRow(int row);                       // 0 = none; raises rowchange only
  QString cell(int row, const QString& key) const;   // "" when out of range
  QString cell(int row, int col) const;
  QVariant value(int row, const QString& key) const; // bound: the typed value
  GridColumn column(int index);
  GridColumn column(const QString& key);
  GridColumn column(const char* key) { return column(QString::fromUtf8(key)); }
  GridColumn column(char) = delete;           // a digit key is a text: column("1")
  int colIndex(const QString& key) const;    // 1-based, 0 = unknown

  int selcount() const;
  int selrow(int i) const;                    // i from 0, ascending rows; 0 when out of range
  bool selected(int row) const;
  void setSelected(int row, bool on);

  // --- operations ------------------------------------------------------------
  void sort(const QString& keys);             // "Datum,Termin,Volknr", ascending
  void sort(int col, int order);              // order 2 descending, else ascending
  // "ID = 17", "Arbeitsart = 'Füttern'", joined by AND. Makes the first
  // matching row current and returns it; 0 and no change when none matches.
  // A quoted text matches as the database compares texts (dao::compareText):
  // "café" finds "Café", not "Cafè".
  int findrow(const QString& criteria, bool flag = false);
  int seekrow(const QString& criteria, bool flag = false) { return findrow(criteria, flag); }
  // Bound grid: deletes the row's record (by its ID) from the source table
  // first (throws dao::Error when that fails), then removes the row.
  void removeitem(int row);
  // Fits the column to its caption and its texts: those of the first rows
  // and the longest further down.
  void autosizecolumn(int col);
  void autosizecolumns();                     // every column, in one pass over the rows

  // Widths by position, in twips, in the user's configuration.
  void loadcolwidths(const QString& app, const QString& section, const QString& key);
  void savecolwidths(const QString& app, const QString& section, const QString& key) const;

  // The grid file: captions, flags, widths and every cell, in display order.
  bool savetofile(const QString& path) const;
  // Replaces everything; the grid is unbound afterwards. false (and an empty
  // grid) when the file is missing or not a grid file.
  bool loadfromfile(const QString& path, bool flag = true);

  // --- HTML report -----------------------------------------------------------
  void setHtmltitle(const QString& title) { htmltitle_ = title; }
  QString htmltitle() const { return htmltitle_; }
  void setHtmlpagerows(int n) { htmlpagerows_ = n; }
  int htmlpagerows() const { return htmlpagerows_; }
  void setHtmloption(bool on) { htmloption_ = on; }   // cell borders
  bool htmloption() const { return htmloption_; }
  // Page 1 goes to path, pages 2.. to "<name>-2.<ext>" ... beside it; older
  // page files of that name are removed first.
  bool savehtml(const QString& path);
  QStringList htmlfiles() const { return htmlFiles_; }
  // Opens the page in the desktop's browser; false when none could be started.
  bool showhtml(int page = 1, bool flag = true);
  bool showhtmlie(int page = 1, bool flag = true, bool flag2 = true);
  // How reports are opened; the desktop's browser unless a test replaces it.
  static std::function<bool(const QUrl&)>& urlOpener();

  // --- design ----------------------------------------------------------------
  void setAllowdelete(bool on) { allowdelete_ = on; }
  bool allowdelete() const { return allowdelete_; }
  void setAutosort(bool on) { autosort_ = on; }
  bool autosort() const { return autosort_; }
  void setAllowmultiselect(bool on) { allowmultiselect_ = on; }
  bool allowmultiselect() const { return allowmultiselect_; }
  void setFixedcol(int twips);                // width of the row-label column, 0 = none
  int fixedcol() const { return fixedcol_; }
  bool enabled() const { return isEnabled(); }

  struct Data;   // inner state, shared by the grid's source files

  // --- hooks -----------------------------------------------------------------
  std::function<void(int row, QString& fixedText)> rowpaint;
  std::function<void(int page, int pages, QString& text)> pagetext;
  std::function<void(int page, int pages, int records, QString& text)> footertext;

signals:
  void rowclick(int row, int col, int button, int shift);
  void dblclick();
  void rowmove(int row);
  void rowchange();
  void mouseclick(int button, int shift, int x, int y);
  void colresize(int col, int widthTwips);
  void aftersort();

private:
  friend class GridColumn;
  friend class GridModel;
  friend class GridView;
  std::unique_ptr<Data> d;

  bool bindflag_ = false, prebindflag_ = false, postbindflag_ = false;
  bool allowdelete_ = false, autosort_ = false, allowmultiselect_ = false;
  int fixedcol_ = 0;
  QString htmltitle_;
  int htmlpagerows_ = 0;
  bool htmloption_ = false;
  QStringList htmlFiles_;

  // internals shared by the source files of the grid
  void changedAll();
  void zeilezeigen(int row);   // scrolls the row into view, keeping the columns in sight
  void changedRows(int first, int last);
  void applyWidths();
  void appendRow(GridRow r);
  int startbreite(const QString& caption) const;
  int inhaltsbreite(int col) const;   // pixels
  std::vector<int> inhaltsbreiten(int first, int last) const;   // 0-based columns
  void startbreitensetzen();
  void setCurrent(int row);
  void markOnly(int row);
  void extendTo(int row);
  void sortBy(const std::vector<std::pair<int, bool>>& keys);
  void userPress(int row, int col, Qt::MouseButton button, Qt::KeyboardModifiers mods, QPoint pos);
  void userDoubleClick(int row);
  void userKey(int key, Qt::KeyboardModifiers mods);
  void userHeaderClick(int col);
  void userHeaderPress(Qt::MouseButton button, Qt::KeyboardModifiers mods, QPoint pos);
  void userResize(int col, int px);
  void removeRow(int row);
};

}  // namespace zevo::ui
