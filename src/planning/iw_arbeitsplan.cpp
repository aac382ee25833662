#include "planning/iw_arbeitsplan.h"

#include "common/einstellungen.h"
#include "common/fensterdienste.h"
#include "common/routinen.h"
#include "common/variablen.h"
#include "components/sevgrid.h"
#include "components/sevtext.h"
#include "output/listenuebergabe.h"
#include "planning/planungsdienste.h"
#include "platform/runtime/mousepointer.h"
#include "platform/runtime/msgbox.h"
#include "platform/runtime/vb.h"
#include "platform/runtime/widgets.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zevo::planning {

namespace {

using common::feldtext;
using common::zeilenumbruch;

const char* const wochentage[] = {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};   // Sunday first
const int wochentagezahl[] = {6, 13, 20, 27, 55};

}  // namespace

IW_Arbeitsplan::IW_Arbeitsplan() : vb::Form(QStringLiteral("IW_Arbeitsplan")) {
  setWindowTitle(QStringLiteral("Arbeitspläne berechnen (nur volkabhängige Termine)"));
  steuerelementeanlegen();
}

void IW_Arbeitsplan::steuerelementeanlegen() {
  auto* zeitraum = new QGroupBox(QStringLiteral("Berechnungszeitraum ab..."), this);
  tdat = new ui::sevText(0, zeitraum);
  tdat->setFormat(2);
  tdat->setMask(QStringLiteral("dd.mm.yyyy"));
  tdat->setMaxlength(10);
  tdat->setFixedWidth(95);
  connect(tdat, &ui::sevText::lostfocus, this, [this] { tdat_lostfocus(); });
  Bezeichnung1 = new QLabel(QStringLiteral("bis"), zeitraum);
  const char* const wochen[] = {"&1 Woche", "&2 Wochen", "&3 Wochen", "&4 Wochen", "&8 Wochen"};
  auto* zeitraumlayout = new QGridLayout(zeitraum);
  zeitraumlayout->addWidget(tdat, 0, 0);
  zeitraumlayout->addWidget(Bezeichnung1, 0, 1, 1, 2);
  for (int i = 0; i < 5; ++i) {
    woche[i] = new QPushButton(QString::fromUtf8(wochen[i]), zeitraum);
    connect(woche[i], &QPushButton::clicked, this, [this, i] { woche_Click(i); });
    zeitraumlayout->addWidget(woche[i], 1 + i / 3, i % 3);
  }

  const char* const felder[] = {"Volknummer", "Volkname", "Aktueller Standort"};
  auto* spalten = new QGroupBox(QStringLiteral("Zu Listende Datenfelder"), this);
  auto* spaltenlayout = new QVBoxLayout(spalten);
  auto* sortierung = new QGroupBox(QStringLiteral("Sortierung nach..."), this);
  auto* sortierlayout = new QVBoxLayout(sortierung);
  for (int i = 0; i < 3; ++i) {
    kon[i] = new QCheckBox(QString::fromUtf8(felder[i]), spalten);
    kon[i]->setChecked(true);
    spaltenlayout->addWidget(kon[i]);
    optisort[i] = new QRadioButton(QString::fromUtf8(felder[i]), sortierung);
    sortierlayout->addWidget(optisort[i]);
  }
  optisort[0]->setChecked(true);

  auto* zeichen = new QGroupBox(QStringLiteral("Zeichen der tabellarischen Liste"), this);
  auto* zeichenlayout = new QGridLayout(zeichen);
  const char* const zeichentexte[] = {"= Anzeige bei vorhandenem Termin (nur tabellarische Liste)",
                                      "= Anzeige bei freiem Termin (nur tabellarische Liste)"};
  for (int i = 0; i < 2; ++i) {
    t[i] = new QLineEdit(zeichen);
    t[i]->setMaxLength(1);
    t[i]->setFixedWidth(30);
    t[i]->setAlignment(Qt::AlignCenter);
    t[i]->installEventFilter(this);
    zeichenlayout->addWidget(t[i], i, 0);
    zeichenlayout->addWidget(new QLabel(QString::fromUtf8(zeichentexte[i]), zeichen), i, 1);
  }
  t[0]->setText(QStringLiteral("X"));

  auto* berechnen = new QGroupBox(QStringLiteral("Termine berechnen"), this);
  auto* berechnenlayout = new QVBoxLayout(berechnen);
  ok[0] = new QPushButton(QStringLiteral("Termin-&Liste"), berechnen);
  ok[1] = new QPushButton(QStringLiteral("&Tabellarische Liste"), berechnen);
  meter = new vb::ProgressBar(berechnen);
  meter->hide();
  for (int i = 0; i < 2; ++i) {
    connect(ok[i], &QPushButton::clicked, this, [this, i] { ok_Click(i); });
    berechnenlayout->addWidget(ok[i]);
  }
  berechnenlayout->addWidget(meter);

  comarbplanoptionen = new QPushButton(QStringLiteral("Arbeitsplan-Optionen"), this);
  hilfe = new QPushButton(QStringLiteral("&Hilfe"), this);
  beenden = new QPushButton(QStringLiteral("&Schließen"), this);
  connect(comarbplanoptionen, &QPushButton::clicked, this, [this] { comarbplanoptionen_Click(); });
  connect(hilfe, &QPushButton::clicked, this, [this] { hilfe_Click(); });
  connect(beenden, &QPushButton::clicked, this, [this] { beenden_Click(); });
  gridli = new ui::sevGrid(this);
  gridli->hide();

  auto* links = new QVBoxLayout;
  links->addWidget(zeitraum);
  links->addWidget(spalten);
  links->addWidget(sortierung);
  auto* rechts = new QVBoxLayout;
  rechts->addWidget(zeichen);
  rechts->addWidget(berechnen);
  rechts->addStretch(1);
  auto* oben = new QHBoxLayout;
  oben->addLayout(links);
  oben->addLayout(rechts);
  auto* unten = new QHBoxLayout;
  unten->addWidget(comarbplanoptionen);
  unten->addStretch(1);
  unten->addWidget(hilfe);
  unten->addWidget(beenden);
  auto* ganz = new QVBoxLayout(this);
  ganz->addLayout(oben);
  ganz->addLayout(unten);
}

