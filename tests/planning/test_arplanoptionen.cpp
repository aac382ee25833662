// The work-plan options: the checks of a new or changed option, the dates a
// new option gets, renaming and deleting dates of every year, and the
// regeneration of the current year that keeps the dates it cannot make again.
#include "planning/iv_arplanoptionen.h"
#include "planungstest.h"

#include <QLineEdit>
#include <QPushButton>

#include <optional>

using namespace zevo;
using namespace zevo::test;
using planning::IV_Arplanoptionen;

namespace {

void eintragen(IV_Arplanoptionen& w, const QStringList& texte) {
  for (int i = 0; i < texte.size(); ++i) w.sevt(i).setText(texte[i]);
}

QString optionswerte(const QString& art) {
  return werte(option(art), "Arbeitsart, Startzeitraum, Endzeitraum, Wiederholungsfrist_Tage, Volkabhängig",
               "Arbeitsplanoptionen");
}

}  // namespace

class TestArplanoptionen : public QObject {
  Q_OBJECT

private slots:
  void init() { planungsgrundzustand(datum("12.05.2007")); }

  void pruefung_data() {
    QTest::addColumn<QString>("heute");
    QTest::addColumn<QStringList>("felder");   // name, start, end
    QTest::addColumn<QString>("meldung");      // "" = stored
    QTest::addColumn<QString>("gespeichert");  // the stored option
    const QString z = common::zeilenumbruch;
    QTest::newRow("three reasons in order")
        << "12.05.2007" << QStringList{" ", "31.02", "01.01"}
        << "Die Daten werden nicht gespeichert, weil..." + z + z + "...die Arbeitsart angegeben werden muß." + z +
               "...der Start- und Endzeitraum angegeben werden muß." + z +
               "...der Startzeitraum nicht hinter dem Endzeitraum liegen darf." + z
        << "";
    QTest::newRow("start equal to end") << "12.05.2007" << QStringList{"Tag", "15.05", "15.05"} << ""
                                        << "Tag|15.05|15.05|0|J";
    QTest::newRow("29.02 outside a leap year") << "12.05.2007" << QStringList{"Tag", "29.02", "30.03"}
                                               << "...der Start- und Endzeitraum angegeben werden muß." << "";
    QTest::newRow("29.02 in a leap year") << "12.05.2008" << QStringList{"Tag", "29.02", "30.03"} << ""
                                          << "Tag|29.02|30.03|0|J";
    QTest::newRow("short forms stored with two digits") << "12.05.2007" << QStringList{"Tag", "1.5", "3.7"} << ""
                                                        << "Tag|01.05|03.07|0|J";
    QTest::newRow("short end before the start")
        << "12.05.2007" << QStringList{"Tag", "01.06", "1.5"}
        << "...der Startzeitraum nicht hinter dem Endzeitraum liegen darf." << "";
    QTest::newRow("same name in other case") << "12.05.2007" << QStringList{"SCHWARMKONTROLLE", "01.05", "30.06"}
                                             << "Es existiert bereits ein Arbeitsplan mit dem Namen SCHWARMKONTROLLE."
                                             << "";
    QTest::newRow("apostrophe") << "12.05.2007" << QStringList{"Rähmchen 'neu'", "01.12", "01.12"} << ""
                                << "Rähmchen `neu`|01.12|01.12|0|J";
  }
  void pruefung() {
    QFETCH(QString, heute);
    QFETCH(QStringList, felder);
    QFETCH(QString, meldung);
    QFETCH(QString, gespeichert);
    planungsgrundzustand(QDate::fromString(heute, "dd.MM.yyyy"));
    auto w = geladen<IV_Arplanoptionen>();
    const int optionen = anzahl("select count(*) from Arbeitsplanoptionen");
    eintragen(*w, felder);
    if (!meldung.isEmpty()) messages().expect(meldung);
    w->neu_Click(0);
    QVERIFY(messages().allUsed());
    if (meldung.isEmpty()) {
      QCOMPARE(beeps(), 1);
      QCOMPARE(optionswerte(common::feldtext(felder[0])), gespeichert);
      QCOMPARE(w->liarplan->cell(w->liarplan->row(), "Arbeitsart"), common::feldtext(felder[0]));
      QCOMPARE(w->sevt(0).text(), common::feldtext(felder[0]));
    } else {
      QCOMPARE(messages().count(), 1);
      QCOMPARE(anzahl("select count(*) from Arbeitsplanoptionen"), optionen);
      QCOMPARE(w->sevt(1).text(), felder[1]);   // the typed fields stay
    }
  }

