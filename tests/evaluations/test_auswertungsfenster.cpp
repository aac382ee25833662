// The evaluation frame on a window of its own: the clauses of the colony
// choice, stepping through the main grid, the caption of the current colony,
// loading and storing the choice, the refusal, the date switch, the year
// boxes and a failing listing.
#include "auswertungstest.h"
#include "evaluations/auswertungsfenster.h"
#include "evaluations/registry.h"

#include "output/listenuebergabe.h"

#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

using namespace zevo;
using namespace zevo::test;
using evaluations::Auswertungsfenster;
using evaluations::Klauselart;

namespace {

// A bookings-like window: colony choice, dates with a "Datum von" option,
// year boxes with the key filter; its listing runs `abfrage` into gridli.
class Probefenster : public Auswertungsfenster {
public:
  QRadioButton* optibuch[2];
  QString abfrage = "select Volknr from Bienenvolk";
  int geladen = 0, gespeichert = 0;

  Probefenster() : Auswertungsfenster("IW_Probe", "Probe") {
    auto* rahmen = völkerauswahlanlegen(Klauselart::Buchungen);
    nächsteranlegen("&Vorheriges", "&Nächstes");
    datumsfelderanlegen();
    jahresfelderanlegen(true);
    optibuch[0] = new QRadioButton("Alle Buchungen", this);
    optibuch[1] = new QRadioButton("Datum von", this);
    datumvonoption = optibuch[1];
    auto* l = new QVBoxLayout(this);
    l->addWidget(rahmen);
    for (QWidget* w : std::initializer_list<QWidget*>{optibuch[0], optibuch[1], &tdat(0), &tdat(1), &t(0), &t(1)})
      l->addWidget(w);
  }
  void optionensetzen() override {
    ++geladen;
    tdat(0).setText(common::buchungsdatumvon());
    optibuch[common::buchungsauswahlstandard() == 1 ? 1 : 0]->setChecked(true);
  }
  void optionenspeichern() override { ++gespeichert; }
  bool runAbgelehnt(const QString& gründe) { return abgelehnt(gründe); }
  void ok_click() override {
    listung([this] {
      gridvorbereiten();
      meterstarten(1);
      dao::Recordset rs = datenbank().openRecordset(abfrage);
      output::abfrageübernehmen(rs, *gridli);
      übergeben();
    });
  }
};

QString caption4(Auswertungsfenster& w) { return w.optitieraus[4]->text(); }

// One of the evaluation windows, built by name, loaded and activated.
std::unique_ptr<Auswertungsfenster> öffnen(const QString& name) {
  std::unique_ptr<vb::Form> f = vb::createForm(name);
  auto* w = dynamic_cast<Auswertungsfenster*>(f.get());
  if (!w) return nullptr;
  f.release();
  std::unique_ptr<Auswertungsfenster> fenster(w);
  fenster->Form_Load();
  fenster->Form_Activate();
  return fenster;
}

const char* const fensternamen[] = {"IW_Völkerdaten", "IW_Völker_Buchungen_Standard", "IW_Arbeitszeiten"};

}  // namespace

class TestAuswertungsfenster : public QObject {
  Q_OBJECT
  Hauptliste haupt_;

private slots:
  void initTestCase() { evaluations::registerEvaluationForms(); }

  void init() {
    datenbankbereitstellen();
    datenbankgrundzustand(datum("15.06.2007"));
    for (const char* nr : {"1", "2", "3"})
      einfügen("Bienenvolk", {{"Volknr", nr}, {"Volkname", QString("Volk ") + nr}, {"Akt_im_Bestand", "X"}});
    haupt_.lesen(1);
  }

  void klauseln_data() {
    QTest::addColumn<int>("art");
    QTest::addColumn<int>("option");
    QTest::addColumn<QString>("klausel");
    const int b = int(Klauselart::Buchungen), v = int(Klauselart::Völkerdaten), a = int(Klauselart::Arbeitszeiten);
    QTest::newRow("bookings 0") << b << 0 << " where Akt_im_Bestand = 'X'";
    QTest::newRow("bookings 1") << b << 1 << "";
    QTest::newRow("bookings 2") << b << 2 << " where Selektiert = 'X'";
    QTest::newRow("bookings 3") << b << 3 << " where Akt_im_Bestand <> 'X'";
    QTest::newRow("bookings 4") << b << 4 << " where Bienenvolk.ID = 17";
    QTest::newRow("data 1") << v << 1 << "";
    QTest::newRow("data 4") << v << 4 << " where ID = 17";
    QTest::newRow("times 0") << a << 0 << " where Bienenvolk.Akt_im_Bestand = 'X'";
    QTest::newRow("times 1") << a << 1 << " where Bienenvolk.Volknr IS NOT NULL";
    QTest::newRow("times 2") << a << 2 << " where Bienenvolk.Selektiert = 'X'";
    QTest::newRow("times 3") << a << 3 << " where Bienenvolk.Akt_im_Bestand <> 'X'";
    QTest::newRow("times 4") << a << 4 << " where Bienenvolk.ID = 17";
  }
  void klauseln() {
    QFETCH(int, art);
    QFETCH(int, option);
    QFETCH(QString, klausel);
    QCOMPARE(Auswertungsfenster::völkerklausel(Klauselart(art), option, "17"), klausel);
  }

