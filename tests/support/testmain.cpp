#include "support/testmain.h"

#include <QDir>
#include <QStandardPaths>

namespace zevo::test {

ProgramFolder::ProgramFolder() : oldCwd_(QDir::currentPath()) {
  QDir::setCurrent(dir_.path());
}

ProgramFolder::~ProgramFolder() { QDir::setCurrent(oldCwd_); }

QString ProgramFolder::path() const { return dir_.path() + "/"; }

void prepareTestProcess() {
  // Column widths and other per-user stores go to a private place.
  QStandardPaths::setTestModeEnabled(true);
}

}  // namespace zevo::test
