#include "support/dateigrenze.h"
#include "support/testmain.h"

#include "platform/runtime/files.h"
#include "platform/runtime/textfile.h"

#include <QFile>
#include <QFileInfo>

using namespace zevo;

namespace {

void touch(const QString& path, const QByteArray& content = "x") {
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write(content);
}

QByteArray bytes(const QString& path) {
  QFile f(path);
  f.open(QIODevice::ReadOnly);
  return f.readAll();
}

}  // namespace

class FilesTest : public QObject {
  Q_OBJECT
private:
  QString folder() const { return vb::programFolder(); }

private slots:
  void init() {
    for (const QString& n : QDir(folder()).entryList(QDir::Files | QDir::Hidden)) {
      QFile::setPermissions(folder() + n, QFile::ReadOwner | QFile::WriteOwner);
      QFile::remove(folder() + n);
    }
  }

  void cp1252Codec() {
    const QString text = "ÄÖÜäöü Straße 5 € „a“ – b… °µ½é";
    const QByteArray encoded("\xC4\xD6\xDC\xE4\xF6\xFC Stra\xDF" "e 5 \x80 \x84" "a\x93 \x96 b\x85 \xB0\xB5\xBD\xE9");
    QCOMPARE(vb::cp1252::encode(text), encoded);
    QCOMPARE(vb::cp1252::decode(encoded), text);
    QCOMPARE(vb::cp1252::encode("a\u4E2Db x\U0001F41Dy"), QByteArray("a?b x?y"));   // one "?" for a pair
    // Every byte decodes and encodes back to itself.
    QByteArray all;
    for (int b = 0; b < 256; ++b) all += char(b);
    QCOMPARE(vb::cp1252::encode(vb::cp1252::decode(all)), all);
  }

  void writerAndReader() {
    const QString path = folder() + "LISTE.TXT";
    vb::TextWriter out(path);
    out.printLine("Müller");
    out.print("a");
    out.printLine("b");
    out.printNumberLine(14);
    out.printNumberLine(-3);
    out.printLine();
    QVERIFY(!QFile::exists(path));   // nothing on disk before close()
    out.close();
    QCOMPARE(bytes(path), QByteArray("M\xFCller\r\nab\r\n 14 \r\n-3 \r\n\r\n"));
    vb::TextReader in(path);
    QCOMPARE((QStringList{in.lineInput(), in.lineInput()}), QStringList({"Müller", "ab"}));   // braces: in order
    QCOMPARE((QList<double>{in.inputNumber(), in.inputNumber()}), QList<double>({14, -3}));
    QCOMPARE(in.lineInput(), QString());
    QVERIFY(in.eof());
    QVERIFY_THROWS_EXCEPTION(vb::Error, in.lineInput());

    touch(path, "eins\ndrei\r\n\r\nletzte");
    QCOMPARE(vb::readLines(path), QStringList({"eins", "drei", "", "letzte"}));
    touch(path, " 1.5 \r\n12,7\r\n\r\nabc\r\n");
    vb::TextReader numbers(path);
    for (double expected : {1.5, 12.0, 7.0, 0.0, 0.0}) QCOMPARE(numbers.inputNumber(), expected);
    QVERIFY(numbers.eof());
    QVERIFY_THROWS_EXCEPTION(vb::Error, vb::TextReader(folder() + "fehlt.txt"));
  }

  void writerKeepsOldFileUntilClosed() {
    const QString path = folder() + "alt.txt";
    touch(path, "alt\r\n");
    {
      vb::TextWriter out(path);
      out.printLine("neu");
    }   // destroyed without close(): nothing written
    QCOMPARE(bytes(path), QByteArray("alt\r\n"));
    QDir(folder()).mkdir("ordner");
    vb::TextWriter bad(folder() + "ordner");
    bad.printLine("x");
    QVERIFY_THROWS_EXCEPTION(vb::Error, bad.close());
    QDir(folder()).rmdir("ordner");
  }

