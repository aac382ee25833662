#pragma once
// The backup window "Datensicherung": packs the data files of the program
// folder into a dated zip archive, copies an archive to or from the root of
// another drive (a mounted volume), restores the data files from an archive
// and offers to keep only the three newest archives.
//
// A restore and a database compaction replace files the running program
// holds open; both end the program at once after they succeeded. A failed
// one leaves the old files in place and the program goes on with them.

#include "platform/runtime/forms.h"

#include <QStringList>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace zevo::vb {
class ProgressBar;
}

namespace zevo::shell {

// "zevo10_backup_yyyy_mm_dd.zip" from a date text "dd.mm.yyyy".
QString sicherungsname(const QString& datum);

// Whether a file of the program folder goes into a backup: not when its last
// three characters, in upper case, are DLL, EXE, HLP, TXT, OCX, VBX, INI, DOC
// or ZIP; on this platform neither the running program nor the database
// engine's side files of the database (journal, wal, shm).
bool insicherung(const QString& dateiname);

// Replaces the data files of the folder by those of the archive. The archive
// is unpacked into a temporary folder first; it must hold only plain file
// names and a database that opens as ours. The current data files are kept
// in a dated folder "vor_wiederherstellung_..." before anything is replaced,
// and the database file is replaced last. Returns "" on success, else the
// German reason; the folder's files are then as they were.
QString sicherungeinspielen(const QString& archivpfad, const QString& ordner);

// Compacts datenbankpfad through the copy ZEVO.$$$ beside it, which takes the
// database's place in one step. Returns "" on success, else the reason; the
// database is then as it was, and no ZEVO.$$$ is left.
QString datenbankverdichten(const QString& datenbankdatei);

class IO_Datensicherung : public vb::Form {
public:
  IO_Datensicherung();

  // Controls (named as in the window's design).
  QLabel* Bezeichnung1[2];
  QListWidget* datei1;         // every file of the program folder, as it was when the window opened
  QListWidget* datei2;         // the archives, oldest first; the marked one is worked on
  QComboBox* drive;            // the mounted volumes; the root folder is the item's data
  vb::ProgressBar* meter;
  QPushButton* sichern[2];     // 0 create, 1 restore
  QPushButton* lwakopie[2];    // 0 to the drive, 1 from the drive
  QPushButton* hilfe;
  QPushButton* abbv;
  QLabel* Label1;

  void Form_Load() override;
  void Form_Activate() override;
  void sichern_Click(int index);
  void lwakopie_Click(int index);
  void hilfe_Click();
  void abbv_Click();

  // The root folder of the chosen drive ("" when there is none).
  QString laufwerkswurzel() const;
  // The marked archive of datei2, -1 when none is marked.
  int markiert() const;

private:
  void sicherungerstellen();
  void sicherungrückgewinnen();
  void nachlaufwerk();
  void vonlaufwerk();
  void datei2aktualisieren();
  // Marks the newest archive when none is marked and asks when the marked
  // one is not the newest; false when there is none or the user says No.
  bool archivwählen(const QString& frage);
};

}  // namespace zevo::shell
