// The colony grid of the main window (stock filter and counts, repair of the
// stored query, sort memory, reload on activation) and its menus: enabling by
// the grid, every window item with its hand-over values, a failed delete.
#include "support/datenbank.h"
#include "support/hauptfenster.h"
#include "support/raster.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>

using namespace zevo;
using shell::IA_ZEVO;

namespace {

// Stands in for the windows of other parts; IW_Honiglager stays unregistered.
class Platzhalter : public vb::Form {
public:
  using vb::Form::Form;
};

}  // namespace

class TestIaZevoListe : public QObject {
  Q_OBJECT
  std::unique_ptr<IA_ZEVO> w;

  QStringList spalte(const QString& key) const {
    QStringList werte;
    for (int r = 1; r <= w->datali->rows(); ++r) werte << w->datali->cell(r, key);
    return werte;
  }
  QStringList freigegeben() const {
    QStringList namen;
    for (const QString& n : w->menüpunktnamen())
      if (w->menüpunkt(n)->isEnabled()) namen << n;
    return namen;
  }
  void völker(int n) {
    for (int i = 1; i <= n; ++i) test::volkanlegen(QString::number(i), "X");
    w->datenvölkerlesen();
  }

private slots:
  void initTestCase() {
    IA_ZEVO fenster;
    for (const QString& n : fenster.menüpunktnamen()) {
      const QString f = fenster.menüfenster(n);
      if (!f.isEmpty() && f != "IW_Honiglager")
        vb::registerForm(f, [f] { return std::make_unique<Platzhalter>(f); });
    }
    vb::registerForm("IA_Textausgabe", [] { return std::make_unique<Platzhalter>("IA_Textausgabe"); });
  }

  void init() {
    test::hauptfenstergrundzustand();
    test::neuerProgrammordner();
    w = test::gestartet();
  }
  void cleanup() { w.reset(); }

  void filtersAndCounts() {
    for (const char* nr : {"2", "10", "1", "4", "5"}) test::volkanlegen(nr, nr[0] < '4' ? "X" : "");
    const QStringList erwartet[] = {{"1", "10", "2"}, {"4", "5"}, {"1", "10", "2", "4", "5"}};   // Volknr is text
    for (int option : {1, 2, 0}) {
      w->optiverkauft[option]->setChecked(true);
      w->optiverkauft_Click(option);
      QCOMPARE(spalte("Volknr"), erwartet[option]);
      QCOMPARE(w->datali->row(), 1);
    }
    QCOMPARE(w->optiverkauft[0]->text(), QStringLiteral("Bestand (3 Völker)"));
    QCOMPARE(w->optiverkauft[1]->text(), QStringLiteral("Abgang (2 Völker)"));
    QCOMPARE(w->optiverkauft[2]->text(), QStringLiteral("Alles (5 Völker)"));
  }

  // A stored query that cannot run falls back to the default.
  void storedQueryIsRepaired() {
    common::völkerlistesql() = "select Volknr, Varroaschäden, Unsinn from Bienenvolk";
    test::messages().expect("wird durch die Standardabfrage ersetzt");
    w->datenvölkerlesen();
    QVERIFY(test::messages().allUsed());
    QCOMPARE(common::völkerlistesql(), shell::standardvölkerlistesql());
    QCOMPARE(w->datali->cols(), 36);
  }

  void sortIsRememberedAndApplied() {
    for (const char* nr : {"2", "1", "3"}) test::volkanlegen(nr, "X");
    w->datali->sort(2, 2);   // as a header click does, then the grid reports it
    w->datali_aftersort();
    w->datenvölkerlesen();
    QCOMPARE(spalte("Volkname"), (QStringList{"Volk 3", "Volk 2", "Volk 1"}));
  }

