#pragma once
// The three forms of an evaluation list besides the grid itself: the text
// table of LISTE.TXT, the spreadsheet workbook and the texts of the HTML
// report. The list window (IA_Zwischenliste) uses them on its grid.
//
// A row whose first cell is exactly "." is a separator row: in the text table
// it gives a dash line, or two empty lines when it is the last row or the
// next row is one as well (that next row is then used up). Elsewhere it is
// an ordinary row with the text ".".

#include "platform/xlsx/xlsx.h"

#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <optional>

namespace zevo::ui {
class sevGrid;
}

namespace zevo::output {

// The text table holds at most this many columns; the spreadsheet formats
// number columns only up to it (columns "A" to "AZ").
constexpr int maxtextspalten = 52;

// The lines of the text table (without line ends): the optional date line
// "Datum: " + heute and kopftext, one empty line after them, the header, a
// dash line and the rows. Column widths are the longest caption or cell;
// left-aligned columns (align 0) are padded on the right, the others (right-
// aligned or centred) on the left; trennzeichen stands between two columns.
QStringList texttabelle(ui::sevGrid& grid, const QString& trennzeichen, bool datumzeile,
                        const QString& heute, const QString& kopftext);

// A cell text as the spreadsheet takes it: a number when the text has no "."
// and, with its first "," read as decimal point, is a plain number (optional
// sign, digits, at most one decimal point, blanks around): "-3" -> -3,
// "12,5" -> 12.5. Everything else stays text ("1.234,50", "01.05.2007", ""),
// and so does a number that would not give its text back, shown with the
// text's decimals: a leading zero ("07", "-007,5"), more than 15 significant
// digits, more than 30 decimals, a number beyond the range of numbers.
std::optional<double> excelzahl(const QString& text);

// The sheet of the list: the date (datumzeile) and kopftext on top with one
// empty row after them, the bold caption row (always texts), the rows, and
// the columns fitted to the captions and cells. Every cell that excelzahl
// reads as a number becomes one, in every column; the other cells stay
// texts. Number columns (align 1) up to column 52 are right-aligned and
// formatted "#,##0.00"; every other cell keeps the sheet's standard format.
xlsx::Worksheet exceltabelle(ui::sevGrid& grid, bool datumzeile, const QString& heute,
                             const QString& kopftext);

// The folder the workbooks are written to: the user's documents folder, else
// the temporary folder; never the program folder, so that backups do not
// take them in. setTabellenordner sets another one ({} = the default again).
QString tabellenordner();
void setTabellenordner(const QString& ordner);

// A new file name in the folder: "ZEVO_Liste_yyyy-mm-dd_hhmmss.xlsx", with
// "_2", "_3", ... when that name is taken.
QString neuetabellendatei(const QString& ordner);

// Opens a written file with the desktop's default application; false when
// nothing could open it. Tests replace it.
std::function<bool(const QUrl&)>& dokumentöffner();

// The title of the HTML report: heute and three blanks (datumzeile), then kopftext.
QString htmltitel(bool datumzeile, const QString& heute, const QString& kopftext);

// The page texts of the HTML report: "Seite p von n" when seitenzahlen and
// there are at least two pages; on the last page "Anzahl Datensätze:  N"
// when datensatzzahl. Otherwise the text stays as it is.
void htmlseitentext(bool seitenzahlen, int seite, int seiten, QString& text);
void htmlfußtext(bool datensatzzahl, int seite, int seiten, int datensätze, QString& text);

}  // namespace zevo::output
