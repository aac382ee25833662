#include "support/testmain.h"

#include "platform/runtime/application.h"
#include "platform/runtime/error.h"
#include "platform/runtime/mousepointer.h"

#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <stdexcept>

using namespace zevo;

namespace {

QStringList journal;
int pointerAtCreation = -1;

// A window that writes its handlers into the journal.
class JournalForm : public vb::Form {
public:
  explicit JournalForm(const QString& name) : vb::Form(name) { pointerAtCreation = vb::mousePointer(); }
  void Form_Load() override {
    journal << formName() + ".Load";
    if (unloadInLoad) unload();
  }
  void Form_Activate() override {
    journal << formName() + ".Activate";
    vb::setMousePointer(vb::vbDefault);
  }
  void Form_QueryUnload(bool& cancel, int mode) override {
    journal << formName() + ".QueryUnload" + QString::number(mode);
    cancel = refuseClose;
  }
  void Form_Unload(bool&) override { journal << formName() + ".Unload"; }
  bool unloadInLoad = false;
  bool refuseClose = false;
};

// The main window implements the handlers too.
class MainWindow : public QMainWindow, public vb::FormHandlers {
public:
  QString formName() const override { return "IA_Haupt"; }
  QWidget* formWidget() override { return this; }
  void Form_Activate() override {
    journal << "IA_Haupt.Activate";
    vb::setMousePointer(vb::vbDefault);
  }
};

}  // namespace

class FormsTest : public QObject {
  Q_OBJECT
private slots:
  void initTestCase() {
    vb::registerForm("IV_Eins", [] { return std::make_unique<JournalForm>("IV_Eins"); });
    vb::registerForm("IV_Zwei", [] { return std::make_unique<JournalForm>("IV_Zwei"); });
    vb::registerForm("IV_Leer", [] {
      auto f = std::make_unique<JournalForm>("IV_Leer");
      f->unloadInLoad = true;
      return f;
    });
  }
  void init() {
    test::resetScripts();
    journal.clear();
    vb::setMousePointer(vb::vbDefault);
  }

  void nestedWindowsActivateTheirCaller() {
    MainWindow main;
    vb::setMainForm(&main);
    test::forms().on("IV_Eins", [](vb::Form* f) {
      QCOMPARE(vb::activeForm(), static_cast<vb::FormHandlers*>(static_cast<JournalForm*>(f)));
      QVERIFY(f->isModal());
      vb::showForm("IV_Leer");   // unloads itself in Load: never shown, no activation
      QCOMPARE(vb::mousePointer(), int(vb::vbDefault));
      vb::showForm("IV_Zwei");
      f->unload();
    });
    test::forms().onWindow<JournalForm>("IV_Zwei", [](JournalForm& f) {
      f.refuseClose = true;
      QVERIFY(!f.unload());
      QVERIFY(!f.isUnloaded());
      f.refuseClose = false;
      QVERIFY(f.unload());
    });
    vb::showForm("IV_Eins");
    vb::setMainForm(nullptr);
    QCOMPARE(journal, QStringList({"IV_Eins.Load", "IV_Eins.Activate", "IV_Leer.Load", "IV_Leer.QueryUnload1",
                                   "IV_Leer.Unload", "IV_Zwei.Load", "IV_Zwei.Activate", "IV_Zwei.QueryUnload1",
                                   "IV_Zwei.QueryUnload1", "IV_Zwei.Unload", "IV_Eins.Activate",
                                   "IV_Eins.QueryUnload1", "IV_Eins.Unload", "IA_Haupt.Activate"}));
    QCOMPARE(test::forms().shown(), QStringList({"IV_Eins", "IV_Zwei"}));
    QCOMPARE(pointerAtCreation, int(vb::vbHourglass));   // showForm sets it before the window exists
    QCOMPARE(vb::mousePointer(), int(vb::vbDefault));
  }

