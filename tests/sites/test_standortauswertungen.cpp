// The site evaluations: the six lists as the list window receives them, the
// quality parameters and their settings, and the refusals (no data, no
// date, a number range left, a grid file that cannot be written).
#include "common/einstellungen.h"
#include "components/sevgrid.h"
#include "output/ia_zwischenliste.h"
#include "output/registry.h"
#include "platform/runtime/vb.h"
#include "platform/runtime/widgets.h"
#include "sites/iw_standorte.h"
#include "sites/qualitaetsindex.h"
#include "sites/registry.h"
#include "standorttest.h"

#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace zevo;
using namespace zevo::test;
using output::IA_Zwischenliste;
using sites::IW_Standorte;

namespace {

const QString keinedaten = "Es wurden lt. den aktuellen Einstellungen keine Daten gefunden!";

std::unique_ptr<IW_Standorte> auswertung() {
  auto w = std::make_unique<IW_Standorte>();
  w->Form_Load();
  return w;
}

// The list handed to the list window, read back as the list window reads
// it; nullptr when no list window opened, an empty grid when it opened on a
// file it could not read.
std::unique_ptr<ui::sevGrid> listen(IW_Standorte& w, int knopf) {
  QFile::remove(common::datenpfad + "gridli.txt");
  bool gezeigt = false;
  forms().onWindow<IA_Zwischenliste>("IA_Zwischenliste", [&](IA_Zwischenliste& l) {
    gezeigt = true;
    l.cmdschließen_Click();
  });
  w.rolisten_click(knopf);
  if (!gezeigt) return nullptr;
  auto g = std::make_unique<ui::sevGrid>();
  g->loadfromfile(common::datenpfad + "gridli.txt");
  return g;
}

QString zeile(ui::sevGrid& g, int r) {
  QStringList t;
  for (int c = 1; c <= g.cols(); ++c) t << g.cell(r, c);
  return t.join("|");
}

QString spalten(ui::sevGrid& g) {
  QStringList t;
  for (int c = 1; c <= g.cols(); ++c) {
    ui::GridColumn s = g.column(c);
    t << s.key() + (s.key() == s.caption() ? "" : "=" + s.caption()) + (s.numeric() == 1 && s.align() == 1 ? "#" : "");
  }
  return t.join(",");
}

// The site and plants of the worked example, blooming on 15.04. The site
// names its third plant in lower case; the register's twin without the umlaut
// must not stand in for it.
int beispielstandort() {
  const QStringList namen{"Erste", "Zweite", "Dritte Ähre", "Vierte"};
  einfügen("Pflanzen", {{"Pflanze", "Dritte Ahre"}, {"Weidezeit_von", QDate(2006, 4, 15)},
                        {"Weidezeit_bis", QDate(2006, 4, 15)}, {"Nektarstufe", 9}, {"Pollenstufe", 9}});
  const int stufen[4][2] = {{0, 4}, {6, 8}, {4, 7}, {7, 3}};
  const int lage[4][2] = {{300, 10}, {200, 40}, {800, 30}, {100, 20}};
  const int id = standort("Beispiel", {{"Pkw_anfahrbar", "J"}, {"Entfernung_Wasser_m", 300},
                                       {"Standortprämie_Volk", 20.0}, {"Max_Völker", 10}});
  for (int i = 0; i < 4; ++i) {
    einfügen("Pflanzen", {{"Pflanze", namen[i]},
                          {"Weidezeit_von", QDate(2006, 4, 15)},
                          {"Weidezeit_bis", QDate(2006, 4, 15)},
                          {"Nektarstufe", stufen[i][0]},
                          {"Pollenstufe", stufen[i][1]}});
    jepflanze(id, i == 2 ? namen[i].toLower() : namen[i], lage[i][0], lage[i][1]);
  }
  return id;
}

}  // namespace

