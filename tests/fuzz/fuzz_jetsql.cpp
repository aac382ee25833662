// The translator on any statement text. What it accepts must be one SQLite
// statement that touches no more than the statement names. SQLite's
// authorizer watches the prepared statement: a SELECT (and a crosstab) only
// reads, an UPDATE writes exactly the columns of its SET list, an INSERT only
// inserts into its table, a DELETE only deletes. The writing statements then
// run on a few rows of every table (and are rolled back): an UPDATE changes
// only rows its own condition selects, and in them only its columns; a
// DELETE removes exactly those rows; an INSERT adds as many rows as it names
// (one, or those of its SELECT) to its table and changes nothing else.
#include "fuzz.h"

#include "platform/dao/connection.h"
#include "platform/dao/errors.h"
#include "platform/dao/jetsql.h"

#include <QRegularExpression>
#include <QSet>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>

using namespace zevo::dao;
using namespace zevo::dao::jet;

namespace {

const char* const tabellen[] = {
    "create table Bienenvolk(Volknr TEXT (10), Volkname TEXT (20), Volkstärke INTEGER, Wabenanzahl INTEGER, "
    "Standort TEXT (100), Volk_Zugangsdatum DATETIME, Volk_Einkaufspreis CURRENCY, Akt_im_Bestand TEXT (1), "
    "Selektiert TEXT (1), ID COUNTER)",
    "create table Honigernte(Datum DATETIME, Menge_kg SINGLE, Honigsorte TEXT (20), Kosten CURRENCY, "
    "Bemerkung TEXT (30), Volk LONG, ID COUNTER)",
    "create table Termine(Datum DATETIME, Termin TEXT (30), Erledigt TEXT (1), Volk LONG, ID COUNTER)",
    "create table Pflanzen(Pflanze TEXT (20), Weidezeit_von DATETIME, Nektarstufe SHORT, ID COUNTER)",
};

// A few rows of each table, written past the translator.
const char* const zeilen =
    "insert into Bienenvolk values ('A', 'Anna', 5, 10, 'Wiese', '2006-05-01', 12.5, 'X', '', 1);"
    "insert into Bienenvolk values ('B', 'Berta', null, 8, 'Wald', '2007-06-15', 0, '', 'X', 2);"
    "insert into Bienenvolk values ('C', 'C', 3, null, null, null, null, 'X', 'X', 3);"
    "insert into Bienenvolk values ('a', '', 0, 0, '', '2001-01-01 10:00:00', -1, null, null, 7);"
    "insert into Honigernte values ('2007-06-01', 12.5, 'Linde', 3.25, 'x', 1, 1);"
    "insert into Honigernte values ('2007-07-01', 0, '', 0, null, 2, 2);"
    "insert into Honigernte values (null, null, null, null, null, null, 3);"
    "insert into Termine values ('2007-06-15', 'Schleudern', 'N', 0, 1);"
    "insert into Termine values ('2007-06-16', 'Schwarmkontrolle', 'J', 1, 2);"
    "insert into Termine values ('2008-01-01', '', null, 3, 4);"
    "insert into Pflanzen values ('Efeu', '2006-09-15', 5, 1);"
    "insert into Pflanzen values ('Linde', null, 7, 2);";

struct Umgebung {
  Schema schema;
  sqlite3* db = nullptr;
  Umgebung() {
    if (sqlite3_open(":memory:", &db) != SQLITE_OK) std::abort();
    const QDateTime jetzt(QDate(2007, 6, 15), QTime(10, 0));
    for (const char* t : tabellen) {
      const Translation x = translate(QString::fromUtf8(t), Schema(), jetzt);
      if (sqlite3_exec(db, x.sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK) std::abort();
    }
    if (sqlite3_exec(db, zeilen, nullptr, nullptr, nullptr) != SQLITE_OK) std::abort();
    configure(db);  // the layer's functions and collations
    // The schema as the layer reads it from the file.
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "select m.name, p.name, p.type, p.pk from sqlite_master m, pragma_table_info(m.name) p "
                           "where m.type = 'table' and m.name not like 'sqlite%' order by m.name, p.cid",
                       -1, &st, nullptr);
    Table t;
    while (sqlite3_step(st) == SQLITE_ROW) {
      const QString name = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
      if (name != t.name && !t.name.isEmpty()) {
        schema.addTable(t);
        t = Table();
      }
      t.name = name;
      Column c;
      c.name = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 1)));
      c.type = typeOfDeclared(reinterpret_cast<const char*>(sqlite3_column_text(st, 2)), &c.size);
      c.counter = sqlite3_column_int(st, 3) != 0;
      t.columns.push_back(c);
    }
    if (!t.name.isEmpty()) schema.addTable(t);
    sqlite3_finalize(st);
  }
};