  void aendernBehaeltEigenenNamenUndBenenntTermineUm() {
    const int a = arbeitsplanoption("A", "01.05", "30.06", 9);
    const int v1 = volk("1");
    termin("01.06.2006", "A", v1, "J");
    termin("19.05.2007", "A", v1);
    termin("19.05.2007", "A", 0);
    termin("20.05.2007", "A", 99999);   // typed by hand for a colony long gone
    termin("19.05.2007", "AB", v1);
    arbeitsplanoption("Zweite", "01.05", "30.06", 9);
    auto w = geladen<IV_Arplanoptionen>();
    QVERIFY(showActive(*w));
    const int zeileA = w->liarplan->findrow("ID = " + QString::number(a));
    QVERIFY(zeileA > 0);
    gridKey(*w->liarplan, Qt::Key_Down);   // another row shown first
    cellClick(*w->liarplan, zeileA, 1);
    QCOMPARE(w->altearbeitsart(), QString("A"));
    QCOMPARE(w->sevt(3).text(), QString("9"));
    // Its own name is no duplicate.
    messages().expect("lediglich der Inhalt des Feldes Arbeitsart");
    w->neu_Click(1);
    QVERIFY(messages().allUsed());
    QCOMPARE(termineallerjahre("A").size(), 4);
    // Another option's name, in other case, is one.
    w->sevt(0).setText("zweite");
    messages().expect("Es existiert bereits ein Arbeitsplan mit dem Namen zweite.");
    w->neu_Click(1);
    QVERIFY(messages().allUsed());
    QCOMPARE(termineallerjahre("A").size(), 4);

    w->sevt(0).setText("B");
    w->sevt(3).setText("14");
    messages().expect("Sie haben [Ändern] ausgewählt.");
    ListePrüfen liste(*w->liarplan);
    w->neu_Click(1);
    QVERIFY(messages().allUsed());
    QVERIFY(liste.nurfrei());   // the options are read once the renaming is committed
    QCOMPARE(termineallerjahre("A"), QStringList());
    QCOMPARE(termineallerjahre("B"),
             (QStringList{"01.06.2006/1!", "19.05.2007/0", "19.05.2007/1", "20.05.2007/-"}));
    QCOMPARE(optionswerte("B"), QString("B|01.05|30.06|9|J"));   // the repetition stays
    QCOMPARE(termineallerjahre("AB").size(), 1);

    // Deleting takes every date of the name along, and no other.
    common::löschabfrage() = 1;
    messages().expectYes("unwiederbringlich");
    w->löschen_Click();
    QCOMPARE(anzahl("select count(*) from Arbeitsplanoptionen where Arbeitsart = 'B'"), 0);
    QCOMPARE(termineallerjahre("B"), QStringList());
    QCOMPARE(termineallerjahre("AB").size(), 1);
  }

