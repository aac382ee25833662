// The summary columns of Bienenvolk brought up to date when the entry window
// closes: what each column takes, what is reset, and for which colonies.
#include "eingabetest.h"

using namespace zevo;
using namespace zevo::test;
using colonies::IE_Eingabe;

namespace {

// The named columns of one colony as text, joined by "|".
QString spalten(int volk, const QString& namen) {
  dao::Recordset rs = db().openRecordset("select " + namen + " from Bienenvolk where ID = " + QString::number(volk));
  QStringList t;
  for (int i = 0; i < rs.fieldCount(); ++i) t << (rs.fields(i).isNull() ? "Null" : rs.fields(i).text());
  rs.close();
  return t.join("|");
}

const QString stockkartenspalten =
    "Volkstärke, Mittelwände, Wabenanzahl, Brutstand, Wabensitz, Sanftmut, Schwarmtrieb, Frühjahrsentw, "
    "Winterfestigkeit, Varroaschäden, Belagert, Futtervorrat_flüssig, Futtervorrat_Teig, Futtervorrat_eigen";

const Werte vorher{{"Volkstärke", 7},
                   {"Mittelwände", 10},
                   {"Wabenanzahl", 9},
                   {"L_Honigernte", QDate(2006, 8, 1)},
                   {"L_Honigmenge_kg", 9.0},
                   {"Honigmenge_Gesamt", 99.0},
                   {"L_Behandlung", QDate(2006, 9, 1)},
                   {"Standort", "Heide"},
                   {"Königin_Nr", "alt"},
                   {"Königin_Farbe", "weiß"},
                   {"Königin_Zugangsdatum", QDate(2005, 5, 1)}};

}  // namespace

class EingabeZusammenfassung : public QObject {
  Q_OBJECT
  Hauptliste haupt;

private slots:
  void init() { eingabegrundzustand(); }

  void ohneBuchungenZurueckgesetzt() {
    const int v = volk("1", true, vorher);
    colonies::volkzusammenfassungen(db(), QString("/%1/").arg(v));
    QCOMPARE(spalten(v, stockkartenspalten), QString("0|0|0|0|0|0|0|0|0|0|0|0|0|0"));
    QCOMPARE(spalten(v, "L_Honigernte, L_Honigmenge_kg, Honigmenge_Gesamt, L_Behandlung"), QString("Null|0|0|Null"));
    // Site and queen are only ever taken, never reset.
    QCOMPARE(spalten(v, "Standort, Königin_Nr, Königin_Farbe, Königin_Zugangsdatum"),
             QString("Heide|alt|weiß|01.05.2005"));
  }

  void ausDenLetztenBuchungen() {
    const int v = volk("1", true, vorher);
    einfügen("Stockkarte", {{"Datum", datum("01.05.2007")}, {"Volkstärke", 3}, {"Volk", v}});
    einfügen("Stockkarte", {{"Datum", datum("01.06.2007")}, {"Volkstärke", 1}, {"Mittelwände", 2},
                            {"Waben", 3}, {"Brutstand", 4}, {"Wabensitz", 5}, {"Sanftmut", 6}, {"Schwarmtrieb", 7},
                            {"Frühjahrsentw", 8}, {"Winterfestigkeit", 9}, {"Varroaschäden", 10}, {"Belagert", 11},
                            {"Futter_flüssig_l", 1.5}, {"Futter_Teig_kg", 2.5}, {"Eigener_Futtervorrat", 3.5},
                            {"Volk", v}});
    einfügen("Honigernte", {{"Datum", datum("01.07.2007")}, {"Menge_kg", 2.5}, {"Volk", v}});
    einfügen("Honigernte", {{"Datum", datum("01.06.2007")}, {"Menge_kg", 4.0}, {"Volk", v}});
    einfügen("Wanderung", {{"Datum", datum("01.04.2007")}, {"Standort", "Raps"}, {"Volk", v}});
    einfügen("Wanderung", {{"Datum", datum("01.03.2007")}, {"Standort", "Wald"}, {"Volk", v}});
    einfügen("Behandlung", {{"Datum", datum("02.07.2007")}, {"Volk", v}});
    einfügen("Königinwechsel", {{"Datum", datum("03.07.2007")}, {"Nummer", " K'7 "}, {"Farbe", "grün"}, {"Volk", v}});
    // Two inspections of the same day: the one entered last counts.
    einfügen("Stockkarte", {{"Datum", datum("01.06.2007")}, {"Volkstärke", 99}, {"Volk", volk("2")}});
    colonies::volkzusammenfassungen(db(), QString("/%1/").arg(v));
    QCOMPARE(spalten(v, stockkartenspalten), QString("1|2|3|4|5|6|7|8|9|10|11|1,5|2,5|3,5"));
    QCOMPARE(spalten(v, "L_Honigernte, L_Honigmenge_kg, Honigmenge_Gesamt, L_Behandlung"),
             QString("01.07.2007|2,5|6,5|02.07.2007"));
    QCOMPARE(spalten(v, "Standort, Königin_Nr, Königin_Farbe, Königin_Zugangsdatum"),
             QString("Raps|K`7|grün|03.07.2007"));

    const int w = volk("3");
    einfügen("Stockkarte", {{"Datum", datum("01.06.2007")}, {"Volkstärke", 4}, {"Volk", w}});
    einfügen("Stockkarte", {{"Datum", datum("01.06.2007")}, {"Volkstärke", 6}, {"Volk", w}});
    colonies::volkzusammenfassungen(db(), QString("/%1/").arg(w));
    QCOMPARE(spalten(w, "Volkstärke"), QString("6"));
  }

