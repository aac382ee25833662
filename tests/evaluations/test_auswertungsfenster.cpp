// The colony choice shared by three windows: stepping, stored choice, year keys, help.
#include "auswertungstest.h"
#include "evaluations/iw_arbeitszeiten.h"
#include "evaluations/iw_voelker_buchungen_standard.h"
#include "evaluations/registry.h"

using namespace zevo;
using namespace zevo::test;
using evaluations::Auswertungsfenster;

namespace {

const char* const fensternamen[] = {"IW_Völkerdaten", "IW_Völker_Buchungen_Standard", "IW_Arbeitszeiten"};

// One of the windows, built by name as showing it does, loaded and activated.
std::unique_ptr<Auswertungsfenster> öffnen(const QString& name) {
  std::unique_ptr<Auswertungsfenster> w(dynamic_cast<Auswertungsfenster*>(vb::createForm(name).release()));
  if (w) {
    w->Form_Load();
    w->Form_Activate();
  }
  return w;
}

QString caption4(Auswertungsfenster& w) { return w.optitieraus[4]->text(); }

struct Schritt {
  QString fenster;
  int start, knopf, ziel;
  QString captions;
};
struct Wahl {
  QString fenster;
  int gespeichert, zeile, gewählt;
  bool vierAn;
};

}  // namespace

Q_DECLARE_METATYPE(Schritt)
Q_DECLARE_METATYPE(Wahl)

class TestAuswertungsfenster : public QObject {
  Q_OBJECT
  Hauptliste haupt_{false};   // marks only its current row

private slots:
  void initTestCase() { evaluations::registerEvaluationForms(); }

  void init() {
    datenbankbereitstellen();
    datenbankgrundzustand(datum("15.06.2007"));
    for (const char* nr : {"1", "2", "3"}) volk(nr, true, {{"Volkname", QString("Volk ") + nr}});
    haupt_.lesen(1);
  }

