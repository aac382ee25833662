#include "evaluations/iw_gruppierungen.h"

#include "common/fensterdienste.h"
#include "common/variablen.h"
#include "components/sevgrid.h"
#include "output/listenuebergabe.h"
#include "platform/runtime/mousepointer.h"
#include "platform/runtime/msgbox.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace zevo::evaluations {

namespace {

const char* const merkmale[] = {"Volkstärke",   "Mittelwände", "Wabenanzahl",      "Brutstand",     "Wabensitz",
                                "Sanftmut",     "Schwarmtrieb", "Frühjahrsentw",   "Winterfestigkeit",
                                "Varroaschäden", "Belagert",   "Standort",         "Königin_Farbe", "Beuteart",
                                "Bienenrasse",  "Volk_Herkunft", "Abnehmer",       "Abgangsgrund"};

const char* const buchungsfelder[] = {"Honigernte / Honigsorte",    "Honigernte / Qualität",
                                      "Wachsernte / Qualität",      "Pollenernte / Qualität",
                                      "Sonstigeernte / Ernteart",   "Sonstigeernte / Qualität",
                                      "Arbeiten / Arbeitsart",      "Wanderung / Standort",
                                      "Behandlung / Mittel",        "Behandlung / Behandlungsart",
                                      "Königinwechsel / Herkunft",  "Königinwechsel / Zuchtindex",
                                      "Königinwechsel / Farbe"};

const char* const volkspalten[] = {"Volknr", "Volkname", "Standort", "Königin_Farbe", "Beuteart", "Bienenrasse"};

const char* const buchungstabellen[] = {"Honigernte", "Wachsernte",      "Pollenernte", "Sonstigeernte", "Arbeiten",
                                        "Wanderung",  "Gewichtsmessung", "Behandlung",  "Königinwechsel"};

// The aggregates of the cost and time grouping, by button.
const char* const kostenteile[] = {
    ", count(*) as Buchungen, sum(Kosten) as S_Kosten, sum(Honig_Wert) as Honigwert, sum(Menge_kg) as Menge, "
    "sum(Zeit_h) as Zeit, avg(Kosten) as D_Kosten, avg(Honig_Wert) as D_Honigwert, avg(Menge_kg) as D_Menge, "
    "avg(Zeit_h) as D_Zeit from Bienenvolk, ",
    ", count(*) as Buchungen, sum(Kosten) as S_Kosten, sum(Wachs_Wert) as Wachswert, sum(Menge_kg) as Menge, "
    "sum(Zeit_h) as Zeit, avg(Kosten) as D_Kosten, avg(Wachs_Wert) as D_Wachswert, avg(Menge_kg) as D_Menge, "
    "avg(Zeit_h) as D_Zeit from Bienenvolk, ",
    ", count(*) as Buchungen, sum(Kosten) as S_Kosten, sum(Pollen_Wert) as Pollenwert, sum(Menge_g) as Menge, "
    "sum(Zeit_h) as Zeit, avg(Kosten) as D_Kosten, avg(Pollen_Wert) as D_Pollenwert, avg(Menge_g) as D_Menge, "
    "avg(Zeit_h) as D_Zeit from Bienenvolk, ",
    ", count(*) as Buchungen, sum(Kosten) as S_Kosten, sum(Wert) as S_Wert, sum(Menge_g) as Menge, "
    "sum(Zeit_h) as Zeit, avg(Kosten) as D_Kosten, avg(Wert) as D_Wert, avg(Menge_g) as D_Menge, "
    "avg(Zeit_h) as D_Zeit from Bienenvolk, ",
    ", count(*) as Buchungen, sum(Kosten) as S_Kosten, sum(Zeit_h) as Zeit, avg(Kosten) as D_Kosten, "
    "avg(Zeit_h) as D_Zeit from Bienenvolk, ",
};

const char* const standortabfragen[] = {
    "select Standort, count(*) as Anzahl from Bienenvolk where Akt_im_Bestand = 'X' group by Standort",
    "transform count(*) select Standort, count(*) as Völker from Bienenvolk where Akt_im_Bestand = 'X' group by "
    "Standort pivot Wabenanzahl;",
    "transform count(*) select Standort, count(*) as Völker from Bienenvolk where Akt_im_Bestand = 'X' group by "
    "Standort pivot Mittelwände;",
};
const char* const standorttitel[] = {"Standort / Völker", "Standort / Waben", "Standort / Mittelwände"};

const char* const altersabfragen[] = {
    "transform count(*) select datediff('yyyy',Volk_Zugangsdatum, now) as Alter_Jahre from Bienenvolk where "
    "Akt_im_Bestand = 'X' and Volk_Zugangsdatum IS NOT NULL group by datediff('yyyy', Volk_Zugangsdatum, now) pivot ",
    "transform count(*) select datediff('m',Volk_Zugangsdatum, now) as Alter_Monate from Bienenvolk where "
    "Akt_im_Bestand = 'X' and Volk_Zugangsdatum IS NOT NULL group by datediff('m', Volk_Zugangsdatum, now) pivot ",
};
const char* const alterstitel[] = {"Bestandsalter nach Jahren", "Bestandsalter nach Monaten"};

// A grouping column over Bienenvolk and a booking table: named by its
// table, since Wanderung has a Standort of its own.
QString gruppenspalte(const QString& g) { return QStringLiteral("Bienenvolk.") + g + QStringLiteral(" as ") + g; }
QString gruppenschlüssel(const QString& g) { return QStringLiteral("Bienenvolk.") + g; }

}  // namespace

