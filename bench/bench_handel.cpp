// The purchases, sales and stock window on 15 years of trade (about 30,000
// sales, 7,500 purchases and 40,000 stock rows):
//   - opening it (three grids, the lists, the totals line);
//   - saving one sale of a stock article with its booking and the reloads;
//   - deleting that sale with its booking;
//   - "Aktualisieren", the stock per product.
// Beside each time the peak resident size while the step ran.
//
//   bench_handel [--voelker N] [--handel N] [--jahrweise] [folder]
//       builds the database there (default: a temporary folder); N colonies
//       and N trade bookings a year (or ZEVO_BENCH_VOELKER, ZEVO_BENCH_HANDEL),
//       the records year by year (or ZEVO_BENCH_JAHRWEISE=1)

#include "grossedatenbank.h"
#include "messung.h"

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
using bench::zählen;
using bench::bericht;

int main(int argc, char** argv) {
  bench::Umfang umfang;
  umfang.voelker = 30;
  umfang.handel = true;
  bench::Programm programm(argc, argv, umfang);
  const QString& ordner = programm.ordner;
  const QMap<QString, int>& zeilen = programm.zeilen;
  std::printf("Datenbank: %d Verkäufe, %d Einkäufe, %d Lagerbuchungen (%.1f s)\n", zeilen["Verkauf"],
              zeilen["Einkauf"], zeilen["Honiglager"], programm.sekunden);

  bench::datenbanköffnen(ordner);
  common::heute = "15.07.2023";
  common::übergabe = "1";
  common::löschabfrage() = 0;
  vb::setMessageHandler([](const vb::MessageRequest& r) {
    std::printf("Meldung: %s\n", qPrintable(r.text));
    return vb::vbYes;
  });

  bench::Messwerte öffnen, speichern, löschen, aktualisieren;
  const int vorher = zählen("select count(*) from Honiglager");
  for (int runde = 0; runde < 5; ++runde) {
    auto w = std::make_unique<trade::IV_EinVerkauf_Lager>();
    const bench::Schritt laden;
    w->Form_Load();
    laden.ende(öffnen);

    w->sevt(12).setText("15.07.2023");
    w->sevt(13).setText("Lindehonig 500g");
    w->sevt(16).setText("3");
    w->sevt(18).setText("18,00");
    const bench::Schritt neu;
    w->neuverkauf_click(0);
    neu.ende(speichern);
    if (zählen("select count(*) from Honiglager") != vorher + 1) std::printf("Die Buchung fehlt!\n");

    const bench::Schritt weg;
    w->lschverkauf_click();
    weg.ende(löschen);
    if (zählen("select count(*) from Honiglager") != vorher) std::printf("Die Buchung blieb stehen!\n");

    const bench::Schritt bestand;
    w->comalle_click();
    bestand.ende(aktualisieren);
    w->beenden_click();
  }
  bericht("Öffnen (drei Listen, Auswahllisten, Summen)", öffnen);
  bericht("Neu: ein Verkauf eines Lagerartikels mit Buchung", speichern);
  bericht("Löschen: der Verkauf mit seiner Buchung", löschen);
  bericht("Aktualisieren: Bestand je Produkt", aktualisieren);
  common::datenbank.close();
  bench::höchststandberichten();
  return 0;
}
