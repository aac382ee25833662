// The road of one date: a new colony-dependent option stored on 12.05 gets
// its dates, the start of 14.05 shows the due ones, one is done on 16.05
// with its series planned again, the work plan lays the next two weeks out
// by day, and a migration booked on 20.05 marks the next date done.
#include "colonies/registry.h"
#include "output/ia_zwischenliste.h"
#include "output/registry.h"
#include "planning/iv_arplanoptionen.h"
#include "planning/iv_starttermine.h"
#include "planning/iw_arbeitsplan.h"
#include "planungstest.h"
#include "shell/startdialoge.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace zevo;
using namespace zevo::test;
using output::IA_Zwischenliste;
using planning::IV_Arplanoptionen;
using planning::IV_Starttermine;
using planning::IW_Arbeitsplan;

namespace {

void heute(const char* tag) {
  setToday(datum(tag));
  common::heutesetzen();
}

// The open dates as "dd.mm (Volknr)", in list order.
QStringList offene(const ui::sevGrid& g) {
  QStringList t;
  for (int r = 1; r <= g.rows(); ++r) t << g.cell(r, "Datum").left(5) + " (" + g.cell(r, "Volknr") + ")";
  return t;
}

// The day columns of a table row (after the three colony columns) that carry the mark "X", counted from 1.
QList<int> marken(const QString& zeile) {
  const QStringList zellen = zeile.split('|');
  QList<int> m;
  for (int j = 3; j < zellen.size() - 1; ++j)
    if (zellen[j] == "X") m << j - 2;
  return m;
}

}  // namespace

