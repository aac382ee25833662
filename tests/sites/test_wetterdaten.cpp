// The weather journal and its evaluations: one record per day, what the
// fields let through, what is stored, and the lists handed to the list window.

#include "common/einstellungen.h"
#include "components/sevgrid.h"
#include "output/ia_zwischenliste.h"
#include "output/registry.h"
#include "shell/testdatenbank.h"
#include "sites/iv_wetterdaten.h"
#include "sites/iw_wetterdaten.h"
#include "sites/registry.h"

#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <sqlite3.h>

using namespace zevo;
using namespace zevo::test;
using sites::IV_Wetterdaten;
using sites::IW_Wetterdaten;

namespace {

void wetter(const char* tag, const QString& w, int temp, int mm, const QString& richtung, int stärke,
            const QString& bemerkung = {}) {
  einfügen("Wetterdaten", {{"Datum", datum(tag)}, {"Wetter", w}, {"Temperatur", temp}, {"Niederschlag_mm", mm},
                           {"Windrichtung", richtung}, {"Windstärke", stärke}, {"Bemerkung", bemerkung}});
}

// Every record, oldest first, as stored: "dd.mm.yyyy|Wetter|Temperatur|...|Bemerkung".
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

// Typed with the keys, into an emptied field.
void tippen(ui::sevText& f, const QString& text) {
  f.setText(QString());
  QTest::keyClicks(f.editor(), text);
}

void roh(const QString& sql) {
  sqlite3* h = nullptr;
  QCOMPARE(sqlite3_open(common::datenbankpfad.toUtf8().constData(), &h), SQLITE_OK);
  const int rc = sqlite3_exec(h, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
  sqlite3_close(h);
  QCOMPARE(rc, SQLITE_OK);
}

struct Liste {
  bool gezeigt = false;
  QStringList spalten;   // caption, " >" right-aligned, " #" numeric
  QStringList zeilen;    // cells joined by "|"
};

Liste listen(IW_Wetterdaten& w, int knopf) {
  Liste l;
  QFile::remove(common::datenpfad + "gridli.txt");
  forms().onWindow<output::IA_Zwischenliste>("IA_Zwischenliste", [&](output::IA_Zwischenliste& z) {
    l.gezeigt = true;
    z.cmdschließen_Click();
  });
  w.rolisten_Click(knopf);
  ui::sevGrid g;
  if (!l.gezeigt || !g.loadfromfile(common::datenpfad + "gridli.txt")) return l;
  for (int c = 1; c <= g.cols(); ++c)
    l.spalten << g.column(c).caption() + (g.column(c).align() == 1 ? " >" : "") +
                     (g.column(c).numeric() == 1 ? " #" : "");
  for (int r = 1; r <= g.rows(); ++r) {
    QStringList zellen;
    for (int c = 1; c <= g.cols(); ++c) zellen << g.cell(r, c);
    l.zeilen << zellen.join('|');
  }
  return l;
}

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
    QTest::addColumn<int>("knopf");          // 0 "&Neu", 1 "&Ändern"
    QTest::addColumn<int>("zeile");          // the marked grid row, 0 none
    QTest::addColumn<QStringList>("tasten"); // typed into sevt(0..6); "=" leaves the field
    QTest::addColumn<QStringList>("meldungen");
    QTest::addColumn<QStringList>("danach"); // the records, oldest first ("" = unchanged)
    QTest::addColumn<QString>("felder");     // the fields afterwards ("" = as typed)
    const QString proTag = "Am angegebenen Datum existiert bereits ein Datensatz. Für jeden Tag kann max. ein Wetter "
                           "gespeichert werden (ggf. Wechselhaft eintragen)!";
    const QString ändern = "Bitte markieren Sie zuerst den Datensatz, den Sie ändern möchten!";
    const QString weil = "Die Daten werden nicht gespeichert, weil...\r\n\r\n";
    const QString keinDatum = "...das Datum angegeben werden muß.\r\n";
    const QString keinWetter = "...das Wetter angegeben werden muß.\r\n";
    const QStringList alt{"01.05.2026|sonnig|10|0|W|2|", "02.05.2026|Regen|13|5||3|"};
    QTest::newRow("new on a day that has one") << 0 << 0 << QStringList{"01.05.2026", "bedeckt"}
                                               << QStringList{proTag} << alt << "";
    QTest::newRow("change onto another day that has one")
        << 1 << 1 << QStringList{"01.05.2026", "=", "-3"} << QStringList{proTag} << alt << "";
    QTest::newRow("change keeping its date")
        << 1 << 1 << QStringList{"02.05.2026", "Gewitter", "-3"} << QStringList{}
        << QStringList{alt[0], "02.05.2026|Gewitter|-3|5||3|"} << "02.05.2026|Gewitter|-3|5||3|";
    QTest::newRow("empty date and weather") << 0 << 0 << QStringList{"", ""}
                                            << QStringList{weil + keinDatum + keinWetter} << alt << "";
    QTest::newRow("no such day") << 0 << 0 << QStringList{"31.02.2026", "Regen"} << QStringList{weil + keinDatum}
                                 << alt << "";
    QTest::newRow("change without a mark") << 1 << 0 << QStringList{"03.05.2026", "Regen"} << QStringList{ändern}
                                           << alt << "";
    QTest::newRow("change without a mark nor weather")
        << 1 << 0 << QStringList{"03.05.2026", ""} << QStringList{weil + keinWetter} << alt << "";
    QTest::newRow("new with short date, quote, minus, empty numbers")
        << 0 << 0 << QStringList{"1.6.26", "heiter's", "-5", "", "NO", "", "Gras \"nass\""} << QStringList{}
        << QStringList{alt[0], alt[1], "01.06.2026|heiter`s|-5|0|NO|0|Gras \"nass\""}
        << "01.06.2026|heiter`s|-5|0|NO|0|Gras \"nass\"";
    QTest::newRow("a lone minus is 0") << 0 << 0 << QStringList{"03.05.2026", "Nebel", "-", "=", "=", "=", "kalt"}
                                       << QStringList{} << QStringList{alt[0], alt[1], "03.05.2026|Nebel|0|0||0|kalt"}
                                       << "03.05.2026|Nebel|0|0||0|kalt";
  }
  void saving() {
    QFETCH(int, knopf);
    QFETCH(int, zeile);
    QFETCH(QStringList, tasten);
    QFETCH(QStringList, meldungen);
    QFETCH(QStringList, danach);
    QFETCH(QString, felder);
    wetter("01.05.2026", "sonnig", 10, 0, "W", 2);
    wetter("02.05.2026", "Regen", 13, 5, "", 3);
    common::eingabepiepton() = 1;
    IV_Wetterdaten w;
    w.Form_Load();
    QCOMPARE(::felder(w), QString("15.06.2026||20|0||0|"));   // the defaults, no row marked
    if (zeile > 0) {
      w.liwetter->setRow(zeile);
      w.liwetter_rowclick();
    }
    for (int i = 0; i < tasten.size(); ++i)
      if (tasten[i] != "=") tippen(w.sevt(i), tasten[i]);
    const QString getippt = ::felder(w);
    for (const QString& m : meldungen) messages().expect(m);
    w.neu_Click(knopf);
    QVERIFY(messages().allUsed());
    QCOMPARE(messages().texts(), meldungen);
    for (int i = 0; i < meldungen.size(); ++i) QCOMPARE(messages().texts()[i], meldungen[i]);   // whole texts
    QCOMPARE(gespeichert(), danach);
    QCOMPARE(beeps(), meldungen.isEmpty() ? 1 : 0);
    if (felder.isEmpty()) {
      QCOMPARE(::felder(w), getippt);   // refused: the fields keep what was typed
      return;
    }
    QCOMPARE(::felder(w), felder);   // the saved record, shown as stored
    QCOMPARE(w.liwetter->cell(w.liwetter->row(), "Wetter"), felder.section('|', 1, 1));
    QCOMPARE(w.liwetter->cell(1, "Datum"), gespeichert().last().section('|', 0, 0));   // newest first
    for (int i : {1, 4, 6})   // new texts are offered in the lists
      if (!w.sevt(i).text().isEmpty()) QVERIFY(w.sevt(i).listindex() >= 0);
  }

