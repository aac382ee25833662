#include "grundzustand.h"

#include "common/einstellungen.h"
#include "common/fensterdienste.h"
#include "common/routinen.h"
#include "components/sevgrid.h"
#include "platform/runtime/vb.h"

#include <cmath>

using namespace zevo;
using namespace zevo::common;

class RoutinenTest : public QObject {
  Q_OBJECT
private slots:
  void init() { test::grundzustand(); }

  // zahlaustext reads the number and rewrites the caller's variable in place.
  void zahlaustextTable_data() {
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<float>("expected");
    QTest::addColumn<QVariant>("after");
    QTest::newRow("grouped comma") << QVariant("1.234,56") << 1234.56f << QVariant("1.234.56");
    QTest::newRow("trailing point") << QVariant("12.") << 12.0f << QVariant("12");
    QTest::newRow("minus dropped") << QVariant("-3") << 3.0f << QVariant("-3");
    QTest::newRow("null") << QVariant() << 0.0f << QVariant(0);
    QTest::newRow("currency text") << QVariant("1.234,50 €") << 1234.5f << QVariant("1.234.50 €");
    QTest::newRow("number") << QVariant(2.5) << 2.5f << QVariant("2.5");
  }
  void zahlaustextTable() {
    QFETCH(QVariant, value);
    QFETCH(float, expected);
    QFETCH(QVariant, after);
    QVariant v = value;
    QCOMPARE(zahlaustext(v), expected);
    QCOMPARE(v.toString(), after.toString());
    QCOMPARE(v.isNull(), after.isNull());
    if (value.typeId() == QMetaType::QString) {
      QString s = value.toString();
      QCOMPARE(zahlaustext(s), expected);
      QCOMPARE(s, after.toString());
      QCOMPARE(zahlaustext(value.toString()), expected);   // a constant stays as it is
    }
  }

  // A key goes into SQL as a positive whole number of int's range or not at all.
  // A stored value: as zahlaustext reads its text, but a number in exponent
  // form is that number, its minus dropped; a text is read as typed.
  void zahlauswertTable() {
    const float rest = zahlauswert(QVariant(-5.55e-17));
    QVERIFY(rest > 5.5e-17f && rest < 5.6e-17f);
    QCOMPARE(zahlauswert(QVariant(-12345678.0)), 12345678.0f);
    QCOMPARE(zahlauswert(QVariant(0.00004f)), 0.00004f);
    QCOMPARE(zahlauswert(QVariant(12345678.0f)), 12345680.0f);
    QCOMPARE(zahlauswert(QVariant(-2.5)), 2.5f);
    QCOMPARE(zahlauswert(QVariant(QStringLiteral("1E5"))), 15.0f);
    QCOMPARE(zahlauswert(QVariant()), 0.0f);
  }