  // What the beekeeper does with the list itself: a header click sorts, the
  // next one the other way round, and the sort holds for the next reload; a
  // double click on a colony shows its card; a right click opens the popup
  // menu; keys typed into the card change nothing.
  void whatTheBeekeeperDoesWithTheList() {
    shell::IA_ZEVO::dienste().volkdatenlisten = shell::Hauptfensterdienste().volkdatenlisten;
    for (const char* nr : {"2", "1", "3"}) test::volkanlegen(nr, "X");
    w->datenvölkerlesen();
    QVERIFY(test::showActive(*w));
    const int name = w->datali->colIndex("Volkname");
    test::headerClick(*w->datali, name);
    QCOMPARE(spalte("Volkname"), (QStringList{"Volk 1", "Volk 2", "Volk 3"}));
    test::headerClick(*w->datali, name);
    QCOMPARE(spalte("Volkname"), (QStringList{"Volk 3", "Volk 2", "Volk 1"}));
    w->datenvölkerlesen();
    QCOMPARE(spalte("Volkname"), (QStringList{"Volk 3", "Volk 2", "Volk 1"}));
    QApplication::processEvents();   // the reloaded rows laid out

    test::cellDoubleClick(*w->datali, 2, name);
    QCOMPARE(w->Text1->toPlainText().section('\n', 1, 1), QString("Volknummer:        2"));
    const QString karte = w->Text1->toPlainText();
    QTest::keyClicks(w->Text1, "xy");
    QTest::keyClick(w->Text1, Qt::Key_Delete);
    QCOMPARE(w->Text1->toPlainText(), karte);

    QVERIFY(!w->popupliste->isVisible());
    test::cellClick(*w->datali, 3, name, Qt::RightButton);
    QVERIFY(w->popupliste->isVisible());
    w->popupliste->hide();
    w->hide();
  }

  // Scrolled fully right, a header click on "ID" or "Selektiert" sorts and
  // leaves the view where it was, the current colony in sight: on an empty
  // list and on a filled one.
  void sortingKeepsTheScrolledView() {
    QVERIFY(test::showActive(*w));
    for (int runde = 0; runde < 2; ++runde) {
      if (runde == 1) {
        for (int i = 1; i <= 40; ++i) test::volkanlegen(QString::number(i), "X", i % 3 ? "" : "X");
        w->datenvölkerlesen();
        test::cellClick(*w->datali, 30, "Volknr");
      }
      QApplication::processEvents();
      QVERIFY(test::viewOf(*w->datali)->horizontalScrollBar()->maximum() > 0);
      for (const char* spalte : {"ID", "Selektiert"}) {
        test::sortierenhältdieansicht(*w->datali, spalte, "ID");
        if (QTest::currentTestFailed()) return;
      }
    }
    QCOMPARE(w->datali->rows(), 40);
    w->hide();
  }

  void reloadOnActivationKeepsTheRowNumber() {
    völker(7);
    w->datali->setRow(7);
    common::völkerneulesen = 1;
    w->Form_Activate();
    QCOMPARE(w->datali->row(), 7);
    common::datenbank.execute("delete from Bienenvolk where Volknr in ('6', '7')");
    common::völkerneulesen = 1;
    w->Form_Activate();
    QCOMPARE(w->datali->rows(), 5);
    QCOMPARE(w->datali->row(), 1);   // the row is gone: the first
  }

