#include "platform/runtime/mousepointer.h"

#include <QCursor>
#include <QGuiApplication>

namespace zevo::vb {

namespace {
int current = vbDefault;
}

void setMousePointer(int pointer) {
  current = pointer == vbHourglass ? vbHourglass : vbDefault;
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
  if (current == vbHourglass) {
    if (!QGuiApplication::overrideCursor()) QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
  } else {
    while (QGuiApplication::overrideCursor()) QGuiApplication::restoreOverrideCursor();
  }
}

int mousePointer() { return current; }

}  // namespace zevo::vb
