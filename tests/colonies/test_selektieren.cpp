// The colony selection: every criterion, adding to or replacing the
// selection, the stock option and the refusals.
#include "colonies/iv_selektieren.h"
#include "eingabetest.h"
#include "support/eingabefeld.h"

#include <QCheckBox>

using namespace zevo;
using namespace zevo::test;
using colonies::IV_Selektieren;

namespace {

void markieren(const QStringList& völker) {
  db().execute("update Bienenvolk set Selektiert = ''");
  for (const QString& v : völker) db().execute("update Bienenvolk set Selektiert = 'X' where Volknr = '" + v + "'");
}

QStringList markierte() { return spalte("select Volknr from Bienenvolk where Selektiert = 'X' order by Volknr"); }

}  // namespace

class TestSelektieren : public QObject {
  Q_OBJECT

private slots:
  // Four colonies: 1 and 3 in stock with every rating 9, 2 gone with every
  // rating 0, 4 in stock with nothing but its number; 2 and 3 marked.
  void init() {
    datenbankbereitstellen();
    datenbankgrundzustand(datum("10.05.2007"));
    auto mit = [](int zahl, const char* ort, const char* beute, const char* rasse, const char* herkunft,
                  const char* abnehmer = "") {
      Werte werte{{"Standort", ort}, {"Beuteart", beute}, {"Bienenrasse", rasse}, {"Volk_Herkunft", herkunft},
                  {"Abnehmer", abnehmer}};
      for (const QString& m : IV_Selektieren::merkmale())
        werte << qMakePair(m == "Volksstärke" ? QString("Volkstärke") : m, QVariant(zahl));
      return werte;
    };
    volk("1", true, mit(9, "Wald", "Zander", "Carnica", "Huber"));
    volk("2", false, mit(0, "wald", "Dadant", "Buckfast", "Meier", "Schulz"));
    volk("3", true, mit(9, "O`Berg", "Zander", "Carnica", "Huber"));   // typed as "O'Berg", stored so
    volk("4", true);
    markieren({"2", "3"});
  }

  void everyCriterion_data() {
    QTest::addColumn<int>("knopf");
    QTest::addColumn<QString>("text");   // into the button's field, for 8 the attribute
    QTest::addColumn<QString>("zahl");   // sevt(6)
    QTest::addColumn<QString>("erwartet");   // the marked colonies, or the name of the refusal
    QTest::newRow("all") << 0 << "" << "" << "1 2 3 4";
    QTest::newRow("none") << 1 << "" << "" << "";
    QTest::newRow("site, exact case") << 2 << "Wald" << "" << "1";
    QTest::newRow("site, other case") << 2 << "wald" << "" << "2";
    QTest::newRow("site typed with an apostrophe") << 2 << " O'Berg " << "" << "3";
    QTest::newRow("hive type") << 3 << "Zander" << "" << "1 3";
    QTest::newRow("race") << 4 << "Buckfast" << "" << "2";
    QTest::newRow("origin") << 5 << "Huber" << "" << "1 3";
    QTest::newRow("buyer") << 6 << "Schulz" << "" << "2";
    QTest::newRow("in stock") << 7 << "" << "" << "1 3 4";
    for (const QString& m : IV_Selektieren::merkmale())
      QTest::addRow("%s = 9", qPrintable(m)) << 8 << m << "9" << "1 3";
    QTest::newRow("Belagert = 0 skips Null") << 8 << "Belagert" << "0" << "2";
    QTest::newRow("leading number of the value") << 8 << "Volksstärke" << "9 Waben" << "1 3";
    QTest::newRow("no site") << 2 << "  " << "" << "der Standort";
    QTest::newRow("no attribute") << 8 << "" << "" << "der Bezug";
    QTest::newRow("unknown attribute") << 8 << "Honig" << "" << "der Bezug";
    QTest::newRow("attribute in the column's spelling") << 8 << "Volkstärke" << "" << "der Bezug";
  }