  void enablingFollowsTheGrid() {
    auto knopf = [this](const char* k) { return w->mleiste->buttonEnabled(k); };
    auto frei = [this](const QStringList& namen) {
      QStringList f = freigegeben(), aus;
      for (const QString& n : namen) aus << n + (f.contains(n) ? "+" : "-");
      return aus.join(' ');
    };
    const QStringList proben{"XV_neuevölker", "O_Einstellungen", "XV_volkändern", "XV_volklöschen",
                             "XE_stockkarte", "XW_Völker", "XV_markiertevölkerselektieren", "XW_Honiglager"};
    // An empty register: what needs no colony only.
    QCOMPARE(frei(proben), QString("XV_neuevölker+ O_Einstellungen+ XV_volkändern- XV_volklöschen- "
                                   "XE_stockkarte- XW_Völker- XV_markiertevölkerselektieren- XW_Honiglager-"));
    QVERIFY(knopf("btn_neuesvolk") && !knopf("btn_a_völker") && !knopf("btn_volkändern"));
    QVERIFY(w->popzeile[0]->isEnabled() && !w->popzeile[1]->isEnabled());
    völker(3);
    w->datali->setRow(0);   // rows, but no current colony
    QCOMPARE(frei(proben), QString("XV_neuevölker+ O_Einstellungen+ XV_volkändern- XV_volklöschen- "
                                   "XE_stockkarte- XW_Völker+ XV_markiertevölkerselektieren+ XW_Honiglager-"));
    QVERIFY(knopf("btn_a_völker") && !knopf("btn_volkändern"));
    w->datali->setRow(2);   // every row change applies the rules
    QStringList alle = w->menüpunktnamen();
    alle.removeAll("XW_Honiglager");   // its window is not there
    QCOMPARE(freigegeben(), alle);
    QVERIFY(knopf("btn_volkändern") && w->popzeile[14]->isEnabled());
  }

  // Every item with a window opens it, with the hand-over values it needs.
  void everyWindowItemOpensItsWindow() {
    völker(2);
    QHash<QString, QString> zustand;   // eingabeart|volkmodus|übergabe
    QStringList erwartet;
    for (const QString& n : w->menüpunktnamen()) {
      const QString f = w->menüfenster(n);
      if (f.isEmpty() || n == "XV_völkerselektieren" || !vb::isRegistered(f)) continue;
      test::forms().on(f, [&zustand, n](vb::Form* form) {
        zustand[n] = QString("%1|%2|%3").arg(common::eingabeart).arg(common::volkmodus, common::übergabe);
        form->unload();
      });
      common::eingabeart = 0;
      common::volkmodus = common::übergabe = QString();
      w->menüpunkt(n)->trigger();
      erwartet << f;
    }
    QCOMPARE(test::forms().shown(), erwartet);
    for (const auto& [punkt, fenster] : {std::pair{"XV_neuevölker", "IV_Neues_Volk"}, {"XE_behandlung", "IE_Eingabe"},
                                         {"O_Einstellungen", "IO_Einstellungen"}, {"O_Datensicherung", "IO_Datensicherung"},
                                         {"XV_Termine", "IV_Terminverwaltung"}})
      QVERIFY2(zustand.contains(punkt) && w->menüfenster(punkt) == fenster, punkt);
    QCOMPARE(zustand["XV_volkändern"], QStringLiteral("0|Ändern|"));
    QCOMPARE(zustand["XE_Notizen"], QStringLiteral("10||"));
    QCOMPARE(zustand["XV_honiglager"], QStringLiteral("0||2"));
  }