  // Kinds of work that differ only in an accent are options of their own:
  // after each save, new or changed, the saved one is the current row and
  // its fields are shown; a name in other case is the same option.
  void akzentzwillingeBleibenGetrennt() {
    auto w = geladen<IV_Arplanoptionen>();
    QVERIFY(showActive(*w));
    const QStringList namen{"Café", "Cafè", "Cafê"};
    auto aktuell = [&] { return w->liarplan->cell(w->liarplan->row(), "ID") + " " + w->sevt(0).text(); };
    for (const QString& name : namen) {   // each new one after its twins
      eintragen(*w, {name, "01.06", "30.06", "0"});
      QTest::mouseClick(w->neu[0], Qt::LeftButton);
      QCOMPARE(aktuell(), QString::number(option(name)) + " " + name);
    }
    for (int runde = 0; runde < 2; ++runde) {
      for (const QString& name : namen) {
        const int id = option(name);
        cellClick(*w->liarplan, w->liarplan->findrow("ID = " + QString::number(id)), 1);
        QCOMPARE(w->altearbeitsart(), name);
        messages().expect("Sie haben [Ändern] ausgewählt.");
        QTest::mouseClick(w->neu[1], Qt::LeftButton);
        QVERIFY(messages().allUsed());
        QCOMPARE(aktuell(), QString::number(id) + " " + name);
      }
    }
    // The same name in capitals: the option keeps its row, and is the one found.
    const int id = option("Cafè");
    cellClick(*w->liarplan, w->liarplan->findrow("ID = " + QString::number(id)), 1);
    w->sevt(0).setText("CAFÈ");
    messages().expect("Sie haben [Ändern] ausgewählt.");
    QTest::mouseClick(w->neu[1], Qt::LeftButton);
    QCOMPARE(aktuell(), QString::number(id) + " CAFÈ");
    QCOMPARE(w->liarplan->findrow("Arbeitsart = 'cafè'"), w->liarplan->row());
    eintragen(*w, {"cafè", "01.06", "30.06", "0"});
    messages().expect("Es existiert bereits ein Arbeitsplan mit dem Namen cafè.");
    QTest::mouseClick(w->neu[0], Qt::LeftButton);
    QVERIFY(messages().allUsed());
    QCOMPARE(anzahl("select count(*) from Arbeitsplanoptionen where Arbeitsart in ('Café', 'Cafè', 'Cafê')"), 3);
    w->close();
  }

  void neueOption_data() {
    QTest::addColumn<QStringList>("felder");   // name, start, end, repetition, colony dependent
    QTest::addColumn<bool>("völker");
    QTest::addColumn<QStringList>("termine");
    QTest::newRow("not colony dependent") << QStringList{"Neu", "01.05", "30.06", "9", "N"} << true
                                          << QStringList{"19.05.2007/0", "28.05.2007/0", "06.06.2007/0",
                                                         "15.06.2007/0", "24.06.2007/0"};
    QTest::newRow("one day, today") << QStringList{"Neu", "12.05", "12.05", "0", "J"} << true
                                    << QStringList{"12.05.2007/1", "12.05.2007/2"};
    QTest::newRow("one day, gone") << QStringList{"Neu", "11.05", "11.05", "0", "J"} << true << QStringList{};
    QTest::newRow("no colony in stock") << QStringList{"Neu", "01.05", "30.06", "9", "J"} << false << QStringList{};
  }
  void neueOption() {
    QFETCH(QStringList, felder);
    QFETCH(bool, völker);
    QFETCH(QStringList, termine);
    if (völker) {
      volk("1");
      volk("2");
    }
    volk("3", false);
    auto w = geladen<IV_Arplanoptionen>();
    eintragen(*w, felder);
    ListePrüfen liste(*w->liarplan);
    w->neu_Click(0);
    QVERIFY(liste.nurfrei());
    QCOMPARE(anzahl("select count(*) from Arbeitsplanoptionen where Arbeitsart = 'Neu'"), 1);
    QCOMPARE(termineallerjahre("Neu"), termine);
  }

  // The season typed as digits, the way one types a day and month, is stored.
  void saisonAlsZiffernGetippt() {
    auto w = geladen<IV_Arplanoptionen>();
    w->show();
    QApplication::setActiveWindow(w.get());
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    w->sevt(0).setText("Honigraum aufsetzen");
    QTest::keyClicks(w->sevt(1).editor(), "0105");
    QTest::keyClicks(w->sevt(2).editor(), "3006");
    w->neu_Click(0);
    QCOMPARE(optionswerte("Honigraum aufsetzen"), QString("Honigraum aufsetzen|01.05|30.06|0|J"));
    w->close();
  }

