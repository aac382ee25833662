// The weather journal from the main window to the list window: three days
// entered, listed and averaged, and the period choice kept in the settings.

#include "components/sevgrid.h"
#include "output/ia_zwischenliste.h"
#include "output/registry.h"
#include "shell/hauptfenster.h"
#include "shell/testdatenbank.h"
#include "sites/iv_wetterdaten.h"
#include "sites/iw_wetterdaten.h"
#include "sites/registry.h"

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

  void menuAndToolbarOpenTheWindows() {
    hauptfenstergrundzustand();
    auto w = gestartet();
    for (const char* punkt : {"XV_wetterdaten", "XW_Wetterdaten"}) QVERIFY(w->menüpunkt(punkt)->isEnabled());
    QVERIFY(w->mleiste->buttonEnabled("btn_v_wetterdaten"));
    forms().on("IV_Wetterdaten", [](vb::Form* f) { f->unload(); });
    forms().on("IW_Wetterdaten", [](vb::Form* f) { f->unload(); });
    w->mleiste->click("btn_v_wetterdaten");
    w->menüpunkt("XV_wetterdaten")->trigger();
    w->menüpunkt("XW_Wetterdaten")->trigger();
    QCOMPARE(forms().shown(), (QStringList{"IV_Wetterdaten", "IV_Wetterdaten", "IW_Wetterdaten"}));
  }

  void threeDaysOfMayEndToEnd() {
    hauptfenstergrundzustand();
    setToday(QDate(2026, 6, 15));
    auto w = gestartet();
    db().execute("delete from Wetterdaten");
    QStringList liste, gridlitxt, monat;
    forms().onWindow<IV_Wetterdaten>("IV_Wetterdaten", [&](IV_Wetterdaten& v) {
      const QStringList tage[] = {{"03.05.2026", "sonnig", "14", "0", "W", "2"},
                                  {"01.05.2026", "Frost", "-3", "0", "O", "4"},
                                  {"02.05.2026", "Regen", "10", "7", "SW", "5"}};
      for (const QStringList& tag : tage) {
        for (int i = 0; i < tag.size(); ++i) {
          v.sevt(i).setText(QString());
          QTest::keyClicks(v.sevt(i).editor(), tag[i]);
        }
        v.neu_Click(0);
      }
      QCOMPARE(v.liwetter->rows(), 3);
      forms().onWindow<IW_Wetterdaten>("IW_Wetterdaten", [&](IW_Wetterdaten& e) {
        e.optibuch[1]->setChecked(true);
        e.tdat(0).setText("01.05.2026");
        e.tdat(1).setText("31.05.2026");
        forms().onWindow<output::IA_Zwischenliste>("IA_Zwischenliste", [&](output::IA_Zwischenliste& z) {
          for (int r = 1; r <= z.gridli->rows(); ++r)
            liste << z.gridli->cell(r, "Datum") + " " + z.gridli->cell(r, "Temperatur");
          z.cmdschließen_Click();
        });
        e.rolisten_Click(0);
        ui::sevGrid g;
        QVERIFY(g.loadfromfile(common::datenpfad + "gridli.txt"));
        for (int r = 1; r <= g.rows(); ++r) gridlitxt << g.cell(r, "Datum") + " " + g.cell(r, "Temperatur");
        forms().onWindow<output::IA_Zwischenliste>("IA_Zwischenliste", [&](output::IA_Zwischenliste& z) {
          for (int r = 1; r <= z.gridli->rows(); ++r)
            if (z.gridli->cell(r, 1) == "5")
              for (int c = 1; c <= z.gridli->cols(); ++c) monat << z.gridli->cell(r, c);
          z.cmdschließen_Click();
        });
        e.rolisten_Click(1);
        e.beenden_Click();
      });
      v.ok_Click();
      v.beenden_Click();
    });
    w->menüpunkt_Click("XV_wetterdaten");
    const QStringList tage{"01.05.2026 -3", "02.05.2026 10", "03.05.2026 14"};
    QCOMPARE(liste, tage);
    QCOMPARE(gridlitxt, tage);
    QCOMPARE(monat, (QStringList{"5", "3", "7,0", "2,3", "3,7"}));
    QCOMPARE(common::wetterzeitraum(), 1);
    QCOMPARE(common::wettervon(), QString("01.05.2026"));
    QCOMPARE(common::wetterbis(), QString("31.05.2026"));
  }
};

ZEVO_TEST_MAIN(TestWetterweg)
#include "test_wetterweg.moc"
