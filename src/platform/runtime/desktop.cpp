#include "platform/runtime/desktop.h"

#include <QDesktopServices>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace zevo::vb {

QString desktopApplication(const QString& path) {
  const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
  if (xdgMime.isEmpty()) return {};
  const QString typ = QMimeDatabase().mimeTypeForFile(path, QMimeDatabase::MatchExtension).name();
  QProcess p;
  p.start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), typ});
  if (!p.waitForFinished(10000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
    p.kill();
    return {};
  }
  return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
}

bool openDocument(const QString& path) {
  if (desktopApplication(path).isEmpty()) return false;
  return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

}  // namespace zevo::vb
