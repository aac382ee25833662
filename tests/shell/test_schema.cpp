// The new ZEVO.MDB: tables, indexes, seed rows, and that the stock sqlite3
// shell can read it.

#include "platform/dao/dao.h"
#include "shell/schema.h"
#include "support/testmain.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

using namespace zevo;

namespace {

QString freshPath(const QString& folder) {
  QDir().mkpath(folder);
  return QDir(folder).filePath(QStringLiteral("ZEVO.MDB"));
}

QString sqlite3Shell(const QString& file, const QString& sql) {
  QProcess p;
  p.start(QStringLiteral("sqlite3"), {QStringLiteral("-batch"), file, sql});
  if (!p.waitForFinished(30000)) return QStringLiteral("(timeout)");
  return QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError()).trimmed();
}

}  // namespace

class TestSchema : public QObject {
  Q_OBJECT
  dao::Database db_;
  QString path_;
  QList<int> locks_;

private slots:
  void initTestCase() {
    path_ = freshPath(QDir::current().filePath("neu"));
    db_ = shell::datenbankanlegen(dao::DBEngine::workspaces(), path_, [this](int f) { locks_ << f; });
  }

  void statementsInTheirOrder() {
    const QStringList s = shell::schemaanweisungen();
    QCOMPARE(s.size(), 21 + 148 + 29);
    QCOMPARE(s.filter(QRegularExpression("^create table ")).size(), 21);
    QCOMPARE(s.filter(QRegularExpression("^create index ")).size(), 148);
    QCOMPARE(s.filter(QRegularExpression("^insert into ")).size(), 29);
    QCOMPARE(s.first(), QStringLiteral("create table Bienenvolk(Volknr TEXT (10), Volkname TEXT (20), Volkstärke "
                                       "INTEGER, Mittelwände INTEGER, Wabenanzahl INTEGER, Brutstand INTEGER, "
                                       "Wabensitz INTEGER, Sanftmut INTEGER, Schwarmtrieb INTEGER, Frühjahrsentw "
                                       "INTEGER, Winterfestigkeit INTEGER, Varroaschäden INTEGER, Belagert INTEGER, "
                                       "L_Honigernte DATETIME, L_Honigmenge_kg SINGLE, Honigmenge_Gesamt SINGLE, "
                                       "L_Behandlung DATETIME, Standort TEXT (100), Königin_Nr TEXT (20), "
                                       "Königin_Farbe TEXT (10), Königin_Zugangsdatum DATETIME, Futtervorrat_eigen "
                                       "SINGLE, Futtervorrat_flüssig SINGLE, Futtervorrat_Teig SINGLE, Beuteart TEXT "
                                       "(20), Bienenrasse TEXT (20), Volk_Zugangsdatum DATETIME, Volk_Herkunft TEXT "
                                       "(50), Volk_Einkaufspreis CURRENCY, Akt_im_Bestand TEXT (1), Abgangsdatum "
                                       "DATETIME, Abgangsgrund TEXT (20), Abnehmer TEXT (50), Volk_Verkaufspreis "
                                       "CURRENCY, Selektiert TEXT (1), ID COUNTER)"));
    QCOMPARE(s[1], QStringLiteral("create index volk1 on Bienenvolk(Volknr)"));
    // The seeds follow their table's indexes, before the next table.
    const int pflanzen = int(s.indexOf("create index pflanzen5 on Pflanzen(Pollenstufe)"));
    QVERIFY(s[pflanzen + 1].startsWith("insert into Pflanzen(Pflanze, Weidezeit_von, Weidezeit_bis, Nektarstufe, "
                                       "Pollenstufe) values ('Efeu', '15.09.2006', '20.11.2006', 5, 2)"));
    QVERIFY(s[pflanzen + 12].startsWith("create table Wetterdaten("));
    const int plan = int(s.indexOf("create index arplanopti1 on Arbeitsplanoptionen(Arbeitsart)"));
    QCOMPARE(s[plan + 1], QStringLiteral("insert into Arbeitsplanoptionen(Arbeitsart, Startzeitraum, "
                                         "Wiederholungsfrist_Tage, Endzeitraum, Volkabhängig, Auto_erledigt_Buchung, "
                                         "Auto_erledigt_Arbeitsart) values ('Schwarmkontrolle', '01.05', 9, '30.06', "
                                         "'J', '', '')"));
    QVERIFY(s[plan + 19].startsWith("create table Termine("));
  }

