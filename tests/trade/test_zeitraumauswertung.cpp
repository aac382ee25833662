// The period evaluation window, through a small instance over the honey
// stock book: loading and storing the choice, the date check and condition,
// the direct and the calendar evaluation and the hand-over to the list window.

#include "common/einstellungen.h"
#include "platform/runtime/mousepointer.h"
#include "components/sevgrid.h"
#include "output/ia_zwischenliste.h"
#include "output/registry.h"
#include "shell/testdatenbank.h"
#include "trade/zeitraumauswertung.h"

#include <QFile>
#include <QLineEdit>
#include <QRadioButton>

using namespace zevo;
using trade::Zeitraumauswertung;

namespace {

class IW_Probe : public Zeitraumauswertung {
public:
  explicit IW_Probe(bool datumwählt = true)
      : Zeitraumauswertung({QStringLiteral("IW_Probe"), QStringLiteral("Probe auswerten"), QStringLiteral("Honiglager"),
                            &common::honiglagerzeitraum, &common::honiglagervon, &common::honiglagerbis,
                            {"Buchungen listen", "Nach Monaten", "Nach Jahren (10 Jahre)", "Kaputt"}, datumwählt, 2,
                            {}}) {}

protected:
  void auswerten(int index, const QString& bedingung) override {
    const QString aggregat = "select count(*) as Anzahl, sum(Zugang) as summe1 from Honiglager";
    switch (index) {
      case 0: direktauswertung("select Datum, Produkt, Zugang, EVK_ID from Honiglager" + bedingung + " order by Datum"); break;
      case 1:
      case 2:
        kalenderauswertung(
            index == 2, {"Buchungen", "Zugänge"},
            [&](int n) { return kalenderabfrage(aggregat, bedingung, index == 2, n); },
            [](dao::Recordset& rs) { return kalenderzellen(rs, "0.00"); });
        break;
      default: direktauswertung("select Unbekannt from Honiglager"); break;
    }
  }
};

// What the list window was handed: captions, marks and rows, read back from
// gridli.txt by the grid's own reader. Empty when no list window opened.
struct Liste {
  bool gezeigt = false;
  QStringList spalten;   // "caption" plus " >" for a right-aligned, " #" for a numeric column
  QStringList zeilen;    // cells joined by "|"
};

Liste auswerten(Zeitraumauswertung& w, int knopf) {
  Liste l;
  QFile::remove(common::datenpfad + "gridli.txt");
  test::forms().onWindow<output::IA_Zwischenliste>("IA_Zwischenliste", [&](output::IA_Zwischenliste& z) {
    l.gezeigt = true;
    z.cmdschließen_Click();
  });
  w.rolisten_Click(knopf);
  if (!l.gezeigt) return l;
  ui::sevGrid g;
  if (!g.loadfromfile(common::datenpfad + "gridli.txt")) return l;
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

void lagerbuchung(const char* datum, const QString& produkt, double zugang) {
  test::einfügen("Honiglager", {{"Datum", test::datum(datum)}, {"Produkt", produkt}, {"Zugang", zugang}, {"Abgang", 0},
                                {"EVK_ID", 0}});
}

}  // namespace

class TestZeitraumauswertung : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() {
    test::datenbankbereitstellen();
    output::registerOutputForms();
  }
  void init() {
    test::datenbankgrundzustand(test::datum("15.06.2026"));
    lagerbuchung("30.04.2026", "Rapshonig", 1);
    lagerbuchung("01.05.2026", "Rapshonig", 2.5);
    lagerbuchung("31.05.2026", "Waldhonig", 4);
    lagerbuchung("01.06.2026", "Waldhonig", 8);
  }

  void loadRepairsDatesAndSelectsTheStoredChoice_data() {
    QTest::addColumn<QString>("von");
    QTest::addColumn<QString>("bis");
    QTest::addColumn<int>("wahl");
    QTest::addColumn<QString>("geladenvon");
    QTest::addColumn<QString>("geladenbis");
    QTest::addColumn<int>("gewählt");
    QTest::newRow("no dates") << "abc" << ";Datum;Menge;" << 1 << "01.01.2026" << "15.06.2026" << 1;
    QTest::newRow("empty, first run") << "" << "" << 0 << "01.01.2026" << "15.06.2026" << 0;
    QTest::newRow("impossible day") << "31.02.2026" << "01.03.2026" << 1 << "01.01.2026" << "01.03.2026" << 1;
    QTest::newRow("short forms kept") << "1.5.26" << "31.12.2026" << 0 << "1.5.26" << "31.12.2026" << 0;
    QTest::newRow("choice out of range") << "01.05.2026" << "31.05.2026" << 7 << "01.05.2026" << "31.05.2026" << 0;
  }
  void loadRepairsDatesAndSelectsTheStoredChoice() {
    QFETCH(QString, von);
    QFETCH(QString, bis);
    QFETCH(int, wahl);
    QFETCH(QString, geladenvon);
    QFETCH(QString, geladenbis);
    QFETCH(int, gewählt);
    common::honiglagervon() = von;
    common::honiglagerbis() = bis;
    common::honiglagerzeitraum() = wahl;
    IW_Probe w;   // setting the date fields selects "Datum von" here: the stored choice must still win
    w.Form_Load();
    QCOMPARE(w.tdat(0).text(), geladenvon);
    QCOMPARE(w.tdat(1).text(), geladenbis);
    QCOMPARE(common::honiglagervon(), geladenvon);   // repaired where it is stored
    QCOMPARE(common::honiglagerbis(), geladenbis);
    QVERIFY(w.optibuch[gewählt]->isChecked());
    QCOMPARE(w.windowTitle(), QString("Probe auswerten"));
  }

