// The colony data card: field lines, booking sections at their column
// positions, the change columns against the next older inspection, the
// current-year filter, and the card in the main window's text box.

#include "components/sevgrid.h"
#include "shell/datenkarte.h"
#include "shell/ia_zevo.h"
#include "testdatenbank.h"

#include <QCheckBox>
#include <QPlainTextEdit>

using namespace zevo;
using test::datum;
using test::einfügen;

namespace {

const QStringList rasterspalten = {"ID", "Volknr", "Volkname", "Wabenanzahl", "Mittelwände", "L_Honigmenge_kg",
                                   "Futtervorrat_Teig", "Abnehmer", "Königin_Zugangsdatum"};

// One colony row in a grid of the main list's kind.
void rasterfüllen(ui::sevGrid& grid, int id) {
  grid.clear();
  for (const QString& s : rasterspalten) grid.addcolumn(s, s);
  grid.additem(QString::number(id) + "\t7\tAnna\t10\t8\t12,5\t\tImker Huber\t01.04.2007");
}

QString auswahl(std::initializer_list<int> punkte) {
  QString s(42, '0');
  for (int k : punkte) s[k - 1] = '1';
  return s;
}

// The lines of a card (without their CR LF; the card ends with one).
QStringList zeilen(const QString& karte) {
  QStringList z = karte.split("\r\n");
  if (z.last().isEmpty()) z.removeLast();
  return z;
}

// The record lines of one section: the lines after its dash line up to the
// next empty line.
QStringList abschnitt(const QString& karte, const QString& titel) {
  const QStringList z = zeilen(karte);
  const qsizetype t = z.indexOf(titel);
  if (t < 0) return {};
  QStringList out;
  for (qsizetype i = t + 3; i < z.size() && !z[i].isEmpty(); ++i) out << z[i];
  return out;
}

}  // namespace

class TestDatenkarte : public QObject {
  Q_OBJECT
  ui::sevGrid* grid_ = nullptr;
  int volk_ = 0;

  QString karte(const QString& infofenster, bool nurAktuellesJahr = false) {
    common::infofenster() = infofenster;
    return shell::volkdatenkarte(*grid_, 1, nurAktuellesJahr);
  }

  void stockkarte(const char* tag, int mw, int waben, const test::Werte& weitere = {}) {
    test::Werte w{{"Datum", datum(tag)}, {"Mittelwände", mw}, {"Waben", waben}, {"Volk", volk_}};
    w += weitere;
    einfügen("Stockkarte", w);
  }

private slots:
  void initTestCase() { test::datenbankbereitstellen(); }

  void init() {
    test::datenbankgrundzustand(QDate(2007, 6, 15));
    volk_ = test::volk("7");
    delete grid_;
    grid_ = new ui::sevGrid;
    rasterfüllen(*grid_, volk_);
  }

  void cleanupTestCase() { delete grid_; }

  void onlyTheName() {
    QCOMPARE(karte("1" + QString(41, '0')), QString("VOLKDATEN\r\nVolknummer:        7\r\nVolkname:          Anna\r\n"));
    // No "1" anywhere, or a text that ends early: the number line only.
    QCOMPARE(karte(""), QString("VOLKDATEN\r\nVolknummer:        7\r\n"));
    QCOMPARE(karte("2"), QString("VOLKDATEN\r\nVolknummer:        7\r\n"));
  }

  void fieldLines() {
    // Cells as the grid shows them, the sum as a plain number, amounts with
    // two decimals, a column the grid lacks as empty text, one empty line
    // after the buyer.
    QCOMPARE(zeilen(karte(auswahl({4, 5, 15, 18, 21, 24, 31}))),
             (QStringList{"VOLKDATEN", "Volknummer:        7", "Wabenanzahl:       10", "Summe Wände/Waben: 18",
                          "L_Honigmenge kg:   12,50", "Standort:          ", "Königin Zugang:    01.04.2007",
                          "Futter Teig:       0,00", "Abnehmer:          Imker Huber", ""}));
  }

  void emptyLinesBeforeTheFirstSection() {
    einfügen("Arbeiten", {{"Datum", datum("02.05.2007")}, {"Arbeitsart", "Füttern"}, {"Volk", volk_}});
    QStringList z = zeilen(karte(auswahl({1, 37})));
    QCOMPARE(z.mid(2, 4), (QStringList{"Volkname:          Anna", "", "", "Arbeiten"}));
    z = zeilen(karte(auswahl({1, 31, 37})));
    QCOMPARE(z.mid(3, 5), (QStringList{"Abnehmer:          Imker Huber", "", "", "", "Arbeiten"}));
  }

