#pragma once
// Shared by the fuzz targets: each target defines
//   int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
// and may define zevo::fuzz::vorbereiten() for its one-time set-up. With
// -DZEVO_FUZZ=ON libFuzzer drives the target; in the normal build replay.cpp
// runs every file of the target's corpus through it once.
#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace zevo::fuzz {

// A scratch folder of the process (created on first use), ending in "/".
QString arbeitsordner();
// Message boxes are answered at once; a QApplication exists (offscreen).
void umgebung();

inline QByteArray bytes(const uint8_t* data, size_t size) {
  return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

}  // namespace zevo::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
