// The purchase and sale evaluations and the honey stock evaluations, read
// back from gridli.txt as the list window reads them.

#include "common/einstellungen.h"
#include "output/registry.h"
#include "platform/runtime/vb.h"
#include "support/datenbank.h"
#include "trade/iw_einverkauf.h"
#include "trade/iw_honiglager.h"
#include "evaluations/listenlesen.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

using namespace zevo;
using namespace zevo::test;
using trade::IW_EinVerkauf;
using trade::IW_Honiglager;

namespace {

const QString keine = QStringLiteral("Keine Daten gefunden");

void verkauf(const char* tag, const QString& produkt, double menge, double einnahmen) {
  einfügen("Verkauf", {{"Datum", datum(tag)}, {"Produkt", produkt}, {"Qualität", "A"}, {"Abnehmer", "Meier"},
                       {"Menge", menge}, {"Einheit", "kg"}, {"Einnahmen", einnahmen}});
}

void einkauf(const char* tag, const QString& produkt, double menge, double ausgaben, const QString& einheit = "kg") {
  einfügen("Einkauf", {{"Datum", datum(tag)}, {"Produkt", produkt}, {"Qualität", "B"}, {"Lieferant", "Imkerei"},
                       {"Menge", menge}, {"Einheit", einheit}, {"Ausgaben", ausgaben}});
}

void bewegung(const char* tag, const QString& produkt, double zugang, double abgang) {
  einfügen("Honiglager", {{"Datum", datum(tag)}, {"Produkt", produkt}, {"Zugang", zugang}, {"Abgang", abgang},
                          {"Bemerkung", "x"}});
}

template <class Fenster>
std::unique_ptr<Fenster> fenster(const QString& von = {}, const QString& bis = {}) {
  auto w = std::make_unique<Fenster>();
  w->Form_Load();
  if (!von.isEmpty()) {
    w->tdat(0).setText(von);
    w->tdat(1).setText(bis);
    w->optibuch[1]->setChecked(true);
  }
  return w;
}

std::unique_ptr<IW_EinVerkauf> einverkauf(int art, const QString& von = {}, const QString& bis = {}) {
  auto w = fenster<IW_EinVerkauf>(von, bis);
  w->optiev[art]->setChecked(true);
  return w;
}

// The rows whose first cell is one of the given texts.
QStringList zeilenmit(const Liste& l, const QStringList& erste) {
  QStringList out;
  for (const QString& z : l.zeilen)
    if (erste.contains(z.section('|', 0, 0))) out << z;
  return out;
}

}  // namespace

