#pragma once
// The note field of the entry window.

#include <QString>

namespace zevo::colonies {

// A stored note (CR LF between its lines) for the note field, and back:
// trimmed of blanks at both ends, lines joined by CR LF.
QString notizanzeigen(const QString& gespeichert);
QString notizspeichern(const QString& angezeigt);

}  // namespace zevo::colonies