class TestStandortauswertungen : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() {
    sites::registerSiteForms();
    output::registerOutputForms();
  }
  void init() { standortgrundzustand(); }

  void sitesAndPlants() {
    standort("Heide", {{"Standortprämie_Volk", 12.5}, {"Max_Völker", 7}, {"Entfernung_Wasser_m", 300},
                       {"Pkw_anfahrbar", "J"}, {"Trachtzeit_von", QDate(2006, 1, 15)}});
    auto w = auswertung();
    QCOMPARE(w->sevt(7).text(), QString("15.04.2026"));   // today at every opening
    QCOMPARE(w->Text1->toPlainText(), IW_Standorte::berechnungsbeispiel());
    auto g = listen(*w, 0);
    QVERIFY(g);
    QCOMPARE(spalten(*g), QString("Standort,Zusatzortshinweis,Wintertauglich,Klima,Trachtzeit_von,Trachtzeit_bis,"
                                  "Pkw_anfahrbar,Entfernung_Wasser_m#,Flugrichtung,Max_Völker#,Standortprämie_Volk#"));
    QCOMPARE(zeile(*g, 1), QString("Heide||||15.01.2006||J|300||7|12,50"));
    g = listen(*w, 1);
    QVERIFY(g);
    QCOMPARE(spalten(*g), QString("Pflanze,Weidezeit_von,Weidezeit_bis,Nektarstufe#,Pollenstufe#"));
    QCOMPARE(g->rows(), 11);
    QCOMPARE(zeile(*g, 1), QString("Bergahorn|01.05.2006|30.06.2006|4|2"));
    QVERIFY(!w->meter->isVisible());
  }

  void plantsPerSite() {
    const int a = standort("Acker", {{"Zusatzortshinweis", "Nord"}});
    const int b = standort("Bach", {{"Zusatzortshinweis", "Süd"}});
    standort("Chaussee");
    jepflanze(a, "Krokus", 100, 10);
    jepflanze(a, "Efeu", 200, 20);
    jepflanze(b, "Fichte", 300, 30);
    jepflanze(b, "Distel", 400, 40);
    auto w = auswertung();
    auto g = listen(*w, 2);
    QVERIFY(g);
    QCOMPARE(spalten(*g), QString("Standort,Zusatzortshinweis,Pflanze,Entfernung_m#,Proz_Anteil#"));
    QCOMPARE(g->rows(), 5);
    QCOMPARE(zeile(*g, 1), QString("Acker|Nord|Efeu|200|20"));
    QCOMPARE(zeile(*g, 2), QString("||Krokus|100|10"));
    QCOMPARE(zeile(*g, 3), QString("||||"));
    QCOMPARE(zeile(*g, 4), QString("Bach|Süd|Distel|400|40"));
    QCOMPARE(zeile(*g, 5), QString("||Fichte|300|30"));
  }

  void coloniesPerSite() {
    standort("Heide", {{"Max_Völker", 2}});
    standort("Moor");
    for (const auto& [nr, bestand] : {std::pair{"1", true}, {"2", true}, {"3", false}})
      volk(nr, bestand, {{"Standort", "Heide"}});
    volk("4", true, {{"Standort", "moor"}});
    auto w = auswertung();
    auto g = listen(*w, 3);
    QVERIFY(g);
    QCOMPARE(spalten(*g), QString("1=Standort,3=Max_Völker#,4=Ist_Völker#,5=Differenz#"));
    QCOMPARE(zeile(*g, 1), QString("Heide|2|3|-1"));
    QCOMPARE(zeile(*g, 2), QString("Moor||1|-1"));
  }

  void indexOnADate_data() {
    QTest::addColumn<QString>("datum");
    QTest::addColumn<QString>("beispiel");   // "" = the date message and no list
    QTest::newRow("the bloom day") << "15.04.2026" << "Beispiel|6313|5431|11744";
    QTest::newRow("short form") << "15.4.26" << "Beispiel|6313|5431|11744";
    QTest::newRow("another day") << "16.04.2026" << "Beispiel|0|0|0";
    QTest::newRow("31 February") << "31.02.2026" << "";
    QTest::newRow("empty") << "" << "";
  }
  void indexOnADate() {
    QFETCH(QString, datum);
    QFETCH(QString, beispiel);
    beispielstandort();
    standort("Anger");
    auto w = auswertung();
    w->sevt(7).setText(datum);
    if (beispiel.isEmpty()) {
      messages().expect("Bitte legen zuerst das Datum fest");
      messages().expect(keinedaten);
    }
    auto g = listen(*w, 4);
    QVERIFY(messages().allUsed());
    if (beispiel.isEmpty()) {
      QVERIFY(!g);
      return;
    }
    QVERIFY(g);
    QCOMPARE(spalten(*g), QString("1=Standort,3=Punkte_Pflanze#,4=Punkte_Standort#,5=Punkte_Gesamt#"));
    QCOMPARE(zeile(*g, 1), QString("Anger|0|0|0"));
    QCOMPARE(zeile(*g, 2), beispiel);
  }

  void weeklyIndex() {
    const int id = standort("Heide", {{"Pkw_anfahrbar", "J"}, {"Entfernung_Wasser_m", 120}});
    jepflanze(id, "Löwenzahn", 300, 40);
    jepflanze(id, "Kirsche", 800, 30);
    jepflanze(id, "Winterlinde", 50, 20);
    standort("Anger");
    auto w = auswertung();
    w->sevt(7).setText("01.01.2030");   // not used
    auto g = listen(*w, 5);
    QVERIFY(g);
    QCOMPARE(g->cols(), 32);
    QCOMPARE(g->column(2).key(), QString("2"));
    QCOMPARE(g->column(2).caption(), QString("01.03"));
    QCOMPARE(g->column(32).key(), QString("32"));
    QCOMPARE(g->column(32).caption(), QString("27.09"));
    QCOMPARE(g->cell(1, 1), QString("Anger"));
    QCOMPARE(g->cell(2, 1), QString("Heide"));
    // Every cell is the total of a single-date run on that day.
    const QDate erster(2026, 3, 1);
    int mitpunkten = 0;
    for (int woche = 0; woche < 31; woche += 3) {
      const QString tag = erster.addDays(7 * woche).toString("dd.MM.yyyy");
      w->sevt(7).setText(tag);
      auto einzeln = listen(*w, 4);
      QVERIFY(einzeln);
      QCOMPARE(g->cell(2, woche + 2), einzeln->cell(2, "5"));
      QCOMPARE(g->cell(1, woche + 2), QString("0"));
      if (g->cell(2, woche + 2) != "0") ++mitpunkten;
    }
    QVERIFY(mitpunkten >= 3);
  }

  // Lists that cannot be built: told, no list window (never an older list),
  // the progress bar hidden and the window usable.
  void refusals_data() {
    QTest::addColumn<QString>("fall");
    QTest::addColumn<QList<int>>("knöpfe");
    QTest::addColumn<QString>("meldung");
    QTest::newRow("no sites") << "" << QList<int>{0, 2, 3, 4, 5} << keinedaten;
    QTest::newRow("no plant at any site") << "Heide" << QList<int>{2} << keinedaten;
    QTest::newRow("database error") << "Fehler" << QList<int>{2, 4, 5} << "Die Liste konnte nicht erstellt werden.";
    QTest::newRow("beyond the number range")
        << "Überlauf" << QList<int>{4, 5}
        << "Der Qualitäts-Index übersteigt bei diesen Qualitätsparametern den Zahlenbereich";
    QTest::newRow("grid file unwritable") << "Ordner" << QList<int>{0} << "gridli.txt";
  }
  void refusals() {
    QFETCH(QString, fall);
    QFETCH(QList<int>, knöpfe);
    QFETCH(QString, meldung);
    if (fall == "Fehler") beispielstandort();
    else if (fall == "Überlauf")
      jepflanze(standort("Heide", {{"Pkw_anfahrbar", "J"}, {"Entfernung_Wasser_m", 1}, {"Standortprämie_Volk", 99999.0}}),
                "Löwenzahn", 10, 100);
    else if (!fall.isEmpty()) standort("Heide");
    auto w = auswertung();
    if (fall == "Überlauf") {
      const QStringList gross{"10", "10", "10", "30", "999", "999", "999"};
      for (int i = 0; i < 7; ++i) w->sevt(i).setText(gross[i]);
    } else if (fall == "Fehler") {
      db().execute("drop table Standorte_Pflanzen");
    } else if (fall == "Ordner") {
      QVERIFY(listen(*w, 0));
      QFile::remove(common::datenpfad + "gridli.txt");
      QVERIFY(QDir(common::datenpfad).mkdir("gridli.txt"));
    }
    for (int knopf : knöpfe) {
      messages().expect(meldung);
      QVERIFY(!listen(*w, knopf));
      QVERIFY(messages().allUsed());
      QVERIFY(w->meter->isHidden());
      if (fall == "Fehler") QCOMPARE(w->gridli->rows(), 0);
    }
    if (fall == "Ordner") QDir(common::datenpfad).rmdir("gridli.txt");
    if (fall == "Fehler") {
      for (const QString& a : shell::schemaanweisungen())
        if (a.contains(" Standorte_Pflanzen(") || a.contains(" on Standorte_Pflanzen(")) db().execute(a);
    }
    if (!fall.isEmpty()) QVERIFY(listen(*w, fall == "Überlauf" ? 3 : 0));
  }

  void parameters() {
    common::qualitätsparameter(0) = 0;
    common::qualitätsparameter(3) = 12;
    auto w = auswertung();
    QStringList t;
    for (int i = 0; i < 7; ++i) t << w->sevt(i).text();
    QCOMPARE(t.join(" "), QString("5 5 5 12 30 50 3"));
    // "No" changes nothing, "Yes" only the fields.
    w->sevt(3).setText("20");
    messages().expectNo("Die Standardparameter sind (von oben nach unten in den grünen Feldern) 5 - 5 - 5 - 15 - 30 - 50 - 3");
    w->standardparameter_click();
    QCOMPARE(w->sevt(3).text(), QString("20"));
    messages().expectYes("Sollen die Qualitätspraramter wirklich");
    w->standardparameter_click();
    QCOMPARE(w->sevt(3).text(), QString("15"));
    QCOMPARE(common::qualitätsparameter(3), 12);
    // The close box stores nothing.
    w->sevt(3).setText("25");
    QVERIFY(w->close());
    QCOMPARE(common::qualitätsparameter(3), 12);
    // "&Schließen" stores the numbers; an emptied one is stored as 0 and
    // comes back as its standard value.
    w = auswertung();
    w->sevt(3).setText("25");
    w->sevt(5).setText("");
    w->beenden_click();
    QVERIFY(w->isUnloaded());
    QCOMPARE(common::qualitätsparameter(3), 25);
    QCOMPARE(common::qualitätsparameter(5), 0);
    w = auswertung();
    QCOMPARE(w->sevt(5).text(), QString("50"));
    // Typed letters never reach a parameter field.
    w->sevt(0).setText("");
    QTest::keyClicks(w->sevt(0).editor(), "x7");
    QCOMPARE(w->sevt(0).text(), QString("7"));
  }
};

ZEVO_TEST_MAIN(TestStandortauswertungen)
#include "test_standortauswertungen.moc"
