#include "planning/iv_terminverwaltung.h"

#include "common/fensterdienste.h"
#include "common/routinen.h"
#include "common/variablen.h"
#include "components/sevgrid.h"
#include "planning/planungsdienste.h"
#include "platform/runtime/mousepointer.h"
#include "platform/runtime/msgbox.h"
#include "platform/runtime/vb.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zevo::planning {

namespace {

using common::feldtext;
using common::zeilenumbruch;

const QString breitenabschnitt = QStringLiteral("iv_terminverwaltung_litermine");

constexpr int feldDatum = 0, feldTermin = 1, feldErledigt = 2, feldFilterVolk = 3, feldFilterArt = 4,
              feldFilterStatus = 5, feldVon = 6, feldBis = 7, feldVolk = 8;

struct Feld {
  int index;
  const char* caption;
  int länge;
  int style;     // 0 typed, 2 picked from the list
  bool liste;    // with a drop-down list
  bool datum;
  int breite;
};

const Feld eingabefelder[] = {
    {feldDatum, "Datum", 10, 0, false, true, 95},
    {feldTermin, "Termin", 30, 0, true, false, 240},
    {feldErledigt, "Erledigt (J/N)", 1, 2, true, false, 55},
    {feldVolk, "Volknummer", 10, 0, true, false, 120},
};
const Feld filterfelder[] = {
    {feldFilterVolk, "...die Volknummer", 10, 2, true, false, 120},
    {feldFilterArt, "...die Terminart", 30, 0, true, false, 240},
    {feldFilterStatus, "...den Erledigungs-Status", 1, 2, true, false, 55},
    {feldVon, "...Termindatum vom", 10, 0, false, true, 95},
    {feldBis, "...Termindatum bis", 10, 0, false, true, 95},
};

// The date of a field as the query needs it; the field's default when it holds none.
QString filterdatum(const QString& text, int standardtage) {
  if (const auto d = datumaustext(text)) return datumtext(*d);
  return heuteplus(standardtage);
}

}  // namespace

IV_Terminverwaltung::IV_Terminverwaltung() : vb::Form(QStringLiteral("IV_Terminverwaltung")) {
  setWindowTitle(QStringLiteral("Terminverwaltung"));
  steuerelementeanlegen();
}

