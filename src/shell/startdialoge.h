#pragma once
// The prompts the main window runs at start-up, at its first activation and
// at shut-down, and the database compaction of the options menu.

namespace zevo::shell {

// Last step of start-up: offers the yearly date run when the stored year
// differs from the current one.
void jahreslaufanbieten();
// Whether the stored year of the last yearly run differs from heute's year.
bool jahreslauffällig();

// First activation of the main window: the first-steps guide while no
// colony exists, then the open dates when due. Sets ersteaktivierung.
void ersteaktivierungsdienste();

// Shut-down, before the settings file is written: the backup reminder.
void sicherungserinnerung();

// Menu "Datenbank komprimieren".
void datenbankkomprimieren();

}  // namespace zevo::shell
