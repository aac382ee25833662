#include "evaluations/iw_voelker_buchungen_standard.h"

#include "common/einstellungen.h"
#include "common/fensterdienste.h"
#include "common/routinen.h"
#include "components/sevgrid.h"
#include "output/listenuebergabe.h"
#include "platform/runtime/vb.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zevo::evaluations {

namespace {

const char* const sätze[7] = {"Es sollen die Daten aus den Buchungen...",
                              "...und daraus die Datenfelder...",
                              "...von den Völkern...",
                              "...innerhalb des Zeitraumes...",
                              "...mit den folgenden Feldinhalten der Völker...",
                              "...sortiert nach den Datenfeldern...",
                              "...gelistet werden."};

}  // namespace

const QStringList& IW_Völker_Buchungen_Standard::buchungstabellen() {
  static const QStringList tabellen{
      QStringLiteral("Stockkarte"),  QStringLiteral("Honigernte"),      QStringLiteral("Wachsernte"),
      QStringLiteral("Pollenernte"), QStringLiteral("Sonstigeernte"),   QStringLiteral("Arbeiten"),
      QStringLiteral("Wanderung"),   QStringLiteral("Gewichtsmessung"), QStringLiteral("Behandlung"),
      QStringLiteral("Königinwechsel")};
  return tabellen;
}