  // Each toolbar button and popup item runs its item: the item's window
  // with the item's hand-over values, or the delete's question.
  void toolbarButtonsAndPopupItemsRunTheirItems_data() {
    QTest::addColumn<QString>("source");    // "btn_..." or "popup <index>"
    QTest::addColumn<QString>("window");    // the item's window, or "" for none
    QTest::addColumn<QString>("state");     // eingabeart|volkmodus
    QTest::newRow("new colony button") << "btn_neuesvolk" << "IV_Neues_Volk" << "0|Neu";
    QTest::newRow("change button") << "btn_volkändern" << "IV_Neues_Volk" << "0|Ändern";
    QTest::newRow("treatment button") << "btn_e_behandlung" << "IE_Eingabe" << "8|";
    QTest::newRow("honey harvest button") << "btn_e_honigernte" << "IE_Eingabe" << "1|";
    QTest::newRow("settings button") << "btn_o_einstellungen" << "IO_Einstellungen" << "0|";
    QTest::newRow("popup new colony") << "popup 0" << "IV_Neues_Volk" << "0|Neu";
    QTest::newRow("popup change") << "popup 1" << "IV_Neues_Volk" << "0|Ändern";
    QTest::newRow("popup stock card") << "popup 4" << "IE_Eingabe" << "0|";
    QTest::newRow("popup weighing") << "popup 11" << "IE_Eingabe" << "7|";
    QTest::newRow("popup notes") << "popup 14" << "IE_Eingabe" << "10|";
    QTest::newRow("popup delete") << "popup 2" << "" << "";
  }
  void toolbarButtonsAndPopupItemsRunTheirItems() {
    QFETCH(QString, source);
    QFETCH(QString, window);
    QFETCH(QString, state);
    völker(2);
    w->datali->setRow(2);
    QString seen;
    if (!window.isEmpty())
      test::forms().on(window, [&seen](vb::Form* f) {
        seen = QString("%1|%2").arg(common::eingabeart).arg(common::volkmodus);
        f->unload();
      });
    else
      test::messages().expectNo("Soll das markierte Volk wirklich gelöscht werden?");
    common::eingabeart = 0;
    common::volkmodus.clear();
    if (source.startsWith("btn_")) w->mleiste->click(source);
    else w->popzeile[source.section(' ', 1).toInt()]->trigger();
    QCOMPARE(test::forms().shown(), window.isEmpty() ? QStringList() : QStringList{window});
    QCOMPARE(seen, state);
    QVERIFY(test::messages().allUsed());
    QCOMPARE(w->datali->rows(), 2);
  }

  // Popup items that need a colony refuse without a current row.
  void popupItemsNeedACurrentRow() {
    völker(2);
    w->datali->setRow(0);
    test::messages().expect("Bitte markieren Sie zuerst das Volk");
    w->popzeile_Click(4);
    QVERIFY(test::messages().allUsed());
    QCOMPARE(test::forms().shown(), QStringList());
  }

  // A row without a usable ID deletes nothing: volkbuchungenlöschen(0)
  // would take every date of no colony.
  void deleteRefusesARowWithoutAUsableId_data() {
    QTest::addColumn<QString>("sql");
    QTest::newRow("no ID column") << "select Volknr, Varroaschäden from Bienenvolk";
    QTest::newRow("text as ID") << "select Volknr, Varroaschäden, Volkname as ID from Bienenvolk";
    QTest::newRow("zero as ID") << "select Volknr, Varroaschäden, 0 as ID from Bienenvolk";
  }
  void deleteRefusesARowWithoutAUsableId() {
    QFETCH(QString, sql);
    völker(2);
    common::völkerlistesql() = sql;
    w->datenvölkerlesen();
    w->datali->setRow(1);
    test::messages().expectYes("Soll das markierte Volk wirklich gelöscht werden?");
    test::messages().expect("...die Völkerliste keine Spalte ID enthält.");
    w->popzeile[2]->trigger();
    QVERIFY(test::messages().allUsed());
    QCOMPARE(test::dienstaufrufe().filter("volkbuchungenlöschen"), QStringList());
    QCOMPARE(w->datali->rows(), 2);
    QCOMPARE(w->datali->cols(), 2 + int(QString(QTest::currentDataTag()) != "no ID column"));
  }

  // After the selection window the selected colonies are counted, and only
  // then the beekeeper is asked whether to mark them.
  void selectingThenMarking() {
    for (const char* nr : {"1", "2", "3"}) test::volkanlegen(nr, "X");
    w->datenvölkerlesen();
    QString wahl;
    test::forms().on("IV_Selektieren", [this, &wahl](vb::Form* f) {
      common::datenbank.execute("update Bienenvolk set Selektiert = 'X' where Volknr in (" + wahl + ")");
      w->datenvölkerlesen();
      f->unload();
    });
    wahl = "'9'";   // none
    w->menüpunkt("XV_völkerselektieren")->trigger();
    QCOMPARE(test::messages().count(), 0);
    wahl = "'1', '3'";
    test::messages().expectYes("Es sind 2 Völker selektiert. Sollen diese auch gleich markiert werden?");
    test::messages().expect("Sie können die Völker auch mit gedrückter STRG-Taste");
    w->menüpunkt("XV_völkerselektieren")->trigger();
    QVERIFY(test::messages().allUsed());
    QCOMPARE(w->datali->selcount(), 2);
  }

