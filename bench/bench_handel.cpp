// The purchases, sales and stock window on 15 years of trade (about 30,000
// sales, 7,500 purchases and 40,000 stock rows):
//   - opening it (three grids, the lists, the totals line);
//   - saving one sale of a stock article with its booking and the reloads;
//   - deleting that sale with its booking;
//   - "Aktualisieren", the stock per product.
//
//   bench_handel [folder]    builds the database there (default: a temporary folder)

#include "grossedatenbank.h"

#include "common/einstellungen.h"
#include "common/variablen.h"
#include "components/sevgrid.h"
#include "platform/dao/dao.h"
#include "platform/runtime/files.h"
#include "platform/runtime/msgbox.h"
#include "trade/iv_einverkauf_lager.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

using namespace zevo;

namespace {

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

void bericht(const char* was, const std::vector<double>& ms) {
  std::printf("%-58s median %8.1f ms   min %8.1f ms   max %8.1f ms\n", was, median(ms),
              *std::min_element(ms.begin(), ms.end()), *std::max_element(ms.begin(), ms.end()));
}

double millisekunden(const QElapsedTimer& t) { return double(t.nsecsElapsed()) / 1e6; }

int anzahl(const QString& sql) {
  return common::datenbank.openRecordset(sql).fields(0).value().toInt();
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

  QElapsedTimer aufbau;
  aufbau.start();
  bench::Umfang umfang;
  umfang.voelker = 30;
  umfang.handel = true;
  const QMap<QString, int> zeilen = bench::grossedatenbankanlegen(pfad, umfang);
  std::printf("Datenbank: %d Verkäufe, %d Einkäufe, %d Lagerbuchungen (%.1f s)\n", zeilen["Verkauf"],
              zeilen["Einkauf"], zeilen["Honiglager"], double(aufbau.elapsed()) / 1000);

  common::datenpfad = ordner;
  common::datenbankpfad = pfad;
  common::arbeitsbereich = &dao::DBEngine::workspaces(0);
  common::datenbank = common::arbeitsbereich->openDatabase(pfad);
  common::heute = "15.07.2023";
  common::übergabe = "1";
  common::löschabfrage() = 0;
  vb::setMessageHandler([](const vb::MessageRequest& r) {
    std::printf("Meldung: %s\n", qPrintable(r.text));
    return vb::vbYes;
  });

  std::vector<double> öffnen, speichern, löschen, aktualisieren;
  const int vorher = anzahl("select count(*) from Honiglager");
  for (int runde = 0; runde < 5; ++runde) {
    auto w = std::make_unique<trade::IV_EinVerkauf_Lager>();
    QElapsedTimer t;
    t.start();
    w->Form_Load();
    öffnen.push_back(millisekunden(t));

    w->sevt(12).setText("15.07.2023");
    w->sevt(13).setText("Lindehonig 500g");
    w->sevt(16).setText("3");
    w->sevt(18).setText("18,00");
    t.restart();
    w->neuverkauf_click(0);
    speichern.push_back(millisekunden(t));
    if (anzahl("select count(*) from Honiglager") != vorher + 1) std::printf("Die Buchung fehlt!\n");

    t.restart();
    w->lschverkauf_click();
    löschen.push_back(millisekunden(t));
    if (anzahl("select count(*) from Honiglager") != vorher) std::printf("Die Buchung blieb stehen!\n");

    t.restart();
    w->comalle_click();
    aktualisieren.push_back(millisekunden(t));
    w->beenden_click();
  }
  bericht("Öffnen (drei Listen, Auswahllisten, Summen)", öffnen);
  bericht("Neu: ein Verkauf eines Lagerartikels mit Buchung", speichern);
  bericht("Löschen: der Verkauf mit seiner Buchung", löschen);
  bericht("Aktualisieren: Bestand je Produkt", aktualisieren);
  common::datenbank.close();
  return 0;
}