IW_Völker_Buchungen_Standard::IW_Völker_Buchungen_Standard(QWidget* parent)
    : Auswertungsfenster(QStringLiteral("IW_Völker_Buchungen_Standard"), QStringLiteral("Völker (Buchungen) listen"),
                         parent) {
  const char* const rahmentitel[6] = {"Zu listende Datenfelder (Völker)",    "Zu listende Datenfelder (Buchungen)",
                                      "Völkerauswahl",                       "Buchungsauswahl der Bewegungsdaten",
                                      "Zu listende Datenfelder (Völker)",    "Zu listende Datenfelder (Völker)"};
  const char* const farben[6] = {"#f3ead2", "#e3eedf", "#dfe8f1", "#efe0e6", "#e6e3f1", "#e8efe0"};
  auto* ganz = new QVBoxLayout(this);
  ganz->setSpacing(4);
  QWidget* inhalt[6] = {};
  for (int i = 0; i < 6; ++i) {
    auto* rahmen = new QGroupBox(QString::fromUtf8(rahmentitel[i]), this);
    rahmen->setObjectName(QStringLiteral("Frame1_%1").arg(i));
    rahmen->setStyleSheet(QStringLiteral("QGroupBox#Frame1_%1 { background: %2; border: 1px solid #b8b8b8; "
                                         "border-radius: 3px; margin-top: 1.5ex; }"
                                         "QGroupBox#Frame1_%1::title { subcontrol-origin: margin; left: 8px; "
                                         "padding: 0 4px; }")
                              .arg(i)
                              .arg(QLatin1String(farben[i])));
    auto* zeile = new QHBoxLayout(rahmen);
    zeile->setContentsMargins(9, 6, 9, 6);
    label1[i] = new QLabel(QString::fromUtf8(sätze[i]), rahmen);
    label1[i]->setMinimumWidth(290);
    label1[i]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    zeile->addWidget(label1[i]);
    inhalt[i] = rahmen;
    auto* eingerückt = new QHBoxLayout;
    eingerückt->addSpacing(24 * i);
    eingerückt->addWidget(rahmen, 1);
    ganz->addLayout(eingerückt);
  }
  auto zeileVon = [&](int i) { return static_cast<QHBoxLayout*>(inhalt[i]->layout()); };

  // 0: the table.
  ui::sevText& tabelle = sevt.add(0, inhalt[0]);
  tabelle.setStyle(2);
  tabelle.setShowbutton(true);
  tabelle.setMinimumWidth(200);
  zeileVon(0)->addWidget(&tabelle);
  zeileVon(0)->addStretch(1);

  // 1: its fields.
  li0 = new QListWidget(inhalt[1]);
  li0->setSelectionMode(QAbstractItemView::MultiSelection);
  li0->setMinimumSize(220, 150);
  alletieranlegen();
  auto* alleKeine = new QVBoxLayout;
  alleKeine->addWidget(alletier[0]);
  alleKeine->addWidget(alletier[1]);
  alleKeine->addStretch(1);
  zeileVon(1)->addWidget(li0);
  zeileVon(1)->addLayout(alleKeine);
  zeileVon(1)->addStretch(1);

  // 2: the colony choice.
  // The frame is the colony choice's own: its caption is "Völkerauswahl".
  auto* auswahlspalte = new QVBoxLayout;
  auswahlspalte->setSpacing(2);
  völkerauswahlanlegen(Klauselart::Buchungen, inhalt[2], auswahlspalte);
  zeileVon(2)->addLayout(auswahlspalte);
  zeileVon(2)->addStretch(1);
  nächsteranlegen(QStringLiteral("&Vorheriges"), QStringLiteral("&Nächstes"));

  // 3: all bookings or a date range.
  optibuch[0] = new QRadioButton(QStringLiteral("Alle Buchungen"), inhalt[3]);
  optibuch[1] = new QRadioButton(QStringLiteral("Datum von"), inhalt[3]);
  datumvonoption = optibuch[1];
  datumsfelderanlegen(inhalt[3]);
  auto* datumszeile = new QHBoxLayout;
  datumszeile->addWidget(optibuch[1]);
  datumszeile->addWidget(&tdat(0));
  datumszeile->addWidget(new QLabel(QStringLiteral("bis"), inhalt[3]));
  datumszeile->addWidget(&tdat(1));
  datumszeile->addStretch(1);
  auto* buchungsspalte = new QVBoxLayout;
  buchungsspalte->addWidget(optibuch[0]);
  buchungsspalte->addLayout(datumszeile);
  zeileVon(3)->addLayout(buchungsspalte, 1);

  // 4: the colony columns.
  kontier[0] = new QCheckBox(QStringLiteral("Volknummer"), inhalt[4]);
  kontier[1] = new QCheckBox(QStringLiteral("Volkname"), inhalt[4]);
  auto* volkspalten = new QVBoxLayout;
  volkspalten->addWidget(kontier[0]);
  volkspalten->addWidget(kontier[1]);
  zeileVon(4)->addLayout(volkspalten);
  zeileVon(4)->addStretch(1);

  // 5 and 6: the sort fields, then the end of the sentence.
  const char* const sortcaptions[2] = {"1. Sortierung", "2. Sortierung"};
  auto* sortspalte = new QVBoxLayout;
  for (int i = 1; i <= 2; ++i) {
    ui::sevText& s = sevt.add(i, inhalt[5]);
    s.setCaption(QString::fromUtf8(sortcaptions[i - 1]));
    s.setStyle(2);
    s.setShowbutton(true);
    s.setMinimumWidth(240);
    sortspalte->addWidget(&s);
  }
  label1[6] = new QLabel(QString::fromUtf8(sätze[6]), inhalt[5]);
  auto* ende = new QHBoxLayout;
  ende->addWidget(label1[6]);
  ende->addWidget(meter, 1);
  sortspalte->addLayout(ende);
  zeileVon(5)->addLayout(sortspalte);
  zeileVon(5)->addStretch(1);
  connect(&sevt, &ui::sevTextArray::listpick, this, [this](int i) { sevt_listpick(i); });

  ganz->addLayout(knopfreihe());
}

void IW_Völker_Buchungen_Standard::sortlistenfüllen() {
  for (const char* eintrag : {"", "Volknr", "Volkname"}) {
    sevt(1).listadd(QString::fromUtf8(eintrag));
    sevt(2).listadd(QString::fromUtf8(eintrag));
  }
}

void IW_Völker_Buchungen_Standard::listenfüllen() {
  sortlistenfüllen();
  for (const QString& tabelle : buchungstabellen()) sevt(0).listadd(tabelle);
  sevt_listpick(0);
}

void IW_Völker_Buchungen_Standard::optionensetzen() {
  kontier[0]->setChecked(common::buchungsvolkspalten(0) == 1);
  kontier[1]->setChecked(common::buchungsvolkspalten(1) == 1);
  // The date texts first: setting them switches to "Datum von", the stored choice wins.
  tdat(0).setText(common::buchungsdatumvon());
  tdat(1).setText(common::buchungsdatumbis());
  optibuch[common::buchungsauswahlstandard() == 1 ? 1 : 0]->setChecked(true);
}

