// The colony selection: every criterion, adding to or replacing the
// selection, the stock option and the refusals.
#include "colonies/iv_selektieren.h"
#include "colonies/registry.h"
#include "shell/testdatenbank.h"

#include <QCheckBox>
#include <QPushButton>

using namespace zevo;
using namespace zevo::test;
using colonies::IV_Selektieren;

namespace {

const QStringList merkmalspalten{"Volkstärke", "Mittelwände", "Wabenanzahl", "Brutstand", "Wabensitz", "Sanftmut",
                                 "Schwarmtrieb", "Frühjahrsentw", "Winterfestigkeit", "Varroaschäden", "Belagert"};

// Four colonies: 1 and 3 in stock with every rating 9, 2 gone with every
// rating 0, 4 in stock with nothing but its number.
void völkeranlegen() {
  auto mitwerten = [](int zahl, Werte werte) {
    for (const QString& s : merkmalspalten) werte << qMakePair(s, QVariant(zahl));
    return werte;
  };
  volk("1", true, mitwerten(9, {{"Standort", "Wald"}, {"Beuteart", "Zander"}, {"Bienenrasse", "Carnica"},
                                {"Volk_Herkunft", "Huber"}}));
  volk("2", false, mitwerten(0, {{"Standort", "wald"}, {"Beuteart", "Dadant"}, {"Bienenrasse", "Buckfast"},
                                 {"Volk_Herkunft", "Meier"}, {"Abnehmer", "Schulz"}}));
  volk("3", true, mitwerten(9, {{"Standort", "Feld"}, {"Beuteart", "Zander"}, {"Bienenrasse", "Carnica"},
                                {"Volk_Herkunft", "Huber"}}));
  volk("4", true);
}

void markieren(const QStringList& völker) {
  db().execute("update Bienenvolk set Selektiert = ''");
  for (const QString& v : völker) db().execute("update Bienenvolk set Selektiert = 'X' where Volknr = '" + v + "'");
}

QStringList markierte() { return spalte("select Volknr from Bienenvolk where Selektiert = 'X' order by Volknr"); }

std::unique_ptr<IV_Selektieren> öffnen() {
  auto w = std::make_unique<IV_Selektieren>();
  w->Form_Load();
  return w;
}

}  // namespace

