// The stock booking of purchases and sales: which saves book, how a change
// replaces the booking, how a delete removes it, and that row and booking
// are written together or not at all.
#include "handeltest.h"

#include <QLabel>
#include <QPushButton>

using namespace zevo;
using namespace zevo::test;

namespace {

// Honiglager as ID:Datum|Produkt|Zugang|Abgang|EVK_ID, in the order written.
QStringList buchungen() {
  QStringList z = zeilen("select ID, Datum, Produkt, Zugang, Abgang, EVK_ID from Honiglager order by ID");
  for (QString& zeile : z) zeile.replace(zeile.indexOf('|'), 1, ':');
  return z;
}

// One step of a booking story:
//   "L Raps 10"     a first stock movement by hand (01.01.2007, Zugang 10)
//   "E Raps 5 kg"   a new purchase on 01.05.2007; "V ..." a sale
//   "e Raps 7"      the current purchase saved again with these values ("e" alone: unchanged); "v ..." a sale
//   "xe", "xv"      the current purchase, sale deleted
//   "D"             the date of every booked row changed by hand to 02.05.2007
//   "N"             the sales and the booking with ID 2 without a date, as older files may hold them
//   "zv Raps"       the sale of Raps clicked; "sv Raps" made current without a click
//   "ze 1"          the purchase with ID 1 clicked
//   "k Produkt Linde" every booked row copied with the column(s) given set anew:
//                   a neighbour that shares every key but one
//   "f13 Linde"     a field edited ("f13" alone: emptied)
//   "o"             the window opened anew on the sales tab
void schritt(std::unique_ptr<IV_EinVerkauf_Lager>& w, const QString& text) {
  const QStringList t = text.split(' ');
  const QString was = t[0];
  if (was == "L") {
    lagerzeile("01.01.2007", t[1], t[2].toDouble());
  } else if (was == "E" || was == "V" || was == "e" || was == "v") {
    const int f = was.toUpper() == "E" ? einkaufsfelder : verkaufsfelder;
    if (was == "E" || was == "V") eintragen(*w, f, {"01.05.2007", t[1], "", "", t[2], t.value(3)});
    else if (t.size() > 1) eintragen(*w, f, {QString(), t[1], QString(), QString(), t[2]});
    const int index = was == was.toUpper() ? 0 : 1;
    if (f == einkaufsfelder) w->neueinkauf_click(index);
    else w->neuverkauf_click(index);
  } else if (was == "xe") {
    w->lscheinkauf_click();
  } else if (was == "xv") {
    w->lschverkauf_click();
  } else if (was == "D") {
    db().execute("update Honiglager set Datum = #05/02/2007# where EVK_ID <> 0");
  } else if (was == "N") {
    db().execute("update Verkauf set Datum = null");
    db().execute("update Honiglager set Datum = null where ID = 2");
  } else if (was == "zv" || was == "sv") {
    QVERIFY(w->liverkauf->findrow("Produkt = '" + t[1] + "'") > 0);
    if (was == "zv") w->liverkauf_rowclick();
  } else if (was == "ze") {
    QVERIFY(w->lieinkauf->findrow("ID = " + t[1]) > 0);
    w->lieinkauf_rowclick();
  } else if (was == "k") {
    QList<Werte> kopien;
    dao::Recordset rs = db().openRecordset("select * from Honiglager where EVK_ID <> 0");
    for (; !rs.eof(); rs.moveNext()) {
      Werte werte;
      for (const char* spalte : {"Datum", "Produkt", "Zugang", "Abgang", "Bemerkung", "EVK_ID"}) {
        const int i = t.indexOf(spalte);
        const QString neu = t.value(i + 1), name = spalte;
        werte += {name, i < 0               ? rs[name].value()
                        : name == "Datum"   ? QVariant(*vb::parseDate(neu))
                        : name == "Produkt" || name == "Bemerkung" ? QVariant(neu)
                                            : QVariant(neu.toDouble())};
      }
      kopien << werte;
    }
    rs.close();
    for (const Werte& werte : kopien) einfügen("Honiglager", werte);
  } else if (was.startsWith('f')) {
    w->sevt(was.mid(1).toInt()).setText(t.value(1));
  } else if (was == "o") {
    w = handelsfenster("1");
  }
}

}  // namespace

class TestLagerbuchung : public QObject {
  Q_OBJECT

private slots:
  void init() {
    datenbankbereitstellen();
    datenbankgrundzustand(datum("15.06.2007"));
    db().execute("delete from sqlite_sequence");   // every story counts its IDs from 1
    common::eingabepiepton() = 1;
  }

