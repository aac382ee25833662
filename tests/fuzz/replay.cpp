// Runs every file of the given corpus folders through the target once, as
// the test suite does; the sanitizers report what goes wrong.
#include "fuzz.h"

#include <QDir>
#include <QFile>

#include <cstdio>

int main(int argc, char** argv) {
  int files = 0;
  for (int a = 1; a < argc; ++a) {
    const QDir dir(QString::fromLocal8Bit(argv[a]));
    for (const QString& name : dir.entryList(QDir::Files, QDir::Name)) {
      QFile f(dir.filePath(name));
      if (!f.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(f.fileName()));
        return 1;
      }
      const QByteArray data = f.readAll();
      LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(data.constData()), size_t(data.size()));
      ++files;
    }
  }
  std::printf("%d inputs replayed\n", files);
  return files > 0 ? 0 : 1;
}