// A field name folded; SQLite's names of the row id stand for the counter.
QString feld(const QString& name) {
  const QString f = fold(name);
  return f == "rowid" || f == "oid" || f == "_rowid_" ? QStringLiteral("id") : f;
}

[[noreturn]] void befund(const char* was, const QString& sql) {
  std::fprintf(stderr, "%s: %s\n", was, sql.toUtf8().constData());
  std::abort();
}

// --- what the authorizer sees -------------------------------------------------

enum class Art { Lesen, Einfügen, Ändern, Löschen };
struct Zugriff {
  Art erwartet = Art::Lesen;
  const char* verstoß = nullptr;
  QSet<QString> geänderteSpalten;  // folded
  QSet<QString> eingefügtIn;       // folded table names
};
Zugriff zugriff;

int wächter(void*, int action, const char* a, const char* b, const char*, const char*) {
  switch (action) {
    case SQLITE_SELECT:
    case SQLITE_READ:
    case SQLITE_FUNCTION:
      return SQLITE_OK;
    case SQLITE_INSERT:
      if (zugriff.erwartet != Art::Einfügen) zugriff.verstoß = "INSERT";
      zugriff.eingefügtIn.insert(fold(QString::fromUtf8(a)));
      return SQLITE_OK;
    case SQLITE_UPDATE:
      if (zugriff.erwartet != Art::Ändern) zugriff.verstoß = "UPDATE";
      zugriff.geänderteSpalten.insert(feld(QString::fromUtf8(b)));
      return SQLITE_OK;
    case SQLITE_DELETE:
      if (zugriff.erwartet != Art::Löschen) zugriff.verstoß = "DELETE";
      return SQLITE_OK;
    default:
      zugriff.verstoß = "eine andere Aktion";
      return SQLITE_DENY;
  }
}

// The SQL prepared under the authorizer (null when SQLite refuses it):
// exactly one statement, only the expected action.
sqlite3_stmt* vorbereiten(const QString& sql, Art art, sqlite3* db) {
  zugriff = Zugriff{};
  zugriff.erwartet = art;
  sqlite3_set_authorizer(db, wächter, nullptr);
  const QByteArray utf8 = sql.toUtf8();
  sqlite3_stmt* st = nullptr;
  const char* rest = nullptr;
  sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &st, &rest);
  sqlite3_set_authorizer(db, nullptr, nullptr);
  if (zugriff.verstoß) befund(zugriff.verstoß, sql);
  if (st && rest && *rest) befund("mehr als eine Anweisung", sql);
  return st;
}

void binden(sqlite3_stmt* st, const std::vector<QVariant>& werte) {
  for (size_t i = 0; i < werte.size(); ++i) {
    const QVariant& v = werte[i];
    const int k = int(i) + 1;
    if (v.typeId() == QMetaType::LongLong) sqlite3_bind_int64(st, k, v.toLongLong());
    else if (v.typeId() == QMetaType::Double) sqlite3_bind_double(st, k, v.toDouble());
    else sqlite3_bind_text(st, k, v.toString().toUtf8().constData(), -1, SQLITE_TRANSIENT);
  }
}

// Runs a prepared statement to its end; the first column of its rows into
// `ids`. False when it fails or runs too long.
bool laufen(sqlite3_stmt* st, Umgebung& u, std::vector<qint64>* ids = nullptr) {
  // A statement that runs too long (a FROM of many tables) is cut off.
  int schritte = 0;
  sqlite3_progress_handler(u.db, 1000, [](void* n) { return ++*static_cast<int*>(n) > 500 ? 1 : 0; }, &schritte);
  int rc;
  while ((rc = sqlite3_step(st)) == SQLITE_ROW)
    if (ids) ids->push_back(sqlite3_column_int64(st, 0));
  sqlite3_finalize(st);
  sqlite3_progress_handler(u.db, 0, nullptr, nullptr);
  return rc == SQLITE_DONE;
}

