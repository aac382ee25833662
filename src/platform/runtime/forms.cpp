#include "platform/runtime/forms.h"

#include "platform/runtime/msgbox.h"
#include "platform/runtime/mousepointer.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QHash>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include <vector>

namespace zevo::vb {

namespace {

QHash<QString, FormFactory>& registry() {
  static QHash<QString, FormFactory> forms;
  return forms;
}

ModalRunner& runnerSlot() {
  static ModalRunner runner;
  return runner;
}

FormHandlers* mainWindow = nullptr;
std::vector<FormHandlers*> modalStack;

// Return in a window presses the button the window marks as default, or the
// button that has the focus; no other button ever. A dialog makes its first
// "auto-default" button the default when shown and gives the default back to
// the first button that ever had the focus, so that Return in an input field
// pressed, say, "Hilfe" after any button had been clicked. No push button of
// a window is auto-default (also those created later: a button is polished
// before it is first shown), and a focused button answers Return itself.
bool belongsToAWindow(const QWidget* widget) {
  QWidget* window = widget->window();
  if (qobject_cast<Form*>(window)) return true;
  return mainWindow && mainWindow->formWidget() == window;
}

class ButtonRule : public QObject {
public:
  using QObject::QObject;
  bool eventFilter(QObject* o, QEvent* e) override {
    const QEvent::Type type = e->type();
    if (type != QEvent::Polish && type != QEvent::KeyPress) return false;
    auto* button = qobject_cast<QPushButton*>(o);
    if (!button || !belongsToAWindow(button)) return false;
    if (type == QEvent::Polish) {
      button->setAutoDefault(false);
      return false;
    }
    const auto* key = static_cast<QKeyEvent*>(e);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if (!enter || modifiers != Qt::NoModifier || !button->hasFocus() || !button->isEnabled()) return false;
    button->click();
    return true;
  }
};

void installButtonRule() {
  static QPointer<ButtonRule> rule;
  if (rule || !QCoreApplication::instance()) return;
  rule = new ButtonRule(QCoreApplication::instance());
  QCoreApplication::instance()->installEventFilter(rule);
}

void runModal(Form& form) {
  QPointer<Form> guard(&form);
  QTimer::singleShot(0, &form, [guard] {
    if (guard && !guard->isUnloaded()) guard->Form_Activate();
  });
  form.exec();
}

}  // namespace

FormHandlers::~FormHandlers() {
  if (mainWindow == this) mainWindow = nullptr;
}

bool runUnloadHandlers(FormHandlers& form, int unloadMode) {
  bool cancel = false;
  form.Form_QueryUnload(cancel, unloadMode);
  if (cancel) return false;
  form.Form_Unload(cancel);
  return !cancel;
}

// --- Form ---------------------------------------------------------------------

Form::Form(const QString& name, QWidget* parent) : QDialog(parent), name_(name) {
  installButtonRule();
  setObjectName(name);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

Form::~Form() = default;

bool Form::unload() {
  if (unloaded_) return true;
  if (!runUnloadHandlers(*this, vbFormCode)) return false;
  unloaded_ = true;
  if (isVisible()) QDialog::done(QDialog::Rejected);
  return true;
}

void Form::reject() {
  if (unloaded_) QDialog::reject();
}

void Form::closeEvent(QCloseEvent* event) {
  if (!unloaded_) {
    if (!runUnloadHandlers(*this, vbFormControlMenu)) {
      event->ignore();
      return;
    }
    unloaded_ = true;
  }
  QDialog::done(QDialog::Rejected);
  event->accept();
}

// --- registry -----------------------------------------------------------------

void registerForm(const QString& name, FormFactory factory) { registry().insert(name, std::move(factory)); }

bool isRegistered(const QString& name) { return registry().contains(name); }

std::unique_ptr<Form> createForm(const QString& name) {
  const auto it = registry().constFind(name);
  if (it == registry().constEnd()) return nullptr;
  return (*it)();
}

// --- showing --------------------------------------------------------------------

void setMainForm(FormHandlers* main) {
  mainWindow = main;
  installButtonRule();
}

FormHandlers* mainForm() { return mainWindow; }

FormHandlers* activeForm() { return modalStack.empty() ? mainWindow : modalStack.back(); }

QWidget* activeWidget() {
  FormHandlers* f = activeForm();
  return f ? f->formWidget() : nullptr;
}

ModalRunner setModalRunner(ModalRunner runner) {
  ModalRunner previous = std::move(runnerSlot());
  runnerSlot() = std::move(runner);
  return previous;
}

namespace {

void showModal(const QString& name, std::unique_ptr<Form> form) {
  FormHandlers* previous = activeForm();
  if (form) {
    if (QWidget* parent = activeWidget(); parent && !form->parent())
      form->setParent(parent, form->windowFlags() | Qt::Dialog);
    form->setModal(true);
    form->Form_Load();
    if (form->isUnloaded()) {
      // Never shown: the caller stays active and gets its arrow back.
      setMousePointer(vbDefault);
      return;
    }
  }
  struct StackEntry {
    Form* form;
    explicit StackEntry(Form* f) : form(f) { if (form) modalStack.push_back(form); }
    ~StackEntry() { if (form && !modalStack.empty() && modalStack.back() == form) modalStack.pop_back(); }
  };
  {
    StackEntry entry(form.get());
    const ModalRunner& runner = runnerSlot();
    if (runner) {
      runner(name, form.get());
    } else if (form) {
      runModal(*form);
    } else {
      setMousePointer(vbDefault);
      msgbox("Das Fenster " + name + " ist in dieser Version nicht vorhanden.");
      return;
    }
  }
  form.reset();
  if (previous && activeForm() == previous) previous->Form_Activate();
}

}  // namespace

void showForm(const QString& name) {
  setMousePointer(vbHourglass);
  showModal(name, createForm(name));
}

void showForm(std::unique_ptr<Form> form) {
  setMousePointer(vbHourglass);
  const QString name = form ? form->formName() : QString();
  showModal(name, std::move(form));
}

}  // namespace zevo::vb