void IV_Terminverwaltung::steuerelementeanlegen() {
  auto* überschrift = new QLabel(QStringLiteral("Termine"), this);
  QFont fett = überschrift->font();
  fett.setBold(true);
  überschrift->setFont(fett);
  litermine = new ui::sevGrid(this);
  litermine->setAllowdelete(true);
  litermine->setAutosort(true);
  litermine->setMinimumSize(520, 300);
  connect(litermine, &ui::sevGrid::rowclick, this, [this] { litermine_rowclick(); });
  connect(litermine, &ui::sevGrid::rowmove, this, [this] { litermine_rowclick(); });
  connect(litermine, &ui::sevGrid::dblclick, this, [this] { litermine_dblclick(); });
  connect(litermine, &ui::sevGrid::colresize, this, [this](int c, int w) { litermine_colresize(c, w); });

  auto rahmen = [this](const QString& titel, const auto& felder) {
    auto* box = new QGroupBox(titel, this);
    auto* form = new QFormLayout(box);
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    for (const Feld& f : felder) {
      ui::sevText& t = sevt.add(f.index, box);
      t.setMaxlength(f.länge);
      t.setStyle(f.style);
      t.setShowbutton(f.liste);
      t.setFixedWidth(f.breite);
      if (f.datum) {
        t.setFormat(2);
        t.setMask(QStringLiteral("dd.mm.yyyy"));
      }
      auto* label = new QLabel(QString::fromUtf8(f.caption), box);
      label->setBuddy(t.editor());
      form->addRow(label, &t);
    }
    return box;
  };
  QGroupBox* eingabe = rahmen(QStringLiteral("Termine eingeben / ändern"), eingabefelder);
  QGroupBox* filter = rahmen(QStringLiteral("Die Termine (Auflistung) begrenzen auf..."), filterfelder);
  connect(&sevt, &ui::sevTextArray::gotfocus, this, [this](int i) { sevt_gotfocus(i); });
  connect(&sevt, &ui::sevTextArray::lostfocus, this, [this](int i) { sevt_lostfocus(i); });
  connect(&sevt, &ui::sevTextArray::listpick, this, [this](int i) { sevt_listpick(i); });
  connect(&sevt, &ui::sevTextArray::change, this, [this](int i) { sevt_change(i); });

  neu[0] = new QPushButton(QStringLiteral("&Neu"), this);
  neu[1] = new QPushButton(QStringLiteral("&Ändern"), this);
  löschen = new QPushButton(QStringLiteral("&Löschen"), this);
  lschalleerledigte = new QPushButton(QStringLiteral("Alle als erledigt markierte Termine löschen"), this);
  ok = new QPushButton(QStringLiteral("Termine &Berechnen"), this);
  hilfe = new QPushButton(QStringLiteral("&Hilfe"), this);
  beenden = new QPushButton(QStringLiteral("&Schließen"), this);
  connect(neu[0], &QPushButton::clicked, this, [this] { neu_Click(0); });
  connect(neu[1], &QPushButton::clicked, this, [this] { neu_Click(1); });
  connect(löschen, &QPushButton::clicked, this, [this] { löschen_Click(); });
  connect(lschalleerledigte, &QPushButton::clicked, this, [this] { lschalleerledigte_Click(); });
  connect(ok, &QPushButton::clicked, this, [this] { ok_Click(); });
  connect(hilfe, &QPushButton::clicked, this, [this] { hilfe_Click(); });
  connect(beenden, &QPushButton::clicked, this, [this] { beenden_Click(); });

  auto* hinweis = new QLabel(
      QStringLiteral("WICHTIG!!! Sie sollten hier nur einmalige Termine eintragen. Volkabhängige jährlich "
                     "wiederkehrende Termine sollten unbedingt über die Arbeitsplan-Optionen in die Terminverwaltung "
                     "eingetragen werden. Ein Doppelklick auf den Termin kennzeichnet diesen als erledigt."),
      this);
  hinweis->setWordWrap(true);

  auto* eingabeknöpfe = new QHBoxLayout;
  for (QPushButton* b : {neu[0], neu[1], löschen}) eingabeknöpfe->addWidget(b);
  eingabeknöpfe->addStretch(1);
  auto* rechts = new QVBoxLayout;
  rechts->addWidget(eingabe);
  rechts->addLayout(eingabeknöpfe);
  rechts->addWidget(filter);
  rechts->addWidget(hinweis);
  rechts->addStretch(1);
  auto* links = new QVBoxLayout;
  links->addWidget(überschrift);
  links->addWidget(litermine, 1);
  auto* oben = new QHBoxLayout;
  oben->addLayout(links, 1);
  oben->addLayout(rechts);
  auto* unten = new QHBoxLayout;
  unten->addWidget(lschalleerledigte);
  unten->addWidget(ok);
  unten->addStretch(1);
  unten->addWidget(hilfe);
  unten->addWidget(beenden);
  auto* ganz = new QVBoxLayout(this);
  ganz->addLayout(oben, 1);
  ganz->addLayout(unten);
}

// --- life cycle ---------------------------------------------------------------------

