#pragma once
// Zip archives of plain files: the backup archives of the program folder.
//
//   zip::Writer out(archive);                  // a new archive (replaces an old one at close)
//   out.addFile(datenpfad + "ZEVO.MDB", "ZEVO.MDB");
//   out.close();                               // throws zip::Error; no new archive then
//
//   QStringList names = zip::extractAll(archive, emptyFolder);
//
// Entries hold bare file names, never a folder part. Archives may come from
// removable media, so reading refuses every archive with an entry that is not
// a plain file name ("../x", "/etc/x", "a/b", "C:x", "..") before anything is
// written. Every failure throws zip::Error with a German text.

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <stdexcept>

namespace zevo::zip {

class Error : public std::runtime_error {
public:
  explicit Error(const QString& text, const QString& detail = {});
  QString text() const { return text_; }       // German, fit for a message box
  QString detail() const { return detail_; }   // the library's own message, if any
private:
  QString text_;
  QString detail_;
};

// A plain file name: not empty, not "." or "..", without "/", "\", ":" and
// control characters.
bool isPlainName(const QString& name);

class Writer {
public:
  // The archive is written by close(); an existing file of that name is
  // replaced only then. level: deflate level 1..9.
  explicit Writer(const QString& archivePath, int level = 6);
  ~Writer();   // an archive that was not closed is discarded (nothing is written)
  Writer(const Writer&) = delete;
  Writer& operator=(const Writer&) = delete;

  // Adds the file under the entry name (a plain name, unique in the archive).
  // The file is read when the archive is closed; it must stay until then.
  void addFile(const QString& filePath, const QString& entryName);
  int count() const { return int(names_.size()); }
  // Writes the archive. On failure (also with no entry at all) the archive
  // path is left as it was before.
  void close();
  void discard();

private:
  struct Data;
  std::unique_ptr<Data> d_;
  QString path_;
  int level_;
  QStringList names_;   // the entries added so far
};

// The entry names in archive order (as stored, unchecked).
QStringList entryNames(const QString& archivePath);

// Writes every entry into the existing folder under its own name and returns
// the names in archive order. Nothing is written when an entry is not a plain
// file name (as stored or as decoded), two entries share a name (in any case)
// or the entries add up to more than the free space of the folder's volume. On a later failure
// (a damaged entry, a full disk) the files written so far stay in the folder.
QStringList extractAll(const QString& archivePath, const QString& folder);

// The free bytes of the volume that holds the folder (-1: unknown). Tests set
// a probe of their own; an empty probe restores the real one.
qint64 freeSpace(const QString& folder);
void setFreeSpaceProbe(std::function<qint64(const QString&)> probe);

}  // namespace zevo::zip
