// Groupings, crosstabs, cost sums, sites and ages, and a failing query.
#include "auswertungstest.h"
#include "evaluations/iw_gruppierungen.h"
#include "support/datenbank.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

using namespace zevo;
using namespace zevo::test;
using evaluations::IW_Gruppierungen;

namespace {

// Every row of a grid, cells joined by "|", one trailing "|" cut.
QStringList inhalt(ui::sevGrid& g) {
  QStringList out;
  QStringList kopf;
  for (int c = 1; c <= g.cols(); ++c) kopf << g.column(c).caption();
  out << kopf.join('|');
  for (int r = 1; r <= g.rows(); ++r) {
    QStringList z;
    for (int c = 1; c <= g.cols(); ++c) z << g.cell(r, c);
    out << z.join('|');
  }
  return out;
}

void wählen(QListWidget* l, const QString& text) {
  l->setCurrentItem(l->findItems(text, Qt::MatchExactly).first());
}

}  // namespace

class TestGruppierungen : public QObject {
  Q_OBJECT
  Liste liste;

  std::unique_ptr<IW_Gruppierungen> fenster() {
    auto w = geöffnet<IW_Gruppierungen>();
    listeabfangen(liste);
    return w;
  }

private slots:
  void init() {
    datenbankbereitstellen();
    datenbankgrundzustand(datum("15.06.2007"));
    liste = Liste{};
  }

  void afterLoading() {
    auto w = fenster();
    QCOMPARE(w->li1->count(), 18);
    QCOMPARE(w->li2->count(), 13);
    QVERIFY(w->li1->selectedItems().isEmpty() && w->li2->selectedItems().isEmpty());
    for (QComboBox* k : w->kom) QCOMPARE(k->currentText(), QString("Volknr"));
    QCOMPARE(w->Label1->text(), QString("Ergebnis"));
    messages().expect("Keine zu listenden Daten gefunden");
    w->ok_click();
    QVERIFY(messages().allUsed());
    QCOMPARE(liste.gezeigt, 0);
  }

  void simpleGroupings() {
    volk("1", true, {{"Beuteart", "Zander"}, {"Abgangsgrund", ""}});
    volk("2", true, {{"Beuteart", "Zander"}});
    volk("3", true, {{"Beuteart", "Dadant's"}});
    volk("4", false, {{"Beuteart", "Segeberger"}, {"Abgangsgrund", "verkauft"}});
    volk("5", false, {{"Abgangsgrund", "verkauft"}});
    struct Fall {
      const char* eintrag;
      QStringList zeilen;
    } fälle[] = {
        {"Abgangsgrund", {"Abgangsgrund|Anzahl", "verkauft|2"}},
        {"Beuteart", {"Beuteart|Anzahl", "Dadant`s|1", "Zander|2"}},
    };
    auto w = fenster();
    for (const Fall& f : fälle) {
      wählen(w->li1, f.eintrag);
      w->gruppeok_click();
      QCOMPARE(inhalt(*w->gridli), f.zeilen);
      QCOMPARE(w->datali->rows(), f.zeilen.size() - 1);
      QCOMPARE(w->Label1->text(), QString("Ergebnis (%1)").arg(f.eintrag));
    }
    // No selection: the first entry; "&Listen" hands the copy over.
    w->li1->clearSelection();
    w->li1->setCurrentRow(-1);
    w->gruppeok_click();
    QCOMPARE(w->Label1->text(), QString("Ergebnis (Volkstärke)"));
    QCOMPARE(w->li1->currentRow(), 0);
    w->ok_click();
    QCOMPARE(liste.zeilen.first(), QString("Volkstärke\tAnzahl\t"));
    QCOMPARE(liste.ausrichtung, (QList<int>{1, 1}));   // a whole-number column
    // The result stays: listed again and a third time, the same list.
    const QStringList erste = liste.zeilen;
    QCOMPARE(erste.size(), 2);
    for (int mal = 2; mal <= 3; ++mal) {
      liste.zeilen.clear();
      w->ok_click();
      QCOMPARE(liste.gezeigt, mal);
      QCOMPARE(liste.zeilen, erste);
    }
  }