  void honeyHarvestLine() {
    einfügen("Honigernte", {{"Datum", datum("01.07.2007")}, {"Menge_kg", 12.5}, {"Honigsorte", "Raps"},
                            {"Qualität", "gut"}, {"Zeit_h", 1.5}, {"Kosten", 3}, {"Honig_Wert", 62.5},
                            {"Bemerkung", "x"}, {"Volk", volk_}});
    const QStringList z = zeilen(karte(auswahl({33})));
    const QString kopf = "DATUM       MENGE_KG  HONIGSORTE           QUALITÄT   ZEIT_H  KOSTEN HONIGWERT  BEMERKUNG";
    QCOMPARE(z, (QStringList{"VOLKDATEN", "Volknummer:        7", "", "", "Honigernte", kopf, QString(89, '-'),
                             "01.07.2007     12,50  Raps                 gut          1,50    3,00     62,50  x"}));
  }

  void inspectionsCompareWithTheNextOlder() {
    stockkarte("01.06.2007", 8, 10,
               {{"Volkstärke", 7}, {"Brutstand", 8}, {"Wabensitz", 6}, {"Sanftmut", 5}, {"Schwarmtrieb", 3},
                {"Frühjahrsentw", 4}, {"Winterfestigkeit", 2}, {"Varroaschäden", 1}, {"Belagert", 9},
                {"Futter_flüssig_l", 2.5}, {"Futter_Teig_kg", 1}, {"Eigener_Futtervorrat", 12.25},
                {"Bemerkung", "ruhig"}});
    stockkarte("01.05.2007", 10, 10);
    stockkarte("01.04.2006", 5, 12);
    // Of another colony: never listed, never compared with.
    einfügen("Stockkarte", {{"Datum", datum("15.05.2007")}, {"Mittelwände", 99}, {"Volk", volk_ + 1}});

    QStringList z = abschnitt(karte(auswahl({32})), "Stockkarte");
    QCOMPARE(z.size(), 3);
    QCOMPARE(z[0], QString("01.06.2007   7   8   6   5   3   4   2   1   9   8  -2  10   0  18    2,50   1,00  12,25  ruhig"));
    QCOMPARE(z[0].indexOf("ruhig") + 1, 91);
    // An increase has no sign; the oldest inspection has no change columns.
    QCOMPARE(z[1].mid(46, 16), QString("  10   5  10  -2"));
    QCOMPARE(z[2].mid(46, 20), QString("   5      12      17"));

    // This year only: the oldest inspection of this year has blank changes.
    z = abschnitt(karte(auswahl({32}), true), "Stockkarte");
    QCOMPARE(z.size(), 2);
    QCOMPARE(z[0].mid(50, 4), QString("  -2"));
    QCOMPARE(z[1].mid(46, 20), QString("  10      10      20"));
  }

  void currentYearFilter() {
    for (const char* tag : {"31.12.2006", "01.01.2007", "01.08.2007"})
      einfügen("Arbeiten", {{"Datum", datum(tag)}, {"Arbeitsart", "Kontrolle"}, {"Volk", volk_}});
    QStringList z = abschnitt(karte(auswahl({37}), true), "Arbeiten");
    QCOMPARE(z.size(), 2);
    QVERIFY(z[0].startsWith("01.08.2007"));   // newest first, future bookings included
    QVERIFY(z[1].startsWith("01.01.2007"));
    QCOMPARE(abschnitt(karte(auswahl({37}), false), "Arbeiten").size(), 3);

    // A section without bookings of the year leaves out its title as well.
    einfügen("Gewichtsmessung", {{"Datum", datum("30.11.2006")}, {"Gewicht_kg", 40}, {"Volk", volk_}});
    QVERIFY(!karte(auswahl({37, 39}), true).contains("Gewichtsmessung"));
    QVERIFY(karte(auswahl({37, 39}), false).contains("Gewichtsmessung"));
  }