  void dirSearch() {
    for (const char* n : {"report.htm", "report-2.htm", "REPORT-1.HTM", "reportx.htm"}) touch(folder() + n);
    QDir(folder()).mkdir("report-9.htm");
    QStringList found;
    for (QString n = vb::dir(folder() + "report-*.htm"); !n.isEmpty(); n = vb::dir()) found << n;
    QCOMPARE(found, QStringList({"REPORT-1.HTM", "report-2.htm"}));
    QCOMPARE(vb::dir("report?.htm"), QString("reportx.htm"));   // relative: the current directory
    QCOMPARE(vb::dir(folder() + "nichts*"), QString());
    QCOMPARE(vb::dir(), QString());
    QDir(folder()).rmdir("report-9.htm");
  }

  void fileOperations() {
    const QString a = folder() + "a.txt";
    const QString b = folder() + "b.txt";
    touch(a, "neu");
    touch(b, "alt");
    // The copy reaches the disk under its temporary name while the target
    // still holds the old content; the folder is synced after the rename.
    QStringList synced;
    vb::setSyncObserver([&](const QString& path) { synced << QFileInfo(path).fileName() + ":" + bytes(b); });
    vb::fileCopy(a, b);   // replaces without a question
    vb::setSyncObserver({});
    QCOMPARE(synced.size(), 2);
    QVERIFY2(synced[0].startsWith(".b.txt.zevo-") && synced[0].endsWith(":alt"), qPrintable(synced[0]));
    QCOMPARE(synced[1], QFileInfo(QDir(folder()).absolutePath()).fileName() + ":neu");
    QCOMPARE(bytes(b), QByteArray("neu"));
    QVERIFY_THROWS_EXCEPTION(vb::Error, vb::fileCopy(folder() + "fehlt", b));
    // A new file takes its name only after it is on the disk, and never over
    // an existing file; the folder is synced after the rename.
    const QString fertig = folder() + "fertig.txt";
    touch(a, "ganz");
    synced.clear();
    vb::setSyncObserver([&](const QString& path) {
      synced << QFileInfo(path).fileName() + ":" + (QFile::exists(fertig) ? bytes(fertig) : "-");
    });
    QVERIFY(vb::putInPlace(a, fertig));
    QVERIFY(!vb::putInPlace(b, fertig));
    QVERIFY(!vb::putInPlace(folder() + "fehlt", folder() + "auch"));
    vb::setSyncObserver({});
    QCOMPARE(synced, (QStringList{"a.txt:-", QFileInfo(QDir(folder()).absolutePath()).fileName() + ":ganz", "fehlt:ganz"}));
    QVERIFY(!QFile::exists(folder() + "auch"));
    QVERIFY(!vb::fileExists(a));
    QCOMPARE(bytes(fertig) + bytes(b), QByteArray("ganzneu"));
    // Replacing works the same way, over an existing file.
    synced.clear();
    vb::setSyncObserver([&](const QString& path) { synced << QFileInfo(path).fileName() + ":" + bytes(b); });
    QVERIFY(vb::replaceFile(fertig, b));
    QVERIFY(!vb::replaceFile(fertig, b));   // gone: nothing to put in place
    vb::setSyncObserver({});
    QCOMPARE(synced, (QStringList{"fertig.txt:neu", QFileInfo(QDir(folder()).absolutePath()).fileName() + ":ganz",
                                  "fertig.txt:ganz"}));
    QCOMPARE(bytes(b), QByteArray("ganz"));
    touch(b, "neu");
    touch(a, "neu");
    QVERIFY_THROWS_EXCEPTION(vb::Error, vb::name(a, b));   // never over an existing file
    vb::name(a, folder() + "c.txt");
    QVERIFY(!vb::fileExists(a) && vb::fileExists(folder() + "c.txt"));
    vb::kill(folder() + "c.txt");
    QVERIFY_THROWS_EXCEPTION(vb::Error, vb::kill(folder() + "c.txt"));
    touch(folder() + "zevo.mdb");
    QCOMPARE(vb::resolveCase(folder() + "ZEVO.MDB"), folder() + "zevo.mdb");
  }

