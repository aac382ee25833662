// The contribution margin: sums per year and per colony, the flat rates,
// the totals row, the year checks, the boxes the listing ticks or clears,
// and the window's options loaded and stored.
#include "evaluations/auswertungstest.h"
#include "platform/runtime/vb.h"
#include "trade/geld.h"
#include "trade/iw_deckungsbeitrag.h"

using namespace zevo;
using namespace zevo::test;
using trade::IW_Deckungsbeitrag;

namespace {

struct Einstellung {
  int art = 0;   // 0 years, 1 colonies
  int option = 1;
  QList<int> posten;
  QString von = "2009", bis = "2009";
  QString einnahme = "0,00", kosten = "0,00";
};

std::unique_ptr<IW_Deckungsbeitrag> eingestellt(const Einstellung& e) {
  auto w = geöffnet<IW_Deckungsbeitrag>();
  w->optiauswertung[e.art]->setChecked(true);
  w->optitieraussetzen(e.option);
  ankreuzen(w->konkost, e.posten);
  w->t(0).setText(e.von);
  w->t(1).setText(e.bis);
  w->sevt(0).setText(e.einnahme);
  w->sevt(1).setText(e.kosten);
  return w;
}

Liste listen(IW_Deckungsbeitrag& w) {
  Liste l;
  listeabfangen(l);
  w.ok->click();
  return l;
}

QString kopf(const QStringList& spalten) { return spalten.join('\t') + '\t'; }

}  // namespace

class TestDeckungsbeitrag : public QObject {
  Q_OBJECT
  Hauptliste haupt_{false};   // marks only its current row
  int anna_ = 0, berta_ = 0, carl_ = 0;

private slots:
  // Anna (1, in stock, Wald) and Berta (2, in stock) are colonies of today,
  // Carl (3) is gone. In 2009 18,00 € of sales and 7,00 € of purchases.
  void init() {
    datenbankbereitstellen();
    datenbankgrundzustand(datum("15.06.2010"));
    anna_ = volk("1", true, {{"Volkname", "Anna"}, {"Standort", "Wald"}});
    berta_ = volk("2", true, {{"Volkname", "Berta"}});
    carl_ = volk("3", false, {{"Volkname", "Carl"}});
    einfügen("Verkauf", {{"Datum", datum("01.03.2009")}, {"Produkt", "Raps"}, {"Einnahmen", 18.0}});
    einfügen("Einkauf", {{"Datum", datum("01.04.2009")}, {"Produkt", "Gläser"}, {"Ausgaben", 7.0}});
    haupt_.lesen(1);
  }

