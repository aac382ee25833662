// The sites and plants window: the three tabs, the saves with their
// reasons, the share limit of a site, the pairing of the site list on the
// second tab with the current site, deletes, the forage period derived at
// close and the year shift of the bloom periods.
#include "common/routinen.h"
#include "components/sevgrid.h"
#include "platform/runtime/vb.h"
#include "platform/runtime/widgets.h"
#include "shell/registry.h"
#include "support/eingabefeld.h"
#include "support/raster.h"
#include "sites/registry.h"
#include "standorttest.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace zevo;
using namespace zevo::test;
using sites::IV_Pflanzen_Standorte;

namespace {

QString gründe(const QString& text) {
  QStringList zeilen = text.split("\r\n", Qt::SkipEmptyParts);
  zeilen.removeFirst();   // "Die Daten werden nicht gespeichert, weil..."
  return zeilen.join("|");
}

// The row of a grid whose column holds the text.
int zeilemit(ui::sevGrid& g, const QString& spalte, const QString& text) {
  for (int r = 1; r <= g.rows(); ++r)
    if (g.cell(r, spalte) == text) return r;
  return 0;
}

void klicken(IV_Pflanzen_Standorte& w, ui::sevGrid& g, const QString& spalte, const QString& text) {
  const int r = zeilemit(g, spalte, text);
  QVERIFY2(r > 0, qPrintable(text));
  g.setRow(r);
  if (&g == w.lijeort) w.lijeort_rowclick();
  else if (&g == w.lijepflanze) w.lijepflanze_rowclick();
  else if (&g == w.listandorte) w.listandorte_rowclick();
  else w.lipflanzen_rowclick();
}

void pflanzefelder(IV_Pflanzen_Standorte& w, const QString& name, const QString& von, const QString& bis) {
  w.sevt(0).setText(name);
  w.sevt(1).setText(von);
  w.sevt(2).setText(bis);
}

void jefelder(IV_Pflanzen_Standorte& w, const QString& name, const QString& entfernung, const QString& anteil) {
  w.sevt(16).setText(name);
  w.sevt(17).setText(entfernung);
  w.sevt(18).setText(anteil);
}

QString trachtzeit(int id) {
  return wert("select Trachtzeit_von from Standorte where ID = " + QString::number(id)) + "-" +
         wert("select Trachtzeit_bis from Standorte where ID = " + QString::number(id));
}

}  // namespace

