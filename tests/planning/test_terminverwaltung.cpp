// The calendar of dates: the range listed at opening, the filter fields and
// when they rebuild the list (typed with real keys), storing with its checks,
// the double click that marks done and deleting all done dates.
#include "planning/iv_terminverwaltung.h"
#include "planungstest.h"
#include "support/eingabefeld.h"

#include <QLineEdit>
#include <QPushButton>

#include <optional>

using namespace zevo;
using namespace zevo::test;
using planning::IV_Terminverwaltung;

namespace {

QStringList daten(const ui::sevGrid& g) {
  QStringList t;
  for (int r = 1; r <= g.rows(); ++r) t << g.cell(r, "Datum") + "/" + g.cell(r, "Termin");
  return t;
}

// The window shown and active, so that the focus moves as it does for the user.
std::unique_ptr<IV_Terminverwaltung> gezeigt() {
  auto w = geladen<IV_Terminverwaltung>();
  w->show();
  QApplication::setActiveWindow(w.get());
  if (!QTest::qWaitForWindowActive(w.get())) qWarning("Fenster nicht aktiv");
  return w;
}

void fokus(IV_Terminverwaltung& w, int feld) {
  w.sevt(feld).editor()->setFocus(Qt::MouseFocusReason);
  QApplication::processEvents();
}

void verlassen(IV_Terminverwaltung& w, int feld) {
  QTest::keyClick(w.sevt(feld).editor(), Qt::Key_Tab);
  QApplication::processEvents();
}

void leeren(IV_Terminverwaltung& w, int feld) {
  QTest::keyClick(w.sevt(feld).editor(), Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(w.sevt(feld).editor(), Qt::Key_Backspace);
}

}  // namespace

class TestTerminverwaltung : public QObject {
  Q_OBJECT
  int v1 = 0, v2 = 0;

private slots:
  void init() {
    planungsgrundzustand(datum("15.05.2007"));
    v1 = volk("1");
    v2 = volk("2", false);
  }

  void oeffnenUndFilter() {
    for (const char* d : {"07.05.2007", "30.05.2007"}) termin(d, "Außen", v1);
    termin("29.05.2007", "Bauen", 0);
    termin("08.05.2007", "Füttern", v1);
    termin("10.05.2007", "Rahmen `neu`", 0);
    termin("31.05.2007", "Füttern", v2);
    termin("30.05.2007", "Kontrolle", v2);   // stored after the later date of its colony
    auto w = gezeigt();
    for (int i = 0; i <= 8; ++i) QCOMPARE(pfeil(w->sevt(i)), i != 0 && i != 6 && i != 7);   // all but the dates
    QCOMPARE(w->sevt(6).text(), QString("08.05.2007"));
    QCOMPARE(w->sevt(7).text(), QString("29.05.2007"));
    QCOMPARE(daten(*w->litermine),
             (QStringList{"08.05.2007/Füttern", "10.05.2007/Rahmen `neu`", "29.05.2007/Bauen"}));
    const int anfang = w->listenaufbauten();

    // Leaving a filter unchanged does not rebuild.
    fokus(*w, 4);
    verlassen(*w, 4);
    QCOMPARE(w->listenaufbauten(), anfang);
    // Nor does leaving a field of the date being entered, changed or not.
    fokus(*w, 1);
    QTest::keyClicks(w->sevt(1).editor(), "Neu");
    verlassen(*w, 1);
    QCOMPARE(w->listenaufbauten(), anfang);

    // An emptied start comes back with its default when it is left.
    fokus(*w, 6);
    leeren(*w, 6);
    QCOMPARE(w->listenaufbauten(), anfang);
    verlassen(*w, 6);
    QCOMPARE(w->sevt(6).text(), QString("08.05.2007"));
    QCOMPARE(w->listenaufbauten(), anfang + 1);

    // An impossible start, left, is listed once with the default start.
    fokus(*w, 6);
    leeren(*w, 6);
    QTest::keyClicks(w->sevt(6).editor(), "01.05.2007");
    verlassen(*w, 6);
    QCOMPARE(daten(*w->litermine).first(), QString("07.05.2007/Außen"));
    const int vorher = w->listenaufbauten();
    fokus(*w, 6);
    leeren(*w, 6);
    QTest::keyClicks(w->sevt(6).editor(), "31.02.2007");
    verlassen(*w, 6);
    QCOMPARE(w->sevt(6).text(), QString("08.05.2007"));
    QCOMPARE(w->listenaufbauten(), vorher + 1);

    // A complete date in the end field rebuilds at once.
    fokus(*w, 7);
    leeren(*w, 7);
    QTest::keyClicks(w->sevt(7).editor(), "31.05.2007");
    QVERIFY(w->listenaufbauten() > anfang + 1);
    QCOMPARE(daten(*w->litermine).last(), QString("31.05.2007/Füttern"));

    // The kind filter takes a typed apostrophe as it is stored.
    fokus(*w, 4);
    QTest::keyClicks(w->sevt(4).editor(), "Rahmen 'neu'");
    verlassen(*w, 4);
    QCOMPARE(daten(*w->litermine), QStringList{"10.05.2007/Rahmen `neu`"});

    // A colony number picked from the list narrows at once, also a colony out of stock.
    w->sevt(4).setText("");
    w->sevt(3).pick(w->sevt(3).listcount() - 1);
    QCOMPARE(daten(*w->litermine), (QStringList{"30.05.2007/Kontrolle", "31.05.2007/Füttern"}));
    w->close();
  }

