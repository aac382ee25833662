// Zip archives of plain files: writing, reading back, and refusing archives
// whose entries would land outside the target folder.

#include "platform/zip/archive.h"
#include "platform/zip/testarchiv.h"
#include "platform/runtime/files.h"
#include "support/testmain.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

using namespace zevo;
using test::bytes;
using test::schreiben;

class ArchiveTest : public QObject {
  Q_OBJECT
  const QString base_ = QDir::currentPath() + "/";

  QString neuerOrdner(const QString& name) {
    QDir(base_ + name).removeRecursively();
    QDir().mkpath(base_ + name);
    return base_ + name + "/";
  }

private slots:
  void roundTripKeepsBytesAndOrder() {
    const QString quelle = neuerOrdner("quelle");
    const QStringList namen = {"ZEVO.MDB", "Einstellungen.ZE1", "leer.ZE1"};
    QByteArray gross(300000, '\0');
    for (auto& c : gross) c = char(QRandomGenerator::global()->generate() & 0xff);
    schreiben(quelle + namen[0], gross);
    schreiben(quelle + namen[1], " 14 \r\n\xC4\xD6\xDC\r\n");
    schreiben(quelle + namen[2], {});
    const QString archiv = base_ + "rund.zip";
    zip::Writer w(archiv);
    for (const QString& n : namen) w.addFile(quelle + n, n);
    QVERIFY_THROWS_EXCEPTION(zip::Error, w.addFile(quelle + namen[0], "zevo.mdb"));   // twice
    QVERIFY_THROWS_EXCEPTION(zip::Error, w.addFile(quelle + namen[0], "../da.ZE1"));
    w.close();
    QCOMPARE(zip::entryNames(archiv), namen);
    const QString ziel = neuerOrdner("ziel");
    QCOMPARE(zip::extractAll(archiv, ziel), namen);
    for (const QString& n : namen) QCOMPARE(bytes(ziel + n), bytes(quelle + n));
  }

  // Nothing of such an archive is written, not even its harmless entries
  // ("../" alone is also the restore's test).
  void refusesEntriesOutsideTheFolder_data() {
    QTest::addColumn<QByteArray>("boese");
    QTest::newRow("hoch") << QByteArray("../ausserhalb.ZE1");
    QTest::newRow("tief") << QByteArray("x/../../ausserhalb.ZE1");
    QTest::newRow("absolut") << QByteArray("/tmp/zevo-ausserhalb.ZE1");
    QTest::newRow("backslash") << QByteArray("..\\ausserhalb.ZE1");
    QTest::newRow("doppelt") << QByteArray("zevo.mdb");
  }
  void refusesEntriesOutsideTheFolder() {
    QFETCH(QByteArray, boese);
    const QString archiv = base_ + "boese.zip";
    test::rohesArchiv(archiv, {{"ZEVO.MDB", "harmlos"}, {boese, "boese"}});
    const QString ziel = neuerOrdner("sperre/ziel");
    QVERIFY_THROWS_EXCEPTION(zip::Error, zip::extractAll(archiv, ziel));
    QCOMPARE(QDir(base_ + "sperre").entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"ziel"});
    QCOMPARE(QDir(ziel).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
    QVERIFY(!QFile::exists(base_ + "ausserhalb.ZE1") && !QFile::exists("/tmp/zevo-ausserhalb.ZE1"));
  }

  // (A file that vanishes before close() is the backup's test.)
  void failedWritesLeaveNoArchive() {
    const QString quelle = neuerOrdner("fehl");
    const QString archiv = base_ + "fehl.zip";
    schreiben(quelle + "da.ZE1", "da");
    {
      zip::Writer w(archiv);
      QVERIFY_THROWS_EXCEPTION(zip::Error, w.addFile(quelle + "fehlt.ZE1", "fehlt.ZE1"));
      w.addFile(quelle + "da.ZE1", "da.ZE1");
    }   // destroyed without close(): discarded
    QVERIFY(!QFile::exists(archiv));
    zip::Writer leer(archiv);
    QVERIFY_THROWS_EXCEPTION(zip::Error, leer.close());   // no entry at all
    QVERIFY(!QFile::exists(archiv));
  }

  // A closed archive is on the disk under its name; a sync that fails is a
  // failure.
  void closedArchiveIsOnTheDisk() {
    const QString quelle = neuerOrdner("voll");
    const QString archiv = quelle + "sicherung.zip";
    schreiben(quelle + "ZEVO.MDB", "db");
    QStringList synced;
    vb::setSyncObserver([&](const QString& path) { synced << QFileInfo(path).fileName(); });
    vb::setSyncFault([](const QString& path) { return path.endsWith("/voll"); });
    {
      zip::Writer w(archiv);
      w.addFile(quelle + "ZEVO.MDB", "ZEVO.MDB");
      QVERIFY_THROWS_EXCEPTION(zip::Error, w.close());
    }
    vb::setSyncObserver({});
    vb::setSyncFault({});
    QCOMPARE(synced, (QStringList{"sicherung.zip", "voll"}));
  }

  void damagedArchiveIsReported() {
    const QString archiv = base_ + "schaden.zip";
    schreiben(neuerOrdner("schaden") + "a.ZE1", QByteArray(100000, 'x'));
    zip::Writer w(archiv, 1);
    w.addFile(base_ + "schaden/a.ZE1", "a.ZE1");
    w.close();
    QByteArray roh = bytes(archiv);
    roh[40] = char(roh[40] ^ 0x55);   // the compressed data, not the directory: the CRC check finds it
    roh[60] = char(roh[60] ^ 0x55);
    schreiben(archiv, roh);
    QVERIFY_THROWS_EXCEPTION(zip::Error, zip::extractAll(archiv, neuerOrdner("schaden/ziel")));
    schreiben(archiv, "keine zip-datei");
    QVERIFY_THROWS_EXCEPTION(zip::Error, zip::entryNames(archiv));
  }
};

ZEVO_TEST_MAIN(ArchiveTest)
#include "test_archive.moc"
