// The bookings of one table: the road from the menu, lists, checks, statement, cells.
#include "auswertungstest.h"
#include "evaluations/iw_voelker_buchungen_standard.h"
#include "evaluations/registry.h"
#include "support/hauptfenster.h"

#include <QCheckBox>
#include <QFile>
#include <QListWidget>

using namespace zevo;
using namespace zevo::test;
using evaluations::IW_Völker_Buchungen_Standard;

namespace {

using Fenster = IW_Völker_Buchungen_Standard;

struct Prüfung {
  bool tabelle;
  int buchung;
  QString von, bis, sortierung, gründe;
};
struct Anweisung {
  int option;
  QString tabelle;
  QStringList felder;
  QString s1, s2, anweisung;
};

void tabellewählen(Fenster& w, const QString& tabelle) {
  w.sevt(0).setText(tabelle);
  w.sevt_listpick(0);
}

QStringList einträge(const ui::sevText& f) {
  QStringList e;
  for (int i = 0; i < f.listcount(); ++i) e << f.listtext(i);
  return e;
}

}  // namespace

Q_DECLARE_METATYPE(Prüfung)
Q_DECLARE_METATYPE(Anweisung)

class TestBuchungenStandard : public QObject {
  Q_OBJECT
  Hauptliste haupt_{false};   // marks only its current row
  int anna_ = 0;

private slots:
  void initTestCase() { evaluations::registerEvaluationForms(); }

  // Anna (1) and Berta (2) in stock, Carl (3) gone; honey of all three.
  void init() {
    datenbankbereitstellen();
    datenbankgrundzustand(datum("15.10.2007"));
    anna_ = volk("1", true, {{"Volkname", "Anna"}});
    const int berta = volk("2", true, {{"Volkname", "O'Neil"}});
    const int carl = volk("3", false, {{"Volkname", "Carl"}});
    einfügen("Honigernte", {{"Datum", datum("10.06.2007")}, {"Menge_kg", 12.5}, {"Kosten", 12.5},
                            {"Honigsorte", "O'Neil"}, {"Volk", anna_}});
    einfügen("Honigernte", {{"Datum", datum("15.04.2007")}, {"Menge_kg", 3.0}, {"Volk", anna_}});
    einfügen("Honigernte", {{"Datum", datum("01.08.2007")}, {"Menge_kg", 4.25}, {"Volk", berta}});
    einfügen("Honigernte", {{"Datum", datum("20.06.2007")}, {"Menge_kg", 5.0}, {"Volk", carl}});
    einfügen("Pollenernte", {{"Menge_g", 250}, {"Volk", anna_}});
    haupt_.lesen(1);
  }

  // A table lists its own fields without Volk and ID; any pick marks every
  // field; the sort lists follow the table, their texts are left alone.
  void lists() {
    auto w = geöffnet<Fenster>();
    QCOMPARE(einträge(w->sevt(0)), Fenster::buchungstabellen());
    QCOMPARE(einträge(w->sevt(1)), (QStringList{"", "Volknr", "Volkname"}));
    tabellewählen(*w, "Honigernte");
    const QStringList felder{"Datum", "Menge_kg", "Honigsorte", "Qualität", "Zeit_h", "Kosten", "Honig_Wert",
                             "Bemerkung"};
    QCOMPARE(markierte(w->li0), felder);
    QCOMPARE(einträge(w->sevt(2)), QStringList({"", "Volknr", "Volkname"}) + felder);
    markieren(w->li0, {"Datum"});
    w->sevt(2).pick(5);   // Honigsorte
    QCOMPARE(markierte(w->li0), felder);
    w->sevt(1).pick(3);
    tabellewählen(*w, "Wachsernte");
    QCOMPARE(w->sevt(1).text() + "|" + w->sevt(2).text(), QString("Datum|Honigsorte"));
    QVERIFY(einträge(w->sevt(1)).contains("Wachs_Wert"));
    QVERIFY(!einträge(w->sevt(1)).contains("Honigsorte"));
      }

  // Each phrase stands with its controls in a frame whose caption is shown.
  void frames() {
    auto w = geöffnet<Fenster>();
    const QString völker = "Zu listende Datenfelder (Völker)";
    const QPair<QWidget*, QString> fälle[] = {
        {&w->sevt(0), völker},        {w->li0, "Zu listende Datenfelder (Buchungen)"},
        {w->optitieraus[4], "Völkerauswahl"}, {&w->tdat(1), "Buchungsauswahl der Bewegungsdaten"},
        {w->kontier[1], völker},      {&w->sevt(2), völker}};
    for (const auto& [control, caption] : fälle) {
      auto* rahmen = control->parentWidget();
      while (rahmen && !qobject_cast<QGroupBox*>(rahmen)) rahmen = rahmen->parentWidget();
      QVERIFY2(rahmen, qPrintable(caption));
      QCOMPARE(static_cast<QGroupBox*>(rahmen)->title(), caption);
    }
    QStringList titel;   // each caption shown once: no box of the same name inside a frame
    for (auto* g : w->findChildren<QGroupBox*>()) titel << g->title();
    QCOMPARE(titel.count("Völkerauswahl"), 1);
  }

