#include "shell/startdialoge.h"

#include "common/einstellungen.h"
#include "common/fensterdienste.h"
#include "common/routinen.h"
#include "components/sevgrid.h"
#include "platform/runtime/application.h"
#include "platform/runtime/forms.h"
#include "platform/runtime/mousepointer.h"
#include "platform/runtime/msgbox.h"
#include "platform/runtime/vb.h"
#include "shell/ih_hilfe_wieanfangen.h"
#include "shell/io_datensicherung.h"
#include "shell/volktermine.h"

namespace zevo::shell {

using namespace common;

bool jahreslauffällig() { return static_cast<int>(vb::val(vb::mid(heute, 7))) != jahreslaufjahr(); }

void jahreslaufanbieten() {
  if (jahreslauffällig()) volkterminesetzen();
}

namespace {

// heute + terminvorlauf days, as "dd.mm.yyyy".
QString terminfrist() {
  return heutedatum().addDays(terminvorlauf()).toString("dd.MM.yyyy");
}

bool offenetermine() {
  dao::Database db = datenbank;
  if (!db.isOpen()) return false;
  try {
    dao::Recordset rs = db.openRecordset("select top 1 * from Termine where Datum <= " + sqldatum(terminfrist()) +
                                         " and Erledigt = 'N'");
    const bool gefunden = !rs.eof();
    rs.close();
    return gefunden;
  } catch (const dao::Error& e) {
    vb::msgbox(e.text());
    return false;
  }
}

}  // namespace

void ersteaktivierungsdienste() {
  if (ersteaktivierung != 0) return;
  ersteaktivierung = 1;
  if (!datali || datali->rows() == 0) vb::showForm(std::make_unique<IH_Hilfe_Wieanfangen>());
  const bool fällig = offenetermine();
  if (terminlistebeimstart() == 1 && fällig && vb::isRegistered("IV_Starttermine")) {
    vb::setMousePointer(vb::vbHourglass);
    vb::showForm("IV_Starttermine");
  }
}

void sicherungserinnerung() {
  const auto letzte = vb::parseDate(letztesicherung());
  if (!letzte) {   // never backed up: from today on
    letztesicherung() = heute;
    return;
  }
  if (letzte->daysTo(vb::date()) < sicherungstage()) return;
  if (vb::question("Sie haben seit dem " + letztesicherung() + " keine Datensicherung mehr gemacht." + zeilenumbruch +
                   zeilenumbruch + "Soll jetzt eine Datensicherung gemacht werden?"))
    vb::showForm(std::make_unique<IO_Datensicherung>());
}

void datenbankkomprimieren() {
  if (!vb::question("Soll die Datenbasis wirklich komprimiert werden?" + zeilenumbruch + zeilenumbruch +
                    "Durch das komprimieren werden alle als gelöscht markierten Datensätze endgültig aus der "
                    "Datenbank entfernt. Eine Komprimierung ist nur erforderlich, wenn Sie einige (oder eher viele) "
                    "Daten gelöscht haben!"))
    return;
  vb::setMousePointer(vb::vbHourglass);
  const QString fehler = datenbankverdichten(datenbankpfad);
  vb::setMousePointer(vb::vbDefault);
  if (!fehler.isEmpty()) {
    // The database is untouched and still open: the program goes on.
    vb::msgbox("Bei der Komprimierung ist ein Fehler aufgetreten! Bitte beachten Sie, daß Sie nur Access-Dateien "
               "packen können und diese Dateien von keinem Nutzer geöffnet sein darf (auch nicht von Ihnen selbst)!" +
               zeilenumbruch + zeilenumbruch + fehler);
    return;
  }
  aktuellerarbeitsbereich().close();
  vb::msgbox("Die Komprimierung wurde erfolgreich abgeschlossen." + zeilenumbruch + zeilenumbruch +
             "ZEVO 1.0 wird nun beendet. Bitte starten Sie ZEVO neu, damit die Datenbasis geladen wird!");
  vb::endProcess(0);
}

}  // namespace zevo::shell