// --- life cycle ---------------------------------------------------------------------

void IW_Arbeitsplan::Form_Load() {
  const int sortierung = common::arbeitsplansortierung();
  optisort[sortierung >= 0 && sortierung <= 2 ? sortierung : 0]->setChecked(true);
  for (int i = 0; i < 3; ++i) {
    const int wert = common::arbeitsplanspalten(i);
    if (wert == 0 || wert == 1) kon[i]->setChecked(wert == 1);
  }
  if (!common::arbeitsplanzeichen(0).isEmpty()) t[0]->setText(common::arbeitsplanzeichen(0));
  t[1]->setText(common::arbeitsplanzeichen(1));
  tdat->setText(common::heute);
  if (common::arbeitsplanzeitraum() < 6) common::arbeitsplanzeitraum() = 6;
  bisdatumsetzen(common::heutedatum());
  try {
    db_ = common::eigenedatenbank(true);
  } catch (const dao::Error& e) {
    common::fehlermelden("Die Arbeitspläne können nicht berechnet werden.", e.text());
    unload();
  }
}

void IW_Arbeitsplan::Form_Activate() { vb::setMousePointer(vb::vbDefault); }

void IW_Arbeitsplan::Form_Unload(bool&) {
  if (db_.isOpen()) db_.close();
}

void IW_Arbeitsplan::beenden_Click() {
  for (int i = 0; i < 3; ++i)
    if (optisort[i]->isChecked()) common::arbeitsplansortierung() = i;
  for (int i = 0; i < 3; ++i) common::arbeitsplanspalten(i) = kon[i]->isChecked() ? 1 : 0;
  common::arbeitsplanzeichen(0) = t[0]->text();
  common::arbeitsplanzeichen(1) = t[1]->text();
  unload();
}

void IW_Arbeitsplan::hilfe_Click() { common::hilfezeigen(formName()); }

void IW_Arbeitsplan::comarbplanoptionen_Click() {
  vb::setMousePointer(vb::vbHourglass);
  vb::showForm(QStringLiteral("IV_Arplanoptionen"));
  vb::msgbox(QStringLiteral("Falls Sie Änderungen in den Arbeitsplanoptionen vorgenommen haben, dann schließen Sie "
                            "bitte dieses Modul und öffnen Sie es wieder, damit der Datenbestand wieder geladen wird!"));
}

