// The working times: sums per year and colony, year checks, stored options.
#include "auswertungstest.h"
#include "evaluations/iw_arbeitszeiten.h"

using namespace zevo;
using namespace zevo::test;
using evaluations::IW_Arbeitszeiten;

struct Auflistung {
  int art, option;   // art: 0 years, 1 colonies
  QList<int> tabellen, spalten;
  QString von, bis;
  QStringList zeilen;   // sorted when the colonies come in database order
  QList<std::tuple<const char*, const char*, double>> stunden = {};   // more of Anna's hours: table, date, hours
};
struct Laden {
  int von, bis;
  QString tabellen, jahre, kreuze;
};
Q_DECLARE_METATYPE(Auflistung)
Q_DECLARE_METATYPE(Laden)

class TestArbeitszeiten : public QObject {
  Q_OBJECT
  Hauptliste haupt_{false};   // marks only its current row
  int anna_ = 0, berta_ = 0;

private slots:
  // Anna (in stock, Wald) has 1,5 h of honey in 2006 and 2 h of work in
  // 2007; Berta (in stock) has none; Carl (gone) 4 h of honey in 2006; a
  // colony without a number (nor a stock mark) has 8 h of honey in 2006.
  void init() {
    datenbankbereitstellen();
    datenbankgrundzustand(datum("15.06.2010"));
    anna_ = volk("1", true, {{"Volkname", "Anna"}, {"Standort", "Wald"}});
    berta_ = volk("2", true, {{"Volkname", "Berta"}});
    const int carl = volk("3", false, {{"Volkname", "Carl"}});
    const int ohne = einfügen("Bienenvolk", {{"Volkname", "Ohne"}});
    einfügen("Honigernte", {{"Datum", datum("10.06.2006")}, {"Zeit_h", 1.5}, {"Volk", anna_}});
    einfügen("Arbeiten", {{"Datum", datum("31.12.2007")}, {"Zeit_h", 2.0}, {"Volk", anna_}});
    einfügen("Honigernte", {{"Datum", datum("01.01.2006")}, {"Zeit_h", 4.0}, {"Volk", carl}});
    einfügen("Honigernte", {{"Datum", datum("01.07.2006")}, {"Zeit_h", 8.0}, {"Volk", ohne}});
    haupt_.lesen(2);   // Anna: the colony without a number comes first
  }

