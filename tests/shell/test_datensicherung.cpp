// The backup window: archive contents, a failed backup, restore with its
// safety checks, pruning, and the database compaction.
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
#include <QCoreApplication>
#include <QDir>
#include <QListWidget>

using namespace zevo;
using test::bytes;
using test::schreiben;

namespace {

// Every row of every table as text.
QString inhalt(const QString& datei) {
  dao::Workspace ws;
  dao::Database db = ws.openDatabase(datei, false, true);
  QString out;
  for (const QString& t : db.tableNames()) {
    out += "[" + t + "]\n";
    for (dao::Recordset rs = db.openRecordset("select * from " + t + " order by ID"); !rs.eof(); rs.moveNext())
      for (int i = 0; i < rs.fieldCount(); ++i) out += rs.fields(i).text() + (i + 1 < rs.fieldCount() ? "|" : "\n");
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

  std::unique_ptr<shell::IO_Datensicherung> fenster() {
    auto w = std::make_unique<shell::IO_Datensicherung>();
    w->Form_Load();
    return w;
  }

  // An empty folder as the chosen drive.
  QString laufwerkwählen(shell::IO_Datensicherung& w) {
    const QString laufwerk = vb::programFolder() + "laufwerk/";
    QDir(laufwerk).removeRecursively();
    QDir().mkpath(laufwerk);
    w.drive->addItem("Test", laufwerk);
    w.drive->setCurrentIndex(w.drive->count() - 1);
    return laufwerk;
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
    common::arbeitsbereich = &dao::DBEngine::workspaces();
    ordner_ = vb::programFolder() + "zevo/";
    QDir(ordner_).removeRecursively();
    QVERIFY(QDir().mkpath(ordner_));
    common::datenpfad = ordner_;
    common::datenbankpfad = ordner_ + "ZEVO.MDB";
    common::datenbank = shell::datenbankanlegen(dao::DBEngine::workspaces(), common::datenbankpfad);
    common::datenbank.execute("insert into Bienenvolk(Volknr, Volkname) values ('1', 'Erna')");
    common::datenbank.execute("insert into Notizen(Datum, NOTIZ, Volk) values (#06/01/2026#, 'ruhig', 1)");
  }

  void cleanup() { dao::DBEngine::workspaces().close(); }

  // The archive holds the data files only; letztesicherung becomes today.
  void backupTakesTheDataFiles() {
    schreiben(ordner_ + "Einstellungen.ZE1", " 14 \r\n");
    for (const char* n : {"LISTE.TXT", "gridli.txt", "abcDLL", "x.dll", "HILFEZEVO.HLP", "zevo.mdb-journal",
                          "ZEVO.MDB-wal", "zevo.mdb-shm"})
      schreiben(ordner_ + n, "x");
    archivemachen({"2026_11_01"});
    auto w = fenster();
    test::messages().expect("erfolgreich beendet");
    w->sichern_Click(0);
    QCOMPARE(common::letztesicherung(), QStringLiteral("05.12.2026"));
    const QString archiv = ordner_ + "zevo10_backup_2026_12_05.zip";
    QCOMPARE(zip::entryNames(archiv), (QStringList{"Einstellungen.ZE1", "ZEVO.MDB"}));

    // A second backup on the same day asks; No keeps the archive untouched.
    const QByteArray vorher = bytes(archiv);
    common::datenbank.execute("insert into Notizen(Datum, NOTIZ, Volk) values (#06/02/2026#, 'neu', 2)");
    test::messages().expectNo("bereits eine Datensicherung");
    w->sichern_Click(0);
    QVERIFY(test::messages().allUsed());
    QCOMPARE(bytes(archiv), vorher);
  }

  // Which files of the folder are data: the last three characters decide,
  // in any case, with or without a dot; the program itself stays out.
  void dataFilesByName() {
    for (const char* e : {"DLL", "EXE", "HLP", "TXT", "OCX", "VBX", "INI", "DOC", "ZIP"}) {
      QVERIFY2(!shell::insicherung(QString("x.") + e), e);
      QVERIFY2(!shell::insicherung(QString("x") + QString(e).toLower()), e);
    }
    for (const char* n : {"ZEVO.MDB", "Einstellungen.ZE1", "report.htm", "ZEVO.$$$", "a.DLLx", "ZEVO"})
      QVERIFY2(shell::insicherung(n), n);
  }
  void theProgramStaysOut() {
    common::datenpfad = vb::withTrailingSlash(QCoreApplication::applicationDirPath());
    QVERIFY(!shell::insicherung(QFileInfo(QCoreApplication::applicationFilePath()).fileName()));
    QVERIFY(shell::insicherung("shell_test_datensicherung_nicht"));
  }

  // The database goes in as a copy made through the database (compact, as
  // the data stand), not as the raw file with its free pages.
  void backupTakesACopyOfTheDatabase() {
    {
      dao::Transaction t(common::datenbank);
      for (int i = 0; i < 1000; ++i)
        common::datenbank.execute("insert into Notizen(Datum, NOTIZ, Volk) values (#06/02/2026#, '" +
                                  QString(2000, 'x') + "', 3)");
      t.commit();
    }
    common::datenbank.execute("delete from Notizen where Volk = 3");
    const QString datenvorher = inhalt(common::datenbankpfad);
    test::messages().expect("erfolgreich beendet");
    fenster()->sichern_Click(0);
    const QString ziel = vb::programFolder() + "entpackt/";
    QDir(ziel).removeRecursively();
    QVERIFY(QDir().mkpath(ziel));
    zip::extractAll(ordner_ + "zevo10_backup_2026_12_05.zip", ziel);
    QVERIFY(QFileInfo(ziel + "ZEVO.MDB").size() < QFileInfo(common::datenbankpfad).size() / 2);
    QCOMPARE(inhalt(ziel + "ZEVO.MDB"), datenvorher);
    QDir(ziel).removeRecursively();
  }

  void failedBackupLeavesNoArchive() {
    schreiben(ordner_ + "weg.ZE1", "verschwindet");
    common::letztesicherung() = "01.11.2026";
    auto w = fenster();
    QVERIFY(QFile::remove(ordner_ + "weg.ZE1"));   // gone after the window took its list
    test::messages().expect("fehlgeschlagen");
    w->sichern_Click(0);
    QVERIFY(test::messages().allUsed());
    QVERIFY(!QFile::exists(ordner_ + "zevo10_backup_2026_12_05.zip"));
    QCOMPARE(common::letztesicherung(), QStringLiteral("01.11.2026"));
  }

  // Back up, change the data, restore: the files come back, the old ones
  // are kept, the program ends without writing the settings.
  void restoreRoundTrip() {
    const QByteArray einstellungen = " 14 \r\n 0 \r\nTäxt\r\n";
    schreiben(ordner_ + "Einstellungen.ZE1", einstellungen);
    const QString datenvorher = inhalt(common::datenbankpfad);
    test::messages().expect("erfolgreich beendet");
    fenster()->sichern_Click(0);
    common::datenbank.execute("delete from Notizen");
    schreiben(ordner_ + "Einstellungen.ZE1", "geändert\r\n");

    test::setToday(QDate(2026, 12, 7));
    auto w = fenster();
    test::messages().expect("Programm wird nun beendet");   // the newest archive: no question
    QVERIFY_THROWS_EXCEPTION(vb::ProcessEnded, w->sichern_Click(1));
    QVERIFY(test::messages().allUsed());
    QCOMPARE(bytes(ordner_ + "Einstellungen.ZE1"), einstellungen);
    QCOMPARE(inhalt(common::datenbankpfad), datenvorher);
    // The replaced files are kept in a dated folder.
    const QStringList kopien = QDir(ordner_).entryList({"vor_wiederherstellung_2026_12_07_*"}, QDir::Dirs);
    QCOMPARE(kopien.size(), 1);
    QCOMPARE(bytes(ordner_ + kopien.first() + "/Einstellungen.ZE1"), QByteArray("geändert\r\n"));
  }

  // A restore takes the data files of the archive only, and the copy of the
  // files it replaces holds the data files only.
  void restoreTakesTheDataFilesOnly() {
    schreiben(ordner_ + "Einstellungen.ZE1", "alt");
    schreiben(ordner_ + "LISTE.TXT", "alt");
    const QString archiv = ordner_ + "zevo10_backup_2026_12_01.zip";
    test::rohesArchiv(archiv, {{"ZEVO.MDB", bytes(common::datenbankpfad)},
                               {"Einstellungen.ZE1", "neu"},
                               {"b.ZE1", "neu"},
                               {"LISTE.TXT", "neu"},
                               {"x.dll", "neu"},
                               {"ZEVO.MDB-journal", "neu"}});
    test::messages().expect("Programm wird nun beendet");
    QVERIFY_THROWS_EXCEPTION(vb::ProcessEnded, fenster()->sichern_Click(1));
    QVERIFY(test::messages().allUsed());
    QCOMPARE(bytes(ordner_ + "Einstellungen.ZE1") + bytes(ordner_ + "b.ZE1") + bytes(ordner_ + "LISTE.TXT"),
             QByteArray("neuneualt"));
    QVERIFY(!QFile::exists(ordner_ + "x.dll") && !QFile::exists(ordner_ + "ZEVO.MDB-journal"));
    const QStringList kopien = QDir(ordner_).entryList({"vor_wiederherstellung_*"}, QDir::Dirs);
    QCOMPARE(kopien.size(), 1);
    QCOMPARE(dateien(ordner_ + kopien.first()), (QStringList{"Einstellungen.ZE1", "ZEVO.MDB"}));
  }

  // A database made from these statements, as bytes.
  QByteArray datenbankaus(const QStringList& anweisungen) {
    const QString datei = vb::programFolder() + "teil.mdb";
    QFile::remove(datei);
    dao::Workspace ws;
    shell::datenbankanlegen(ws, datei, {}, anweisungen);
    ws.close();
    const QByteArray b = bytes(datei);
    QFile::remove(datei);
    return b;
  }

  // Archives come from removable media: an entry with a path, a database
  // that is not whole, an archive too large for the disk are refused and
  // nothing is written anywhere; ZEVO goes on with the old data.
  void restoreRefusesUnsafeArchives() {
    schreiben(ordner_ + "Einstellungen.ZE1", "alt");
    const QString datenvorher = inhalt(common::datenbankpfad);
    const QStringList vorher = dateien(ordner_), außenvorher = dateien(vb::programFolder());
    const QByteArray gut = bytes(common::datenbankpfad);
    QStringList ohneFeld = shell::schemaanweisungen();
    ohneFeld.replaceInStrings("NOTIZ MEMO, ", "");
    struct Fall {
      QByteArray eintrag, datenbank;
      QString meldung;
      zip_flags_t namen = ZIP_FL_ENC_UTF_8;
      qint64 frei = -1;   // -1: the real free space
      QByteArray datenbankname = "ZEVO.MDB";
    };
    const QList<Fall> fälle = {
        {"../ausserhalb.ZE1", gut, "keine einfache Datei"},
        {"Einstellungen.ZE1", "kein sqlite", "kann nicht geöffnet werden"},
        {"Einstellungen.ZE1", datenbankaus({"create table Bienenvolk(Volknr TEXT (10), ID COUNTER)"}),
         "In der Tabelle Bienenvolk fehlt das Feld Volkname"},
        {"Einstellungen.ZE1", datenbankaus(ohneFeld), "In der Tabelle Notizen fehlt das Feld NOTIZ"},
        {"a\x01b", gut, "keine einfache Datei", ZIP_FL_ENC_CP437},   // an old archive's name, read as CP437
        {"Einstellungen.ZE1", gut, "MB frei", ZIP_FL_ENC_UTF_8, 1000},
        {"Einstellungen.ZE1", gut, "enthält keine Datenbank ZEVO.MDB", ZIP_FL_ENC_UTF_8, -1, "ZEVO.BAK"},
    };
    for (const Fall& f : fälle) {
      const QString archiv = ordner_ + "zevo10_backup_2026_12_01.zip";
      test::rohesArchiv(archiv, {{f.datenbankname, f.datenbank}, {f.eintrag, "neu"}}, f.namen);
      if (f.frei >= 0) zip::setFreeSpaceProbe([&](const QString&) { return f.frei; });
      test::messages().expect(f.meldung);
      fenster()->sichern_Click(1);
      zip::setFreeSpaceProbe({});
      QVERIFY2(test::messages().allUsed(), qPrintable(f.meldung));
      QFile::remove(archiv);
      QCOMPARE(dateien(ordner_), vorher);
      QCOMPARE(dateien(vb::programFolder()), außenvorher);
      QCOMPARE(bytes(ordner_ + "Einstellungen.ZE1"), QByteArray("alt"));
      QCOMPARE(inhalt(common::datenbankpfad), datenvorher);
    }
    common::datenbank.execute("insert into Notizen(Datum, NOTIZ, Volk) values (#06/03/2026#, 'weiter', 1)");
  }

  // A file that cannot be put in place: the files moved in before it are
  // taken back, the database stays, and ZEVO goes on.
  void failedRestoreTakesBackWhatItMoved() {
    schreiben(ordner_ + "Einstellungen.ZE1", "alt");
    QVERIFY(QDir().mkpath(ordner_ + "b.ZE1/drin"));   // a folder in the place of b.ZE1
    const QString datenvorher = inhalt(common::datenbankpfad);
    const QString archiv = ordner_ + "zevo10_backup_2026_12_01.zip";
    test::rohesArchiv(archiv, {{"ZEVO.MDB", bytes(common::datenbankpfad)},
                               {"Einstellungen.ZE1", "neu"},
                               {"a.ZE1", "neu"},
                               {"b.ZE1", "neu"}});
    test::messages().expect("konnte nicht ersetzt werden");
    fenster()->sichern_Click(1);
    QVERIFY(test::messages().allUsed());
    QCOMPARE(bytes(ordner_ + "Einstellungen.ZE1"), QByteArray("alt"));
    QVERIFY(!QFile::exists(ordner_ + "a.ZE1"));
    QCOMPARE(inhalt(common::datenbankpfad), datenvorher);
    common::datenbank.execute("insert into Notizen(Datum, NOTIZ, Volk) values (#06/03/2026#, 'weiter', 1)");
  }

  void closingPrunesToTheThreeNewest() {
    archivemachen({"2026_11_20", "2025_01_01", "2026_03_01", "2026_12_01", "2025_06_30"});
    schreiben(ordner_ + "fremd.zip", "x");   // not a backup: neither counted nor deleted
    auto w = fenster();
    test::messages().expectYes("mehr als 3 Datensicherungen");
    w->abbv_Click();
    QVERIFY(w->isUnloaded());
    QCOMPARE(vb::fileList(ordner_, "*.zip"),
             (QStringList{"fremd.zip", "zevo10_backup_2026_03_01.zip", "zevo10_backup_2026_11_20.zip",
                          "zevo10_backup_2026_12_01.zip"}));
    fenster()->abbv_Click();   // three: no question
    QCOMPARE(test::messages().count(), 1);
    archivemachen({"2024_01_01"});   // four: asked
    test::messages().expectNo("mehr als 3 Datensicherungen");
    fenster()->abbv_Click();
    QVERIFY(test::messages().allUsed());
    QCOMPARE(vb::fileList(ordner_, "zevo10_backup_*.zip").size(), 4);
  }

  // Copying to a drive takes the newest archive unless another is marked,
  // and asks before it takes an older one or replaces one on the drive.
  void copyingToADrive() {
    archivemachen({"2026_11_01", "2026_12_01"});
    auto w = fenster();
    const QString laufwerk = laufwerkwählen(*w);
    test::messages().expect("Die Datensicherung wurde kopiert");
    w->lwakopie_Click(0);
    QCOMPARE(dateien(laufwerk), QStringList{"zevo10_backup_2026_12_01.zip"});
    w->datei2->setCurrentRow(0);
    test::messages().expectNo("nicht die aktuellste Datei markiert");
    w->lwakopie_Click(0);
    QCOMPARE(dateien(laufwerk).size(), 1);
    test::messages().expectYes("nicht die aktuellste Datei markiert");
    test::messages().expect("Die Datensicherung wurde kopiert");
    w->lwakopie_Click(0);
    QCOMPARE(bytes(laufwerk + "zevo10_backup_2026_11_01.zip"), QByteArray("2026_11_01"));
    schreiben(laufwerk + "zevo10_backup_2026_12_01.zip", "auf dem Laufwerk");
    w->datei2->setCurrentRow(1);
    test::messages().expectNo("befindet sich bereits eine Datensicherung");
    w->lwakopie_Click(0);
    QCOMPARE(bytes(laufwerk + "zevo10_backup_2026_12_01.zip"), QByteArray("auf dem Laufwerk"));
    test::messages().expectYes("befindet sich bereits eine Datensicherung");
    test::messages().expect("Die Datensicherung wurde kopiert");
    w->lwakopie_Click(0);
    QVERIFY(test::messages().allUsed());
    QCOMPARE(bytes(laufwerk + "zevo10_backup_2026_12_01.zip"), QByteArray("2026_12_01"));
  }

  // Copying from a drive takes every backup archive found there, each
  // name cut at 30 characters, and nothing else.
  void copyingFromADrive() {
    auto w = fenster();
    const QString laufwerk = laufwerkwählen(*w);
    schreiben(laufwerk + "fremd.zip", "x");
    test::messages().expect("Auf dem Datenträger wurde keine Datensicherung gefunden!");
    w->lwakopie_Click(1);
    QVERIFY(test::messages().allUsed());
    schreiben(laufwerk + "zevo10_backup_2026_10_01.zip", "a");
    schreiben(laufwerk + "zevo10_backup_2026_10_02_abend.zip", "b");
    w->lwakopie_Click(1);
    QCOMPARE(test::messages().count(), 1);
    QCOMPARE(dateien(ordner_).filter("zevo10_backup") + dateien(ordner_).filter("fremd"),
             (QStringList{"zevo10_backup_2026_10_01.zip", "zevo10_backup_2026_10_02_abend"}));
    QCOMPARE(w->datei2->count(), 1);
  }

  // Compaction keeps every row and every counter, removes a stale copy
  // first, and ends the program.
  void compactionKeepsRowsAndCounters() {
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
    dao::Database db = dao::DBEngine::workspaces().openDatabase(common::datenbankpfad);
    db.execute("insert into Notizen(Datum, NOTIZ, Volk) values (#06/05/2026#, 'danach', 1)");
    QCOMPARE(db.openRecordset("select ID from Notizen where NOTIZ = 'danach'").fields(0).value().toInt(), 7);
  }

  void failedCompactionKeepsTheDatabase() {
    QVERIFY(QDir().mkpath(ordner_ + "ZEVO.$$$/drin"));   // a stale copy that cannot be removed
    test::messages().expectYes("wirklich komprimiert");
    test::messages().expect("Bei der Komprimierung ist ein Fehler aufgetreten");
    shell::datenbankkomprimieren();
    QVERIFY(test::messages().allUsed());
    common::datenbank.execute("insert into Notizen(Datum, NOTIZ, Volk) values (#06/03/2026#, 'weiter', 1)");

    // A copy that does not read as one of ours never takes the database's place.
    QDir(ordner_ + "ZEVO.$$$").removeRecursively();
    common::datenbank.execute("drop table Bienenvolk");
    const QByteArray vorher = bytes(common::datenbankpfad);
    test::messages().expectYes("wirklich komprimiert");
    test::messages().expect("keine ZEVO-Datenbank");
    shell::datenbankkomprimieren();
    QVERIFY(test::messages().allUsed());
    QCOMPARE(bytes(common::datenbankpfad), vorher);
    QVERIFY(!QFile::exists(ordner_ + "ZEVO.$$$"));
  }
};

ZEVO_TEST_MAIN(DatensicherungTest)
#include "test_datensicherung.moc"
