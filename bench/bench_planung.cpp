// Work planning on the large database (300 colonies, about 270 in stock,
// 2009 to 2023, eight dates per colony and year, open ones only in 2023):
//   1. the open dates list on 01.12.2023, every open date overdue;
//   2. the calendar list of 01.01.2009 to 31.12.2023;
//   3. the open dates grouped by site, handed to the list window;
//   4. the work plan from 01.04.2023: the list of 8 weeks, the table of 4;
//   5. deleting and regenerating the year's dates of all options on 01.01.2023.
//
//   bench_planung [--voelker N] [--handel N] [--jahrweise] [folder]
//       builds the database there (default: a temporary folder); N colonies
//       and N trade bookings a year (or ZEVO_BENCH_VOELKER, ZEVO_BENCH_HANDEL),
//       the records year by year (or ZEVO_BENCH_JAHRWEISE=1)

#include "grossedatenbank.h"
#include "messung.h"

#include "common/einstellungen.h"
#include "common/variablen.h"
#include "components/sevgrid.h"
#include "planning/iv_arplanoptionen.h"
#include "planning/iv_starttermine.h"
#include "planning/iv_terminverwaltung.h"
#include "planning/iw_arbeitsplan.h"
#include "platform/dao/dao.h"
#include "platform/runtime/files.h"
#include "platform/runtime/forms.h"
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
using bench::zählen;
using bench::runden;
using bench::bericht;

namespace {

void heute(const QDate& tag) {
  vb::setClock(QDateTime(tag, QTime(10, 0)));
  common::heutesetzen();
}

}  // namespace

int main(int argc, char** argv) {
  bench::Programm programm(argc, argv);
  const QString& ordner = programm.ordner;
  const QMap<QString, int>& zeilen = programm.zeilen;
  bench::datenbanköffnen(ordner);
  std::printf("Datenbank: %d Völker (%d im Bestand), %d Termine (%d offen), %d Optionen (%.1f s)\n",
              zeilen["Bienenvolk"], zählen("select count(*) from Bienenvolk where Akt_im_Bestand = 'X'"),
              zeilen["Termine"], zählen("select count(*) from Termine where Erledigt = 'N'"),
              zählen("select count(*) from Arbeitsplanoptionen"), programm.sekunden);

  // Every question is answered "Ja", and the list window closes at once.
  vb::setMessageHandler([](const vb::MessageRequest& r) { return r.buttons == vb::YesNo ? vb::vbYes : vb::vbOK; });
  vb::setModalRunner([](const QString&, vb::Form* form) {
    bench::gridlisichern();
    if (form) form->unload();
  });
  common::terminvorlauf() = 14;
  common::terminlistebeimstart() = 1;

  heute(QDate(2023, 12, 1));
  {
    planning::IV_Starttermine w;
    w.Form_Load();
    bericht("1. offene Termine am 01.12.2023", runden(7, [&] { w.offeneterminelisten(); }));
    std::printf("  Zeilen: %d\n", w.litermine->rows());
    bericht("3. offene Termine gruppiert nach Standorten", runden(7, [&] { w.okgruppiert_Click(); }));
    std::printf("  Zeilen: %d\n", bench::listenzeilen());
    w.unload();
  }
  {
    planning::IV_Terminverwaltung w;
    w.Form_Load();
    w.sevt(6).setText("01.01.2009");
    w.sevt(7).setText("31.12.2023");
    bericht("2. Terminverwaltung 01.01.2009 bis 31.12.2023", runden(7, [&] { w.terminelisten(); }));
    std::printf("  Zeilen: %d\n", w.litermine->rows());
    w.unload();
  }
  heute(QDate(2023, 4, 1));
  {
    planning::IW_Arbeitsplan w;
    w.Form_Load();
    w.woche_Click(4);
    bericht("4a. Arbeitsplan ab 01.04.2023, Liste 8 Wochen", runden(7, [&] { w.ok_Click(0); }));
    std::printf("  Zeilen: %d\n", bench::listenzeilen());
    w.woche_Click(3);
    bericht("4b. Arbeitsplan ab 01.04.2023, Tabelle 4 Wochen", runden(7, [&] { w.ok_Click(1); }));
    std::printf("  Zeilen: %d, Spalten: %d\n", bench::listenzeilen(), bench::listenspalten());
    w.unload();
  }
  heute(QDate(2023, 1, 1));
  {
    planning::IV_Arplanoptionen w;
    w.Form_Load();
    bericht("5. Termine des Jahres löschen und neu setzen (01.01.2023)", runden(5, [&] { w.calender_Click(); }));
    std::printf("  Termine 2023: %d\n",
                zählen("select count(*) from Termine where Datum >= #01/01/2023# and Datum <= #12/31/2023#"));
    w.unload();
  }
  common::datenbank.close();
  return 0;
}
