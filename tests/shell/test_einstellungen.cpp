// The settings window: loading, the fall-backs on "Schließen", the column
// orders and their SQL texts, the data card marks, "Standard" and the close box.

#include "common/einstellungen.h"
#include "components/sevgrid.h"
#include "components/sevtext.h"
#include "platform/runtime/files.h"
#include "platform/runtime/textfile.h"
#include "shell/io_einstellungen.h"
#include "support/testmain.h"

#include <QCheckBox>
#include <QDir>
#include <QListWidget>

using namespace zevo;

namespace {

const QString standardstockkarte = QStringLiteral(
    "select Datum, Volkstärke, Brutstand, Wabensitz, Sanftmut, Schwarmtrieb, Frühjahrsentw, Winterfestigkeit, "
    "Varroaschäden, Belagert, Mittelwände, Waben, Futter_flüssig_l, Futter_Teig_kg, Eigener_Futtervorrat, Volk, "
    "Bemerkung, ID from Stockkarte");

QStringList texte(const QListWidget* l) {
  QStringList out;
  for (int i = 0; i < l->count(); ++i) out << l->item(i)->text();
  return out;
}

}  // namespace

class EinstellungenTest : public QObject {
  Q_OBJECT
  ui::sevGrid grid_;

  std::unique_ptr<shell::IO_Einstellungen> fenster() {
    auto w = std::make_unique<shell::IO_Einstellungen>();
    w->Form_Load();
    return w;
  }

private slots:
  void initTestCase() {
    grid_.addcolumn("Volknr", "Volknr");
    grid_.addcolumn("Volkname", "Volkname");
    grid_.addcolumn("Standort", "Standort");
    grid_.addcolumn("ID", "ID");
  }

  void init() {
    test::resetScripts();
    test::setToday(QDate(2026, 12, 5));
    common::heutesetzen();
    common::datenpfad = vb::programFolder();
    common::datali = &grid_;
    common::einstellungenleeren();
    common::ersteinstellungen();
    common::völkerlistesql() = "select Volknr, Volkname, Standort, ID from Bienenvolk";
    common::stockkartesql() = standardstockkarte;
    common::infofenster() = QString(42, '1');
    common::völkerneulesen = 0;
    QDir(common::einstellungsdatei()).removeRecursively();
    QFile::remove(common::einstellungsdatei());
  }

  void cleanup() { common::datali = nullptr; }

  void loadShowsTheSettings() {
    common::honigwert() = 12.5f;
    common::einstellungzahl[44] = 16;
    common::einstellungzahl[51] = 1;
    common::kopftext() = "Imkerei Biene";
    auto w = fenster();
    QCOMPARE(w->sstab->tab(), 0);
    const bool erwartet[8] = {true, false, true, true, false, true, true, true};
    for (int k = 0; k < 8; ++k) QCOMPARE(w->kon[k]->isChecked(), erwartet[k]);
    QCOMPARE((*w->sevt)(0).text(), QStringLiteral("14"));
    QCOMPARE((*w->sevt)(4).text(), QStringLiteral("60"));
    QCOMPARE((*w->sevt)(5).text(), QStringLiteral("12,50"));
    QCOMPARE((*w->sevt)(6).text(), QStringLiteral("0,00"));
    QCOMPARE((*w->sevt)(10).text(), QStringLiteral("16"));
    QCOMPARE((*w->sevt)(2).text(), QStringLiteral("Imkerei Biene"));
    QCOMPARE((*w->sevt)(3).listcount(), 8);
    QCOMPARE(texte(w->li), (QStringList{"Volknr", "Volkname", "Standort", "ID"}));
    QCOMPARE(w->litext1->count(), 31);
    QCOMPARE(w->litext2->count(), 11);
  }

