#include "support/testmain.h"

#include "platform/runtime/calculator.h"
#include "platform/runtime/printer.h"
#include "platform/runtime/widgets.h"

#include <QAction>
#include <QFile>
#include <QRegularExpression>

using namespace zevo;

namespace {

int pdfPages(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return -1;
  const QByteArray pdf = f.readAll();
  return static_cast<int>(QString::fromLatin1(pdf).count(QRegularExpression("/Type\\s*/Page[^s]")));
}

}  // namespace

class ServicesTest : public QObject {
  Q_OBJECT
private slots:
  void init() { test::resetScripts(); }

  void printerToPdf() {
    vb::Printer& p = vb::printer();
    const QString file = QDir::currentPath() + "/druck.pdf";
    p.setPdfOutput(file);
    QVERIFY(p.installed());
    QVERIFY(p.fontCount() > 0);
    QCOMPARE(p.font(0), p.fonts().first());
    QCOMPARE(p.font(p.fontCount()), QString());
    QVERIFY(p.setFontName("Courier New"));
    QVERIFY(p.setFontSize(10));
    QVERIFY(!p.setOrientation(3));
    QVERIFY(p.setOrientation(2));
    QVERIFY(p.setFontBold(true));
    QVERIFY(p.printLine(""));
    QVERIFY(p.jobActive());
    QCOMPARE(p.page(), 1);
    QVERIFY(p.printLine(QString(500, 'x')));   // clipped, no wrap, no new page
    QCOMPARE(p.page(), 1);
    QVERIFY(p.newPage());
    QCOMPARE(p.page(), 2);
    for (int i = 0; i < 300; ++i) QVERIFY(p.printLine(QString("Zeile %1").arg(i)));
    QVERIFY(p.page() > 3);   // automatic page feed
    const int pages = p.page();
    QVERIFY(p.endDoc());
    QVERIFY(!p.jobActive());
    QVERIFY(!p.endDoc());
    QCOMPARE(pdfPages(file), pages);
    p.setPdfOutput({});
  }

  void progressBar() {
    vb::ProgressBar bar;
    bar.setMax(0);
    QCOMPARE(bar.max(), 1);
    QCOMPARE(bar.minimum(), 0);
    bar.setMax(5);
    bar.setValue(7);
    QCOMPARE(bar.value(), 5);
    bar.setValue(-1);
    QCOMPARE(bar.value(), 0);
    bar.setValue(3);
    bar.setMax(2);
    QCOMPARE(bar.value(), 2);
  }

  void tabControl() {
    vb::TabControl tabs;
    tabs.addTab(new QWidget, "Standorte");
    tabs.addTab(new QWidget, "Pflanzen");
    tabs.addTab(new QWidget, "Pflanzen je Standort");
    QList<QPair<int, int>> clicks;   // (tab now, previous)
    tabs.onClick = [&](int previous) {
      clicks << qMakePair(tabs.tab(), previous);
      if (tabs.tab() == 2) tabs.setTab(0);   // the handler switches back
    };
    tabs.setTab(0);   // already shown: no click
    QVERIFY(clicks.isEmpty());
    tabs.setTab(1);
    tabs.setTab(2);
    QCOMPARE(tabs.tab(), 0);
    QCOMPARE(clicks, (QList<QPair<int, int>>{{1, 0}, {2, 1}, {0, 2}}));
  }

  void toolbar() {
    vb::Toolbar bar;
    QStringList clicked;
    bar.onButtonClick = [&](const QString& key) { clicked << key; };
    bar.addButton("btn_neu", vb::builtinPicture(72), "Neues Volk");
    bar.addSeparator();
    bar.addButton("btn_Neu", vb::builtinPicture(73), "Anderer Schlüssel");
    bar.click("btn_neu");
    bar.setButtonEnabled("btn_Neu", false);
    bar.click("btn_Neu");
    QVERIFY(!bar.buttonEnabled("btn_Neu"));
    QVERIFY(bar.buttonEnabled("btn_neu"));
    bar.setEnabled(false);
    QVERIFY(!bar.buttonEnabled("btn_neu"));
    QCOMPARE(clicked, QStringList({"btn_neu"}));
    QCOMPARE(bar.button("btn_neu")->toolTip(), QString("Neues Volk"));
    QVERIFY(bar.button("BTN_NEU") == nullptr);
  }

  void calculator() {
    vb::Calculator::instance().setVatRate1(16);
    vb::Calculator::instance().setVatRate2(7);
    QCOMPARE(vb::Calculator::instance().vatRate1(), 16.0);
    QCOMPARE(vb::Calculator::instance().vatRate2(), 7.0);
  }
};

ZEVO_TEST_MAIN(ServicesTest)
#include "test_services.moc"
