// The work plan: the period and its label, the table laid out by day with
// its header lines and marks, the list in date order, the refusals, the
// sorting and the settings it keeps.
#include "output/ia_zwischenliste.h"
#include "output/registry.h"
#include "planning/iw_arbeitsplan.h"
#include "planungstest.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

using namespace zevo;
using namespace zevo::test;
using output::IA_Zwischenliste;
using planning::IW_Arbeitsplan;

namespace {

struct Liste {
  QStringList titel;
  QStringList zeilen;   // cells joined by "|"
  QList<int> ausrichtung;
  QList<int> breite;   // twips
};

// Lists with the button and reads what the list window received; empty when none opened.
Liste listen(IW_Arbeitsplan& w, int index) {
  Liste l;
  forms().onWindow<IA_Zwischenliste>("IA_Zwischenliste", [&](IA_Zwischenliste& z) {
    for (int c = 1; c <= z.gridli->cols(); ++c) {
      l.titel << z.gridli->column(c).caption();
      l.ausrichtung << z.gridli->column(c).align();
      l.breite << z.gridli->column(c).width();
    }
    for (int r = 1; r <= z.gridli->rows(); ++r) l.zeilen << zeile(*z.gridli, r);
    z.cmdschließen_Click();
  });
  w.ok_Click(index);
  return l;
}

void start(IW_Arbeitsplan& w, const QString& text) {
  w.tdat->setText(text);
  w.tdat_lostfocus();
}

}  // namespace

class TestArbeitsplan : public QObject {
  Q_OBJECT
  int v1 = 0, v2 = 0, v10 = 0;

private slots:
  void initTestCase() { output::registerOutputForms(); }
  void init() {
    planungsgrundzustand(datum("20.02.2007"));
    v1 = volk("1", true, {{"Volkname", "Anna"}, {"Standort", "Wiese"}});
    v2 = volk("2", true, {{"Volkname", "Berta"}, {"Standort", "Heide"}});
    v10 = volk("10", true, {{"Volkname", "Clara"}, {"Standort", "Wiese"}});
    const int weg = volk("5", false, {{"Standort", "Wiese"}});
    termin("28.02.2007", "Vorher", v1);   // the day before every start listed here
    termin("01.03.2007", "Füttern", v1);
    termin("07.03.2007", "Kontrolle", v2);
    termin("04.03.2007", "Kontrolle", v10);
    termin("08.03.2007", "Später", v1);
    termin("03.03.2007", "Erledigt", v1, "J");
    termin("03.03.2007", "Ohne Volk", 0);
    termin("03.03.2007", "Fort", weg);
    termin("25.04.2007", "Achte Woche", v2);
  }

  void eineWocheAlsTabelle() {
    auto w = geladen<IW_Arbeitsplan>();
    QCOMPARE(w->Bezeichnung1->text(), QString("bis 26.02.2007"));   // first opening: six days on
    QCOMPARE(common::arbeitsplanzeitraum(), 6);
    start(*w, "01.03.2007");
    w->woche_Click(0);
    QCOMPARE(w->Bezeichnung1->text(), QString("bis 07.03.2007"));
    for (QCheckBox* k : w->kon) k->setChecked(false);
    const Liste l = listen(*w, 1);
    for (QCheckBox* k : w->kon) QVERIFY(k->isChecked());
    QCOMPARE(l.titel, (QStringList{"Volknummer", "Volkname", "Standort", "WT", "WT", "WT", "WT", "WT", "WT", "WT",
                                   "Termin"}));
    QCOMPARE(l.ausrichtung.mid(3, 7), QList<int>(7, 2));
    QCOMPARE(l.breite.value(2), 2400);   // the site column reads whole
    QCOMPARE(l.zeilen.mid(0, 5), (QStringList{"|||Do|Fr|Sa|So|Mo|Di|Mi|", "|||01|02|03|04|05|06|07|",
                                              "|||03|03|03|03|03|03|03|", "|||07|07|07|07|07|07|07|",
                                              "||||||||||"}));
    // Sorted by colony number as text: 1, 10, 2.
    QCOMPARE(l.zeilen.mid(5), (QStringList{"1|Anna|Wiese|X| | | | | | |Füttern", "10|Clara|Wiese| | | |X| | | |Kontrolle",
                                           "2|Berta|Heide| | | | | | |X|Kontrolle"}));
  }

