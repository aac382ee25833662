// The translator of the windows' Jet SQL, checked without a file.

#include "platform/dao/jetsql.h"
#include "support/testmain.h"

using namespace zevo::dao;
using namespace zevo::dao::jet;

namespace {

Schema schema() {
  Schema s;
  s.addTable({"Bienenvolk",
              {{"Volknr", dbText, 10},
               {"Volkstärke", dbLong},
               {"Wabenanzahl", dbLong},
               {"Standort", dbText, 100},
               {"Volk_Zugangsdatum", dbDate},
               {"Volk_Einkaufspreis", dbCurrency},
               {"Akt_im_Bestand", dbText, 1},
               {"Volkname", dbText, 20},
               {"ID", dbLong, 0, true}}});
  s.addTable({"Termine",
              {{"Datum", dbDate},
               {"Termin", dbText, 30},
               {"Volk", dbLong},
               {"ID", dbLong, 0, true}}});
  s.addTable({"Honigernte",
              {{"Datum", dbDate},
               {"Menge_kg", dbSingle},
               {"Kosten", dbCurrency},
               {"Volk", dbLong},
               {"ID", dbLong, 0, true}}});
  s.addTable({"Honiglager",
              {{"Datum", dbDate},
               {"Produkt", dbText, 20},
               {"Zugang", dbSingle},
               {"Abgang", dbSingle},
               {"EVK_ID", dbLong},
               {"ID", dbLong, 0, true}}});
  s.addTable({"Pflanzen",
              {{"Pflanze", dbText, 20},
               {"Weidezeit_von", dbDate},
               {"Nektarstufe", dbInteger},
               {"ID", dbLong, 0, true}}});
  s.addTable({"Standorte_Pflanzen",
              {{"Pflanze", dbText, 50},
               {"Proz_Anteil", dbInteger},
               {"Standort_Kennung", dbLong},
               {"ID", dbLong, 0, true}}});
  return s;
}

const QDateTime fixedNow(QDate(2024, 3, 5), QTime(14, 30, 0));

Translation translated(const QString& sql) { return translate(sql, schema(), fixedNow); }

// The SQL with its bound values written back in, to compare whole statements.
QString inlined(const Translation& t) {
  QString out;
  size_t p = 0;
  bool inString = false;
  for (QChar c : t.sql) {
    if (c == '\'') inString = !inString;
    if (c != '?' || inString) {
      out += c;
      continue;
    }
    const QVariant& v = t.parameters.at(p++);
    out += v.typeId() == QMetaType::QString ? "'" + v.toString().replace("'", "''") + "'" : v.toString();
  }
  return p == t.parameters.size() ? out : QStringLiteral("(parameters left over)");
}

}  // namespace

