// The colony data card: field lines, booking sections at their column
// positions, and the change columns against the next older inspection (also
// of the current year only).
#include "components/sevgrid.h"
#include "shell/datenkarte.h"
#include "support/datenbank.h"

using namespace zevo;
using test::datum;
using test::einfügen;

namespace {

// One colony row in a grid of the main list's kind.
void rasterfüllen(ui::sevGrid& grid, const QString& id) {
  grid.clear();
  for (const char* s : {"ID", "Volknr", "Volkname", "Wabenanzahl", "Mittelwände", "L_Honigmenge_kg",
                        "Futtervorrat_Teig", "Abnehmer", "Königin_Zugangsdatum"})
    grid.addcolumn(s, s);
  grid.additem(id + "\t7\tAnna\t10\t8\t12,5\t\tImker Huber\t01.04.2007");
}

QString auswahl(std::initializer_list<int> punkte) {
  QString s(42, '0');
  for (int k : punkte) s[k - 1] = '1';
  return s;
}

// The lines of a card (without their CR LF; the card ends with one).
QStringList zeilen(const QString& karte) {
  QStringList z = karte.split("\r\n");
  z.removeLast();
  return z;
}

// The record lines of one section: after its dash line up to the next empty line.
QStringList abschnitt(const QString& karte, const QString& titel) {
  const QStringList z = zeilen(karte);
  QStringList out;
  for (qsizetype i = z.indexOf(titel) + 3; i > 2 && i < z.size() && !z[i].isEmpty(); ++i) out << z[i];
  return out;
}

}  // namespace

class TestDatenkarte : public QObject {
  Q_OBJECT
  ui::sevGrid grid_;
  int volk_ = 0;

  QString karte(const QString& infofenster, bool nurAktuellesJahr = false) {
    common::infofenster() = infofenster;
    return shell::volkdatenkarte(grid_, 1, nurAktuellesJahr);
  }

private slots:
  void initTestCase() { test::datenbankbereitstellen(); }
  void init() {
    test::datenbankgrundzustand(QDate(2007, 6, 15));
    volk_ = test::volk("7");
    rasterfüllen(grid_, QString::number(volk_));
  }

  void fieldLines() {
    // No "1" at all: the number line only.
    QCOMPARE(karte(""), QString("VOLKDATEN\r\nVolknummer:        7\r\n"));
    // Cells as the grid shows them, the sum as a plain number, amounts with
    // two decimals, a column the grid lacks as empty text, one empty line
    // after the buyer.
    QCOMPARE(zeilen(karte(auswahl({4, 5, 15, 18, 21, 24, 31}))),
             (QStringList{"VOLKDATEN", "Volknummer:        7", "Wabenanzahl:       10", "Summe Wände/Waben: 18",
                          "L_Honigmenge kg:   12,50", "Standort:          ", "Königin Zugang:    01.04.2007",
                          "Futter Teig:       0,00", "Abnehmer:          Imker Huber", ""}));
  }

  // The ID cell goes into the SQL as a whole number or not at all: a cell
  // that only begins with the colony's number lists no bookings.
  void idCellIntoTheSqlAsANumberOnly_data() {
    QTest::addColumn<QString>("cell");
    QTest::addColumn<int>("records");
    QTest::newRow("the ID") << "%1" << 1;
    QTest::newRow("with blanks") << " %1 " << 1;
    QTest::newRow("number and text") << "%1abc" << 0;
    QTest::newRow("condition appended") << "%1 or 1=1" << 0;
    QTest::newRow("empty") << "" << 0;
  }
  void idCellIntoTheSqlAsANumberOnly() {
    QFETCH(QString, cell);
    QFETCH(int, records);
    einfügen("Stockkarte", {{"Datum", datum("01.06.2007")}, {"Volk", volk_}});
    einfügen("Stockkarte", {{"Datum", datum("02.06.2007")}, {"Volk", volk_ + 1}});
    rasterfüllen(grid_, cell.contains("%1") ? cell.arg(volk_) : cell);
    QCOMPARE(abschnitt(karte(auswahl({32})), "Stockkarte").size(), records);
  }

