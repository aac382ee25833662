#include "grundzustand.h"

#include "common/einstellungen.h"
#include "platform/runtime/files.h"
#include "platform/runtime/textfile.h"
#include "platform/runtime/vb.h"

#include <QFile>

using namespace zevo;
using namespace zevo::common;

namespace {

QByteArray fileBytes() {
  QFile f(einstellungsdatei());
  f.open(QIODevice::ReadOnly);
  return f.readAll();
}

QStringList fileLines() { return vb::readLines(einstellungsdatei()); }

}  // namespace

class EinstellungenTest : public QObject {
  Q_OBJECT
private slots:
  void init() {
    test::grundzustand();
    QFile::remove(einstellungsdatei());
    QFile::remove(datenpfad + "Einstellungen.ZE1.alt");
  }

  void firstRunWritesDefaults() {
    einstellungenbeimstart();
    QVERIFY(vb::fileExists(datenpfad + "Einstellungen.ZE1"));
    const QStringList lines = fileLines();
    QCOMPARE(lines.size(), 173);
    QCOMPARE(fileBytes().count("\r\n"), 173);
    const QHash<int, QString> expected{{13, " 1 "}, {17, " 14 "}, {24, " 1 "}, {28, " 2007 "},
                                       {46, " 1 "}, {47, " 1 "}, {49, " 60 "}, {50, " 14 "},
                                       {55, " 1 "}, {57, " 1 "}};
    for (int i = 0; i <= 100; ++i) QCOMPARE(lines[i], expected.value(i, " 0 "));
    for (int i = 101; i <= 111; ++i) QCOMPARE(lines[i], QString("0.00"));
    QCOMPARE(lines[112 + 4], QString(" | "));
    QCOMPARE(lines[112 + 10], QString());   // the repair is only for reading
  }

  void roundTrip() {
    einstellungzahl[0] = -3;
    einstellungzahl[100] = 32767;
    einstellungwert[0] = 12345678.9f;   // too wide for two decimals
    einstellungwert[10] = -3;
    kopftext() = "Imkerei Müller – Bienen & Honig €\r\nZeile\nzwei";   // a line break would shift every later line
    einstellungtext[60] = "   ";
    QVERIFY(einstellungenschreiben());
    const QStringList lines = fileLines();
    QCOMPARE(lines.size(), 173);
    QCOMPARE(lines[0], QString("-3 "));
    QCOMPARE(lines[101] + lines[111], QString("12345680.0-3.00"));
    // Windows-1252 on disk: ü = FC, – = 96, € = 80.
    QVERIFY(fileBytes().contains("M\xFCller \x96 Bienen & Honig \x80 Zeile zwei\r\n"));
    einstellungenleeren();
    einstellungenlesen();
    QCOMPARE(einstellungzahl[0], -3);
    QCOMPARE(einstellungzahl[100], 32767);
    QCOMPARE(einstellungwert[10], -3.0f);
    QCOMPARE(kopftext(), QString("Imkerei Müller – Bienen & Honig € Zeile zwei"));
    QCOMPARE(einstellungtext[60], QString("   "));
    QCOMPARE(einstellungtext[10], QString(" | "));
  }

  void shortFileKeepsTheRest() {
    QStringList lines(50, " 7 ");
    lines[46] = " 0 ";                    // the file overrides the start value 1
    vb::writeLines(einstellungsdatei(), lines);
    const QByteArray gefunden = fileBytes();
    einstellungzahl[50] = 99;
    einstellungwert[0] = 2.5f;
    einstellungtext[3] = "bleibt";
    test::messages().expect("endet nach Zeile 50 von 173");
    einstellungenbeimstart();
    QVERIFY(test::messages().allUsed());
    QCOMPARE(einstellungzahl[49], 7);
    QCOMPARE(einstellungzahl[46], 0);
    QCOMPARE(einstellungzahl[50], 99);
    QCOMPARE(QString::number(einstellungwert[0]) + einstellungtext[3], QString("2.5bleibt"));
    QCOMPARE(vb::readLines(datenpfad + "Einstellungen.ZE1.alt").size(), 50);
    QFile alt(datenpfad + "Einstellungen.ZE1.alt");
    QVERIFY(alt.open(QIODevice::ReadOnly));
    QCOMPARE(alt.readAll(), gefunden);
  }

  // A file of 173 good lines comes back byte for byte, without a word.
  void goodFileReadsAndWritesBackUnchanged() {
    for (int i = 0; i < einstellungzahl.size(); ++i) einstellungzahl[i] = i % 2 ? -i : i * 300;
    for (int i = 0; i < einstellungwert.size(); ++i) einstellungwert[i] = float(i) * 1.25f - 3;
    for (int i = 0; i < einstellungtext.size(); ++i) einstellungtext[i] = i % 3 ? "Text " + QString::number(i) : "";
    QVERIFY(einstellungenschreiben());
    const QByteArray vorher = fileBytes();
    einstellungenleeren();
    einstellungenlesen();
    QVERIFY(einstellungenschreiben());
    QCOMPARE(fileBytes(), vorher);
    QCOMPARE(test::messages().count(), 0);
    QVERIFY(!QFile::exists(datenpfad + "Einstellungen.ZE1.alt"));
  }

