// The colony window: number proposal, checks, storing, the site check, the
// dates on a change of stock, previous/next and the defaults file.
#include "colonies/iv_neues_volk.h"
#include "colonies/registry.h"
#include "common/routinen.h"
#include "components/sevgrid.h"
#include "platform/runtime/textfile.h"
#include "platform/runtime/vb.h"
#include "shell/ia_zevo.h"
#include "shell/testdatenbank.h"

#include <QCheckBox>
#include <QFile>
#include <QPushButton>

using namespace zevo;
using namespace zevo::test;
using colonies::IV_Neues_Volk;

namespace {

QVariant wert(int id, const QString& spalte) {
  dao::Recordset rs = db().openRecordset("select " + spalte + " from Bienenvolk where ID = " + QString::number(id));
  const QVariant v = rs.eof() ? QVariant() : rs.fields(0).value();
  rs.close();
  return v;
}

int volkid(const QString& volknr) {
  return anzahl("select ID from Bienenvolk where Volknr = '" + volknr + "'");
}

const QString schwarm = QStringLiteral("Schwarmkontrolle");
const QStringList schwarmtermine{"10.05", "19.05", "28.05", "06.06", "15.06", "24.06"};

}  // namespace

class TestNeuesVolk : public QObject {
  Q_OBJECT
  std::unique_ptr<ui::sevGrid> grid_;

  // The main window's colony list, bound as it binds it.
  void listeladen(int zeile = 1) {
    dao::Recordset rs = db().openRecordset(shell::standardvölkerlistesql());
    grid_->setRecordset(rs);
    rs.close();
    grid_->setRow(grid_->rows() >= zeile ? zeile : 0);
  }

  void aufvolk(int id) {
    listeladen();
    QVERIFY(grid_->findrow("ID = " + QString::number(id)) > 0);
  }

  std::unique_ptr<IV_Neues_Volk> öffnen(const QString& modus) {
    common::volkmodus = modus;
    auto w = std::make_unique<IV_Neues_Volk>();
    w->Form_Load();
    return w;
  }

private slots:
  void initTestCase() {
    datenbankbereitstellen();
    colonies::registerColonyForms();
  }

  void init() {
    datenbankgrundzustand(datum("10.05.2007"));
    common::volknrhochzählen() = 1;
    common::eingabepiepton() = 1;
    if (vb::fileExists(IV_Neues_Volk::standarddatei())) vb::kill(IV_Neues_Volk::standarddatei());
    grid_ = std::make_unique<ui::sevGrid>();
    common::datali = grid_.get();
    listeladen();
  }

  void cleanup() {
    common::datali = nullptr;
    grid_.reset();
  }

  void newMaskProposesTheNextNumber() {
    auto w = öffnen("Neu");
    QVERIFY(!w->isUnloaded());
    QVERIFY(w->oknächster[1]->isHidden());
    QVERIFY(w->kon->isChecked());
    QCOMPARE(w->sevt(0).text(), QString("1"));
    const QList<QPair<QString, QString>> folge{{"12", "13"}, {"A12", ""}, {"007", "8"}, {"99", "100"}};
    for (const auto& [gespeichert, vorschlag] : folge) {
      w->sevt(0).setText(gespeichert);
      w->oknächster_Click(0);
      QCOMPARE(w->sevt(0).text(), vorschlag);
      QVERIFY(volkid(gespeichert) > 0);
    }
    QCOMPARE(beeps(), 4);
    QCOMPARE(common::völkerneulesen, 1);
    QCOMPARE(messages().count(), 0);

    common::volknrhochzählen() = 0;
    auto ohne = öffnen("Neu");
    QCOMPARE(ohne->sevt(0).text(), QString());
    ohne->sevt(0).setText("5");
    ohne->oknächster_Click(0);
    QCOMPARE(ohne->sevt(0).text(), QString());
  }

