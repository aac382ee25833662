#include "platform/runtime/application.h"

#include "platform/runtime/error.h"
#include "platform/runtime/mousepointer.h"
#include "platform/runtime/msgbox.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QScreen>
#include <QTranslator>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <exception>

namespace zevo::vb {

namespace {
EndHook& hookSlot() {
  static EndHook hook;
  return hook;
}

double dotsPerInch() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
  return dpi > 0 ? dpi : 96.0;
}
}  // namespace

namespace {

QString unexpectedFailureText(const QString& reason) {
  QString text = QStringLiteral("Bei dieser Aktion ist ein Fehler aufgetreten; sie wurde abgebrochen.");
  if (!reason.trimmed().isEmpty()) text += QStringLiteral("\r\n\r\n") + reason.trimmed();
  return text + QStringLiteral("\r\n\r\nSie können mit dem Programm weiterarbeiten.");
}

}  // namespace

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
  // On Unix the base class has taken the C library's locale from the desktop,
  // and with it the decimal comma of a German desktop: strtod would read
  // "3.50" as 3, and the workbook library would write "12,5" into a sheet.
  // Every number the C library reads or writes, ours and the libraries', keeps
  // the decimal point; the German conventions are the program's own.
  std::setlocale(LC_NUMERIC, "C");
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
}

bool Application::notify(QObject* receiver, QEvent* event) {
  QString reason;
  try {
    return QApplication::notify(receiver, event);
  } catch (const Error& e) {
    reason = e.text();
  } catch (const std::exception& e) {
    reason = QString::fromUtf8(e.what());
    // A database error's German text ends with "(Fehler N)"; SQLite's own
    // message and the statement after it are for the developers, not the box.
    static const QRegularExpression technisch(QStringLiteral("^(.*\\(Fehler \\d+\\)): .*$"),
                                              QRegularExpression::DotMatchesEverythingOption);
    if (const auto m = technisch.match(reason); m.hasMatch()) reason = m.captured(1);
  }
  setMousePointer(vbDefault);
  msgbox(unexpectedFailureText(reason));
  return true;
}

void setupApplication(QApplication& app) {
  QApplication::setApplicationName("ZEVO");
  QApplication::setOrganizationName("ZEVO");
  const QString path = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  auto* translator = new QTranslator(&app);
  if (translator->load(QLocale(QLocale::German, QLocale::Germany), "qtbase", "_", path))
    QApplication::installTranslator(translator);
  else
    delete translator;
}

int twipsToPixels(int twips) { return static_cast<int>(twips * dotsPerInch() / 1440.0 + 0.5); }

int pixelsToTwips(int pixels) { return static_cast<int>(pixels * 1440.0 / dotsPerInch() + 0.5); }

int screenWidthTwips() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return pixelsToTwips(screen ? screen->geometry().width() : 1024);
}

int screenHeightTwips() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return pixelsToTwips(screen ? screen->geometry().height() : 768);
}

void endProcess(int exitCode) {
  if (const EndHook& hook = hookSlot()) hook(exitCode);
  std::fflush(nullptr);
  std::_Exit(exitCode);
}

EndHook setEndHook(EndHook hook) {
  EndHook previous = std::move(hookSlot());
  hookSlot() = std::move(hook);
  return previous;
}

}  // namespace zevo::vb
