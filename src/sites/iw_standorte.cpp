#include "sites/iw_standorte.h"

#include "common/einstellungen.h"
#include "common/fensterdienste.h"
#include "common/routinen.h"
#include "common/variablen.h"
#include "components/sevgrid.h"
#include "output/listenuebergabe.h"
#include "platform/runtime/mousepointer.h"
#include "platform/runtime/msgbox.h"
#include "platform/runtime/vb.h"
#include "platform/runtime/widgets.h"
#include "sites/qualitaetsindex.h"

#include <QFont>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zevo::sites {

namespace {

using common::feldtext;
using common::zeilenumbruch;

struct Parameterfeld {
  const char* caption;
  const char* einheit;
  int min, max, länge;
};

const Parameterfeld parameterfelder[7] = {
    {"Nektarstufe (1..10) multipliziert mit...", "Punkte(n)", 0, 10, 2},
    {"Pollenstufe (1..10) multipliziert mit...", "Punkte(n)", 0, 10, 2},
    {"Mulitplikator Prozentualer Anteil bei 100% ", "", 1, 10, 2},
    {"Mulitplikator von 1 m bis 3 km Entfernung", "", 1, 30, 2},
    {"PKW-Anfahrbar = Erhöhung um", "%", 0, 999, 3},
    {"Entfernung Wasser 1 m bis 1 km max", "%", 0, 999, 3},
    {"Standortprämie je 10 Euro von", "%", 0, 999, 3},
};
constexpr int feldDatum = 7;

const char* const knopftexte[6] = {
    "Standorte listen",
    "Pflanzen listen",
    "Pflanzen je Standort listen",
    "Max-Völker / Ist-Völker je Standort",
    "Qualitäts-Index je Standort berechnen lt. den Qualitätsparametern bezogen auf das Datum...",
    "Qualitäts-Index mit den Qualitätsparametern je Standort ab März bis September in 7-Tage-Abstand berechnen",
};

const QString keinedaten = QStringLiteral("Es wurden lt. den aktuellen Einstellungen keine Daten gefunden!");

QString ganzzahltext(qint64 n) { return QString::number(n); }

void textspalte(ui::sevGrid& g, const QString& key, const QString& caption) {
  g.addcolumn(key, caption, -1, 0, true, 1, 0);
}
void zahlspalte(ui::sevGrid& g, const QString& key, const QString& caption) {
  g.addcolumn(key, caption, -1, 1, true, 1, 1);
}

}  // namespace

IW_Standorte::IW_Standorte(QWidget* parent) : vb::Form(QStringLiteral("IW_Standorte"), parent) {
  setWindowTitle(QStringLiteral("Standorte / Pflanzen auswerten"));
  steuerelementeanlegen();
}

IW_Standorte::~IW_Standorte() = default;

QString IW_Standorte::berechnungsbeispiel() {
  return QStringLiteral(
      "Ein Standort mit vier Pflanzen, die am Stichtag alle blühen,\n"
      "berechnet mit den Standard-Parametern 5 - 5 - 5 - 15 - 30 - 50 - 3.\n"
      "\n"
      "Pflanze  Nektar Pollen Entf.m Anteil%  Schritt1 Schritt2 Schritt3\n"
      "   1        0      4     300     10        20       30      405\n"
      "   2        6      8     200     40        70      210     2940\n"
      "   3        4      7     800     30        55      138     1518\n"
      "   4        7      3     100     20        50      100     1450\n"
      "\n"
      "Schritt 1: Nektarstufe x 5 + Pollenstufe x 5\n"
      "Schritt 2: Anteil% x 5 / 100 x Punkte + Punkte\n"
      "           (gerundet; 137,5 ergibt 138)\n"
      "Schritt 3: (3000 - Entfernung m) x 15 / 3000 x Punkte\n"
      "           (gerundet)\n"
      "\n"
      "Summe der Pflanzen                    S =     6313\n"
      "\n"
      "PKW anfahrbar (J), Erhöhung um 30 %:\n"
      "  6313 x 30 / 100 + 6313     =   8206,9  ->   8207\n"
      "Wasser 300 m entfernt, (1000 - 300) x 50 / 1000 = 35 %:\n"
      "  35 x 8207 / 100 + 8207     = 11079,45  ->  11079\n"
      "Standortprämie 20 Euro, 20 / 10 x 3 = 6 %:\n"
      "  6 x 11079 / 100 + 11079    = 11743,74  ->  11744\n"
      "\n"
      "Punkte_Pflanze      6313\n"
      "Punkte_Standort     5431\n"
      "Punkte_Gesamt      11744\n");
}