  void stepping_data() {
    QTest::addColumn<Schritt>("f");
    const char* const captions[] = {"&Vorheriger &Nächster", "&Vorheriges &Nächstes", "&Vorheriger &Nächster"};
    for (int f = 0; f < 3; ++f) {
      QTest::addRow("%s next on the last", fensternamen[f]) << Schritt{fensternamen[f], 3, 1, 1, captions[f]};
      QTest::addRow("%s previous on the first", fensternamen[f]) << Schritt{fensternamen[f], 1, 0, 3, captions[f]};
    }
  }
  void stepping() {
    QFETCH(Schritt, f);
    const auto& [fenster, start, knopf, ziel, captions] = f;
    common::völkerauswahl() = 4;
    haupt_.lesen(start);
    auto w = öffnen(fenster);
    QCOMPARE(w->nächster[0]->text() + " " + w->nächster[1]->text(), captions);
    QCOMPARE(caption4(*w), QString("Aktuelles Volk %1 / Volk %1").arg(start));
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

  // The stored choice at opening: 4 needs a current row; a hand-edited
  // choice outside 0..4 opens as 0.
  void storedChoice_data() {
    QTest::addColumn<Wahl>("f");
    for (const char* f : fensternamen) {
      QTest::addRow("%s 4 with a current row", f) << Wahl{f, 4, 2, 4, true};
      QTest::addRow("%s 4 without one", f) << Wahl{f, 4, 0, 0, false};
      QTest::addRow("%s 2 without a row", f) << Wahl{f, 2, 0, 2, false};
      QTest::addRow("%s hand-edited 7", f) << Wahl{f, 7, 1, 0, true};
    }
    QTest::newRow("hand-edited -1") << Wahl{fensternamen[0], -1, 1, 0, true};
  }
  void storedChoice() {
    QFETCH(Wahl, f);
    const auto& [fenster, gespeichert, zeile, gewählt, vierAn] = f;
    common::völkerauswahl() = gespeichert;
    haupt_.lesen(zeile);
    auto w = öffnen(fenster);
    QCOMPARE(w->gewählteoption(), gewählt);
    QCOMPARE(w->optitieraus[4]->isEnabled(), vierAn);
    QCOMPARE(w->nächster[0]->isHidden(), gewählt != 4);
    if (gewählt == 4) QCOMPARE(caption4(*w), QString("Aktuelles Volk 2 / Volk 2"));
    QCOMPARE(vb::mousePointer(), int(vb::vbDefault));
  }

  // The choice made in one window starts the next after "&Schließen"; the
  // close box stores nothing. Both close the window's connection.
  void storedOnlyByClosing() {
    for (int i = 0; i < 3; ++i) {
      auto erstes = öffnen(fensternamen[i]);
      erstes->optitieraus[i]->click();
      erstes->beenden->click();
      QVERIFY(erstes->isUnloaded() && !erstes->datenbank().isOpen());
      auto zweites = öffnen(fensternamen[(i + 1) % 3]);
      QCOMPARE(zweites->gewählteoption(), i);
      zweites->optitieraus[3]->click();
      zweites->close();
      QVERIFY(!zweites->datenbank().isOpen());
      QCOMPARE(common::völkerauswahl(), i);
    }
  }

  // Year boxes: only the keys of ziffertaste reach them; leaving one completes it.
  void yearBoxes() {
    auto w = öffnen("IW_Arbeitszeiten");
    w->show();
    QApplication::setActiveWindow(w.get());
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    w->t(0).setfocus();
    w->t(0).setText("");
    QTest::keyClicks(w->t(0).editor(), "a9x8");
    QCOMPARE(w->t(0).text(), QString("98"));
    QTest::keyClick(w->t(0).editor(), Qt::Key_Tab);
    QCOMPARE(w->t(0).text(), QString("1998"));
    w->t(1).setfocus();
    w->t(1).setText("");
    QTest::keyClicks(w->t(1).editor(), "7");
    w->t(0).setfocus();
    QCOMPARE(w->t(1).text(), QString("2007"));
    w->close();
  }

  // The window keeps its size and its controls their places while the
  // stepping buttons and the progress bar come and go.
  void keepsStill_data() {
    QTest::addColumn<QString>("fenster");
    for (const char* f : fensternamen) QTest::newRow(f) << QString(f);
    QTest::newRow("IW_Völker_Buchungen") << QString("IW_Völker_Buchungen");
  }
  void keepsStill() {
    QFETCH(QString, fenster);
    einfügen("Honigernte", {{"Datum", datum("01.05.2007")}, {"Menge_kg", 3}, {"Volk", haupt_.grid.cell(1, "ID")}});
    auto w = öffnen(fenster);
    if (auto* b = dynamic_cast<evaluations::IW_Völker_Buchungen_Standard*>(w.get())) {
      b->sevt(0).setText("Honigernte");
      b->sevt_listpick(0);
    }
    w->alletier_click(0);
    QCOMPARE(bewegt(*w), QStringList());
  }

  // A database that cannot be opened: a message and no window; a table that
  // cannot be read at the pick: a message and the window stays.
  void failures() {
    const QString pfad = common::datenbankpfad;
    common::datenbankpfad = common::datenpfad + "fehlt/ZEVO.MDB";
    for (const char* f : fensternamen) {
      messages().expect("Das Fenster kann nicht geöffnet werden.");
      QVERIFY(öffnen(f)->isUnloaded());
    }
    common::datenbankpfad = pfad;
    QVERIFY(messages().allUsed());
    auto w = öffnen(fensternamen[1]);
    auto& buchungen = dynamic_cast<evaluations::IW_Völker_Buchungen_Standard&>(*w);
    db().execute("alter table Wanderung rename to Wanderung_weg");
    messages().expect("Die Datenfelder der Tabelle konnten nicht gelesen werden.");
    buchungen.sevt(0).setText("Wanderung");
    buchungen.sevt_listpick(0);
    db().execute("alter table Wanderung_weg rename to Wanderung");
    QVERIFY(messages().allUsed());
    QVERIFY(!w->isUnloaded());
  }

  // A window opens with the focus in its first control, not on "&Listen".
  void firstFocus_data() {
    QTest::addColumn<QStringList>("f");   // the window, the class of its first control
    QTest::newRow("data") << QStringList{fensternamen[0], "QListWidget"};
    QTest::newRow("bookings") << QStringList{fensternamen[1], "QLineEdit"};
    QTest::newRow("times") << QStringList{fensternamen[2], "QRadioButton"};
  }
  void firstFocus() {
    QFETCH(QStringList, f);
    const QString &fenster = f[0], &erstes = f[1];
    auto w = öffnen(fenster);
    w->show();
    QApplication::setActiveWindow(w.get());
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    QVERIFY(QApplication::focusWidget());
    QCOMPARE(QString(QApplication::focusWidget()->metaObject()->className()), erstes);
    w->close();
  }

  void help() {
    QStringList themen;
    forms().on("IH_Hilfe", [&](vb::Form* f) {
      themen << common::hilfethema;
      if (f) f->unload();
    });
    for (const char* f : fensternamen) öffnen(f)->hilfe->click();
    QCOMPARE(themen, (QStringList{fensternamen[0], fensternamen[1], fensternamen[2]}));
  }
};

ZEVO_TEST_MAIN(TestAuswertungsfenster)
#include "test_auswertungsfenster.moc"
