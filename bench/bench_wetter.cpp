// The weather journal and its evaluations on the large database (one weather
// record per day for 15 years, about 5,480 records):
//   - the journal's load (grid fill) and one "Neu" of a new day;
//   - "Buchungen listen", the month and year averages and the grouping by
//     weather, each over all records and over one year, with the list window
//     closed at once.
//
//   bench_wetter [--voelker N] [--handel N] [--jahrweise] [folder]
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
#include "sites/iv_wetterdaten.h"
#include "sites/iw_wetterdaten.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QRadioButton>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace zevo;
using bench::runden;

namespace {

void melden(const QString& was, const bench::Messwerte& ms) { bench::bericht(was, ms, 62); }

}  // namespace

int main(int argc, char** argv) {
  bench::Programm programm(argc, argv);
  const QString& ordner = programm.ordner;
  const QMap<QString, int>& zeilen = programm.zeilen;
  std::printf("Datenbank: %d Wetterdaten\n", zeilen["Wetterdaten"]);

  bench::datenbanköffnen(ordner);
  common::heute = "15.07.2023";
  output::registerOutputForms();
  vb::setMessageHandler([](const vb::MessageRequest&) { return vb::vbYes; });
  int listen = 0;
  vb::setModalRunner([&](const QString&, vb::Form* f) {
    bench::gridlisichern();
    ++listen;
    if (f) f->unload();
  });

  {
    std::vector<double> ms;
    for (int i = 0; i < 5; ++i) {
      sites::IV_Wetterdaten w;
      QElapsedTimer t;
      t.start();
      w.Form_Load();
      ms.push_back(bench::millisekunden(t));
      w.beenden_Click();
    }
    melden("Wetterdaten: Laden (Liste füllen)", ms);
  }
  {
    sites::IV_Wetterdaten w;
    w.Form_Load();
    auto eintippen = [&] {
      common::datenbank.execute("delete from Wetterdaten where Datum = #07/16/2023#");
      w.sevt(0).setText("16.07.2023");
      w.sevt(1).setText("sonnig");
      w.sevt(2).setText("-5");
    };
    melden("Wetterdaten: Neu eines neuen Tages", runden(5, eintippen, [&] { w.neu_Click(0); }));
    std::printf("  Liste: %d Zeilen, aktuelle Zeile %d\n", w.liwetter->rows(), w.liwetter->row());
    w.beenden_Click();
  }

  sites::IW_Wetterdaten e;
  e.Form_Load();
  const char* namen[] = {"Buchungen listen", "Durchschnittswerte nach Monaten",
                         "Durchschnittswerte nach Jahren (10 Jahre)", "Gruppierung nach Wetter"};
  for (int zeitraum = 0; zeitraum < 2; ++zeitraum) {
    e.optibuch[zeitraum]->setChecked(true);
    e.tdat(0).setText("01.01.2015");
    e.tdat(1).setText("31.12.2015");
    for (int k = 0; k < 4; ++k) {
      listen = 0;
      const auto ms = runden(5, [] {}, [&] { e.rolisten_Click(k); });
      melden(QString("Auswertung: %1, %2").arg(namen[k], zeitraum ? "ein Jahr" : "alle"), ms);
      std::printf("  %d Zeilen, %d Listenfenster\n", bench::listenzeilen(), listen);
    }
  }
  e.beenden_Click();
  common::datenbank.close();
  return 0;
}