void IV_Terminverwaltung::Form_Load() {
  try {
    db_ = common::eigenedatenbank();
    sevt(feldFilterVolk).listclear();
    sevt(feldFilterVolk).listadd(QString());
    sevt(feldVolk).listadd(QString());
    dao::Recordset rs = db_.openRecordset(QStringLiteral("select distinct Volknr from Bienenvolk order by Volknr"));
    for (; !rs.eof(); rs.moveNext()) {
      sevt(feldFilterVolk).listadd(feldtext(rs["Volknr"]));
      sevt(feldVolk).listadd(feldtext(rs["Volknr"]));
    }
    rs.close();
    sevt(feldFilterVolk).setListindex(-1);
    sevt(feldFilterArt).listclear();
    sevt(feldFilterArt).listadd(QString());
    sevt(feldTermin).listadd(QString());
    rs = db_.openRecordset(QStringLiteral("select distinct Termin from Termine order by Termin"));
    for (; !rs.eof(); rs.moveNext()) {
      sevt(feldFilterArt).listadd(feldtext(rs["Termin"]));
      sevt(feldTermin).listadd(feldtext(rs["Termin"]));
    }
    rs.close();
    sevt(feldFilterArt).setListindex(-1);
  } catch (const dao::Error& e) {
    common::fehlermelden("Die Terminverwaltung kann nicht geöffnet werden.", e.text());
    unload();
    return;
  }
  ui::sevText& status = sevt(feldFilterStatus);
  status.listclear();
  for (const char* t : {"", "J", "N"}) status.listadd(QString::fromLatin1(t));
  terminelisten();
  terminfelderleeren();
}

void IV_Terminverwaltung::Form_Activate() { vb::setMousePointer(vb::vbDefault); }

void IV_Terminverwaltung::Form_Unload(bool&) {
  if (db_.isOpen()) db_.close();
}

void IV_Terminverwaltung::beenden_Click() { unload(); }

void IV_Terminverwaltung::hilfe_Click() { common::hilfezeigen(formName()); }

void IV_Terminverwaltung::ok_Click() {
  vb::setMousePointer(vb::vbHourglass);
  vb::showForm(QStringLiteral("IV_Starttermine"));
}

void IV_Terminverwaltung::knöpfefreigeben(bool an) {
  for (QPushButton* b : {neu[0], neu[1], löschen, hilfe, beenden}) b->setEnabled(an);
}

// --- the list -------------------------------------------------------------------------

QString IV_Terminverwaltung::abfrage() {
  QString sql = "select Datum, Termin, Erledigt, Volk as Volk_ID, ID from Termine where Datum >= " +
                common::sqldatum(filterdatum(sevt(feldVon).text(), -7)) +
                " and Datum <= " + common::sqldatum(filterdatum(sevt(feldBis).text(), 14));
  const QString volknr = feldtext(sevt(feldFilterVolk).text());
  if (!volknr.isEmpty()) {
    dao::Recordset rs = db_.openRecordset("select Volknr, ID from Bienenvolk where Volknr = '" + volknr + "'");
    if (!rs.eof()) sql += " and Volk =" + QString::number(rs["ID"].value().toInt());
    rs.close();
  }
  if (!vb::trim(sevt(feldFilterArt).text()).isEmpty())
    sql += " and Termin = '" + feldtext(sevt(feldFilterArt).text()) + "'";
  if (!vb::trim(sevt(feldFilterStatus).text()).isEmpty())
    sql += " and Erledigt = '" + feldtext(sevt(feldFilterStatus).text()) + "'";
  return sql + " order by Datum";
}

bool IV_Terminverwaltung::terminelisten(bool melden) {
  // Putting a default back into a date field raises its change event, which
  // must not start a second listing inside this one.
  if (listet_) return true;
  listet_ = true;
  knöpfefreigeben(false);
  if (!datumaustext(sevt(feldVon).text())) sevt(feldVon).setText(heuteplus(-7));
  if (!datumaustext(sevt(feldBis).text())) sevt(feldBis).setText(heuteplus(14));
  bool gelesen = true;
  try {
    gridbinden(*litermine, db_, abfrage(), breitenabschnitt, {{QStringLiteral("Termin"), 3300}});
    ++listenaufbauten_;
  } catch (const dao::Error& e) {
    gelesen = false;
    if (melden) common::fehlermelden("Die Termine können nicht gelesen werden.", e.text());
  }
  knöpfefreigeben(true);
  listet_ = false;
  return gelesen;
}

