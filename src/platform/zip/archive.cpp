#include "platform/zip/archive.h"

#include "platform/runtime/files.h"

#include <zip.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QStorageInfo>

#include <limits>

namespace zevo::zip {

namespace {

QString native(const QString& path) { return QDir::toNativeSeparators(path); }

QString libraryMessage(zip_error_t* e) { return e ? QString::fromUtf8(zip_error_strerror(e)) : QString(); }

QString openMessage(int code) {
  zip_error_t e;
  zip_error_init_with_code(&e, code);
  const QString m = libraryMessage(&e);
  zip_error_fini(&e);
  return m;
}

// An archive opened for reading, closed (without writing) on every way out.
class Reader {
public:
  explicit Reader(const QString& path) {
    int code = 0;
    za_ = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &code);
    if (!za_)
      throw Error("Die Backupdatei " + native(path) + " kann nicht gelesen werden oder ist keine Zip-Datei.",
                  openMessage(code));
  }
  ~Reader() { zip_discard(za_); }
  Reader(const Reader&) = delete;
  Reader& operator=(const Reader&) = delete;
  zip_t* get() const { return za_; }
  QStringList names(const QString& path) const {
    const zip_int64_t n = zip_get_num_entries(za_, 0);
    QStringList out;
    for (zip_int64_t i = 0; i < n; ++i) {
      const char* name = zip_get_name(za_, zip_uint64_t(i), ZIP_FL_ENC_GUESS);
      if (!name) throw Error("Die Backupdatei " + native(path) + " ist beschädigt.", libraryMessage(zip_get_error(za_)));
      out << QString::fromUtf8(name);
    }
    return out;
  }
  // The names as stored, byte for byte (before any decoding).
  QList<QByteArray> rawNames() const {
    const zip_int64_t n = zip_get_num_entries(za_, 0);
    QList<QByteArray> out;
    for (zip_int64_t i = 0; i < n; ++i) {
      const char* name = zip_get_name(za_, zip_uint64_t(i), ZIP_FL_ENC_RAW);
      out << QByteArray(name ? name : "");
    }
    return out;
  }
private:
  zip_t* za_ = nullptr;
};

}  // namespace

Error::Error(const QString& text, const QString& detail)
    : std::runtime_error((detail.isEmpty() ? text : text + " (" + detail + ")").toStdString()),
      text_(text),
      detail_(detail) {}

std::function<qint64(const QString&)>& freeSpaceProbe() {
  static std::function<qint64(const QString&)> probe;
  return probe;
}

void setFreeSpaceProbe(std::function<qint64(const QString&)> probe) { freeSpaceProbe() = std::move(probe); }

qint64 freeSpace(const QString& folder) {
  if (freeSpaceProbe()) return freeSpaceProbe()(folder);
  const QStorageInfo volume(folder);
  return volume.isValid() ? volume.bytesAvailable() : -1;
}

bool isPlainName(const QString& name) {
  if (name.isEmpty() || name == "." || name == "..") return false;
  for (const QChar c : name)
    if (c == '/' || c == '\\' || c == ':' || c.unicode() < 0x20 || c.unicode() == 0x7f) return false;
  return true;
}

// --- writing ---------------------------------------------------------------------------

struct Writer::Data {
  zip_t* za = nullptr;
};

