// What the entry window's fields do while the beekeeper types: values and
// costs, the Mittelwände/Waben label, the treatment prefill, and the default
// mask files of each kind.
#include "eingabetest.h"

#include "platform/runtime/textfile.h"

#include <QFile>

using namespace zevo;
using namespace zevo::test;
using colonies::IE_Eingabe;

class EingabeFelder : public QObject {
  Q_OBJECT
  Hauptliste haupt;
  int anna = 0, berta = 0;

private slots:
  void init() {
    eingabegrundzustand();
    anna = volk("1", true, {{"Volkname", "Anna"}});
    berta = volk("2", true, {{"Volkname", "Berta"}});
  }

  void werte_data() {
    QTest::addColumn<int>("art");
    QTest::addColumn<int>("einstellung");
    QTest::addColumn<float>("satz");
    QTest::addColumn<int>("mengenfeld");
    QTest::addColumn<QString>("menge");
    QTest::addColumn<int>("wertfeld");
    QTest::addColumn<QString>("wert");
    QTest::newRow("Honig") << 1 << 0 << 6.5f << 1 << "12,5" << 6 << "81,25";
    QTest::newRow("sieben Stellen") << 1 << 0 << 3.33f << 1 << "0,1" << 6 << "0,333";
    QTest::newRow("keine Zahl") << 1 << 0 << 3.33f << 1 << "" << 6 << "0";
    QTest::newRow("Wachs") << 2 << 1 << 9.0f << 1 << "1,5" << 5 << "13,5";
    QTest::newRow("Pollen") << 3 << 2 << 0.05f << 1 << "250" << 5 << "12,5";
    QTest::newRow("Sonstiges") << 4 << 3 << 0.2f << 2 << "30" << 6 << "6";
  }

  void werte() {
    QFETCH(int, art);
    QFETCH(int, einstellung);
    QFETCH(float, satz);
    QFETCH(int, mengenfeld);
    QFETCH(QString, menge);
    QFETCH(int, wertfeld);
    QFETCH(QString, wert);
    common::einstellungwert[einstellung] = satz;
    auto w = eingabeöffnen(haupt, art);
    w->sevt(mengenfeld).setText("1");
    w->sevt(mengenfeld).setText(menge);
    QCOMPARE(w->sevt(wertfeld).text(), wert);
    w->sevt(wertfeld).setText("99,00");   // the value typed by hand stands until the quantity changes
    w->sevt(wertfeld - 1).setText("5,00");
    QCOMPARE(w->sevt(wertfeld).text(), QString("99,00"));
  }

  void kosten_data() {
    QTest::addColumn<int>("art");
    QTest::addColumn<int>("zeitfeld");
    for (const auto& [art, zeit] : {std::pair{1, 4}, {2, 3}, {3, 3}, {4, 4}, {5, 2}, {6, 2}, {7, 2}, {8, 6}, {9, 5}})
      QTest::addRow("%d", art) << art << zeit;
  }

  void kosten() {
    QFETCH(int, art);
    QFETCH(int, zeitfeld);
    auto w = eingabeöffnen(haupt, art);
    common::stundensatz() = 0;
    w->sevt(zeitfeld + 1).setText("7,00");
    w->sevt(zeitfeld).setText("1,5");
    QCOMPARE(w->sevt(zeitfeld + 1).text(), QString("7,00"));
    common::stundensatz() = 12;
    w->sevt(zeitfeld).setText("1,50");
    QCOMPARE(w->sevt(zeitfeld + 1).text(), QString("18,00"));
  }

  // The row copy and the default mask set fields in index order: the stored
  // value wins over the one computed on the way.
  void gespeicherterWertGewinnt() {
    common::honigwert() = 10;
    einfügen("Honigernte", {{"Datum", datum("01.07.2007")}, {"Menge_kg", 4.0}, {"Honig_Wert", 25.0}, {"Volk", anna}});
    auto w = eingabeöffnen(haupt, 1);
    QCOMPARE(w->sevt(6).text(), QString("25"));
    w->sevt(1).setText("3");
    w->sevt(6).setText("17,00");
    messages().expect("gespeichert.");
    w->standard_Click(0);
    w->sevt(1).setText("8");
    QCOMPARE(w->sevt(6).text(), QString("80"));
    w->standard_Click(1);
    QCOMPARE(w->sevt(1).text(), QString("3"));
    QCOMPARE(w->sevt(6).text(), QString("17,00"));
  }