void IV_Terminverwaltung::terminfelderleeren() {
  if (sevt(feldDatum).text().isEmpty()) sevt(feldDatum).setText(common::heute);
  sevt(feldTermin).setText(QString());
  ui::sevText& erledigt = sevt(feldErledigt);
  erledigt.listclear();
  erledigt.listadd(QStringLiteral("J"));
  erledigt.listadd(QStringLiteral("N"));
  erledigt.setListindex(1);
}

void IV_Terminverwaltung::litermine_rowclick() {
  const int r = litermine->row();
  if (r < 1) return;
  sevt(feldDatum).setText(litermine->cell(r, QStringLiteral("Datum")));
  sevt(feldTermin).setText(litermine->cell(r, QStringLiteral("Termin")));
  sevt(feldErledigt).setListindex(litermine->cell(r, QStringLiteral("Erledigt")) == QLatin1String("J") ? 0 : 1);
  QString volknr;
  if (const std::optional<int> volk = common::sqlid(litermine->cell(r, QStringLiteral("Volk_ID")))) {
    try {
      dao::Recordset rs = db_.openRecordset("select Volknr from Bienenvolk where ID = " + QString::number(*volk));
      if (!rs.eof()) volknr = feldtext(rs["Volknr"]);
      rs.close();
    } catch (const dao::Error& e) {
      common::fehlermelden("Das Volk des Termins kann nicht gelesen werden.", e.text());
    }
  }
  // A colony that no longer exists shows no number: a double click would
  // otherwise move the date to the colony shown before.
  sevt(feldVolk).setText(volknr);
}

void IV_Terminverwaltung::litermine_dblclick() {
  const int r = litermine->row();
  sevt(feldErledigt).setListindex(0);
  neu_Click(1);
  if (r >= 1 && r <= litermine->rows()) litermine->setRow(r);
}

void IV_Terminverwaltung::litermine_colresize(int spalte, int breite) {
  spaltenbreitemerken(*litermine, spalte, breite, breitenabschnitt);
}

// --- the filter fields -------------------------------------------------------------------

void IV_Terminverwaltung::sevt_gotfocus(int index) { filtertext_ = sevt(index).text(); }

void IV_Terminverwaltung::sevt_lostfocus(int index) {
  if (index >= feldFilterVolk && index <= feldBis && sevt(index).text() != filtertext_) terminelisten();
  filtertext_ = sevt(index).text();
}

void IV_Terminverwaltung::sevt_listpick(int index) { sevt_lostfocus(index); }

void IV_Terminverwaltung::sevt_change(int index) {
  if (listet_ || !db_.isOpen()) return;
  if ((index == feldVon || index == feldBis) && datumaustext(sevt(index).text())) sevt_lostfocus(index);
}

// --- storing and deleting ---------------------------------------------------------------

void IV_Terminverwaltung::neu_Click(int index) {
  QString gründe;
  const auto datum = datumaustext(sevt(feldDatum).text());
  if (!datum) gründe += "...das Datum des Termins angegeben werden muß." + zeilenumbruch;
  if (feldtext(sevt(feldTermin).text()).isEmpty()) gründe += "...die Terminart angegeben werden muß." + zeilenumbruch;
  QString volk = QStringLiteral("0");
  const QString volknr = feldtext(sevt(feldVolk).text());
  try {
    if (!volknr.isEmpty()) {
      dao::Recordset rs = db_.openRecordset("select ID from Bienenvolk where Volknr = '" + volknr +
                                            "' and Akt_im_Bestand = 'X'");
      if (!rs.eof()) volk = QString::number(common::datensatzid(feldtext(rs["ID"]), QStringLiteral("Das Volk")));
      else gründe += "...das angegebene Volk nicht existiert (aktuell im Bestand ist)." + zeilenumbruch;
      rs.close();
    }
    if (!gründe.isEmpty()) {
      vb::msgbox("Die Daten werden nicht gespeichert, weil..." + zeilenumbruch + zeilenumbruch + gründe);
      return;
    }
    if (index == 1 && litermine->row() < 1) {
      vb::msgbox(QStringLiteral("Bitte markieren Sie zuerst den Datensatz, den Sie ändern möchten!"));
      return;
    }
    speichern(index, *datum, volk);
  } catch (const dao::Error& e) {
    common::fehlermelden("Der Termin konnte nicht gespeichert werden.", e.text());
    terminelisten(false);
  }
}