// The rows that a Jet SELECT delivers, translated and run on their own;
// false when it is refused or fails.
bool auswahl(const QString& jet, Umgebung& u, std::vector<qint64>& ids) {
  Translation t;
  try {
    t = translate(jet, u.schema, QDateTime(QDate(2007, 6, 15), QTime(10, 0)));
  } catch (const Error&) {
    return false;
  }
  if (t.kind != Kind::Select) return false;
  sqlite3_stmt* st = vorbereiten(t.sql, Art::Lesen, u.db);
  if (!st) return false;
  binden(st, t.parameters);
  return laufen(st, u, &ids);
}

// --- every row of every table --------------------------------------------------

using Zeile = std::vector<QByteArray>;  // per column: type and value
struct Tabelle {
  std::vector<QString> spalten;  // folded
  std::map<qint64, Zeile> zeilen;
  bool operator==(const Tabelle&) const = default;
};
using Stand = std::map<QString, Tabelle>;  // by folded name

Stand stand(sqlite3* db) {
  Stand s;
  for (const char* name : {"Bienenvolk", "Honigernte", "Termine", "Pflanzen"}) {
    Tabelle& t = s[fold(QString::fromUtf8(name))];
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, (QByteArray("select rowid, * from ") + name).constData(), -1, &st, nullptr);
    for (int c = 1; c < sqlite3_column_count(st); ++c) t.spalten.push_back(fold(QString::fromUtf8(sqlite3_column_name(st, c))));
    while (sqlite3_step(st) == SQLITE_ROW) {
      Zeile z;
      for (int c = 1; c < sqlite3_column_count(st); ++c) {
        const char* text = reinterpret_cast<const char*>(sqlite3_column_text(st, c));
        z.push_back(QByteArray::number(sqlite3_column_type(st, c)) + ':' + (text ? text : ""));
      }
      t.zeilen[sqlite3_column_int64(st, 0)] = z;
    }
    sqlite3_finalize(st);
  }
  return s;
}

// --- the statement as written ---------------------------------------------------

// A word, a bracketed name, a literal or a sign, with where it stands.
struct Stück {
  QString text;   // a bracketed name without its brackets
  int anfang = 0, ende = 0;
  int tiefe = 0;  // of parentheses
  bool wort = false, name = false;
};

std::vector<Stück> stücke(const QString& s) {
  std::vector<Stück> out;
  int tiefe = 0;
  for (int i = 0; i < s.size();) {
    const QChar c = s[i];
    Stück x;
    x.anfang = i;
    x.tiefe = tiefe;
    if (c.isSpace()) { ++i; continue; }
    if (c == '\'' || c == '"' || c == '#' || c == '[') {
      const QChar zu = c == '[' ? QChar(']') : c;
      int j = i + 1;
      for (;; ++j) {
        if (j >= s.size()) return out;
        if (s[j] != zu) continue;
        if (zu != ']' && zu != '#' && j + 1 < s.size() && s[j + 1] == zu) { ++j; continue; }
        break;
      }
      x.name = c == '[';
      x.text = s.mid(i + 1, j - i - 1);
      i = j + 1;
    } else if (c.isLetterOrNumber() || c == '_' || c.unicode() >= 0x80) {
      int j = i;
      while (j < s.size() && (s[j].isLetterOrNumber() || s[j] == '_' || s[j].unicode() >= 0x80)) ++j;
      x.text = s.mid(i, j - i);
      x.wort = x.name = !c.isDigit();
      i = j;
    } else {
      x.text = c;
      if (c == '(') ++tiefe;
      if (c == ')') x.tiefe = --tiefe;
      ++i;
    }
    x.ende = i;
    out.push_back(x);
  }
  return out;
}

bool ist(const Stück& x, const char* wort) { return x.wort && x.text.compare(QLatin1String(wort), Qt::CaseInsensitive) == 0; }

// The first word `wort` outside parentheses from `ab` on; -1 when none.
int oben(const std::vector<Stück>& s, const char* wort, int ab = 0) {
  for (int i = ab; i < int(s.size()); ++i)
    if (s[size_t(i)].tiefe == 0 && ist(s[size_t(i)], wort)) return i;
  return -1;
}

// --- the writing statements on real rows ----------------------------------------

// What a writing statement may do, read from its own text.
struct Erlaubt {
  QString tabelle;              // folded
  QString tabellenteil;         // the text that names the table, as written
  QSet<QString> spalten;        // UPDATE: its SET list; INSERT: its column list (empty: all)
  QString bedingung;            // the text after WHERE ("" when none)
  bool gültig = false;
};

