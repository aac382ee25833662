// A write that meets a full disk: the layer's own error with a German text
// that says so, nothing of the write or of its batch left in the file, and
// the file takes writes again once there is room.
#include "platform/dao/dao.h"
#include "support/plattevoll.h"
#include "support/testmain.h"

#include <QDir>

using namespace zevo;
using namespace zevo::dao;

namespace {

int zeilen(Database& db) { return db.openRecordset("select count(*) as n from T")["n"].value().toInt(); }

// The error of f, or number 0 when it does not fail.
Error fehlervon(const std::function<void()>& f) {
  try {
    f();
  } catch (const Error& e) {
    return e;
  }
  return Error(0, {});
}

}  // namespace

class TestSpeicherplatz : public QObject {
  Q_OBJECT
  Database db_;
  QString pfad_;
  const QString lang_ = QString(3000, QLatin1Char('x'));   // most of a page

private slots:
  void init() {
    pfad_ = QDir::current().filePath(QStringLiteral("voll%1.mdb").arg(QDateTime::currentMSecsSinceEpoch()));
    db_ = DBEngine::workspaces().createDatabase(pfad_);
    db_.execute("create table T(N LONG, Bemerkung MEMO, ID COUNTER)");
    db_.execute("insert into T(N) values (1)");
  }
  void cleanup() { db_.close(); }

private:
  // The rows of T that another connection sees: the committed ones.
  int außenzeilen() {
    sqlite3* h = nullptr;
    sqlite3_open(pfad_.toUtf8().constData(), &h);
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(h, "select count(*) from T", -1, &s, nullptr);
    const int n = sqlite3_step(s) == SQLITE_ROW ? sqlite3_column_int(s, 0) : -1;
    sqlite3_finalize(s);
    sqlite3_close(h);
    return n;
  }

private slots:

  // The first row of the batch still finds room in the file's last page, the
  // second does not: the error names the full disk, and the first row goes
  // with the rest.
  void aBatchIsWholeOrAbsent() {
    {
      test::PlatteVoll voll(pfad_);
      const Error e = fehlervon([&] {
        Transaction stapel(db_);
        for (int n = 2; n <= 4; ++n) db_.execute(QStringLiteral("insert into T(N, Bemerkung) values (%1, '%2')").arg(n).arg(lang_));
        stapel.commit();
      });
      QCOMPARE(e.number(), int(errDiskFull));
      QCOMPARE(e.text(), QStringLiteral("Nicht genügend Speicherplatz auf dem Datenträger."));
      QCOMPARE(zeilen(db_), 1);
    }
    db_.execute(QStringLiteral("insert into T(N, Bemerkung) values (2, '%1')").arg(lang_));
    QCOMPARE(zeilen(db_), 2);
  }

  // A batch of batches, as the entry window writes one record per colony in
  // a batch of its own inside the whole. The full disk makes SQLite end the
  // whole transaction: the inner batch that meets it, a write after it, a
  // new inner batch and every commit fail with the full disk until the
  // outermost batch ends, and nothing of the whole is in the file.
  void nestedBatches() {
    const auto einfügen = [&](int n, const QString& text) {
      db_.execute(QStringLiteral("insert into T(N, Bemerkung) values (%1, '%2')").arg(n).arg(text));
    };
    {
      test::PlatteVoll voll(pfad_);
      Transaction ganzes(db_);
      {
        Transaction erstes(db_);
        einfügen(2, lang_);
        erstes.commit();
      }
      {
        Transaction zweites(db_);
        QCOMPARE(fehlervon([&] { einfügen(3, lang_); }).number(), int(errDiskFull));
        QCOMPARE(fehlervon([&] { einfügen(4, "kurz"); }).number(), int(errDiskFull));
        QCOMPARE(fehlervon([&] { zweites.commit(); }).number(), int(errDiskFull));
      }
      QCOMPARE(fehlervon([&] { Transaction drittes(db_); }).number(), int(errDiskFull));
      QCOMPARE(zeilen(db_), 1);   // reading goes on
      QCOMPARE(fehlervon([&] { db_.execute("delete from Nirgends"); }).number(), int(errNoSuchTable));
      QCOMPARE(fehlervon([&] { ganzes.commit(); }).number(), int(errDiskFull));
    }
    QCOMPARE(zeilen(db_), 1);
    // Writes and batches go on once there is room, each committed.
    einfügen(2, lang_);
    Transaction neues(db_);
    einfügen(3, "kurz");
    neues.commit();
    QCOMPARE(außenzeilen(), 3);
  }

  // One row through a recordset, outside any transaction.
  void aRecordsetRow() {
    {
      test::PlatteVoll voll(pfad_);
      Recordset rs = db_.openRecordset("select * from T");
      rs.addNew();
      rs["N"] = 2;
      rs["Bemerkung"] = QString(20000, QLatin1Char('y'));
      QCOMPARE(fehlervon([&] { rs.update(); }).number(), int(errDiskFull));
      QCOMPARE(zeilen(db_), 1);
    }
    QCOMPARE(db_.openRecordset("select N from T")["N"].value(), QVariant(1));
    db_.execute("insert into T(N) values (2)");
    QCOMPARE(außenzeilen(), 2);
  }

  // A failure after which SQLite keeps the transaction open ends nothing:
  // the batch goes on and is committed.
  void anErrorThatKeepsTheBatch() {
    Transaction stapel(db_);
    db_.execute("insert into T(N) values (2)");
    QCOMPARE(fehlervon([&] { db_.execute("insert into Nirgends(N) values (3)"); }).number(), int(errNoSuchTable));
    db_.execute("insert into T(N) values (3)");
    stapel.commit();
    QCOMPARE(außenzeilen(), 3);
  }
};

ZEVO_TEST_MAIN(TestSpeicherplatz)
#include "test_speicherplatz.moc"
