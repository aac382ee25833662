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

  void shortOrBrokenFileKeepsTheRest() {
    QStringList lines(50, " 7 ");
    lines[46] = " 0 ";                    // the file overrides the start value 1
    vb::writeLines(einstellungsdatei(), lines);
    einstellungzahl[50] = 99;
    einstellungwert[0] = 2.5f;
    einstellungtext[3] = "bleibt";
    einstellungenbeimstart();
    QCOMPARE(einstellungzahl[49], 7);
    QCOMPARE(einstellungzahl[46], 0);
    QCOMPARE(einstellungzahl[50], 99);
    QCOMPARE(QString::number(einstellungwert[0]) + einstellungtext[3], QString("2.5bleibt"));

    lines = QStringList(101, " 5 ");
    lines[20] = " 40000 ";                // too large for an Integer: reading stops here
    vb::writeLines(einstellungsdatei(), lines);
    einstellungenleeren();
    einstellungenlesen();
    QCOMPARE(einstellungzahl[19], 5);
    QCOMPARE(einstellungzahl[20] + einstellungzahl[21], 0);
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
