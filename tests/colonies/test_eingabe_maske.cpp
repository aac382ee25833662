// The entry window while the beekeeper looks and types: the mask of each
// kind, the colony list and the site pick, the computed values, the
// default masks and the note.
#include "eingabetest.h"
#include "support/eingabefeld.h"
#include "support/raster.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QWindow>

using namespace zevo;
using namespace zevo::test;
using colonies::IE_Eingabe;

namespace {

// The field with the caption in the window's current kind.
ui::sevText& feld(IE_Eingabe& w, const QString& caption) {
  for (int i : w.sevt.indexes())
    if (w.sevt(i).caption() == caption && !w.sevt(i).isHidden()) return w.sevt(i);
  throw std::out_of_range("no field " + caption.toStdString());
}

// Clicks into the field and types or pastes the text.
void eintippen(ui::sevText& f, const QString& text, bool einfügen = false) {
  QTest::mouseClick(f.editor(), Qt::LeftButton);
  f.editor()->selectAll();
  if (einfügen) {
    QApplication::clipboard()->setText(text);
    QTest::keyClick(f.editor(), Qt::Key_V, Qt::ControlModifier);
  } else {
    QTest::keyClicks(f.editor(), text);
  }
}

}  // namespace

class EingabeMaske : public QObject {
  Q_OBJECT
  Hauptliste haupt;
  int anna = 0, berta = 0;

private slots:
  void init() {
    eingabegrundzustand();
    anna = volk("1", true, {{"Volkname", "Anna"}, {"Standort", "Waldrand"}});
    berta = volk("2", true, {{"Volkname", "Berta"}, {"Standort", "Heide"}});
  }

  void everyKindItsMask_data() {
    QTest::addColumn<int>("art");
    // "caption=text unit" of every field shown, J/N fields in [], ▾ the arrow of a list
    QTest::addColumn<QString>("erwartet");
    QTest::newRow("0") << 0
                       << "Volksstärke=0|Brutstand=0|Wabensitz=0|Sanftmut=0|Schwarmtrieb=0|Frühjahrsentw.=0|"
                          "Winterfestigkeit=0|Varroaschäden=0|Belagert=0|Mittelwände=0|Waben=0|Futter flüssig (l)="
                          "0,00|Futter Teig (kg)=0,00|Futter eigen (kg)=0,00|Bemerkung▾=";
    QTest::newRow("1") << 1 << "Menge (kg)=0,00|Honigsorte▾=|Qualität▾=|Zeit (h)=0,00|Kosten=0,00€|Honigwert=0,00€|"
                               "Bemerkung▾=";
    QTest::newRow("2") << 2 << "Menge (kg)=0,00|Qualität▾=|Zeit (h)=0,00|Kosten=0,00€|Wachswert=0,00€|Bemerkung▾=";
    QTest::newRow("3") << 3 << "Menge (g)=0|Qualität▾=|Zeit (h)=0,00|Kosten=0,00€|Pollenwert=0,00€|Bemerkung▾=";
    QTest::newRow("4") << 4 << "Art der Ernte▾=|Menge (g)=0|Qualität▾=|Zeit (h)=0,00|Kosten=0,00€|Wert=0,00€|"
                               "Bemerkung▾=";
    QTest::newRow("5") << 5 << "Arbeitsart▾=|Zeit (h)=0,00|Kosten=0,00€|Bemerkung▾=";
    QTest::newRow("6") << 6 << "Standort▾=|Zeit (h)=0,00|Kosten=0,00€|Standortprämie=0,00€|Prämie erhalten JN=[N]|"
                               "Bemerkung▾=";
    QTest::newRow("7") << 7 << "Gewicht (kg)=0,000|Zeit (h)=0,00|Kosten=0,00€|Bemerkung▾=";
    QTest::newRow("8") << 8 << "Behandlungsart▾=|Mittel▾=|Menge (g)=0|Zulassungsnr▾=|Wartezeit in Tagen=0|"
                               "Zeit (h)=0,00|Kosten=0,00€|Bemerkung▾=";
    QTest::newRow("9") << 9 << "Herkunft▾=|Zuchtindex▾=|Nummer▾=|Farbe▾=|Zeit (h)=0,00|Kosten=0,00€|Bemerkung▾=";
    QTest::newRow("10") << 10 << "Notiz";
  }

