// The colony data list: columns, choice, cells, stored marks and sort.
#include "auswertungstest.h"
#include "evaluations/iw_voelkerdaten.h"

using namespace zevo;
using namespace zevo::test;
using evaluations::IW_Völkerdaten;

class TestVoelkerdaten : public QObject {
  Q_OBJECT
  Hauptliste haupt_{false};   // marks only its current row

private slots:
  // 10 and 2 in stock (2 selected), 7 gone; Volknr is text: "10" < "2" < "7".
  void init() {
    datenbankbereitstellen();
    datenbankgrundzustand(datum("15.06.2007"));
    volk("2", true, {{"Volkname", "O'Neil"}, {"Standort", "Wald"}, {"Wabenanzahl", 12},
                     {"Volk_Einkaufspreis", 80}});
    db().execute("update Bienenvolk set Selektiert = 'X'");
    volk("10", true, {{"Volkname", "Anna"}, {"Standort", "Feld"}});
    volk("7", false, {{"Volkname", "Carl"}, {"Standort", "Heide"}});
    haupt_.lesen(2);   // "2"
  }

  void listing_data() {
    QTest::addColumn<int>("option");
    QTest::addColumn<QStringList>("markiert");   // in the order of marking
    QTest::addColumn<int>("sortierung");         // index of komsort
    QTest::addColumn<QStringList>("zeilen");
    QTest::newRow("table order, in stock") << 0 << QStringList{"Standort", "Volknr"} << 0
                                           << QStringList{"Volknr\tStandort\t", "10\tFeld\t", "2\tWald\t"};
    QTest::newRow("all, sorted by an unlisted column")
        << 1 << QStringList{"Volknr"} << 17 << QStringList{"Volknr\t", "10\t", "7\t", "2\t"};
    QTest::newRow("selected") << 2 << QStringList{"Volknr"} << 0 << QStringList{"Volknr\t", "2\t"};
    QTest::newRow("gone") << 3 << QStringList{"Volknr", "Volkname"} << 0 << QStringList{"Volknr\tVolkname\t", "7\tCarl\t"};
    QTest::newRow("current colony, cells")
        << 4 << QStringList{"Volkname", "Wabenanzahl", "Volk_Einkaufspreis", "Volk_Verkaufspreis", "Brutstand"} << 0
        << QStringList{"Volkname\tWabenanzahl\tBrutstand\tVolk_Einkaufspreis\tVolk_Verkaufspreis\t",
                       "O`Neil\t12\t\t80,00\t0,00\t"};
  }
  void listing() {
    QFETCH(int, option);
    QFETCH(QStringList, markiert);
    QFETCH(int, sortierung);
    QFETCH(QStringList, zeilen);
    Liste liste;
    listeabfangen(liste);
    auto w = geöffnet<IW_Völkerdaten>();
    w->optitieraus[option]->click();
    markieren(w->liste, {});
    for (const QString& m : markiert) markieren(w->liste, markierte(w->liste) << m);
    w->komsort->setListindex(sortierung);
    w->ok->click();
    QCOMPARE(liste.gezeigt, 1);
    QCOMPARE(liste.zeilen, zeilen);
    if (option == 4) {
      // Number columns right-aligned and numeric, also when Null.
      QCOMPARE(liste.ausrichtung, (QList<int>{0, 1, 1, 1, 1}));
      QCOMPARE(w->gridli->column("Brutstand").numeric(), 1);
      QVERIFY(w->anweisung().contains(" where ID = " + haupt_.grid.cell(2, "ID") + " order by Volknr"));
    }
    if (option == 1) QVERIFY(!w->anweisung().contains("where"));
  }

  // Nothing marked lists all 36 columns, the marking stays, and closing stores them.
  void nothingMarked() {
    Liste liste;
    listeabfangen(liste);
    auto w = geöffnet<IW_Völkerdaten>();
    QCOMPARE(w->liste->count(), 36);
    QCOMPARE(w->komsort->text(), QString("Volknr"));
    w->ok->click();
    QCOMPARE(liste.zeilen.first().count('\t'), 36);
    QCOMPARE(markierte(w->liste).size(), 36);
    w->beenden->click();
    QCOMPARE(common::völkerdatenfelder().count(';'), 37);
    QVERIFY(common::völkerdatenfelder().startsWith(";Volknr;Volkname;"));
    QVERIFY(common::völkerdatenfelder().endsWith(";Selektiert;ID;"));
  }

  // Stored marks: exact ";name;" matches only; the stored sort index comes back.
  void restore_data() {
    QTest::addColumn<QString>("felder");
    QTest::addColumn<int>("sortierung");
    QTest::addColumn<QStringList>("markiert");
    QTest::addColumn<QString>("sorttext");
    QTest::newRow("two") << ";Standort;Volknr;" << 17 << QStringList{"Volknr", "Standort"} << "Standort";
    QTest::newRow("semicolon only") << ";" << 1 << QStringList{} << "Volkname";
    QTest::newRow("empty") << "" << 0 << QStringList{} << "Volknr";
    QTest::newRow("no exact match") << "Volknr;volkname;;Standort" << 0 << QStringList{} << "Volknr";
    QTest::newRow("sort index without an entry") << ";Volknr;" << 99 << QStringList{"Volknr"} << "Volknr";
    QTest::newRow("negative sort index") << ";Volknr;" << -3 << QStringList{"Volknr"} << "Volknr";
  }
  void restore() {
    QFETCH(QString, felder);
    QFETCH(int, sortierung);
    QFETCH(QStringList, markiert);
    QFETCH(QString, sorttext);
    common::völkerdatenfelder() = felder;
    common::völkerdatensortierung() = sortierung;
    auto w = geöffnet<IW_Völkerdaten>();
    QCOMPARE(markierte(w->liste), markiert);
    QCOMPARE(w->komsort->text(), sorttext);
  }

  // A stored sort of 99 lists sorted by Volknr, with no database error.
  void sortWithoutEntry() {
    Liste liste;
    listeabfangen(liste);
    common::völkerdatensortierung() = 99;
    common::völkerdatenfelder() = ";Volknr;";
    common::völkerauswahl() = 1;
    auto w = geöffnet<IW_Völkerdaten>();
    w->ok->click();
    QCOMPARE(liste.zeilen, (QStringList{"Volknr\t", "10\t", "2\t", "7\t"}));
    // An empty sort text sorts nothing, and breaks nothing.
    w->komsort->setListindex(-1);
    w->ok->click();
    QCOMPARE(liste.gezeigt, 2);
    QCOMPARE(liste.zeilen.size(), 4);
    w->komsort->setListindex(0);
    w->beenden->click();
    QCOMPARE(common::völkerdatensortierung(), 0);
  }

  void nothingFound() {
    Liste liste;
    listeabfangen(liste);
    db().execute("update Bienenvolk set Selektiert = ''");
    auto w = geöffnet<IW_Völkerdaten>();
    w->optitieraus[2]->click();
    w->gridli->addcolumn("alt", "Alt");
    w->gridli->additem("vorher\t");
    messages().expect("Es wurden lt. den aktuellen Einstellungen keine Völker gefunden!");
    w->ok->click();
    QVERIFY(messages().allUsed());
    QCOMPARE(liste.gezeigt, 0);
    QCOMPARE(w->gridli->cell(1, 1), QString("vorher"));
  }
};

ZEVO_TEST_MAIN(TestVoelkerdaten)
#include "test_voelkerdaten.moc"
