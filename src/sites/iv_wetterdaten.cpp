#include "sites/iv_wetterdaten.h"

#include "common/fensterdienste.h"
#include "common/routinen.h"
#include "common/variablen.h"
#include "components/sevgrid.h"
#include "platform/runtime/mousepointer.h"
#include "platform/runtime/msgbox.h"
#include "platform/runtime/vb.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zevo::sites {

namespace {

using common::feldtext;
using common::zeilenumbruch;

const QString abschnitt = QStringLiteral("iv_wetterdaten_liwetter");

enum class Art { Datum, Liste, Ganz };

struct Feld {
  const char* caption;
  const char* spalte;
  Art art;
  int länge;
  int min, max;
  const char* liste;
};

const Feld felder[] = {
    {"Datum", "Datum", Art::Datum, 10, 0, 0, nullptr},
    {"Wetter", "Wetter", Art::Liste, 20, 0, 0, "select distinct Wetter from Wetterdaten order by Wetter"},
    {"Temperatur", "Temperatur", Art::Ganz, 3, -40, 60, nullptr},
    {"Niederschlag in mm", "Niederschlag_mm", Art::Ganz, 2, 0, 99, nullptr},
    {"Windrichtung", "Windrichtung", Art::Liste, 10, 0, 0,
     "select distinct Windrichtung from Wetterdaten order by Windrichtung"},
    {"Windstärke", "Windstärke", Art::Ganz, 2, 0, 15, nullptr},
    {"Bemerkung", "Bemerkung", Art::Liste, 30, 0, 0, "select distinct Bemerkung from Wetterdaten order by Bemerkung"},
};
constexpr int anzahlfelder = 7;

}  // namespace

IV_Wetterdaten::IV_Wetterdaten(QWidget* parent) : vb::Form(QStringLiteral("IV_Wetterdaten"), parent) {
  setWindowTitle(QStringLiteral("Wetterdaten"));
  steuerelementeanlegen();
}

IV_Wetterdaten::~IV_Wetterdaten() = default;

void IV_Wetterdaten::steuerelementeanlegen() {
  auto* ganz = new QHBoxLayout(this);

  // Left: the entry fields in their frame, the buttons below.
  auto* links = new QVBoxLayout;
  bezhieb[0] = new QLabel(QStringLiteral("Wetterdaten eingeben / ändern"), this);
  links->addWidget(bezhieb[0]);
  Rahmen = new QFrame(this);
  Rahmen->setFrameShape(QFrame::StyledPanel);
  auto* form = new QFormLayout(Rahmen);
  form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
  form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  for (int i = 0; i < anzahlfelder; ++i) {
    const Feld& feld = felder[i];
    ui::sevText& f = sevt.add(i, Rahmen);
    f.setMaxlength(feld.länge);
    switch (feld.art) {
      case Art::Datum:
        f.setFormat(2);
        f.setMask(QStringLiteral("dd.mm.yyyy"));
        f.setFixedWidth(95);
        break;
      case Art::Liste:
        f.setShowbutton(true);
        f.setFixedWidth(feld.länge <= 10 ? 130 : feld.länge <= 20 ? 190 : 250);
        break;
      case Art::Ganz:
        f.setTexttype(1);
        f.setNumbertype(7);
        f.setMin(feld.min);
        f.setMax(feld.max);
        f.setTextalign(1);
        f.setFixedWidth(50);
        break;
    }
    auto* beschriftung = new QLabel(QString::fromUtf8(feld.caption), Rahmen);
    beschriftung->setBuddy(&f);
    form->addRow(beschriftung, &f);
  }
  links->addWidget(Rahmen);

  auto* knöpfe = new QGridLayout;
  neu[0] = new QPushButton(QStringLiteral("&Neu"), this);
  neu[1] = new QPushButton(QStringLiteral("&Ändern"), this);
  löschen = new QPushButton(QStringLiteral("&Löschen"), this);
  ok = new QPushButton(QStringLiteral("&Listen"), this);
  hilfe = new QPushButton(QStringLiteral("&Hilfe"), this);
  beenden = new QPushButton(QStringLiteral("&Schließen"), this);
  QPushButton* alle[] = {neu[0], neu[1], löschen, ok, hilfe, beenden};
  for (int i = 0; i < 6; ++i) knöpfe->addWidget(alle[i], i / 3, i % 3);
  links->addLayout(knöpfe);
  links->addStretch(1);
  ganz->addLayout(links);

  // Right: the journal, newest day first.
  auto* rechts = new QVBoxLayout;
  bezhieb[1] = new QLabel(QStringLiteral("Wetterdaten"), this);
  rechts->addWidget(bezhieb[1]);
  liwetter = new ui::sevGrid(this);
  liwetter->setAllowdelete(true);
  liwetter->setAutosort(true);
  liwetter->setMinimumSize(800, 360);
  rechts->addWidget(liwetter, 1);
  ganz->addLayout(rechts, 1);

  for (int i = 0; i < 2; ++i) connect(neu[i], &QPushButton::clicked, this, [this, i] { neu_Click(i); });
  connect(löschen, &QPushButton::clicked, this, [this] { löschen_Click(); });
  connect(ok, &QPushButton::clicked, this, [this] { ok_Click(); });
  connect(hilfe, &QPushButton::clicked, this, [this] { hilfe_Click(); });
  connect(beenden, &QPushButton::clicked, this, [this] { beenden_Click(); });
  connect(liwetter, &ui::sevGrid::rowclick, this, [this](int, int, int, int) { liwetter_rowclick(); });
  connect(liwetter, &ui::sevGrid::rowmove, this, [this](int) { liwetter_rowclick(); });
  connect(liwetter, &ui::sevGrid::colresize, this, [this](int col, int w) { liwetter_colresize(col, w); });
}

