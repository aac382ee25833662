// The backup window: archive name and contents, a failed backup, restore
// with its safety checks, copying to and from a drive, pruning, and the
// database compaction.

#include "common/einstellungen.h"
#include "platform/dao/dao.h"
#include "platform/runtime/application.h"
#include "platform/runtime/files.h"
#include "platform/runtime/widgets.h"
#include "platform/zip/archive.h"
#include "platform/zip/testarchiv.h"
#include "shell/io_datensicherung.h"
#include "shell/schema.h"
#include "shell/startdialoge.h"
#include "support/testmain.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListWidget>

using namespace zevo;
using test::bytes;
using test::rohesArchiv;
using test::schreiben;

namespace {

// Every row of every table as text.
QString inhalt(const QString& datei) {
  dao::Workspace ws;
  dao::Database db = ws.openDatabase(datei, false, true);
  QString out;
  for (const QString& t : db.tableNames()) {
    out += "[" + t + "]\n";
    dao::Recordset rs = db.openRecordset("select * from " + t + " order by ID");
    for (; !rs.eof(); rs.moveNext()) {
      for (int i = 0; i < rs.fieldCount(); ++i) out += rs.fields(i).text() + "|";
      out += "\n";
    }
  }
  ws.close();
  return out;
}

QStringList dateien(const QString& ordner) {
  return QDir(ordner).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

}  // namespace

class DatensicherungTest : public QObject {
  Q_OBJECT
  QString ordner_;   // datenpfad, a folder below the test's program folder
  QString laufwerk_;

  void datenbankanlegen() {
    common::datenbank = shell::datenbankanlegen(dao::DBEngine::workspaces(), common::datenbankpfad);
    common::datenbank.execute("insert into Bienenvolk(Volknr, Volkname, Akt_im_Bestand) values ('1', 'Erna', 'X')");
    common::datenbank.execute("insert into Bienenvolk(Volknr, Volkname, Akt_im_Bestand) values ('2', 'Berta', 'X')");
    common::datenbank.execute("insert into Notizen(Datum, NOTIZ, Volk) values (#06/01/2026#, 'ruhig', 1)");
  }

  // A window loaded on the folder, with the test's drive chosen.
  std::unique_ptr<shell::IO_Datensicherung> fenster() {
    auto w = std::make_unique<shell::IO_Datensicherung>();
    w->Form_Load();
    w->drive->addItem("Testlaufwerk", laufwerk_);
    w->drive->setCurrentIndex(w->drive->count() - 1);
    return w;
  }

  void archivemachen(const QStringList& tage) {
    for (const QString& t : tage) schreiben(ordner_ + "zevo10_backup_" + t + ".zip", t.toUtf8());
  }

private slots:
  void init() {
    test::resetScripts();
    test::setToday(QDate(2026, 12, 5));
    common::heutesetzen();
    common::einstellungenleeren();
    dao::DBEngine::workspaces().close();
    common::datenbank = dao::Database();
    common::arbeitsbereich = &dao::DBEngine::workspaces();
    ordner_ = vb::programFolder() + "zevo/";
    laufwerk_ = vb::programFolder() + "stick/";
    for (const QString& p : {ordner_, laufwerk_}) {
      QDir(p).removeRecursively();
      QVERIFY(QDir().mkpath(p));
    }
    for (const QString& n : dateien(vb::programFolder()))
      if (n != "zevo" && n != "stick") QFile::remove(vb::programFolder() + n);
    common::datenpfad = ordner_;
    common::datenbankpfad = ordner_ + "ZEVO.MDB";
  }

  void cleanup() { dao::DBEngine::workspaces().close(); }

