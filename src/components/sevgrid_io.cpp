// The grid's files: column widths, the grid file and the HTML report.
#include "components/sevgrid_p.h"
#include "components/widthstore.h"
#include "platform/runtime/desktop.h"
#include "platform/runtime/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace zevo::ui {

// --- column widths ----------------------------------------------------------------

void sevGrid::loadcolwidths(const QString& app, const QString& section, const QString& key) {
  const QStringList parts = widthstore::value(app, section, key).split(QLatin1Char(';'), Qt::SkipEmptyParts);
  for (int i = 0; i < parts.size() && i < cols(); ++i) {
    bool ok = false;
    const int w = parts[i].trimmed().toInt(&ok);
    if (ok && w > 0) {
      d->cols[i].width = w;
      d->cols[i].gegeben = true;
    }
  }
  if (d->locked) d->dirty = true;
  else applyWidths();
}

void sevGrid::savecolwidths(const QString& app, const QString& section, const QString& key) const {
  QStringList parts;
  for (const auto& c : d->cols) parts << QString::number(c.width);
  // On a full disk the widths stay as they were last saved.
  widthstore::setValue(app, section, key, parts.join(QLatin1Char(';')));
}

// --- the grid file ------------------------------------------------------------------

namespace {

const QString kMagic = QStringLiteral("ZEVOGRID\t1");

}  // namespace

// s escaped at the end of out: backslash, TAB, CR and LF as \\, \t, \r, \n;
// the runs between them copied whole.
void appendEscaped(QString& out, QStringView s) {
  const QChar* p = s.constData();
  const qsizetype n = s.size();
  qsizetype run = 0;
  for (qsizetype i = 0; i < n; ++i) {
    const char16_t c = p[i].unicode();
    if (c != '\\' && c != '\t' && c != '\r' && c != '\n') continue;
    out.append(p + run, i - run);
    out += QLatin1Char('\\');
    out += QLatin1Char(c == '\\' ? '\\' : c == '\t' ? 't' : c == '\r' ? 'r' : 'n');
    run = i + 1;
  }
  out.append(p + run, n - run);
}

QString gridEscape(const QString& s) {
  QString out;
  out.reserve(s.size());
  appendEscaped(out, s);
  return out;
}

bool gridUnescape(const QString& s, QString& out) {
  out.clear();
  out.reserve(s.size());
  for (int i = 0; i < s.size(); ++i) {
    if (s[i] != QLatin1Char('\\')) {
      out += s[i];
      continue;
    }
    if (++i >= s.size()) return false;
    switch (s[i].unicode()) {
      case '\\': out += QLatin1Char('\\'); break;
      case 't': out += QLatin1Char('\t'); break;
      case 'r': out += QLatin1Char('\r'); break;
      case 'n': out += QLatin1Char('\n'); break;
      default: return false;
    }
  }
  return true;
}

bool sevGrid::savetofile(const QString& path) const {
  QString head = kMagic + QLatin1Char('\n');
  head += QStringLiteral("C\t%1\n").arg(cols());
  for (const auto& c : d->cols) {
    head += gridEscape(c.key) + QLatin1Char('\t') + gridEscape(c.caption) +
            QStringLiteral("\t%1\t%2\t%3\t%4\n").arg(c.align).arg(c.numeric).arg(c.columntype).arg(c.width);
  }
  head += QStringLiteral("R\t%1\n").arg(rows());
  // One line per row, every column's cell (a missing one empty), TAB between.
  // A row of text is written as it is kept.
  const int n = cols();
  QByteArray text = head.toUtf8();
  qsizetype größe = text.size();
  for (const GridRow& r : d->rows) größe += r.text.bytes().size() + n + (r.bound ? 8 * d->recordWidth : 0);
  text.reserve(größe + größe / 64);
  for (const GridRow& r : d->rows) {
    d->appendFileLine(text, r, n);
    text += '\n';
  }
  return vb::writeWholeFile(path, text);
}