void IV_Wetterdaten::Form_Load() {
  try {
    db_ = common::eigenedatenbank();
    wetterdatenlesen();
    wettervorbelegen();
  } catch (const dao::Error& e) {
    common::fehlermelden(QStringLiteral("Die Wetterdaten können nicht bearbeitet werden, weil die Datenbank einen "
                                        "Fehler meldet:"),
                         e.text());
    unload();
  }
}

void IV_Wetterdaten::Form_Activate() { vb::setMousePointer(vb::vbDefault); }

void IV_Wetterdaten::Form_Unload(bool&) {
  rs_ = dao::Recordset();
  if (db_.isOpen()) db_.close();
}

void IV_Wetterdaten::wetterdatenlesen() {
  QPushButton* gesperrt[] = {neu[0], neu[1], löschen, hilfe, beenden};
  for (QPushButton* b : gesperrt) b->setEnabled(false);
  try {
    rs_ = db_.openRecordset(QStringLiteral("select * from Wetterdaten order by Datum DESC"));
    liwetter->clear(true);
    liwetter->lockupdate(true);
    liwetter->setPrebindflag(true);
    liwetter->setRecordset(rs_);
    liwetter->column(QStringLiteral("Bemerkung")).setWidth(2400);   // a remark readable before any own width
    liwetter->loadcolwidths(QStringLiteral("ZEVO"), abschnitt, QStringLiteral("ColWidths"));
    liwetter->lockupdate(false);
    liwetter->refresh();
    rs_.close();
  } catch (...) {
    liwetter->lockupdate(false);
    for (QPushButton* b : gesperrt) b->setEnabled(true);
    throw;
  }
  for (QPushButton* b : gesperrt) b->setEnabled(true);
}

void IV_Wetterdaten::wettervorbelegen() {
  sevt(0).setText(common::heute);
  sevt(2).setText(QStringLiteral("20"));
  sevt(3).setText(QStringLiteral("0"));
  sevt(5).setText(QStringLiteral("0"));
  for (int i = 0; i < anzahlfelder; ++i)
    if (felder[i].liste) {
      sevt(i).listclear();
      sevt(i).setListsource(db_, QString::fromUtf8(felder[i].liste));
    }
}

void IV_Wetterdaten::liwetter_rowclick() {
  const int zeile = liwetter->row();
  for (int i = 0; i < anzahlfelder; ++i)
    sevt(i).setText(liwetter->cell(zeile, QString::fromUtf8(felder[i].spalte)));
}

void IV_Wetterdaten::liwetter_colresize(int col, int widthTwips) {
  if (widthTwips < 25) liwetter->column(col).setWidth(25);
  liwetter->savecolwidths(QStringLiteral("ZEVO"), abschnitt, QStringLiteral("ColWidths"));
}

