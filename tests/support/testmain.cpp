#include "support/testmain.h"

#include "platform/runtime/application.h"
#include "platform/runtime/files.h"
#include "platform/runtime/sound.h"
#include "platform/runtime/vb.h"

#include <QDir>
#include <QFile>

#include <clocale>
#include <cstdio>
#include <cstdlib>

namespace zevo::test {

namespace {

QString describe(const vb::MessageRequest& r) {
  return QString(r.buttons == vb::YesNo ? "Frage" : "Meldung") + " \"" +
         vb::displayText(r.text).replace('\n', " / ") + "\"";
}

void fail(const QString& what) {
  QTest::qFail(qPrintable(what), __FILE__, __LINE__);
}

int beepCount = 0;

}  // namespace

// --- program folder -------------------------------------------------------------

ProgramFolder::ProgramFolder() : oldCwd_(QDir::currentPath()) {
  QDir::setCurrent(dir_.path());
  vb::setProgramFolder(path());
}

ProgramFolder::~ProgramFolder() {
  vb::setProgramFolder({});
  QDir::setCurrent(oldCwd_);
}

QString ProgramFolder::path() const { return dir_.path() + "/"; }

// --- message boxes -----------------------------------------------------------------

void Messages::expect(const QString& containing, vb::MsgResult answer) {
  queue_.append({containing, answer});
}

QStringList Messages::texts() const {
  QStringList out;
  for (const auto& r : shown_) out << r.text;
  return out;
}

QString Messages::last() const { return shown_.isEmpty() ? QString() : shown_.last().text; }

void Messages::reset() {
  queue_.clear();
  shown_.clear();
  acceptInformation_ = false;
}

vb::MsgResult Messages::handle(const vb::MessageRequest& request) {
  shown_.append(request);
  const vb::MsgResult fallback = request.buttons == vb::YesNo ? vb::vbNo : vb::vbOK;
  if (queue_.isEmpty()) {
    if (request.buttons == vb::OKOnly && acceptInformation_) return vb::vbOK;
    fail("Unerwartete " + describe(request));
    return fallback;
  }
  const Expectation e = queue_.takeFirst();
  if (!e.containing.isEmpty() && !request.text.contains(e.containing)) {
    fail("Erwartet wurde eine Meldung mit \"" + e.containing + "\", gezeigt wurde " + describe(request));
    return fallback;
  }
  const bool yesNoAnswer = e.answer == vb::vbYes || e.answer == vb::vbNo;
  if (yesNoAnswer != (request.buttons == vb::YesNo)) {
    fail("Die Antwort passt nicht zu den Schaltflächen: " + describe(request));
    return fallback;
  }
  return e.answer;
}

Messages& messages() {
  static Messages m;
  return m;
}

// --- modal windows ------------------------------------------------------------------

void Forms::on(const QString& name, Handler handler) { handlers_.insert(name, std::move(handler)); }

void Forms::reset() {
  handlers_.clear();
  shown_.clear();
}

void Forms::run(const QString& name, vb::Form* form) {
  shown_ << name;
  const auto it = handlers_.constFind(name);
  if (it == handlers_.constEnd()) {
    fail("Unerwartetes Fenster " + name);
    if (form) form->unload();
    return;
  }
  if (form) form->Form_Activate();
  if (form && form->isUnloaded()) return;
  const Handler handler = *it;   // a copy: the handler may replace itself
  handler(form);
  if (form && !form->isUnloaded()) fail("Das Fenster " + name + " wurde nicht geschlossen");
}

Forms& forms() {
  static Forms f;
  return f;
}

// --- beeps, clock, set-up ---------------------------------------------------------------

int beeps() { return beepCount; }

void setToday(const QDate& today) {
  vb::setClock(today.isValid() ? QDateTime(today, QTime(10, 0)) : QDateTime());
}

void resetScripts() {
  messages().reset();
  forms().reset();
  beepCount = 0;
}

void prepareEnvironment() {
  // The locale the run was started under must exist on this machine: without
  // it the C library stays at "C", and a run under de_DE would prove nothing.
  if (!std::setlocale(LC_ALL, "")) {
    std::fprintf(stderr, "Das Gebietsschema %s ist auf diesem Rechner nicht eingerichtet (scripts/install-deps).\n",
                 qgetenv("LC_ALL").isEmpty() ? qgetenv("LANG").constData() : qgetenv("LC_ALL").constData());
    std::exit(2);
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // The user's configuration, data, runtime and temporary folders: private to
  // this run, as the same test program runs under two locales at once (the
  // single-instance lock lies in the temporary folder).
  static QTemporaryDir home;
  const QString base = home.path();
  const char* const names[] = {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR", "TMPDIR"};
  const char* const folders[] = {"config", "data", "cache", "runtime", "tmp"};
  for (int i = 0; i < 5; ++i) {
    const QString path = base + "/" + folders[i];
    QDir().mkpath(path);
    qputenv(names[i], QFile::encodeName(path));
  }
  QFile::setPermissions(base + "/runtime", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void prepareTestProcess() {
  vb::setMessageHandler([](const vb::MessageRequest& r) { return messages().handle(r); });
  vb::setModalRunner([](const QString& name, vb::Form* form) { forms().run(name, form); });
  vb::setBeepHandler([](int, int) { ++beepCount; });
  vb::setEndHook([](int code) { throw vb::ProcessEnded{code}; });
}

}  // namespace zevo::test
