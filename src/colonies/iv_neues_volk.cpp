#include "colonies/iv_neues_volk.h"

#include "colonies/fensterdienste.h"
#include "common/einstellungen.h"
#include "common/routinen.h"
#include "common/fensterdienste.h"
#include "common/variablen.h"
#include "components/sevgrid.h"
#include "platform/runtime/files.h"
#include "platform/runtime/mousepointer.h"
#include "platform/runtime/msgbox.h"
#include "platform/runtime/textfile.h"
#include "platform/runtime/vb.h"
#include "shell/volktermine.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zevo::colonies {

namespace {

using common::feldtext;
using common::zeilenumbruch;

enum class Art { Text, Ganz, Dezimal, Geld, Datum };

struct Feld {
  const char* caption;
  const char* spalte;
  Art art;
  int länge;
  const char* liste;    // the drop-down list's query, or nullptr
  const char* einheit;  // unit text, or nullptr
};

// sevt(0..16): the colony's own data.
const Feld volkfelder[] = {
    {"Volknummer", "Volknr", Art::Text, 10, nullptr, nullptr},
    {"Volkname", "Volkname", Art::Text, 20, "select distinct Volkname from Bienenvolk order by Volkname", nullptr},
    {"Bienenrasse", "Bienenrasse", Art::Text, 20, "select distinct Bienenrasse from Bienenvolk order by Bienenrasse",
     nullptr},
    {"Standort", "Standort", Art::Text, 100, "select distinct Standort from Standorte order by Standort", nullptr},
    {"Königin-Nr", "Königin_Nr", Art::Text, 20, "select distinct Königin_Nr from Bienenvolk order by Königin_Nr",
     nullptr},
    {"Königin-Farbe", "Königin_Farbe", Art::Text, 10,
     "select distinct Königin_Farbe from Bienenvolk order by Königin_Farbe", nullptr},
    {"Zugangsdatum Königin", "Königin_Zugangsdatum", Art::Datum, 10, nullptr, nullptr},
    {"Beuteart", "Beuteart", Art::Text, 20, "select distinct Beuteart from Bienenvolk order by Beuteart", nullptr},
    {"Mittelwände", "Mittelwände", Art::Ganz, 3, nullptr, nullptr},
    {"Wabenanzahl", "Wabenanzahl", Art::Ganz, 3, nullptr, nullptr},
    {"Zugangsdatum", "Volk_Zugangsdatum", Art::Datum, 10, nullptr, nullptr},
    {"Herkunft", "Volk_Herkunft", Art::Text, 50,
     "select distinct Volk_Herkunft from Bienenvolk order by Volk_Herkunft", nullptr},
    {"Einkaufspreis", "Volk_Einkaufspreis", Art::Geld, 10, nullptr, nullptr},
    {"Abgangsdatum", "Abgangsdatum", Art::Datum, 10, nullptr, nullptr},
    {"Abgangsgrund", "Abgangsgrund", Art::Text, 20,
     "select distinct Abgangsgrund from Bienenvolk order by Abgangsgrund", nullptr},
    {"Abnehmer", "Abnehmer", Art::Text, 50, "select distinct Abnehmer from Bienenvolk order by Abnehmer", nullptr},
    {"Verkaufspreis", "Volk_Verkaufspreis", Art::Geld, 10, nullptr, nullptr},
};
constexpr int anzahlvolkfelder = 17;
constexpr int volkdatenbis = 9;   // sevt(0..9) under "Volkdaten", the rest under arrival and departure

// sevtx(0..15): the summary columns, read-only.
const Feld infofelder[] = {
    {"Volkstärke", "Volkstärke", Art::Ganz, 10, nullptr, nullptr},
    {"Brutstand", "Brutstand", Art::Ganz, 10, nullptr, nullptr},
    {"Wabensitz", "Wabensitz", Art::Ganz, 10, nullptr, nullptr},
    {"Sanftmut", "Sanftmut", Art::Ganz, 10, nullptr, nullptr},
    {"Schwarmtrieb", "Schwarmtrieb", Art::Ganz, 10, nullptr, nullptr},
    {"Frühjahrsentwicklung", "Frühjahrsentw", Art::Ganz, 10, nullptr, nullptr},
    {"Winterfestigkeit", "Winterfestigkeit", Art::Ganz, 10, nullptr, nullptr},
    {"Belagert", "Belagert", Art::Ganz, 10, nullptr, nullptr},
    {"Futtervorrat (eigen)", "Futtervorrat_eigen", Art::Dezimal, 10, nullptr, "kg"},
    {"Futtervorrat (flüssig)", "Futtervorrat_flüssig", Art::Dezimal, 10, nullptr, "Liter"},
    {"Futtervorrat (Teig)", "Futtervorrat_Teig", Art::Dezimal, 10, nullptr, "kg"},
    {"Varroaschäden", "Varroaschäden", Art::Ganz, 10, nullptr, nullptr},
    {"Letzte Honigernte vom", "L_Honigernte", Art::Datum, 10, nullptr, nullptr},
    {"Letzte Honigerntemenge", "L_Honigmenge_kg", Art::Dezimal, 10, nullptr, "kg"},
    {"Honigerntemenge Gesamt", "Honigmenge_Gesamt", Art::Dezimal, 10, nullptr, "kg"},
    {"Letzte Behandlung am", "L_Behandlung", Art::Datum, 10, nullptr, nullptr},
};
constexpr int anzahlinfofelder = 16;
constexpr int stockkartebis = 11;  // sevtx(0..11) from the stock card, the rest from other bookings

// The fields whose change the entry window could undo: site, queen number,
// queen colour, queen arrival, foundations, combs.
const int ursprungsfelder[] = {3, 4, 5, 6, 8, 9};

constexpr int feldStandort = 3, feldKöniginDatum = 6, feldZugang = 10, feldAbgang = 13;

QString spaltenname(const Feld& f) { return QString::fromUtf8(f.spalte); }

// The typed text as the column's value.
QVariant spaltenwert(Art art, const QString& text) {
  switch (art) {
    case Art::Text: return feldtext(text);
    case Art::Ganz: return ganzzahlamanfang(text);
    case Art::Dezimal: return static_cast<double>(common::zahlaustext(text));
    case Art::Geld: return common::zahlaustextgenau(text);   // money, read exactly
    case Art::Datum: return common::datumswert(text);
  }
  return QVariant();
}

// A column's value as its field shows it. An amount is written in plain
// digits, as the entry window and the grid write it: "1E+08" would be read
// back as 108 when the window is left with OK.
QString feldanzeige(const Feld& feld, const dao::Field& spalte) {
  if (feld.art != Art::Dezimal) return feldtext(spalte);
  const QVariant wert = spalte.value();
  return wert.isNull() ? QString() : vb::cstrOhneExponent(wert);
}

void feldeinrichten(ui::sevText& f, const Feld& feld) {
  f.setMaxlength(feld.länge);
  f.setShowbutton(feld.liste != nullptr);
  if (feld.einheit) f.setUnitdescr(QString::fromUtf8(feld.einheit));
  int breite = 90;
  switch (feld.art) {
    case Art::Text:
      breite = feld.länge <= 10 ? 110 : feld.länge <= 20 ? 180 : 260;
      break;
    case Art::Ganz:
      f.setTexttype(1);
      f.setNumbertype(7);
      f.setMin(-99);
      f.setMax(99);
      f.setTextalign(1);
      breite = 50;
      break;
    case Art::Dezimal:
      f.setTexttype(1);
      f.setNumbertype(1);
      f.setTextalign(1);
      breite = 90;
      break;
    case Art::Geld:
      f.setTexttype(1);
      f.setNumbertype(1);
      f.setNachkomma(2);
      f.setTextalign(1);
      f.setMoneyDisplay(true);
      breite = 110;
      break;
    case Art::Datum:
      f.setFormat(2);
      f.setMask(QStringLiteral("dd.mm.yyyy"));
      breite = 95;
      break;
  }
  if (feld.einheit) breite += 40;
  f.setFixedWidth(breite);
}

QFormLayout* formular(QGroupBox* rahmen) {
  auto* form = new QFormLayout(rahmen);
  form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
  form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  form->setVerticalSpacing(4);
  return form;
}

}  // namespace

