#include "planning/iv_starttermine.h"

#include "common/einstellungen.h"
#include "common/fensterdienste.h"
#include "common/routinen.h"
#include "common/variablen.h"
#include "components/sevgrid.h"
#include "output/listenuebergabe.h"
#include "planning/planungsdienste.h"
#include "platform/runtime/mousepointer.h"
#include "platform/runtime/msgbox.h"
#include "platform/runtime/vb.h"
#include "shell/volktermine.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace zevo::planning {

namespace {

using common::feldtext;
using common::zeilenumbruch;

const QString breitenabschnitt = QStringLiteral("iv_starttermine_litermine");
const QString keinedaten = QStringLiteral("Keine zu listenden Daten gefunden");

constexpr int feldErledigt = 0, feldArt = 1, feldStandort = 2, feldBis = 3;

}  // namespace

IV_Starttermine::IV_Starttermine() : vb::Form(QStringLiteral("IV_Starttermine")) {
  setWindowTitle(QStringLiteral("Aktuelle offene Termine"));
  steuerelementeanlegen();
}

void IV_Starttermine::steuerelementeanlegen() {
  bezhieb = new QLabel(QStringLiteral("Aktuelle offene Termine"), this);
  QFont fett = bezhieb->font();
  fett.setBold(true);
  bezhieb->setFont(fett);
  litermine = new ui::sevGrid(this);
  litermine->setAllowmultiselect(true);
  litermine->setAutosort(true);
  litermine->setMinimumSize(640, 260);
  connect(litermine, &ui::sevGrid::rowclick, this, [this] { litermine_rowclick(); });
  connect(litermine, &ui::sevGrid::dblclick, this, [this] { litermine_dblclick(); });
  connect(litermine, &ui::sevGrid::colresize, this, [this](int c, int w) { litermine_colresize(c, w); });
  auto* label1 = new QLabel(QStringLiteral("Hinweis: Einzelne offene Termine, die mittlerweile erledigt sind, können Sie "
                                           "schnell mit einem Doppelklick auf den Termin als erledigt markieren."),
                            this);
  label1->setWordWrap(true);

  auto* frame1 = new QGroupBox(QStringLiteral("Termin erledigen zum Datum..."), this);
  auto* raster = new QGridLayout(frame1);
  const char* const beschriftungen[] = {"Erledigungsdatum", "Die Termine", "am Standort", "bis einschl."};
  const int breiten[] = {95, 220, 220, 95};
  QLabel* labels[4];
  for (int i = 0; i <= feldBis; ++i) {
    ui::sevText& f = sevt.add(i, frame1);
    f.setFixedWidth(breiten[i]);
    if (i == feldErledigt || i == feldBis) {
      f.setFormat(2);
      f.setMask(QStringLiteral("dd.mm.yyyy"));
      f.setMaxlength(10);
    } else {
      f.setMaxlength(i == feldArt ? 30 : 100);
      f.setShowbutton(true);
    }
    labels[i] = new QLabel(QString::fromUtf8(beschriftungen[i]), frame1);
    labels[i]->setBuddy(f.editor());
  }
  cmdok[0] = new QPushButton(QStringLiteral("Aktuellen Termin erledigen zum obigen Datum"), frame1);
  cmdok[1] = new QPushButton(QStringLiteral("Alle markierten Termine erledigten"), frame1);
  cmdok[2] = new QPushButton(QStringLiteral("Alle Termine bis einschließlich heute erledigen"), frame1);
  cmdok[3] = new QPushButton(QStringLiteral("zum obigen Datum erledigen"), frame1);
  for (int i = 0; i < 4; ++i) connect(cmdok[i], &QPushButton::clicked, this, [this, i] { cmdok_Click(i); });
  konterminreihe = new QCheckBox(QStringLiteral("Terminreihe bei regelmäßigen Terminen neu anpassen?"), frame1);
  raster->addWidget(labels[feldErledigt], 0, 0);
  raster->addWidget(&sevt(feldErledigt), 0, 1);
  raster->addWidget(cmdok[0], 1, 0, 1, 3);
  raster->addWidget(cmdok[1], 2, 0, 1, 3);
  raster->addWidget(cmdok[2], 3, 0, 1, 3);
  raster->addWidget(labels[feldArt], 4, 0);
  raster->addWidget(&sevt(feldArt), 4, 1, 1, 2);
  raster->addWidget(labels[feldStandort], 5, 0);
  raster->addWidget(&sevt(feldStandort), 5, 1, 1, 2);
  raster->addWidget(labels[feldBis], 6, 0);
  raster->addWidget(&sevt(feldBis), 6, 1);
  raster->addWidget(cmdok[3], 7, 0, 1, 3);
  raster->addWidget(konterminreihe, 8, 0, 1, 3);
  raster->setRowStretch(9, 1);

  kon = new QCheckBox(QStringLiteral("Terminliste bei jedem Programmstart öffnen (falls offene Termine anstehen)"),
                      this);
  ok = new QPushButton(QStringLiteral("&Termine listen"), this);
  okgruppiert = new QPushButton(QStringLiteral("Termine listen gruppiert nach Stand&orten"), this);
  hilfe = new QPushButton(QStringLiteral("&Hilfe"), this);
  beenden = new QPushButton(QStringLiteral("&Schließen"), this);
  connect(ok, &QPushButton::clicked, this, [this] { ok_Click(); });
  connect(okgruppiert, &QPushButton::clicked, this, [this] { okgruppiert_Click(); });
  connect(hilfe, &QPushButton::clicked, this, [this] { hilfe_Click(); });
  connect(beenden, &QPushButton::clicked, this, [this] { beenden_Click(); });
  gridli = new ui::sevGrid(this);
  gridli->hide();

  auto* links = new QVBoxLayout;
  links->addWidget(bezhieb);
  links->addWidget(litermine, 1);
  links->addWidget(label1);
  auto* oben = new QHBoxLayout;
  oben->addLayout(links, 1);
  oben->addWidget(frame1);
  auto* unten = new QHBoxLayout;
  unten->addWidget(kon);
  unten->addStretch(1);
  for (QPushButton* b : {ok, okgruppiert, hilfe, beenden}) unten->addWidget(b);
  auto* ganz = new QVBoxLayout(this);
  ganz->addLayout(oben, 1);
  ganz->addLayout(unten);
}

