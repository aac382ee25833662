// The period evaluation window, through a small instance over the honey
// stock book: the stored choice and dates, the date check and range, the end
// of an evaluation and closing.

#include "common/einstellungen.h"
#include "output/registry.h"
#include "platform/runtime/mousepointer.h"
#include "support/datenbank.h"
#include "evaluations/listenlesen.h"

#include <QLineEdit>
#include <QRadioButton>

using namespace zevo;
using namespace zevo::test;

namespace {

class IW_Probe : public evaluations::Zeitraumauswertung {
public:
  explicit IW_Probe(bool datumwählt = true)
      : Zeitraumauswertung({"IW_Probe", "Probe auswerten", "Honiglager", &common::honiglagerzeitraum,
                            &common::honiglagervon, &common::honiglagerbis, {"Buchungen listen", "Kaputt"}, datumwählt,
                            2, {}}) {}

protected:
  void auswerten(int index, const QString& bedingung) override {
    direktauswertung(index == 0 ? "select Datum, Produkt, Zugang from Honiglager" + bedingung + " order by Datum"
                                : QString("select Unbekannt from Honiglager"));
  }
};

void stand(const QString& von, const QString& bis, int wahl) {
  common::honiglagervon() = von;
  common::honiglagerbis() = bis;
  common::honiglagerzeitraum() = wahl;
}

}  // namespace