IV_Neues_Volk::IV_Neues_Volk(QWidget* parent) : vb::Form(QStringLiteral("IV_Neues_Volk"), parent) {
  setWindowTitle(QStringLiteral("Volkdaten eingeben/ändern"));
  steuerelementeanlegen();
}

IV_Neues_Volk::~IV_Neues_Volk() = default;

QString IV_Neues_Volk::standarddatei() { return common::datenpfad + QStringLiteral("IV_Neues_Volk.ZE1"); }

void IV_Neues_Volk::steuerelementeanlegen() {
  auto* volkdaten = new QGroupBox(QStringLiteral("Volkdaten"), this);
  auto* zugang = new QGroupBox(QStringLiteral("Zugangs- und Abgangsdaten (Volk)"), this);
  auto* stockkarte = new QGroupBox(QStringLiteral("Informationen aus der letzten Stockkarte"), this);
  auto* andere = new QGroupBox(QStringLiteral("Informationen aus anderen Buchungsmodulen"), this);
  QFormLayout* formVolk = formular(volkdaten);
  QFormLayout* formZugang = formular(zugang);
  QFormLayout* formStock = formular(stockkarte);
  QFormLayout* formAndere = formular(andere);

  for (int i = 0; i < anzahlvolkfelder; ++i) {
    QGroupBox* rahmen = i <= volkdatenbis ? volkdaten : zugang;
    ui::sevText& f = sevt.add(i, rahmen);
    feldeinrichten(f, volkfelder[i]);
    auto* beschriftung = new QLabel(QString::fromUtf8(volkfelder[i].caption), rahmen);
    beschriftung->setBuddy(&f);
    (i <= volkdatenbis ? formVolk : formZugang)->addRow(beschriftung, &f);
  }
  kon = new QCheckBox(QStringLiteral("Volk aktuell im Bestand"), volkdaten);
  formVolk->addRow(QString(), kon);
  QWidget::setTabOrder(sevt(volkdatenbis).focusProxy(), kon);   // the box belongs to the colony data
  QWidget::setTabOrder(kon, sevt(volkdatenbis + 1).focusProxy());

  for (int i = 0; i < anzahlinfofelder; ++i) {
    QGroupBox* rahmen = i <= stockkartebis ? stockkarte : andere;
    ui::sevText& f = sevtx.add(i, rahmen);
    feldeinrichten(f, infofelder[i]);
    f.setLocked(true);
    f.setFocusPolicy(Qt::NoFocus);
    (i <= stockkartebis ? formStock : formAndere)->addRow(QString::fromUtf8(infofelder[i].caption), &f);
  }

  ok = new QPushButton(QStringLiteral("&OK"), this);
  oknächster[0] = new QPushButton(QStringLiteral("OK &Nächster"), this);
  oknächster[1] = new QPushButton(QStringLiteral("OK &Vorheriger"), this);
  standard = new QPushButton(QStringLiteral("Als &Standardmaske sichern"), this);
  cmdabbrechen = new QPushButton(QStringLiteral("&Abbrechen"), this);
  comhilfe = new QPushButton(QStringLiteral("&Hilfe"), this);
  connect(ok, &QPushButton::clicked, this, [this] { ok_Click(); });
  connect(oknächster[0], &QPushButton::clicked, this, [this] { oknächster_Click(0); });
  connect(oknächster[1], &QPushButton::clicked, this, [this] { oknächster_Click(1); });
  connect(standard, &QPushButton::clicked, this, [this] { standard_Click(); });
  connect(cmdabbrechen, &QPushButton::clicked, this, [this] { cmdabbrechen_Click(); });
  connect(comhilfe, &QPushButton::clicked, this, [this] { comhilfe_Click(); });

  auto* links = new QVBoxLayout;
  links->addWidget(volkdaten);
  links->addWidget(zugang);
  links->addStretch(1);
  auto* rechts = new QVBoxLayout;
  rechts->addWidget(stockkarte);
  rechts->addWidget(andere);
  rechts->addStretch(1);
  auto* oben = new QHBoxLayout;
  oben->addLayout(links);
  oben->addLayout(rechts);
  auto* knöpfe = new QHBoxLayout;
  knöpfe->addWidget(ok);
  knöpfe->addWidget(oknächster[0]);
  knöpfe->addWidget(oknächster[1]);
  knöpfe->addWidget(standard);
  knöpfe->addStretch(1);
  knöpfe->addWidget(comhilfe);
  knöpfe->addWidget(cmdabbrechen);
  auto* ganz = new QVBoxLayout(this);
  ganz->addLayout(oben);
  ganz->addLayout(knöpfe);
}