void IW_Standorte::steuerelementeanlegen() {
  auto* rahmen0 = new QGroupBox(this);
  auto* rahmen1 = new QGroupBox(this);
  auto* form0 = new QVBoxLayout(rahmen0);
  auto* form1 = new QVBoxLayout(rahmen1);
  bezhieb[0] = new QLabel(QStringLiteral("Qualitätsparameter Pflanzenabhängig"), this);
  bezhieb[1] = new QLabel(QStringLiteral("Qualitätsparameter Standortabhängig"), this);
  bezhieb[2] = new QLabel(QStringLiteral("Berechnungsbeispiel für den Qualitäts-Index je Standort"), this);
  for (QLabel* l : bezhieb) {
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
  }
  for (int i = 0; i < 7; ++i) {
    const Parameterfeld& p = parameterfelder[i];
    ui::sevText& f = sevt.add(i, i < 4 ? rahmen0 : rahmen1);
    f.setCaption(QString::fromUtf8(p.caption));
    // A blank keeps the place of the unit where a field has none, so that the fields line up.
    f.setUnitdescr(*p.einheit ? QString::fromUtf8(p.einheit) : QStringLiteral(" "));
    f.setTexttype(1);
    f.setNumbertype(7);
    f.setMin(p.min);
    f.setMax(p.max);
    f.setMaxlength(p.länge);
    f.setTextalign(1);
    f.captionLabel()->setMinimumWidth(290);
    f.editor()->setFixedWidth(50);
    f.unitLabel()->setFixedWidth(70);
    // The standard question speaks of the green fields.
    f.editor()->setStyleSheet(QStringLiteral("QLineEdit { background-color: #c8f0c8; }"));
    (i < 4 ? form0 : form1)->addWidget(&f);
  }
  ui::sevText& datum = sevt.add(feldDatum, this);
  datum.setFormat(2);
  datum.setMask(QStringLiteral("dd.mm.yyyy"));
  datum.setMaxlength(10);
  datum.editor()->setFixedWidth(95);

  Text1 = new QPlainTextEdit(this);
  Text1->setReadOnly(true);
  QFont courier(QStringLiteral("Courier New"));
  courier.setStyleHint(QFont::Monospace);
  courier.setPointSize(9);
  Text1->setFont(courier);
  Text1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Text1->setPlainText(berechnungsbeispiel());
  Text1->setMinimumSize(560, 430);

  for (int i = 0; i < 6; ++i) {
    rolisten[i] = new QPushButton(QString::fromUtf8(knopftexte[i]), this);
    rolisten[i]->setStyleSheet(QStringLiteral("text-align: left; padding: 3px 8px;"));
    connect(rolisten[i], &QPushButton::clicked, this, [this, i] { rolisten_click(i); });
  }
  standardparameter = new QPushButton(QStringLiteral("Standard-&Parameter setzen"), this);
  hilfe = new QPushButton(QStringLiteral("&Hilfe"), this);
  beenden = new QPushButton(QStringLiteral("&Schließen"), this);
  connect(standardparameter, &QPushButton::clicked, this, [this] { standardparameter_click(); });
  connect(hilfe, &QPushButton::clicked, this, [this] { hilfe_click(); });
  connect(beenden, &QPushButton::clicked, this, [this] { beenden_click(); });

  gridli = new ui::sevGrid(this);
  gridli->hide();
  meter = new vb::ProgressBar(this);
  meter->hide();

  auto* links = new QVBoxLayout;
  links->addWidget(bezhieb[0]);
  links->addWidget(rahmen0);
  links->addWidget(bezhieb[1]);
  links->addWidget(rahmen1);
  links->addWidget(standardparameter, 0, Qt::AlignLeft);
  links->addStretch(1);
  auto* rechts = new QVBoxLayout;
  rechts->addWidget(bezhieb[2]);
  rechts->addWidget(Text1, 1);
  auto* oben = new QHBoxLayout;
  oben->addLayout(links);
  oben->addLayout(rechts, 1);

  auto* listen = new QGridLayout;
  for (int i = 0; i < 4; ++i) listen->addWidget(rolisten[i], i / 2, i % 2);
  auto* datumszeile = new QHBoxLayout;
  datumszeile->addWidget(rolisten[4], 1);
  datumszeile->addWidget(&datum);
  listen->addLayout(datumszeile, 2, 0, 1, 2);
  listen->addWidget(rolisten[5], 3, 0, 1, 2);

  auto* knöpfe = new QHBoxLayout;
  knöpfe->addWidget(meter, 1);
  knöpfe->addStretch(0);
  knöpfe->addWidget(hilfe);
  knöpfe->addWidget(beenden);

  auto* ganz = new QVBoxLayout(this);
  ganz->addLayout(oben, 1);
  ganz->addLayout(listen);
  ganz->addLayout(knöpfe);
  ganz->addWidget(gridli);
}