class TestZeitraumauswertung : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() {
    datenbankbereitstellen();
    output::registerOutputForms();
  }
  void init() {
    datenbankgrundzustand(datum("15.06.2026"));
    for (const char* tag : {"30.04.2026", "01.05.2026", "31.05.2026", "01.06.2026"})
      einfügen("Honiglager", {{"Datum", datum(tag)}, {"Produkt", "Raps"}, {"Zugang", 2.5}});
  }

  void loadRepairsDatesAndTheStoredChoiceWins_data() {
    QTest::addColumn<QStringList>("gespeichert");   // from, to, choice
    QTest::addColumn<QStringList>("geladen");       // from, to, the option selected
    QTest::newRow("no dates") << QStringList{"abc", ";Datum;Menge;", "1"} << QStringList{"01.01.2026", "15.06.2026", "1"};
    QTest::newRow("first run") << QStringList{"", "", "0"} << QStringList{"01.01.2026", "15.06.2026", "0"};
    QTest::newRow("31 February") << QStringList{"31.02.2026", "1.3.26", "1"}
                                 << QStringList{"01.01.2026", "1.3.26", "1"};
    QTest::newRow("choice out of range") << QStringList{"01.05.2026", "31.05.2026", "7"}
                                         << QStringList{"01.05.2026", "31.05.2026", "0"};
  }
  void loadRepairsDatesAndTheStoredChoiceWins() {
    QFETCH(QStringList, gespeichert);
    QFETCH(QStringList, geladen);
    stand(gespeichert[0], gespeichert[1], gespeichert[2].toInt());
    IW_Probe w;   // setting its date fields selects "Datum von"
    w.Form_Load();
    QCOMPARE((QStringList{w.tdat(0).text(), w.tdat(1).text(), w.optibuch[1]->isChecked() ? "1" : "0"}), geladen);
    QCOMPARE((QStringList{common::honiglagervon(), common::honiglagerbis()}), geladen.mid(0, 2));
  }

  void dateCheckAndRange_data() {
    QTest::addColumn<int>("wahl");
    QTest::addColumn<QString>("von");
    QTest::addColumn<QString>("bis");
    QTest::addColumn<QString>("ergebnis");   // the refusal's reason, or the days listed
    const QString falsch = "...die Datumangaben nicht korrekt sind.";
    const QString folge = "...das Datum von... kleiner sein muß als das Datum bis...";
    QTest::newRow("letters") << 1 << "abc" << "31.12.2026" << falsch;
    QTest::newRow("bad and reversed") << 1 << "31.02.2026" << "01.01.2020" << falsch;
    QTest::newRow("to is no date") << 1 << "01.05.2026" << "31.06.2026" << falsch;
    QTest::newRow("from after to") << 1 << "02.05.2026" << "01.05.2026" << folge;
    QTest::newRow("one day") << 1 << "01.05.2026" << "01.05.2026" << "01.05.2026";
    QTest::newRow("a month, both ends") << 1 << "01.05.2026" << "31.05.2026" << "01.05.2026 31.05.2026";
    QTest::newRow("short forms") << 1 << "1.5.26" << "31.12.2026" << "01.05.2026 31.05.2026 01.06.2026";
    QTest::newRow("short forms, one month") << 1 << "1.6.2026" << "9.6.26" << "01.06.2026";
    QTest::newRow("all, fields not looked at") << 0 << "abc" << "" << "30.04.2026 01.05.2026 31.05.2026 01.06.2026";
  }
  void dateCheckAndRange() {
    QFETCH(int, wahl);
    QFETCH(QString, von);
    QFETCH(QString, bis);
    QFETCH(QString, ergebnis);
    IW_Probe w(false);
    w.Form_Load();
    w.tdat(0).setText(von);
    w.tdat(1).setText(bis);
    w.optibuch[wahl]->setChecked(true);
    const bool refused = ergebnis.startsWith("...");
    const QString meldung = "Die Auswertung kann nicht ausgeführt werden, weil...\r\n\r\n" + ergebnis + "\r\n";
    if (refused) messages().expect(meldung);
    const Liste l = auswertunglesen(w, 0);
    QVERIFY(messages().allUsed());
    QCOMPARE(l.gezeigt, !refused);
    if (refused) {
      QCOMPARE(messages().last(), meldung);   // that reason only
      return;
    }
    QCOMPARE(l.spalten, (QStringList{"Datum", "Produkt", "Zugang > #"}));
    QStringList tage;
    for (const QString& z : l.zeilen) tage << z.section('|', 0, 0);
    QCOMPARE(tage.join(' '), ergebnis);
    QCOMPARE(l.zeilen.first().section('|', 2), QString("2,50"));
  }

  void endOfEvaluation_data() {
    QTest::addColumn<int>("knopf");
    QTest::addColumn<QString>("meldung");
    QTest::newRow("no rows") << 0 << "Keine Daten gefunden";
    QTest::newRow("gridli.txt cannot be written") << 0 << "gridli.txt";
    QTest::newRow("query fails") << 1 << "Die Auswertung konnte nicht ausgeführt werden";
  }
  void endOfEvaluation() {
    QFETCH(int, knopf);
    QFETCH(QString, meldung);
    IW_Probe w;
    w.Form_Load();
    if (meldung.startsWith("Keine")) db().execute("delete from Honiglager");
    const bool ordner = meldung == "gridli.txt" && QDir(common::datenpfad).mkdir("gridli.txt");
    messages().expect(meldung);
    const bool gezeigt = auswertunglesen(w, knopf).gezeigt;
    if (ordner) QDir(common::datenpfad).rmdir("gridli.txt");
    QVERIFY(messages().allUsed());
    QVERIFY(!gezeigt);
    QCOMPARE(vb::mousePointer(), int(vb::vbDefault));
    if (knopf == 0) QCOMPARE(w.gridli->cols(), 3);   // the columns stay
  }

  // "&Schließen" stores the texts as typed and the choice; the close box nothing.
  void closingStoresOnlyBySchliessen() {
    for (const bool schließen : {false, true}) {
      stand("01.05.2026", "31.05.2026", 0);
      IW_Probe w(false);
      w.Form_Load();
      w.tdat(0).setText("abc");
      w.tdat(1).setText("1.6.26");
      w.optibuch[1]->setChecked(true);
      if (schließen) w.beenden_Click();
      else w.close();
      QVERIFY(w.isUnloaded());
      QCOMPARE(common::honiglagervon() + " " + common::honiglagerbis() + " " + QString::number(common::honiglagerzeitraum()),
               QString(schließen ? "abc 1.6.26 1" : "01.05.2026 31.05.2026 0"));
    }
  }

  // Typing a date selects "Datum von" only in windows with a change handler.
  void typingADateSelectsTheRangeWhereWanted() {
    for (const bool datumwählt : {true, false}) {
      IW_Probe w(datumwählt);
      w.Form_Load();
      QVERIFY(w.optibuch[0]->isChecked());
      QTest::keyClick(w.tdat(0).editor(), Qt::Key_Backspace);
      QTest::keyClicks(w.tdat(0).editor(), "5");
      QCOMPARE(w.optibuch[1]->isChecked(), datumwählt);
    }
  }

  void aDatabaseThatCannotBeOpenedKeepsTheWindowShut() {
    const QString pfad = common::datenbankpfad;
    common::datenbankpfad = common::datenpfad + "fehlt/ZEVO.MDB";
    IW_Probe w;
    messages().expect("Das Fenster kann nicht geöffnet werden");
    w.Form_Load();
    common::datenbankpfad = pfad;
    QVERIFY(messages().allUsed());
    QVERIFY(w.isUnloaded());
  }
};

ZEVO_TEST_MAIN(TestZeitraumauswertung)
#include "test_zeitraumauswertung.moc"