// --- life cycle ---------------------------------------------------------------------

void IV_Starttermine::Form_Load() {
  try {
    db_ = common::eigenedatenbank();
  } catch (const dao::Error& e) {
    common::fehlermelden("Die offenen Termine können nicht geöffnet werden.", e.text());
    unload();
    return;
  }
  setWindowTitle("Aktuelle offene Termine (bis" + vb::str(common::terminvorlauf()) + " Tage ab heute)");
  const bool gelesen = offeneterminelisten();
  kon->setChecked(common::terminlistebeimstart() == 1);
  sevt(feldErledigt).setText(common::heute);
  sevt(feldBis).setText(common::heute);
  try {
    dao::Recordset rs =
        db_.openRecordset(QStringLiteral("select Arbeitsart from Arbeitsplanoptionen order by Arbeitsart"));
    for (; !rs.eof(); rs.moveNext()) sevt(feldArt).listadd(feldtext(rs["Arbeitsart"]));
    rs.close();
    rs = db_.openRecordset(QStringLiteral("select distinct Standort from Bienenvolk order by Standort"));
    for (; !rs.eof(); rs.moveNext()) sevt(feldStandort).listadd(feldtext(rs["Standort"]));
    rs.close();
  } catch (const dao::Error& e) {
    if (gelesen) common::fehlermelden("Die Arbeitsarten und Standorte können nicht gelesen werden.", e.text());
  }
  konterminreihe->setChecked(true);
}