  void fieldsRefuseWhatTheyCannotHold_data() {
    QTest::addColumn<int>("feld");
    QTest::addColumn<QString>("tasten");
    QTest::addColumn<QString>("text");
    QTest::newRow("temperature below zero") << 2 << "-12" << "-12";
    QTest::newRow("temperature below -40") << 2 << "-41" << "-4";
    QTest::newRow("temperature above 60") << 2 << "61" << "6";
    QTest::newRow("letters") << 2 << "a1b" << "1";
    QTest::newRow("no minus for precipitation") << 3 << "-7" << "7";
    QTest::newRow("precipitation, two digits") << 3 << "100" << "10";
    QTest::newRow("wind strength above 15") << 5 << "16" << "1";
    QTest::newRow("weather, 20 characters") << 1 << "Sonnig mit Wolken und Wind" << "Sonnig mit Wolken un";
    QTest::newRow("wind direction, 10") << 4 << "Nordnordwest" << "Nordnordwe";
    QTest::newRow("remark, 30") << 6 << QString(35, 'x') << QString(30, 'x');
  }
  void fieldsRefuseWhatTheyCannotHold() {
    QFETCH(int, feld);
    QFETCH(QString, tasten);
    QFETCH(QString, text);
    IV_Wetterdaten w;
    w.Form_Load();
    tippen(w.sevt(feld), tasten);
    QCOMPARE(w.sevt(feld).text(), text);
  }