void IV_Terminverwaltung::speichern(int index, const QDate& datum, const QString& volk) {
  const QString art = feldtext(sevt(feldTermin).text());
  const QString id =
      index == 1 ? QString::number(common::datensatzid(litermine->cell(litermine->row(), QStringLiteral("ID"))))
                 : QString();
  QString sql = "select Termin from Termine where Datum = " + common::sqldatum(datumtext(datum)) + " and Termin = '" +
                art + "' and Volk = " + volk;
  if (index == 1) sql += " and ID <> " + id;
  dao::Recordset gleich = db_.openRecordset(sql);
  const bool vorhanden = !gleich.eof();
  gleich.close();
  if (vorhanden) {
    vb::msgbox(QStringLiteral("Dieser Termin existiert bereits."));
    return;
  }

  dao::Transaction transaktion(db_);
  dao::Recordset rs =
      db_.openRecordset(QStringLiteral("select top 1 * from Termine") + (index == 1 ? " where ID = " + id : QString()));
  if (index == 0) {
    rs.addNew();
  } else {
    if (rs.eof())
      throw dao::Error(dao::errNoCurrentRecord, QStringLiteral("Der Termin ist in der Datenbank nicht mehr vorhanden."));
    rs.edit();
  }
  rs["Datum"] = QVariant(datum);
  rs["Termin"] = art;
  rs["Erledigt"] = feldtext(sevt(feldErledigt).text());
  rs["Volk"] = volk.toInt();
  rs.update();
  const int neueId = rs["ID"].value().toInt();
  rs.close();
  transaktion.commit();
  common::piepton();

  bool bekannt = false;
  for (int i = 0; i < sevt(feldTermin).listcount(); ++i)
    if (sevt(feldTermin).listtext(i) == art) bekannt = true;
  if (!bekannt) {
    sevt(feldFilterArt).listadd(art);
    sevt(feldTermin).listadd(art);
  }
  terminfelderleeren();
  terminelisten();
  if (litermine->findrow("ID = " + QString::number(neueId), false) > 0) litermine_rowclick();
  sevt(feldDatum).setfocus();
}

void IV_Terminverwaltung::löschen_Click() {
  const int r = litermine->row();
  if (r < 1) {
    vb::msgbox(QStringLiteral("Bitte markieren Sie zuerst den Datensatz, den Sie löschen möchten."));
    return;
  }
  if (common::löschenbestätigen() != 1) return;
  try {
    dao::Transaction transaktion(db_);
    litermine->removeitem(r);
    transaktion.commit();
  } catch (const dao::Error& e) {
    common::fehlermelden("Der Termin konnte nicht gelöscht werden.", e.text());
    terminelisten(false);
    return;
  }
  if (litermine->row() > 0) litermine_rowclick();
}

void IV_Terminverwaltung::lschalleerledigte_Click() {
  if (!vb::question(QStringLiteral(
          "Sollen wirklich alle als erledigt markierte Termine aus der Terminverwaltung gelöscht werden?")))
    return;
  bool gelöscht = true;
  try {
    dao::Database db = common::datenbank;
    dao::Transaction transaktion(db);
    db.execute(QStringLiteral("delete from Termine where Erledigt = 'J'"));
    transaktion.commit();
  } catch (const dao::Error& e) {
    gelöscht = false;
    common::fehlermelden("Die erledigten Termine konnten nicht gelöscht werden.", e.text());
  }
  terminfelderleeren();
  terminelisten(gelöscht);
}

}  // namespace zevo::planning
