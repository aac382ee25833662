// The quality index of a site: points of the blooming plants by grade,
// share and nearness, raised by car, water and premium, with single
// precision where the index always had it and rounding half to even.
#include "sites/iw_standorte.h"
#include "sites/qualitaetsindex.h"
#include "support/testmain.h"

#include <QRegularExpression>

using namespace zevo;
using namespace zevo::sites;

namespace {

Pflanzeamstandort pf(double nektar, double pollen, double entfernung, double anteil,
                     const QString& von = "01.04.2006", const QString& bis = "30.04.2006") {
  Pflanzenwerte w;
  w.von = von;
  w.bis = bis;
  w.nektar = nektar;
  w.pollen = pollen;
  return {entfernung, anteil, w};
}

Qualitätsparameter par(std::initializer_list<double> p) {
  Qualitätsparameter q;
  int i = 0;
  for (double v : p) q.p[i++] = v;
  return q;
}

const Standortwerte ohnezuschlag{"N", 0, ""};

// The site and plants of the window's worked example.
const Standortwerte beispielstandort{"J", 300, "20"};
std::vector<Pflanzeamstandort> beispielpflanzen() {
  return {pf(0, 4, 300, 10), pf(6, 8, 200, 40), pf(4, 7, 800, 30), pf(7, 3, 100, 20)};
}

}  // namespace

Q_DECLARE_METATYPE(Standortwerte)
Q_DECLARE_METATYPE(std::vector<Pflanzeamstandort>)
Q_DECLARE_METATYPE(Qualitätsparameter)