  void speichern_data() {
    QTest::addColumn<QStringList>("felder");   // date, kind, colony number
    QTest::addColumn<QString>("meldung");      // "" = stored
    QTest::addColumn<QString>("gespeichert");  // "Datum/Termin/Volknr"
    QTest::newRow("colony out of stock") << QStringList{"20.05.2007", "Fütterung", "2"}
                                         << "...das angegebene Volk nicht existiert (aktuell im Bestand ist)." << "";
    QTest::newRow("no date, no kind") << QStringList{"31.02.2007", "  ", ""}
                                      << "...das Datum des Termins angegeben werden muß." + common::zeilenumbruch +
                                             "...die Terminart angegeben werden muß."
                                      << "";
    QTest::newRow("twice for the colony") << QStringList{"20.05.2007", "Fütterung", "1"}
                                          << "Dieser Termin existiert bereits." << "";
    QTest::newRow("same day of no colony") << QStringList{"20.5.07", "Fütterung", ""} << ""
                                           << "20.05.2007/Fütterung/0";
    QTest::newRow("same kind for the colony, next day") << QStringList{"21.05.2007", "Fütterung", "1"} << ""
                                                        << "21.05.2007/Fütterung/1";
    QTest::newRow("same day for the colony, other kind") << QStringList{"20.05.2007", "Schleudern", "1"} << ""
                                                         << "20.05.2007/Schleudern/1";
    QTest::newRow("short date of this year") << QStringList{"16.05", "Rähmchen 'neu'", "1"} << ""
                                             << "16.05.2007/Rähmchen `neu`/1";
  }
  void speichern() {
    QFETCH(QStringList, felder);
    QFETCH(QString, meldung);
    QFETCH(QString, gespeichert);
    termin("20.05.2007", "Fütterung", v1);
    auto w = geladen<IV_Terminverwaltung>();
    const int termine = anzahl("select count(*) from Termine");
    for (int i = 0; i < 3; ++i) w->sevt(i == 2 ? 8 : i).setText(felder[i]);
    if (!meldung.isEmpty()) messages().expect(meldung);
    ListePrüfen liste(*w->litermine);
    w->neu_Click(0);
    QVERIFY(messages().allUsed());
    if (!meldung.isEmpty()) {
      QCOMPARE(anzahl("select count(*) from Termine"), termine);
      QCOMPARE(w->sevt(0).text(), felder[0]);
      return;
    }
    QCOMPARE(beeps(), 1);
    QVERIFY(liste.nurfrei());   // the list is read once the date is committed
    const int id = anzahl("select max(ID) from Termine");
    QCOMPARE(werte(id, "Datum, Termin", "Termine") + "|" + volknummer(anzahl("select Volk from Termine where ID = " +
                                                                             QString::number(id))),
             QString(gespeichert).replace('/', '|'));
    // The stored row is current and shown, colony number included.
    const int r = w->litermine->row();
    QVERIFY(r > 0);
    QCOMPARE(w->litermine->cell(r, "ID"), QString::number(id));
    const QStringList teile = gespeichert.split('/');
    QCOMPARE(w->sevt(0).text() + "/" + w->sevt(1).text() + "/" + (w->sevt(8).text().isEmpty() ? "0" : w->sevt(8).text()),
             gespeichert);
    QCOMPARE(w->sevt(2).text(), QString("N"));
    // A new kind joins both lists.
    bool inListe = false;
    for (int i = 0; i < w->sevt(4).listcount(); ++i) inListe |= w->sevt(4).listtext(i) == teile[1];
    QVERIFY(inListe);
  }