  // No records: the defaults and today's date; every list field shows its
  // arrow while its list is empty.
  void everyKindItsMask() {
    QFETCH(int, art);
    QFETCH(QString, erwartet);
    auto w = eingabeöffnen(haupt, art, 1, {1});
    QStringList felder;
    for (int i = 1; i <= 16; ++i) {
      if (i == colonies::notizfeld) {
        if (!w->sevt15->isHidden()) felder << "Notiz";
      } else if (const ui::sevText& f = w->sevt(i); !f.isHidden()) {
        felder << f.caption() + (pfeil(f) ? "▾=" : "=") + (f.texttype() == 2 ? "[" + f.text() + "]" : f.text()) +
                      f.unitdescr();
      }
    }
    QCOMPARE(felder.join("|"), erwartet);
    QCOMPARE(w->sevt(0).text(), QString("15.07.2007"));
  }

  // volkli cannot be sorted and finds its colonies by ID; stepping wraps around.
  void colonyListAndMainGrid() {
    const int clara = volk("3", true, {{"Volkname", "Clara"}});
    einfügen("Honigernte", {{"Datum", datum("01.07.2007")}, {"Menge_kg", 2.0}, {"Volk", clara}});
    auto w = eingabeöffnen(haupt, 1);
    haupt.grid.sort(2, 2);   // the main grid in another order: Clara, Berta, Anna
    w->volkli->setSelected(1, true);
    w->volkli->setSelected(3, true);
    w->volkli->setRow(3);
    w->volkli_RowClick(3);
    QCOMPARE(haupt.grid.cell(haupt.grid.row(), "Volkname"), QString("Clara"));
    QCOMPARE(markiert(haupt.grid), (QList<int>{1, 3}));   // Clara and Anna
    QCOMPARE(w->li->rows(), 1);
    w->nextvolk1_Click(1);   // from the last to the first, the marks staying
    QCOMPARE(w->windowTitle(), QString("Bewegungsdaten für das Volk:  1 / Anna"));
    QCOMPARE(markiert(haupt.grid), (QList<int>{1, 3}));
    w->nextvolk1_Click(0);   // from the first back to the last
    QCOMPARE(w->windowTitle(), QString("Bewegungsdaten für das Volk:  3 / Clara"));
  }

  // The caption shows the colony's number and name as they were typed.
  void captionAsTyped() {
    volk("O`B_5%[*]X", true, {{"Volkname", "[*][*]a"}});
    auto w = eingabeöffnen(haupt, 1, 3);
    w->show();
    QCOMPARE(w->windowHandle()->title(), QString("Bewegungsdaten für das Volk:  O`B_5%[*]X / [*][*]a"));
  }

  void sitePick() {
    volk("3", true, {{"Standort", "Waldrand"}});
    volk("4", true, {{"Standort", "Heide"}});
    volk("5", true, {{"Standort", "Heide"}});
    volk("6", true, {{"Standort", "Moor's"}});   // stored outside the program, shown as "Moor`s"
    auto w = eingabeöffnen(haupt, 1, 3, {3, 4});
    QCOMPARE(markiert(*w->volkli), (QList<int>{3, 4}));   // the main grid's marks
    w->kom->setCurrentText("Heide");
    w->kom_Click();
    QCOMPARE(markiert(*w->volkli), (QList<int>{2, 4, 5}));
    QCOMPARE(haupt.grid.row(), 2);
    QCOMPARE(w->gelistetesvolk(), haupt.grid.cell(3, "ID"));   // the list still shows colony 3
    // A site no colony carries keeps the current colony and its marks.
    w->kom->addItem("Nirgendwo");
    w->kom->setCurrentText("Nirgendwo");
    w->kom_Click();
    QCOMPARE(haupt.grid.row(), 2);
    QCOMPARE(markiert(haupt.grid), (QList<int>{2, 4, 5}));
    // Picked with a key, as the beekeeper does.
    w->kom->setCurrentText("Moor`s");
    QTest::keyClick(w->kom, Qt::Key_Up);
    QCOMPARE(w->kom->currentText(), QString("Heide"));
    QCOMPARE(markiert(haupt.grid), (QList<int>{2, 4, 5}));
    QTest::keyClick(w->kom, Qt::Key_Down);
    QCOMPARE(haupt.grid.row(), 6);
    QCOMPARE(markiert(haupt.grid), QList<int>{6});
  }

