#pragma once
// What every evaluation does with its result: the rows of a query copied
// into its hidden grid, and that grid handed to the list window.
//
//   output::abfrageübernehmen(rs, *gridli);            // columns and rows
//   if (!output::listeübergeben(*gridli)) return;      // gridli.txt + IA_Zwischenliste

#include "platform/dao/dao.h"

#include <QString>

#include <functional>

namespace zevo::ui {
class sevGrid;
}

namespace zevo::output {

// How the cells of a query are written.
struct Übernahme {
  // Fields of these DAO types are written by zahlformatieren(value, nachkomma)
  // (Null as 0); every other field by feldtext.
  QList<int> zahltypen{dao::dbCurrency, dao::dbSingle};
  int nachkomma = 2;
  // Leave the field "ID" out (no column, no cell).
  bool ohneID = false;
  // Add one column per field (key and caption = the field name; types 3 to 7
  // right-aligned numeric columns). false: the grid has its columns already.
  bool spaltenanlegen = true;
  // Copy the rows. false: only the columns (for a caller that writes its rows itself).
  bool zeilenübernehmen = true;
  // Called after each row added (a progress bar's step, say).
  std::function<void()> jezeile;
};

// Copies every row of rs (from its first record) into grid as TAB-separated
// cells, one trailing TAB per row. The grid is not cleared; lockupdate is
// the caller's. Returns the number of rows added.
int abfrageübernehmen(dao::Recordset& rs, ui::sevGrid& grid, const Übernahme& wie = {});

// The text of one value as abfrageübernehmen writes it for a field of `typ`.
QString zellentext(const QVariant& wert, int typ, const Übernahme& wie = {});

// The hand-over to the list window: lockupdate(false), the grid saved as
// datenpfad + "gridli.txt", then IA_Zwischenliste shown modally. A hidden
// grid (an evaluation's) loses its rows once the file is written, unless
// the window keeps its result between listings (ergebnisbehalten); its
// columns stay. When the file cannot be written the user is told (naming
// the file), the pointer is set back, the grid keeps its rows and no list
// window opens: false.
bool listeübergeben(ui::sevGrid& gridli, bool ergebnisbehalten = false);

}  // namespace zevo::output