  // On a full disk a copy or a whole file fails and leaves the old file
  // and nothing beside it; a writer that ends unfinished leaves nothing.
  void wholeFilesOnAFullDisk() {
    const QString quelle = folder() + "quelle.dat";
    const QString ziel = folder() + "ziel.dat";
    touch(quelle, QByteArray(5000, 'q'));
    touch(ziel, "alt");
    QFile::setPermissions(quelle, QFile::ReadOwner | QFile::ReadGroup);
    auto namen = [&] { return QDir(folder()).entryList(QDir::Files | QDir::Hidden, QDir::Name); };
    {
      test::Dateigrenze volleplatte(1000);
      QVERIFY_THROWS_EXCEPTION(vb::Error, vb::fileCopy(quelle, ziel));
      QVERIFY(!vb::writeWholeFile(ziel, QByteArray(1001, 'w')));
      QVERIFY(vb::writeWholeFile(folder() + "klein.dat", QByteArray(1000, 'k')));   // up to the limit
      vb::WholeFile abgeschnitten(ziel);   // a caller that goes on after a failed write
      QVERIFY(abgeschnitten.open() && !abgeschnitten.write(QByteArray(1001, 'w')));
      QVERIFY(!abgeschnitten.commit());
    }
    QCOMPARE(bytes(ziel), QByteArray("alt"));
    QCOMPARE(namen(), (QStringList{"klein.dat", "quelle.dat", "ziel.dat"}));
    // Data that does not reach the disk never takes the old file's place.
    vb::setSyncFault([](const QString& path) { return QFileInfo(path).fileName().startsWith(".ziel.dat.zevo-"); });
    QVERIFY(!vb::writeWholeFile(ziel, "neu"));
    QVERIFY_THROWS_EXCEPTION(vb::Error, vb::fileCopy(quelle, ziel));
    vb::setSyncFault({});
    QCOMPARE(bytes(ziel), QByteArray("alt"));
    QCOMPARE(namen(), (QStringList{"klein.dat", "quelle.dat", "ziel.dat"}));
    {
      vb::WholeFile unfertig(ziel);
      QVERIFY(unfertig.open() && unfertig.write("neu", 3));
      QCOMPARE(namen().size(), 4);
    }
    QCOMPARE(namen(), (QStringList{"klein.dat", "quelle.dat", "ziel.dat"}));
    QCOMPARE(bytes(ziel), QByteArray("alt"));
    // A copy takes the source's permissions, writable by its owner.
    vb::fileCopy(quelle, ziel);
    QCOMPARE(bytes(ziel), QByteArray(5000, 'q'));
    QCOMPARE(QFile::permissions(ziel) & 0x0FFF, QFile::ReadUser | QFile::WriteUser | QFile::ReadGroup);
    QCOMPARE(namen(), (QStringList{"klein.dat", "quelle.dat", "ziel.dat"}));
    QFile::setPermissions(quelle, QFile::ReadOwner | QFile::WriteOwner);
  }

  void readOnlyFiles() {
    for (const char* n : {"b.txt", "A.txt", "c.dat"}) touch(folder() + n);
    QFile::setPermissions(folder() + "b.txt", QFile::ReadOwner);
    QFile::setPermissions(folder() + "c.dat", QFile::ReadOwner);
    QCOMPARE(vb::fileList(folder(), "*.TXT"), QStringList({"A.txt", "b.txt"}));
    QCOMPARE(vb::fileList(folder(), "*", true), QStringList({"b.txt", "c.dat"}));
    vb::setAttrNormal(folder() + "b.txt");
    QVERIFY(!vb::isReadOnly(folder() + "b.txt"));
  }

  void singleInstance() {
    const QString key = "zevo-test-" + folder();
    vb::SingleInstance first(key);
    QVERIFY(!first.lockPath().startsWith(folder()));   // the backup packs the program folder
    QVERIFY(first.tryLock());
    QVERIFY(first.tryLock());   // the holder asks again
    QVERIFY(!vb::SingleInstance(key).tryLock());
    QVERIFY(vb::SingleInstance("zevo-test-anderer-" + folder()).tryLock());
  }
};

ZEVO_TEST_MAIN(FilesTest)
#include "test_files.moc"