  void doppelklick() {
    const int früh = termin("01.01.2007", "Kontrolle", v1);   // the table's first row, not listed
    termin("16.05.2007", "Kontrolle", v1);
    const int fort = termin("17.05.2007", "Kontrolle", v2);
    const int weg = termin("18.05.2007", "Kontrolle", 99999);
    termin("19.05.2007", "Kontrolle", v1);
    auto w = gezeigt();
    cellClick(*w->litermine, 1, 1);
    QCOMPARE(w->sevt(8).text(), QString("1"));
    cellDoubleClick(*w->litermine, 1);
    QCOMPARE(w->litermine->row(), 1);
    QCOMPARE(w->litermine->cell(1, "Erledigt"), QString("J"));
    QCOMPARE(anzahl("select count(*) from Termine where Erledigt = 'J'"), 1);
    QCOMPARE(werte(früh, "Datum, Erledigt", "Termine"), QString("01.01.2007|N"));

    // A colony that left the stock: refused, the date stays open. The arrow key shows the next date.
    gridKey(*w->litermine, Qt::Key_Down);
    QCOMPARE(w->litermine->row(), 2);
    QCOMPARE(w->sevt(0).text() + "/" + w->sevt(8).text(), QString("17.05.2007/2"));
    messages().expect("...das angegebene Volk nicht existiert (aktuell im Bestand ist).");
    cellDoubleClick(*w->litermine, 2);
    QVERIFY(messages().allUsed());
    QCOMPARE(werte(fort, "Erledigt, Volk", "Termine"), QString("N|%1").arg(v2));

    // A colony that no longer exists shows no number, so the date does not move to the colony shown before.
    cellClick(*w->litermine, 3, 1);
    QCOMPARE(w->sevt(8).text(), QString());
    cellDoubleClick(*w->litermine, 3);
    QVERIFY(anzahl("select Volk from Termine where ID = " + QString::number(weg)) != v1);
    w->close();
  }

  void alleErledigtenLoeschen() {
    termin("01.01.2006", "Alt", v1, "J");
    termin("16.05.2007", "Neu", 0, "J");
    termin("17.05.2007", "Offen", v1);
    termin("18.05.2007", "Weg", v1);
    auto w = geladen<IV_Terminverwaltung>();
    w->litermine->findrow("Termin = 'Weg'");
    w->löschen_Click();
    QCOMPARE(anzahl("select count(*) from Termine where Termin = 'Weg'"), 0);
    w->sevt(5).pick(2);   // only open dates listed
    QCOMPARE(daten(*w->litermine), QStringList{"17.05.2007/Offen"});
    messages().expectYes("Sollen wirklich alle als erledigt markierte Termine aus der Terminverwaltung gelöscht werden?");
    ListePrüfen liste(*w->litermine);
    w->lschalleerledigte_Click();
    QCOMPARE(spalte("select Termin from Termine"), QStringList{"Offen"});
    QVERIFY(liste.nurfrei());
  }

  // A failed click is told once, and the dates stay as they were.
  void eineMeldungJeKlick_data() {
    QTest::addColumn<int>("knopf");   // 0 new, 1 change, 2 delete, 3 delete the done ones
    QTest::addColumn<bool>("ohneTabelle");   // Termine dropped before the click, else a row without ID
    QTest::addColumn<QString>("meldung");
    const QString speichern = "Der Termin konnte nicht gespeichert werden.";
    QTest::newRow("new, table gone") << 0 << true << speichern;
    QTest::newRow("change, table gone") << 1 << true << speichern;
    QTest::newRow("delete, table gone") << 2 << true << "Der Termin konnte nicht gelöscht werden.";
    QTest::newRow("done ones, table gone") << 3 << true << "Die erledigten Termine konnten nicht gelöscht werden.";
    QTest::newRow("change, row without ID") << 1 << false << speichern + "\r\n\r\nDer Datensatz hat keine gültige ID.";
    QTest::newRow("delete, row without ID") << 2 << false << "Der Datensatz hat keine gültige ID.";
  }
  void eineMeldungJeKlick() {
    QFETCH(int, knopf);
    QFETCH(bool, ohneTabelle);
    QFETCH(QString, meldung);
    const QString spalten = "ID, Datum, Termin, Erledigt, Volk";
    const QString vorher = werte(termin("16.05.2007", "Kontrolle", v1, "J"), spalten, "Termine");
    auto w = gezeigt();
    w->sevt(0).setText("20.06.2023");
    w->sevt(1).setText("Schleudern");
    if (ohneTabelle) w->litermine->setRow(1);
    else zeileohneid(*w->litermine);
    std::optional<TabelleWeg> weg;
    if (ohneTabelle) weg.emplace("Termine");
    if (knopf == 3) messages().expectYes("Sollen wirklich alle als erledigt markierte Termine");
    messages().expect(meldung);
    QPushButton* knöpfe[] = {w->neu[0], w->neu[1], w->löschen, w->lschalleerledigte};
    QTest::mouseClick(knöpfe[knopf], Qt::LeftButton);
    QVERIFY(messages().allUsed());
    weg.reset();
    if (!ohneTabelle) QCOMPARE(werte(anzahl("select max(ID) from Termine"), spalten, "Termine"), vorher);
    w->close();
  }
};

ZEVO_TEST_MAIN(TestTerminverwaltung)
#include "test_terminverwaltung.moc"
