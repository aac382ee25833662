// The entry window's writing side: new records for the marked colonies, the
// due dates marked done, changing and deleting a record, what is refused,
// and the colonies' summary columns.
#include "eingabetest.h"
#include "support/datenbank.h"
#include "support/plattevoll.h"

#include <QPushButton>

#include <sqlite3.h>

using namespace zevo;
using namespace zevo::test;
using colonies::IE_Eingabe;

namespace {

void termin(int volk, const char* tag, const QString& art) {
  einfügen("Termine", {{"Datum", datum(tag)}, {"Termin", art}, {"Erledigt", "N"}, {"Volk", volk}});
}

const QString zusammenfassung = "Volkstärke, Mittelwände, Wabenanzahl, Belagert, Futtervorrat_eigen, L_Honigernte, "
                                "L_Honigmenge_kg, Honigmenge_Gesamt, L_Behandlung, Standort, Königin_Nr, Königin_Farbe, "
                                "Königin_Zugangsdatum";
const Werte vorher{{"Volkstärke", 7}, {"Mittelwände", 10}, {"L_Honigernte", QDate(2006, 8, 1)},
                   {"Honigmenge_Gesamt", 99.0}, {"L_Behandlung", QDate(2006, 9, 1)}, {"Standort", "Heide"},
                   {"Königin_Nr", "alt"}, {"Königin_Farbe", "weiß"}};

}  // namespace

class EingabeSpeichern : public QObject {
  Q_OBJECT
  Hauptliste haupt;
  QList<int> völker;

private slots:
  void init() {
    eingabegrundzustand();
    völker.clear();
    for (const char* nr : {"1", "2", "3", "4", "5"}) völker << volk(nr, true, vorher);
  }

  // Refused: nothing is written, the main grid need not be read again.
  void refusedSavesWriteNothing() {
    for (const auto& [tag, marken, knopf, meldung] :
         {std::tuple{"31.02.2026", QList<int>{1}, 0, "weil das Datum nicht korrekt ist."},
          {"15.07.2007", QList<int>{}, 0, "Bitte markieren Sie zuerst die Völker"},
          {"15.07.2007", QList<int>{1}, 1, "Bitte markieren Sie zuerst den Datensatz, den Sie ändern möchten!"}}) {
      auto w = eingabeöffnen(haupt, 2, 1, marken);
      w->sevt(0).setText(tag);
      messages().expect(meldung);
      w->neu_Click(knopf);
      QVERIFY(messages().allUsed());
    }
    QCOMPARE(anzahl("select count(*) from Wachsernte"), 0);
    QCOMPARE(common::völkerneulesen, 0);
  }

  // Texts through feldtext, German numbers, the J/N field, whole numbers.
  void valuesAsTheyAreStored() {
    auto w = eingabeöffnen(haupt, 6, 1, {1});
    for (const auto& [feld, text] : {std::pair{1, " it's "}, {2, "1,5"}, {4, "1.234,5"}, {5, "J"}, {6, "B's"}})
      w->sevt(feld).setText(text);
    w->opti_Click(6);   // the kind shown: nothing happens
    ListePrüfen liste(*w->li);
    w->neu_Click(0);
    QVERIFY(liste.nurfrei());   // the records are read once the new one is committed
    QCOMPARE(werte(anzahl("select ID from Wanderung"),
                   "Standort, Zeit_h, Standortprämie, Prämie_erhalten, Bemerkung, Datum, Volk", "Wanderung"),
             QString("it`s|1,5|1234,5|J|B`s|15.07.2007|%1").arg(völker[0]));
    w->opti_Click(8);
    w->sevt(3).setText("12,00");   // a prefilled quantity in a whole-number field
    w->neu_Click(0);
    QCOMPARE(spalte("select Menge_g from Behandlung"), QStringList{"12"});
  }