  void newColonyStoresEveryField() {
    auto w = öffnen("Neu");
    const QStringList texte{" O'Hara ", "Lotte", "Carnica", "Am Wald", "Q-7", "blau", "01.04.2007", "Zander",
                            "12",       "-3",    "1.4.07",  "Imker Huber", "123,5", "", "", "", "80"};
    for (int i = 0; i < texte.size(); ++i) w->sevt(i).setText(texte[i]);
    w->ok_Click();
    QVERIFY(w->isUnloaded());
    QCOMPARE(beeps(), 1);
    const int id = volkid("O`Hara");
    QVERIFY(id > 0);
    QCOMPARE(w->volkId(), id);
    QCOMPARE(wert(id, "Volkname").toString(), QString("Lotte"));
    QCOMPARE(wert(id, "Standort").toString(), QString("Am Wald"));
    QCOMPARE(wert(id, "Königin_Zugangsdatum").toDate(), datum("01.04.2007"));
    QCOMPARE(wert(id, "Mittelwände").toInt(), 12);
    QCOMPARE(wert(id, "Wabenanzahl").toInt(), -3);
    QCOMPARE(wert(id, "Volk_Zugangsdatum").toDate(), datum("01.04.2007"));
    QCOMPARE(wert(id, "Volk_Herkunft").toString(), QString("Imker Huber"));
    QCOMPARE(wert(id, "Volk_Einkaufspreis").toDouble(), 123.5);
    QCOMPARE(wert(id, "Volk_Verkaufspreis").toDouble(), 80.0);
    QVERIFY(wert(id, "Abgangsdatum").isNull());
    QCOMPARE(wert(id, "Akt_im_Bestand").toString(), QString("X"));
    QCOMPARE(wert(id, "Selektiert").toString(), QString());
    QCOMPARE(wert(id, "Volkstärke").toInt(), 0);
    QVERIFY(wert(id, "L_Honigernte").isNull());
    QCOMPARE(anzahl("select count(*) from Wanderung"), 0);   // a new colony has no migration

    // The same number typed again is found, whatever blanks and quotes it has.
    auto zweite = öffnen("Neu");
    zweite->sevt(0).setText("O'Hara");
    messages().expect("...die Volknummer bereits existiert.");
    zweite->ok_Click();
    QVERIFY(messages().allUsed());
    QVERIFY(!zweite->isUnloaded());
    QCOMPARE(zweite->eingabefehler(), 1);
    QCOMPARE(anzahl("select count(*) from Bienenvolk"), 1);
  }

  void inputChecks_data() {
    QTest::addColumn<QString>("modus");
    QTest::addColumn<QString>("nummer");
    QTest::addColumn<QString>("abgang");
    QTest::addColumn<bool>("bestand");
    QTest::addColumn<QString>("meldung");   // "" = accepted
    const QString nl = common::zeilenumbruch;
    QTest::newRow("no number") << "Neu" << "  " << "" << true
                               << "Die Eingabe kann nicht übernommen werden, weil..." + nl + nl +
                                      "...die Volknummer angegeben werden muß." + nl;
    QTest::newRow("number of another colony") << "Neu" << "12" << "" << true
                                              << "...die Volknummer bereits existiert." + nl;
    QTest::newRow("own number when changing") << "Ändern" << "12" << "" << true << "";
    QTest::newRow("other number when changing") << "Ändern" << "7" << "" << true
                                                << "...die Volknummer bereits existiert." + nl;
    QTest::newRow("departure while in stock")
        << "Neu" << "13" << "01.05.2007" << true
        << "Die Eingabe kann nicht übernommen werden, weil..." + nl + nl +
               "...das Volk als im Bestand markiert ist und gleichzeitig ein Abgangsdatum eingetragen wurde. Bitte "
               "entfernen Sie entweder das Abgangsdatum oder deaktivieren Sie das Feld 'Volk aktuell im Bestand'";
    QTest::newRow("departure, not in stock") << "Neu" << "13" << "01.05.2007" << false << "";
    QTest::newRow("departure no date") << "Neu" << "13" << "32.13.2020" << true << "";
  }

  void inputChecks() {
    QFETCH(QString, modus);
    QFETCH(QString, nummer);
    QFETCH(QString, abgang);
    QFETCH(bool, bestand);
    QFETCH(QString, meldung);
    volk("7");
    const int zwölf = volk("12");
    aufvolk(zwölf);
    auto w = öffnen(modus);
    w->sevt(0).setText(nummer);
    w->sevt(13).setText(abgang);
    w->kon->setChecked(bestand);
    if (!meldung.isEmpty()) messages().expect(meldung);
    w->ok_Click();
    QVERIFY(messages().allUsed());
    if (meldung.isEmpty()) {
      QVERIFY(w->isUnloaded());
      QCOMPARE(messages().count(), 0);
      const QVariant gespeichert = wert(volkid(nummer), "Abgangsdatum");
      if (vb::isDate(abgang)) QCOMPARE(gespeichert.toDate(), datum(qPrintable(abgang)));
      else QVERIFY(gespeichert.isNull());
    } else {
      QVERIFY(messages().last().endsWith(meldung));
      QVERIFY(!w->isUnloaded());
      QCOMPARE(w->eingabefehler(), 1);
      QCOMPARE(anzahl("select count(*) from Bienenvolk"), 2);
      QCOMPARE(spalte("select Volknr from Bienenvolk order by Volknr"), (QStringList{"12", "7"}));
    }
  }

