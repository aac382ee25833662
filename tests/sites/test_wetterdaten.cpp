// The weather journal and its evaluations: one record per day, what the
// fields let through, what is stored, and the lists handed to the list window.

#include "common/einstellungen.h"
#include "output/registry.h"
#include "support/datenbank.h"
#include "sites/iv_wetterdaten.h"
#include "sites/iw_wetterdaten.h"
#include "sites/registry.h"
#include "evaluations/listenlesen.h"

#include <QLineEdit>
#include <QRadioButton>
#include <sqlite3.h>

using namespace zevo;
using namespace zevo::test;
using sites::IV_Wetterdaten;
using sites::IW_Wetterdaten;

namespace {

// "dd.mm.yyyy|Wetter|Temperatur|Niederschlag_mm|Windrichtung|Windstärke|Bemerkung"
void wetter(const QString& zeile) {
  const QStringList z = zeile.split('|');
  einfügen("Wetterdaten", {{"Datum", datum(z[0].toLatin1().constData())}, {"Wetter", z[1]}, {"Temperatur", z[2].toInt()},
                           {"Niederschlag_mm", z[3].toInt()}, {"Windrichtung", z[4]}, {"Windstärke", z[5].toInt()},
                           {"Bemerkung", z[6]}});
}

// Every record as stored, oldest first, in the form wetter() takes.
QStringList gespeichert() {
  QStringList out;
  dao::Recordset rs = db().openRecordset("select * from Wetterdaten order by Datum");
  for (; !rs.eof(); rs.moveNext()) {
    QStringList z{rs["Datum"].value().toDate().toString("dd.MM.yyyy")};
    for (const char* s : {"Wetter", "Temperatur", "Niederschlag_mm", "Windrichtung", "Windstärke", "Bemerkung"})
      z << rs[QString::fromUtf8(s)].value().toString();
    out << z.join('|');
  }
  return out;
}

QString felder(IV_Wetterdaten& w) {
  QStringList z;
  for (int i = 0; i <= 6; ++i) z << w.sevt(i).text();
  return z.join('|');
}

void tippen(ui::sevText& f, const QString& text) {
  f.setText(QString());
  QTest::keyClicks(f.editor(), text);
}

const QString mai1 = "01.05.2026|sonnig|10|0|W|2|", mai2 = "02.05.2026|Regen|13|5||3|";

}  // namespace

