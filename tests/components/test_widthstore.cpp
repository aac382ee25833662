// The column widths' file: what QSettings wrote reads the same, what is
// written here reads the same in QSettings, and a full disk changes nothing.
#include "components/sevgrid.h"
#include "components/widthstore.h"
#include "support/dateien.h"
#include "support/dateigrenze.h"
#include "support/testmain.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

using namespace zevo;
using zevo::test::bytes;
using zevo::ui::sevGrid;
namespace widthstore = zevo::ui::widthstore;

namespace {

// Every entry of an INI file as QSettings reads it, read from a copy under a
// new name so that QSettings cannot answer from what it read before.
QMap<QString, QString> wieQSettings(const QString& path) {
  static int n = 0;
  const QString kopie = QDir::currentPath() + QString("/kopie%1.ini").arg(++n);
  QFile::copy(path, kopie);
  QSettings s(kopie, QSettings::IniFormat);
  QMap<QString, QString> out;
  for (const QString& k : s.allKeys()) out[k] = s.value(k).toString();
  return out;
}

const QMap<QString, QString> einträge{
    {"iv_test_li/ColWidths", "900;2400"},
    {"Größe der Völker/Spalten breit", "1;2"},
    {"General/ColWidths", "3"},   // a section of that name
    {"oben", "ohne Abschnitt"},
    {"zeichen/a=b;c", "\"zitiert\" \\ mit\ttab\nund Zeile; Komma, = ü €"},
    {"leer/ColWidths", ""},
    {"tief/Liste/ColWidths", "C:\\Bienen\\"},   // a key with a slash, a value with backslashes
};

}  // namespace

class WidthStoreTest : public QObject {
  Q_OBJECT
private slots:
  void init() {
    QFile::remove(widthstore::filePath("ZEVO"));
    test::resetScripts();
  }

  void readsWhatQSettingsWrote() {
    const QString datei = widthstore::filePath("ZEVO");
    QVERIFY(QDir().mkpath(QFileInfo(datei).absolutePath()));
    {
      QSettings s(datei, QSettings::IniFormat);
      for (auto e = einträge.cbegin(); e != einträge.cend(); ++e) s.setValue(e.key(), e.value());
    }
    QCOMPARE(widthstore::parse(bytes(datei)), einträge);
    QCOMPARE(widthstore::value("Zevo", "Größe der Völker", "Spalten breit"), QString("1;2"));
    QCOMPARE(widthstore::value("ZEVO", "nirgends", "ColWidths"), QString());
    // Written by hand: a backslash at the end of a line, a CR LF file.
    QCOMPARE(widthstore::parse("[a]\r\nk=x\\\r\n"), (QMap<QString, QString>{{"a/k", "x\\"}}));
  }

  void qsettingsReadsWhatIsWrittenHere() {
    for (auto e = einträge.cbegin(); e != einträge.cend(); ++e) {
      const qsizetype slash = e.key().indexOf('/');
      if (slash > 0) QVERIFY(widthstore::setValue("ZEVO", e.key().left(slash), e.key().mid(slash + 1), e.value()));
    }
    QMap<QString, QString> erwartet = einträge;
    erwartet.remove("oben");
    QCOMPARE(wieQSettings(widthstore::filePath("ZEVO")), erwartet);
    QCOMPARE(widthstore::parse(widthstore::format(einträge)), einträge);
    QCOMPARE(wieQSettings(widthstore::filePath("ZEVO")).size(), 6);
    // A value set again is written over, the others stay.
    QVERIFY(widthstore::setValue("ZEVO", "iv_test_li", "ColWidths", "1;1"));
    erwartet["iv_test_li/ColWidths"] = "1;1";
    QCOMPARE(wieQSettings(widthstore::filePath("ZEVO")), erwartet);
  }

  // On a full disk the widths' file keeps every byte; a grid saves its
  // widths again once there is room.
  void fullDiskKeepsTheFile() {
    sevGrid a;
    a.addcolumn("x", "X");
    a.column(1).setWidth(900);
    a.savecolwidths("ZEVO", "voll", "ColWidths");
    const QString datei = widthstore::filePath("ZEVO");
    const QByteArray vorher = bytes(datei);
    a.column(1).setWidth(1200);
    for (int n = 0; n < 40; ++n) QVERIFY(widthstore::setValue("ZEVO", QString("andere%1").arg(n), "ColWidths", "1"));
    const QByteArray mitanderen = bytes(datei);
    {
      test::Dateigrenze volleplatte(mitanderen.size() - 1);
      a.savecolwidths("ZEVO", "voll", "ColWidths");
    }
    QCOMPARE(bytes(datei), mitanderen);
    QCOMPARE(QDir(QFileInfo(datei).absolutePath()).entryList(QDir::Files | QDir::Hidden), QStringList{"zevo.ini"});
    a.savecolwidths("ZEVO", "voll", "ColWidths");
    sevGrid b;
    b.addcolumn("y", "Y");
    b.loadcolwidths("Zevo", "voll", "ColWidths");
    QCOMPARE(b.column(1).width(), 1200);
    QVERIFY(vorher != mitanderen);
  }
};

ZEVO_TEST_MAIN(WidthStoreTest)
#include "test_widthstore.moc"