  // Over the turn of the year each date is marked in the column of its own
  // day; the days just outside the period stay out.
  void ueberDenJahreswechsel() {
    termin("19.12.2007", "Davor", v1);
    termin("20.12.2007", "Erster Tag", v10);
    termin("31.12.2007", "Silvester", v1);
    termin("01.01.2008", "Neujahr", v2);
    termin("16.01.2008", "Letzter Tag", v1);
    termin("17.01.2008", "Danach", v2);
    auto w = geladen<IW_Arbeitsplan>();
    start(*w, "20.12.2007");
    w->woche_Click(3);
    QCOMPARE(w->Bezeichnung1->text(), QString("bis 16.01.2008"));
    for (QCheckBox* k : w->kon) k->setChecked(false);
    w->kon[0]->setChecked(true);
    const Liste l = listen(*w, 1);
    QCOMPARE(l.titel.count("WT"), 28);
    QStringList tage, monate, jahre;
    for (int i = 0; i < 28; ++i) {
      const QDate d = QDate(2007, 12, 20).addDays(i);
      tage << d.toString("dd");
      monate << d.toString("MM");
      jahre << d.toString("yy");
    }
    QCOMPARE(l.zeilen.value(1), "|" + tage.join('|') + "|");
    QCOMPARE(l.zeilen.value(2), "|" + monate.join('|') + "|");
    QCOMPARE(l.zeilen.value(3), "|" + jahre.join('|') + "|");
    const auto markiert = [](const QString& nr, int tag, const QString& termin) {
      QStringList z(28, QStringLiteral(" "));
      z[tag] = QStringLiteral("X");
      return nr + "|" + z.join('|') + "|" + termin;
    };
    QStringList zeilen = l.zeilen.mid(5), erwartet{markiert("1", 11, "Silvester"), markiert("1", 27, "Letzter Tag"),
                                                    markiert("10", 0, "Erster Tag"), markiert("2", 12, "Neujahr")};
    zeilen.sort();   // within one colony the order is the database's
    erwartet.sort();
    QCOMPARE(zeilen, erwartet);
  }

  void pruefungen_data() {
    QTest::addColumn<int>("woche");
    QTest::addColumn<QString>("beginn");
    QTest::addColumn<QStringList>("zeichen");
    QTest::addColumn<QString>("meldung");        // "" = listed without a message
    QTest::addColumn<QStringList>("nachher");    // the marks afterwards
    const QString weil = "Die Arbeitspläne können nicht berechnet werden, weil..." + common::zeilenumbruch +
                         common::zeilenumbruch;
    QTest::newRow("eight weeks") << 4 << "01.03.2007" << QStringList{"X", ""}
                                 << weil + "...der tabellarische Arbeitsplan kann nur für 1 bis 4 Wochen (nicht für 8 "
                                           "Wochen) erstellt werden." + common::zeilenumbruch
                                 << QStringList{"X", " "};
    QTest::newRow("small and capital x") << 0 << "01.03.2007" << QStringList{"x", "X"} << ""
                                         << QStringList{"x", "X"};
    QTest::newRow("equal marks") << 0 << "01.03.2007" << QStringList{"X", "X"}
                                 << "Sie dürfen keinesfalls für die vorhandenen und freien Termine das gleiche Zeichen"
                                 << QStringList{"X", " "};
    QTest::newRow("blank marks") << 0 << "01.03.2007" << QStringList{" ", " "} << "" << QStringList{"X", " "};
    QTest::newRow("no start date") << 0 << "abc" << QStringList{"X", "-"}
                                   << weil + "...die Berechnungszeiträume falsche Datumangaben enthalten." +
                                          common::zeilenumbruch
                                   << QStringList{"X", "-"};
  }
  void pruefungen() {
    QFETCH(int, woche);
    QFETCH(QString, beginn);
    QFETCH(QStringList, zeichen);
    QFETCH(QString, meldung);
    QFETCH(QStringList, nachher);
    auto w = geladen<IW_Arbeitsplan>();
    w->woche_Click(woche);
    start(*w, beginn);
    for (int i = 0; i < 2; ++i) w->t[i]->setText(zeichen[i]);
    if (!meldung.isEmpty()) messages().expect(meldung);
    const Liste l = listen(*w, 1);
    QVERIFY(messages().allUsed());
    QCOMPARE((QStringList{w->t[0]->text(), w->t[1]->text()}), nachher);
    const bool gelistet = !l.zeilen.isEmpty();
    QCOMPARE(gelistet, !meldung.startsWith("Die Arbeitspläne"));
    if (gelistet) QVERIFY(l.zeilen[5].contains(nachher[0] + "|" + nachher[1] + "|"));
  }

