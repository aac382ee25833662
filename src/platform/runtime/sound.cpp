#include "platform/runtime/sound.h"

#include <QApplication>

namespace zevo::vb {

namespace {
BeepHandler& handlerSlot() {
  static BeepHandler handler;
  return handler;
}
}  // namespace

void beep(int frequencyHz, int milliseconds) {
  if (const BeepHandler& h = handlerSlot()) {
    h(frequencyHz, milliseconds);
    return;
  }
  if (qobject_cast<QApplication*>(QCoreApplication::instance())) QApplication::beep();
}

BeepHandler setBeepHandler(BeepHandler handler) {
  BeepHandler previous = std::move(handlerSlot());
  handlerSlot() = std::move(handler);
  return previous;
}

}  // namespace zevo::vb