IW_Gruppierungen::IW_Gruppierungen(QWidget* parent) : vb::Form(QStringLiteral("IW_Gruppierungen"), parent) {
  setWindowTitle(QStringLiteral("Gruppierungen"));
  steuerelementeanlegen();
}

IW_Gruppierungen::~IW_Gruppierungen() = default;

void IW_Gruppierungen::steuerelementeanlegen() {
  auto knopf = [this](const QString& text, QWidget* eltern) { return new QPushButton(text, eltern); };

  auto* rahmen0 = new QGroupBox(QStringLiteral("Volkbezogene Gruppierungen (aktueller Bestand)"), this);
  li1 = new QListWidget(rahmen0);
  gruppeok = knopf(QStringLiteral(">"), rahmen0);
  gruppeok->setFixedWidth(32);
  auto* r0 = new QHBoxLayout(rahmen0);
  r0->addWidget(li1);
  r0->addWidget(gruppeok, 0, Qt::AlignTop);

  auto* rahmen1 = new QGroupBox(QStringLiteral("Kosten und Zeitgruppierungen je Volk (akt. Bestand)"), this);
  auto* r1 = new QGridLayout(rahmen1);
  Label2[0] = new QLabel(QStringLiteral("Gruppiert nach:"), rahmen1);
  kom[0] = new QComboBox(rahmen1);
  r1->addWidget(Label2[0], 0, 0);
  r1->addWidget(kom[0], 0, 1, 1, 2);
  for (int i = 0; i < 9; ++i) {
    gruppekostenjetier[i] = knopf(QString::fromUtf8(buchungstabellen[i]), rahmen1);
    r1->addWidget(gruppekostenjetier[i], 1 + i / 3, i % 3);
  }

  auto* rahmen2 = new QGroupBox(QStringLiteral("Pivot Auswertungen"), this);
  auto* r2 = new QGridLayout(rahmen2);
  Label2[1] = new QLabel(QStringLiteral("Pivot nach:"), rahmen2);
  kom[1] = new QComboBox(rahmen2);
  r2->addWidget(Label2[1], 0, 0);
  r2->addWidget(kom[1], 0, 1);
  for (int i = 0; i < 2; ++i) {
    sonstigeok[i] = knopf(QString::fromUtf8(alterstitel[i]), rahmen2);
    r2->addWidget(sonstigeok[i], 1 + i, 0, 1, 2);
  }

  auto* rahmen3 = new QGroupBox(QStringLiteral("Sonstige Auswertungen"), this);
  auto* r3 = new QGridLayout(rahmen3);
  li2 = new QListWidget(rahmen3);
  auswertungok = knopf(QStringLiteral(">"), rahmen3);
  auswertungok->setFixedWidth(32);
  Label2[2] = new QLabel(QStringLiteral("Gruppiert nach:"), rahmen3);
  kom[2] = new QComboBox(rahmen3);
  r3->addWidget(li2, 0, 0, 1, 2);
  r3->addWidget(auswertungok, 0, 2, Qt::AlignTop);
  r3->addWidget(Label2[2], 1, 0);
  r3->addWidget(kom[2], 1, 1);
  auto* Line1 = new QFrame(rahmen3);
  Line1->setFrameShape(QFrame::HLine);
  r3->addWidget(Line1, 2, 0, 1, 3);
  auto* standorte = new QHBoxLayout;
  for (int i = 0; i < 3; ++i) {
    sonstigecom[i] = knopf(QString::fromUtf8(standorttitel[i]), rahmen3);
    standorte->addWidget(sonstigecom[i]);
  }
  r3->addLayout(standorte, 3, 0, 1, 3);

  Label1 = new QLabel(QStringLiteral("Ergebnis"), this);
  datali = new ui::sevGrid(this);
  gridli = new ui::sevGrid(this);
  gridli->hide();
  ok = knopf(QStringLiteral("&Listen"), this);
  beenden = knopf(QStringLiteral("&Schließen"), this);
  hilfe = knopf(QStringLiteral("&Hilfe"), this);

  connect(gruppeok, &QPushButton::clicked, this, [this] { gruppeok_click(); });
  connect(li1, &QListWidget::itemDoubleClicked, this, [this] { li1_DblClick(); });
  connect(auswertungok, &QPushButton::clicked, this, [this] { auswertungok_click(); });
  connect(li2, &QListWidget::itemDoubleClicked, this, [this] { li2_DblClick(); });
  for (int i = 0; i < 9; ++i)
    connect(gruppekostenjetier[i], &QPushButton::clicked, this, [this, i] { gruppekostenjetier_click(i); });
  for (int i = 0; i < 3; ++i)
    connect(sonstigecom[i], &QPushButton::clicked, this, [this, i] { sonstigecom_click(i); });
  for (int i = 0; i < 2; ++i)
    connect(sonstigeok[i], &QPushButton::clicked, this, [this, i] { sonstigeok_click(i); });
  connect(ok, &QPushButton::clicked, this, [this] { ok_click(); });
  connect(beenden, &QPushButton::clicked, this, [this] { beenden_click(); });
  connect(hilfe, &QPushButton::clicked, this, [this] { hilfe_click(); });

  auto* links = new QVBoxLayout;
  links->addWidget(rahmen0, 1);
  links->addWidget(rahmen1);
  auto* rechts = new QVBoxLayout;
  rechts->addWidget(rahmen2);
  rechts->addWidget(rahmen3, 1);
  auto* oben = new QHBoxLayout;
  oben->addLayout(links);
  oben->addLayout(rechts);
  auto* knöpfe = new QHBoxLayout;
  knöpfe->addWidget(ok);
  knöpfe->addStretch(1);
  knöpfe->addWidget(hilfe);
  knöpfe->addWidget(beenden);
  auto* ganz = new QVBoxLayout(this);
  ganz->addLayout(oben);
  ganz->addWidget(Label1);
  ganz->addWidget(datali, 1);
  ganz->addLayout(knöpfe);
  resize(900, 720);
}

