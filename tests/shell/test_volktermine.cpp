// The dates of the work plan per colony, the yearly run and the deletion of
// every booking of a colony.
#include "components/sevgrid.h"
#include "shell/testdatenbank.h"

using namespace zevo;
using namespace zevo::test;

namespace {

const QString schwarm = QStringLiteral("Schwarmkontrolle");

int neueoption(const QString& art, const QString& von, int frist, const QString& bis, const QString& volkabhängig,
               const QString& buchung = {}, const QString& arbeitsart = {}) {
  return einfügen("Arbeitsplanoptionen", {{"Arbeitsart", art},
                                          {"Startzeitraum", von},
                                          {"Wiederholungsfrist_Tage", frist},
                                          {"Endzeitraum", bis},
                                          {"Volkabhängig", volkabhängig},
                                          {"Auto_erledigt_Buchung", buchung},
                                          {"Auto_erledigt_Arbeitsart", arbeitsart}});
}

void settingsfileweg() {
  if (vb::fileExists(common::einstellungsdatei())) vb::kill(common::einstellungsdatei());
}

int gespeichertesjahr() {
  common::einstellungenleeren();
  common::einstellungenlesen();
  return common::einstellungzahl[28];
}

}  // namespace

class TestVolktermine : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { datenbankbereitstellen(); }
  void init() { datenbankgrundzustand(datum("10.05.2007")); }

  // A new colony-dependent option stored on 12.05: its dates begin after
  // today on the series anchored at the window start.
  void roadOfOneDate() {
    setToday(datum("12.05.2007"));
    common::heutesetzen();
    const int a = volk("1"), b = volk("2");
    const int neu = neueoption("Brutwabenkontrolle", "01.05", 9, "30.06", "J");
    for (const int v : {a, b}) shell::volkterminebuchen(neu, v);
    const QStringList erwartet{"19.05", "28.05", "06.06", "15.06", "24.06"};
    QCOMPARE(termine(a, "Brutwabenkontrolle"), erwartet);
    QCOMPARE(termine(b, "Brutwabenkontrolle"), erwartet);
    QCOMPARE(anzahl("select count(*) from Termine where Datum < #01/01/2007# or Datum > #12/31/2007#"), 0);
    QCOMPARE(messages().count(), 0);
  }

  void datesOfOneOption_data() {
    QTest::addColumn<QString>("art");
    QTest::addColumn<bool>("fürVolk");
    QTest::addColumn<QString>("tabelle");     // a booking of the colony ...
    QTest::addColumn<QString>("gebucht");     // ... on this date ("" none)
    QTest::addColumn<QStringList>("erwartet");
    const QStringList honig{"01.06", "15.06", "29.06", "13.07", "27.07", "10.08", "24.08"};
    QTest::newRow("series kept from today on") << schwarm << true << "" << ""
                                               << QStringList{"10.05", "19.05", "28.05", "06.06", "15.06", "24.06"};
    QTest::newRow("one date, no colony") << "Rähmchen bauen" << false << "" << "" << QStringList{"01.11"};
    QTest::newRow("one date already past") << "Wassertränke errichten" << false << "" << "" << QStringList{};
    QTest::newRow("window ends before it starts") << "Winterkontrolle" << true << "" << "" << QStringList{};
    QTest::newRow("harvest moves the start") << "Honigernte" << true << "Honigernte" << "20.06.2007"
                                             << honig.mid(2);
    QTest::newRow("date on the harvest day kept") << "Honigernte" << true << "Honigernte" << "15.06.2007"
                                                  << honig.mid(1);
    QTest::newRow("harvest before today ignored") << "Honigernte" << true << "Honigernte" << "01.04.2007" << honig;
    QTest::newRow("other kinds of booking ignored") << "Honigernte" << true << "Wachsernte" << "20.06.2007"
                                                    << honig;
  }

  void datesOfOneOption() {
    QFETCH(QString, art);
    QFETCH(bool, fürVolk);
    QFETCH(QString, tabelle);
    QFETCH(QString, gebucht);
    QFETCH(QStringList, erwartet);
    const int v = volk("1");
    const int anderes = volk("2");
    einfügen("Honigernte", {{"Datum", datum("01.08.2007")}, {"Volk", anderes}});
    if (!gebucht.isEmpty()) einfügen(tabelle, {{"Datum", datum(qPrintable(gebucht))}, {"Volk", v}});
    shell::volkterminebuchen(option(art), fürVolk ? v : 0);
    QCOMPARE(termine(fürVolk ? v : 0, art), erwartet);
    QCOMPARE(anzahl("select count(*) from Termine"), erwartet.size());
  }

  void workInArbeitenMovesTheStart() {
    const int v = volk("1");
    const int o = neueoption("Auffüttern", "01.08", 7, "31.08", "J", "Honigernte", "Füttern");
    einfügen("Honigernte", {{"Datum", datum("05.08.2007")}, {"Volk", v}});
    einfügen("Arbeiten", {{"Datum", datum("16.08.2007")}, {"Arbeitsart", "Füttern"}, {"Volk", v}});
    einfügen("Arbeiten", {{"Datum", datum("30.08.2007")}, {"Arbeitsart", "Wiegen"}, {"Volk", v}});
    shell::volkterminebuchen(o, v);
    QCOMPARE(termine(v, "Auffüttern"), (QStringList{"22.08", "29.08"}));
  }

  // The booking table comes from user-editable text: only the booking tables
  // reach the SQL, in any case of spelling.
  void bookingTableNameIsChecked_data() {
    QTest::addColumn<QString>("tabelle");
    QTest::addColumn<QStringList>("erwartet");
    const QStringList ohne{"19.05", "28.05", "06.06", "15.06", "24.06"};
    QTest::newRow("booking table") << "Stockkarte" << ohne.mid(2);
    QTest::newRow("other case") << "STOCKKARTE" << ohne.mid(2);
    QTest::newRow("no table") << "Bienenvolk" << ohne;
    QTest::newRow("unknown") << "Honig" << ohne;
    QTest::newRow("sql") << "Termine; delete" << ohne;
  }

  void bookingTableNameIsChecked() {
    QFETCH(QString, tabelle);
    QFETCH(QStringList, erwartet);
    setToday(datum("12.05.2007"));
    common::heutesetzen();
    const int v = volk("1");
    einfügen("Stockkarte", {{"Datum", datum("01.06.2007")}, {"Volk", v}});
    const int o = neueoption("Kontrolle", "01.05", 9, "30.06", "J", tabelle);
    shell::volkterminebuchen(o, v);
    QCOMPARE(termine(v, "Kontrolle"), erwartet);
    QVERIFY(db().tableNames().contains("Stockkarte"));
  }

  // A window that is no date this year gives no dates and one notice.
  void invalidWindowIsSkipped_data() {
    QTest::addColumn<QDate>("heute");
    QTest::addColumn<QString>("von");
    QTest::addColumn<QString>("bis");
    QTest::addColumn<int>("anzahl");
    QTest::newRow("30.02") << datum("10.01.2007") << "30.02" << "30.03" << 0;
    QTest::newRow("29.02 not in a leap year") << datum("10.01.2007") << "29.02" << "29.02" << 0;
    QTest::newRow("29.02 in a leap year") << datum("10.01.2008") << "29.02" << "29.02" << 1;
    QTest::newRow("empty end") << datum("10.01.2007") << "01.03" << "" << 0;
    QTest::newRow("no date at all") << datum("10.01.2007") << "Mai" << "Juni" << 0;
  }

  void invalidWindowIsSkipped() {
    QFETCH(QDate, heute);
    QFETCH(QString, von);
    QFETCH(QString, bis);
    QFETCH(int, anzahl);
    setToday(heute);
    common::heutesetzen();
    const int v = volk("1");
    const int o = neueoption("Schalttag", von, 0, bis, "J");
    if (anzahl == 0) messages().expect("Schalttag");
    shell::volkterminebuchen(o, v);
    QCOMPARE(termine(v, "Schalttag").size(), anzahl);
    QVERIFY(messages().allUsed());
    QCOMPARE(messages().count(), anzahl == 0 ? 1 : 0);
  }

  // --- the yearly run -----------------------------------------------------------

  void yearlyRunAnsweredNo() {
    settingsfileweg();
    volk("1");
    messages().expectNo("Sie starten ZEVO das erste mal im neuen Jahr");
    shell::volkterminesetzen();
    QVERIFY(messages().allUsed());
    QCOMPARE(anzahl("select count(*) from Termine"), 0);
    QVERIFY(!vb::fileExists(common::einstellungsdatei()));
  }

  void yearlyRunRefusedWithAllReasons() {
    settingsfileweg();
    db().execute("update Arbeitsplanoptionen set Volkabhängig = 'N'");
    volk("1", false);
    einfügen("Termine", {{"Datum", datum("01.03.2007")}, {"Termin", "Alt"}, {"Erledigt", "N"}, {"Volk", 5}});
    messages().expectYes("ab dem heutigen Datum 10.05.2007 allen");
    messages().expectNo("Es befinden sich im Jahr 2007 bereits volkabhängige Termine");
    messages().expect("Die Aktion wird nicht ausgeführt, weil...");
    shell::volkterminesetzen();
    QVERIFY(messages().allUsed());
    QCOMPARE(messages().shown()[1].defaultButton, vb::SecondButton);
    const QString nl = common::zeilenumbruch;
    QCOMPARE(messages().last(),
             "Die Aktion wird nicht ausgeführt, weil..." + nl + nl +
                 "...keine Bienenvölker aktuell im Bestand sind." + nl +
                 "...keine volkabhängigen Arbeitsplanoptionen eingetragen sind." + nl +
                 "...im aktuellen Jahr 2007 bereits volkabhängige Termine gebucht sind. Bitte löschen Sie ggf. alle "
                 "volkabhängigen Termine, bevor Sie diese Aktion durchführen." + nl);
    QCOMPARE(anzahl("select count(*) from Termine"), 1);
    QCOMPARE(gespeichertesjahr(), 2007);
  }

  void yearlyRunReplacesThisYearsColonyDates() {
    const int a = volk("1"), b = volk("2"), weg = volk("3", false);
    einfügen("Termine", {{"Datum", datum("01.03.2007")}, {"Termin", schwarm}, {"Erledigt", "J"}, {"Volk", a}});
    einfügen("Termine", {{"Datum", datum("01.03.2006")}, {"Termin", schwarm}, {"Erledigt", "N"}, {"Volk", a}});
    einfügen("Termine", {{"Datum", datum("01.03.2007")}, {"Termin", "Beuten bauen"}, {"Erledigt", "N"}, {"Volk", 0}});
    messages().expectYes("Soll die Aktion jetzt ausgeführt werden?");
    messages().expectYes("Sollen die existierenden Termine jetzt gelöscht werden?");
    messages().expect("Die volkabhängigen Termine wurden für das Jahr 2007 neu berechnet");
    shell::volkterminesetzen();
    QVERIFY(messages().allUsed());
    QCOMPARE(messages().count(), 3);

    const QStringList schwarmtermine{"10.05", "19.05", "28.05", "06.06", "15.06", "24.06"};
    QCOMPARE(termine(a, schwarm), QStringList{"01.03"} + schwarmtermine);   // last year's date stays
    QCOMPARE(termine(b, schwarm), schwarmtermine);
    QCOMPARE(anzahl("select count(*) from Termine where Volk = " + QString::number(weg)), 0);
    QCOMPARE(termine(0, "Beuten bauen"), QStringList{"01.03"});
    // Every colony in stock got the dates of every colony-dependent option.
    for (const QString& id : spalte("select ID from Arbeitsplanoptionen where Volkabhängig = 'J'"))
      shell::volkterminebuchen(id.toInt(), 999);
    const int proVolk = anzahl("select count(*) from Termine where Volk = 999");
    QVERIFY(proVolk > schwarmtermine.size());
    QCOMPARE(anzahl("select count(*) from Termine where Volk = " + QString::number(b)), proVolk);
    QCOMPARE(gespeichertesjahr(), 2007);
  }

  void yearlyRunNamesSkippedOptionsOnce() {
    volk("1");
    volk("2");
    neueoption("Kaputt", "31.04", 0, "31.04", "J");
    messages().expectYes("Soll die Aktion jetzt ausgeführt werden?");
    messages().expect("neu berechnet");
    messages().expect("'Kaputt'");
    shell::volkterminesetzen();
    QVERIFY(messages().allUsed());
    QCOMPARE(messages().count(), 3);
    QCOMPARE(messages().last().count("Kaputt"), 1);
    QCOMPARE(anzahl("select count(*) from Termine where Termin = 'Kaputt'"), 0);
    QCOMPARE(anzahl("select count(*) from Termine where Termin = 'Schwarmkontrolle'"), 12);
  }

  // --- deleting a colony ---------------------------------------------------------------

  void cascadeDeleteLeavesNoRowOfTheColony() {
    const int a = volk("A"), b = volk("B");
    for (const QString& tabelle : shell::buchungstabellen())
      for (const int v : {a, b}) einfügen(tabelle, {{"Datum", datum("01.05.2007")}, {"Volk", v}});
    for (const int v : {a, b, 0})
      einfügen("Termine", {{"Datum", datum("01.06.2007")}, {"Termin", schwarm}, {"Erledigt", "N"}, {"Volk", v}});

    // As the main window deletes the current colony: its bookings, then its grid row.
    ui::sevGrid grid;
    dao::Recordset rs = db().openRecordset("select * from Bienenvolk order by Volknr");
    grid.setRecordset(rs);
    rs.close();
    grid.setRow(1);
    QCOMPARE(grid.cell(1, "ID").toInt(), a);
    shell::volkbuchungenlöschen(a);
    QCOMPARE(anzahl("select count(*) from Bienenvolk"), 2);   // the routine leaves the colony row
    grid.removeitem(1);

    QStringList tabellen = shell::buchungstabellen();
    tabellen << "Termine";
    for (const QString& tabelle : tabellen) {
      QCOMPARE(anzahl("select count(*) from " + tabelle + " where Volk = " + QString::number(a)), 0);
      QCOMPARE(anzahl("select count(*) from " + tabelle + " where Volk = " + QString::number(b)), 1);
    }
    QCOMPARE(anzahl("select count(*) from Termine where Volk = 0"), 1);
    QCOMPARE(spalte("select Volknr from Bienenvolk"), QStringList{"B"});

    shell::volkbuchungenlöschen(b);   // twice, and for a colony without bookings: no error
    shell::volkbuchungenlöschen(b);
    QCOMPARE(anzahl("select count(*) from Honigernte"), 0);
  }
};

ZEVO_TEST_MAIN(TestVolktermine)
#include "test_volktermine.moc"
