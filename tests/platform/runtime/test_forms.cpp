#include "support/testmain.h"

#include "platform/runtime/application.h"
#include "platform/runtime/mousepointer.h"

#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

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

  void endProcessIsIntercepted() {
    QVERIFY_THROWS_EXCEPTION(vb::ProcessEnded, vb::endProcess(3));
  }
};

ZEVO_TEST_MAIN(FormsTest)
#include "test_forms.moc"
