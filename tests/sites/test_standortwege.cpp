// The ways into the sites and weather windows from the main window (menus,
// toolbar, first-steps guide), the road of a site's data from its entry to
// its quality index in the list window, and the road of three days of
// weather from the journal to the list window and the stored period choice.
#include "colonies/iv_neues_volk.h"
#include "colonies/registry.h"
#include "components/sevgrid.h"
#include "output/ia_zwischenliste.h"
#include "output/registry.h"
#include "platform/runtime/widgets.h"
#include "support/hauptfenster.h"
#include "shell/ih_hilfe_wieanfangen.h"
#include "standorttest.h"
#include "sites/iv_pflanzen_standorte.h"
#include "sites/iv_wetterdaten.h"
#include "sites/iw_standorte.h"
#include "sites/iw_wetterdaten.h"
#include "sites/registry.h"
#include "evaluations/listenlesen.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace zevo;
using namespace zevo::test;
using sites::IV_Pflanzen_Standorte;
using sites::IV_Wetterdaten;
using sites::IW_Standorte;
using sites::IW_Wetterdaten;

class TestStandortwege : public QObject {
  Q_OBJECT
  std::unique_ptr<shell::IA_ZEVO> haupt;

private slots:
  void initTestCase() {
    neuerProgrammordner();
    sites::registerSiteForms();
    colonies::registerColonyForms();
    output::registerOutputForms();
    hauptfenstergrundzustand();
    haupt = gestartet();
  }
  void init() { resetScripts(); }
  void cleanupTestCase() { haupt.reset(); }

  void entries_data() {
    QTest::addColumn<QString>("weg");      // menu item, toolbar key or "Schritt 1"
    QTest::addColumn<QString>("fenster");
    QTest::addColumn<int>("tab");
    QTest::newRow("menu sites") << "XV_standorte" << "IV_Pflanzen_Standorte" << 0;
    QTest::newRow("menu plants") << "XV_pflanzen" << "IV_Pflanzen_Standorte" << 2;
    QTest::newRow("menu evaluations") << "XW_Standorte" << "IW_Standorte" << -1;
    QTest::newRow("toolbar sites") << "btn_v_standorte" << "IV_Pflanzen_Standorte" << 0;
    QTest::newRow("toolbar evaluations") << "btn_a_standorte" << "IW_Standorte" << -1;
    QTest::newRow("first steps") << "Schritt 1" << "IV_Pflanzen_Standorte" << 0;
    QTest::newRow("menu weather") << "XV_wetterdaten" << "IV_Wetterdaten" << -1;
    QTest::newRow("toolbar weather") << "btn_v_wetterdaten" << "IV_Wetterdaten" << -1;
    QTest::newRow("menu weather evaluations") << "XW_Wetterdaten" << "IW_Wetterdaten" << -1;
  }
  void entries() {
    QFETCH(QString, weg);
    QFETCH(QString, fenster);
    QFETCH(int, tab);
    common::übergabe = "2";   // whatever an earlier window left
    int gezeigt = -2;
    forms().on(fenster, [&](vb::Form* f) {
      auto* v = dynamic_cast<IV_Pflanzen_Standorte*>(f);
      gezeigt = v ? v->sstab->tab() : -1;
      f->unload();
    });
    if (weg.startsWith("XV_") || weg.startsWith("XW_")) {
      QVERIFY(haupt->menüpunkt(weg)->isEnabled());
      haupt->menüpunkt(weg)->trigger();
    } else if (weg.startsWith("btn_")) {
      QVERIFY(haupt->mleiste->buttonEnabled(weg));
      haupt->mleiste->click(weg);
    } else {
      shell::IH_Hilfe_Wieanfangen guide;
      QVERIFY(guide.schritt[0]->isEnabled());
      QTest::mouseClick(guide.schritt[0], Qt::LeftButton);
    }
    QCOMPARE(forms().shown(), QStringList{fenster});
    QCOMPARE(gezeigt, tab);
  }

