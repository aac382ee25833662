#include "colonies/iv_selektieren.h"

#include "colonies/fensterdienste.h"
#include "common/einstellungen.h"
#include "common/routinen.h"
#include "common/variablen.h"
#include "platform/runtime/mousepointer.h"
#include "platform/runtime/msgbox.h"
#include "platform/runtime/vb.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <functional>

namespace zevo::colonies {

namespace {

// The text criteria: entselekt(2..6) on sevt(0..4).
struct Textkriterium {
  const char* knopf;
  const char* spalte;
  const char* name;    // in the refusal
  int länge;
  const char* liste;
};

const Textkriterium textkriterien[] = {
    {"Völker mit Standort --->", "Standort", "der Standort", 100,
     "select distinct Standort from Bienenvolk order by Standort"},
    {"Völker mit Beuteart  --->", "Beuteart", "die Beuteart", 20,
     "select distinct Beuteart from Bienenvolk order by Beuteart"},
    {"Völker der Rasse --->", "Bienenrasse", "die Rasse", 20,
     "select distinct Bienenrasse from Bienenvolk order by Bienenrasse"},
    {"Völker der Herkunft --->", "Volk_Herkunft", "die Herkunft", 50,
     "select distinct Volk_Herkunft from Bienenvolk order by Volk_Herkunft"},
    {"Völker an Abnehmer --->", "Abnehmer", "der Abnehmer", 50,
     "select distinct Abnehmer from Bienenvolk order by Abnehmer"},
};
constexpr int ersterTextknopf = 2, letzterTextknopf = 6;
constexpr int knopfAlle = 0, knopfKeine = 1, knopfBestand = 7, knopfMerkmal = 8;
constexpr int feldMerkmal = 5, feldWert = 6;

const char* const knopfcaptions[] = {"Alle Völker selektieren", "Alle Völker entselektieren", nullptr, nullptr,
                                     nullptr, nullptr, nullptr, "Völker die aktuell im Bestand sind",
                                     "Völker wo..."};

void ablehnen(const QString& name) {
  vb::msgbox("Der Selektionswunsch kann nicht ausgeführt werden, weil " + name + " nicht ausgewählt ist.");
}

bool istnull(const QVariant& v) { return !v.isValid() || v.isNull(); }

}  // namespace

const QStringList& IV_Selektieren::merkmale() {
  static const QStringList liste{
      QStringLiteral("Volksstärke"),  QStringLiteral("Mittelwände"),      QStringLiteral("Wabenanzahl"),
      QStringLiteral("Brutstand"),    QStringLiteral("Wabensitz"),        QStringLiteral("Sanftmut"),
      QStringLiteral("Schwarmtrieb"), QStringLiteral("Frühjahrsentw"),    QStringLiteral("Winterfestigkeit"),
      QStringLiteral("Varroaschäden"), QStringLiteral("Belagert")};
  return liste;
}

QString IV_Selektieren::merkmalspalte(const QString& merkmal) {
  if (!merkmale().contains(merkmal)) return {};
  // The one entry spelled otherwise than its column.
  return merkmal == QStringLiteral("Volksstärke") ? QStringLiteral("Volkstärke") : merkmal;
}

IV_Selektieren::IV_Selektieren(QWidget* parent) : vb::Form(QStringLiteral("IV_Selektieren"), parent) {
  setWindowTitle(QStringLiteral("Völker selektieren"));
  steuerelementeanlegen();
}

IV_Selektieren::~IV_Selektieren() = default;

void IV_Selektieren::steuerelementeanlegen() {
  auto* rahmen = new QGroupBox(QStringLiteral("Selektions-Auswahl"), this);
  auto* gitter = new QGridLayout(rahmen);
  gitter->setVerticalSpacing(4);
  for (int i = 0; i < 9; ++i) {
    const bool text = i >= ersterTextknopf && i <= letzterTextknopf;
    const char* caption = text ? textkriterien[i - ersterTextknopf].knopf : knopfcaptions[i];
    entselekt[i] = new QPushButton(QString::fromUtf8(caption), rahmen);
    entselekt[i]->setStyleSheet(QStringLiteral("text-align: left; padding: 3px 8px;"));
    connect(entselekt[i], &QPushButton::clicked, this, [this, i] { entselekt_Click(i); });
    gitter->addWidget(entselekt[i], i, 0);
    if (text) {
      const Textkriterium& k = textkriterien[i - ersterTextknopf];
      ui::sevText& f = sevt.add(i - ersterTextknopf, rahmen);
      f.setMaxlength(k.länge);
      f.setShowbutton(true);
      f.setSorted(true);
      f.setMinimumWidth(k.länge >= 50 ? 260 : 180);
      gitter->addWidget(&f, i, 1, 1, 2);
    }
  }
  ui::sevText& merkmal = sevt.add(feldMerkmal, rahmen);
  merkmal.setMaxlength(20);
  merkmal.setSorted(true);
  merkmal.setStyle(2);   // one of the entries, picked from the list
  merkmal.setUnitdescr(QStringLiteral(" ="));
  merkmal.setMinimumWidth(180);
  ui::sevText& wert = sevt.add(feldWert, rahmen);
  wert.setTexttype(1);
  wert.setNumbertype(7);
  wert.setMin(-99);
  wert.setMax(99);
  wert.setMaxlength(3);
  wert.setTextalign(1);
  wert.setFixedWidth(50);
  wert.setText(QStringLiteral("0"));
  gitter->addWidget(&merkmal, knopfMerkmal, 1);
  gitter->addWidget(&wert, knopfMerkmal, 2, Qt::AlignLeft);
  gitter->setColumnStretch(1, 1);

  kon[0] = new QCheckBox(QStringLiteral("Alte Selektion vor neuer Selektion löschen"), this);
  kon[1] = new QCheckBox(
      QStringLiteral("Die Selektion bezieht sich nur auf die aktuell im Bestand befindlichen Völker"), this);
  hilfe = new QPushButton(QStringLiteral("&Hilfe"), this);
  abbv = new QPushButton(QStringLiteral("&Schließen"), this);
  connect(hilfe, &QPushButton::clicked, this, [this] { hilfe_Click(); });
  connect(abbv, &QPushButton::clicked, this, [this] { abbv_Click(); });

  auto* knöpfe = new QHBoxLayout;
  knöpfe->addStretch(1);
  knöpfe->addWidget(hilfe);
  knöpfe->addWidget(abbv);
  auto* ganz = new QVBoxLayout(this);
  ganz->addWidget(rahmen);
  ganz->addWidget(kon[0]);
  ganz->addWidget(kon[1]);
  ganz->addLayout(knöpfe);
}

void IV_Selektieren::Form_Load() {
  try {
    db_ = eigenedatenbank();
    for (int i = 0; i <= letzterTextknopf - ersterTextknopf; ++i)
      sevt(i).setListsource(db_, QString::fromUtf8(textkriterien[i].liste));
  } catch (const dao::Error& e) {
    fehlermelden("Die Völker können nicht selektiert werden.", e.text());
    unload();
    return;
  }
  for (const QString& m : merkmale()) sevt(feldMerkmal).listadd(m);
  kon[0]->setChecked(common::selektionaltelöschen() == 1);
  kon[1]->setChecked(common::selektionnurbestand() == 1);
}

void IV_Selektieren::Form_Activate() { vb::setMousePointer(vb::vbDefault); }

void IV_Selektieren::Form_Unload(bool&) {
  if (db_.isOpen()) db_.close();
}

void IV_Selektieren::entselekt_Click(int index) {
  if (index < 0 || index > knopfMerkmal) return;

  // The criterion of the button, checked before anything changes.
  std::function<bool(const dao::Recordset&)> trifft = [](const dao::Recordset&) { return true; };
  if (index >= ersterTextknopf && index <= letzterTextknopf) {
    const Textkriterium& k = textkriterien[index - ersterTextknopf];
    const QString gesucht = sevt(index - ersterTextknopf).text();
    if (vb::trim(gesucht).isEmpty()) return ablehnen(QString::fromUtf8(k.name));
    const QString spalte = QString::fromUtf8(k.spalte);
    // Compared as it is stored: a typed "O'Hara" finds the stored "O`Hara".
    trifft = [spalte, gesucht = common::feldtext(gesucht)](const dao::Recordset& rs) {
      const QVariant v = rs[spalte].value();
      return !istnull(v) && v.toString() == gesucht;
    };
  } else if (index == knopfBestand) {
    trifft = [](const dao::Recordset& rs) {
      const QVariant v = rs["Akt_im_Bestand"].value();
      return !istnull(v) && v.toString() == QLatin1String("X");
    };
  } else if (index == knopfMerkmal) {
    const QString spalte = merkmalspalte(sevt(feldMerkmal).text());
    if (spalte.isEmpty()) return ablehnen(QStringLiteral("der Bezug"));
    const int gesucht = ganzzahlamanfang(sevt(feldWert).text());
    trifft = [spalte, gesucht](const dao::Recordset& rs) {
      const QVariant v = rs[spalte].value();
      return !istnull(v) && v.toLongLong() == gesucht;
    };
  }

  try {
    dao::Transaction transaktion(db_);
    if (index == knopfKeine || kon[0]->isChecked()) db_.execute(QStringLiteral("update Bienenvolk set Selektiert = ''"));
    if (index != knopfKeine) {
      vb::setMousePointer(vb::vbHourglass);
      dao::Recordset rs = db_.openRecordset(QStringLiteral("select * from Bienenvolk") +
                                            (kon[1]->isChecked() ? QStringLiteral(" where Akt_im_Bestand = 'X'")
                                                                 : QString()));
      for (; !rs.eof(); rs.moveNext()) {
        if (!trifft(rs)) continue;
        rs.edit();
        rs["Selektiert"] = "X";
        rs.update();
      }
      rs.close();
    }
    transaktion.commit();
  } catch (const dao::Error& e) {
    fehlermelden("Die Selektion konnte nicht ausgeführt werden.", e.text());
    return;
  }
  common::völkerneulesen = 1;
  hauptlisteneulesen();
  vb::setMousePointer(vb::vbDefault);
}

void IV_Selektieren::hilfe_Click() { hilfezeigen(formName()); }

void IV_Selektieren::abbv_Click() {
  common::selektionaltelöschen() = kon[0]->isChecked() ? 1 : 0;
  common::selektionnurbestand() = kon[1]->isChecked() ? 1 : 0;
  unload();
}

}  // namespace zevo::colonies
