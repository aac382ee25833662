// Zip archives of plain files: writing, reading back, and refusing archives
// whose entries would land outside the target folder.

#include "platform/zip/archive.h"
#include "platform/zip/testarchiv.h"
#include "support/testmain.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

using namespace zevo;
using test::bytes;
using test::rohesArchiv;
using test::schreiben;

class ArchiveTest : public QObject {
  Q_OBJECT
  QString base_;

  QString neuerOrdner(const QString& name) {
    const QString p = base_ + name + "/";
    QDir(p).removeRecursively();
    QDir().mkpath(p);
    return p;
  }

private slots:
  void initTestCase() { base_ = QDir::currentPath() + "/"; }

  void roundTripKeepsBytesAndOrder() {
    const QString quelle = neuerOrdner("quelle");
    QByteArray gross(300000, '\0');
    for (auto& c : gross) c = char(QRandomGenerator::global()->generate() & 0xff);
    schreiben(quelle + "ZEVO.MDB", gross);
    schreiben(quelle + "Einstellungen.ZE1", " 14 \r\nÄÖÜ\r\n");
    schreiben(quelle + "leer.ZE1", {});
    const QString archiv = base_ + "rund.zip";
    {
      zip::Writer w(archiv);
      w.addFile(quelle + "ZEVO.MDB", "ZEVO.MDB");
      w.addFile(quelle + "Einstellungen.ZE1", "Einstellungen.ZE1");
      w.addFile(quelle + "leer.ZE1", "leer.ZE1");
      QCOMPARE(w.count(), 3);
      w.close();
    }
    QCOMPARE(zip::entryNames(archiv), (QStringList{"ZEVO.MDB", "Einstellungen.ZE1", "leer.ZE1"}));
    const QString ziel = neuerOrdner("ziel");
    QCOMPARE(zip::extractAll(archiv, ziel), (QStringList{"ZEVO.MDB", "Einstellungen.ZE1", "leer.ZE1"}));
    for (const char* n : {"ZEVO.MDB", "Einstellungen.ZE1", "leer.ZE1"})
      QCOMPARE(bytes(ziel + QString(n)), bytes(quelle + QString(n)));
  }

  // Nothing of such an archive is written, not even its harmless entries.
  void refusesEntriesOutsideTheFolder_data() {
    QTest::addColumn<QByteArray>("boese");
    QTest::newRow("hoch") << QByteArray("../ausserhalb.ZE1");
    QTest::newRow("tief") << QByteArray("x/../../ausserhalb.ZE1");
    QTest::newRow("absolut") << QByteArray("/tmp/zevo-ausserhalb.ZE1");
    QTest::newRow("ordner") << QByteArray("unter/datei.ZE1");
    QTest::newRow("backslash") << QByteArray("..\\ausserhalb.ZE1");
    QTest::newRow("punktpunkt") << QByteArray("..");
    QTest::newRow("laufwerk") << QByteArray("C:ausserhalb.ZE1");
    QTest::newRow("doppelt") << QByteArray("zevo.mdb");
  }
  void refusesEntriesOutsideTheFolder() {
    QFETCH(QByteArray, boese);
    const QString archiv = base_ + "boese.zip";
    rohesArchiv(archiv, {{"ZEVO.MDB", "harmlos"}, {boese, "boese"}});
    const QString ziel = neuerOrdner("sperre/ziel");
    QVERIFY_THROWS_EXCEPTION(zip::Error, zip::extractAll(archiv, ziel));
    QCOMPARE(QDir(ziel).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
    QCOMPARE(QDir(base_ + "sperre").entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"ziel"});
    QVERIFY(!QFile::exists(base_ + "ausserhalb.ZE1"));
    QVERIFY(!QFile::exists("/tmp/zevo-ausserhalb.ZE1"));
    try {
      zip::extractAll(archiv, ziel);
    } catch (const zip::Error& e) {
      QVERIFY(e.text().contains("Backupdatei"));
    }
  }

  void failedAddAndCloseLeaveNoArchive() {
    const QString quelle = neuerOrdner("fehl");
    schreiben(quelle + "da.ZE1", "da");
    const QString archiv = base_ + "fehl.zip";
    {
      zip::Writer w(archiv);
      w.addFile(quelle + "da.ZE1", "da.ZE1");
      QVERIFY_THROWS_EXCEPTION(zip::Error, w.addFile(quelle + "fehlt.ZE1", "fehlt.ZE1"));
      QVERIFY_THROWS_EXCEPTION(zip::Error, w.addFile(quelle + "da.ZE1", "DA.ZE1"));   // twice
      QVERIFY_THROWS_EXCEPTION(zip::Error, w.addFile(quelle + "da.ZE1", "../da.ZE1"));
      // destroyed without close(): discarded
    }
    QVERIFY(!QFile::exists(archiv));
    {
      // A file that vanishes before the archive is written fails the close.
      schreiben(quelle + "weg.ZE1", "weg");
      zip::Writer w(archiv);
      w.addFile(quelle + "da.ZE1", "da.ZE1");
      w.addFile(quelle + "weg.ZE1", "weg.ZE1");
      QVERIFY(QFile::remove(quelle + "weg.ZE1"));
      QVERIFY_THROWS_EXCEPTION(zip::Error, w.close());
    }
    QVERIFY(!QFile::exists(archiv));
    {
      zip::Writer w(archiv);
      QVERIFY_THROWS_EXCEPTION(zip::Error, w.close());   // no entry at all
    }
    QVERIFY(!QFile::exists(archiv));
  }

  void damagedArchiveIsReported() {
    const QString quelle = neuerOrdner("schaden");
    QByteArray inhalt(100000, 'x');
    schreiben(quelle + "a.ZE1", inhalt);
    const QString archiv = base_ + "schaden.zip";
    {
      zip::Writer w(archiv, 1);
      w.addFile(quelle + "a.ZE1", "a.ZE1");
      w.close();
    }
    QByteArray roh = bytes(archiv);
    // Damage the compressed data, not the directory: the CRC check finds it.
    roh[40] = char(roh[40] ^ 0x55);
    roh[60] = char(roh[60] ^ 0x55);
    schreiben(archiv, roh);
    QVERIFY_THROWS_EXCEPTION(zip::Error, zip::extractAll(archiv, neuerOrdner("schaden/ziel")));
    schreiben(archiv, "keine zip-datei");
    QVERIFY_THROWS_EXCEPTION(zip::Error, zip::entryNames(archiv));
    QVERIFY_THROWS_EXCEPTION(zip::Error, zip::extractAll(base_ + "gibtesnicht.zip", base_));
  }
};

ZEVO_TEST_MAIN(ArchiveTest)
#include "test_archive.moc"