  void hourglassIsAStateNotAStack() {
    vb::setMousePointer(vb::vbHourglass);
    vb::setMousePointer(vb::vbHourglass);
    QVERIFY(QGuiApplication::overrideCursor());
    vb::setMousePointer(vb::vbDefault);   // one reset clears both
    QVERIFY(!QGuiApplication::overrideCursor());
  }

  void closeBoxAndEscape() {
    // The real modal loop: Escape does nothing, the close box unloads.
    vb::ModalRunner previous = vb::setModalRunner({});
    JournalForm* shown = nullptr;
    auto form = std::make_unique<JournalForm>("IV_Echt");
    shown = form.get();
    QTimer::singleShot(20, [shown] {
      QTest::keyClick(shown, Qt::Key_Escape);
      QVERIFY(shown->isVisible());
      shown->close();
    });
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] {
      if (QWidget* w = QApplication::activeModalWidget()) w->hide();
    });
    guard.start(5000);
    vb::showForm(std::move(form));
    vb::setModalRunner(previous);
    QCOMPARE(journal, QStringList({"IV_Echt.Load", "IV_Echt.Activate", "IV_Echt.QueryUnload0",
                                   "IV_Echt.Unload"}));
  }

  // A failure no handler caught ends the action, not the program: one German
  // message with the reason, the arrow, and the window goes on. (Sent as an
  // event of the window's own, so that nothing of Qt's lies between the
  // throw and the guard.)
  void uncaughtFailureEndsOnlyTheAction_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QString>("shown");
    QTest::newRow("runtime error") << 0 << "Datei nicht gefunden: x.txt" << "Datei nicht gefunden: x.txt";
    QTest::newRow("database error")
        << 1 << "Die Tabelle 'Weg' wurde nicht gefunden. (Fehler 3078): no such table: Weg | SQL: select * from Weg"
        << "Die Tabelle 'Weg' wurde nicht gefunden. (Fehler 3078)\r\n";
    QTest::newRow("missing setting") << 2 << "no entry 999" << "no entry 999";
  }
  void uncaughtFailureEndsOnlyTheAction() {
    QFETCH(int, kind);
    QFETCH(QString, reason);
    QFETCH(QString, shown);
    struct FailingForm : JournalForm {
      using JournalForm::JournalForm;
      int kind = 0;
      QString reason;
      bool event(QEvent* e) override {
        if (e->type() != QEvent::User) return JournalForm::event(e);
        vb::setMousePointer(vb::vbHourglass);
        if (kind == 0) throw vb::Error(vb::errFileNotFound, reason);
        if (kind == 1) throw std::runtime_error(reason.toStdString());
        throw std::out_of_range(reason.toStdString());
      }
    } form("IV_Fehler");
    form.kind = kind;
    form.reason = reason;
    auto* working = new QPushButton("Geht", &form);
    int clicks = 0;
    QObject::connect(working, &QPushButton::clicked, [&] { ++clicks; });
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    test::messages().expect("Bei dieser Aktion ist ein Fehler aufgetreten");
    QEvent failing(QEvent::User);
    QVERIFY(QCoreApplication::sendEvent(&form, &failing));
    QCOMPARE(test::messages().count(), 1);
    QVERIFY2(test::messages().last().contains(shown), qPrintable(test::messages().last()));
    QVERIFY(!test::messages().last().contains("SQL"));
    QCOMPARE(vb::mousePointer(), int(vb::vbDefault));
    QTest::mouseClick(working, Qt::LeftButton);
    QCOMPARE(clicks, 1);
    QVERIFY(form.isVisible());
  }

  // Return presses the button the window marks as default or the focused
  // one; clicking buttons never makes another one the default.
  void returnPressesOnlyTheDefaultOrFocusedButton_data() {
    QTest::addColumn<bool>("withDefault");
    QTest::addColumn<QString>("clickFirst");   // buttons clicked before, by name
    QTest::addColumn<QString>("returnOn");     // "field" or a button's name
    QTest::addColumn<QString>("pressed");
    QTest::newRow("field, no default") << false << "Hilfe,Neu" << "field" << "";
    QTest::newRow("field, a default") << true << "Hilfe,Neu" << "field" << "OK";
    QTest::newRow("focused button") << true << "" << "Hilfe" << "Hilfe";
    QTest::newRow("button created later") << false << "Später" << "field" << "";
  }
  void returnPressesOnlyTheDefaultOrFocusedButton() {
    QFETCH(bool, withDefault);
    QFETCH(QString, clickFirst);
    QFETCH(QString, returnOn);
    QFETCH(QString, pressed);
    JournalForm form("IV_Tasten");
    auto* layout = new QVBoxLayout(&form);
    auto* field = new QLineEdit(&form);
    layout->addWidget(field);
    QStringList log;
    auto add = [&](const QString& name) {
      auto* b = new QPushButton(name, &form);
      b->setObjectName(name);
      layout->addWidget(b);
      QObject::connect(b, &QPushButton::clicked, [&log, name] { log << name; });
      return b;
    };
    add("Hilfe");
    add("Neu");
    QPushButton* ok = add("OK");
    if (withDefault) ok->setDefault(true);
    form.show();
    QApplication::setActiveWindow(&form);
    QVERIFY(QTest::qWaitForWindowActive(&form));
    if (clickFirst == "Später") add("Später")->show();
    for (const QString& name : clickFirst.split(',', Qt::SkipEmptyParts))
      QTest::mouseClick(form.findChild<QPushButton*>(name), Qt::LeftButton);
    log.clear();
    QWidget* target = field;
    if (returnOn != "field") target = form.findChild<QPushButton*>(returnOn);
    target->setFocus();
    QTest::keyClicks(target, returnOn == "field" ? "12" : "");
    QTest::keyClick(target, Qt::Key_Return);
    QCOMPARE(log.join(","), pressed);
    QCOMPARE(field->text(), QString(returnOn == "field" ? "12" : ""));
  }

  void realMessageBox_data() {
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("defaultButton");
    QTest::addColumn<QString>("labels");   // sorted, then the default
    QTest::addColumn<int>("escapeResult");
    QTest::newRow("information") << int(vb::OKOnly) << int(vb::FirstButton) << "OK|OK" << int(vb::vbOK);
    QTest::newRow("question") << int(vb::YesNo) << int(vb::FirstButton) << "Ja/Nein|Ja" << int(vb::vbNo);
    QTest::newRow("question, No first") << int(vb::YesNo) << int(vb::SecondButton) << "Ja/Nein|Nein" << int(vb::vbNo);
  }
  void realMessageBox() {
    QFETCH(int, buttons);
    QFETCH(int, defaultButton);
    QFETCH(QString, labels);
    QFETCH(int, escapeResult);
    vb::MessageHandler previous = vb::setMessageHandler({});
    QStringList seen;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      QStringList texts;
      for (auto* b : box->buttons()) texts << b->text();
      texts.sort();
      seen << box->text() << box->windowTitle() << QString::number(box->textFormat()) << texts.join("/")
           << (box->defaultButton() ? box->defaultButton()->text() : QString());
      QTest::keyClick(box, Qt::Key_Escape);
    });
    const vb::MsgResult r = vb::msgbox("Zeile 1\r\nZeile <2> & mehr", vb::Buttons(buttons), vb::Question,
                                       vb::DefaultButton(defaultButton));
    vb::setMessageHandler(previous);
    QCOMPARE(seen.join("|"), "Zeile 1\nZeile <2> & mehr|ZEVO|" + QString::number(Qt::PlainText) + "|" + labels);
    QCOMPARE(int(r), escapeResult);
  }
};

ZEVO_TEST_MAIN(FormsTest)
#include "test_forms.moc"