  // The lists as the beekeeper uses them: a click or a key in the record
  // list shows the record, a header click sorts it, a column narrowed below
  // 25 twips is set to 25 and kept for the kind; the colony list cannot be
  // sorted, and a click or a key in it changes the colony.
  void listsAsTheBeekeeperUsesThem() {
    for (const auto& [tag, menge] : {std::pair{"01.05.2007", 7.0}, {"01.06.2007", 2.0}, {"01.07.2007", 5.0}})
      einfügen("Honigernte", {{"Datum", datum(tag)}, {"Menge_kg", menge}, {"Volk", anna}});
    auto w = eingabeöffnen(haupt, 1, 1, {1});
    QVERIFY(showActive(*w));
    QCOMPARE(w->li->row(), 3);   // the latest record, shown in the mask
    QCOMPARE(w->sevt(0).text() + " " + w->sevt(1).text(), QString("01.07.2007 5"));
    cellClick(*w->li, 1, 1);
    QCOMPARE(w->sevt(0).text() + " " + w->sevt(1).text(), QString("01.05.2007 7"));
    gridKey(*w->li, Qt::Key_Down);
    QCOMPARE(w->sevt(0).text() + " " + w->sevt(1).text(), QString("01.06.2007 2"));
    const int menge = w->li->colIndex("Menge_kg");
    headerClick(*w->li, menge);
    QStringList mengen;
    for (int r = 1; r <= w->li->rows(); ++r) mengen << w->li->cell(r, menge);
    QCOMPARE(mengen, (QStringList{"2", "5", "7"}));
    viewOf(*w->li)->horizontalHeader()->resizeSection(menge - 1, 1);   // as the user's drag does
    QCOMPARE(w->li->column(menge).width(), 25);
    auto v = eingabeöffnen(haupt, 1, 1, {1});
    QCOMPARE(v->li->column(menge).width(), 25);

    headerClick(*w->volkli, 3);   // by site Berta would come first
    QCOMPARE(w->volkli->cell(1, 2) + w->volkli->cell(2, 2), QString("AnnaBerta"));
    cellClick(*w->volkli, 2, 1);
    QCOMPARE(haupt.grid.row(), 2);
    QCOMPARE(w->windowTitle(), QString("Bewegungsdaten für das Volk:  2 / Berta"));
    gridKey(*w->volkli, Qt::Key_Up);
    QCOMPARE(haupt.grid.row(), 1);
    QCOMPARE(w->li->rows(), 3);
    w->close();
  }

  // Scrolled fully right, a header click in the record list sorts it and
  // keeps the view, the shown record in sight: with no record and with many.
  void recordListSortKeepsTheScrolledView() {
    for (int runde = 0; runde < 2; ++runde) {
      for (int i = 1; runde == 1 && i <= 30; ++i)
        einfügen("Honigernte", {{"Datum", QDate(2007, 5, 1).addDays(i)}, {"Menge_kg", double(i % 7)},
                                {"Bemerkung", QString(30, QChar('a' + i % 26))}, {"Volk", anna}});
      auto w = eingabeöffnen(haupt, 1, 1, {1});
      QVERIFY(showActive(*w));
      if (runde == 1) cellClick(*w->li, 5, 1);
      QApplication::processEvents();
      QVERIFY(viewOf(*w->li)->horizontalScrollBar()->maximum() > 0);
      for (const char* spalte : {"ID", "Volk"}) {
        sortierenhältdieansicht(*w->li, spalte, "ID");
        if (QTest::currentTestFailed()) return;
      }
      QCOMPARE(w->li->rows(), runde == 1 ? 30 : 0);
      w->close();
    }
  }