  void mittelwaendeUndWaben() {
    einfügen("Stockkarte", {{"Datum", datum("01.07.2007")}, {"Mittelwände", 5}, {"Waben", 10}, {"Volk", anna}});
    auto w = eingabeöffnen(haupt, 0);
    QVERIFY(w->bezmw->isHidden());
    w->sevt(10).setText("8");
    QVERIFY(!w->bezmw->isHidden());
    QCOMPARE(w->bezmw->text(), QString("MW: 5 (3)   WZ: 10 (0)"));
    w->sevt(10).setText("3");
    QCOMPARE(w->bezmw->text(), QString("MW: 5 (-2)   WZ: 10 (0)"));
    w->sevt(11).setText("12");
    QCOMPARE(w->bezmw->text(), QString("MW: 5 (-2)   WZ: 10 (2)"));
    // A colony without inspections: the bases of the last copy stand.
    w->nextvolk1_Click(1);
    QVERIFY(w->bezmw->isHidden());
    w->sevt(0).setText("16.07.2007");
    QCOMPARE(w->bezmw->text(), QString("MW: 5 (-5)   WZ: 10 (-10)"));
  }

  void behandlungVorbelegen() {
    einfügen("Behandlung", {{"Datum", datum("01.08.2006")}, {"Behandlungsart", "Sommer"}, {"Mittel", "Oxal`säure"},
                            {"Menge_g", 30}, {"Zulassungsnr", "A-1"}, {"Wartezeit", 5}, {"Volk", anna}});
    einfügen("Behandlung", {{"Datum", datum("02.08.2006")}, {"Behandlungsart", "Sommer"}, {"Mittel", "Ameisensäure"},
                            {"Menge_g", 12}, {"Zulassungsnr", "B-2"}, {"Wartezeit", 0}, {"Volk", berta}});
    auto w = eingabeöffnen(haupt, 8);   // Anna's own treatment is in the mask
    QCOMPARE(w->sevt(2).text(), QString("Oxal`säure"));
    w->sevt(1).setText("Sommer");
    w->sevt_LostFocus(1);
    QCOMPARE(maske(*w).mid(0, 5), (QStringList{"Sommer", "Ameisensäure", "12,00", "B-2", "0"}));
    w->sevt(2).setText("Oxal'säure");
    w->sevt(1).setText("Winter");
    w->sevt_ListPick(2);
    QCOMPARE(maske(*w).mid(0, 5), (QStringList{"Winter", "Oxal'säure", "30,00", "A-1", "5"}));
    // Nothing found, or another field: nothing changes.
    w->sevt(1).setText("Unbekannt");
    w->sevt_LostFocus(1);
    w->sevt_LostFocus(4);
    QCOMPARE(maske(*w).mid(0, 5), (QStringList{"Unbekannt", "Oxal'säure", "30,00", "A-1", "5"}));
  }

  void standardOhneJNZeile() {
    auto w = eingabeöffnen(haupt, 6);
    w->sevt(1).setText("Grünland");
    w->sevt(5).setText("J");
    const QString datei = IE_Eingabe::standarddatei(6);
    QCOMPARE(datei, vb::programFolder() + "ZEVO_IE_EINGABE_STD6.ZE1");
    messages().expect("Die aktuelle Eingabemaske wurde unter dem Dateinamen " + QDir::toNativeSeparators(datei) +
                      " gespeichert.");
    w->standard_Click(0);
    QFile f(datei);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray inhalt = f.readAll();
    QCOMPARE(inhalt.count("\r\n"), 14);   // fields 1..16 without the note and the J/N field
    QVERIFY(inhalt.startsWith("Gr\xfcnland\r\n0,00\r\n"));
    w->sevt(1).setText("anders");
    w->sevt(5).setText("N");
    w->standard_Click(1);
    QCOMPARE(w->sevt(1).text(), QString("Grünland"));
    QCOMPARE(w->sevt(5).text(), QString("N"));
    w->opti_Click(5);
    w->standard_Click(1);   // no file of kind 5: nothing changes, nothing is said
    QCOMPARE(w->sevt(1).text(), QString());
    QVERIFY(messages().allUsed());
  }

  void standardNichtSchreibbar() {
    auto w = eingabeöffnen(haupt, 1);
    common::datenpfad = vb::programFolder() + "fehlt/";
    messages().expect("Die aktuelle Eingabemaske wurde nicht gespeichert, weil die Datei");
    w->standard_Click(0);
    QVERIFY(messages().allUsed());
    QVERIFY(!QFile::exists(IE_Eingabe::standarddatei(1)));
  }
};

ZEVO_TEST_MAIN(EingabeFelder)
#include "test_eingabe_felder.moc"
