#pragma once
// The short tone after a successful save. The frequency and length are passed
// on to the handler; the default one sounds the desktop's bell, which has no
// pitch or length of its own. Tests install a handler that counts.

#include <functional>

namespace zevo::vb {

void beep(int frequencyHz = 1000, int milliseconds = 15);

using BeepHandler = std::function<void(int frequencyHz, int milliseconds)>;
BeepHandler setBeepHandler(BeepHandler handler);   // returns the previous one; {} = default

}  // namespace zevo::vb