class TestQualitaetsindex : public QObject {
  Q_OBJECT

private slots:
  void index_data() {
    QTest::addColumn<Standortwerte>("standort");
    QTest::addColumn<std::vector<Pflanzeamstandort>>("pflanzen");
    QTest::addColumn<QString>("datum");
    QTest::addColumn<Qualitätsparameter>("parameter");
    QTest::addColumn<qint64>("s");
    QTest::addColumn<qint64>("g");
    const Qualitätsparameter std = Qualitätsparameter{};
    using V = std::vector<Pflanzeamstandort>;

    QTest::newRow("worked example") << beispielstandort << beispielpflanzen() << "15.04.2026" << std
                                    << qint64(6313) << qint64(11744);
    // 100 x kE x 3 is 1.4999999 with a single kE; a double kE would give 2.
    QTest::newRow("single nearness factor") << ohnezuschlag << V{pf(3, 0, 2900, 0)} << "15.04.2026"
                                            << par({1, 0, 5, 15, 30, 50, 3}) << qint64(1) << qint64(1);
    // 10 x 5 / 100 x 55 + 55 = 82.5 goes to the even 82.
    QTest::newRow("share half to even") << ohnezuschlag << V{pf(4, 7, 0, 10)} << "15.04.2026" << std
                                        << qint64(82) << qint64(82);
    QTest::newRow("first bloom day") << ohnezuschlag << V{pf(2, 0, 0, 0)} << "01.04.2026" << std << qint64(10)
                                     << qint64(10);
    QTest::newRow("last bloom day") << ohnezuschlag << V{pf(2, 0, 0, 0)} << "30.04.2026" << std << qint64(10)
                                    << qint64(10);
    QTest::newRow("day before") << ohnezuschlag << V{pf(2, 0, 0, 0)} << "31.03.2026" << std << qint64(0)
                                << qint64(0);
    QTest::newRow("day after") << ohnezuschlag << V{pf(2, 0, 0, 0)} << "01.05.2026" << std << qint64(0)
                               << qint64(0);
    QTest::newRow("year of the bloom dates ignored")
        << ohnezuschlag << V{pf(2, 0, 0, 0, "15.03.2005", "30.04.2005")} << "01.04.2031" << std << qint64(10)
        << qint64(10);
    QTest::newRow("across the new year never")
        << ohnezuschlag << V{pf(2, 0, 0, 0, "01.11.2006", "28.02.2007")} << "15.12.2026" << std << qint64(0)
        << qint64(0);
    QTest::newRow("empty bloom date") << ohnezuschlag << V{pf(2, 0, 0, 0, "", "30.04.2006")} << "15.04.2026"
                                      << std << qint64(0) << qint64(0);
    QTest::newRow("plant not found") << ohnezuschlag << V{{100, 10, std::nullopt}} << "15.04.2026" << std
                                     << qint64(0) << qint64(0);
    QTest::newRow("0 m keeps the points") << ohnezuschlag << V{pf(6, 0, 0, 0)} << "15.04.2026" << std
                                          << qint64(30) << qint64(30);
    QTest::newRow("3000 m keeps the points") << ohnezuschlag << V{pf(6, 0, 3000, 0)} << "15.04.2026" << std
                                             << qint64(30) << qint64(30);
    QTest::newRow("2999 m almost nothing") << ohnezuschlag << V{pf(6, 0, 2999, 0)} << "15.04.2026" << std
                                           << qint64(0) << qint64(0);
    QTest::newRow("same plant twice") << ohnezuschlag << V{pf(6, 0, 0, 0), pf(6, 0, 0, 0)} << "15.04.2026"
                                      << std << qint64(60) << qint64(60);
    QTest::newRow("no points, no site factors") << beispielstandort << V{pf(0, 0, 100, 50)} << "15.04.2026"
                                                << std << qint64(0) << qint64(0);
    QTest::newRow("lower-case j is no car") << Standortwerte{"j", 0, ""} << V{pf(20, 0, 0, 0)} << "15.04.2026"
                                            << std << qint64(100) << qint64(100);
    QTest::newRow("car") << Standortwerte{"J", 0, ""} << V{pf(20, 0, 0, 0)} << "15.04.2026" << std
                         << qint64(100) << qint64(130);
    QTest::newRow("water at 0 m") << Standortwerte{"N", 0, ""} << V{pf(20, 0, 0, 0)} << "15.04.2026" << std
                                  << qint64(100) << qint64(100);
    QTest::newRow("water at 1000 m") << Standortwerte{"N", 1000, ""} << V{pf(20, 0, 0, 0)} << "15.04.2026"
                                     << std << qint64(100) << qint64(100);
    // w = 49.95: 149.95 rounds to 150.
    QTest::newRow("water at 1 m") << Standortwerte{"N", 1, ""} << V{pf(20, 0, 0, 0)} << "15.04.2026" << std
                                  << qint64(100) << qint64(150);
    // q = 12.5 / 10 x 3 = 3.75: 103.75 rounds to 104.
    QTest::newRow("premium 12,50") << Standortwerte{"N", 0, "12,50"} << V{pf(20, 0, 0, 0)} << "15.04.2026"
                                   << std << qint64(100) << qint64(104);
    // Only a positive weight, share or plant sum takes its step (a hand-edited
    // settings file can hold a negative parameter).
    QTest::newRow("negative weights skip their steps")
        << Standortwerte{"N", 300, "20"} << V{pf(4, 2, 300, 10)} << "15.04.2026" << par({5, 5, -5, -15, 30, -50, -3})
        << qint64(30) << qint64(30);
    QTest::newRow("a negative share skips its step") << ohnezuschlag << V{pf(2, 0, 0, -10)} << "15.04.2026" << std
                                                     << qint64(10) << qint64(10);
    QTest::newRow("a negative plant sum gets no site factors")
        << Standortwerte{"J", 300, "20"} << V{pf(4, 0, 0, 0)} << "15.04.2026" << par({-5, 5, 5, 15, 30, 50, 3})
        << qint64(-20) << qint64(-20);
    QTest::newRow("emptied parameters skip their steps")
        << beispielstandort << V{pf(3, 4, 300, 10)} << "15.04.2026"
        << Qualitätsparameter::ausTexten({"", "5", "", "", "", "", ""}) << qint64(20) << qint64(20);
  }

  void index() {
    QFETCH(Standortwerte, standort);
    QFETCH(std::vector<Pflanzeamstandort>, pflanzen);
    QFETCH(QString, datum);
    QFETCH(Qualitätsparameter, parameter);
    QFETCH(qint64, s);
    QFETCH(qint64, g);
    const Indexergebnis e = qualitätsindex(standort, pflanzen, datum, parameter);
    QCOMPARE(e.punktepflanze, s);
    QCOMPARE(e.punktegesamt, g);
    QCOMPARE(e.punktestandort, g - s);
    QVERIFY(!e.überlauf);
  }