class TestJetSql : public QObject {
  Q_OBJECT
private slots:
  void translates_data() {
    QTest::addColumn<QString>("jet");
    QTest::addColumn<QString>("sqlite");
    const QString de = QStringLiteral(" COLLATE DEUTSCH");
    const QString gk = QStringLiteral(" COLLATE GROSSKLEIN");
    QTest::newRow("date literal m/d/yyyy")
        << "select Datum from Honigernte where Datum >= #05/01/2007# and Datum <= #9/30/2007#"
        << "SELECT Datum, Honigernte.rowid AS __rid FROM Honigernte WHERE Datum >= '2007-05-01' and Datum <= "
           "'2007-09-30'";
    QTest::newRow("year of one digit is 200x")
        << "select Datum from Honigernte where Datum >= #01/01/0#"
        << "SELECT Datum, Honigernte.rowid AS __rid FROM Honigernte WHERE Datum >= '2000-01-01'";
    QTest::newRow("two-digit years split at 30")
        << "select Datum from Honigernte where Datum >= #01/01/29# and Datum < #01/01/30#"
        << "SELECT Datum, Honigernte.rowid AS __rid FROM Honigernte WHERE Datum >= '2029-01-01' and Datum < "
           "'1930-01-01'";
    QTest::newRow("hash and backtick inside a string are text")
        << "select Produkt from Honiglager where Produkt = 'Nr. #1 `s'"
        << "SELECT Produkt, Honiglager.rowid AS __rid FROM Honiglager WHERE Produkt = 'Nr. #1 `s'";
    QTest::newRow("top 1 with order: limit and tie-breaker")
        << "select top 1 * from Honigernte where Volk = 7 order by Datum DESC"
        << "SELECT *, Honigernte.rowid AS __rid FROM Honigernte WHERE Volk = 7 ORDER BY Datum DESC, "
           "Honigernte.rowid LIMIT 1";
    QTest::newRow("identifiers in another case, umlauts included")
        << "select VOLKSTÄRKE, volknr from BIENENVOLK where AKT_IM_BESTAND = 'X'"
        << "SELECT Volkstärke, Volknr, Bienenvolk.rowid AS __rid FROM Bienenvolk WHERE Akt_im_Bestand = 'X'";
    QTest::newRow("bracketed and double-quoted")
        << "select [Volknr] from Bienenvolk where Standort = \"Am \"\"Hang\"\"\""
        << "SELECT \"Volknr\", Bienenvolk.rowid AS __rid FROM Bienenvolk WHERE Standort = 'Am \"Hang\"'";
    QTest::newRow("qualified column named as its column")
        << "select Honigernte.Datum, Bienenvolk.Volknr as Nr from Honigernte, Bienenvolk where Volk = Bienenvolk.ID"
        << "SELECT Honigernte.Datum AS \"Datum\", Bienenvolk.Volknr AS \"Nr\" FROM Honigernte, Bienenvolk WHERE "
           "Volk = Bienenvolk.ID";
    QTest::newRow("aggregate without alias gets Jet's name, not updatable")
        << "select count(*), sum(Kosten) as Summe from Honigernte"
        << "SELECT count(*) AS Expr1000, sum(Kosten) AS \"Summe\" FROM Honigernte";
    QTest::newRow("group by without order by sorts the groups, text in German order")
        << "select Standort, count(*) as Anzahl from Bienenvolk group by Standort"
        << "SELECT Standort, count(*) AS \"Anzahl\" FROM Bienenvolk GROUP BY Standort" + gk + " ORDER BY Standort" + de;
    QTest::newRow("order by alias of a text column and a number column")
        << "select distinct Bienenvolk.Volknr as Nr, Wabenanzahl from Bienenvolk order by Nr, Wabenanzahl desc"
        << "SELECT DISTINCT Bienenvolk.Volknr" + gk + " AS \"Nr\", Wabenanzahl FROM Bienenvolk ORDER BY Nr" + de +
               ", Wabenanzahl DESC";
    // Texts compare alike in upper and lower case. A text of plain ASCII keeps
    // the column's NOCASE and so its index; a wider one gets the collation.
    QTest::newRow("text of plain ASCII") << "select ID from Pflanzen where Pflanze = 'Raps'"
                                         << "SELECT ID, Pflanzen.rowid AS __rid FROM Pflanzen WHERE Pflanze = 'Raps'";
    QTest::newRow("text beyond ASCII")
        << "select ID from Pflanzen where Pflanze = 'Küblerweide' or 'Öl' < Pflanze"
        << "SELECT ID, Pflanzen.rowid AS __rid FROM Pflanzen WHERE Pflanze = 'Küblerweide'" + gk + " or 'Öl'" + gk + " < Pflanze";
    QTest::newRow("list with a text beyond ASCII")
        << "select ID from Pflanzen where Pflanze not in ('Raps', 'Äpfel') and Pflanze in ('Raps')"
        << "SELECT ID, Pflanzen.rowid AS __rid FROM Pflanzen WHERE Pflanze" + gk + " not in ('Raps', 'Äpfel'" + gk +
               ") and Pflanze in ('Raps')";
    QTest::newRow("two text columns, a text and a number column")
        << "select S.ID from Standorte_Pflanzen as S, Pflanzen where S.Pflanze = Pflanzen.Pflanze and "
           "Pflanzen.ID = S.Standort_Kennung and Pflanzen.Pflanze <> S.Proz_Anteil"
        << "SELECT S.ID AS \"ID\" FROM Standorte_Pflanzen as S, Pflanzen WHERE S.Pflanze = Pflanzen.Pflanze" + gk +
               " and Pflanzen.ID = S.Standort_Kennung and Pflanzen.Pflanze <> S.Proz_Anteil";
    QTest::newRow("distinct and group by: only the texts")
        << "select distinct Volknr, Wabenanzahl from Bienenvolk group by Volknr, Wabenanzahl"
        << "SELECT DISTINCT Volknr" + gk + " AS \"Volknr\", Wabenanzahl FROM Bienenvolk GROUP BY Volknr" + gk +
               ", Wabenanzahl ORDER BY Volknr" + de + ", Wabenanzahl";
    QTest::newRow("update and delete pick their rows alike")
        << "update Honiglager set Zugang = 1 where Produkt = 'BLÜTENHONIG'"
        << "UPDATE Honiglager SET Zugang = 1 where Produkt = 'BLÜTENHONIG'" + gk;
    QTest::newRow("delete with a text beyond ASCII") << "delete from Pflanzen where Pflanze = 'Ö'"
                                                     << "DELETE from Pflanzen where Pflanze = 'Ö'" + gk;
    QTest::newRow("now once per statement")
        << "select datediff('yyyy', Volk_Zugangsdatum, now) as Alter_Jahre from Bienenvolk where "
           "Volk_Zugangsdatum < now()"
        << "SELECT datediff('yyyy', Volk_Zugangsdatum, '2024-03-05 14:30:00') AS \"Alter_Jahre\", Bienenvolk.rowid AS __rid "
           "FROM Bienenvolk WHERE Volk_Zugangsdatum < '2024-03-05 14:30:00'";
    QTest::newRow("delete star") << "delete * from honigernte where volk = 3"
                                 << "DELETE from Honigernte where Volk = 3";
    QTest::newRow("insert select: qualified names, count distinct")
        << "insert into Termine(Volk) select Honigernte.Volk from Honigernte where Honigernte.Kosten > 0 group by "
           "Honigernte.Volk having count(distinct Datum) < count(*) order by Honigernte.Volk desc"
        << "INSERT INTO Termine (Volk) SELECT Honigernte.Volk AS \"Volk\" FROM Honigernte WHERE Honigernte.Kosten > 0 "
           "GROUP BY Honigernte.Volk HAVING count(distinct Datum) < count(*) ORDER BY Honigernte.Volk DESC";
    QTest::newRow("delete: not in, not between, is not null")
        << "delete from Termine where Volk not in (1, -2) and not Datum not between #1/1/2007# and now and ID is not null"
        << "DELETE from Termine where Volk not in (1, - 2) and not Datum not between '2007-01-01' and '2024-03-05 14:30:00' "
           "and ID is not null";
    QTest::newRow("insert: German date and number texts")
        << "insert into Pflanzen(Pflanze, Weidezeit_von, Nektarstufe) values ('Efeu', '15.09.2006', '5')"
        << "INSERT INTO Pflanzen (Pflanze, Weidezeit_von, Nektarstufe) VALUES ('Efeu', '2006-09-15', 5)";
    QTest::newRow("insert: decimal comma into a Single")
        << "insert into Honigernte(Menge_kg, Kosten) values ('12,5', '-3,25')"
        << "INSERT INTO Honigernte (Menge_kg, Kosten) VALUES (12.5, -3.25)";
    QTest::newRow("update: date text and date literal")
        << "UPDATE Honigernte SET Datum = '1.2.2007', Volk = 4 where Datum = #2/1/2006#"
        << "UPDATE Honigernte SET Datum = '2007-02-01', Volk = 4 where Datum = '2006-02-01'";
    // A bracketed name where a value belongs stays one name, whatever it holds.
    QTest::newRow("update: bracketed name with a comment mark")
        << "update Bienenvolk set Volknr = [Volkname --] where Volknr = 'A'"
        << "UPDATE Bienenvolk SET Volknr = \"Volkname --\" where Volknr = 'A'";
    QTest::newRow("update: bracketed name with a second assignment")
        << "update Bienenvolk set Volknr = [Volkname, Volkstärke = 0]"
        << "UPDATE Bienenvolk SET Volknr = \"Volkname, Volkstärke = 0\"";
    QTest::newRow("insert: bracketed name with a second row")
        << "insert into Bienenvolk(Volknr) values ([1), (2])"
        << "INSERT INTO Bienenvolk (Volknr) VALUES (\"1), (2\")";
    QTest::newRow("update: a day number into a date")
        << "update Termine set Datum = 39000.5, Volk = -3" << "UPDATE Termine SET Datum = '2006-10-10 12:00:00', Volk = -3";
    QTest::newRow("create table: Jet type words")
        << "create table T(A TEXT (30), B MEMO, C SHORT, D INTEGER, E LONG, F SINGLE, G DOUBLE, H CURRENCY, "
           "I DATETIME, ID COUNTER)"
        << "CREATE TABLE T (A TEXT(30) COLLATE NOCASE, B MEMO_TEXT COLLATE NOCASE, C SHORT_INT, D LONG_INT, "
           "E LONG_INT, F SINGLE_REAL, G DOUBLE_REAL, H CURRENCY_REAL, I DATETIME_TEXT, ID INTEGER PRIMARY KEY "
           "AUTOINCREMENT)";
  }