void IV_Starttermine::Form_Activate() { vb::setMousePointer(vb::vbDefault); }

void IV_Starttermine::Form_Unload(bool&) {
  if (!db_.isOpen()) return;   // never loaded: nothing to keep
  common::terminlistebeimstart() = kon->isChecked() ? 1 : 0;
  db_.close();
}

void IV_Starttermine::beenden_Click() { unload(); }

void IV_Starttermine::hilfe_Click() { common::hilfezeigen(formName()); }

// --- the list -------------------------------------------------------------------------

QString IV_Starttermine::vorlaufliteral() const { return common::sqldatum(heuteplus(common::terminvorlauf())); }

bool IV_Starttermine::offeneterminelisten(bool melden) {
  litermine->clear(true);
  litermine->lockupdate(true);
  bool gelesen = true;
  try {
    const QString vorlauf = vorlaufliteral();
    dao::Recordset rs = db_.openRecordset(
        "select Datum, Termin, Volknr, Volkname, Standort, Termine.ID from Termine, Bienenvolk where Datum <= " +
        vorlauf + " and Bienenvolk.ID = Volk and Erledigt = 'N'");
    output::Übernahme wie;
    wie.zahltypen = {};
    output::abfrageübernehmen(rs, *litermine, wie);
    rs.close();
    litermine->column("Datum").setColumntype(2);
    rs = db_.openRecordset("select Datum, Termin, ID from Termine where Datum <= " + vorlauf +
                           " and Volk = 0 and Erledigt = 'N' order by Datum");
    for (; !rs.eof(); rs.moveNext())
      litermine->additem(feldtext(rs["Datum"]) + '\t' + feldtext(rs["Termin"]) + "\t\t\t\t" + feldtext(rs["ID"]) +
                         '\t');
    rs.close();
    litermine->sort(QStringLiteral("Datum,Termin,Volknr"));
  } catch (const dao::Error& e) {
    gelesen = false;
    if (melden) common::fehlermelden("Die offenen Termine können nicht gelesen werden.", e.text());
  }
  breitenladen(*litermine, breitenabschnitt, {{QStringLiteral("Termin"), 3300}, {QStringLiteral("Standort"), 2400}});
  litermine->lockupdate(false);
  litermine->refresh();
  return gelesen;
}

void IV_Starttermine::litermine_rowclick() {
  const int r = litermine->row();
  if (r < 1) return;
  sevt(feldErledigt).setText(litermine->cell(r, QStringLiteral("Datum")));
  sevt(feldArt).setText(litermine->cell(r, QStringLiteral("Termin")));
  sevt(feldStandort).setText(litermine->cell(r, QStringLiteral("Standort")));
}

void IV_Starttermine::litermine_dblclick() {
  const int r = litermine->row();
  if (r >= 1) sevt(feldErledigt).setText(litermine->cell(r, QStringLiteral("Datum")));
  cmdok_Click(0);
}

void IV_Starttermine::litermine_colresize(int spalte, int breite) {
  spaltenbreitemerken(*litermine, spalte, breite, breitenabschnitt);
}

// --- completing -------------------------------------------------------------------------

