#include "support/testmain.h"

#include "platform/runtime/application.h"
#include "platform/runtime/mousepointer.h"
#include "platform/runtime/sound.h"

#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

using namespace zevo;

namespace {

QStringList journal;

// A window that writes its handlers into the journal.
class JournalForm : public vb::Form {
public:
  explicit JournalForm(const QString& name) : vb::Form(name) {}
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

// The window's own values outlive the dialog object.
struct ZaehlerWerte {
  int openings = 0;
};
ZaehlerWerte& zaehlerWerte() {
  static ZaehlerWerte w;
  return w;
}

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
    vb::registerForm("IV_Zaehler", [] {
      ++zaehlerWerte().openings;
      return std::make_unique<JournalForm>("IV_Zaehler");
    });
  }
  void init() {
    test::resetScripts();
    journal.clear();
    vb::setMousePointer(vb::vbDefault);
  }

  void registry() {
    QVERIFY(vb::isRegistered("IV_Eins"));
    QVERIFY(!vb::isRegistered("IV_Nichts"));
    QVERIFY(vb::createForm("IV_Nichts") == nullptr);
    auto f = vb::createForm("IV_Zwei");
    QVERIFY(f);
    QCOMPARE(f->formName(), QString("IV_Zwei"));
  }

  void lifecycleAndReturnToMain() {
    MainWindow main;
    vb::setMainForm(&main);
    test::forms().on("IV_Eins", [](vb::Form* f) {
      QCOMPARE(vb::activeForm(), static_cast<vb::FormHandlers*>(static_cast<JournalForm*>(f)));
      QVERIFY(f->isModal());
      journal << "script";
      f->unload();
    });
    vb::showForm("IV_Eins");
    vb::setMainForm(nullptr);
    QCOMPARE(journal, QStringList({"IV_Eins.Load", "IV_Eins.Activate", "script",
                                   "IV_Eins.QueryUnload1", "IV_Eins.Unload", "IA_Haupt.Activate"}));
    QCOMPARE(test::forms().shown(), QStringList({"IV_Eins"}));
    QCOMPARE(vb::mousePointer(), int(vb::vbDefault));
  }

  void nestedWindowActivatesItsCaller() {
    MainWindow main;
    vb::setMainForm(&main);
    test::forms().on("IV_Eins", [](vb::Form* f) {
      vb::showForm("IV_Zwei");
      f->unload();
    });
    test::forms().on("IV_Zwei", [](vb::Form* f) { f->unload(); });
    vb::showForm("IV_Eins");
    vb::setMainForm(nullptr);
    QCOMPARE(journal, QStringList({"IV_Eins.Load", "IV_Eins.Activate", "IV_Zwei.Load",
                                   "IV_Zwei.Activate", "IV_Zwei.QueryUnload1", "IV_Zwei.Unload",
                                   "IV_Eins.Activate", "IV_Eins.QueryUnload1", "IV_Eins.Unload",
                                   "IA_Haupt.Activate"}));
  }

  void unloadDuringLoadNeverShows() {
    MainWindow main;
    vb::setMainForm(&main);
    vb::showForm("IV_Leer");   // no handler needed: the window is never shown
    vb::setMainForm(nullptr);
    QCOMPARE(journal, QStringList({"IV_Leer.Load", "IV_Leer.QueryUnload1", "IV_Leer.Unload"}));
    QVERIFY(test::forms().shown().isEmpty());
    QCOMPARE(vb::mousePointer(), int(vb::vbDefault));
  }

  void cancelledUnloadKeepsWindow() {
    test::forms().onWindow<JournalForm>("IV_Eins", [](JournalForm& f) {
      f.refuseClose = true;
      QVERIFY(!f.unload());
      QVERIFY(!f.isUnloaded());
      f.refuseClose = false;
      QVERIFY(f.unload());
    });
    vb::showForm("IV_Eins");
    QCOMPARE(journal.count("IV_Eins.QueryUnload1"), 2);
    QCOMPARE(journal.count("IV_Eins.Unload"), 1);
  }

  void hourglassIsAStateNotAStack() {
    vb::setMousePointer(vb::vbHourglass);
    vb::setMousePointer(vb::vbHourglass);
    QCOMPARE(vb::mousePointer(), int(vb::vbHourglass));
    QVERIFY(QGuiApplication::overrideCursor());
    vb::setMousePointer(vb::vbDefault);
    QCOMPARE(vb::mousePointer(), int(vb::vbDefault));
    QVERIFY(!QGuiApplication::overrideCursor());
    // showForm sets the hourglass before the window loads.
    test::forms().on("IV_Zeiger", [](vb::Form* f) { f->unload(); });
    int pointerAtLoad = -1;
    vb::registerForm("IV_Zeiger", [&pointerAtLoad] {
      pointerAtLoad = vb::mousePointer();
      return std::make_unique<JournalForm>("IV_Eins");
    });
    vb::showForm("IV_Zeiger");
    QCOMPARE(pointerAtLoad, int(vb::vbHourglass));
  }

