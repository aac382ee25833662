#include "grundzustand.h"

#include "common/einstellungen.h"
#include "platform/runtime/files.h"
#include "platform/runtime/textfile.h"
#include "platform/runtime/vb.h"

#include <QFile>

using namespace zevo;
using namespace zevo::common;

namespace {

QByteArray fileBytes(const QString& path) {
  QFile f(path);
  f.open(QIODevice::ReadOnly);
  return f.readAll();
}

QStringList fileLines(const QString& path) { return vb::readLines(path); }

void writeFile(const QStringList& lines) { vb::writeLines(einstellungsdatei(), lines); }

}  // namespace

class EinstellungenTest : public QObject {
  Q_OBJECT
private slots:
  void init() {
    test::grundzustand();
    QFile::remove(einstellungsdatei());
  }

  void firstRunWritesDefaults() {
    QCOMPARE(heute, QString("15.06.2007"));
    einstellungenbeimstart();
    QVERIFY(vb::fileExists(datenpfad + "Einstellungen.ZE1"));
    const QStringList lines = fileLines(einstellungsdatei());
    QCOMPARE(lines.size(), 173);
    QVERIFY(fileBytes(einstellungsdatei()).endsWith("\r\n"));
    QCOMPARE(fileBytes(einstellungsdatei()).count("\r\n"), 173);
    const QHash<int, QString> expected{{13, " 1 "}, {17, " 14 "}, {24, " 1 "}, {28, " 2007 "},
                                       {46, " 1 "}, {47, " 1 "}, {49, " 60 "}, {50, " 14 "},
                                       {55, " 1 "}, {57, " 1 "}};
    for (int i = 0; i <= 100; ++i) QCOMPARE(lines[i], expected.value(i, " 0 "));
    for (int i = 101; i <= 111; ++i) QCOMPARE(lines[i], QString("0.00"));
    QCOMPARE(lines[112 + 4], QString(" | "));
    QCOMPARE(lines[112 + 10], QString());   // the repair is only for reading
    QCOMPARE(terminlistebeimstart(), 1);
    QCOMPARE(einstellungzahl[28], 2007);
    QCOMPARE(trennzeichen(), QString(" | "));
    QCOMPARE(einstellungzahl[44], 0);
  }

  void roundTrip() {
    einstellungzahl[0] = -3;
    einstellungzahl[100] = 32767;
    honigwert() = 1234.5f;
    einstellungwert[10] = -3;
    kopftext() = "Imkerei Müller – Bienen & Honig €";
    einstellungtext[60] = "   ";
    völkerlistesql() = "select * from Bienenvolk where Volkname = 'a'";
    QVERIFY(einstellungenschreiben());
    const QStringList lines = fileLines(einstellungsdatei());
    QCOMPARE(lines[0], QString("-3 "));
    QCOMPARE(lines[101], QString("1234.50"));
    QCOMPARE(lines[111], QString("-3.00"));
    QCOMPARE(lines[172], QString("   "));
    // Windows-1252 on disk: ü = FC, – = 96, € = 80.
    QVERIFY(fileBytes(einstellungsdatei()).contains("M\xFCller \x96 Bienen & Honig \x80"));
    einstellungenleeren();
    einstellungenlesen();
    QCOMPARE(einstellungzahl[0], -3);
    QCOMPARE(einstellungzahl[100], 32767);
    QCOMPARE(honigwert(), 1234.5f);
    QCOMPARE(einstellungwert[10], -3.0f);
    QCOMPARE(kopftext(), QString("Imkerei Müller – Bienen & Honig €"));
    QCOMPARE(einstellungtext[60], QString("   "));
    QCOMPARE(einstellungtext[10], QString(" | "));
  }

  void lineBreakInTextKeeps173Lines() {
    kopftext() = "Zeile eins\r\nZeile zwei\ndrei";
    einstellungtext[60] = "Ende";
    QVERIFY(einstellungenschreiben());
    const QStringList lines = fileLines(einstellungsdatei());
    QCOMPARE(lines.size(), 173);
    QCOMPARE(lines[112], QString("Zeile eins Zeile zwei drei"));
    QCOMPARE(lines[172], QString("Ende"));
  }

  void shortFileKeepsTheRest() {
    QStringList lines;
    for (int i = 0; i < 50; ++i) lines << " 7 ";
    writeFile(lines);
    einstellungzahl[46] = 1;
    einstellungzahl[50] = 99;
    honigwert() = 2.5f;
    einstellungtext[3] = "bleibt";
    einstellungenlesen();
    QCOMPARE(einstellungzahl[0], 7);
    QCOMPARE(einstellungzahl[49], 7);
    QCOMPARE(einstellungzahl[50], 99);
    QCOMPARE(honigwert(), 2.5f);
    QCOMPARE(einstellungtext[3], QString("bleibt"));
    QCOMPARE(einstellungtext[10], QString(" | "));
  }

  void brokenFileStopsAtTheBadEntry() {
    QStringList lines;
    for (int i = 0; i < 101; ++i) lines << (i == 20 ? " 40000 " : " 5 ");
    writeFile(lines);
    einstellungenlesen();
    QCOMPARE(einstellungzahl[19], 5);
    QCOMPARE(einstellungzahl[20], 0);   // too large for an Integer: reading stops here
    QCOMPARE(einstellungzahl[21], 0);
  }

  void setting46FollowsTheFile_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("expected");
    QTest::newRow("one") << " 1 " << 1;
    QTest::newRow("zero") << " 0 " << 0;
  }
  void setting46FollowsTheFile() {
    QFETCH(QString, line);
    QFETCH(int, expected);
    QStringList lines;
    for (int i = 0; i < 173; ++i) lines << (i < 112 ? " 0 " : "");
    lines[46] = line;
    writeFile(lines);
    einstellungenbeimstart();
    QCOMPARE(einstellungzahl[46], expected);
  }

  void decimals() {
    QCOMPARE(zahlfeldbreite(10, 3.5f), QString("      3.50"));
    QCOMPARE(zahlfeldbreite(10, 0), QString("      0.00"));
    QCOMPARE(zahlfeldbreite(10, -3), QString("     -3.00"));
    QCOMPARE(zahlfeldbreite(10, 12345678.9f), QString("12345680.0"));
    QCOMPARE(zahlfeldbreite(4, 12.345f), QString("12.3"));
    einstellungwert[0] = 12345678.9f;
    QVERIFY(einstellungenschreiben());
    QCOMPARE(fileLines(einstellungsdatei())[101], QString("12345680.0"));
  }

  void failedWriteOverAFolder() {
    // The settings file's name is taken by a folder: the write fails for
    // every user, and the folder stays as it was.
    QDir(datenpfad).mkdir("Einstellungen.ZE1");
    test::messages().expect("konnten nicht gespeichert werden");
    QVERIFY(!einstellungenschreiben());
    QVERIFY(test::messages().allUsed());
    QVERIFY(QFileInfo(datenpfad + "Einstellungen.ZE1").isDir());
    QCOMPARE(QDir(datenpfad).entryList(QDir::Files), QStringList());
    QDir(datenpfad).rmdir("Einstellungen.ZE1");
  }

  void namedEntries() {
    QCOMPARE(&löschabfrage(), &einstellungzahl[55]);
    QCOMPARE(&buchungsfelder(9), &einstellungtext[14]);
    QCOMPARE(&volkspalten(2), &einstellungzahl[36]);
    QCOMPARE(&stundensatz(), &einstellungwert[4]);
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, einstellungzahl[101]);
  }
};

ZEVO_TEST_MAIN(EinstellungenTest)
#include "test_einstellungen.moc"
