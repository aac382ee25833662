// The entry window on the large database (300 colonies, 15 years of records):
//   - "Neu" of one honey harvest for 200 marked colonies, each with its due
//     "Honigernte" dates marked done, the record list reloaded afterwards;
//   - the summary update on closing for all 300 colonies.
//
//   bench_eingabe [--voelker N] [--handel N] [--jahrweise] [folder]
//       builds the database there (default: a temporary folder); N colonies
//       and N trade bookings a year (or ZEVO_BENCH_VOELKER, ZEVO_BENCH_HANDEL),
//       the records year by year (or ZEVO_BENCH_JAHRWEISE=1)

#include "grossedatenbank.h"
#include "messung.h"

#include "colonies/ie_eingabe.h"
#include "common/einstellungen.h"
#include "common/variablen.h"
#include "components/sevgrid.h"
#include "platform/dao/dao.h"
#include "platform/runtime/files.h"
#include "platform/runtime/msgbox.h"
#include "platform/runtime/vb.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace zevo;
using bench::runden;
using bench::bericht;

int main(int argc, char** argv) {
  bench::Programm programm(argc, argv);
  const QString& ordner = programm.ordner;
  const QString& pfad = programm.pfad;
  const QMap<QString, int>& zeilen = programm.zeilen;
  std::printf("Datenbank: %d Völker, %d Stockkarten, %d Honigernten, %d Termine (%.1f s)\n", zeilen["Bienenvolk"],
              zeilen["Stockkarte"], zeilen["Honigernte"], zeilen["Termine"], programm.sekunden);

  bench::datenbanköffnen(ordner);
  common::heute = "15.07.2023";
  common::honigwert() = 8.5f;
  common::stundensatz() = 12;
  vb::setMessageHandler([](const vb::MessageRequest&) { return vb::vbYes; });

  // Every colony has its harvest dates of the last year, some of them due.
  {
    dao::Transaction t(common::datenbank);
    dao::Recordset rs = common::datenbank.openRecordset("select top 1 * from Termine");
    dao::Recordset völker = common::datenbank.openRecordset("select ID from Bienenvolk");
    for (; !völker.eof(); völker.moveNext())
      for (int k = 0; k < 7; ++k) {
        rs.addNew();
        rs["Datum"] = QVariant(QDate(2023, 6, 1).addDays(14 * k));
        rs["Termin"] = "Honigernte";
        rs["Erledigt"] = "N";
        rs["Volk"] = völker["ID"].value();
        rs.update();
      }
    t.commit();
  }

  ui::sevGrid haupt;
  haupt.setAllowmultiselect(true);
  {
    dao::Recordset rs = common::datenbank.openRecordset(
        "select Volknr, Volkname, L_Honigernte, L_Honigmenge_kg, Honigmenge_Gesamt, Standort, ID from Bienenvolk");
    haupt.setRecordset(rs);
    rs.close();
  }
  common::datali = &haupt;
  haupt.setRow(1);
  for (int r = 1; r <= 200; ++r) haupt.setSelected(r, true);

  common::eingabeart = 1;
  colonies::IE_Eingabe fenster;
  fenster.Form_Load();
  fenster.Form_Activate();
  // After saving, the mask shows the colony's latest record: type anew before every round.
  auto eintippen = [&] {
    common::datenbank.execute("update Termine set Erledigt = 'N' where Termin = 'Honigernte'");
    fenster.sevt(0).setText("15.07.2023");
    fenster.sevt(1).setText("12,5");
  };
  bericht("Neu: eine Honigernte für 200 markierte Völker", runden(5, eintippen, [&] { fenster.neu_Click(0); }));
  std::printf("  Termine erledigt: %d\n", [] {
    dao::Recordset rs =
        common::datenbank.openRecordset("select count(*) from Termine where Termin = 'Honigernte' and Erledigt = 'J'");
    return rs.fields(0).value().toInt();
  }());

  QString alle;
  {
    dao::Recordset rs = common::datenbank.openRecordset("select ID from Bienenvolk");
    for (; !rs.eof(); rs.moveNext()) alle += "/" + rs["ID"].text() + "/";
  }
  dao::Database eigene = common::arbeitsbereich->openDatabase(pfad);
  bericht("Schließen: Übersichtswerte von 300 Völkern",
          runden(5, [] {}, [&] { colonies::volkzusammenfassungen(eigene, alle); }));
  eigene.close();
  common::datali = nullptr;
  common::datenbank.close();
  return 0;
}
