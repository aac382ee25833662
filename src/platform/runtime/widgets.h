#pragma once
// Small controls with the behaviour the windows expect of them.

#include <QHash>
#include <QIcon>
#include <QProgressBar>
#include <QTabWidget>
#include <QToolBar>

#include <functional>

class QAction;

namespace zevo::vb {

// Max and Value: a maximum of 0 or less counts as 1 (never a busy bar), and
// a value outside 0..Max is clamped.
class ProgressBar : public QProgressBar {
public:
  explicit ProgressBar(QWidget* parent = nullptr);
  void setMax(int max);
  int max() const { return maximum(); }
  void setValue(int value);
};

// Tab: the 0-based page. onClick(previousTab) runs on every change of the
// page, by the user or by setTab, but not when setTab names the page already
// shown. setTab may be called inside onClick (it runs onClick again).
class TabControl : public QTabWidget {
public:
  explicit TabControl(QWidget* parent = nullptr);
  int tab() const { return currentIndex(); }
  void setTab(int index) { setCurrentIndex(index); }
  std::function<void(int previousTab)> onClick;
private:
  int shown_ = -1;
};

// Buttons addressed by a key (compared exactly); onButtonClick gets the key.
class Toolbar : public QToolBar {
public:
  explicit Toolbar(QWidget* parent = nullptr);
  QAction* addButton(const QString& key, const QIcon& icon, const QString& toolTip,
                     const QString& text = {});
  QAction* button(const QString& key) const;
  void setButtonEnabled(const QString& key, bool enabled);
  bool buttonEnabled(const QString& key) const;
  void click(const QString& key);       // as if the user clicked it (only when enabled)
  std::function<void(const QString& key)> onButtonClick;
private:
  QHash<QString, QAction*> buttons_;
};

// Sets a window's caption to exactly the text given. Qt would read "[*]" in a
// title as the place of the modified mark and drop it; no window of ZEVO
// uses that mark, so a colony number such as "5[*]" shows as typed.
void setCaption(QWidget& window, const QString& caption);

// Built-in button pictures: 72 an arrow to the left, 73 an arrow to the right.
QIcon builtinPicture(int number);

}  // namespace zevo::vb