  void listing_data() {
    QTest::addColumn<QString>("buchungen");   // table:field=value:colony ("-" none):date[:premium received], ...
    QTest::addColumn<int>("art");
    QTest::addColumn<int>("option");
    QTest::addColumn<QList<int>>("posten");
    QTest::addColumn<QStringList>("pauschalen");   // revenue, cost
    QTest::addColumn<QStringList>("zeilen");
    const QStringList null{"0,00", "0,00"};
    QTest::newRow("years: harvest value, work costs, trade")
        << "Honigernte:Honig_Wert=100.5:a:10.06.2009, Arbeiten:Kosten=20:b:01.01.2009, Arbeiten:Kosten=5:c:01.01.2009"
        << 0 << 0 << QList<int>{0, 1, 10, 15} << null
        << QStringList{kopf({"Jahr", "E_Verkäufe", "E_Honigernte", "K_Arbeiten", "K_Verkäufe", "Summe"}),
                       "2009\t18,00 €\t100,50 €\t20,00 €\t7,00 €\t91,50 €\t",
                       "SUMME\t18,00 €\t100,50 €\t20,00 €\t7,00 €\t91,50 €\t"};
    QTest::newRow("selected colonies, none selected: only the trade")
        << "Honigernte:Honig_Wert=100:a:10.06.2009" << 0 << 2 << QList<int>{0, 1, 5, 15, 16}
        << QStringList{"10,00", "5,00"}
        << QStringList{kopf({"Jahr", "E_Verkäufe", "E_Honigernte", "E_Pauschale", "K_Verkäufe", "K_Pauschale", "Summe"}),
                       "2009\t18,00 €\t0,00 €\t0,00 €\t7,00 €\t0,00 €\t11,00 €\t",
                       "SUMME\t18,00 €\t0,00 €\t0,00 €\t7,00 €\t0,00 €\t11,00 €\t"};
    QTest::newRow("premium received is taken off")
        << "Wanderung:Kosten=40:a:01.05.2009:J, Wanderung:Kosten=40:b:02.05.2009:N" << 1 << 0 << QList<int>{11}
        << null
        << QStringList{kopf({"Volknr", "Volkname", "Standort", "K_Wanderung", "Summe"}),
                       "1\tAnna\tWald\t25,00 €\t-25,00 €\t", "2\tBerta\t\t40,00 €\t-40,00 €\t",
                       "SUMME\t\t\t65,00 €\t-65,00 €\t"};
    QTest::newRow("a premium above the costs keeps its minus")
        << "Wanderung:Kosten=10:a:01.05.2009:J" << 0 << 4 << QList<int>{11} << null
        << QStringList{kopf({"Jahr", "K_Wanderung", "Summe"}), "2009\t-5,00 €\t5,00 €\t",
                       "SUMME\t-5,00 €\t5,00 €\t"};
    QTest::newRow("a credit booked as negative cost keeps its sign")
        << "Arbeiten:Kosten=-5:a:01.05.2009" << 0 << 0 << QList<int>{10} << null
        << QStringList{kopf({"Jahr", "K_Arbeiten", "Summe"}), "2009\t-5,00 €\t5,00 €\t", "SUMME\t-5,00 €\t5,00 €\t"};
    QTest::newRow("revenues equal to the costs: no totals row")
        << "Honigernte:Honig_Wert=1234.56:a:01.06.2009, Wachsernte:Wachs_Wert=0.01:b:01.06.2009, "
           "Arbeiten:Kosten=1234.57:a:02.06.2009"
        << 0 << 0 << QList<int>{1, 2, 10} << null
        << QStringList{kopf({"Jahr", "E_Honigernte", "E_Wachsernte", "K_Arbeiten", "Summe"}),
                       "2009\t1.234,56 €\t0,01 €\t1.234,57 €\t0,00 €\t"};
    QTest::newRow("a year's takings beyond single precision")
        << "Honigernte:Honig_Wert=1234567.89:a:01.06.2009" << 0 << 0 << QList<int>{1} << null
        << QStringList{kopf({"Jahr", "E_Honigernte", "Summe"}), "2009\t1.234.567,89 €\t1.234.567,89 €\t",
                       "SUMME\t1.234.567,89 €\t1.234.567,89 €\t"};
    QTest::newRow("totals of the cents shown")
        << "Honigernte:Honig_Wert=0.005:a:01.06.2009, Honigernte:Honig_Wert=0.005:b:01.06.2009" << 1 << 0
        << QList<int>{1} << null
        << QStringList{kopf({"Volknr", "Volkname", "Standort", "E_Honigernte", "Summe"}), "1\tAnna\tWald\t0,01 €\t0,01 €\t",
                       "2\tBerta\t\t0,01 €\t0,01 €\t", "SUMME\t\t\t0,02 €\t0,02 €\t"};
    // Both ends of the year count, the days beside them do not; only a premium
    // received is taken off; every colony of the choice, sales and purchases
    // of the year whatever the choice.
    QTest::newRow("years: ends of the year, premium received, all colonies")
        << "Honigernte:Kosten=1:a:31.12.2009, Honigernte:Kosten=2:c:01.01.2009, Honigernte:Kosten=4:b:01.01.2010, "
           "Honigernte:Kosten=8:b:31.12.2008, Wanderung:Kosten=40:a:01.05.2009:J, Wanderung:Kosten=40:b:02.05.2009:N, "
           "Wanderung:Kosten=40:c:03.05.2009:, Verkauf:Einnahmen=2:-:31.12.2009, Verkauf:Einnahmen=64:-:01.01.2010, "
           "Einkauf:Ausgaben=16:-:31.12.2008, Einkauf:Ausgaben=32:-:01.01.2010"
        << 0 << 1 << QList<int>{0, 6, 11, 15} << null
        << QStringList{kopf({"Jahr", "E_Verkäufe", "K_Honigernte", "K_Wanderung", "K_Verkäufe", "Summe"}),
                       "2009\t20,00 €\t3,00 €\t105,00 €\t7,00 €\t-95,00 €\t",
                       "SUMME\t20,00 €\t3,00 €\t105,00 €\t7,00 €\t-95,00 €\t"};
    QTest::newRow("colonies: ends of the range, all colonies")
        << "Arbeiten:Kosten=1:a:01.01.2009, Arbeiten:Kosten=2:a:31.12.2009, Arbeiten:Kosten=4:a:31.12.2008, "
           "Arbeiten:Kosten=8:a:01.01.2010, Arbeiten:Kosten=16:c:01.06.2009"
        << 1 << 1 << QList<int>{10} << null
        << QStringList{kopf({"Volknr", "Volkname", "Standort", "K_Arbeiten", "Summe"}), "1\tAnna\tWald\t3,00 €\t-3,00 €\t",
                       "2\tBerta\t\t0,00 €\t0,00 €\t", "3\tCarl\t\t16,00 €\t-16,00 €\t",
                       "SUMME\t\t\t19,00 €\t-19,00 €\t"};
    QTest::newRow("current colony only")
        << "Arbeiten:Kosten=3:a:01.05.2009, Arbeiten:Kosten=4:b:01.05.2009" << 1 << 4 << QList<int>{10} << null
        << QStringList{kopf({"Volknr", "Volkname", "Standort", "K_Arbeiten", "Summe"}), "1\tAnna\tWald\t3,00 €\t-3,00 €\t",
                       "SUMME\t\t\t3,00 €\t-3,00 €\t"};
    QTest::newRow("colonies not in stock; other years do not count")
        << "Arbeiten:Kosten=3:c:01.05.2009, Arbeiten:Kosten=9:c:01.05.2008" << 1 << 3 << QList<int>{10} << null
        << QStringList{kopf({"Volknr", "Volkname", "Standort", "K_Arbeiten", "Summe"}), "3\tCarl\t\t3,00 €\t-3,00 €\t",
                       "SUMME\t\t\t3,00 €\t-3,00 €\t"};
  }
  void listing() {
    QFETCH(QString, buchungen);
    QFETCH(int, art);
    QFETCH(int, option);
    QFETCH(QList<int>, posten);
    QFETCH(QStringList, pauschalen);
    QFETCH(QStringList, zeilen);
    const QHash<QString, int> völker{{"a", anna_}, {"b", berta_}, {"c", carl_}};
    for (const QString& b : buchungen.split(", ")) {
      const QStringList t = b.split(':');
      Werte werte{{"Datum", *vb::parseDate(t[3])}};
      if (t[2] != "-") werte += {{"Volk", völker[t[2]]}};
      werte += {{t[1].section('=', 0, 0), t[1].section('=', 1).toDouble()}};
      if (t.size() > 4) werte += {{"Standortprämie", 15.0}, {"Prämie_erhalten", t[4]}};
      einfügen(t[0], werte);
    }
    auto w = eingestellt({art, option, posten, "2009", "2009", pauschalen[0], pauschalen[1]});
    const Liste l = listen(*w);
    QCOMPARE(l.gezeigt, 1);
    QCOMPARE(l.zeilen, zeilen);
    for (int c = 1; c < l.ausrichtung.size(); ++c)   // the value columns are right-aligned
      if (!QStringList{"Volknr", "Volkname", "Standort", "Jahr"}.contains(l.zeilen[0].section('\t', c, c)))
        QCOMPARE(l.ausrichtung[c], 1);
  }