  void listing_data() {
    QTest::addColumn<Auflistung>("f");
    QTest::newRow("years, honey only")
        << Auflistung{0, 0, {0}, {0}, "2005", "2007",
                      {"Jahr\tHonigernte\tGesamt\t", "2005\t0,00\t0,00\t", "2006\t1,50\t1,50\t", "2007\t0,00\t0,00\t",
                       "SUMME\t1,50\t1,50\t"}};
    QTest::newRow("years, the last day of a year")
        << Auflistung{0, 0, {0, 4}, {0}, "2006", "2007",
                      {"Jahr\tHonigernte\tArbeiten\tGesamt\t", "2006\t1,50\t0,00\t1,50\t",
                       "2007\t0,00\t2,00\t2,00\t", "SUMME\t1,50\t2,00\t3,50\t"}};
    QTest::newRow("years, all zero: no total row")
        << Auflistung{0, 0, {0, 4}, {0}, "2008", "2009",
                      {"Jahr\tHonigernte\tArbeiten\tGesamt\t", "2008\t0,00\t0,00\t0,00\t", "2009\t0,00\t0,00\t0,00\t"}};
    QTest::newRow("years, all colonies leave out the one without a number")
        << Auflistung{0, 1, {0, 3}, {0}, "2006", "2006",
                      {"Jahr\tHonigernte\tSonstigeernte\tGesamt\t", "2006\t5,50\t0,00\t5,50\t",
                       "SUMME\t5,50\t0,00\t5,50\t"}};
    QTest::newRow("years, gone colonies") << Auflistung{0, 3, {0}, {0}, "2006", "2006",
                                                        {"Jahr\tHonigernte\tGesamt\t", "2006\t4,00\t4,00\t",
                                                         "SUMME\t4,00\t4,00\t"}};
    QTest::newRow("totals add up the cells, not Singles")
        << Auflistung{0, 0, {0, 4}, {0}, "2008", "2009",
                      {"Jahr\tHonigernte\tArbeiten\tGesamt\t", "2008\t39167,92\t29710,20\t68878,12\t",
                       "2009\t30705,34\t0,00\t30705,34\t", "SUMME\t69873,26\t29710,20\t99583,46\t"},
                      {{"Honigernte", "01.05.2008", 39167.92}, {"Arbeiten", "02.05.2008", 29710.2},
                       {"Honigernte", "03.05.2009", 30705.34}}};
    QTest::newRow("a sum in exponent form is read as its number")
        << Auflistung{0, 0, {0, 4}, {0}, "2008", "2009",
                      {"Jahr\tHonigernte\tArbeiten\tGesamt\t", "2008\t0,00\t2,00\t2,00\t",
                       "2009\t0,00\t0,00\t0,00\t", "SUMME\t0,00\t2,00\t2,00\t"},
                      {{"Honigernte", "01.05.2008", 0.00004}, {"Arbeiten", "02.05.2008", 2.0}}};
    QTest::newRow("colonies, number and site")
        << Auflistung{1, 1, {0, 4}, {0, 2}, "2006", "2007",
                      {"1\tWald\t1,50\t2,00\t3,50\t", "2\t\t0,00\t0,00\t0,00\t", "3\t\t4,00\t0,00\t4,00\t",
                       "SUMME\t\t5,50\t2,00\t7,50\t", "Volknr\tStandort\tHonigernte\tArbeiten\tGesamt\t"}};
    QTest::newRow("colonies, current one, name")
        << Auflistung{1, 4, {4}, {1}, "2007", "2007",
                      {"Anna\t2,00\t2,00\t", "SUMME\t2,00\t2,00\t", "Volkname\tArbeiten\tGesamt\t"}};
    QTest::newRow("nothing ticked: everything")
        << Auflistung{1, 4, {}, {}, "2006", "2006",
                      {"1\tAnna\tWald\t1,50\t0,00\t0,00\t0,00\t0,00\t0,00\t0,00\t0,00\t0,00\t1,50\t",
                       "SUMME\t\t\t1,50\t0,00\t0,00\t0,00\t0,00\t0,00\t0,00\t0,00\t0,00\t1,50\t",
                       "Volknr\tVolkname\tStandort\tHonigernte\tWachsernte\tPollenernte\tSonstigeernte\tArbeiten\t"
                       "Wanderung\tGewichtsmessung\tBehandlung\tKöniginwechsel\tGesamt\t"}};
  }
  void listing() {
    QFETCH(Auflistung, f);
    const auto& [art, option, tabellen, spalten, von, bis, zeilen, stunden] = f;
    for (const auto& [tabelle, tag, h] : stunden)
      einfügen(tabelle, {{"Datum", datum(tag)}, {"Zeit_h", h}, {"Volk", anna_}});
    Liste liste;
    listeabfangen(liste);
    auto w = geöffnet<IW_Arbeitszeiten>();
    w->optiauswertung[art]->setChecked(true);
    w->optitieraus[option]->click();
    ankreuzen(w->konkost, tabellen);
    ankreuzen(w->kontier, spalten);
    w->t(0).setText(von);
    w->t(1).setText(bis);
    // An unticked table is not asked: without it the listing still runs.
    const bool ohneKönigin = !tabellen.isEmpty() && !tabellen.contains(8);
    if (ohneKönigin) db().execute("alter table Königinwechsel rename to Weg");
    w->ok->click();
    if (ohneKönigin) db().execute("alter table Weg rename to Königinwechsel");
    QCOMPARE(liste.gezeigt, 1);
    QStringList gelesen = liste.zeilen;
    if (art == 1) gelesen.sort();   // the colonies come in database order
    QCOMPARE(gelesen, zeilen);
    QCOMPARE(liste.ausrichtung.last(), 1);
    QCOMPARE(w->gridli->column("9").numeric(), 1);
    if (tabellen.isEmpty()) {
      for (QCheckBox* k : w->konkost) QVERIFY(k->isChecked());
      for (QCheckBox* k : w->kontier) QVERIFY(k->isChecked());
    }
  }

  // Years outside 1901..2099 become the current year, visibly; the two checks.
  void years_data() {
    QTest::addColumn<QStringList>("f");   // from, to, reason ("" = listed), the boxes afterwards
    const QString folge = "...das 'Wirtschaftsjahr von' größer ist als das 'Wirtschaftsjahr bis'.\r\n";
    const QString dreißig = "...die Auswertung max. über 30 Jahre erlaubt ist.\r\n";
    QTest::newRow("30 years") << QStringList{"1990", "2019", "", "1990-2019"};
    QTest::newRow("31 years") << QStringList{"1990", "2020", dreißig, "1990-2020"};
    QTest::newRow("one year") << QStringList{"2010", "2010", "", "2010-2010"};
    QTest::newRow("from after to: order only") << QStringList{"2008", "2007", folge, "2008-2007"};
    QTest::newRow("far apart and reversed: order only") << QStringList{"2099", "1901", folge, "2099-1901"};
    QTest::newRow("1850") << QStringList{"1850", "2010", "", "2010-2010"};
    QTest::newRow("empty") << QStringList{"", "2010", "", "2010-2010"};
    QTest::newRow("star") << QStringList{"2009", "20*7", "", "2009-2010"};
    QTest::newRow("star, reversed") << QStringList{"2011", "20*7", folge, "2011-2010"};
    QTest::newRow("2100") << QStringList{"2009", "2100", "", "2009-2010"};
  }
  void years() {
    QFETCH(QStringList, f);
    const QString &von = f[0], &bis = f[1], &grund = f[2], &nachher = f[3];
    Liste liste;
    listeabfangen(liste);
    messages().setAcceptInformation(true);
    auto w = geöffnet<IW_Arbeitszeiten>();
    w->t(0).setText(von);
    w->t(1).setText(bis);
    w->ok->click();
    QCOMPARE(w->t(0).text() + "-" + w->t(1).text(), nachher);
    if (grund.isEmpty()) {
      QCOMPARE(liste.gezeigt, 1);
    } else {
      QCOMPARE(liste.gezeigt, 0);
      QCOMPARE(messages().last(), "Die Daten können nicht gelistet werden, weil...\r\n\r\n" + grund);
    }
  }