Erlaubt lesen(const QString& jet, Art art) {
  Erlaubt e;
  const std::vector<Stück> s = stücke(jet);
  auto text = [&](int von, int bis) { return jet.mid(s[size_t(von)].anfang, s[size_t(bis) - 1].ende - s[size_t(von)].anfang); };
  int tab = -1, tabEnde = -1;
  if (art == Art::Ändern) {
    const int set = oben(s, "SET");
    if (set < 2) return e;
    tab = 1;
    tabEnde = set;
    const int where = oben(s, "WHERE", set);
    const int ende = where < 0 ? int(s.size()) : where;
    bool links = true;
    for (int i = set + 1; i < ende; ++i) {
      const Stück& x = s[size_t(i)];
      if (x.tiefe == 0 && x.text == ",") links = true;
      else if (x.tiefe == 0 && x.text == "=") links = false;
      else if (links && x.name && !(i + 1 < ende && s[size_t(i) + 1].text == ".")) e.spalten.insert(feld(x.text));
    }
    if (where >= 0 && where + 1 < int(s.size())) e.bedingung = jet.mid(s[size_t(where)].ende);
  } else if (art == Art::Löschen) {
    const int from = oben(s, "FROM");
    if (from < 0 || from + 1 >= int(s.size())) return e;
    tab = from + 1;
    const int where = oben(s, "WHERE", tab);
    tabEnde = where < 0 ? int(s.size()) : where;
    if (where >= 0 && where + 1 < int(s.size())) e.bedingung = jet.mid(s[size_t(where)].ende);
  } else {
    if (s.size() < 3) return e;
    tab = 2;
    tabEnde = 3;
    if (s.size() > 3 && s[3].text == "(")
      for (int i = 4; i < int(s.size()) && s[size_t(i)].tiefe > 0; ++i)
        if (s[size_t(i)].name) e.spalten.insert(feld(s[size_t(i)].text));
  }
  if (tabEnde <= tab) return e;
  for (int i = tab; i < tabEnde; ++i)
    if (s[size_t(i)].text == ",") return e;  // several tables: not checked here
  e.tabelle = fold(s[size_t(tab)].text);
  e.tabellenteil = text(tab, tabEnde);
  e.gültig = true;
  return e;
}

// The rows of `tabelle` the statement's own condition selects.
bool ausgewählt(const Erlaubt& e, Umgebung& u, QSet<qint64>& ids) {
  QString jet = QStringLiteral("select ID from ") + e.tabellenteil;
  if (!e.bedingung.isEmpty()) jet += QStringLiteral(" where ") + e.bedingung;
  std::vector<qint64> v;
  if (!auswahl(jet, u, v)) return false;
  ids = QSet<qint64>(v.begin(), v.end());
  return true;
}

// The INSERT's number of new rows: one, or as many as its SELECT delivers.
int neueZeilen(const QString& jet, Umgebung& u) {
  const std::vector<Stück> s = stücke(jet);
  const int sel = oben(s, "SELECT");
  if (sel < 0) return 1;
  std::vector<qint64> v;
  return auswahl(jet.mid(s[size_t(sel)].anfang), u, v) ? int(v.size()) : -1;
}

