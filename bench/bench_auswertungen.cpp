// The colony evaluations on the large database (300 colonies, 269 in stock,
// 15 years of records), driven through their handlers, the list window
// replaced by a runner that closes it at once. Each case times "&Listen"
// from the click to the written gridli.txt:
//   1. colony data: all 36 columns, all colonies, sorted by Volknr;
//   2. bookings of Stockkarte: all fields, both colony columns, all
//      colonies, all bookings, sorted by Volknr and Datum;
//   3. working times: nine tables, all colonies, 30 years, by years
//      (270 sum queries) and by colonies (2,700 sum queries);
//   4. extended bookings of all colonies: table mode with every field, the
//      same with the latest booking only, the event report by date and by
//      colony;
//   5. all 35 statistics with the average row, per colony 2009-2023 and per
//      year 2003-2023;
//   6. every grouping, crosstab, cost, site and age evaluation (slowest, sum);
//   7. the list window loading the gridli.txt of the table mode with every
//      field and of the event report by date, without and with automatic
//      column width.
// Beside each time the peak resident size while the step ran. With
// ZEVO_BENCH_FAELLE set ("4,7"), only those cases run (7 needs 4).
//
//   bench_auswertungen [--voelker N] [--handel N] [--jahrweise] [folder]
//       builds the database there (default: a temporary folder); N colonies
//       and N trade bookings a year (or ZEVO_BENCH_VOELKER, ZEVO_BENCH_HANDEL),
//       the records year by year (or ZEVO_BENCH_JAHRWEISE=1)

#include "grossedatenbank.h"
#include "messung.h"

#include "common/einstellungen.h"
#include "common/variablen.h"
#include "components/sevgrid.h"
#include "evaluations/iw_arbeitszeiten.h"
#include "evaluations/iw_gruppierungen.h"
#include "evaluations/iw_statistiken.h"
#include "evaluations/iw_voelker_buchungen.h"
#include "evaluations/iw_voelker_buchungen_standard.h"
#include "evaluations/iw_voelkerdaten.h"
#include "output/ia_zwischenliste.h"
#include "output/listenuebergabe.h"
#include "platform/dao/dao.h"
#include "platform/runtime/files.h"
#include "platform/runtime/forms.h"
#include "platform/runtime/msgbox.h"
#include "platform/runtime/vb.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace zevo;
using bench::median;
using bench::runden;

namespace {

void bericht(const char* was, const bench::Messwerte& ms, int zeilen = -1) {
  bench::bericht(was, ms, 62, zeilen < 0 ? QString() : QString("   (%1 Zeilen)").arg(zeilen));
}

}  // namespace

