// The colony window reached from the main window's menus: entering and
// changing colonies, with the main grid following.
#include "colonies/iv_neues_volk.h"
#include "colonies/registry.h"
#include "support/hauptfenster.h"
#include "support/datenbank.h"

#include <QCheckBox>

using namespace zevo;
using namespace zevo::test;
using colonies::IV_Neues_Volk;
using shell::IA_ZEVO;

class TestVolkverwaltung : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() {
    neuerProgrammordner();
    colonies::registerColonyForms();
  }

  void enterAndChange() {
    hauptfenstergrundzustand();
    auto w = gestartet();
    for (const QString& t : db().tableNames())
      if (t != "Arbeitsplanoptionen") db().execute("delete from " + t);
    w->datenvölkerlesen();
    forms().onWindow<IV_Neues_Volk>("IV_Neues_Volk", [&w](IV_Neues_Volk& v) {
      v.sevt(0).setText("5");
      v.oknächster_Click(0);
      QCOMPARE(w->datali->rows(), 1);   // "OK Nächster" reloads the main grid at once
      v.sevt(0).setText("6");
      v.ok_Click();
    });
    w->menüpunkt_Click("XV_neuevölker");
    QCOMPARE(w->datali->rows(), 2);   // reloaded on the return

    w->datali->setRow(2);
    const QString id = w->datali->cell(2, "ID");
    forms().onWindow<IV_Neues_Volk>("IV_Neues_Volk", [id](IV_Neues_Volk& v) {
      QCOMPARE(QString::number(v.volkId()), id);
      v.kon->setChecked(false);
      v.ok_Click();
    });
    w->menüpunkt_Click("XV_volkändern");
    QCOMPARE(w->datali->findrow("ID = " + id), 0);   // gone from the stock list
    QCOMPARE(anzahl("select count(*) from Termine where Volk = " + id), 0);
  }
};

ZEVO_TEST_MAIN(TestVolkverwaltung)
#include "test_volkverwaltung.moc"
