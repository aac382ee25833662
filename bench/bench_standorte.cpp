// The sites windows on the large database (300 colonies, 15 years of
// records, 12 sites with 6 to 10 plants each), and again with 200 sites of
// 10 plants each:
//   - IW_Standorte: colonies per site, the index on one date, the weekly index;
//   - IV_Pflanzen_Standorte: the fill on opening, the forage periods on closing.
// The list window is closed at once by the modal runner.
//
//   bench_standorte [--voelker N] [--handel N] [--jahrweise] [folder]
//       builds the database there (default: a temporary folder); N colonies
//       and N trade bookings a year (or ZEVO_BENCH_VOELKER, ZEVO_BENCH_HANDEL),
//       the records year by year (or ZEVO_BENCH_JAHRWEISE=1)

#include "grossedatenbank.h"
#include "messung.h"

#include "common/variablen.h"
#include "platform/dao/dao.h"
#include "platform/runtime/files.h"
#include "platform/runtime/forms.h"
#include "platform/runtime/msgbox.h"
#include "sites/iv_pflanzen_standorte.h"
#include "sites/iw_standorte.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace zevo;
using bench::zählen;
using bench::runden;
using bench::bericht;

namespace {

void messen(const QString& umfang) {
  sites::IW_Standorte auswertung;
  auswertung.Form_Load();
  auswertung.sevt(7).setText("15.05.2023");
  bericht("Völker je Standort (" + umfang + ")", runden(5, [&] { auswertung.rolisten_click(3); }));
  bericht("Qualitäts-Index am 15.05. (" + umfang + ")", runden(5, [&] { auswertung.rolisten_click(4); }));
  bericht("Qualitäts-Index März bis September (" + umfang + ")", runden(5, [&] { auswertung.rolisten_click(5); }));
  auswertung.unload();

  std::vector<double> füllen, schließen;
  for (int i = 0; i < 5; ++i) {
    common::übergabe = "0";
    QElapsedTimer t;
    t.start();
    sites::IV_Pflanzen_Standorte fenster;
    fenster.Form_Load();
    füllen.push_back(bench::millisekunden(t));
    t.restart();
    fenster.beenden_click();
    schließen.push_back(bench::millisekunden(t));
  }
  bericht("Standortfenster öffnen (" + umfang + ")", füllen);
  bericht("Schließen: Trachtzeiten aller Standorte (" + umfang + ")", schließen);
  std::printf("  Standorte mit Trachtzeit: %d\n", zählen("select count(*) from Standorte where Trachtzeit_von is not null"));
}

}  // namespace

int main(int argc, char** argv) {
  bench::Programm programm(argc, argv);
  const QString& ordner = programm.ordner;
  const QMap<QString, int>& zeilen = programm.zeilen;
  std::printf("Datenbank: %d Völker, %d Standorte, %d Pflanzen an Standorten (%.1f s)\n", zeilen["Bienenvolk"],
              zeilen["Standorte"], zeilen["Standorte_Pflanzen"], programm.sekunden);

  bench::datenbanköffnen(ordner);
  common::heute = "15.07.2023";
  vb::setMessageHandler([](const vb::MessageRequest&) { return vb::vbOK; });
  vb::setModalRunner([](const QString&, vb::Form* f) {
    bench::gridlisichern();
    if (f) f->unload();
  });

  messen(QStringLiteral("12 Standorte"));

  // 200 sites of 10 plants each.
  {
    dao::Transaction t(common::datenbank);
    common::datenbank.execute("delete from Standorte_Pflanzen");
    dao::Recordset standorte = common::datenbank.openRecordset("select top 1 * from Standorte");
    dao::Recordset pflanzen = common::datenbank.openRecordset("select top 1 * from Standorte_Pflanzen");
    const QStringList namen = {"Efeu",     "Schneeheide", "Haselnuss",  "Küblerweide", "Krokus",  "Kirsche",
                               "Löwenzahn", "Bergahorn",  "Winterlinde", "Fichte",     "Goldrute"};
    for (int i = zählen("select count(*) from Standorte"); i < 200; ++i) {
      standorte.addNew();
      standorte["Standort"] = QString("Standort %1").arg(i + 1, 3, 10, QChar('0'));
      standorte["Pkw_anfahrbar"] = i % 2 ? "J" : "N";
      standorte["Entfernung_Wasser_m"] = 10 + i * 4;
      standorte["Standortprämie_Volk"] = double(i % 7);
      standorte.update();
    }
    dao::Recordset ids = common::datenbank.openRecordset("select ID from Standorte");
    for (int k = 0; !ids.eof(); ids.moveNext(), ++k)
      for (int p = 0; p < 10; ++p) {
        pflanzen.addNew();
        pflanzen["Pflanze"] = namen[(k + p) % namen.size()];
        pflanzen["Entfernung_m"] = 100 + 250 * p;
        pflanzen["Proz_Anteil"] = 10;
        pflanzen["Standort_Kennung"] = ids["ID"].value();
        pflanzen.update();
      }
    t.commit();
  }
  std::printf("Skaliert: %d Standorte, %d Pflanzen an Standorten\n", zählen("select count(*) from Standorte"),
              zählen("select count(*) from Standorte_Pflanzen"));
  messen(QStringLiteral("200 Standorte"));
  common::datenbank.close();
  return 0;
}
