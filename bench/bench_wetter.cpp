// The weather journal and its evaluations on the large database (one weather
// record per day for 15 years, about 5,480 records):
//   - the journal's load (grid fill) and one "Neu" of a new day;
//   - "Buchungen listen", the month and year averages and the grouping by
//     weather, each over all records and over one year, with the list window
//     closed at once.
//
//   bench_wetter [folder]    builds the database there (default: a temporary folder)

#include "grossedatenbank.h"

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

namespace {

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

std::vector<double> runden(int anzahl, const std::function<void()>& vorbereiten, const std::function<void()>& messen) {
  std::vector<double> ms;
  for (int i = 0; i < anzahl; ++i) {
    vorbereiten();
    QElapsedTimer t;
    t.start();
    messen();
    ms.push_back(double(t.nsecsElapsed()) / 1e6);
  }
  return ms;
}

void bericht(const QString& was, const std::vector<double>& ms) {
  std::printf("%-62s median %8.1f ms   min %8.1f ms   max %8.1f ms\n", was.toLocal8Bit().constData(), median(ms),
              *std::min_element(ms.begin(), ms.end()), *std::max_element(ms.begin(), ms.end()));
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

  const QMap<QString, int> zeilen = bench::grossedatenbankanlegen(pfad);
  std::printf("Datenbank: %d Wetterdaten\n", zeilen["Wetterdaten"]);

  common::datenpfad = ordner;
  common::datenbankpfad = pfad;
  common::arbeitsbereich = &dao::DBEngine::workspaces(0);
  common::datenbank = common::arbeitsbereich->openDatabase(pfad);
  common::heute = "15.07.2023";
  output::registerOutputForms();
  vb::setMessageHandler([](const vb::MessageRequest&) { return vb::vbYes; });
  int listen = 0;
  vb::setModalRunner([&](const QString&, vb::Form* f) {
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
      ms.push_back(double(t.nsecsElapsed()) / 1e6);
      w.beenden_Click();
    }
    bericht("Wetterdaten: Laden (Liste füllen)", ms);
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
    bericht("Wetterdaten: Neu eines neuen Tages", runden(5, eintippen, [&] { w.neu_Click(0); }));
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
      bericht(QString("Auswertung: %1, %2").arg(namen[k], zeitraum ? "ein Jahr" : "alle"), ms);
      std::printf("  %d Zeilen, %d Listenfenster\n", e.gridli->rows(), listen);
    }
  }
  e.beenden_Click();
  common::datenbank.close();
  return 0;
}
