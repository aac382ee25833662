#pragma once
// Small conversions of the entry window.

#include <QString>

namespace zevo::colonies {

// A number as "3", "-2" or "2.5": no leading blank, a point for decimals.
QString zahlmitpunkt(double wert);

// A stored note (CR LF between its lines) for the note field, and back:
// trimmed of blanks at both ends, lines joined by CR LF.
QString notizanzeigen(const QString& gespeichert);
QString notizspeichern(const QString& angezeigt);

}  // namespace zevo::colonies
