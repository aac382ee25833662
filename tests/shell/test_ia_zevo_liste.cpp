// The colony grid of the main window: stock filter and counts, repairs of the
// stored queries, sorting and its memory, row labels, reload on activation and
// column widths.
#include "hauptfenster.h"

using namespace zevo;
using shell::IA_ZEVO;

class TestIaZevoListe : public QObject {
  Q_OBJECT
  std::unique_ptr<IA_ZEVO> w;

  QStringList spalte(const QString& key) const {
    QStringList werte;
    for (int r = 1; r <= w->datali->rows(); ++r) werte << w->datali->cell(r, key);
    return werte;
  }

private slots:
  void init() {
    test::hauptfenstergrundzustand();
    test::neuerProgrammordner();
    w = test::gestartet();
  }
  void cleanup() { w.reset(); }

  void filtersAndCounts_data() {
    QTest::addColumn<int>("option");
    QTest::addColumn<QStringList>("volknummern");
    QTest::newRow("Bestand") << 0 << QStringList{"1", "10", "2"};
    QTest::newRow("Abgang") << 1 << QStringList{"4", "5"};
    QTest::newRow("Alles") << 2 << QStringList{"1", "10", "2", "4", "5"};
  }
  void filtersAndCounts() {
    QFETCH(int, option);
    for (const char* nr : {"2", "10", "1"}) test::volkanlegen(nr, "X");
    test::volkanlegen("4", "");
    test::volkanlegen("5", "");
    w->optiverkauft[option]->setChecked(true);
    w->optiverkauft_Click(option);
    QTEST(spalte("Volknr"), "volknummern");   // Volknr is text: "10" before "2"
    QCOMPARE(w->datali->row(), 1);
    QCOMPARE(w->optiverkauft[0]->text(), QStringLiteral("Bestand (3 Völker)"));
    QCOMPARE(w->optiverkauft[1]->text(), QStringLiteral("Abgang (2 Völker)"));
    QCOMPARE(w->optiverkauft[2]->text(), QStringLiteral("Alles (5 Völker)"));
  }

  void storedQueriesAreRepaired() {
    common::völkerlistesql() = "select Volknr from Bienenvolk";
    common::stockkartesql() = "select Datum, Bemerkung from Stockkarte";
    common::infofenster() = "000";
    w->datenvölkerlesen();
    QCOMPARE(common::völkerlistesql(), shell::standardvölkerlistesql());
    QCOMPARE(w->datali->cols(), 36);
    QCOMPARE(w->datali->column(36).caption(), QStringLiteral("ID"));
    QCOMPARE(common::stockkartesql(), shell::standardstockkartesql());
    QCOMPARE(common::infofenster(), QString(50, '1'));

    // A chosen query is kept; one that cannot run falls back to the default.
    const QString eigene = "select Volknr, Varroaschäden, ID from Bienenvolk";
    common::völkerlistesql() = eigene;
    w->datenvölkerlesen();
    QCOMPARE(w->datali->cols(), 3);
    QCOMPARE(common::völkerlistesql(), eigene);
    common::völkerlistesql() = "select Volknr, Varroaschäden, Unsinn from Bienenvolk";
    test::messages().expect("wird durch die Standardabfrage ersetzt");
    w->datenvölkerlesen();
    QVERIFY(test::messages().allUsed());
    QCOMPARE(common::völkerlistesql(), shell::standardvölkerlistesql());
    QCOMPARE(w->datali->cols(), 36);
    QVERIFY(w->datali->isEnabled());
  }

  void sortIsRememberedAndApplied() {
    for (const char* nr : {"2", "1", "3"}) test::volkanlegen(nr, "X");
    common::einstellungzahl[25] = 40;
    w->datenvölkerlesen();
    QCOMPARE(common::einstellungzahl[25], 1);
    QCOMPARE(spalte("Volknr"), (QStringList{"1", "2", "3"}));

    w->datali->sort(2, 2);   // as a header click does, then the grid reports it
    w->datali_aftersort();
    QCOMPARE(common::einstellungzahl[25], 2);
    QCOMPARE(common::einstellungzahl[26], 2);
    w->datenvölkerlesen();
    QCOMPARE(spalte("Volkname"), (QStringList{"Volk 3", "Volk 2", "Volk 1"}));
  }

  void rowLabels() {
    for (const char* nr : {"7", "3", "5"}) test::volkanlegen(nr, "X");
    w->datenvölkerlesen();
    QString label;
    common::einstellungzahl[51] = 0;
    QStringList labels;
    for (int r = 1; r <= 3; ++r) w->datali_rowpaint(r, label), labels << label;
    QCOMPARE(labels, (QStringList{"3", "5", "7"}));
    common::einstellungzahl[51] = 1;
    w->datali->sort(1, 2);
    labels.clear();
    for (int r = 1; r <= 3; ++r) w->datali_rowpaint(r, label), labels << label;
    QCOMPARE(labels, (QStringList{"1", "2", "3"}));
  }

  void reloadOnActivationKeepsTheRowNumber() {
    for (int i = 1; i <= 7; ++i) test::volkanlegen(QString::number(i), "X");
    w->datenvölkerlesen();
    w->datali->setRow(7);
    common::völkerneulesen = 1;
    w->Form_Activate();
    QCOMPARE(common::völkerneulesen, 0);
    QCOMPARE(w->datali->row(), 7);
    common::datenbank.execute("delete from Bienenvolk where Volknr in ('6', '7')");
    common::völkerneulesen = 1;
    w->Form_Activate();
    QCOMPARE(w->datali->rows(), 5);
    QCOMPARE(w->datali->row(), 1);
    w->datali->setRow(4);
    w->Form_Activate();   // without the flag nothing is read
    QCOMPARE(w->datali->row(), 4);
  }

  // The widths the user gave survive a reload; at start they come from the store.
  void columnWidthsAreKept() {
    w->datali->column(3).setWidth(3000);
    w->datenvölkerlesen();
    QCOMPARE(w->datali->column(3).width(), 3000);
    QVERIFY(w->close());
    w.reset();   // one main window at a time
    w = test::gestartet();
    QCOMPARE(w->datali->column(3).width(), 3000);
  }
};

ZEVO_TEST_MAIN(TestIaZevoListe)
#include "test_ia_zevo_liste.moc"