  void neuSetzen() {
    db().execute("delete from Arbeitsplanoptionen");
    const int v1 = volk("1");
    volk("2", false);
    arbeitsplanoption("Kontrolle", "01.05", "30.06", 20);
    arbeitsplanoption("Bauen", "01.06", "01.06", 0, "N");
    arbeitsplanoption("Schalttag", "29.02", "30.06", 9);
    arbeitsplanoption("Winterende", "01.02", "29.02", 9);
    for (const char* d : {"10.05.2006", "01.05.2007", "20.05.2007", "10.05.2008"}) termin(d, "Kontrolle", v1, "J");
    termin("01.07.2007", "Kontrolle", 0);
    // The first and the last day of the year go; the days around them stay.
    termin("31.12.2006", "Kontrolle", v1);
    termin("01.01.2007", "Kontrolle", v1);
    termin("31.12.2007", "Kontrolle", 0, "J");
    termin("01.01.2008", "Kontrolle", v1);
    termin("15.06.2007", "Fremd", v1);   // a kind that is no option
    termin("03.03.2007", "Schalttag", v1, "J");
    termin("07.07.2007", "Schalttag", v1);
    termin("10.02.2007", "Winterende", v1);
    const QStringList kontrolle{"10.05.2006/1!", "31.12.2006/1", "01.01.2007/1", "01.05.2007/1!", "20.05.2007/1!",
                                "01.07.2007/0",  "31.12.2007/0!", "01.01.2008/1", "10.05.2008/1!"};
    QCOMPARE(termineallerjahre("Kontrolle"), kontrolle);
    auto w = geladen<IV_Arplanoptionen>();

    // A run that fails at its second option (the grid's order) keeps the dates of the first as well.
    roh("create trigger kaputt before insert on Termine when new.Termin = 'Kontrolle' "
        "begin select raise(abort, 'Platte voll'); end");
    messages().expectYes("Soll die Aktion wirklich ausgeführt werden?");
    messages().expect("Die Termine konnten nicht neu gesetzt werden.");
    w->calender_Click();
    roh("drop trigger kaputt");
    QVERIFY(messages().allUsed());
    QCOMPARE(termineallerjahre("Bauen"), QStringList());
    QCOMPARE(termineallerjahre("Kontrolle"), kontrolle);

    messages().expectYes("Durch diese Aktion werden alle Termine lt. Arbeitsplanoptionen aus dem aktuellen Jahr 2007");
    messages().expect("Die Termine wurden gelöscht und neu gesetzt.");
    messages().expect("...der Zeitraum '29.02' bis '30.06' der Option 'Schalttag' im Jahr 2007 kein gültiges Datum "
                      "ergibt.\r\n...der Zeitraum '01.02' bis '29.02' der Option 'Winterende'");
    w->calender_Click();
    QVERIFY(messages().allUsed());
    QCOMPARE(termineallerjahre("Kontrolle"), (QStringList{"10.05.2006/1!", "31.12.2006/1", "21.05.2007/1",
                                                          "10.06.2007/1", "30.06.2007/1", "01.01.2008/1",
                                                          "10.05.2008/1!"}));
    QCOMPARE(termineallerjahre("Bauen"), QStringList{"01.06.2007/0"});
    QCOMPARE(termineallerjahre("Schalttag"), (QStringList{"03.03.2007/1!", "07.07.2007/1"}));
    QCOMPARE(termineallerjahre("Winterende"), QStringList{"10.02.2007/1"});
    QCOMPARE(termineallerjahre("Fremd"), QStringList{"15.06.2007/1"});

    // With no option the message comes all the same.
    db().execute("delete from Arbeitsplanoptionen");
    w->optionenlisten();
    messages().expectYes("Soll die Aktion wirklich ausgeführt werden?");
    messages().expect("Die Termine wurden gelöscht und neu gesetzt.");
    w->calender_Click();
    QVERIFY(messages().allUsed());
  }