  void sqlidTable_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");   // -1: no key
    QTest::newRow("number") << "7" << 7;
    QTest::newRow("blanks around") << " 7 " << 7;
    QTest::newRow("largest") << "2147483647" << 2147483647;
    QTest::newRow("beyond int") << "2147483648" << -1;
    QTest::newRow("eleven digits") << "10000000001" << -1;
    QTest::newRow("zero") << "0" << -1;
    QTest::newRow("leading zeros") << "007" << 7;
    QTest::newRow("minus") << "-7" << -1;
    QTest::newRow("plus") << "+7" << -1;
    QTest::newRow("text after") << "7 or 1=1" << -1;
    QTest::newRow("decimal") << "7,0" << -1;
    QTest::newRow("empty") << "" << -1;
  }
  void sqlidTable() {
    QFETCH(QString, text);
    QFETCH(int, expected);
    QCOMPARE(sqlid(text).value_or(-1), expected);
    QCOMPARE(sqlidtext(text), QString::number(std::max(expected, 0)));   // no key selects nothing
  }

  // The exact reading: zahlaustext's rules, a double result, the sign on request.
  void zahlaustextgenauTable_data() {
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("vorzeichen");
    QTest::addColumn<double>("expected");
    QTest::newRow("beyond a single") << QVariant("12345,67") << false << 12345.67;
    QTest::newRow("grouped comma") << QVariant("1.234.567,89") << false << 1234567.89;
    QTest::newRow("trailing point") << QVariant("12.") << false << 12.0;
    QTest::newRow("trailing point after a group") << QVariant("1.234.") << false << 1.234;   // chopped first
    QTest::newRow("minus dropped") << QVariant("-3") << false << 3.0;
    QTest::newRow("minus kept") << QVariant("-2,5") << true << -2.5;
    QTest::newRow("minus after blanks") << QVariant(" -1") << true << -1.0;
    QTest::newRow("minus of zero") << QVariant("-0") << true << 0.0;
    QTest::newRow("empty") << QVariant("") << true << 0.0;
    QTest::newRow("null") << QVariant() << true << 0.0;
    QTest::newRow("currency text") << QVariant("1.234,50 €") << false << 1234.5;
    QTest::newRow("0,57") << QVariant("0,57 €") << false << 0.57;
    QTest::newRow("1,15") << QVariant("1,15") << true << 1.15;
    QTest::newRow("ten-thousandths") << QVariant("2.675,005") << false << 2675.005;
  }
  void zahlaustextgenauTable() {
    QFETCH(QVariant, value);
    QFETCH(bool, vorzeichen);
    QFETCH(double, expected);
    QCOMPARE(zahlaustextgenau(value, vorzeichen), expected);
    QCOMPARE(std::signbit(zahlaustextgenau(value, vorzeichen)), std::signbit(expected));
    if (value.typeId() == QMetaType::QString) {
      const QString text = value.toString();
      QCOMPARE(zahlaustextgenau(text, vorzeichen), expected);
      QCOMPARE(text, value.toString());   // the argument stays as it is
    }
  }

  void zahlformatierenTable_data() {
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("after");
    QTest::newRow("point") << QVariant("3.5") << 2 << "3,50" << "3,5";
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

  void textsAndDates() {
    QCOMPARE(feldtext(QVariant("O'Brien's ")), QString("O`Brien`s"));
    QCOMPARE(feldtext(QString("\tb ")), QString("\tb"));   // only blanks are trimmed
    QString d = "5.3.2007";
    QCOMPARE(sqldatum(d), QString("#03/05/2007#"));
    QCOMPARE(d, QString("05.03.2007"));
    QString kein = "abcdefghij";
    QCOMPARE(sqldatum(kein), QString("#de/ab/ghij#"));   // by position, whatever the text
    d = "05.03.07";
    QCOMPARE(sortdatum(d), QString("20070305"));
    QCOMPARE(d, QString("05.03.2007"));
    QCOMPARE(sortdatum(QString()), QString());
    QCOMPARE(rechtsbündig(" ab ", 4), QString("  ab"));
    QCOMPARE(linksbündig("ab", 4) + rechtsbündig("abcdef", 3), QString("ab  abc"));
  }

  void completeYear() {
    const QList<QPair<QString, QString>> years = {{"", "2007"},    {" 7 ", "2007"}, {"49", "2049"},
                                                  {"50", "1950"},  {"200", ""},     {"12345", "12345"}};
    for (const auto& [typed, year] : years) QCOMPARE(jahrergänzen(typed), year);
  }

  void completeDate_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("day") << "3" << "03.06.2007";
    QTest::newRow("day and month") << "45" << "04.05.2007";
    QTest::newRow("ddmm") << "2512" << "25.12.2007";
    QTest::newRow("d.m.yy") << "1.5.07" << "01.05.2007";
    QTest::newRow("no 31 June") << "31" << "";
    QTest::newRow("ten characters, no date") << "31.02.2007" << "";
  }
  void completeDate() {
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    QCOMPARE(datumergänzen(typed), expected);
  }

  void keysAndDigits() {
    QVERIFY(nurziffern("") && nurziffern("0123"));
    QVERIFY(!nurziffern("12a") && !nurziffern("-1"));
    for (int k : {int('5'), int('*'), 8, 9, 10, 13}) QCOMPARE(ziffertaste(k), k);
    QCOMPARE(ziffertaste('a') + ziffertaste(','), 0);
  }

  void toneAndDeleteQuestionFollowTheSettings() {
    piepton();
    eingabepiepton() = 1;
    piepton();
    eingabepiepton() = 2;
    piepton();
    QCOMPARE(test::beeps(), 1);

    QCOMPARE(löschenbestätigen(), 1);   // no question while löschabfrage is not 1
    löschabfrage() = 1;
    test::messages().expectYes("Soll der markierte Datensatz wirklich unwiederbringlich gelöscht werden?");
    QCOMPARE(löschenbestätigen(), 1);
    test::messages().expectNo();
    QCOMPARE(löschenbestätigen(), 0);
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
    volkblättern(7);                   // neither forward nor back: nothing
    QCOMPARE(grid.row(), 1);
    grid.setRow(0);
    volkblättern(0);
    QCOMPARE(grid.row(), 3);
    datali = nullptr;
  }
};

ZEVO_TEST_MAIN(RoutinenTest)
#include "test_routinen.moc"
