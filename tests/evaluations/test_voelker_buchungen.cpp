// The bookings of a colony choice: table blocks, the event report, checks, options.
#include "auswertungstest.h"
#include "support/datenbank.h"
#include "evaluations/iw_voelker_buchungen.h"

#include <QCheckBox>
#include <QListWidget>
#include <QTableView>

using namespace zevo;
using namespace zevo::test;
using namespace zevo::common;
using evaluations::IW_Völker_Buchungen;

namespace {

// The rows as the list window read them, cells joined by "|", trailing empty cells cut.
QStringList gelesen(const Liste& liste) {
  QStringList out;
  for (int i = 1; i < liste.zeilen.size(); ++i) {
    QString z = liste.zeilen[i];
    while (z.endsWith('\t')) z.chop(1);
    out << z.replace('\t', '|');
  }
  return out;
}

int honig(int volk, const char* tag, double kg) {
  return einfügen("Honigernte", {{"Datum", datum(tag)}, {"Menge_kg", kg}, {"Volk", volk}});
}

}  // namespace

class TestVoelkerBuchungen : public QObject {
  Q_OBJECT
  Hauptliste haupt{false};   // marks only its current row
  Liste liste;
  int v1 = 0, v2 = 0;

  std::unique_ptr<IW_Völker_Buchungen> fenster() {
    auto w = geöffnet<IW_Völker_Buchungen>();
    listeabfangen(liste);
    return w;
  }

private slots:
  void init() {
    datenbankbereitstellen();
    datenbankgrundzustand(datum("15.06.2007"));
    liste = Liste{};
    v1 = volk("1", true, {{"Volkname", "Anna"}});
    v2 = volk("2", true, {{"Volkname", "Berta"}});
    honig(v1, "01.05.2007", 10);
    honig(v1, "20.05.2007", 5.5);
    honig(v2, "03.05.2007", 7);
    honig(volk("4", false, {{"Volkname", "Fort"}}), "02.05.2007", 1);   // out of stock: never listed here
    haupt.lesen();
  }

  void listsAreTheTablesFields() {
    auto w = fenster();
    QCOMPARE(w->li[1]->count(), 8);
    QCOMPARE(w->li[1]->item(0)->text(), QString("Datum"));
    QCOMPARE(w->li[9]->item(4)->text(), QString("Farbe"));
    for (QListWidget* l : w->li)
      for (int e = 0; e < l->count(); ++e) QVERIFY(l->item(e)->text() != "Volk" && l->item(e)->text() != "ID");
  }

  void tableBlocks() {
    const QString kopf = "HONIGERNTE";
    const QString spalten = "VOLKNR|DATUM|MENGE_KG";
    honig(v1, "10.05.2007", 2);   // stored after a later booking of its colony
    const QString a = "1|01.05.2007|10,00", m = "1|10.05.2007|2,00", b = "1|20.05.2007|5,50", c = "2|03.05.2007|7,00";
    struct Fall {
      const char* name;
      bool nummer, name_, leer;
      int auswahl;
      QStringList zeilen;
    } fälle[] = {
        {"leer", true, false, true, 0, {kopf, spalten, a, m, b, "", c, "", "", ""}},
        {"ohne", true, false, false, 0, {kopf, spalten, a, m, b, c, "", ""}},
        {"letzte", true, false, true, 2, {kopf, spalten, b, c, "", ""}},
        // Only the name: the number is carried, not listed.
        {"nur Name", false, true, false, 2, {kopf, "VOLKNAME|DATUM|MENGE_KG", "Anna|20.05.2007|5,50",
                                               "Berta|03.05.2007|7,00", "", ""}},
    };
    for (const Fall& f : fälle) {
      auto w = fenster();
      markieren(w->li[1], {"Datum", "Menge_kg"});
      w->kontier[0]->setChecked(f.nummer);
      w->kontier[1]->setChecked(f.name_);
      w->tierleer->setChecked(f.leer);
      w->optibuch[f.auswahl]->setChecked(true);
      w->ok_click();
      QCOMPARE(liste.gezeigt, 1);
      QCOMPARE(gelesen(liste), f.zeilen);
      QCOMPARE(w->tierleer->isChecked(), f.leer && f.auswahl != 2);
      QVERIFY2(w->kontier[0]->isChecked() == f.nummer, f.name);   // the user's ticks stay
      liste = Liste{};
    }
  }

  // A quantity whose text comes in exponent form is listed as its number,
  // not as its digits: 0,00004 kg as 0,00 (not 405,00), 12345678 kg as the
  // Single holds it (not 1,23).
  void quantitiesInExponentForm() {
    honig(v1, "12.05.2007", 0.00004);
    honig(v2, "13.05.2007", 12345678);
    auto w = fenster();
    markieren(w->li[1], {"Datum", "Menge_kg"});
    w->kontier[0]->setChecked(true);
    w->kontier[1]->setChecked(false);
    w->tierleer->setChecked(false);
    w->optibuch[0]->setChecked(true);
    w->ok_click();
    QCOMPARE(gelesen(liste), (QStringList{"HONIGERNTE", "VOLKNR|DATUM|MENGE_KG", "1|01.05.2007|10,00",
                                          "1|12.05.2007|0,00", "1|20.05.2007|5,50", "2|03.05.2007|7,00",
                                          "2|13.05.2007|12345680,00", "", ""}));
  }