// --- life cycle ---------------------------------------------------------------------

void IW_Gruppierungen::Form_Load() {
  try {
    db_ = common::eigenedatenbank(true);
  } catch (const dao::Error& e) {
    common::fehlermelden(QStringLiteral("Die Gruppierungen können nicht geöffnet werden."), e.text());
    unload();
    return;
  }
  for (const char* m : merkmale) li1->addItem(QString::fromUtf8(m));
  for (const char* b : buchungsfelder) li2->addItem(QString::fromUtf8(b));
  for (QComboBox* k : kom) {
    for (const char* s : volkspalten) k->addItem(QString::fromUtf8(s));
    k->setCurrentIndex(0);
  }
}

void IW_Gruppierungen::Form_Activate() { vb::setMousePointer(vb::vbDefault); }

void IW_Gruppierungen::Form_Unload(bool&) {
  if (db_.isOpen()) db_.close();
}

void IW_Gruppierungen::beenden_click() { unload(); }

void IW_Gruppierungen::hilfe_click() { common::hilfezeigen(formName()); }

// --- evaluations -----------------------------------------------------------------------

QString IW_Gruppierungen::eintrag(QListWidget* liste) {
  if (liste->currentRow() < 0 || !liste->currentItem()->isSelected()) liste->setCurrentRow(0);
  return liste->currentItem()->text();
}

