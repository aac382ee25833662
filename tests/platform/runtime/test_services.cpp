#include "support/testmain.h"

#include "platform/runtime/desktop.h"
#include "platform/runtime/printer.h"
#include "platform/runtime/widgets.h"

#include <QAction>
#include <QFile>
#include <QProcess>
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
    QVERIFY(p.installed() && p.fontCount() > 0);
    QCOMPARE(p.font(p.fontCount()), QString());
    QVERIFY(p.setFontName("Courier New"));
    QVERIFY(!p.setOrientation(3));
    QVERIFY(p.setOrientation(2));
    QVERIFY(p.printLine(""));
    // Wider than the page: goes on in the following lines, nothing is lost.
    QVERIFY(p.printLine(QString(500, 'x')));
    QVERIFY(p.printLine(QString(120, 'y') + " " + QString(120, 'z')));
    // A continuation keeps the line's margin, unless that takes half the page.
    QVERIFY(p.printLine("   " + QString(300, 'w')));
    QVERIFY(p.printLine(QString(100, ' ') + QString(300, 'v')));
    QCOMPARE(p.page(), 1);
    QVERIFY(p.newPage());
    for (int i = 0; i < 300; ++i) QVERIFY(p.printLine(QString("Zeile %1").arg(i)));
    QVERIFY(p.page() > 3);   // automatic page feed
    const int pages = p.page();
    QVERIFY(p.endDoc());
    QVERIFY(!p.jobActive() && !p.endDoc());
    QCOMPARE(pdfPages(file), pages);
    QProcess text;
    text.start("pdftotext", {"-layout", file, "-"});
    QVERIFY(text.waitForFinished(30000));
    const QString gedruckt = QString::fromUtf8(text.readAllStandardOutput());
    QCOMPARE(gedruckt.count('x'), 500);
    QCOMPARE(gedruckt.count('y'), 120);
    QVERIFY(gedruckt.contains(QString(120, 'y')));   // broken at the blank, not inside the word
    QCOMPARE(gedruckt.count('z'), 120);
    const QStringList zeilen = gedruckt.split('\n');
    QCOMPARE(zeilen.filter(QRegularExpression("^   w+$")).join("").count('w'), 300);
    for (const QString& z : zeilen.filter("w")) QVERIFY(z.size() <= zeilen.filter(QRegularExpression("^x+$"))[0].size());
    QVERIFY(!zeilen.filter(QRegularExpression("^v")).isEmpty());
    p.setPdfOutput({});
  }

  // The desktop is asked for the application of the file's type; without
  // one nothing is started and the caller can say so.
  void desktopApplicationByType() {
    const QString daten = qEnvironmentVariable("XDG_DATA_HOME"), konfig = qEnvironmentVariable("XDG_CONFIG_HOME");
    QVERIFY(!daten.isEmpty() && !konfig.isEmpty());
    QVERIFY(QDir().mkpath(daten + "/applications") && QDir().mkpath(konfig));
    QCOMPARE(vb::desktopApplication("liste.zevoprobe"), QString());
    QVERIFY(!vb::openDocument(QDir::currentPath() + "/liste.zevoprobe"));
    QFile app(daten + "/applications/zevoprobe.desktop");
    QVERIFY(app.open(QIODevice::WriteOnly));
    app.write("[Desktop Entry]\nType=Application\nName=Probe\nExec=true %f\n"
              "MimeType=application/vnd.openxmlformats-officedocument.spreadsheetml.sheet;\n");
    app.close();
    QFile liste(konfig + "/mimeapps.list");
    QVERIFY(liste.open(QIODevice::WriteOnly));
    liste.write("[Default Applications]\n"
                "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet=zevoprobe.desktop\n");
    liste.close();
    QCOMPARE(vb::desktopApplication("/irgendwo/ZEVO_Liste.xlsx"), QString("zevoprobe.desktop"));
    QFile::remove(liste.fileName());
    QFile::remove(app.fileName());
  }

  void tabControl() {
    vb::TabControl tabs;
    for (const char* t : {"Standorte", "Pflanzen", "Pflanzen je Standort"}) tabs.addTab(new QWidget, t);
    QList<QPair<int, int>> clicks;   // (tab now, previous)
    tabs.onClick = [&](int previous) {
      clicks << qMakePair(tabs.tab(), previous);
      if (tabs.tab() == 2) tabs.setTab(0);   // the handler switches back
    };
    tabs.setTab(0);   // already shown: no click
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
    bar.addButton("btn_Neu", vb::builtinPicture(73), "Anderer Schlüssel");
    bar.setButtonEnabled("btn_Neu", false);
    bar.click("btn_neu");
    bar.click("btn_Neu");
    bar.setEnabled(false);
    bar.click("btn_neu");
    QCOMPARE(clicked, QStringList({"btn_neu"}));   // keys are case-sensitive; disabled buttons stay silent
  }
};

ZEVO_TEST_MAIN(ServicesTest)
#include "test_services.moc"