  void translates() {
    QFETCH(QString, jet);
    QFETCH(QString, sqlite);
    QCOMPARE(inlined(translated(jet)), sqlite);
  }

  void oneTranslationPerShape() {
    const QString first = "select top 1 Datum from Honigernte where Volk = 7 and Datum < #5/1/2007# order by Datum";
    const Translation cached = translated(first);
    const Shape shape = shapeOf(first);
    QCOMPARE(int(shape.literals.size()), 3);
    auto again = [&](const QString& sql, Translation& out) {
      const Shape s = shapeOf(sql);
      return s.key == shape.key && reuse(cached, shape.literals, s, out);
    };
    Translation t;
    QVERIFY(again("select top 1 Datum from Honigernte where Volk = 12 and Datum < #12/31/2008# order by Datum", t));
    QCOMPARE(t.sql, cached.sql);
    QCOMPARE(t.parameters, (std::vector<QVariant>{qint64(12), QString("2008-12-31")}));
    QCOMPARE(inlined(t), inlined(translated("select top 1 Datum from Honigernte where Volk = 12 and Datum < "
                                           "#12/31/2008# order by Datum")));
    // Another TOP is another statement; a literal in another place another shape.
    QVERIFY(!again("select top 2 Datum from Honigernte where Volk = 12 and Datum < #12/31/2008# order by Datum", t));
    QVERIFY(!again("select top 1 Datum from Honigernte where Volk = 'x' and Datum < #12/31/2008# order by Datum", t));
    QVERIFY(!again("select top 1 Datum from Honigernte where Volk2 = 1 and Datum < #12/31/2008# order by Datum", t));
    // A wrong date in the same place is refused as it would be without the cache.
    try {
      again("select top 1 Datum from Honigernte where Volk = 1 and Datum < #2/30/2008# order by Datum", t);
      QFAIL("accepted");
    } catch (const Error& e) {
      QCOMPARE(e.number(), int(errSyntax));
    }
    // Quotes, brackets and digits inside names are read as the translator reads them.
    QCOMPARE(shapeOf("select [a 1], 'it''s', x2 from t where y = .5 and z = 'a#b'").literals,
             (std::vector<QString>{"'it''s'", ".5", "'a#b'"}));
    QVERIFY(shapeOf("select 'open").key.isEmpty());
  }