  // With "clear first" set: a refusal must leave the marks as they were.
  void everyCriterion() {
    QFETCH(int, knopf);
    QFETCH(QString, text);
    QFETCH(QString, zahl);
    QFETCH(QString, erwartet);
    auto w = geladen<IV_Selektieren>();
    w->kon[0]->setChecked(true);
    if (knopf >= 2 && knopf <= 6) w->sevt(knopf - 2).setText(text);
    if (knopf == 8) w->sevt(5).setText(text);
    w->sevt(6).setText(zahl);
    const bool verweigert = erwartet.startsWith('d');
    const QString meldung = "Der Selektionswunsch kann nicht ausgeführt werden, weil " + erwartet;
    if (verweigert) messages().expect(meldung + " nicht ausgewählt ist.");
    w->entselekt_Click(knopf);
    QVERIFY(messages().allUsed());
    QCOMPARE(messages().count(), int(verweigert));
    QCOMPARE(markierte().join(' '), verweigert ? QString("2 3") : erwartet);
    QCOMPARE(common::völkerneulesen, int(!verweigert));
  }

  // Without "clear first" a selection only adds marks; "only in stock" limits
  // the adding, never the clearing.
  void addingAndStockOnly() {
    auto w = geladen<IV_Selektieren>();
    for (int i : w->sevt.indexes()) QCOMPARE(pfeil(w->sevt(i)), w->sevt(i).texttype() == 0);
    w->sevt(0).setText("Wald");
    w->entselekt_Click(2);
    QCOMPARE(markierte(), (QStringList{"1", "2", "3"}));
    w->kon[1]->setChecked(true);
    markieren({"2"});
    w->entselekt_Click(0);
    QCOMPARE(markierte(), (QStringList{"1", "2", "3", "4"}));   // 2 is gone but keeps its mark
    markieren({});
    w->entselekt_Click(0);
    QCOMPARE(markierte(), (QStringList{"1", "3", "4"}));   // and is not taken in
    w->kon[0]->setChecked(true);
    w->entselekt_Click(7);
    QCOMPARE(markierte(), (QStringList{"1", "3", "4"}));   // the clearing takes every colony
    w->kon[0]->setChecked(false);
    w->entselekt_Click(1);
    QCOMPARE(markierte(), QStringList());   // "none" clears without the option too
    common::völkerneulesen = 0;
    w->entselekt_Click(9);   // no such button: nothing happens
    QCOMPARE(markierte(), QStringList());
    QCOMPARE(common::völkerneulesen, 0);
  }

  // A selection that fails half-way changes no mark: the clearing and the
  // marks set before the failure are taken back together.
  void aFailureHalfWayChangesNoMark() {
    auto w = geladen<IV_Selektieren>();
    w->kon[0]->setChecked(true);
    roh("create trigger kaputt before update of Selektiert on Bienenvolk when new.Volknr = '4' and "
        "new.Selektiert = 'X' begin select raise(abort, 'Platte voll'); end");
    messages().expect("Die Selektion konnte nicht ausgeführt werden.");
    w->entselekt_Click(0);
    roh("drop trigger kaputt");
    QVERIFY(messages().allUsed());
    QCOMPARE(markierte(), (QStringList{"2", "3"}));
    QCOMPARE(common::völkerneulesen, 0);
  }

  // The two options are read when the window opens and kept by "Schließen" only.
  void optionsKeptByCloseOnly() {
    for (const auto& [alte, bestand] : {std::pair{1, 0}, {0, 1}}) {
      common::selektionaltelöschen() = alte;
      common::selektionnurbestand() = bestand;
      auto w = geladen<IV_Selektieren>();
      QCOMPARE(w->kon[0]->isChecked(), alte == 1);
      QCOMPARE(w->kon[1]->isChecked(), bestand == 1);
      w->kon[0]->setChecked(!alte);
      w->kon[1]->setChecked(!bestand);
      w->close();   // the close box keeps nothing
      QCOMPARE(common::selektionaltelöschen() * 10 + common::selektionnurbestand(), alte * 10 + bestand);
      auto v = geladen<IV_Selektieren>();
      v->kon[0]->setChecked(!alte);
      v->kon[1]->setChecked(!bestand);
      v->abbv_Click();
      QVERIFY(v->isUnloaded());
      QCOMPARE(common::selektionaltelöschen() * 10 + common::selektionnurbestand(), (1 - alte) * 10 + 1 - bestand);
    }
  }
};

ZEVO_TEST_MAIN(TestSelektieren)
#include "test_selektieren.moc"