  void achtWochenAlsListe() {
    auto w = geladen<IW_Arbeitsplan>();
    start(*w, "01.03.2007");
    w->woche_Click(4);
    QCOMPARE(w->Bezeichnung1->text(), QString("bis 25.04.2007"));
    w->kon[0]->setChecked(true);
    w->kon[1]->setChecked(false);
    w->kon[2]->setChecked(true);
    w->optisort[2]->setChecked(true);   // ignored by the list
    const Liste l = listen(*w, 0);
    QCOMPARE(l.titel, (QStringList{"Datum", "Volknr", "Standort", "Termin"}));
    QCOMPARE(l.breite.value(2), 2400);
    QCOMPARE(l.zeilen, (QStringList{"01.03.2007|1|Wiese|Füttern", "04.03.2007|10|Wiese|Kontrolle",
                                    "07.03.2007|2|Heide|Kontrolle", "08.03.2007|1|Wiese|Später",
                                    "25.04.2007|2|Heide|Achte Woche"}));
  }

  // The table refuses only the eight weeks: a longer period kept from
  // elsewhere is laid out day by day.
  void laengererZeitraumAlsTabelle() {
    common::arbeitsplanzeitraum() = 56;
    auto w = geladen<IW_Arbeitsplan>();
    start(*w, "01.03.2007");
    const Liste l = listen(*w, 1);
    QCOMPARE(l.titel.count("WT"), 57);
    QCOMPARE(l.zeilen.size(), 5 + 5);
  }

  void nachStandort() {
    auto w = geladen<IW_Arbeitsplan>();
    start(*w, "01.03.2007");
    w->woche_Click(1);
    w->optisort[2]->setChecked(true);
    w->kon[0]->setChecked(true);
    w->kon[1]->setChecked(false);
    w->kon[2]->setChecked(false);
    const Liste l = listen(*w, 1);
    QStringList nummern;
    for (const QString& z : l.zeilen.mid(5)) nummern << z.section('|', 0, 0);
    QCOMPARE(nummern, (QStringList{"2", "1", "1", "10"}));   // Heide, then Wiese by number
    w->optisort[1]->setChecked(true);
    nummern.clear();
    for (const QString& z : listen(*w, 1).zeilen.mid(5)) nummern << z.section('|', 0, 0);
    QCOMPARE(nummern, (QStringList{"1", "1", "2", "10"}));   // Anna, Berta, Clara
    // Two colonies of one name follow their numbers (as texts), not the order they were stored in.
    db().execute("update Bienenvolk set Volkname = 'Clara' where ID = " + QString::number(v2));
    nummern.clear();
    for (const QString& z : listen(*w, 1).zeilen.mid(5)) nummern << z.section('|', 0, 0);
    QCOMPARE(nummern, (QStringList{"1", "1", "10", "2"}));
  }

