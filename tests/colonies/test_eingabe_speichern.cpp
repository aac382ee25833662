// The entry window's writing side: new records for the marked colonies, the
// due dates marked done, changing a record, and what is refused.
#include "eingabetest.h"

#include <sqlite3.h>

using namespace zevo;
using namespace zevo::test;
using colonies::IE_Eingabe;

namespace {

void termin(int volk, const char* tag, const QString& art, const char* erledigt = "N") {
  einfügen("Termine", {{"Datum", datum(tag)}, {"Termin", art}, {"Erledigt", erledigt}, {"Volk", volk}});
}

// Runs SQL on the database file beside the program's own connection.
void roh(const QString& sql) {
  sqlite3* h = nullptr;
  QCOMPARE(sqlite3_open(common::datenbankpfad.toUtf8().constData(), &h), SQLITE_OK);
  char* fehler = nullptr;
  const int rc = sqlite3_exec(h, sql.toUtf8().constData(), nullptr, nullptr, &fehler);
  const QString text = QString::fromUtf8(fehler ? fehler : "");
  sqlite3_free(fehler);
  sqlite3_close(h);
  QVERIFY2(rc == SQLITE_OK, qPrintable(text));
}

}  // namespace

class EingabeSpeichern : public QObject {
  Q_OBJECT
  Hauptliste haupt;
  QList<int> völker;

private slots:
  void init() {
    eingabegrundzustand();
    völker.clear();
    for (const char* nr : {"1", "2", "3", "4", "5"}) völker << volk(nr, true, {{"Volkname", QString("Volk ") + nr}});
  }

  void termineNachArbeitsart() {
    const int v = völker[0];
    db().execute("update Arbeitsplanoptionen set Auto_erledigt_Arbeitsart = 'Schwärme prüfen' "
                 "where Arbeitsart = 'Schwarmkontrolle'");
    db().execute("update Arbeitsplanoptionen set Auto_erledigt_Buchung = 'Arbeiten' where Arbeitsart = 'Fütterung'");
    for (const char* art : {"Schwarmkontrolle", "Fütterung", "Varroakontrolle"}) termin(v, "10.07.2007", art);
    auto w = eingabeöffnen(haupt, 5, 1, {1});
    w->neu_Click(0);   // no kind of work: only the rule by table
    QCOMPARE(termine(v, "Schwarmkontrolle"), QStringList{"10.07"});
    QCOMPARE(termine(v, "Fütterung"), QStringList{"10.07!"});
    w->sevt(1).setText("Schwärme prüfen");
    w->neu_Click(0);
    QCOMPARE(termine(v, "Schwarmkontrolle"), QStringList{"10.07!"});
    QCOMPARE(termine(v, "Varroakontrolle"), QStringList{"10.07"});
  }

  void neuFuerAlleMarkierten() {
    auto w = eingabeöffnen(haupt, 7, 3, {2, 5});
    w->sevt(1).setText("42,125");
    messages().expectNo("Es sind im Moment 2 Völker markiert.");
    w->neu_Click(0);
    QCOMPARE(anzahl("select count(*) from Gewichtsmessung"), 0);
    QCOMPARE(beeps(), 0);
    messages().expectYes("Es sind im Moment 2 Völker markiert.");
    w->neu_Click(0);
    QCOMPARE(spalte("select Volk from Gewichtsmessung order by Volk"),
             (QStringList{QString::number(völker[1]), QString::number(völker[4])}));
    QCOMPARE(spalte("select Gewicht_kg from Gewichtsmessung").first(), QString("42,125"));
    QCOMPARE(beeps(), 1);
    const QString gebucht = QString("/%1//%2/").arg(völker[1]).arg(völker[4]);
    QCOMPARE(colonies::ie_eingabeWerte().gebuchtevölker, gebucht);
    haupt.markieren({2});
    w->neu_Click(0);   // one colony: no question
    QCOMPARE(colonies::ie_eingabeWerte().gebuchtevölker, gebucht);
    QCOMPARE(w->li->rows(), 0);   // the list shows colony 3, which was not marked
    QVERIFY(messages().allUsed());
  }

  void verweigert_data() {
    QTest::addColumn<QString>("datum");
    QTest::addColumn<QList<int>>("marken");
    QTest::addColumn<int>("knopf");
    QTest::addColumn<QString>("meldung");
    QTest::newRow("Datum") << "31.02.2026" << QList<int>{1} << 0
                           << "Die Buchung wird nicht ausgeführt, weil das Datum nicht korrekt ist.";
    QTest::newRow("leeres Datum") << "" << QList<int>{1} << 1
                                  << "Die Buchung wird nicht ausgeführt, weil das Datum nicht korrekt ist.";
    QTest::newRow("keine Marke") << "15.07.2007" << QList<int>{} << 0
                                 << "Bitte markieren Sie zuerst die Völker, bei denen die Buchung ausgeführt "
                                    "werden soll!";
    QTest::newRow("kein Datensatz") << "15.07.2007" << QList<int>{1} << 1
                                    << "Bitte markieren Sie zuerst den Datensatz, den Sie ändern möchten!";
  }

  void verweigert() {
    QFETCH(QString, datum);
    QFETCH(QList<int>, marken);
    QFETCH(int, knopf);
    QFETCH(QString, meldung);
    auto w = eingabeöffnen(haupt, 2, 1, marken);
    w->sevt(0).setText(datum);
    messages().expect(meldung);
    w->neu_Click(knopf);
    QVERIFY(messages().allUsed());
    QCOMPARE(anzahl("select count(*) from Wachsernte"), 0);
    QCOMPARE(common::völkerneulesen, 0);
  }