  // A full disk is named in both messages, the colony's and the batch's, and
  // nothing of the batch stays: neither a note nor a date marked done.
  void aFullDiskIsNamed() {
    db().execute("update Arbeitsplanoptionen set Auto_erledigt_Buchung = 'Notizen' where Arbeitsart = 'Brutkontrolle'");
    for (int v : völker) termin(v, "01.07.2007", "Brutkontrolle");
    auto w = eingabeöffnen(haupt, 10, 1, {1, 2, 3});
    {
      PlatteVoll voll(common::datenbankpfad);
      w->sevt15->setPlainText(QString(voll.mehralsfrei(), QLatin1Char('n')));
      messages().expectYes("Es sind im Moment 3 Völker markiert.");
      messages().expect("Die Buchung für das Volk 1 wurde nicht ausgeführt");
      messages().expect("Die Buchungen wurden nicht gespeichert");
      w->neu_Click(0);
    }
    QVERIFY(messages().allUsed());
    for (const vb::MessageRequest& m : messages().shown().mid(1))
      QVERIFY2(m.text.endsWith("Nicht genügend Speicherplatz auf dem Datenträger."), qPrintable(m.text));
    QCOMPARE(anzahl("select count(*) from Notizen"), 0);
    QCOMPARE(termine(völker[0], "Brutkontrolle"), QStringList{"01.07"});
    QCOMPARE(beeps(), 0);
    w->close();
  }

  // A change works on the listed colony's selected record, wherever the main grid stands.
  void changingARecord() {
    const int v = völker[2];
    termin(v, "01.06.2007", "Honigernte");
    const int alt = einfügen("Honigernte", {{"Datum", datum("01.05.2007")}, {"Menge_kg", 2.0}, {"Volk", v}});
    einfügen("Honigernte", {{"Datum", datum("01.07.2007")}, {"Menge_kg", 8.0}, {"Volk", v}});
    auto w = eingabeöffnen(haupt, 1, 3, {3, 4});
    w->li->setRow(1);
    w->li_RowClick(1);
    QCOMPARE(w->sevt(1).text(), QString("2"));
    w->sevt(0).setText("02.06.2007");
    w->sevt(1).setText("3,5");
    haupt.grid.setRow(4);   // as a site pick does
    messages().expect("Die Änderung wird deshalb nur beim aktuellen Volk 3 auf dem ausgewählten Datensatz");
    ListePrüfen liste(*w->li);
    w->neu_Click(1);
    QVERIFY(messages().allUsed());
    QVERIFY(liste.nurfrei());
    QCOMPARE(werte(alt, "Datum, Menge_kg, Volk", "Honigernte"), QString("02.06.2007|3,5|%1").arg(v));
    QCOMPARE(termine(v, "Honigernte"), QStringList{"01.06!"});
    QCOMPARE(colonies::ie_eingabeWerte().gebuchtevölker, QString("/%1/").arg(v));

    haupt.markieren({3});
    db().execute("delete from Honigernte where ID = " + QString::number(alt));
    messages().expect("weil der ausgewählte Datensatz nicht mehr vorhanden ist.");
    w->sevt(1).setText("9");
    w->neu_Click(1);
    QVERIFY(messages().allUsed());
    QCOMPARE(spalte("select Menge_kg from Honigernte"), QStringList{"8"});
  }

  // A value whose text would come in exponent form ("1,625E+08") reaches
  // the field in plain digits, from the quantity and from the record list,
  // and is saved as itself, not as its digits.
  void largeValuesKeepTheirNumber() {
    const int v = völker[0];
    common::einstellungwert[0] = 6.5f;
    const int alt = einfügen("Honigernte", {{"Datum", datum("01.05.2007")}, {"Menge_kg", 25000000.0},
                                            {"Honig_Wert", 162500000.0}, {"Volk", v}});
    auto w = eingabeöffnen(haupt, 1, 1, {1});
    w->li->setRow(1);
    w->li_RowClick(1);
    QCOMPARE(w->sevt(1).text() + "|" + w->sevt(6).text(), QString("25000000|162500000"));
    w->sevt(7).setText("geändert");
    w->neu_Click(1);
    QCOMPARE(werte(alt, "Menge_kg, Honig_Wert, Bemerkung", "Honigernte"), QString("2,5E+07|162500000|geändert"));   // the Single as cstr writes it
    w->sevt(1).setText("1");
    w->sevt(1).setText("40000000");
    QCOMPARE(w->sevt(6).text(), QString("260000000"));
    w->neu_Click(0);
    QCOMPARE(spalte("select Honig_Wert from Honigernte where Bemerkung = 'geändert' order by ID"),
             (QStringList{"162500000", "260000000"}));
  }

