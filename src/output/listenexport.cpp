#include "output/listenexport.h"

#include "platform/runtime/desktop.h"

#include "components/sevgrid.h"
#include "platform/runtime/files.h"
#include "platform/runtime/vb.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

#include <algorithm>
#include <cmath>
#include <vector>

namespace zevo::output {

namespace {

bool trennzeile(ui::sevGrid& grid, int row) { return grid.cell(row, 1) == QLatin1String("."); }

}  // namespace

// --- text table ----------------------------------------------------------------------

QStringList texttabelle(ui::sevGrid& grid, const QString& trennzeichen, bool datumzeile,
                        const QString& heute, const QString& kopftext) {
  const int n = std::min(grid.cols(), maxtextspalten);
  const int rows = grid.rows();
  std::vector<int> breite(n + 1, 0);
  std::vector<bool> rechts(n + 1, false);
  int summe = 0;
  for (int c = 1; c <= n; ++c) {
    ui::GridColumn spalte = grid.column(c);
    breite[c] = static_cast<int>(spalte.caption().size());
    rechts[c] = spalte.align() != 0;
    for (int r = 1; r <= rows; ++r) breite[c] = std::max(breite[c], static_cast<int>(grid.cell(r, c).size()));
    summe += breite[c];
  }
  const QString strichzeile(summe + trennzeichen.size() * std::max(0, n - 1), QLatin1Char('-'));

  auto zeile = [&](auto text) {
    QString z;
    for (int c = 1; c <= n; ++c) {
      if (c > 1) z += trennzeichen;
      const QString t = text(c);
      z += rechts[c] ? t.rightJustified(breite[c], QLatin1Char(' ')) : t.leftJustified(breite[c], QLatin1Char(' '));
    }
    return z;
  };

  QStringList out;
  if (datumzeile) out << "Datum: " + heute;
  if (!kopftext.isEmpty()) out << kopftext;
  if (datumzeile || !kopftext.isEmpty()) out << QString();
  out << zeile([&](int c) { return grid.column(c).caption(); });
  out << strichzeile;
  for (int r = 1; r <= rows; ++r) {
    if (trennzeile(grid, r)) {
      if (r == rows || trennzeile(grid, r + 1)) {
        out << QString() << QString();
        ++r;   // the second separator row is used up
      } else {
        out << strichzeile;
      }
      continue;
    }
    out << zeile([&](int c) { return grid.cell(r, c); });
  }
  return out;
}

// --- spreadsheet -----------------------------------------------------------------------

std::optional<double> excelzahl(const QString& text) {
  if (text.contains(QLatin1Char('.'))) return std::nullopt;
  QString u = text;
  if (const qsizetype komma = u.indexOf(QLatin1Char(',')); komma >= 0) u[komma] = QLatin1Char('.');
  static const QRegularExpression zahl(QStringLiteral("^ *[+-]?(\\d*)\\.?(\\d*) *$"));
  const QRegularExpressionMatch m = zahl.match(u);
  if (!m.hasMatch()) return std::nullopt;
  const QString ganz = m.captured(1), bruch = m.captured(2);
  if (ganz.isEmpty() && bruch.isEmpty()) return std::nullopt;
  // A number that would not give its text back stays text: a leading zero
  // ("07", a colony number or a postcode), more significant digits than the
  // sheet keeps (15), more decimals than a number format shows (30), a
  // number beyond the range of numbers.
  const QString alle = ganz + bruch;
  qsizetype von = 0, bis = alle.size();
  while (von < bis && alle[von] == QLatin1Char('0')) ++von;
  while (bis > von && alle[bis - 1] == QLatin1Char('0')) --bis;
  if (bis - von > 15 || bruch.size() > 30) return std::nullopt;
  const double wert = vb::val(u);
  const QString zurück = QString::number(std::fabs(wert), 'f', int(bruch.size()));
  if (zurück != (ganz.isEmpty() ? QStringLiteral("0") : ganz) + (bruch.isEmpty() ? QString() : '.' + bruch))
    return std::nullopt;
  return wert == 0 ? 0.0 : wert;   // no "-0"
}

xlsx::Worksheet exceltabelle(ui::sevGrid& grid, bool datumzeile, const QString& heute,
                             const QString& kopftext) {
  const bool kopf = !kopftext.isEmpty();
  const int oben = datumzeile && kopf ? 3 : (datumzeile || kopf ? 2 : 0);
  xlsx::Worksheet sheet;
  const int cols = grid.cols();
  for (int c = 1; c <= cols; ++c) sheet.setText(oben + 1, c, grid.column(c).caption());
  sheet.setRowBold(oben + 1);
  for (int r = 1; r <= grid.rows(); ++r)
    for (int c = 1; c <= cols; ++c) {
      const QString t = grid.cell(r, c);
      if (const auto zahl = excelzahl(t))
        sheet.setNumber(oben + 1 + r, c, *zahl);
      else
        sheet.setText(oben + 1 + r, c, t);
    }
  for (int c = 1; c <= std::min(cols, maxtextspalten); ++c)
    if (grid.column(c).align() == 1) sheet.setColumnFormat(c, QStringLiteral("#,##0.00"), true);
  // The columns are fitted before the date and the header text go on top,
  // so these two never widen the first column.
  sheet.autofitColumns();
  if (kopf) sheet.setText(datumzeile ? 2 : 1, 1, kopftext);
  if (datumzeile) sheet.setText(1, 1, heute);
  return sheet;
}

namespace {

QString& ordnerVorgabe() {
  static QString ordner;
  return ordner;
}

bool imProgrammordner(const QString& ordner) {
  const QString programm = QDir(vb::programFolder()).canonicalPath();
  const QString pfad = QDir(ordner).canonicalPath();
  return !programm.isEmpty() && (pfad == programm || pfad.startsWith(programm + QLatin1Char('/')));
}

}  // namespace

QString tabellenordner() {
  if (!ordnerVorgabe().isEmpty()) return vb::withTrailingSlash(ordnerVorgabe());
  const QString dokumente = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (!dokumente.isEmpty() && QDir().mkpath(dokumente) && !imProgrammordner(dokumente))
    return vb::withTrailingSlash(dokumente);
  return vb::withTrailingSlash(QDir::tempPath());
}

void setTabellenordner(const QString& ordner) { ordnerVorgabe() = ordner; }

QString neuetabellendatei(const QString& ordner) {
  const QString basis = vb::withTrailingSlash(ordner) + "ZEVO_Liste_" + vb::now().toString("yyyy-MM-dd_HHmmss");
  QString pfad = basis + ".xlsx";
  for (int i = 2; QFileInfo::exists(pfad); ++i) pfad = basis + "_" + QString::number(i) + ".xlsx";
  return pfad;
}

std::function<bool(const QUrl&)>& dokumentöffner() {
  static std::function<bool(const QUrl&)> öffner = [](const QUrl& url) { return vb::openDocument(url.toLocalFile()); };
  return öffner;
}

// --- HTML report --------------------------------------------------------------------------

QString htmltitel(bool datumzeile, const QString& heute, const QString& kopftext) {
  QString titel;
  if (datumzeile) titel = heute + "   ";
  return titel + kopftext;
}

void htmlseitentext(bool seitenzahlen, int seite, int seiten, QString& text) {
  if (seitenzahlen && seiten >= 2) text = "Seite " + QString::number(seite) + " von " + QString::number(seiten);
}

void htmlfußtext(bool datensatzzahl, int seite, int seiten, int datensätze, QString& text) {
  if (datensatzzahl && seite == seiten) text = "Anzahl Datensätze: " + vb::str(datensätze);
}

}  // namespace zevo::output