  void invalidDatesAreEmptied() {
    auto w = öffnen("Neu");
    w->sevt(6).setText("31.02.2007");
    w->sevt(10).setText("99");
    w->sevt(13).setText("1.1.");
    w->kon->setChecked(false);
    w->ok_Click();
    QVERIFY(w->isUnloaded());
    QCOMPARE(w->sevt(6).text(), QString());
    QCOMPARE(w->sevt(10).text(), QString());
    const int id = volkid("1");
    QVERIFY(wert(id, "Königin_Zugangsdatum").isNull());
    QVERIFY(wert(id, "Volk_Zugangsdatum").isNull());
    QCOMPARE(wert(id, "Abgangsdatum").toDate(), datum("01.01.2007"));
  }

  void changeModeShowsAndStoresThroughFeldtext() {
    const int id = volk("1", true,
                        {{"Volkname", "Lott'chen"}, {"Volkstärke", 7}, {"Belagert", 3}, {"Futtervorrat_Teig", 2.5},
                         {"L_Honigernte", datum("02.05.2007")}, {"Honigmenge_Gesamt", 31.25}, {"Selektiert", "X"}});
    volk("2");
    aufvolk(id);
    auto w = öffnen("Ändern");
    QVERIFY(!w->oknächster[1]->isHidden());
    QCOMPARE(w->sevt(1).text(), QString("Lott`chen"));
    QCOMPARE(w->sevtx(0).text(), QString("7"));
    QCOMPARE(w->sevtx(10).text(), QString("2,5"));
    QCOMPARE(w->sevtx(12).text(), QString("02.05.2007"));
    QCOMPARE(w->sevtx(14).text(), QString("31,25"));
    QVERIFY(w->kon->isChecked());
    w->sevt(2).setText("Buckfast");
    w->ok_Click();
    QCOMPARE(messages().count(), 0);   // race is none of the values the entry window books
    QCOMPARE(wert(id, "Volkname").toString(), QString("Lott`chen"));
    QCOMPARE(wert(id, "Bienenrasse").toString(), QString("Buckfast"));
    QCOMPARE(wert(id, "Volkstärke").toInt(), 7);
    QCOMPARE(wert(id, "Belagert").toInt(), 3);
    QCOMPARE(wert(id, "Futtervorrat_Teig").toDouble(), 2.5);
    QCOMPARE(wert(id, "L_Honigernte").toDate(), datum("02.05.2007"));
    QCOMPARE(wert(id, "Honigmenge_Gesamt").toDouble(), 31.25);
    QCOMPARE(wert(id, "Selektiert").toString(), QString("X"));

    // The queen colour is also booked by the entry window: a notice, and stored.
    aufvolk(id);
    auto farbe = öffnen("Ändern");
    farbe->sevt(5).setText("grün");
    messages().expect("Sie haben Werte geändert, die auch über den Hauptmenuepunkt 'Eingabe'");
    farbe->ok_Click();
    QVERIFY(messages().allUsed());
    QCOMPARE(wert(id, "Königin_Farbe").toString(), QString("grün"));
  }

  void changeModeWithoutCurrentColonyRefuses() {
    volk("1");
    listeladen();
    grid_->setRow(0);
    common::volkmodus = "Ändern";
    messages().expect("Bitte markieren Sie zuerst das Volk");
    forms().on("IV_Neues_Volk", [](vb::Form*) { QFAIL("the window must not be shown"); });
    vb::showForm("IV_Neues_Volk");
    QVERIFY(messages().allUsed());

    common::datali = nullptr;
    messages().expect("Bitte markieren Sie zuerst das Volk");
    vb::showForm("IV_Neues_Volk");
    QVERIFY(messages().allUsed());
    QCOMPARE(forms().shown(), QStringList());

    // The colony of the current row has gone meanwhile.
    common::datali = grid_.get();
    grid_->setRow(1);
    db().execute("delete from Bienenvolk");
    messages().expect("wurde in der Datenbank nicht gefunden");
    vb::showForm("IV_Neues_Volk");
    QVERIFY(messages().allUsed());
  }