  void startfeldUndEinstellungen() {
    common::arbeitsplanspalten(0) = 0;
    common::arbeitsplanspalten(1) = 7;   // not 0 or 1: stays ticked
    common::arbeitsplanspalten(2) = 1;
    common::arbeitsplansortierung() = 9;
    common::arbeitsplanzeichen(1) = "o";
    common::arbeitsplanzeitraum() = 13;
    auto w = geladen<IW_Arbeitsplan>();
    QCOMPARE(w->kon[0]->isChecked(), false);
    QCOMPARE(w->kon[1]->isChecked(), true);
    QVERIFY(w->optisort[0]->isChecked());
    QCOMPARE(w->t[0]->text(), QString("X"));
    QCOMPARE(w->t[1]->text(), QString("o"));
    QCOMPARE(w->Bezeichnung1->text(), QString("bis 05.03.2007"));
    start(*w, "15");
    QCOMPARE(w->tdat->text(), QString("15.02.2007"));
    QCOMPARE(w->Bezeichnung1->text(), QString("bis 28.02.2007"));
    start(*w, "abc");
    QCOMPARE(w->tdat->text(), QString());
    w->woche_Click(2);   // no start: only the period
    QCOMPARE(common::arbeitsplanzeitraum(), 20);
    QCOMPARE(w->Bezeichnung1->text(), QString("bis 28.02.2007"));
    messages().expect("...die Berechnungszeiträume falsche Datumangaben enthalten.");
    w->ok_Click(0);

    w->optisort[1]->setChecked(true);
    w->t[0]->setText(" ");
    w->t[1]->setText("");
    w->beenden_Click();
    QCOMPARE((QList<int>{common::arbeitsplanspalten(0), common::arbeitsplanspalten(1),
                         common::arbeitsplanspalten(2), common::arbeitsplansortierung()}),
             (QList<int>{0, 1, 1, 1}));
    QCOMPARE(common::arbeitsplanzeichen(0), QString(" "));
    QCOMPARE(common::arbeitsplanzeichen(1), QString());
  }

  // Listing while the start field still has the focus (by its access key, or
  // a button pressed without taking the focus): the typed start is completed
  // first, and the table's days match its marks.
  void listenMitFokusImStartfeld_data() {
    QTest::addColumn<bool>("zugriffstaste");
    QTest::newRow("access key") << true;
    QTest::newRow("focus kept") << false;
  }
  void listenMitFokusImStartfeld() {
    QFETCH(bool, zugriffstaste);
    auto w = geladen<IW_Arbeitsplan>();
    w->woche_Click(0);
    w->show();
    QApplication::setActiveWindow(w.get());
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    w->tdat->editor()->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(w->tdat->editor(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(w->tdat->editor(), "0103");
    Liste l;
    forms().onWindow<IA_Zwischenliste>("IA_Zwischenliste", [&](IA_Zwischenliste& z) {
      for (int r = 1; r <= z.gridli->rows(); ++r) l.zeilen << zeile(*z.gridli, r);
      z.cmdschließen_Click();
    });
    if (zugriffstaste) QTest::keyClick(w.get(), Qt::Key_T, Qt::AltModifier);
    else w->ok_Click(1);
    QTRY_COMPARE(l.zeilen.value(1), QString("|||01|02|03|04|05|06|07|"));
    QCOMPARE(w->tdat->text(), QString("01.03.2007"));
    QCOMPARE(w->Bezeichnung1->text(), QString("bis 07.03.2007"));
    QCOMPARE(l.zeilen.value(5), QString("1|Anna|Wiese|X| | | | | | |Füttern"));

    // Enter in a mark field moves on as Tab does.
    w->t[0]->setFocus(Qt::TabFocusReason);
    QTest::keyClick(w->t[0], Qt::Key_Return);
    QVERIFY(!w->t[0]->hasFocus());
    w->close();
  }
};

ZEVO_TEST_MAIN(TestArbeitsplan)
#include "test_arbeitsplan.moc"
