#include "platform/runtime/files.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStorageInfo>

#include <cstdio>
#include <functional>

#include <fcntl.h>
#include <sys/stat.h>
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

std::function<bool(const QString&)>& syncFault() {
  static std::function<bool(const QString&)> fault;
  return fault;
}

// Waits until the file's data is on the disk.
bool syncHandle(int fd, const QString& path) {
  if (syncObserver()) syncObserver()(path);
  if (syncFault() && syncFault()(path)) return false;
  return ::fsync(fd) == 0;
}

// The rename that puts a file in place of another.
bool renameOver(const QString& from, const QString& to) {
  return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

}  // namespace

void setSyncObserver(std::function<void(const QString&)> observer) { syncObserver() = std::move(observer); }

void setSyncFault(std::function<bool(const QString&)> fails) { syncFault() = std::move(fails); }

void fileCopy(const QString& from, const QString& to) {
  QFile source(from);
  if (!QFileInfo(from).isFile()) throw Error::forFile(errFileNotFound, from);
  const QFileInfo target(to);
  if (!target.dir().exists()) throw Error::forFile(errPathNotFound, to);
  if (!source.open(QIODevice::ReadOnly)) throw Error::forFile(errPermissionDenied, from);
  WholeFile copy(to);
  if (!copy.open()) throw Error::forFile(errPermissionDenied, to);
  char buffer[65536];
  for (;;) {
    const qint64 n = source.read(buffer, sizeof buffer);
    if (n < 0) throw Error::forFile(errPathFileAccess, from);
    if (n == 0) break;
    if (!copy.write(buffer, n)) throw Error::forFile(errPathFileAccess, to);
  }
  // The copy takes the source's permissions, and its owner may write it.
  copy.setPermissions(source.permissions() | QFile::WriteOwner);
  if (!copy.commit()) throw Error::forFile(errPathFileAccess, to);
}

void name(const QString& from, const QString& to) {
  if (!QFileInfo::exists(from)) throw Error::forFile(errFileNotFound, from);
  if (QFileInfo::exists(to)) throw Error::forFile(errFileAlreadyExists, to);
  if (!QFile::rename(from, to)) throw Error::forFile(errPathFileAccess, from);
}

bool replaceFile(const QString& from, const QString& to) {
  return syncFile(from) && renameOver(from, to) && syncFile(QFileInfo(to).absolutePath());
}

bool syncFile(const QString& path) {
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
  const bool synced = syncHandle(fd, path);
  if (fd >= 0) ::close(fd);
  return synced;
}

bool putInPlace(const QString& from, const QString& to) {
  if (QFileInfo::exists(to)) return false;
  return replaceFile(from, to);
}

// --- a file written whole --------------------------------------------------------------

WholeFile::WholeFile(const QString& path) : path_(path) {}

WholeFile::~WholeFile() { cancel(); }

bool WholeFile::open() {
  if (fd_ >= 0 || !temp_.isEmpty()) return false;
  const QFileInfo target(path_);
  const QString pattern = target.dir().filePath("." + target.fileName() + ".zevo-");
  // A name nobody has, made with the permissions a new file gets.
  for (int attempt = 0; attempt < 100; ++attempt) {
    const QString candidate =
        pattern + QString::number(QRandomGenerator::global()->bounded(0x1000000), 36).rightJustified(5, '0');
    const int fd = ::open(QFile::encodeName(candidate).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      fd_ = fd;
      temp_ = candidate;
      struct stat old;
      // The new file keeps the old one's permissions.
      if (::stat(QFile::encodeName(path_).constData(), &old) == 0 && S_ISREG(old.st_mode))
        ::fchmod(fd_, old.st_mode & 07777);
      return true;
    }
    if (errno != EEXIST) return false;
  }
  return false;
}

bool WholeFile::write(const char* data, qint64 size) {
  if (fd_ < 0 || failed_) return false;
  while (size > 0) {
    const ssize_t n = ::write(fd_, data, size_t(size));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      failed_ = true;
      return false;
    }
    data += n;
    size -= n;
  }
  return true;
}

void WholeFile::setPermissions(QFile::Permissions permissions) {
  if (fd_ >= 0 && !QFile::setPermissions(temp_, permissions)) failed_ = true;
}

bool WholeFile::commit() {
  if (fd_ < 0 || failed_) {
    cancel();
    return false;
  }
  const bool synced = syncHandle(fd_, temp_);
  const bool closed = ::close(fd_) == 0;
  fd_ = -1;
  if (!synced || !closed || !renameOver(temp_, path_)) {
    cancel();
    return false;
  }
  temp_.clear();
  return syncFile(QFileInfo(path_).absolutePath());
}

void WholeFile::cancel() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temp_.isEmpty()) ::unlink(QFile::encodeName(temp_).constData());
  temp_.clear();
}

bool writeWholeFile(const QString& path, const QByteArray& data) {
  WholeFile f(path);
  return f.open() && f.write(data) && f.commit();
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
