#include "platform/runtime/widgets.h"

#include <QAction>
#include <QApplication>
#include <QStyle>

#include <algorithm>

namespace zevo::vb {

ProgressBar::ProgressBar(QWidget* parent) : QProgressBar(parent) {
  setRange(0, 100);
  QProgressBar::setValue(0);
}

void ProgressBar::setMax(int max) {
  const int m = max <= 0 ? 1 : max;
  const int v = std::clamp(value() < 0 ? 0 : value(), 0, m);
  setRange(0, m);
  QProgressBar::setValue(v);
}

void ProgressBar::setValue(int value) { QProgressBar::setValue(std::clamp(value, 0, maximum())); }

TabControl::TabControl(QWidget* parent) : QTabWidget(parent) {
  connect(this, &QTabWidget::currentChanged, this, [this](int index) {
    const int previous = shown_;
    shown_ = index;
    if (previous >= 0 && index >= 0 && previous != index && onClick) onClick(previous);
  });
}

Toolbar::Toolbar(QWidget* parent) : QToolBar(parent) { setMovable(false); }

QAction* Toolbar::addButton(const QString& key, const QIcon& icon, const QString& toolTip,
                            const QString& text) {
  QAction* a = addAction(icon, text.isEmpty() ? toolTip : text);
  a->setToolTip(toolTip);
  a->setObjectName(key);
  buttons_.insert(key, a);
  connect(a, &QAction::triggered, this, [this, key] {
    if (onButtonClick) onButtonClick(key);
  });
  return a;
}

QAction* Toolbar::button(const QString& key) const { return buttons_.value(key); }

void Toolbar::setButtonEnabled(const QString& key, bool enabled) {
  if (QAction* a = button(key)) a->setEnabled(enabled);
}

bool Toolbar::buttonEnabled(const QString& key) const {
  const QAction* a = button(key);
  return a && a->isEnabled() && isEnabled();
}

void Toolbar::click(const QString& key) {
  if (buttonEnabled(key)) button(key)->trigger();
}

void setCaption(QWidget& window, const QString& caption) {
  // Qt shows "[*][*]" as "[*]".
  window.setWindowTitle(QString(caption).replace(QLatin1String("[*]"), QLatin1String("[*][*]")));
}

QIcon builtinPicture(int number) {
  QStyle* style = QApplication::style();
  if (!style) return {};
  switch (number) {
    case 72: return style->standardIcon(QStyle::SP_ArrowLeft);
    case 73: return style->standardIcon(QStyle::SP_ArrowRight);
    default: return {};
  }
}

}  // namespace zevo::vb