  // A failing write keeps options and dates as they were, and the click or
  // opening gives one message.
  void nichtsHalbGespeichert_data() {
    QTest::addColumn<int>("aktion");     // 0 new, 1 change, 2 delete, 3 regenerate, 4 open
    QTest::addColumn<QString>("fehlt");  // the tables dropped, or "ID": a listed row without a usable ID
    QTest::addColumn<QString>("meldung");
    const QString ohneID = "\r\n\r\nDer Datensatz hat keine gültige ID.",
                  speichern = "Die Arbeitsplan-Option konnte nicht gespeichert werden.",
                  löschen = "Die Arbeitsplan-Option konnte nicht gelöscht werden.",
                  neusetzen = "Die Termine konnten nicht neu gesetzt werden.";
    QTest::newRow("new, dates gone") << 0 << "Termine" << speichern;
    QTest::newRow("change, dates gone") << 1 << "Termine" << speichern;
    QTest::newRow("delete, dates gone") << 2 << "Termine" << löschen;
    QTest::newRow("regenerate, dates gone") << 3 << "Termine" << neusetzen;
    QTest::newRow("new, options gone") << 0 << "Arbeitsplanoptionen" << speichern;
    QTest::newRow("change, options gone") << 1 << "Arbeitsplanoptionen" << speichern;
    QTest::newRow("delete, options gone") << 2 << "Arbeitsplanoptionen" << löschen;
    QTest::newRow("regenerate, options gone") << 3 << "Arbeitsplanoptionen" << neusetzen;
    QTest::newRow("open, options and work gone") << 4 << "Arbeitsplanoptionen Arbeiten"
                                                 << "Die Arbeitsplan-Optionen können nicht gelesen werden.";
    QTest::newRow("change, row without ID") << 1 << "ID" << speichern + ohneID;
    QTest::newRow("delete, row without ID") << 2 << "ID" << löschen + ohneID;
    QTest::newRow("regenerate, row without ID") << 3 << "ID" << neusetzen + ohneID;
  }
  void nichtsHalbGespeichert() {
    QFETCH(int, aktion);
    QFETCH(QString, fehlt);
    QFETCH(QString, meldung);
    volk("1");
    termin("01.06.2007", "Fütterung", 0);
    const QStringList vorher = spalte("select Arbeitsart from Arbeitsplanoptionen order by Arbeitsart");
    if (aktion == 4) return öffnenohne<IV_Arplanoptionen>(fehlt.split(' '), meldung);
    std::optional<TabelleWeg> weg;
    auto w = geladen<IV_Arplanoptionen>();
    QVERIFY(showActive(*w));
    if (fehlt == "ID")
      zeileohneid(*w->liarplan, {{"Arbeitsart", "Ohne"}, {"Startzeitraum", "01.05"}, {"Endzeitraum", "30.06"}});
    else
      w->liarplan->findrow("Arbeitsart = 'Fütterung'");
    w->liarplan_rowclick();
    if (aktion == 0) w->sevt(0).setText("Neu");
    if (aktion == 1) w->sevt(0).setText("Füttern");
    if (fehlt != "ID") weg.emplace(fehlt);
    if (aktion == 1 && fehlt == "Termine") messages().expect("Sie haben [Ändern] ausgewählt.");
    if (aktion == 3) messages().expectYes("Soll die Aktion wirklich ausgeführt werden?");
    messages().expect(meldung);
    QPushButton* knöpfe[] = {w->neu[0], w->neu[1], w->löschen, w->calender};
    QTest::mouseClick(knöpfe[aktion], Qt::LeftButton);
    QVERIFY(messages().allUsed());
    weg.reset();
    QCOMPARE(w->liarplan->rows(), vorher.size());
    if (fehlt != "Termine") QCOMPARE(termineallerjahre("Fütterung"), QStringList{"01.06.2007/0"});
    if (fehlt != "Arbeitsplanoptionen")
      QCOMPARE(spalte("select Arbeitsart from Arbeitsplanoptionen order by Arbeitsart"), vorher);
    QVERIFY(w->neu[0]->isEnabled());
    w->close();
  }

  void zeilenklickOhneListeneintrag() {
    einfügen("Arbeiten", {{"Datum", QVariant(datum("01.05.2007"))}, {"Arbeitsart", "Schleudern"}, {"Volk", 1}});
    const int id = arbeitsplanoption("Alt", "01.05", "30.06", 9);
    db().execute("update Arbeitsplanoptionen set Auto_erledigt_Arbeitsart = 'Umweiseln', "
                 "Auto_erledigt_Buchung = 'Wanderung' where ID = " + QString::number(id));
    auto w = geladen<IV_Arplanoptionen>();
    QCOMPARE(w->sevt(6).listcount(), 2);
    w->liarplan->findrow("ID = " + QString::number(id));
    w->liarplan_rowclick();
    QCOMPARE(w->sevt(5).text(), QString("Wanderung"));
    QCOMPARE(w->sevt(6).text(), QString());
    QCOMPARE(w->sevt(4).text(), QString("J"));
  }
};

ZEVO_TEST_MAIN(TestArplanoptionen)
#include "test_arplanoptionen.moc"