  void captions() {
    Probefenster w;
    const QStringList erwartet{"Alle im Bestand befindlichichen Völker", "Alle Völker", "Selektierte Völker",
                               "Alle nicht im Bestand befindl. Völker", "Aktuelles Volk"};
    for (int i = 0; i < 5; ++i) QCOMPARE(w.optitieraus[i]->text(), erwartet[i]);
  }

  // Stepping wraps around the main grid and renews the caption of option 4,
  // in every window with the colony choice.
  void stepping_data() {
    QTest::addColumn<QString>("fenster");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("knopf");
    QTest::addColumn<int>("ziel");
    QTest::addColumn<QString>("captions");
    const char* const captions[] = {"&Vorheriger &Nächster", "&Vorheriges &Nächstes", "&Vorheriger &Nächster"};
    for (int f = 0; f < 3; ++f) {
      QTest::addRow("%s next on the last", fensternamen[f]) << fensternamen[f] << 3 << 1 << 1 << captions[f];
      QTest::addRow("%s previous on the first", fensternamen[f]) << fensternamen[f] << 1 << 0 << 3 << captions[f];
    }
  }
  void stepping() {
    QFETCH(QString, fenster);
    QFETCH(int, start);
    QFETCH(int, knopf);
    QFETCH(int, ziel);
    QFETCH(QString, captions);
    common::völkerauswahl() = 4;
    haupt_.lesen(start);
    auto w = öffnen(fenster);
    QVERIFY(w);
    QCOMPARE(w->nächster[0]->text() + " " + w->nächster[1]->text(), captions);
    QCOMPARE(caption4(*w), QString("Aktuelles Volk %1 / Volk %1").arg(start));
    QVERIFY(!w->nächster[0]->isHidden());
    w->nächster[knopf]->click();
    QCOMPARE(haupt_.grid.row(), ziel);
    QCOMPARE(caption4(*w), QString("Aktuelles Volk %1 / Volk %1").arg(ziel));
    QVERIFY(w->völkerklausel().endsWith("ID = " + haupt_.grid.cell(ziel, "ID")));
    // Another choice hides the buttons and gives the caption back, without a blank.
    w->optitieraus[1]->click();
    QCOMPARE(caption4(*w), QString("Aktuelles Volk"));
    QVERIFY(w->nächster[0]->isHidden() && w->nächster[1]->isHidden());
    w->optitieraus[4]->click();
    QVERIFY(!w->nächster[1]->isHidden());
  }

  // The stored choice at opening: 4 needs a current row; a choice outside
  // 0..4 opens as 0.
  void gespeicherteWahl_data() {
    QTest::addColumn<QString>("fenster");
    QTest::addColumn<int>("gespeichert");
    QTest::addColumn<int>("zeile");
    QTest::addColumn<int>("gewählt");
    QTest::addColumn<bool>("vierAn");
    for (const char* f : fensternamen) {
      QTest::addRow("%s 4 with a current row", f) << f << 4 << 2 << 4 << true;
      QTest::addRow("%s 4 without one", f) << f << 4 << 0 << 0 << false;
      QTest::addRow("%s 2 without a row", f) << f << 2 << 0 << 2 << false;
      QTest::addRow("%s hand-edited 7", f) << f << 7 << 1 << 0 << true;
    }
    QTest::newRow("hand-edited -1") << "IW_Probe" << -1 << 1 << 0 << true;
  }
  void gespeicherteWahl() {
    QFETCH(QString, fenster);
    QFETCH(int, gespeichert);
    QFETCH(int, zeile);
    QFETCH(int, gewählt);
    QFETCH(bool, vierAn);
    common::völkerauswahl() = gespeichert;
    haupt_.lesen(zeile);
    std::unique_ptr<Auswertungsfenster> w =
        fenster == "IW_Probe" ? std::unique_ptr<Auswertungsfenster>(geöffnet<Probefenster>()) : öffnen(fenster);
    QCOMPARE(w->gewählteoption(), gewählt);
    if (gewählt == 4) QCOMPARE(caption4(*w), QString("Aktuelles Volk 2 / Volk 2"));
    QCOMPARE(w->optitieraus[4]->isEnabled(), vierAn);
    QCOMPARE(w->nächster[0]->isHidden(), gewählt != 4);
    QCOMPARE(vb::mousePointer(), int(vb::vbDefault));
  }

