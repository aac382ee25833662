// The colony window: checks, storing through feldtext, the
// site check, the dates on a change of stock and the defaults file.
#include "colonies/iv_neues_volk.h"
#include "colonies/registry.h"
#include "eingabetest.h"
#include "support/eingabefeld.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QPushButton>
#include <QFile>
#include <QLineEdit>

using namespace zevo;
using namespace zevo::test;
using colonies::IV_Neues_Volk;

namespace {

int volkid(const QString& volknr) { return anzahl("select ID from Bienenvolk where Volknr = '" + volknr + "'"); }

std::unique_ptr<IV_Neues_Volk> öffnen(const QString& modus) {
  common::volkmodus = modus;
  return geladen<IV_Neues_Volk>();
}

}  // namespace

class TestNeuesVolk : public QObject {
  Q_OBJECT
  Hauptliste haupt;   // ordered by Volknr

private slots:
  void initTestCase() { colonies::registerColonyForms(); }

  void init() {
    datenbankbereitstellen();
    datenbankgrundzustand(datum("10.05.2007"));
    common::volknrhochzählen() = 1;
    if (vb::fileExists(IV_Neues_Volk::standarddatei())) vb::kill(IV_Neues_Volk::standarddatei());
    haupt.lesen();
  }

  // Texts are stored through feldtext in both modes, so the duplicate check
  // sees what is stored; the summary columns are written back unchanged.
  void storedThroughFeldtext() {
    auto w = öffnen("Neu");
    for (const auto& [feld, text] : {std::pair{0, " O'Hara "}, {1, "Lotte"}, {6, "01.04.2007"}, {12, "123,5"}})
      w->sevt(feld).setText(text);
    w->ok_Click();
    const int id = volkid("O`Hara");
    QCOMPARE(werte(id, "Volkname, Königin_Zugangsdatum, Volk_Einkaufspreis, Abgangsdatum, Akt_im_Bestand, Selektiert"),
             QString("Lotte|01.04.2007|123,5|Null|X|"));
    w = öffnen("Neu");
    w->sevt(0).setText("O'Hara");
    messages().expect("...die Volknummer bereits existiert.");
    w->ok_Click();
    QVERIFY(!w->isUnloaded());

    db().execute("update Bienenvolk set Volkname = 'Lott''chen', L_Honigernte = #05/02/2007#, "
                 "Honigmenge_Gesamt = 31.25, Futtervorrat_Teig = 2.5, Selektiert = 'X'");
    haupt.lesen(1);
    w = öffnen("Ändern");
    QCOMPARE(w->sevt(1).text(), QString("Lott`chen"));
    w->sevt(5).setText("grün");   // the queen colour is also booked by the entry window
    messages().expect("Sie haben Werte geändert, die auch über den Hauptmenuepunkt 'Eingabe'");
    w->ok_Click();
    QVERIFY(messages().allUsed());
    QCOMPARE(werte(id, "Volkname, Königin_Farbe, L_Honigernte, Honigmenge_Gesamt, Futtervorrat_Teig, Selektiert"),
             QString("Lott`chen|grün|02.05.2007|31,25|2,5|X"));
  }

  // Amounts that would be written in exponent form (a harvest of 99999999 kg
  // is stored as 100000000) show in plain digits, so that OK without a change
  // leaves them as they were, time after time.
  void amountsBeyondSevenDigitsSaveBackUnchanged() {
    const int id = volk("1", true,
                        {{"L_Honigmenge_kg", 1e8}, {"Honigmenge_Gesamt", 12345680.0}, {"Futtervorrat_eigen", 0.00005},
                         {"Futtervorrat_Teig", 2.5}, {"Volk_Einkaufspreis", 3.5}});
    haupt.lesen(1);
    const auto gespeichert = [id] {
      dao::Recordset rs = db().openRecordset(
          "select L_Honigmenge_kg, Honigmenge_Gesamt, Futtervorrat_eigen, Futtervorrat_Teig, Volk_Einkaufspreis "
          "from Bienenvolk where ID = " + QString::number(id));
      QList<float> zahlen;
      for (int i = 0; i < rs.fieldCount(); ++i) zahlen << rs.fields(i).value().toFloat();
      return zahlen;
    };
    const QList<float> vorher = gespeichert();
    for (int mal = 0; mal < 2; ++mal) {
      auto w = öffnen("Ändern");
      QCOMPARE(w->sevtx(13).text(), QString("100000000"));
      QCOMPARE(w->sevtx(14).text(), QString("12345680"));
      QCOMPARE(w->sevtx(8).text(), QString("0,00005"));
      QCOMPARE(w->sevtx(10).text(), QString("2,5"));
      w->ok_Click();
      QCOMPARE(gespeichert(), vorher);
    }
  }