  // Key 1 does not stand for key 12.
  void nurGebuchteVoelker() {
    for (int id : {1, 12})
      db().execute(QString("insert into Bienenvolk (ID, Volknr, Mittelwände, Honigmenge_Gesamt) "
                           "values (%1, '%1', 10, 99)").arg(id));
    const int eins = 1, zwölf = 12;
    colonies::volkzusammenfassungen(db(), "/12/");
    QCOMPARE(spalten(eins, "Mittelwände, Honigmenge_Gesamt"), QString("10|99"));
    QCOMPARE(spalten(zwölf, "Mittelwände, Honigmenge_Gesamt"), QString("0|0"));
  }

  // On closing, by the button or the close box, while the flag is set; the
  // booked colonies are kept from one opening to the next.
  void beimSchliessen() {
    const int anna = volk("1", true, vorher);
    const int berta = volk("2", true, vorher);
    auto w = eingabeöffnen(haupt, 1, 1, {1});
    w->cmdschließen_Click();
    QVERIFY(w->isUnloaded());
    QCOMPARE(spalten(anna, "Honigmenge_Gesamt"), QString("99"));   // the flag was 0

    w = eingabeöffnen(1);
    w->sevt(1).setText("5");
    w->neu_Click(0);
    w->cmdschließen_Click();
    QCOMPARE(spalten(anna, "Honigmenge_Gesamt"), QString("5"));

    common::völkerneulesen = 0;   // the main window read its grid again
    db().execute("update Bienenvolk set Honigmenge_Gesamt = 1");
    haupt.lesen(2);
    haupt.markieren({2});
    w = eingabeöffnen(2);
    w->neu_Click(0);
    w->show();
    QVERIFY(w->close());
    QVERIFY(w->isUnloaded());
    QCOMPARE(spalten(anna, "Honigmenge_Gesamt"), QString("5"));
    QCOMPARE(spalten(berta, "Honigmenge_Gesamt"), QString("0"));
  }

  // Deleting the latest harvest brings the colony's summaries back.
  void nachDemLoeschen() {
    const int v = volk("1", true, vorher);
    einfügen("Honigernte", {{"Datum", datum("01.06.2007")}, {"Menge_kg", 4.0}, {"Volk", v}});
    einfügen("Honigernte", {{"Datum", datum("01.07.2007")}, {"Menge_kg", 2.0}, {"Volk", v}});
    auto w = eingabeöffnen(haupt, 1);
    w->li->setRow(0);
    messages().expect("Bitte markieren Sie zuerst den Datensatz, den Sie löschen möchten.");
    w->löschen_Click();
    w->li->setRow(2);
    messages().expectNo("wirklich unwiederbringlich gelöscht");
    w->löschen_Click();
    QCOMPARE(common::völkerneulesen, 0);
    messages().expectYes("wirklich unwiederbringlich gelöscht");
    w->löschen_Click();
    QVERIFY(messages().allUsed());
    QCOMPARE(spalte("select Menge_kg from Honigernte"), QStringList{"4"});
    QCOMPARE(w->li->rows(), 1);
    QCOMPARE(common::völkerneulesen, 1);
    w->cmdschließen_Click();
    QCOMPARE(spalten(v, "L_Honigernte, L_Honigmenge_kg, Honigmenge_Gesamt"), QString("01.06.2007|4|4"));
  }
};

ZEVO_TEST_MAIN(EingabeZusammenfassung)
#include "test_eingabe_zusammenfassung.moc"