  void werteWieSieGespeichertWerden() {
    einfügen("Standorte", {{"Standort", "Heide"}});
    auto w = eingabeöffnen(haupt, 6, 1, {1});
    w->sevt(1).setText(" it's ");
    w->sevt(2).setText("1,5");
    w->sevt(4).setText("1.234,5");
    w->sevt(5).setText("J");
    w->sevt(6).setText("Bemerkung's");
    w->neu_Click(0);
    dao::Recordset rs = db().openRecordset("select * from Wanderung");
    QCOMPARE(rs["Standort"].text(), QString("it`s"));
    QCOMPARE(rs["Zeit_h"].value().toDouble(), 1.5);
    QCOMPARE(rs["Standortprämie"].value().toDouble(), 1234.5);
    QCOMPARE(rs["Prämie_erhalten"].text(), QString("J"));
    QCOMPARE(rs["Bemerkung"].text(), QString("Bemerkung`s"));
    QCOMPARE(rs["Datum"].value().toDate(), datum("15.07.2007"));
    QCOMPARE(rs["Volk"].value().toInt(), völker[0]);
    rs.close();
    w->opti_Click(8);
    w->sevt(3).setText("12,00");   // a prefilled quantity in a whole-number field
    w->sevt(5).setText("7");
    w->neu_Click(0);
    QCOMPARE(spalte("select Menge_g from Behandlung"), QStringList{"12"});
    QCOMPARE(spalte("select Wartezeit from Behandlung"), QStringList{"7"});
  }

  void aendern() {
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
    w->sevt(3).setText("gut");
    // Meanwhile a site pick has made another colony current.
    haupt.grid.setRow(4);
    messages().expect("Die Änderung wird deshalb nur beim aktuellen Volk 3 auf dem ausgewählten Datensatz "
                      "ausgeführt.");
    w->neu_Click(1);
    QVERIFY(messages().allUsed());
    QCOMPARE(beeps(), 0);
    QCOMPARE(anzahl("select count(*) from Honigernte"), 2);
    dao::Recordset rs = db().openRecordset("select * from Honigernte where ID = " + QString::number(alt));
    QCOMPARE(rs["Datum"].value().toDate(), datum("02.06.2007"));
    QCOMPARE(rs["Menge_kg"].value().toDouble(), 3.5);
    QCOMPARE(rs["Qualität"].text(), QString("gut"));
    QCOMPARE(rs["Volk"].value().toInt(), v);
    rs.close();
    QCOMPARE(termine(v, "Honigernte"), QStringList{"01.06!"});
    // The changed record is current, and the mask shows it.
    QCOMPARE(w->li->cell(w->li->row(), "ID"), QString::number(alt));
    QCOMPARE(w->sevt(1).text(), QString("3,5"));
    QCOMPARE(haupt.grid.row(), 3);
    QCOMPARE(markiert(haupt.grid), (QList<int>{3, 4}));
    QCOMPARE(colonies::ie_eingabeWerte().gebuchtevölker, QString("/%1/").arg(v));
  }

  void aendernOhneDatensatz() {
    const int v = völker[0];
    termin(v, "01.06.2007", "Honigernte");
    const int id = einfügen("Honigernte", {{"Datum", datum("01.07.2007")}, {"Menge_kg", 2.0}, {"Volk", v}});
    auto w = eingabeöffnen(haupt, 1);
    db().execute("delete from Honigernte where ID = " + QString::number(id));
    messages().expect("Die Änderung wird nicht ausgeführt, weil der ausgewählte Datensatz nicht mehr vorhanden ist.");
    w->neu_Click(1);
    QVERIFY(messages().allUsed());
    QCOMPARE(anzahl("select count(*) from Honigernte"), 0);
    QCOMPARE(termine(v, "Honigernte"), QStringList{"01.06"});
    QCOMPARE(common::völkerneulesen, 0);
    QCOMPARE(w->li->rows(), 0);
  }

  // A colony whose record cannot be written keeps its dates open; the
  // colonies before it are booked, those after it are not.
  void fehlerLaesstNichtsHalbes() {
    for (int v : völker) termin(v, "01.07.2007", "Honigernte");
    roh(QString("create trigger kaputt before insert on Honigernte when new.Volk = %1 "
                "begin select raise(abort, 'Platte voll'); end")
            .arg(völker[1]));
    auto w = eingabeöffnen(haupt, 1, 1, {1, 2, 3});
    messages().expectYes("Es sind im Moment 3 Völker markiert.");
    messages().expect("Die Buchung für das Volk 2 wurde nicht ausgeführt, weil die Datenbank einen Fehler meldet:");
    w->neu_Click(0);
    roh("drop trigger kaputt");
    QVERIFY(messages().allUsed());
    QCOMPARE(beeps(), 0);
    QCOMPARE(spalte("select Volk from Honigernte"), QStringList{QString::number(völker[0])});
    QCOMPARE(termine(völker[0], "Honigernte"), QStringList{"01.07!"});
    QCOMPARE(termine(völker[1], "Honigernte"), QStringList{"01.07"});
    QCOMPARE(termine(völker[2], "Honigernte"), QStringList{"01.07"});
    QCOMPARE(colonies::ie_eingabeWerte().gebuchtevölker, QString("/%1/").arg(völker[0]));
  }
};

ZEVO_TEST_MAIN(EingabeSpeichern)
#include "test_eingabe_speichern.moc"
