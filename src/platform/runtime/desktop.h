#pragma once
// Handing a written file to the desktop's application for its type (the
// spreadsheet program, the browser).

#include <QString>

namespace zevo::vb {

// The desktop's default application for the file's type (by its name), as
// xdg-mime reports it; "" when there is none or the desktop cannot tell.
QString desktopApplication(const QString& path);

// Opens the file with that application. false when the desktop has none for
// the type or the start fails; the caller then names the file to the user.
bool openDocument(const QString& path);

}  // namespace zevo::vb
