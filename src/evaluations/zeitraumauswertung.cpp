#include "evaluations/zeitraumauswertung.h"

#include "common/fensterdienste.h"
#include "common/routinen.h"
#include "common/variablen.h"
#include "components/sevgrid.h"
#include "output/listenuebergabe.h"
#include "platform/runtime/mousepointer.h"
#include "platform/runtime/msgbox.h"
#include "platform/runtime/vb.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zevo::evaluations {

namespace {

using common::zeilenumbruch;

// A valid date text as "dd.mm.yyyy", so that the routines that read it by
// position see the day it names ("1.5.26" is the 1 May 2026).
QString tagestext(const QString& text) {
  if (const auto d = vb::parseDate(text)) return d->toString(QStringLiteral("dd.MM.yyyy"));
  return text;
}

}  // namespace

Zeitraumauswertung::Zeitraumauswertung(Zeitraumwerte werte, QWidget* parent)
    : vb::Form(werte.name, parent), werte_(std::move(werte)) {
  if (werte_.hilfethema.isEmpty()) werte_.hilfethema = werte_.name;
  setWindowTitle(werte_.caption);
  steuerelementeanlegen();
}

Zeitraumauswertung::~Zeitraumauswertung() = default;

void Zeitraumauswertung::steuerelementeanlegen() {
  auto* haupt = new QVBoxLayout(this);
  zusatz_ = new QVBoxLayout;
  haupt->addLayout(zusatz_);

  Frame1_2 = new QGroupBox(QStringLiteral("Auswertungszeitraum"), this);
  auto* zeitraum = new QGridLayout(Frame1_2);
  optibuch[0] = new QRadioButton(QStringLiteral("Alle Buchungen"), Frame1_2);
  optibuch[1] = new QRadioButton(QStringLiteral("Datum von"), Frame1_2);
  zeitraum->addWidget(optibuch[0], 0, 0, 1, 4);
  zeitraum->addWidget(optibuch[1], 1, 0);
  for (int i = 0; i < 2; ++i) {
    ui::sevText& f = tdat.add(i, Frame1_2);
    f.setFormat(2);
    f.setMask(QStringLiteral("dd.mm.yyyy"));
    f.setMaxlength(10);
    f.setFixedWidth(95);
  }
  Bezeichnung1 = new QLabel(QStringLiteral("bis"), Frame1_2);
  zeitraum->addWidget(&tdat(0), 1, 1);
  zeitraum->addWidget(Bezeichnung1, 1, 2);
  zeitraum->addWidget(&tdat(1), 1, 3);
  zeitraum->setColumnStretch(4, 1);
  optibuch[0]->setChecked(true);
  haupt->addWidget(Frame1_2);

  for (int i = 0; i < werte_.knöpfe.size(); ++i) {
    auto* knopf = new QPushButton(werte_.knöpfe[i], this);
    QObject::connect(knopf, &QPushButton::clicked, this, [this, i] { rolisten_Click(i); });
    rolisten << knopf;
    haupt->addWidget(knopf);
  }

  auto* unten = new QHBoxLayout;
  hilfe = new QPushButton(QStringLiteral("&Hilfe"), this);
  beenden = new QPushButton(QStringLiteral("&Schließen"), this);
  unten->addWidget(hilfe);
  unten->addStretch(1);
  unten->addWidget(beenden);
  haupt->addSpacing(6);
  haupt->addLayout(unten);
  QObject::connect(hilfe, &QPushButton::clicked, this, [this] { hilfe_Click(); });
  QObject::connect(beenden, &QPushButton::clicked, this, [this] { beenden_Click(); });
  QObject::connect(&tdat, &ui::sevTextArray::change, this, [this](int i) { tdat_Change(i); });

  gridli = new ui::sevGrid(this);
  gridli->hide();
  haupt->setSizeConstraint(QLayout::SetFixedSize);
}

void Zeitraumauswertung::Form_Load() {
  try {
    db_ = common::eigenedatenbank(true);
  } catch (const dao::Error& e) {
    common::fehlermelden(QStringLiteral("Das Fenster kann nicht geöffnet werden, weil die Datenbank nicht "
                                        "geöffnet werden konnte:"),
                         e.text());
    unload();
    return;
  }
  // The stored texts may be no dates at all (another window keeps lists of
  // fields in some of these entries): repair them where they are stored.
  QString& von = werte_.datumvon();
  QString& bis = werte_.datumbis();
  if (!vb::isDate(von)) von = QStringLiteral("01.01.") + common::heute.mid(6, 4);
  if (!vb::isDate(bis)) bis = common::heute;
  tdat(0).setText(von);
  tdat(1).setText(bis);
  // The choice after the dates: it wins over whatever setting them selected.
  optibuch[werte_.zeitraum() == 1 ? 1 : 0]->setChecked(true);
  weitereladen();
}

void Zeitraumauswertung::Form_Activate() { vb::setMousePointer(vb::vbDefault); }

void Zeitraumauswertung::tdat_Change(int) {
  if (werte_.datumwähltzeitraum) optibuch[1]->setChecked(true);
}