class TestHandelsauswertungen : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() {
    datenbankbereitstellen();
    output::registerOutputForms();
  }
  void init() { datenbankgrundzustand(datum("15.06.2007")); }

  // --- purchases and sales ----------------------------------------------------------

  void bookingsListedWithTheColumnsOfTheChoice() {
    verkauf("10.05.2007", "Imker's", 2, 10);
    verkauf("02.03.2007", "Raps", 1.5, 7.25);
    einkauf("01.02.2007", "Gläser", 100, 30, "St");
    Liste l = auswertunglesen(*einverkauf(1), 0);
    QCOMPARE(l.spalten.join(','), QString("Datum,Produkt,Qualität,Abnehmer,Menge > #,Einheit,Einnahmen > #"));
    QCOMPARE(l.zeilen, (QStringList{"02.03.2007|Raps|A|Meier|1,50|kg|7,25", "10.05.2007|Imker`s|A|Meier|2,00|kg|10,00"}));
    l = auswertunglesen(*einverkauf(0), 0);
    QCOMPARE(l.spalten.join(','), QString("Datum,Produkt,Qualität,Lieferant,Menge > #,Einheit,Ausgaben > #"));
    QCOMPARE(l.zeilen, QStringList{"01.02.2007|Gläser|B|Imkerei|100,00|St|30,00"});
  }

  void theChoiceCountsAtTheNextPressAndIsStoredOnClosing() {
    verkauf("10.05.2007", "Raps", 2, 10);
    common::einverkaufart() = 7;   // a hand-edited file: purchases
    auto w = fenster<IW_EinVerkauf>();
    QVERIFY(w->optiev[0]->isChecked());
    messages().expect(keine);
    QVERIFY(!auswertunglesen(*w, 0).gezeigt);
    w->optiev[1]->setChecked(true);
    QCOMPARE(auswertunglesen(*w, 0).zeilen.size(), 1);
    w->beenden_Click();
    QCOMPARE(common::einverkaufart(), 1);
    QVERIFY(fenster<IW_EinVerkauf>()->optiev[1]->isChecked());
  }

  // Months and years count the bookings and sum quantity and amount; the
  // amount is exact, and a month without sales shows 0,00 €.
  void calendarEvaluationsOfSales() {
    for (int i = 0; i < 12; ++i) verkauf("10.03.2007", "Raps", 1, 99999.99);
    verkauf("20.03.2007", "Raps", 0.5, 34568.01);
    verkauf("20.03.2006", "Raps", 4, 1);
    Liste monate = auswertunglesen(*einverkauf(1, "01.01.2007", "31.12.2007"), 1);
    QCOMPARE(monate.spalten, (QStringList{"Monat", "Buchungen > #", "Menge > #", "Einnahmen > #"}));
    QCOMPARE(monate.zeilen.size(), 12);
    QCOMPARE(monate.zeilen[2], QString("3|13|12,50|1.234.567,89 €"));
    QCOMPARE(monate.zeilen[3], QString("4|0||0,00 €"));
    // Over all bookings March of every year adds up; purchases take their own caption.
    monate = auswertunglesen(*einverkauf(1), 1);
    QCOMPARE(monate.zeilen[2], QString("3|14|16,50|1.234.568,89 €"));
    QCOMPARE(auswertunglesen(*einverkauf(0), 1).spalten.last(), QString("Ausgaben > #"));

    const Liste jahre = auswertunglesen(*einverkauf(1, "01.01.2006", "30.06.2006"), 2);
    QCOMPARE(jahre.spalten.first(), QString("Jahr"));
    QStringList erste;
    for (const QString& z : jahre.zeilen) erste << z.section('|', 0, 1);
    QCOMPARE(erste, (QStringList{"1997|0", "1998|0", "1999|0", "2000|0", "2001|0", "2002|0", "2003|0", "2004|0",
                                 "2005|0", "2006|1", "2007|0"}));
  }

  void groupings_data() {
    QTest::addColumn<int>("art");   // 0 purchases, 1 sales
    QTest::addColumn<int>("knopf");
    QTest::addColumn<QStringList>("spalten");
    QTest::addColumn<QStringList>("zeilen");
    const QStringList ausgabe{"Anzahl > #", "S_Menge > #", "D_Menge > #", "Ausgabe > #"};
    // One product in upper and lower case, its unaccented twin another.
    QTest::newRow("product") << 0 << 3 << QStringList{"Produkt"} + ausgabe
                             << QStringList{"Futter|1|10,00|10,00|5,00", "Wachsbrucke|1|1,00|1,00|1,00",
                                            "Wachsbrücke|2|502,00|251,00|12,50"};
    QTest::newRow("quality") << 0 << 4 << QStringList{"Qualität"} + ausgabe
                             << QStringList{"B|4|513,00|128,25|18,50"};
    QTest::newRow("supplier") << 0 << 5 << QStringList{"Lieferant"} + ausgabe
                              << QStringList{"Imkerei|4|513,00|128,25|18,50"};
    QTest::newRow("customer") << 1 << 5
                              << QStringList{"Abnehmer", "Anzahl > #", "S_Menge > #", "D_Menge > #", "Einnahme > #"}
                              << QStringList{"Meier|1|3,00|3,00|12,00"};
  }
  void groupings() {
    QFETCH(int, art);
    QFETCH(int, knopf);
    QFETCH(QStringList, spalten);
    QFETCH(QStringList, zeilen);
    einkauf("01.02.2007", "Wachsbrücke", 2, 10, "kg");
    einkauf("03.02.2007", "WACHSBRÜCKE", 500, 2.5, "g");   // added unconverted
    einkauf("04.02.2007", "Futter", 10, 5);
    einkauf("05.02.2007", "Wachsbrucke", 1, 1);
    verkauf("06.02.2007", "Raps", 3, 12);
    const Liste l = auswertunglesen(*einverkauf(art), knopf);
    QCOMPARE(l.spalten, spalten);
    QCOMPARE(l.zeilen, zeilen);
    // A range without purchases or sales finds nothing.
    messages().expect(keine);
    QVERIFY(!auswertunglesen(*einverkauf(art, "01.01.2006", "31.12.2006"), knopf).gezeigt);
    QVERIFY(messages().allUsed());
  }

  // --- honey stock -------------------------------------------------------------------

  void stockListAndItsFilter() {
    bewegung("01.02.2006", "Blüte", 10, 0);
    bewegung("01.03.2006", "Blüte", 0, 12);
    bewegung("01.02.2006", "Akazie", 5, 0);
    bewegung("01.03.2006", "Akazie", 0, 5);
    bewegung("01.04.2005", "Raps", 2.5, 0);
    bewegung("01.04.2005", "Zitrone", 1, 1);
    // A period without movements: the stock covers every movement anyway.
    auto w = fenster<IW_Honiglager>("01.01.2007", "31.01.2007");
    QVERIFY(!w->kon->isChecked());
    Liste l = auswertunglesen(*w, 4);
    QCOMPARE(l.spalten.join(','), QString("Produkt,Summe > #,Anzahl > #,Zugänge > #,Abgänge > #"));
    const QStringList nichtnull{"Blüte|-2,00|2|10,00|12,00", "Raps|2,50|1|2,50|0,00"};
    QCOMPARE(l.zeilen, QStringList{"Akazie|0,00|2|5,00|5,00"} + nichtnull + QStringList{"Zitrone|0,00|1|1,00|1,00"});
    w->kon->setChecked(true);   // over 0 only, the first and the last left out; a negative stock stays
    QCOMPARE(auswertunglesen(*w, 4).zeilen, nichtnull);
    // Invalid dates refuse the stock list too.
    w->tdat(1).setText("31.02.2007");
    messages().expect("...die Datumangaben nicht korrekt sind.");
    QVERIFY(!auswertunglesen(*w, 4).gezeigt);
    QVERIFY(messages().allUsed());
  }

  // Stocks that are back at 0 through the bookings leave a binary rest in
  // their sum; the filter takes the stock as the list shows it: 0,00 is left
  // out, 0,01 stays, and so does a negative stock.
  void stockBackAtZeroLeftOutByTheFilter() {
    for (double menge : {0.1, 0.2}) bewegung("01.02.2007", "Heide", menge, 0);
    bewegung("01.03.2007", "Heide", 0, 0.3);
    bewegung("01.02.2007", "Raps", 1.2, 0);
    for (double menge : {0.4, 0.8}) bewegung("01.03.2007", "Raps", 0, menge);
    bewegung("01.02.2007", "Linde", 0.01, 0);
    bewegung("01.02.2007", "Klee", 0.3, 0);
    bewegung("01.03.2007", "Klee", 0, 0.31);
    auto w = fenster<IW_Honiglager>();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    const QStringList bleiben{"Klee|-0,01|2|0,30|0,31", "Linde|0,01|1|0,01|0,00"};
    for (int mal = 0; mal < 2; ++mal) {   // ticked and unticked twice, in one window
      QCOMPARE(auswertunglesen(*w, 4, true).zeilen,
               QStringList{"Heide|0,00|3|0,30|0,30"} + bleiben + QStringList{"Raps|0,00|3|1,20|1,20"});
      QTest::mouseClick(w->kon, Qt::LeftButton, {}, QPoint(6, w->kon->height() / 2));
      QVERIFY(w->kon->isChecked());
      QCOMPARE(auswertunglesen(*w, 4, true).zeilen, bleiben);
      QTest::mouseClick(w->kon, Qt::LeftButton, {}, QPoint(6, w->kon->height() / 2));
      QVERIFY(!w->kon->isChecked());
    }
    // Nothing over 0 left: the list is not shown.
    db().execute("delete from Honiglager where Produkt in ('Klee', 'Linde')");
    QTest::mouseClick(w->kon, Qt::LeftButton, {}, QPoint(6, w->kon->height() / 2));
    messages().expect(keine);
    QVERIFY(!auswertunglesen(*w, 4, true).gezeigt);
    QVERIFY(messages().allUsed());
  }

  // An empty stock book: the direct lists find nothing, the calendars give every row with 0.
  void emptyStockBook() {
    QStringList monate, jahre;
    for (int m = 1; m <= 12; ++m) monate << QString::number(m) + "|0|||";
    for (int y = 1997; y <= 2007; ++y) jahre << QString::number(y) + "|0|||";
    const QList<QStringList> erwartet{{keine}, monate, jahre, {keine}, {keine}};
    for (int knopf = 0; knopf < 5; ++knopf) {
      if (erwartet[knopf] == QStringList{keine}) messages().expect(keine);
      const Liste l = auswertunglesen(*fenster<IW_Honiglager>(), knopf);
      QVERIFY(messages().allUsed());
      QCOMPARE(l.gezeigt ? l.zeilen : QStringList{keine}, erwartet[knopf]);
    }
  }

  // The years come from today, not from the range.
  void yearsEndToday() {
    for (const QString heute : {"15.06.2007", "01.01.2025"}) {
      datenbankgrundzustand(*vb::parseDate(heute));
      verkauf("01.03.2007", "Raps", 1, 1);
      const Liste l = auswertunglesen(*einverkauf(1, "01.01.1990", "31.12.1990"), 2);
      QCOMPARE(l.zeilen.first().section('|', 0, 0) + "-" + l.zeilen.last().section('|', 0, 0),
               QString::number(heute.right(4).toInt() - 10) + "-" + heute.right(4));
      QCOMPARE(l.zeilen.filter("|0|").size(), 11);   // nothing in the range
    }
  }

  void stockMovementsByListMonthYearAndProduct() {
    bewegung("05.03.2005", "Raps", 2.5, 0);
    bewegung("06.03.2007", "Raps", 0, 1);
    bewegung("07.04.2007", "Linde", 4, 0);
    auto alle = fenster<IW_Honiglager>();
    QCOMPARE(auswertunglesen(*alle, 0).zeilen.first(), QString("05.03.2005|Raps|2,50|0,00|x"));
    Liste l = auswertunglesen(*alle, 1);
    QCOMPARE(l.spalten, (QStringList{"Monat", "Buchungen > #", "Zugänge > #", "Abgänge > #", "Gesamt > #"}));
    QCOMPARE(zeilenmit(l, {"3", "4", "5"}), (QStringList{"3|2|2,50|1,00|1,50", "4|1|4,00|0,00|4,00", "5|0|||"}));
    // A range in one year: the other years show 0; the month rows only that year.
    auto jahr = fenster<IW_Honiglager>("1.1.2007", "31.12.2007");
    QCOMPARE(zeilenmit(auswertunglesen(*jahr, 1), {"3"}), QStringList{"3|1|0,00|1,00|-1,00"});
    QCOMPARE(zeilenmit(auswertunglesen(*jahr, 2), {"2005", "2007"}),
             (QStringList{"2005|0|||", "2007|2|4,00|1,00|3,00"}));
    l = auswertunglesen(*alle, 3);
    QCOMPARE(l.spalten, (QStringList{"Produkt", "Anzahl > #", "Zugänge > #", "Abgänge > #"}));
    QCOMPARE(l.zeilen, (QStringList{"Linde|1|4,00|0,00", "Raps|2|2,50|1,00"}));
  }

  // --- the frame's rules in both windows ------------------------------------------------

  void frameRulesInBothWindows_data() {
    QTest::addColumn<bool>("honiglager");
    QTest::newRow("IW_EinVerkauf") << false;
    QTest::newRow("IW_Honiglager") << true;
  }
  void frameRulesInBothWindows() {
    QFETCH(bool, honiglager);
    bewegung("30.04.2007", "Raps", 1, 0);
    bewegung("01.05.2007", "Raps", 2, 0);
    bewegung("31.05.2007", "Raps", 3, 0);
    verkauf("30.04.2007", "Raps", 1, 1);
    verkauf("01.05.2007", "Raps", 2, 2);
    verkauf("31.05.2007", "Raps", 3, 3);
    // A stored "Alle Buchungen" stays selected, whatever loading the dates did.
    (honiglager ? common::honiglagervon() : common::einverkaufvon()) = "1.5.2007";
    (honiglager ? common::honiglagerbis() : common::einverkaufbis()) = "31.5.2007";
    std::unique_ptr<evaluations::Zeitraumauswertung> w;
    if (honiglager) w = fenster<IW_Honiglager>();
    else w = einverkauf(1);
    QVERIFY(w->optibuch[0]->isChecked());
    QCOMPARE(w->tdat(0).text(), QString("1.5.2007"));
    QCOMPARE(auswertunglesen(*w, 0).zeilen.size(), 3);
    // Typing a date selects "Datum von"; dates typed short evaluate May.
    QTest::keyClick(w->tdat(1).editor(), Qt::Key_End);
    QTest::keyClick(w->tdat(1).editor(), Qt::Key_Backspace);
    QTest::keyClicks(w->tdat(1).editor(), "7");
    QVERIFY(w->optibuch[1]->isChecked());
    QStringList tage;
    for (const QString& z : auswertunglesen(*w, 0).zeilen) tage << z.section('|', 0, 0);
    QCOMPARE(tage, (QStringList{"01.05.2007", "31.05.2007"}));
    // The months: only May, both ends included.
    QCOMPARE(auswertunglesen(*w, 1).zeilen[4].section('|', 0, 1), QString("5|2"));
  }
};

ZEVO_TEST_MAIN(TestHandelsauswertungen)
#include "test_handelsauswertungen.moc"