  void deleting_data() {
    QTest::addColumn<int>("zeile");
    QTest::addColumn<int>("abfrage");    // löschabfrage
    QTest::addColumn<QStringList>("meldungen");   // "?" prefix: a question answered No, "!" answered Yes
    QTest::addColumn<QStringList>("danach");      // the days left
    QTest::addColumn<QString>("felder");
    const QString frage = "Soll der markierte Datensatz wirklich unwiederbringlich gelöscht werden?";
    const QString getippt = "09.09.2026|Sturm|1|2|S|9|getippt";
    QTest::newRow("no mark") << 0 << 0
                             << QStringList{"Bitte markieren Sie zuerst den Datensatz, den Sie löschen möchten."}
                             << QStringList{"01.05.2026", "02.05.2026"} << getippt;
    QTest::newRow("asked, No") << 1 << 1 << QStringList{"?" + frage} << QStringList{"01.05.2026", "02.05.2026"}
                               << getippt;
    QTest::newRow("asked, Yes") << 1 << 1 << QStringList{"!" + frage} << QStringList{"01.05.2026"}
                                << "01.05.2026|sonnig|10|0|W|2|";
    QTest::newRow("not asked") << 2 << 0 << QStringList{} << QStringList{"02.05.2026"} << "02.05.2026|Regen|13|5||3|";
  }
  void deleting() {
    QFETCH(int, zeile);
    QFETCH(int, abfrage);
    QFETCH(QStringList, meldungen);
    QFETCH(QStringList, danach);
    QFETCH(QString, felder);
    wetter("01.05.2026", "sonnig", 10, 0, "W", 2);
    wetter("02.05.2026", "Regen", 13, 5, "", 3);
    common::löschabfrage() = abfrage;
    IV_Wetterdaten w;
    w.Form_Load();
    if (zeile > 0) w.liwetter->setRow(zeile);
    const QStringList werte = QString("09.09.2026|Sturm|1|2|S|9|getippt").split('|');
    for (int i = 0; i <= 6; ++i) w.sevt(i).setText(werte[i]);
    for (const QString& m : meldungen) {
      if (m.startsWith('?')) messages().expectNo(m.mid(1));
      else if (m.startsWith('!')) messages().expectYes(m.mid(1));
      else messages().expect(m);
    }
    w.löschen_Click();
    QVERIFY(messages().allUsed());
    QCOMPARE(messages().count(), meldungen.size());
    QStringList tage;
    for (const QString& z : gespeichert()) tage << z.section('|', 0, 0);
    QCOMPARE(tage, danach);
    QCOMPARE(::felder(w), felder);
  }

  void deletingTheLastRecordKeepsTheFields() {
    wetter("01.05.2026", "sonnig", 10, 0, "W", 2);
    IV_Wetterdaten w;
    w.Form_Load();
    w.liwetter->setRow(1);
    w.liwetter_rowclick();
    w.sevt(6).setText("noch da");
    w.löschen_Click();
    QCOMPARE(w.liwetter->rows(), 0);
    QCOMPARE(::felder(w), QString("01.05.2026|sonnig|10|0|W|2|noch da"));
  }

  void aRefusedWriteStoresNothing_data() {
    QTest::addColumn<int>("knopf");
    QTest::newRow("new") << 0;
    QTest::newRow("change") << 1;
  }
  void aRefusedWriteStoresNothing() {
    QFETCH(int, knopf);
    wetter("01.05.2026", "sonnig", 10, 0, "W", 2);
    IV_Wetterdaten w;
    w.Form_Load();
    w.liwetter->setRow(1);
    roh("create trigger kaputt1 before insert on Wetterdaten begin select raise(abort, 'Platte voll'); end");
    roh("create trigger kaputt2 before update on Wetterdaten begin select raise(abort, 'Platte voll'); end");
    tippen(w.sevt(0), "03.05.2026");
    tippen(w.sevt(1), "Hagel");
    messages().expect("Die Wetterdaten wurden nicht gespeichert");
    w.neu_Click(knopf);
    roh("drop trigger kaputt1");
    roh("drop trigger kaputt2");
    QVERIFY(messages().allUsed());
    QCOMPARE(gespeichert(), QStringList{"01.05.2026|sonnig|10|0|W|2|"});
    QCOMPARE(w.sevt(1).text(), QString("Hagel"));
    QCOMPARE(beeps(), 0);
  }

