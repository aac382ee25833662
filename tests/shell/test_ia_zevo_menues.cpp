// Menus, toolbar and popup menu of the main window: enabling by the grid,
// hand-over values, key dispatch, the colony delete and the selection items,
// and the buttons of the data panel.
#include "hauptfenster.h"

#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>

using namespace zevo;
using shell::IA_ZEVO;

namespace {

// Stands in for the windows of other parts; IW_Honiglager stays unregistered.
class Platzhalter : public vb::Form {
public:
  using vb::Form::Form;
};

const QStringList immer = {"XV_neuevölker", "XV_beenden", "XW_Standorte", "XW_Wetterdaten", "XW_Einverkauf",
                           "XV_standorte", "XV_pflanzen", "XV_Arbeitsplanoptionen", "XV_Termine",
                           "XV_Aktuelle_Termine", "XV_wetterdaten", "XV_einkauf", "XV_verkauf", "XV_honiglager",
                           "O_Einstellungen", "O_Datensicherung", "O_Datenbankkomprimieren",
                           "O_volkabhängigeterminesetzen", "hilfewieanfangen", "hilfestartmenue",
                           "hilfewiemacheich"};
const QStringList mitZeile = {"XV_volkändern", "XV_volklöschen", "XE_stockkarte", "XE_honigernte",
                              "XE_wachsernte", "XE_pollenernte", "XE_sonstigeernte", "XE_arbeiten", "XE_wanderung",
                              "XE_gewichtsmessung", "XE_behandlung", "XE_Königinenwechsel", "XE_Notizen"};
const QStringList mitZeilen = {"XV_völkerselektieren", "XV_selektiertevölkermarkieren",
                               "XV_markiertevölkerselektieren", "XW_Völker", "XW_Völkerbuchungenstandard",
                               "XW_Völkerbuchungen", "XW_Arbeitspläne", "XW_Deckungsbeiträge", "XW_Arbeitszeiten",
                               "XW_Statistiken", "XW_Gruppierungen"};
const QStringList knöpfeImmer = {"btn_neuesvolk", "btn_a_standorte", "btn_v_standorte", "btn_v_Arbeitsplanoptionen",
                                 "btn_v_termine", "btn_v_wetterdaten", "btn_v_honiglager", "btn_o_einstellungen",
                                 "btn_o_datensicherung"};
const QStringList knöpfeZeile = {"btn_volkändern", "btn_e_stockkarte", "btn_e_honigernte", "btn_e_wachsernte",
                                 "btn_e_arbeiten", "btn_e_wanderung", "btn_e_behandlung"};
const QStringList knöpfeZeilen = {"btn_a_völker", "btn_a_buchungen", "btn_a_arbeitspläne",
                                  "btn_a_deckungsbeiträge", "btn_a_statistiken", "btn_a_gruppierungen"};

const QStringList buchungstabellen = {"Stockkarte", "Honigernte", "Wachsernte", "Pollenernte",
                                      "Sonstigeernte", "Arbeiten", "Wanderung", "Gewichtsmessung",
                                      "Behandlung", "Königinwechsel", "Notizen", "Termine"};

QString übergabezustand;   // the hand-over values when the last window was shown

int anzahl(const QString& sql) {
  dao::Recordset rs = common::datenbank.openRecordset(sql);
  const int n = rs.fields(0).value().toInt();
  rs.close();
  return n;
}

QStringList selektierteIds() {
  QStringList ids;
  dao::Recordset rs = common::datenbank.openRecordset("select ID from Bienenvolk where Selektiert = 'X' order by ID");
  for (; !rs.eof(); rs.moveNext()) ids << rs.fields(0).text();
  return ids;
}

}  // namespace

class TestIaZevoMenues : public QObject {
  Q_OBJECT
  std::unique_ptr<IA_ZEVO> w;

  QStringList freigegeben() const {
    QStringList namen;
    for (const QString& n : w->menüpunktnamen())
      if (w->menüpunkt(n)->isEnabled()) namen << n;
    return namen;
  }
  QStringList freieKnöpfe(const QStringList& alle) const {
    QStringList keys;
    for (const QString& k : alle)
      if (w->mleiste->buttonEnabled(k)) keys << k;
    return keys;
  }
  void völker(int n) {
    for (int i = 1; i <= n; ++i) test::volkanlegen(QString::number(i), "X");
    w->datenvölkerlesen();
  }

private slots:
  void initTestCase() {
    test::neuerProgrammordner();
    auto fenster = std::make_unique<IA_ZEVO>();
    QStringList namen = {"IA_Textausgabe"};
    for (const QString& n : fenster->menüpunktnamen())
      if (!fenster->menüfenster(n).isEmpty()) namen << fenster->menüfenster(n);
    namen.removeDuplicates();
    namen.removeAll("IW_Honiglager");
    for (const QString& n : namen) vb::registerForm(n, [n] { return std::make_unique<Platzhalter>(n); });
  }

