// The new ZEVO.MDB: tables, indexes, seed rows, a failed creation, and that
// the stock sqlite3 shell can read it.
#include "platform/dao/dao.h"
#include "shell/schema.h"
#include "support/testmain.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

using namespace zevo;

namespace {

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
    path_ = QDir::current().filePath("ZEVO.MDB");
    db_ = shell::datenbankanlegen(dao::DBEngine::workspaces(), path_, [this](int f) { locks_ << f; });
  }

  void tablesIndexesAndRows() {
    QCOMPARE(locks_, (QList<int>{0, 1}));
    QCOMPARE(shell::schemaanweisungen().size(), 21 + 148 + 29);
    QCOMPARE(db_.tableNames().size(), 21);
    QCOMPARE(db_.indexCount(), 148);
    for (const QString& t : db_.tableNames()) {
      const int n = db_.openRecordset("select count(*) as n from " + t)["n"].value().toInt();
      QCOMPARE(n, t == "Pflanzen" ? 11 : t == "Arbeitsplanoptionen" ? 18 : 0);
    }
  }

  void seedValues() {
    dao::Recordset p = db_.openRecordset("select * from Pflanzen order by ID");
    QCOMPARE(p["Weidezeit_von"].value(), QVariant(QDate(2006, 9, 15)));   // Efeu
    dao::Recordset a = db_.openRecordset("select * from Arbeitsplanoptionen order by ID");
    QCOMPARE(a["Auto_erledigt_Buchung"].value(), QVariant(QString("")));   // empty, not Null
    a.moveLast();
    QCOMPARE(a["Arbeitsart"].value(), QVariant("Winterkontrolle"));
    QCOMPARE(a["Endzeitraum"].value(), QVariant("15.05"));
  }

  void anExistingFileIsOpenedUnchanged() {
    db_.execute("insert into Notizen(Datum, NOTIZ, Volk) values (#1/2/2008#, 'bleibt', 0)");
    QList<int> locks;
    dao::Database again =
        shell::datenbankbereitstellen(dao::DBEngine::workspaces(), path_, [&](int f) { locks << f; });
    QVERIFY(locks.isEmpty());
    QCOMPARE(again.openRecordset("select Notiz from Notizen")["notiz"].value(), QVariant("bleibt"));
  }

  void aFailedCreationLeavesNoFile() {
    QVERIFY(QDir().mkpath("kaputt"));
    const QString path = QDir::current().filePath("kaputt/ZEVO.MDB");
    QStringList broken = shell::schemaanweisungen();
    broken.insert(100, "create table Bienenvolk(X LONG)");   // fails halfway
    QList<int> locks;
    try {
      shell::datenbankanlegen(dao::DBEngine::workspaces(), path, [&](int f) { locks << f; }, broken);
      QFAIL("created");
    } catch (const dao::Error& e) {
      QVERIFY(e.text().startsWith("Die Datenbank ZEVO.MDB konnte nicht angelegt werden."));
    }
    QVERIFY(!QFile::exists(path));
    QVERIFY(!QFile::exists(path + "-journal"));
    QCOMPARE(locks, (QList<int>{0, 1}));   // unlocked again
    // The next start creates it anew.
    QCOMPARE(shell::datenbankbereitstellen(dao::DBEngine::workspaces(), path).indexCount(), 148);
  }

  void theStockShellReadsTheFile() {
    if (QStandardPaths::findExecutable("sqlite3").isEmpty()) QSKIP("sqlite3 is not installed");
    QCOMPARE(sqlite3Shell(path_, "PRAGMA integrity_check"), QStringLiteral("ok"));
    for (const QString& t : db_.tableNames()) {
      const QString out = sqlite3Shell(path_, QStringLiteral("SELECT count(*) FROM \"%1\"").arg(t));
      QVERIFY2(!out.isEmpty() && out.at(0).isDigit(), qPrintable(t + ": " + out));
    }
    QCOMPARE(sqlite3Shell(path_, "SELECT Pflanze FROM Pflanzen ORDER BY Pflanze LIMIT 3"),
             QStringLiteral("Bergahorn\nEfeu\nFichte"));
    QCOMPARE(sqlite3Shell(path_, "SELECT Weidezeit_von FROM Pflanzen WHERE Pflanze = 'EFEU'"),
             QStringLiteral("2006-09-15"));
  }
};

ZEVO_TEST_MAIN(TestSchema)
#include "test_schema.moc"