  void listAndHelpButtons() {
    IV_Wetterdaten w;
    w.Form_Load();
    QString thema;
    forms().on("IH_Hilfe", [&](vb::Form*) { thema = common::hilfethema; });
    forms().onWindow<IW_Wetterdaten>("IW_Wetterdaten", [](IW_Wetterdaten& e) {
      QCOMPARE(e.windowTitle(), QString("Wetterdaten auswerten"));
      e.beenden_Click();
    });
    w.hilfe_Click();
    w.ok_Click();
    QCOMPARE(thema, QString("IV_Wetterdaten"));
    QCOMPARE(forms().shown(), (QStringList{"IH_Hilfe", "IW_Wetterdaten"}));
  }

  // --- the evaluations ---------------------------------------------------------------

  void evaluations_data() {
    QTest::addColumn<int>("knopf");
    QTest::addColumn<QString>("von");        // "" = "Alle Buchungen" with "abc" in the fields
    QTest::addColumn<QString>("bis");
    QTest::addColumn<QStringList>("spalten");
    QTest::addColumn<QStringList>("zeilen"); // all rows; for the calendars those given
    const QStringList direkt{"Datum", "Wetter", "Temperatur > #", "Niederschlag_mm > #", "Windrichtung",
                             "Windstärke > #", "Bemerkung"};
    const QStringList monat{"Monat", "Buchungen > #", "Temperatur > #", "Niederschlag > #", "Windstärke > #"};
    QStringList jahr = monat;
    jahr[0] = "Jahr";
    const QStringList mitMitteln{"Anzahl > #", "D_Temperatur > #", "D_Niederschlag > #", "D_Windstärke > #"};
    QTest::newRow("records of May, both ends")
        << 0 << "01.05.2026" << "31.05.2026" << direkt
        << QStringList{"01.05.2026|sonnig|10|0|W|2|", "31.05.2026|Regen|13|5||3|"};
    QTest::newRow("all records, oldest first")
        << 0 << "" << "" << direkt
        << QStringList{"15.03.2025|Schnee|-2|3|N|5|", "30.04.2026|sonnig|13|0|W|4|kalt",
                       "01.05.2026|sonnig|10|0|W|2|", "31.05.2026|Regen|13|5||3|", "01.06.2026|Regen|20|1|O|1|"};
    QTest::newRow("months, all") << 1 << "" << "" << monat
                                 << QStringList{"1|0|||", "3|1|-2,0|3,0|5,0", "4|1|13,0|0,0|4,0",
                                                "5|2|11,5|2,5|2,5", "6|1|20,0|1,0|1,0", "12|0|||"};
    QTest::newRow("months, May") << 1 << "01.05.2026" << "31.05.2026" << monat
                                 << QStringList{"3|0|||", "4|0|||", "5|2|11,5|2,5|2,5", "6|0|||"};
    QTest::newRow("years, all") << 2 << "" << "" << jahr
                                << QStringList{"2016|0|||", "2025|1|-2,0|3,0|5,0", "2026|4|14,0|1,5|2,5"};
    QTest::newRow("years, a range in 2025") << 2 << "01.01.2025" << "31.12.2025" << jahr
                                            << QStringList{"2016|0|||", "2025|1|-2,0|3,0|5,0", "2026|0|||"};
    QTest::newRow("by weather") << 3 << "" << "" << QStringList{"Wetter"} + mitMitteln
                                << QStringList{"Regen|2|16,5|3,0|2,0", "Schnee|1|-2,0|3,0|5,0",
                                               "sonnig|2|11,5|0,0|3,0"};
    QTest::newRow("by weather in May") << 3 << "01.05.2026" << "31.05.2026" << QStringList{"Wetter"} + mitMitteln
                                       << QStringList{"Regen|1|13,0|5,0|3,0", "sonnig|1|10,0|0,0|2,0"};
    QTest::newRow("by temperature") << 4 << "" << "" << QStringList{"Temperatur > #", "Anzahl > #"}
                                    << QStringList{"-2|1", "10|1", "13|2", "20|1"};
    QTest::newRow("by precipitation") << 5 << "" << "" << QStringList{"Niederschlag_mm > #", "Anzahl > #"}
                                      << QStringList{"0|2", "1|1", "3|1", "5|1"};
    QTest::newRow("by wind direction, empty first")
        << 6 << "" << "" << QStringList{"Windrichtung"} + mitMitteln
        << QStringList{"|1|13,0|5,0|3,0", "N|1|-2,0|3,0|5,0", "O|1|20,0|1,0|1,0", "W|2|11,5|0,0|3,0"};
    QTest::newRow("by wind strength") << 7 << "" << "" << QStringList{"Windstärke > #", "Anzahl > #"}
                                      << QStringList{"1|1", "2|1", "3|1", "4|1", "5|1"};
  }
  void evaluations() {
    QFETCH(int, knopf);
    QFETCH(QString, von);
    QFETCH(QString, bis);
    QFETCH(QStringList, spalten);
    QFETCH(QStringList, zeilen);
    // Entered out of order, so that nothing comes in the order of entry.
    wetter("01.06.2026", "Regen", 20, 1, "O", 1);
    wetter("15.03.2025", "Schnee", -2, 3, "N", 5);
    wetter("31.05.2026", "Regen", 13, 5, "", 3);
    wetter("01.05.2026", "sonnig", 10, 0, "W", 2);
    wetter("30.04.2026", "sonnig", 13, 0, "W", 4, "kalt");
    common::wetterzeitraum() = von.isEmpty() ? 0 : 1;
    IW_Wetterdaten w;
    w.Form_Load();
    w.tdat(0).setText(von.isEmpty() ? "abc" : von);
    w.tdat(1).setText(bis.isEmpty() ? "abc" : bis);
    const Liste l = listen(w, knopf);
    QVERIFY(messages().allUsed());
    QCOMPARE(messages().count(), 0);
    QVERIFY(l.gezeigt);
    QCOMPARE(l.spalten, spalten);
    if (knopf == 1 || knopf == 2) {
      QCOMPARE(l.zeilen.size(), knopf == 1 ? 12 : 11);
      QCOMPARE(l.zeilen.first().section('|', 0, 0), QString(knopf == 1 ? "1" : "2016"));
      for (const QString& z : zeilen) QVERIFY2(l.zeilen.contains(z), qPrintable(z + " in " + l.zeilen.join(" / ")));
    } else {
      QCOMPARE(l.zeilen, zeilen);
    }
  }