  void init() {
    test::hauptfenstergrundzustand();
    for (const char* n : {"IV_Neues_Volk", "IE_Eingabe", "IV_Pflanzen_Standorte", "IV_EinVerkauf_Lager",
                             "IH_Hilfe", "IV_Arplanoptionen", "IA_Textausgabe", "IW_Völkerdaten"})
      test::forms().on(n, [](vb::Form* f) {
        übergabezustand = QString("%1|%2|%3|%4")
                              .arg(common::eingabeart)
                              .arg(common::volkmodus, common::übergabe, common::hilfethema);
        f->unload();
      });
    w = test::gestartet();
    common::datenbank.execute("delete from Bienenvolk");
    for (const QString& t : buchungstabellen) common::datenbank.execute("delete from " + t);
    w->datenvölkerlesen();
  }
  void cleanup() { w.reset(); }

  void enablingFollowsTheGrid() {
    QCOMPARE(freigegeben(), immer);   // an empty register
    QCOMPARE(freieKnöpfe(knöpfeImmer + knöpfeZeile + knöpfeZeilen), knöpfeImmer);
    QVERIFY(w->popzeile[0]->isEnabled());
    for (int i = 1; i < 15; ++i) QVERIFY(!w->popzeile[i]->isEnabled());
    QVERIFY(!w->menüpunkt("XW_Honiglager")->isEnabled());   // its window is not there

    völker(3);
    w->datali->setRow(0);   // rows, but no current colony
    QCOMPARE(freigegeben().size(), immer.size() + mitZeilen.size());
    for (const QString& n : mitZeilen) QVERIFY(w->menüpunkt(n)->isEnabled());
    QCOMPARE(freieKnöpfe(knöpfeZeile + knöpfeZeilen), knöpfeZeilen);
    QVERIFY(!w->popzeile[2]->isEnabled());

    w->datali->setRow(2);   // every row change applies the rules
    QCOMPARE(freigegeben().size(), immer.size() + mitZeilen.size() + mitZeile.size());
    QCOMPARE(freieKnöpfe(knöpfeImmer + knöpfeZeile + knöpfeZeilen), knöpfeImmer + knöpfeZeile + knöpfeZeilen);
    for (int i = 0; i < 15; ++i) QVERIFY(w->popzeile[i]->isEnabled());
  }

  void itemsHandOverAndShowTheirWindow_data() {
    QTest::addColumn<QString>("punkt");
    QTest::addColumn<QString>("fenster");
    QTest::addColumn<QString>("zustand");   // eingabeart|volkmodus|übergabe|hilfethema
    QTest::newRow("neu") << "XV_neuevölker" << "IV_Neues_Volk" << "0|Neu||";
    QTest::newRow("ändern") << "XV_volkändern" << "IV_Neues_Volk" << "0|Ändern||";
    QTest::newRow("stockkarte") << "XE_stockkarte" << "IE_Eingabe" << "0|||";
    QTest::newRow("honig") << "XE_honigernte" << "IE_Eingabe" << "1|||";
    QTest::newRow("gewicht") << "XE_gewichtsmessung" << "IE_Eingabe" << "7|||";
    QTest::newRow("notizen") << "XE_Notizen" << "IE_Eingabe" << "10|||";
    QTest::newRow("standorte") << "XV_standorte" << "IV_Pflanzen_Standorte" << "0||0|";
    QTest::newRow("pflanzen") << "XV_pflanzen" << "IV_Pflanzen_Standorte" << "0||2|";
    QTest::newRow("verkauf") << "XV_verkauf" << "IV_EinVerkauf_Lager" << "0||1|";
    QTest::newRow("lager") << "XV_honiglager" << "IV_EinVerkauf_Lager" << "0||2|";
    QTest::newRow("startmenue") << "hilfestartmenue" << "IH_Hilfe" << "0|||Hilfe_Startmenue";
    QTest::newRow("wiemacheich") << "hilfewiemacheich" << "IH_Hilfe" << "0|||Hilfe_Wiemacheich";
  }
  void itemsHandOverAndShowTheirWindow() {
    QFETCH(QString, punkt);
    völker(1);
    common::eingabeart = 0;
    common::volkmodus.clear();
    common::übergabe.clear();
    common::hilfethema.clear();
    w->menüpunkt(punkt)->trigger();
    QTEST(test::forms().shown().value(0), "fenster");
    QTEST(übergabezustand, "zustand");
  }

