#include "evaluations/iw_statistiken.h"

#include "common/einstellungen.h"
#include "common/fensterdienste.h"
#include "common/routinen.h"
#include "common/variablen.h"
#include "components/sevgrid.h"
#include "evaluations/auswertungsfenster.h"
#include "evaluations/statistikkatalog.h"
#include "output/listenuebergabe.h"
#include "platform/runtime/mousepointer.h"
#include "platform/runtime/msgbox.h"
#include "platform/runtime/vb.h"
#include "platform/runtime/widgets.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

namespace zevo::evaluations {

namespace {

const QString keinedaten = QStringLiteral("Keine zu listenden Daten gefunden");

bool istjahr(const QString& text, int& jahr) {
  const QString s = text.trimmed();
  if (s.isEmpty() || !common::nurziffern(s)) return false;
  jahr = s.toInt();
  return jahr >= 1901 && jahr <= 2099;
}

const char* const volkspaltenschlüssel[3] = {"volknr", "volkname", "standort"};
const char* const volkspaltentitel[3] = {"Volknr", "Volkname", "Standort"};

}  // namespace

IW_Statistiken::IW_Statistiken(QWidget* parent) : vb::Form(QStringLiteral("IW_Statistiken"), parent) {
  setWindowTitle(QStringLiteral("Statistiken"));
  steuerelementeanlegen();
}

IW_Statistiken::~IW_Statistiken() = default;

void IW_Statistiken::steuerelementeanlegen() {
  li1 = new QListWidget(this);
  li1->setSelectionMode(QAbstractItemView::MultiSelection);
  li1x = new QListWidget(this);
  li1x->setSelectionMode(QAbstractItemView::NoSelection);
  li1x->setFocusPolicy(Qt::NoFocus);
  li1->setMinimumWidth(330);
  li1x->setFixedWidth(170);
  // The two lists scroll together, entry beside entry.
  connect(li1->verticalScrollBar(), &QScrollBar::valueChanged, li1x->verticalScrollBar(), &QScrollBar::setValue);
  connect(li1x->verticalScrollBar(), &QScrollBar::valueChanged, li1->verticalScrollBar(), &QScrollBar::setValue);

  alletier[0] = new QPushButton(QStringLiteral("Alle"), this);
  alletier[1] = new QPushButton(QStringLiteral("Keine"), this);
  for (int i = 0; i < 2; ++i) connect(alletier[i], &QPushButton::clicked, this, [this, i] { alletier_click(i); });

  auto* spalten = new QGroupBox(QStringLiteral("Zu listende Datenfelder"), this);
  auto* spaltenform = new QVBoxLayout(spalten);
  const char* titel[3] = {"Volknummer", "Volkname", "Standort"};
  for (int i = 0; i < 3; ++i) {
    kontier[i] = new QCheckBox(QString::fromUtf8(titel[i]), spalten);
    spaltenform->addWidget(kontier[i]);
  }
  konschnitt = new QCheckBox(QStringLiteral("Durchschnittswerte anhängen"), this);

  auto* jahre = new QGroupBox(QStringLiteral("Bei Auswertung je Jahr"), this);
  auto* jahrform = new QGridLayout(jahre);
  const char* jahrtitel[2] = {"Von Jahr", "Bis Jahr"};
  for (int i = 0; i < 2; ++i) {
    ui::sevText& f = t.add(i, jahre);
    f.setTexttype(1);
    f.setNumbertype(7);
    f.setFormat(7);
    f.setMin(1901);
    f.setMax(2099);
    f.setMaxlength(4);
    f.setTextalign(1);
    f.setFixedWidth(70);
    auto* l = new QLabel(QString::fromUtf8(jahrtitel[i]), jahre);
    l->setBuddy(&f);
    jahrform->addWidget(l, i, 0);
    jahrform->addWidget(&f, i, 1);
  }
  connect(&t, &ui::sevTextArray::lostfocus, this, [this](int i) { t_lostfocus(i); });

  ok[0] = new QPushButton(QStringLiteral("Statistik je Volk"), this);
  ok[1] = new QPushButton(QStringLiteral("Statistik je Jahr"), this);
  for (int i = 0; i < 2; ++i) connect(ok[i], &QPushButton::clicked, this, [this, i] { ok_click(i); });
  beenden = new QPushButton(QStringLiteral("&Schließen"), this);
  hilfe = new QPushButton(QStringLiteral("&Hilfe"), this);
  connect(beenden, &QPushButton::clicked, this, [this] { beenden_click(); });
  connect(hilfe, &QPushButton::clicked, this, [this] { hilfe_click(); });

  meter = new vb::ProgressBar(this);
  meter->hide();
  gridli = new ui::sevGrid(this);
  gridli->hide();

  Label2 = new QLabel(QStringLiteral(
                          "Hinweis: Bei der Statistik je Volk werden nur die aktuell im Bestand befindlichen Völker "
                          "ausgewertet. Bei der Statistik nach Jahren werden alle Völker berücksichtigt."),
                      this);
  Label2->setWordWrap(true);

  auto* listen = new QGridLayout;
  listen->addWidget(new QLabel(QStringLiteral("Zu berechnende Daten"), this), 0, 0);
  listen->addWidget(new QLabel(QStringLiteral("Feldname"), this), 0, 1);
  listen->addWidget(li1, 1, 0);
  listen->addWidget(li1x, 1, 1);
  auto* alle = new QHBoxLayout;
  alle->addWidget(alletier[0]);
  alle->addWidget(alletier[1]);
  alle->addStretch(1);
  listen->addLayout(alle, 2, 0, 1, 2);

  auto* rechts = new QVBoxLayout;
  rechts->addWidget(spalten);
  rechts->addWidget(konschnitt);
  rechts->addWidget(jahre);
  rechts->addWidget(ok[0]);
  rechts->addWidget(ok[1]);
  rechts->addWidget(Label2);
  rechts->addStretch(1);
  rechts->addWidget(hilfe);
  rechts->addWidget(beenden);

  auto* oben = new QHBoxLayout;
  oben->addLayout(listen, 1);
  oben->addLayout(rechts);
  auto* ganz = new QVBoxLayout(this);
  ganz->addLayout(oben, 1);
  ganz->addWidget(meter);
  resize(780, 520);
}

// --- life cycle ---------------------------------------------------------------------

void IW_Statistiken::Form_Load() {
  try {
    db_ = common::eigenedatenbank(true);
  } catch (const dao::Error& e) {
    common::fehlermelden(QStringLiteral("Die Statistiken können nicht geöffnet werden."), e.text());
    unload();
    return;
  }
  for (const Statistik& s : statistiken) {
    li1->addItem(QString::fromUtf8(s.beschriftung));
    li1x->addItem(QString::fromUtf8(s.schlüssel));
  }
  if (common::jahrvon() < 1901 || common::jahrvon() > 2099) common::jahrvon() = Auswertungsfenster::aktuellesjahr();
  if (common::jahrbis() < 1901 || common::jahrbis() > 2099) common::jahrbis() = Auswertungsfenster::aktuellesjahr();
  t(0).setText(QString::number(common::jahrvon()));
  t(1).setText(QString::number(common::jahrbis()));
  konschnitt->setChecked(common::schnittzeile() != 0);
  const QString& auswahl = common::statistikauswahl();
  for (int i = 0; i < li1->count(); ++i)
    li1->item(i)->setSelected(auswahl.contains(';' + li1->item(i)->text() + ';'));
  for (int i = 0; i < 3; ++i) kontier[i]->setChecked(common::volkspalten(i) != 0);
}

void IW_Statistiken::Form_Activate() { vb::setMousePointer(vb::vbDefault); }

void IW_Statistiken::Form_Unload(bool&) {
  if (db_.isOpen()) db_.close();
}

void IW_Statistiken::beenden_click() {
  for (int i = 0; i < 3; ++i) common::volkspalten(i) = kontier[i]->isChecked() ? 1 : 0;
  common::schnittzeile() = konschnitt->isChecked() ? 1 : 0;
  common::jahrvon() = common::ganzzahlamanfang(t(0).text());
  common::jahrbis() = common::ganzzahlamanfang(t(1).text());
  QString auswahl = QStringLiteral(";");
  for (int i = 0; i < li1->count(); ++i)
    if (li1->item(i)->isSelected()) auswahl += li1->item(i)->text() + ';';
  common::statistikauswahl() = auswahl;
  unload();
}

void IW_Statistiken::hilfe_click() { common::hilfezeigen(formName()); }

void IW_Statistiken::alletier_click(int index) {
  for (int i = 0; i < li1->count(); ++i) li1->item(i)->setSelected(index == 0);
}

void IW_Statistiken::t_lostfocus(int index) { t(index).setText(common::jahrergänzen(t(index).text())); }

// --- the listing -----------------------------------------------------------------------

// The years as the boxes hold them, each the number at the start of its
// text (0 for an empty box). Refused with the reasons when the to year lies
// before the from year or more than 20 years after it.
bool IW_Statistiken::jahregeprüft(int& von, int& bis) {
  von = common::ganzzahlamanfang(t(0).text());
  bis = common::ganzzahlamanfang(t(1).text());
  QString gründe;
  if (bis < von) gründe += QStringLiteral("...das Jahr von... nicht höher sein darf als das Jahr bis...!") + common::zeilenumbruch;
  if (qint64(bis) - von > 20)
    gründe += QStringLiteral("...der Unterschied Jahr von... zu Jahr bis... max. 20 Jahre sein darf.") + common::zeilenumbruch;
  if (gründe.isEmpty()) return true;
  vb::setMousePointer(vb::vbDefault);
  vb::msgbox(QStringLiteral("Die Statisktik kann nicht erstellt werden, weil...") + common::zeilenumbruch +
             common::zeilenumbruch + gründe);
  return false;
}

// A box that holds no year of 1901..2099 (empty, three digits, "0") would
// make the query's date literal unreadable: it gets the current year, which
// the user sees. Returns whether a box was changed.
bool IW_Statistiken::jahrekorrigieren() {
  bool geändert = false;
  for (int i = 0; i < 2; ++i) {
    int jahr = 0;
    if (istjahr(t(i).text(), jahr)) continue;
    t(i).setText(QString::number(Auswertungsfenster::aktuellesjahr()));
    geändert = true;
  }
  return geändert;
}

void IW_Statistiken::ok_click(int index) {
  // The years are checked as typed; only a range that passes has a box
  // without a year set to the current one, and the range it then gives is
  // checked once more.
  int von = 0, bis = 0;
  if (!jahregeprüft(von, bis)) return;
  if (jahrekorrigieren() && !jahregeprüft(von, bis)) return;
  if (li1->selectedItems().isEmpty()) alletier_click(0);
  if (!kontier[0]->isChecked() && !kontier[1]->isChecked() && !kontier[2]->isChecked())
    for (QCheckBox* k : kontier) k->setChecked(true);

  vb::setMousePointer(vb::vbHourglass);
  gridli->clear(true);
  gridli->lockupdate(true);
  meter->setValue(0);
  meter->show();
  try {
    spaltenanlegen(index);
    abfragenbilden();
    if (index == 0) zeilenjevolk(von, bis);
    else zeilenjejahr(von, bis);
    if (konschnitt->isChecked()) schnittzeileanhängen(index);
  } catch (const dao::Error& e) {
    meter->setValue(0);
    meter->hide();
    gridli->lockupdate(false);
    common::fehlermelden(QStringLiteral("Die Statistik konnte nicht erstellt werden."), e.text());
    return;
  }
  vb::setMousePointer(vb::vbDefault);
  meter->setValue(0);
  meter->hide();
  if (gridli->rows() == 0) {
    gridli->lockupdate(false);
    vb::msgbox(keinedaten);
    return;
  }
  output::listeübergeben(*gridli);
}

void IW_Statistiken::spaltenanlegen(int index) {
  if (index == 0) {
    for (int i = 0; i < 3; ++i)
      if (kontier[i]->isChecked())
        gridli->addcolumn(QString::fromUtf8(volkspaltenschlüssel[i]), QString::fromUtf8(volkspaltentitel[i]));
  } else {
    gridli->addcolumn(QStringLiteral("Jahr"), QStringLiteral("Jahr"));
  }
  for (int i = 0; i < li1->count(); ++i) {
    if (!li1->item(i)->isSelected()) continue;
    const QString schlüssel = li1x->item(i)->text();
    gridli->addcolumn(schlüssel, schlüssel, -1, 1, true, 1, -1, 0, 1);
  }
}

void IW_Statistiken::abfragenbilden() {
  abfragen_.clear();
  markiert_.clear();
  for (int i = 0; i < li1->count() && i < anzahlstatistiken; ++i) {
    if (!li1->item(i)->isSelected()) continue;
    markiert_.push_back(i);
    const Statistik& s = statistiken[i];
    auto a = std::find_if(abfragen_.begin(), abfragen_.end(), [&](const Abfrage& x) {
      return qstrcmp(statistiken[x.statistiken.front()].tabelle, s.tabelle) == 0 &&
             qstrcmp(statistiken[x.statistiken.front()].zusatz, s.zusatz) == 0;
    });
    if (a == abfragen_.end()) a = abfragen_.insert(a, Abfrage{});
    a->statistiken.push_back(i);
  }
  int spalte = 0;
  for (Abfrage& a : abfragen_) {
    QString werte;
    for (int i : a.statistiken) {
      const Statistik& s = statistiken[i];
      for (const char* wert : {s.summe, s.summe1}) {
        if (!wert) continue;
        if (!werte.isEmpty()) werte += QStringLiteral(", ");
        werte += QString::fromUtf8(wert) + QStringLiteral(" as w") + QString::number(spalte++);
      }
    }
    const Statistik& erste = statistiken[a.statistiken.front()];
    a.kopf = QStringLiteral("select ") + werte + QStringLiteral(" from ") + QString::fromUtf8(erste.tabelle);
    a.zusatz = QString::fromUtf8(erste.zusatz);
  }
}

void IW_Statistiken::statistikzellen(const QString& bedingung, QString& zeile) {
  QString zellen[anzahlstatistiken];
  for (const Abfrage& a : abfragen_) {
    dao::Recordset rs = db_.openRecordset(a.kopf + bedingung + a.zusatz);
    int spalte = 0;
    for (int i : a.statistiken) {
      const Statistik& s = statistiken[i];
      if (!rs.eof()) {
        double wert;
        if (s.verhältnis()) {
          const double menge = common::zahlauswert(rs.fields(spalte).value());
          wert = menge > 0 ? common::zahlauswert(rs.fields(spalte + 1).value()) / menge : 0.0;
        } else {
          wert = common::zahlauswert(rs.fields(spalte).value());
        }
        zellen[i] = statistikzelle(s.format, wert);
      }
      spalte += s.verhältnis() ? 2 : 1;
    }
    rs.close();
  }
  for (int i : markiert_) zeile += zellen[i] + QLatin1Char('\t');
}

void IW_Statistiken::zeilenjevolk(int von, int bis) {
  dao::Recordset völker = db_.openRecordset(QStringLiteral(
      "select Volknr, Volkname, Standort, ID from Bienenvolk where Akt_im_Bestand = 'X' order by Volknr"));
  meter->setMax(völker.recordCount());
  const QString zeitraum = QStringLiteral(" where Datum >= #01/01/%1# and Datum <= #12/31/%2# and Volk = ")
                               .arg(von)
                               .arg(bis);
  for (; !völker.eof(); völker.moveNext()) {
    QString zeile;
    const char* felder[3] = {"Volknr", "Volkname", "Standort"};
    for (int i = 0; i < 3; ++i)
      if (kontier[i]->isChecked()) zeile += common::feldtext(völker[felder[i]]) + QLatin1Char('\t');
    statistikzellen(zeitraum + common::sqlidtext(common::feldtext(völker["ID"])), zeile);
    gridli->additem(zeile);
    meter->setValue(meter->value() + 1);
  }
  völker.close();
}

void IW_Statistiken::zeilenjejahr(int von, int bis) {
  meter->setMax(bis - von + 1);
  for (int jahr = von; jahr <= bis; ++jahr) {
    const QString j = QString::number(jahr);
    QString zeile = j + QLatin1Char('\t');
    statistikzellen(QStringLiteral(" where Datum >= #01/01/%1# and Datum <= #12/31/%1#").arg(j), zeile);
    gridli->additem(zeile);
    meter->setValue(meter->value() + 1);
  }
}

void IW_Statistiken::schnittzeileanhängen(int index) {
  const int n = gridli->rows();
  int führend = 1;
  if (index == 0) {
    führend = 0;
    for (QCheckBox* k : kontier) führend += k->isChecked() ? 1 : 0;
  }
  QString zeile = QStringLiteral("SCHNITT");
  for (int c = 0; c < führend; ++c) zeile += QLatin1Char('\t');
  for (int c = führend + 1; c <= gridli->cols(); ++c) {
    if (gridli->column(c).align() == 1) {
      double summe = 0;
      int anzahl = 0;
      for (int r = 1; r <= n; ++r) {
        // The cell as it reads, not through a Single: "1,15 €" counts as 1,15.
        const double v = common::zahlaustextgenau(gridli->cell(r, c));
        if (v != 0) {
          summe += v;
          ++anzahl;
        }
      }
      zeile += vb::format(anzahl > 0 ? summe / anzahl : 0.0, QStringLiteral("0.0"));
    }
    zeile += QLatin1Char('\t');
  }
  gridli->additem(zeile);
}

}  // namespace zevo::evaluations