  void dateCheckAndRange_data() {
    QTest::addColumn<int>("wahl");
    QTest::addColumn<QString>("von");
    QTest::addColumn<QString>("bis");
    QTest::addColumn<QString>("meldung");   // the refusal's line, or "" when it runs
    QTest::addColumn<QStringList>("tage");  // the days listed
    const QString falsch = "...die Datumangaben nicht korrekt sind.";
    const QString folge = "...das Datum von... kleiner sein muß als das Datum bis...";
    QTest::newRow("letters") << 1 << "abc" << "31.12.2026" << falsch << QStringList{};
    QTest::newRow("31 February") << 1 << "01.01.2026" << "31.02.2026" << falsch << QStringList{};
    QTest::newRow("bad and reversed") << 1 << "abc" << "01.01.2020" << falsch << QStringList{};
    QTest::newRow("from after to") << 1 << "02.05.2026" << "01.05.2026" << folge << QStringList{};
    QTest::newRow("one day") << 1 << "01.05.2026" << "01.05.2026" << "" << QStringList{"01.05.2026"};
    QTest::newRow("a month, both ends") << 1 << "01.05.2026" << "31.05.2026" << ""
                                        << QStringList{"01.05.2026", "31.05.2026"};
    QTest::newRow("short form from") << 1 << "1.5.26" << "31.12.2026" << ""
                                     << QStringList{"01.05.2026", "31.05.2026", "01.06.2026"};
    QTest::newRow("short forms, same month") << 1 << "1.6.2026" << "9.6.26" << "" << QStringList{"01.06.2026"};
    QTest::newRow("all, fields ignored") << 0 << "abc" << "xyz" << ""
                                         << QStringList{"30.04.2026", "01.05.2026", "31.05.2026", "01.06.2026"};
  }
  void dateCheckAndRange() {
    QFETCH(int, wahl);
    QFETCH(QString, von);
    QFETCH(QString, bis);
    QFETCH(QString, meldung);
    QFETCH(QStringList, tage);
    IW_Probe w(false);
    w.Form_Load();
    w.tdat(0).setText(von);
    w.tdat(1).setText(bis);
    w.optibuch[wahl]->setChecked(true);
    if (!meldung.isEmpty()) test::messages().expect("Die Auswertung kann nicht ausgeführt werden, weil...");
    const Liste l = auswerten(w, 0);
    QVERIFY(test::messages().allUsed());
    if (!meldung.isEmpty()) {
      QVERIFY(test::messages().last().contains(meldung));
      QCOMPARE(test::messages().last().count("\r\n...d"), 1);   // one reason only
      QVERIFY(!l.gezeigt);
      return;
    }
    QVERIFY(l.gezeigt);
    QStringList gelistet;
    for (const QString& z : l.zeilen) gelistet << z.section('|', 0, 0);
    QCOMPARE(gelistet, tage);
  }

  void directEvaluationCopiesFieldByField() {
    common::honiglagerzeitraum() = 0;
    IW_Probe w;
    w.Form_Load();
    const Liste l = auswerten(w, 0);
    QCOMPARE(l.spalten, (QStringList{"Datum", "Produkt", "Zugang > #", "EVK_ID > #"}));
    QCOMPARE(l.zeilen.at(1), QString("01.05.2026|Rapshonig|2,50|0"));
  }

  void calendarEvaluations_data() {
    QTest::addColumn<int>("knopf");
    QTest::addColumn<int>("wahl");
    QTest::addColumn<QString>("erste");
    QTest::addColumn<QString>("letzte");
    QTest::addColumn<QStringList>("auszug");   // rows that must be there
    QTest::newRow("months, all") << 1 << 0 << "1|0|" << "12|0|" << QStringList{"4|1|1,00", "5|3|106,50", "6|1|8,00"};
    QTest::newRow("months, May") << 1 << 1 << "1|0|" << "12|0|" << QStringList{"4|0|", "5|2|6,50", "6|0|"};
    QTest::newRow("years, all") << 2 << 0 << "2016|0|" << "2026|4|15,50" << QStringList{"2025|0|"};
    QTest::newRow("years, May") << 2 << 1 << "2016|0|" << "2026|2|6,50" << QStringList{};
  }
  void calendarEvaluations() {
    QFETCH(int, knopf);
    QFETCH(int, wahl);
    QFETCH(QString, erste);
    QFETCH(QString, letzte);
    QFETCH(QStringList, auszug);
    lagerbuchung("01.05.2014", "Rapshonig", 100);   // outside the ten years
    common::honiglagerzeitraum() = wahl;
    common::honiglagervon() = "01.05.2026";
    common::honiglagerbis() = "31.05.2026";
    IW_Probe w;
    w.Form_Load();
    const Liste l = auswerten(w, knopf);
    QVERIFY(l.gezeigt);
    QCOMPARE(l.spalten, (QStringList{knopf == 1 ? "Monat" : "Jahr", "Buchungen > #", "Zugänge > #"}));
    QCOMPARE(l.zeilen.size(), knopf == 1 ? 12 : 11);
    QCOMPARE(l.zeilen.first(), erste);
    QCOMPARE(l.zeilen.last(), letzte);
    for (const QString& z : auszug) QVERIFY2(l.zeilen.contains(z), qPrintable(z));
  }

