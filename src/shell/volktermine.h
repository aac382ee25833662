#pragma once
// The colony dates of the work plan and the deletion of a colony's records,
// all on the application-wide database.
//
// The dates of an option form the series window start, start + n days, ...
// up to the window end ("dd.mm" texts of the current year); of it only the
// dates from the effective start on are written: today, or for a
// colony-dependent option the latest booking of the colony in its
// Auto_erledigt_Buchung table or of its Auto_erledigt_Arbeitsart in Arbeiten,
// when that is later. Nothing checks for existing dates: a second call
// writes every date again.
//
// An option whose window is no date in the current year ("30.02", "29.02"
// outside a leap year, an empty text) gets no dates. The two-argument form
// tells the user at once; callers that book several options collect the
// skipped ones and tell the user once with übersprungeneoptionenmelden.
//
// Each routine writes in one transaction (nested in the caller's, if any);
// database failures of volkterminebuchen and volkbuchungenlöschen reach the
// caller as dao::Error.

#include <QDate>
#include <QStringList>

#include <optional>

namespace zevo::shell {

// Adds the dates of one work-plan option for one colony (0 = no colony) in
// the current year.
void volkterminebuchen(int optionId, int volkId);

// The same; a skipped option is added to übersprungen (once) instead of
// being reported. False when the option was skipped.
bool volkterminebuchen(int optionId, int volkId, QStringList& übersprungen);

// One notice naming the skipped options; nothing when the list is empty.
void übersprungeneoptionenmelden(const QStringList& übersprungen);

// The yearly run: asks, then generates the colony-dependent dates of the
// current year for every colony in stock and stores the year.
void volkterminesetzen();

// Deletes every booking and every date of one colony (not its Bienenvolk row).
void volkbuchungenlöschen(int volkId);

// An option's window text "dd.mm" within the given year; nothing when that
// is no date ("30.02", "29.02" outside a leap year, an empty text).
std::optional<QDate> fensterdatum(const QString& tagmonat, int jahr);

// The eleven booking tables, in the order of the entry kinds 0..10.
const QStringList& buchungstabellen();

}  // namespace zevo::shell