  void refuses_data() {
    QTest::addColumn<QString>("jet");
    QTest::addColumn<int>("number");
    QTest::newRow("February 30") << "select * from Honigernte where Datum = #02/30/2007#" << int(errSyntax);
    QTest::newRow("month 13 is not swapped") << "select * from Honigernte where Datum = #13/01/2007#"
                                             << int(errSyntax);
    QTest::newRow("like") << "select * from Bienenvolk where Volknr like 'A*'" << int(errSyntax);
    QTest::newRow("ampersand") << "select Volknr & 'x' from Bienenvolk" << int(errSyntax);
    QTest::newRow("join") << "select * from Bienenvolk inner join Honigernte on Volk = Bienenvolk.ID"
                          << int(errSyntax);
    QTest::newRow("subquery") << "select * from Bienenvolk where ID in (select Volk from Honigernte)"
                              << int(errSyntax);
    QTest::newRow("union") << "select ID from Bienenvolk union select ID from Honigernte" << int(errSyntax);
    QTest::newRow("union after a condition") << "select ID from Bienenvolk where ID = 1 union select 2"
                                             << int(errSyntax);
    QTest::newRow("two statements") << "delete from Honigernte; delete from Bienenvolk" << int(errSyntax);
    QTest::newRow("unknown function") << "select left(Volknr, 2) from Bienenvolk" << int(errUndefinedFunction);
    QTest::newRow("pivot in") << "transform count(*) select Standort from Bienenvolk group by Standort pivot "
                                 "Wabenanzahl in (1, 2)"
                              << int(errSyntax);
    QTest::newRow("insert: no date") << "insert into Pflanzen(Pflanze, Weidezeit_von) values ('x', '31.02.2006')"
                                     << int(errTypeConversion);
    QTest::newRow("insert: text too long") << "insert into Bienenvolk(Akt_im_Bestand) values ('XX')"
                                           << int(errFieldTooSmall);
    QTest::newRow("unknown type word") << "create table T(A VARIANT)" << int(errSyntax);
    // Numbers and dates outside every range.
    QTest::newRow("date column: a huge number") << "update Termine set Datum = 1e300" << int(errTypeConversion);
    QTest::newRow("date column: a negative huge number") << "update Termine set Datum = -1e300"
                                                         << int(errTypeConversion);
    QTest::newRow("date column: year 24") << "insert into Termine(Datum) values ('0024-01-02')"
                                          << int(errTypeConversion);
    QTest::newRow("number text too large for a double") << "insert into Honigernte(Menge_kg) values ('1e400')"
                                                        << int(errTypeConversion);
    QTest::newRow("number too large for a double") << "update Honigernte set Kosten = 1e400" << int(errSyntax);
    QTest::newRow("number too large in a condition") << "select * from Honigernte where Kosten < 1e400"
                                                     << int(errSyntax);
    QTest::newRow("number too large for an Integer") << "update Pflanzen set Nektarstufe = 99999"
                                                     << int(errFieldTooSmall);
    QTest::newRow("number text too large for an Integer") << "insert into Pflanzen(Nektarstufe) values ('99999')"
                                                          << int(errFieldTooSmall);
    QTest::newRow("number too large for a Single") << "insert into Honigernte(Menge_kg) values (1e300)"
                                                   << int(errFieldTooSmall);
  }