bool IW_Arbeitsplan::eventFilter(QObject* o, QEvent* e) {
  for (QLineEdit* feld : t) {
    if (o != feld) continue;
    if (e->type() == QEvent::FocusIn) {
      feld->selectAll();
    } else if (e->type() == QEvent::KeyPress) {
      const int taste = static_cast<QKeyEvent*>(e)->key();
      if (taste == Qt::Key_Return || taste == Qt::Key_Enter) {
        focusNextChild();   // Enter moves on as Tab does
        return true;
      }
    }
  }
  return vb::Form::eventFilter(o, e);
}

// --- the period ---------------------------------------------------------------------------

void IW_Arbeitsplan::bisdatumsetzen(const QDate& start) {
  bisdatum_ = datumtext(start.addDays(common::arbeitsplanzeitraum()));
  Bezeichnung1->setText("bis " + bisdatum_);
}

void IW_Arbeitsplan::woche_Click(int index) {
  if (index < 0 || index > 4) return;
  common::arbeitsplanzeitraum() = wochentagezahl[index];
  if (const auto start = datumaustext(tdat->text())) bisdatumsetzen(*start);
}

void IW_Arbeitsplan::tdat_lostfocus() {
  tdat->setText(common::datumergänzen(tdat->text()));
  if (const auto start = datumaustext(tdat->text())) bisdatumsetzen(*start);
}

// --- listing --------------------------------------------------------------------------------

QString IW_Arbeitsplan::abfrage(int index) const {
  QString sql = QStringLiteral("select Datum");
  if (kon[0]->isChecked()) sql += QStringLiteral(", Volknr");
  if (kon[1]->isChecked()) sql += QStringLiteral(", Volkname");
  if (kon[2]->isChecked()) sql += QStringLiteral(", Standort");
  sql += ", Termin from Bienenvolk, Termine where Volk = Bienenvolk.ID and Erledigt = 'N' and Akt_im_Bestand = 'X' "
         "and Datum >= " +
         common::sqldatum(datumtext(*datumaustext(tdat->text()))) + " and Datum <= " + common::sqldatum(bisdatum_) +
         " order by ";
  if (index == 0) return sql + QStringLiteral("Datum");
  if (optisort[1]->isChecked()) return sql + QStringLiteral("Volkname, Volknr");
  if (optisort[2]->isChecked()) return sql + QStringLiteral("Standort, Volknr");
  return sql + QStringLiteral("Volknr");
}

void IW_Arbeitsplan::ok_Click(int index) {
  if (index != 0 && index != 1) return;
  // An access key presses the button while the start field keeps the focus:
  // the field is completed first, so the start and the end agree.
  if (tdat->editor()->hasFocus()) tdat_lostfocus();
  if (index == 1) {
    if (vb::trim(t[0]->text()).isEmpty()) t[0]->setText(QStringLiteral("X"));
    if (vb::trim(t[1]->text()).isEmpty()) t[1]->setText(QStringLiteral(" "));
    if (t[0]->text() == t[1]->text()) {
      vb::msgbox(QStringLiteral("Sie dürfen keinesfalls für die vorhandenen und freien Termine das gleiche Zeichen "
                                "verwenden. Zevo ersetzt deshalb Ihre Angaben durch Standard-Werte."));
      t[0]->setText(QStringLiteral("X"));
      t[1]->setText(QStringLiteral(" "));
    }
  }
  QString gründe;
  if (!datumaustext(tdat->text())) gründe += "...die Berechnungszeiträume falsche Datumangaben enthalten." + zeilenumbruch;
  if (index == 1 && common::arbeitsplanzeitraum() == 55)
    gründe += "...der tabellarische Arbeitsplan kann nur für 1 bis 4 Wochen (nicht für 8 Wochen) erstellt werden." +
              zeilenumbruch;
  if (!gründe.isEmpty()) {
    vb::msgbox("Die Arbeitspläne können nicht berechnet werden, weil..." + zeilenumbruch + zeilenumbruch + gründe);
    return;
  }
  if (!kon[0]->isChecked() && !kon[1]->isChecked() && !kon[2]->isChecked())
    for (QCheckBox* k : kon) k->setChecked(true);

  dao::Recordset rs;
  try {
    rs = db_.openRecordset(abfrage(index));
  } catch (const dao::Error& e) {
    common::fehlermelden("Die Termine können nicht gelesen werden.", e.text());
    return;
  }
  if (rs.eof()) {
    rs.close();
    vb::msgbox(QStringLiteral("Es wurden lt. den aktuellen Einstellungen keine Termine gefunden!"));
    return;
  }
  meter->setMax(rs.recordCount());
  meter->setValue(0);
  meter->show();
  vb::setMousePointer(vb::vbHourglass);
  gridli->clear(true);
  gridli->lockupdate(true);
  if (index == 0) liste(rs);
  else tabelle(rs);
  vb::setMousePointer(vb::vbDefault);
  meter->setValue(0);
  meter->hide();
  rs.close();
  gridli->lockupdate(false);
  if (gridli->rows() == 0) {
    vb::msgbox(QStringLiteral("Keine zu listenden Daten gefunden"));
    return;
  }
  if (index == 1) kopfzeileneinfügen();
  output::listeübergeben(*gridli);
}