  void fallBacksWhenStored_data() {
    QTest::addColumn<int>("feld");
    QTest::addColumn<QString>("eingabe");
    QTest::addColumn<int>("einstellung");
    QTest::addColumn<int>("gespeichert");
    QTest::newRow("sicherung 0") << 0 << "0" << 50 << 14;
    QTest::newRow("sicherung leer") << 0 << "" << 50 << 14;
    QTest::newRow("sicherung 1000") << 0 << "1000" << 50 << 14;
    QTest::newRow("sicherung 999") << 0 << "999" << 50 << 999;
    QTest::newRow("vorlauf 0") << 1 << "0" << 17 << 14;
    QTest::newRow("vorlauf 400") << 1 << "400" << 17 << 365;
    QTest::newRow("vorlauf 365") << 1 << "365" << 17 << 365;
    QTest::newRow("zeilen 10") << 4 << "10" << 49 << 30;
    QTest::newRow("zeilen 999") << 4 << "999" << 49 << 999;
    QTest::newRow("mwst 0") << 10 << "0" << 44 << 0;
    QTest::newRow("mwst 51") << 11 << "51" << 45 << 51;
    QTest::newRow("gerundet") << 11 << " 7.6" << 45 << 8;
  }
  void fallBacksWhenStored() {
    QFETCH(int, feld);
    QFETCH(QString, eingabe);
    QFETCH(int, einstellung);
    QFETCH(int, gespeichert);
    auto w = fenster();
    (*w->sevt)(feld).setText(eingabe);
    w->ok_Click();
    QCOMPARE(common::einstellungzahl[einstellung], gespeichert);
    QVERIFY(w->isUnloaded());
  }

  void valuesAndText() {
    auto w = fenster();
    (*w->sevt)(5).setText("1.234,5");
    (*w->sevt)(9).setText("18,75");
    (*w->sevt)(2).setText("  Kopf mit Blanks ");
    w->kon[1]->setChecked(true);
    w->kon[7]->setChecked(false);
    w->ok_Click();
    QCOMPARE(common::honigwert(), 1234.5f);
    QCOMPARE(common::stundensatz(), 18.75f);
    QCOMPARE(common::kopftext(), QStringLiteral("  Kopf mit Blanks "));
    QCOMPARE(common::einstellungzahl[48], 1);
    QCOMPARE(common::löschabfrage(), 0);
  }

  // Blanks are part of a separator: nothing is trimmed.
  void separators_data() {
    QTest::addColumn<QString>("gespeichert");
    QTest::addColumn<QString>("angezeigt");
    QTest::addColumn<QString>("getippt");
    QTest::addColumn<QString>("danach");
    QTest::newRow("fremd") << "#" << " | " << "-" << " | ";
    QTest::newRow("zwei blanks") << "  " << "  " << "-" << "  ";
    QTest::newRow("ein blank") << " " << " " << "-" << " ";
    QTest::newRow("strich") << "|" << "|" << "-" << "|";
    QTest::newRow("geleert") << ";" << ";" << "" << " | ";
    QTest::newRow("getippt") << " | " << " | " << " - " << " - ";
  }
  void separators() {
    QFETCH(QString, gespeichert);
    QFETCH(QString, angezeigt);
    QFETCH(QString, getippt);
    QFETCH(QString, danach);
    common::trennzeichen() = gespeichert;
    auto w = fenster();
    QCOMPARE((*w->sevt)(3).text(), angezeigt);
    if (getippt != "-") (*w->sevt)(3).setText(getippt);
    w->ok_Click();
    QCOMPARE(common::trennzeichen(), danach);
  }