  void refuses() {
    QFETCH(QString, jet);
    QFETCH(int, number);
    // What SQLite would read otherwise is named in the message.
    const QHash<QString, QString> named{{"like", "LIKE"},         {"ampersand", "Operator '&'"},
                                        {"join", "JOIN"},         {"subquery", "Unterabfragen"},
                                        {"union", "UNION"},       {"union after a condition", "UNION"}};
    try {
      translated(jet);
      QFAIL("no error");
    } catch (const Error& e) {
      QCOMPARE(e.number(), number);
      QVERIFY(!e.text().isEmpty());
      const QString tag = QString::fromUtf8(QTest::currentDataTag());
      if (named.contains(tag)) QVERIFY2(e.text().contains(named[tag]), qPrintable(e.text()));
    }
  }

  // SQLite's own clauses and statements: each refused, named in the message.
  void refusesWhatJetLacks_data() {
    QTest::addColumn<QString>("jet");
    QTest::addColumn<QString>("named");
    QTest::newRow("upsert after a condition") << "insert into Termine select * from Termine where 1 on conflict do "
                                                 "update set Termin = 'x'" << "ON CONFLICT";
    QTest::newRow("upsert on a key") << "insert into Termine(ID) values (1) on conflict(ID) do nothing" << "ON CONFLICT";
    QTest::newRow("upsert on a key, after a condition")
        << "insert into Termine select * from Termine where 1 on conflict(ID) do update set Erledigt = 'J'"
        << "ON CONFLICT";
    QTest::newRow("insert returning")
        << "insert into Termine(Termin) select Termin from Termine where Volk = 1 returning ID" << "RETURNING";
    QTest::newRow("do nothing") << "insert into Termine select * from Termine where 1 do nothing" << "DO NOTHING";
    QTest::newRow("do update") << "insert into Termine select * from Termine where 1 do update" << "DO UPDATE";
    QTest::newRow("returning") << "delete from Termine where Volk = 1 returning ID" << "RETURNING";
    QTest::newRow("insert or replace") << "insert or replace into Termine(ID) values (1)" << "OR REPLACE";
    QTest::newRow("insert or ignore") << "insert or ignore into Termine(ID) values (1)" << "OR IGNORE";
    QTest::newRow("update or replace") << "update or replace Termine set ID = 1" << "OR REPLACE";
    QTest::newRow("replace into") << "replace into Termine(ID) values (1)" << "REPLACE INTO";
    QTest::newRow("with") << "with t as (select 1) select * from Termine" << "WITH";
    QTest::newRow("window") << "select count(*) over w from Termine where 1 window w as ()" << "OVER";
    QTest::newRow("window after a condition") << "select ID from Termine where 1 window w as ()" << "WINDOW";
    QTest::newRow("glob") << "select * from Termine where Termin glob 'S*'" << "GLOB";
    QTest::newRow("regexp") << "delete from Termine where Termin regexp 'S'" << "REGEXP";
    QTest::newRow("match") << "update Termine set Volk = 1 where Termin match 'S'" << "MATCH";
    QTest::newRow("collate") << "select * from Termine where Termin = 'x' collate nocase" << "COLLATE";
    QTest::newRow("limit") << "delete from Termine where Volk = 1 limit 1" << "LIMIT";
    QTest::newRow("nulls first") << "select * from Termine order by Termin nulls first" << "NULLS";
    QTest::newRow("attach") << "attach 'x.db' as x" << "ATTACH";
    QTest::newRow("detach") << "detach x" << "DETACH";
    QTest::newRow("pragma") << "pragma writable_schema = 1" << "PRAGMA";
    QTest::newRow("vacuum") << "vacuum into 'kopie.db'" << "VACUUM";
    QTest::newRow("a view") << "create view v as select * from Termine" << "CREATE VIEW";
    QTest::newRow("a temporary table") << "create temp table T(A LONG)" << "CREATE TEMP";
    // What a writing statement writes is read to its end.
    QTest::newRow("insert select: a word after the condition")
        << "insert into Termine(Volk) select ID from Bienenvolk where ID = 1 Volk" << "'Volk'";
    QTest::newRow("insert select: a field and a word") << "insert into Termine(Volk) select ID x from Bienenvolk" << "'x'";
    QTest::newRow("insert select: a word after the groups")
        << "insert into Termine(Volk) select Volk from Honigernte group by Volk x" << "'x'";
    QTest::newRow("insert select: a word after having")
        << "insert into Termine(Volk) select Volk from Honigernte group by Volk having Volk > 1 x" << "'x'";
    QTest::newRow("insert select: a word after the order")
        << "insert into Termine(Volk) select Volk from Honigernte order by Volk x" << "'x'";
    QTest::newRow("delete: a condition without its end") << "delete from Termine where Volk =" << "unvollständig";
    QTest::newRow("insert: two words for one value") << "insert into Termine(Termin) values ('x' Termin)" << "'Termin'";
    QTest::newRow("update: two tables") << "update Termine, Bienenvolk set Volk = 1" << "UPDATE Tabelle SET";
    QTest::newRow("update from") << "update Termine set Termin = Volknr from Bienenvolk" << "'from'";
    QTest::newRow("update: a word after the condition") << "update Termine set Volk = 1 where Volk = 2 Volk" << "'Volk'";
    QTest::newRow("in a table") << "select * from Termine where Volk in Bienenvolk" << "IN erwartet eine Liste";
    QTest::newRow("delete: is with a value") << "delete from Termine where Volk is 2" << "IS ... NULL";
    QTest::newRow("delete: a word after the condition") << "delete from Termine where Volk = 2 Volk" << "'Volk'";
    QTest::newRow("update: a text for the field") << "update Termine set 'Termin' = 'x'" << "Feldname";
    QTest::newRow("delete: a second table") << "delete from Termine, Bienenvolk" << "','";
  }