  void tablesIndexesAndRows() {
    QCOMPARE(locks_, (QList<int>{0, 1}));
    QVERIFY(db_.isOpen() && !db_.readOnly());
    const QStringList tables = db_.tableNames();
    QCOMPARE(tables, (QStringList{"Bienenvolk", "Stockkarte", "Honigernte", "Wachsernte", "Pollenernte",
                                  "Sonstigeernte", "Arbeiten", "Wanderung", "Gewichtsmessung", "Behandlung",
                                  "Königinwechsel", "Notizen", "Standorte", "Standorte_Pflanzen", "Pflanzen",
                                  "Wetterdaten", "Arbeitsplanoptionen", "Termine", "Verkauf", "Einkauf",
                                  "Honiglager"}));
    QCOMPARE(db_.indexCount(), 148);
    for (const QString& t : tables) {
      const int n = db_.openRecordset("select count(*) as n from " + t)["n"].value().toInt();
      QCOMPARE(n, t == "Pflanzen" ? 11 : t == "Arbeitsplanoptionen" ? 18 : 0);
    }
  }

  void columnTypes() {
    // Every Jet type word, counted over all tables, and the counter last.
    QMap<int, int> count;
    int textSizes = 0;
    for (const QString& t : db_.tableNames()) {
      dao::Recordset rs = db_.openRecordset("select * from " + t);
      for (int i = 0; i < rs.fieldCount(); ++i) {
        count[rs.fields(i).type()]++;
        textSizes += rs.fields(i).size();
      }
      QCOMPARE(rs.fields(rs.fieldCount() - 1).name(), QStringLiteral("ID"));
    }
    QCOMPARE(count[dao::dbText], 67);
    QCOMPARE(count[dao::dbLong], 27 + 20 + 21);  // INTEGER and LONG are 32 bits, and the counters
    QCOMPARE(count[dao::dbDate], 25);
    QCOMPARE(count[dao::dbSingle], 24);
    QCOMPARE(count[dao::dbCurrency], 19);
    QCOMPARE(count[dao::dbInteger], 3);
    QCOMPARE(count[dao::dbMemo], 1);
    QVERIFY(textSizes > 0);
    dao::Recordset rs = db_.openRecordset("select top 1 * from Standorte_Pflanzen");
    QCOMPARE(int(rs["Proz_Anteil"].type()), int(dao::dbInteger));
    QCOMPARE(rs["Pflanze"].size(), 20);
  }

  void seedValues() {
    dao::Recordset p = db_.openRecordset("select * from Pflanzen order by ID");
    QCOMPARE(p["Pflanze"].value(), QVariant("Efeu"));
    QCOMPARE(p["Weidezeit_von"].value(), QVariant(QDate(2006, 9, 15)));
    QCOMPARE(p["Weidezeit_bis"].value(), QVariant(QDate(2006, 11, 20)));
    QCOMPARE(p["Nektarstufe"].value(), QVariant(5));
    QCOMPARE(p["Pollenstufe"].value(), QVariant(2));
    QVERIFY(p.findFirst("Pflanze = 'Löwenzahn'"));
    QCOMPARE(p["Weidezeit_bis"].text(), QStringLiteral("20.05.2006"));
    p.moveLast();
    QCOMPARE(p["Pflanze"].value(), QVariant("Goldrute"));
    QCOMPARE(p["ID"].value(), QVariant(11));

    dao::Recordset a = db_.openRecordset("select * from Arbeitsplanoptionen order by ID");
    QCOMPARE(a["Arbeitsart"].value(), QVariant("Schwarmkontrolle"));
    QCOMPARE(a["Startzeitraum"].value(), QVariant("01.05"));
    QCOMPARE(a["Endzeitraum"].value(), QVariant("30.06"));
    QCOMPARE(a["Wiederholungsfrist_Tage"].value(), QVariant(9));
    QVERIFY(!a["Auto_erledigt_Buchung"].isNull());
    QCOMPARE(a["Auto_erledigt_Buchung"].value(), QVariant(QString("")));
    QVERIFY(a.findFirst("Arbeitsart = 'Honigernte'"));
    QCOMPARE(a["Auto_erledigt_Buchung"].value(), QVariant("Honigernte"));
    QCOMPARE(a["Wiederholungsfrist_Tage"].value(), QVariant(14));
    a.moveLast();
    QCOMPARE(a["Arbeitsart"].value(), QVariant("Winterkontrolle"));
    QCOMPARE(a["Startzeitraum"].value(), QVariant("01.11"));
    QCOMPARE(a["Endzeitraum"].value(), QVariant("15.05"));  // the window ends before it starts
    QCOMPARE(a["Volkabhängig"].value(), QVariant("J"));
  }