class TestWetterdaten : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() {
    datenbankbereitstellen();
    output::registerOutputForms();
    sites::registerSiteForms();
  }
  void init() { datenbankgrundzustand(datum("15.06.2026")); }

  // --- the journal -----------------------------------------------------------------

  void saving_data() {
    QTest::addColumn<int>("knopf");           // 0 "&Neu", 1 "&Ändern"
    QTest::addColumn<int>("zeile");           // the marked grid row, 0 none, -1 one without a usable ID
    QTest::addColumn<QStringList>("tasten");  // typed into sevt(0..); "=" leaves the field
    QTest::addColumn<QString>("meldung");     // the one box, "" none
    QTest::addColumn<QString>("neu");         // the changed or added record, "" nothing stored
    QTest::addColumn<QString>("felder");      // the fields afterwards when saved
    const QString proTag = "Am angegebenen Datum existiert bereits ein Datensatz. Für jeden Tag kann max. ein Wetter "
                           "gespeichert werden (ggf. Wechselhaft eintragen)!";
    const QString weil = "Die Daten werden nicht gespeichert, weil...\r\n\r\n";
    const QString keinDatum = "...das Datum angegeben werden muß.\r\n";
    const QString keinWetter = "...das Wetter angegeben werden muß.\r\n";
    QTest::newRow("new on a day that has one") << 0 << 0 << QStringList{"01.05.2026", "bedeckt"} << proTag << "" << "";
    QTest::newRow("change onto a day that has one") << 1 << 1 << QStringList{"01.05.2026"} << proTag << "" << "";
    QTest::newRow("change keeping its date") << 1 << 1 << QStringList{"02.05.2026", "Gewitter", "-3"} << ""
                                             << "02.05.2026|Gewitter|-3|5||3|" << "02.05.2026|Gewitter|-3|5||3|";
    QTest::newRow("empty date and weather") << 0 << 0 << QStringList{"", ""} << weil + keinDatum + keinWetter << ""
                                            << "";
    QTest::newRow("no such day") << 0 << 0 << QStringList{"31.02.2026", "Regen"} << weil + keinDatum << "" << "";
    QTest::newRow("change without a mark") << 1 << 0 << QStringList{"03.05.2026", "Regen"}
                                           << "Bitte markieren Sie zuerst den Datensatz, den Sie ändern möchten!" << ""
                                           << "";
    QTest::newRow("change of a row without ID")
        << 1 << -1 << QStringList{"03.05.2026", "Regen"}
        << "Die Wetterdaten wurden nicht gespeichert, weil die Datenbank einen Fehler meldet:\r\n\r\nDer Datensatz hat "
           "keine gültige ID."
        << "" << "";
    QTest::newRow("change without mark nor weather") << 1 << 0 << QStringList{"03.05.2026", ""} << weil + keinWetter
                                                     << "" << "";
    QTest::newRow("short date, quotes, minus, empty numbers")
        << 0 << 0 << QStringList{"1.6.26", "heiter's", "-5", "", "NO", "", "Gras \"nass\""} << ""
        << "01.06.2026|heiter`s|-5|0|NO|0|Gras \"nass\"" << "01.06.2026|heiter`s|-5|0|NO|0|Gras \"nass\"";
    QTest::newRow("a lone minus") << 0 << 0 << QStringList{"03.05.2026", "Nebel", "-", "=", "=", "=", "kalt"} << ""
                                  << "03.05.2026|Nebel|0|0||0|kalt" << "03.05.2026|Nebel|0|0||0|kalt";
  }
  void saving() {
    QFETCH(int, knopf);
    QFETCH(int, zeile);
    QFETCH(QStringList, tasten);
    QFETCH(QString, meldung);
    QFETCH(QString, neu);
    QFETCH(QString, felder);
    wetter(mai1);
    wetter(mai2);
    common::eingabepiepton() = 1;
    IV_Wetterdaten w;
    w.Form_Load();
    QCOMPARE(::felder(w), QString("15.06.2026||20|0||0|"));   // the defaults, no row marked
    if (zeile < 0) zeileohneid(*w.liwetter);
    if (zeile > 0) {
      w.liwetter->setRow(zeile);
      w.liwetter_rowclick();
    }
    for (int i = 0; i < tasten.size(); ++i)
      if (tasten[i] != "=") tippen(w.sevt(i), tasten[i]);
    const QString getippt = ::felder(w);
    if (!meldung.isEmpty()) messages().expect(meldung);
    ListePrüfen liste(*w.liwetter);
    w.neu_Click(knopf);
    QCOMPARE(messages().texts(), meldung.isEmpty() ? QStringList{} : QStringList{meldung});
    if (neu.isEmpty()) {
      QCOMPARE(gespeichert(), (QStringList{mai1, mai2}));
      QCOMPARE(::felder(w), getippt);   // the fields keep what was typed
      QCOMPARE(beeps(), 0);
      return;
    }
    QStringList erwartet{mai1, mai2, neu};
    if (knopf == 1) erwartet.removeAt(1);
    std::sort(erwartet.begin(), erwartet.end(), [](const QString& a, const QString& b) {
      return datum(a.left(10).toLatin1().constData()) < datum(b.left(10).toLatin1().constData());
    });
    QCOMPARE(gespeichert(), erwartet);
    QCOMPARE(beeps(), 1);
    QVERIFY(liste.nurfrei());   // the journal is read once the day is committed
    QCOMPARE(::felder(w), felder);   // the saved record is current and shown as stored
    QCOMPARE(w.liwetter->cell(w.liwetter->row(), "Datum"), felder.section('|', 0, 0));
    QCOMPARE(w.liwetter->cell(1, "Datum"), gespeichert().last().section('|', 0, 0));   // newest first
    for (int i : {1, 4, 6})   // new texts are offered in the lists
      if (!w.sevt(i).text().isEmpty()) QVERIFY(w.sevt(i).listindex() >= 0);
  }

  void fieldsRefuseWhatTheyCannotHold() {
    IV_Wetterdaten w;
    w.Form_Load();
    const QList<std::tuple<int, QString, QString>> fälle{
        {2, "-41", "-40"}, {2, "61", "60"}, {2, "a1b", "1"}, {3, "-100", "99"}, {5, "16", "15"},
        {1, "Sonnig mit Wolken und Wind", "Sonnig mit Wolken un"}, {4, "Nordnordwest", "Nordnordwe"},
        {6, QString(35, 'x'), QString(30, 'x')}};
    for (const auto& [feld, tasten, text] : fälle) {
      tippen(w.sevt(feld), tasten);
      QFocusEvent verlassen(QEvent::FocusOut);   // a number beyond its limits becomes the limit when left
      QApplication::sendEvent(w.sevt(feld).editor(), &verlassen);
      QCOMPARE(w.sevt(feld).text(), text);
    }
  }

  void deleting_data() {
    QTest::addColumn<int>("zeile");
    QTest::addColumn<int>("abfrage");        // löschabfrage
    QTest::addColumn<QString>("meldung");    // "?" a question answered No, "!" answered Yes
    QTest::addColumn<QStringList>("danach"); // the records left
    QTest::addColumn<QString>("felder");
    const QString frage = "Soll der markierte Datensatz wirklich unwiederbringlich gelöscht werden?";
    const QString getippt = "09.09.2026|Sturm|1|2|S|9|getippt";
    QTest::newRow("no mark") << 0 << 0 << "Bitte markieren Sie zuerst den Datensatz, den Sie löschen möchten."
                             << QStringList{mai1, mai2} << getippt;
    QTest::newRow("asked, No") << 1 << 1 << "?" + frage << QStringList{mai1, mai2} << getippt;
    QTest::newRow("asked, Yes") << 1 << 1 << "!" + frage << QStringList{mai1} << mai1;
    QTest::newRow("not asked") << 2 << 0 << "" << QStringList{mai2} << mai2;
    QTest::newRow("the last one") << 1 << 0 << "" << QStringList{} << getippt;
  }
  void deleting() {
    QFETCH(int, zeile);
    QFETCH(int, abfrage);
    QFETCH(QString, meldung);
    QFETCH(QStringList, danach);
    QFETCH(QString, felder);
    if (QString(QTest::currentDataTag()) != "the last one") wetter(mai1);
    wetter(mai2);
    common::löschabfrage() = abfrage;
    IV_Wetterdaten w;
    w.Form_Load();
    w.liwetter->setRow(zeile);
    const QStringList werte = QString("09.09.2026|Sturm|1|2|S|9|getippt").split('|');
    for (int i = 0; i <= 6; ++i) w.sevt(i).setText(werte[i]);
    if (meldung.startsWith('?')) messages().expectNo(meldung.mid(1));
    else if (meldung.startsWith('!')) messages().expectYes(meldung.mid(1));
    else if (!meldung.isEmpty()) messages().expect(meldung);
    w.löschen_Click();
    QVERIFY(messages().allUsed());
    QCOMPARE(messages().count(), meldung.isEmpty() ? 0 : 1);
    QCOMPARE(gespeichert(), danach);
    QCOMPARE(::felder(w), felder);
  }

  void aRefusedWriteStoresNothing() {
    wetter(mai1);
    IV_Wetterdaten w;
    w.Form_Load();
    w.liwetter->setRow(1);
    roh("create trigger kaputt1 before insert on Wetterdaten begin select raise(abort, 'Platte voll'); end");
    roh("create trigger kaputt2 before update on Wetterdaten begin select raise(abort, 'Platte voll'); end");
    tippen(w.sevt(1), "Hagel");
    for (int knopf : {0, 1}) {
      tippen(w.sevt(0), "03.05.2026");
      messages().expect("Die Wetterdaten wurden nicht gespeichert");
      w.neu_Click(knopf);
    }
    roh("drop trigger kaputt1");
    roh("drop trigger kaputt2");
    QVERIFY(messages().allUsed());
    QCOMPARE(gespeichert(), QStringList{mai1});
    QCOMPARE(w.sevt(1).text(), QString("Hagel"));
  }

  void listAndHelpButtons() {
    IV_Wetterdaten w;
    w.Form_Load();
    QStringList themen;
    forms().on("IH_Hilfe", [&](vb::Form*) { themen << common::hilfethema; });
    forms().onWindow<IW_Wetterdaten>("IW_Wetterdaten", [](IW_Wetterdaten& e) {
      e.hilfe_Click();
      e.beenden_Click();
    });
    w.hilfe_Click();
    w.ok_Click();
    QCOMPARE(themen, (QStringList{"IV_Wetterdaten", "IW_Wetterdaten"}));
    QCOMPARE(forms().shown(), (QStringList{"IH_Hilfe", "IW_Wetterdaten", "IH_Hilfe"}));
  }

  // A remark is read whole in the list before the user widens anything.
  void remarkColumnStartsReadable() {
    wetter("01.05.2026|sonnig|10|0|W|2|Reinigungsflug beobachtet");
    IV_Wetterdaten w;
    w.Form_Load();
    QCOMPARE(w.liwetter->column(QStringLiteral("Bemerkung")).width(), 2400);
  }

  // --- the evaluations ---------------------------------------------------------------

  void evaluations_data() {
    QTest::addColumn<int>("knopf");
    QTest::addColumn<QString>("von");         // typed with the keys; "Datum von" only when both are given
    QTest::addColumn<QString>("bis");
    QTest::addColumn<QStringList>("spalten"); // empty: "Keine Daten gefunden"
    QTest::addColumn<QStringList>("zeilen");  // all rows; for the calendars those given
    const QStringList direkt{"Datum", "Wetter", "Temperatur > #", "Niederschlag_mm > #", "Windrichtung",
                             "Windstärke > #", "Bemerkung"};
    const QStringList monat{"Monat", "Buchungen > #", "Temperatur > #", "Niederschlag > #", "Windstärke > #"};
    const QStringList jahr = QStringList{"Jahr"} + monat.mid(1);
    const QStringList mittel{"Anzahl > #", "D_Temperatur > #", "D_Niederschlag > #", "D_Windstärke > #"};
    QTest::newRow("records of May, both ends") << 0 << "01.05.2026" << "31.05.2026" << direkt
                                               << QStringList{mai1, "31.05.2026|Regen|13|5||3|"};
    QTest::newRow("all records, dates typed")
        << 0 << "01.05.2026" << "" << direkt
        << QStringList{"15.03.2025|Schnee|-2|3|N|5|", "30.04.2026|sonnig|13|0|W|4|kalt", mai1,
                       "31.05.2026|Regen|13|5||3|", "01.06.2026|Regen|20|1|O|1|"};
    QTest::newRow("months, all") << 1 << "" << "" << monat
                                 << QStringList{"1|0|||", "3|1|-2,0|3,0|5,0", "4|1|13,0|0,0|4,0", "5|2|11,5|2,5|2,5",
                                                "6|1|20,0|1,0|1,0", "12|0|||"};
    QTest::newRow("months, May") << 1 << "01.05.2026" << "31.05.2026" << monat
                                 << QStringList{"4|0|||", "5|2|11,5|2,5|2,5", "6|0|||"};
    QTest::newRow("years, all") << 2 << "" << "" << jahr
                                << QStringList{"2016|0|||", "2025|1|-2,0|3,0|5,0", "2026|4|14,0|1,5|2,5"};
    QTest::newRow("years, a range in 2025") << 2 << "01.01.2025" << "31.12.2025" << jahr
                                            << QStringList{"2016|0|||", "2025|1|-2,0|3,0|5,0", "2026|0|||"};
    QTest::newRow("by weather") << 3 << "" << "" << QStringList{"Wetter"} + mittel
                                << QStringList{"Regen|2|16,5|3,0|2,0", "Schnee|1|-2,0|3,0|5,0", "sonnig|2|11,5|0,0|3,0"};
    QTest::newRow("by temperature") << 4 << "" << "" << QStringList{"Temperatur > #", "Anzahl > #"}
                                    << QStringList{"-2|1", "10|1", "13|2", "20|1"};
    QTest::newRow("by precipitation") << 5 << "" << "" << QStringList{"Niederschlag_mm > #", "Anzahl > #"}
                                      << QStringList{"0|2", "1|1", "3|1", "5|1"};
    QTest::newRow("by wind direction, empty first")
        << 6 << "" << "" << QStringList{"Windrichtung"} + mittel
        << QStringList{"|1|13,0|5,0|3,0", "N|1|-2,0|3,0|5,0", "O|1|20,0|1,0|1,0", "W|2|11,5|0,0|3,0"};
    QTest::newRow("by wind strength") << 7 << "" << "" << QStringList{"Windstärke > #", "Anzahl > #"}
                                      << QStringList{"1|1", "2|1", "3|1", "4|1", "5|1"};
    QTest::newRow("a grouping without records") << 3 << "01.01.2020" << "31.12.2020" << QStringList{} << QStringList{};
  }
  void evaluations() {
    QFETCH(int, knopf);
    QFETCH(QString, von);
    QFETCH(QString, bis);
    QFETCH(QStringList, spalten);
    QFETCH(QStringList, zeilen);
    // Entered out of order, so that nothing comes in the order of entry.
    for (const char* z : {"01.06.2026|Regen|20|1|O|1|", "15.03.2025|Schnee|-2|3|N|5|", "31.05.2026|Regen|13|5||3|",
                          "01.05.2026|sonnig|10|0|W|2|", "30.04.2026|sonnig|13|0|W|4|kalt"})
      wetter(z);
    IW_Wetterdaten w;
    w.Form_Load();
    tippen(w.tdat(0), von);
    tippen(w.tdat(1), bis);
    if (!von.isEmpty() && !bis.isEmpty()) w.optibuch[1]->setChecked(true);
    if (spalten.isEmpty()) messages().expect("Keine Daten gefunden");
    const Liste l = auswertunglesen(w, knopf);
    QVERIFY(messages().allUsed());
    QCOMPARE(messages().count(), spalten.isEmpty() ? 1 : 0);
    QCOMPARE(l.gezeigt, !spalten.isEmpty());
    QCOMPARE(l.spalten, spalten);
    if (knopf != 1 && knopf != 2) {
      QCOMPARE(l.zeilen, zeilen);
      return;
    }
    QCOMPARE(l.zeilen.size(), knopf == 1 ? 12 : 11);
    QCOMPARE(l.zeilen.first().section('|', 0, 0), QString(knopf == 1 ? "1" : "2016"));
    for (const QString& z : zeilen) QVERIFY2(l.zeilen.contains(z), qPrintable(z + " in " + l.zeilen.join(" / ")));
  }

  // A kind of weather is one group in upper and lower case; its unaccented twin is another.
  void weatherGroupedInAnyCase() {
    wetter("01.05.2026|Nässe|10|2|W|1|");
    wetter("02.05.2026|NÄSSE|12|4|W|1|");
    wetter("03.05.2026|Nasse|14|6|W|1|");
    IW_Wetterdaten w;
    w.Form_Load();
    QStringList anzahl;
    for (const QString& z : auswertunglesen(w, 3).zeilen) anzahl << z.section('|', 0, 0).toLower() + "|" + z.section('|', 1, 2);
    QCOMPARE(anzahl, (QStringList{"nasse|1|14,0", "nässe|2|11,0"}));
  }

  void theMonthsOfAnEmptyJournal() {
    IW_Wetterdaten w;
    w.Form_Load();
    QStringList leer;
    for (int m = 1; m <= 12; ++m) leer << QString::number(m) + "|0|||";
    QCOMPARE(auswertunglesen(w, 1).zeilen, leer);   // and no "Keine Daten gefunden"
    QCOMPARE(messages().count(), 0);
  }
};

ZEVO_TEST_MAIN(TestWetterdaten)
#include "test_wetterdaten.moc"