  void datesFollowTheStock_data() {
    QTest::addColumn<QString>("modus");
    QTest::addColumn<bool>("vorher");   // in stock before (Ändern)
    QTest::addColumn<bool>("nachher");
    QTest::addColumn<QString>("meldung");
    QTest::addColumn<QStringList>("erwartet");   // the colony's Schwarmkontrolle dates afterwards
    const QStringList alt{"01.03!", "01.06"};
    QTest::newRow("new colony in stock") << "Neu" << false << true << "" << schwarmtermine;
    QTest::newRow("new colony not in stock") << "Neu" << false << false << "" << QStringList{};
    QTest::newRow("leaves the stock") << "Ändern" << true << false << "" << QStringList{};
    QTest::newRow("back in stock") << "Ändern" << false << true << "war vorher nicht im Bestand"
                                   << QStringList{"01.03!", "10.05", "19.05", "28.05", "01.06",
                                                  "06.06", "15.06", "24.06"};
    QTest::newRow("stays in stock") << "Ändern" << true << true << "" << alt;
    QTest::newRow("stays out of stock") << "Ändern" << false << false << "" << QStringList{};
  }

  void datesFollowTheStock() {
    QFETCH(QString, modus);
    QFETCH(bool, vorher);
    QFETCH(bool, nachher);
    QFETCH(QString, meldung);
    QFETCH(QStringList, erwartet);
    const int id = volk("1", vorher);
    const int anderes = volk("2");
    for (const int v : {id, anderes}) {
      einfügen("Termine", {{"Datum", datum("01.03.2007")}, {"Termin", schwarm}, {"Erledigt", "J"}, {"Volk", v}});
      einfügen("Termine", {{"Datum", datum("01.06.2007")}, {"Termin", schwarm}, {"Erledigt", "N"}, {"Volk", v}});
    }
    aufvolk(id);
    auto w = öffnen(modus);
    if (modus == "Neu") w->sevt(0).setText("3");
    w->kon->setChecked(nachher);
    if (!meldung.isEmpty()) messages().expect(meldung);
    w->ok_Click();
    QVERIFY(w->isUnloaded());
    QVERIFY(messages().allUsed());
    QCOMPARE(messages().count(), meldung.isEmpty() ? 0 : 1);
    QCOMPARE(termine(w->volkId(), schwarm), erwartet);
    QCOMPARE(termine(anderes, schwarm), (QStringList{"01.03!", "01.06"}));
    const QString seine = "select count(*) from Termine where Volk = " + QString::number(w->volkId());
    if (erwartet.isEmpty()) QCOMPARE(anzahl(seine), 0);
    if (erwartet.size() > 2) {   // every colony-dependent option booked its dates
      for (const QString& o : spalte("select ID from Arbeitsplanoptionen where Volkabhängig = 'J'"))
        shell::volkterminebuchen(o.toInt(), 999);
      QCOMPARE(anzahl(seine), anzahl("select count(*) from Termine where Volk = 999") + (modus == "Neu" ? 0 : 2));
    }
  }

  void siteCheck_data() {
    QTest::addColumn<bool>("wanderungen");
    QTest::addColumn<int>("antwort");   // 0 no question, vb::vbYes, vb::vbNo
    QTest::addColumn<QString>("standort");
    QTest::addColumn<int>("wanderzeilen");
    QTest::newRow("no migration yet") << false << 0 << "Heide" << 0;
    QTest::newRow("yes books a migration") << true << int(vb::vbYes) << "Heide" << 3;
    QTest::newRow("no keeps the latest site") << true << int(vb::vbNo) << "Wald" << 2;
  }

  void siteCheck() {
    QFETCH(bool, wanderungen);
    QFETCH(int, antwort);
    QFETCH(QString, standort);
    QFETCH(int, wanderzeilen);
    const int id = volk("1", true, {{"Standort", "Feld"}});
    if (wanderungen) {
      einfügen("Wanderung", {{"Datum", datum("01.04.2007")}, {"Standort", "Wald"}, {"Volk", id}});
      einfügen("Wanderung", {{"Datum", datum("01.03.2007")}, {"Standort", "Feld"}, {"Volk", id}});
    }
    aufvolk(id);
    auto w = öffnen("Ändern");
    w->sevt(3).setText("Heide");
    messages().expect("Sie haben Werte geändert");
    if (antwort != 0)
      messages().expect("Sie haben den neuen Standort Heide eingetragen. Lt. den Wanderungs-Buchungen ist der letzte "
                        "Standort Wald (vom 01.04.2007). Soll der neue Standort mit dem heutigen Datum in den "
                        "Wanderungsplan eingetragen werden?",
                        vb::MsgResult(antwort));
    w->ok_Click();
    QVERIFY(messages().allUsed());
    QCOMPARE(messages().count(), antwort != 0 ? 2 : 1);
    QCOMPARE(wert(id, "Standort").toString(), standort);
    QCOMPARE(anzahl("select count(*) from Wanderung"), wanderzeilen);
    if (antwort == vb::vbYes) {
      dao::Recordset rs = db().openRecordset("select * from Wanderung order by Datum DESC");
      QCOMPARE(rs["Datum"].value().toDate(), datum("10.05.2007"));
      QCOMPARE(rs["Standort"].text(), QString("Heide"));
      QCOMPARE(rs["Zeit_h"].value().toDouble(), 0.0);
      QCOMPARE(rs["Kosten"].value().toDouble(), 0.0);
      QCOMPARE(rs["Standortprämie"].value().toDouble(), 0.0);
      QCOMPARE(rs["Prämie_erhalten"].text(), QString("N"));
      QCOMPARE(rs["Bemerkung"].text(), QString());
      QCOMPARE(rs["Volk"].value().toInt(), id);
      rs.close();
    }
  }

