#pragma once
// The application as a whole: German set-up, the screen in twips, and ending
// the process at once.

#include <functional>

class QApplication;

namespace zevo::vb {

// Application name "ZEVO", German locale for Qt's own texts and widgets,
// Qt's German translations where they are installed.
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