  void bookings_data() {
    QTest::addColumn<QStringList>("schritte");
    QTest::addColumn<QStringList>("lager");
    const QString hand = "1:01.01.2007|Raps|10|0|0";
    QTest::newRow("no stock article, then one") << QStringList{"E Raps 5", "L Raps 10", "e"}
                                                << QStringList{hand, "2:01.05.2007|Raps|5|0|1"};
    QTest::newRow("saved unchanged: a new row")
        << QStringList{"L Raps 10", "E Raps 5", "e"} << QStringList{hand, "3:01.05.2007|Raps|5|0|1"};
    QTest::newRow("five to seven") << QStringList{"L Raps 10", "E Raps 5", "e Raps 7"}
                                   << QStringList{hand, "3:01.05.2007|Raps|7|0|1"};
    QTest::newRow("changed to no article") << QStringList{"L Raps 10", "E Raps 5", "e Linde 5"}
                                           << QStringList{hand, "2:01.05.2007|Raps|5|0|1"};
    QTest::newRow("other case, same article") << QStringList{"L Raps 10", "V RAPS 3"}
                                              << QStringList{hand, "2:01.05.2007|RAPS|0|3|1"};
    const QString blüte = "1:01.01.2007|Blütenhonig|10|0|0";
    QTest::newRow("umlaut in other case, same article")
        << QStringList{"L Blütenhonig 10", "V BLÜTENHONIG 3"} << QStringList{blüte, "2:01.05.2007|BLÜTENHONIG|0|3|1"};
    QTest::newRow("its unaccented twin is no article") << QStringList{"L Blütenhonig 10", "V BLUTENHONIG 3", "o"}
                                                       << QStringList{blüte};
    QTest::newRow("umlaut in other case, booking deleted")
        << QStringList{"L blütenhonig 10", "E BLÜTENHONIG 5", "V Blütenhonig 3", "xe", "xv"}
        << QStringList{"1:01.01.2007|blütenhonig|10|0|0"};
    QTest::newRow("sale of 3 St") << QStringList{"L Raps 10", "V Raps 3 St"}
                                  << QStringList{hand, "2:01.05.2007|Raps|0|3|1"};
    QTest::newRow("g and St book the number") << QStringList{"L Raps 10", "E Raps 500 g", "V Raps 2 St"}
                                              << QStringList{hand, "2:01.05.2007|Raps|500|0|1",
                                                             "3:01.05.2007|Raps|0|2|1"};
    QTest::newRow("same ID: change the purchase, delete the sale")
        << QStringList{"L Raps 10", "E Raps 5", "V Raps 3", "e Raps 6", "xv"}
        << QStringList{hand, "4:01.05.2007|Raps|6|0|1"};
    QTest::newRow("same ID: delete the purchase")
        << QStringList{"L Raps 10", "E Raps 5", "V Raps 3", "xe"} << QStringList{hand, "3:01.05.2007|Raps|0|3|1"};
    QTest::newRow("a change replaces one row of its booking")
        << QStringList{"L Raps 10", "E Raps 5", "k Bemerkung Markt", "e Raps 7"}
        << QStringList{hand, "3:01.05.2007|Raps|5|0|1", "4:01.05.2007|Raps|7|0|1"};
    QTest::newRow("same ID: change the sale booked after the purchase")
        << QStringList{"L Raps 10", "E Raps 5", "V Raps 3", "v Raps 4"}
        << QStringList{hand, "2:01.05.2007|Raps|5|0|1", "4:01.05.2007|Raps|0|4|1"};
    QTest::newRow("same ID: change the purchase booked after the sale")
        << QStringList{"L Raps 10", "V Raps 3", "E Raps 5", "e Raps 6"}
        << QStringList{hand, "2:01.05.2007|Raps|0|3|1", "4:01.05.2007|Raps|6|0|1"};
    // A delete takes only the booking that matches in date, product, side
    // and ID; a row that differs in one of them stays.
    QTest::newRow("neighbour: another purchase's booking")
        << QStringList{"L Raps 10", "E Raps 5", "E Raps 5", "ze 1", "xe"} << QStringList{hand, "3:01.05.2007|Raps|5|0|2"};
    QTest::newRow("neighbour: another day") << QStringList{"L Raps 10", "E Raps 5", "k Datum 02.05.2007", "xe"}
                                            << QStringList{hand, "3:02.05.2007|Raps|5|0|1"};
    QTest::newRow("neighbour: another product") << QStringList{"L Raps 10", "E Raps 5", "k Produkt Linde", "xe"}
                                                << QStringList{hand, "3:01.05.2007|Linde|5|0|1"};
    QTest::newRow("neighbour: the other side") << QStringList{"L Raps 10", "V Raps 3", "k Zugang 3 Abgang 0", "xv"}
                                               << QStringList{hand, "3:01.05.2007|Raps|3|0|1"};
    QTest::newRow("a sale without a date takes only its undated booking")
        << QStringList{"L Raps 10", "V Raps 3", "k Datum 02.05.2007", "N", "o", "sv Raps", "xv"}
        << QStringList{hand, "3:02.05.2007|Raps|0|3|1"};
    QTest::newRow("date changed by hand survives") << QStringList{"L Raps 10", "E Raps 5", "D", "xe"}
                                                   << QStringList{hand, "2:02.05.2007|Raps|5|0|1"};
    QTest::newRow("a manual row is no booking") << QStringList{"L Raps 10", "E Raps 5", "xe", "xe"}
                                                << QStringList{hand};
    // The linked delete goes by the row's stored values, not by fields edited
    // since, nor by the defaults right after opening.
    const QStringList zweiverkäufe{"L Raps 10", "V Raps 3", "V Linde 1", "zv Raps"};
    QTest::newRow("delete: date edited") << zweiverkäufe + QStringList{"f12 02.05.2007", "xv"} << QStringList{hand};
    QTest::newRow("delete: date garbled") << zweiverkäufe + QStringList{"f12 31.02", "xv"} << QStringList{hand};
    QTest::newRow("delete: product emptied") << zweiverkäufe + QStringList{"f13", "xv"} << QStringList{hand};
    QTest::newRow("delete: product edited") << zweiverkäufe + QStringList{"f13 Linde", "xv"} << QStringList{hand};
    QTest::newRow("delete: right after opening") << zweiverkäufe + QStringList{"o", "sv Raps", "xv"}
                                                 << QStringList{hand};
  }
  void bookings() {
    QFETCH(QStringList, schritte);
    QFETCH(QStringList, lager);
    messages().setAcceptInformation(true);   // the second "xe" of the last story has no row left
    auto w = handelsfenster();
    for (const QString& s : schritte) schritt(w, s);
    for (const QString& m : messages().texts()) QVERIFY2(m.startsWith("Bitte markieren"), qPrintable(m));
    QCOMPARE(buchungen(), lager);
    QCOMPARE(w->lihonig->rows(), lager.size());
    if (QString(QTest::currentDataTag()).startsWith("delete:"))
      QCOMPARE(zeilen("select Produkt from Verkauf"), QStringList{"Linde"});
  }

