// Saving a workbook: on a full disk the old workbook stays as it was and
// nothing is left beside it; with room the workbook replaces it whole.
#include "platform/runtime/files.h"
#include "platform/xlsx/xlsx.h"
#include "support/dateien.h"
#include "support/dateigrenze.h"
#include "support/testmain.h"

#include <QDir>

using namespace zevo;
using zevo::test::bytes;

class WorksheetTest : public QObject {
  Q_OBJECT
private slots:
  void fullDiskKeepsTheOldWorkbook() {
    const QString ordner = QDir::currentPath() + "/tabelle/";
    QVERIFY(QDir().mkpath(ordner));
    const QString datei = ordner + "Liste.xlsx";
    test::schreiben(datei, "die bisherige Tabelle");
    xlsx::Worksheet blatt;
    for (int r = 1; r <= 400; ++r) {
      blatt.setText(r, 1, QString("Volk %1 am Waldrand").arg(r));
      blatt.setNumber(r, 2, r * 1.25);
    }
    {
      test::Dateigrenze volleplatte(2000);
      QVERIFY_THROWS_EXCEPTION(vb::Error, blatt.save(datei));
    }
    QCOMPARE(bytes(datei), QByteArray("die bisherige Tabelle"));
    QCOMPARE(QDir(ordner).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{"Liste.xlsx"});
    // A workbook that does not reach the disk does not take the old one's place.
    vb::setSyncFault([](const QString& path) { return path.contains("/.Liste.xlsx.zevo-"); });
    QVERIFY_THROWS_EXCEPTION(vb::Error, blatt.save(datei));
    vb::setSyncFault({});
    QCOMPARE(bytes(datei), QByteArray("die bisherige Tabelle"));
    blatt.save(datei);
    QVERIFY(bytes(datei).startsWith("PK") && bytes(datei).size() > 2000);
    QCOMPARE(QDir(ordner).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{"Liste.xlsx"});
  }
};

ZEVO_TEST_MAIN(WorksheetTest)
#include "test_worksheet.moc"
