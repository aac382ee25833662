#include "support/testmain.h"

class SmokeTest : public QObject {
  Q_OBJECT
private slots:
  void folderIsFresh() {
    QDir d(QDir::currentPath());
    QVERIFY(d.entryList(QDir::Files).isEmpty());
  }
};

ZEVO_TEST_MAIN(SmokeTest)
#include "test_smoke.moc"