// --- life cycle ---------------------------------------------------------------------

void IV_Neues_Volk::Form_Load() {
  neu_ = common::volkmodus != QStringLiteral("Ändern");
  if (!neu_ && (!common::datali || common::datali->row() < 1)) {
    vb::setMousePointer(vb::vbDefault);
    vb::msgbox(QStringLiteral("Bitte markieren Sie zuerst das Volk, das Sie ändern möchten!"));
    unload();
    return;
  }
  try {
    db_ = eigenedatenbank();
    listenfüllen();
    if (!volkanzeigen()) unload();
  } catch (const dao::Error& e) {
    fehlermelden("Die Volkdaten können nicht bearbeitet werden.", e.text());
    unload();
  }
}

void IV_Neues_Volk::Form_Activate() {
  vb::setMousePointer(vb::vbDefault);
  sevt(0).setfocus();
}

void IV_Neues_Volk::Form_Unload(bool&) {
  if (db_.isOpen()) db_.close();
}

// --- filling the mask ------------------------------------------------------------------

void IV_Neues_Volk::listenfüllen() {
  for (int i = 0; i < anzahlvolkfelder; ++i)
    if (volkfelder[i].liste) sevt(i).setListsource(db_, QString::fromUtf8(volkfelder[i].liste));
}

bool IV_Neues_Volk::volkanzeigen() {
  if (neu_) {
    oknächster[1]->hide();
    for (int i = 1; i < anzahlvolkfelder; ++i) sevt(i).setText(QString());
    for (int i = 0; i < anzahlinfofelder; ++i) sevtx(i).setText(QString());
    kon->setChecked(true);
    const QString nummer = sevt(0).text();
    if (common::volknrhochzählen() != 0 && common::nurziffern(nummer))
      sevt(0).setText(QString::number(static_cast<qint64>(vb::val(nummer)) + 1));
    else
      sevt(0).setText(QString());
    standardwertelesen();
    volkId_ = 0;
  } else {
    const int id = common::sqlid(common::datali->cell(common::datali->row(), QStringLiteral("ID"))).value_or(0);
    dao::Recordset rs = db_.openRecordset("select * from Bienenvolk where ID =" + vb::str(id));
    if (rs.eof()) {
      rs.close();
      vb::setMousePointer(vb::vbDefault);
      vb::msgbox(QStringLiteral("Das Volk der aktuellen Zeile wurde in der Datenbank nicht gefunden."));
      return false;
    }
    volkId_ = id;
    for (int i = 0; i < anzahlvolkfelder; ++i)
      sevt(i).setText(feldanzeige(volkfelder[i], rs[spaltenname(volkfelder[i])]));
    for (int i = 0; i < anzahlinfofelder; ++i)
      sevtx(i).setText(feldanzeige(infofelder[i], rs[spaltenname(infofelder[i])]));
    kon->setChecked(feldtext(rs["Akt_im_Bestand"]) == QLatin1String("X"));
    rs.close();
  }
  ursprungswertemerken();
  return true;
}