void IV_Starttermine::terminerledigen(const QString& id, const QString& modus, const QString& termin) {
  const QString idzahl = QString::number(common::datensatzid(id, QStringLiteral("Der Termin")));
  if (modus == QLatin1String("N")) {
    db_.execute("UPDATE Termine SET Erledigt = 'J' where ID = " + idzahl);
    return;
  }
  // The callers give "J" only with an Erledigungsdatum that is a date.
  const auto erledigt = datumaustext(sevt(feldErledigt).text());
  if (!erledigt) return;
  // The date's colony: 0 for a date of no colony, else an ID; none stops the series.
  std::optional<int> volk;
  dao::Recordset rs = db_.openRecordset("select * from Termine where ID = " + idzahl);
  if (!rs.eof()) {
    const QString volkfeld = feldtext(rs["Volk"]);
    volk = volkfeld == QLatin1String("0") ? std::optional<int>(0) : common::sqlid(volkfeld);
    rs.edit();
    rs["Erledigt"] = "J";
    rs["Datum"] = QVariant(*erledigt);
    rs.update();
  }
  rs.close();
  if (!konterminreihe->isChecked() || !volk) return;

  const QString art = feldtext(termin);
  db_.execute("delete from Termine where Erledigt = 'N' and Volk = " + QString::number(*volk) + " and Termin = '" +
              art + "'");
  rs = db_.openRecordset("select * from Arbeitsplanoptionen where Arbeitsart = '" + art + "'");
  if (rs.eof()) {
    rs.close();
    return;
  }
  const int frist = common::ganzzahlamanfang(feldtext(rs["Wiederholungsfrist_Tage"]));
  const auto ende = shell::fensterdatum(feldtext(rs["Endzeitraum"]), common::heutedatum().year());
  rs.close();
  // No repetition (or a negative one, which would never reach the end): nothing to plan.
  if (frist <= 0 || !ende) return;
  dao::Recordset neue = db_.openRecordset(QStringLiteral("select * from Termine where Volk = -1"));
  for (QDate tag = erledigt->addDays(frist); tag <= *ende; tag = tag.addDays(frist)) {
    neue.addNew();
    neue["Datum"] = QVariant(tag);
    neue["Termin"] = termin;
    neue["Erledigt"] = "N";
    neue["Volk"] = *volk;
    neue.update();
  }
  neue.close();
}

void IV_Starttermine::erledigen(int index, int& zeile) {
  switch (index) {
    case 0: {
      zeile = litermine->row();
      const QString id = litermine->cell(zeile, QStringLiteral("ID"));
      if (vb::isDate(sevt(feldErledigt).text()))
        terminerledigen(id, QStringLiteral("J"), litermine->cell(zeile, QStringLiteral("Termin")));
      else
        terminerledigen(id, QStringLiteral("N"), QString());
      break;
    }
    case 1: {
      QStringList ids;
      for (int i = 0; i < litermine->selcount(); ++i) ids << litermine->cell(litermine->selrow(i), QStringLiteral("ID"));
      for (const QString& id : ids) terminerledigen(id, QStringLiteral("N"), QString());
      break;
    }
    case 2:
      db_.execute("UPDATE Termine SET Erledigt = 'J' where Datum <= " + common::sqldatum(common::heute));
      break;
    case 3: {
      // An Erledigungsdatum that is no date completes on the due days, as the current date's button does.
      const QString modus = vb::isDate(sevt(feldErledigt).text()) ? QStringLiteral("J") : QStringLiteral("N");
      const QString bis = common::sortdatum(datumtext(*datumaustext(sevt(feldBis).text())));
      struct Treffer {
        QString id, termin;
      };
      // The cells are stored texts: a typed apostrophe is compared as it is stored.
      const QString art = feldtext(sevt(feldArt).text()), standort = feldtext(sevt(feldStandort).text());
      QList<Treffer> treffer;
      for (int r = 1; r <= litermine->rows(); ++r)
        if (litermine->cell(r, QStringLiteral("Termin")) == art &&
            litermine->cell(r, QStringLiteral("Standort")) == standort &&
            common::sortdatum(litermine->cell(r, QStringLiteral("Datum"))) <= bis)
          treffer.append({litermine->cell(r, QStringLiteral("ID")), litermine->cell(r, QStringLiteral("Termin"))});
      for (const Treffer& t : treffer) terminerledigen(t.id, modus, t.termin);
      break;
    }
    default:
      break;
  }
}

