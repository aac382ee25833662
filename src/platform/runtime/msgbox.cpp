#include "platform/runtime/msgbox.h"

#include "platform/runtime/mousepointer.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace zevo::vb {

namespace {

MessageHandler& handlerSlot() {
  static MessageHandler handler;
  return handler;
}

MsgResult showQMessageBox(const MessageRequest& r) {
  QMessageBox box(QApplication::activeModalWidget() ? QApplication::activeModalWidget()
                                                    : QApplication::activeWindow());
  box.setWindowTitle(r.title);
  box.setTextFormat(Qt::PlainText);
  box.setText(displayText(r.text));
  box.setIcon(r.icon == Question ? QMessageBox::Question : QMessageBox::Information);
  QPushButton* first = nullptr;
  QPushButton* second = nullptr;
  if (r.buttons == YesNo) {
    first = box.addButton("Ja", QMessageBox::YesRole);
    second = box.addButton("Nein", QMessageBox::NoRole);
    box.setEscapeButton(second);
  } else {
    first = box.addButton("OK", QMessageBox::AcceptRole);
    box.setEscapeButton(first);
  }
  box.setDefaultButton(r.defaultButton == SecondButton && second ? second : first);
  // The arrow over the box, the hourglass back afterwards.
  const int pointer = mousePointer();
  if (pointer != vbDefault) setMousePointer(vbDefault);
  box.exec();
  if (pointer != vbDefault) setMousePointer(pointer);
  if (r.buttons == OKOnly) return vbOK;
  return box.clickedButton() == first ? vbYes : vbNo;
}

}  // namespace

QString appTitle() { return QStringLiteral("ZEVO"); }

QString displayText(const QString& text) {
  QString t = text;
  t.replace("\r\n", "\n");
  t.replace('\r', '\n');
  return t;
}

MsgResult msgbox(const QString& text, Buttons buttons, Icon icon, DefaultButton defaultButton,
                 const QString& title) {
  const MessageRequest request{text, buttons, icon, defaultButton, title};
  const MessageHandler& handler = handlerSlot();
  return handler ? handler(request) : showQMessageBox(request);
}

bool question(const QString& text, DefaultButton defaultButton) {
  return msgbox(text, YesNo, Question, defaultButton) == vbYes;
}

MessageHandler setMessageHandler(MessageHandler handler) {
  MessageHandler previous = std::move(handlerSlot());
  handlerSlot() = std::move(handler);
  return previous;
}

}  // namespace zevo::vb