  void everySectionAtItsColumns() {
    const QVariant v = volk_;
    const QDate d = datum("02.05.2007");
    stockkarte("02.05.2007", 1, 1, {{"Bemerkung", "B"}});
    einfügen("Honigernte", {{"Datum", d}, {"Bemerkung", "B"}, {"Volk", v}});
    einfügen("Wachsernte", {{"Datum", d}, {"Bemerkung", "B"}, {"Volk", v}});
    einfügen("Pollenernte", {{"Datum", d}, {"Bemerkung", "B"}, {"Volk", v}});
    einfügen("Sonstigeernte", {{"Datum", d}, {"Bemerkung", "B"}, {"Volk", v}});
    einfügen("Arbeiten", {{"Datum", d}, {"Bemerkung", "B"}, {"Volk", v}});
    einfügen("Wanderung", {{"Datum", d}, {"Prämie_erhalten", "J"}, {"Bemerkung", "B"}, {"Volk", v}});
    einfügen("Gewichtsmessung", {{"Datum", d}, {"Bemerkung", "B"}, {"Volk", v}});
    einfügen("Behandlung", {{"Datum", d}, {"Wartezeit", 14}, {"Bemerkung", "B"}, {"Volk", v}});
    einfügen("Königinwechsel", {{"Datum", d}, {"Bemerkung", "B"}, {"Volk", v}});
    einfügen("Notizen", {{"Datum", d}, {"NOTIZ", " Anna's Notiz "}, {"Volk", v}});

    const QString k = karte(QString(42, '1'));
    const QStringList z = zeilen(k);
    const struct {
      const char* titel;
      int kopflänge;
      int bemerkung;   // 1-based column of the remark
    } abschnitte[] = {{"Stockkarte", 99, 91},  {"Honigernte", 89, 81},      {"Wachsernte", 68, 60},
                      {"Pollenernte", 68, 60}, {"Sonstige Ernte", 87, 78},  {"Arbeiten", 68, 60},
                      {"Wanderung", 89, 81},   {"Gewichtsmessung", 49, 41}, {"Behandlung", 123, 115},
                      {"Königinwechsel", 111, 103}};
    qsizetype vorher = -1;
    for (const auto& a : abschnitte) {
      const qsizetype t = z.indexOf(a.titel);
      QVERIFY2(t > vorher, a.titel);
      vorher = t;
      QCOMPARE(z[t - 2] + z[t - 1], QString());
      QCOMPARE(z[t + 1].size(), a.kopflänge);
      QVERIFY(z[t + 1].startsWith("DATUM       "));
      QCOMPARE(z[t + 2], QString(a.kopflänge, '-'));
      QCOMPARE(z[t + 3].indexOf(" B") + 2, a.bemerkung);
      QVERIFY2(z[t + 3].endsWith(" B"), a.titel);
      QVERIFY(z[t + 3].startsWith("02.05.2007"));
    }
    // Empty amounts show zero with two decimals; the stored waiting time as it is.
    const QString behandlung = z[z.indexOf("Behandlung") + 3];
    QCOMPARE(behandlung.mid(95, 2), QString("14"));
    QCOMPARE(behandlung.mid(73, 9), QString("     0,00"));
    QCOMPARE(z[z.indexOf("Wanderung") + 3].mid(77, 4), QString("J  B"));
    // The notes: date line, the text exactly as stored, an empty line; the card ends there.
    QVERIFY(k.endsWith("\r\n\r\nNOTIZEN\r\nDatum: 02.05.2007\r\n Anna's Notiz \r\n\r\n"));
  }

  void textsAreCutNumbersNever() {
    einfügen("Behandlung", {{"Datum", datum("01.05.2007")}, {"Behandlungsart", "Ameisensäure"},
                            {"Mittel", "AS 60%"}, {"Menge_g", 200}, {"Zulassungsnr", "Z-123"}, {"Wartezeit", 120},
                            {"Zeit_h", 0.5}, {"Kosten", 123456.78}, {"Bemerkung", "it's ok"}, {"Volk", volk_}});
    einfügen("Wanderung", {{"Datum", datum("01.05.2007")}, {"Standort", QString(45, 'S')},
                           {"Bemerkung", QString(30, 'r')}, {"Volk", volk_}});
    const QString k = karte(auswahl({38, 40}));
    QCOMPARE(abschnitt(k, "Behandlung"),
             QStringList{"01.05.2007  " + QString("Ameisensäure").leftJustified(31) + QString("AS 60%").leftJustified(30) +
                         "   200,00  " + QString("Z-123").leftJustified(11) + "120   0,50123456,78  it`s ok"});
    const QString wanderung = abschnitt(k, "Wanderung").value(0);
    QCOMPARE(wanderung.mid(12, 41), QString(40, 'S') + " ");
    QVERIFY(wanderung.endsWith("   " + QString(30, 'r')));
  }

  void cardInTheMainWindow() {
    einfügen("Arbeiten", {{"Datum", datum("31.12.2006")}, {"Arbeitsart", "Einwintern"}, {"Volk", volk_}});
    common::infofenster() = auswahl({1, 37});
    shell::IA_ZEVO hauptfenster;
    rasterfüllen(*hauptfenster.datali, volk_);
    hauptfenster.Text1->setPlainText("alt");

    // No current colony: a message, the text stays.
    hauptfenster.datali->setRow(0);
    test::messages().expect("Bitte markieren Sie erst das Volk");
    shell::volkdatenlisten();
    QCOMPARE(hauptfenster.Text1->toPlainText(), QString("alt"));

    hauptfenster.datali->setRow(1);
    shell::volkdatenlisten();
    QCOMPARE(hauptfenster.Text1->toPlainText(),
             QString(shell::volkdatenkarte(*hauptfenster.datali, 1, false)).replace("\r\n", "\n"));
    QVERIFY(hauptfenster.Text1->toPlainText().contains("Einwintern"));
    hauptfenster.kon->setChecked(true);
    shell::volkdatenlisten();
    QVERIFY(!hauptfenster.Text1->toPlainText().contains("Arbeiten"));

    // A database that fails: a message, and no half-built card.
    hauptfenster.kon->setChecked(false);
    const dao::Database offen = common::datenbank;
    common::datenbank = dao::Database();
    test::messages().expect("Die Volkdaten konnten nicht gelesen werden.");
    shell::volkdatenlisten();
    common::datenbank = offen;
    QVERIFY(test::messages().allUsed());
    QVERIFY(!hauptfenster.Text1->toPlainText().contains("Einwintern"));
  }
};

ZEVO_TEST_MAIN(TestDatenkarte)
#include "test_datenkarte.moc"
