#include "output/listenuebergabe.h"

#include "common/routinen.h"
#include "common/variablen.h"
#include "components/sevgrid.h"
#include "platform/runtime/forms.h"
#include "platform/runtime/mousepointer.h"
#include "platform/runtime/msgbox.h"

#include <QDir>

namespace zevo::output {

namespace {
bool istZahltyp(int typ) { return typ >= dao::dbInteger && typ <= dao::dbDouble; }
}  // namespace

QString zellentext(const QVariant& wert, int typ, const Übernahme& wie) {
  if (wie.zahltypen.contains(typ)) return common::zahlformatieren(wert, wie.nachkomma);
  return common::feldtext(wert);
}

int abfrageübernehmen(dao::Recordset& rs, ui::sevGrid& grid, const Übernahme& wie) {
  struct Spalte {
    int index;
    int typ;
  };
  std::vector<Spalte> spalten;
  for (int i = 0; i < rs.fieldCount(); ++i) {
    const dao::Field f = rs.fields(i);
    if (wie.ohneID && f.name().compare(QLatin1String("ID"), Qt::CaseInsensitive) == 0) continue;
    spalten.push_back({i, static_cast<int>(f.type())});
    if (wie.spaltenanlegen) {
      grid.addcolumn(f.name(), f.name());
      if (istZahltyp(f.type())) {
        grid.column(f.name()).setAlign(1);
        grid.column(grid.cols()).setNumeric(1);
      }
    }
  }
  if (!wie.zeilenübernehmen || (rs.eof() && rs.bof())) return 0;
  int zeilen = 0;
  QString zeile;
  for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
    zeile.clear();
    for (const Spalte& s : spalten) {
      zeile += zellentext(rs.fields(s.index).value(), s.typ, wie);
      zeile += QLatin1Char('\t');
    }
    grid.additem(zeile);
    ++zeilen;
    if (wie.jezeile) wie.jezeile();
  }
  return zeilen;
}

bool listeübergeben(ui::sevGrid& gridli) {
  gridli.lockupdate(false);
  const QString datei = common::datenpfad + "gridli.txt";
  if (!gridli.savetofile(datei)) {
    vb::setMousePointer(vb::vbDefault);
    vb::msgbox("Die Liste konnte nicht an das Listenfenster übergeben werden, weil die Datei " +
                   QDir::toNativeSeparators(datei) + " nicht geschrieben werden konnte.",
               vb::OKOnly, vb::Information);
    return false;
  }
  vb::showForm("IA_Zwischenliste");
  return true;
}

}  // namespace zevo::output
