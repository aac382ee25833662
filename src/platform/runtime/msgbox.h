#pragma once
// Message boxes: the one way every window shows a notice or asks a question.
//
//   vb::msgbox("Die Daten wurden gespeichert.");                 // information, OK
//   if (vb::msgbox(text, vb::YesNo, vb::Question) == vb::vbYes) ...
//   if (vb::question(text, vb::SecondButton)) ...               // "Nein" is the default
//
// Texts may hold zeilenumbruch (CR LF); it shows as a line break. The text is
// shown as plain text ("<" and "&" appear as typed). The buttons read "OK",
// "Ja" and "Nein"; Escape answers "Nein". The title is "ZEVO".
//
// The box is shown by a replaceable handler, so tests answer it from a script
// (tests/support/testmain.h) and never block.

#include <QString>

#include <functional>

namespace zevo::vb {

enum MsgResult : int { vbOK = 1, vbYes = 6, vbNo = 7 };
enum Buttons { OKOnly, YesNo };
enum Icon { Information, Question };
enum DefaultButton { FirstButton, SecondButton };

QString appTitle();   // "ZEVO"

struct MessageRequest {
  QString text;                       // as the caller gave it (CR LF kept)
  Buttons buttons = OKOnly;
  Icon icon = Information;
  DefaultButton defaultButton = FirstButton;
  QString title;
};

MsgResult msgbox(const QString& text, Buttons buttons = OKOnly, Icon icon = Information,
                 DefaultButton defaultButton = FirstButton, const QString& title = appTitle());

// A Yes/No box with the question icon; true when the answer is "Ja".
bool question(const QString& text, DefaultButton defaultButton = FirstButton);

// The handler that shows a box. The default one shows a QMessageBox modally.
using MessageHandler = std::function<MsgResult(const MessageRequest&)>;
MessageHandler setMessageHandler(MessageHandler handler);   // returns the previous one; {} = default

// The text as it is displayed: CR LF (and a lone CR) become "\n".
QString displayText(const QString& text);

}  // namespace zevo::vb
