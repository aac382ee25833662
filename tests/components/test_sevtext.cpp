// The input field: kinds and limits while typing, verbatim texts, J/N,
// lists, key and focus events, control arrays.
#include "components/sevtext.h"
#include "support/eingabefeld.h"
#include "support/testmain.h"

#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QVBoxLayout>

using zevo::ui::sevText;
using zevo::ui::sevTextArray;
using zevo::test::pfeil;

namespace {

QLineEdit* editOf(sevText& f) { return f.findChild<QLineEdit*>(); }

// Types the characters one by one, umlauts included.
void typeText(QWidget* w, const QString& keys) {
  for (const QChar c : keys) {
    const int key = c.unicode() < 128 ? c.toUpper().unicode() : int(Qt::Key_unknown);
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
    QApplication::sendEvent(w, &release);
  }
}

}  // namespace

class SevTextTest : public QObject {
  Q_OBJECT
private slots:
  // kind: "ganz" (whole number min..max), "dezimal" (two decimals), "datum:<mask>", "text", "gesperrt".
  void typing_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("max");
    QTest::addColumn<int>("maxlength");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("text");
    QTest::newRow("rating") << "ganz" << 0.0 << 99.0 << 2 << "1a,57" << "157";
    QTest::newRow("no minus without a negative min") << "ganz" << 0.0 << 99.0 << 2 << "-4" << "4";
    QTest::newRow("year below its min stays") << "ganz" << 1901.0 << 2099.0 << 4 << "98" << "98";
    QTest::newRow("above max let through") << "ganz" << 1901.0 << 2099.0 << 4 << "2100" << "2100";
    QTest::newRow("minus only in front") << "ganz" << -10.0 << 10.0 << 3 << "-1-1" << "-11";
    QTest::newRow("no point in a whole number") << "ganz" << 0.0 << 999.0 << 3 << "1.5" << "15";
    QTest::newRow("thousands points") << "dezimal" << 0.0 << 0.0 << 12 << "1.234.567,891" << "1.234.567,89";
    QTest::newRow("point as the decimal sign") << "dezimal" << 0.0 << 0.0 << 8 << "12.5" << "12.5";
    QTest::newRow("a point group has three digits") << "dezimal" << 0.0 << 0.0 << 8 << "12.3456" << "12.345";
    QTest::newRow("no point after the comma") << "dezimal" << 0.0 << 0.0 << 8 << "1,2.3" << "1,23";
    QTest::newRow("one comma") << "dezimal" << 0.0 << 0.0 << 8 << "x1,2,3" << "1,23";
    QTest::newRow("decimal maxlength") << "dezimal" << 0.0 << 0.0 << 8 << "123456789" << "12345678";
    QTest::newRow("digits get the points") << "datum:dd.mm.yyyy" << 0.0 << 0.0 << 0 << "2512" << "25.12";
    QTest::newRow("whole date in digits") << "datum:dd.mm.yyyy" << 0.0 << 0.0 << 10 << "071220269" << "07.12.2026";
    QTest::newRow("season in digits") << "datum:dd.mm" << 0.0 << 0.0 << 10 << "01055" << "01.05";
    QTest::newRow("own points kept") << "datum:dd.mm.yyyy" << 0.0 << 0.0 << 0 << "1.5.2026" << "1.5.2026";
    QTest::newRow("date mask") << "datum:dd.mm.yyyy" << 0.0 << 0.0 << 0 << "a01.05.2007x9" << "01.05.2007";
    QTest::newRow("day and month") << "datum:dd.mm" << 0.0 << 0.0 << 0 << "01.052" << "01.05";
    QTest::newRow("format 2 alone") << "datum:" << 0.0 << 0.0 << 0 << "01.05.2007x9" << "01.05.2007";
    QTest::newRow("text maxlength") << "text" << 0.0 << 0.0 << 5 << "Bär & Co" << "Bär &";
    QTest::newRow("locked") << "gesperrt" << 0.0 << 0.0 << 0 << "12" << "";
  }
  void typing() {
    QFETCH(QString, kind);
    QFETCH(double, min);
    QFETCH(double, max);
    QFETCH(int, maxlength);
    QFETCH(QString, keys);
    QFETCH(QString, text);
    sevText f;
    f.setMaxlength(maxlength);
    if (kind == "ganz" || kind == "dezimal") {
      f.setTexttype(1);
      f.setNumbertype(kind == "ganz" ? 7 : 1);
      f.setNachkomma(2);
      f.setMin(min);
      f.setMax(max);
    } else if (kind.startsWith("datum:")) {
      f.setMask(kind.mid(6));
      f.setFormat(2);
    }
    f.setLocked(kind == "gesperrt");
    typeText(editOf(f), keys);
    QCOMPARE(f.text(), text);
  }

  // A decimal typed or pasted the German way keeps its thousands points; an
  // amount shows as money once the field is left.
  void thousandsPointsTypedAndPasted_data() {
    QTest::addColumn<bool>("paste");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");   // after leaving
    QTest::addColumn<int>("beeps");       // keys or pastes refused
    QTest::newRow("typed") << false << "1.234,5" << "1.234,5" << "1.234,50 €" << 0;
    QTest::newRow("pasted") << true << "1.234,5" << "1.234,5" << "1.234,50 €" << 0;
    QTest::newRow("point as decimal sign") << false << "12.5" << "12.5" << "12,50 €" << 0;
    QTest::newRow("two thousands points") << true << "1.234.567,8" << "1.234.567,8" << "1.234.567,80 €" << 0;
    QTest::newRow("pasted with three decimals") << true << "1.234,567" << "" << "" << 1;
    QTest::newRow("typed past the length") << false << "123.456.789,5" << "123.456.789," << "123.456.789,00 €" << 1;
  }
  void thousandsPointsTypedAndPasted() {
    QFETCH(bool, paste);
    QFETCH(QString, input);
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QFETCH(int, beeps);
    zevo::test::resetScripts();
    QWidget win;
    auto* preis = new sevText(0, &win);
    auto* next = new sevText(1, &win);
    auto* lay = new QVBoxLayout(&win);
    lay->addWidget(preis);
    lay->addWidget(next);
    preis->setTexttype(1);
    preis->setNumbertype(1);
    preis->setNachkomma(2);
    preis->setMaxlength(12);
    preis->setMoneyDisplay(true);
    win.show();
    QApplication::setActiveWindow(&win);
    QVERIFY(QTest::qWaitForWindowActive(&win));
    QTest::mouseClick(editOf(*preis), Qt::LeftButton);
    if (paste) {
      QApplication::clipboard()->setText(input);
      QTest::keyClick(editOf(*preis), Qt::Key_V, Qt::ControlModifier);
    } else {
      QTest::keyClicks(editOf(*preis), input);
    }
    QCOMPARE(preis->text(), text);
    QCOMPARE(zevo::test::beeps(), beeps);
    QTest::mouseClick(editOf(*next), Qt::LeftButton);
    QCOMPARE(preis->displayText(), shown);
  }

  // A whole number above the field's max is let through and becomes the max
  // when the field is left, by Tab or by Return; nothing is cut off.
  void wholeNumbersAreBroughtToTheirLimitWhenLeft_data() {
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("max");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("leaveBy");
    QTest::addColumn<QString>("text");
    QTest::newRow("above max by Tab") << 1.0 << 365.0 << "400" << int(Qt::Key_Tab) << "365";
    QTest::newRow("above max by Return") << 1.0 << 99.0 << "150" << int(Qt::Key_Return) << "99";
    QTest::newRow("within the range") << 1.0 << 365.0 << "120" << int(Qt::Key_Tab) << "120";
    QTest::newRow("positive min not enforced") << 30.0 << 999.0 << "5" << int(Qt::Key_Tab) << "5";
    QTest::newRow("below a negative min") << -10.0 << 10.0 << "-12" << int(Qt::Key_Tab) << "-10";
    QTest::newRow("no max") << 0.0 << 0.0 << "12345" << int(Qt::Key_Tab) << "12345";
  }
  void wholeNumbersAreBroughtToTheirLimitWhenLeft() {
    QFETCH(double, min);
    QFETCH(double, max);
    QFETCH(QString, keys);
    QFETCH(int, leaveBy);
    QFETCH(QString, text);
    QWidget win;
    auto* zahl = new sevText(0, &win);
    auto* next = new sevText(1, &win);
    auto* lay = new QVBoxLayout(&win);
    lay->addWidget(zahl);
    lay->addWidget(next);
    zahl->setTexttype(1);
    zahl->setNumbertype(7);
    zahl->setMaxlength(5);
    zahl->setMin(min);
    zahl->setMax(max);
    win.show();
    QApplication::setActiveWindow(&win);
    QVERIFY(QTest::qWaitForWindowActive(&win));
    QTest::mouseClick(editOf(*zahl), Qt::LeftButton);
    QTest::keyClicks(editOf(*zahl), keys);
    QCOMPARE(zahl->text(), keys);
    QTest::keyClick(editOf(*zahl), Qt::Key(leaveBy));
    QCOMPARE(zahl->text(), text);
  }

  void setTextIsVerbatimAndRaisesChange() {
    sevText f(4);
    f.setTexttype(1);
    f.setNumbertype(1);
    f.setNachkomma(2);
    QSignalSpy change(&f, &sevText::change);
    f.setText("0,333");
    f.setText("0,333");
    f.setText("  7 ");
    QTest::keyClick(editOf(f), Qt::Key_Backspace);      // a text outside the rules can be shortened
    QCOMPARE(f.text(), QString("  7"));
    QCOMPARE(change.count(), 3);
    QCOMPARE(change.at(0).at(0).toInt(), 4);
    const int piepse = zevo::test::beeps();
    f.setMoneyDisplay(true);                            // shown as money, text() unchanged
    f.setText("1234,5");
    QCOMPARE(f.text() + " " + f.displayText(), QString("1234,5 1.234,50 €"));
    QCOMPARE(zevo::test::beeps(), piepse);   // the field's own display is no refused input
  }

  void jnFields() {
    sevText f(5);
    f.setTexttype(2);
    QCOMPARE(f.text(), QString("N"));
    f.setText("J");
    f.setTexttype(2);                                   // building the mask again keeps the state
    QCOMPARE(f.text(), QString("J"));
    auto* box = f.findChild<QCheckBox*>();
    QTest::keyClick(box, Qt::Key_N);
    QTest::keyClick(box, Qt::Key_X);
    QCOMPARE(f.text(), QString("N"));
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(5, box->height() / 2));
    QCOMPARE(f.text(), QString("J"));
  }

  void lists() {
    sevText f(3);
    QSignalSpy pick(&f, &sevText::listpick);
    f.setSorted(true);
    for (const char* e : {"", "Zander", "Äpfel", "N"}) f.listadd(e);
    QCOMPARE(f.listtext(1), QString("Zander"));         // insertion order, sorted or not
    f.setListindex(2);
    QCOMPARE(f.text(), QString("Äpfel"));
    f.setListindex(-1);
    QCOMPARE(f.listindex(), 0);                          // the empty entry equals the empty text
    f.setText("Raps");
    QCOMPARE(f.listindex(), -1);
    QCOMPARE(pick.count(), 0);
    f.pick(3);                                           // the user's choice
    QCOMPARE(f.text(), QString("N"));
    QCOMPARE(pick.at(0).at(0).toInt(), 3);
    f.listclear();
    QCOMPARE(f.text() + QString::number(f.listcount()), QString("N0"));   // the text stays

    sevText only;                                        // picked from the list only
    only.setStyle(2);
    for (const char* e : {"", "J", "N"}) only.listadd(e);
    typeText(editOf(only), "abc");
    QCOMPARE(only.text(), QString());
    for (int i = 0; i < 3; ++i) QTest::keyClick(editOf(only), Qt::Key_Down);
    QCOMPARE(only.text(), QString("N"));
  }

  void keysFocusAndDropDownInAWindow() {
    QWidget win;
    auto* year = new sevText(7, &win);
    auto* sorte = new sevText(8, &win);
    auto* lay = new QVBoxLayout(&win);
    lay->addWidget(year);
    lay->addWidget(sorte);
    year->setTexttype(1);
    year->setNumbertype(7);
    year->setMin(1901);
    year->setMax(2099);
    QList<int> seen;
    year->keypress = [&](int index, int& key) {
      seen << index;
      if (key == '1') key = 0;
      else if (key == '5') key = '6';
      else if (key == 13) key = 9;
    };
    sorte->setShowbutton(true);
    sorte->listadd("Raps");
    sorte->listadd("Linde & Klee");
    win.show();
    QApplication::setActiveWindow(&win);
    QVERIFY(QTest::qWaitForWindowActive(&win));
    year->setfocus();
    typeText(editOf(*year), "159 ");
    QSignalSpy lost(year, &sevText::lostfocus);
    QSignalSpy got(sorte, &sevText::gotfocus);
    QTest::keyClick(editOf(*year), Qt::Key_Return);      // Enter made a Tab
    QVERIFY(editOf(*sorte)->hasFocus());
    QCOMPARE(year->text(), QString("69"));               // below min, and leaving changes nothing
    QCOMPARE(seen.first(), 7);
    QCOMPARE(lost.at(0).at(0).toInt(), 7);
    QCOMPARE(got.at(0).at(0).toInt(), 8);

    QSignalSpy pick(sorte, &sevText::listpick);
    QTest::keyClick(editOf(*sorte), Qt::Key_F4);
    QVERIFY(sorte->listPopup());
    sorte->listPopup()->actions().at(1)->trigger();
    QCOMPARE(sorte->text(), QString("Linde & Klee"));
    QCOMPARE(pick.count(), 1);
    sorte->listPopup()->close();

    QSignalSpy lostB(sorte, &sevText::lostfocus);
    QFocusEvent away(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(editOf(*sorte), &away);      // the whole program lost the focus
    QCOMPARE(lostB.count(), 0);
  }

  // The arrow is the design's: a field designed with a list shows it while
  // its list is still empty, and neither field changes its size when
  // entries come or go.
  void arrowFromTheDesign() {
    QWidget win;
    auto* lay = new QVBoxLayout(&win);
    auto* mit = new sevText(0, &win);
    auto* ohne = new sevText(1, &win);
    lay->addWidget(mit);
    lay->addWidget(ohne);
    mit->setShowbutton(true);
    win.show();
    QVERIFY(QTest::qWaitForWindowExposed(&win));
    const QSize fenster = win.sizeHint(), feld = mit->sizeHint(), feldohne = ohne->sizeHint();
    QVERIFY(pfeil(*mit));
    QVERIFY(!pfeil(*ohne));
    for (int runde = 0; runde < 2; ++runde) {
      mit->listadd("Raps");
      ohne->listadd("Raps");
      QApplication::processEvents();
      QVERIFY(pfeil(*mit));
      QVERIFY(!pfeil(*ohne));
      QCOMPARE(mit->sizeHint(), feld);
      QCOMPARE(ohne->sizeHint(), feldohne);
      QCOMPARE(win.sizeHint(), fenster);
      mit->listclear();
      ohne->listclear();
      QVERIFY(pfeil(*mit));
    }
  }

  void controlArrays() {
    QWidget w;
    sevTextArray sevt;
    for (int i = 0; i <= 3; ++i) sevt.add(i, &w);
    QSignalSpy change(&sevt, &sevTextArray::change);
    QList<int> keys;
    sevt.keypress = [&](int index, int&) { keys << index; };
    sevt(2).setText("x");
    typeText(editOf(sevt(1)), "k");
    QCOMPARE(change.at(0).at(0).toInt(), 2);
    QCOMPARE(keys, QList<int>({1}));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, sevt(9));
  }
};

ZEVO_TEST_MAIN(SevTextTest)
#include "test_sevtext.moc"