  // "No" to the question writes nothing. A colony whose record cannot be
  // written keeps its dates open; those before it are booked, those after not.
  void aFailureLeavesNothingHalfDone() {
    for (int v : völker) termin(v, "01.07.2007", "Honigernte");
    roh(QString("create trigger kaputt before insert on Honigernte when new.Volk = %1 "
                "begin select raise(abort, 'Platte voll'); end").arg(völker[1]));
    auto w = eingabeöffnen(haupt, 1, 1, {1, 2, 3});
    messages().expectNo("Es sind im Moment 3 Völker markiert.");
    w->neu_Click(0);
    QCOMPARE(anzahl("select count(*) from Honigernte"), 0);
    messages().expectYes("Es sind im Moment 3 Völker markiert.");
    messages().expect("Die Buchung für das Volk 2 wurde nicht ausgeführt, weil die Datenbank einen Fehler meldet:");
    w->neu_Click(0);
    roh("drop trigger kaputt");
    QVERIFY(messages().allUsed());
    QCOMPARE(spalte("select Volk from Honigernte"), QStringList{QString::number(völker[0])});
    QCOMPARE(termine(völker[0], "Honigernte") + termine(völker[1], "Honigernte") + termine(völker[2], "Honigernte"),
             (QStringList{"01.07!", "01.07", "01.07"}));
    QCOMPARE(colonies::ie_eingabeWerte().gebuchtevölker, QString("/%1/").arg(völker[0]));
    QCOMPARE(beeps(), 0);   // the tone tells of a batch saved whole

    // With the table gone a changed and a new record are each told once.
    w = eingabeöffnen(haupt, 1, 1, {1});
    QVERIFY(showActive(*w));
    w->li->setRow(1);
    std::optional<TabelleWeg> weg("Honigernte");
    for (QPushButton* knopf : {w->neu[1], w->neu[0]}) {
      messages().expect("Die Buchung für das Volk 1 wurde nicht ausgeführt");
      QTest::mouseClick(knopf, Qt::LeftButton);
    }
    QVERIFY(messages().allUsed());
    weg.reset();
    w->close();
  }

  // The main grid's SELECT is the beekeeper's own: an ID cell that is no
  // whole number is refused before any SQL is built from it, so no other
  // colony's dates are marked done and no record lands on another colony.
  void anIdCellThatIsNoNumberIsRefused_data() {
    QTest::addColumn<QString>("id");
    QTest::newRow("text") << "Anna";
    QTest::newRow("a condition") << "%1 or Volk > 0";
  }
  void anIdCellThatIsNoNumberIsRefused() {
    QFETCH(QString, id);
    for (int v : völker) termin(v, "01.07.2007", "Honigernte");
    db().execute(QString("update Bienenvolk set Volkname = '%1' where ID = %2").arg(id.arg(völker[0])).arg(völker[0]));
    auto w = eingabeöffnen(haupt, 1, 1);
    haupt.grid.clear(true);
    dao::Recordset rs = db().openRecordset("select Volknr, Volkname as ID from Bienenvolk where ID = " +
                                           QString::number(völker[0]));
    haupt.grid.setRecordset(rs);
    rs.close();
    haupt.grid.setRow(1);
    haupt.markieren({1});
    w->sevt(1).setText("5");
    messages().expect("Die Buchung für das Volk 1 wird nicht ausgeführt, weil die Völkerliste für dieses Volk "
                      "keine gültige ID enthält.");
    w->neu_Click(0);
    QVERIFY(messages().allUsed());
    QCOMPARE(anzahl("select count(*) from Honigernte"), 0);
    QCOMPARE(anzahl("select count(*) from Termine where Erledigt = 'J'"), 0);
  }

