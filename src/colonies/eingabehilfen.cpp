#include "colonies/eingabehilfen.h"

#include "platform/runtime/vb.h"

namespace zevo::colonies {

QString notizanzeigen(const QString& gespeichert) {
  QString t = gespeichert;
  t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return t;
}

QString notizspeichern(const QString& angezeigt) {
  QString t = vb::trim(angezeigt);
  t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  t.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  return t;
}

}  // namespace zevo::colonies