  void archiveNameAndExclusions() {
    QCOMPARE(shell::sicherungsname("05.12.2026"), QStringLiteral("zevo10_backup_2026_12_05.zip"));
    const QStringList hinein = {"ZEVO.MDB", "Einstellungen.ZE1", "ZEVO_IE_EINGABE_STD3.ZE1", "report-2.htm",
                                "ZEVO.$$$", "IV_Neues_Volk.ZE1"};
    const QStringList heraus = {"LISTE.TXT", "gridli.txt", "abcDLL", "x.dll", "HILFEZEVO.HLP", "a.exe", "b.ocx",
                                "c.vbx", "d.ini", "e.doc", "zevo10_backup_2026_01_01.zip", "ZEVO.MDB-journal",
                                "ZEVO.MDB-wal", "ZEVO.MDB-shm"};
    for (const QString& n : hinein) QVERIFY2(shell::insicherung(n), qPrintable(n));
    for (const QString& n : heraus) QVERIFY2(!shell::insicherung(n), qPrintable(n));
  }

  // The folder of the edge case: the archive holds exactly the two data
  // files, the progress counts every file, letztesicherung becomes today.
  void backupTakesTheDataFiles() {
    datenbankanlegen();
    schreiben(ordner_ + "Einstellungen.ZE1", " 14 \r\n");
    schreiben(ordner_ + "LISTE.TXT", "liste");
    schreiben(ordner_ + "gridli.txt", "grid");
    archivemachen({"2026_11_01"});
    common::letztesicherung() = "01.11.2026";
    auto w = fenster();
    QCOMPARE(w->datei1->count(), 5);
    test::messages().expect("erfolgreich beendet");
    w->sichern_Click(0);
    QVERIFY(test::messages().allUsed());
    QVERIFY(test::messages().last().contains("zevo10_backup_2026_12_05.zip"));
    QCOMPARE(w->meter->max(), 5);
    QCOMPARE(w->meter->value(), 0);
    QVERIFY(!w->meter->isVisible());
    QCOMPARE(common::letztesicherung(), QStringLiteral("05.12.2026"));
    const QString archiv = ordner_ + "zevo10_backup_2026_12_05.zip";
    QCOMPARE(zip::entryNames(archiv), (QStringList{"Einstellungen.ZE1", "ZEVO.MDB"}));
    QCOMPARE(w->datei2->count(), 2);
    QVERIFY(!dateien(ordner_).join(" ").contains(".zevo"));   // no temporary folder left

    // A second backup on the same day asks; No keeps the archive untouched.
    const QByteArray vorher = bytes(archiv);
    common::datenbank.execute("insert into Notizen(Datum, NOTIZ, Volk) values (#06/02/2026#, 'neu', 2)");
    test::messages().expectNo("bereits eine Datensicherung");
    w->sichern_Click(0);
    QVERIFY(test::messages().allUsed());
    QCOMPARE(bytes(archiv), vorher);
  }

  void failedBackupLeavesNoArchive() {
    datenbankanlegen();
    schreiben(ordner_ + "Einstellungen.ZE1", " 14 \r\n");
    schreiben(ordner_ + "weg.ZE1", "verschwindet");
    common::letztesicherung() = "01.11.2026";
    auto w = fenster();
    QVERIFY(QFile::remove(ordner_ + "weg.ZE1"));   // gone after the window took its list
    test::messages().expect("fehlgeschlagen");
    w->sichern_Click(0);
    QVERIFY(test::messages().allUsed());
    QVERIFY(test::messages().last().contains("weg.ZE1"));
    QVERIFY(!QFile::exists(ordner_ + "zevo10_backup_2026_12_05.zip"));
    QCOMPARE(common::letztesicherung(), QStringLiteral("01.11.2026"));
    QCOMPARE(w->datei2->count(), 0);
    QVERIFY(!w->meter->isVisible());
  }