  void flatRates_data() {
    QTest::addColumn<int>("art");
    QTest::addColumn<QStringList>("zeilen");
    QTest::newRow("years: 12 colonies of today, every year")
        << 0
        << QStringList{kopf({"Jahr", "E_Pauschale", "K_Pauschale", "Summe"}), "2007\t120,00 €\t60,00 €\t60,00 €\t",
                       "2008\t120,00 €\t60,00 €\t60,00 €\t", "2009\t120,00 €\t60,00 €\t60,00 €\t",
                       "SUMME\t360,00 €\t180,00 €\t180,00 €\t"};
    QTest::newRow("colonies: three years each")
        << 1
        << QStringList{kopf({"Volknr", "E_Pauschale", "K_Pauschale", "Summe"}), "1\t30,00 €\t15,00 €\t15,00 €\t",
                       "2\t30,00 €\t15,00 €\t15,00 €\t", "SUMME\t60,00 €\t30,00 €\t30,00 €\t"};
  }
  void flatRates() {
    QFETCH(int, art);
    QFETCH(QStringList, zeilen);
    if (art == 0)
      for (int i = 0; i < 10; ++i) volk(QString::number(10 + i));
    auto w = eingestellt({art, 0, {5, 16}, "2007", "2009", "10", "5,"});
    ankreuzen(w->kontier, {0});
    const Liste l = listen(*w);
    QCOMPARE(l.zeilen, zeilen);
  }