  // A treatment is filled from the latest one of any colony with the kind
  // left or picked from its list, or with the agent left; the kind is
  // compared as stored.
  void treatmentFilledFromTheLatest() {
    const struct { const char* tag; const char* art; const char* mittel; int menge; const char* nr; int wz; int volk; }
        behandlungen[] = {{"01.05.2007", "Ameisen", "AS 60%", 200, "Z-1", 14, anna},
                          {"01.06.2007", "Ameisen", "AS 85%", 300, "Z-2", 7, berta},
                          {"01.07.2007", "Oxal`s", "OS 3,5%", 35, "Z-4", 0, anna},
                          // the same day as AS 85%, stored after it: the later of the two
                          {"01.06.2007", "Ameisen", "AS 70%", 250, "Z-3", 10, anna}};
    for (const auto& b : behandlungen)
      einfügen("Behandlung", {{"Datum", datum(b.tag)}, {"Behandlungsart", b.art}, {"Mittel", b.mittel},
                              {"Menge_g", b.menge}, {"Zulassungsnr", b.nr}, {"Wartezeit", b.wz}, {"Volk", b.volk}});
    auto w = eingabeöffnen(haupt, 8);
    QVERIFY(showActive(*w));
    for (const auto& [feld, text, erwartet] :
         {std::tuple{1, "Ameisen", "Ameisen|AS 70%|250,00|Z-3|10"},
          {2, "AS 60%", "Ameisen|AS 60%|200,00|Z-1|14"},
          {1, "Oxal's", "Oxal's|OS 3,5%|35,00|Z-4|0"}}) {
      eintippen(w->sevt(feld), QString::fromUtf8(text));
      QTest::keyClick(w->sevt(feld).editor(), Qt::Key_Tab);
      QCOMPARE(maske(*w, 1, 5), QString(erwartet));
    }
    // Picked from the kind's list, without leaving the field.
    w->sevt(1).setText(QString());
    QTest::mouseClick(w->sevt(1).editor(), Qt::LeftButton);
    QTest::keyClick(w->sevt(1).editor(), Qt::Key_F4);
    QMenu* liste = w->sevt(1).findChild<QMenu*>();
    QVERIFY(liste);
    QTest::keyClick(liste, Qt::Key_Down);
    QTest::keyClick(liste, Qt::Key_Return);
    QCOMPARE(maske(*w, 1, 5), QString("Ameisen|AS 70%|250,00|Z-3|10"));
    w->close();
  }

  // The stock card shows how far the typed foundations and combs are from
  // the record shown.
  void foundationsAndCombsLabel() {
    einfügen("Stockkarte", {{"Datum", datum("01.07.2007")}, {"Mittelwände", 5}, {"Waben", 10}, {"Volk", anna}});
    auto w = eingabeöffnen(haupt, 0);
    QVERIFY(w->bezmw->isHidden());
    w->sevt(10).setText("8");
    QCOMPARE(w->bezmw->text(), QString("MW: 5 (3)   WZ: 10 (0)"));
    w->sevt(10).setText("3");
    QCOMPARE(w->bezmw->text(), QString("MW: 5 (-2)   WZ: 10 (0)"));
    QVERIFY(!w->bezmw->isHidden());
  }

  // The value follows the quantity; typed by hand it stands until the quantity changes.
  void computedValues() {
    for (const auto& [art, satz, menge, wert] : {std::tuple{1, 3.33f, "0,1", "0,333"}, {1, 3.33f, "", "0"},
                                                 {3, 0.05f, "250", "12,5"}, {4, 0.2f, "30", "6"}}) {
      common::einstellungwert[art - 1] = satz;
      auto w = eingabeöffnen(haupt, art);
      const int mengenfeld = art == 4 ? 2 : 1, wertfeld = art == 3 ? 5 : 6;
      w->sevt(mengenfeld).setText("1");
      w->sevt(mengenfeld).setText(menge);
      QCOMPARE(w->sevt(wertfeld).text(), QString(wert));
      w->sevt(wertfeld).setText("99,00");
      w->sevt(wertfeld - 1).setText("5,00");
      QCOMPARE(w->sevt(wertfeld).text(), QString("99,00"));
      w->sevt(wertfeld - 2).setText("3");   // the time, without an hourly rate: the costs stay
      QCOMPARE(w->sevt(wertfeld - 1).text(), QString("5,00"));
    }
  }

  // Kind 6's default mask has no line for its J/N field; read back, the
  // stored costs win over those computed on the way.
  void defaultMask() {
    common::stundensatz() = 10;
    auto w = eingabeöffnen(haupt, 6);
    for (const auto& [feld, text] : {std::pair{1, "Grünland"}, {2, "3"}, {3, "17,00"}, {5, "J"}})
      w->sevt(feld).setText(text);
    messages().expect("ZEVO_IE_EINGABE_STD6.ZE1 gespeichert.");
    w->standard_Click(0);
    QFile f(vb::programFolder() + "ZEVO_IE_EINGABE_STD6.ZE1");
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray inhalt = f.readAll();
    QCOMPARE(inhalt.count("\r\n"), 14);   // fields 1..16 without the note and the J/N field
    w->sevt(2).setText("8");
    QCOMPARE(w->sevt(3).text(), QString("80,00"));
    w->sevt(5).setText("N");
    w->standard_Click(1);
    QCOMPARE(maske(*w, 1, 5), QString("Grünland|3|17,00|0,00|N"));
    common::datenpfad = vb::programFolder() + "fehlt/";
    messages().expect("Die aktuelle Eingabemaske wurde nicht gespeichert, weil die Datei");
    w->standard_Click(0);
    QVERIFY(messages().allUsed());
  }