  // Back up, change the data, restore: the files come back, the old ones
  // are kept, the program ends without writing the settings.
  void restoreRoundTrip() {
    datenbankanlegen();
    const QByteArray einstellungen = " 14 \r\n 0 \r\nTäxt\r\n";
    schreiben(ordner_ + "Einstellungen.ZE1", einstellungen);
    schreiben(ordner_ + "IV_Neues_Volk.ZE1", "Erna\r\n");
    const QString datenvorher = inhalt(common::datenbankpfad);
    {
      auto w = fenster();
      test::messages().expect("erfolgreich beendet");
      w->sichern_Click(0);
    }
    common::datenbank.execute("delete from Notizen");
    common::datenbank.execute("insert into Bienenvolk(Volknr, Volkname) values ('3', 'Neu')");
    schreiben(ordner_ + "Einstellungen.ZE1", "geändert\r\n");
    schreiben(ordner_ + "IV_Neues_Volk.ZE1", "geändert\r\n");
    schreiben(ordner_ + "nachher.ZE1", "bleibt");
    const QString datengeändert = inhalt(common::datenbankpfad);
    common::letztesicherung() = "im Speicher";

    test::setToday(QDate(2026, 12, 7));
    auto w = fenster();
    QCOMPARE(w->markiert(), -1);
    test::messages().expect("Programm wird nun beendet");   // the newest archive: no question
    QVERIFY_THROWS_EXCEPTION(vb::ProcessEnded, w->sichern_Click(1));
    QVERIFY(test::messages().allUsed());
    QVERIFY(!common::datenbank.isOpen());

    QCOMPARE(bytes(ordner_ + "Einstellungen.ZE1"), einstellungen);
    QCOMPARE(bytes(ordner_ + "IV_Neues_Volk.ZE1"), QByteArray("Erna\r\n"));
    QCOMPARE(inhalt(common::datenbankpfad), datenvorher);
    QCOMPARE(bytes(ordner_ + "nachher.ZE1"), QByteArray("bleibt"));

    // The replaced files are kept in a dated folder.
    const QStringList kopien = QDir(ordner_).entryList({"vor_wiederherstellung_2026_12_07_*"}, QDir::Dirs);
    QCOMPARE(kopien.size(), 1);
    const QString kopie = ordner_ + kopien.first() + "/";
    QCOMPARE(bytes(kopie + "Einstellungen.ZE1"), QByteArray("geändert\r\n"));
    QCOMPARE(inhalt(kopie + "ZEVO.MDB"), datengeändert);
    QVERIFY(!dateien(ordner_).join(" ").contains(".zevo"));
  }

  // Archives come from removable media: an entry with a path is refused and
  // nothing is written anywhere.
  void restoreRefusesUnsafeArchives_data() {
    QTest::addColumn<QByteArray>("eintrag");
    QTest::addColumn<QByteArray>("datenbank");
    QTest::addColumn<QString>("meldung");
    QTest::newRow("hoch") << QByteArray("../ausserhalb.ZE1") << QByteArray() << "keine einfache Datei";
    QTest::newRow("absolut") << QByteArray("/tmp/zevo-test-ausserhalb.ZE1") << QByteArray() << "keine einfache Datei";
    QTest::newRow("ordner") << QByteArray("unter/x.ZE1") << QByteArray() << "keine einfache Datei";
    QTest::newRow("keine datenbank") << QByteArray("Einstellungen.ZE1") << QByteArray("kein sqlite")
                                     << "kann nicht geöffnet werden";
    QTest::newRow("ohne datenbank") << QByteArray("Einstellungen.ZE1") << QByteArray("-") << "keine Datenbank";
  }
  void restoreRefusesUnsafeArchives() {
    QFETCH(QByteArray, eintrag);
    QFETCH(QByteArray, datenbank);
    QFETCH(QString, meldung);
    datenbankanlegen();
    schreiben(ordner_ + "Einstellungen.ZE1", "alt");
    const QString datenvorher = inhalt(common::datenbankpfad);
    QList<QPair<QByteArray, QByteArray>> einträge{{eintrag, "neu"}};
    if (datenbank != "-") einträge.prepend({"ZEVO.MDB", datenbank.isEmpty() ? bytes(common::datenbankpfad) : datenbank});
    rohesArchiv(ordner_ + "zevo10_backup_2026_12_01.zip", einträge);
    const QStringList vorher = dateien(ordner_);
    const QStringList außenvorher = dateien(vb::programFolder());

    auto w = fenster();
    test::messages().expect(meldung);
    w->sichern_Click(1);
    QVERIFY(test::messages().allUsed());
    QVERIFY(test::messages().last().contains("bisherigen Daten weiter"));
    QCOMPARE(dateien(ordner_), vorher);
    QCOMPARE(dateien(vb::programFolder()), außenvorher);
    QVERIFY(!QFile::exists("/tmp/zevo-test-ausserhalb.ZE1"));
    QCOMPARE(bytes(ordner_ + "Einstellungen.ZE1"), QByteArray("alt"));
    // ZEVO goes on with the old data, on the connection it had.
    QVERIFY(common::datenbank.isOpen());
    QCOMPARE(inhalt(common::datenbankpfad), datenvorher);
    common::datenbank.execute("insert into Notizen(Datum, NOTIZ, Volk) values (#06/03/2026#, 'weiter', 1)");
  }

