// The open dates: what the list holds, the four ways of marking dates done,
// the re-plan of a series from the day a date was done, and the two lists
// handed to the list window.
#include "output/ia_zwischenliste.h"
#include "output/registry.h"
#include "planning/iv_starttermine.h"
#include "planungstest.h"
#include "support/eingabefeld.h"

#include <QCheckBox>
#include <QPushButton>

#include <optional>

using namespace zevo;
using namespace zevo::test;
using output::IA_Zwischenliste;
using planning::IV_Starttermine;

namespace {

QStringList spaltentitel(const ui::sevGrid& g) {
  QStringList t;
  for (int c = 1; c <= g.cols(); ++c) t << const_cast<ui::sevGrid&>(g).column(c).caption();
  return t;
}

// The rows the list window received, each as its cells joined by "|".
struct Empfang {
  QStringList titel;
  QStringList zeilen;
  int rechts = -1;   // alignment of the last column
  int standortbreite = 0;   // twips of the site column as the list window shows it
};

Empfang empfangen(const std::function<void()>& auslösen) {
  Empfang e;
  forms().onWindow<IA_Zwischenliste>("IA_Zwischenliste", [&](IA_Zwischenliste& w) {
    e.titel = spaltentitel(*w.gridli);
    for (int r = 1; r <= w.gridli->rows(); ++r) e.zeilen << zeile(*w.gridli, r);
    e.rechts = w.gridli->column(w.gridli->cols()).align();
    e.standortbreite = w.gridli->column(QStringLiteral("Standort")).width();
    w.cmdschließen_Click();
  });
  auslösen();
  return e;
}

}  // namespace