  // From the latest records; without any, reset, but site and queen are kept.
  void summariesOnClose() {
    const int v = völker[0], w = völker[1];
    einfügen("Stockkarte", {{"Datum", datum("01.06.2007")}, {"Volkstärke", 4}, {"Volk", v}});
    einfügen("Stockkarte", {{"Datum", datum("01.06.2007")}, {"Volkstärke", 1}, {"Mittelwände", 2}, {"Waben", 3},
                            {"Belagert", 11}, {"Eigener_Futtervorrat", 3.5}, {"Volk", v}});   // entered last
    einfügen("Honigernte", {{"Datum", datum("01.07.2007")}, {"Menge_kg", 2.5}, {"Volk", v}});
    einfügen("Honigernte", {{"Datum", datum("01.06.2007")}, {"Menge_kg", 4.0}, {"Volk", v}});
    einfügen("Wanderung", {{"Datum", datum("01.04.2007")}, {"Standort", "Raps"}, {"Volk", v}});
    einfügen("Wanderung", {{"Datum", datum("01.03.2007")}, {"Standort", "Wald"}, {"Volk", v}});
    einfügen("Behandlung", {{"Datum", datum("02.07.2007")}, {"Volk", v}});
    einfügen("Königinwechsel", {{"Datum", datum("03.07.2007")}, {"Nummer", " K'7 "}, {"Farbe", "grün"}, {"Volk", v}});
    // Later records and honey under a higher key: another colony's, never taken.
    einfügen("Stockkarte", {{"Datum", datum("02.06.2007")}, {"Volkstärke", 9}, {"Volk", v + w + 1000}});
    einfügen("Honigernte", {{"Datum", datum("02.07.2007")}, {"Menge_kg", 1.0}, {"Volk", v + w + 1000}});
    colonies::volkzusammenfassungen(db(), QString("/%1//%2/").arg(v).arg(w));
    QCOMPARE(werte(v, zusammenfassung), QString("1|2|3|11|3,5|01.07.2007|2,5|6,5|02.07.2007|Raps|K`7|grün|03.07.2007"));
    QCOMPARE(werte(w, zusammenfassung), QString("0|0|0|0|0|Null|0|0|Null|Heide|alt|weiß|Null"));
    // Keys 9001 and 2012 do not stand for 90012 and 92012.
    for (int id : {9001, 90012, 2012, 92012})
      db().execute(QString("insert into Bienenvolk (ID, Volknr, Honigmenge_Gesamt) values (%1, '%1', 99)").arg(id));
    colonies::volkzusammenfassungen(db(), "/90012//92012/");
    QCOMPARE(werte(9001, "Honigmenge_Gesamt") + werte(2012, "Honigmenge_Gesamt"), QString("9999"));
    QCOMPARE(werte(90012, "Honigmenge_Gesamt") + werte(92012, "Honigmenge_Gesamt"), QString("00"));
  }

  // The summaries of all booked colonies are written together: a failure at
  // the second colony leaves the first as it was.
  void summariesFailWhole() {
    const int v = völker[0], w = völker[1];
    einfügen("Honigernte", {{"Datum", datum("01.07.2007")}, {"Menge_kg", 2.5}, {"Volk", v}});
    roh(QString("create trigger kaputt before update on Bienenvolk when new.ID = %1 "
                "begin select raise(abort, 'Platte voll'); end").arg(w));
    QVERIFY_THROWS_EXCEPTION(dao::Error, colonies::volkzusammenfassungen(db(), QString("/%1//%2/").arg(v).arg(w)));
    roh("drop trigger kaputt");
    QCOMPARE(werte(v, zusammenfassung), werte(völker[2], zusammenfassung));   // as before: the values of a colony not booked
  }

