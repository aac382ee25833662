// The statistics: the road from the menu, stored options, year checks, cells and averages.
#include "auswertungsweg.h"

#include "common/einstellungen.h"
#include "evaluations/iw_statistiken.h"
#include "evaluations/statistikkatalog.h"
#include "common/routinen.h"
#include "platform/runtime/files.h"
#include "platform/runtime/textfile.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>

using namespace zevo;
using evaluations::IW_Statistiken;

namespace {

void markieren(IW_Statistiken& w, const QStringList& beschriftungen) {
  for (int i = 0; i < w.li1->count(); ++i)
    w.li1->item(i)->setSelected(beschriftungen.contains(w.li1->item(i)->text()));
}

QStringList markiert(IW_Statistiken& w) {
  QStringList out;
  for (auto* item : w.li1->selectedItems()) out << item->text();
  return out;
}

std::unique_ptr<IW_Statistiken> geladen() {
  auto w = std::make_unique<IW_Statistiken>();
  w->Form_Load();
  w->show();
  return w;
}

}  // namespace

class TestStatistiken : public QObject {
  Q_OBJECT
  std::unique_ptr<shell::IA_ZEVO> haupt;

private slots:
  void init() { haupt = test::auswertungsgrundzustand(); }
  void cleanup() { haupt.reset(); }

  void catalogueKeysAndCaptions() {
    // Every query runs on the schema as it stands.
    for (const auto& s : evaluations::statistiken)
      common::datenbank.openRecordset(evaluations::abfrage(s) +
                                      " where Datum >= #01/01/2007# and Datum <= #12/31/2007# and Volk = 1" +
                                      QString::fromUtf8(s.zusatz));
  }

  // The road: menu item, four statistics with the average row, the list
  // window and its text table; reopening marks the same four.
  void fromTheMenuToTheTextExport() {
    const int v = test::neuesvolk("1");
    test::buchen("Honigernte", {{"Datum", test::tag("12.05.2007")}, {"Menge_kg", 10}, {"Honig_Wert", 25}, {"Volk", v}});
    test::buchen("Honigernte", {{"Datum", test::tag("20.06.2007")}, {"Menge_kg", 5}, {"Honig_Wert", 15}, {"Volk", v}});
    test::buchen("Honigernte", {{"Datum", test::tag("20.06.2005")}, {"Menge_kg", 7}, {"Honig_Wert", 9}, {"Volk", v}});
    haupt->datenvölkerlesen();
    const QStringList vier{"Anzahl Honigernten", "Gesamte Honigernte (kg)", "Durchschn. Honigwert je kg",
                           "Gesamter Honigwert"};
    test::forms().on("IA_Textausgabe", [](vb::Form* f) { f->unload(); });
    QStringList text;
    test::Liste* liste = nullptr;
    test::forms().onWindow<IW_Statistiken>("IW_Statistiken", [&](IW_Statistiken& w) {
      markieren(w, vier);
      w.konschnitt->setChecked(true);
      w.kontier[0]->setChecked(true);
      liste = &test::listeabfangen([&](output::IA_Zwischenliste& l) {
        l.comtext_Click();
        text = vb::readLines(common::datenpfad + "LISTE.TXT");
      });
      w.ok_click(0);
      w.beenden_click();
    });
    haupt->menüpunkt("XW_Statistiken")->trigger();
    QVERIFY(liste && liste->geöffnet);
    QCOMPARE(liste->titel, (QStringList{"Volknr", "Anz_Honigernten", "G_Honigernte", "D_Honigwert", "G_Honigwert"}));
    QCOMPARE(liste->rechts, (QList<int>{2, 3, 4, 5}));
    QCOMPARE(liste->zeilen, (QStringList{"1|2|15,0|2,67 €|40,00 €", "SCHNITT|2,0|15,0|2,7|40,0"}));
    const QString alles = text.join('\n');
    for (const char* s : {"Anz_Honigernten", "2,67 €", "40,00 €", "SCHNITT", "2,7", "40,0"})
      QVERIFY2(alles.contains(QString::fromUtf8(s)), s);

    QStringList wieder;
    test::forms().onWindow<IW_Statistiken>("IW_Statistiken", [&](IW_Statistiken& w) {
      wieder = markiert(w);
      w.beenden_click();
    });
    haupt->menüpunkt("XW_Statistiken")->trigger();
    QCOMPARE(wieder, vier);
  }