Writer::Writer(const QString& archivePath, int level)
    : d_(std::make_unique<Data>()), path_(archivePath), level_(level) {
  int code = 0;
  d_->za = zip_open(QFile::encodeName(archivePath).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
  if (!d_->za)
    throw Error("Die Backupdatei " + native(archivePath) + " kann nicht angelegt werden.", openMessage(code));
}

Writer::~Writer() { discard(); }

void Writer::discard() {
  if (d_->za) zip_discard(d_->za);
  d_->za = nullptr;
}

void Writer::addFile(const QString& filePath, const QString& entryName) {
  if (!d_->za) throw Error("Die Backupdatei " + native(path_) + " ist bereits geschlossen.");
  if (!isPlainName(entryName)) throw Error("Ungültiger Dateiname für die Backupdatei: " + entryName);
  if (names_.contains(entryName, Qt::CaseInsensitive))
    throw Error("Die Datei " + entryName + " ist bereits in der Backupdatei enthalten.");
  const QString notAdded = "Die Datei " + native(filePath) + " konnte nicht in die Backupdatei aufgenommen werden.";
  QFile probe(filePath);
  if (!QFileInfo(filePath).isFile() || !probe.open(QIODevice::ReadOnly)) throw Error(notAdded);
  probe.close();
  zip_source_t* source = zip_source_file(d_->za, QFile::encodeName(filePath).constData(), 0, -1);
  if (!source) throw Error(notAdded, libraryMessage(zip_get_error(d_->za)));
  const zip_int64_t index = zip_file_add(d_->za, entryName.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8);
  if (index < 0) {
    zip_source_free(source);
    throw Error(notAdded, libraryMessage(zip_get_error(d_->za)));
  }
  if (zip_set_file_compression(d_->za, zip_uint64_t(index), ZIP_CM_DEFLATE, zip_uint32_t(level_)) != 0)
    throw Error(notAdded, libraryMessage(zip_get_error(d_->za)));
  names_ << entryName;
}

void Writer::close() {
  if (!d_->za) throw Error("Die Backupdatei " + native(path_) + " ist bereits geschlossen.");
  if (names_.isEmpty()) {
    discard();
    throw Error("Es gibt keine Dateien, die gesichert werden könnten.");
  }
  if (zip_close(d_->za) != 0) {
    const QString detail = libraryMessage(zip_get_error(d_->za));
    discard();
    throw Error("Die Backupdatei " + native(path_) + " konnte nicht vollständig geschrieben werden.", detail);
  }
  d_->za = nullptr;
  // Written means on the disk, under its name.
  if (!vb::syncFile(path_) || !vb::syncFile(QFileInfo(path_).absolutePath()))
    throw Error("Die Backupdatei " + native(path_) + " konnte nicht vollständig geschrieben werden.");
}

// --- reading ---------------------------------------------------------------------------

QStringList entryNames(const QString& archivePath) { return Reader(archivePath).names(archivePath); }

QStringList extractAll(const QString& archivePath, const QString& folder) {
  const Reader archive(archivePath);
  const QStringList names = archive.names(archivePath);
  const QList<QByteArray> raw = archive.rawNames();
  QSet<QString> seen;
  for (int i = 0; i < names.size(); ++i) {
    const QString& n = names[i];
    // Checked as stored and as decoded: an old archive's names are read as
    // CP437, which turns control characters into printable ones.
    if (!isPlainName(n) || !isPlainName(QString::fromLatin1(raw.value(i))))
      throw Error("Die Backupdatei enthält den Eintrag \"" + n +
                  "\", der keine einfache Datei ist (mit Ordnerangabe). Aus Sicherheitsgründen wird sie nicht "
                  "verwendet.");
    if (seen.contains(n.toLower())) throw Error("Die Backupdatei enthält die Datei " + n + " mehrfach.");
    seen.insert(n.toLower());
  }
  // The entries must fit on the folder's volume, as their headers declare them.
  quint64 needed = 0;
  for (int i = 0; i < names.size(); ++i) {
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat_index(archive.get(), zip_uint64_t(i), 0, &st) != 0 || !(st.valid & ZIP_STAT_SIZE))
      throw Error("Die Datei " + names[i] + " der Backupdatei kann nicht gelesen werden (beschädigt).",
                  libraryMessage(zip_get_error(archive.get())));
    needed += st.size;
    if (needed < st.size) needed = std::numeric_limits<quint64>::max();
  }
  const qint64 available = freeSpace(folder);
  if (available >= 0 && needed > quint64(available)) {
    auto mb = [](double bytes) { return QString::number(bytes / 1048576.0, 'f', 1).replace('.', ','); };
    throw Error("Die Backupdatei wird nicht eingespielt: ihre Dateien brauchen entpackt " + mb(double(needed)) +
                " MB, auf dem Laufwerk des Programmordners sind aber nur " + mb(double(available)) + " MB frei.");
  }
  const QDir target(folder);
  for (int i = 0; i < names.size(); ++i) {
    const QString damaged = "Die Datei " + names[i] + " der Backupdatei kann nicht gelesen werden (beschädigt).";
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat_index(archive.get(), zip_uint64_t(i), 0, &st) != 0)
      throw Error(damaged, libraryMessage(zip_get_error(archive.get())));
    zip_file_t* in = zip_fopen_index(archive.get(), zip_uint64_t(i), 0);
    if (!in) throw Error(damaged, libraryMessage(zip_get_error(archive.get())));
    const QString path = target.filePath(names[i]);
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
      zip_fclose(in);
      throw Error("Die Datei " + native(path) + " kann nicht geschrieben werden.", out.errorString());
    }
    char buffer[65536];
    zip_uint64_t total = 0;
    QString failure, detail;
    for (;;) {
      const zip_int64_t n = zip_fread(in, buffer, sizeof buffer);
      if (n < 0) {
        failure = damaged;
        detail = libraryMessage(zip_file_get_error(in));
        break;
      }
      if (n == 0) break;
      if (out.write(buffer, n) != n) {
        failure = "Die Datei " + native(path) + " kann nicht geschrieben werden.";
        detail = out.errorString();
        break;
      }
      total += zip_uint64_t(n);
    }
    zip_fclose(in);
    if (failure.isEmpty() && (st.valid & ZIP_STAT_SIZE) && total != st.size) failure = damaged;
    if (failure.isEmpty() && !out.flush()) {
      failure = "Die Datei " + native(path) + " kann nicht geschrieben werden.";
      detail = out.errorString();
    }
    out.close();
    if (!failure.isEmpty()) throw Error(failure, detail);
  }
  return names;
}

}  // namespace zevo::zip