  void boxesTickedAndClearedByTheListing_data() {
    QTest::addColumn<int>("art");
    QTest::addColumn<QList<int>>("posten");
    QTest::addColumn<int>("wertspalten");   // listed value columns without "Summe"
    QTest::addColumn<bool>("null_und_15");  // boxes 0 and 15 ticked afterwards
    QTest::newRow("years, none ticked: all seventeen") << 0 << QList<int>{} << 17 << true;
    QTest::newRow("colonies, none ticked: fifteen") << 1 << QList<int>{} << 15 << false;
    QTest::newRow("colonies, sales and purchases ticked: cleared") << 1 << QList<int>{0, 1, 15} << 1 << false;
  }
  void boxesTickedAndClearedByTheListing() {
    QFETCH(int, art);
    QFETCH(QList<int>, posten);
    QFETCH(int, wertspalten);
    QFETCH(bool, null_und_15);
    auto w = eingestellt({art, 0, posten});
    ankreuzen(w->kontier, {});
    const Liste l = listen(*w);
    const QStringList spalten = l.zeilen[0].split('\t', Qt::SkipEmptyParts);
    QCOMPARE(spalten.size(), (art == 0 ? 1 : 3) + wertspalten + 1);   // all three colony columns when none
    QCOMPARE(spalten.last(), QString("Summe"));
    QCOMPARE(spalten.contains("E_Verkäufe"), null_und_15);
    QCOMPARE(w->konkost[0]->isChecked() || w->konkost[15]->isChecked(), null_und_15);
    for (int i : {1, 14, 16}) QVERIFY(w->konkost[i]->isChecked() || !posten.isEmpty());
    // "&Keine" then "&Listen" lists everything again.
    w->alletier[1]->click();
    QVERIFY(!w->konkost[1]->isChecked());
    QCOMPARE(listen(*w).zeilen[0].split('\t', Qt::SkipEmptyParts).size(), (art == 0 ? 1 : 3) + (art == 0 ? 17 : 15) + 1);
  }

  void yearChecks_data() {
    QTest::addColumn<QString>("von");
    QTest::addColumn<QString>("bis");
    QTest::addColumn<QString>("ergebnis");   // the refusal, or the first and last year and the rows
    QTest::newRow("from after to") << "2010" << "2009" << "...das 'Wirtschaftsjahr von' größer ist als das 'Wirtschaftsjahr bis'.";
    QTest::newRow("30 years") << "1990" << "2019" << "1990 2019 30";
    QTest::newRow("31 years") << "1990" << "2020" << "...die Auswertung max. über 30 Jahre erlaubt ist.";
    QTest::newRow("3000 becomes this year") << "3000" << "2010" << "2010 2010 1";
    QTest::newRow("empty becomes this year") << "2009" << "" << "2009 2010 2";
    QTest::newRow("a star becomes this year") << "*" << "2010" << "2010 2010 1";
    QTest::newRow("1900 is out of range") << "1900" << "2010" << "2010 2010 1";
  }
  void yearChecks() {
    QFETCH(QString, von);
    QFETCH(QString, bis);
    QFETCH(QString, ergebnis);
    auto w = eingestellt({0, 0, {1}, von, bis});
    if (ergebnis.startsWith("...")) {
      messages().expect("Die Daten können nicht gelistet werden, weil...\r\n\r\n" + ergebnis + "\r\n");
      QCOMPARE(listen(*w).gezeigt, 0);
      QVERIFY(messages().allUsed());
      return;
    }
    const Liste l = listen(*w);
    QCOMPARE(l.gezeigt, 1);
    const QStringList teile = ergebnis.split(' ');
    QCOMPARE(w->t(0).text() + " " + w->t(1).text(), teile[0] + " " + teile[1]);
    QCOMPARE(l.zeilen.size() - 1, teile[2].toInt());   // all zeros: no totals row
    QCOMPARE(l.zeilen[1], teile[0] + "\t0,00 €\t0,00 €\t");
  }