// The rows before and after the statement against what it may do.
void vergleichen(const QString& sql, Art art, const Erlaubt& e, const Stand& vor, const Stand& nach,
                 const QSet<qint64>& auswahl, int neu, bool gelaufen) {
  if (!gelaufen) {
    if (vor != nach) befund("eine gescheiterte Anweisung hat etwas geändert", sql);
    return;
  }
  for (const auto& [name, v] : vor) {
    const Tabelle& n = nach.at(name);
    if (name != e.tabelle) {
      if (v.zeilen != n.zeilen) befund("eine andere Tabelle geändert", sql);
      continue;
    }
    int hinzu = 0;
    for (const auto& [id, z] : n.zeilen) {
      const auto alt = v.zeilen.find(id);
      if (alt == v.zeilen.end()) {
        if (art != Art::Einfügen) befund("eine Zeile hinzugefügt", sql);
        ++hinzu;
        for (size_t c = 0; c < z.size(); ++c)
          if (!e.spalten.isEmpty() && !e.spalten.contains(n.spalten[c]) && n.spalten[c] != "id" &&
              !z[c].startsWith(QByteArray::number(SQLITE_NULL) + ':'))
            befund("ein Feld außerhalb der Feldliste geschrieben", sql);
        continue;
      }
      if (alt->second == z) continue;
      if (art != Art::Ändern || !auswahl.contains(id)) befund("eine nicht ausgewählte Zeile geändert", sql);
      for (size_t c = 0; c < z.size(); ++c)
        if (z[c] != alt->second[c] && !e.spalten.contains(n.spalten[c]))
          befund("ein Feld außerhalb der SET-Liste geändert", sql);
    }
    for (const auto& [id, z] : v.zeilen)
      if (!n.zeilen.count(id) && (art != Art::Löschen || !auswahl.contains(id)))
        befund("eine nicht ausgewählte Zeile gelöscht", sql);
    if (art == Art::Löschen)
      for (qint64 id : auswahl)
        if (n.zeilen.count(id)) befund("eine ausgewählte Zeile blieb", sql);
    if (art == Art::Einfügen && neu >= 0 && hinzu != neu) befund("nicht so viele Zeilen eingefügt wie genannt", sql);
  }
}

void schreiben(const QString& jet, const Translation& t, Art art, Umgebung& u) {
  sqlite3_stmt* st = vorbereiten(t.sql, art, u.db);
  if (!st) return;
  const Zugriff gesehen = zugriff;
  const Erlaubt e = lesen(jet, art);
  QSet<qint64> ids;
  const int neu = art == Art::Einfügen ? neueZeilen(jet, u) : 0;
  bool prüfbar = e.gültig && (art == Art::Einfügen || ausgewählt(e, u, ids));
  if (e.gültig && art == Art::Ändern && gesehen.geänderteSpalten != e.spalten)
    befund("andere Felder als die der SET-Liste", t.sql);
  if (e.gültig && art == Art::Einfügen && gesehen.eingefügtIn != QSet<QString>{e.tabelle})
    befund("eine andere Tabelle als die genannte", t.sql);
  // A written counter moves its row: then only the fields are checked.
  if (!prüfbar || (art == Art::Ändern && e.spalten.contains("id"))) {
    sqlite3_finalize(st);
    return;
  }
  const Stand vor = stand(u.db);
  sqlite3_exec(u.db, "savepoint probe", nullptr, nullptr, nullptr);
  binden(st, t.parameters);
  const bool gelaufen = laufen(st, u);
  const Stand nach = stand(u.db);
  sqlite3_exec(u.db, "rollback to probe; release probe", nullptr, nullptr, nullptr);
  vergleichen(t.sql, art, e, vor, nach, ids, neu, gelaufen);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Umgebung u;
  const QString jet = QString::fromUtf8(zevo::fuzz::bytes(data, size));
  const QDateTime jetzt(QDate(2007, 6, 15), QTime(10, 0));
  Translation t;
  try {
    t = translate(jet, u.schema, jetzt);
  } catch (const Error&) {
    return 0;
  }
  if (t.kind == Kind::Ddl) return 0;   // schema changes are not checked here
  if (t.kind == Kind::Transform) {
    sqlite3_finalize(vorbereiten(t.crosstab.headingSql, Art::Lesen, u.db));
    const std::vector<QVariant> köpfe = {QVariant(), QString("a'b"), QString(QChar(1)), qint64(3), 2.5};
    sqlite3_finalize(vorbereiten(crosstabSql(t.crosstab, pivotColumns(t.crosstab, köpfe)), Art::Lesen, u.db));
    return 0;
  }
  const QString erstes = jet.trimmed().section(QRegularExpression("[^\\p{L}]"), 0, 0).toUpper();
  if (t.kind == Kind::Select) {
    sqlite3_finalize(vorbereiten(t.sql, Art::Lesen, u.db));
  } else {
    const Art art = erstes == "INSERT" ? Art::Einfügen : erstes == "UPDATE" ? Art::Ändern : Art::Löschen;
    if (erstes != "INSERT" && erstes != "UPDATE" && erstes != "DELETE") befund("unbekannte Anweisung", t.sql);
    schreiben(jet, t, art, u);
  }
  // A statement of the same shape with other literals translates alike.
  const Shape s = shapeOf(jet);
  Translation wieder;
  if (!s.key.isEmpty() && reuse(t, s.literals, s, wieder) && wieder.sql != t.sql) std::abort();
  return 0;
}