namespace {

bool readCount(const QString& line, QChar tag, int& n) {
  if (line.size() < 3 || line[0] != tag || line[1] != QLatin1Char('\t')) return false;
  bool ok = false;
  n = line.mid(2).toInt(&ok);
  return ok && n >= 0;
}

bool readGridFile(const QString& path, std::vector<GridCol>& cols, std::vector<GridRow>& rows) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return false;
  const QByteArray all = f.readAll();
  if (!QByteArrayView(all).isValidUtf8()) return false;
  // Lines split at LF (an empty last one is none), a CR at the end of a line
  // dropped; a byte order mark at the start is no text.
  std::vector<QByteArrayView> lines;
  QByteArrayView rest(all);
  if (rest.startsWith("\xEF\xBB\xBF")) rest = rest.sliced(3);
  while (true) {
    const qsizetype lf = rest.indexOf('\n');
    QByteArrayView line = lf < 0 ? rest : rest.first(lf);
    if (lf < 0 && line.isEmpty()) break;
    if (line.endsWith('\r')) line.chop(1);
    lines.push_back(line);
    if (lf < 0) break;
    rest = rest.sliced(lf + 1);
  }
  const int total = int(lines.size());
  int at = 0;
  auto next = [&](QString& line) {
    if (at >= total) return false;
    line = textFromUtf8(lines[size_t(at++)]);
    return true;
  };
  QString line;
  int n = 0, m = 0;
  if (!next(line) || line != kMagic || !next(line) || !readCount(line, QLatin1Char('C'), n)) return false;
  // Every column and every row takes a line of its own: a count the file
  // cannot hold is a broken file, not a request for memory.
  if (n > total - at) return false;
  for (int i = 0; i < n; ++i) {
    if (!next(line)) return false;
    const QStringList p = line.split(QLatin1Char('\t'));
    if (p.size() != 6) return false;
    GridCol c;
    bool ok[4];
    if (!gridUnescape(p[0], c.key) || !gridUnescape(p[1], c.caption)) return false;
    c.align = p[2].toInt(&ok[0]);
    c.numeric = p[3].toInt(&ok[1]);
    c.columntype = p[4].toInt(&ok[2]);
    c.width = p[5].toInt(&ok[3]);
    c.gegeben = true;
    if (!(ok[0] && ok[1] && ok[2] && ok[3])) return false;
    cols.push_back(c);
  }
  if (!next(line) || !readCount(line, QLatin1Char('R'), m)) return false;
  if (m > total - at) return false;
  rows.reserve(m);
  for (int i = 0; i < m; ++i) {
    const QByteArrayView zeile = lines[size_t(at++)];
    GridRow r;
    if (n > 0 ? !fileRow(zeile, n, r) : !zeile.isEmpty()) return false;
    rows.push_back(std::move(r));
  }
  return at == total;
}

}  // namespace

bool sevGrid::loadfromfile(const QString& path, bool) {
  clear(true);   // the old list goes before the new one comes
  std::vector<GridCol> cols;
  std::vector<GridRow> rows;
  if (!readGridFile(path, cols, rows)) return false;
  d->cols = std::move(cols);
  d->rows = std::move(rows);
  d->rebuildKeys();
  changedAll();
  return true;
}

// --- the HTML report ------------------------------------------------------------------

namespace {

QString htmlText(const QString& s) {
  QString e = s.toHtmlEscaped();
  e.replace(QLatin1String("\r\n"), QLatin1String("<br>"));
  e.replace(QLatin1Char('\n'), QLatin1String("<br>"));
  e.replace(QLatin1Char('\r'), QLatin1String("<br>"));
  return e;
}

QString alignClass(int align) {
  if (align == 1) return QStringLiteral(" class=\"r\"");
  if (align == 2) return QStringLiteral(" class=\"c\"");
  return {};
}

}  // namespace