  void restoreOfAnOlderArchiveAsksFirst() {
    datenbankanlegen();
    archivemachen({"2026_11_01", "2026_11_15"});
    const QStringList vorher = dateien(ordner_);
    auto w = fenster();
    w->datei2->setCurrentRow(0);
    test::messages().expectNo("nicht die aktuellste Datei markiert");
    w->sichern_Click(1);
    QVERIFY(test::messages().allUsed());
    QCOMPARE(dateien(ordner_), vorher);
    // No archive at all: nothing happens.
    for (const QString& n : vb::fileList(ordner_, "*.zip")) QFile::remove(ordner_ + n);
    auto leer = fenster();
    leer->sichern_Click(1);
    leer->lwakopie_Click(0);
    QCOMPARE(test::messages().count(), 1);
  }

  void copyToDrive() {
    archivemachen({"2026_11_01", "2026_11_15"});
    auto w = fenster();
    test::messages().expect("kopiert und ist unter");
    w->lwakopie_Click(0);   // nothing marked: the newest
    QCOMPARE(bytes(laufwerk_ + "zevo10_backup_2026_11_15.zip"), QByteArray("2026_11_15"));
    // The same again: asked first; No leaves it.
    schreiben(laufwerk_ + "zevo10_backup_2026_11_15.zip", "auf dem stick");
    test::messages().expectNo("bereits eine Datensicherung");
    w->lwakopie_Click(0);
    QCOMPARE(bytes(laufwerk_ + "zevo10_backup_2026_11_15.zip"), QByteArray("auf dem stick"));
    test::messages().expectYes("bereits eine Datensicherung");
    test::messages().expect("kopiert");
    w->lwakopie_Click(0);
    QCOMPARE(bytes(laufwerk_ + "zevo10_backup_2026_11_15.zip"), QByteArray("2026_11_15"));
    // A drive that is gone.
    QDir(laufwerk_).removeRecursively();
    test::messages().expect("Bitte überprüfen Sie den Datenträger");
    w->lwakopie_Click(0);
    QVERIFY(test::messages().allUsed());
  }

  void copyFromDrive() {
    auto w = fenster();
    test::messages().expect("keine Datensicherung gefunden");
    w->lwakopie_Click(1);
    QVERIFY(test::messages().allUsed());

    archivemachen({"2026_11_01"});
    schreiben(laufwerk_ + "zevo10_backup_2026_11_01.zip", "vom stick 1");
    schreiben(laufwerk_ + "zevo10_backup_2026_11_20.zip", "vom stick 2");
    schreiben(laufwerk_ + "anderes.zip", "nein");
    w->lwakopie_Click(1);
    QCOMPARE(test::messages().count(), 1);   // no message after copying
    QCOMPARE(bytes(ordner_ + "zevo10_backup_2026_11_01.zip"), QByteArray("vom stick 1"));
    QCOMPARE(bytes(ordner_ + "zevo10_backup_2026_11_20.zip"), QByteArray("vom stick 2"));
    QVERIFY(!QFile::exists(ordner_ + "anderes.zip"));
    QCOMPARE(w->datei2->count(), 2);
  }