  // Return in a field after clicking buttons presses no button (the window
  // marks none as default): the help window stays shut, the values stay.
  void returnAfterClickingButtons_data() {
    QTest::addColumn<QList<int>>("marks");
    QTest::addColumn<QString>("message");
    QTest::newRow("a save that works") << QList<int>{1} << "";
    QTest::newRow("a refused save") << QList<int>{} << "Bitte markieren Sie zuerst die Völker";
  }
  void returnAfterClickingButtons() {
    QFETCH(QList<int>, marks);
    QFETCH(QString, message);
    auto w = eingabeöffnen(haupt, 1, 1, marks);
    QVERIFY(showActive(*w));
    eintippen(feld(*w, "Menge (kg)"), "5");
    if (!message.isEmpty()) messages().expect(message);
    QTest::mouseClick(w->neu[0], Qt::LeftButton);
    QVERIFY(messages().allUsed());
    const int listed = w->li->rows();
    eintippen(feld(*w, "Honigsorte"), "Raps");
    QTest::keyClick(feld(*w, "Honigsorte").editor(), Qt::Key_Return);
    QCOMPARE(forms().shown(), QStringList());
    QCOMPARE(feld(*w, "Honigsorte").text(), QString("Raps"));
    QCOMPARE(w->li->rows(), listed);
    QVERIFY(!w->isUnloaded());
    // The focused button answers Return.
    forms().on("IH_Hilfe", [](vb::Form* f) { if (f) f->unload(); });
    w->comhilfe->setFocus();
    QTest::keyClick(w->comhilfe, Qt::Key_Return);
    QCOMPARE(forms().shown(), QStringList{"IH_Hilfe"});
  }

  // Numbers typed or pasted the German way are stored as meant; a whole
  // number above its field's limit becomes the limit when the field is left.
  void typedNumbersAreStoredAsMeant_data() {
    QTest::addColumn<int>("art");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("input");
    QTest::addColumn<bool>("paste");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("stored");   // "table.column=value"
    QTest::newRow("quantity with a thousands point")
        << 1 << "Menge (kg)" << "1.234,5" << false << "1.234,5" << "Honigernte.Menge_kg=1234,5";
    QTest::newRow("quantity pasted")
        << 1 << "Menge (kg)" << "1.234,5" << true << "1.234,5" << "Honigernte.Menge_kg=1234,5";
    QTest::newRow("wax with a thousands point")
        << 2 << "Menge (kg)" << "2.345,25" << false << "2.345,25" << "Wachsernte.Menge_kg=2345,25";
    QTest::newRow("waiting time above its max")
        << 8 << "Wartezeit in Tagen" << "120" << false << "99" << "Behandlung.Wartezeit=99";
    QTest::newRow("foundations above their max")
        << 0 << "Mittelwände" << "150" << false << "99" << "Stockkarte.Mittelwände=99";
  }
  void typedNumbersAreStoredAsMeant() {
    QFETCH(int, art);
    QFETCH(QString, caption);
    QFETCH(QString, input);
    QFETCH(bool, paste);
    QFETCH(QString, shown);
    QFETCH(QString, stored);
    auto w = eingabeöffnen(haupt, art, 1, {1});
    QVERIFY(showActive(*w));
    eintippen(feld(*w, caption), input, paste);
    QTest::keyClick(feld(*w, caption).editor(), Qt::Key_Tab);
    QCOMPARE(feld(*w, caption).text(), shown);
    QTest::mouseClick(w->neu[0], Qt::LeftButton);
    const QString tabelle = stored.section('.', 0, 0), spalte = stored.section('.', 1).section('=', 0, 0);
    QCOMPARE(werte(anzahl("select max(ID) from " + tabelle), spalte, tabelle), stored.section('=', 1));
  }

  // The note keeps its lines; it is stored trimmed, with CR LF.
  void notes() {
    einfügen("Notizen", {{"Datum", datum("01.07.2007")}, {"NOTIZ", "Erste Zeile\r\nzweite Zeile"}, {"Volk", anna}});
    auto w = eingabeöffnen(haupt, 10, 1, {1});
    QCOMPARE(w->sevt15->toPlainText(), QString("Erste Zeile\nzweite Zeile"));
    w->sevt15->setPlainText("  it's\nneu  ");
    w->neu_Click(0);
    QCOMPARE(spalte("select NOTIZ from Notizen order by ID").last(), QString("it's\r\nneu"));
  }
};

ZEVO_TEST_MAIN(EingabeMaske)
#include "test_eingabe_maske.moc"
