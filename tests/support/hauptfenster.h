#pragma once
// The state the main-window tests start from: a fresh program folder of the
// test's own, today 15.06.2007, all settings empty, PDF output as printer,
// and the services of other parts replaced by recorders.
#include "support/testmain.h"

#include "common/einstellungen.h"
#include "components/sevgrid.h"
#include "platform/runtime/runtime.h"
#include "shell/ia_zevo.h"

#include <QAction>
#include <QDir>
#include <QRadioButton>
#include <QTemporaryDir>

namespace zevo::test {

// Which services the main window called, in order ("volkbuchungenlöschen 7").
inline QStringList& dienstaufrufe() {
  static QStringList aufrufe;
  return aufrufe;
}

inline void dienstezeichnen() {
  dienstaufrufe().clear();
  auto& d = shell::IA_ZEVO::dienste();
  d = shell::Hauptfensterdienste();
  auto zeichne = [](const char* name) { return [name] { dienstaufrufe() << QString::fromUtf8(name); }; };
  d.jahreslaufanbieten = zeichne("jahreslaufanbieten");
  d.ersteaktivierungsdienste = [] {
    dienstaufrufe() << "ersteaktivierungsdienste";
    common::ersteaktivierung = 1;
  };
  d.sicherungserinnerung = zeichne("sicherungserinnerung");
  d.volkbuchungenlöschen = [](int id) { dienstaufrufe() << "volkbuchungenlöschen " + QString::number(id); };
  d.volkdatenlisten = zeichne("volkdatenlisten");
}

// A new, empty program folder (also the current directory) for one test.
inline QString neuerProgrammordner() {
  static std::vector<std::unique_ptr<QTemporaryDir>> ordner;
  ordner.push_back(std::make_unique<QTemporaryDir>());
  const QString pfad = vb::withTrailingSlash(ordner.back()->path());
  vb::setProgramFolder(pfad);
  QDir::setCurrent(pfad);
  return pfad;
}

inline void hauptfenstergrundzustand() {
  resetScripts();
  setToday(QDate(2007, 6, 15));
  common::einstellungenleeren();
  common::völkerneulesen = 0;
  common::ersteaktivierung = 0;
  vb::printer().setPdfOutput(QDir::temp().filePath("zevo-hauptfenster-test.pdf"));
  dienstezeichnen();
}

// A main window after its start-up and first activation.
inline std::unique_ptr<shell::IA_ZEVO> gestartet() {
  auto w = std::make_unique<shell::IA_ZEVO>();
  w->Form_Load();
  w->Form_Activate();
  return w;
}

inline void volkanlegen(const QString& volknr, const QString& bestand, const QString& selektiert = {}) {
  common::datenbank.execute("insert into Bienenvolk (Volknr, Volkname, Akt_im_Bestand, Selektiert) values ('" +
                            volknr + "', 'Volk " + volknr + "', '" + bestand + "', '" + selektiert + "')");
}

}  // namespace zevo::test
