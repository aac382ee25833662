#pragma once
// A failure of a runtime service (file, folder, text file), with the old
// runtime's error number and a German text fit for a message box.

#include <QString>

#include <stdexcept>

namespace zevo::vb {

enum RuntimeErrorNumber : int {
  errFileNotFound = 53,
  errBadFileMode = 54,
  errFileAlreadyExists = 58,
  errInputPastEnd = 62,
  errPermissionDenied = 70,
  errPathFileAccess = 75,
  errPathNotFound = 76,
};

class Error : public std::runtime_error {
public:
  Error(int number, const QString& text);
  int number() const { return number_; }
  QString text() const { return text_; }

  // "Datei nicht gefunden: /pfad/datei" and the like.
  static Error forFile(int number, const QString& path);

private:
  int number_;
  QString text_;
};

}  // namespace zevo::vb
