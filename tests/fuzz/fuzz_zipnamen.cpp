// A backup archive on any bytes: unpacked into an empty folder, nothing may
// land outside it, and every file written has a plain name.
#include "fuzz.h"

#include "platform/zip/archive.h"

#include <QDir>
#include <QFile>

using namespace zevo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::umgebung();
  const QString basis = fuzz::arbeitsordner() + "zip/";
  QDir(basis).removeRecursively();
  QDir().mkpath(basis + "ziel");
  QFile f(basis + "archiv.zip");
  if (!f.open(QIODevice::WriteOnly)) return 0;
  f.write(fuzz::bytes(data, size));
  f.close();
  zip::setFreeSpaceProbe([](const QString&) { return qint64(64) << 20; });   // keeps a bomb small
  try {
    for (const QString& n : zip::extractAll(basis + "archiv.zip", basis + "ziel"))
      if (!zip::isPlainName(n)) std::abort();
  } catch (const zip::Error&) {
  }
  if (QDir(basis).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden) !=
      QStringList({"archiv.zip", "ziel"}))
    std::abort();
  for (const QString& n : QDir(basis + "ziel").entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
    if (!zip::isPlainName(n) || !QFileInfo(basis + "ziel/" + n).isFile()) std::abort();
  QDir(basis).removeRecursively();
  return 0;
}