  void optionsKeptBetweenOpenings() {
    {   // first opening without settings
      auto w = geladen();
      QCOMPARE(w->t(0).text() + "-" + w->t(1).text(), QString("2007-2007"));
      QVERIFY(markiert(*w).isEmpty());
      QVERIFY(!w->konschnitt->isChecked() && !w->kontier[0]->isChecked() && !w->kontier[2]->isChecked());
      QCOMPARE(w->li1x->count(), 35);
    }
    const QStringList paare[] = {{"G_Wachswert"}, {"Durchschn. Honigernte (kg)", "Gesamte Honigernte (kg)"}};
    for (const QStringList& auswahl : paare) {
      auto w = geladen();
      markieren(*w, auswahl);
      w->kontier[1]->setChecked(true);
      w->beenden_click();
      auto w2 = geladen();
      QCOMPARE(markiert(*w2), auswahl);
      QVERIFY(w2->kontier[1]->isChecked() && !w2->kontier[0]->isChecked());
    }
    // Typing "98" and leaving the box completes it; closing stores 1998.
    auto w = geladen();
    QApplication::setActiveWindow(w.get());
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    w->t(0).setfocus();
    QTest::keyClick(w->t(0).editor(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(w->t(0).editor(), "98");
    QCOMPARE(w->t(0).text(), QString("98"));
    QTest::keyClick(w->t(0).editor(), Qt::Key_Tab);
    QVERIFY(!w->t(0).editor()->hasFocus());
    QCOMPARE(w->t(0).text(), QString("1998"));
    w->beenden_click();
    QCOMPARE(common::jahrvon(), 1998);
    // A stored year out of range comes back as the current year.
    common::jahrbis() = 2100;
    auto w3 = geladen();
    QCOMPARE(w3->t(0).text() + "-" + w3->t(1).text(), QString("1998-2007"));
  }

  void checksAndCorrections() {
    struct Fall {
      const char* von;
      const char* bis;
      int knopf;
      const char* grund;   // "" = listed
      const char* nicht;   // the other reason, not given
      int zeilen;
      const char* boxen;   // the two boxes afterwards; "" = as typed
    } fälle[] = {
        {"2000", "2020", 1, "", "", 21, ""},
        {"2000", "2021", 1, "max. 20 Jahre", "nicht höher", 0, ""},
        {"2005", "2004", 0, "nicht höher sein darf", "max. 20", 0, ""},
        {"2006", "2006", 1, "", "", 1, ""},
        // Three characters (no year): the current year, visibly, and no database error.
        {"200", "200", 0, "", "", 1, "2007-2007"},
        // An empty box counts 0 in the checks, and is not filled in when they refuse.
        {"", "2007", 1, "max. 20 Jahre", "nicht höher", 0, ""},
        {"2007", "", 0, "nicht höher sein darf", "max. 20", 0, ""},
        {"", "", 1, "", "", 1, "2007-2007"},
        // Passed as typed; with the current year in the from box the range is refused.
        {"1890", "1905", 1, "nicht höher sein darf", "max. 20", 0, "2007-1905"},
    };
    test::neuesvolk("1");
    for (const Fall& f : fälle) {
      test::resetScripts();
      auto w = geladen();
      w->t(0).setText(f.von);
      w->t(1).setText(f.bis);
      w->kontier[1]->setChecked(true);
      test::Liste& liste = test::listeabfangen();
      if (*f.grund) test::messages().expect("Die Statisktik kann nicht erstellt werden, weil...");
      w->ok_click(f.knopf);
      QVERIFY(test::messages().allUsed());
      QCOMPARE(liste.zeilen.size(), f.zeilen);
      QCOMPARE(w->t(0).text() + "-" + w->t(1).text(), QString(*f.boxen ? f.boxen : f.von + QString("-") + f.bis));
      if (*f.grund) {
        QCOMPARE(test::messages().count(), 1);
        const QString text = test::messages().last();
        QVERIFY(text.contains(QString::fromUtf8(f.grund)));
        QVERIFY(!text.contains(QString::fromUtf8(f.nicht)));
        continue;
      }
      // Nothing was marked: everything is, and stays marked.
      QCOMPARE(liste.titel.size(), 36);
      QCOMPARE(markiert(*w).size(), 35);
    }
  }

  void leadingColumns() {
    test::neuesvolk("1", true, {{"Standort", "Wiese"}});
    struct Fall {
      QList<bool> ticks;
      QString erste;
      QStringList titel;
    } fälle[] = {
        {{false, true, false}, "Volk 1", {"Volkname", "Anz_Honigernten"}},
        {{false, false, false}, "1|Volk 1|Wiese", {"Volknr", "Volkname", "Standort", "Anz_Honigernten"}},
    };
    for (const Fall& f : fälle) {
      auto w = geladen();
      markieren(*w, {"Anzahl Honigernten"});
      for (int i = 0; i < 3; ++i) w->kontier[i]->setChecked(f.ticks[i]);
      test::Liste& liste = test::listeabfangen();
      w->ok_click(0);
      QCOMPARE(liste.titel, f.titel);
      QCOMPARE(liste.zeilen, QStringList{f.erste + "|0"});
      QCOMPARE(w->kontier[0]->isChecked(), f.titel.size() == 4);
    }
  }

  void cellsAndAverages() {
    const int a = test::neuesvolk("1");
    const int b = test::neuesvolk("2", false);
    test::neuesvolk("0");   // listed before colony 1 by its number
    for (const auto& [d, j, volk] : {std::tuple{"01.05.2005", "J", a}, {"02.05.2005", "N", a},
                                     {"01.05.2007", "J", b}, {"03.05.2007", "J", a}, {"04.05.2007", "", a}})
      test::buchen("Wanderung",
                   {{"Datum", test::tag(d)}, {"Prämie_erhalten", j}, {"Standortprämie", 10}, {"Volk", volk}});
    test::buchen("Wachsernte", {{"Datum", test::tag("01.05.2006")}, {"Wachs_Wert", 1.15}, {"Volk", a}});
    // The first and the last day of the range count, the days around it not.
    for (const char* d : {"31.12.2004", "01.01.2005", "01.05.2005", "02.05.2005", "01.05.2007", "02.05.2007",
                          "03.05.2007", "04.05.2007", "31.12.2007", "01.01.2008"})
      test::buchen("Honigernte", {{"Datum", test::tag(d)}, {"Volk", a}});

    struct Fall {
      QStringList statistiken;
      int knopf;
      QStringList zeilen;
    } fälle[] = {
        // per year, all colonies: 2, 0 and 2 premiums ... and the average over the non-zero years
        {{"Anzahl Standortprämien", "Gesamte Standortprämie"},
         1,
         {"2005|1|10,00 €", "2006|0|0,00 €", "2007|2|20,00 €", "SCHNITT|1,5|15,0"}},
        // harvests 3, 0, 5: 4,0; a value without a quantity: the currency form of 0; all zero: 0,0
        {{"Durchschn. Wachsert je kg", "Anzahl Honigernten"}, 1,
         {"2005|3|0,00 €", "2006|0|0,00 €", "2007|5|0,00 €", "SCHNITT|4,0|0,0"}},
        // per colony, the whole range: 3 + 5
        {{"Anzahl Honigernten"}, 0, {"0|0", "1|8", "SCHNITT|8,0"}},
        // the average of the cells as they read: 1,15 gives 1,2
        {{"G_Wachswert"}, 1, {"2005|0,00 €", "2006|1,15 €", "2007|0,00 €", "SCHNITT|1,2"}},
        // per colony in stock: colony 2 is gone
        {{"Anzahl Standortprämien", "Durchschn. Standortprämie"}, 0,
         {"0|0|0,00 €", "1|2|10,00 €", "SCHNITT|2,0|10,0"}},
    };
    for (const Fall& f : fälle) {
      auto w = geladen();
      w->t(0).setText("2005");
      w->t(1).setText("2007");
      w->kontier[0]->setChecked(true);
      w->konschnitt->setChecked(true);
      markieren(*w, f.statistiken);
      test::Liste& liste = test::listeabfangen();
      w->ok_click(f.knopf);
      QCOMPARE(liste.zeilen, f.zeilen);
    }
  }

  // A sum whose text comes in exponent form (0,00004 kg) is read as that
  // number, not as its digits (4); the year beside it is read as it was.
  void aSumInExponentFormIsItsNumber() {
    const int a = test::neuesvolk("1");
    test::buchen("Honigernte", {{"Datum", test::tag("01.05.2006")}, {"Menge_kg", 0.00004}, {"Honig_Wert", 1}, {"Volk", a}});
    test::buchen("Honigernte", {{"Datum", test::tag("01.05.2007")}, {"Menge_kg", 2}, {"Honig_Wert", 5}, {"Volk", a}});
    auto w = geladen();
    w->t(0).setText("2006");
    w->t(1).setText("2007");
    markieren(*w, {"Gesamte Honigernte (kg)", "Durchschn. Honigwert je kg"});
    test::Liste& liste = test::listeabfangen();
    w->ok_click(1);
    QCOMPARE(liste.zeilen, (QStringList{"2006|0,0|25.000,00 €", "2007|2,0|2,50 €"}));
  }

  // A row's statistics of one table come from one statement: every cell,
  // the ratios too, reads as the statistic's own query gives it, per colony
  // and per year, for every statistic and for a few of several tables.
  void cellsAsEachOwnQueryGives() {
    const int a = test::neuesvolk("1");
    const int b = test::neuesvolk("2");
    const char* tage[] = {"03.05.2006", "01.05.2005", "02.05.2006", "01.05.2006", "04.05.2005"};
    for (int i = 0; i < 5; ++i) {
      const int volk = i % 2 ? a : b;
      const QDate tag = test::tag(tage[i]);
      const double x = 1.1 + 2.35 * i;
      test::buchen("Honigernte", {{"Datum", tag}, {"Menge_kg", x}, {"Honig_Wert", 3 * x + 1}, {"Volk", volk}});
      test::buchen("Wachsernte", {{"Datum", tag}, {"Menge_kg", x / 2}, {"Wachs_Wert", x + 4}, {"Volk", volk}});
      test::buchen("Pollenernte", {{"Datum", tag}, {"Menge_g", 10 * x}, {"Pollen_Wert", 7 - x}, {"Volk", volk}});
      test::buchen("Wanderung", {{"Datum", tag}, {"Prämie_erhalten", i % 3 ? "J" : "N"},
                                 {"Standortprämie", 5 + i}, {"Volk", volk}});
      test::buchen("Gewichtsmessung", {{"Datum", tag}, {"Gewicht_kg", 30 + x}, {"Volk", volk}});
      test::buchen("Stockkarte", {{"Datum", tag}, {"Volkstärke", i + 1}, {"Brutstand", 4 - i}, {"Waben", 2 * i},
                                  {"Futter_flüssig_l", x}, {"Futter_Teig_kg", 0.3 * i}, {"Volk", volk}});
    }
    QStringList alle;
    for (const auto& s : evaluations::statistiken) alle << QString::fromUtf8(s.beschriftung);
    const QStringList einige{"Gesamte Honigernte (kg)", "Durchschn. Honigwert je kg", "Durchschn. Pollenwert je g",
                             "Durchschn. Standortprämie", "Anzahl Stockkarten-Buchungen",
                             "Durchschn. Futter Teig lt. Stockkarte"};
    // The cells of one row, each from the statistic's own query.
    auto erwartet = [](const QStringList& auswahl, const QString& bedingung) {
      QStringList zellen;
      for (const auto& s : evaluations::statistiken) {
        if (!auswahl.contains(QString::fromUtf8(s.beschriftung))) continue;
        dao::Recordset rs = common::datenbank.openRecordset(evaluations::abfrage(s) + bedingung +
                                                           QString::fromUtf8(s.zusatz));
        double wert = common::zahlaustext(rs.fields("summe").value());
        if (s.verhältnis()) wert = wert > 0 ? common::zahlaustext(rs.fields("summe1").value()) / wert : 0.0;
        zellen << evaluations::statistikzelle(s.format, wert);
      }
      return zellen.join('|');
    };
    for (const QStringList& auswahl : {alle, einige}) {
      auto w = geladen();
      w->t(0).setText("2005");
      w->t(1).setText("2006");
      w->kontier[0]->setChecked(true);
      markieren(*w, auswahl);
      test::Liste& liste = test::listeabfangen();
      w->ok_click(0);
      QStringList soll;
      for (const auto& [nr, id] : {std::pair{"1", a}, {"2", b}})
        soll << nr + QString("|") +
                    erwartet(auswahl, QString(" where Datum >= #01/01/2005# and Datum <= #12/31/2006# and Volk = %1")
                                          .arg(id));
      QCOMPARE(liste.zeilen, soll);
      w->ok_click(1);
      soll.clear();
      for (const char* jahr : {"2005", "2006"})
        soll << jahr + QString("|") +
                    erwartet(auswahl, QString(" where Datum >= #01/01/%1# and Datum <= #12/31/%1#").arg(jahr));
      QCOMPARE(liste.zeilen, soll);
    }
  }

  void noColonyInStock() {
    test::neuesvolk("1", false);
    for (bool schnitt : {false, true}) {
      test::resetScripts();
      auto w = geladen();
      w->konschnitt->setChecked(schnitt);
      test::Liste& liste = test::listeabfangen();
      if (!schnitt) test::messages().expect("Keine zu listenden Daten gefunden");
      w->ok_click(0);
      QVERIFY(test::messages().allUsed());
      QCOMPARE(liste.geöffnet, schnitt);
      if (schnitt) QCOMPARE(liste.zeilen.size(), 1);
    }
  }

  void aFailingQueryIsReportedAndTheWindowStaysUsable() {
    test::neuesvolk("1");
    auto w = geladen();
    markieren(*w, {"Anzahl Honigernten"});
    {
      test::TabelleWeg weg("Honigernte");
      test::messages().expect("Die Statistik konnte nicht erstellt werden.");
      test::Liste& liste = test::listeabfangen();
      w->ok_click(0);
      QVERIFY(test::messages().allUsed());
      QCOMPARE(test::messages().count(), 1);
      QVERIFY(!liste.geöffnet);
      QVERIFY(w->meter->isHidden());
      QVERIFY(!w->gridli->locked());
    }
    test::Liste& liste = test::listeabfangen();
    w->ok_click(0);
    QCOMPARE(liste.zeilen, QStringList{"1|Volk 1||0"});
  }
};

ZEVO_TEST_MAIN(TestStatistiken)
#include "test_statistiken.moc"