void IV_Neues_Volk::standardwertelesen() {
  const QString datei = standarddatei();
  if (!vb::fileExists(datei)) return;
  QStringList zeilen;
  try {
    zeilen = vb::readLines(datei);
  } catch (const vb::Error&) {
    return;   // an unreadable defaults file leaves the empty mask
  }
  for (int i = 1; i < anzahlvolkfelder && i - 1 < zeilen.size(); ++i) sevt(i).setText(zeilen[i - 1]);
  if (zeilen.size() >= anzahlvolkfelder) {
    bool zahl = false;
    const int bestand = zeilen[anzahlvolkfelder - 1].trimmed().toInt(&zahl);
    if (zahl) kon->setChecked(bestand != 0);
  }
}

QStringList IV_Neues_Volk::ursprungswerte() const {
  QStringList werte;
  for (const int i : ursprungsfelder) werte << sevt(i).text();
  return werte;
}

void IV_Neues_Volk::ursprungswertemerken() { ursprungswerte_ = ursprungswerte(); }

// --- checking and storing ----------------------------------------------------------------

void IV_Neues_Volk::eingabeprüfen() {
  QString gründe;
  if (vb::trim(sevt(0).text()).isEmpty()) {
    gründe += "...die Volknummer angegeben werden muß." + zeilenumbruch;
  } else {
    QString sql = "select Volknr from Bienenvolk where Volknr = '" + feldtext(sevt(0).text()) + "'";
    if (!neu_) sql += " and ID <> " + QString::number(volkId_);
    dao::Recordset rs = db_.openRecordset(sql);
    if (!rs.eof()) gründe += "...die Volknummer bereits existiert." + zeilenumbruch;
    rs.close();
  }
  for (const int i : {feldKöniginDatum, feldZugang, feldAbgang})
    if (!vb::isDate(sevt(i).text())) sevt(i).setText(QString());
  if (vb::isDate(sevt(feldAbgang).text()) && kon->isChecked())
    gründe += QStringLiteral(
        "...das Volk als im Bestand markiert ist und gleichzeitig ein Abgangsdatum eingetragen wurde. Bitte "
        "entfernen Sie entweder das Abgangsdatum oder deaktivieren Sie das Feld 'Volk aktuell im Bestand'");
  if (!gründe.isEmpty()) {
    vb::msgbox("Die Eingabe kann nicht übernommen werden, weil..." + zeilenumbruch + zeilenumbruch + gründe);
    eingabefehler_ = 1;
  } else {
    eingabefehler_ = 0;
  }
}

