#pragma once
// The colony data card: a plain-text page about the current colony of the
// main window's grid, put into the main window's text box.

#include <QString>

namespace zevo::ui {
class sevGrid;
}

namespace zevo::shell {

// Builds the card of the current row of IA_ZEVO.datali into IA_ZEVO.Text1
// (or tells the user that no colony is current). A database failure is shown
// as a message and leaves Text1 as it was.
void volkdatenlisten();

// The card of one row of a colony grid, every line ended by CR LF:
// "VOLKDATEN", the colony number, the field lines chosen by infofenster
// (characters 1 to 31, read from the row's cells by column name; a column
// the grid lacks reads as empty text), then for each chosen booking kind
// (characters 32 to 42) that has bookings of the colony (the row's ID),
// newest first, two empty lines, its title, header, dash line and one
// fixed-width line per booking. nurAktuellesJahr limits the bookings to those
// from 1 January of heute's year on. Numbers wider than their column are
// shown whole. Throws dao::Error when a query fails.
QString volkdatenkarte(ui::sevGrid& grid, int row, bool nurAktuellesJahr);

}  // namespace zevo::shell