  void closingPrunesToTheThreeNewest() {
    archivemachen({"2026_11_20", "2025_01_01", "2026_03_01", "2026_12_01", "2025_06_30"});
    auto w = fenster();
    test::messages().expectYes("mehr als 3 Datensicherungen");
    w->abbv_Click();
    QVERIFY(test::messages().allUsed());
    QVERIFY(w->isUnloaded());
    QCOMPARE(vb::fileList(ordner_, "zevo10_backup_*.zip"),
             (QStringList{"zevo10_backup_2026_03_01.zip", "zevo10_backup_2026_11_20.zip",
                          "zevo10_backup_2026_12_01.zip"}));
    auto drei = fenster();
    drei->abbv_Click();   // three: no question
    QCOMPARE(test::messages().count(), 1);
    QVERIFY(drei->isUnloaded());
  }

  // Compaction keeps every row and every counter, removes a stale copy
  // first, and ends the program.
  void compactionKeepsRowsAndCounters() {
    datenbankanlegen();
    for (int i = 0; i < 5; ++i)
      common::datenbank.execute("insert into Notizen(Datum, NOTIZ, Volk) values (#06/04/2026#, 'weg', 2)");
    common::datenbank.execute("delete from Notizen where NOTIZ = 'weg'");
    const QString vorher = inhalt(common::datenbankpfad);
    schreiben(ordner_ + "ZEVO.$$$", "übrig vom letzten Mal");
    test::messages().expectYes("wirklich komprimiert");
    test::messages().expect("erfolgreich abgeschlossen");
    QVERIFY_THROWS_EXCEPTION(vb::ProcessEnded, shell::datenbankkomprimieren());
    QVERIFY(test::messages().allUsed());
    QVERIFY(!QFile::exists(ordner_ + "ZEVO.$$$"));
    QCOMPARE(inhalt(common::datenbankpfad), vorher);
    // The next counter values go on after the deleted rows.
    dao::Database db = dao::DBEngine::workspaces().openDatabase(common::datenbankpfad);
    db.execute("insert into Notizen(Datum, NOTIZ, Volk) values (#06/05/2026#, 'danach', 1)");
    db.execute("insert into Bienenvolk(Volknr, Volkname) values ('9', 'Neu')");
    QCOMPARE(db.openRecordset("select ID from Notizen where NOTIZ = 'danach'").fields(0).value().toInt(), 7);
    QCOMPARE(db.openRecordset("select ID from Bienenvolk where Volknr = '9'").fields(0).value().toInt(), 3);
  }

  void failedCompactionKeepsTheDatabase() {
    datenbankanlegen();
    const QString vorher = inhalt(common::datenbankpfad);
    // No answer Yes: nothing happens.
    test::messages().expectNo("wirklich komprimiert");
    shell::datenbankkomprimieren();
    // A stale copy that cannot be removed (a folder of that name).
    QVERIFY(QDir().mkpath(ordner_ + "ZEVO.$$$/drin"));
    test::messages().expectYes("wirklich komprimiert");
    test::messages().expect("Bei der Komprimierung ist ein Fehler aufgetreten");
    shell::datenbankkomprimieren();
    QVERIFY(test::messages().last().contains("kann nicht gelöscht werden"));
    QVERIFY(QDir(ordner_ + "ZEVO.$$$").removeRecursively());
    QVERIFY(test::messages().allUsed());
    QVERIFY(!QFile::exists(ordner_ + "ZEVO.$$$"));
    QVERIFY(common::datenbank.isOpen());
    common::datenbank.execute("insert into Notizen(Datum, NOTIZ, Volk) values (#06/03/2026#, 'weiter', 1)");
    QVERIFY(inhalt(common::datenbankpfad) != vorher);
    // Not one of our databases: refused, left as it is.
    dao::DBEngine::workspaces().close();
    schreiben(common::datenbankpfad, "keine datenbank");
    test::messages().expectYes("wirklich komprimiert");
    test::messages().expect("Bei der Komprimierung ist ein Fehler aufgetreten");
    shell::datenbankkomprimieren();
    QCOMPARE(bytes(common::datenbankpfad), QByteArray("keine datenbank"));
    QVERIFY(!QFile::exists(ordner_ + "ZEVO.$$$"));
  }
};

ZEVO_TEST_MAIN(DatensicherungTest)
#include "test_datensicherung.moc"