bool sevGrid::savehtml(const QString& path) {
  const QFileInfo fi(path);
  const QDir dir = fi.absoluteDir();
  const QString base = fi.completeBaseName();
  const QString ext = fi.suffix().isEmpty() ? QString() : QLatin1Char('.') + fi.suffix();
  auto pageName = [&](int page) {
    return page == 1 ? fi.fileName() : QStringLiteral("%1-%2%3").arg(base).arg(page).arg(ext);
  };

  htmlFiles_.clear();
  const QRegularExpression stale(QLatin1Char('^') + QRegularExpression::escape(base) + QStringLiteral("-\\d+") +
                                     QRegularExpression::escape(ext) + QLatin1Char('$'),
                                 QRegularExpression::CaseInsensitiveOption);
  for (const QString& name : dir.entryList(QDir::Files))
    if (stale.match(name).hasMatch() && !QFile::remove(dir.filePath(name))) return false;

  const int total = rows();
  const int per = htmlpagerows_ > 0 ? htmlpagerows_ : std::max(1, total);
  const int pages = std::max(1, (total + per - 1) / per);

  QString head = QStringLiteral("<tr>");
  for (const auto& c : d->cols) head += QStringLiteral("<th%1>%2</th>").arg(alignClass(c.align), htmlText(c.caption));
  head += QStringLiteral("</tr>\n");

  QStringList written;
  for (int page = 1; page <= pages; ++page) {
    QString h;
    h += QStringLiteral("<!DOCTYPE html>\n<html lang=\"de\">\n<head>\n<meta charset=\"utf-8\">\n");
    h += QStringLiteral("<title>%1</title>\n").arg(htmlText(htmltitle_));
    h += QStringLiteral(
        "<style>\n"
        "body { font-family: sans-serif; font-size: 10pt; }\n"
        "table { border-collapse: collapse; }\n"
        "th, td { padding: 2px 6px; vertical-align: top; text-align: left; }\n"
        "th { background: #e8e8e8; }\n"
        "table.b th, table.b td { border: 1px solid #999; }\n"
        ".r { text-align: right; } .c { text-align: center; }\n"
        "td.r { white-space: nowrap; }\n"
        "h1 { font-size: 14pt; white-space: pre-wrap; }\n"
        "</style>\n</head>\n<body>\n");
    if (!htmltitle_.isEmpty()) h += QStringLiteral("<h1>%1</h1>\n").arg(htmlText(htmltitle_));
    h += htmloption_ ? QStringLiteral("<table class=\"b\">\n") : QStringLiteral("<table>\n");
    h += QStringLiteral("<thead>\n") + head + QStringLiteral("</thead>\n<tbody>\n");
    const int first = (page - 1) * per;
    for (int r = first; r < std::min(total, first + per); ++r) {
      h += QStringLiteral("<tr>");
      for (int c = 0; c < cols(); ++c)
        h += QStringLiteral("<td%1>%2</td>").arg(alignClass(d->cols[c].align), htmlText(d->cellText(r, c)));
      h += QStringLiteral("</tr>\n");
    }
    h += QStringLiteral("</tbody>\n</table>\n");
    QString pageLine, footer;
    if (pagetext) pagetext(page, pages, pageLine);
    if (footertext) footertext(page, pages, total, footer);
    if (!pageLine.isEmpty()) h += QStringLiteral("<p class=\"page\">%1</p>\n").arg(htmlText(pageLine));
    if (!footer.isEmpty()) h += QStringLiteral("<p class=\"footer\">%1</p>\n").arg(htmlText(footer));
    if (pages > 1) {
      h += QStringLiteral("<p class=\"nav\">");
      if (page > 1) h += QStringLiteral("<a href=\"%1\">&laquo; Zurück</a> ").arg(pageName(page - 1).toHtmlEscaped());
      if (page < pages) h += QStringLiteral("<a href=\"%1\">Weiter &raquo;</a>").arg(pageName(page + 1).toHtmlEscaped());
      h += QStringLiteral("</p>\n");
    }
    h += QStringLiteral("</body>\n</html>\n");

    if (!vb::writeWholeFile(dir.filePath(pageName(page)), h.toUtf8())) return false;
    written << dir.filePath(pageName(page));
  }
  htmlFiles_ = written;
  return true;
}

std::function<bool(const QUrl&)>& sevGrid::urlOpener() {
  static std::function<bool(const QUrl&)> opener = [](const QUrl& url) { return vb::openDocument(url.toLocalFile()); };
  return opener;
}

bool sevGrid::showhtml(int page, bool) {
  if (htmlFiles_.isEmpty()) return false;
  const int i = (page >= 1 && page <= htmlFiles_.size()) ? page - 1 : 0;
  return urlOpener()(QUrl::fromLocalFile(htmlFiles_[i]));
}

bool sevGrid::showhtmlie(int page, bool flag, bool) { return showhtml(page, flag); }

}  // namespace zevo::ui