  void inputChecks_data() {
    QTest::addColumn<QString>("modus");   // on colony "12"; "7" and "ä1" exist as well
    QTest::addColumn<QString>("nummer");
    QTest::addColumn<QString>("abgang");
    QTest::addColumn<QString>("meldung");   // "" = accepted
    QTest::addColumn<QString>("nachher");   // the colony numbers afterwards
    const QString weil = "Die Eingabe kann nicht übernommen werden, weil..." + common::zeilenumbruch;
    const QString bleibt = "12 7 ä1";
    QTest::newRow("no number") << "Neu" << "  " << "" << weil + common::zeilenumbruch + "...die Volknummer angegeben"
                               << bleibt;
    QTest::newRow("number of another colony") << "Neu" << "12" << "" << "...die Volknummer bereits existiert." << bleibt;
    QTest::newRow("number of another colony, umlaut in capitals")
        << "Neu" << "Ä1" << "" << "...die Volknummer bereits existiert." << bleibt;
    QTest::newRow("its twin without the umlaut") << "Neu" << "A1" << "" << "" << "12 7 A1 ä1";
    QTest::newRow("own number when changing") << "Ändern" << "12" << "" << "" << bleibt;
    QTest::newRow("other number when changing") << "Ändern" << "7" << "" << "...die Volknummer bereits existiert."
                                                << bleibt;
    QTest::newRow("departure while in stock") << "Neu" << "13" << "01.05.2007"
                                              << "...das Volk als im Bestand markiert ist und gleichzeitig" << bleibt;
    QTest::newRow("departure no date is emptied") << "Neu" << "13" << "32.13.2020" << "" << "12 13 7 ä1";
  }

  void inputChecks() {
    QFETCH(QString, modus);
    QFETCH(QString, nummer);
    QFETCH(QString, abgang);
    QFETCH(QString, meldung);
    QFETCH(QString, nachher);
    volk("7");
    volk("12");
    volk("ä1");
    haupt.lesen(1);
    auto w = öffnen(modus);
    w->sevt(0).setText(nummer);
    w->sevt(13).setText(abgang);
    if (!meldung.isEmpty()) messages().expect(meldung);
    w->ok_Click();
    QVERIFY(messages().allUsed());
    QCOMPARE(w->isUnloaded(), meldung.isEmpty());
    if (meldung.isEmpty()) QCOMPARE(werte(volkid(nummer), "Abgangsdatum"), QString("Null"));
    QCOMPARE(spalte("select Volknr from Bienenvolk order by Volknr").join(' '), nachher);
  }

  // "Ändern" without a current colony, or with one gone meanwhile, refuses.
  void changeWithoutAColony() {
    volk("1");
    haupt.lesen(0);
    common::volkmodus = "Ändern";
    messages().expect("Bitte markieren Sie zuerst das Volk");
    vb::showForm("IV_Neues_Volk");
    haupt.grid.setRow(1);
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
    QTest::newRow("new colony in stock") << "Neu" << false << true << ""
                                         << QStringList{"10.05", "19.05", "28.05", "06.06", "15.06", "24.06"};
    QTest::newRow("new colony not in stock") << "Neu" << false << false << "" << QStringList{};
    QTest::newRow("leaves the stock") << "Ändern" << true << false << "" << QStringList{};
    QTest::newRow("back in stock") << "Ändern" << false << true << "war vorher nicht im Bestand"
                                   << QStringList{"01.03!", "10.05", "19.05", "28.05", "01.06", "06.06", "15.06",
                                                  "24.06"};
    QTest::newRow("stays in stock") << "Ändern" << true << true << "" << QStringList{"01.03!", "01.06"};
  }

