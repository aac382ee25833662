#pragma once
// The screen's mouse pointer as a state: 11 = hourglass, 0 = default arrow.
// Setting the hourglass twice and the arrow once leaves the arrow: the pointer
// is not a stack, so an opener may set the hourglass and the opened window's
// activation set the arrow back.

namespace zevo::vb {

enum MousePointer : int { vbDefault = 0, vbHourglass = 11 };

void setMousePointer(int pointer);
int mousePointer();

}  // namespace zevo::vb
