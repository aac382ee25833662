#pragma once
// A button of the output windows. It is never the dialog's default button, so
// Enter in a text field does not print, export or close by itself.

#include <QPushButton>

namespace zevo::output {

inline QPushButton* knopf(const QString& text, QWidget* parent) {
  auto* b = new QPushButton(text, parent);
  b->setAutoDefault(false);
  return b;
}

}  // namespace zevo::output