  // Colony "1" and another, each with a done and an open date.
  void datesFollowTheStock() {
    QFETCH(QString, modus);
    QFETCH(bool, vorher);
    QFETCH(bool, nachher);
    QFETCH(QString, meldung);
    QFETCH(QStringList, erwartet);
    const int anderes = volk("2");
    for (const int v : {volk("1", vorher), anderes})
      for (const auto& [tag, erledigt] : {std::pair{"01.03.2007", "J"}, {"01.06.2007", "N"}})
        einfügen("Termine",
                 {{"Datum", datum(tag)}, {"Termin", "Schwarmkontrolle"}, {"Erledigt", erledigt}, {"Volk", v}});
    // Neighbours on either side of colony 1's key: a colony stored after it, and no colony.
    const int danach = volk("4");
    for (const int v : {danach, 0})
      einfügen("Termine", {{"Datum", datum("01.06.2007")}, {"Termin", "Schwarmkontrolle"}, {"Erledigt", "N"}, {"Volk", v}});
    haupt.lesen(1);
    auto w = öffnen(modus);
    if (modus == "Neu") w->sevt(0).setText("3");
    w->kon->setChecked(nachher);
    if (!meldung.isEmpty()) messages().expect(meldung);
    w->ok_Click();
    QVERIFY(messages().allUsed());
    QCOMPARE(messages().count(), meldung.isEmpty() ? 0 : 1);
    QCOMPARE(termine(w->volkId(), "Schwarmkontrolle"), erwartet);
    QCOMPARE(termine(anderes, "Schwarmkontrolle"), (QStringList{"01.03!", "01.06"}));
    QCOMPARE(termine(danach, "Schwarmkontrolle"), QStringList{"01.06"});
    QCOMPARE(termine(0, "Schwarmkontrolle"), QStringList{"01.06"});
    QCOMPARE(termine(w->volkId(), "Beuten bauen"), QStringList());   // an option of no colony gives it none
    if (erwartet.isEmpty())   // no date of any kind is left
      QCOMPARE(anzahl("select count(*) from Termine where Volk = " + QString::number(w->volkId())), 0);
  }

  // A changed site is compared with the latest migration: "Ja" books one for
  // today, "Nein" stores the latest migration's site; without any, no question.
  void siteCheckAgainstTheLatestMigration() {
    const int id = volk("1", true, {{"Standort", "Feld"}});
    haupt.lesen(1);
    auto ändern = [](const char* ort, int antwort) {
      auto w = öffnen("Ändern");
      w->sevt(3).setText(ort);
      messages().expect("Sie haben Werte geändert");
      if (antwort) messages().expect("der letzte Standort Wald (vom 01.04.2007)", vb::MsgResult(antwort));
      FragenPrüfen fragen;
      w->ok_Click();
      QVERIFY(messages().allUsed());
      QCOMPARE(fragen.frei, QList<bool>(antwort ? 1 : 0, true));   // asked before the transaction opens
    };
    ändern("Heide", 0);
    QCOMPARE(werte(id, "Standort"), QString("Heide"));
    einfügen("Wanderung", {{"Datum", datum("01.04.2007")}, {"Standort", "Wald"}, {"Volk", id}});
    einfügen("Wanderung", {{"Datum", datum("01.03.2007")}, {"Standort", "Feld"}, {"Volk", id}});
    einfügen("Wanderung", {{"Datum", datum("01.05.2007")}, {"Standort", "Sumpf"}, {"Volk", volk("2")}});
    ändern("", 0);   // no site: nothing to compare
    QCOMPARE(werte(id, "Standort"), QString(""));
    ändern("Moor", vb::vbNo);
    QCOMPARE(werte(id, "Standort"), QString("Wald"));
    ändern("Heide", vb::vbYes);
    QCOMPARE(werte(id, "Standort"), QString("Heide"));
    QCOMPARE(anzahl("select count(*) from Wanderung"), 4);
    QCOMPARE(werte(anzahl("select max(ID) from Wanderung"),
                   "Datum, Standort, Zeit_h, Kosten, Standortprämie, Prämie_erhalten, Bemerkung, Volk", "Wanderung"),
             QString("10.05.2007|Heide|0|0|0|N||%1").arg(id));
  }

