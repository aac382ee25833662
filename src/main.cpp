// ZEVO: the program starts with its main window, whose loading runs the
// whole start-up.
#include "colonies/registry.h"
#include "evaluations/registry.h"
#include "output/registry.h"
#include "planning/registry.h"
#include "platform/runtime/application.h"
#include "shell/ia_zevo.h"
#include "shell/registry.h"
#include "sites/registry.h"
#include "trade/registry.h"

#include <QApplication>

int main(int argc, char** argv) {
  zevo::vb::Application app(argc, argv);
  zevo::vb::setupApplication(app);

  zevo::shell::registerShellForms();
  zevo::output::registerOutputForms();
  zevo::colonies::registerColonyForms();
  zevo::planning::registerPlanningForms();
  zevo::evaluations::registerEvaluationForms();
  zevo::sites::registerSiteForms();
  zevo::trade::registerTradeForms();

  zevo::shell::IA_ZEVO hauptfenster;
  hauptfenster.starten();
  return app.exec();
}