void IW_Gruppierungen::gruppeok_click() {
  vb::setMousePointer(vb::vbHourglass);
  const QString f = eintrag(li1);
  const bool abgang = f == QLatin1String("Abgangsgrund") || f == QLatin1String("Abnehmer");
  auswerten("select " + f + ", count(*) as Anzahl from Bienenvolk where Akt_im_Bestand " +
                (abgang ? QStringLiteral("<>") : QStringLiteral("=")) + " 'X' group by " + f,
            f);
}

void IW_Gruppierungen::li1_DblClick() { gruppeok_click(); }

void IW_Gruppierungen::auswertungok_click() {
  vb::setMousePointer(vb::vbHourglass);
  const QString e = eintrag(li2);
  const int p = e.indexOf(QStringLiteral(" / "));
  const QString t = e.left(p);
  QString f = e.mid(p + 3);
  if (f == QLatin1String("Standort")) f = QStringLiteral("Wanderung.Standort");
  const QString g = kom[2]->currentText();
  auswerten("transform count(*) select " + gruppenspalte(g) + ", count(*) as Anzahl from Bienenvolk, " + t +
                " where Akt_im_Bestand = 'X' and Volk = Bienenvolk.ID group by " + gruppenschlüssel(g) + " pivot " +
                f + ";",
            e);
}

void IW_Gruppierungen::li2_DblClick() { auswertungok_click(); }

void IW_Gruppierungen::gruppekostenjetier_click(int index) {
  vb::setMousePointer(vb::vbHourglass);
  const QString t = gruppekostenjetier[index]->text();
  const QString g = kom[0]->currentText();
  auswerten("select " + gruppenspalte(g) + QString::fromUtf8(kostenteile[std::min(index, 4)]) + t +
                " where Akt_im_Bestand = 'X' and Volk = Bienenvolk.ID group by " + gruppenschlüssel(g),
            t);
}

void IW_Gruppierungen::sonstigecom_click(int index) {
  vb::setMousePointer(vb::vbHourglass);
  auswerten(QString::fromUtf8(standortabfragen[index]), QString());
}

void IW_Gruppierungen::sonstigeok_click(int index) {
  vb::setMousePointer(vb::vbHourglass);
  auswerten(QString::fromUtf8(altersabfragen[index]) + kom[1]->currentText() + ";", sonstigeok[index]->text());
}

// Runs one evaluation: the result shown in datali, copied into gridli. A
// query the database refuses leaves the previous result as it was.
void IW_Gruppierungen::auswerten(const QString& sql, const QString& titel) {
  try {
    dao::Recordset rs = db_.openRecordset(sql);
    Label1->setText(titel.isEmpty() ? QStringLiteral("Ergebnis") : "Ergebnis (" + titel + ")");
    datali->clear(true);
    datali->lockupdate(true);
    datali->setPrebindflag(true);
    datali->setRecordset(rs);
    datali->setPostbindflag(true);
    datali->lockupdate(false);
    datali->refresh();
    ergebnisübernehmen(rs);
    rs.close();
  } catch (const dao::Error& e) {
    datali->lockupdate(false);
    gridli->lockupdate(false);
    common::fehlermelden(QStringLiteral("Die Auswertung konnte nicht ausgeführt werden."), e.text());
    return;
  }
  vb::setMousePointer(vb::vbDefault);
}

void IW_Gruppierungen::ergebnisübernehmen(dao::Recordset& rs) {
  gridli->clear(true);
  gridli->lockupdate(true);
  output::Übernahme wie;
  wie.zahltypen = {dao::dbCurrency, dao::dbSingle, dao::dbDouble};
  output::abfrageübernehmen(rs, *gridli, wie);
  gridli->lockupdate(false);
}

void IW_Gruppierungen::ok_click() {
  if (datali->rows() == 0) {
    vb::msgbox(QStringLiteral("Keine zu listenden Daten gefunden"));
    return;
  }
  output::listeübergeben(*gridli, true);   // the result stays for the next listing
}

}  // namespace zevo::evaluations