  // What a beekeeper types: Return after clicking a button presses nothing
  // (the window marks no default), the focused button answers it, and an
  // amount with a thousands point is shown and stored as meant, to the cent.
  void typingAmountsAndReturn_data() {
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("input");
    QTest::addColumn<bool>("paste");
    QTest::addColumn<QString>("column");
    QTest::newRow("purchase price typed") << 12 << "1.234,56" << false << "Volk_Einkaufspreis";
    QTest::newRow("sale price pasted") << 16 << "1.234,56" << true << "Volk_Verkaufspreis";
  }
  void typingAmountsAndReturn() {
    QFETCH(int, field);
    QFETCH(QString, input);
    QFETCH(bool, paste);
    QFETCH(QString, column);
    auto w = öffnen("Neu");
    QVERIFY(showActive(*w));
    ui::sevText* preis = &w->sevt(field);
    QTest::mouseClick(w->sevt(0).editor(), Qt::LeftButton);
    w->sevt(0).editor()->selectAll();
    QTest::keyClicks(w->sevt(0).editor(), "77");
    messages().expect("Die Standardwerte wurden gesichert");
    QTest::mouseClick(w->standard, Qt::LeftButton);
    QTest::mouseClick(preis->editor(), Qt::LeftButton);
    if (paste) {
      QApplication::clipboard()->setText(input);
      QTest::keyClick(preis->editor(), Qt::Key_V, Qt::ControlModifier);
    } else {
      QTest::keyClicks(preis->editor(), input);
    }
    QTest::keyClick(preis->editor(), Qt::Key_Return);
    QVERIFY(messages().allUsed());
    QVERIFY(!w->isUnloaded());
    QCOMPARE(forms().shown(), QStringList());
    QTest::keyClick(preis->editor(), Qt::Key_Tab);
    QCOMPARE(preis->displayText(), QString("1.234,56 €"));
    w->ok->setFocus();
    QTest::keyClick(w->ok, Qt::Key_Return);
    QVERIFY(w->isUnloaded());
    QCOMPARE(werte(volkid("77"), column), QString("1234,56"));
  }

  // The fields designed with a list show their arrow from the start, so
  // nothing moves when a save fills the lists: the window keeps its size and
  // every field its place, after the first save and the next.
  void layoutStaysWhenTheListsFill() {
    auto w = öffnen("Neu");
    QVERIFY(showActive(*w));
    auto felder = [&] {
      QStringList t{QString("%1x%2").arg(w->width()).arg(w->height())};
      for (int i = 0; i <= 16; ++i) t << QString::number(i) + ":" + lage(*w, w->sevt(i));
      return t;
    };
    QApplication::processEvents();
    const QStringList vorher = felder();
    for (int i = 0; i <= 16; ++i) QCOMPARE(pfeil(w->sevt(i)), QList<int>({1, 2, 3, 4, 5, 7, 11, 14, 15}).contains(i));
    QCOMPARE(w->sevt(1).listcount(), 0);
    for (int runde = 1; runde <= 2; ++runde) {
      w->sevt(0).setText(QString::number(runde));
      for (int i : {1, 2, 4, 5, 7, 11}) w->sevt(i).setText("Wert" + QString::number(runde));
      QTest::mouseClick(w->oknächster[0], Qt::LeftButton);
      QVERIFY(!w->isUnloaded());
      QApplication::processEvents();
      QCOMPARE(w->sevt(1).listcount(), runde);
      QCOMPARE(felder(), vorher);
    }
    w->close();
  }

  // The checks read the database too: a table gone under the open window
  // gives the window's own message, and the window stays open and usable.
  void aFailedCheckKeepsTheWindow() {
    auto w = öffnen("Neu");
    QVERIFY(showActive(*w));
    w->sevt(0).setText("9");
    roh("ALTER TABLE Bienenvolk RENAME TO Bienenvolk_weg");
    messages().expect("Das Volk konnte nicht gespeichert werden.");
    QTest::mouseClick(w->ok, Qt::LeftButton);
    roh("ALTER TABLE Bienenvolk_weg RENAME TO Bienenvolk");
    QVERIFY(messages().allUsed());
    QCOMPARE(messages().count(), 1);
    QVERIFY(!w->isUnloaded());
    QTest::mouseClick(w->ok, Qt::LeftButton);
    QVERIFY(w->isUnloaded());
    QCOMPARE(anzahl("select count(*) from Bienenvolk where Volknr = '9'"), 1);
  }

  // "OK + next": the colony is stored; when the next one cannot be shown,
  // the window says so and closes instead of showing stale values.
  void nextColonyThatCannotBeShown() {
    auto w = öffnen("Neu");
    QVERIFY(showActive(*w));
    w->sevt(0).setText("8");
    roh("ALTER TABLE Standorte RENAME TO Standorte_weg");
    messages().expect("Das nächste Volk kann nicht angezeigt werden.");
    QTest::mouseClick(w->oknächster[0], Qt::LeftButton);
    roh("ALTER TABLE Standorte_weg RENAME TO Standorte");
    QVERIFY(messages().allUsed());
    QVERIFY(w->isUnloaded());
    QCOMPARE(anzahl("select count(*) from Bienenvolk where Volknr = '8'"), 1);
  }

