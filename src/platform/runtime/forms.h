#pragma once
// Windows and their life cycle.
//
// Every window of the program is a `Form` (a QDialog) with the handlers
// Form_Load, Form_Activate, Form_QueryUnload and Form_Unload as plain public
// member functions. The main window (a QMainWindow) implements
// `FormHandlers` and is announced with setMainForm().
//
// Showing a window modally always goes through showForm():
//
//   vb::showForm("IV_Neues_Volk");            // by name (see registerForm)
//   vb::showForm(std::make_unique<IH_Hilfe>());
//
// showForm sets the hourglass, builds the window anew, runs Form_Load, shows
// the window modally and runs its Form_Activate once it is shown. A window
// that unloads itself during Form_Load is never shown. When the window has
// closed it is destroyed, and the window that was active before it (the
// calling modal window or the main window) runs its Form_Activate. Nothing
// else runs Form_Activate: switching to another program and back does not.
//
// Closing: "Unload Me" is unload(); the close box runs the same handlers with
// vbFormControlMenu. Form_QueryUnload or Form_Unload may cancel. Escape does
// not close a window.
//
// Return presses the button a window marks with setDefault(true), or the
// push button that has the focus, and no other: no push button of a window
// (or of the main window) is auto-default, those created later included.
//
// A window's own variables that must keep their values from one opening to
// the next live outside the dialog object, because the dialog is built anew
// at every opening. Keep them in a struct with one static instance:
//
//   struct IE_EingabeWerte { QList<int> gebuchtevölker; double basismw = 0; };
//   IE_EingabeWerte& ie_eingabeWerte();   // in the window's .cpp: static instance
//
// The registry maps a window's name to a factory. Static libraries drop
// unreferenced objects, so each folder registers its windows from one
// function that start-up calls (e.g. registerColonyForms()).
//
// Tests replace the modal loop with setModalRunner (tests/support/testmain.h
// wraps it): the runner gets the built and loaded window and must close it.

#include <QDialog>
#include <QString>

#include <functional>
#include <memory>

class QCloseEvent;

namespace zevo::vb {

enum UnloadMode : int { vbFormControlMenu = 0, vbFormCode = 1, vbAppWindows = 2, vbAppTaskManager = 3 };

class FormHandlers {
public:
  virtual ~FormHandlers();
  virtual QString formName() const = 0;
  virtual QWidget* formWidget() = 0;
  virtual void Form_Load() {}
  virtual void Form_Activate() {}
  virtual void Form_QueryUnload(bool& cancel, int unloadMode) {}
  virtual void Form_Unload(bool& cancel) {}
};

// Runs Form_QueryUnload, then (unless cancelled) Form_Unload. True when the
// window may close. The main window calls it from its closeEvent.
bool runUnloadHandlers(FormHandlers& form, int unloadMode);

class Form : public QDialog, public FormHandlers {
  Q_OBJECT
public:
  explicit Form(const QString& name, QWidget* parent = nullptr);
  ~Form() override;
  QString formName() const override { return name_; }
  QWidget* formWidget() override { return this; }

  // "Unload Me": runs the unload handlers and closes the window unless one of
  // them cancels. Called during Form_Load it keeps the window from showing.
  bool unload();
  bool isUnloaded() const { return unloaded_; }

  void reject() override;   // Escape: ignored while the window is loaded

protected:
  void closeEvent(QCloseEvent* event) override;

private:
  QString name_;
  bool unloaded_ = false;
};

// --- registry -------------------------------------------------------------------
using FormFactory = std::function<std::unique_ptr<Form>()>;
void registerForm(const QString& name, FormFactory factory);
bool isRegistered(const QString& name);
std::unique_ptr<Form> createForm(const QString& name);   // nullptr when unknown

// --- showing ----------------------------------------------------------------------
void showForm(const QString& name);
void showForm(std::unique_ptr<Form> form);

void setMainForm(FormHandlers* main);   // nullptr when the main window goes
FormHandlers* mainForm();
// The window that is active: the innermost modal window, else the main window.
FormHandlers* activeForm();
QWidget* activeWidget();

// Test seam: replaces "show modally and wait". Called with the window's name
// and the window, built and loaded (nullptr when no window of that name is
// registered). The first activation is the runner's job; the window must be
// unloaded when the runner returns.
using ModalRunner = std::function<void(const QString& name, Form* form)>;
ModalRunner setModalRunner(ModalRunner runner);   // returns the previous one; {} = default

}  // namespace zevo::vb