  // A booking that fails takes its sale with it: no row, no beep, a message,
  // and the fields still hold what was typed. A delete whose booking cannot
  // go keeps its purchase as well.
  void failedWritesStoreNothing() {
    lagerzeile("01.01.2007", "Raps", 10);
    roh("create trigger keinebuchung before insert on Honiglager begin select raise(abort, 'gesperrt'); end");
    auto w = handelsfenster("1");
    eintragen(*w, verkaufsfelder, {"01.05.2007", "Raps", "fein", "Huber", "3", "kg", "18"});
    messages().expect("Die Daten konnten nicht gespeichert werden.");
    w->neuverkauf_click(0);
    roh("drop trigger keinebuchung");
    QVERIFY(messages().allUsed());
    const auto stand = [] { return QList<int>{anzahl("select count(*) from Verkauf"), int(buchungen().size()), beeps()}; };
    QCOMPARE(stand(), (QList<int>{0, 1, 0}));   // sales, stock rows, beeps
    QCOMPARE(felder(*w, 15, 18), QString("Huber|3|kg|18"));
    w->neuverkauf_click(0);   // the window is still usable
    QCOMPARE(stand(), (QList<int>{1, 2, 1}));

    eintragen(*w, einkaufsfelder, {"01.05.2007", "Raps", "", "", "5"});
    w->neueinkauf_click(0);
    roh("create trigger keinlöschen before delete on Einkauf begin select raise(abort, 'gesperrt'); end");
    messages().expect("Der markierte Datensatz konnte nicht gelöscht werden.");
    w->lscheinkauf_click();
    roh("drop trigger keinlöschen");
    QVERIFY(messages().allUsed());
    QCOMPARE(buchungen().size(), 3);
    QCOMPARE(w->lieinkauf->rows(), 1);
  }

  // A change of a listed row without a usable ID writes nothing and says so.
  void rowWithoutIdChangesNothing_data() {
    QTest::addColumn<int>("tab");   // 0 purchases, 2 stock
    QTest::newRow("purchase") << 0;
    QTest::newRow("stock") << 2;
  }
  void rowWithoutIdChangesNothing() {
    QFETCH(int, tab);
    lagerzeile("01.01.2007", "Raps", 10);
    auto w = handelsfenster(QString::number(tab));
    QVERIFY(showActive(*w));
    schritt(w, "E Raps 5");
    const QStringList vorher = buchungen() + zeilen("select Menge from Einkauf");
    zeileohneid(tab == 0 ? *w->lieinkauf : *w->lihonig);
    if (tab == 2) eintragen(*w, lagerfelder, {"01.05.2007", "Raps", "7"});   // a purchase shows its own row
    messages().expect("Die Daten konnten nicht gespeichert werden.\r\n\r\nDer Datensatz hat keine gültige ID.");
    QTest::mouseClick(tab == 0 ? w->neueinkauf[1] : w->neu[1], Qt::LeftButton);
    QVERIFY(messages().allUsed());
    QCOMPARE(buchungen() + zeilen("select Menge from Einkauf"), vorher);
  }