  void refusesWhatJetLacks() {
    QFETCH(QString, jet);
    QFETCH(QString, named);
    try {
      translated(jet);
      QFAIL("no error");
    } catch (const Error& e) {
      QCOMPARE(e.number(), int(errSyntax));
      QVERIFY2(e.text().contains(named), qPrintable(e.text()));
    }
  }

  void infersTypes_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("type");
    QTest::newRow("column") << "Volkstärke" << int(dbLong);
    QTest::newRow("qualified column") << "Bienenvolk.Volk_Einkaufspreis" << int(dbCurrency);
    QTest::newRow("whole arithmetic") << "(Wabenanzahl + 1) * 2" << int(dbLong);
    QTest::newRow("division") << "Wabenanzahl / 2" << int(dbDouble);
    QTest::newRow("currency and whole") << "Volk_Einkaufspreis * 2" << int(dbCurrency);
    QTest::newRow("difference of sums") << "sum(Wabenanzahl) - sum(Volk_Einkaufspreis)" << int(dbCurrency);
    QTest::newRow("negative") << "-Volkstärke" << int(dbLong);
    QTest::newRow("text literal") << "'x'" << int(dbText);
    QTest::newRow("decimal literal") << "1.5" << int(dbDouble);
  }

  void infersTypes() {
    QFETCH(QString, item);
    QFETCH(int, type);
    const Translation t = translated("select " + item + " as x from Bienenvolk");
    QCOMPARE(int(t.types.size()), 1);
    QCOMPARE(int(t.types[0]), type);
  }

  void textHeadingsInGermanOrder() {
    Crosstab c;
    c.pivot = "Standort";
    const auto cols = pivotColumns(c, {QString("Zell"), QString("Öhringen"), QString("Aalen"), QString("Ober")});
    QStringList names;
    for (const auto& col : cols) names << col.name;
    QCOMPARE(names, (QStringList{"Aalen", "Ober", "Öhringen", "Zell"}));
  }

  void criteria() {
    const auto c = parseCriteria("ID = 17 and Name = 'a''b' AND Datum >= #2/1/2007# and Wert <> -1.5");
    QCOMPARE(int(c.size()), 4);
    QCOMPARE(c[0].field, QStringLiteral("ID"));
    QCOMPARE(c[0].value, QVariant(qint64(17)));
    QCOMPARE(c[1].value, QVariant(QStringLiteral("a'b")));
    QCOMPARE(c[2].op, QStringLiteral(">="));
    QCOMPARE(c[2].value, QVariant(QDate(2007, 2, 1)));
    QCOMPARE(c[3].value, QVariant(-1.5));
    for (const char* bad : {"", "ID", "ID = ", "ID = 1 or ID = 2", "= 3"}) {
      try {
        parseCriteria(bad);
        QFAIL(bad);
      } catch (const Error& e) {
        QCOMPARE(e.number(), int(errCriteriaSyntax));
      }
    }
  }

};

ZEVO_TEST_MAIN(TestJetSql)
#include "test_jetsql.moc"