void IW_Völker_Buchungen_Standard::optionenspeichern() {
  common::buchungsvolkspalten(0) = kontier[0]->isChecked() ? 1 : 0;
  common::buchungsvolkspalten(1) = kontier[1]->isChecked() ? 1 : 0;
  common::buchungsdatumvon() = tdat(0).text();
  common::buchungsdatumbis() = tdat(1).text();
  common::buchungsauswahlstandard() = optibuch[0]->isChecked() ? 0 : 1;
}

void IW_Völker_Buchungen_Standard::sevt_listpick(int index) {
  const QString tabelle = sevt(0).text();
  if (index == 0 && !tabelle.isEmpty()) {
    li0->clear();
    sevt(1).listclear();
    sevt(2).listclear();
    sortlistenfüllen();
    try {
      dao::Recordset rs = datenbank().openRecordset("select top 1 * from " + tabelle);
      for (int i = 0; i < rs.fieldCount(); ++i) {
        const QString name = rs.fields(i).name();
        if (name == QLatin1String("Volk") || name == QLatin1String("ID")) continue;
        li0->addItem(name);
        sevt(1).listadd(name);
        sevt(2).listadd(name);
      }
      rs.close();
    } catch (const dao::Error& e) {
      common::fehlermelden(QStringLiteral("Die Datenfelder der Tabelle konnten nicht gelesen werden."), e.text());
    }
  }
  alletier_click(0);
}

void IW_Völker_Buchungen_Standard::alletier_click(int index) {
  for (int i = 0; i < li0->count(); ++i) li0->item(i)->setSelected(index == 0);
}

QString IW_Völker_Buchungen_Standard::gründe() const {
  const QString& zu = common::zeilenumbruch;
  QString gründe;
  if (li0->selectedItems().isEmpty()) gründe += "...keine zu listenden Datenfelder (Buchungen) ausgewählt sind." + zu;
  gründe += datumsgründe();
  for (int i = 1; i <= 2; ++i) {
    const QString name = sevt(i).text();
    if (name.isEmpty()) break;   // a second sort without a first is ignored
    if (sevt(i).listindex() < 0)
      gründe += "...das Sortierfeld '" + name + "' nicht zur gewählten Tabelle gehört." + zu;
  }
  return gründe;
}

QString IW_Völker_Buchungen_Standard::sortausdruck(const QString& name) const {
  if (name == QLatin1String("Volknr") || name == QLatin1String("Volkname")) return name;
  // A field of the table that is not listed under its own name is named with
  // its table: Bienenvolk has columns of the same names.
  for (QListWidgetItem* f : li0->selectedItems())
    if (f->text() == name) return name;
  return sevt(0).text() + "." + name;
}

QString IW_Völker_Buchungen_Standard::anweisung() const {
  const QString t = sevt(0).text();
  QString sql = QStringLiteral("select ");
  if (kontier[0]->isChecked()) sql += QStringLiteral("Bienenvolk.Volknr as Volknr, ");
  if (kontier[1]->isChecked()) sql += QStringLiteral("Bienenvolk.Volkname as Volkname, ");
  for (int i = 0; i < li0->count(); ++i)
    if (li0->item(i)->isSelected()) sql += t + "." + li0->item(i)->text() + " as " + li0->item(i)->text() + ", ";
  sql.chop(2);
  sql += " from Bienenvolk, " + t;
  const QString w = völkerklausel();
  sql += w.isEmpty() ? QStringLiteral(" where ") : w + " and ";
  sql += "Bienenvolk.ID = " + t + ".Volk";
  if (optibuch[1]->isChecked())
    sql += " and " + t + ".Datum >= " + common::sqldatum(tdat(0).text()) + " and " + t +
           ".Datum <= " + common::sqldatum(tdat(1).text());
  if (!sevt(1).text().isEmpty()) {
    sql += " order by " + sortausdruck(sevt(1).text());
    if (!sevt(2).text().isEmpty()) sql += ", " + sortausdruck(sevt(2).text());
  }
  return sql;
}

void IW_Völker_Buchungen_Standard::ok_click() {
  if (!kontier[0]->isChecked() && !kontier[1]->isChecked()) {
    kontier[0]->setChecked(true);
    kontier[1]->setChecked(true);
  }
  if (abgelehnt(gründe())) return;
  abfragelisten(anweisung(), QStringLiteral("Es wurden lt. den aktuellen Einstellungen keine Daten gefunden!"));
}

}  // namespace zevo::evaluations
