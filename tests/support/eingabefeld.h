#pragma once
// What a person sees of an input field beyond its text.
#include "components/sevtext.h"

#include <QString>
#include <QToolButton>

namespace zevo::test {

// The field shows the arrow of its drop-down list (on a tab not shown too).
inline bool pfeil(const ui::sevText& f) { return !f.findChild<QToolButton*>()->isHidden(); }

// Where a widget stands in its window, and its size: "x,y wxh".
inline QString lage(const QWidget& fenster, const QWidget& w) {
  const QPoint p = w.mapTo(&fenster, QPoint(0, 0));
  return QStringLiteral("%1,%2 %3x%4").arg(p.x()).arg(p.y()).arg(w.width()).arg(w.height());
}

}  // namespace zevo::test