  // The reasons of a refusal, in their order, in one box.
  void checks_data() {
    QTest::addColumn<Prüfung>("f");
    const QString felder = "...keine zu listenden Datenfelder (Buchungen) ausgewählt sind.\r\n";
    const QString folge = "...das 'Datum von' größer ist als das 'Datum bis'.\r\n";
    const QString muss = "...das Datum von...bis eingegeben werden muß.\r\n";
    QTest::newRow("no table") << Prüfung{false, 0, "", "", "", felder};
    QTest::newRow("all bookings ignore the dates") << Prüfung{true, 0, "31.02.2007", "", "", ""};
    QTest::newRow("to empty: both, order first") << Prüfung{true, 1, "01.05.2007", "", "", folge + muss};
    QTest::newRow("from empty: only the must") << Prüfung{true, 1, "", "30.09.2007", "", muss};
    QTest::newRow("from after to") << Prüfung{true, 1, "01.10.2007", "30.09.2007", "", folge};
    QTest::newRow("impossible day") << Prüfung{true, 1, "31.02.2007", "30.09.2007", "", muss};
    QTest::newRow("short forms") << Prüfung{true, 1, "1.5.2007", "30.09.07", "", ""};
    QTest::newRow("nine characters") << Prüfung{true, 1, "1.05.2007", "30.09.2007", "", muss};
    QTest::newRow("partial date") << Prüfung{true, 1, "12.05", "30.09.2007", "", muss};
    QTest::newRow("no table, no dates") << Prüfung{false, 1, "", "", "", felder + muss};
    QTest::newRow("stale sort field")
        << Prüfung{true, 0, "", "", "Honigsorte",
                   "...das Sortierfeld 'Honigsorte' nicht zur gewählten Tabelle gehört.\r\n"};
  }
  void checks() {
    QFETCH(Prüfung, f);
    const auto& [tabelle, buchung, von, bis, sortierung, gründe] = f;
    Liste liste;
    listeabfangen(liste);
    messages().setAcceptInformation(true);
    auto w = geöffnet<Fenster>();
    if (!sortierung.isEmpty()) {
      tabellewählen(*w, "Honigernte");
      w->sevt(1).setText(sortierung);
    }
    if (tabelle) tabellewählen(*w, "Wachsernte");
    w->tdat(0).setText(von);
    w->tdat(1).setText(bis);
    w->optibuch[buchung]->setChecked(true);
    w->gridli->addcolumn("alt", "Alt");
    w->gridli->additem("vorher\t");
    w->ok->click();
    QVERIFY(w->kontier[0]->isChecked() && w->kontier[1]->isChecked());   // ticked also when refused
    if (gründe.isEmpty()) {
      QVERIFY(messages().texts().isEmpty() || !messages().last().contains("nicht gelistet werden"));
      return;
    }
    QCOMPARE(messages().count(), 1);
    QCOMPARE(messages().last(), "Die Daten können nicht gelistet werden, weil...\r\n\r\n" + gründe);
    QCOMPARE(liste.gezeigt, 0);
    QCOMPARE(w->gridli->cell(1, 1), QString("vorher"));
  }

