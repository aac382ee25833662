#include "trade/iv_einverkauf_lager.h"

#include "common/fensterdienste.h"
#include "common/routinen.h"
#include "common/variablen.h"
#include "components/sevgrid.h"
#include "output/listenuebergabe.h"
#include "platform/runtime/mousepointer.h"
#include "platform/runtime/msgbox.h"
#include "platform/runtime/vb.h"
#include "platform/runtime/widgets.h"
#include "trade/geld.h"
#include "trade/honiglager.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>
#include <functional>

namespace zevo::trade {

using common::datumswert;
using common::feldtext;
using common::zahlaustextgenau;
using common::zeilenumbruch;
using IV = IV_EinVerkauf_Lager;

// What a purchase and a sale differ in.
struct IV_EinVerkauf_Lager::Handel {
  ui::sevGrid* IV::*grid;
  const char* tabelle;
  const char* partner;      // column of the supplier or customer
  const char* geld;         // column of the amount
  int erstesfeld;           // sevt index of the date; product, quality, partner, quantity, unit, amount follow
  const char* richtung;     // for lagerbuchen
  const char* lagerseite;   // the side of its booking that is not 0
  void (IV::*lesen)();
  void (IV::*vorbelegen)();
  void (IV::*zeigen)(int, int, int, int);
};

namespace {

const IV::Handel einkauf{&IV::lieinkauf, "Einkauf", "Lieferant", "Ausgaben", 5, "zu", "Zugang",
                         &IV::einkäufelesen, &IV::einkaufvorbelegen, &IV::lieinkauf_rowclick};
const IV::Handel verkauf{&IV::liverkauf, "Verkauf", "Abnehmer", "Einnahmen", 12, "ab", "Abgang",
                         &IV::verkäufelesen, &IV::verkaufvorbelegen, &IV::liverkauf_rowclick};

const QString abschnittEinkauf = QStringLiteral("iv_einverkauf_lager_lieinkauf");
const QString abschnittVerkauf = QStringLiteral("iv_einverkauf_lager_liverkauf");
const QString abschnittHonig = QStringLiteral("iv_einverkauf_lager_lihonig");

const char* const einheiten[] = {"kg", "g", "l", "ml", "St"};

enum class Art { Datum, Text, Menge, Geld };

void feldeinrichten(ui::sevText& f, Art art, int länge = 0) {
  switch (art) {
    case Art::Datum:
      f.setFormat(2);
      f.setMask(QStringLiteral("dd.mm.yyyy"));
      f.setMaxlength(10);
      f.setFixedWidth(95);
      break;
    case Art::Text:
      f.setMaxlength(länge);
      f.setShowbutton(true);
      f.setFixedWidth(länge <= 2 ? 70 : länge <= 20 ? 190 : 260);
      break;
    case Art::Menge:   // a leading minus may be typed; the save refuses what it must
      f.setTexttype(1);
      f.setNumbertype(1);
      f.setNachkomma(2);
      f.setMin(-9999999);
      f.setMaxlength(8);
      f.setTextalign(1);
      f.setFixedWidth(95);
      break;
    case Art::Geld:
      f.setTexttype(1);
      f.setNumbertype(1);
      f.setNachkomma(2);
      f.setMin(0);
      f.setMaxlength(8);
      f.setTextalign(1);
      f.setMoneyDisplay(true);
      f.setFixedWidth(120);
      break;
  }
}

int zeilenid(const ui::sevGrid& grid) {
  return grid.row() == 0 ? 0 : static_cast<int>(vb::val(grid.cell(grid.row(), QStringLiteral("ID"))));
}

// The marked row's record for a write, which must not go on without it.
int schreibid(const ui::sevGrid& grid) { return common::datensatzid(grid.cell(grid.row(), QStringLiteral("ID"))); }

QGroupBox* eingaberahmen(const QString& titel, QWidget* eltern, QFormLayout*& links, QFormLayout*& rechts) {
  auto* rahmen = new QGroupBox(titel, eltern);
  auto* lay = new QHBoxLayout(rahmen);
  links = new QFormLayout;
  rechts = new QFormLayout;
  for (QFormLayout* f : {links, rechts}) {
    f->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    f->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    f->setVerticalSpacing(4);
  }
  lay->addLayout(links);
  lay->addSpacing(24);
  lay->addLayout(rechts);
  lay->addStretch(1);
  return rahmen;
}

// After a save: the tone, then the fields and the list read again; a failure
// there is only told, the data are stored.
void gespeichertneulesen(const std::function<void()>& lesen) {
  common::piepton();
  try {
    lesen();
  } catch (const dao::Error& e) {
    common::fehlermelden(QStringLiteral("Die Daten wurden gespeichert, die Liste konnte aber nicht neu gelesen werden."),
                         e.text());
  }
}

ui::sevGrid* neuesgrid(QWidget* eltern) {
  auto* g = new ui::sevGrid(eltern);
  g->setAllowdelete(true);
  g->setAutosort(true);
  return g;
}

}  // namespace

IV_EinVerkauf_Lager::IV_EinVerkauf_Lager(QWidget* parent)
    : vb::Form(QStringLiteral("IV_EinVerkauf_Lager"), parent) {
  setWindowTitle(QStringLiteral("Ein- und Verkäufe / Honiglager"));
  steuerelementeanlegen();
}

IV_EinVerkauf_Lager::~IV_EinVerkauf_Lager() = default;

void IV_EinVerkauf_Lager::steuerelementeanlegen() {
  sstab = new vb::TabControl(this);
  auto* seiteEinkauf = new QWidget;
  auto* seiteVerkauf = new QWidget;
  auto* seiteHonig = new QWidget;
  sstab->addTab(seiteEinkauf, QStringLiteral("Einkäufe"));
  sstab->addTab(seiteVerkauf, QStringLiteral("Verkäufe"));
  sstab->addTab(seiteHonig, QStringLiteral("Honiglager"));

  auto feld = [this](int i, QWidget* eltern, Art art, int länge = 0) -> ui::sevText& {
    ui::sevText& f = sevt.add(i, eltern);
    feldeinrichten(f, art, länge);
    return f;
  };
  auto zeile = [](QFormLayout* form, const QString& caption, ui::sevText& f) {
    auto* label = new QLabel(caption);
    label->setBuddy(f.editor());
    form->addRow(label, &f);
  };
  auto knopfreihe = [](std::initializer_list<QPushButton*> knöpfe) {
    auto* reihe = new QHBoxLayout;
    for (QPushButton* k : knöpfe) reihe->addWidget(k);
    reihe->addStretch(1);
    return reihe;
  };

  // Purchases and sales: the same shape.
  auto handelsseite = [&](QWidget* seite, const QString& titel, const QString& rahmentitel, ui::sevGrid*& grid,
                          int f, const QString& partner, const QString& geld, QPushButton** knöpfe,
                          QPushButton*& lösch) {
    grid = neuesgrid(seite);
    QFormLayout *links, *rechts;
    QGroupBox* rahmen = eingaberahmen(rahmentitel, seite, links, rechts);
    zeile(links, QStringLiteral("Datum"), feld(f, rahmen, Art::Datum));
    zeile(links, QStringLiteral("Produkt"), feld(f + 1, rahmen, Art::Text, 20));
    zeile(links, QStringLiteral("Qualität"), feld(f + 2, rahmen, Art::Text, 20));
    zeile(links, partner, feld(f + 3, rahmen, Art::Text, 20));
    zeile(rechts, QStringLiteral("Menge"), feld(f + 4, rahmen, Art::Menge));
    zeile(rechts, QStringLiteral("Mengeneinheit"), feld(f + 5, rahmen, Art::Text, 2));
    zeile(rechts, geld, feld(f + 6, rahmen, Art::Geld));
    knöpfe[0] = new QPushButton(QStringLiteral("&Neu"), seite);
    knöpfe[1] = new QPushButton(QStringLiteral("&Ändern"), seite);
    lösch = new QPushButton(QStringLiteral("&Löschen"), seite);
    auto* lay = new QVBoxLayout(seite);
    lay->addWidget(new QLabel(titel, seite));
    lay->addWidget(grid, 1);
    lay->addWidget(rahmen);
    lay->addLayout(knopfreihe({knöpfe[0], knöpfe[1], lösch}));
  };
  handelsseite(seiteEinkauf, QStringLiteral("Einkäufe"), QStringLiteral("Einkäufe eingeben / ändern"), lieinkauf, 5,
               QStringLiteral("Lieferant"), QStringLiteral("Ausgaben"), neueinkauf, lscheinkauf);
  handelsseite(seiteVerkauf, QStringLiteral("Verkäufe"), QStringLiteral("Verkäufe eingeben / ändern"), liverkauf, 12,
               QStringLiteral("Abnehmer"), QStringLiteral("Einnahmen"), neuverkauf, lschverkauf);

  // The stock.
  lihonig = neuesgrid(seiteHonig);
  ligroup = neuesgrid(seiteHonig);
  comalle = new QPushButton(QStringLiteral("Aktualisieren"), seiteHonig);
  {
    QFormLayout *links, *rechts;
    QGroupBox* rahmen = eingaberahmen(QStringLiteral("Lagerbuchungen eingeben / ändern"), seiteHonig, links, rechts);
    zeile(links, QStringLiteral("Datum"), feld(0, rahmen, Art::Datum));
    zeile(links, QStringLiteral("Produkt"), feld(1, rahmen, Art::Text, 20));
    zeile(rechts, QStringLiteral("Eingang (kg)"), feld(2, rahmen, Art::Menge));
    zeile(rechts, QStringLiteral("Ausgang (kg)"), feld(3, rahmen, Art::Menge));
    zeile(links, QStringLiteral("Bemerkung"), feld(4, rahmen, Art::Text, 30));
    // Tab goes down the left column first, then the right one, as the fields stand.
    QWidget::setTabOrder(sevt(1).editor(), sevt(4).editor());
    QWidget::setTabOrder(sevt(4).editor(), sevt(2).editor());
    QWidget::setTabOrder(sevt(2).editor(), sevt(3).editor());
    neu[0] = new QPushButton(QStringLiteral("&Neu"), seiteHonig);
    neu[1] = new QPushButton(QStringLiteral("&Ändern"), seiteHonig);
    löschen = new QPushButton(QStringLiteral("&Löschen"), seiteHonig);

    auto* buchungen = new QVBoxLayout;
    buchungen->addWidget(new QLabel(QStringLiteral("Honig-Buchungen"), seiteHonig));
    buchungen->addWidget(lihonig, 1);
    auto* bestand = new QVBoxLayout;
    bestand->addWidget(new QLabel(QStringLiteral("Lagerbestand"), seiteHonig));
    bestand->addWidget(ligroup, 1);
    bestand->addWidget(comalle, 0, Qt::AlignRight);
    auto* oben = new QHBoxLayout;
    oben->addLayout(buchungen, 1);
    oben->addLayout(bestand, 1);
    auto* lay = new QVBoxLayout(seiteHonig);
    lay->addLayout(oben, 1);
    lay->addWidget(rahmen);
    lay->addLayout(knopfreihe({neu[0], neu[1], löschen}));
  }

  Label1 = new QLabel(
      QStringLiteral("Ein- und Verkäufe, die als Artikel im Honiglager eingetragen sind, werden dort automatisch "
                     "verbucht."),
      this);
  Label1->setWordWrap(true);
  bezsumme = new QLabel(this);
  bezsumme->setFrameShape(QFrame::StyledPanel);
  bezsumme->setMinimumWidth(420);
  rosumme = new QPushButton(QStringLiteral("Summen"), this);
  ok = new QPushButton(QStringLiteral("&Listen"), this);
  hilfe = new QPushButton(QStringLiteral("&Hilfe"), this);
  beenden = new QPushButton(QStringLiteral("&Schließen"), this);

  auto* summen = new QHBoxLayout;
  summen->addWidget(bezsumme, 1);
  summen->addWidget(rosumme);
  auto* knöpfe = new QHBoxLayout;
  knöpfe->addWidget(Label1, 1);
  knöpfe->addWidget(ok);
  knöpfe->addWidget(hilfe);
  knöpfe->addWidget(beenden);
  auto* ganz = new QVBoxLayout(this);
  ganz->addWidget(sstab, 1);
  ganz->addLayout(summen);
  ganz->addLayout(knöpfe);
  resize(1020, 700);

  // --- events ---------------------------------------------------------------------------
  for (int i = 0; i < 2; ++i) {
    connect(neueinkauf[i], &QPushButton::clicked, this, [this, i] { neueinkauf_click(i); });
    connect(neuverkauf[i], &QPushButton::clicked, this, [this, i] { neuverkauf_click(i); });
    connect(neu[i], &QPushButton::clicked, this, [this, i] { neu_click(i); });
  }
  connect(lscheinkauf, &QPushButton::clicked, this, [this] { lscheinkauf_click(); });
  connect(lschverkauf, &QPushButton::clicked, this, [this] { lschverkauf_click(); });
  connect(löschen, &QPushButton::clicked, this, [this] { löschen_click(); });
  connect(comalle, &QPushButton::clicked, this, [this] { comalle_click(); });
  connect(rosumme, &QPushButton::clicked, this, [this] { rosumme_click(); });
  connect(ok, &QPushButton::clicked, this, [this] { ok_click(); });
  connect(hilfe, &QPushButton::clicked, this, [this] { hilfe_click(); });
  connect(beenden, &QPushButton::clicked, this, [this] { beenden_click(); });

  connect(lieinkauf, &ui::sevGrid::rowclick, this, [this](int r, int c, int b, int s) { lieinkauf_rowclick(r, c, b, s); });
  connect(liverkauf, &ui::sevGrid::rowclick, this, [this](int r, int c, int b, int s) { liverkauf_rowclick(r, c, b, s); });
  connect(lihonig, &ui::sevGrid::rowclick, this, [this](int r, int c, int b, int s) { lihonig_rowclick(r, c, b, s); });
  connect(lieinkauf, &ui::sevGrid::rowmove, this, [this](int r) { lieinkauf_rowmove(r); });
  connect(liverkauf, &ui::sevGrid::rowmove, this, [this](int r) { liverkauf_rowmove(r); });
  connect(lihonig, &ui::sevGrid::rowmove, this, [this](int r) { lihonig_rowmove(r); });
  connect(lieinkauf, &ui::sevGrid::colresize, this, [this](int c, int w) { lieinkauf_colresize(c, w); });
  connect(liverkauf, &ui::sevGrid::colresize, this, [this](int c, int w) { liverkauf_colresize(c, w); });
  connect(lihonig, &ui::sevGrid::colresize, this, [this](int c, int w) { lihonig_colresize(c, w); });
  sstab->onClick = [this](int) { listenknopffreigeben(); };
}

// --- life cycle ---------------------------------------------------------------------------

void IV_EinVerkauf_Lager::Form_Load() {
  try {
    db_ = common::eigenedatenbank();
    honiglagerlesen();
    einkäufelesen();
    verkäufelesen();
    lagervorbelegen();
    einkaufvorbelegen();
    verkaufvorbelegen();
    rosumme_click();
  } catch (const dao::Error& e) {
    knöpfefreigeben(true);
    common::fehlermelden(QStringLiteral("Die Ein- und Verkäufe und das Honiglager konnten nicht gelesen werden."),
                         e.text());
  }
  int tab = static_cast<int>(vb::val(common::übergabe));
  if (tab < 0 || tab > 2) tab = 0;
  sstab->setTab(tab);
  listenknopffreigeben();
}

void IV_EinVerkauf_Lager::Form_Activate() { vb::setMousePointer(vb::vbDefault); }

void IV_EinVerkauf_Lager::Form_Unload(bool&) {
  if (db_.isOpen()) db_.close();
}

void IV_EinVerkauf_Lager::beenden_click() { unload(); }

void IV_EinVerkauf_Lager::hilfe_click() { common::hilfezeigen(formName()); }

// The evaluations of the current tab; greyed while that window is not there.
void IV_EinVerkauf_Lager::listenknopffreigeben() {
  ok->setEnabled(vb::isRegistered(sstab->tab() == 2 ? QStringLiteral("IW_Honiglager")
                                                    : QStringLiteral("IW_EinVerkauf")));
}

void IV_EinVerkauf_Lager::ok_click() {
  vb::setMousePointer(vb::vbHourglass);
  if (sstab->tab() != 2) vb::showForm(QStringLiteral("IW_EinVerkauf"));
  if (sstab->tab() == 2) vb::showForm(QStringLiteral("IW_Honiglager"));
}

// --- grids ----------------------------------------------------------------------------------

void IV_EinVerkauf_Lager::knöpfefreigeben(bool an) {
  for (QPushButton* k : {neu[0], neu[1], neueinkauf[0], neueinkauf[1], neuverkauf[0], neuverkauf[1], löschen,
                         lscheinkauf, lschverkauf, hilfe, beenden})
    k->setEnabled(an);
}

// Binds the grid to the query. Afterwards the last row is current, or, with
// datensatzbehalten, the record that was current before (none when it is gone).
void IV_EinVerkauf_Lager::gridfüllen(ui::sevGrid& grid, const QString& sql, const QString& abschnitt,
                                     bool datensatzbehalten) {
  const int bisher = zeilenid(grid);
  knöpfefreigeben(false);
  try {
    dao::Recordset rs = db_.openRecordset(sql);
    grid.clear(true);
    grid.lockupdate(true);
    grid.setPrebindflag(true);
    grid.setRecordset(rs);
    // The texts start wide enough to be read whole; the user's own widths follow.
    const std::pair<const char*, int> startbreiten[] = {
        {"Produkt", 2100}, {"Qualität", 1800}, {"Lieferant", 2100}, {"Abnehmer", 2100}, {"Bemerkung", 2400}};
    for (const auto& [spalte, breite] : startbreiten)
      if (const int c = grid.colIndex(QString::fromUtf8(spalte)); c > 0) grid.column(c).setWidth(breite);
    grid.loadcolwidths(QStringLiteral("ZEVO"), abschnitt, QStringLiteral("ColWidths"));
    grid.lockupdate(false);
    if (!datensatzbehalten) {
      if (grid.rows() > 0) grid.setRow(grid.rows());
    } else if (bisher != 0) {
      grid.findrow("ID = " + QString::number(bisher));
    }
    grid.refresh();
    rs.close();
  } catch (...) {
    grid.lockupdate(false);
    knöpfefreigeben(true);
    throw;
  }
  knöpfefreigeben(true);
}

void IV_EinVerkauf_Lager::honiglagerlesen() {
  gridfüllen(*lihonig, QStringLiteral("select * from Honiglager order by Datum"), abschnittHonig, false);
}

// A reload caused by another tab leaves the stock fields' record current.
void IV_EinVerkauf_Lager::honiglagerneulesen() {
  gridfüllen(*lihonig, QStringLiteral("select * from Honiglager order by Datum"), abschnittHonig, true);
}

void IV_EinVerkauf_Lager::einkäufelesen() {
  gridfüllen(*lieinkauf, QStringLiteral("select * from Einkauf order by Datum"), abschnittEinkauf, false);
}

void IV_EinVerkauf_Lager::verkäufelesen() {
  gridfüllen(*liverkauf, QStringLiteral("select * from Verkauf order by Datum"), abschnittVerkauf, false);
}

void IV_EinVerkauf_Lager::zeilezeigen(ui::sevGrid& grid, const int* felder, const char* const* spalten,
                                      int anzahl) {
  const int r = grid.row();
  if (r == 0) return;
  for (int i = 0; i < anzahl; ++i) sevt(felder[i]).setText(grid.cell(r, QString::fromUtf8(spalten[i])));
}

void IV_EinVerkauf_Lager::lieinkauf_rowclick(int, int, int, int) {
  static const int felder[] = {5, 6, 7, 8, 9, 10, 11};
  static const char* const spalten[] = {"Datum", "Produkt", "Qualität", "Lieferant", "Menge", "Einheit", "Ausgaben"};
  zeilezeigen(*lieinkauf, felder, spalten, 7);
}

void IV_EinVerkauf_Lager::liverkauf_rowclick(int, int, int, int) {
  static const int felder[] = {12, 13, 14, 15, 16, 17, 18};
  static const char* const spalten[] = {"Datum", "Produkt", "Qualität", "Abnehmer", "Menge", "Einheit", "Einnahmen"};
  zeilezeigen(*liverkauf, felder, spalten, 7);
}

void IV_EinVerkauf_Lager::lihonig_rowclick(int, int, int, int) {
  static const int felder[] = {0, 1, 2, 3, 4};
  static const char* const spalten[] = {"Datum", "Produkt", "Zugang", "Abgang", "Bemerkung"};
  zeilezeigen(*lihonig, felder, spalten, 5);
}

void IV_EinVerkauf_Lager::lieinkauf_rowmove(int) { lieinkauf_rowclick(lieinkauf->row()); }
void IV_EinVerkauf_Lager::liverkauf_rowmove(int) { liverkauf_rowclick(liverkauf->row()); }
void IV_EinVerkauf_Lager::lihonig_rowmove(int) { lihonig_rowclick(lihonig->row()); }

void IV_EinVerkauf_Lager::spaltenbreite(ui::sevGrid& grid, const QString& abschnitt, int col, int width) {
  if (width < 25) grid.column(col).setWidth(25);
  grid.savecolwidths(QStringLiteral("ZEVO"), abschnitt, QStringLiteral("ColWidths"));
}

void IV_EinVerkauf_Lager::lieinkauf_colresize(int col, int width) {
  spaltenbreite(*lieinkauf, abschnittEinkauf, col, width);
}
void IV_EinVerkauf_Lager::liverkauf_colresize(int col, int width) {
  spaltenbreite(*liverkauf, abschnittVerkauf, col, width);
}
void IV_EinVerkauf_Lager::lihonig_colresize(int col, int width) { spaltenbreite(*lihonig, abschnittHonig, col, width); }

// --- defaults -------------------------------------------------------------------------------

void IV_EinVerkauf_Lager::handelvorbelegen(const Handel& h) {
  const int f = h.erstesfeld;
  const QString tabelle = QString::fromUtf8(h.tabelle);
  if (sevt(f).text().isEmpty()) sevt(f).setText(common::heute);
  for (const auto& [feld, spalte] : {std::pair{f + 1, QStringLiteral("Produkt")}, {f + 2, QStringLiteral("Qualität")},
                                     {f + 3, QString::fromUtf8(h.partner)}}) {
    sevt(feld).listclear();
    sevt(feld).setListsource(db_, "select distinct " + spalte + " from " + tabelle + " order by " + spalte);
  }
  sevt(f + 4).setText(QStringLiteral("0"));
  sevt(f + 5).listclear();
  for (const char* e : einheiten) sevt(f + 5).listadd(QString::fromUtf8(e));
  sevt(f + 6).setText(QStringLiteral("0"));
}

void IV_EinVerkauf_Lager::einkaufvorbelegen() { handelvorbelegen(einkauf); }
void IV_EinVerkauf_Lager::verkaufvorbelegen() { handelvorbelegen(verkauf); }

void IV_EinVerkauf_Lager::lagervorbelegen() {
  if (sevt(0).text().isEmpty()) sevt(0).setText(common::heute);
  sevt(1).listclear();
  sevt(1).setListsource(db_, QStringLiteral("select distinct Produkt from Honiglager order by Produkt"));
  sevt(2).setText(QStringLiteral("0"));
  sevt(3).setText(QStringLiteral("0"));
  sevt(4).listclear();
  sevt(4).setListsource(db_, QStringLiteral("select distinct Bemerkung from Honiglager order by Bemerkung"));
}

// --- saving ---------------------------------------------------------------------------------

QString IV_EinVerkauf_Lager::gründe(int datumfeld, int produktfeld) const {
  QString g;
  if (!vb::isDate(sevt(datumfeld).text())) g += "...das Datum korrekt angegeben werden muß." + zeilenumbruch;
  if (feldtext(sevt(produktfeld).text()).isEmpty()) g += "...das Produkt angegeben werden muß." + zeilenumbruch;
  return g;
}

namespace {

bool abgelehnt(const QString& gründe) {
  if (gründe.isEmpty()) return false;
  vb::msgbox("Die Daten werden nicht gespeichert, weil..." + zeilenumbruch + zeilenumbruch + gründe);
  return true;
}

bool ohnezeile(const ui::sevGrid& grid) {
  if (grid.row() != 0) return false;
  vb::msgbox(QStringLiteral("Bitte markieren Sie zuerst den Datensatz, den Sie ändern möchten!"));
  return true;
}

// The record of "select top 1 * from <tabelle>" ready for writing: a new one,
// or the grid's marked one (which must still be there).
dao::Recordset schreibsatz(dao::Database& db, const QString& tabelle, int index, const ui::sevGrid& grid) {
  QString sql = "select top 1 * from " + tabelle;
  if (index == 1) sql += " where ID = " + QString::number(schreibid(grid));
  dao::Recordset rs = db.openRecordset(sql);
  if (index == 1) {
    if (rs.eof())
      throw dao::Error(dao::errNoCurrentRecord,
                       QStringLiteral("Der markierte Datensatz ist in der Datenbank nicht mehr vorhanden."));
    rs.moveFirst();
    rs.edit();
  } else {
    rs.addNew();
  }
  return rs;
}

const QString nichtgespeichert = QStringLiteral("Die Daten konnten nicht gespeichert werden.");
const QString nichtgelöscht = QStringLiteral("Der markierte Datensatz konnte nicht gelöscht werden.");

}  // namespace

void IV_EinVerkauf_Lager::handelspeichern(const Handel& h, int index) {
  const int f = h.erstesfeld;
  const double menge = zahlaustextgenau(sevt(f + 4).text(), true);
  QString g = gründe(f, f + 1);
  if (menge <= 0) g += "...die Menge über 0 liegen muß." + zeilenumbruch;
  if (abgelehnt(g)) return;
  ui::sevGrid& grid = *(this->*h.grid);
  if (index == 1 && ohnezeile(grid)) return;

  const QString datum = sevt(f).text();
  const QString produkt = sevt(f + 1).text();
  int id = 0;
  bool gebucht = false;
  try {
    dao::Transaction transaktion(db_);
    dao::Recordset rs = schreibsatz(db_, QString::fromUtf8(h.tabelle), index, grid);
    rs["Datum"] = datumswert(datum);
    rs["Produkt"] = feldtext(produkt);
    rs["Qualität"] = feldtext(sevt(f + 2).text());
    rs[QString::fromUtf8(h.partner)] = feldtext(sevt(f + 3).text());
    rs["Menge"] = menge;
    rs["Einheit"] = feldtext(sevt(f + 5).text());
    rs[QString::fromUtf8(h.geld)] = zahlaustextgenau(sevt(f + 6).text());
    rs.update();
    id = rs["ID"].value().toInt();
    rs.close();
    gebucht = lagerbuchen(QString::fromUtf8(h.richtung), datum, produkt, menge, id);
    transaktion.commit();
  } catch (const dao::Error& e) {
    common::fehlermelden(nichtgespeichert, e.text());
    return;
  }
  // The lists are read once the save is committed, so that no write lock is
  // held while they load.
  gespeichertneulesen([&] {
    if (gebucht) honiglagerneulesen();
    (this->*h.vorbelegen)();
    (this->*h.lesen)();
  });
  if (grid.seekrow("ID = " + QString::number(id), false) != 0) (this->*h.zeigen)(grid.row(), 0, 0, 0);
  sevt(f).setfocus();
}

void IV_EinVerkauf_Lager::neueinkauf_click(int index) { handelspeichern(einkauf, index); }
void IV_EinVerkauf_Lager::neuverkauf_click(int index) { handelspeichern(verkauf, index); }

void IV_EinVerkauf_Lager::neu_click(int index) {
  const double zugang = zahlaustextgenau(sevt(2).text(), true);
  const double abgang = zahlaustextgenau(sevt(3).text(), true);
  QString g = gründe(0, 1);
  if (zugang == 0 && abgang == 0)
    g += "...entweder eine Zugangs- oder Abgangsmenge eingetragen werden muß." + zeilenumbruch;
  if (abgelehnt(g)) return;
  if (index == 1 && ohnezeile(*lihonig)) return;

  int id = 0;
  try {
    dao::Transaction transaktion(db_);
    dao::Recordset rs = schreibsatz(db_, QStringLiteral("Honiglager"), index, *lihonig);
    rs["Datum"] = datumswert(sevt(0).text());
    rs["Produkt"] = feldtext(sevt(1).text());
    rs["Zugang"] = zugang;
    rs["Abgang"] = abgang;
    rs["Bemerkung"] = feldtext(sevt(4).text());
    if (index == 0) rs["EVK_ID"] = 0;   // a change keeps the booking's number
    rs.update();
    id = rs["ID"].value().toInt();
    rs.close();
    transaktion.commit();
  } catch (const dao::Error& e) {
    common::fehlermelden(nichtgespeichert, e.text());
    return;
  }
  gespeichertneulesen([this] {
    lagervorbelegen();
    honiglagerlesen();
  });
  if (lihonig->seekrow("ID = " + QString::number(id), false) != 0) lihonig_rowclick(lihonig->row());
  sevt(0).setfocus();
}

// --- the stock booking ------------------------------------------------------------------------

bool IV_EinVerkauf_Lager::lagerbuchen(const QString& richtung, const QString& datum, const QString& produkt,
                                      double menge, int id) {
  const QString name = feldtext(produkt);
  dao::Recordset rs = db_.openRecordset("select top 1 * from Honiglager where Produkt = '" + name + "'");
  const bool artikel = rs.recordCount() > 0;
  rs.close();
  if (!artikel) return false;

  const bool zu = richtung == QLatin1String("zu");
  rs = db_.openRecordset("select * from honiglager where evk_id = " + QString::number(id) + " and " +
                         (zu ? "Abgang = 0" : "Zugang = 0"));
  if (!rs.eof()) {
    rs.moveFirst();
    rs.deleteRecord();
  }
  rs.addNew();
  rs["Datum"] = datumswert(datum);
  rs["Produkt"] = name;
  rs["Zugang"] = zu ? menge : 0.0;
  rs["Abgang"] = zu ? 0.0 : menge;
  rs["EVK_ID"] = id;
  rs["Bemerkung"] = QString();
  rs.update();
  rs.close();
  return true;
}

// --- deleting ---------------------------------------------------------------------------------

// The purchase or sale of the current row with its booking. The booking is
// found by the row's stored date, product, side and ID, not by the fields,
// which may have been edited since.
void IV_EinVerkauf_Lager::handellöschen(const Handel& h) {
  ui::sevGrid& grid = *(this->*h.grid);
  const int r = grid.row();
  if (r == 0) {
    vb::msgbox(QStringLiteral("Bitte markieren Sie zuerst den Datensatz, den Sie löschen möchten."));
    return;
  }
  if (common::löschenbestätigen() != 1) return;

  const QVariant datum = grid.value(r, QStringLiteral("Datum"));
  const QString datumsbedingung =
      datum.isValid() && !datum.isNull() ? "Datum = " + common::sqldatum(datum.toDate().toString("dd.MM.yyyy"))
                                         : QStringLiteral("Datum is null");
  try {
    const QString sql = "delete from Honiglager where " + datumsbedingung + " and Produkt = '" +
                        feldtext(grid.value(r, QStringLiteral("Produkt"))) + "' and " + h.lagerseite +
                        " <> 0 and EVK_ID = " + QString::number(schreibid(grid));
    dao::Transaction transaktion(db_);
    common::datenbank.execute(sql);
    grid.removeitem(r);
    transaktion.commit();
  } catch (const dao::Error& e) {
    common::fehlermelden(nichtgelöscht, e.text());
    try {
      gridfüllen(grid, "select * from " + QString::fromUtf8(h.tabelle) + " order by Datum",
                 &grid == lieinkauf ? abschnittEinkauf : abschnittVerkauf, true);
    } catch (const dao::Error&) {
    }
    return;
  }
  try {
    honiglagerneulesen();
  } catch (const dao::Error& e) {
    common::fehlermelden(QStringLiteral("Das Honiglager konnte nicht neu gelesen werden."), e.text());
  }
  if (grid.row() != 0) (this->*h.zeigen)(grid.row(), 0, 0, 0);
}

void IV_EinVerkauf_Lager::lscheinkauf_click() { handellöschen(einkauf); }
void IV_EinVerkauf_Lager::lschverkauf_click() { handellöschen(verkauf); }

void IV_EinVerkauf_Lager::löschen_click() {
  const int r = lihonig->row();
  if (r == 0) {
    vb::msgbox(QStringLiteral("Bitte markieren Sie zuerst den Datensatz, den Sie löschen möchten."));
    return;
  }
  if (common::löschenbestätigen() != 1) return;
  try {
    dao::Transaction transaktion(db_);
    lihonig->removeitem(r);
    transaktion.commit();
  } catch (const dao::Error& e) {
    common::fehlermelden(nichtgelöscht, e.text());
    return;
  }
  if (lihonig->row() != 0) lihonig_rowclick(lihonig->row());
}

// --- stock and totals -------------------------------------------------------------------------

void IV_EinVerkauf_Lager::comalle_click() {
  vb::setMousePointer(vb::vbHourglass);
  try {
    dao::Recordset rs = db_.openRecordset(lagerbestandsql);
    ligroup->clear(true);
    ligroup->lockupdate(true);
    ligroup->setPrebindflag(true);
    output::Übernahme wie;
    wie.zahltypen = {dao::dbCurrency, dao::dbSingle, dao::dbDouble};   // the sums with two decimals
    output::abfrageübernehmen(rs, *ligroup, wie);
    ligroup->setPostbindflag(true);
    ligroup->lockupdate(false);
    ligroup->refresh();
    rs.close();
  } catch (const dao::Error& e) {
    ligroup->lockupdate(false);
    common::fehlermelden(QStringLiteral("Der Lagerbestand konnte nicht gelesen werden."), e.text());
  }
  vb::setMousePointer(vb::vbDefault);
}

// The sums in the CURRENCY scale, so that the cents never drift.
void IV_EinVerkauf_Lager::rosumme_click() {
  try {
    const qint64 einkäufe = geldsumme(db_, QStringLiteral("select sum(Ausgaben) as summe from Einkauf"));
    const qint64 verkäufe = geldsumme(db_, QStringLiteral("select sum(Einnahmen) as summe from Verkauf"));
    bezsumme->setText("Einkauf: " + euro(einkäufe) + "   Verkauf: " + euro(verkäufe) + "   Summe: " +
                      euro(geldminus(verkäufe, einkäufe)));
  } catch (const dao::Error& e) {
    common::fehlermelden(QStringLiteral("Die Summen konnten nicht gelesen werden."), e.text());
  }
}

}  // namespace zevo::trade
