// The colony evaluations on the large database (300 colonies, 269 in stock,
// 2009-2023), each timed from the click to the written gridli.txt, the list
// window closed at once (median of five rounds):
//   4. bookings of all colonies: table mode with every field, the same with
//      the latest booking only, the event report by date and by colony;
//   5. all 35 statistics with the average row, per colony 2009-2023 and per
//      year 2003-2023;
//   6. every grouping, crosstab, cost, site and age evaluation.
//
//   bench_auswertungen2 [folder]    builds the database there (default: a temporary folder)

#include "grossedatenbank.h"

#include "common/einstellungen.h"
#include "common/variablen.h"
#include "components/sevgrid.h"
#include "evaluations/iw_gruppierungen.h"
#include "evaluations/iw_statistiken.h"
#include "evaluations/iw_voelker_buchungen.h"
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
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace zevo;
using namespace zevo::evaluations;

namespace {

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

std::vector<double> runden(int anzahl, const std::function<void()>& messen) {
  std::vector<double> ms;
  for (int i = 0; i < anzahl; ++i) {
    QElapsedTimer t;
    t.start();
    messen();
    ms.push_back(double(t.nsecsElapsed()) / 1e6);
  }
  return ms;
}

void bericht(const QString& was, int zeilen, const std::vector<double>& ms) {
  std::printf("%-52s %7d Zeilen   median %8.1f ms   min %8.1f ms\n", qPrintable(was), zeilen, median(ms),
              *std::min_element(ms.begin(), ms.end()));
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QTemporaryDir tmp;
  const QString ordner = vb::withTrailingSlash(argc > 1 ? QDir(argv[1]).absolutePath() : tmp.path());
  QDir().mkpath(ordner);
  vb::setProgramFolder(ordner);
  const QString pfad = ordner + "ZEVO.MDB";
  if (QFile::exists(pfad)) QFile::remove(pfad);
  const QMap<QString, int> anzahl = bench::grossedatenbankanlegen(pfad);
  std::printf("Datenbank: %d Völker, %d Stockkarten, %d Honigernten\n", anzahl["Bienenvolk"], anzahl["Stockkarte"],
              anzahl["Honigernte"]);

  common::datenpfad = ordner;
  common::datenbankpfad = pfad;
  common::arbeitsbereich = &dao::DBEngine::workspaces(0);
  common::datenbank = common::arbeitsbereich->openDatabase(pfad);
  common::heute = "15.07.2023";
  vb::setMessageHandler([](const vb::MessageRequest& m) {
    std::printf("Meldung: %s\n", qPrintable(m.text));
    return vb::vbOK;
  });
  vb::setModalRunner([](const QString&, vb::Form* f) {
    if (f) f->unload();
  });

  // --- 4: bookings --------------------------------------------------------------------
  {
    IW_Völker_Buchungen w;
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
    } fälle[] = {{"4 Buchungen Tabellen, alle Felder", false, false, 0},
                 {"4 Buchungen Tabellen, letzte Buchung", false, false, 2},
                 {"4 Buchungen Ereignisbericht nach Datum", true, false, 0},
                 {"4 Buchungen Ereignisbericht nach Völkern", true, true, 0}};
    for (const Fall& f : fälle) {
      w.konereignis->setChecked(f.ereignis);
      w.kontiergruppe->setChecked(f.gruppiert);
      w.optibuch[f.auswahl]->setChecked(true);
      const auto ms = runden(5, [&] { w.ok_click(); });
      bericht(f.name, w.gridli->rows(), ms);
      if (f.ereignis) {
        const auto sortms = runden(5, [&] {
          w.gridli->sort(f.gruppiert ? QStringLiteral("vnummer,datum") : QStringLiteral("datum,vnummer"));
        });
        bericht("   davon das Sortieren", w.gridli->rows(), sortms);
      }
    }
    // Where the table mode's time goes: the ten queries alone.
    w.konereignis->setChecked(false);
    w.optibuch[0]->setChecked(true);
    const auto ms = runden(5, [&] {
      for (int i = 0; i < IW_Völker_Buchungen::anzahltabellen; ++i) {
        dao::Recordset rs = w.datenbank().openRecordset(w.abfrage(i, false));
        for (; !rs.eof(); rs.moveNext()) {
        }
      }
    });
    bericht("   davon die zehn Abfragen", 0, ms);
    w.ok_click();
    const auto datei = runden(5, [&] { w.gridli->savetofile(ordner + "gridli.txt"); });
    bericht("   davon die Datei", w.gridli->rows(), datei);
    w.unload();
  }

  // --- 5: statistics --------------------------------------------------------------------
  {
    IW_Statistiken w;
    w.Form_Load();
    w.alletier_click(0);
    for (QCheckBox* k : w.kontier) k->setChecked(true);
    w.konschnitt->setChecked(true);
    struct Fall {
      const char* name;
      const char* von;
      int knopf;
    } fälle[] = {{"5 Statistik je Volk 2009-2023", "2009", 0}, {"5 Statistik je Jahr 2003-2023", "2003", 1}};
    for (const Fall& f : fälle) {
      w.t(0).setText(f.von);
      w.t(1).setText("2023");
      const auto ms = runden(5, [&] { w.ok_click(f.knopf); });
      bericht(f.name, w.gridli->rows(), ms);
    }
    w.unload();
  }

  // --- 6: groupings --------------------------------------------------------------------
  {
    IW_Gruppierungen w;
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
    double summe = 0, langsamste = 0;
    QString welche;
    for (const auto& [name, lauf] : auswertungen) {
      const double m = median(runden(5, [&] {
        lauf();
        w.ok_click();
      }));
      summe += m;
      if (m > langsamste) {
        langsamste = m;
        welche = name;
      }
    }
    std::printf("6 Gruppierungen: %d Auswertungen, Summe %.1f ms, langsamste %.1f ms (%s)\n",
                int(auswertungen.size()), summe, langsamste, qPrintable(welche));
    w.unload();
  }
  return 0;
}