  void noColonyFindsNothing() {
    auto w = eingestellt({1, 2, {1}});
    messages().expect("Keine zu listenden Daten gefunden");
    QCOMPARE(listen(*w).gezeigt, 0);
    QVERIFY(messages().allUsed());
    QVERIFY(w->meter->isHidden());
  }

  // Money beyond the range of a CURRENCY column is refused, never wrapped.
  void moneyAtItsEdges_data() {
    QTest::addColumn<QString>("rechnung");   // "text t", "wert d", "cent n", "a + b", "a - b", "a * b"
    QTest::addColumn<QString>("ergebnis");   // ten-thousandths, or "-" for refused
    const QString max = QString::number(LLONG_MAX), min = QString::number(LLONG_MIN);
    QTest::newRow("largest typed amount") << "text 922337203685477" << "9223372036854769664";
    QTest::newRow("fifteen nines") << "text 999999999999999" << "-";
    QTest::newRow("first amount beyond the top") << "wert 922337203685477.5808" << "-";   // 2^63 ten-thousandths
    QTest::newRow("lowest stored sum") << "wert -922337203685477" << "-9223372036854769664";
    QTest::newRow("sum below the range") << "wert -1e15" << "-";
    QTest::newRow("no number") << "wert nan" << "-";
    QTest::newRow("plus to the top") << max + " + 0" << max;
    QTest::newRow("plus beyond") << max + " + 1" << "-";
    QTest::newRow("minus to the bottom") << min + " - 0" << min;
    QTest::newRow("minus beyond") << min + " - 1" << "-";
    QTest::newRow("times within") << "4611686018427387903 * 2" << "9223372036854775806";
    QTest::newRow("times beyond") << "4611686018427387904 * 2" << "-";
    // Amounts whose ten-thousandths a double does not hold exactly.
    QTest::newRow("typed 0,57") << "text 0,57" << "5700";
    QTest::newRow("typed 1,15") << "text 1,15" << "11500";
    QTest::newRow("typed 2.675,005") << "text 2.675,005" << "26750050";
    QTest::newRow("stored 0,57") << "wert 0.57" << "5700";
    QTest::newRow("stored -1,15") << "wert -1.15" << "-11500";
    QTest::newRow("stored 2.675,005") << "wert 2675.005" << "26750050";
    QTest::newRow("half a ten-thousandth") << "wert 0.00005" << "1";
    QTest::newRow("minus half a ten-thousandth") << "wert -0.00005" << "-1";
    for (const auto& [betrag, cent] : {std::pair{"149", "100"}, {"150", "200"}, {"-149", "-100"}, {"-150", "-200"},
                                       {"26750050", "26750100"}, {"-26750050", "-26750100"}})
      QTest::newRow(betrag) << QString("cent ") + betrag << cent;
  }
  void moneyAtItsEdges() {
    QFETCH(QString, rechnung);
    QFETCH(QString, ergebnis);
    const QStringList t = rechnung.split(' ');
    QString wert = "-";
    try {
      const qint64 a = t[0].toLongLong(), b = t[2 % t.size()].toLongLong();
      wert = QString::number(t[0] == "text"  ? trade::geldaustext(t[1])
                             : t[0] == "cent" ? trade::aufcent(t[1].toLongLong())
                             : t[0] == "wert" ? trade::geldwert(t[1].toDouble())
                             : t[1] == "+"    ? trade::geldplus(a, b)
                             : t[1] == "-"    ? trade::geldminus(a, b)
                                              : trade::geldmal(a, b));
    } catch (const dao::Error& e) {
      QCOMPARE(e.number(), int(dao::errFieldTooSmall));
    }
    QCOMPARE(wert, ergebnis);
  }