class TestSelektieren : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() {
    datenbankbereitstellen();
    colonies::registerColonyForms();
  }

  void init() {
    datenbankgrundzustand(datum("10.05.2007"));
    völkeranlegen();
  }

  void loadingFillsListsAndOptions() {
    common::einstellungzahl[53] = 1;
    auto w = öffnen();
    QVERIFY(w->kon[0]->isChecked());
    QVERIFY(!w->kon[1]->isChecked());
    QCOMPARE(w->windowTitle(), QString("Völker selektieren"));
    QCOMPARE(w->sevt(0).listcount(), 3);   // Null, "Feld", "Wald" ("wald" is the same to distinct)
    QCOMPARE(w->sevt(4).listcount(), 2);
    QCOMPARE(w->sevt(5).listcount(), 11);
    QCOMPARE(w->sevt(5).listtext(0), QString("Volksstärke"));
    QCOMPARE(w->sevt(5).listtext(10), QString("Belagert"));
    QCOMPARE(w->sevt(6).text(), QString("0"));
    QCOMPARE(w->entselekt[3]->text(), QString("Völker mit Beuteart  --->"));
  }

  void everyCriterion_data() {
    QTest::addColumn<int>("knopf");
    QTest::addColumn<QString>("text");   // into the button's field
    QTest::addColumn<QString>("zahl");   // sevt(6)
    QTest::addColumn<QStringList>("erwartet");
    const QStringList keine;
    QTest::newRow("all") << 0 << "" << "" << QStringList{"1", "2", "3", "4"};
    QTest::newRow("none") << 1 << "" << "" << keine;
    QTest::newRow("site, exact case") << 2 << "Wald" << "" << QStringList{"1"};
    QTest::newRow("site, other case") << 2 << "wald" << "" << QStringList{"2"};
    QTest::newRow("site, no colony") << 2 << "Heide" << "" << keine;
    QTest::newRow("hive type") << 3 << "Zander" << "" << QStringList{"1", "3"};
    QTest::newRow("race") << 4 << "Buckfast" << "" << QStringList{"2"};
    QTest::newRow("origin") << 5 << "Huber" << "" << QStringList{"1", "3"};
    QTest::newRow("buyer") << 6 << "Schulz" << "" << QStringList{"2"};
    QTest::newRow("in stock") << 7 << "" << "" << QStringList{"1", "3", "4"};
    for (const QString& m : IV_Selektieren::merkmale())
      QTest::addRow("%s = 9", qPrintable(m)) << 8 << m << "9" << QStringList{"1", "3"};
    QTest::newRow("Belagert = 0 skips Null") << 8 << "Belagert" << "0" << QStringList{"2"};
    QTest::newRow("leading number of the value") << 8 << "Volksstärke" << "9 Waben" << QStringList{"1", "3"};
    QTest::newRow("no number is 0") << 8 << "Sanftmut" << "" << QStringList{"2"};
  }

  void everyCriterion() {
    QFETCH(int, knopf);
    QFETCH(QString, text);
    QFETCH(QString, zahl);
    QFETCH(QStringList, erwartet);
    auto w = öffnen();
    if (knopf >= 2 && knopf <= 6) w->sevt(knopf - 2).setText(text);
    if (knopf == 8) {
      w->sevt(5).pick(int(IV_Selektieren::merkmale().indexOf(text)));
      QCOMPARE(w->sevt(5).text(), text);
      w->sevt(6).setText(zahl);
    }
    w->entselekt_Click(knopf);
    QCOMPARE(messages().count(), 0);
    QCOMPARE(markierte(), erwartet);
    QCOMPARE(common::völkerneulesen, 1);
  }

  void emptyCriterionIsRefused_data() {
    QTest::addColumn<int>("knopf");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("name");
    QTest::newRow("site") << 2 << "" << "der Standort";
    QTest::newRow("site of blanks") << 2 << "  " << "der Standort";
    QTest::newRow("hive type") << 3 << "" << "die Beuteart";
    QTest::newRow("race") << 4 << "" << "die Rasse";
    QTest::newRow("origin") << 5 << "" << "die Herkunft";
    QTest::newRow("buyer") << 6 << "" << "der Abnehmer";
    QTest::newRow("attribute") << 8 << "" << "der Bezug";
    QTest::newRow("unknown attribute") << 8 << "Honig" << "der Bezug";
    QTest::newRow("attribute in the column's spelling") << 8 << "Volkstärke" << "der Bezug";
  }

  void emptyCriterionIsRefused() {
    QFETCH(int, knopf);
    QFETCH(QString, text);
    QFETCH(QString, name);
    markieren({"2", "3"});
    auto w = öffnen();
    w->kon[0]->setChecked(true);   // would clear everything, were the wish carried out
    w->sevt(knopf == 8 ? 5 : knopf - 2).setText(text);
    messages().expect("Der Selektionswunsch kann nicht ausgeführt werden, weil " + name + " nicht ausgewählt ist.");
    w->entselekt_Click(knopf);
    QVERIFY(messages().allUsed());
    QCOMPARE(messages().last(),
             "Der Selektionswunsch kann nicht ausgeführt werden, weil " + name + " nicht ausgewählt ist.");
    QCOMPARE(markierte(), (QStringList{"2", "3"}));
    QCOMPARE(common::völkerneulesen, 0);
  }

  void selectionsAddUpUnlessClearedFirst() {
    auto w = öffnen();
    w->sevt(0).setText("Wald");
    w->entselekt_Click(2);
    w->sevt(2).setText("Buckfast");
    w->entselekt_Click(4);
    QCOMPARE(markierte(), (QStringList{"1", "2"}));

    w->kon[0]->setChecked(true);
    w->entselekt_Click(2);
    QCOMPARE(markierte(), QStringList{"1"});
    w->entselekt_Click(4);
    QCOMPARE(markierte(), QStringList{"2"});
  }

  void stockOption() {
    markieren({"2"});
    auto w = öffnen();
    w->kon[1]->setChecked(true);
    w->entselekt_Click(0);
    QCOMPARE(markierte(), (QStringList{"1", "2", "3", "4"}));   // 2 is gone but keeps its mark

    markieren({});
    w->entselekt_Click(0);
    QCOMPARE(markierte(), (QStringList{"1", "3", "4"}));
    w->sevt(0).setText("wald");
    w->entselekt_Click(2);   // only colony 2 has that site, and it is gone
    QCOMPARE(markierte(), (QStringList{"1", "3", "4"}));

    markieren({"2", "3"});
    w->kon[0]->setChecked(true);
    w->entselekt_Click(7);
    QCOMPARE(markierte(), (QStringList{"1", "3", "4"}));   // the clearing takes every colony
    markieren({"2", "3"});
    w->entselekt_Click(1);
    QCOMPARE(markierte(), QStringList{});
  }

  void optionsAreStoredOnlyByTheCloseButton() {
    common::einstellungzahl[52] = 0;
    common::einstellungzahl[53] = 0;
    forms().onWindow<IV_Selektieren>("IV_Selektieren", [](IV_Selektieren& w) {
      w.kon[0]->setChecked(true);
      w.kon[1]->setChecked(true);
      w.entselekt_Click(0);
      w.close();   // the close box
    });
    vb::showForm("IV_Selektieren");
    QCOMPARE(markierte(), (QStringList{"1", "3", "4"}));
    QCOMPARE(common::einstellungzahl[52], 0);
    QCOMPARE(common::einstellungzahl[53], 0);

    forms().onWindow<IV_Selektieren>("IV_Selektieren", [](IV_Selektieren& w) {
      w.kon[1]->setChecked(true);
      w.abbv_Click();
    });
    vb::showForm("IV_Selektieren");
    QCOMPARE(common::einstellungzahl[52], 1);
    QCOMPARE(common::einstellungzahl[53], 0);
    QCOMPARE(forms().shown(), (QStringList{"IV_Selektieren", "IV_Selektieren"}));
  }
};

ZEVO_TEST_MAIN(TestSelektieren)
#include "test_selektieren.moc"