  // An entry that cannot be read takes its first-run value; every other
  // entry is read, the file as found is kept, and one notice names the lines.
  void unreadableEntries_data() {
    QTest::addColumn<QList<int>>("zeilen");    // 1-based
    QTest::addColumn<QString>("inhalt");
    QTest::addColumn<QString>("meldung");
    QTest::newRow("too large for an Integer") << QList<int>{3} << "99999" << "Zeile 3 nicht gelesen";
    QTest::newRow("too small for an Integer") << QList<int>{4} << "-32769" << "Zeile 4 nicht gelesen";
    QTest::newRow("no number") << QList<int>{18} << "vierzehn" << "Zeile 18 nicht";
    QTest::newRow("too large for a double") << QList<int>{51} << "1e400" << "Zeile 51 nicht";
    QTest::newRow("two numbers on one line") << QList<int>{1} << "1,5" << "Zeile 1 nicht";
    QTest::newRow("too large for a decimal entry") << QList<int>{102} << "1e40" << "Zeile 102 nicht";
    QTest::newRow("several") << QList<int>{3, 29, 112} << "1e39" << "Zeilen 3, 29 und 112 nicht";
  }
  void unreadableEntries() {
    QFETCH(QList<int>, zeilen);
    QFETCH(QString, inhalt);
    QFETCH(QString, meldung);
    for (int i = 0; i < einstellungzahl.size(); ++i) einstellungzahl[i] = 1000 + i;
    for (int i = 0; i < einstellungwert.size(); ++i) einstellungwert[i] = 100 + i;
    for (int i = 0; i < einstellungtext.size(); ++i) einstellungtext[i] = "Text " + QString::number(i);
    QVERIFY(einstellungenschreiben());
    QStringList lines = fileLines();
    for (int z : zeilen) lines[z - 1] = inhalt;
    vb::writeLines(einstellungsdatei(), lines);
    const QByteArray gefunden = fileBytes();

    einstellungenleeren();
    test::messages().expect(meldung);
    einstellungenlesen();
    QVERIFY(test::messages().allUsed());
    QVERIFY(test::messages().last().contains("Einstellungen.ZE1.alt"));
    QFile alt(datenpfad + "Einstellungen.ZE1.alt");
    QVERIFY(alt.open(QIODevice::ReadOnly));
    QCOMPARE(alt.readAll(), gefunden);

    // The first-run values: 14 for entry 17, 2007 for 28, 1 for 46, else 0.
    const QHash<int, int> erst{{13, 1}, {17, 14}, {24, 1}, {28, 2007}, {46, 1}, {47, 1}, {49, 60}, {50, 14},
                               {55, 1}, {57, 1}};
    for (int i = 0; i < einstellungzahl.size(); ++i)
      QCOMPARE(einstellungzahl[i], zeilen.contains(i + 1) ? erst.value(i, 0) : 1000 + i);
    for (int i = 0; i < einstellungwert.size(); ++i)
      QCOMPARE(einstellungwert[i], zeilen.contains(102 + i) ? 0.0f : float(100 + i));
    for (int i = 0; i < einstellungtext.size(); ++i) QCOMPARE(einstellungtext[i], "Text " + QString::number(i));
    QVERIFY(QFile::remove(datenpfad + "Einstellungen.ZE1.alt"));
  }

  // The notice says the rest was taken over only when a line was read.
  void noticeSaysWhatWasTakenOver_data() {
    QTest::addColumn<QStringList>("zeilen");
    QTest::addColumn<bool>("übernommen");
    QTest::newRow("empty file") << QStringList() << false;
    QTest::newRow("one unreadable line") << QStringList{"vierzehn"} << false;
    QTest::newRow("one good line, one unreadable") << QStringList{" 7 ", "vierzehn"} << true;
    QTest::newRow("one good line") << QStringList{" 7 "} << true;
  }
  void noticeSaysWhatWasTakenOver() {
    QFETCH(QStringList, zeilen);
    QFETCH(bool, übernommen);
    vb::writeLines(einstellungsdatei(), zeilen);
    test::messages().expect("endet nach Zeile " + QString::number(zeilen.size()) + " von 173");
    einstellungenlesen();
    QVERIFY(test::messages().allUsed());
    QCOMPARE(test::messages().last().contains("Alle übrigen Einstellungen sind übernommen."), übernommen);
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
};

ZEVO_TEST_MAIN(EinstellungenTest)
#include "test_einstellungen.moc"