  // The number proposed after "OK Nächster": the stored number plus 1 when it
  // is digits only, and only with "volknrhochzählen" on.
  void numberProposal() {
    for (const auto& [hochzählen, nummer, vorschlag] :
         {std::tuple{1, "12", "13"}, {1, "A12", ""}, {1, "007", "8"}, {0, "12", ""}}) {
      common::volknrhochzählen() = hochzählen;
      auto w = öffnen("Neu");
      QCOMPARE(w->sevt(0).text(), QString(hochzählen ? "1" : ""));
      w->sevt(0).setText(nummer);
      w->oknächster_Click(0);
      QCOMPARE(w->sevt(0).text(), QString(vorschlag));
      db().execute("delete from Bienenvolk");
    }
  }

  // "OK Nächster" and "OK Vorheriger" while changing go round the main
  // grid; with a single colony the window stays on it.
  void changingGoesRound() {
    for (const char* nr : {"1", "2", "3"}) volk(nr);
    haupt.lesen(1);
    auto w = öffnen("Ändern");
    w->oknächster_Click(1);   // previous of the first: the last
    QCOMPARE(haupt.grid.row(), 3);
    QCOMPARE(w->sevt(0).text(), QString("3"));
    w->oknächster_Click(0);   // next of the last: the first
    QCOMPARE(haupt.grid.row(), 1);
    QCOMPARE(w->sevt(0).text(), QString("1"));
    db().execute("delete from Bienenvolk where Volknr <> '1'");
    haupt.lesen(1);
    w = öffnen("Ändern");
    w->oknächster_Click(0);
    QCOMPARE(haupt.grid.row(), 1);
    QVERIFY(!w->isUnloaded());
  }

  // A save that fails at the colony's dates keeps neither the colony nor
  // its migration.
  void aSaveFailingAtTheDatesKeepsNothing() {
    const int id = volk("1", false, {{"Standort", "Feld"}});
    einfügen("Wanderung", {{"Datum", datum("01.04.2007")}, {"Standort", "Wald"}, {"Volk", id}});
    haupt.lesen(1);
    auto w = öffnen("Ändern");
    w->sevt(3).setText("Heide");
    w->kon->setChecked(true);
    roh("create trigger kaputt before insert on Termine begin select raise(abort, 'Platte voll'); end");
    messages().expect("Sie haben Werte geändert");
    messages().expectYes("der letzte Standort Wald");
    messages().expect("war vorher nicht im Bestand");
    messages().expect("Das Volk konnte nicht gespeichert werden.");
    w->ok_Click();
    roh("drop trigger kaputt");
    QVERIFY(messages().allUsed());
    QVERIFY(!w->isUnloaded());
    QCOMPARE(werte(id, "Standort, Akt_im_Bestand"), QString("Feld|"));
    QCOMPARE(anzahl("select count(*) from Wanderung"), 1);
  }

  // 17 lines: the texts of fields 1..16, then the stock box as " 1"/" 0".
  void defaultsFile() {
    auto w = öffnen("Neu");
    for (int i = 1; i <= 16; ++i) w->sevt(i).setText(QString("F%1").arg(i));
    w->sevt(3).setText("Mühle");
    w->kon->setChecked(false);
    messages().expect("Die Standardwerte wurden gesichert");
    w->standard_Click();
    QFile datei(IV_Neues_Volk::standarddatei());
    QVERIFY(datei.open(QIODevice::ReadOnly));
    const QByteArray inhalt = datei.readAll();
    QCOMPARE(inhalt.count('\n'), 17);
    QVERIFY(inhalt.startsWith("F1\r\nF2\r\nM\xfchle\r\nF4\r\n"));   // Windows-1252, CR LF
    QVERIFY(inhalt.endsWith("F16\r\n 0\r\n"));
    volk("41");
    w = öffnen("Neu");
    QCOMPARE(w->sevt(0).text() + w->sevt(3).text() + w->sevt(16).text(), QString("1MühleF16"));
    QVERIFY(!w->kon->isChecked());
  }
};

ZEVO_TEST_MAIN(TestNeuesVolk)
#include "test_neuesvolk.moc"
