#include "support/testmain.h"

#include "platform/runtime/vb.h"

using namespace zevo;

class VbTest : public QObject {
  Q_OBJECT
private slots:
  void init() { vb::setClock(QDateTime(QDate(2007, 6, 15), QTime(10, 0))); }
  void cleanup() { vb::setClock({}); }

  void cstr_data() {
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("null") << QVariant() << "";
    QTest::newRow("15 digits") << QVariant(1.0 / 3) << "0,333333333333333";
    QTest::newRow("single 7 digits") << QVariant(1.0f / 3) << "0,3333333";
    QTest::newRow("single rounded") << QVariant(1234567.8f) << "1234568";
    QTest::newRow("true") << QVariant(true) << "Wahr";
    QTest::newRow("date") << QVariant(QDate(2007, 3, 5)) << "05.03.2007";
    QTest::newRow("date and time")
        << QVariant(QDateTime(QDate(2007, 3, 5), QTime(14, 30))) << "05.03.2007 14:30:00";
  }
  void cstr() {
    QFETCH(QVariant, value);
    QFETCH(QString, expected);
    QCOMPARE(vb::cstr(value), expected);
  }

  // What cstr writes in exponent form comes out in plain digits; the rest as cstr writes it.
  void cstrOhneExponent() {
    QCOMPARE(vb::cstrOhneExponent(QVariant(12345678.0f)), QString("12345680"));
    QCOMPARE(vb::cstrOhneExponent(QVariant(-1.625e8f)), QString("-162500000"));
    QCOMPARE(vb::cstrOhneExponent(QVariant(5e-05)), QString("0,00005"));
    QCOMPARE(vb::cstrOhneExponent(QVariant(1e20)), QString("100000000000000000000"));
    QCOMPARE(vb::cstrOhneExponent(QVariant(1.0 / 3)), QString("0,333333333333333"));
    QCOMPARE(vb::cstrOhneExponent(QVariant(QString("1E5"))), QString("1E5"));
    QCOMPARE(vb::cstr(QVariant(12345678.0f)), QString("1,234568E+07"));
  }