  void inspectionsCompareWithTheNextOlder() {
    auto stockkarte = [this](const char* tag, int mw, int waben, test::Werte weitere = {}) {
      weitere += test::Werte{{"Datum", datum(tag)}, {"Mittelwände", mw}, {"Waben", waben}, {"Volk", volk_}};
      einfügen("Stockkarte", weitere);
    };
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
    QCOMPARE(z[0],
             QString("01.06.2007   7   8   6   5   3   4   2   1   9   8  -2  10   0  18    2,50   1,00  12,25  ruhig"));
    // An increase has no sign; the oldest inspection has no change columns.
    QCOMPARE(z[1].mid(46, 16), QString("  10   5  10  -2"));
    QCOMPARE(z[2].mid(46, 20), QString("   5      12      17"));
    // This year only: the oldest inspection of this year has blank changes.
    z = abschnitt(karte(auswahl({32}), true), "Stockkarte");
    QCOMPARE(z.size(), 2);
    QCOMPARE(z[1].mid(46, 20), QString("  10      10      20"));
  }

  void everySectionAtItsColumns() {
    const QDate d = datum("02.05.2007");
    for (const char* tabelle : {"Stockkarte", "Honigernte", "Wachsernte", "Pollenernte", "Sonstigeernte", "Arbeiten",
                                "Wanderung", "Gewichtsmessung", "Behandlung", "Königinwechsel"})
      einfügen(tabelle, {{"Datum", d}, {"Bemerkung", "B"}, {"Volk", volk_}});
    einfügen("Notizen", {{"Datum", d}, {"NOTIZ", " Anna's Notiz "}, {"Volk", volk_}});

    const QString k = karte(QString(42, '1'));
    const QStringList z = zeilen(k);
    const struct {
      const char* titel;
      int kopflänge, bemerkung;   // the header's length; the column of the remark
    } abschnitte[] = {{"Stockkarte", 99, 91}, {"Honigernte", 89, 81},     {"Wachsernte", 68, 60},
                      {"Pollenernte", 68, 60}, {"Sonstige Ernte", 87, 78}, {"Arbeiten", 68, 60},
                      {"Wanderung", 89, 81},  {"Gewichtsmessung", 49, 41}, {"Behandlung", 123, 115},
                      {"Königinwechsel", 111, 103}};
    qsizetype vorher = -1;
    for (const auto& a : abschnitte) {
      const qsizetype t = z.indexOf(a.titel);
      QVERIFY2(t > vorher, a.titel);
      vorher = t;
      QCOMPARE(z[t - 2] + z[t - 1], QString());
      QCOMPARE(z[t + 1].size(), a.kopflänge);
      QCOMPARE(z[t + 2], QString(a.kopflänge, '-'));
      QVERIFY2(z[t + 3].startsWith("02.05.2007") && z[t + 3].endsWith(" B"), a.titel);
      QCOMPARE(z[t + 3].size(), a.bemerkung);
    }
    // The notes: date line, the text exactly as stored, an empty line; the card ends there.
    QVERIFY(k.endsWith("\r\n\r\nNOTIZEN\r\nDatum: 02.05.2007\r\n Anna's Notiz \r\n\r\n"));
  }

  void textsAreCutNumbersNever() {
    einfügen("Behandlung", {{"Datum", datum("01.05.2007")}, {"Behandlungsart", "Ameisensäure"},
                            {"Mittel", "AS 60%"}, {"Menge_g", 200}, {"Zulassungsnr", "Z-123"}, {"Wartezeit", 120},
                            {"Zeit_h", 0.5}, {"Kosten", 123456.78}, {"Bemerkung", "it's ok"}, {"Volk", volk_}});
    einfügen("Wanderung", {{"Datum", datum("01.05.2007")}, {"Standort", QString(45, 'S')}, {"Volk", volk_}});
    const QString k = karte(auswahl({38, 40}));
    QCOMPARE(abschnitt(k, "Behandlung"),
             QStringList{"01.05.2007  " + QString("Ameisensäure").leftJustified(31) +
                         QString("AS 60%").leftJustified(30) + "   200,00  " + QString("Z-123").leftJustified(11) +
                         "120   0,50 123456,78  it`s ok"});
    // Two numbers that fill their columns keep a blank between them.
    einfügen("Arbeiten", {{"Datum", datum("01.05.2007")}, {"Arbeitsart", "Bau"}, {"Zeit_h", 99999},
                          {"Kosten", 12345678}, {"Volk", volk_}});
    QVERIFY(abschnitt(karte(auswahl({37})), "Arbeiten").value(0).contains("99999,00 12345678,00"));
    QCOMPARE(abschnitt(k, "Wanderung").value(0).mid(12, 41), QString(40, 'S') + " ");
  }

};

ZEVO_TEST_MAIN(TestDatenkarte)
#include "test_datenkarte.moc"
