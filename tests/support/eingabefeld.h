#pragma once
// What a person sees of an input field beyond its text.
#include "components/sevtext.h"

#include <QToolButton>

namespace zevo::test {

// The field shows the arrow of its drop-down list (on a tab not shown too).
inline bool pfeil(const ui::sevText& f) { return !f.findChild<QToolButton*>()->isHidden(); }

}  // namespace zevo::test