  void cellsOrderAndCorrections() {
    const int v10 = volk("10", true, {{"Volkname", "Volk 10"}});
    const int v9 = volk("9", true, {{"Volkname", "Volk 9"}});
    einfügen("Königinwechsel", {{"Datum", datum("02.05.2007")}, {"Herkunft", "O'Hara"}, {"Volk", v9}});
    einfügen("Königinwechsel", {{"Datum", datum("02.05.2007")}, {"Volk", v10}});
    auto w = fenster();
    markieren(w->li[9], {"Herkunft", "Kosten", "Zeit_h"});   // only the last list
    markieren(w->li[3], {"Datum"});                          // a table without bookings
    w->kontier[0]->setChecked(false);
    w->kontier[1]->setChecked(false);
    int breite = 0, titel = 0;   // pixels: the first column in the list window, the block title
    listeabfangen(liste, [&](output::IA_Zwischenliste& l) {
      breite = l.gridli->column(1).width() / 15;
      titel = l.gridli->findChild<QTableView*>()->fontMetrics().horizontalAdvance("KÖNIGINWECHSEL");
    });
    w->ok_click();
    QVERIFY2(breite >= titel, qPrintable(QString("%1 < %2").arg(breite).arg(titel)));   // the title is read whole
    QVERIFY(w->kontier[0]->isChecked() && w->kontier[1]->isChecked());
    QCOMPARE(gelesen(liste), (QStringList{"KÖNIGINWECHSEL", "VOLKNR|VOLKNAME|HERKUNFT|ZEIT_H|KOSTEN",
                                          "10|Volk 10||0,00|0,00", "9|Volk 9|O`Hara|0,00|0,00", "", ""}));
  }

  void dateRange() {
    auto w = fenster();
    markieren(w->li[1], {"Datum"});
    w->kontier[0]->setChecked(true);
    w->optibuch[1]->setChecked(true);
    w->tdat(0).setText("02.05.2007");
    w->tdat(1).setText("31.05.2007");
    QVERIFY(w->abfrage(1, false).contains(
        "and Honigernte.Datum >= #05/02/2007# and Honigernte.Datum <= #05/31/2007# order by"));
    w->tdat(0).setText("01.03.2007");
    w->tdat(1).setText("31.03.2007");
    QVERIFY(w->abfrage(4, false).contains(
        "Sonstigeernte.Datum >= #03/01/2007# and Sonstigeernte.Datum <= #03/31/2007#"));
    // Both bounds belong to the range; the days around them stay out.
    honig(v2, "02.05.2007", 1);
    honig(v2, "31.05.2007", 1);
    honig(v2, "01.06.2007", 1);
    w->tdat(0).setText("02.05.07");   // completed by the date routines
    w->tdat(1).setText("31.05.2007");
    w->ok_click();
    QCOMPARE(gelesen(liste), (QStringList{"HONIGERNTE", "VOLKNR|DATUM", "1|20.05.2007", "2|02.05.2007", "2|03.05.2007",
                                          "2|31.05.2007", "", ""}));
  }

  void refusals() {
    struct Fall {
      bool markiert;
      const char* von;
      const char* bis;
      QStringList gründe;
    } fälle[] = {
        {false, "", "", {"keine zu listenden Datenfelder", "Datum von...bis eingegeben"}},
        {true, "31.05.2007", "01.05.2007", {"größer ist als"}},
        {true, "31.02.2007", "31.03.2007", {"Datum von...bis eingegeben"}},   // no such day
        {true, "01.02.2007", "", {"größer ist als", "Datum von...bis eingegeben"}},
    };
    for (const Fall& f : fälle) {
      resetScripts();
      auto w = fenster();
      if (f.markiert) markieren(w->li[1], {"Datum"});
      // Typing switches to "Datum von".
      w->show();
      QApplication::setActiveWindow(w.get());
      QVERIFY(QTest::qWaitForWindowActive(w.get()));
      w->tdat(0).setfocus();
      QTest::keyClicks(w->tdat(0).editor(), f.von);
      QCOMPARE(w->optibuch[1]->isChecked(), *f.von != 0);
      w->optibuch[1]->setChecked(true);
      w->tdat(1).setText(f.bis);
      messages().expect("Die Daten können nicht gelistet werden, weil...");
      w->ok_click();
      QVERIFY(messages().allUsed());
      const QString text = messages().last();
      QCOMPARE(text.count("\r\n...") , f.gründe.size());
      qsizetype bei = 0;   // the reasons in their order
      for (const QString& g : f.gründe) {
        bei = text.indexOf(g, bei);
        QVERIFY2(bei > 0, qPrintable(text));
      }
      QCOMPARE(liste.gezeigt, 0);
    }
  }