  // "Markierte Völker selektieren" fails whole: a failure at the second
  // marked colony leaves every flag as it was.
  void markedToSelectedFailsWhole() {
    for (const char* nr : {"1", "2", "3"}) test::volkanlegen(nr, "X", nr[0] == '2' ? "X" : "");
    w->datenvölkerlesen();
    for (int r : {1, 3}) w->datali->setSelected(r, true);
    test::roh("create trigger kaputt before update of Selektiert on Bienenvolk when new.Volknr = '3' and "
              "new.Selektiert = 'X' begin select raise(abort, 'Platte voll'); end");
    test::messages().expect();
    w->menüpunkt("XV_markiertevölkerselektieren")->trigger();
    test::roh("drop trigger kaputt");
    QVERIFY(test::messages().allUsed());
    QCOMPARE(spalte("Selektiert"), (QStringList{"", "X", ""}));
  }

  // "Markierte Völker selektieren" selects exactly the marked colonies;
  // "Selektierte Völker markieren" marks exactly the selected ones and makes
  // the first of them current.
  void markAndSelectItems() {
    for (const char* nr : {"1", "2", "3", "4"}) test::volkanlegen(nr, "X", nr[0] == '1' ? "X" : "");
    w->datenvölkerlesen();
    for (int r : {2, 4}) w->datali->setSelected(r, true);
    test::ListePrüfen liste(*w->datali);
    w->menüpunkt("XV_markiertevölkerselektieren")->trigger();
    QCOMPARE(spalte("Selektiert"), (QStringList{"", "X", "", "X"}));
    QVERIFY(liste.nurfrei());   // the colonies are read once the selection is committed
    for (int r = 1; r <= 4; ++r) w->datali->setSelected(r, r == 1);
    test::messages().expect("Sie können die Völker auch mit gedrückter STRG-Taste");
    w->menüpunkt("XV_selektiertevölkermarkieren")->trigger();
    QVERIFY(test::messages().allUsed());
    QList<int> markiert;
    for (int r = 1; r <= 4; ++r)
      if (w->datali->selected(r)) markiert << r;
    QCOMPARE(markiert, (QList<int>{2, 4}));
    QCOMPARE(w->datali->row(), 2);
  }

  // The data panel: "OK" and the year box list the current colony, the
  // arrows step and wrap (an empty register stays calm), the printer button
  // hands the card to the text window.
  void dataPanel_data() {
    QTest::addColumn<int>("colonies");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("rowAfter");
    QTest::addColumn<QString>("message");   // expected box, "" none
    QTest::newRow("ok") << 2 << 2 << "cmdok" << 2 << "";
    QTest::newRow("year box") << 2 << 1 << "kon" << 1 << "";
    QTest::newRow("next wraps") << 3 << 3 << "abwaerts0" << 1 << "";
    QTest::newRow("previous wraps") << 3 << 1 << "abwaerts1" << 3 << "";
    QTest::newRow("next in an empty register") << 0 << 0 << "abwaerts0" << 0 << "Bitte markieren Sie erst das Volk";
    QTest::newRow("print without a colony") << 2 << 0 << "comdrucken" << 0 << "Sie müssen zuerst ein Volk auswählen";
    QTest::newRow("print") << 2 << 2 << "comdrucken" << 2 << "";
  }
  void dataPanel() {
    QFETCH(int, colonies);
    QFETCH(int, row);
    QFETCH(QString, control);
    QFETCH(int, rowAfter);
    QFETCH(QString, message);
    shell::IA_ZEVO::dienste().volkdatenlisten = shell::Hauptfensterdienste().volkdatenlisten;
    völker(colonies);
    w->datali->setRow(row);
    w->Text1->clear();
    if (!message.isEmpty()) test::messages().expect(message);
    QString gedruckt;
    test::forms().on("IA_Textausgabe", [&gedruckt](vb::Form* f) {
      gedruckt = common::übergabe;
      f->unload();
    });
    w->findChild<QAbstractButton*>(control)->click();
    QVERIFY(test::messages().allUsed());
    QCOMPARE(w->datali->row(), rowAfter);
    const QString karte = rowAfter ? "Volknummer:        " + QString::number(rowAfter) : QString();
    QCOMPARE(w->Text1->toPlainText().section('\n', 1, 1), karte);
    const bool druck = control == "comdrucken" && rowAfter;
    QCOMPARE(test::forms().shown(), druck ? QStringList{"IA_Textausgabe"} : QStringList());
    if (druck) {
      QVERIFY(gedruckt.startsWith("VOLKDATEN\r\n" + karte + "\r\n"));
      QFile liste(common::datenpfad + "LISTE.TXT");
      QVERIFY(liste.open(QIODevice::ReadOnly));
      QVERIFY(liste.readAll().startsWith("VOLKDATEN\r\nVolknummer:"));
    }
  }

