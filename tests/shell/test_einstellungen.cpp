// The settings window: the fall-backs on "Schließen", the separators, the
// column orders and their SQL texts, the data card marks, a failed write.
#include "common/einstellungen.h"
#include "components/sevgrid.h"
#include "components/sevtext.h"
#include "platform/runtime/files.h"
#include "shell/ia_zevo.h"
#include "shell/io_einstellungen.h"
#include "support/eingabefeld.h"
#include "support/testmain.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QListWidget>

using namespace zevo;

namespace {

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
    for (const char* s : {"Volknr", "Volkname", "Standort", "ID"}) grid_.addcolumn(s, s);
  }

  void init() {
    test::resetScripts();
    common::datenpfad = vb::programFolder();
    common::datali = &grid_;
    common::einstellungenleeren();
    common::ersteinstellungen();
    common::völkerlistesql() = "select Volknr, Volkname, Standort, ID from Bienenvolk";
    common::stockkartesql() = shell::standardstockkartesql();
    common::völkerneulesen = 0;
  }

  void cleanup() { common::datali = nullptr; }

  // Out-of-range numbers fall back when stored; whole numbers are rounded.
  void fallBacksWhenStored() {
    for (const auto& [feld, eingabe, einstellung, gespeichert] :
         {std::tuple{0, "1000", 50, 14}, {1, "400", 17, 365}, {4, "10", 49, 30}, {11, " 7.6", 45, 8}}) {
      auto w = fenster();
      (*w->sevt)(feld).setText(eingabe);
      w->ok_Click();
      QCOMPARE(common::einstellungzahl[einstellung], gespeichert);
    }
  }

  // Typed with keys: a number above the field's max becomes the max when
  // the field is left (here by Return, which presses no other button after
  // "Hilfe" was clicked) and is stored so.
  void typedNumbersAndReturn_data() {
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("stored");   // sicherungstage for field 0, terminvorlauf for field 1
    QTest::newRow("open dates above 365") << 1 << "400" << "365" << 365;
    QTest::newRow("open dates within") << 1 << "120" << "120" << 120;
    QTest::newRow("backup days above 999") << 0 << "1500" << "999" << 999;
    QTest::newRow("backup days below 1") << 0 << "0" << "0" << 14;
  }
  void typedNumbersAndReturn() {
    QFETCH(int, field);
    QFETCH(QString, keys);
    QFETCH(QString, shown);
    QFETCH(int, stored);
    auto w = fenster();
    QVERIFY(test::showActive(*w));
    test::forms().on("IH_Hilfe", [](vb::Form* f) { if (f) f->unload(); });
    QTest::mouseClick(w->hilfe, Qt::LeftButton);
    ui::sevText& f = (*w->sevt)(field);
    QTest::mouseClick(f.editor(), Qt::LeftButton);
    f.editor()->selectAll();
    QTest::keyClicks(f.editor(), keys);
    QTest::keyClick(f.editor(), Qt::Key_Return);
    QCOMPARE(f.text(), shown);
    QCOMPARE(test::forms().shown(), QStringList{"IH_Hilfe"});
    QVERIFY(!w->isUnloaded());
    QStringList defaults;   // the window marks none, and none became one by itself
    for (const QPushButton* b : w->findChildren<QPushButton*>())
      if (b->isDefault() || b->autoDefault()) defaults << b->text();
    QCOMPARE(defaults, QStringList());
    QTest::mouseClick(w->ok, Qt::LeftButton);
    QVERIFY(w->isUnloaded());
    QCOMPARE(field == 0 ? common::sicherungstage() : common::terminvorlauf(), stored);
  }

  // Blanks are part of a separator: nothing is trimmed; only an empty field
  // falls back.
  void separators() {
    common::trennzeichen() = "  ";
    auto w = fenster();
    QVERIFY(zevo::test::pfeil((*w->sevt)(3)));
    QCOMPARE((*w->sevt)(3).text(), QStringLiteral("  "));
    w->ok_Click();
    QCOMPARE(common::trennzeichen(), QStringLiteral("  "));
    auto v = fenster();
    (*v->sevt)(3).setText("");
    v->ok_Click();
    QCOMPARE(common::trennzeichen(), QStringLiteral(" | "));
  }

  void stockCardOrder() {
    const QString standard = shell::standardstockkartesql();
    QCOMPARE(shell::stockkartezerlegen(standard).size(), 18);
    auto w = fenster();   // unchanged: stored as it was, no message
    w->ok_Click();
    QCOMPARE(common::stockkartesql(), standard);
    QCOMPARE(test::messages().count(), 0);

    auto v = fenster();   // Brutstand moves up before Volkstärke
    v->listock->setCurrentRow(2);
    v->aufwaertsstock_Click(0);
    test::messages().expect("Reihenfolge der Stockkarte geändert");
    v->ok_Click();
    QVERIFY(test::messages().allUsed());
    QVERIFY(common::stockkartesql().startsWith("select Datum, Brutstand, Volkstärke, Wabensitz, "));
    QVERIFY(common::stockkartesql().endsWith(", Bemerkung, ID from Stockkarte"));
  }

  // Moves that are not allowed do nothing; a missing mark gets the message
  // (in the stock card list only after the first/last test).
  void moveRules() {
    auto w = fenster();
    const QStringList stücke = texte(w->listock);
    test::messages().expect("zuerst das zu verschiebende Datenfeld");
    w->aufwaerts_Click(0);
    for (const auto& [zeile, knopf] : QList<QPair<int, int>>{{0, 0}, {0, 1}, {17, 0}, {17, 1}, {1, 0}, {16, 1}}) {
      w->listock->setCurrentRow(zeile);
      w->aufwaertsstock_Click(knopf);
    }
    QCOMPARE(texte(w->listock), stücke);
    QVERIFY(test::messages().allUsed());

    // Repeated clicks move the same column further: ID to the front.
    w->li->setCurrentRow(3);
    for (int i = 0; i < 3; ++i) w->aufwaerts_Click(0);
    test::messages().expect("Spaltenbreite an");
    w->ok_Click();
    QVERIFY(test::messages().allUsed());
    QCOMPARE(common::völkerlistesql(), QStringLiteral("select ID, Volknr, Volkname, Standort from Bienenvolk"));
    QCOMPARE(common::völkerneulesen, 1);
  }

  void infoFlags() {
    common::infofenster() = "101";
    auto w = fenster();
    QVERIFY(w->litext1->item(2)->isSelected() && !w->litext1->item(1)->isSelected());
    w->litext2->item(10)->setSelected(true);
    w->ok_Click();
    QCOMPARE(common::infofenster(), "101" + QString(38, '0') + "1");
  }

  void failedWriteIsReported() {
    QFile::remove(common::einstellungsdatei());
    QVERIFY(QDir().mkpath(common::einstellungsdatei() + "/belegt"));
    auto w = fenster();
    test::messages().expect("nicht gespeichert");
    w->ok_Click();
    QVERIFY(test::messages().allUsed());
  }
};

ZEVO_TEST_MAIN(EinstellungenTest)
#include "test_einstellungen.moc"
