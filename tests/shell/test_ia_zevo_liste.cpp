// The colony grid of the main window (stock filter and counts, repair of the
// stored query, sort memory, reload on activation) and its menus: enabling by
// the grid, every window item with its hand-over values, a failed delete.
#include "hauptfenster.h"

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
    QCOMPARE(freigegeben().size(), 21);   // an empty register
    QVERIFY(knopf("btn_neuesvolk") && !knopf("btn_a_völker") && !knopf("btn_volkändern"));
    QVERIFY(w->popzeile[0]->isEnabled() && !w->popzeile[1]->isEnabled());
    völker(3);
    w->datali->setRow(0);   // rows, but no current colony
    QCOMPARE(freigegeben().size(), 32);
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
    QCOMPARE(erwartet.size(), 38);
    QCOMPARE(zustand["XV_volkändern"], QStringLiteral("0|Ändern|"));
    QCOMPARE(zustand["XE_Notizen"], QStringLiteral("10||"));
    QCOMPARE(zustand["XV_honiglager"], QStringLiteral("0||2"));
  }

  // The bookings and the colony row go together or not at all.
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
    QCOMPARE(common::datenbank.openRecordset("select count(*) from Stockkarte").fields(0).value().toInt(), 1);
    QCOMPARE(w->datali->rows(), 2);
  }
};

ZEVO_TEST_MAIN(TestIaZevoListe)
#include "test_ia_zevo_liste.moc"