  void roadOfASite() {
    for (const QString& t : db().tableNames())
      if (t != "Arbeitsplanoptionen" && t != "Pflanzen") db().execute("delete from " + t);
    const QStringList pflanzen{"Wiesenklee", "Raps", "Phacelia", "Sonnenblume"};
    const int stufen[4][2] = {{0, 4}, {6, 8}, {4, 7}, {7, 3}};
    const int lage[4][2] = {{300, 10}, {200, 40}, {800, 30}, {100, 20}};

    forms().onWindow<IV_Pflanzen_Standorte>("IV_Pflanzen_Standorte", [&](IV_Pflanzen_Standorte& w) {
      QTest::keyClicks(w.sevt(5).editor(), "Rapsfeld");
      w.sevt(9).setText("J");
      w.sevt(10).setText("");
      QTest::keyClicks(w.sevt(10).editor(), "300");
      w.sevt(13).setText("");
      QTest::keyClicks(w.sevt(13).editor(), "20,00");
      QTest::mouseClick(w.neustandort[0], Qt::LeftButton);
      w.sstab->setTab(2);
      for (int i = 0; i < 4; ++i) {
        w.sevt(0).setText(pflanzen[i]);
        w.sevt(1).setText("15.04.2026");
        w.sevt(2).setText("15.04.2026");
        w.sevt(3).setText(QString::number(stufen[i][0]));
        w.sevt(4).setText(QString::number(stufen[i][1]));
        QTest::mouseClick(w.neu[0], Qt::LeftButton);
      }
      w.sstab->setTab(1);
      for (int i = 0; i < 4; ++i) {
        w.sevt(16).setText(pflanzen[i]);
        w.sevt(17).setText(QString::number(lage[i][0]));
        w.sevt(18).setText(QString::number(lage[i][1]));
        QTest::mouseClick(w.neuje[0], Qt::LeftButton);
      }
      QCOMPARE(w.bezproz->text(), QString("100"));
      QTest::mouseClick(w.beenden, Qt::LeftButton);
    });
    haupt->menüpunkt_Click("XV_standorte");
    QCOMPARE(wert("select Trachtzeit_von from Standorte"), QString("15.04.2026"));
    QCOMPARE(wert("select Trachtzeit_bis from Standorte"), QString("15.04.2026"));

    // The colony window offers the site.
    QStringList angeboten;
    forms().onWindow<colonies::IV_Neues_Volk>("IV_Neues_Volk", [&](colonies::IV_Neues_Volk& v) {
      for (int i = 0; i < v.sevt(3).listcount(); ++i) angeboten << v.sevt(3).listtext(i);
      v.cmdabbrechen_Click();
    });
    haupt->menüpunkt_Click("XV_neuevölker");
    QCOMPARE(angeboten, QStringList{"Rapsfeld"});

    // Its quality index on the bloom day, in the list window.
    QString liste;
    forms().onWindow<output::IA_Zwischenliste>("IA_Zwischenliste", [&](output::IA_Zwischenliste& l) {
      for (int c = 1; c <= l.gridli->cols(); ++c) liste += l.gridli->cell(1, c) + "|";
      l.cmdschließen_Click();
    });
    forms().onWindow<IW_Standorte>("IW_Standorte", [&](IW_Standorte& w) {
      w.sevt(7).setText("15.04.2026");
      QTest::mouseClick(w.rolisten[4], Qt::LeftButton);
      QTest::mouseClick(w.beenden, Qt::LeftButton);
    });
    haupt->menüpunkt_Click("XW_Standorte");
    QCOMPARE(liste, QString("Rapsfeld|6313|5431|11744|"));
  }

  void threeDaysOfMayFromTheMainWindow() {
    setToday(QDate(2026, 6, 15));
    common::heutesetzen();
    db().execute("delete from Wetterdaten");
    Liste liste, monate;
    QStringList imListenfenster;
    forms().onWindow<IV_Wetterdaten>("IV_Wetterdaten", [&](IV_Wetterdaten& v) {
      for (const QString tag : {"03.05.2026 sonnig 14 0 W 2", "01.05.2026 Frost -3 0 O 4", "02.05.2026 Regen 10 7 SW 5"}) {
        const QStringList felder = tag.split(' ');
        for (int i = 0; i < felder.size(); ++i) {
          v.sevt(i).setText(QString());
          QTest::keyClicks(v.sevt(i).editor(), felder[i]);
        }
        v.neu_Click(0);
      }
      forms().onWindow<IW_Wetterdaten>("IW_Wetterdaten", [&](IW_Wetterdaten& e) {
        e.optibuch[1]->setChecked(true);
        e.tdat(0).setText("01.05.2026");
        e.tdat(1).setText("31.05.2026");
        liste = auswertunglesen(e, 0);
        forms().onWindow<output::IA_Zwischenliste>("IA_Zwischenliste", [&](output::IA_Zwischenliste& z) {
          for (int r = 1; r <= z.gridli->rows(); ++r) imListenfenster << z.gridli->cell(r, "Temperatur");
          z.cmdschließen_Click();
        });
        e.rolisten_Click(0);
        monate = auswertunglesen(e, 1);
        e.beenden_Click();
      });
      v.ok_Click();
      v.beenden_Click();
    });
    haupt->menüpunkt_Click("XV_wetterdaten");
    QCOMPARE(liste.zeilen, (QStringList{"01.05.2026|Frost|-3|0|O|4|", "02.05.2026|Regen|10|7|SW|5|",
                                        "03.05.2026|sonnig|14|0|W|2|"}));
    QCOMPARE(imListenfenster, (QStringList{"-3", "10", "14"}));
    QCOMPARE(monate.zeilen.value(4), QString("5|3|7,0|2,3|3,7"));
    QCOMPARE((QStringList{QString::number(common::wetterzeitraum()), common::wettervon(), common::wetterbis()}),
             (QStringList{"1", "01.05.2026", "31.05.2026"}));
  }
};

ZEVO_TEST_MAIN(TestStandortwege)
#include "test_standortwege.moc"
