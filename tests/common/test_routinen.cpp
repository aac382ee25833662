#include "grundzustand.h"

#include "common/einstellungen.h"
#include "common/routinen.h"
#include "components/sevgrid.h"
#include "platform/runtime/vb.h"

using namespace zevo;
using namespace zevo::common;

class RoutinenTest : public QObject {
  Q_OBJECT
private slots:
  void init() {
    test::grundzustand();
  }

  void zahlaustextTable_data() {
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<float>("expected");
    QTest::addColumn<QVariant>("after");
    QTest::newRow("grouped comma") << QVariant("1.234,56") << 1234.56f << QVariant("1.234.56");
    QTest::newRow("comma") << QVariant("1,5") << 1.5f << QVariant("1.5");
    QTest::newRow("point") << QVariant("1.5") << 1.5f << QVariant("1.5");
    QTest::newRow("trailing point") << QVariant("12.") << 12.0f << QVariant("12");
    QTest::newRow("minus dropped") << QVariant("-3") << 3.0f << QVariant("-3");
    QTest::newRow("letters") << QVariant("abc") << 0.0f << QVariant("abc");
    QTest::newRow("null") << QVariant() << 0.0f << QVariant(0);
    QTest::newRow("empty") << QVariant("") << 0.0f << QVariant("");
    QTest::newRow("currency text") << QVariant("1.234,50 €") << 1234.5f << QVariant("1.234.50 €");
    QTest::newRow("blanks") << QVariant(" 2 5 ") << 25.0f << QVariant(" 2 5 ");
    QTest::newRow("number") << QVariant(2.5) << 2.5f << QVariant("2.5");
    QTest::newRow("two commas") << QVariant("1,2,3") << 1.2f << QVariant("1.2,3");
  }
  void zahlaustextTable() {
    QFETCH(QVariant, value);
    QFETCH(float, expected);
    QFETCH(QVariant, after);
    QVariant v = value;
    QCOMPARE(zahlaustext(v), expected);
    QCOMPARE(v.toString(), after.toString());
    QCOMPARE(v.isNull(), after.isNull());
  }

  void zahlaustextOverloads() {
    QString s = "12.";
    QCOMPARE(zahlaustext(s), 12.0f);
    QCOMPARE(s, QString("12"));
    const QString c = "7,5";
    QCOMPARE(zahlaustext(c), 7.5f);
    QCOMPARE(c, QString("7,5"));
    QCOMPARE(zahlaustext("3,25"), 3.25f);
    QCOMPARE(zahlaustext(QVariant(QString("4,5"))), 4.5f);
  }

  void zahlformatierenTable_data() {
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("after");
    QTest::newRow("point") << QVariant("3.5") << 2 << "3,50" << "3,5";
    QTest::newRow("empty") << QVariant("") << 2 << "0,00" << "0";
    QTest::newRow("letters") << QVariant("x") << 2 << "0,00" << "0";
    QTest::newRow("null") << QVariant() << 2 << "0,00" << "0";
    QTest::newRow("comma") << QVariant("2,5") << 2 << "2,50" << "2,5";
    QTest::newRow("negative") << QVariant(-2) << 2 << "-2,00" << "-2";
    QTest::newRow("number") << QVariant(3.5) << 1 << "3,5" << "3,5";
    QTest::newRow("whole") << QVariant(2.5) << 0 << "3" << "2,5";
    QTest::newRow("half away") << QVariant("0.125") << 2 << "0,13" << "0,125";
    QTest::newRow("single") << QVariant(1234.56f) << 2 << "1234,56" << "1234,56";
  }
  void zahlformatierenTable() {
    QFETCH(QVariant, value);
    QFETCH(int, decimals);
    QFETCH(QString, expected);
    QFETCH(QString, after);
    QVariant v = value;
    QCOMPARE(zahlformatieren(v, decimals), expected);
    QCOMPARE(v.toString(), after);
    if (value.typeId() == QMetaType::QString) {
      QString s = value.toString();
      QCOMPARE(zahlformatieren(s, decimals), expected);
      QCOMPARE(s, after);
    }
  }

  void feldtextTable() {
    QCOMPARE(feldtext(QVariant("O'Brien's ")), QString("O`Brien`s"));
    QCOMPARE(feldtext(QVariant()), QString());
    QCOMPARE(feldtext(QVariant(12.5)), QString("12,5"));
    QCOMPARE(feldtext(QVariant(QDate(2007, 3, 5))), QString("05.03.2007"));
    QCOMPARE(feldtext("  a  "), QString("a"));
    QCOMPARE(feldtext(QString("\tb ")), QString("\tb"));   // only blanks are trimmed
  }

  void datesByPosition() {
    QString d = "05.03.2007";
    QCOMPARE(sqldatum(d), QString("#03/05/2007#"));
    d = "5.3.2007";
    QCOMPARE(sqldatum(d), QString("#03/05/2007#"));
    QCOMPARE(d, QString("05.03.2007"));
    QString kein = "abcdefghij";
    QCOMPARE(sqldatum(kein), QString("#de/ab/ghij#"));
    QCOMPARE(kein, QString("abcdefghij"));
    d = "05.03.07";
    QCOMPARE(sortdatum(d), QString("20070305"));
    QCOMPARE(d, QString("05.03.2007"));
    QCOMPARE(sortdatum(QString("31.12.1999")), QString("19991231"));
    QCOMPARE(sortdatum(QString()), QString());
    QVERIFY(sortdatum(QString("02.01.2008")) > sortdatum(QString("31.12.2007")));
  }

