// The purchases, sales and stock window: one sale of honey from the stock
// end to end through the main window, the save and delete rules of each
// tab, the totals line and typed input.
#include "handeltest.h"
#include "support/raster.h"
#include "support/hauptfenster.h"

#include "output/registry.h"
#include "trade/iw_deckungsbeitrag.h"
#include "trade/iw_honiglager.h"
#include "evaluations/listenlesen.h"
#include "trade/registry.h"

#include <QAction>
#include <QClipboard>
#include <QLabel>
#include <QProcess>
#include <QPushButton>

using namespace zevo;
using namespace zevo::test;

namespace {

const QString weil = "Die Daten werden nicht gespeichert, weil..." + common::zeilenumbruch + common::zeilenumbruch;
const QString z = common::zeilenumbruch;

}  // namespace

class TestEinVerkaufLager : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() {
    trade::registerTradeForms();
    output::registerOutputForms();
  }

  void init() {
    datenbankbereitstellen();
    datenbankgrundzustand(datum("15.06.2007"));
  }

  // The road of one sale of honey from the stock, as the beekeeper goes it.
  void roadOfOneSale() {
    common::eingabepiepton() = 1;
    {
      auto w = handelsfenster("2");
      zeigen(*w);
      tippen(w->sevt(1), "Blütenhonig");
      tippen(w->sevt(2), "20");
      QTest::mouseClick(w->neu[0], Qt::LeftButton);
      w->beenden_click();
    }
    QCOMPARE(lager(), QStringList{"15.06.2007|Blütenhonig|20|0||0"});
    QCOMPARE(beeps(), 1);

    vb::printer().setPdfOutput(QDir::temp().filePath("zevo-handel-test.pdf"));
    dienstezeichnen();
    auto haupt = gestartet();
    QVERIFY(haupt->menüpunkt("XV_verkauf")->isEnabled());
    int s = 0;
    forms().onWindow<IV_EinVerkauf_Lager>("IV_EinVerkauf_Lager", [&](IV_EinVerkauf_Lager& w) {
      QCOMPARE(w.sstab->tab(), 1);
      QCOMPARE(felder(w, 12, 18), QString("15.06.2007||||0||0"));
      QCOMPARE(w.sevt(18).displayText(), QString("0,00 €"));
      zeigen(w);
      tippen(w.sevt(13), "Blütenhonig");
      tippen(w.sevt(16), "3");
      tippen(w.sevt(18), "18,00");
      QTest::mouseClick(w.neuverkauf[0], Qt::LeftButton);
      s = anzahl("select max(ID) from Verkauf");
      QCOMPARE(zeilen("select Datum, Produkt, Menge, Einnahmen, ID from Verkauf"),
               QStringList{"15.06.2007|Blütenhonig|3|18|" + QString::number(s)});
      QCOMPARE(beeps(), 2);
      QCOMPARE(lager(), (QStringList{"15.06.2007|Blütenhonig|20|0||0",
                                     "15.06.2007|Blütenhonig|0|3||" + QString::number(s)}));
      QCOMPARE(w.lihonig->rows(), 2);
      QCOMPARE(bestand(w), QString("Blütenhonig|17,00|2|20,00|3,00"));
      w.rosumme_click();
      QCOMPARE(w.bezsumme->text(), QString("Einkauf: 0,00 €   Verkauf: 18,00 €   Summe: 18,00 €"));

      // "&Listen" on the stock tab: "Lagerbestand" shows the sale.
      forms().onWindow<trade::IW_Honiglager>("IW_Honiglager", [](trade::IW_Honiglager& h) {
        const Liste l = auswertunglesen(h, 4);
        QCOMPARE(l.spalten, (QStringList{"Produkt", "Summe > #", "Anzahl > #", "Zugänge > #", "Abgänge > #"}));
        QCOMPARE(l.zeilen, QStringList{"Blütenhonig|17,00|2|20,00|3,00"});
        h.beenden_Click();
      });
      forms().on("IW_EinVerkauf", [](vb::Form* f) { f->unload(); });
      QTest::mouseClick(w.ok, Qt::LeftButton);
      w.sstab->setTab(2);
      QTest::mouseClick(w.ok, Qt::LeftButton);
      w.beenden_click();
    });
    haupt->menüpunkt("XV_verkauf")->trigger();

    // The contribution margin of this year counts the takings; its menu item
    // waits for a colony in the main grid.
    QVERIFY(!haupt->menüpunkt("XW_Deckungsbeiträge")->isEnabled());
    volkanlegen("1", "X");
    common::völkerneulesen = 1;
    haupt->Form_Activate();
    QVERIFY(haupt->menüpunkt("XW_Deckungsbeiträge")->isEnabled());
    QStringList deckung;
    forms().onWindow<output::IA_Zwischenliste>("IA_Zwischenliste", [&](output::IA_Zwischenliste& z) {
      for (int r = 0; r <= z.gridli->rows(); ++r) {
        QStringList zellen;
        for (int c = 1; c <= z.gridli->cols(); ++c)
          zellen << (r == 0 ? z.gridli->column(c).caption() : z.gridli->cell(r, c));
        deckung << zellen.mid(0, 2).join('|') + "|" + zellen.last();
      }
      z.cmdschließen_Click();
    });
    forms().onWindow<trade::IW_Deckungsbeitrag>("IW_Deckungsbeitrag", [](trade::IW_Deckungsbeitrag& d) {
      QVERIFY(d.optiauswertung[0]->isChecked());
      QCOMPARE(d.t(0).text() + "-" + d.t(1).text(), QString("2007-2007"));
      QTest::mouseClick(d.ok, Qt::LeftButton);
      d.beenden_click();
    });
    haupt->menüpunkt("XW_Deckungsbeiträge")->trigger();
    QCOMPARE(deckung, (QStringList{"Jahr|E_Verkäufe|Summe", "2007|18,00 €|18,00 €", "SUMME|18,00 €|18,00 €"}));

    forms().onWindow<IV_EinVerkauf_Lager>("IV_EinVerkauf_Lager", [&](IV_EinVerkauf_Lager& w) {
      zeigen(w);
      w.liverkauf->setRow(1);
      w.liverkauf_rowclick(1);
      QCOMPARE(w.sevt(13).text() + "|" + w.sevt(16).text(), QString("Blütenhonig|3"));
      // Changed to 5: its booking replaced; deleted: its booking gone.
      tippen(w.sevt(16), "5");
      w.sstab->setTab(1);
      QTest::mouseClick(w.neuverkauf[1], Qt::LeftButton);
      const QStringList nachher = lager();
      QCOMPARE(nachher.size(), 2);
      QCOMPARE(nachher[1], "15.06.2007|Blütenhonig|0|5||" + QString::number(s));
      QVERIFY(anzahl("select ID from Honiglager where EVK_ID = " + QString::number(s)) > 2);
      QCOMPARE(bestand(w), QString("Blütenhonig|15,00|2|20,00|5,00"));

      QProcess sqlite;
      sqlite.start("sqlite3", {"-batch", common::datenbankpfad, "select Datum, Einnahmen from Verkauf"});
      QVERIFY(sqlite.waitForFinished());
      QCOMPARE(QString::fromUtf8(sqlite.readAllStandardOutput()).trimmed(), QString("2007-06-15|18.0"));

      messages().expectYes("Soll der markierte Datensatz wirklich unwiederbringlich gelöscht werden?");
      QTest::mouseClick(w.lschverkauf, Qt::LeftButton);
      QCOMPARE(lager(), QStringList{"15.06.2007|Blütenhonig|20|0||0"});
      QCOMPARE(bestand(w), QString("Blütenhonig|20,00|1|20,00|0,00"));
      QCOMPARE(anzahl("select count(*) from Verkauf"), 0);
      w.beenden_click();
    });
    haupt->menüpunkt("XV_verkauf")->trigger();
    QCOMPARE(forms().shown(), (QStringList{"IV_EinVerkauf_Lager", "IW_EinVerkauf", "IW_Honiglager", "IA_Zwischenliste",
                                           "IW_Deckungsbeitrag", "IA_Zwischenliste", "IV_EinVerkauf_Lager"}));
  }

  // Each menu item opens its tab; a hand-over outside the tabs gives the first.
  void startTab() {
    const QList<std::pair<QString, int>> fälle{{"0", 0}, {"1", 1}, {"2", 2}, {"3", 0}, {"x", 0}};
    for (const auto& [übergabe, tab] : fälle) QCOMPARE(handelsfenster(übergabe)->sstab->tab(), tab);
  }

  // The reasons of each tab: every failed check on its own line, nothing written.
  void reasons_data() {
    QTest::addColumn<int>("erstes");
    QTest::addColumn<QStringList>("werte");   // from the date field on
    QTest::addColumn<QString>("gründe");      // "" = stored
    const QString datum = "...das Datum korrekt angegeben werden muß." + z;
    const QString produkt = "...das Produkt angegeben werden muß." + z;
    const QString menge = "...die Menge über 0 liegen muß." + z;
    const QString lager = "...entweder eine Zugangs- oder Abgangsmenge eingetragen werden muß." + z;
    QTest::newRow("purchase: no product, nothing") << einkaufsfelder << QStringList{"01.05.2007", " ", "", "", "0"}
                                                   << produkt + menge;
    QTest::newRow("sale: half a kilo") << verkaufsfelder << QStringList{"01.05.2007", "Raps", "", "", "0,5"} << "";
    QTest::newRow("sale: minus one") << verkaufsfelder << QStringList{"01.05.2007", "Raps", "", "", "-1"} << menge;
    QTest::newRow("sale: impossible date") << verkaufsfelder << QStringList{"31.02.2007", "Raps", "", "", "1"}
                                           << datum;
    QTest::newRow("purchase: letters for a date") << einkaufsfelder << QStringList{"abc", "", "", "", "-2"}
                                                  << datum + produkt + menge;
    QTest::newRow("purchase: empty date") << einkaufsfelder << QStringList{"", "Raps", "", "", "2"} << datum;
    QTest::newRow("stock: nothing in, nothing out") << lagerfelder << QStringList{"01.05.2007", "Raps", "0", "0"}
                                                    << lager;
    QTest::newRow("stock: minus two in") << lagerfelder << QStringList{"1.5.2007", "Raps", "-2", "0"} << "";
    QTest::newRow("stock: minus two and a half out") << lagerfelder << QStringList{"1.5.2007", "Raps", "0", "-2,5"}
                                                     << "";
    QTest::newRow("stock: everything missing") << lagerfelder << QStringList{"", "", "", ""}
                                               << datum + produkt + lager;
    // "&Ändern" without a current row, on each tab, after the reasons passed.
    const QString markieren = "Bitte markieren Sie zuerst den Datensatz, den Sie ändern möchten!";
    QTest::newRow("purchase: change without a row") << einkaufsfelder << QStringList{"01.05.2007", "Raps", "", "", "2"}
                                                    << markieren;
    QTest::newRow("sale: change without a row") << verkaufsfelder << QStringList{"01.05.2007", "Raps", "", "", "2"}
                                                << markieren;
    QTest::newRow("stock: change without a row") << lagerfelder << QStringList{"01.05.2007", "Raps", "2"} << markieren;
  }
  void reasons() {
    QFETCH(int, erstes);
    QFETCH(QStringList, werte);
    QFETCH(QString, gründe);
    auto w = handelsfenster();
    eintragen(*w, erstes, werte);
    const bool ändern = gründe.startsWith("Bitte");
    const QString meldung = gründe.isEmpty() || ändern ? gründe : weil + gründe;
    if (!meldung.isEmpty()) messages().expect(meldung);
    if (erstes == einkaufsfelder) w->neueinkauf_click(ändern);
    else if (erstes == verkaufsfelder) w->neuverkauf_click(ändern);
    else w->neu_click(ändern);
    QVERIFY(messages().allUsed());
    QCOMPARE(messages().texts(), meldung.isEmpty() ? QStringList{} : QStringList{meldung});
    QCOMPARE(zeilen("select Menge from Einkauf") + zeilen("select Menge from Verkauf") +
                 zeilen("select Datum, Zugang, Abgang from Honiglager"),
             gründe.isEmpty() ? QStringList{erstes ? werte[4] : "01.05.2007|" + werte[2] + "|" + werte[3]}
                              : QStringList{});
  }

  // After "&Neu" the new row is current and shown, the date kept; "&Ändern"
  // changes that row; deleting the only row leaves the fields as they were.
  void saveShowsRowAndDeleteKeepsFields() {
    db().execute("insert into Einkauf (Datum, Produkt, Menge, Ausgaben) values (#03/01/2007#, 'Gläser', 100, 45)");
    auto w = handelsfenster();
    eintragen(*w, einkaufsfelder, {"1.5.2007", "Imker's Glas", "fein", "Müller", "2,5", "St", "12,3"});
    w->neueinkauf_click(0);
    QCOMPARE(w->lieinkauf->rows(), 2);
    QCOMPARE(w->lieinkauf->row(), 2);
    QCOMPARE(felder(*w, 5, 11), QString("01.05.2007|Imker`s Glas|fein|Müller|2,5|St|12,3"));
    QCOMPARE(w->sevt(11).displayText(), QString("12,30 €"));
    w->sevt(9).setText("3");
    w->neueinkauf_click(1);
    QCOMPARE(zeilen("select Datum, Produkt, Menge, Ausgaben from Einkauf order by ID"),
             (QStringList{"01.03.2007|Gläser|100|45", "01.05.2007|Imker`s Glas|3|12,3"}));
    QCOMPARE(w->sevt(6).listcount(), 2);   // the lists refilled

    w->lieinkauf->setRow(1);
    w->lscheinkauf_click();
    w->lscheinkauf_click();
    QCOMPARE(w->lieinkauf->rows(), 0);
    QCOMPARE(felder(*w, 5, 11), QString("01.05.2007|Imker`s Glas|fein|Müller|3|St|12,3"));
    messages().expect("Bitte markieren Sie zuerst den Datensatz, den Sie löschen möchten.");
    w->lscheinkauf_click();
    QVERIFY(messages().allUsed());
  }

  // After "&Neu" the saved row is current and shown wherever its date sorts
  // it: each list is read oldest first, not in the order of entry.
  void savedRowShownWhereItSorts_data() {
    QTest::addColumn<int>("erstes");
    QTest::newRow("purchase") << einkaufsfelder;
    QTest::newRow("sale") << verkaufsfelder;
    QTest::newRow("stock") << lagerfelder;
  }
  void savedRowShownWhereItSorts() {
    QFETCH(int, erstes);
    const Werte linde{{"Datum", datum("01.03.2007")}, {"Produkt", "Linde"}, {"Menge", 1.0}};
    if (erstes == lagerfelder) lagerzeile("01.03.2007", "Linde", 1);
    else einfügen(erstes == einkaufsfelder ? "Einkauf" : "Verkauf", linde);
    auto w = handelsfenster();
    if (erstes == lagerfelder) {
      eintragen(*w, erstes, {"01.02.2007", "Raps", "2"});
      w->neu_click(0);
    } else {
      eintragen(*w, erstes, {"01.02.2007", "Raps", "", "", "2"});
      if (erstes == einkaufsfelder) w->neueinkauf_click(0);
      else w->neuverkauf_click(0);
    }
    ui::sevGrid& g = erstes == einkaufsfelder ? *w->lieinkauf : erstes == verkaufsfelder ? *w->liverkauf : *w->lihonig;
    QCOMPARE(g.cell(1, "Produkt") + "|" + g.cell(2, "Produkt"), QString("Raps|Linde"));
    QCOMPARE(g.row(), 1);
    QCOMPARE(w->sevt(erstes).text() + "|" + w->sevt(erstes + 1).text(), QString("01.02.2007|Raps"));
  }

  // A header click sorts a list by its column; the row then clicked, or
  // reached with an arrow key, is the one shown and deleted, with its booking.
  void headerClickThenDelete() {
    auto w = handelsfenster();
    zeigen(*w);
    const QStringList produkte{"Raps", "Linde", "Akazie"};
    for (int i = 0; i < 3; ++i) {
      lagerzeile("01.01.2007", produkte[i], 10);
      eintragen(*w, einkaufsfelder, {QString("0%1.05.2007").arg(i + 1), produkte[i], "", "", "1"});
      w->neueinkauf_click(0);
    }
    headerClick(*w->lieinkauf, "Produkt");
    cellClick(*w->lieinkauf, 2, "Menge");
    QCOMPARE(w->sevt(6).text(), QString("Linde"));
    gridKey(*w->lieinkauf, Qt::Key_Up);
    QCOMPARE(w->sevt(6).text(), QString("Akazie"));
    QTest::mouseClick(w->lscheinkauf, Qt::LeftButton);
    QCOMPARE(zeilen("select Produkt from Einkauf order by ID"), (QStringList{"Raps", "Linde"}));
    QCOMPARE(zeilen("select Produkt from Honiglager where EVK_ID <> 0 order by ID"), (QStringList{"Raps", "Linde"}));
  }

  // The totals line, in the currency scale.
  void totals_data() {
    QTest::addColumn<QStringList>("einkäufe");
    QTest::addColumn<QStringList>("verkäufe");
    QTest::addColumn<QString>("zeile");
    QTest::newRow("empty") << QStringList{} << QStringList{} << "Einkauf: 0,00 €   Verkauf: 0,00 €   Summe: 0,00 €";
    QTest::newRow("one purchase") << QStringList{"5,00"} << QStringList{}
                                  << "Einkauf: 5,00 €   Verkauf: 0,00 €   Summe: -5,00 €";
    QTest::newRow("cents") << QStringList{"0,1", "0,2"} << QStringList{"12345,67", "0,3"}
                           << "Einkauf: 0,30 €   Verkauf: 12.345,97 €   Summe: 12.345,67 €";
    // Amounts whose ten-thousandths a double does not hold exactly; half a cent rounds up.
    QTest::newRow("cents no double holds") << QStringList{"0,57", "1,15"} << QStringList{"2675,005"}
                                           << "Einkauf: 1,72 €   Verkauf: 2.675,01 €   Summe: 2.673,29 €";
  }
  void totals() {
    QFETCH(QStringList, einkäufe);
    QFETCH(QStringList, verkäufe);
    QFETCH(QString, zeile);
    auto w = handelsfenster();
    for (const QString& betrag : einkäufe) {
      eintragen(*w, einkaufsfelder, {"01.05.2007", "Gläser", "", "", "1", "", betrag});
      w->neueinkauf_click(0);
    }
    for (const QString& betrag : verkäufe) {
      eintragen(*w, verkaufsfelder, {"01.05.2007", "Raps", "", "", "1", "", betrag});
      w->neuverkauf_click(0);
    }
    w->rosumme_click();
    QCOMPARE(w->bezsumme->text(), zeile);
    QCOMPARE(handelsfenster()->bezsumme->text(), zeile);   // also at opening
  }

  // Totals beyond the range of money are told, never wrapped.
  void totalsBeyondTheRange_data() {
    QTest::addColumn<double>("einkauf");
    QTest::addColumn<double>("verkauf");   // stored twice
    QTest::addColumn<QString>("meldung");
    QTest::newRow("sales minus purchases") << -922337203685477.0 << 461168601842738.0 << "Die Differenz";
    QTest::newRow("sum of the sales") << 0.0 << 922337203685477.0 << "Der Betrag 1.84467e+15";
  }
  void totalsBeyondTheRange() {
    QFETCH(double, einkauf);
    QFETCH(double, verkauf);
    QFETCH(QString, meldung);
    einfügen("Einkauf", {{"Produkt", "Gläser"}, {"Ausgaben", einkauf}});
    for (int i = 0; i < 2; ++i) einfügen("Verkauf", {{"Produkt", "Raps"}, {"Einnahmen", verkauf}});
    messages().expect("Die Summen konnten nicht gelesen werden.\r\n\r\n" + meldung);
    QCOMPARE(handelsfenster()->bezsumme->text(), QString());
    QVERIFY(messages().allUsed());
  }

  // Money is read and summed exactly: through a Single "12345,67" would be
  // 12.345,6699, a thousand sales of 1.234,56 would drift by ten cents and
  // a cent more would vanish from the sum.
  void moneyToTheCent() {
    auto w = handelsfenster("1");
    eintragen(*w, verkaufsfelder, {"01.05.2007", "Raps", "", "", "1", "", "12345,67"});
    w->neuverkauf_click(0);
    QCOMPARE(db().openRecordset("select Einnahmen from Verkauf").fields(0).value().toDouble(), 12345.67);
    db().execute("delete from Verkauf");
    const double gelesen = common::zahlaustextgenau(QString("1234,56"));
    {
      dao::Transaction t(db());
      for (int i = 0; i < 1000; ++i) einfügen("Verkauf", {{"Datum", datum("01.05.2007")}, {"Einnahmen", gelesen}});
      t.commit();
    }
    w->rosumme_click();
    QCOMPARE(w->bezsumme->text(), QString("Einkauf: 0,00 €   Verkauf: 1.234.560,00 €   Summe: 1.234.560,00 €"));
    einfügen("Verkauf", {{"Datum", datum("01.05.2007")}, {"Einnahmen", 0.01}});
    w->rosumme_click();
    QCOMPARE(w->bezsumme->text(), QString("Einkauf: 0,00 €   Verkauf: 1.234.560,01 €   Summe: 1.234.560,01 €"));
  }

  // What a user types or pastes ("paste:"): letters and a second comma
  // refused, a minus only in the quantities, texts cut by the fields' lengths.
  void typing_data() {
    QTest::addColumn<int>("feld");
    QTest::addColumn<QString>("tasten");
    QTest::addColumn<QString>("text");
    QTest::newRow("letters in a quantity") << 9 << "1a2b" << "12";
    QTest::newRow("second comma") << 16 << "1,5,2" << "1,52";
    QTest::newRow("minus in a quantity") << 16 << "-1" << "-1";
    QTest::newRow("minus in stock in") << 2 << "-2,5" << "-2,5";
    QTest::newRow("no minus for money") << 18 << "-18,5x" << "18,5";
    QTest::newRow("money to the cent") << 11 << "3,999" << "3,99";
    QTest::newRow("eight characters") << 11 << "123456789" << "12345678";
    QTest::newRow("letters in a date") << 12 << "1a.5.2007" << "1.5.2007";
    QTest::newRow("product of twenty") << 13 << "Sommertrachthonig 500g" << "Sommertrachthonig 50";
    QTest::newRow("unit of two") << 17 << "kg " << "kg";
    QTest::newRow("pasted letters") << 16 << "paste:12abc" << "0";
  }
  void typing() {
    QFETCH(int, feld);
    QFETCH(QString, tasten);
    QFETCH(QString, text);
    auto w = handelsfenster(feld >= 12 ? "1" : feld >= 5 ? "0" : "2");
    zeigen(*w);
    if (tasten.startsWith("paste:")) {
      QApplication::clipboard()->setText(tasten.mid(6));
      w->sevt(feld).setfocus();
      w->sevt(feld).editor()->selectAll();
      QTest::keyClick(w->sevt(feld).editor(), Qt::Key_V, Qt::ControlModifier);
    } else {
      tippen(w->sevt(feld), tasten);
    }
    QCOMPARE(w->sevt(feld).text(), text);
  }

  // Tab walks the stock fields as they stand: the left column, then the right.
  void tabOrderOfStock() {
    auto w = handelsfenster("2");
    zeigen(*w);
    w->sevt(0).setfocus();
    QStringList weg;
    for (int i = 0; i < 4; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      for (const int f : {0, 1, 2, 3, 4})
        if (w->sevt(f).editor()->hasFocus()) weg << QString::number(f);
    }
    QCOMPARE(weg.join(' '), QString("1 4 2 3"));
  }


  // A long product and apostrophes arrive whole and as backticks.
  void productTexts() {
    lagerzeile("01.01.2007", "Imker`s Honig", 10);
    auto w = handelsfenster("1");
    eintragen(*w, verkaufsfelder, {"01.05.2007", "Imker's Honig", "", "\"Zur Linde\"", "2"});
    w->neuverkauf_click(0);
    eintragen(*w, verkaufsfelder, {"01.05.2007", "Sommertrachthonig 50", "", "", "1"});
    w->neuverkauf_click(0);
    QCOMPARE(zeilen("select Produkt, Abnehmer from Verkauf order by ID"),
             (QStringList{"Imker`s Honig|\"Zur Linde\"", "Sommertrachthonig 50|"}));
    QCOMPARE(lager().size(), 2);
    QCOMPARE(lager()[1].section('|', 1, 3), QString("Imker`s Honig|0|2"));
    w->liverkauf->setRow(1);
    w->lschverkauf_click();
    QCOMPARE(lager().size(), 1);
  }

  // The column widths of the bound grids: at least 25, saved at once.
  void columnWidths() {
    auto w = handelsfenster();
    w->lieinkauf->column(2).setWidth(10);
    w->lieinkauf_colresize(2, 10);
    w->lieinkauf->column(3).setWidth(1500);
    w->lieinkauf_colresize(3, 1500);
    auto v = handelsfenster();
    QCOMPARE(v->lieinkauf->column(2).width(), 25);
    QCOMPARE(v->lieinkauf->column(3).width(), 1500);
    QVERIFY(v->liverkauf->column(3).width() != 1500);
  }
};

ZEVO_TEST_MAIN(TestEinVerkaufLager)
#include "test_einverkauf_lager.moc"