  void ownValuesOutliveTheWindow() {
    test::forms().on("IV_Zaehler", [](vb::Form* f) { f->unload(); });
    const int before = zaehlerWerte().openings;
    vb::showForm("IV_Zaehler");
    vb::showForm("IV_Zaehler");
    QCOMPARE(zaehlerWerte().openings, before + 2);
  }

  void unregisteredWindowReachesTheScript() {
    bool called = false;
    test::forms().on("IV_Fehlt", [&called](vb::Form* f) {
      called = true;
      QVERIFY(f == nullptr);
    });
    vb::showForm("IV_Fehlt");
    QVERIFY(called);
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

  void scriptedMessages() {
    test::messages().expect("gespeichert");
    test::messages().expectYes("löschen");
    test::messages().expectNo();
    vb::msgbox("Die Daten wurden gespeichert.");
    QVERIFY(vb::question("Wirklich löschen?"));
    QCOMPARE(vb::msgbox("Weiter?", vb::YesNo, vb::Question, vb::SecondButton), vb::vbNo);
    QVERIFY(test::messages().allUsed());
    QCOMPARE(test::messages().count(), 3);
    const auto last = test::messages().shown().last();
    QCOMPARE(last.defaultButton, vb::SecondButton);
    QCOMPARE(last.icon, vb::Question);
    QCOMPARE(last.title, QString("ZEVO"));
    test::messages().setAcceptInformation(true);
    QCOMPARE(vb::msgbox("Hinweis"), vb::vbOK);
    QCOMPARE(test::messages().last(), QString("Hinweis"));
  }

  void realMessageBox_data() {
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("defaultButton");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QString>("defaultLabel");
    QTest::addColumn<int>("escapeResult");
    QTest::newRow("information") << int(vb::OKOnly) << int(vb::FirstButton) << QStringList{"OK"} << "OK"
                                 << int(vb::vbOK);
    QTest::newRow("question") << int(vb::YesNo) << int(vb::FirstButton) << QStringList{"Ja", "Nein"}
                              << "Ja" << int(vb::vbNo);
    QTest::newRow("question, No first") << int(vb::YesNo) << int(vb::SecondButton)
                                        << QStringList{"Ja", "Nein"} << "Nein" << int(vb::vbNo);
  }
  void realMessageBox() {
    QFETCH(int, buttons);
    QFETCH(int, defaultButton);
    QFETCH(QStringList, labels);
    QFETCH(QString, defaultLabel);
    QFETCH(int, escapeResult);
    vb::MessageHandler previous = vb::setMessageHandler({});
    QString text, title, defaultText;
    QStringList seen;
    Qt::TextFormat format = Qt::RichText;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      text = box->text();
      title = box->windowTitle();
      format = box->textFormat();
      for (auto* b : box->buttons()) seen << b->text();
      defaultText = box->defaultButton() ? box->defaultButton()->text() : QString();
      QTest::keyClick(box, Qt::Key_Escape);
    });
    const vb::MsgResult r = vb::msgbox("Zeile 1\r\nZeile <2> & mehr", vb::Buttons(buttons), vb::Question,
                                       vb::DefaultButton(defaultButton));
    vb::setMessageHandler(previous);
    QCOMPARE(text, QString("Zeile 1\nZeile <2> & mehr"));
    QCOMPARE(title, QString("ZEVO"));
    QCOMPARE(format, Qt::PlainText);
    seen.sort();
    labels.sort();
    QCOMPARE(seen, labels);
    QCOMPARE(defaultText, defaultLabel);
    QCOMPARE(int(r), escapeResult);
  }

  void beepsAreCounted() {
    vb::beep(1000, 15);
    vb::beep();
    QCOMPARE(test::beeps(), 2);
  }

  void endProcessIsIntercepted() {
    try {
      vb::endProcess(3);
      QFAIL("endProcess returned");
    } catch (const vb::ProcessEnded& e) {
      QCOMPARE(e.exitCode, 3);
    }
  }

  void twips() {
    QVERIFY(vb::screenWidthTwips() > 0);
    QCOMPARE(vb::pixelsToTwips(vb::twipsToPixels(1440)), 1440);
  }
};

ZEVO_TEST_MAIN(FormsTest)
#include "test_forms.moc"
