#include "platform/runtime/error.h"

#include <QDir>

namespace zevo::vb {

Error::Error(int number, const QString& text)
    : std::runtime_error(text.toStdString()), number_(number), text_(text) {}

Error Error::forFile(int number, const QString& path) {
  QString what;
  switch (number) {
    case errFileNotFound: what = "Datei nicht gefunden"; break;
    case errFileAlreadyExists: what = "Datei existiert bereits"; break;
    case errInputPastEnd: what = "Einlesen hinter Dateiende"; break;
    case errPermissionDenied: what = "Zugriff verweigert"; break;
    case errPathNotFound: what = "Pfad nicht gefunden"; break;
    default: what = "Fehler beim Zugriff auf Pfad/Datei"; break;
  }
  return Error(number, what + ": " + QDir::toNativeSeparators(path));
}

}  // namespace zevo::vb
