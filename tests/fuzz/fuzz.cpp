#include "fuzz.h"

#include "platform/runtime/application.h"
#include "platform/runtime/files.h"
#include "platform/runtime/msgbox.h"

#include <QTemporaryDir>

#include <cstdlib>

namespace zevo::fuzz {

QString arbeitsordner() {
  static QTemporaryDir ordner;
  return ordner.path() + "/";
}

void umgebung() {
  // Never destroyed: the process ends with it (a QApplication torn down by
  // the exit handlers would outlive what it needs).
  static vb::Application* app = nullptr;
  if (app) return;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "zevo-fuzz";
  static char* argv[] = {name, nullptr};
  app = new vb::Application(argc, argv);
  vb::setProgramFolder(arbeitsordner());
  vb::setMessageHandler([](const vb::MessageRequest&) { return vb::vbOK; });
}

}  // namespace zevo::fuzz