  void emptyMonthsAndEmptyGroups_data() {
    QTest::addColumn<int>("knopf");
    QTest::addColumn<bool>("liste");
    QTest::newRow("months of an empty journal") << 1 << true;
    QTest::newRow("years of an empty journal") << 2 << true;
    QTest::newRow("a grouping without records") << 3 << false;
    QTest::newRow("records without records") << 0 << false;
  }
  void emptyMonthsAndEmptyGroups() {
    QFETCH(int, knopf);
    QFETCH(bool, liste);
    IW_Wetterdaten w;
    w.Form_Load();
    if (!liste) messages().expect("Keine Daten gefunden");
    const Liste l = listen(w, knopf);
    QVERIFY(messages().allUsed());
    QCOMPARE(l.gezeigt, liste);
    if (knopf == 1)
      for (int m = 1; m <= 12; ++m) QCOMPARE(l.zeilen[m - 1], QString::number(m) + "|0|||");
    if (knopf == 2) QCOMPARE(l.zeilen.size(), 11);
  }

  void typingADateLeavesAllRecords() {
    wetter("01.05.2026", "sonnig", 10, 0, "W", 2);
    wetter("01.06.2026", "Regen", 20, 1, "O", 1);
    IW_Wetterdaten w;
    w.Form_Load();
    QVERIFY(w.optibuch[0]->isChecked());
    tippen(w.tdat(0), "01.06.2026");
    tippen(w.tdat(1), "30.06.2026");
    QVERIFY(w.optibuch[0]->isChecked());
    QCOMPARE(listen(w, 0).zeilen.size(), 2);
  }

  void anUnwritableListFileOpensNoListWindow() {
    wetter("01.05.2026", "sonnig", 10, 0, "W", 2);
    IW_Wetterdaten w;
    w.Form_Load();
    QFile::remove(common::datenpfad + "gridli.txt");
    QVERIFY(QDir(common::datenpfad).mkdir("gridli.txt"));
    messages().expect("gridli.txt");
    bool gezeigt = false;
    forms().on("IA_Zwischenliste", [&](vb::Form* f) {
      gezeigt = true;
      f->unload();
    });
    w.rolisten_Click(0);
    QDir(common::datenpfad).rmdir("gridli.txt");
    QVERIFY(messages().allUsed());
    QVERIFY(!gezeigt);
  }
};

ZEVO_TEST_MAIN(TestWetterdaten)
#include "test_wetterdaten.moc"