class TestPflanzenStandorte : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() {
    sites::registerSiteForms();
    shell::registerShellForms();
  }
  void init() { standortgrundzustand(); }

  void opensOnTheTabOfTheCaller_data() {
    QTest::addColumn<QString>("übergabe");
    QTest::addColumn<int>("tab");
    QTest::addColumn<QList<int>>("felder");
    QTest::addColumn<QString>("texte");
    QTest::newRow("sites") << "0" << 0 << QList<int>{7, 9, 10, 12, 13} << "J|J|0|10|0,00";
    QTest::newRow("plants") << "2" << 2 << QList<int>{3, 4, 1, 2} << "5|5||";
  }
  void opensOnTheTabOfTheCaller() {
    QFETCH(QString, übergabe);
    QFETCH(int, tab);
    QFETCH(QList<int>, felder);
    QFETCH(QString, texte);
    auto w = standortfenster(übergabe);
    QCOMPARE(w->sstab->tab(), tab);
    QStringList t;
    for (int f : felder) t << w->sevt(f).text();
    QCOMPARE(t.join("|"), texte);
    QCOMPARE(w->lipflanzen->rows(), 11);
    QCOMPARE(w->lipflanzen->cell(1, "Pflanze"), QString("Bergahorn"));   // by name, not as entered
    QCOMPARE(w->lipflanzen->row(), 0);
    // The fields of the second tab stay empty until a save there.
    QCOMPARE(w->sevt(17).text() + w->sevt(18).text(), QString());
  }

  void secondTabNeedsASite() {
    auto w = standortfenster();
    messages().expect("muß mindestens ein Standort eingetragen werden");
    w->sstab->setTab(1);
    QCOMPARE(w->sstab->tab(), 0);
    QVERIFY(messages().allUsed());
  }

  // Shares 60 and 30 at a site: the total may reach 100, not pass it.
  void shareLimit_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("anteil");
    QTest::addColumn<bool>("angenommen");
    QTest::newRow("new 10") << 0 << "10" << true;
    QTest::newRow("new 11") << 0 << "11" << false;
    QTest::newRow("30 to 40") << 1 << "40" << true;
    QTest::newRow("30 to 41") << 1 << "41" << false;
  }
  void shareLimit() {
    QFETCH(int, index);
    QFETCH(QString, anteil);
    QFETCH(bool, angenommen);
    const int id = standort("Heide");
    jepflanze(id, "Efeu", 100, 60);
    jepflanze(id, "Krokus", 100, 30);
    auto w = standortfenster();
    w->sstab->setTab(1);
    QCOMPARE(w->bezproz->text(), QString("90"));
    if (index == 1) klicken(*w, *w->lijepflanze, "Proz_Anteil", "30");
    jefelder(*w, "Kirsche", "50", anteil);
    if (!angenommen) messages().expect("...der prozentuale Anteil bei den Pflanzen am Standort nicht über 100 sein darf.");
    w->neuje_click(index);
    QVERIFY(messages().allUsed());
    QCOMPARE(w->bezproz->text(), angenommen ? QString("100") : QString("90"));
    QCOMPARE(anzahl("select count(*) from Standorte_Pflanzen where Pflanze = 'Kirsche'"), angenommen ? 1 : 0);
  }

  void reasonsOfAPlantAtASite() {
    standort("Heide");
    auto w = standortfenster();
    w->sstab->setTab(1);
    jefelder(*w, "  ", "abc", "0");   // pasted letters read as 0
    messages().expect("Die Daten werden nicht gespeichert, weil...");
    w->neuje_click(0);
    QCOMPARE(gründe(messages().last()),
             QString("...die Pflanze angegeben werden muß.|...die Entfernung muß größer als 0 Meter sein."
                     "|...der prozentuale Anteil müß größer als 0 % sein."));
    messages().expect("Bitte markieren Sie zuerst den Datensatz (die Pflanze), den Sie ändern möchten!");
    jefelder(*w, "Efeu", "10", "10");
    w->neuje_click(1);
    QCOMPARE(anzahl("select count(*) from Standorte_Pflanzen"), 0);
    // Letters typed into the number fields are refused while typing.
    w->sevt(17).setText("");
    QTest::keyClicks(w->sevt(17).editor(), "a1b2c");
    QCOMPARE(w->sevt(17).text(), QString("12"));
    // After a save the fields are reset and no plant is marked.
    w->sevt(18).setText("");
    QTest::keyClicks(w->sevt(18).editor(), "x25");
    ListePrüfen liste(*w->lijepflanze);
    w->neuje_click(0);
    QVERIFY(liste.nurfrei());
    QCOMPARE(QStringList({w->sevt(16).text(), w->sevt(17).text(), w->sevt(18).text()}).join("|"), QString("|0|0"));
    QCOMPARE(w->lijepflanze->row(), 0);
    QCOMPARE(w->bezproz->text(), QString("25"));
    QCOMPARE(wert("select Entfernung_m from Standorte_Pflanzen"), QString("12"));
  }

  void savingAPlant_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("von");
    QTest::addColumn<QString>("bis");
    QTest::addColumn<QString>("meldung");   // "" = stored
    QTest::newRow("name of a seed plant in capitals") << 0 << "EFEU" << "01.01.2026" << "01.02.2026"
                                                      << "Die Pflanze existiert bereits!";
    QTest::newRow("name of a seed plant, umlaut in capitals") << 0 << "KÜBLERWEIDE" << "01.01.2026" << "01.02.2026"
                                                             << "Die Pflanze existiert bereits!";
    QTest::newRow("its twin without the umlaut") << 0 << "Kublerweide" << "01.01.2026" << "01.02.2026" << "";
    QTest::newRow("change keeping its name") << 1 << "Efeu" << "01.01.2026" << "01.02.2026" << "";
    QTest::newRow("change of a later plant") << 1 << "Kirsche" << "01.01.2026" << "01.02.2026" << "";
    QTest::newRow("end before start") << 0 << "Raps" << "01.05.2026" << "01.04.2026" << "";
    QTest::newRow("short dates") << 0 << "Raps" << "1.4.26" << "3.5.2026" << "";
    QTest::newRow("empty end") << 0 << "Raps" << "01.05.2026" << ""
                               << "...die Weidezeit von...bis korrekt angegeben werden muß.";
    QTest::newRow("31 February") << 0 << "Raps" << "31.02.2006" << "01.03.2006"
                                 << "...die Weidezeit von...bis korrekt angegeben werden muß.";
    QTest::newRow("29 February 2007") << 0 << "Raps" << "01.02.2007" << "29.02.2007"
                                      << "...die Weidezeit von...bis korrekt angegeben werden muß.";
    QTest::newRow("no name") << 0 << " " << "01.02.2007" << "01.03.2007" << "...die Pflanze angegeben werden muß.";
    QTest::newRow("apostrophe") << 0 << "Wilde 'Möhre'" << "01.06.2026" << "01.08.2026" << "";
    QTest::newRow("double quote") << 0 << "Rose \"rot\"" << "01.06.2026" << "01.08.2026" << "";
  }
  void savingAPlant() {
    QFETCH(int, index);
    QFETCH(QString, name);
    QFETCH(QString, von);
    QFETCH(QString, bis);
    QFETCH(QString, meldung);
    auto w = standortfenster("2");
    if (index == 1) klicken(*w, *w->lipflanzen, "Pflanze", name);
    pflanzefelder(*w, name, von, bis);
    w->sevt(3).setText("7");
    if (!meldung.isEmpty()) messages().expect(meldung);
    ListePrüfen liste(*w->lipflanzen);
    w->neu_click(index);
    QVERIFY(messages().allUsed());
    const int erwartet = index == 0 && meldung.isEmpty() ? 12 : 11;
    QCOMPARE(anzahl("select count(*) from Pflanzen"), erwartet);
    if (index == 1) {   // the marked plant changed, the first stored kept
      QCOMPARE(zeilen("select Pflanze from Pflanzen where Weidezeit_von = #01/01/2026#"), QStringList{name});
      QCOMPARE(anzahl("select count(*) from Pflanzen where Pflanze = 'Efeu'"), 1);
    }
    if (!meldung.isEmpty()) return;
    QVERIFY(liste.nurfrei());   // the list is read once the plant is committed
    // The saved plant is current and shown as stored.
    const QString gespeichert = common::feldtext(name);
    const int r = w->lipflanzen->row();
    QVERIFY(r > 0);
    QCOMPARE(w->lipflanzen->cell(r, "Pflanze"), gespeichert);
    QCOMPARE(w->sevt(0).text(), gespeichert);
    QCOMPARE(w->sevt(1).text(), vb::parseDate(von)->toString("dd.MM.yyyy"));
    QCOMPARE(w->sevt(3).text(), QString("7"));
    QCOMPARE(wert("select Nektarstufe from Pflanzen where ID = " + w->lipflanzen->cell(r, "ID")), QString("7"));
  }

  void savingASite() {
    auto w = standortfenster();
    w->sevt(5).setText("Am \"Hang\" O'Brien");
    w->sevt(6).setText("Nord");
    w->sevt(13).setText("12345,6");   // money, not through a Single
    ListePrüfen liste(*w->listandorte);
    w->neustandort_click(0);
    QVERIFY(liste.nurfrei());
    QCOMPARE(wert("select Standort from Standorte"), QString("Am \"Hang\" O`Brien"));
    QCOMPARE(w->listandorte->row(), 1);
    QCOMPARE(w->sevt(5).text(), QString("Am \"Hang\" O`Brien"));
    QCOMPARE(w->sevt(13).text(), QString("12345,60"));
    QCOMPARE(wert("select Standortprämie_Volk from Standorte"), QString("12345,6"));
    QCOMPARE(w->listandorte->cell(1, "Standortprämie_Volk"), QString("12345,6"));
    // The name decides alone, whatever the hint.
    w->sevt(5).setText("am \"hang\" o'brien");
    w->sevt(6).setText("Süd");
    messages().expect("Der Standort existiert bereits!");
    w->neustandort_click(0);
    QVERIFY(messages().allUsed());
    QCOMPARE(anzahl("select count(*) from Standorte"), 1);
    // Upper and lower case of umlauts alike too; the unaccented twin is another site.
    w->sevt(5).setText("Östlicher Hang");
    w->neustandort_click(0);
    w->sevt(5).setText("östlicher hang");
    messages().expect("Der Standort existiert bereits!");
    w->neustandort_click(0);
    QVERIFY(messages().allUsed());
    w->sevt(5).setText("Ostlicher Hang");
    w->neustandort_click(0);
    QCOMPARE(anzahl("select count(*) from Standorte"), 3);
    // A value the database refuses: reported, nothing stored, the window usable.
    w->sevt(5).setText("Neu");
    w->sevt(8).setText(QString(30, 'k'));
    messages().expect("Der Standort konnte nicht gespeichert werden.");
    w->neustandort_click(0);
    QVERIFY(messages().allUsed());
    QCOMPARE(anzahl("select count(*) from Standorte"), 3);
    QVERIFY(w->neustandort[0]->isEnabled());
    // "&Ändern" of a later site keeps its own name and leaves the others as they were...
    klicken(*w, *w->listandorte, "Standort", "Ostlicher Hang");
    w->sevt(6).setText("Bachseite");
    w->neustandort_click(1);
    QCOMPARE(zeilen("select Standort, Zusatzortshinweis from Standorte order by ID"),
             (QStringList{"Am \"Hang\" O`Brien|Nord", "Östlicher Hang|Süd", "Ostlicher Hang|Bachseite"}));
    // ... and refuses the name of another.
    w->sevt(5).setText("östlicher hang");
    messages().expect("Der Standort existiert bereits!");
    w->neustandort_click(1);
    QVERIFY(messages().allUsed());
  }

  // A listed row without a usable ID is neither changed nor given plants, and
  // the beekeeper is told so.
  void rowWithoutIdChangesNothing_data() {
    QTest::addColumn<int>("liste");   // 0 plants, 1 sites, 2 plants at the site, 3 the site of those
    QTest::addColumn<QString>("meldung");
    const QString ohneID = "\r\n\r\nDer Datensatz hat keine gültige ID.";
    QTest::newRow("plant") << 0 << "Die Pflanze konnte nicht gespeichert werden." + ohneID;
    QTest::newRow("site") << 1 << "Der Standort konnte nicht gespeichert werden." + ohneID;
    QTest::newRow("plant at the site") << 2 << "Die Pflanze am Standort konnte nicht gespeichert werden." + ohneID;
    QTest::newRow("site of a new plant") << 3 << "Die Pflanze am Standort konnte nicht gespeichert werden.\r\n\r\n"
                                                 "Der Standort hat keine gültige ID.";
  }
  void rowWithoutIdChangesNothing() {
    QFETCH(int, liste);
    QFETCH(QString, meldung);
    jepflanze(standort("Heide"), "Efeu", 100, 60);
    jepflanze(standort("Wald"), "Krokus", 100, 30);
    auto tabellen = [] {
      return spalte("select Pflanze from Pflanzen") + spalte("select Standort from Standorte") +
             spalte("select Pflanze from Standorte_Pflanzen");
    };
    const QStringList vorher = tabellen();
    auto w = standortfenster(liste == 0 ? "2" : "0");
    QVERIFY(showActive(*w));
    pflanzefelder(*w, "Neu", "01.04.2026", "30.04.2026");
    w->sevt(5).setText("Neu");
    if (liste >= 2) w->sstab->setTab(1);
    jefelder(*w, "Kirsche", "50", "5");
    if (liste < 3) zeileohneid(liste == 0 ? *w->lipflanzen : liste == 1 ? *w->listandorte : *w->lijepflanze);
    if (liste == 3) {   // its plants are none, not those of every site
      zeileohneid(*w->listandorte, {{"Standort", "Zzz"}});
      zeileohneid(*w->lijeort, {{"Standort", "Zzz"}});
      w->lijeort_rowclick();
      QCOMPARE(w->lijepflanze->rows(), 0);
    }
    messages().expect(meldung);
    QPushButton* knöpfe[] = {w->neu[1], w->neustandort[1], w->neuje[1], w->neuje[0]};
    QTest::mouseClick(knöpfe[liste], Qt::LeftButton);
    QVERIFY(messages().allUsed());
    QCOMPARE(tabellen(), vorher);
    w->close();
  }

  // The names in the site and plant lists start wide enough to be read
  // whole: at their own width, wider for a long name, up to a limit.
  void nameColumnsStartReadable() {
    const QString lang = "Waldrand hinter der alten Mühle", überlang = QString(100, 'W');
    const struct { QStringList namen; int breite; QString lesbar; } fälle[] = {
        {{"Obstwiese am Mühlbach"}, 2400, ""}, {{"Heide", lang}, 0, lang}, {{überlang, lang}, 4500, ""}};
    for (const auto& f : fälle) {
      db().execute("delete from Standorte");
      for (const QString& n : f.namen) standort(n);
      auto w = standortfenster();
      const int breite = w->listandorte->column(QStringLiteral("Standort")).width();
      if (f.lesbar.isEmpty()) QCOMPARE(breite, f.breite);
      else QVERIFY(breite / 15 >= w->listandorte->fontMetrics().horizontalAdvance(f.lesbar) && breite < 4500);
      QCOMPARE(w->lipflanzen->column(QStringLiteral("Pflanze")).width(), 1800);
      w->close();
    }
  }

  // A click or an arrow key in the site list of the second tab makes that
  // site current, whatever order the beekeeper sorted either list in with a
  // header click.
  void plantsGoToTheClickedSite() {
    standort("Bach");
    standort("Chaussee");
    const int a = standort("Acker");
    jepflanze(a, "Krokus", 100, 10);
    jepflanze(a, "Efeu", 100, 30);
    auto w = standortfenster();
    QVERIFY(showActive(*w));
    w->sstab->setTab(1);
    const auto namen = [](ui::sevGrid& g, const char* spalte) {
      QStringList t;
      for (int r = 1; r <= g.rows(); ++r) t << g.cell(r, spalte);
      return t.join(' ');
    };
    // The lists by name, not as entered.
    QCOMPARE(namen(*w->listandorte, "Standort") + " / " + namen(*w->lijeort, "Standort") + " / " +
                 namen(*w->lijepflanze, "Pflanze"),
             QString("Acker Bach Chaussee / Acker Bach Chaussee / Efeu Krokus"));
    headerClick(*w->lijeort, "Standort");   // up, then down: Chaussee, Bach, Acker
    headerClick(*w->lijeort, "Standort");
    cellClick(*w->lijeort, 2, "Standort");
    QCOMPARE(w->bezproz->text(), QString("0"));
    QCOMPARE(namen(*w->lijepflanze, "Pflanze"), QString());   // Acker's plants stay with Acker
    gridKey(*w->lijeort, Qt::Key_Down);   // an arrow key chooses as a click does
    QCOMPARE(w->bezproz->text(), QString("40"));
    jefelder(*w, "Kirsche", "100", "10");
    w->neuje_click(0);
    QCOMPARE(wert("select Standort_Kennung from Standorte_Pflanzen where Pflanze = 'Kirsche'"), QString::number(a));
    QCOMPARE(w->bezproz->text(), QString("50"));
    // Entering the tab again starts from the site marked on the first tab.
    w->sstab->setTab(0);
    headerClick(*w->listandorte, "Standort");
    headerClick(*w->listandorte, "Standort");
    cellClick(*w->listandorte, 1, "Standort");
    QCOMPARE(w->sevt(5).text(), QString("Chaussee"));
    w->sstab->setTab(1);
    QCOMPARE(w->lijeort->cell(w->lijeort->row(), "Standort"), QString("Chaussee"));
    QCOMPARE(w->bezproz->text(), QString("0"));
    w->close();
  }

  // Two sites that differ only in an accent are two sites: a click on either
  // in the list of "Pflanzen je Standort" shows its own plants and "&Neu"
  // saves the plant there; entering the tab starts from the twin marked on
  // "Standorte", and a save there makes the saved twin current.
  void accentTwinsAreTwoSites() {
    const int grave = standort("Cafè", {{"Klima", "mild"}});
    const int acute = standort("Café", {{"Klima", "rau"}});
    jepflanze(grave, "Efeu", 100, 30);
    jepflanze(acute, "Krokus", 100, 20);
    auto w = standortfenster();
    QVERIFY(showActive(*w));
    const struct { const char* name; int id; const char* pflanze; int anteil; } zwillinge[] = {
        {"Café", acute, "Krokus", 20}, {"Cafè", grave, "Efeu", 30}};
    for (int runde = 1; runde <= 2; ++runde) {
      for (const auto& z : zwillinge) {
        w->sstab->setTab(0);
        cellClick(*w->listandorte, zeilemit(*w->listandorte, "Standort", z.name), "Standort");
        QTest::mouseClick(w->neustandort[1], Qt::LeftButton);   // saved as it is: itself again
        QCOMPARE(w->listandorte->cell(w->listandorte->row(), "ID"), QString::number(z.id));
        QCOMPARE(w->sevt(8).text(), QString(z.id == acute ? "rau" : "mild"));
        w->sstab->setTab(1);
        QCOMPARE(w->lijeort->cell(w->lijeort->row(), "Standort"), QString(z.name));
        const QString anderer = z.id == acute ? "Cafè" : "Café";
        cellClick(*w->lijeort, zeilemit(*w->lijeort, "Standort", anderer), "Standort");
        cellClick(*w->lijeort, zeilemit(*w->lijeort, "Standort", z.name), "Standort");
        QCOMPARE(w->listandorte->cell(w->listandorte->row(), "ID"), QString::number(z.id));
        QVERIFY(zeilemit(*w->lijepflanze, "Pflanze", z.pflanze) > 0);
        QCOMPARE(w->bezproz->text(), QString::number(z.anteil + runde - 1));
        jefelder(*w, "Kirsche", "10", "1");
        QTest::mouseClick(w->neuje[0], Qt::LeftButton);
        QCOMPARE(anzahl("select count(*) from Standorte_Pflanzen where Pflanze = 'Kirsche' and Standort_Kennung = " +
                        QString::number(z.id)),
                 runde);
        QCOMPARE(w->bezproz->text(), QString::number(z.anteil + runde));
      }
    }
    // A third twin saved with "&Neu" is the one made current; the same name
    // in capitals is the same site.
    w->sstab->setTab(0);
    w->sevt(5).setText("Cafê");
    QTest::mouseClick(w->neustandort[0], Qt::LeftButton);
    QCOMPARE(w->listandorte->cell(w->listandorte->row(), "ID"), wert("select ID from Standorte where Standort = 'Cafê'"));
    w->sevt(5).setText("CAFÉ");
    messages().expect("Der Standort existiert bereits!");
    QTest::mouseClick(w->neustandort[0], Qt::LeftButton);
    QVERIFY(messages().allUsed());
    QCOMPARE(w->listandorte->findrow("Standort = 'CAFÉ'"), zeilemit(*w->listandorte, "Standort", "Café"));
    w->close();
  }

  // Plants that differ only in an accent are two plants: after each save,
  // new or changed, the saved one is the current row with its own values.
  void accentTwinsAreTwoPlants() {
    auto w = standortfenster("2");
    QVERIFY(showActive(*w));
    const QStringList namen{"Malvé", "Malvè", "Malvê"};
    for (int i = 0; i < namen.size(); ++i) {
      pflanzefelder(*w, namen[i], QString("0%1.05.2026").arg(i + 1), "30.06.2026");
      QTest::mouseClick(w->neu[0], Qt::LeftButton);
      QCOMPARE(w->lipflanzen->cell(w->lipflanzen->row(), "Pflanze") + " " + w->sevt(1).text(),
               namen[i] + QString(" 0%1.05.2026").arg(i + 1));
    }
    for (int runde = 0; runde < 2; ++runde) {
      for (int i = 0; i < namen.size(); ++i) {
        cellClick(*w->lipflanzen, zeilemit(*w->lipflanzen, "Pflanze", namen[i]), "Pflanze");
        w->sevt(3).setText(QString::number(i + runde));
        QTest::mouseClick(w->neu[1], Qt::LeftButton);
        QCOMPARE(w->lipflanzen->cell(w->lipflanzen->row(), "Pflanze") + " " + w->sevt(3).text(),
                 namen[i] + " " + QString::number(i + runde));
      }
    }
    QCOMPARE(anzahl("select count(*) from Pflanzen where Pflanze in ('Malvé', 'Malvè', 'Malvê')"), 3);
    w->close();
  }

  // The fields designed with a list show their arrow from the start, so the
  // window does not move when the first save fills a list: the site list
  // keeps its width and every field its place, after the first "&Neu" and
  // the next.
  void layoutStaysWhenTheListsFill() {
    db().execute("delete from Pflanzen");
    auto w = standortfenster();
    QVERIFY(showActive(*w));
    auto felder = [&] {
      QStringList t{QString("Liste %1x%2").arg(w->listandorte->width()).arg(w->listandorte->height())};
      for (int i = 5; i <= 15; ++i) t << QString::number(i) + ":" + lage(*w, w->sevt(i));
      return t;
    };
    QApplication::processEvents();
    const QStringList vorher = felder();
    for (int i = 0; i <= 18; ++i) QCOMPARE(pfeil(w->sevt(i)), QList<int>({0, 6, 8, 11, 16}).contains(i));
    for (int runde = 1; runde <= 2; ++runde) {
      w->sevt(5).setText("Heide " + QString::number(runde));
      for (int i : {6, 8, 11}) w->sevt(i).setText("Wert" + QString::number(runde));
      QTest::mouseClick(w->neustandort[0], Qt::LeftButton);
      QApplication::processEvents();
      QCOMPARE(w->sevt(8).listcount(), runde);
      QCOMPARE(felder(), vorher);
    }
    w->close();
  }

  void deleting_data() {
    QTest::addColumn<int>("abfrage");
    QTest::addColumn<bool>("antwortja");
    QTest::addColumn<int>("übrig");
    QTest::newRow("without the question") << 0 << true << 1;
    QTest::newRow("asked, yes") << 1 << true << 1;
    QTest::newRow("asked, no") << 1 << false << 2;
  }
  void deleting() {
    QFETCH(int, abfrage);
    QFETCH(bool, antwortja);
    QFETCH(int, übrig);
    common::löschabfrage() = abfrage;
    const int id = standort("Heide");
    jepflanze(id, "Efeu", 100, 60);
    jepflanze(id, "Krokus", 100, 30);
    auto w = standortfenster();
    w->sstab->setTab(1);
    messages().expect("Bitte markieren Sie zuerst den Datensatz, den Sie löschen möchten.");
    w->lschje_click();
    klicken(*w, *w->lijepflanze, "Pflanze", "Krokus");
    if (abfrage == 1) messages().expect("wirklich unwiederbringlich gelöscht", antwortja ? vb::vbYes : vb::vbNo);
    w->lschje_click();
    QVERIFY(messages().allUsed());
    QCOMPARE(anzahl("select count(*) from Standorte_Pflanzen"), übrig);
    QCOMPARE(w->bezproz->text(), übrig == 1 ? QString("60") : QString("90"));
    // Deleting the site leaves its plants where this window no longer shows them.
    w->sstab->setTab(0);
    klicken(*w, *w->listandorte, "Standort", "Heide");
    if (abfrage == 1) messages().expectYes("wirklich");
    w->lschstandort_click();
    QCOMPARE(anzahl("select count(*) from Standorte"), 0);
    QCOMPARE(anzahl("select count(*) from Standorte_Pflanzen"), übrig);
  }

  void foragePeriodAtClose_data() {
    QTest::addColumn<QStringList>("pflanzen");
    QTest::addColumn<QString>("zeitraum");
    QTest::newRow("two plants") << QStringList{"Efeu", "Schneeheide"} << "15.01.2006-20.11.2006";
    QTest::newRow("the year counts") << QStringList{"Efeu", "Krokus 2007"} << "15.09.2006-10.04.2007";
    QTest::newRow("lower case joins") << QStringList{"efeu"} << "15.09.2006-20.11.2006";
    QTest::newRow("umlaut in capitals joins") << QStringList{"KÜBLERWEIDE"} << "10.03.2006-10.04.2006";
    QTest::newRow("its unaccented twin does not") << QStringList{"Kublerweide"} << "-";
    QTest::newRow("no plants") << QStringList{} << "-";
    QTest::newRow("unknown plant only") << QStringList{"Distel"} << "-";
  }
  void foragePeriodAtClose() {
    QFETCH(QStringList, pflanzen);
    QFETCH(QString, zeitraum);
    db().execute("update Pflanzen set Weidezeit_von = #02/10/2007#, Weidezeit_bis = #04/10/2007# "
                 "where Pflanze = 'Krokus'");
    // An earlier period is replaced, or lost when no plant counts.
    const int id = standort("Heide", {{"Trachtzeit_von", QDate(2001, 1, 1)}, {"Trachtzeit_bis", QDate(2001, 2, 1)}});
    for (QString p : pflanzen) jepflanze(id, p.remove(" 2007"), 100, 10);
    // A neighbour whose plant blooms all year: none of it reaches Heide.
    einfügen("Pflanzen", {{"Pflanze", "Zaubernuss"}, {"Weidezeit_von", QDate(2006, 1, 1)},
                          {"Weidezeit_bis", QDate(2006, 12, 31)}});
    const int moor = standort("Moor");
    jepflanze(moor, "Zaubernuss", 100, 10);
    for (bool schließknopf : {false, true}) {
      db().execute("update Standorte set Trachtzeit_von = #01/01/2001#, Trachtzeit_bis = #02/01/2001#");
      auto w = standortfenster();
      if (schließknopf) {
        w->beenden_click();
      } else {
        QVERIFY(w->close());   // the close box
      }
      QVERIFY(w->isUnloaded());
      QCOMPARE(trachtzeit(id), zeitraum);
      QCOMPARE(trachtzeit(moor), QString("01.01.2006-31.12.2006"));
    }
  }

  // A derivation the database refuses is reported; the window closes all the same.
  void failedDerivationStillCloses() {
    const int id = standort("Heide", {{"Trachtzeit_von", QDate(2001, 1, 1)}});
    auto w = standortfenster();
    db().execute("drop table Standorte_Pflanzen");
    messages().expect("Die Trachtzeiten der Standorte konnten nicht ermittelt werden.");
    QVERIFY(w->close());
    QVERIFY(w->isUnloaded());
    QVERIFY(messages().allUsed());
    for (const QString& a : shell::schemaanweisungen())
      if (a.contains(" Standorte_Pflanzen(")) db().execute(a);
    QCOMPARE(trachtzeit(id), QString("01.01.2001-"));
  }

  // A derivation or a year shift that the database refuses in the middle
  // keeps nothing of what it wrote before.
  void refusedInTheMiddleKeepsNothing_data() {
    QTest::addColumn<QString>("tabelle");   // where the second write is refused
    QTest::addColumn<QString>("meldung");
    QTest::newRow("derivation") << "Standorte" << "Die Trachtzeiten der Standorte konnten nicht ermittelt werden.";
    QTest::newRow("year shift") << "Pflanzen" << "Die Weidezeiten konnten nicht verschoben werden.";
  }
  void refusedInTheMiddleKeepsNothing() {
    QFETCH(QString, tabelle);
    QFETCH(QString, meldung);
    const QDate alt(2001, 1, 1);
    jepflanze(standort("Heide", {{"Trachtzeit_von", alt}, {"Trachtzeit_bis", alt}}), "Efeu", 100, 10);
    jepflanze(standort("Moor", {{"Trachtzeit_von", alt}, {"Trachtzeit_bis", alt}}), "Krokus", 100, 10);
    const auto stand = [] {
      return zeilen("select Standort, Trachtzeit_von, Trachtzeit_bis from Standorte order by ID") +
             zeilen("select Pflanze, Weidezeit_von, Weidezeit_bis from Pflanzen order by ID");
    };
    const QStringList vorher = stand();
    // Heide and Efeu come first; Moor and the second plant are refused.
    roh("create trigger zweiter before update on " + tabelle + " when new.ID = (select min(ID) + 1 from " +
        tabelle + ") begin select raise(abort, 'gesperrt'); end");
    auto w = standortfenster("2");
    messages().expect(meldung);
    if (tabelle == "Pflanzen") w->aufwaerts_click(0);
    else w->beenden_click();
    roh("drop trigger zweiter");
    QVERIFY(messages().allUsed());
    QCOMPARE(stand(), vorher);
  }

  // A name typed with an apostrophe is stored with a backtick and still
  // gets its forage period.
  void apostropheSiteGetsItsPeriod() {
    auto w = standortfenster();
    w->sevt(5).setText("Müller's Wiese");
    w->neustandort_click(0);
    w->sstab->setTab(1);
    jefelder(*w, "Efeu", "100", "50");
    w->neuje_click(0);
    w->beenden_click();
    QCOMPARE(wert("select Standort from Standorte"), QString("Müller`s Wiese"));
    QCOMPARE(trachtzeit(anzahl("select ID from Standorte")), QString("15.09.2006-20.11.2006"));
    // A name that reached the database with an apostrophe is passed over,
    // and the other sites still get their periods.
    const int alt = standort("O'Brien");
    jepflanze(alt, "Efeu", 100, 50);
    const int heide = standort("Heide");
    jepflanze(heide, "Krokus", 100, 50);
    standortfenster()->beenden_click();
    QCOMPARE(trachtzeit(heide), QString("10.02.2006-10.04.2006"));
    QCOMPARE(trachtzeit(alt), QString("-"));
  }

  // The evaluations open from the window and see the forage periods of the
  // last close; the help shows the window's own topic.
  void evaluationsAndHelp() {
    const int id = standort("Heide");
    jepflanze(id, "Efeu", 100, 10);
    QFile::copy(QFileInfo(QStringLiteral(__FILE__)).absoluteDir().filePath("../../data/HILFEZEVO.HLP"),
                common::datenpfad + "HILFEZEVO.HLP");
    auto w = standortfenster();
    QString zeitraum;
    forms().on("IW_Standorte", [&](vb::Form* f) {
      zeitraum = trachtzeit(id);
      f->unload();
    });
    forms().on("IH_Hilfe", [](vb::Form* f) {
      QCOMPARE(common::hilfethema, QString("IV_Pflanzen_Standorte"));
      f->unload();
    });
    QTest::mouseClick(w->comstandortlisten, Qt::LeftButton);
    QTest::mouseClick(w->hilfe, Qt::LeftButton);
    QCOMPARE(forms().shown(), QStringList({"IW_Standorte", "IH_Hilfe"}));
    QCOMPARE(zeitraum, QString("-"));
  }

  void yearShift_data() {
    QTest::addColumn<QList<int>>("knöpfe");
    QTest::addColumn<QDate>("von");
    QTest::addColumn<QDate>("bis");
    QTest::addColumn<QString>("ergebnis");
    const QDate efeuvon(2006, 9, 15), efeubis(2006, 11, 20);
    QTest::newRow("one year on") << QList<int>{0} << efeuvon << efeubis << "15.09.2007-20.11.2007";
    QTest::newRow("two years back") << QList<int>{1, 1} << efeuvon << efeubis << "15.09.2004-20.11.2004";
    QTest::newRow("2099 stays") << QList<int>{0} << QDate(2099, 5, 1) << QDate(2099, 6, 1) << "01.05.2099-01.06.2099";
    QTest::newRow("1901 stays") << QList<int>{1} << QDate(1901, 5, 1) << QDate(1901, 6, 1) << "01.05.1901-01.06.1901";
    QTest::newRow("1850 on") << QList<int>{0} << QDate(1850, 5, 1) << QDate(2150, 6, 1) << "01.05.1901-01.06.2099";
    QTest::newRow("2150 back") << QList<int>{1} << QDate(1850, 5, 1) << QDate(2150, 6, 1) << "01.05.1901-01.06.2099";
    QTest::newRow("29 February") << QList<int>{0} << QDate(2008, 2, 29) << QDate(2008, 3, 1) << "28.02.2009-01.03.2009";
    QTest::newRow("no date") << QList<int>{0} << QDate() << QDate(2008, 3, 1) << "-01.03.2009";
  }
  void yearShift() {
    QFETCH(QList<int>, knöpfe);
    QFETCH(QDate, von);
    QFETCH(QDate, bis);
    QFETCH(QString, ergebnis);
    db().execute("update Pflanzen set Weidezeit_von = " +
                 (von.isValid() ? von.toString("#MM/dd/yyyy#") : QString("Null")) +
                 ", Weidezeit_bis = " + bis.toString("#MM/dd/yyyy#") + " where Pflanze = 'Efeu'");
    const int id = standort("Heide");
    jepflanze(id, "Schneeheide", 100, 10);
    auto w = standortfenster("2");
    w->sevt(0).setText("Mein Text");
    ListePrüfen liste(*w->lipflanzen);
    for (int k : knöpfe) w->aufwaerts_click(k);
    QVERIFY(liste.nurfrei());
    QCOMPARE(wert("select Weidezeit_von from Pflanzen where Pflanze = 'Efeu'") + "-" +
                 wert("select Weidezeit_bis from Pflanzen where Pflanze = 'Efeu'"),
             ergebnis);
    // The other plants of the run are shifted too; the fields keep their text.
    QCOMPARE(wert("select Weidezeit_von from Pflanzen where Pflanze = 'Schneeheide'"),
             QDate(2006 + (knöpfe.first() == 0 ? 1 : -1) * int(knöpfe.size()), 1, 15).toString("dd.MM.yyyy"));
    QCOMPARE(w->sevt(0).text(), QString("Mein Text"));
    QCOMPARE(w->lipflanzen->cell(zeilemit(*w->lipflanzen, "Pflanze", "Efeu"), "Weidezeit_bis"), ergebnis.section("-", 1));
    // The sites follow only when the window closes.
    QCOMPARE(trachtzeit(id), QString("-"));
    w->beenden_click();
    QVERIFY(trachtzeit(id).startsWith("15.01."));
  }
};

ZEVO_TEST_MAIN(TestPflanzenStandorte)
#include "test_pflanzen_standorte.moc"