  // Money beyond the range stops the listing with one message, wherever it arises.
  void moneyBeyondItsRangeStopsTheListing_data() {
    QTest::addColumn<QString>("buchung");   // for Anna, as in the listing table; "" none
    QTest::addColumn<int>("art");
    QTest::addColumn<int>("option");
    QTest::addColumn<QList<int>>("posten");
    QTest::addColumn<QStringList>("pauschalen");   // revenue, cost
    QTest::addColumn<QString>("meldung");
    const QString m = "922337203685477";   // the largest amount
    QTest::newRow("typed amount") << "" << 0 << 0 << QList<int>{5} << QStringList{"999999999999999", "0"}
                                  << "Der Betrag 999999999999999 liegt";
    QTest::newRow("revenue times colonies") << "" << 0 << 0 << QList<int>{5} << QStringList{m, "0"} << "Das Produkt";
    QTest::newRow("cost times colonies") << "" << 0 << 0 << QList<int>{16} << QStringList{"0", m} << "Das Produkt";
    QTest::newRow("revenue times years") << "" << 1 << 4 << QList<int>{5} << QStringList{m, "0"} << "Das Produkt";
    QTest::newRow("cost times years") << "" << 1 << 4 << QList<int>{16} << QStringList{"0", m} << "Das Produkt";
    QTest::newRow("totals row") << "" << 1 << 0 << QList<int>{5} << QStringList{m, "0"} << "Die Summe";
    QTest::newRow("revenues of a row") << "Honigernte:Honig_Wert=1000" << 1 << 4 << QList<int>{1, 5}
                                       << QStringList{m, "0"} << "Die Summe";
    QTest::newRow("costs of a row") << "Arbeiten:Kosten=1000" << 1 << 4 << QList<int>{10, 16} << QStringList{"0", m}
                                    << "Die Differenz";
    QTest::newRow("premium, years") << "Wanderung:Kosten=-" + m << 0 << 4 << QList<int>{11} << QStringList{"0", "0"}
                                    << "Die Differenz";
    QTest::newRow("premium, colonies") << "Wanderung:Kosten=-" + m << 1 << 4 << QList<int>{11}
                                       << QStringList{"0", "0"} << "Die Differenz";
  }
  void moneyBeyondItsRangeStopsTheListing() {
    QFETCH(QString, buchung);
    QFETCH(int, art);
    QFETCH(int, option);
    QFETCH(QList<int>, posten);
    QFETCH(QStringList, pauschalen);
    QFETCH(QString, meldung);
    if (!buchung.isEmpty()) {
      const QStringList t = buchung.split(QRegularExpression("[:=]"));
      Werte werte{{"Datum", datum("01.05.2009")}, {"Volk", anna_}, {t[1], t[2].toDouble()}};
      if (t[0] == "Wanderung") werte += {{"Standortprämie", 15.0}, {"Prämie_erhalten", "J"}};
      einfügen(t[0], werte);
    }
    const bool jahre = art == 1 && option == 4 && buchung.isEmpty();
    auto w = eingestellt({art, option, posten, jahre ? "2008" : "2009", "2009", pauschalen[0], pauschalen[1]});
    messages().expect("Die Daten konnten nicht gelistet werden.\r\n\r\n" + meldung);
    QCOMPARE(listen(*w).gezeigt, 0);
    QVERIFY(messages().allUsed());
  }

  // --- the window --------------------------------------------------------------------

  // Neither the stepping buttons nor the progress bar move a control.
  void keepsStill() { QCOMPARE(bewegt(*eingestellt({})), QStringList()); }

  void firstUseAndStoredOptions() {
    {
      auto w = geöffnet<IW_Deckungsbeitrag>();
      QVERIFY(w->optitieraus[0]->isChecked());
      QCOMPARE(w->optitieraus[0]->text(), QString("Alle im Bestand befindlichichen Völker"));   // as the users know it
      QCOMPARE(w->t(0).text() + w->t(1).text(), QString("20102010"));
      QVERIFY(w->optiauswertung[0]->isChecked());
      for (QCheckBox* k : w->konkost) QVERIFY(!k->isChecked());
      QCOMPARE(w->sevt(0).text() + " " + w->sevt(1).text(), QString("0,00 0,00"));
    }
    // A short or hand-edited text 18 restores only what it covers; only "1" ticks.
    common::deckungsbeitragsposten() = "12x1";
    common::pauschaleeinnahme() = "12,5";
    common::pauschalekosten() = "abc";
    common::jahrvon() = 2005;
    common::jahrbis() = 0;
    common::völkerauswahl() = 9;
    common::auswertungsart() = 5;
    {
      auto w = geöffnet<IW_Deckungsbeitrag>();
      QList<int> an;
      for (int i = 0; i < 17; ++i)
        if (w->konkost[i]->isChecked()) an << i;
      QCOMPARE(an, (QList<int>{0, 3}));
      QCOMPARE(w->t(0).text() + " " + w->t(1).text(), QString("2005 2005"));
      QVERIFY(w->optitieraus[0]->isChecked());
      QVERIFY(w->optiauswertung[0]->isChecked());
      QCOMPARE(w->sevt(0).text() + " " + w->sevt(1).text(), QString("12,5 abc"));
    }

    // The close box stores nothing; "&Schließen" stores what is on screen.
    for (bool schließen : {false, true}) {
      auto v = geöffnet<IW_Deckungsbeitrag>();
      v->konkost[16]->setChecked(true);
      v->sevt(1).setText("3,");
      v->optiauswertung[1]->setChecked(true);
      v->optitieraussetzen(2);
      ankreuzen(v->kontier, {1});
      v->t(1).setText("2008");
      if (schließen) v->beenden->click();
      else v->close();
      QCOMPARE(common::deckungsbeitragsposten() + " " + common::pauschaleeinnahme() + " " + common::pauschalekosten(),
               QString(schließen ? "10010000000000001 12,5 3," : "12x1 12,5 abc"));
    }
    QCOMPARE((QList<int>{common::jahrvon(), common::jahrbis(), common::völkerauswahl(), common::auswertungsart(),
                         common::volkspalten(0), common::volkspalten(1), common::volkspalten(2)}),
             (QList<int>{2005, 2008, 2, 1, 0, 1, 0}));
  }