int IV_Wetterdaten::speichern(int index) {
  const QString datum = feldtext(sevt(0).text());
  QString gründe;
  if (!vb::isDate(datum)) gründe += QStringLiteral("...das Datum angegeben werden muß.") + zeilenumbruch;
  if (feldtext(sevt(1).text()).isEmpty()) gründe += QStringLiteral("...das Wetter angegeben werden muß.") + zeilenumbruch;
  if (!gründe.isEmpty()) {
    vb::msgbox(QStringLiteral("Die Daten werden nicht gespeichert, weil...") + zeilenumbruch + zeilenumbruch + gründe);
    return 0;
  }
  if (index == 1 && liwetter->row() == 0) {
    vb::msgbox(QStringLiteral("Bitte markieren Sie zuerst den Datensatz, den Sie ändern möchten!"));
    return 0;
  }
  const QDate tag = *vb::parseDate(datum);
  try {
    const int markiert = index == 1 ? common::datensatzid(liwetter->cell(liwetter->row(), QStringLiteral("ID"))) : 0;
    dao::Transaction t(db_);
    // One record per day.
    QString sql = QStringLiteral("select Datum from Wetterdaten where Datum = ") + common::sqldatum(datum);
    if (index == 1) sql += QStringLiteral(" and ID <> ") + QString::number(markiert);
    rs_ = db_.openRecordset(sql);
    const bool belegt = rs_.recordCount() >= 1;
    rs_.close();
    if (belegt) {
      vb::msgbox(QStringLiteral("Am angegebenen Datum existiert bereits ein Datensatz. Für jeden Tag kann max. ein "
                                "Wetter gespeichert werden (ggf. Wechselhaft eintragen)!"));
      return 0;
    }
    sql = QStringLiteral("select top 1 * from Wetterdaten");
    if (index == 1) sql += QStringLiteral(" where ID = ") + QString::number(markiert);
    rs_ = db_.openRecordset(sql);
    if (index == 0) {
      rs_.addNew();
    } else {
      if (rs_.eof()) throw dao::Error(dao::errItemNotFound, QStringLiteral("Der markierte Datensatz existiert nicht mehr."));
      rs_.moveFirst();
      rs_.edit();
    }
    rs_[QStringLiteral("Datum")] = tag;
    rs_[QStringLiteral("Wetter")] = feldtext(sevt(1).text());
    rs_[QStringLiteral("Temperatur")] = common::ganzzahlamanfang(sevt(2).text());
    rs_[QStringLiteral("Niederschlag_mm")] = common::ganzzahlamanfang(sevt(3).text());
    rs_[QStringLiteral("Windrichtung")] = feldtext(sevt(4).text());
    rs_[QStringLiteral("Windstärke")] = common::ganzzahlamanfang(sevt(5).text());
    rs_[QStringLiteral("Bemerkung")] = feldtext(sevt(6).text());
    rs_.update();
    const int id = index == 0 ? rs_[QStringLiteral("ID")].value().toInt() : markiert;
    rs_.close();
    t.commit();
    return id;
  } catch (const dao::Error& e) {
    rs_ = dao::Recordset();
    common::fehlermelden(QStringLiteral("Die Wetterdaten wurden nicht gespeichert, weil die Datenbank einen Fehler "
                                        "meldet:"),
                         e.text());
    return 0;
  }
}

void IV_Wetterdaten::neu_Click(int index) {
  const int id = speichern(index);
  if (id == 0) return;
  common::piepton();
  try {
    wettervorbelegen();
    wetterdatenlesen();
  } catch (const dao::Error& e) {
    common::fehlermelden(QStringLiteral("Die Wetterdaten wurden gespeichert, konnten aber nicht neu gelesen werden:"),
                         e.text());
    return;
  }
  if (liwetter->findrow(QStringLiteral("ID = ") + QString::number(id), false) > 0) liwetter_rowclick();
  sevt(0).setfocus();
}

void IV_Wetterdaten::löschen_Click() {
  if (liwetter->row() == 0) {
    vb::msgbox(QStringLiteral("Bitte markieren Sie zuerst den Datensatz, den Sie löschen möchten."));
    return;
  }
  if (common::löschenbestätigen() != 1) return;
  try {
    dao::Transaction t(db_);
    liwetter->removeitem(liwetter->row());
    t.commit();
  } catch (const dao::Error& e) {
    common::fehlermelden(QStringLiteral("Der Datensatz wurde nicht gelöscht, weil die Datenbank einen Fehler meldet:"),
                         e.text());
    return;
  }
  if (liwetter->row() > 0) liwetter_rowclick();
}

void IV_Wetterdaten::ok_Click() {
  vb::setMousePointer(vb::vbHourglass);
  vb::showForm(QStringLiteral("IW_Wetterdaten"));
}

void IV_Wetterdaten::hilfe_Click() { common::hilfezeigen(QStringLiteral("IV_Wetterdaten")); }

void IV_Wetterdaten::beenden_Click() { unload(); }

}  // namespace zevo::sites