  // The statement's pieces.
  void statement_data() {
    QTest::addColumn<Anweisung>("f");
    QTest::newRow("all colonies, second sort alone")
        << Anweisung{1, "Honigernte", {"Datum"}, "", "Datum",
                     "select Bienenvolk.Volknr as Volknr, Bienenvolk.Volkname as Volkname, Honigernte.Datum as Datum "
                     "from Bienenvolk, Honigernte where Bienenvolk.ID = Honigernte.Volk"};
    QTest::newRow("selected, sort on an unlisted field")
        << Anweisung{2, "Honigernte", {"Datum"}, "Volkname", "Kosten",
                     "select Bienenvolk.Volknr as Volknr, Bienenvolk.Volkname as Volkname, Honigernte.Datum as Datum "
                     "from Bienenvolk, Honigernte where Selektiert = 'X' and Bienenvolk.ID = Honigernte.Volk order by "
                     "Volkname, Honigernte.Kosten"};
    QTest::newRow("a rating of the stock card, not listed")
        << Anweisung{3, "Stockkarte", {"Datum"}, "Volkstärke", "",
                     "select Bienenvolk.Volknr as Volknr, Bienenvolk.Volkname as Volkname, Stockkarte.Datum as Datum "
                     "from Bienenvolk, Stockkarte where Akt_im_Bestand <> 'X' and Bienenvolk.ID = Stockkarte.Volk "
                     "order by Stockkarte.Volkstärke"};
    QTest::newRow("a rating that is listed")
        << Anweisung{0, "Stockkarte", {"Volkstärke"}, "Volkstärke", "",
                     "select Bienenvolk.Volknr as Volknr, Bienenvolk.Volkname as Volkname, Stockkarte.Volkstärke as "
                     "Volkstärke from Bienenvolk, Stockkarte where Akt_im_Bestand = 'X' and Bienenvolk.ID = "
                     "Stockkarte.Volk order by Volkstärke"};
  }
  void statement() {
    QFETCH(Anweisung, f);
    const auto& [option, tabelle, felder, s1, s2, anweisung] = f;
    auto w = geöffnet<Fenster>();
    tabellewählen(*w, tabelle);
    markieren(w->li0, felder);
    w->optitieraus[option]->click();
    w->sevt(1).setText(s1);
    w->sevt(2).setText(s2);
    w->kontier[0]->setChecked(true);
    w->kontier[1]->setChecked(true);
    QCOMPARE(w->gründe(), QString());
    QCOMPARE(w->anweisung(), anweisung);
    // Every one of them runs.
    QVERIFY(w->datenbank().openRecordset(anweisung).isOpen());
  }

  // Cells: money and single with two decimals, Null as 0,00; whole numbers
  // plain in a right-aligned number column; Null text or date empty; an
  // apostrophe as a backtick. The option of the current colony lists it alone.
  void cells() {
    Liste liste;
    listeabfangen(liste);
    common::völkerauswahl() = 4;
    auto w = geöffnet<Fenster>();
    tabellewählen(*w, "Honigernte");
    markieren(w->li0, {"Datum", "Menge_kg", "Honigsorte", "Kosten"});
    w->sevt(1).setText("Datum");
    w->ok->click();
    QCOMPARE(liste.zeilen, (QStringList{"Volknr\tVolkname\tDatum\tMenge_kg\tHonigsorte\tKosten\t",
                                        "1\tAnna\t15.04.2007\t3,00\t\t0,00\t",
                                        "1\tAnna\t10.06.2007\t12,50\tO`Neil\t12,50\t"}));
    QCOMPARE(liste.ausrichtung, (QList<int>{0, 0, 0, 1, 0, 1}));
    tabellewählen(*w, "Pollenernte");
    markieren(w->li0, {"Datum", "Menge_g", "Zeit_h"});
    w->kontier[0]->setChecked(false);
    w->ok->click();
    QCOMPARE(liste.zeilen, (QStringList{"Volkname\tDatum\tMenge_g\tZeit_h\t", "Anna\t\t250\t0,00\t"}));
    QCOMPARE(liste.ausrichtung, (QList<int>{0, 0, 1, 1}));
    QCOMPARE(w->gridli->column("Menge_g").numeric(), 1);
  }

  // Nothing found: the message, the grid keeps its rows, no list window.
  void nothingFound() {
    Liste liste;
    listeabfangen(liste);
    auto w = geöffnet<Fenster>();
    tabellewählen(*w, "Wanderung");
    w->gridli->addcolumn("alt", "Alt");
    w->gridli->additem("vorher\t");
    messages().expect("Es wurden lt. den aktuellen Einstellungen keine Daten gefunden!");
    w->ok->click();
    QVERIFY(messages().allUsed());
    QCOMPARE(liste.gezeigt, 0);
    QCOMPARE(QString::number(w->gridli->rows()) + w->gridli->cell(1, 1), QString("1vorher"));
    QVERIFY(!w->gridli->locked());
    QCOMPARE(vb::mousePointer(), int(vb::vbDefault));
  }

  // A stored "Alle Buchungen" (or a hand-edited choice outside 0..1) wins
  // over the stored dates; a typed date switches to "Datum von".
  void storedChoice() {
    for (int gespeichert : {0, 5}) {
      common::buchungsauswahlstandard() = gespeichert;
      common::buchungsdatumvon() = "01.01.2007";
      auto w = geöffnet<Fenster>();
      QVERIFY(w->optibuch[0]->isChecked());
      QCOMPARE(w->tdat(0).text(), QString("01.01.2007"));
      QTest::keyClick(w->tdat(1).editor(), Qt::Key_3);
      QVERIFY(w->optibuch[1]->isChecked());
    }
  }