  void previousAndNextWrapAround() {
    const int a = volk("1"), b = volk("2"), c = volk("3");
    listeladen(1);
    auto w = öffnen("Ändern");
    QCOMPARE(w->volkId(), a);
    w->oknächster_Click(1);
    QCOMPARE(grid_->row(), 3);
    QCOMPARE(w->volkId(), c);
    QCOMPARE(w->sevt(0).text(), QString("3"));
    w->sevt(1).setText("Dritte");
    w->oknächster_Click(0);
    QCOMPARE(grid_->row(), 1);
    QCOMPARE(w->sevt(0).text(), QString("1"));
    QCOMPARE(wert(c, "Volkname").toString(), QString("Dritte"));
    w->oknächster_Click(0);
    QCOMPARE(w->volkId(), b);
    QVERIFY(!w->isUnloaded());
    QCOMPARE(beeps(), 3);

    db().execute("delete from Bienenvolk where ID <> " + QString::number(b));
    listeladen(1);
    auto allein = öffnen("Ändern");
    allein->sevt(1).setText("Einzig");
    allein->oknächster_Click(0);
    QCOMPARE(allein->volkId(), b);
    QCOMPARE(allein->sevt(1).text(), QString("Einzig"));
    QCOMPARE(wert(b, "Volkname").toString(), QString("Einzig"));
  }

  void defaultsFileRoundTrip() {
    auto w = öffnen("Neu");
    for (int i = 1; i <= 16; ++i) w->sevt(i).setText(QString("F%1").arg(i));
    w->sevt(3).setText("A");
    w->sevt(11).setText("Mühle");
    w->kon->setChecked(false);
    messages().expect("Die Standardwerte wurden gesichert und werden ab sofort bei jeder Volk-Neueingabe");
    w->standard_Click();
    QVERIFY(messages().allUsed());

    QFile datei(IV_Neues_Volk::standarddatei());
    QVERIFY(datei.open(QIODevice::ReadOnly));
    const QByteArray inhalt = datei.readAll();
    QCOMPARE(inhalt.count("\r\n"), 17);
    QCOMPARE(inhalt.count('\n'), 17);
    QVERIFY(inhalt.endsWith("F16\r\n 0\r\n"));
    QVERIFY(inhalt.startsWith("F1\r\nF2\r\nA\r\nF4\r\n"));
    QVERIFY(inhalt.contains("M\xfchle\r\n"));   // Windows-1252
    QVERIFY(!inhalt.contains("F0"));

    common::volknrhochzählen() = 1;
    volk("41");
    auto neu = öffnen("Neu");
    QCOMPARE(neu->sevt(0).text(), QString("1"));
    QCOMPARE(neu->sevt(3).text(), QString("A"));
    QCOMPARE(neu->sevt(11).text(), QString("Mühle"));
    QCOMPARE(neu->sevt(16).text(), QString("F16"));
    QVERIFY(!neu->kon->isChecked());

    // A short file fills what it has; the box stays checked.
    vb::writeLines(IV_Neues_Volk::standarddatei(), {"Kurz", "", "B"});
    auto kurz = öffnen("Neu");
    QCOMPARE(kurz->sevt(1).text(), QString("Kurz"));
    QCOMPARE(kurz->sevt(3).text(), QString("B"));
    QCOMPARE(kurz->sevt(4).text(), QString());
    QVERIFY(kurz->kon->isChecked());
  }
};

ZEVO_TEST_MAIN(TestNeuesVolk)
#include "test_neuesvolk.moc"
