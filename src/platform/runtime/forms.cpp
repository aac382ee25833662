#include "platform/runtime/forms.h"

#include "platform/runtime/msgbox.h"
#include "platform/runtime/mousepointer.h"

#include <QCloseEvent>
#include <QHash>
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

// A dialog without a default button of its own would make its first button
// the default when shown, so that Return in an input field pressed, say,
// "Hilfe". Only a button the window marks as default answers Return; any
// other button answers it while it has the focus.
void keepOnlyChosenDefault(Form& form, const QList<QPushButton*>& chosen) {
  for (QPushButton* button : form.findChildren<QPushButton*>())
    if (button->isDefault() && !chosen.contains(button)) button->setDefault(false);
}

void runModal(Form& form) {
  QList<QPushButton*> chosen;
  for (QPushButton* button : form.findChildren<QPushButton*>())
    if (button->isDefault()) chosen << button;
  QPointer<Form> guard(&form);
  QTimer::singleShot(0, &form, [guard, chosen] {
    if (!guard) return;
    keepOnlyChosenDefault(*guard, chosen);
    if (!guard->isUnloaded()) guard->Form_Activate();
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

void setMainForm(FormHandlers* main) { mainWindow = main; }

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