void IV_Neues_Volk::volkspeichern() {
  common::völkerneulesen = 1;
  const QString bestand = kon->isChecked() ? QStringLiteral("X") : QString();
  const QString standort = feldtext(sevt(feldStandort).text());

  // What the beekeeper is told or asked comes before the transaction opens,
  // so that no write waits on an answer.
  QString frühererbestand;
  bool standortgefragt = false, wanderungeintragen = false;
  QVariant letzterstandort;
  if (!neu_) {
    dao::Recordset vorher = db_.openRecordset("select Akt_im_Bestand from Bienenvolk where ID =" + vb::str(volkId_));
    if (vorher.eof())
      throw dao::Error(dao::errNoCurrentRecord,
                       QStringLiteral("Das Volk ist in der Datenbank nicht mehr vorhanden."));
    frühererbestand = feldtext(vorher["Akt_im_Bestand"]);
    vorher.close();
    if (ursprungswerte() != ursprungswerte_)
      vb::msgbox(QStringLiteral(
          "Sie haben Werte geändert, die auch über den Hauptmenuepunkt 'Eingabe' eingetragen werden könnten. Dies "
          "bezieht sich auf die Werte Standort, Königing-Nr, Königin-Farbe, Zugangsdatum Königin, Mittelwände und "
          "Wabenanzahl. Falls in den Eingaben zu diesen Datenfeldern auch Eintragungen gemacht wurden, werden Ihre "
          "aktuellen Eintragungen ggf. wieder rückgängig gemacht."));
    if (!standort.isEmpty()) {
      dao::Recordset wanderung = db_.openRecordset("select top 1 * from Wanderung where Volk = " +
                                                   QString::number(volkId_) + " order by Datum DESC");
      if (!wanderung.eof() && standort != feldtext(wanderung["Standort"])) {
        standortgefragt = true;
        letzterstandort = wanderung["Standort"].value();
        wanderungeintragen = vb::question(
            "Sie haben den neuen Standort " + standort + " eingetragen. Lt. den Wanderungs-Buchungen ist der letzte "
            "Standort " + feldtext(wanderung["Standort"]) + " (vom " + feldtext(wanderung["Datum"]) +
            "). Soll der neue Standort mit dem heutigen Datum in den Wanderungsplan eingetragen werden?" +
            zeilenumbruch + zeilenumbruch + "Falls Sie [Nein] auswählen, wird die Standort-Änderung nicht übernommen.");
      }
      wanderung.close();
    }
    if (bestand == QLatin1String("X") && frühererbestand.isEmpty())
      vb::msgbox(QStringLiteral("Das Volk war vorher nicht im Bestand und wurde neu als 'Aktuell im Bestand' "
                                "markiert. Deshalb werden die Termine für dieses Volk neu berechnet."));
  }

  dao::Transaction transaktion(db_);
  dao::Recordset rs = db_.openRecordset("select * from Bienenvolk where ID =" + vb::str(neu_ ? 0 : volkId_));
  if (neu_) {
    rs.addNew();
    rs["Selektiert"] = QString();
  } else {
    if (rs.eof())
      throw dao::Error(dao::errNoCurrentRecord,
                       QStringLiteral("Das Volk ist in der Datenbank nicht mehr vorhanden."));
    rs.edit();
  }

  for (int i = 0; i < anzahlvolkfelder; ++i)
    rs[spaltenname(volkfelder[i])] = spaltenwert(volkfelder[i].art, sevt(i).text());
  rs["Akt_im_Bestand"] = bestand;
  for (int i = 0; i < anzahlinfofelder; ++i)
    rs[spaltenname(infofelder[i])] = spaltenwert(infofelder[i].art, sevtx(i).text());

  if (standortgefragt && wanderungeintragen) {
    dao::Recordset wanderung = db_.openRecordset(QStringLiteral("select * from Wanderung where ID = 0"));
    wanderung.addNew();
    wanderung["Datum"] = QVariant(common::heutedatum());
    wanderung["Standort"] = standort;
    wanderung["Zeit_h"] = 0;
    wanderung["Kosten"] = 0;
    wanderung["Standortprämie"] = 0;
    wanderung["Prämie_erhalten"] = "N";
    wanderung["Bemerkung"] = QString();
    wanderung["Volk"] = volkId_;
    wanderung.update();
    wanderung.close();
  } else if (standortgefragt) {
    rs["Standort"] = letzterstandort;
  }

  rs.update();
  const int id = neu_ ? rs["ID"].value().toInt() : volkId_;
  rs.close();

  QStringList übersprungen;
  if (bestand != QLatin1String("X")) {
    db_.execute("delete from termine where volk = " + QString::number(id));
  } else if (neu_ || frühererbestand.isEmpty()) {
    dao::Recordset optionen = db_.openRecordset(QStringLiteral("select * from Arbeitsplanoptionen"));
    QList<int> abhängige;
    for (; !optionen.eof(); optionen.moveNext())
      if (feldtext(optionen["Volkabhängig"]) == QLatin1String("J")) abhängige << optionen["ID"].value().toInt();
    optionen.close();
    for (const int option : abhängige) shell::volkterminebuchen(option, id, übersprungen);
  }
  transaktion.commit();
  volkId_ = id;
  shell::übersprungeneoptionenmelden(übersprungen);
}

