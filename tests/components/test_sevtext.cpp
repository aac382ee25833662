// The input field: kinds and limits while typing, verbatim texts, J/N,
// lists, key and focus events, control arrays.
#include "components/sevtext.h"
#include "support/testmain.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QVBoxLayout>

using zevo::ui::sevText;
using zevo::ui::sevTextArray;

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

// Types into an empty field and returns its text.
QString typed(sevText& f, const QString& keys) {
  f.setText(QString());
  typeText(editOf(f), keys);
  return f.text();
}

// A shown, active window with two fields one above the other.
struct TwoFields {
  TwoFields(int ia, int ib) : a(new sevText(ia, &w)), b(new sevText(ib, &w)) {
    auto* lay = new QVBoxLayout(&w);
    lay->addWidget(a);
    lay->addWidget(b);
  }
  bool show() {
    w.show();
    QApplication::setActiveWindow(&w);
    return QTest::qWaitForWindowActive(&w);
  }
  QWidget w;
  sevText* a;
  sevText* b;
};

void makeWhole(sevText& f, double min, double max, int maxlength) {
  f.setTexttype(1);
  f.setNumbertype(7);
  f.setMin(min);
  f.setMax(max);
  f.setMaxlength(maxlength);
}

}  // namespace

class SevTextTest : public QObject {
  Q_OBJECT
private slots:
  void wholeNumbers_data() {
    QTest::addColumn<double>("min");
    QTest::addColumn<double>("max");
    QTest::addColumn<int>("maxlength");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("text");
    QTest::newRow("rating") << 0.0 << 99.0 << 2 << "1a57" << "15";
    QTest::newRow("no minus without a negative min") << 0.0 << 99.0 << 2 << "-4" << "4";
    QTest::newRow("year below its min stays") << 1901.0 << 2099.0 << 4 << "98" << "98";
    QTest::newRow("above max refused") << 1901.0 << 2099.0 << 4 << "2100" << "210";
    QTest::newRow("negative min") << -10.0 << 10.0 << 3 << "-5" << "-5";
    QTest::newRow("below a negative min") << -10.0 << 10.0 << 3 << "-11" << "-1";
    QTest::newRow("minus only in front") << -10.0 << 10.0 << 3 << "5-" << "5";
    QTest::newRow("no comma") << 0.0 << 9999.0 << 4 << "1,5" << "15";
  }
  void wholeNumbers() {
    QFETCH(double, min);
    QFETCH(double, max);
    QFETCH(int, maxlength);
    QFETCH(QString, keys);
    QFETCH(QString, text);
    sevText f;
    makeWhole(f, min, max, maxlength);
    QCOMPARE(typed(f, keys), text);
  }

  void decimals() {
    sevText f;
    f.setTexttype(1);
    f.setNumbertype(1);
    f.setNachkomma(2);
    f.setMaxlength(8);
    QCOMPARE(typed(f, "12.345"), QString("12,34"));   // the point types a comma
    QCOMPARE(typed(f, "1,2,3"), QString("1,23"));
    QCOMPARE(typed(f, "123456789"), QString("12345678"));
    QCOMPARE(typed(f, "x7"), QString("7"));
  }

  void dateFieldsKeepWhatWasTyped() {
    sevText f;
    f.setMask("dd.mm.yyyy");
    f.setFormat(2);
    QCOMPARE(f.text(), QString());
    QCOMPARE(typed(f, "3"), QString("3"));
    QCOMPARE(typed(f, "2512"), QString("2512"));
    QCOMPARE(typed(f, "01.05.2007x9"), QString("01.05.2007"));
    QCOMPARE(typed(f, "a/1"), QString("1"));
    f.setMask("dd.mm");
    QCOMPARE(typed(f, "01.052"), QString("01.05"));
    f.setMask("");                                       // format 2 alone is a date field too
    QCOMPARE(typed(f, "01.05.2007x9"), QString("01.05.2007"));
    f.setText("");
    QCOMPARE(f.text(), QString());
  }

  void textFieldsHonourMaxlengthOnly() {
    sevText f;
    f.setMaxlength(5);
    QCOMPARE(typed(f, "Bär & Co"), QString("Bär &"));
    f.setText("ein langer Text");                      // set by the program: verbatim
    QCOMPARE(f.text(), QString("ein langer Text"));
  }