  void stockCardOrder() {
    QCOMPARE(shell::stockkartezerlegen(standardstockkarte).size(), 18);
    QCOMPARE(shell::stockkartesqlbilden(shell::stockkartezerlegen(standardstockkarte)), standardstockkarte);
    QCOMPARE(shell::stockkartesqlbilden({"select Datum", "ID from Stockkarte"}),
             QStringLiteral("select Datum, ID from Stockkarte"));
    QCOMPARE(shell::stockkartesqlbilden({}), QStringLiteral("select Datum, ID from Stockkarte"));
    QCOMPARE(shell::völkerlistesqlbilden({"Volknr", "Volkname", "ID"}),
             QStringLiteral("select Volknr, Volkname, ID from Bienenvolk"));

    // Unchanged: stored as it was, no message.
    auto w = fenster();
    QCOMPARE(w->listock->count(), 18);
    QCOMPARE(w->listock->item(0)->text(), QStringLiteral("select Datum"));
    QCOMPARE(w->listock->item(17)->text(), QStringLiteral("ID from Stockkarte"));
    w->ok_Click();
    QCOMPARE(common::stockkartesql(), standardstockkarte);
    QCOMPARE(test::messages().count(), 0);

    // Brutstand moves up before Volkstärke.
    auto v = fenster();
    v->listock->setCurrentRow(2);
    v->aufwaertsstock_Click(0);
    QCOMPARE(shell::IO_Einstellungen::auswahl(v->listock), 1);
    test::messages().expect("Reihenfolge der Stockkarte geändert");
    v->ok_Click();
    QVERIFY(test::messages().allUsed());
    QVERIFY(common::stockkartesql().startsWith("select Datum, Brutstand, Volkstärke, Wabensitz, "));
    QVERIFY(common::stockkartesql().endsWith(", Bemerkung, ID from Stockkarte"));
    QCOMPARE(common::völkerneulesen, 0);

    // A text of two pieces or fewer selects Datum and ID only.
    common::stockkartesql() = "select Datum, ID from Stockkarte";
    auto k = fenster();
    QCOMPARE(k->listock->count(), 2);
    k->ok_Click();
    QCOMPARE(common::stockkartesql(), QStringLiteral("select Datum, ID from Stockkarte"));
    QCOMPARE(test::messages().count(), 1);
  }

  // Moves that are not allowed do nothing; a missing mark gets the message
  // (in the stock card list only after the first/last test).
  void moveRules() {
    auto w = fenster();
    const QStringList spalten = texte(w->li);
    test::messages().expect("zuerst das zu verschiebende Datenfeld");
    w->aufwaerts_Click(0);
    QVERIFY(test::messages().allUsed());
    w->li->setCurrentRow(0);
    w->aufwaerts_Click(0);
    w->li->setCurrentRow(3);
    w->aufwaerts_Click(1);
    QCOMPARE(texte(w->li), spalten);

    const QStringList stücke = texte(w->listock);
    for (const auto& [zeile, knopf] : QList<QPair<int, int>>{{0, 0}, {0, 1}, {17, 0}, {17, 1}, {1, 0}, {16, 1}}) {
      w->listock->setCurrentRow(zeile);
      w->aufwaertsstock_Click(knopf);
      QCOMPARE(texte(w->listock), stücke);
    }
    QCOMPARE(test::messages().count(), 1);
    w->listock->clearSelection();
    test::messages().expect("zuerst das zu verschiebende Datenfeld");
    w->aufwaertsstock_Click(1);
    QVERIFY(test::messages().allUsed());

    // Repeated clicks move the same column further: ID to the front.
    for (int i = 0; i < 3; ++i) {
      if (i == 0) w->li->setCurrentRow(3);
      w->aufwaerts_Click(0);
    }
    QCOMPARE(texte(w->li), (QStringList{"ID", "Volknr", "Volkname", "Standort"}));
    test::messages().expect("Spaltenbreite an");
    w->ok_Click();
    QVERIFY(test::messages().allUsed());
    QCOMPARE(common::völkerlistesql(), QStringLiteral("select ID, Volknr, Volkname, Standort from Bienenvolk"));
    QCOMPARE(common::völkerneulesen, 1);
  }