  void doubleClickIsTheArrow() {
    volk("1", true, {{"Bienenrasse", "Carnica"}});
    einfügen("Honigernte", {{"Datum", datum("01.05.2007")}, {"Honigsorte", "Raps"}, {"Volk", 1}});
    auto w = fenster();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    struct Fall {
      QListWidget* liste;
      int zeile;
      QString titel;
    } fälle[] = {{w->li1, 14, "Ergebnis (Bienenrasse)"}, {w->li2, 0, "Ergebnis (Honigernte / Honigsorte)"}};
    for (const Fall& f : fälle) {
      f.liste->scrollToItem(f.liste->item(f.zeile));
      const QPoint p = f.liste->visualItemRect(f.liste->item(f.zeile)).center();
      QTest::mouseClick(f.liste->viewport(), Qt::LeftButton, {}, p);
      QTest::mouseDClick(f.liste->viewport(), Qt::LeftButton, {}, p);
      QCOMPARE(w->Label1->text(), f.titel);
    }
  }

  void crosstabsOfBookingFields() {
    const int a = volk("1", true, {{"Standort", "Hof"}});
    const int b = volk("2", true, {{"Standort", "Wald"}});
    const int c = volk("3", false);
    for (const auto& [sorte, v] : {std::pair{"Raps", a}, {"Raps", a}, {"Linde", a}, {"Raps", b}, {"Raps", c}})
      einfügen("Honigernte", {{"Datum", datum("01.05.2007")}, {"Honigsorte", sorte}, {"Volk", v}});
    einfügen("Honigernte", {{"Datum", datum("02.05.2007")}, {"Volk", b}});   // no sort: the column "<>"
    for (const auto& [ort, v] : {std::pair{"Heide", a}, {"Heide", b}, {"Raps'feld", b}})
      einfügen("Wanderung", {{"Datum", datum("01.05.2007")}, {"Standort", ort}, {"Volk", v}});
    struct Fall {
      const char* eintrag;
      const char* spalte;
      QStringList zeilen;
    } fälle[] = {
        {"Honigernte / Honigsorte", "Volknr", {"Volknr|Anzahl|<>|Linde|Raps", "1|3||1|2", "2|2|1||1"}},
        // Grouped by the colony's site, pivoted by the migration's.
        {"Wanderung / Standort", "Standort", {"Standort|Anzahl|Heide|Raps'feld", "Hof|1|1|", "Wald|2|1|1"}},
    };
    auto w = fenster();
    for (const Fall& f : fälle) {
      w->kom[2]->setCurrentText(f.spalte);
      wählen(w->li2, f.eintrag);
      w->auswertungok_click();
      QCOMPARE(inhalt(*w->gridli), f.zeilen);
      QCOMPARE(w->gridli->column(2).align(), 1);
    }
  }