  // The bookings and the colony row go together or not at all.
  void aFailedDeleteChangesNothing() {
    völker(2);
    const QString a = w->datali->cell(1, "ID");
    common::datenbank.execute("insert into Stockkarte (Datum, Volk) values (#06/01/2007#, " + a + ")");
    // The bookings go, then the colony row cannot: the bookings come back.
    IA_ZEVO::dienste().volkbuchungenlöschen = shell::Hauptfensterdienste().volkbuchungenlöschen;
    test::roh("create trigger kaputt before delete on Bienenvolk begin select raise(abort, 'gesperrt'); end");
    test::messages().expectYes();
    test::messages().expect("Das Volk konnte nicht gelöscht werden.");
    w->XV_volklöschen_Click();
    test::roh("drop trigger kaputt");
    QVERIFY(test::messages().allUsed());
    QCOMPARE(common::datenbank.openRecordset("select count(*) from Stockkarte").fields(0).value().toInt(), 1);
    QCOMPARE(w->datali->rows(), 2);
    IA_ZEVO::dienste().volkbuchungenlöschen = [](int id) {
      common::datenbank.execute("delete from Stockkarte where Volk = " + QString::number(id));
      throw dao::Error(dao::errLocked, "Die Tabelle ist gesperrt.");
    };
    test::messages().expectYes();
    test::messages().expect("Das Volk konnte nicht gelöscht werden.");
    w->XV_volklöschen_Click();
    QVERIFY(test::messages().allUsed());
    QCOMPARE(common::datenbank.openRecordset("select count(*) from Stockkarte").fields(0).value().toInt(), 1);
    QCOMPARE(w->datali->rows(), 2);
  }

  // With the colony table gone, a failed click is told once.
  void aFailedClickIsToldOnce_data() {
    QTest::addColumn<QString>("punkt");
    QTest::addColumn<QString>("meldung");
    QTest::newRow("delete") << "XV_volklöschen" << "Das Volk konnte nicht gelöscht werden.";
    QTest::newRow("select the marked") << "XV_markiertevölkerselektieren"
                                       << "Die Tabelle 'Bienenvolk' wurde nicht gefunden.";
  }
  void aFailedClickIsToldOnce() {
    QFETCH(QString, punkt);
    QFETCH(QString, meldung);
    völker(2);
    w->datali->setRow(1);
    test::TabelleWeg weg("Bienenvolk");
    if (punkt == "XV_volklöschen") test::messages().expectYes("Soll das markierte Volk wirklich gelöscht werden?");
    test::messages().expect(meldung);
    w->menüpunkt(punkt)->trigger();
    QVERIFY(test::messages().allUsed());
  }
};

ZEVO_TEST_MAIN(TestIaZevoListe)
#include "test_ia_zevo_liste.moc"