class TestStarttermine : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { output::registerOutputForms(); }
  void init() { planungsgrundzustand(datum("01.06.2007")); }

  void liste() {
    const int v1 = volk("1", true, {{"Volkname", "Lotte"}, {"Standort", "Obstwiese"}});
    const int v2 = volk("2", false, {{"Standort", "Heide"}});   // out of stock, still listed
    termin("15.06.2007", "Füttern", v1);
    termin("16.06.2007", "Füttern", v1);
    termin("01.01.2007", "Schwarmkontrolle", v2);
    termin("02.06.2007", "Bauen", 0);
    termin("03.06.2007", "Füttern", 99999);   // its colony is gone
    termin("02.06.2007", "Füttern", v1, "J");
    // Dates of no colony: the look-ahead day is listed, the day after it and a done one are not.
    termin("15.06.2007", "Bauen", 0);
    termin("16.06.2007", "Bauen", 0);
    termin("03.06.2007", "Bauen", 0, "J");
    auto w = geladen<IV_Starttermine>();
    QCOMPARE(w->windowTitle(), QString("Aktuelle offene Termine (bis 14 Tage ab heute)"));
    QCOMPARE(spaltentitel(*w->litermine), (QStringList{"Datum", "Termin", "Volknr", "Volkname", "Standort", "ID"}));
    QCOMPARE(w->litermine->rows(), 4);
    QCOMPARE(zeile(*w->litermine, 1).section('|', 0, 4), QString("01.01.2007|Schwarmkontrolle|2||Heide"));
    QCOMPARE(zeile(*w->litermine, 2).section('|', 0, 4), QString("02.06.2007|Bauen|||"));
    QCOMPARE(zeile(*w->litermine, 3).section('|', 0, 4), QString("15.06.2007|Bauen|||"));
    QCOMPARE(zeile(*w->litermine, 4).section('|', 0, 4), QString("15.06.2007|Füttern|1|Lotte|Obstwiese"));
    QCOMPARE(w->kon->isChecked(), true);

    // Closing (also by the close box) with the box unticked keeps the list from opening at start.
    w->kon->setChecked(false);
    w->close();
    QCOMPARE(common::terminlistebeimstart(), 0);
  }

  void neuplanung_data() {
    QTest::addColumn<int>("frist");
    QTest::addColumn<QString>("art");        // the kind of the series; "Kontrolle" is the option
    QTest::addColumn<bool>("keinvolk");      // a series of no colony
    QTest::addColumn<QString>("erledigt");   // the Erledigungsdatum
    QTest::addColumn<QStringList>("termine");   // afterwards, "V" the colony
    const QStringList ohneneue{"01.05.2007/V!", "DONE/V!"};
    QTest::newRow("series") << 9 << "Kontrolle" << false << "15.05.2007"
                            << QStringList{"01.05.2007/V!", "15.05.2007/V!", "24.05.2007/V", "02.06.2007/V",
                                           "11.06.2007/V", "20.06.2007/V", "29.06.2007/V"};
    QTest::newRow("series of no colony") << 9 << "Kontrolle" << true << "15.05.2007"
                                         << QStringList{"01.05.2007/V!", "15.05.2007/V!", "24.05.2007/V",
                                                        "02.06.2007/V", "11.06.2007/V", "20.06.2007/V",
                                                        "29.06.2007/V"};
    QTest::newRow("done after the season") << 9 << "Kontrolle" << false << "01.07.2007"
                                           << QStringList{"01.05.2007/V!", "01.07.2007/V!"};
    QTest::newRow("done in a later year") << 9 << "Kontrolle" << false << "15.05.2008"
                                          << QStringList{"01.05.2007/V!", "15.05.2008/V!"};
    QTest::newRow("no option") << 9 << "Sonstiges" << false << "15.05.2007"
                               << QStringList{"01.05.2007/V!", "15.05.2007/V!"};
    QTest::newRow("repetition 0") << 0 << "Kontrolle" << false << "15.05.2007"
                                  << QStringList{"01.05.2007/V!", "15.05.2007/V!"};
    QTest::newRow("negative repetition") << -9 << "Kontrolle" << false << "15.05.2007"
                                         << QStringList{"01.05.2007/V!", "15.05.2007/V!"};
    QTest::newRow("Erledigungsdatum no date")
        << 9 << "Kontrolle" << false << "31.02.2007"
        << QStringList{"01.06.2006/V", "01.03.2007/V", "01.05.2007/V!", "14.05.2007/V!", "19.05.2007/V",
                       "30.06.2007/V"};
  }
  void neuplanung() {
    QFETCH(int, frist);
    QFETCH(QString, art);
    QFETCH(bool, keinvolk);
    QFETCH(QString, erledigt);
    QFETCH(QStringList, termine);
    arbeitsplanoption("Kontrolle", "01.05", "30.06", frist);
    const int v = keinvolk ? 0 : volk("1", true, {{"Standort", "Obstwiese"}});
    const int anderes = volk("2", true);
    for (const char* d : {"01.06.2006", "01.03.2007", "19.05.2007", "30.06.2007"}) termin(d, art, v);
    termin("01.05.2007", art, v, "J");
    const int id = termin("14.05.2007", art, v);
    termin("19.05.2007", art, anderes);
    termin("20.05.2007", "Füttern", v);   // another kind of the same colony
    auto w = geladen<IV_Starttermine>();
    QVERIFY(w->litermine->findrow("ID = " + QString::number(id)) > 0);
    w->litermine_rowclick();
    QCOMPARE(w->sevt(1).text(), art);
    w->sevt(0).setText(erledigt);
    w->cmdok_Click(0);
    termine.replaceInStrings("V", keinvolk ? "0" : "1");
    QCOMPARE(termineallerjahre(art).filter(QRegularExpression("/[01]!?$")), termine);
    QCOMPARE(test::termine(anderes, art), QStringList{"19.05"});
    QCOMPARE(test::termine(v, "Füttern"), QStringList{"20.05"});
  }

  // A click shows the date in the fields; a double click completes it on its
  // own due day, whatever the Erledigungsdatum said, and plans its series from there.
  void klickUndDoppelklick() {
    arbeitsplanoption("Kontrolle", "01.05", "30.06", 9);
    const int v1 = volk("1", true, {{"Standort", "Obstwiese"}});
    termin("05.06.2007", "Kontrolle", v1);
    termin("12.06.2007", "Kontrolle", v1);
    termin("03.06.2007", "Füttern", 0);
    auto w = geladen<IV_Starttermine>();
    QVERIFY(showActive(*w));
    cellClick(*w->litermine, 2, 1);
    QCOMPARE(w->sevt(0).text() + "|" + w->sevt(1).text() + "|" + w->sevt(2).text(),
             QString("05.06.2007|Kontrolle|Obstwiese"));
    w->sevt(0).setText("01.06.2007");
    cellDoubleClick(*w->litermine, 2);
    QCOMPARE(test::termine(v1, "Kontrolle"), (QStringList{"05.06!", "14.06", "23.06"}));
    QCOMPARE(test::termine(0, "Füttern"), QStringList{"03.06"});
    w->close();
  }

  void markierteUndBisHeute() {
    const int v1 = volk("1", true, {{"Standort", "Obstwiese"}});
    const int a = termin("20.05.2007", "Kontrolle", v1);
    const int b = termin("05.06.2007", "Kontrolle", 0);
    termin("10.06.2007", "Kontrolle", v1);
    termin("01.01.2000", "Alt", 99999);
    auto w = geladen<IV_Starttermine>();
    messages().expect("Bitter markieren Sie zuerst die zu erledigenden Termine.");
    w->cmdok_Click(1);
    w->litermine->setSelected(w->litermine->findrow("ID = " + QString::number(a)), true);
    w->litermine->setSelected(w->litermine->findrow("ID = " + QString::number(b)), true);
    messages().expectYes("Sollen die 2 Termine wirklich als erledigt markiert werden?");
    ListePrüfen liste(*w->litermine);
    w->cmdok_Click(1);
    QCOMPARE(termineallerjahre("Kontrolle"), (QStringList{"20.05.2007/1!", "05.06.2007/0!", "10.06.2007/1"}));
    QCOMPARE(w->litermine->rows(), 1);
    QVERIFY(liste.nurfrei());   // the list is read once the dates are committed

    termin("01.06.2007", "Heute", 0);
    termin("02.06.2007", "Heute", v1);
    messages().expectYes("Sollen wirklich alle Termine bis einschließlich zum 01.06.2007 als erledigt markiert werden?");
    w->cmdok_Click(2);
    QCOMPARE(anzahl("select count(*) from Termine where Erledigt = 'N'"), 2);
    QCOMPARE(anzahl("select count(*) from Termine where Erledigt = 'N' and Datum <= #06/01/2007#"), 0);
  }

  void leereListe() {
    auto w = geladen<IV_Starttermine>();
    QCOMPARE(w->litermine->cols(), 6);
    for (int i = 0; i <= 3; ++i) QCOMPARE(pfeil(w->sevt(i)), i == 1 || i == 2);   // kind and site: a list
    messages().expect("Bitte markieren Sie zuerst den zu erledigenden Termin.");
    w->cmdok_Click(0);
    messages().expect("Bitter markieren Sie zuerst die zu erledigenden Termine.");
    w->cmdok_Click(1);
    messages().expect("Keine zu listenden Daten gefunden");
    w->ok_Click();
    messages().expect("Keine zu listenden Daten gefunden");
    w->okgruppiert_Click();
    QVERIFY(messages().allUsed());
  }

  // A failed click or opening is told once, and the dates stay as they were.
  void eineMeldungJeKlick_data() {
    QTest::addColumn<int>("knopf");       // the cmdok index; -1 the opening
    QTest::addColumn<QString>("fehlt");   // the table dropped, or "ID": a listed row without a usable ID
    QTest::addColumn<QString>("meldung");
    const QString erledigen = "Die Termine konnten nicht als erledigt markiert werden.",
                  ohneID = "\r\n\r\nDer Termin hat keine gültige ID.";
    QTest::newRow("opening, colonies gone") << -1 << "Bienenvolk"
                                            << "Die offenen Termine können nicht gelesen werden.";
    QTest::newRow("current date, dates gone") << 0 << "Termine" << erledigen;
    QTest::newRow("kind and site, dates gone") << 3 << "Termine" << "Die Termine können nicht gezählt werden.";
    QTest::newRow("current date without ID") << 0 << "ID" << erledigen + ohneID;
    QTest::newRow("selected, one without ID") << 1 << "ID" << erledigen + ohneID;
    QTest::newRow("kind and site, one without ID") << 3 << "ID" << erledigen + ohneID;
  }
  void eineMeldungJeKlick() {
    QFETCH(int, knopf);
    QFETCH(QString, fehlt);
    QFETCH(QString, meldung);
    termin("20.05.2007", "Kontrolle", volk("1", true, {{"Standort", "Obstwiese"}}));
    if (knopf < 0) return öffnenohne<IV_Starttermine>({fehlt}, meldung);
    std::optional<TabelleWeg> weg;
    auto w = geladen<IV_Starttermine>();
    QVERIFY(showActive(*w));
    if (fehlt == "ID")
      zeileohneid(*w->litermine, {{"Datum", "21.05.2007"}, {"Termin", "Kontrolle"}, {"Standort", "Obstwiese"}});
    else
      w->litermine->setRow(1);
    for (int r = 1; r <= w->litermine->rows(); ++r) w->litermine->setSelected(r, true);
    w->sevt(1).setText("Kontrolle");
    w->sevt(2).setText("Obstwiese");
    w->sevt(3).setText("01.06.2007");
    if (fehlt != "ID") weg.emplace(fehlt);
    if (knopf == 1) messages().expectYes("Sollen die 2 Termine wirklich als erledigt markiert werden?");
    if (knopf == 3 && !weg) messages().expectYes("Es wurden 1 Termine gefunden.");
    messages().expect(meldung);
    QTest::mouseClick(w->cmdok[knopf], Qt::LeftButton);
    QVERIFY(messages().allUsed());
    if (!weg) QCOMPARE(termineallerjahre("Kontrolle"), QStringList{"20.05.2007/1"});
    w->close();
  }

  void nachArtUndStandort_data() {
    QTest::addColumn<bool>("reihe");
    QTest::addColumn<QString>("erledigt");
    QTest::addColumn<QString>("bis");
    QTest::addColumn<int>("gefunden");
    QTest::addColumn<QStringList>("volk1");
    QTest::addColumn<QStringList>("volk2");
    QTest::newRow("with the series") << true << "03.06.2007" << "30.6.07" << 4
                                     << QStringList{"03.06!", "12.06", "21.06", "30.06"}
                                     << QStringList{"01.06!", "03.06!", "12.06", "21.06", "30.06"};
    QTest::newRow("without the series") << false << "03.06.2007" << "30.6.07" << 4
                                        << QStringList{"03.06!", "03.06!", "20.06"}
                                        << QStringList{"01.06!", "03.06!", "01.07"};
    QTest::newRow("Erledigungsdatum no date") << true << "" << "30.6.07" << 4
                                              << QStringList{"02.06!", "11.06!", "20.06"}
                                              << QStringList{"01.06!", "05.06!", "01.07"};
    // A listed date after "bis einschl." is neither counted nor done.
    QTest::newRow("bis before listed dates") << false << "03.06.2007" << "04.06.2007" << 1
                                             << QStringList{"03.06!", "11.06", "20.06"}
                                             << QStringList{"01.06!", "05.06", "01.07"};
    QTest::newRow("bis on a listed date") << false << "03.06.2007" << "02.06.2007" << 1
                                          << QStringList{"03.06!", "11.06", "20.06"}
                                          << QStringList{"01.06!", "05.06", "01.07"};
  }
  void nachArtUndStandort() {
    QFETCH(bool, reihe);
    QFETCH(QString, erledigt);
    QFETCH(QString, bis);
    QFETCH(int, gefunden);
    QFETCH(QStringList, volk1);
    QFETCH(QStringList, volk2);
    arbeitsplanoption("Kontrolle", "01.05", "30.06", 9);
    const int v1 = volk("1", true, {{"Standort", "Obst`wiese"}});
    const int v2 = volk("2", true, {{"Standort", "Obst`wiese"}});
    const int v3 = volk("3", true, {{"Standort", "Heide"}});
    termin("02.06.2007", "Kontrolle", v1);
    termin("11.06.2007", "Kontrolle", v1);
    termin("20.06.2007", "Kontrolle", v1);   // after the look-ahead day: counted, not done
    termin("05.06.2007", "Kontrolle", v2);
    termin("05.06.2007", "Kontrolle", v3);
    termin("05.06.2007", "Kontrolle", 0);
    // Neither counted nor done: another kind at the site, a done date, a date after "bis einschl.".
    termin("04.06.2007", "Füttern", v1);
    termin("01.06.2007", "Kontrolle", v2, "J");
    termin("01.07.2007", "Kontrolle", v2);
    auto w = geladen<IV_Starttermine>();
    w->konterminreihe->setChecked(reihe);
    messages().expect("Die Terminart, der betroffene Standort und der Zeitraum");
    w->cmdok_Click(3);
    w->sevt(1).setText("Kontrolle");
    w->sevt(2).setText("Obst'wiese");   // an apostrophe, stored as a backtick
    w->sevt(3).setText(bis);
    w->sevt(0).setText(erledigt);
    messages().expectYes(QString("Es wurden %1 Termine gefunden. Sollen diese wirklich erledigt werden?").arg(gefunden));
    w->cmdok_Click(3);
    QVERIFY(messages().allUsed());
    QCOMPARE(test::termine(v1, "Kontrolle"), volk1);
    QCOMPARE(test::termine(v2, "Kontrolle"), volk2);
    QCOMPARE(test::termine(v3, "Kontrolle"), QStringList{"05.06"});
    QCOMPARE(test::termine(0, "Kontrolle"), QStringList{"05.06"});
    QCOMPARE(test::termine(v1, "Füttern"), QStringList{"04.06"});
  }

  void listen() {
    const int v1 = volk("1", true, {{"Volkname", "Lotte"}, {"Standort", "Obstwiese"}});
    const int v2 = volk("2", true, {{"Standort", "Obstwiese"}});
    const int v3 = volk("3", true, {{"Standort", "Heide"}});
    termin("05.06.2007", "Kontrolle", v1);
    termin("05.06.2007", "Kontrolle", v2);
    termin("03.06.2007", "Füttern", v3);
    termin("04.06.2007", "Bauen", 0);
    // The look-ahead day is in both lists; the day after it and a done date are in neither.
    termin("15.06.2007", "Füttern", v3);
    termin("16.06.2007", "Kontrolle", v3);
    termin("03.06.2007", "Kontrolle", v3, "J");
    auto w = geladen<IV_Starttermine>();
    QVERIFY(showActive(*w));
    // The user sorts by kind with the header, up and then down.
    headerClick(*w->litermine, w->litermine->colIndex("Termin"));
    headerClick(*w->litermine, w->litermine->colIndex("Termin"));
    Empfang e = empfangen([&] { w->ok_Click(); });
    QCOMPARE(e.titel, (QStringList{"Datum", "Termin", "Volknr", "Volkname", "Standort", "ID"}));
    QCOMPARE(e.zeilen.size(), 5);
    QCOMPARE(e.zeilen[0].section('|', 0, 4), QString("05.06.2007|Kontrolle|1|Lotte|Obstwiese"));
    QCOMPARE(e.zeilen[4].section('|', 0, 4), QString("04.06.2007|Bauen|||"));
    QCOMPARE(e.standortbreite, 2400);   // a site name is read whole, not "Obstwies..."

    e = empfangen([&] { w->okgruppiert_Click(); });
    QCOMPARE(e.titel, (QStringList{"Standort", "Datum", "Termin", "Anz_Völker"}));
    QCOMPARE(e.zeilen, (QStringList{"Heide|03.06.2007|Füttern|1", "Heide|15.06.2007|Füttern|1",
                                    "Obstwiese|05.06.2007|Kontrolle|2"}));
    QCOMPARE(e.rechts, 1);
    QCOMPARE(e.standortbreite, 2400);
  }
};

ZEVO_TEST_MAIN(TestStarttermine)
#include "test_starttermine.moc"