  // A kind of work named by an option marks that option's dates done. The
  // colonies booked since the start stay in the set from one opening of the
  // window to the next, so a later closing brings all of them up to date.
  void kindOfWorkAndBookedColonies() {
    const int a = völker[0], b = völker[1];
    db().execute("update Arbeitsplanoptionen set Auto_erledigt_Arbeitsart = 'Füttern' where Arbeitsart = 'Fütterung'");
    termin(a, "10.07.2007", "Fütterung");
    termin(a, "20.07.2007", "Fütterung");
    termin(a, "01.07.2007", "Schwarmkontrolle");   // an option naming no table and no kind of work
    auto w = eingabeöffnen(haupt, 5, 1, {1});
    w->sevt(1).setText("Füttern");
    w->neu_Click(0);
    QCOMPARE(termine(a, "Fütterung"), (QStringList{"10.07!", "20.07"}));
    // Work of no kind is no work of every kind; another kind of booking
    // with that text is no work at all.
    w->sevt(0).setText("15.07.2007");
    w->sevt(1).setText("");
    w->neu_Click(0);
    w->opti_Click(8);
    w->sevt(0).setText("25.07.2007");
    w->sevt(1).setText("Füttern");
    w->neu_Click(0);
    QCOMPARE(termine(a, "Schwarmkontrolle") + termine(a, "Fütterung"), (QStringList{"01.07", "10.07!", "20.07"}));
    QCOMPARE(colonies::ie_eingabeWerte().gebuchtevölker, QString("/%1/").arg(a));   // each colony once
    w->cmdschließen_Click();
    common::völkerneulesen = 0;   // the main window has read its grid again

    einfügen("Honigernte", {{"Datum", datum("01.07.2007")}, {"Menge_kg", 3.0}, {"Volk", a}});
    eingabeöffnen(haupt, 1)->cmdschließen_Click();   // nothing booked since the grid was read: nothing to do
    QCOMPARE(werte(a, "Honigmenge_Gesamt"), QString("0"));
    w = eingabeöffnen(haupt, 1, 2, {2});
    w->sevt(1).setText("1");
    w->neu_Click(0);
    w->cmdschließen_Click();
    QCOMPARE(werte(a, "Honigmenge_Gesamt") + "/" + werte(b, "Honigmenge_Gesamt"), QString("3/1"));
  }

  // A work record marks the options that name its table as well as those
  // that name its kind of work; an option naming another table, a later
  // date and another colony's date stay open.
  void workMarksByTableAndByKind() {
    const int a = völker[0], b = völker[1];
    db().execute("update Arbeitsplanoptionen set Auto_erledigt_Buchung = 'Arbeiten' where Arbeitsart = 'Varroakontrolle'");
    db().execute("update Arbeitsplanoptionen set Auto_erledigt_Arbeitsart = 'Füttern' where Arbeitsart = 'Fütterung'");
    db().execute("update Arbeitsplanoptionen set Auto_erledigt_Buchung = 'Behandlung' where Arbeitsart = 'Schwarmkontrolle'");
    for (const char* art : {"Varroakontrolle", "Fütterung", "Schwarmkontrolle"}) {
      termin(a, "10.07.2007", art);
      termin(a, "20.07.2007", art);
      termin(b, "10.07.2007", art);
    }
    auto w = eingabeöffnen(haupt, 5, 1, {1});
    w->sevt(0).setText("15.07.2007");
    w->sevt(1).setText("Füttern");
    w->neu_Click(0);
    QCOMPARE(termine(a, "Varroakontrolle") + termine(a, "Fütterung") + termine(a, "Schwarmkontrolle"),
             (QStringList{"10.07!", "20.07", "10.07!", "20.07", "10.07", "20.07"}));
    QCOMPARE(anzahl(QString("select count(*) from Termine where Erledigt = 'J' and Volk = %1").arg(b)), 0);
  }

  // Deleting the latest harvest brings the colony's summaries back when the
  // window is closed, here by its close box.
  void afterADelete() {
    const int v = völker[0];
    einfügen("Honigernte", {{"Datum", datum("01.06.2007")}, {"Menge_kg", 4.0}, {"Volk", v}});
    einfügen("Honigernte", {{"Datum", datum("01.07.2007")}, {"Menge_kg", 2.0}, {"Volk", v}});
    auto w = eingabeöffnen(haupt, 1);
    w->li->setRow(2);
    messages().expectNo("wirklich unwiederbringlich gelöscht");
    w->löschen_Click();
    messages().expectYes("wirklich unwiederbringlich gelöscht");
    w->löschen_Click();
    QVERIFY(messages().allUsed());
    QCOMPARE(spalte("select Menge_kg from Honigernte"), QStringList{"4"});
    QCOMPARE(common::völkerneulesen, 1);
    w->li->setRow(0);
    messages().expect("Bitte markieren Sie zuerst den Datensatz, den Sie löschen möchten.");
    w->löschen_Click();
    QVERIFY(messages().allUsed());
    w->show();
    QVERIFY(w->close());
    QCOMPARE(werte(v, "L_Honigernte, L_Honigmenge_kg, Honigmenge_Gesamt"), QString("01.06.2007|4|4"));
  }
};

ZEVO_TEST_MAIN(EingabeSpeichern)
#include "test_eingabe_speichern.moc"