  void optionsKept() {
    buchungsfelder(1) = ";Datum;Menge_kg;";
    buchungsfelder(0) = "01.03.2007";   // a trade window's date in the shared cell
    buchungsauswahl() = 0;
    buchungsdatumvon() = "01.01.2007";
    ereignisbericht() = 1;
    auto w = fenster();
    QCOMPARE(w->li[1]->selectedItems().size(), 2);
    QVERIFY(w->li[0]->selectedItems().isEmpty());
    QVERIFY(w->optibuch[0]->isChecked());   // the stored choice wins over the date text
    QVERIFY(w->konereignis->isChecked());
    markieren(w->li[9], {"Farbe", "Datum"});
    w->tierleer->setChecked(true);
    w->beenden_click();
    QCOMPARE(buchungsfelder(9), QString(";Datum;Farbe;"));
    QCOMPARE(buchungsfelder(0), QString(";"));
    QCOMPARE(volkleerzeile(), 1);
    // A hand-edited choice outside 0..2 opens with "Alle Buchungen".
    for (const int gespeichert : {3, -1}) {
      buchungsauswahl() = gespeichert;
      QVERIFY(fenster()->optibuch[0]->isChecked());
    }
  }

  void eventReport() {
    const int v3 = volk("3", true, {{"Volkname", "Cora"}});
    einfügen("Honigernte", {{"Datum", datum("20.12.2007")}, {"Menge_kg", 1}, {"Qualität", "gut"}, {"Volk", v3}});
    einfügen("Gewichtsmessung", {{"Datum", datum("05.01.2008")}, {"Gewicht_kg", 31.5}, {"Volk", v3}});
    einfügen("Arbeiten", {{"Datum", datum("03.12.2007")}, {"Arbeitsart", "Füttern"}, {"Volk", v1}});
    einfügen("Stockkarte", {{"Datum", datum("02.01.2008")}, {"Volkstärke", 3}, {"Varroaschäden", 2}, {"Volk", v2}});
    einfügen("Wachsernte", {{"Datum", datum("01.05.2007")}, {"Menge_kg", 2}, {"Volk", v2}});
    const QString stock = "02.01.2008|Stockkarte|2|VS=3|BS=|WS=|SM=|ST=|FE=|WF=|VM=2";
    struct Fall {
      bool gruppiert;
      QStringList zeilen;
      QString namen;
    } fälle[] = {
        {false,
         {"01.05.2007|Honigernte|1|10", "01.05.2007|Wachsernte|2|2", "03.05.2007|Honigernte|2|7",
          "20.05.2007|Honigernte|1|5,5", "03.12.2007|Arbeiten|1|Füttern", "20.12.2007|Honigernte|3|1|gut", stock,
          "05.01.2008|Gewichtsmessung|3|31,5"},
         "Anna Berta Berta Anna Anna Cora Berta Cora"},
        {true,
         {"01.05.2007|Honigernte|1|10", "20.05.2007|Honigernte|1|5,5", "03.12.2007|Arbeiten|1|Füttern", "",
          "01.05.2007|Wachsernte|2|2", "03.05.2007|Honigernte|2|7", stock, "",
          "20.12.2007|Honigernte|3|1|gut", "05.01.2008|Gewichtsmessung|3|31,5"},
         "Anna Anna Anna  Berta Berta Berta  Cora Cora"},
    };
    for (const Fall& f : fälle) {
      auto w = fenster();
      w->konereignis->setChecked(true);
      w->kontiergruppe->setChecked(f.gruppiert);
      w->kontier[0]->setChecked(false);
      w->kontier[1]->setChecked(true);
      w->ok_click();
      QVERIFY(w->kontier[0]->isChecked() && w->kontier[1]->isChecked());
      QStringList zeilen = gelesen(liste);   // the name column apart
      QStringList namen;
      for (QString& z : zeilen) {
        QStringList zellen = z.split('|');
        namen << zellen.value(3);
        if (zellen.size() > 3) zellen.removeAt(3);
        z = zellen.join('|');
      }
      QCOMPARE(namen.join(' '), f.namen);
      QCOMPARE(liste.zeilen.first().split('\t').mid(0, 5),
               (QStringList{"Datum", "Buchung", "Volknr", "Volkname", "Hinweise"}));
      QCOMPARE(zeilen, f.zeilen);
      liste = Liste{};
    }
  }

  void aFailingQueryIsReported() {
    auto w = fenster();
    markieren(w->li[1], {"Datum"});
    w->kontier[0]->setChecked(true);
    {
      TabelleWeg weg("Honigernte");
      messages().expect("Die Daten konnten nicht gelistet werden.");
      w->ok_click();
      QVERIFY(messages().allUsed());
      QCOMPARE(liste.gezeigt, 0);
      QVERIFY(w->meter->isHidden());
      QVERIFY(!w->gridli->locked());
    }
    honig(v2, "03.05.2007", 7);
    w->ok_click();
    QCOMPARE(liste.gezeigt, 1);
  }
};

ZEVO_TEST_MAIN(TestVoelkerBuchungen)
#include "test_voelker_buchungen.moc"
