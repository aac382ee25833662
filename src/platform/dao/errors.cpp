#include "platform/dao/errors.h"

#include <sqlite3.h>

#include <QRegularExpression>

namespace zevo::dao {

Error::Error(int number, const QString& text, const QString& detail)
    : std::runtime_error(QStringLiteral("%1 (Fehler %2)%3")
                             .arg(text)
                             .arg(number)
                             .arg(detail.isEmpty() ? QString() : QStringLiteral(": ") + detail)
                             .toStdString()),
      number_(number), text_(text), detail_(detail) {}

QString errorText(int number, const QString& arg) {
  QString t;
  switch (number) {
    case errEngine: t = QStringLiteral("Datenbankfehler: %1"); break;
    case errTableExists: t = QStringLiteral("Die Tabelle oder der Index '%1' ist bereits vorhanden."); break;
    case errNoEdit: t = QStringLiteral("Der Datensatz wird nicht bearbeitet: zuerst Hinzufügen oder Bearbeiten wählen."); break;
    case errNoCurrentRecord: t = QStringLiteral("Es gibt keinen aktuellen Datensatz."); break;
    case errDuplicate: t = QStringLiteral("Der Wert ist bereits vorhanden; doppelte Werte sind hier nicht erlaubt."); break;
    case errFileNotFound: t = QStringLiteral("Die Datei '%1' wurde nicht gefunden."); break;
    case errDiskFull: t = QStringLiteral("Nicht genügend Speicherplatz auf dem Datenträger."); break;
    case errReadOnly: t = QStringLiteral("Die Datenbank ist schreibgeschützt und kann nicht geändert werden."); break;
    case errNoTransaction: t = QStringLiteral("Es wurde keine Transaktion begonnen."); break;
    case errIo: t = QStringLiteral("Die Datenbankdatei '%1' kann nicht gelesen oder geschrieben werden."); break;
    case errCorrupt: t = QStringLiteral("Die Datenbankdatei '%1' ist beschädigt."); break;
    case errUnknownColumn: t = QStringLiteral("Das Feld '%1' ist unbekannt."); break;
    case errExecuteSelect: t = QStringLiteral("Eine Auswahlabfrage kann nicht ausgeführt werden."); break;
    case errSyntax: t = QStringLiteral("Syntaxfehler in der Abfrage: %1"); break;
    case errCriteriaSyntax: t = QStringLiteral("Syntaxfehler im Suchkriterium '%1'."); break;
    case errNoSuchTable: t = QStringLiteral("Die Tabelle '%1' wurde nicht gefunden."); break;
    case errAmbiguous: t = QStringLiteral("Das Feld '%1' kann sich auf mehrere Tabellen beziehen."); break;
    case errUndefinedFunction: t = QStringLiteral("Die Funktion '%1' ist in Abfragen nicht verfügbar."); break;
    case errInvalidStatement: t = QStringLiteral("Ungültige SQL-Anweisung: %1"); break;
    case errFieldTooSmall: t = QStringLiteral("Das Feld '%1' ist zu klein für den Wert."); break;
    case errFieldNotUpdatable: t = QStringLiteral("Das Feld '%1' kann nicht geändert werden."); break;
    case errRecordDeleted: t = QStringLiteral("Der Datensatz wurde gelöscht."); break;
    case errRowVanished: t = QStringLiteral("Der Datensatz ist nicht mehr vorhanden; er wurde inzwischen gelöscht."); break;
    case errDatabaseExists: t = QStringLiteral("Die Datei '%1' ist bereits vorhanden."); break;
    case errInvalidOperation: t = QStringLiteral("Ungültige Operation: %1"); break;
    case errLocked: t = QStringLiteral("Die Datenbank ist gesperrt."); break;
    case errItemNotFound: t = QStringLiteral("Das Feld '%1' ist in dieser Datensatzgruppe nicht vorhanden."); break;
    case errNotUpdatable: t = QStringLiteral("Diese Datensatzgruppe kann nicht geändert werden."); break;
    case errUnknownFormat: t = QStringLiteral("Die Datei '%1' ist keine ZEVO-Datenbank (unbekanntes Datenbankformat)."); break;
    case errObjectClosed: t = QStringLiteral("Die Datenbank oder Datensatzgruppe ist bereits geschlossen."); break;
    case errTypeConversion: t = QStringLiteral("Datentypkonvertierungsfehler: %1"); break;
    default: t = QStringLiteral("Datenbankfehler %1"); return t.arg(number);
  }
  if (t.contains(QLatin1String("%1"))) t = t.arg(arg);
  return t;
}

void fail(int number, const QString& arg, const QString& detail) {
  throw Error(number, errorText(number, arg), detail);
}

void failSqlite(sqlite3* db, int rc, const QString& sql) {
  const QString msg = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(rc));
  const QString detail = sql.isEmpty() ? msg : msg + QStringLiteral(" | SQL: ") + sql;
  auto after = [&](const char* prefix) -> QString {
    const QString p = QString::fromLatin1(prefix);
    return msg.startsWith(p) ? msg.mid(p.size()).trimmed() : QString();
  };
  const QString file = db ? QString::fromUtf8(sqlite3_db_filename(db, "main")) : QString();
  switch (rc & 0xff) {
    case SQLITE_READONLY: fail(errReadOnly, {}, detail);
    case SQLITE_FULL: fail(errDiskFull, {}, detail);
    case SQLITE_BUSY:
    case SQLITE_LOCKED: fail(errLocked, {}, detail);
    case SQLITE_NOTADB: fail(errUnknownFormat, file, detail);
    case SQLITE_CORRUPT: fail(errCorrupt, file, detail);
    case SQLITE_IOERR:
    case SQLITE_CANTOPEN:
    case SQLITE_PERM: fail(errIo, file, detail);
    case SQLITE_CONSTRAINT: fail(errDuplicate, {}, detail);
    case SQLITE_TOOBIG: fail(errFieldTooSmall, {}, detail);
    default: break;
  }
  if (QString a = after("no such table:"); !a.isEmpty()) fail(errNoSuchTable, a, detail);
  if (QString a = after("no such column:"); !a.isEmpty()) fail(errUnknownColumn, a, detail);
  if (QString a = after("no such function:"); !a.isEmpty()) fail(errUndefinedFunction, a, detail);
  if (QString a = after("ambiguous column name:"); !a.isEmpty()) fail(errAmbiguous, a, detail);
  static const QRegularExpression exists(QStringLiteral("^(?:table|index) (\\S+) already exists"));
  if (auto m = exists.match(msg); m.hasMatch()) fail(errTableExists, m.captured(1), detail);
  if (msg.contains(QLatin1String("syntax error")) || msg.startsWith(QLatin1String("near ")))
    fail(errSyntax, msg, detail);
  fail(errEngine, msg, detail);
}

}  // namespace zevo::dao