  void setTextIsVerbatimAndRaisesChange() {
    sevText f(4);
    f.setTexttype(1);
    f.setNumbertype(1);
    f.setNachkomma(2);
    QSignalSpy change(&f, &sevText::change);
    f.setText("0,333");
    QCOMPARE(f.text(), QString("0,333"));
    QCOMPARE(change.count(), 1);
    QCOMPARE(change.at(0).at(0).toInt(), 4);
    f.setText("0,333");
    QCOMPARE(change.count(), 1);
    f.setText("  7 ");
    QCOMPARE(f.text(), QString("  7 "));
    QTest::keyClick(editOf(f), Qt::Key_Backspace);      // a text outside the rules can be shortened
    QCOMPARE(f.text(), QString("  7"));
    QCOMPARE(change.count(), 3);
  }

  void jnFields() {
    sevText f(5);
    f.setTexttype(2);
    QCOMPARE(f.text(), QString("N"));
    QSignalSpy change(&f, &sevText::change);
    f.setText("J");
    QCOMPARE(f.text(), QString("J"));
    QCOMPARE(change.count(), 1);
    f.setTexttype(2);                                   // building the mask again keeps the state
    QCOMPARE(f.text(), QString("J"));
    auto* box = f.findChild<QCheckBox*>();
    QTest::keyClick(box, Qt::Key_N);
    QCOMPARE(f.text(), QString("N"));
    QTest::keyClick(box, Qt::Key_X);
    QCOMPARE(f.text(), QString("N"));
    QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(5, box->height() / 2));
    QCOMPARE(f.text(), QString("J"));
    QCOMPARE(change.count(), 3);
  }

  void lists() {
    sevText f(3);
    QSignalSpy pick(&f, &sevText::listpick);
    QSignalSpy change(&f, &sevText::change);
    f.setSorted(true);
    for (const char* e : {"", "Zander", "Äpfel", "J"}) f.listadd(e);
    QCOMPARE(f.listcount(), 4);
    QCOMPARE(f.listtext(1), QString("Zander"));         // insertion order, sorted or not
    QCOMPARE(f.listtext(9), QString());
    f.setListindex(2);
    QCOMPARE(f.text(), QString("Äpfel"));
    QCOMPARE(f.listindex(), 2);
    f.setListindex(-1);
    QCOMPARE(f.text(), QString());
    QCOMPARE(f.listindex(), 0);                          // the empty entry equals the empty text
    f.setText("Raps");
    QCOMPARE(f.listindex(), -1);
    QCOMPARE(pick.count(), 0);
    f.listclear();
    QCOMPARE(f.text(), QString("Raps"));
    QCOMPARE(f.listcount(), 0);
    f.listadd("J");
    f.listadd("N");
    change.clear();
    f.pick(1);                                           // the user's choice
    QCOMPARE(f.text(), QString("N"));
    QCOMPARE(pick.count(), 1);
    QCOMPARE(pick.at(0).at(0).toInt(), 3);
    QCOMPARE(change.count(), 1);
  }

  void pickOnlyFieldsStepThroughTheList() {
    sevText f;
    f.setStyle(2);
    f.listadd("");
    f.listadd("J");
    f.listadd("N");
    QSignalSpy pick(&f, &sevText::listpick);
    typeText(editOf(f), "abc");
    QCOMPARE(f.text(), QString());
    QTest::keyClick(editOf(f), Qt::Key_Down);
    QCOMPARE(f.text(), QString("J"));
    QTest::keyClick(editOf(f), Qt::Key_Down);
    QTest::keyClick(editOf(f), Qt::Key_Down);
    QCOMPARE(f.text(), QString("N"));
    QCOMPARE(pick.count(), 2);
  }

  void dropDownListPicks() {
    QWidget w;
    auto* f = new sevText(1, &w);
    f->setShowbutton(true);
    f->listadd("Raps");
    f->listadd("Linde & Klee");
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QSignalSpy pick(f, &sevText::listpick);
    QTest::keyClick(editOf(*f), Qt::Key_F4);
    QVERIFY(f->listPopup());
    const auto actions = f->listPopup()->actions();
    QCOMPARE(actions.size(), 2);
    actions[1]->trigger();
    QCOMPARE(f->text(), QString("Linde & Klee"));
    QCOMPARE(pick.count(), 1);
    f->listPopup()->close();
  }

  void keypressMayReplaceOrRefuse() {
    TwoFields win(7, 8);
    sevText* f = win.a;
    sevText* next = win.b;
    QList<int> seen;
    f->keypress = [&](int index, int& key) {
      seen << index;
      if (key == 'x') key = 0;
      else if (key == 'a') key = 'b';
      else if (key == 13) key = 9;
    };
    QVERIFY(win.show());
    f->setfocus();
    typeText(editOf(*f), "xaxc");
    QCOMPARE(f->text(), QString("bc"));
    QCOMPARE(seen.first(), 7);
    QTest::keyClick(editOf(*f), Qt::Key_Return);         // Enter made a Tab
    QVERIFY(editOf(*next)->hasFocus());
  }

  void focusEventsInsideTheWindowOnly() {
    TwoFields win(1, 2);
    sevText* a = win.a;
    sevText* b = win.b;
    QVERIFY(win.show());
    a->setfocus();
    QSignalSpy lost(a, &sevText::lostfocus);
    QSignalSpy got(b, &sevText::gotfocus);
    b->setfocus();
    QCOMPARE(lost.count(), 1);
    QCOMPARE(lost.at(0).at(0).toInt(), 1);
    QCOMPARE(got.count(), 1);
    QCOMPARE(got.at(0).at(0).toInt(), 2);
    QSignalSpy lostB(b, &sevText::lostfocus);
    QFocusEvent away(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(editOf(*b), &away);          // the whole program lost the focus
    QCOMPARE(lostB.count(), 0);
  }

  void focusLossChangesNothing() {
    TwoFields win(0, 1);
    sevText* year = win.a;
    sevText* other = win.b;
    makeWhole(*year, 1901, 2099, 4);
    QVERIFY(win.show());
    year->setfocus();
    typeText(editOf(*year), "98 ");
    other->setfocus();
    QCOMPARE(year->text(), QString("98"));
  }

  void moneyDisplay() {
    sevText f;
    f.setTexttype(1);
    f.setNumbertype(1);
    f.setNachkomma(2);
    f.setTextalign(1);
    f.setMoneyDisplay(true);
    f.setText("0");
    QCOMPARE(f.displayText(), QString("0,00 €"));
    f.setText("1234,5");
    QCOMPARE(f.text(), QString("1234,5"));
    QCOMPARE(f.displayText(), QString("1.234,50 €"));
  }

  void captionUnitAndLocked() {
    sevText f;
    f.setCaption("Kosten");
    f.setUnitdescr("(default)");
    QCOMPARE(f.caption(), QString("Kosten"));
    QCOMPARE(f.unitdescr(), QString("(default)"));
    f.setLocked(true);
    typeText(editOf(f), "12");
    QCOMPARE(f.text(), QString());
  }

  void controlArrays() {
    QWidget w;
    sevTextArray sevt;
    for (int i = 0; i <= 3; ++i) sevt.add(i, &w);
    QCOMPARE(sevt.count(), 4);
    QSignalSpy change(&sevt, &sevTextArray::change);
    QSignalSpy pick(&sevt, &sevTextArray::listpick);
    QList<int> keys;
    sevt.keypress = [&](int index, int&) { keys << index; };
    sevt(2).setText("x");
    sevt(3).listadd("a");
    sevt(3).pick(0);
    typeText(editOf(sevt(1)), "k");
    QCOMPARE(change.count(), 3);
    QCOMPARE(change.at(0).at(0).toInt(), 2);
    QCOMPARE(change.at(1).at(0).toInt(), 3);
    QCOMPARE(pick.at(0).at(0).toInt(), 3);
    QCOMPARE(keys, QList<int>({1}));
    QCOMPARE(&sevt.add(2), &sevt(2));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, sevt(9));
  }
};

ZEVO_TEST_MAIN(SevTextTest)
#include "test_sevtext.moc"
