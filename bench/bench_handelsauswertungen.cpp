// The trade and stock evaluations and the contribution margin on the large
// database (300 colonies, 15 years of hive records and of trade), each run
// up to the written gridli.txt with the list window closed at once:
//   - every button of "Ein- und Verkäufe auswerten", for sales and for
//     purchases, and of "Honiglager auswerten", over all bookings;
//   - the contribution margin by years over the 15 years with all columns
//     and all colonies, and by colonies for the 300 colonies.
//
//   bench_handelsauswertungen [--voelker N] [--handel N] [--jahrweise] [folder]
//       builds the database there (default: a temporary folder); N colonies
//       and N trade bookings a year (or ZEVO_BENCH_VOELKER, ZEVO_BENCH_HANDEL),
//       the records year by year (or ZEVO_BENCH_JAHRWEISE=1)

#include "grossedatenbank.h"
#include "messung.h"

#include "common/einstellungen.h"
#include "common/variablen.h"
#include "components/sevgrid.h"
#include "output/registry.h"
#include "platform/dao/dao.h"
#include "platform/runtime/files.h"
#include "platform/runtime/forms.h"
#include "platform/runtime/msgbox.h"
#include "trade/iw_deckungsbeitrag.h"
#include "trade/iw_einverkauf.h"
#include "trade/iw_honiglager.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace zevo;
using bench::runden;

namespace {

void melden(const QString& was, const bench::Messwerte& ms, int zeilen) {
  bench::bericht(was, ms, 66, QString("   %1 Zeilen").arg(zeilen, 6));
}

}  // namespace

int main(int argc, char** argv) {
  bench::Umfang umfang;
  umfang.handel = true;
  bench::Programm programm(argc, argv, umfang);
  const QString& ordner = programm.ordner;
  const QMap<QString, int>& zeilen = programm.zeilen;
  std::printf("Datenbank: %d Verkäufe, %d Einkäufe, %d Lagerbuchungen, %d Arbeiten\n", zeilen["Verkauf"],
              zeilen["Einkauf"], zeilen["Honiglager"], zeilen["Arbeiten"]);

  bench::datenbanköffnen(ordner);
  common::heute = "15.07.2023";
  output::registerOutputForms();
  vb::setMessageHandler([](const vb::MessageRequest& r) {
    std::printf("Meldung: %s\n", qPrintable(r.text));
    return vb::vbOK;
  });
  int listen = 0;
  vb::setModalRunner([&](const QString&, vb::Form* f) {
    bench::gridlisichern();
    ++listen;
    if (f) f->unload();
  });

  {
    trade::IW_EinVerkauf w;
    w.Form_Load();
    w.optibuch[0]->setChecked(true);
    for (int art = 1; art >= 0; --art) {
      w.optiev[art]->setChecked(true);
      for (int k = 0; k < w.rolisten.size(); ++k) {
        listen = 0;
        const auto ms = runden(5, [&] { w.rolisten_Click(k); });
        melden(QString("%1: %2").arg(art ? "Verkäufe" : "Einkäufe", w.rolisten[k]->text()), ms, bench::listenzeilen());
        if (listen != 5) std::printf("  Listenfenster: %d statt 5!\n", listen);
      }
    }
    w.beenden_Click();
  }
  {
    trade::IW_Honiglager w;
    w.Form_Load();
    w.optibuch[0]->setChecked(true);
    for (int k = 0; k < w.rolisten.size(); ++k) {
      listen = 0;
      const auto ms = runden(5, [&] { w.rolisten_Click(k); });
      melden(QString("Honiglager: %1").arg(w.rolisten[k]->text()), ms, bench::listenzeilen());
      if (listen != 5) std::printf("  Listenfenster: %d statt 5!\n", listen);
    }
    w.beenden_Click();
  }
  {
    trade::IW_Deckungsbeitrag w;
    w.Form_Load();
    w.Form_Activate();
    w.optitieraussetzen(1);
    w.alletier_click(0);
    w.sevt(0).setText("10");
    w.sevt(1).setText("5");
    w.t(0).setText("2009");
    w.t(1).setText("2023");
    for (int art = 0; art < 2; ++art) {
      w.optiauswertung[art]->setChecked(true);
      for (QCheckBox* k : w.kontier) k->setChecked(true);
      listen = 0;
      const auto ms = runden(3, [&] {
        w.alletier_click(0);
        w.ok_click();
      });
      melden(art ? "Deckungsbeitrag: nach Völkern, alle Spalten, 2009-2023"
                  : "Deckungsbeitrag: nach Jahren, alle Spalten, 2009-2023",
              ms, bench::listenzeilen());
      if (listen != 3) std::printf("  Listenfenster: %d statt 3!\n", listen);
    }
    w.beenden_click();
  }
  common::datenbank.close();
  return 0;
}
