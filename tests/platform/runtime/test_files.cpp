#include "support/testmain.h"

#include "platform/runtime/files.h"
#include "platform/runtime/textfile.h"

#include <QFile>

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

  void cp1252Codec_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("encoded");
    QTest::newRow("ascii") << "Volk 1" << QByteArray("Volk 1");
    QTest::newRow("umlauts") << "ÄÖÜäöü" << QByteArray("\xC4\xD6\xDC\xE4\xF6\xFC");
    QTest::newRow("sharp s") << "Straße" << QByteArray("Stra\xDF" "e");
    QTest::newRow("euro") << "5 €" << QByteArray("5 \x80");
    QTest::newRow("quotes and dash") << "„a“ – b…" << QByteArray("\x84" "a\x93 \x96 b\x85");
    QTest::newRow("latin-1 range") << "°µ½é" << QByteArray("\xB0\xB5\xBD\xE9");
  }
  void cp1252Codec() {
    QFETCH(QString, text);
    QFETCH(QByteArray, encoded);
    QCOMPARE(vb::cp1252::encode(text), encoded);
    QCOMPARE(vb::cp1252::decode(encoded), text);
  }

  void cp1252Unmappable() {
    QCOMPARE(vb::cp1252::encode("a\u4E2Db"), QByteArray("a?b"));
    QCOMPARE(vb::cp1252::encode("x\U0001F41Dy"), QByteArray("x?y"));   // one "?" for a pair
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
    QCOMPARE(in.lineInput(), QString("Müller"));
    QCOMPARE(in.lineInput(), QString("ab"));
    QCOMPARE(in.inputNumber(), 14.0);
    QCOMPARE(in.inputNumber(), -3.0);
    QVERIFY(!in.eof());
    QCOMPARE(in.lineInput(), QString());
    QVERIFY(in.eof());
    QVERIFY_THROWS_EXCEPTION(vb::Error, in.lineInput());
  }

  void readerLineEnds() {
    const QString path = folder() + "x.txt";
    touch(path, "eins\ndrei\r\n\r\nletzte");
    QCOMPARE(vb::readLines(path), QStringList({"eins", "drei", "", "letzte"}));
    touch(path, "");
    QVERIFY(vb::readLines(path).isEmpty());
    touch(path, " 1.5 \r\n12,7\r\n\r\nabc\r\n");
    vb::TextReader in(path);
    QCOMPARE(in.inputNumber(), 1.5);
    QCOMPARE(in.inputNumber(), 12.0);
    QCOMPARE(in.inputNumber(), 7.0);
    QCOMPARE(in.inputNumber(), 0.0);   // an empty line
    QCOMPARE(in.inputNumber(), 0.0);   // no number
    QVERIFY(in.eof());
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

  void programFolder() {
    QVERIFY(folder().endsWith('/'));
    QVERIFY(!folder().endsWith("//"));
    QCOMPARE(vb::withTrailingSlash("/tmp/a"), QString("/tmp/a/"));
    QCOMPARE(vb::withTrailingSlash("/tmp/a/"), QString("/tmp/a/"));
    QCOMPARE(vb::withTrailingSlash("/"), QString("/"));
    QCOMPARE(vb::currentDir(), folder());
  }

  void dirSearch() {
    touch(folder() + "report.htm");
    touch(folder() + "report-2.htm");
    touch(folder() + "REPORT-1.HTM");
    touch(folder() + "reportx.htm");
    QDir(folder()).mkdir("report-9.htm");
    QStringList found;
    for (QString n = vb::dir(folder() + "report-*.htm"); !n.isEmpty(); n = vb::dir()) found << n;
    QCOMPARE(found, QStringList({"REPORT-1.HTM", "report-2.htm"}));
    QCOMPARE(vb::dir("report?.htm"), QString("reportx.htm"));   // relative: the current directory
    QCOMPARE(vb::dir(folder() + "nichts*"), QString());
    QCOMPARE(vb::dir(), QString());
    // The shut-down loop: delete the first match until none is left.
    for (QString n = vb::dir(folder() + "report-*.htm"); !n.isEmpty(); n = vb::dir(folder() + "report-*.htm"))
      vb::kill(folder() + n);
    QVERIFY(QFile::exists(folder() + "report.htm"));
    QDir(folder()).rmdir("report-9.htm");
  }

  void fileOperations() {
    const QString a = folder() + "a.txt";
    const QString b = folder() + "b.txt";
    touch(a, "neu");
    touch(b, "alt");
    vb::fileCopy(a, b);   // replaces without a question
    QCOMPARE(bytes(b), QByteArray("neu"));
    QVERIFY_THROWS_EXCEPTION(vb::Error, vb::fileCopy(folder() + "fehlt", b));
    try {
      vb::name(a, b);
      QFAIL("name over an existing file");
    } catch (const vb::Error& e) {
      QCOMPARE(e.number(), int(vb::errFileAlreadyExists));
    }
    vb::name(a, folder() + "c.txt");
    QVERIFY(!vb::fileExists(a));
    QVERIFY(vb::fileExists(folder() + "c.txt"));
    vb::kill(folder() + "c.txt");
    try {
      vb::kill(folder() + "c.txt");
      QFAIL("kill of a missing file");
    } catch (const vb::Error& e) {
      QCOMPARE(e.number(), int(vb::errFileNotFound));
      QVERIFY(e.text().startsWith("Datei nicht gefunden"));
    }
    touch(folder() + "zevo.mdb");
    QCOMPARE(vb::resolveCase(folder() + "ZEVO.MDB"), folder() + "zevo.mdb");
    QCOMPARE(vb::resolveCase(folder() + "KEINE.MDB"), folder() + "KEINE.MDB");
  }

  void readOnlyFiles() {
    touch(folder() + "b.txt");
    touch(folder() + "A.txt");
    touch(folder() + "c.dat");
    QFile::setPermissions(folder() + "b.txt", QFile::ReadOwner);
    QFile::setPermissions(folder() + "c.dat", QFile::ReadOwner);
    QVERIFY(vb::isReadOnly(folder() + "b.txt"));
    QVERIFY(!vb::isReadOnly(folder() + "A.txt"));
    QCOMPARE(vb::fileList(folder()), QStringList({"A.txt", "b.txt", "c.dat"}));
    QCOMPARE(vb::fileList(folder(), "*.TXT"), QStringList({"A.txt", "b.txt"}));
    QCOMPARE(vb::fileList(folder(), "*", true), QStringList({"b.txt", "c.dat"}));
    vb::setAttrNormal(folder() + "b.txt");
    QVERIFY(!vb::isReadOnly(folder() + "b.txt"));
  }

  void drivesHaveRoots() {
    const auto list = vb::drives();
    QVERIFY(!list.isEmpty());
    for (const auto& d : list) {
      QVERIFY(d.root.endsWith('/'));
      QVERIFY(d.display.startsWith(d.root));
    }
  }

  void singleInstance() {
    const QString key = "zevo-test-" + folder();
    vb::SingleInstance first(key);
    QVERIFY(!first.lockPath().startsWith(folder()));
    QVERIFY(first.tryLock());
    QVERIFY(first.tryLock());   // the holder asks again
    {
      vb::SingleInstance second(key);
      QCOMPARE(second.lockPath(), first.lockPath());
      // A lock file of this process counts as held by another instance only
      // across processes; in one process QLockFile refuses a second lock too.
      QVERIFY(!second.tryLock());
    }
    vb::SingleInstance other("zevo-test-anderer-" + folder());
    QVERIFY(other.tryLock());
  }
};

ZEVO_TEST_MAIN(FilesTest)
#include "test_files.moc"
