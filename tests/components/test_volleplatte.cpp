// Every writer of whole files on a full disk: the write fails and says so,
// the old file keeps its bytes, nothing is left beside it, and with room
// again the file is written whole.
#include "components/sevgrid.h"
#include "platform/runtime/files.h"
#include "platform/runtime/textfile.h"
#include "support/dateien.h"
#include "support/dateigrenze.h"
#include "support/testmain.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <functional>

using namespace zevo;
using zevo::test::bytes;
using zevo::ui::sevGrid;

// Writes the file at the path; false when it says it failed.
using Schreiber = std::function<bool(const QString&)>;
Q_DECLARE_METATYPE(Schreiber)

namespace {

constexpr rlim_t grenze = 1000;   // bytes a file may have on the full disk

QStringList folderEntries(const QString& folder) {
  return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

// A text file of `size` bytes as the writer makes it, line by line; false
// only when the writer says in German that it failed and what stays.
bool writeText(const QString& path, int size) {
  vb::TextWriter out(path);
  for (int n = 0; n < size / 10; ++n) out.printLine(QString("Zeile %1").arg(n % 1000, 3, 10, QChar('0')));
  try {
    out.close();
    return true;
  } catch (const vb::Error& e) {
    return !e.text().endsWith(QFileInfo(path).fileName() +
                              " konnte nicht geschrieben werden. Die bisherige Datei bleibt unverändert.");
  }
}

void fillGrid(sevGrid& g) {
  g.addcolumn("datum", "Datum");
  g.addcolumn("text", "Bemerkung");
  for (int n = 1; n <= 100; ++n) g.additem(QString("%1.05.2007\tVolk %1 – Königin gezeichnet\t").arg(n % 28 + 1));
}

}  // namespace

class VollePlatte : public QObject {
  Q_OBJECT
private slots:
  void init() { test::resetScripts(); }

  void writersOnAFullDisk_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<Schreiber>("schreiben");
    // As short as the settings file: it fits a write buffer whole.
    QTest::newRow("short text file") << "Einstellungen.ZE1"
                                     << Schreiber([](const QString& p) { return writeText(p, 1540); });
    QTest::newRow("longer text file") << "DRUCKAUF.TXT"
                                      << Schreiber([](const QString& p) { return writeText(p, 100000); });
    QTest::newRow("grid file") << "gridli.txt" << Schreiber([](const QString& p) {
      sevGrid g;
      fillGrid(g);
      return g.savetofile(p);
    });
    QTest::newRow("HTML page") << "liste.htm" << Schreiber([](const QString& p) {
      sevGrid g;
      fillGrid(g);
      return g.savehtml(p);
    });
  }
  void writersOnAFullDisk() {
    QFETCH(QString, name);
    QFETCH(Schreiber, schreiben);
    const QString ordner = QDir::currentPath() + "/" + QTest::currentDataTag() + "/";
    const QString vorlage = QDir::currentPath() + "/vorlage-" + QTest::currentDataTag() + "/";
    QVERIFY(QDir().mkpath(ordner) && QDir().mkpath(vorlage));
    // The file as it is written with room to spare.
    QVERIFY(schreiben(vorlage + name));
    const QByteArray ganz = bytes(vorlage + name);
    QVERIFY(ganz.size() > qsizetype(grenze));

    const QByteArray alt = "die bisherige Datei\r\n";
    test::schreiben(ordner + name, alt);
    QFile::setPermissions(ordner + name, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    for (int runde = 1; runde <= 2; ++runde) {
      bool geschrieben = true;
      {
        test::Dateigrenze volleplatte(grenze);
        geschrieben = schreiben(ordner + name);
      }
      QVERIFY2(!geschrieben, "a cut file was reported as written");
      QCOMPARE(bytes(ordner + name), alt);
      QCOMPARE(folderEntries(ordner), QStringList{name});
    }
    // With room again the file is written whole, and keeps its permissions.
    QVERIFY(schreiben(ordner + name));
    QCOMPARE(bytes(ordner + name), ganz);
    QCOMPARE(folderEntries(ordner), QStringList{name});
    QCOMPARE(QFile::permissions(ordner + name) & 0x0FFF, QFile::ReadUser | QFile::WriteUser | QFile::ReadGroup);
  }
};

ZEVO_TEST_MAIN(VollePlatte)
#include "test_volleplatte.moc"
