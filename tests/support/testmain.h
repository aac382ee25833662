#pragma once
// Every test program runs in a fresh temporary program folder, headless,
// with the user's configuration redirected into that folder.
#include <QApplication>
#include <QTemporaryDir>
#include <QtTest>

namespace zevo::test {

// A temporary program folder: the current directory while the test runs.
class ProgramFolder {
public:
  ProgramFolder();
  ~ProgramFolder();
  QString path() const;            // with a trailing "/"
  QString file(const QString& name) const { return path() + name; }
private:
  QTemporaryDir dir_;
  QString oldCwd_;
};

// Called once per test program before the test object runs.
void prepareTestProcess();

}  // namespace zevo::test

#define ZEVO_TEST_MAIN(TestObject)                                   \
  int main(int argc, char** argv) {                                  \
    qputenv("QT_QPA_PLATFORM", "offscreen");                         \
    QApplication app(argc, argv);                                    \
    zevo::test::prepareTestProcess();                                \
    zevo::test::ProgramFolder folder;                                \
    TestObject tc;                                                   \
    return QTest::qExec(&tc, argc, argv);                            \
  }
