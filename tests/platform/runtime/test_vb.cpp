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
    QTest::newRow("int") << QVariant(42) << "42";
    QTest::newRow("negative long") << QVariant(qint64(-7000000000)) << "-7000000000";
    QTest::newRow("double") << QVariant(3.5) << "3,5";
    QTest::newRow("below one") << QVariant(0.5) << "0,5";
    QTest::newRow("15 digits") << QVariant(1.0 / 3) << "0,333333333333333";
    QTest::newRow("single 7 digits") << QVariant(1.0f / 3) << "0,3333333";
    QTest::newRow("single exact") << QVariant(16.1f) << "16,1";
    QTest::newRow("single rounded") << QVariant(1234567.8f) << "1234568";
    QTest::newRow("large") << QVariant(1e20) << "1E+20";
    QTest::newRow("tiny") << QVariant(0.00001) << "1E-05";
    QTest::newRow("small fixed") << QVariant(0.0001) << "0,0001";
    QTest::newRow("whole double") << QVariant(1500.0) << "1500";
    QTest::newRow("true") << QVariant(true) << "Wahr";
    QTest::newRow("false") << QVariant(false) << "Falsch";
    QTest::newRow("date") << QVariant(QDate(2007, 3, 5)) << "05.03.2007";
    QTest::newRow("date and time")
        << QVariant(QDateTime(QDate(2007, 3, 5), QTime(14, 30))) << "05.03.2007 14:30:00";
    QTest::newRow("midnight") << QVariant(QDateTime(QDate(2007, 3, 5), QTime(0, 0))) << "05.03.2007";
    QTest::newRow("text") << QVariant(QString(" a ")) << " a ";
  }
  void cstr() {
    QFETCH(QVariant, value);
    QFETCH(QString, expected);
    QCOMPARE(vb::cstr(value), expected);
  }

  void dates_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDateTime>("expected");  // invalid = no date
    const auto d = [](int y, int m, int day) { return QDateTime(QDate(y, m, day), QTime(0, 0)); };
    QTest::newRow("full") << "01.01.1999" << d(1999, 1, 1);
    QTest::newRow("short parts") << "1.1.2001" << d(2001, 1, 1);
    QTest::newRow("31 February") << "31.02.2007" << QDateTime();
    QTest::newRow("leap day") << "29.02.2008" << d(2008, 2, 29);
    QTest::newRow("no leap day") << "29.02.2007" << QDateTime();
    QTest::newRow("day and month") << "1.5" << d(2007, 5, 1);
    QTest::newRow("trailing point") << "1.5." << d(2007, 5, 1);
    QTest::newRow("two-digit year 07") << "1.5.07" << d(2007, 5, 1);
    QTest::newRow("two-digit year 29") << "1.5.29" << d(2029, 5, 1);
    QTest::newRow("two-digit year 30") << "1.5.30" << d(1930, 5, 1);
    QTest::newRow("iso") << "2007-03-05" << d(2007, 3, 5);
    QTest::newRow("blanks") << "  05.03.2007 " << d(2007, 3, 5);
    QTest::newRow("with time") << "05.03.2007 10:15" << QDateTime(QDate(2007, 3, 5), QTime(10, 15));
    QTest::newRow("iso with time") << "2007-03-05T10:15:30" << QDateTime(QDate(2007, 3, 5), QTime(10, 15, 30));
    QTest::newRow("bad time") << "05.03.2007 25:00" << QDateTime();
    QTest::newRow("one digit") << "3" << QDateTime();
    QTest::newRow("two digits") << "45" << QDateTime();
    QTest::newRow("four digits") << "2512" << QDateTime();
    QTest::newRow("letters") << "abc" << QDateTime();
    QTest::newRow("empty") << "" << QDateTime();
    QTest::newRow("day 32") << "32.01.2007" << QDateTime();
    QTest::newRow("month 13") << "01.13.2007" << QDateTime();
    QTest::newRow("mixed") << "1.5-2007" << QDateTime();
  }
  void dates() {
    QFETCH(QString, text);
    QFETCH(QDateTime, expected);
    QCOMPARE(vb::isDate(text), expected.isValid());
    const auto parsed = vb::parseDateTime(text);
    if (expected.isValid()) {
      QVERIFY(parsed);
      QCOMPARE(*parsed, expected);
      QCOMPARE(*vb::parseDate(text), expected.date());
    }
  }

  void numbers_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("numeric");
    QTest::addColumn<double>("value");
    QTest::newRow("grouped") << "1.234,56" << true << 1234.56;
    QTest::newRow("blanks and sign") << " -3 " << true << -3.0;
    QTest::newRow("comma") << "1,5" << true << 1.5;
    QTest::newRow("point groups") << "1.5" << true << 15.0;
    QTest::newRow("exponent") << "1E3" << true << 1000.0;
    QTest::newRow("euro") << "5 €" << true << 5.0;
    QTest::newRow("letters") << "abc" << false << 0.0;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("comma only") << "," << false << 0.0;
    QTest::newRow("two commas") << "1,2,3" << false << 0.0;
    QTest::newRow("trailing letter") << "12a" << false << 0.0;
    QTest::newRow("leading point") << ".5" << false << 0.0;
  }
  void numbers() {
    QFETCH(QString, text);
    QFETCH(bool, numeric);
    QFETCH(double, value);
    QCOMPARE(vb::isNumeric(text), numeric);
    if (numeric) QCOMPARE(*vb::parseNumber(text), value);
  }

  void val_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("inner blanks") << " 12 34" << 1234.0;
    QTest::newRow("point") << "1.5" << 1.5;
    QTest::newRow("comma stops") << "1,5" << 1.0;
    QTest::newRow("stops at letter") << "-3abc" << -3.0;
    QTest::newRow("hex") << "&H10" << 16.0;
    QTest::newRow("hex integer") << "&HFFFF" << -1.0;
    QTest::newRow("octal") << "&O17" << 15.0;
    QTest::newRow("exponent") << "1e3" << 1000.0;
    QTest::newRow("D exponent") << "2D2" << 200.0;
    QTest::newRow("leading point") << "  .5" << 0.5;
    QTest::newRow("letters") << "abc" << 0.0;
  }
  void val() {
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(vb::val(text), value);
  }

  void str() {
    QCOMPARE(vb::str(14), QString(" 14"));
    QCOMPARE(vb::str(-3), QString("-3"));
    QCOMPARE(vb::str(0.5), QString(" .5"));
    QCOMPARE(vb::str(-0.5), QString("-.5"));
    QCOMPARE(vb::str(2.25), QString(" 2.25"));
    QCOMPARE(vb::str(0.0), QString(" 0"));
  }

  void format_data() {
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("expected");
    QTest::newRow("two decimals") << QVariant(3.5) << "0.00" << "3,50";
    QTest::newRow("half away") << QVariant(0.125) << "0.00" << "0,13";
    QTest::newRow("decimal value") << QVariant(2.675) << "0.00" << "2,68";
    QTest::newRow("negative") << QVariant(-2) << "0.00" << "-2,00";
    QTest::newRow("negative zero") << QVariant(-0.001) << "0.00" << "0,00";
    QTest::newRow("numeric text") << QVariant("11,5") << "0.0" << "11,5";
    QTest::newRow("empty text") << QVariant("") << "0.00" << "";
    QTest::newRow("null") << QVariant() << "0.00" << "";
    QTest::newRow("non-numeric") << QVariant("abc") << "0.00" << "abc";
    QTest::newRow("whole half") << QVariant(2.5) << "0" << "3";
    QTest::newRow("whole") << QVariant(1234.4) << "0" << "1234";
    QTest::newRow("single") << QVariant(1234.56f) << "0.00" << "1234,56";
    QTest::newRow("grouped") << QVariant(1234567.891) << "#,##0.00" << "1.234.567,89";
    QTest::newRow("optional digits") << QVariant(0.5) << "#.00" << ",50";
    QTest::newRow("hash decimals") << QVariant(2.5) << "0.##" << "2,5";
    QTest::newRow("carry") << QVariant(9.996) << "0.00" << "10,00";
    QTest::newRow("suffix") << QVariant(3) << "0.0 kg" << "3,0 kg";
    QTest::newRow("date") << QVariant(QDate(2007, 3, 5)) << "dd.mm.yyyy" << "05.03.2007";
    QTest::newRow("date text") << QVariant("5.3.07") << "dd.mm.yyyy" << "05.03.2007";
    QTest::newRow("no date") << QVariant("xyz") << "dd.mm.yyyy" << "xyz";
    QTest::newRow("time") << QVariant(QDateTime(QDate(2007, 3, 5), QTime(9, 7, 3))) << "hh:mm:ss"
                          << "09:07:03";
    QTest::newRow("currency") << QVariant(1234.5) << "Currency" << "1.234,50 €";
  }
  void format() {
    QFETCH(QVariant, value);
    QFETCH(QString, pattern);
    QFETCH(QString, expected);
    QCOMPARE(vb::format(value, pattern), expected);
  }

  void currencyAndRounding() {
    QCOMPARE(vb::formatCurrency(1234.56), QString("1.234,56 €"));
    QCOMPARE(vb::formatCurrency(-1234.56), QString("-1.234,56 €"));
    QCOMPARE(vb::formatCurrency(0), QString("0,00 €"));
    QCOMPARE(vb::formatCurrency(1234567), QString("1.234.567,00 €"));
    QVERIFY(!vb::formatCurrency(0).endsWith("DM"));
    QCOMPARE(vb::cint(137.5), 138);
    QCOMPARE(vb::cint(136.5), 136);
    QCOMPARE(vb::cint(-2.5), -2);
    QCOMPARE(vb::cint(2.6), 3);
    QCOMPARE(vb::clng(3e9), qint64(3000000000));
    QCOMPARE(vb::round(2.345, 2), 2.34);
    QCOMPARE(vb::round(2.355, 2), 2.36);
    QCOMPARE(vb::round(0.5), 0.0);
  }

  void strings() {
    QCOMPARE(vb::mid("abcdef", 2, 3), QString("bcd"));
    QCOMPARE(vb::mid("abcdef", 4), QString("def"));
    QCOMPARE(vb::mid("abc", 5), QString());
    QCOMPARE(vb::left("abc", 5), QString("abc"));
    QCOMPARE(vb::left("abc", -1), QString());
    QCOMPARE(vb::right("abc", 2), QString("bc"));
    QCOMPARE(vb::instr("abcabc", "c"), 3);
    QCOMPARE(vb::instr("abcabc", "c", 4), 6);
    QCOMPARE(vb::instr("abc", "x"), 0);
    QCOMPARE(vb::instr("abc", "", 2), 2);
    QCOMPARE(vb::trim("  a b  "), QString("a b"));
    QCOMPARE(vb::trim("\ta "), QString("\ta"));
    QCOMPARE(vb::ltrim("  a "), QString("a "));
    QCOMPARE(vb::rtrim("  a "), QString("  a"));
  }

  void textOrder_data() {
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<int>("sign");
    QTest::newRow("plain") << "Apfel" << "Birne" << -1;
    QTest::newRow("case") << "abc" << "ABC" << 0;
    QTest::newRow("umlaut after twin") << "Äpfel" << "Apfel" << 1;
    QTest::newRow("umlaut beside base") << "Äpfel" << "Apfelz" << -1;
    QTest::newRow("umlaut before next letter") << "Öl" << "Pfau" << -1;
    QTest::newRow("umlaut by base") << "Öl" << "Obst" << 1;
    QTest::newRow("sharp s twin") << "Straße" << "Strasse" << 1;
    QTest::newRow("sharp s as ss") << "Straße" << "Strasser" << -1;
    QTest::newRow("accent") << "Café" << "Cafe" << 1;
    QTest::newRow("digits before letters") << "1. Volk" << "A" << -1;
  }
  void textOrder() {
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(int, sign);
    const int r = vb::textCompare(a, b);
    QCOMPARE((r > 0) - (r < 0), sign);
    const int back = vb::textCompare(b, a);
    QCOMPARE((back > 0) - (back < 0), -sign);
  }

  void clock() {
    QCOMPARE(vb::date(), QDate(2007, 6, 15));
    vb::setClock({});
    QVERIFY(qAbs(vb::now().secsTo(QDateTime::currentDateTime())) < 5);
  }
};

ZEVO_TEST_MAIN(VbTest)
#include "test_vb.moc"