  void dates_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDateTime>("expected");  // invalid = no date
    const auto d = [](int y, int m, int day) { return QDateTime(QDate(y, m, day), QTime(0, 0)); };
    QTest::newRow("full") << "01.01.1999" << d(1999, 1, 1);
    QTest::newRow("31 February") << "31.02.2007" << QDateTime();
    QTest::newRow("day and month") << "1.5" << d(2007, 5, 1);
    QTest::newRow("two-digit year 29") << "1.5.29" << d(2029, 5, 1);
    QTest::newRow("two-digit year 30") << "1.5.30" << d(1930, 5, 1);
    QTest::newRow("iso") << "2007-03-05" << d(2007, 3, 5);
    QTest::newRow("with time") << "05.03.2007 10:15" << QDateTime(QDate(2007, 3, 5), QTime(10, 15));
    QTest::newRow("bad time") << "05.03.2007 25:00" << QDateTime();
    QTest::newRow("one digit") << "3" << QDateTime();
    QTest::newRow("month 13") << "01.13.2007" << QDateTime();
    // One range of years on every path: 100 to 9999.
    QTest::newRow("iso year 24") << "0024-01-02" << QDateTime();
    QTest::newRow("year 24") << "02.01.0024" << QDateTime();
    QTest::newRow("iso year 100") << "0100-01-01" << d(100, 1, 1);
    QTest::newRow("year 9999") << "31.12.9999" << d(9999, 12, 31);
  }
  void dates() {
    QFETCH(QString, text);
    QFETCH(QDateTime, expected);
    QCOMPARE(vb::isDate(text), expected.isValid());
    QCOMPARE(vb::parseDateTime(text).value_or(QDateTime()), expected);
    QCOMPARE(vb::parseDate(text).value_or(QDate()), expected.date());
  }

  void numbers_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("numeric");
    QTest::addColumn<double>("value");
    QTest::newRow("grouped") << "1.234,56" << true << 1234.56;
    QTest::newRow("point groups") << "1.5" << true << 15.0;
    QTest::newRow("euro") << "5 €" << true << 5.0;
    QTest::newRow("two commas") << "1,2,3" << false << 0.0;
    QTest::newRow("trailing letter") << "12a" << false << 0.0;
    QTest::newRow("leading point") << ".5" << false << 0.0;
    QTest::newRow("too large for a double") << "1e400" << false << 0.0;
    QTest::newRow("too small is zero") << "1e-400" << true << 0.0;
    QTest::newRow("large exponent") << "1,5e300" << true << 1.5e300;
  }
  void numbers() {
    QFETCH(QString, text);
    QFETCH(bool, numeric);
    QFETCH(double, value);
    QCOMPARE(vb::isNumeric(text), numeric);
    if (numeric) QCOMPARE(*vb::parseNumber(text), value);
  }

  void val() {
    const QList<QPair<QString, double>> cases = {{" 12 34", 1234}, {"1,5", 1},    {"-3abc", -3},
                                                 {"&H10", 16},      {"&HFFFF", -1}, {"2D2", 200}, {"  .5", 0.5},
                                                 {"1e400", 0},      {"-.5", -0.5}};
    for (const auto& [text, value] : cases) QCOMPARE(vb::val(text), value);
  }

  void str() {
    QCOMPARE(vb::str(14) + vb::str(-3), QString(" 14-3"));
    QCOMPARE(vb::str(0.5) + vb::str(-0.5), QString(" .5-.5"));
    QCOMPARE(vb::str(2.25) + vb::str(0.0), QString(" 2.25 0"));
  }

  void format_data() {
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("expected");
    QTest::newRow("half away") << QVariant(0.125) << "0.00" << "0,13";
    QTest::newRow("decimal value") << QVariant(2.675) << "0.00" << "2,68";
    QTest::newRow("negative zero") << QVariant(-0.001) << "0.00" << "0,00";
    QTest::newRow("non-numeric") << QVariant("abc") << "0.00" << "abc";
    QTest::newRow("grouped") << QVariant(1234567.891) << "#,##0.00" << "1.234.567,89";
    QTest::newRow("optional digits") << QVariant(0.5) << "#.00" << ",50";
    QTest::newRow("carry") << QVariant(9.996) << "0.00" << "10,00";
    QTest::newRow("date text") << QVariant("5.3.07") << "dd.mm.yyyy" << "05.03.2007";
    QTest::newRow("currency") << QVariant(1234.5) << "Currency" << "1.234,50 €";
    // A number that is no day of the calendar stays a number.
    QTest::newRow("huge day number") << QVariant(1e20) << "dd.mm.yyyy" << vb::cstr(1e20);
    QTest::newRow("huge day number, year") << QVariant(vb::val("1e44")) << "yyyy" << vb::cstr(1e44);
    QTest::newRow("NaN as a date") << QVariant(qQNaN()) << "dd.mm.yyyy" << vb::cstr(qQNaN());
    QTest::newRow("first day") << QVariant(-657434.0) << "dd.mm.yyyy" << "01.01.0100";
    QTest::newRow("last day") << QVariant(2958465.75) << "dd.mm.yyyy hh:nn" << "31.12.9999 18:00";
    QTest::newRow("after the last day") << QVariant(2958466.0) << "dd.mm.yyyy" << "2958466";
  }
  void format() {
    QFETCH(QVariant, value);
    QFETCH(QString, pattern);
    QFETCH(QString, expected);
    QCOMPARE(vb::format(value, pattern), expected);
  }

  void currencyAndRounding() {
    QCOMPARE(vb::formatCurrency(-1234.56), QString("-1.234,56 €"));
    QCOMPARE(vb::formatCurrency(0), QString("0,00 €"));
    QCOMPARE(QList<int>({vb::cint(137.5), vb::cint(136.5), vb::cint(-2.5), vb::cint(2.6)}),
             QList<int>({138, 136, -2, 3}));   // half to even
    QCOMPARE(vb::clng(3e9), qint64(3000000000));
    QCOMPARE(vb::round(2.345, 2), 2.34);
    QCOMPARE(vb::round(2.355, 2), 2.36);
  }

  void strings() {
    QCOMPARE(vb::mid("abcdef", 2, 3) + vb::mid("abcdef", 4) + vb::mid("abc", 5), QString("bcddef"));
    QCOMPARE(vb::left("abc", 5) + vb::left("abc", -1) + vb::right("abc", 2), QString("abcbc"));
    QCOMPARE(QList<int>({vb::instr("abcabc", "c", 4), vb::instr("abc", "x"), vb::instr("abc", "", 2)}),
             QList<int>({6, 0, 2}));
    QCOMPARE(vb::trim("  a b  ") + "|" + vb::trim("\ta ") + "|" + vb::rtrim("  a "), QString("a b|\ta|  a"));
  }

  void textOrder() {
    // Each pair in ascending German order; case does not count.
    const QList<QPair<QString, QString>> ascending = {{"Apfel", "Äpfel"},       {"Äpfel", "Apfelz"}, {"Obst", "Öl"},
                                                      {"Straße", "Strasser"}, {"Cafe", "Café"},    {"1. Volk", "A"}};
    for (const auto& [a, b] : ascending)
      QVERIFY2(vb::textCompare(a, b) < 0 && vb::textCompare(b, a) > 0, qPrintable(a + " / " + b));
    QCOMPARE(vb::textCompare("abc", "ABC"), 0);
  }
};

ZEVO_TEST_MAIN(VbTest)
#include "test_vb.moc"