  void infoFlags() {
    common::infofenster() = "101";
    auto w = fenster();
    QVERIFY(w->litext1->item(0)->isSelected());
    QVERIFY(!w->litext1->item(1)->isSelected());
    QVERIFY(w->litext1->item(2)->isSelected());
    QCOMPARE(w->litext1->currentRow(), 0);
    QVERIFY(!w->litext2->item(0)->isSelected());
    w->ok_Click();
    QCOMPARE(common::infofenster(), "101" + QString(39, '0'));

    common::infofenster() = QString(31, '0') + "01" + QString(9, '0');
    auto v = fenster();
    QVERIFY(v->litext2->item(1)->isSelected());
    v->litext2->item(10)->setSelected(true);
    v->ok_Click();
    QCOMPARE(common::infofenster(), QString(31, '0') + "01" + QString(8, '0') + "1");
  }

  void closingWithoutChangesWritesTheFile() {
    auto w = fenster();
    w->ok_Click();
    QCOMPARE(test::messages().count(), 0);
    QCOMPARE(common::völkerneulesen, 0);
    QVERIFY(QFile::exists(common::einstellungsdatei()));
    QCOMPARE(vb::readLines(common::einstellungsdatei()).size(), 173);

    // Without columns in the main grid the colony list keeps its text.
    common::datali = nullptr;
    auto ohne = fenster();
    ohne->ok_Click();
    QCOMPARE(common::völkerlistesql(), QStringLiteral("select Volknr, Volkname, Standort, ID from Bienenvolk"));
    QCOMPARE(test::messages().count(), 0);
    common::datali = &grid_;

    // The running-number display reloads the grid, without a message.
    auto v = fenster();
    v->kon[6]->setChecked(true);
    v->ok_Click();
    QCOMPARE(test::messages().count(), 0);
    QCOMPARE(common::völkerneulesen, 1);
  }

  void closeBoxDiscards() {
    auto w = fenster();
    (*w->sevt)(0).setText("99");
    w->kon[0]->setChecked(false);
    w->li->setCurrentRow(1);
    w->aufwaerts_Click(0);
    w->close();
    QVERIFY(w->isUnloaded());
    QCOMPARE(common::sicherungstage(), 14);
    QCOMPARE(common::terminlistebeimstart(), 1);
    QCOMPARE(common::völkerlistesql(), QStringLiteral("select Volknr, Volkname, Standort, ID from Bienenvolk"));
    QVERIFY(!QFile::exists(common::einstellungsdatei()));
  }

  void standardSetsTheControlsOnly() {
    common::kopftext() = "Kopf";
    common::trennzeichen() = ";";
    common::honigwert() = 7.0f;
    auto w = fenster();
    for (QCheckBox* k : w->kon) k->setChecked(false);
    (*w->sevt)(0).setText("5");
    (*w->sevt)(4).setText("100");
    test::messages().expectNo("Standard-Werten");
    w->standard_Click();
    QCOMPARE((*w->sevt)(0).text(), QStringLiteral("5"));
    test::messages().expectYes("Standard-Werten");
    w->standard_Click();
    const bool erwartet[8] = {true, false, true, true, false, true, false, true};
    for (int k = 0; k < 8; ++k) QCOMPARE(w->kon[k]->isChecked(), erwartet[k]);
    QCOMPARE((*w->sevt)(0).text(), QStringLiteral("14"));
    QCOMPARE((*w->sevt)(1).text(), QStringLiteral("14"));
    QCOMPARE((*w->sevt)(2).text(), QString());
    QCOMPARE((*w->sevt)(3).text(), QStringLiteral(" | "));
    QCOMPARE((*w->sevt)(4).text(), QStringLiteral("60"));
    QCOMPARE((*w->sevt)(5).text(), QStringLiteral("7,00"));
    QCOMPARE(common::kopftext(), QStringLiteral("Kopf"));   // nothing stored yet
  }

  void failedWriteIsReported() {
    QVERIFY(QDir().mkpath(common::einstellungsdatei() + "/belegt"));
    auto w = fenster();
    test::messages().expect("nicht gespeichert");
    w->ok_Click();
    QVERIFY(test::messages().allUsed());
    QVERIFY(w->isUnloaded());
    QCOMPARE(common::sicherungstage(), 14);
  }
};

ZEVO_TEST_MAIN(EinstellungenTest)
#include "test_einstellungen.moc"