void Zeitraumauswertung::hilfe_Click() { common::hilfezeigen(werte_.hilfethema); }

void Zeitraumauswertung::beenden_Click() {
  rs_ = dao::Recordset();
  if (db_.isOpen()) db_.close();
  db_ = dao::Database();
  werte_.datumvon() = tdat(0).text();
  werte_.datumbis() = tdat(1).text();
  werte_.zeitraum() = optibuch[0]->isChecked() ? 0 : 1;
  weiterespeichern();
  unload();
}

bool Zeitraumauswertung::datumgeprüft() {
  if (!optibuch[1]->isChecked()) return true;
  QString gründe;
  const QString von = tdat(0).text(), bis = tdat(1).text();
  if (!vb::isDate(von) || !vb::isDate(bis))
    gründe = QStringLiteral("...die Datumangaben nicht korrekt sind.") + zeilenumbruch;
  else if (common::sortdatum(tagestext(von)) > common::sortdatum(tagestext(bis)))
    gründe = QStringLiteral("...das Datum von... kleiner sein muß als das Datum bis...") + zeilenumbruch;
  if (gründe.isEmpty()) return true;
  vb::msgbox(QStringLiteral("Die Auswertung kann nicht ausgeführt werden, weil...") + zeilenumbruch + zeilenumbruch +
             gründe);
  return false;
}

QString Zeitraumauswertung::datumsbedingung() const {
  if (optibuch[0]->isChecked()) return {};
  return QStringLiteral(" where Datum >= ") + common::sqldatum(tagestext(tdat(0).text())) +
         QStringLiteral(" and Datum <= ") + common::sqldatum(tagestext(tdat(1).text()));
}

void Zeitraumauswertung::rolisten_Click(int index) {
  if (!datumgeprüft()) return;
  vb::setMousePointer(vb::vbHourglass);
  try {
    auswerten(index, datumsbedingung());
  } catch (const dao::Error& e) {
    rs_ = dao::Recordset();
    gridli->lockupdate(false);
    common::fehlermelden(QStringLiteral("Die Auswertung konnte nicht ausgeführt werden, weil die Datenbank einen "
                                        "Fehler meldet:"),
                         e.text());
    return;
  }
  if (gridli->rows() == 0) {
    gridli->lockupdate(false);
    vb::msgbox(QStringLiteral("Keine Daten gefunden"));
  } else {
    output::listeübergeben(*gridli);
  }
  vb::setMousePointer(vb::vbDefault);
}

void Zeitraumauswertung::direktauswertung(const QString& sql) {
  rs_ = db_.openRecordset(sql);
  gridli->clear(true);
  gridli->lockupdate(true);
  output::Übernahme wie;
  wie.zahltypen = {dao::dbCurrency, dao::dbSingle, dao::dbDouble};
  wie.nachkomma = werte_.nachkomma;
  output::abfrageübernehmen(rs_, *gridli, wie);
  gridli->lockupdate(false);
  rs_.close();
}

void Zeitraumauswertung::kalenderauswertung(bool jahre, const QStringList& wertspalten,
                                            const std::function<QString(int n)>& abfrage,
                                            const std::function<QString(dao::Recordset& rs)>& zellen) {
  gridli->clear(true);
  gridli->lockupdate(true);
  gridli->addcolumn(QStringLiteral("1"), jahre ? QStringLiteral("Jahr") : QStringLiteral("Monat"), -1, 0, true, 1, 0);
  for (int i = 0; i < wertspalten.size(); ++i)
    gridli->addcolumn(QString::number(i + 2), wertspalten[i], -1, 1, true, 1, 1);
  const int jahr = common::heute.mid(6, 4).toInt();
  const int erster = jahre ? jahr - 10 : 1;
  const int letzter = jahre ? jahr : 12;
  for (int n = erster; n <= letzter; ++n) {
    rs_ = db_.openRecordset(abfrage(n));
    if (!rs_.eof()) gridli->additem(QString::number(n) + QLatin1Char('\t') + zellen(rs_));
    rs_.close();
  }
  gridli->lockupdate(false);
}

QString Zeitraumauswertung::kalenderabfrage(const QString& aggregat, const QString& bedingung, bool jahre, int n) {
  QString sql = aggregat + bedingung;
  sql += sql.contains(QLatin1String("where"), Qt::CaseSensitive) ? QStringLiteral(" and ") : QStringLiteral(" where ");
  sql += jahre ? QStringLiteral("year(Datum) =") : QStringLiteral("month(Datum) =");
  return sql + vb::str(n);
}

QString Zeitraumauswertung::kalenderzellen(dao::Recordset& rs, const QString& muster) {
  QString zeile = common::feldtext(rs.fields(0)) + QLatin1Char('\t');
  for (int i = 1; i < rs.fieldCount(); ++i) {
    const QString text = common::feldtext(rs.fields(i));
    zeile += (text.isEmpty() ? QString() : vb::format(text, muster)) + QLatin1Char('\t');
  }
  return zeile;
}

}  // namespace zevo::evaluations
