#pragma once
// Files, folders and drives as the windows use them.
//
// Paths use "/" inside the program; show them to the user through
// QDir::toNativeSeparators. Failures throw vb::Error (German text).

#include "platform/runtime/error.h"

#include <QFile>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace zevo::vb {

// --- the program folder ------------------------------------------------------
// The folder of the executable, ending in exactly one "/". Tests and
// benchmarks set it to a temporary folder.
QString programFolder();
void setProgramFolder(const QString& folder);
// With exactly one trailing "/" ("C:/" stays "C:/").
QString withTrailingSlash(const QString& folder);

// The process's current directory (with a trailing "/").
QString currentDir();

// --- directory search --------------------------------------------------------
// dir(pattern) gives the first file whose name matches the pattern's last
// part ("*" and "?", case-insensitive: "report-*.htm" finds "REPORT-1.HTM" but
// not "report.htm"); dir() gives the next one; "" when there is none. Only
// plain files are found, in name order. The pattern's folder defaults to the
// current directory.
QString dir(const QString& pattern);
QString dir();

// The path with the case of an existing file of that name in its folder
// (files copied from Windows may be "zevo.mdb"); unchanged when there is none.
QString resolveCase(const QString& path);

// --- files -------------------------------------------------------------------
bool fileExists(const QString& path);           // a plain file of exactly that name
void kill(const QString& path);                 // errFileNotFound when missing
// Replaces an existing target in one step, written as a WholeFile.
void fileCopy(const QString& from, const QString& to);
// Tests: called with the path of every file or folder synced here.
void setSyncObserver(std::function<void(const QString&)> observer);
// Tests: a sync of a path for which this gives true fails, as on a disk error.
void setSyncFault(std::function<bool(const QString&)> fails);
void name(const QString& from, const QString& to);       // rename; errFileAlreadyExists
// Puts a finished, closed file in place of the target in one step, replacing
// an existing one (a rename on the same file system): the file is synced to
// the disk before the rename and the folder after it. False when a step
// fails; the target is then unchanged unless the rename itself was done.
bool replaceFile(const QString& from, const QString& to);
// Gives a finished, closed file its name in one step (a rename on the same
// file system), never over an existing file: the file is synced to the disk
// before the rename and the folder after it. False when the name is taken or
// a step fails.
bool putInPlace(const QString& from, const QString& to);
// Waits until the data of a finished file, or the entries of a folder (a
// rename in it), are on the disk; false when it cannot be opened or synced.
bool syncFile(const QString& path);
bool isReadOnly(const QString& path);           // the owner may not write it
void setAttrNormal(const QString& path);        // gives the owner write permission

// --- a file written whole ------------------------------------------------------
// Writes a file whole or not at all. The data goes to a new file beside the
// target (".name.zevo-XXXXXX"); commit() checks that every byte was written,
// syncs the data to the disk, and only then puts the file in place of the old
// one, with the old one's permissions, and syncs the folder. On any failure
// before that, and when the writer ends without commit(), the new file is
// removed and the old one stays byte for byte as it was. (Once the file is in
// place, only a failed sync of the folder still makes commit() false.)
//
//   vb::WholeFile f(path);
//   bool ok = f.open() && f.write(data) && f.commit();
//
// A library that writes a file itself is given temporaryPath() after open().
class WholeFile {
public:
  explicit WholeFile(const QString& path);
  ~WholeFile();
  WholeFile(const WholeFile&) = delete;
  WholeFile& operator=(const WholeFile&) = delete;
  bool open();
  bool write(const char* data, qint64 size);
  bool write(const QByteArray& data) { return write(data.constData(), data.size()); }
  bool commit();
  // Instead of the old file's (or a new file's) permissions.
  void setPermissions(QFile::Permissions permissions);
  // Removes the new file; the old one stays.
  void cancel();
  QString temporaryPath() const { return temp_; }
private:
  QString path_;
  QString temp_;
  int fd_ = -1;
  bool failed_ = false;
};
// One WholeFile with these bytes; false when it fails.
bool writeWholeFile(const QString& path, const QByteArray& data);

// File names (not paths) of a folder matching the pattern, sorted by name
// without regard to case; readOnlyOnly keeps the read-only ones.
QStringList fileList(const QString& folder, const QString& pattern = "*",
                     bool readOnlyOnly = false);

// --- drives --------------------------------------------------------------------
struct Drive {
  QString root;      // the mount point, ending in "/"
  QString display;   // "root [name]" or the root alone
};
QList<Drive> drives();

// --- one instance ----------------------------------------------------------------
// A lock held for the whole run, outside the program folder (the temporary
// folder), keyed by the program's path. tryLock() is false when another
// process of the same program holds it.
class SingleInstance {
public:
  explicit SingleInstance(const QString& key = {});   // {} = the executable's path
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;
  bool tryLock();
  QString lockPath() const;
private:
  struct Data;
  std::unique_ptr<Data> d_;
};

}  // namespace zevo::vb