void IW_Arbeitsplan::liste(dao::Recordset& rs) {
  output::Übernahme wie;
  wie.zahltypen = {};
  meter->setValue(output::abfrageübernehmen(rs, *gridli, wie));
  gridli->column(QStringLiteral("Termin")).setWidth(3000);
  if (const int c = gridli->colIndex(QStringLiteral("Standort")); c > 0) gridli->column(c).setWidth(2400);
}

void IW_Arbeitsplan::tabelle(dao::Recordset& rs) {
  const bool spalte[3] = {kon[0]->isChecked(), kon[1]->isChecked(), kon[2]->isChecked()};
  const int n = spalte[0] + spalte[1] + spalte[2];
  kopfzeilen_ = QStringList(4, QString(n, QLatin1Char('\t')));
  if (spalte[0]) gridli->addcolumn(QStringLiteral("Volknr"), QStringLiteral("Volknummer"));
  if (spalte[1]) gridli->addcolumn(QStringLiteral("Volkname"), QStringLiteral("Volkname"));
  if (spalte[2]) {
    gridli->addcolumn(QStringLiteral("Standort"), QStringLiteral("Standort"));
    gridli->column(QStringLiteral("Standort")).setWidth(2400);   // a site name read whole
  }

  const QDate start = *datumaustext(tdat->text());
  const QDate bis = datumaustext(bisdatum_).value_or(start);
  int tage = 0;
  QDate d = start;
  do {
    kopfzeilen_[0] += QString::fromLatin1(wochentage[d.dayOfWeek() % 7]) + '\t';
    kopfzeilen_[1] += d.toString(QStringLiteral("dd")) + '\t';
    kopfzeilen_[2] += d.toString(QStringLiteral("MM")) + '\t';
    kopfzeilen_[3] += d.toString(QStringLiteral("yy")) + '\t';
    d = d.addDays(1);
    ++tage;
    gridli->addcolumn(QString::number(tage), QStringLiteral("WT"));
  } while (d <= bis);
  gridli->addcolumn(QStringLiteral("termin"), QStringLiteral("Termin"));
  gridli->column(QStringLiteral("termin")).setWidth(3000);
  for (int c = n + 1; c <= gridli->cols() - 1; ++c) {
    gridli->column(c).setAlign(2);
    gridli->column(c).setWidth(450);
  }

  const QString vorhanden = t[0]->text(), frei = t[1]->text();
  int zähler = 0;
  for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
    QString zeile;
    if (spalte[0]) zeile += feldtext(rs["Volknr"]) + '\t';
    if (spalte[1]) zeile += feldtext(rs["Volkname"]) + '\t';
    if (spalte[2]) zeile += feldtext(rs["Standort"]) + '\t';
    const qint64 k = start.daysTo(rs["Datum"].value().toDate());
    for (int j = 0; j < tage; ++j) zeile += (j == k ? vorhanden : frei) + '\t';
    zeile += feldtext(rs["Termin"]) + '\t';
    gridli->additem(zeile);
    meter->setValue(++zähler);
  }
}

void IW_Arbeitsplan::kopfzeileneinfügen() {
  gridli->additem(QString(), 1);
  for (int i = 3; i >= 0; --i) gridli->additem(kopfzeilen_[i], 1);
}

}  // namespace zevo::planning
