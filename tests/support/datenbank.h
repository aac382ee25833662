#pragma once
// A ZEVO.MDB with the whole schema in the test's program folder, opened as
// start-up opens it (datenpfad, datenbankpfad, arbeitsbereich, datenbank),
// and small helpers to fill and read it.
#include "common/einstellungen.h"
#include "common/variablen.h"
#include "components/sevgrid.h"
#include "platform/dao/dao.h"
#include "platform/runtime/files.h"
#include "shell/schema.h"
#include "shell/volktermine.h"
#include "support/testmain.h"

#include <QAbstractItemModel>
#include <QPair>

#include <sqlite3.h>

namespace zevo::test {

using Werte = QList<QPair<QString, QVariant>>;

inline dao::Database& db() { return common::datenbank; }

// Creates the database once per test program.
inline void datenbankbereitstellen() {
  common::datenpfad = vb::programFolder();
  common::datenbankpfad = common::datenpfad + "ZEVO.MDB";
  common::arbeitsbereich = &dao::DBEngine::workspaces(0);
  if (!common::datenbank.isOpen())
    common::datenbank = shell::datenbankanlegen(*common::arbeitsbereich, common::datenbankpfad);
}

// Every table empty, the seed work-plan options back, today as given,
// all settings 0 or empty, no scripts left.
inline void datenbankgrundzustand(const QDate& heute) {
  resetScripts();
  setToday(heute);
  common::heutesetzen();
  common::einstellungenleeren();
  common::völkerneulesen = 0;
  for (const QString& tabelle : db().tableNames()) db().execute("delete from " + tabelle);
  for (const QString& s : shell::schemaanweisungen())
    if (s.startsWith(QLatin1String("insert into Arbeitsplanoptionen"))) db().execute(s);
}

// Adds a row and gives its ID.
inline int einfügen(const QString& tabelle, const Werte& werte) {
  dao::Recordset rs = db().openRecordset("select * from " + tabelle + " where ID = 0");
  rs.addNew();
  for (const auto& [spalte, wert] : werte) rs[spalte] = wert;
  rs.update();
  return rs["ID"].value().toInt();
}

inline int volk(const QString& volknr, bool imBestand = true, const Werte& weitere = {}) {
  Werte werte{{"Volknr", volknr}, {"Akt_im_Bestand", imBestand ? "X" : ""}, {"Selektiert", ""}};
  werte += weitere;
  return einfügen("Bienenvolk", werte);
}

inline int anzahl(const QString& sql) { return db().openRecordset(sql).fields(0).value().toInt(); }

// The first column of every row.
inline QStringList spalte(const QString& sql) {
  QStringList out;
  dao::Recordset rs = db().openRecordset(sql);
  for (; !rs.eof(); rs.moveNext()) out << rs.fields(0).text();
  return out;
}

// The dates of a colony (0 = of no colony) of one kind of work, "dd.mm", in order.
inline QStringList termine(int volk, const QString& termin) {
  QStringList out;
  dao::Recordset rs = db().openRecordset("select Datum, Erledigt from Termine where Volk = " + QString::number(volk) +
                                         " and Termin = '" + termin + "' order by Datum");
  for (; !rs.eof(); rs.moveNext()) {
    out << rs["Datum"].value().toDate().toString("dd.MM");
    if (rs["Erledigt"].text() != "N") out.last() += "!";
  }
  return out;
}

inline int option(const QString& arbeitsart) {
  return anzahl("select ID from Arbeitsplanoptionen where Arbeitsart = '" + arbeitsart + "'");
}

inline QDate datum(const char* ddmmyyyy) { return QDate::fromString(QString::fromLatin1(ddmmyyyy), "dd.MM.yyyy"); }

// Appends to a list a row whose "ID" cell is no ID ("1 or 1=1"), with the
// other cells given by key, and makes it the current row.
inline void zeileohneid(ui::sevGrid& g, const QHash<QString, QString>& zellen = {}) {
  QStringList text;
  for (int c = 1; c <= g.cols(); ++c) {
    const QString key = g.column(c).key();
    text << (key == "ID" ? QStringLiteral("1 or 1=1") : zellen.value(key));
  }
  g.additem(text.join('\t') + '\t');
  g.setRow(g.rows());
}

// Runs SQL (a trigger, say) on the database file beside the program's own connection.
inline void roh(const QString& sql) {
  sqlite3* h = nullptr;
  QCOMPARE(sqlite3_open(common::datenbankpfad.toUtf8().constData(), &h), SQLITE_OK);
  const int rc = sqlite3_exec(h, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
  sqlite3_close(h);
  QCOMPARE(rc, SQLITE_OK);
}

// True when a second connection can write the database file at this moment,
// that is when no transaction of the program holds it (for questions that
// must come before a transaction opens).
inline bool anderekönnenschreiben() {
  sqlite3* h = nullptr;
  bool frei = sqlite3_open(common::datenbankpfad.toUtf8().constData(), &h) == SQLITE_OK;
  if (frei) {
    sqlite3_busy_timeout(h, 0);
    frei = sqlite3_exec(h, "BEGIN IMMEDIATE; UPDATE Arbeitsplanoptionen SET Arbeitsart = Arbeitsart; COMMIT",
                        nullptr, nullptr, nullptr) == SQLITE_OK;
    if (!frei) sqlite3_exec(h, "ROLLBACK", nullptr, nullptr, nullptr);
  }
  sqlite3_close(h);
  return frei;
}

// Answers the scripted boxes and notes, at every question, whether others
// could write the database then. Restores the previous handler when it goes.
class FragenPrüfen {
public:
  FragenPrüfen() {
    vorher_ = vb::setMessageHandler([this](const vb::MessageRequest& r) {
      if (r.buttons == vb::YesNo) frei << anderekönnenschreiben();
      return messages().handle(r);
    });
  }
  ~FragenPrüfen() { vb::setMessageHandler(vorher_); }
  QList<bool> frei;   // one entry per question
private:
  vb::MessageHandler vorher_;
};

// Notes, each time a list is shown anew, whether others could write the
// database then: a list read inside a write transaction keeps them out for
// as long as it loads.
class ListePrüfen {
public:
  explicit ListePrüfen(ui::sevGrid& g) {
    QObject::connect(g.findChild<QAbstractItemModel*>(QString(), Qt::FindDirectChildrenOnly),
                     &QAbstractItemModel::modelReset, &empfänger_, [this] { frei << anderekönnenschreiben(); });
  }
  QList<bool> frei;   // one entry per showing
  // Shown anew at least once, and never while the file was held.
  bool nurfrei() const { return !frei.isEmpty() && !frei.contains(false); }
private:
  QObject empfänger_;   // the connection ends with it
};

// Every row of the query, its fields as German text joined by "|".
inline QStringList zeilen(const QString& sql) {
  QStringList out;
  dao::Recordset rs = db().openRecordset(sql);
  for (; !rs.eof(); rs.moveNext()) {
    QStringList felder;
    for (int i = 0; i < rs.fieldCount(); ++i) felder << rs.fields(i).text();
    out << felder.join('|');
  }
  return out;
}

// The text of the first field of the first row ("" for Null), "<keine Zeile>" without a row.
inline QString wert(const QString& sql) {
  dao::Recordset rs = db().openRecordset(sql);
  return rs.eof() ? QStringLiteral("<keine Zeile>") : rs.fields(0).text();
}

// A table dropped for a while, so that a query on it fails: drops it and
// creates it again, with its indexes, when it goes.
class TabelleWeg {
public:
  explicit TabelleWeg(const QString& tabelle) : tabelle_(tabelle) {
    common::datenbank.execute("drop table " + tabelle);
  }
  ~TabelleWeg() {
    for (const QString& s : shell::schemaanweisungen())
      if (s.startsWith("create table " + tabelle_ + "(") ||
          s.contains(" on " + tabelle_ + "(", Qt::CaseInsensitive))
        common::datenbank.execute(s);
  }
private:
  QString tabelle_;
};

}  // namespace zevo::test