  void currentColonyFollowsTheMainGrid() {
    common::völkerauswahl() = 4;
    haupt_.grid.setRow(0);
    auto w = geöffnet<IW_Deckungsbeitrag>();
    QVERIFY(w->optitieraus[0]->isChecked());
    QVERIFY(!w->optitieraus[4]->isEnabled());
    QCOMPARE(w->optitieraus[4]->text(), QString("Aktuelles Volk"));
    QVERIFY(w->nächster[0]->isHidden() && w->nächster[1]->isHidden());

    haupt_.grid.setRow(haupt_.grid.rows());
    w->Form_Activate();
    QVERIFY(w->optitieraus[4]->isEnabled());
    w->optitieraus[4]->click();
    QCOMPARE(w->optitieraus[4]->text(), QString("Aktuelles Volk 3 / Carl"));
    QVERIFY(!w->nächster[1]->isHidden());
    w->nächster[1]->click();   // from the last colony to the first
    QCOMPARE(haupt_.grid.row(), 1);
    QCOMPARE(w->optitieraus[4]->text(), QString("Aktuelles Volk 1 / Anna"));
  }

  // Only a positive whole number in the main grid's "ID" cell selects a colony.
  void currentColonyIdIsANumber_data() {
    QTest::addColumn<QString>("zelle");   // %1: Berta's ID
    QTest::addColumn<bool>("gelistet");
    QTest::newRow("the ID") << "%1" << true;
    QTest::newRow("blanks around it") << " %1 " << true;
    QTest::newRow("more SQL after it") << "%1 or 1=1" << false;
    QTest::newRow("empty") << "" << false;
  }
  void currentColonyIdIsANumber() {
    QFETCH(QString, zelle);
    QFETCH(bool, gelistet);
    ui::sevGrid grid;
    for (const char* spalte : {"Volknr", "Volkname", "ID"}) grid.addcolumn(spalte, spalte);
    grid.additem("2\tBerta\t" + zelle.arg(berta_) + "\t");
    grid.setRow(1);
    common::datali = &grid;
    auto w = eingestellt({1, 4, {10}});
    if (!gelistet) messages().expect("Keine zu listenden Daten gefunden");
    const Liste l = listen(*w);
    common::datali = &haupt_.grid;
    QCOMPARE(l.zeilen.mid(1), gelistet ? QStringList{"2\tBerta\t\t0,00 €\t0,00 €\t"} : QStringList{});
    QVERIFY(messages().allUsed());
  }

  void yearFieldsTakeDigitsOnly() {
    auto w = geöffnet<IW_Deckungsbeitrag>();
    w->show();
    QApplication::setActiveWindow(w.get());
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    QStringList ergebnis;
    for (const char* getippt : {"7", "85", "123", "x7"}) {
      w->t(0).setfocus();
      w->t(0).editor()->selectAll();
      QTest::keyClicks(w->t(0).editor(), getippt);
      QTest::keyClick(w->t(0).editor(), Qt::Key_Tab);
      ergebnis << w->t(0).text();
    }
    QCOMPARE(ergebnis, (QStringList{"2007", "1985", "", "2007"}));
    w->close();
  }
};

ZEVO_TEST_MAIN(TestDeckungsbeitrag)
#include "test_deckungsbeitrag.moc"
