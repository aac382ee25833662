#pragma once
// Every test program runs headless in a fresh temporary program folder, with
// the user's configuration (XDG_CONFIG_HOME and friends) in a temporary folder
// of its own outside the program folder.
//
// Message boxes, modal windows, beeps and the end of the process are scripted:
//
//   zevo::test::messages().expect("gespeichert");                // an information box
//   zevo::test::messages().expectYes("wirklich");                // a question, answered "Ja"
//   zevo::test::forms().on("IH_Hilfe", [](zevo::vb::Form* f) { f->unload(); });
//   zevo::test::forms().onWindow<IV_Neues_Volk>("IV_Neues_Volk",
//       [](IV_Neues_Volk& w) { ...; w.cmdok_Click(); });
//   QCOMPARE(zevo::test::beeps(), 1);
//   zevo::test::setToday(QDate(2007, 6, 15));
//   QVERIFY_THROWS_EXCEPTION(zevo::vb::ProcessEnded, window.Form_Load());
//
// A box that no expectation awaits, a window without a handler, or a handler
// that leaves its window open fails the running test at once (never blocks).
// Call zevo::test::resetScripts() in the test object's init() and
// QVERIFY(zevo::test::messages().allUsed()) where a test needs every
// expectation met.
#include "platform/runtime/application.h"
#include "platform/runtime/forms.h"
#include "platform/runtime/msgbox.h"

#include <QApplication>
#include <QDate>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

namespace zevo::test {

// A temporary program folder: vb::programFolder() and the current directory
// while the test runs.
class ProgramFolder {
public:
  ProgramFolder();
  ~ProgramFolder();
  QString path() const;            // with a trailing "/"
  QString file(const QString& name) const { return path() + name; }
private:
  QTemporaryDir dir_;
  QString oldCwd_;
};

// --- message boxes ---------------------------------------------------------------
class Messages {
public:
  // The next box: its text must contain `containing` (when given); it is
  // answered with `answer`.
  void expect(const QString& containing = {}, vb::MsgResult answer = vb::vbOK);
  void expectYes(const QString& containing = {}) { expect(containing, vb::vbYes); }
  void expectNo(const QString& containing = {}) { expect(containing, vb::vbNo); }
  // Information boxes (OK only) that no expectation awaits are answered OK
  // and recorded instead of failing the test.
  void setAcceptInformation(bool accept) { acceptInformation_ = accept; }

  QList<vb::MessageRequest> shown() const { return shown_; }
  QStringList texts() const;         // every box's text, CR LF as given
  QString last() const;              // "" when none was shown
  int count() const { return static_cast<int>(shown_.size()); }
  bool allUsed() const { return queue_.isEmpty(); }
  void reset();

  vb::MsgResult handle(const vb::MessageRequest& request);   // the installed handler

private:
  struct Expectation {
    QString containing;
    vb::MsgResult answer;
  };
  QList<Expectation> queue_;
  QList<vb::MessageRequest> shown_;
  bool acceptInformation_ = false;
};
Messages& messages();

// --- modal windows -------------------------------------------------------------
// A handler gets the window built and loaded, after its first activation,
// drives it and closes it (unload(), a close button, ...). The form is
// nullptr when no window of that name is registered in the test program.
class Forms {
public:
  using Handler = std::function<void(vb::Form* form)>;
  void on(const QString& name, Handler handler);       // every showing, until reset()
  template <class Window, class Fn>
  void onWindow(const QString& name, Fn fn) {
    on(name, [name, fn](vb::Form* form) {
      auto* w = dynamic_cast<Window*>(form);
      QVERIFY2(w, qPrintable("Fenster " + name + " hat nicht den erwarteten Typ"));
      fn(*w);
    });
  }
  QStringList shown() const { return shown_; }   // names in the order shown
  void reset();

  void run(const QString& name, vb::Form* form);   // the installed modal runner

private:
  QHash<QString, Handler> handlers_;
  QStringList shown_;
};
Forms& forms();

// --- beeps, clock --------------------------------------------------------------
int beeps();
void setToday(const QDate& today);   // vb::date() / vb::now() from then on; invalid = the real clock

// Shows the window and makes it the active one, as a person sees it, so that
// key and mouse events go where they would go. False when it never became active.
inline bool showActive(QWidget& window) {
  window.show();
  QApplication::setActiveWindow(&window);
  return QTest::qWaitForWindowActive(&window);
}

// Empties the message queue and records, the window handlers and the beep count.
void resetScripts();

// Called by ZEVO_TEST_MAIN: before the QApplication exists, and after.
void prepareEnvironment();
void prepareTestProcess();

}  // namespace zevo::test

#define ZEVO_TEST_MAIN(TestObject)                                   \
  int main(int argc, char** argv) {                                  \
    zevo::test::prepareEnvironment();                                \
    zevo::vb::Application app(argc, argv);                           \
    zevo::test::prepareTestProcess();                                \
    zevo::test::ProgramFolder folder;                                \
    TestObject tc;                                                   \
    return QTest::qExec(&tc, argc, argv);                            \
  }
