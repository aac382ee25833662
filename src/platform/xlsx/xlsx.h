#pragma once
// A spreadsheet workbook with one sheet, built in memory and written as an
// .xlsx file (Office Open XML) that Excel, LibreOffice and other spreadsheet
// programs open.
//
//   xlsx::Worksheet sheet;
//   sheet.setText(1, 1, "Volk");  sheet.setText(1, 2, "kg");
//   sheet.setRowBold(1);
//   sheet.setText(2, 1, "V1");    sheet.setNumber(2, 2, 12.5);
//   sheet.setColumnFormat(2, "#,##0.00");     // right-aligned, thousands and two decimals
//   sheet.autofitColumns();                   // widths from the cells set so far
//   sheet.setText(3, 1, "Fußzeile");          // does not change the widths any more
//   sheet.save("/home/imker/Dokumente/liste.xlsx");   // throws vb::Error
//
// Rows and columns count from 1. A cell takes the format of its column and
// the bold of its row, as if the whole column and the whole row had been
// formatted. Texts are stored as texts (never as formulas), numbers as numbers.

#include "platform/runtime/error.h"

#include <QString>

#include <map>
#include <set>
#include <utility>

namespace zevo::xlsx {

// Excel's own column name: 1 "A", 26 "Z", 27 "AA", 52 "AZ", 703 "AAA".
QString columnName(int col);

class Worksheet {
public:
  struct Cell {
    bool number = false;
    QString text;        // the text of a text cell
    double value = 0;    // the value of a number cell
  };
  struct ColumnFormat {
    QString numberFormat;   // "" = General
    bool alignRight = false;
  };

  // "" removes the cell (an empty cell). A text longer than a cell can hold
  // (32767 characters) is cut there.
  void setText(int row, int col, const QString& text);
  // A value that is not finite is stored as its text.
  void setNumber(int row, int col, double value);
  void setRowBold(int row, bool bold = true);
  void setColumnFormat(int col, const QString& numberFormat, bool alignRight = true);

  // Sets every column's width to fit the cells set so far (the longest shown
  // text, numbers as their number format shows them, bold a little wider).
  // Columns without cells keep their width.
  void autofitColumns();
  void setColumnWidth(int col, double characters);

  const Cell* cell(int row, int col) const;   // nullptr when empty
  bool rowBold(int row) const { return boldRows_.count(row) > 0; }
  ColumnFormat columnFormat(int col) const;
  double columnWidth(int col) const;           // in characters; 0 = the default width
  int rowCount() const;                        // the last row with a cell
  int columnCount() const;                     // the last column with a cell

  // Writes the workbook (sheet "Tabelle1"). Throws vb::Error with a German
  // text when the file cannot be written; no partial file is left behind.
  void save(const QString& path) const;

  // The text a cell shows (a number through its column's number format,
  // German style: "1.234,50").
  QString shownText(int row, int col) const;

private:
  std::map<std::pair<int, int>, Cell> cells_;
  std::set<int> boldRows_;
  std::map<int, ColumnFormat> columnFormats_;
  std::map<int, double> widths_;
};

}  // namespace zevo::xlsx
