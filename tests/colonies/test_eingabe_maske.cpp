// The entry window's reading side: the mask of every kind, the record list,
// the colony list and its marks, the site pick, column widths, stepping
// through the colonies, the window on the screen and help.
#include "eingabetest.h"

using namespace zevo;
using namespace zevo::test;
using colonies::IE_Eingabe;

namespace {

// "index caption=text unit" for every field shown, "[J]"/"[N]" for J/N fields.
QString beschreibung(IE_Eingabe& w) {
  QStringList teile;
  for (int i = 1; i <= 16; ++i) {
    if (i == colonies::notizfeld) {
      if (!w.sevt15->isHidden()) teile << "15 Notiz";
      continue;
    }
    const ui::sevText& f = w.sevt(i);
    if (f.isHidden()) continue;
    const QString text = f.texttype() == 2 ? "[" + f.text() + "]" : f.text();
    teile << QString("%1 %2=%3%4").arg(i).arg(f.caption(), text, f.unitdescr());
  }
  return teile.join(" | ");
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

  void jedeArtIhreMaske_data() {
    QTest::addColumn<int>("art");
    QTest::addColumn<QString>("erwartet");
    QTest::newRow("0") << 0
                       << "1 Volksstärke=0 | 2 Brutstand=0 | 3 Wabensitz=0 | 4 Sanftmut=0 | 5 Schwarmtrieb=0 | "
                          "6 Frühjahrsentw.=0 | 7 Winterfestigkeit=0 | 8 Varroaschäden=0 | 9 Belagert=0 | "
                          "10 Mittelwände=0 | 11 Waben=0 | 12 Futter flüssig (l)=0,00 | 13 Futter Teig (kg)=0,00 | "
                          "14 Futter eigen (kg)=0,00 | 16 Bemerkung=";
    QTest::newRow("1") << 1
                       << "1 Menge (kg)=0,00 | 2 Honigsorte= | 3 Qualität= | 4 Zeit (h)=0,00 | 5 Kosten=0,00€ | "
                          "6 Honigwert=0,00€ | 7 Bemerkung=";
    QTest::newRow("2") << 2
                       << "1 Menge (kg)=0,00 | 2 Qualität= | 3 Zeit (h)=0,00 | 4 Kosten=0,00€ | 5 Wachswert=0,00€ | "
                          "6 Bemerkung=";
    QTest::newRow("3") << 3
                       << "1 Menge (g)=0 | 2 Qualität= | 3 Zeit (h)=0,00 | 4 Kosten=0,00€ | 5 Pollenwert=0,00€ | "
                          "6 Bemerkung=";
    QTest::newRow("4") << 4
                       << "1 Art der Ernte= | 2 Menge (g)=0 | 3 Qualität= | 4 Zeit (h)=0,00 | 5 Kosten=0,00€ | "
                          "6 Wert=0,00€ | 7 Bemerkung=";
    QTest::newRow("5") << 5 << "1 Arbeitsart= | 2 Zeit (h)=0,00 | 3 Kosten=0,00€ | 4 Bemerkung=";
    QTest::newRow("6") << 6
                       << "1 Standort= | 2 Zeit (h)=0,00 | 3 Kosten=0,00€ | 4 Standortprämie=0,00€ | "
                          "5 Prämie erhalten JN=[N] | 6 Bemerkung=";
    QTest::newRow("7") << 7 << "1 Gewicht (kg)=0,000 | 2 Zeit (h)=0,00 | 3 Kosten=0,00€ | 4 Bemerkung=";
    QTest::newRow("8") << 8
                       << "1 Behandlungsart= | 2 Mittel= | 3 Menge (g)=0 | 4 Zulassungsnr= | "
                          "5 Wartezeit in Tagen=0 | 6 Zeit (h)=0,00 | 7 Kosten=0,00€ | 8 Bemerkung=";
    QTest::newRow("9") << 9
                       << "1 Herkunft= | 2 Zuchtindex= | 3 Nummer= | 4 Farbe= | 5 Zeit (h)=0,00 | "
                          "6 Kosten=0,00€ | 7 Bemerkung=";
    QTest::newRow("10") << 10 << "15 Notiz";
  }

  // No records: the defaults, and the date keeps today.
  void jedeArtIhreMaske() {
    QFETCH(int, art);
    QFETCH(QString, erwartet);
    auto w = eingabeöffnen(haupt, art);
    QCOMPARE(beschreibung(*w), erwartet);
    QCOMPARE(w->sevt(0).text(), QString("15.07.2007"));
    QCOMPARE(w->li->rows(), 0);
    QVERIFY(w->opti[size_t(art)]->isChecked());
    for (auto* o : w->opti) QVERIFY(o->isEnabled());
    QVERIFY(w->bezmw->isHidden());
  }

  void grenzenUndListen() {
    einfügen("Standorte", {{"Standort", "Rapsfeld"}});
    einfügen("Wanderung", {{"Datum", datum("01.05.2007")}, {"Standort", "Alter Platz"}, {"Volk", anna}});
    einfügen("Pollenernte", {{"Datum", datum("01.05.2007")}, {"Qualität", "gut"}, {"Volk", berta}});
    auto w = eingabeöffnen(haupt, 3);
    QCOMPARE(w->sevt(2).listcount(), 1);
    QCOMPARE(w->sevt(1).numbertype(), 7);
    QCOMPARE(w->sevt(1).max(), 9999.0);
    QCOMPARE(w->sevt(1).maxlength(), 4);
    QCOMPARE(w->sevt(3).nachkomma(), 2);
    QCOMPARE(w->sevt(3).textalign(), 1);
    w->opti_Click(6);   // the sites come from Standorte, not from the migrations
    QCOMPARE(w->sevt(1).maxlength(), 100);
    QCOMPARE(w->sevt(1).listcount(), 1);
    QCOMPARE(w->sevt(1).listtext(0), QString("Rapsfeld"));
    QCOMPARE(w->sevt(2).listcount(), 0);   // "Zeit (h)" has no list
  }

  void letzteBuchungInDerMaske() {
    for (const auto& [tag, menge] : {std::pair{"12.07.2007", 7.5}, {"01.06.2006", 3.0}, {"20.06.2007", 9.0}})
      einfügen("Honigernte",
               {{"Datum", datum(tag)}, {"Menge_kg", menge}, {"Honigsorte", "Linde"}, {"Honig_Wert", 50.0},
                {"Volk", anna}});
    einfügen("Honigernte", {{"Datum", datum("30.07.2007")}, {"Menge_kg", 1.0}, {"Volk", berta}});
    auto w = eingabeöffnen(haupt, 1, 1, {1});
    QCOMPARE(w->li->rows(), 3);
    QCOMPARE(w->li->cell(1, "Datum"), QString("01.06.2006"));
    QCOMPARE(w->li->row(), 3);
    QCOMPARE(w->sevt(0).text(), QString("12.07.2007"));
    QCOMPARE(maske(*w), (QStringList{"7,5", "Linde", "", "", "", "50"}));   // Null stays empty
    w->neu_Click(0);   // the date untouched: the new record gets the latest harvest's date
    QCOMPARE(anzahl("select count(*) from Honigernte where Volk = " + QString::number(anna) +
                    " and Datum = #07/12/2007#"),
             2);
  }

  void versteckteFelderBehaltenTextUndTyp() {
    auto w = eingabeöffnen(haupt, 8);
    w->sevt(5).setText("14");
    w->sevt(8).setText("Notiz zur Behandlung");
    w->opti_Click(5);
    QCOMPARE(common::eingabeart, 5);
    for (int i = 5; i <= 8; ++i) QVERIFY(w->sevt(i).isHidden());
    QCOMPARE(w->sevt(5).text(), QString("14"));
    QCOMPARE(w->sevt(5).numbertype(), 7);
    QCOMPARE(w->sevt(8).text(), QString("Notiz zur Behandlung"));
    // The J/N field keeps its state through every rebuild of the mask.
    w->opti_Click(6);
    w->sevt(5).setText("J");
    w->opti_Click(1);
    w->opti_Click(6);
    QCOMPARE(w->sevt(5).text(), QString("J"));
    QCOMPARE(w->sevt(5).texttype(), 2);
  }

  void notizen() {
    einfügen("Notizen", {{"Datum", datum("01.07.2007")}, {"NOTIZ", "Erste Zeile\r\nzweite Zeile"}, {"Volk", anna}});
    auto w = eingabeöffnen(haupt, 10);
    QCOMPARE(w->sevt15->toPlainText(), QString("Erste Zeile\nzweite Zeile"));
    haupt.markieren({1});
    w->sevt15->setPlainText("  it's\nneu  ");
    w->neu_Click(0);
    QCOMPARE(spalte("select NOTIZ from Notizen order by ID").last(), QString("it's\r\nneu"));
  }

  void standortwahl() {
    volk("3", true, {{"Volkname", "Clara"}, {"Standort", "Waldrand"}});
    volk("4", true, {{"Volkname", "Dora"}, {"Standort", "O'Hara"}});
    volk("5", true, {{"Volkname", "Emma"}, {"Standort", "Heide"}});
    auto w = eingabeöffnen(haupt, 1, 3, {3, 4});
    const QString titel = w->windowTitle();
    QCOMPARE(w->kom->count(), 3);
    w->kom->setCurrentText("Heide");
    w->kom_Click();
    QCOMPARE(markiert(haupt.grid), (QList<int>{2, 5}));
    QCOMPARE(markiert(*w->volkli), (QList<int>{2, 5}));
    QCOMPARE(haupt.grid.row(), 2);
    QCOMPARE(w->volkli->row(), 2);
    QCOMPARE(w->windowTitle(), titel);            // the list still shows colony 3
    QCOMPARE(w->gelistetesvolk(), haupt.grid.cell(3, "ID"));
    // The site with a quote is offered as it is compared.
    w->kom->setCurrentText("O`Hara");
    w->kom_Click();
    QCOMPARE(markiert(haupt.grid), (QList<int>{4}));
    QCOMPARE(haupt.grid.row(), 4);
    // A site no colony carries keeps the current colony and its marks.
    w->kom->addItem("Nirgendwo");
    w->kom->setCurrentText("Nirgendwo");
    w->kom_Click();
    QCOMPARE(haupt.grid.row(), 4);
    QCOMPARE(markiert(haupt.grid), (QList<int>{4}));
  }

  // volkli cannot be sorted; its rows find their colony by ID.
  void volklisteUndHauptliste() {
    const int clara = volk("3", true, {{"Volkname", "Clara"}});
    einfügen("Honigernte", {{"Datum", datum("01.07.2007")}, {"Menge_kg", 2.0}, {"Volk", clara}});
    auto w = eingabeöffnen(haupt, 1);
    QVERIFY(!w->volkli->autosort());
    QVERIFY(w->volkli->allowmultiselect());
    QCOMPARE(w->volkli->cell(3, "volkname"), QString("Clara"));
    haupt.grid.sort(2, 2);   // the main grid in another order: Clara, Berta, Anna
    w->volkli->setSelected(1, true);
    w->volkli->setSelected(3, true);
    w->volkli->setRow(3);
    w->volkli_RowClick(3);
    QCOMPARE(haupt.grid.cell(haupt.grid.row(), "Volkname"), QString("Clara"));
    QCOMPARE(markiert(haupt.grid), (QList<int>{1, 3}));   // Clara and Anna
    QCOMPARE(w->windowTitle(), QString("Bewegungsdaten für das Volk:  3 / Clara"));
    QCOMPARE(w->li->rows(), 1);
    QCOMPARE(w->volkli->row(), 3);
  }

  void naechstesUndVorigesVolk() {
    volk("3", true, {{"Volkname", "Clara"}});
    auto w = eingabeöffnen(haupt, 5, 1, {2});
    w->nextvolk1_Click(0);   // from the first to the last
    QCOMPARE(haupt.grid.row(), 3);
    QCOMPARE(w->volkli->row(), 3);
    QCOMPARE(w->windowTitle(), QString("Bewegungsdaten für das Volk:  3 / Clara"));
    w->nextvolk1_Click(1);   // and back to the first
    QCOMPARE(haupt.grid.row(), 1);
    QCOMPARE(markiert(haupt.grid), (QList<int>{2}));   // the marks stay
  }

  void spaltenbreiten() {
    einfügen("Honigernte", {{"Datum", datum("01.07.2007")}, {"Volk", anna}});
    auto w = eingabeöffnen(haupt, 1);
    w->li->column(2).setWidth(10);
    w->li_ColResize(2, 10);
    QCOMPARE(w->li->column(2).width(), 25);
    ui::sevGrid andere;   // the widths stand under "Zevo", "1bewegungsdaten"
    andere.addcolumn("a", "A");
    andere.addcolumn("b", "B");
    andere.loadcolwidths("Zevo", "1bewegungsdaten", "ColWidths");
    QCOMPARE(andere.column(2).width(), 25);
  }

  // Shown on the screen, every field and button of each kind lies whole
  // inside the window, and no two fields overlap. With ZEVO_BILDER set to a
  // folder, the window is saved there as eingabe<art>.png.
  void ansicht() {
    volk("3", true, {{"Volkname", "Clara"}, {"Standort", "Obstwiese am Bach"}});
    einfügen("Stockkarte", {{"Datum", datum("01.07.2007")}, {"Volkstärke", 7}, {"Mittelwände", 4}, {"Waben", 9},
                            {"Bemerkung", "sanft"}, {"Volk", anna}});
    einfügen("Honigernte", {{"Datum", datum("01.07.2007")}, {"Menge_kg", 12.5}, {"Honigsorte", "Linde"},
                            {"Honig_Wert", 81.25}, {"Volk", anna}});
    haupt.lesen(1);
    haupt.markieren({1, 3});
    const QString ordner = qEnvironmentVariable("ZEVO_BILDER");
    for (int art : {0, 1, 6, 8, 10}) {
      auto w = eingabeöffnen(art);
      w->show();
      QVERIFY(QTest::qWaitForWindowExposed(w.get()));
      if (art == 0) w->sevt(10).setText("6");
      const QRect fenster = w->rect();
      QList<QRect> felder;
      for (QWidget* k : w->findChildren<QWidget*>()) {
        if (!k->isVisible() || !(qobject_cast<ui::sevText*>(k) || qobject_cast<QPushButton*>(k) ||
                                 qobject_cast<QRadioButton*>(k)))
          continue;
        const QRect r(k->mapTo(w.get(), QPoint(0, 0)), k->size());
        QVERIFY2(fenster.contains(r), qPrintable(k->objectName() + " " + k->metaObject()->className()));
        QVERIFY2(k->width() >= k->minimumSizeHint().width(), k->metaObject()->className());
        if (qobject_cast<ui::sevText*>(k)) {
          for (const QRect& f : felder) QVERIFY(!f.intersects(r));
          felder << r;
        }
      }
      if (!ordner.isEmpty()) w->grab().save(ordner + QString("/eingabe%1.png").arg(art));
    }
  }

  // Help: the topic is the window's name; afterwards the mask is built anew.
  void hilfe() {
    einfügen("Arbeiten", {{"Datum", datum("01.07.2007")}, {"Arbeitsart", "Füttern"}, {"Volk", anna}});
    haupt.lesen(1);
    forms().on("IH_Hilfe", [](vb::Form* f) {
      QCOMPARE(common::hilfethema, QString("IE_Eingabe"));
      if (f) f->unload();
    });
    common::eingabeart = 5;
    auto w = std::make_unique<IE_Eingabe>();
    w->Form_Load();
    vb::setMainForm(w.get());
    w->Form_Activate();
    w->sevt(1).setText("getippt");
    w->comhilfe_Click();
    vb::setMainForm(nullptr);
    QCOMPARE(forms().shown(), QStringList{"IH_Hilfe"});
    QCOMPARE(w->sevt(1).text(), QString("Füttern"));
  }
};

ZEVO_TEST_MAIN(EingabeMaske)
#include "test_eingabe_maske.moc"