bool IV_Neues_Volk::speichern() {
  try {
    eingabeprüfen();
    if (eingabefehler_ != 0) return false;
    volkspeichern();
  } catch (const dao::Error& e) {
    fehlermelden("Das Volk konnte nicht gespeichert werden.", e.text());
    return false;
  }
  return true;
}

// --- buttons ---------------------------------------------------------------------------

void IV_Neues_Volk::ok_Click() {
  if (!speichern()) return;
  common::piepton();
  unload();
}

void IV_Neues_Volk::oknächster_Click(int index) {
  if (!speichern()) return;
  bool weiter = true;
  try {
    if (neu_) {
      hauptlisteneulesen();
      listenfüllen();
      weiter = volkanzeigen();
    } else if (common::datali && common::datali->rows() >= 2) {
      int ziel = common::datali->row() + (index == 0 ? 1 : -1);
      if (ziel < 1) ziel = common::datali->rows();
      if (ziel > common::datali->rows()) ziel = 1;
      common::datali->setRow(ziel);
      listenfüllen();
      weiter = volkanzeigen();
    }
  } catch (const dao::Error& e) {
    // Stored all the same; only the next colony could not be shown.
    fehlermelden("Das nächste Volk kann nicht angezeigt werden.", e.text());
    weiter = false;
  }
  common::piepton();
  if (!weiter) unload();
}

void IV_Neues_Volk::standard_Click() {
  try {
    vb::TextWriter datei(standarddatei());
    for (int i = 1; i < anzahlvolkfelder; ++i) {
      QString text = sevt(i).text();
      text.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
      datei.printLine(text);
    }
    datei.printLine(vb::str(kon->isChecked() ? 1 : 0));
    datei.close();
  } catch (const vb::Error& e) {
    vb::msgbox("Die Standardwerte konnten nicht gesichert werden." + zeilenumbruch + zeilenumbruch + e.text());
    return;
  }
  vb::msgbox(QStringLiteral("Die Standardwerte wurden gesichert und werden ab sofort bei jeder Volk-Neueingabe als "
                            "Standardwerte vorgegeben."));
}

void IV_Neues_Volk::cmdabbrechen_Click() { unload(); }

void IV_Neues_Volk::comhilfe_Click() { hilfezeigen(formName()); }

}  // namespace zevo::colonies
