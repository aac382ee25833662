// The road of one hive record: a honey harvest typed once and saved for two
// marked colonies, the due harvest dates marked done, and the main grid's
// summary columns up to date after closing.
#include "colonies/registry.h"
#include "eingabetest.h"

using namespace zevo;
using namespace zevo::test;
using colonies::IE_Eingabe;

class EingabeWeg : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { colonies::registerColonyForms(); }
  void init() { eingabegrundzustand(); }

  void honeyHarvestForTwoColonies() {
    const int anna = volk("1", true, {{"Volkname", "Anna"}});
    const int berta = volk("2");
    const int clara = volk("3");
    einfügen("Honigernte", {{"Datum", datum("20.06.2007")}, {"Menge_kg", 4.0}, {"Volk", anna}});
    for (int v : {anna, berta, clara, 0})
      for (const char* tag : {"01.06.2007", "15.07.2007", "10.08.2007"})
        einfügen("Termine", {{"Datum", datum(tag)}, {"Termin", "Honigernte"}, {"Erledigt", "N"}, {"Volk", v}});
    // A date of another kind of work, due before the harvest: no harvest does it.
    einfügen("Termine", {{"Datum", datum("01.06.2007")}, {"Termin", "Schwarmkontrolle"}, {"Erledigt", "N"}, {"Volk", anna}});
    common::honigwert() = 6.5f;
    Hauptliste haupt;
    haupt.lesen(1);
    haupt.markieren({1, 2});

    forms().onWindow<IE_Eingabe>("IE_Eingabe", [&](IE_Eingabe& w) {
      QCOMPARE(w.windowTitle(), QString("Bewegungsdaten für das Volk:  1 / Anna"));
      QCOMPARE(w.sevt(0).text(), QString("20.06.2007"));   // the latest harvest is in the mask
      w.sevt(0).setText("15.07.2007");
      w.sevt(1).setText("12,5");
      QCOMPARE(w.sevt(6).text(), QString("81,25"));
      w.sevt(2).setText("Linde");
      messages().expectYes("Es sind im Moment 2 Völker markiert. Soll die Buchung wirklich bei allen markierten "
                           "Völkern eingetragen werden?");
      w.neu_Click(0);
      QCOMPARE(w.li->rows(), 2);
      w.cmdschließen_Click();
    });
    common::eingabeart = 1;
    vb::showForm("IE_Eingabe");
    QVERIFY(messages().allUsed());
    QCOMPARE(beeps(), 1);

    QCOMPARE(spalte("select Volk from Honigernte where Datum = #07/15/2007# order by Volk"),
             (QStringList{QString::number(anna), QString::number(berta)}));
    QCOMPARE(spalte("select Honig_Wert from Honigernte where Datum = #07/15/2007# and Honigsorte = 'Linde'"),
             (QStringList{"81,25", "81,25"}));
    // Due dates up to the booking day are done, for the booked colonies only.
    QCOMPARE(termine(anna, "Honigernte") + termine(berta, "Honigernte"),
             (QStringList{"01.06!", "15.07!", "10.08", "01.06!", "15.07!", "10.08"}));
    QCOMPARE(termine(clara, "Honigernte") + termine(0, "Honigernte"),
             (QStringList{"01.06", "15.07", "10.08", "01.06", "15.07", "10.08"}));
    QCOMPARE(termine(anna, "Schwarmkontrolle"), QStringList{"01.06"});
    QCOMPARE(common::völkerneulesen, 1);

    // The main window reads its grid again and shows the new summaries.
    haupt.lesen(1);
    QCOMPARE(haupt.grid.cell(1, "L_Honigernte"), QString("15.07.2007"));
    QCOMPARE(haupt.grid.cell(1, "L_Honigmenge_kg"), QString("12,5"));
    QCOMPARE(haupt.grid.cell(1, "Honigmenge_Gesamt"), QString("16,5"));
    QCOMPARE(haupt.grid.cell(2, "Honigmenge_Gesamt") + haupt.grid.cell(3, "L_Honigernte"), QString("12,5"));
  }
};

ZEVO_TEST_MAIN(EingabeWeg)
#include "test_eingabe_weg.moc"
