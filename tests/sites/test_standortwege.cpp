// The ways into the sites windows from the main window (menus, toolbar,
// first-steps guide) and the road of a site's data from its entry to its
// quality index in the list window.
#include "colonies/iv_neues_volk.h"
#include "colonies/registry.h"
#include "components/sevgrid.h"
#include "output/ia_zwischenliste.h"
#include "output/registry.h"
#include "platform/runtime/widgets.h"
#include "shell/hauptfenster.h"
#include "shell/ih_hilfe_wieanfangen.h"
#include "standorttest.h"
#include "sites/iv_pflanzen_standorte.h"
#include "sites/iw_standorte.h"
#include "sites/registry.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace zevo;
using namespace zevo::test;
using sites::IV_Pflanzen_Standorte;
using sites::IW_Standorte;

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
  }
  void entries() {
    QFETCH(QString, weg);
    QFETCH(QString, fenster);
    QFETCH(int, tab);
    common::übergabe = "2";   // whatever an earlier window left
    int gezeigt = -2;
    forms().on(fenster, [&](vb::Form* f) {
      if (auto* v = dynamic_cast<IV_Pflanzen_Standorte*>(f)) gezeigt = v->sstab->tab();
      else if (dynamic_cast<IW_Standorte*>(f)) gezeigt = -1;
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
};

ZEVO_TEST_MAIN(TestStandortwege)
#include "test_standortwege.moc"