  // Sums and differences beyond 64 bits are flagged before they would wrap.
  void overflowIsReported_data() {
    QTest::addColumn<Standortwerte>("standort");
    QTest::addColumn<std::vector<Pflanzeamstandort>>("pflanzen");
    QTest::addColumn<Qualitätsparameter>("parameter");
    QTest::addColumn<bool>("überlauf");
    const std::vector<Pflanzeamstandort> zehn{pf(10, 10, 0, 100)}, riesig{pf(2e17, 0, 0, 0)};
    QTest::newRow("parameters near 999") << Standortwerte{"J", 1, "99999"} << zehn
                                         << par({999, 999, 10, 30, 999, 999, 999}) << true;
    QTest::newRow("same site, standard parameters") << Standortwerte{"J", 1, "99999"} << zehn << Qualitätsparameter{}
                                                    << false;
    QTest::newRow("plant sum beyond 64 bits") << ohnezuschlag << std::vector{pf(1e18, 0, 0, 0), pf(1e18, 0, 0, 0)}
                                              << Qualitätsparameter{} << true;
    QTest::newRow("site points beyond 64 bits") << Standortwerte{"J", 0, ""} << riesig
                                                << par({5, 5, 5, 15, -1000, 50, 3}) << true;
  }
  void overflowIsReported() {
    QFETCH(Standortwerte, standort);
    QFETCH(std::vector<Pflanzeamstandort>, pflanzen);
    QFETCH(Qualitätsparameter, parameter);
    QFETCH(bool, überlauf);
    QCOMPARE(qualitätsindex(standort, pflanzen, "15.04.2026", parameter).überlauf, überlauf);
  }

  // The worked example in the evaluation window is what the computation gives.
  void exampleTextAgreesWithTheComputation() {
    Indexrechenweg weg;
    const Indexergebnis e = qualitätsindex(beispielstandort, beispielpflanzen(), "15.04.2026", {}, &weg);
    const QStringList zeilen = IW_Standorte::berechnungsbeispiel().split('\n');
    const auto beispiel = beispielpflanzen();
    for (int i = 0; i < 4; ++i) {
      const QString kopf = QString("   %1 ").arg(i + 1);
      const auto it = std::find_if(zeilen.begin(), zeilen.end(), [&](const QString& z) { return z.startsWith(kopf); });
      QVERIFY2(it != zeilen.end(), qPrintable(kopf));
      const QStringList zahlen = it->simplified().split(' ');
      QCOMPARE(zahlen.size(), 8);
      QCOMPARE(zahlen[1].toDouble(), beispiel[i].pflanze->nektar);
      QCOMPARE(zahlen[2].toDouble(), beispiel[i].pflanze->pollen);
      QCOMPARE(zahlen[3].toDouble(), beispiel[i].entfernung);
      QCOMPARE(zahlen[4].toDouble(), beispiel[i].anteil);
      QCOMPARE(zahlen[5].toLongLong(), weg.pflanzen[i].grund);
      QCOMPARE(zahlen[6].toLongLong(), weg.pflanzen[i].anteil);
      QCOMPARE(zahlen[7].toLongLong(), weg.pflanzen[i].nähe);
    }
    const QString text = IW_Standorte::berechnungsbeispiel();
    auto komma = [](double v, int stellen) { return QString::number(v, 'f', stellen).replace('.', ','); };
    auto zahlnach = [&](const QString& muster) {
      const QRegularExpressionMatch m = QRegularExpression(muster).match(text);
      return m.hasMatch() ? m.captured(1) : QString("fehlt: " + muster);
    };
    QCOMPARE(zahlnach(R"(S =\s+(\d+))"), QString::number(e.punktepflanze));
    QCOMPARE(zahlnach(R"(=\s+(8206,9))"), komma(weg.pkwroh, 1));
    QCOMPARE(zahlnach(R"(8206,9\s+->\s+(\d+))"), QString::number(weg.nachpkw));
    QCOMPARE(zahlnach(R"(= (\d+) %:\n  35)"), QString::number(weg.w));
    QCOMPARE(zahlnach(R"(=\s+(11079,45))"), komma(weg.wasserroh, 2));
    QCOMPARE(zahlnach(R"(11079,45\s+->\s+(\d+))"), QString::number(weg.nachwasser));
    QCOMPARE(zahlnach(R"(=\s+(11743,74))"), komma(weg.prämieroh, 2));
    QCOMPARE(zahlnach(R"(11743,74\s+->\s+(\d+))"), QString::number(weg.nachprämie));
    QCOMPARE(zahlnach(R"(Punkte_Pflanze\s+(\d+))"), QString::number(e.punktepflanze));
    QCOMPARE(zahlnach(R"(Punkte_Standort\s+(\d+))"), QString::number(e.punktestandort));
    QCOMPARE(zahlnach(R"(Punkte_Gesamt\s+(\d+))"), QString::number(e.punktegesamt));
  }
};

ZEVO_TEST_MAIN(TestQualitaetsindex)
#include "test_qualitaetsindex.moc"
