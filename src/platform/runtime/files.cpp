#include "platform/runtime/files.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>
#include <QStorageInfo>
#include <QTemporaryFile>

#include <cstdio>
#include <functional>

#include <fcntl.h>
#include <unistd.h>

namespace zevo::vb {

namespace {

QString& programFolderSlot() {
  static QString folder;
  return folder;
}

struct DirState {
  QStringList names;
  int next = 0;
};

DirState& dirState() {
  static DirState state;
  return state;
}

// "*" any run of characters, "?" one character; nothing else is special.
QRegularExpression wildcard(const QString& pattern) {
  QString re = "^";
  for (QChar c : pattern) {
    if (c == '*') re += ".*";
    else if (c == '?') re += ".";
    else re += QRegularExpression::escape(QString(c));
  }
  re += "$";
  return QRegularExpression(re, QRegularExpression::CaseInsensitiveOption |
                                    QRegularExpression::DotMatchesEverythingOption);
}

bool nameLess(const QString& a, const QString& b) {
  const int c = QString::compare(a, b, Qt::CaseInsensitive);
  return c != 0 ? c < 0 : a < b;
}

QStringList matchingFiles(const QString& folder, const QString& pattern) {
  const QRegularExpression re = wildcard(pattern.isEmpty() ? QStringLiteral("*") : pattern);
  QStringList out;
  const QStringList all = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
  for (const QString& n : all)
    if (re.match(n).hasMatch()) out << n;
  std::sort(out.begin(), out.end(), nameLess);
  return out;
}

void splitPattern(const QString& pattern, QString& folder, QString& namePart) {
  const int slash = pattern.lastIndexOf('/');
  if (slash < 0) {
    folder = currentDir();
    namePart = pattern;
  } else {
    folder = pattern.left(slash + 1);
    namePart = pattern.mid(slash + 1);
  }
}

}  // namespace

QString withTrailingSlash(const QString& folder) {
  QString f = QDir::fromNativeSeparators(folder);
  while (f.size() > 1 && f.endsWith("//")) f.chop(1);
  if (!f.endsWith('/')) f += '/';
  return f;
}

QString programFolder() {
  QString& f = programFolderSlot();
  if (f.isEmpty()) return withTrailingSlash(QCoreApplication::applicationDirPath());
  return f;
}

void setProgramFolder(const QString& folder) {
  programFolderSlot() = folder.isEmpty() ? QString() : withTrailingSlash(folder);
}

QString currentDir() { return withTrailingSlash(QDir::currentPath()); }

QString dir(const QString& pattern) {
  QString folder, namePart;
  splitPattern(QDir::fromNativeSeparators(pattern), folder, namePart);
  DirState& s = dirState();
  s.names = matchingFiles(folder, namePart);
  s.next = 0;
  return dir();
}

QString dir() {
  DirState& s = dirState();
  if (s.next >= s.names.size()) return {};
  return s.names[s.next++];
}

QString resolveCase(const QString& path) {
  const QFileInfo info(path);
  if (info.exists()) return path;
  const QDir folder = info.dir();
  const QStringList all = folder.entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
  for (const QString& n : all)
    if (QString::compare(n, info.fileName(), Qt::CaseInsensitive) == 0)
      return folder.filePath(n);
  return path;
}

bool fileExists(const QString& path) {
  const QFileInfo info(path);
  return info.exists() && info.isFile();
}

void kill(const QString& path) {
  if (!fileExists(path)) throw Error::forFile(errFileNotFound, path);
  if (!QFile::remove(path)) throw Error::forFile(errPathFileAccess, path);
}

namespace {

std::function<void(const QString&)>& syncObserver() {
  static std::function<void(const QString&)> observer;
  return observer;
}

// Waits until the file's data is on the disk.
bool syncHandle(int fd, const QString& path) {
  if (syncObserver()) syncObserver()(path);
  return ::fsync(fd) == 0;
}

// Waits until the folder's entries (a rename in it) are on the disk.
bool syncFolder(const QString& folder) {
  const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool ok = syncHandle(fd, folder);
  ::close(fd);
  return ok;
}

}  // namespace

void setSyncObserver(std::function<void(const QString&)> observer) { syncObserver() = std::move(observer); }

void fileCopy(const QString& from, const QString& to) {
  QFile source(from);
  if (!QFileInfo(from).isFile()) throw Error::forFile(errFileNotFound, from);
  const QFileInfo target(to);
  if (!target.dir().exists()) throw Error::forFile(errPathNotFound, to);
  if (!source.open(QIODevice::ReadOnly)) throw Error::forFile(errPermissionDenied, from);
  QTemporaryFile copy(target.dir().filePath(".zevo-kopie-XXXXXX"));
  if (!copy.open()) throw Error::forFile(errPermissionDenied, to);
  char buffer[65536];
  for (;;) {
    const qint64 n = source.read(buffer, sizeof buffer);
    if (n < 0) throw Error::forFile(errPathFileAccess, from);
    if (n == 0) break;
    if (copy.write(buffer, n) != n) throw Error::forFile(errPathFileAccess, to);
  }
  if (!copy.flush()) throw Error::forFile(errPathFileAccess, to);
  copy.setPermissions(source.permissions() | QFile::WriteOwner);
  // The copy is on the disk before it takes the target's name, and the new
  // name is on the disk before the caller goes on (a restore relies on it).
  if (!syncHandle(copy.handle(), copy.fileName())) throw Error::forFile(errPathFileAccess, to);
  copy.close();
  if (!replaceFile(copy.fileName(), to)) throw Error::forFile(errPathFileAccess, to);
  copy.setAutoRemove(false);
  if (!syncFolder(target.absolutePath())) throw Error::forFile(errPathFileAccess, to);
}

void name(const QString& from, const QString& to) {
  if (!QFileInfo::exists(from)) throw Error::forFile(errFileNotFound, from);
  if (QFileInfo::exists(to)) throw Error::forFile(errFileAlreadyExists, to);
  if (!QFile::rename(from, to)) throw Error::forFile(errPathFileAccess, from);
}

bool replaceFile(const QString& from, const QString& to) {
  return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

bool putInPlace(const QString& from, const QString& to) {
  if (QFileInfo::exists(to)) return false;
  const int fd = ::open(QFile::encodeName(from).constData(), O_RDONLY | O_CLOEXEC);
  const bool synced = syncHandle(fd, from);
  if (fd >= 0) ::close(fd);
  return synced && replaceFile(from, to) && syncFolder(QFileInfo(to).absolutePath());
}

bool isReadOnly(const QString& path) {
  const QFileInfo info(path);
  return info.exists() && !info.permission(QFile::WriteOwner);
}

void setAttrNormal(const QString& path) {
  if (!QFileInfo::exists(path)) throw Error::forFile(errFileNotFound, path);
  if (!QFile::setPermissions(path, QFile::permissions(path) | QFile::WriteOwner | QFile::ReadOwner))
    throw Error::forFile(errPathFileAccess, path);
}

QStringList fileList(const QString& folder, const QString& pattern, bool readOnlyOnly) {
  QStringList names = matchingFiles(folder, pattern);
  if (readOnlyOnly) {
    const QDir d(folder);
    names.removeIf([&](const QString& n) { return !isReadOnly(d.filePath(n)); });
  }
  return names;
}

QList<Drive> drives() {
  QList<Drive> out;
  for (const QStorageInfo& v : QStorageInfo::mountedVolumes()) {
    if (!v.isValid() || !v.isReady()) continue;
    Drive d;
    d.root = withTrailingSlash(v.rootPath());
    d.display = v.name().isEmpty() ? d.root : d.root + " [" + v.name() + "]";
    out << d;
  }
  std::sort(out.begin(), out.end(), [](const Drive& a, const Drive& b) { return nameLess(a.root, b.root); });
  return out;
}

// --- one instance ------------------------------------------------------------

struct SingleInstance::Data {
  QString path;
  std::unique_ptr<QLockFile> lock;
};

SingleInstance::SingleInstance(const QString& key) : d_(std::make_unique<Data>()) {
  const QString k = key.isEmpty() ? QCoreApplication::applicationFilePath() : key;
  const QByteArray hash = QCryptographicHash::hash(k.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
  d_->path = QDir(QDir::tempPath()).filePath("zevo-" + QString::fromLatin1(hash) + ".lock");
  d_->lock = std::make_unique<QLockFile>(d_->path);
  d_->lock->setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::tryLock() { return d_->lock->isLocked() || d_->lock->tryLock(0); }

QString SingleInstance::lockPath() const { return d_->path; }

}  // namespace zevo::vb