  void everyWindowItemOpensItsWindow() {
    völker(2);
    test::forms().reset();
    QStringList erwartet;
    for (const QString& n : w->menüpunktnamen()) {
      const QString f = w->menüfenster(n);
      if (f.isEmpty() || n == "XV_völkerselektieren" || !vb::isRegistered(f)) continue;
      test::forms().on(f, [](vb::Form* form) { form->unload(); });
      w->menüpunkt(n)->trigger();
      erwartet << f;
    }
    QCOMPARE(test::forms().shown(), erwartet);
    QCOMPARE(erwartet.size(), 38);
  }

  void toolbarKeysAreExact() {
    völker(1);
    w->mleiste_ButtonClick("btn_v_arbeitsplanoptionen");
    QVERIFY(test::forms().shown().isEmpty());
    w->mleiste_ButtonClick("btn_v_Arbeitsplanoptionen");
    w->mleiste->click("btn_e_honigernte");
    w->mleiste->click("btn_a_völker");
    QCOMPARE(test::forms().shown(), (QStringList{"IV_Arplanoptionen", "IE_Eingabe", "IW_Völkerdaten"}));
    QCOMPARE(common::eingabeart, 1);
  }

  void popupMenu() {
    test::messages().expect("Bitte markieren Sie zuerst das Volk, das Sie ändern oder löschen möchten");
    w->popzeile_Click(2);   // no current row
    QVERIFY(test::messages().allUsed());
    w->popzeile_Click(0);
    völker(2);
    w->popzeile_Click(5);
    QCOMPARE(test::forms().shown(), (QStringList{"IV_Neues_Volk", "IE_Eingabe"}));
    QCOMPARE(common::eingabeart, 1);
    w->datali_rowclick(1, 1, 2, 0);   // right button
    QVERIFY(w->popupliste->isVisible());
    w->popupliste->hide();
  }

  void deleteAsksAndKeepsCaptions() {
    völker(2);
    const QString id = w->datali->cell(1, "ID");
    test::messages().expectNo("Soll das markierte Volk wirklich gelöscht werden?");
    w->XV_volklöschen_Click();
    QCOMPARE(test::messages().shown().first().defaultButton, vb::SecondButton);
    QCOMPARE(test::messages().shown().first().icon, vb::Question);
    QCOMPARE(w->datali->rows(), 2);
    QVERIFY(test::dienstaufrufe().filter("volkbuchungen").isEmpty());

    test::messages().expectYes("unwiederbringlich");
    w->XV_volklöschen_Click();
    QCOMPARE(test::dienstaufrufe().filter("volkbuchungen"), QStringList{"volkbuchungenlöschen " + id});
    QCOMPARE(anzahl("select count(*) from Bienenvolk where ID = " + id), 0);
    QCOMPARE(w->datali->rows(), 1);
    QCOMPARE(w->optiverkauft[0]->text(), QStringLiteral("Bestand (2 Völker)"));   // no reload
  }

  // With the real deletion of the bookings: only the colony's own rows go.
  void deleteRemovesOnlyThatColony() {
    IA_ZEVO::dienste().volkbuchungenlöschen = shell::Hauptfensterdienste().volkbuchungenlöschen;
    völker(2);
    const QString a = w->datali->cell(1, "ID"), b = w->datali->cell(2, "ID");
    for (const QString& t : buchungstabellen)
      for (const QString& volk : {a, b, QString("0")})
        common::datenbank.execute("insert into " + t + " (Datum, Volk) values (#06/01/2007#, " + volk + ")");
    test::messages().expectYes();
    w->XV_volklöschen_Click();
    for (const QString& t : buchungstabellen) {
      QCOMPARE(anzahl("select count(*) from " + t + " where Volk = " + a), 0);
      QCOMPARE(anzahl("select count(*) from " + t + " where Volk <> " + a), 2);
    }
    QCOMPARE(anzahl("select count(*) from Bienenvolk"), 1);
  }

  void aFailedDeleteChangesNothing() {
    völker(2);
    const QString a = w->datali->cell(1, "ID");
    common::datenbank.execute("insert into Stockkarte (Datum, Volk) values (#06/01/2007#, " + a + ")");
    IA_ZEVO::dienste().volkbuchungenlöschen = [](int id) {
      common::datenbank.execute("delete from Stockkarte where Volk = " + QString::number(id));
      throw dao::Error(dao::errLocked, "Die Tabelle ist gesperrt.");
    };
    test::messages().expectYes();
    test::messages().expect("Das Volk konnte nicht gelöscht werden.");
    w->XV_volklöschen_Click();
    QVERIFY(test::messages().allUsed());
    QCOMPARE(anzahl("select count(*) from Stockkarte"), 1);
    QCOMPARE(anzahl("select count(*) from Bienenvolk"), 2);
    QCOMPARE(w->datali->rows(), 2);
  }