void IW_Standorte::Form_Load() {
  try {
    db_ = common::eigenedatenbank(true);
  } catch (const dao::Error& e) {
    common::fehlermelden("Die Standorte können nicht ausgewertet werden.", e.text());
    unload();
    return;
  }
  for (int i = 0; i < 7; ++i) {
    if (common::qualitätsparameter(i) == 0) common::qualitätsparameter(i) = standardwerte[i];
    sevt(i).setText(QString::number(common::qualitätsparameter(i)));
  }
  sevt(feldDatum).setText(common::heute);
}

void IW_Standorte::Form_Activate() { vb::setMousePointer(vb::vbDefault); }

void IW_Standorte::Form_Unload(bool&) {
  if (db_.isOpen()) db_.close();
}

void IW_Standorte::hilfe_click() { common::hilfezeigen(formName()); }

void IW_Standorte::standardparameter_click() {
  const QString frage = "Sollen die Qualitätspraramter wirklich auf die Standard-Parameter gesetzt werden?" +
                        zeilenumbruch + zeilenumbruch +
                        "Die Standardparameter sind (von oben nach unten in den grünen Feldern) "
                        "5 - 5 - 5 - 15 - 30 - 50 - 3";
  if (!vb::question(frage)) return;
  for (int i = 0; i < 7; ++i) sevt(i).setText(QString::number(standardwerte[i]));
}

void IW_Standorte::beenden_click() {
  for (int i = 0; i < 7; ++i) common::qualitätsparameter(i) = vb::cint(vb::val(sevt(i).text()));
  unload();
}

void IW_Standorte::fortschrittbeginnen(const dao::Recordset& rs) {
  meter->setValue(0);
  meter->show();
  meter->setMax(rs.recordCount());
}

void IW_Standorte::fortschritt() { meter->setValue(meter->value() + 1); }

void IW_Standorte::fortschrittende() {
  meter->setValue(0);
  meter->hide();
}

void IW_Standorte::rolisten_click(int index) {
  if (index < 0 || index > 5) return;
  vb::setMousePointer(vb::vbHourglass);
  gridli->clear(true);
  gridli->lockupdate(true);
  bool imbereich = true;
  try {
    switch (index) {
      case 0: tabellelisten(QStringLiteral("select * from Standorte order by Standort")); break;
      case 1: tabellelisten(QStringLiteral("select * from Pflanzen order by Pflanze")); break;
      case 2: pflanzenjestandort(); break;
      case 3: völkerjestandort(); break;
      case 4: imbereich = indexamdatum(); break;
      case 5: imbereich = indexjewoche(); break;
    }
  } catch (const dao::Error& e) {
    gridli->clear(true);
    gridli->lockupdate(false);
    fortschrittende();
    common::fehlermelden("Die Liste konnte nicht erstellt werden.", e.text());
    return;
  }
  gridli->lockupdate(false);
  vb::setMousePointer(vb::vbDefault);
  if (!imbereich) {
    gridli->clear(true);
    fortschrittende();
    vb::msgbox(QStringLiteral("Der Qualitäts-Index übersteigt bei diesen Qualitätsparametern den Zahlenbereich; "
                              "bitte kleinere Parameter wählen."));
    return;
  }
  if (gridli->rows() == 0) {
    fortschrittende();
    vb::msgbox(keinedaten);
    return;
  }
  if (!output::listeübergeben(*gridli)) {
    fortschrittende();
    return;
  }
  fortschrittende();
}

void IW_Standorte::tabellelisten(const QString& sql) {
  dao::Recordset rs = db_.openRecordset(sql);
  if (rs.eof()) return;
  fortschrittbeginnen(rs);
  output::Übernahme wie;
  wie.ohneID = true;
  output::abfrageübernehmen(rs, *gridli, wie);
  meter->setValue(rs.recordCount());
  rs.close();
}

void IW_Standorte::pflanzenjestandort() {
  dao::Recordset rs = db_.openRecordset(QStringLiteral(
      "select Standort, Zusatzortshinweis, Pflanze, Entfernung_m, Proz_Anteil from Standorte, Standorte_Pflanzen "
      "where Standort_Kennung = Standorte.ID order by Standort, Pflanze"));
  if (rs.eof()) return;
  fortschrittbeginnen(rs);
  // The columns as the copy makes them; the rows are grouped here by site.
  output::Übernahme nurspalten;
  nurspalten.zeilenübernehmen = false;
  output::abfrageübernehmen(rs, *gridli, nurspalten);
  QString vorher;
  for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
    const QString s = feldtext(rs["Standort"].value());
    if (!vorher.isEmpty() && s != vorher) gridli->additem(QString());
    QString zeile;
    if (s != vorher)
      zeile = s + '\t' + feldtext(rs["Zusatzortshinweis"].value()) + '\t';
    else
      zeile = QStringLiteral("\t\t");
    zeile += feldtext(rs["Pflanze"].value()) + '\t' + feldtext(rs["Entfernung_m"].value()) + '\t' +
             feldtext(rs["Proz_Anteil"].value()) + '\t';
    gridli->additem(zeile);
    vorher = s;
    fortschritt();
  }
  rs.close();
}

