#pragma once
// The application as a whole: German set-up, the screen in twips, and ending
// the process at once.

#include <QApplication>

#include <functional>

namespace zevo::vb {

// The program's application object. Every event passes one guard: a failure
// that no handler caught (a database, file or other error thrown from a
// click, a key or a timer) ends only that action. The guard sets the pointer
// back to the arrow and shows one German message through msgbox; the window
// and the program go on. Transactions roll themselves back on the way out.
// The end of the process (ProcessEnded in tests) passes through.
// Whatever locale the desktop sets, numbers keep the decimal point wherever
// the C library reads or writes them, and Qt's default locale is German.
class Application : public QApplication {
public:
  Application(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};

// Application name "ZEVO" and Qt's German translations where they are
// installed.
void setupApplication(QApplication& app);

// The primary screen's full size in twips (1440 per inch), and conversions.
int screenWidthTwips();
int screenHeightTwips();
int twipsToPixels(int twips);
int pixelsToTwips(int pixels);

// Ends the process at once, without any shut-down step (no settings written,
// no column widths saved). Close the database first where that matters.
// Tests install a hook that throws ProcessEnded instead.
[[noreturn]] void endProcess(int exitCode = 0);

struct ProcessEnded {
  int exitCode;
};

using EndHook = std::function<void(int exitCode)>;
EndHook setEndHook(EndHook hook);   // the hook must not return normally; {} = default

}  // namespace zevo::vb