int main(int argc, char** argv) {
  bench::Programm programm(argc, argv);
  const QString& ordner = programm.ordner;
  const QMap<QString, int>& zeilen = programm.zeilen;
  std::printf("Datenbank: %d Völker, %d Stockkarten, %d Honigernten (%.1f s)\n", zeilen["Bienenvolk"],
              zeilen["Stockkarte"], zeilen["Honigernte"], programm.sekunden);

  bench::datenbanköffnen(ordner);
  common::heute = "15.07.2023";
  vb::setMessageHandler([](const vb::MessageRequest& m) {
    std::printf("Meldung: %s\n", qPrintable(m.text));
    return vb::vbOK;
  });
  // The list window closes at once; what counts is the written grid file.
  vb::setModalRunner([](const QString&, vb::Form* f) {
    bench::gridlisichern();
    if (f) f->unload();
  });

  if (bench::fall(1)) {
    evaluations::IW_Völkerdaten w;
    w.Form_Load();
    w.Form_Activate();
    w.optitieraus[1]->setChecked(true);
    w.alletier_click(0);
    w.komsort->setListindex(0);
    const auto ms = runden(5, [&] { w.ok_click(); });
    bericht("1. Völkerdaten: 36 Spalten, alle Völker, nach Volknr", ms, bench::listenzeilen());
    w.unload();
  }
  if (bench::fall(2)) {
    evaluations::IW_Völker_Buchungen_Standard w;
    w.Form_Load();
    w.Form_Activate();
    w.sevt(0).setText("Stockkarte");
    w.sevt_listpick(0);
    w.kontier[0]->setChecked(true);
    w.kontier[1]->setChecked(true);
    w.optitieraus[1]->setChecked(true);
    w.optibuch[0]->setChecked(true);
    w.sevt(1).setText("Volknr");
    w.sevt(2).setText("Datum");
    const auto ms = runden(5, [&] { w.ok_click(); });
    bericht("2. Buchungen Stockkarte: alle Felder, alle Völker, Volknr, Datum", ms, bench::listenzeilen());
    // Its parts: the query, the cell texts, the grid file.
    dao::Recordset rs;
    bericht("   davon Abfrage", runden(5, [&] {
              rs = dao::Recordset();
              rs = w.datenbank().openRecordset(w.anweisung());
            }));
    ui::sevGrid g;
    bericht("   davon Zellentexte (abfrageübernehmen)", runden(5, [&] {
              g.clear(true);
              g.lockupdate(true);
              output::abfrageübernehmen(rs, g);
            }));
    g.lockupdate(false);
    bericht("   davon gridli.txt schreiben", runden(5, [&] { g.savetofile(common::datenpfad + "probe.txt"); }));
    w.unload();
  }
  if (bench::fall(3)) {
    evaluations::IW_Arbeitszeiten w;
    w.Form_Load();
    w.Form_Activate();
    w.alletier_click(0);
    for (QCheckBox* k : w.kontier) k->setChecked(true);
    w.optitieraus[1]->setChecked(true);
    w.t(0).setText("1994");
    w.t(1).setText("2023");
    w.optiauswertung[0]->setChecked(true);
    const auto jahre = runden(5, [&] { w.ok_click(); });
    bericht("3a. Arbeitszeiten: 9 Tabellen, 30 Jahre, nach Jahren", jahre, bench::listenzeilen());
    w.optiauswertung[1]->setChecked(true);
    const auto völker = runden(5, [&] { w.ok_click(); });
    bericht("3b. Arbeitszeiten: 9 Tabellen, 30 Jahre, nach Völkern", völker, bench::listenzeilen());
    w.unload();
  }
  // --- 4: bookings --------------------------------------------------------------------
  if (bench::fall(4)) {
    evaluations::IW_Völker_Buchungen w;
    w.Form_Load();
    w.Form_Activate();
    w.optitieraus[1]->setChecked(true);
    w.alletier_click(0);
    w.kontier[0]->setChecked(true);
    w.kontier[1]->setChecked(true);
    struct Fall {
      const char* name;
      bool ereignis, gruppiert;
      int auswahl;
    } fälle[] = {{"4. Buchungen Tabellen, alle Felder", false, false, 0},
                 {"4. Buchungen Tabellen, letzte Buchung", false, false, 2},
                 {"4. Buchungen Ereignisbericht nach Datum", true, false, 0},
                 {"4. Buchungen Ereignisbericht nach Völkern", true, true, 0}};
    for (const Fall& f : fälle) {
      w.konereignis->setChecked(f.ereignis);
      w.kontiergruppe->setChecked(f.gruppiert);
      w.optibuch[f.auswahl]->setChecked(true);
      const auto ms = runden(5, [&] { w.ok_click(); });
      bericht(f.name, ms, bench::listenzeilen());
      // The lists that case 7 opens in the list window.
      if (f.auswahl == 0 && !f.gruppiert) {
        const QString kopie = ordner + (f.ereignis ? "ereignisbericht.txt" : "tabellen.txt");
        QFile::remove(kopie);
        QFile::copy(ordner + "gridli.txt", kopie);
      }
      if (f.ereignis) {
        ui::sevGrid liste;
        liste.loadfromfile(ordner + "gridli.txt");
        const auto sortms = runden(5, [&] {
          liste.sort(f.gruppiert ? QStringLiteral("vnummer,datum") : QStringLiteral("datum,vnummer"));
        });
        bericht("   davon das Sortieren", sortms);
      }
    }
    // Where the table mode's time goes: the ten queries alone.
    w.konereignis->setChecked(false);
    w.optibuch[0]->setChecked(true);
    const auto ms = runden(5, [&] {
      for (int i = 0; i < evaluations::IW_Völker_Buchungen::anzahltabellen; ++i) {
        dao::Recordset rs = w.datenbank().openRecordset(w.abfrage(i, false));
        for (; !rs.eof(); rs.moveNext()) {
        }
      }
    });
    bericht("   davon die zehn Abfragen", ms);
    w.ok_click();
    ui::sevGrid liste;
    liste.loadfromfile(ordner + "gridli.txt");
    const auto datei = runden(5, [&] { liste.savetofile(ordner + "gridli.txt"); });
    bericht("   davon gridli.txt schreiben", datei);
    w.unload();
  }

  // --- 5: statistics --------------------------------------------------------------------
  if (bench::fall(5)) {
    evaluations::IW_Statistiken w;
    w.Form_Load();
    w.alletier_click(0);
    for (QCheckBox* k : w.kontier) k->setChecked(true);
    w.konschnitt->setChecked(true);
    struct Fall {
      const char* name;
      const char* von;
      int knopf;
    } fälle[] = {{"5. Statistik je Volk 2009-2023", "2009", 0}, {"5. Statistik je Jahr 2003-2023", "2003", 1}};
    for (const Fall& f : fälle) {
      w.t(0).setText(f.von);
      w.t(1).setText("2023");
      const auto ms = runden(5, [&] { w.ok_click(f.knopf); });
      bericht(f.name, ms, bench::listenzeilen());
    }
    w.unload();
  }

  // --- 6: groupings --------------------------------------------------------------------
  if (bench::fall(6)) {
    evaluations::IW_Gruppierungen w;
    w.Form_Load();
    std::vector<std::pair<QString, std::function<void()>>> auswertungen;
    for (int i = 0; i < w.li1->count(); ++i)
      auswertungen.push_back({"li1 " + w.li1->item(i)->text(), [&w, i] {
                                w.li1->setCurrentRow(i);
                                w.gruppeok_click();
                              }});
    for (int i = 0; i < w.li2->count(); ++i)
      auswertungen.push_back({"li2 " + w.li2->item(i)->text(), [&w, i] {
                                w.li2->setCurrentRow(i);
                                w.auswertungok_click();
                              }});
    for (int i = 0; i < 9; ++i)
      auswertungen.push_back({"Kosten " + w.gruppekostenjetier[i]->text(), [&w, i] { w.gruppekostenjetier_click(i); }});
    for (int i = 0; i < 3; ++i)
      auswertungen.push_back({"Standort " + w.sonstigecom[i]->text(), [&w, i] { w.sonstigecom_click(i); }});
    for (int i = 0; i < 2; ++i)
      auswertungen.push_back({"Alter " + w.sonstigeok[i]->text(), [&w, i] { w.sonstigeok_click(i); }});
    double summe = 0, summecpu = 0, langsamste = 0, spitze = 0;
    QString welche;
    for (const auto& [name, lauf] : auswertungen) {
      const bench::Messwerte ms = runden(5, [&] {
        lauf();
        w.ok_click();
      });
      const double m = median(ms);
      summe += m;
      summecpu += median(ms.cpu);
      spitze = std::max(spitze, ms.spitzeMB);
      if (m > langsamste) {
        langsamste = m;
        welche = name;
      }
    }
    std::printf("6. Gruppierungen: %d Auswertungen, Summe %.1f ms (CPU %.1f ms), langsamste %.1f ms (%s), Spitze %.0f MB\n",
                int(auswertungen.size()), summe, summecpu, langsamste, qPrintable(welche), spitze);
    w.unload();
  }

  // --- 7: the list window --------------------------------------------------------------
  for (const char* liste : {"tabellen.txt", "ereignisbericht.txt"}) {
    if (!bench::fall(7) || !QFile::exists(ordner + liste)) continue;
    QFile::remove(ordner + "gridli.txt");
    QFile::copy(ordner + liste, ordner + "gridli.txt");
    for (int breite : {0, 1}) {
      common::listenspaltenbreite() = breite;
      int geladen = 0;
      const auto ms = runden(5, [&] {
        output::IA_Zwischenliste l;
        l.Form_Load();
        geladen = l.gridli->rows();
      });
      bericht(qPrintable(QString("7. Listenfenster: %1%2").arg(liste, breite ? ", automatische Spaltenbreite" : "")),
              ms, geladen);
    }
  }
  common::listenspaltenbreite() = 0;
  common::datenbank.close();
  bench::höchststandberichten();
  return 0;
}