void IW_Standorte::völkerjestandort() {
  dao::Recordset rs =
      db_.openRecordset(QStringLiteral("select Standort, Zusatzortshinweis, Max_Völker from Standorte order by Standort"));
  if (rs.eof()) return;
  fortschrittbeginnen(rs);
  textspalte(*gridli, "1", "Standort");
  zahlspalte(*gridli, "3", "Max_Völker");
  zahlspalte(*gridli, "4", "Ist_Völker");
  zahlspalte(*gridli, "5", "Differenz");
  for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
    const QString standort = feldtext(rs["Standort"].value());
    dao::Recordset anzahl =
        db_.openRecordset("select count(*) as Anzahl from Bienenvolk where Standort = '" + standort + "'");
    qint64 n = 0;
    if (!anzahl.eof()) n = vb::clng(common::zahlaustext(anzahl["Anzahl"].value()));
    anzahl.close();
    const QString max = feldtext(rs["Max_Völker"].value());
    const qint64 differenz = vb::clng(common::zahlaustext(max)) - n;
    gridli->additem(standort + '\t' + max + '\t' + ganzzahltext(n) + '\t' + ganzzahltext(differenz) + '\t');
    fortschritt();
  }
  rs.close();
}

bool IW_Standorte::indexamdatum() {
  const QString text = sevt(feldDatum).text();
  const auto tag = vb::parseDate(text);
  if (!tag) {
    vb::msgbox(QStringLiteral("Bitte legen zuerst das Datum fest, zu welchem Termin der Qualitäts-Index berechnet "
                              "werden soll!"));
    return true;
  }
  // A short form ("1.4.26") as the date it is, so that the key is taken by position.
  const QString datum = tag->toString(QStringLiteral("dd.MM.yyyy"));
  QStringList parametertexte;
  for (int i = 0; i < 7; ++i) parametertexte << sevt(i).text();
  const Qualitätsparameter par = Qualitätsparameter::ausTexten(parametertexte);

  dao::Recordset rs = db_.openRecordset(QStringLiteral("select * from Standorte order by Standort, Zusatzortshinweis"));
  if (rs.eof()) return true;
  fortschrittbeginnen(rs);
  textspalte(*gridli, "1", "Standort");
  zahlspalte(*gridli, "3", "Punkte_Pflanze");
  zahlspalte(*gridli, "4", "Punkte_Standort");
  zahlspalte(*gridli, "5", "Punkte_Gesamt");
  Standortpflanzenleser leser(db_);
  for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
    const Indexergebnis e =
        qualitätsindex(standortwerte(rs), leser.pflanzen(feldtext(rs["ID"].value())), datum, par);
    if (e.überlauf) return false;
    gridli->additem(feldtext(rs["Standort"].value()) + '\t' + ganzzahltext(e.punktepflanze) + '\t' +
                    ganzzahltext(e.punktestandort) + '\t' + ganzzahltext(e.punktegesamt) + '\t');
    fortschritt();
  }
  rs.close();
  return true;
}

bool IW_Standorte::indexjewoche() {
  QStringList parametertexte;
  for (int i = 0; i < 7; ++i) parametertexte << sevt(i).text();
  const Qualitätsparameter par = Qualitätsparameter::ausTexten(parametertexte);

  dao::Recordset rs = db_.openRecordset(QStringLiteral("select * from Standorte order by Standort"));
  if (rs.eof()) return true;
  fortschrittbeginnen(rs);
  textspalte(*gridli, "1", "Standort");
  // The weeks from 01.03. of the current year while the month is not October.
  QStringList tage;
  QDate d(static_cast<int>(vb::val(vb::mid(common::heute, 7, 4))), 3, 1);
  for (int zähler = 1; d.month() != 10; d = d.addDays(7)) {
    ++zähler;
    const QString text = d.toString(QStringLiteral("dd.MM.yyyy"));
    zahlspalte(*gridli, QString::number(zähler), vb::left(text, 5));
    tage << text;
  }
  Standortpflanzenleser leser(db_);
  for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
    const Standortwerte standort = standortwerte(rs);
    const std::vector<Pflanzeamstandort> pflanzen = leser.pflanzen(feldtext(rs["ID"].value()));
    QString zeile = feldtext(rs["Standort"].value()) + '\t';
    for (const QString& tag : tage) {
      const Indexergebnis e = qualitätsindex(standort, pflanzen, tag, par);
      if (e.überlauf) return false;
      zeile += ganzzahltext(e.punktegesamt) + '\t';
    }
    gridli->additem(zeile);
    fortschritt();
  }
  rs.close();
  return true;
}

}  // namespace zevo::sites