  void costAndTime() {
    const int a = volk("1", true, {{"Standort", "Hof"}});
    einfügen("Wanderung", {{"Datum", datum("01.05.2007")}, {"Standort", "Heide"}, {"Kosten", 12.5}, {"Zeit_h", 2},
                           {"Volk", a}});
    einfügen("Wanderung", {{"Datum", datum("01.06.2007")}, {"Standort", "Heide"}, {"Volk", a}});
    einfügen("Arbeiten", {{"Datum", datum("01.06.2007")}, {"Volk", a}});
    for (double kg : {1.1, 4.1}) einfügen("Honigernte", {{"Datum", datum("01.06.2007")}, {"Menge_kg", kg}, {"Volk", a}});
    struct Fall {
      int knopf;
      const char* spalte;
      QStringList zeilen;
    } fälle[] = {
        {5, "Standort", {"Standort|Buchungen|S_Kosten|Zeit|D_Kosten|D_Zeit", "Hof|2|12,50|2,00|12,50|2,00"}},
        {4, "Volknr", {"Volknr|Buchungen|S_Kosten|Zeit|D_Kosten|D_Zeit", "1|1|0,00|0,00|0,00|0,00"}},
        {0, "Volknr", {"Volknr|Buchungen|S_Kosten|Honigwert|Menge|Zeit|D_Kosten|D_Honigwert|D_Menge|D_Zeit",
                       "1|2|0,00|0,00|5,20|0,00|0,00|0,00|2,60|0,00"}},
    };
    auto w = fenster();
    for (const Fall& f : fälle) {
      w->kom[0]->setCurrentText(f.spalte);
      w->gruppekostenjetier[f.knopf]->click();
      QCOMPARE(inhalt(*w->gridli), f.zeilen);
      QCOMPARE(w->Label1->text(), "Ergebnis (" + w->gruppekostenjetier[f.knopf]->text() + ")");
    }
    QCOMPARE(w->datali->cell(1, "Menge"), QString("5,2"));   // the sum of 1,1 and 4,1 kg, no binary noise
    // The buttons without quantity and value all give the same five columns.
    for (int i = 6; i <= 8; ++i) {
      w->gruppekostenjetier[i]->click();
      QCOMPARE(w->gridli->cols(), 6);
    }
  }

  void sitesAndAges() {
    setToday(QDate(2025, 1, 15));
    volk("1", true, {{"Standort", "Hof"}, {"Wabenanzahl", 10}, {"Volk_Zugangsdatum", datum("31.12.2024")},
                     {"Beuteart", "Zander"}});
    volk("2", true, {{"Standort", "Hof"}, {"Wabenanzahl", 12}, {"Volk_Zugangsdatum", datum("02.01.2025")},
                     {"Beuteart", "Zander"}});
    volk("3", true, {{"Standort", "Wald"}, {"Wabenanzahl", 10}, {"Beuteart", "Dadant"}});
    volk("4", false, {{"Standort", "Wald"}, {"Volk_Zugangsdatum", datum("01.01.2020")}});
    auto w = fenster();
    w->sonstigecom[0]->click();
    QCOMPARE(inhalt(*w->gridli), (QStringList{"Standort|Anzahl", "Hof|2", "Wald|1"}));
    QCOMPARE(w->Label1->text(), QString("Ergebnis"));
    w->sonstigecom[1]->click();
    QCOMPARE(inhalt(*w->gridli), (QStringList{"Standort|Völker|10|12", "Hof|2|1|1", "Wald|1|1|"}));
    w->kom[1]->setCurrentText("Beuteart");
    w->sonstigeok[0]->click();
    QCOMPARE(inhalt(*w->gridli), (QStringList{"Alter_Jahre|Zander", "0|1", "1|1"}));
    QCOMPARE(w->Label1->text(), QString("Ergebnis (Bestandsalter nach Jahren)"));
    setToday(QDate(2025, 1, 1));
    db().execute("update Bienenvolk set Volk_Zugangsdatum = #11/30/2024# where Volknr = '1'");
    w->sonstigeok[1]->click();
    QCOMPARE(inhalt(*w->gridli), (QStringList{"Alter_Monate|Zander", "0|1", "2|1"}));
  }

  void aFailingQueryIsReported() {
    volk("1");
    auto w = fenster();
    {
      TabelleWeg weg("Behandlung");
      messages().expect("Die Auswertung konnte nicht ausgeführt werden.");
      w->gruppekostenjetier[7]->click();
      QVERIFY(messages().allUsed());
      QCOMPARE(messages().count(), 1);
      QCOMPARE(vb::mousePointer(), int(vb::vbDefault));
    }
    w->gruppekostenjetier[7]->click();
    QCOMPARE(w->Label1->text(), QString("Ergebnis (Behandlung)"));
  }
};

ZEVO_TEST_MAIN(TestGruppierungen)
#include "test_gruppierungen.moc"