  // Colonies mode without a colony in the choice: the nothing-found message.
  void nothingFound() {
    Liste liste;
    listeabfangen(liste);
    auto w = geöffnet<IW_Arbeitszeiten>();
    w->optiauswertung[1]->setChecked(true);
    w->optitieraus[2]->click();
    messages().expect("Keine zu listenden Daten gefunden");
    w->ok->click();
    QVERIFY(messages().allUsed());
    QCOMPARE(liste.gezeigt, 0);
    QVERIFY(!w->gridli->locked());
    QCOMPARE(vb::mousePointer(), int(vb::vbDefault));
  }

  // A table dropped under the window: one German message, the grid and the
  // pointer released, and the window lists again afterwards.
  void databaseFailure() {
    Liste liste;
    listeabfangen(liste);
    auto w = geöffnet<IW_Arbeitszeiten>();
    db().execute("alter table Wanderung rename to Wanderung_weg");
    messages().expect("Die Daten konnten nicht gelistet werden.");
    w->ok->click();
    db().execute("alter table Wanderung_weg rename to Wanderung");
    QVERIFY(messages().allUsed());
    QCOMPARE(liste.gezeigt, 0);
    QVERIFY(w->meter->isHidden() && !w->gridli->locked());
    QCOMPARE(vb::mousePointer(), int(vb::vbDefault));
    w->ok->click();
    QCOMPARE(liste.gezeigt, 1);
  }

  // Loading: zero years give the current one, rubbish leaves a box unticked.
  void load_data() {
    QTest::addColumn<Laden>("f");
    QTest::newRow("first start") << Laden{0, 0, "", "2010-2010", "000000000"};
    QTest::newRow("from only") << Laden{2003, 0, "1x1", "2003-2003", "101000000"};
    QTest::newRow("both") << Laden{2003, 2008, "1111111111", "2003-2008", "111111111"};
  }
  void load() {
    QFETCH(Laden, f);
    const auto& [von, bis, tabellen, jahre, kreuze] = f;
    common::jahrvon() = von;
    common::jahrbis() = bis;
    common::arbeitszeitentabellen() = tabellen;
    auto w = geöffnet<IW_Arbeitszeiten>();
    QCOMPARE(w->t(0).text() + "-" + w->t(1).text(), jahre);
    QString gelesen;
    for (QCheckBox* k : w->konkost) gelesen += k->isChecked() ? "1" : "0";
    QCOMPARE(gelesen, kreuze);
    QCOMPARE(w->t(0).listcount(), 21);
    QCOMPARE(w->t(0).listtext(0) + "-" + w->t(1).listtext(20), QString("2000-2020"));
  }

  // Closing stores every option; the next opening shows them again.
  void store() {
    auto w = geöffnet<IW_Arbeitszeiten>();
    ankreuzen(w->konkost, {0, 2});
    ankreuzen(w->kontier, {1});
    w->optiauswertung[1]->setChecked(true);
    w->optitieraus[3]->click();
    w->t(0).setText("1850");
    w->t(1).setText("2004");
    w->beenden->click();
    QCOMPARE(QString("%1 %2-%3 %4%5%6 %7 %8")
                 .arg(common::arbeitszeitentabellen()).arg(common::jahrvon()).arg(common::jahrbis())
                 .arg(common::volkspalten(0)).arg(common::volkspalten(1)).arg(common::volkspalten(2))
                 .arg(common::auswertungsart()).arg(common::völkerauswahl()),
             QString("101000000 1850-2004 010 1 3"));
    auto wieder = geöffnet<IW_Arbeitszeiten>();
    QVERIFY(wieder->optiauswertung[1]->isChecked());
    QVERIFY(wieder->kontier[1]->isChecked() && !wieder->kontier[0]->isChecked());
    QCOMPARE(wieder->t(0).text(), QString("1850"));
  }
};

ZEVO_TEST_MAIN(TestArbeitszeiten)
#include "test_arbeitszeiten.moc"