  void completeYear() {
    QCOMPARE(jahrergänzen(""), QString("2007"));
    QCOMPARE(jahrergänzen(" 7 "), QString("2007"));
    QCOMPARE(jahrergänzen("49"), QString("2049"));
    QCOMPARE(jahrergänzen("50"), QString("1950"));
    QCOMPARE(jahrergänzen("200"), QString());
    QCOMPARE(jahrergänzen("2005"), QString("2005"));
    QCOMPARE(jahrergänzen("12345"), QString("12345"));
  }

  void completeDate_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("day") << "3" << "03.06.2007";
    QTest::newRow("day and month") << "45" << "04.05.2007";
    QTest::newRow("two-digit day") << "12" << "12.06.2007";
    QTest::newRow("ddmm") << "2512" << "25.12.2007";
    QTest::newRow("ddmmyy") << "251207" << "25.12.2007";
    QTest::newRow("ddmmyyyy") << "25121999" << "25.12.1999";
    QTest::newRow("d.m") << "1.5" << "01.05.2007";
    QTest::newRow("d.m.yy") << "1.5.07" << "01.05.2007";
    QTest::newRow("full") << "01.05.2007" << "01.05.2007";
    QTest::newRow("no 31 June") << "31" << "";
    QTest::newRow("letters") << "abc" << "";
    QTest::newRow("empty") << "  " << "";
    QTest::newRow("bad month") << "1.13" << "";
    QTest::newRow("ten characters, no date") << "31.02.2007" << "";
    QTest::newRow("trailing point") << "2512." << "25.12.2007";
  }
  void completeDate() {
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    QCOMPARE(datumergänzen(typed), expected);
  }

  void smallRoutines() {
    QVERIFY(nurziffern(""));
    QVERIFY(nurziffern("0123"));
    QVERIFY(!nurziffern("12a"));
    QVERIFY(!nurziffern("-1"));
    QCOMPARE(ziffertaste('a'), 0);
    QCOMPARE(ziffertaste('5'), int('5'));
    QCOMPARE(ziffertaste('*'), int('*'));
    for (int k : {8, 9, 10, 13}) QCOMPARE(ziffertaste(k), k);
    QCOMPARE(ziffertaste(','), 0);
    QCOMPARE(rechtsbündig(" ab ", 4), QString("  ab"));
    QCOMPARE(linksbündig("abcdef", 4), QString("abcd"));
    QCOMPARE(linksbündig("ab", 4), QString("ab  "));
    QCOMPARE(rechtsbündig("abcdef", 3), QString("abc"));
    QCOMPARE(rechtsbündig("ab", 0), QString());
  }

  void toneFollowsTheSetting() {
    piepton();
    QCOMPARE(test::beeps(), 0);
    eingabepiepton() = 1;
    piepton();
    QCOMPARE(test::beeps(), 1);
    eingabepiepton() = 2;
    piepton();
    QCOMPARE(test::beeps(), 1);
  }

  void deleteConfirmation() {
    QCOMPARE(löschenbestätigen(), 1);   // no question while löschabfrage is not 1
    QCOMPARE(test::messages().count(), 0);
    löschabfrage() = 1;
    test::messages().expectYes("Soll der markierte Datensatz wirklich unwiederbringlich gelöscht werden?");
    QCOMPARE(löschenbestätigen(), 1);
    test::messages().expectNo();
    QCOMPARE(löschenbestätigen(), 0);
    QVERIFY(test::messages().allUsed());
    const auto box = test::messages().shown().last();
    QCOMPARE(box.buttons, vb::YesNo);
    QCOMPARE(box.icon, vb::Question);
  }

  void stepThroughColonies() {
    volkblättern(1);   // no main grid yet: nothing happens
    ui::sevGrid grid;
    datali = &grid;
    volkblättern(1);   // an empty grid stays as it is
    QCOMPARE(grid.row(), 0);
    grid.addcolumn("Volknr", "Volknr");
    for (int i = 1; i <= 3; ++i) grid.additem(QString::number(i));
    grid.setRow(1);
    volkblättern(0);
    QCOMPARE(grid.row(), 3);
    volkblättern(1);
    QCOMPARE(grid.row(), 1);
    volkblättern(1);
    QCOMPARE(grid.row(), 2);
    volkblättern(7);
    QCOMPARE(grid.row(), 2);
    grid.setRow(0);
    volkblättern(1);
    QCOMPARE(grid.row(), 1);
    grid.setRow(0);
    volkblättern(0);
    QCOMPARE(grid.row(), 3);
    datali = nullptr;
  }
};

ZEVO_TEST_MAIN(RoutinenTest)
#include "test_routinen.moc"
