#include "evaluations/iw_voelkerdaten.h"

#include "common/einstellungen.h"
#include "components/sevgrid.h"
#include "output/listenuebergabe.h"
#include "platform/runtime/mousepointer.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace zevo::evaluations {

IW_Völkerdaten::IW_Völkerdaten(QWidget* parent)
    : Auswertungsfenster(QStringLiteral("IW_Völkerdaten"), QStringLiteral("Völkerdaten listen"), parent) {
  auto* felder = new QGroupBox(QStringLiteral("Zu listende Datenfelder"), this);
  liste = new QListWidget(felder);
  liste->setSelectionMode(QAbstractItemView::MultiSelection);
  liste->setMinimumSize(220, 300);
  alletieranlegen();
  auto* alleKeine = new QHBoxLayout;
  alleKeine->addWidget(alletier[0]);
  alleKeine->addWidget(alletier[1]);
  auto* felderSpalte = new QVBoxLayout(felder);
  felderSpalte->addWidget(liste);
  felderSpalte->addLayout(alleKeine);

  komsort = new ui::sevText(0, this);
  komsort->setCaption(QStringLiteral("Sortiert nach"));
  komsort->setStyle(2);
  komsort->setShowbutton(true);
  komsort->setMinimumWidth(240);

  QGroupBox* auswahl = völkerauswahlanlegen(Klauselart::Völkerdaten);
  nächsteranlegen(QStringLiteral("&Vorheriger"), QStringLiteral("&Nächster"));

  auto* rechts = new QVBoxLayout;
  rechts->addWidget(auswahl);
  rechts->addWidget(komsort);
  rechts->addStretch(1);
  rechts->addWidget(meter);
  auto* oben = new QHBoxLayout;
  oben->addWidget(felder, 1);
  oben->addLayout(rechts);
  QHBoxLayout* knöpfe = knopfreihe();
  auto* ganz = new QVBoxLayout(this);
  ganz->addLayout(oben);
  ganz->addLayout(knöpfe);
}

void IW_Völkerdaten::listenfüllen() {
  dao::Recordset rs = datenbank().openRecordset(QStringLiteral("select * from Bienenvolk"));
  for (int i = 0; i < rs.fieldCount(); ++i) {
    const QString name = rs.fields(i).name();
    liste->addItem(name);
    komsort->listadd(name);
  }
  rs.close();
}

void IW_Völkerdaten::optionensetzen() {
  // A stored index without an entry (a hand-edited file) sorts by the first column.
  const int index = common::völkerdatensortierung();
  komsort->setListindex(index >= 0 && index < komsort->listcount() ? index : 0);
  const QString& felder = common::völkerdatenfelder();
  for (int i = 0; i < liste->count(); ++i)
    liste->item(i)->setSelected(felder.contains(";" + liste->item(i)->text() + ";"));
}

void IW_Völkerdaten::optionenspeichern() {
  common::völkerdatensortierung() = komsort->listindex();
  QString felder = QStringLiteral(";");
  for (int i = 0; i < liste->count(); ++i)
    if (liste->item(i)->isSelected()) felder += liste->item(i)->text() + ";";
  common::völkerdatenfelder() = felder;
}

void IW_Völkerdaten::alletier_click(int index) {
  for (int i = 0; i < liste->count(); ++i) liste->item(i)->setSelected(index == 0);
}

QString IW_Völkerdaten::anweisung() const {
  QString sql = QStringLiteral("select ");
  for (int i = 0; i < liste->count(); ++i)
    if (liste->item(i)->isSelected()) sql += liste->item(i)->text() + ", ";
  sql.chop(2);
  sql += QStringLiteral(" from Bienenvolk") + völkerklausel();
  // Only a column name is a sort: anything else would break the statement.
  const QString sortierung = komsort->text();
  for (int i = 0; i < komsort->listcount(); ++i)
    if (komsort->listtext(i) == sortierung) return sql + " order by " + sortierung;
  return sql;
}

void IW_Völkerdaten::ok_click() {
  if (liste->selectedItems().isEmpty()) alletier_click(0);
  abfragelisten(anweisung(), QStringLiteral("Es wurden lt. den aktuellen Einstellungen keine Völker gefunden!"));
}

}  // namespace zevo::evaluations