  // The stock list is read again once the sale is committed: while it
  // loads, another connection can write the file.
  void stockListReadAfterTheCommit() {
    lagerzeile("01.01.2007", "Raps", 10);
    auto w = handelsfenster("1");
    QList<bool> frei;
    QObject::connect(w->lihonig, &ui::sevGrid::rowchange, [&] { frei << anderekönnenschreiben(); });
    verkaufen(*w, "Raps", "3");
    QCOMPARE(w->lihonig->rows(), 2);
    QVERIFY(!frei.isEmpty() && !frei.contains(false));
  }

  // Bookings made from the other tabs leave the stock tab on the record its
  // fields came from, so "&Ändern" there changes that record.
  void stockTabKeepsItsRecord() {
    lagerzeile("01.01.2007", "Raps", 10);
    lagerzeile("02.01.2007", "Linde", 4);
    auto w = handelsfenster("2");
    w->lihonig->setRow(1);
    w->lihonig_rowclick();
    QCOMPARE(w->sevt(1).text(), QString("Raps"));
    verkaufen(*w, "Linde", "1");
    QCOMPARE(w->lihonig->rows(), 3);
    QCOMPARE(w->lihonig->cell(w->lihonig->row(), "Produkt"), QString("Raps"));
    w->lschverkauf_click();
    QCOMPARE(w->lihonig->cell(w->lihonig->row(), "Produkt"), QString("Raps"));
    w->sevt(2).setText("12");
    w->neu_click(1);
    QCOMPARE(buchungen(), (QStringList{"1:01.01.2007|Raps|12|0|0", "2:02.01.2007|Linde|4|0|0"}));

    w->lihonig->setRow(2);   // a booked row that goes with its sale: no current row afterwards
    verkaufen(*w, "Raps", "1");
    w->lihonig->findrow("EVK_ID = " + w->liverkauf->cell(w->liverkauf->row(), "ID"));
    w->lschverkauf_click();
    QCOMPARE(w->lihonig->row(), 0);
    messages().expect("Bitte markieren Sie zuerst den Datensatz, den Sie ändern möchten!");
    w->neu_click(1);
    QVERIFY(messages().allUsed());
  }

  // A stock change keeps the number of the purchase or sale that booked it.
  void stockChangeKeepsBookingNumber() {
    lagerzeile("01.01.2007", "Raps", 10);
    auto w = handelsfenster("2");
    verkaufen(*w, "Raps", "3");
    w->lihonig->setRow(2);
    w->lihonig_rowclick();
    w->sevt(4).setText("Markt");
    w->neu_click(1);
    QCOMPARE(zeilen("select Abgang, Bemerkung, EVK_ID from Honiglager where ID = 2"), QStringList{"3|Markt|1"});
    w->neu_click(0);
    QCOMPARE(zeilen("select Abgang, Bemerkung, EVK_ID from Honiglager where ID = 3"), QStringList{"3|Markt|0"});
    w->löschen_click();   // a stock row's delete touches no sale
    QCOMPARE(anzahl("select count(*) from Verkauf"), 1);
    QCOMPARE(buchungen().size(), 2);
  }

  // The stock per product, sums with two decimals and no float noise.
  void stockPerProduct() {
    lagerzeile("01.01.2007", "Raps", 0.1);
    lagerzeile("02.01.2007", "Raps", 0.2);
    lagerzeile("02.01.2007", "Äpfelhonig", 5, 1.5);
    lagerzeile("03.01.2007", "Linde", -2);
    lagerzeile("04.01.2007", "Heide", 0.1);
    lagerzeile("04.01.2007", "Heide", 0.2);
    lagerzeile("05.01.2007", "Heide", 0, 0.3);
    auto w = handelsfenster("2");
    QCOMPARE(bestand(*w), QString("Äpfelhonig|3,50|1|5,00|1,50 / Heide|0,00|3|0,30|0,30 / Linde|-2,00|1|-2,00|0,00"
                                  " / Raps|0,30|2|0,30|0,00"));
    QCOMPARE(w->ligroup->column("Summe").align(), 1);
  }
};

ZEVO_TEST_MAIN(TestLagerbuchung)
#include "test_lagerbuchung.moc"