class TestTerminweg : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() {
    output::registerOutputForms();
    colonies::registerColonyForms();
  }

  void einTerminVonAnfangBisEnde() {
    planungsgrundzustand(datum("12.05.2007"));
    const int v1 = volk("1", true, {{"Standort", "Obstwiese"}});
    const int v2 = volk("2", true, {{"Standort", "Obstwiese"}});
    const int v3 = volk("3", false, {{"Standort", "Obstwiese"}});
    Hauptliste haupt;
    haupt.lesen(1);

    // 12.05: the new option, typed and stored.
    forms().onWindow<IV_Arplanoptionen>("IV_Arplanoptionen", [&](IV_Arplanoptionen& w) {
      const QStringList texte{"Brutwabenkontrolle", "01.05", "30.06", "9"};
      for (int i = 0; i < 4; ++i) {
        w.sevt(i).editor()->clear();
        QTest::keyClicks(w.sevt(i).editor(), texte[i]);
      }
      w.sevt(4).pick(0);
      w.sevt(5).pick(4);
      QCOMPARE(w.sevt(5).text(), QString("Wanderung"));
      w.neu[0]->click();
      QCOMPARE(w.liarplan->cell(w.liarplan->row(), "Arbeitsart"), QString("Brutwabenkontrolle"));
      w.beenden->click();
    });
    vb::showForm("IV_Arplanoptionen");
    QCOMPARE(beeps(), 1);
    const QStringList reihe{"19.05", "28.05", "06.06", "15.06", "24.06"};
    QCOMPARE(termine(v1, "Brutwabenkontrolle"), reihe);
    QCOMPARE(termine(v2, "Brutwabenkontrolle"), reihe);
    QCOMPARE(termine(v3, "Brutwabenkontrolle"), QStringList());
    QCOMPARE(termine(0, "Brutwabenkontrolle"), QStringList());

    // 14.05: the first activation shows the due dates, the look-ahead day included.
    heute("14.05.2007");
    common::terminlistebeimstart() = 1;
    common::terminvorlauf() = 14;
    common::ersteaktivierung = 0;
    QStringList gezeigt;
    forms().onWindow<IV_Starttermine>("IV_Starttermine", [&](IV_Starttermine& w) {
      QCOMPARE(w.windowTitle(), QString("Aktuelle offene Termine (bis 14 Tage ab heute)"));
      gezeigt = offene(*w.litermine);
      w.beenden->click();
    });
    shell::ersteaktivierungsdienste();
    QCOMPARE(gezeigt, (QStringList{"19.05 (1)", "19.05 (2)", "28.05 (1)", "28.05 (2)"}));

    // 16.05: colony 1's date of 19.05 done today, its series planned again.
    heute("16.05.2007");
    forms().onWindow<IV_Starttermine>("IV_Starttermine", [&](IV_Starttermine& w) {
      w.litermine->findrow("Datum = '19.05.2007' AND Volknr = '1'");
      w.litermine_rowclick();
      w.sevt(0).setText("16.05.2007");
      QVERIFY(w.konterminreihe->isChecked());
      w.cmdok[0]->click();
      gezeigt = offene(*w.litermine);
      QCOMPARE(w.litermine->row(), 1);
      w.beenden->click();
    });
    vb::showForm("IV_Starttermine");
    QCOMPARE(termine(v1, "Brutwabenkontrolle"),
             (QStringList{"16.05!", "25.05", "03.06", "12.06", "21.06", "30.06"}));
    QCOMPARE(termine(v2, "Brutwabenkontrolle"), reihe);
    QCOMPARE(gezeigt, (QStringList{"19.05 (2)", "25.05 (1)", "28.05 (2)"}));

    // 16.05: the work plan of two weeks as a table and as a list.
    QStringList tabelle, liste, titel;
    forms().onWindow<IW_Arbeitsplan>("IW_Arbeitsplan", [&](IW_Arbeitsplan& w) {
      w.woche[1]->click();
      QCOMPARE(w.Bezeichnung1->text(), QString("bis 29.05.2007"));
      forms().onWindow<IA_Zwischenliste>("IA_Zwischenliste", [&](IA_Zwischenliste& z) {
        QStringList* ziel = titel.isEmpty() ? &tabelle : &liste;
        for (int c = 1; c <= z.gridli->cols(); ++c) titel << z.gridli->column(c).caption();
        for (int r = 1; r <= z.gridli->rows(); ++r) *ziel << zeile(*z.gridli, r);
        z.cmdschließen_Click();
      });
      w.ok[1]->click();
      for (QCheckBox* k : w.kon) QVERIFY(k->isChecked());
      w.ok[0]->click();
      w.beenden->click();
    });
    vb::showForm("IW_Arbeitsplan");
    const QStringList tabellentitel =
        QStringList{"Volknummer", "Volkname", "Standort"} + QStringList(14, "WT") + QStringList{"Termin"};
    QCOMPARE(titel.mid(0, 18), tabellentitel);
    QCOMPARE(tabelle[0], "|||Mi|Do|Fr|Sa|So|Mo|Di|Mi|Do|Fr|Sa|So|Mo|Di|");
    QCOMPARE(tabelle[1], "|||16|17|18|19|20|21|22|23|24|25|26|27|28|29|");
    QMap<QString, QList<int>> proVolk;
    for (const QString& z : tabelle.mid(5)) proVolk[z.section('|', 0, 0)] += marken(z);
    for (auto& m : proVolk) std::sort(m.begin(), m.end());
    QCOMPARE(proVolk.value("1"), QList<int>{10});
    QCOMPARE(proVolk.value("2"), (QList<int>{4, 13}));
    QCOMPARE(tabelle.size(), 5 + 3);
    QStringList tage;
    for (const QString& z : liste) tage << z.section('|', 0, 0).left(5);
    QCOMPARE(tage, (QStringList{"19.05", "25.05", "28.05"}));

    // 20.05: a migration of colony 2 marks its date done.
    heute("20.05.2007");
    haupt.lesen(2);
    haupt.markieren({2});
    messages().setAcceptInformation(true);
    forms().onWindow<colonies::IE_Eingabe>("IE_Eingabe", [&](colonies::IE_Eingabe& w) {
      w.sevt(0).setText("20.05.2007");
      w.sevt(1).setText("Raps");
      w.neu_Click(0);
      w.cmdschließen_Click();
    });
    common::eingabeart = 6;
    vb::showForm("IE_Eingabe");
    QCOMPARE(termine(v2, "Brutwabenkontrolle").first(), QString("19.05!"));
    forms().onWindow<IV_Starttermine>("IV_Starttermine", [&](IV_Starttermine& w) {
      gezeigt = offene(*w.litermine);
      w.beenden->click();
    });
    vb::showForm("IV_Starttermine");
    QCOMPARE(gezeigt, (QStringList{"25.05 (1)", "28.05 (2)", "03.06 (1)"}));
  }
};

ZEVO_TEST_MAIN(TestTerminweg)
#include "test_terminweg.moc"
