#include "platform/xlsx/xlsx.h"

#include "platform/runtime/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <xlsxwriter.h>

#include <algorithm>
#include <cmath>

namespace zevo::xlsx {

namespace {

constexpr int maxCellText = 32767;

// The decimals and the thousands grouping of a number format such as
// "#,##0.00"; General (-1 decimals) for anything else.
struct NumberLook {
  int decimals = -1;
  bool grouped = false;
};

NumberLook look(const QString& format) {
  NumberLook l;
  if (format.isEmpty() || format.compare(QLatin1String("General"), Qt::CaseInsensitive) == 0) return l;
  const qsizetype point = format.indexOf(QLatin1Char('.'));
  l.decimals = 0;
  if (point >= 0)
    for (qsizetype i = point + 1; i < format.size() && format[i] == QLatin1Char('0'); ++i) ++l.decimals;
  l.grouped = format.contains(QLatin1Char(','));
  return l;
}

QString germanNumber(double value, const NumberLook& l) {
  QLocale de(QLocale::German, QLocale::Germany);
  if (l.decimals < 0) {
    de.setNumberOptions(QLocale::OmitGroupSeparator);
    return de.toString(value, 'g', 11);
  }
  if (!l.grouped) de.setNumberOptions(QLocale::OmitGroupSeparator);
  return de.toString(value, 'f', l.decimals);
}

}  // namespace

QString columnName(int col) {
  QString name;
  for (int n = col; n > 0; n = (n - 1) / 26) name.prepend(QChar(u'A' + (n - 1) % 26));
  return name;
}

void Worksheet::setText(int row, int col, const QString& text) {
  if (text.isEmpty()) {
    cells_.erase({row, col});
    return;
  }
  Cell c;
  c.text = text.left(maxCellText);
  cells_[{row, col}] = c;
}

void Worksheet::setNumber(int row, int col, double value) {
  if (!std::isfinite(value)) {
    setText(row, col, QString::number(value));
    return;
  }
  Cell c;
  c.number = true;
  c.value = value;
  cells_[{row, col}] = c;
}

void Worksheet::setRowBold(int row, bool bold) {
  if (bold)
    boldRows_.insert(row);
  else
    boldRows_.erase(row);
}

void Worksheet::setColumnFormat(int col, const QString& numberFormat, bool alignRight) {
  columnFormats_[col] = ColumnFormat{numberFormat, alignRight};
}

Worksheet::ColumnFormat Worksheet::columnFormat(int col) const {
  const auto it = columnFormats_.find(col);
  return it == columnFormats_.end() ? ColumnFormat{} : it->second;
}

void Worksheet::setColumnWidth(int col, double characters) { widths_[col] = characters; }

double Worksheet::columnWidth(int col) const {
  const auto it = widths_.find(col);
  return it == widths_.end() ? 0 : it->second;
}

const Worksheet::Cell* Worksheet::cell(int row, int col) const {
  const auto it = cells_.find({row, col});
  return it == cells_.end() ? nullptr : &it->second;
}

int Worksheet::rowCount() const { return cells_.empty() ? 0 : cells_.rbegin()->first.first; }

int Worksheet::columnCount() const {
  int n = 0;
  for (const auto& [at, c] : cells_) n = std::max(n, at.second);
  return n;
}

QString Worksheet::shownText(int row, int col) const {
  const Cell* c = cell(row, col);
  if (!c) return {};
  if (!c->number) return c->text;
  return germanNumber(c->value, look(columnFormat(col).numberFormat));
}

void Worksheet::autofitColumns() {
  std::map<int, double> fit;
  for (const auto& [at, c] : cells_) {
    const auto [row, col] = at;
    // A character is about one width unit; bold type runs a tenth wider;
    // a little room on both sides as the spreadsheet programs leave it.
    double w = shownText(row, col).size() * (rowBold(row) ? 1.1 : 1.0) + 1.0;
    fit[col] = std::max(fit[col], w);
  }
  for (const auto& [col, w] : fit) widths_[col] = std::min(w, 255.0);
}

void Worksheet::save(const QString& path) const {
  const QString native = QDir::toNativeSeparators(path);
  auto failure = [&] {
    return vb::Error(vb::errPathFileAccess, "Die Tabelle konnte nicht geschrieben werden: " + native);
  };
  const QFileInfo info(path);
  if (!info.absoluteDir().exists()) throw vb::Error::forFile(vb::errPathNotFound, info.absolutePath());

  // The library writes the workbook beside the old one, which it replaces
  // only once the workbook is whole.
  vb::WholeFile whole(path);
  if (!whole.open()) throw failure();
  const QByteArray file = QFile::encodeName(whole.temporaryPath());
  lxw_workbook_options options{};
  options.constant_memory = LXW_FALSE;
  options.tmpdir = nullptr;
  options.use_zip64 = LXW_FALSE;
  lxw_workbook* book = workbook_new_opt(file.constData(), &options);
  if (!book) throw failure();
  lxw_worksheet* sheet = workbook_add_worksheet(book, "Tabelle1");

  // One format per combination of bold and column format, made on first use.
  std::map<std::pair<bool, int>, lxw_format*> formats;
  auto formatFor = [&](bool bold, int col) -> lxw_format* {
    const auto cf = columnFormats_.find(col);
    const int key = cf == columnFormats_.end() ? 0 : col;
    if (!bold && key == 0) return nullptr;
    auto& f = formats[{bold, key}];
    if (!f) {
      f = workbook_add_format(book);
      if (bold) format_set_bold(f);
      if (key != 0) {
        if (!cf->second.numberFormat.isEmpty()) format_set_num_format(f, cf->second.numberFormat.toUtf8().constData());
        if (cf->second.alignRight) format_set_align(f, LXW_ALIGN_RIGHT);
      }
    }
    return f;
  };

  lxw_error error = LXW_NO_ERROR;
  auto keep = [&error](lxw_error e) {
    if (error == LXW_NO_ERROR) error = e;
  };

  std::set<int> columns;
  for (const auto& [col, f] : columnFormats_) columns.insert(col);
  for (const auto& [col, w] : widths_) columns.insert(col);
  for (int col : columns) {
    const double w = columnWidth(col);
    keep(worksheet_set_column(sheet, static_cast<lxw_col_t>(col - 1), static_cast<lxw_col_t>(col - 1),
                              w > 0 ? w : LXW_DEF_COL_WIDTH, formatFor(false, col)));
  }
  for (int row : boldRows_)
    keep(worksheet_set_row(sheet, static_cast<lxw_row_t>(row - 1), LXW_DEF_ROW_HEIGHT, formatFor(true, 0)));

  for (const auto& [at, c] : cells_) {
    const auto [row, col] = at;
    if (row < 1 || col < 1) continue;
    lxw_format* f = formatFor(rowBold(row), col);
    const auto r = static_cast<lxw_row_t>(row - 1);
    const auto k = static_cast<lxw_col_t>(col - 1);
    if (c.number)
      keep(worksheet_write_number(sheet, r, k, c.value, f));
    else
      keep(worksheet_write_string(sheet, r, k, c.text.toUtf8().constData(), f));
  }

  const lxw_error closed = workbook_close(book);
  if (error == LXW_NO_ERROR) error = closed;
  if (error != LXW_NO_ERROR || !whole.commit()) throw failure();
}

}  // namespace zevo::xlsx
