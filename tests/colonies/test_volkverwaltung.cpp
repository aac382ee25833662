// The colony windows reached from the main window's menus: entering,
// changing, deleting and selecting colonies, with the main grid following.
#include "colonies/iv_neues_volk.h"
#include "colonies/iv_selektieren.h"
#include "colonies/registry.h"
#include "shell/hauptfenster.h"
#include "shell/volktermine.h"

#include <QCheckBox>
#include <QRadioButton>

using namespace zevo;
using colonies::IV_Neues_Volk;
using colonies::IV_Selektieren;
using shell::IA_ZEVO;

namespace {

int anzahl(const QString& sql) {
  dao::Recordset rs = common::datenbank.openRecordset(sql);
  const int n = rs.fields(0).value().toInt();
  rs.close();
  return n;
}

}  // namespace

class TestVolkverwaltung : public QObject {
  Q_OBJECT
  std::unique_ptr<IA_ZEVO> w;

private slots:
  void initTestCase() {
    test::neuerProgrammordner();
    colonies::registerColonyForms();
  }

  void init() {
    test::hauptfenstergrundzustand();
    IA_ZEVO::dienste().volkbuchungenlöschen = shell::volkbuchungenlöschen;
    w = test::gestartet();
    for (const QString& t : common::datenbank.tableNames())
      if (t != "Arbeitsplanoptionen") common::datenbank.execute("delete from " + t);
    w->datenvölkerlesen();
    common::volknrhochzählen() = 1;
  }
  void cleanup() { w.reset(); }

  void enterChangeAndDeleteColonies() {
    test::forms().onWindow<IV_Neues_Volk>("IV_Neues_Volk", [this](IV_Neues_Volk& v) {
      QVERIFY(v.neu());
      v.sevt(0).setText("5");
      v.oknächster_Click(0);
      QCOMPARE(w->datali->rows(), 1);   // "OK Nächster" reloads the main grid at once
      QCOMPARE(v.sevt(0).text(), QString("6"));
      v.ok_Click();
    });
    w->menüpunkt_Click("XV_neuevölker");
    QCOMPARE(w->datali->rows(), 2);   // reloaded on the return
    QCOMPARE(anzahl("select count(*) from Termine where Termin = 'Schwarmkontrolle'"), 4);   // 15.06 and 24.06 each

    w->datali->setRow(2);
    const int id = w->datali->cell(2, "ID").toInt();
    test::forms().onWindow<IV_Neues_Volk>("IV_Neues_Volk", [id](IV_Neues_Volk& v) {
      QCOMPARE(v.volkId(), id);
      v.kon->setChecked(false);
      v.ok_Click();
    });
    w->menüpunkt_Click("XV_volkändern");
    QCOMPARE(anzahl("select count(*) from Termine where Volk = " + QString::number(id)), 0);

    common::datenbank.execute("insert into Honigernte (Datum, Volk) values (#06/01/2007#, " + QString::number(id) +
                              ")");
    QCOMPARE(w->datali->findrow("ID = " + QString::number(id)), 0);   // gone from the stock list
    w->optiverkauft[2]->setChecked(true);
    w->optiverkauft_Click(2);
    QVERIFY(w->datali->findrow("ID = " + QString::number(id)) > 0);
    test::messages().expectYes("Soll das markierte Volk wirklich gelöscht werden?");
    w->XV_volklöschen_Click();
    QVERIFY(test::messages().allUsed());
    QCOMPARE(anzahl("select count(*) from Honigernte"), 0);
    QCOMPARE(anzahl("select count(*) from Bienenvolk where ID = " + QString::number(id)), 0);
    QVERIFY(anzahl("select count(*) from Termine") > 0);   // the other colony keeps its dates
  }

  void selectColonies() {
    for (const char* s : {"Wald", "Feld", "Wald"})
      common::datenbank.execute(QString("insert into Bienenvolk (Volknr, Standort, Akt_im_Bestand, Selektiert) "
                                        "values ('%1', '%1', 'X', '')")
                                    .arg(s));
    w->datenvölkerlesen();
    test::forms().onWindow<IV_Selektieren>("IV_Selektieren", [this](IV_Selektieren& s) {
      s.sevt(0).setText("Wald");
      s.entselekt_Click(2);
      int markiert = 0;
      for (int r = 1; r <= w->datali->rows(); ++r) markiert += w->datali->cell(r, "Selektiert") == "X";
      QCOMPARE(markiert, 2);   // the main grid shows the marks at once
      s.abbv_Click();
    });
    test::messages().expectNo("Es sind 2 Völker selektiert. Sollen diese auch gleich markiert werden?");
    w->menüpunkt_Click("XV_völkerselektieren");
    QVERIFY(test::messages().allUsed());
  }
};

ZEVO_TEST_MAIN(TestVolkverwaltung)
#include "test_volkverwaltung.moc"
