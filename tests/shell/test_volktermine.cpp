// The dates of the work plan per colony, the yearly run and the deletion of
// every booking of a colony.
#include "support/datenbank.h"

using namespace zevo;
using namespace zevo::test;

namespace {

const QString schwarm = QStringLiteral("Schwarmkontrolle");
const QStringList schwarmtermine{"10.05", "19.05", "28.05", "06.06", "15.06", "24.06"};

int neueoption(const QString& art, const QString& von, int frist, const QString& bis, const QString& buchung = {}) {
  return einfügen("Arbeitsplanoptionen", {{"Arbeitsart", art}, {"Startzeitraum", von}, {"Endzeitraum", bis},
                                          {"Wiederholungsfrist_Tage", frist}, {"Volkabhängig", "J"},
                                          {"Auto_erledigt_Buchung", buchung}, {"Auto_erledigt_Arbeitsart", ""}});
}

int gespeichertesjahr() {
  common::einstellungenleeren();
  common::einstellungenlesen();
  return common::jahreslaufjahr();
}

}  // namespace

class TestVolktermine : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { datenbankbereitstellen(); }
  void init() { datenbankgrundzustand(datum("10.05.2007")); }

  // A new option stored on 12.05: its dates begin after today on the series
  // anchored at the window start.
  void roadOfOneDate() {
    datenbankgrundzustand(datum("12.05.2007"));
    const int v = volk("1");
    shell::volkterminebuchen(neueoption("Brutwabenkontrolle", "01.05", 9, "30.06"), v);
    QCOMPARE(termine(v, "Brutwabenkontrolle"), (QStringList{"19.05", "28.05", "06.06", "15.06", "24.06"}));
    QCOMPARE(messages().count(), 0);
  }

  // An option of one date, one whose window ends before it starts, a
  // negative repetition (one date, the loop would never end), and a honey
  // harvest that moves the start of the series.
  void datesOfOneOption() {
    const QStringList honig{"01.06", "15.06", "29.06", "13.07", "27.07", "10.08", "24.08"};
    for (const auto& [art, fürVolk, geerntet, erwartet] :
         {std::tuple{"Rähmchen bauen", false, "", QStringList{"01.11"}}, {"Winterkontrolle", true, "", QStringList{}},
          {"Rückwärts", true, "", QStringList{"01.06"}},
          {"Honigernte", true, "20.06.2007", honig.mid(2)}, {"Honigernte", true, "15.06.2007", honig.mid(1)}}) {
      datenbankgrundzustand(datum("10.05.2007"));
      const int v = fürVolk ? volk("1") : 0;
      einfügen("Honigernte", {{"Datum", datum("01.08.2007")}, {"Volk", volk("2")}});   // another colony's
      if (*geerntet) einfügen("Honigernte", {{"Datum", datum(geerntet)}, {"Volk", v}});
      if (QString(art) == "Rückwärts") neueoption(art, "01.06", -7, "30.06");
      shell::volkterminebuchen(option(art), v);
      QCOMPARE(termine(v, art), erwartet);
    }
  }

  // The latest booking of the colony in the option's table, and its latest
  // work of the option's kind, move the start of the series; bookings of
  // another colony, of another kind of work or older ones do not, and a
  // colony-independent option is moved by none.
  void bookingsThatMoveTheStart_data() {
    QTest::addColumn<bool>("abhängig");
    QTest::addColumn<QStringList>("buchungen");   // "table|dd.mm|colony (a, b or 0)|kind of work"
    QTest::addColumn<QStringList>("erwartet");
    const QStringList alle{"01.06", "15.06", "29.06", "13.07", "27.07", "10.08", "24.08"};
    QTest::newRow("none") << true << QStringList{} << alle;
    QTest::newRow("the colony's latest harvest") << true << QStringList{"Honigernte|20.06|a|", "Honigernte|15.06|a|"}
                                                 << alle.mid(2);
    QTest::newRow("another colony's harvest") << true << QStringList{"Honigernte|01.08|b|"} << alle;
    QTest::newRow("the colony's latest work of the kind")
        << true << QStringList{"Arbeiten|15.06|a|Füttern", "Arbeiten|20.06|a|Füttern", "Arbeiten|10.07|a|Schleudern",
                               "Arbeiten|01.08|b|Füttern"}
        << alle.mid(2);
    QTest::newRow("work after the harvest") << true << QStringList{"Honigernte|20.06|a|", "Arbeiten|13.07|a|Füttern"}
                                            << alle.mid(3);
    QTest::newRow("colony-independent") << false << QStringList{"Honigernte|20.06|0|", "Arbeiten|13.07|0|Füttern"}
                                        << alle;
  }
  void bookingsThatMoveTheStart() {
    QFETCH(bool, abhängig);
    QFETCH(QStringList, buchungen);
    QFETCH(QStringList, erwartet);
    const int a = volk("1"), b = volk("2");
    const int id = neueoption("Kontrolle", "01.06", 14, "31.08", "Honigernte");
    db().execute(QString("update Arbeitsplanoptionen set Auto_erledigt_Arbeitsart = 'Füttern', Volkabhängig = '%1' "
                         "where ID = %2").arg(abhängig ? "J" : "N").arg(id));
    for (const QString& bu : buchungen) {
      const QStringList t = bu.split('|');
      const int v = t[2] == "a" ? a : t[2] == "b" ? b : 0;
      Werte werte{{"Datum", datum(qPrintable(t[1] + ".2007"))}, {"Volk", v}};
      if (!t[3].isEmpty()) werte << qMakePair(QString("Arbeitsart"), QVariant(t[3]));
      einfügen(t[0], werte);
    }
    const int v = abhängig ? a : 0;
    shell::volkterminebuchen(id, v);
    QCOMPARE(termine(v, "Kontrolle"), erwartet);
  }

  // The dates of one option are written together or not at all.
  void aFailedOptionWritesNoDate() {
    const int v = volk("1");
    roh("create trigger kaputt before insert on Termine when new.Datum > '2007-06-01' "
        "begin select raise(abort, 'Platte voll'); end");
    QVERIFY_THROWS_EXCEPTION(dao::Error, shell::volkterminebuchen(option(schwarm), v));
    roh("drop trigger kaputt");
    QCOMPARE(anzahl("select count(*) from Termine"), 0);
  }

  // The booking table comes from user-editable text: only the booking tables
  // reach the SQL, in any case of spelling.
  void bookingTableNameIsChecked() {
    datenbankgrundzustand(datum("12.05.2007"));
    const int v = volk("1");
    einfügen("Stockkarte", {{"Datum", datum("01.06.2007")}, {"Volk", v}});
    for (const auto& [tabelle, anzahl] : {std::pair{"STOCKKARTE", 3}, {"Termine; delete", 5}}) {
      db().execute("delete from Termine");
      shell::volkterminebuchen(neueoption("Kontrolle", "01.05", 9, "30.06", tabelle), v);
      QCOMPARE(termine(v, "Kontrolle").size(), anzahl);
    }
  }

  // A window that is no date this year gives no dates and one notice.
  void invalidWindowIsSkipped() {
    for (const auto& [heute, tag, ende, anzahl] :
         {std::tuple{"10.01.2007", "30.02", "30.02", 0}, {"10.01.2007", "29.02", "29.02", 0},
          {"10.01.2008", "29.02", "29.02", 1}, {"10.01.2007", "01.02", "30.02", 0}}) {
      datenbankgrundzustand(datum(heute));
      const int v = volk("1");
      if (anzahl == 0) messages().expect("Schalttag");
      shell::volkterminebuchen(neueoption("Schalttag", tag, 0, ende), v);
      QCOMPARE(termine(v, "Schalttag").size(), anzahl);
      QVERIFY(messages().allUsed());
      QCOMPARE(messages().count(), 1 - anzahl);
    }
  }

  // --- the yearly run -----------------------------------------------------------

  void yearlyRunRefusedWithAllReasons() {
    QFile::remove(common::einstellungsdatei());
    db().execute("update Arbeitsplanoptionen set Volkabhängig = 'N'");
    volk("1", false);
    einfügen("Termine", {{"Datum", datum("01.03.2007")}, {"Termin", "Alt"}, {"Erledigt", "N"}, {"Volk", 5}});
    messages().expectYes("ab dem heutigen Datum 10.05.2007 allen");
    messages().expectNo("Es befinden sich im Jahr 2007 bereits volkabhängige Termine");
    messages().expect("Die Aktion wird nicht ausgeführt, weil...");
    shell::volkterminesetzen();
    QVERIFY(messages().allUsed());
    QCOMPARE(messages().shown().at(1).defaultButton, vb::SecondButton);   // "Nein" is the default
    for (const char* grund : {"keine Bienenvölker aktuell", "keine volkabhängigen Arbeitsplanoptionen",
                              "bereits volkabhängige Termine gebucht"})
      QVERIFY(messages().last().contains(grund));
    QCOMPARE(anzahl("select count(*) from Termine"), 1);
    QCOMPARE(gespeichertesjahr(), 2007);   // not asked again this year
  }

  void yearlyRunReplacesThisYearsColonyDates() {
    const int a = volk("1"), b = volk("2"), weg = volk("3", false);
    einfügen("Termine", {{"Datum", datum("01.03.2007")}, {"Termin", schwarm}, {"Erledigt", "J"}, {"Volk", a}});
    einfügen("Termine", {{"Datum", datum("01.03.2006")}, {"Termin", schwarm}, {"Erledigt", "N"}, {"Volk", a}});
    einfügen("Termine", {{"Datum", datum("01.03.2007")}, {"Termin", "Beuten bauen"}, {"Erledigt", "N"}, {"Volk", 0}});
    for (const char* tag : {"31.12.2006", "01.01.2007", "31.12.2007", "01.01.2008"})   // the year's first and last day go
      einfügen("Termine", {{"Datum", datum(tag)}, {"Termin", schwarm}, {"Erledigt", "N"}, {"Volk", a}});
    neueoption("Kaputt", "31.04", 0, "31.04");
    messages().expectYes("Soll die Aktion jetzt ausgeführt werden?");
    messages().expectYes("Sollen die existierenden Termine jetzt gelöscht werden?");
    messages().expect("Die volkabhängigen Termine wurden für das Jahr 2007 neu berechnet");
    messages().expect("'Kaputt'");   // a skipped option is named once
    {
      FragenPrüfen fragen;
      shell::volkterminesetzen();
      QCOMPARE(fragen.frei, (QList<bool>{true, true}));   // no transaction waits on an answer
    }
    QVERIFY(messages().allUsed());
    QCOMPARE(messages().last().count("Kaputt"), 1);

    QCOMPARE(termine(a, schwarm), (QStringList{"01.03", "31.12"} + schwarmtermine + QStringList{"01.01"}));
    QCOMPARE(termine(b, schwarm), schwarmtermine);
    QCOMPARE(termine(a, "Beuten bauen"), QStringList());   // options of no colony give no colony dates
    QCOMPARE(anzahl("select count(*) from Termine where Volk = " + QString::number(weg)), 0);
    QCOMPARE(termine(0, "Beuten bauen"), QStringList{"01.03"});
    QCOMPARE(gespeichertesjahr(), 2007);
  }

  // Dates of no colony this year, and colony dates of other years, are no
  // reason to ask about deleting.
  void datesOfNoColonyAskNothing() {
    const int a = volk("1");
    einfügen("Termine", {{"Datum", datum("01.03.2007")}, {"Termin", "Beuten bauen"}, {"Erledigt", "N"}, {"Volk", 0}});
    einfügen("Termine", {{"Datum", datum("31.12.2006")}, {"Termin", schwarm}, {"Erledigt", "N"}, {"Volk", a}});
    messages().expectYes("Soll die Aktion jetzt ausgeführt werden?");
    messages().expect("neu berechnet");
    shell::volkterminesetzen();
    QVERIFY(messages().allUsed());
    QCOMPARE(messages().count(), 2);
    QCOMPARE(termine(0, "Beuten bauen"), QStringList{"01.03"});
    QCOMPARE(termine(a, schwarm), QStringList{"31.12"} + schwarmtermine);
  }

  // A run that fails half-way keeps nothing and leaves the year unstored,
  // so that the run is offered again.
  void aFailedYearlyRunKeepsNothing() {
    QFile::remove(common::einstellungsdatei());
    const int a = volk("1"), b = volk("2");
    // A date of this year to be replaced: it must survive the failure too.
    einfügen("Termine", {{"Datum", datum("01.03.2007")}, {"Termin", schwarm}, {"Erledigt", "N"}, {"Volk", a}});
    sqlite3* h = nullptr;
    QCOMPARE(sqlite3_open(common::datenbankpfad.toUtf8().constData(), &h), SQLITE_OK);
    const QString trigger = QString("create trigger kaputt before insert on Termine when new.Volk = %1 "
                                    "begin select raise(abort, 'Platte voll'); end").arg(b);
    QCOMPARE(sqlite3_exec(h, trigger.toUtf8().constData(), nullptr, nullptr, nullptr), SQLITE_OK);
    messages().expectYes("Soll die Aktion jetzt ausgeführt werden?");
    messages().expectYes("Sollen die existierenden Termine jetzt gelöscht werden?");
    messages().expect("Die volkabhängigen Termine konnten nicht gesetzt werden.");
    shell::volkterminesetzen();
    QCOMPARE(sqlite3_exec(h, "drop trigger kaputt", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(h);
    QVERIFY(messages().allUsed());
    QCOMPARE(termine(a, schwarm), QStringList{"01.03"});
    QVERIFY(gespeichertesjahr() != 2007);
  }

  void cascadeDeleteLeavesNoRowOfTheColony() {
    const int a = volk("A"), b = volk("B");
    QStringList tabellen = shell::buchungstabellen();
    tabellen << "Termine";
    for (const QString& tabelle : tabellen)
      for (const int v : {a, b, 0}) einfügen(tabelle, {{"Datum", datum("01.05.2007")}, {"Volk", v}});
    shell::volkbuchungenlöschen(a);
    for (const QString& tabelle : tabellen) {
      QCOMPARE(anzahl("select count(*) from " + tabelle + " where Volk = " + QString::number(a)), 0);
      QCOMPARE(anzahl("select count(*) from " + tabelle), 2);
    }
    QCOMPARE(anzahl("select count(*) from Bienenvolk"), 2);   // the routine leaves the colony row
    shell::volkbuchungenlöschen(a);   // again, without bookings: no error

    // Broken at its last statement: the colony keeps every booking.
    for (const QString& tabelle : tabellen) einfügen(tabelle, {{"Datum", datum("01.05.2007")}, {"Volk", b}});
    roh("create trigger kaputt before delete on Termine begin select raise(abort, 'gesperrt'); end");
    QVERIFY_THROWS_EXCEPTION(dao::Error, shell::volkbuchungenlöschen(b));
    roh("drop trigger kaputt");
    for (const QString& tabelle : tabellen)
      QCOMPARE(anzahl("select count(*) from " + tabelle + " where Volk = " + QString::number(b)), 2);
  }
};

ZEVO_TEST_MAIN(TestVolktermine)
#include "test_volktermine.moc"