  void endOfEvaluation_data() {
    QTest::addColumn<QString>("fall");
    QTest::newRow("no rows") << "leer";
    QTest::newRow("gridli.txt cannot be written") << "ordner";
    QTest::newRow("query fails") << "abfrage";
  }
  void endOfEvaluation() {
    QFETCH(QString, fall);
    IW_Probe w;
    w.Form_Load();
    int knopf = 0;
    if (fall == "leer") {
      test::db().execute("delete from Honiglager");
      test::messages().expect("Keine Daten gefunden");
    } else if (fall == "ordner") {
      QFile::remove(common::datenpfad + "gridli.txt");
      QVERIFY(QDir(common::datenpfad).mkdir("gridli.txt"));
      test::messages().expect("gridli.txt");
    } else {
      knopf = 3;
      test::messages().expect("Die Auswertung konnte nicht ausgeführt werden");
    }
    bool gezeigt = false;
    test::forms().on("IA_Zwischenliste", [&](vb::Form* f) {
      gezeigt = true;
      f->unload();
    });
    w.rolisten_Click(knopf);
    QDir(common::datenpfad).rmdir("gridli.txt");
    QVERIFY(test::messages().allUsed());
    QVERIFY(!gezeigt);
    QCOMPARE(vb::mousePointer(), int(vb::vbDefault));
    if (fall == "leer") QCOMPARE(w.gridli->cols(), 4);   // the columns stay, no rows
  }

  void closing_data() {
    QTest::addColumn<bool>("schließen");
    QTest::newRow("&Schließen stores as typed") << true;
    QTest::newRow("close box stores nothing") << false;
  }
  void closing() {
    QFETCH(bool, schließen);
    common::honiglagervon() = "01.05.2026";
    common::honiglagerbis() = "31.05.2026";
    common::honiglagerzeitraum() = 0;
    IW_Probe w(false);
    w.Form_Load();
    w.tdat(0).setText("abc");
    w.tdat(1).setText("1.6.26");
    w.optibuch[1]->setChecked(true);
    if (schließen) w.beenden_Click();
    else w.close();
    QVERIFY(w.isUnloaded());
    QCOMPARE(common::honiglagervon(), schließen ? QString("abc") : QString("01.05.2026"));
    QCOMPARE(common::honiglagerbis(), schließen ? QString("1.6.26") : QString("31.05.2026"));
    QCOMPARE(common::honiglagerzeitraum(), schließen ? 1 : 0);
  }

  void typingADateSelectsTheRangeWhereWanted_data() {
    QTest::addColumn<bool>("datumwählt");
    QTest::newRow("trade windows") << true;
    QTest::newRow("without change handler") << false;
  }
  void typingADateSelectsTheRangeWhereWanted() {
    QFETCH(bool, datumwählt);
    common::honiglagerzeitraum() = 0;
    IW_Probe w(datumwählt);
    w.Form_Load();
    w.show();
    QVERIFY(w.optibuch[0]->isChecked());
    w.tdat(0).editor()->setFocus();
    QTest::keyClick(w.tdat(0).editor(), Qt::Key_Backspace);
    QTest::keyClicks(w.tdat(0).editor(), "5");
    QCOMPARE(w.optibuch[1]->isChecked(), datumwählt);
    w.beenden_Click();
  }

  void aDatabaseThatCannotBeOpenedKeepsTheWindowShut() {
    const QString pfad = common::datenbankpfad;
    common::datenbankpfad = common::datenpfad + "fehlt/ZEVO.MDB";
    IW_Probe w;
    test::messages().expect("Das Fenster kann nicht geöffnet werden");
    w.Form_Load();
    common::datenbankpfad = pfad;
    QVERIFY(test::messages().allUsed());
    QVERIFY(w.isUnloaded());
  }

  void helpShowsTheWindowsTopic() {
    IW_Probe w;
    w.Form_Load();
    QString thema;
    test::forms().on("IH_Hilfe", [&](vb::Form*) { thema = common::hilfethema; });
    w.hilfe_Click();
    QCOMPARE(thema, QString("IW_Probe"));
  }
};

ZEVO_TEST_MAIN(TestZeitraumauswertung)
#include "test_zeitraumauswertung.moc"