  void duplicatesAreAllowed() {
    dao::Transaction t(db_);
    for (int i = 0; i < 2; ++i) {
      db_.execute("insert into Bienenvolk(Volknr, Volkname) values ('1', 'Gleich')");
      db_.execute("insert into Stockkarte(Datum, Volk) values (#5/1/2007#, 1)");
    }
    QCOMPARE(db_.openRecordset("select ID from Bienenvolk where Volkname = 'GLEICH'").recordCount(), 2);
    QCOMPARE(db_.openRecordset("select ID from Stockkarte where Volk = 1").recordCount(), 2);
    // t is not committed: the rows go again
  }

  void anExistingFileIsOpenedUnchanged() {
    db_.execute("insert into Notizen(Datum, NOTIZ, Volk) values (#1/2/2008#, 'bleibt', 0)");
    QList<int> locks;
    dao::Database again = shell::datenbankbereitstellen(dao::DBEngine::workspaces(), path_,
                                                        [&](int f) { locks << f; });
    QVERIFY(locks.isEmpty());
    QCOMPARE(again.openRecordset("select Notiz from Notizen")["notiz"].value(), QVariant("bleibt"));
    QCOMPARE(again.indexCount(), 148);
  }

  void aFailedCreationLeavesNoFile() {
    const QString path = freshPath(QDir::current().filePath("kaputt"));
    QStringList broken = shell::schemaanweisungen();
    broken.insert(100, "create table Bienenvolk(X LONG)");  // fails halfway
    QList<int> locks;
    try {
      shell::datenbankanlegen(dao::DBEngine::workspaces(), path, [&](int f) { locks << f; }, broken);
      QFAIL("created");
    } catch (const dao::Error& e) {
      QVERIFY(e.text().startsWith("Die Datenbank ZEVO.MDB konnte nicht angelegt werden."));
    }
    QVERIFY(!QFile::exists(path));
    QVERIFY(!QFile::exists(path + "-journal"));
    QCOMPARE(locks, (QList<int>{0, 1}));  // unlocked again

    // A folder that does not exist: the same German report, no file.
    const QString nowhere = QDir::current().filePath("gibtsnicht/ZEVO.MDB");
    try {
      shell::datenbankbereitstellen(dao::DBEngine::workspaces(), nowhere);
      QFAIL("created");
    } catch (const dao::Error& e) {
      QCOMPARE(e.number(), int(dao::errIo));
      QVERIFY(e.text().contains("nicht angelegt"));
    }
    QVERIFY(!QFile::exists(nowhere));
    // The next start creates it anew.
    QCOMPARE(shell::datenbankbereitstellen(dao::DBEngine::workspaces(), path).indexCount(), 148);
  }

  void theStockShellReadsTheFile() {
    if (QStandardPaths::findExecutable("sqlite3").isEmpty()) QSKIP("sqlite3 is not installed");
    db_.execute("insert into Bienenvolk(Volknr, Volkname, Standort) values ('7', 'Zora', 'äußere Wiese')");
    QCOMPARE(sqlite3Shell(path_, "PRAGMA integrity_check"), QStringLiteral("ok"));
    for (const QString& t : db_.tableNames()) {
      const QString out = sqlite3Shell(path_, QStringLiteral("SELECT count(*) FROM \"%1\"").arg(t));
      QVERIFY2(!out.isEmpty() && out.at(0).isDigit(), qPrintable(t + ": " + out));
    }
    QCOMPARE(sqlite3Shell(path_, "SELECT Pflanze FROM Pflanzen ORDER BY Pflanze LIMIT 3"),
             QStringLiteral("Bergahorn\nEfeu\nFichte"));
    QCOMPARE(sqlite3Shell(path_, "SELECT Weidezeit_von FROM Pflanzen WHERE Pflanze = 'EFEU'"),
             QStringLiteral("2006-09-15"));
    QCOMPARE(sqlite3Shell(path_, "SELECT Standort FROM Bienenvolk WHERE Volkname = 'zora'"),
             QStringLiteral("äußere Wiese"));
    QCOMPARE(sqlite3Shell(path_, "SELECT count(*) FROM sqlite_master WHERE type = 'index' AND sql IS NOT NULL"),
             QStringLiteral("148"));
  }
};

ZEVO_TEST_MAIN(TestSchema)
#include "test_schema.moc"