  // From the menu item to the list window and its text export, and back:
  // the options come back at the next opening, table and fields do not.
  // Last: it starts a main window on a program folder and database of its own.
  void road() {
    hauptfenstergrundzustand();
    neuerProgrammordner();
    auto haupt = gestartet();
    for (const char* nr : {"2", "1", "3"}) volkanlegen(nr, nr[0] == '3' ? "" : "X");
    haupt->datenvölkerlesen();
    auto id = [](const char* nr) { return anzahl(QString("select ID from Bienenvolk where Volknr = '%1'").arg(nr)); };
    const struct {
      const char* nr;
      const char* tag;
      double kg;
    } ernten[] = {{"1", "10.06.2007", 12.5}, {"1", "15.04.2007", 3}, {"2", "01.08.2007", 4.25}, {"3", "20.06.2007", 5}};
    for (const auto& e : ernten)
      einfügen("Honigernte", {{"Datum", datum(e.tag)}, {"Menge_kg", e.kg}, {"Volk", id(e.nr)}});
    Liste liste;
    QStringList export_;
    forms().on("IA_Textausgabe", [](vb::Form* f) { f->unload(); });
    listeabfangen(liste, [&](output::IA_Zwischenliste& l) {
      l.comtext_Click();
      QFile datei(common::datenpfad + "LISTE.TXT");
      QVERIFY(datei.open(QIODevice::ReadOnly));
      export_ = QString::fromLatin1(datei.readAll()).split("\r\n");
    });
    forms().onWindow<Fenster>("IW_Völker_Buchungen_Standard", [&](Fenster& w) {
      tabellewählen(w, "Honigernte");
      markieren(w.li0, {"Datum", "Menge_kg"});
      w.kontier[0]->setChecked(true);
      w.optitieraus[0]->click();
      QTest::keyClicks(w.tdat(0).editor(), "01.05.2007");
      QTest::keyClicks(w.tdat(1).editor(), "30.09.2007");
      w.sevt(1).pick(1);
      w.sevt(2).pick(3);
      QCOMPARE(w.sevt(1).text() + " " + w.sevt(2).text(), QString("Volknr Datum"));
      markieren(w.li0, {"Datum", "Menge_kg"});   // the sort picks marked every field again
      QCOMPARE(w.anweisung(),
               QString("select Bienenvolk.Volknr as Volknr, Honigernte.Datum as Datum, Honigernte.Menge_kg as "
                       "Menge_kg from Bienenvolk, Honigernte where Akt_im_Bestand = 'X' and Bienenvolk.ID = "
                       "Honigernte.Volk and Honigernte.Datum >= #05/01/2007# and Honigernte.Datum <= #09/30/2007# "
                       "order by Volknr, Datum"));
      w.ok->click();
      w.beenden->click();
    });
    haupt->menüpunkt("XW_Völkerbuchungenstandard")->trigger();
    QCOMPARE(liste.zeilen,
             (QStringList{"Volknr\tDatum\tMenge_kg\t", "1\t10.06.2007\t12,50\t", "2\t01.08.2007\t4,25\t"}));
    QCOMPARE(liste.ausrichtung, (QList<int>{0, 0, 1}));
    const QString text = export_.join("\n");
    QVERIFY2(text.contains("10.06.2007") && text.contains("12,50") && text.contains("01.08.2007") &&
                 text.contains("Menge_kg"),
             qPrintable(text));
    QCOMPARE(QString("%1%2 %3 %4-%5").arg(common::buchungsvolkspalten(0)).arg(common::buchungsvolkspalten(1))
                 .arg(common::buchungsauswahlstandard()).arg(common::buchungsdatumvon(), common::buchungsdatumbis()),
             QString("10 1 01.05.2007-30.09.2007"));

    bool wiedergeöffnet = false;
    forms().onWindow<Fenster>("IW_Völker_Buchungen_Standard", [&](Fenster& w) {
      wiedergeöffnet = true;
      QVERIFY(w.kontier[0]->isChecked() && !w.kontier[1]->isChecked());
      QVERIFY(w.optibuch[1]->isChecked());
      QCOMPARE(w.tdat(0).text() + "-" + w.tdat(1).text(), QString("01.05.2007-30.09.2007"));
      QCOMPARE(w.sevt(0).text() + w.sevt(1).text() + w.sevt(2).text(), QString());
      QCOMPARE(w.li0->count(), 0);
      w.beenden->click();
    });
    haupt->menüpunkt("XW_Völkerbuchungenstandard")->trigger();
    QVERIFY(wiedergeöffnet);
  }
};

ZEVO_TEST_MAIN(TestBuchungenStandard)
#include "test_voelker_buchungen_standard.moc"