  void selectColoniesOffersMarking() {
    völker(5);
    test::forms().on("IV_Selektieren", [](vb::Form* f) {
      common::datenbank.execute("update Bienenvolk set Selektiert = 'X' where Volknr in ('2', '3', '5')");
      IA_ZEVO::instance()->datenvölkerlesen();
      f->unload();
    });
    test::messages().expectYes("Es sind 3 Völker selektiert. Sollen diese auch gleich markiert werden?");
    test::messages().expect("STRG-Taste");
    w->XV_völkerselektieren_Click();
    QVERIFY(test::messages().allUsed());
    QCOMPARE(w->datali->selcount(), 3);
    QCOMPARE(w->datali->row(), 2);
  }

  void markSelectedColonies() {
    völker(6);
    common::datenbank.execute("update Bienenvolk set Selektiert = 'X' where Volknr in ('2', '5')");
    w->datenvölkerlesen();
    w->datali->setSelected(1, true);
    test::messages().expect("Sie können die Völker auch mit gedrückter STRG-Taste und der Maus markieren.");
    w->XV_selektiertevölkermarkieren_Click();
    QCOMPARE(w->datali->selcount(), 2);
    QCOMPARE(w->datali->selrow(0), 2);
    QCOMPARE(w->datali->selrow(1), 5);
    QCOMPARE(w->datali->row(), 2);

    common::datenbank.execute("update Bienenvolk set Selektiert = ''");
    w->datenvölkerlesen();
    w->datali->setRow(3);
    w->datali->setSelected(3, true);
    test::messages().expect("STRG-Taste");   // also when nothing is selected
    w->XV_selektiertevölkermarkieren_Click();
    QCOMPARE(w->datali->selcount(), 0);
    QCOMPARE(w->datali->row(), 3);
    QVERIFY(test::messages().allUsed());
  }

  void selectMarkedColonies() {
    völker(10);
    test::volkanlegen("99", "", "X");   // gone, not listed, selected before
    w->datenvölkerlesen();
    QStringList markiert;
    for (int r = 1; r <= w->datali->rows(); ++r) {
      const QString nr = w->datali->cell(r, "Volknr");
      w->datali->setSelected(r, nr == "4" || nr == "9");
      if (nr == "4" || nr == "9") markiert << w->datali->cell(r, "ID");
    }
    w->XV_markiertevölkerselektieren_Click();
    QCOMPARE(selektierteIds(), markiert);
    QCOMPARE(w->datali->row(), 1);
    QStringList gezeigt;
    for (int r = 1; r <= w->datali->rows(); ++r)
      if (w->datali->cell(r, "Selektiert") == "X") gezeigt << w->datali->cell(r, "Volknr");
    QCOMPARE(gezeigt, (QStringList{"4", "9"}));
    for (int r = 1; r <= w->datali->rows(); ++r) w->datali->setSelected(r, false);
    w->XV_markiertevölkerselektieren_Click();   // nothing marked
    QVERIFY(selektierteIds().isEmpty());
  }

  void optionsItemsCallTheirServices() {
    w->menüpunkt("O_volkabhängigeterminesetzen")->trigger();
    QCOMPARE(vb::mousePointer(), int(vb::vbDefault));
    w->menüpunkt("O_Datenbankkomprimieren")->trigger();
    QCOMPARE(test::dienstaufrufe().mid(2), (QStringList{"volkterminesetzen", "datenbankkomprimieren"}));
  }

  void dataPanel() {
    völker(3);
    test::dienstaufrufe().clear();
    w->datali->setRow(3);
    w->abwaerts_Click(0);   // "Nächstes Tier" wraps to the first row
    QCOMPARE(w->datali->row(), 1);
    w->abwaerts_Click(1);   // "Vorheriges Tier" wraps to the last row
    QCOMPARE(w->datali->row(), 3);
    w->cmdok_Click();
    w->kon_Click();
    w->datali_dblclick();
    QCOMPARE(test::dienstaufrufe(), QStringList(5, "volkdatenlisten"));

    w->datali->setRow(1);
    w->comdrucken_Click();
    QCOMPARE(common::listendatei, common::datenpfad + "LISTE.TXT");
    QCOMPARE(common::übergabe, QStringLiteral("VOLKDATEN\r\nVolknummer:        1"));
    QFile liste(common::listendatei);
    QVERIFY(liste.open(QIODevice::ReadOnly));
    QCOMPARE(liste.readAll(), QByteArray("VOLKDATEN\r\nVolknummer:        1\r\n"));
    QCOMPARE(test::forms().shown(), QStringList{"IA_Textausgabe"});

    w->datali->setRow(0);
    test::messages().expect("Sie müssen zuerst ein Volk auswählen, bevor Sie die Daten listen/drucken können.");
    w->comdrucken_Click();
    QCOMPARE(test::forms().shown().size(), 1);
  }
};

ZEVO_TEST_MAIN(TestIaZevoMenues)
#include "test_ia_zevo_menues.moc"
