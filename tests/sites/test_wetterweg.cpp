// The weather journal from the main window to the list window: three days
// entered, listed and averaged, and the period choice kept in the settings.

#include "output/registry.h"
#include "shell/hauptfenster.h"
#include "shell/testdatenbank.h"
#include "sites/iv_wetterdaten.h"
#include "sites/iw_wetterdaten.h"
#include "sites/registry.h"
#include "trade/listenlesen.h"

#include <QLineEdit>
#include <QRadioButton>

using namespace zevo;
using namespace zevo::test;
using sites::IV_Wetterdaten;
using sites::IW_Wetterdaten;

class TestWetterweg : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() {
    neuerProgrammordner();
    output::registerOutputForms();
    sites::registerSiteForms();
  }

  void threeDaysOfMayFromTheMainWindow() {
    hauptfenstergrundzustand();
    setToday(QDate(2026, 6, 15));
    auto w = gestartet();
    QVERIFY(w->menüpunkt("XV_wetterdaten")->isEnabled() && w->menüpunkt("XW_Wetterdaten")->isEnabled());
    QVERIFY(w->mleiste->buttonEnabled("btn_v_wetterdaten"));
    forms().on("IV_Wetterdaten", [](vb::Form* f) { f->unload(); });
    forms().on("IW_Wetterdaten", [](vb::Form* f) { f->unload(); });
    w->mleiste->click("btn_v_wetterdaten");
    w->menüpunkt("XW_Wetterdaten")->trigger();
    QCOMPARE(forms().shown(), (QStringList{"IV_Wetterdaten", "IW_Wetterdaten"}));

    db().execute("delete from Wetterdaten");
    Liste liste, monate;
    QStringList imListenfenster;
    forms().onWindow<IV_Wetterdaten>("IV_Wetterdaten", [&](IV_Wetterdaten& v) {
      for (const QString& tag : {"03.05.2026 sonnig 14 0 W 2", "01.05.2026 Frost -3 0 O 4", "02.05.2026 Regen 10 7 SW 5"}) {
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
    w->menüpunkt_Click("XV_wetterdaten");
    QCOMPARE(liste.zeilen, (QStringList{"01.05.2026|Frost|-3|0|O|4|", "02.05.2026|Regen|10|7|SW|5|",
                                        "03.05.2026|sonnig|14|0|W|2|"}));
    QCOMPARE(imListenfenster, (QStringList{"-3", "10", "14"}));
    QCOMPARE(monate.zeilen.value(4), QString("5|3|7,0|2,3|3,7"));
    QCOMPARE((QStringList{QString::number(common::wetterzeitraum()), common::wettervon(), common::wetterbis()}),
             (QStringList{"1", "01.05.2026", "31.05.2026"}));
  }
};

ZEVO_TEST_MAIN(TestWetterweg)
#include "test_wetterweg.moc"