void IV_Starttermine::cmdok_Click(int index) {
  if (index < 0 || index > 3) return;
  if (index == 0 && litermine->row() < 1) {
    vb::msgbox(QStringLiteral("Bitte markieren Sie zuerst den zu erledigenden Termin."));
    return;
  }
  if (index == 1) {
    if (litermine->selcount() == 0) {
      vb::msgbox(QStringLiteral("Bitter markieren Sie zuerst die zu erledigenden Termine."));
      return;
    }
    if (!vb::question("Sollen die" + vb::str(litermine->selcount()) +
                      " Termine wirklich als erledigt markiert werden?"))
      return;
  }
  if (index == 2 && !vb::question("Sollen wirklich alle Termine bis einschließlich zum " + common::heute +
                                  " als erledigt markiert werden?"))
    return;
  bool ausführen = true, gemeldet = false;
  if (index == 3) {
    if (vb::trim(sevt(feldStandort).text()).isEmpty() || vb::trim(sevt(feldArt).text()).isEmpty() ||
        !datumaustext(sevt(feldBis).text())) {
      vb::msgbox(QStringLiteral("Die Terminart, der betroffene Standort und der Zeitraum (bis wann eine Erledigung "
                                "gewünscht wird) muss angegeben werden!"));
      return;
    }
    int gefunden = 0;
    try {
      dao::Recordset rs = db_.openRecordset(
          "select Datum, Termin, Standort, Volk, Termine.ID from Termine, Bienenvolk where Datum <= " +
          common::sqldatum(datumtext(*datumaustext(sevt(feldBis).text()))) +
          " and Bienenvolk.ID = Volk and Erledigt = 'N' and Standort = '" + feldtext(sevt(feldStandort).text()) +
          "' and Termin = '" + feldtext(sevt(feldArt).text()) + "'");
      gefunden = rs.recordCount();
      rs.close();
    } catch (const dao::Error& e) {
      common::fehlermelden("Die Termine können nicht gezählt werden.", e.text());
      ausführen = false;
      gemeldet = true;
    }
    if (gefunden == 0) ausführen = false;
    else if (!vb::question("Es wurden" + vb::str(gefunden) + " Termine gefunden. Sollen diese wirklich erledigt werden?"))
      ausführen = false;
  }

  int zeile = 0;
  if (ausführen) {
    try {
      dao::Transaction transaktion(db_);
      erledigen(index, zeile);
      transaktion.commit();
    } catch (const dao::Error& e) {
      common::fehlermelden("Die Termine konnten nicht als erledigt markiert werden.", e.text());
      gemeldet = true;
    }
  }
  offeneterminelisten(!gemeldet);
  if (index == 0 && litermine->rows() > 0) litermine->setRow(std::min(zeile, litermine->rows()));
}

// --- lists for the list window --------------------------------------------------------------

void IV_Starttermine::ok_Click() {
  if (litermine->rows() == 0) {
    vb::msgbox(keinedaten);
    return;
  }
  output::listeübergeben(*litermine);
}

void IV_Starttermine::okgruppiert_Click() {
  gridli->clear(true);
  gridli->lockupdate(true);
  try {
    dao::Recordset rs = db_.openRecordset(
        "select Standort, Datum, Termin, count(*) as Anz_Völker from Termine, Bienenvolk where Datum <= " +
        vorlaufliteral() +
        " and Bienenvolk.ID = Volk and Erledigt = 'N' group by Standort, Datum, Termin order by Standort, Datum, "
        "Termin");
    output::Übernahme wie;
    wie.zahltypen = {dao::dbCurrency, dao::dbSingle, dao::dbDouble};
    output::abfrageübernehmen(rs, *gridli, wie);
    rs.close();
    gridli->column(QStringLiteral("Termin")).setWidth(3000);
    gridli->column(QStringLiteral("Standort")).setWidth(2400);
  } catch (const dao::Error& e) {
    gridli->lockupdate(false);
    common::fehlermelden("Die offenen Termine können nicht gelesen werden.", e.text());
    return;
  }
  gridli->lockupdate(false);
  if (gridli->rows() == 0) {
    vb::msgbox(keinedaten);
    return;
  }
  output::listeübergeben(*gridli);
}

}  // namespace zevo::planning