  // "&Schließen" stores the choice for the next window; the close box does not.
  void storedOnlyByClosing() {
    common::völkerauswahl() = 0;
    {
      auto w = geöffnet<Probefenster>();
      w->optitieraus[2]->click();
      w->close();
      QCOMPARE(w->gespeichert, 0);
      QVERIFY(!w->datenbank().isOpen());
    }
    QCOMPARE(common::völkerauswahl(), 0);
    {
      auto w = geöffnet<Probefenster>();
      w->optitieraus[3]->click();
      w->beenden->click();
      QCOMPARE(w->gespeichert, 1);
      QVERIFY(w->isUnloaded());
      QVERIFY(!w->datenbank().isOpen());
    }
    QCOMPARE(common::völkerauswahl(), 3);
    auto w = geöffnet<Probefenster>();
    QCOMPARE(w->gewählteoption(), 3);
    // From one real window to the next.
    for (int i = 0; i < 3; ++i) {
      auto erstes = öffnen(fensternamen[i]);
      erstes->optitieraus[i]->click();
      erstes->beenden->click();
      auto zweites = öffnen(fensternamen[(i + 1) % 3]);
      QCOMPARE(zweites->gewählteoption(), i);
      zweites->optitieraus[4]->click();
      zweites->close();
      QCOMPARE(common::völkerauswahl(), i);
    }
  }

  void ablehnung() {
    Probefenster w;
    test::messages().expect();
    QVERIFY(w.runAbgelehnt("...erstens." + common::zeilenumbruch + "...zweitens." + common::zeilenumbruch));
    QCOMPARE(test::messages().count(), 1);
    QCOMPARE(test::messages().last(), QString("Die Daten können nicht gelistet werden, weil...\r\n\r\n"
                                              "...erstens.\r\n...zweitens.\r\n"));
    QCOMPARE(test::messages().shown().first().icon, vb::Information);
    QCOMPARE(test::messages().shown().first().buttons, vb::OKOnly);
    QVERIFY(!w.runAbgelehnt(""));
    QCOMPARE(test::messages().count(), 1);
  }

  // A typed date switches to "Datum von"; a stored "Alle Buchungen" wins
  // over the stored date texts set while loading.
  void datumSchaltet() {
    common::buchungsdatumvon() = "01.05.2007";
    common::buchungsauswahlstandard() = 0;
    auto w = geöffnet<Probefenster>();
    QCOMPARE(w->tdat(0).text(), QString("01.05.2007"));
    QVERIFY(w->optibuch[0]->isChecked());
    QTest::keyClick(w->tdat(1).editor(), Qt::Key_3);
    QVERIFY(w->optibuch[1]->isChecked());
  }

  // Year boxes: only the keys of ziffertaste reach them; leaving one completes it.
  void jahresfelder() {
    auto w = geöffnet<Probefenster>();
    w->show();
    QApplication::setActiveWindow(w.get());
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    w->t(0).setfocus();
    QTest::keyClicks(w->t(0).editor(), "a9x8");
    QCOMPARE(w->t(0).text(), QString("98"));
    QTest::keyClick(w->t(0).editor(), Qt::Key_Tab);
    QCOMPARE(w->t(0).text(), QString("1998"));
    w->t(1).setfocus();
    QTest::keyClicks(w->t(1).editor(), "7");
    w->t(0).setfocus();
    QCOMPARE(w->t(1).text(), QString("2007"));
    w->close();
  }

  // A listing the database refuses: one German message, pointer, meter and
  // grid back as they were, the window lists again afterwards.
  void fehlschlag() {
    Liste liste;
    listeabfangen(liste);
    auto w = geöffnet<Probefenster>();
    w->abfrage = "select Volknr from Verschwunden";
    test::messages().expect("Die Daten konnten nicht gelistet werden.");
    w->ok->click();
    QVERIFY(test::messages().allUsed());
    QCOMPARE(vb::mousePointer(), int(vb::vbDefault));
    QVERIFY(w->meter->isHidden());
    QVERIFY(!w->gridli->locked());
    QCOMPARE(liste.gezeigt, 0);
    w->abfrage = "select Volknr from Bienenvolk order by Volknr";
    w->ok->click();
    QCOMPARE(liste.gezeigt, 1);
    QCOMPARE(liste.zeilen, (QStringList{"Volknr\t", "1\t", "2\t", "3\t"}));
    QVERIFY(w->meter->isHidden());
  }

  void hilfe() {
    auto w = geöffnet<Probefenster>();
    QString thema;
    test::forms().on("IH_Hilfe", [&](vb::Form* f) {
      thema = common::hilfethema;
      if (f) f->unload();
    });
    w->hilfe->click();
    QCOMPARE(thema, QString("IW_Probe"));
  }
};

ZEVO_TEST_MAIN(TestAuswertungsfenster)
#include "test_auswertungsfenster.moc"
