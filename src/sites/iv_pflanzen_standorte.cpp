#include "sites/iv_pflanzen_standorte.h"

#include "common/fensterdienste.h"
#include "common/routinen.h"
#include "common/variablen.h"
#include "components/sevgrid.h"
#include "platform/runtime/mousepointer.h"
#include "platform/runtime/msgbox.h"
#include "platform/runtime/vb.h"
#include "platform/runtime/widgets.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace zevo::sites {

namespace {

using common::datumswert;
using common::feldtext;
using common::zeilenumbruch;

enum class Art { Text, Ganz, Dezimal, JN, Datum };

struct Feld {
  int index;
  const char* caption;
  Art art;
  int länge;
  int max;
  const char* liste;   // the drop-down list's query, or nullptr
};

const Feld felder[] = {
    {0, "Pflanze", Art::Text, 20, 0, "select distinct Pflanze from Pflanzen order by Pflanze"},
    {1, "Weidezeit von", Art::Datum, 10, 0, nullptr},
    {2, "Weidezeit bis", Art::Datum, 10, 0, nullptr},
    {3, "Nektarstufe (0..10)", Art::Ganz, 2, 10, nullptr},
    {4, "Pollenstufe (0..10)", Art::Ganz, 2, 10, nullptr},
    {5, "Standort", Art::Text, 100, 0, nullptr},
    {6, "Zusatz-Orthinweis", Art::Text, 50, 0,
     "select distinct Zusatzortshinweis from Standorte order by Zusatzortshinweis"},
    {7, "Wintertauglich", Art::JN, 1, 0, nullptr},
    {8, "Klima", Art::Text, 20, 0, "select distinct Klima from Standorte order by Klima"},
    {9, "PKW anfahrbar", Art::JN, 1, 0, nullptr},
    {10, "Wasserentfernung m", Art::Ganz, 4, 9999, nullptr},
    {11, "Flugrichtung", Art::Text, 10, 0, "select distinct Flugrichtung from Standorte order by Flugrichtung"},
    {12, "Max. Anzahl Völker", Art::Ganz, 3, 999, nullptr},
    {13, "Standortprämie je Volk", Art::Dezimal, 8, 0, nullptr},
    {14, "Trachtzeit von", Art::Datum, 10, 0, nullptr},
    {15, "Trachtzeit bis", Art::Datum, 10, 0, nullptr},
    {16, "Pflanze", Art::Text, 20, 0, "select distinct Pflanze from Pflanzen order by Pflanze"},
    {17, "Entfernung m", Art::Ganz, 4, 9999, nullptr},
    {18, "Anteil in %", Art::Ganz, 3, 100, nullptr},
};

const Feld& feld(int index) { return felder[index]; }

// The cells a row click copies: field index and column.
struct Zelle {
  int feld;
  const char* spalte;
};
const Zelle standortzellen[] = {{5, "Standort"},       {6, "Zusatzortshinweis"},   {7, "Wintertauglich"},
                                {8, "Klima"},          {9, "Pkw_anfahrbar"},      {10, "Entfernung_Wasser_m"},
                                {11, "Flugrichtung"},  {12, "Max_Völker"},        {13, "Standortprämie_Volk"},
                                {14, "Trachtzeit_von"}, {15, "Trachtzeit_bis"}};
const Zelle jepflanzezellen[] = {{16, "Pflanze"}, {17, "Entfernung_m"}, {18, "Proz_Anteil"}};
const Zelle pflanzenzellen[] = {
    {0, "Pflanze"}, {1, "Weidezeit_von"}, {2, "Weidezeit_bis"}, {3, "Nektarstufe"}, {4, "Pollenstufe"}};

const QString abschnittStandorte = QStringLiteral("iv_pflanzen_standorte_listandorte");
const QString abschnittJePflanze = QStringLiteral("iv_pflanzen_standorte_lijepflanze");
const QString abschnittPflanzen = QStringLiteral("iv_pflanzen_standorte_lipflanzen");
constexpr int höchstenamensbreite = 4500;   // twips: the widest a name column starts

const QString markierenändern = QStringLiteral("Bitte markieren Sie zuerst den Datensatz, den Sie ändern möchten!");
const QString markierenlöschen = QStringLiteral("Bitte markieren Sie zuerst den Datensatz, den Sie löschen möchten.");

// A whole number typed into a field, by the leading-number rule.
QVariant ganzzahl(const QString& text) { return QVariant(static_cast<qint64>(vb::clng(vb::val(text)))); }

}  // namespace

IV_Pflanzen_Standorte::IV_Pflanzen_Standorte(QWidget* parent)
    : vb::Form(QStringLiteral("IV_Pflanzen_Standorte"), parent) {
  setWindowTitle(QStringLiteral("Pflanzen und Standorte (Wanderung)"));
  steuerelementeanlegen();
}

IV_Pflanzen_Standorte::~IV_Pflanzen_Standorte() = default;

void IV_Pflanzen_Standorte::steuerelementeanlegen() {
  sstab = new vb::TabControl(this);
  auto* seite0 = new QWidget;
  auto* seite1 = new QWidget;
  auto* seite2 = new QWidget;
  sstab->addTab(seite0, QStringLiteral("Standorte"));
  sstab->addTab(seite1, QStringLiteral("Pflanzen je Standort"));
  sstab->addTab(seite2, QStringLiteral("Pflanzen"));

  auto neuesgrid = [this](QWidget* eltern) {
    auto* g = new ui::sevGrid(eltern);
    g->setAutosort(true);
    g->setAllowdelete(true);
    return g;
  };
  auto knopf = [this](const QString& text, QWidget* eltern) { return new QPushButton(text, eltern); };

  // The fields, each in the frame of its tab.
  auto* rahmen0 = new QGroupBox(QStringLiteral("Pflanzen eingeben / ändern"), seite2);
  auto* rahmen1 = new QGroupBox(QStringLiteral("Standorte eingeben / ändern"), seite0);
  auto* rahmen2 = new QGroupBox(QStringLiteral("Pflanzen (Tracht) eingeben / ändern"), seite1);
  for (const Feld& f : felder) {
    QWidget* eltern = f.index <= 4 ? rahmen0 : f.index <= 15 ? rahmen1 : rahmen2;
    ui::sevText& t = sevt.add(f.index, eltern);
    t.setCaption(QString::fromUtf8(f.caption));
    t.setMaxlength(f.länge);
    t.setShowbutton(f.liste != nullptr);
    t.captionLabel()->setMinimumWidth(150);
    switch (f.art) {
      case Art::Text:
        t.editor()->setMinimumWidth(f.länge >= 50 ? 300 : f.länge >= 20 ? 200 : 120);
        break;
      case Art::Ganz:
        t.setTexttype(1);
        t.setNumbertype(7);
        t.setMin(0);
        t.setMax(f.max);
        t.setTextalign(1);
        t.editor()->setFixedWidth(70);
        break;
      case Art::Dezimal:
        t.setTexttype(1);
        t.setNumbertype(1);
        t.setNachkomma(2);
        t.setTextalign(1);
        t.editor()->setFixedWidth(90);
        break;
      case Art::JN:
        t.setTexttype(2);
        break;
      case Art::Datum:
        t.setFormat(2);
        t.setMask(QStringLiteral("dd.mm.yyyy"));
        t.editor()->setFixedWidth(95);
        break;
    }
  }
  sevt(14).setEnabled(false);
  sevt(15).setEnabled(false);

  // Tab "Standorte".
  listandorte = neuesgrid(seite0);
  neustandort[0] = knopf(QStringLiteral("&Neu"), rahmen1);
  neustandort[1] = knopf(QStringLiteral("&Ändern"), rahmen1);
  lschstandort = knopf(QStringLiteral("&Löschen"), rahmen1);
  Label1 = new QLabel(
      QStringLiteral("Folgende Werte werden über die Pflanzen-Eintragungen zum Standort automatisch ermittelt:"),
      rahmen1);
  Label1->setWordWrap(true);
  {
    auto* l = new QVBoxLayout(rahmen1);
    for (int i = 5; i <= 13; ++i) l->addWidget(&sevt(i));
    l->addSpacing(6);
    l->addWidget(Label1);
    l->addWidget(&sevt(14));
    l->addWidget(&sevt(15));
    l->addStretch(1);
    auto* k = new QHBoxLayout;
    k->addWidget(neustandort[0]);
    k->addWidget(neustandort[1]);
    k->addWidget(lschstandort);
    l->addLayout(k);
    auto* s = new QGridLayout(seite0);
    s->addWidget(new QLabel(QStringLiteral("Standort-Liste"), seite0), 0, 0);
    s->addWidget(listandorte, 1, 0);
    s->addWidget(rahmen1, 0, 1, 2, 1);
    s->setColumnStretch(0, 1);
  }

  // Tab "Pflanzen je Standort".
  lijeort = neuesgrid(seite1);
  lijeort->setAllowdelete(false);
  lijepflanze = neuesgrid(seite1);
  bezproz = new QLabel(QStringLiteral("0"), seite1);
  neuje[0] = knopf(QStringLiteral("&Neu"), rahmen2);
  neuje[1] = knopf(QStringLiteral("&Ändern"), rahmen2);
  lschje = knopf(QStringLiteral("&Löschen"), rahmen2);
  {
    auto* l = new QVBoxLayout(rahmen2);
    for (int i = 16; i <= 18; ++i) l->addWidget(&sevt(i));
    auto* k = new QHBoxLayout;
    k->addWidget(neuje[0]);
    k->addWidget(neuje[1]);
    k->addWidget(lschje);
    l->addLayout(k);
    auto* summe = new QHBoxLayout;
    summe->addWidget(new QLabel(QStringLiteral("Pflanzen am Standort in %:"), seite1));
    summe->addWidget(bezproz);
    summe->addStretch(1);
    auto* s = new QGridLayout(seite1);
    s->addWidget(new QLabel(QStringLiteral("Standorte"), seite1), 0, 0);
    s->addWidget(lijeort, 1, 0, 3, 1);
    s->addWidget(new QLabel(QStringLiteral("Pflanzen (Tracht) am ausgewählten Standort"), seite1), 0, 1);
    s->addWidget(lijepflanze, 1, 1);
    s->addLayout(summe, 2, 1);
    s->addWidget(rahmen2, 3, 1);
    s->setColumnStretch(0, 1);
    s->setColumnStretch(1, 2);
  }

  // Tab "Pflanzen".
  lipflanzen = neuesgrid(seite2);
  neu[0] = knopf(QStringLiteral("&Neu"), rahmen0);
  neu[1] = knopf(QStringLiteral("&Ändern"), rahmen0);
  löschen = knopf(QStringLiteral("&Löschen"), rahmen0);
  aufwaerts[0] = knopf(QStringLiteral("Weidezeit + 1 Jahr"), seite2);
  aufwaerts[1] = knopf(QStringLiteral("Weidezeit - 1 Jahr"), seite2);
  {
    auto* l = new QVBoxLayout(rahmen0);
    for (int i = 0; i <= 4; ++i) l->addWidget(&sevt(i));
    l->addStretch(1);
    auto* k = new QHBoxLayout;
    k->addWidget(neu[0]);
    k->addWidget(neu[1]);
    k->addWidget(löschen);
    l->addLayout(k);
    auto* jahr = new QHBoxLayout;
    jahr->addWidget(aufwaerts[0]);
    jahr->addWidget(aufwaerts[1]);
    jahr->addStretch(1);
    auto* s = new QGridLayout(seite2);
    s->addWidget(new QLabel(QStringLiteral("Pflanzen-Liste"), seite2), 0, 0);
    s->addWidget(lipflanzen, 1, 0);
    s->addLayout(jahr, 2, 0);
    s->addWidget(rahmen0, 0, 1, 3, 1);
    s->setColumnStretch(0, 1);
  }

  comstandortlisten = new QPushButton(QStringLiteral("&Standorte / Pflanzen auswerten"), this);
  hilfe = new QPushButton(QStringLiteral("&Hilfe"), this);
  beenden = new QPushButton(QStringLiteral("&Schließen"), this);
  auto* unten = new QHBoxLayout;
  unten->addWidget(comstandortlisten);
  unten->addStretch(1);
  unten->addWidget(hilfe);
  unten->addWidget(beenden);
  auto* ganz = new QVBoxLayout(this);
  ganz->addWidget(sstab, 1);
  ganz->addLayout(unten);
  resize(1000, 640);

  // Events.
  sstab->onClick = [this](int vorher) { sstab_click(vorher); };
  connect(listandorte, &ui::sevGrid::rowclick, this, [this] { listandorte_rowclick(); });
  connect(listandorte, &ui::sevGrid::rowmove, this, [this] { listandorte_rowclick(); });
  connect(listandorte, &ui::sevGrid::colresize, this, [this](int c, int w) { listandorte_colresize(c, w); });
  connect(lijeort, &ui::sevGrid::rowclick, this, [this] { lijeort_rowclick(); });
  connect(lijeort, &ui::sevGrid::rowmove, this, [this] { lijeort_rowclick(); });
  connect(lijepflanze, &ui::sevGrid::rowclick, this, [this] { lijepflanze_rowclick(); });
  connect(lijepflanze, &ui::sevGrid::rowmove, this, [this] { lijepflanze_rowclick(); });
  connect(lijepflanze, &ui::sevGrid::colresize, this, [this](int c, int w) { lijepflanze_colresize(c, w); });
  connect(lipflanzen, &ui::sevGrid::rowclick, this, [this] { lipflanzen_rowclick(); });
  connect(lipflanzen, &ui::sevGrid::rowmove, this, [this] { lipflanzen_rowclick(); });
  connect(lipflanzen, &ui::sevGrid::colresize, this, [this](int c, int w) { lipflanzen_colresize(c, w); });
  for (int i = 0; i < 2; ++i) {
    connect(neu[i], &QPushButton::clicked, this, [this, i] { neu_click(i); });
    connect(neustandort[i], &QPushButton::clicked, this, [this, i] { neustandort_click(i); });
    connect(neuje[i], &QPushButton::clicked, this, [this, i] { neuje_click(i); });
    connect(aufwaerts[i], &QPushButton::clicked, this, [this, i] { aufwaerts_click(i); });
  }
  connect(löschen, &QPushButton::clicked, this, [this] { löschen_click(); });
  connect(lschstandort, &QPushButton::clicked, this, [this] { lschstandort_click(); });
  connect(lschje, &QPushButton::clicked, this, [this] { lschje_click(); });
  connect(comstandortlisten, &QPushButton::clicked, this, [this] { comstandortlisten_click(); });
  connect(hilfe, &QPushButton::clicked, this, [this] { hilfe_click(); });
  connect(beenden, &QPushButton::clicked, this, [this] { beenden_click(); });
}

// --- loading and closing ---------------------------------------------------------

void IV_Pflanzen_Standorte::Form_Load() {
  try {
    db_ = common::eigenedatenbank();
    pflanzenlesen();
    standortelesen();
    pflanzevorbelegen();
    standortvorbelegen();
  } catch (const dao::Error& e) {
    common::fehlermelden("Die Standorte und Pflanzen können nicht bearbeitet werden.", e.text());
    ermittelt_ = true;
    unload();
    return;
  }
  if (common::übergabe == QLatin1String("0")) sstab->setTab(0);
  else if (common::übergabe == QLatin1String("2")) sstab->setTab(2);
}

void IV_Pflanzen_Standorte::Form_Activate() { vb::setMousePointer(vb::vbDefault); }

void IV_Pflanzen_Standorte::Form_Unload(bool&) {
  // Every way of closing keeps the sites' forage periods true to their plants.
  if (!ermittelt_ && db_.isOpen()) {
    ermittelt_ = true;
    trachtzeitenermitteln();
  }
  if (db_.isOpen()) db_.close();
}

void IV_Pflanzen_Standorte::beenden_click() { unload(); }

bool IV_Pflanzen_Standorte::trachtzeitenermitteln() {
  try {
    dao::Transaction transaktion(db_);
    const int n = listandorte->rows();
    for (int i = 1; i <= n; ++i) {
      const QString name = feldtext(listandorte->cell(i, "Standort"));
      dao::Recordset standort = db_.openRecordset(
          "select Trachtzeit_von, Trachtzeit_bis, ID from Standorte where Standort = '" + name + "'");
      if (standort.eof()) continue;
      standort.moveFirst();
      standort.edit();
      standort["Trachtzeit_von"] = QVariant();
      standort["Trachtzeit_bis"] = QVariant();
      const QString id =
          QString::number(common::datensatzid(feldtext(standort["ID"].value()), QStringLiteral("Der Standort")));
      dao::Recordset rs = db_.openRecordset(
          "select top 1 Weidezeit_von from Pflanzen, Standorte_Pflanzen where Standort_Kennung = " + id +
          " and Standorte_Pflanzen.Pflanze = Pflanzen.Pflanze order by Weidezeit_von");
      if (!rs.eof()) standort["Trachtzeit_von"] = rs["Weidezeit_von"].value();
      rs.close();
      rs = db_.openRecordset(
          "select top 1 Weidezeit_bis from Pflanzen, Standorte_Pflanzen where Standort_Kennung = " + id +
          " and Standorte_Pflanzen.Pflanze = Pflanzen.Pflanze order by Weidezeit_bis DESC");
      if (!rs.eof()) standort["Trachtzeit_bis"] = rs["Weidezeit_bis"].value();
      rs.close();
      standort.update();
      standort.close();
    }
    transaktion.commit();
  } catch (const dao::Error& e) {
    common::fehlermelden("Die Trachtzeiten der Standorte konnten nicht ermittelt werden.", e.text());
    return false;
  }
  return true;
}

// --- lists and defaults ------------------------------------------------------------

void IV_Pflanzen_Standorte::knöpfefreigeben(bool an) {
  for (QPushButton* k : {neu[0], neu[1], neustandort[0], neustandort[1], löschen, hilfe, beenden}) k->setEnabled(an);
}

void IV_Pflanzen_Standorte::gridfüllen(ui::sevGrid& grid, const QString& sql, const QString& abschnitt,
                                       const QString& namensspalte, int namensbreite) {
  knöpfefreigeben(false);
  try {
    dao::Recordset rs = db_.openRecordset(sql);
    grid.clear(true);
    grid.lockupdate(true);
    grid.setPrebindflag(true);
    grid.setRecordset(rs);
    if (!namensspalte.isEmpty()) {
      // The names readable at once: the column starts at namensbreite, wider
      // where a name needs it, up to a limit that leaves the next column in view.
      ui::GridColumn spalte = grid.column(namensspalte);
      grid.autosizecolumn(spalte.index());
      spalte.setWidth(std::clamp(spalte.width(), namensbreite, höchstenamensbreite));
    }
    if (!abschnitt.isEmpty()) grid.loadcolwidths("ZEVO", abschnitt, "ColWidths");
    grid.lockupdate(false);
    grid.refresh();
    rs.close();
  } catch (...) {
    grid.lockupdate(false);
    knöpfefreigeben(true);
    throw;
  }
  knöpfefreigeben(true);
}

void IV_Pflanzen_Standorte::pflanzenlesen() {
  gridfüllen(*lipflanzen, QStringLiteral("select * from Pflanzen order by Pflanze"), abschnittPflanzen,
             QStringLiteral("Pflanze"), 1800);
}

void IV_Pflanzen_Standorte::standortelesen() {
  gridfüllen(*listandorte, QStringLiteral("select * from Standorte order by Standort"), abschnittStandorte,
             QStringLiteral("Standort"), 2400);
}

void IV_Pflanzen_Standorte::pflanzevorbelegen() {
  sevt(0).listclear();
  sevt(0).setListsource(db_, QString::fromUtf8(feld(0).liste));
  sevt(0).listrefresh();
  sevt(1).setText(QString());
  sevt(2).setText(QString());
  sevt(3).setText(QStringLiteral("5"));
  sevt(4).setText(QStringLiteral("5"));
}

void IV_Pflanzen_Standorte::standortvorbelegen() {
  sevt(5).setText(QString());
  for (int i : {6, 8, 11}) {
    sevt(i).listclear();
    sevt(i).setListsource(db_, QString::fromUtf8(feld(i).liste));
    sevt(i).listrefresh();
  }
  for (int i : {7, 9}) {
    sevt(i).listclear();
    sevt(i).listadd(QStringLiteral("J"));
    sevt(i).listadd(QStringLiteral("N"));
    sevt(i).setListindex(0);
  }
  sevt(10).setText(QStringLiteral("0"));
  sevt(12).setText(QStringLiteral("10"));
  sevt(13).setText(QStringLiteral("0,00"));
  sevt(14).setText(QString());
  sevt(15).setText(QString());
}

void IV_Pflanzen_Standorte::jepflanzevorbelegen() {
  sevt(16).setText(QString());
  sevt(17).setText(QStringLiteral("0"));
  sevt(18).setText(QStringLiteral("0"));
}

// --- tabs and rows -----------------------------------------------------------------

void IV_Pflanzen_Standorte::sstab_click(int) {
  if (sstab->tab() != 1) return;
  if (listandorte->rows() == 0) {
    vb::msgbox(QStringLiteral("Bevor die Pflanzen für die Standorte eingegeben werden, muß mindestens ein Standort "
                              "eingetragen werden. Deshalb wird jetzt das Register für die Standorte geöffnet."));
    sstab->setTab(0);
    return;
  }
  try {
    gridfüllen(*lijeort, QStringLiteral("select Standort from Standorte order by Standort"), QString());
    lijeort->column(1).setWidth(5000);
    lijepflanze->clear(true);
    if (lijeort->rows() > 0) {
      // The site marked on the tab "Standorte", found by its name.
      const int aktuell = listandorte->row();
      int zeile = 0;
      if (aktuell > 0)
        zeile = lijeort->findrow("Standort = '" + feldtext(listandorte->cell(aktuell, "Standort")) + "'");
      lijeort->setRow(zeile > 0 ? zeile : 1);
    }
    lijeort_rowclick();
    lijepflanze->loadcolwidths("ZEVO", abschnittJePflanze, "ColWidths");
    sevt(16).listclear();
    sevt(16).setListsource(db_, QString::fromUtf8(feld(16).liste));
  } catch (const dao::Error& e) {
    common::fehlermelden("Die Pflanzen je Standort können nicht gelesen werden.", e.text());
  }
}

QString IV_Pflanzen_Standorte::aktuellerstandort() const {
  const int r = listandorte->row();
  return r > 0 ? listandorte->cell(r, "ID") : QString();
}

void IV_Pflanzen_Standorte::lijeort_rowclick() {
  // The clicked site becomes the window's current site, whatever order
  // either list is sorted in.
  const int r = lijeort->row();
  if (r > 0) {
    if (listandorte->findrow("Standort = '" + feldtext(lijeort->cell(r, "Standort")) + "'") == 0)
      listandorte->setRow(0);
  }
  const QString id = common::sqlidtext(aktuellerstandort());
  try {
    dao::Recordset rs = db_.openRecordset("select * from Standorte_Pflanzen where Standort_Kennung = " + id +
                                          " order by Pflanze");
    lijepflanze->clear(true);
    lijepflanze->lockupdate(true);
    lijepflanze->setPrebindflag(true);
    lijepflanze->setRecordset(rs);
    lijepflanze->lockupdate(false);
    lijepflanze->refresh();
    rs.close();
    rs = db_.openRecordset("select sum(Proz_Anteil) as xsumme from Standorte_Pflanzen where Standort_Kennung = " + id);
    bezproz->setText(QStringLiteral("0"));
    if (!rs.eof()) {
      const QString summe = vb::trim(feldtext(rs["xsumme"].value()));
      bezproz->setText(summe.isEmpty() ? QStringLiteral("0") : summe);
    }
    rs.close();
  } catch (const dao::Error& e) {
    lijepflanze->lockupdate(false);
    common::fehlermelden("Die Pflanzen des Standortes können nicht gelesen werden.", e.text());
  }
}

namespace {
template <std::size_t N>
void zellenkopieren(const ui::sevGrid& grid, ui::sevTextArray& sevt, const Zelle (&zellen)[N]) {
  const int r = grid.row();
  if (r <= 0) return;
  for (const Zelle& z : zellen) sevt(z.feld).setText(grid.cell(r, QString::fromUtf8(z.spalte)));
}
}  // namespace

void IV_Pflanzen_Standorte::listandorte_rowclick() {
  zellenkopieren(*listandorte, sevt, standortzellen);
  if (listandorte->row() > 0) sevt(13).setText(common::zahlformatieren(sevt(13).text(), 2));
}

void IV_Pflanzen_Standorte::lijepflanze_rowclick() { zellenkopieren(*lijepflanze, sevt, jepflanzezellen); }

void IV_Pflanzen_Standorte::lipflanzen_rowclick() { zellenkopieren(*lipflanzen, sevt, pflanzenzellen); }

void IV_Pflanzen_Standorte::spaltenbreite(ui::sevGrid& grid, const QString& abschnitt, int col, int width) {
  if (width < 25) grid.column(col).setWidth(25);
  grid.savecolwidths("ZEVO", abschnitt, "ColWidths");
}

void IV_Pflanzen_Standorte::listandorte_colresize(int col, int width) {
  spaltenbreite(*listandorte, abschnittStandorte, col, width);
}
void IV_Pflanzen_Standorte::lijepflanze_colresize(int col, int width) {
  spaltenbreite(*lijepflanze, abschnittJePflanze, col, width);
}
void IV_Pflanzen_Standorte::lipflanzen_colresize(int col, int width) {
  spaltenbreite(*lipflanzen, abschnittPflanzen, col, width);
}

// --- saving --------------------------------------------------------------------------

void IV_Pflanzen_Standorte::gründemelden(const QString& gründe) {
  vb::msgbox("Die Daten werden nicht gespeichert, weil..." + zeilenumbruch + zeilenumbruch + gründe);
}

void IV_Pflanzen_Standorte::neu_click(int index) {
  QString gründe;
  if (feldtext(sevt(0).text()).isEmpty()) gründe += "...die Pflanze angegeben werden muß." + zeilenumbruch;
  if (!vb::isDate(sevt(1).text()) || !vb::isDate(sevt(2).text()))
    gründe += "...die Weidezeit von...bis korrekt angegeben werden muß." + zeilenumbruch;
  if (!gründe.isEmpty()) return gründemelden(gründe);
  const int r = lipflanzen->row();
  if (index == 1 && r == 0) {
    vb::msgbox(markierenändern);
    return;
  }
  const QString name = feldtext(sevt(0).text());
  try {
    const QString id = index == 1 ? QString::number(common::datensatzid(lipflanzen->cell(r, "ID"))) : QString();
    const QString ausser = index == 1 ? " and ID <> " + id : QString();
    dao::Recordset rs = db_.openRecordset("select Pflanze from Pflanzen where Pflanze = '" + name + "'" + ausser);
    if (!rs.eof()) {
      rs.close();
      vb::msgbox(QStringLiteral("Die Pflanze existiert bereits!"));
      return;
    }
    rs.close();
    dao::Transaction transaktion(db_);
    rs = db_.openRecordset("select top 1 * from Pflanzen" + (index == 1 ? " where ID = " + id : QString()));
    if (index == 0) {
      rs.addNew();
    } else {
      rs.moveFirst();
      rs.edit();
    }
    rs["Pflanze"] = name;
    rs["Weidezeit_von"] = datumswert(sevt(1).text());
    rs["Weidezeit_bis"] = datumswert(sevt(2).text());
    rs["Nektarstufe"] = ganzzahl(sevt(3).text());
    rs["Pollenstufe"] = ganzzahl(sevt(4).text());
    rs.update();
    rs.close();
    transaktion.commit();
  } catch (const dao::Error& e) {
    common::fehlermelden("Die Pflanze konnte nicht gespeichert werden.", e.text());
    return;
  }
  common::piepton();
  try {
    pflanzevorbelegen();
    pflanzenlesen();
  } catch (const dao::Error& e) {
    common::fehlermelden("Die Pflanzen können nicht gelesen werden.", e.text());
    return;
  }
  if (lipflanzen->findrow("Pflanze = '" + name + "'", false) > 0) lipflanzen_rowclick();
  sevt(0).setfocus();
}

void IV_Pflanzen_Standorte::neustandort_click(int index) {
  QString gründe;
  if (feldtext(sevt(5).text()).isEmpty()) gründe += "...der Standort angegeben werden muß." + zeilenumbruch;
  if (!gründe.isEmpty()) return gründemelden(gründe);
  const int r = listandorte->row();
  if (index == 1 && r == 0) {
    vb::msgbox(markierenändern);
    return;
  }
  const QString name = feldtext(sevt(5).text());
  try {
    const QString id = index == 1 ? QString::number(common::datensatzid(listandorte->cell(r, "ID"))) : QString();
    const QString ausser = index == 1 ? " and ID <> " + id : QString();
    dao::Recordset rs = db_.openRecordset("select Standort, Zusatzortshinweis from Standorte where Standort = '" +
                                          name + "'" + ausser);
    if (!rs.eof()) {
      rs.close();
      vb::msgbox(QStringLiteral("Der Standort existiert bereits!"));
      return;
    }
    rs.close();
    dao::Transaction transaktion(db_);
    rs = db_.openRecordset("select top 1 * from Standorte" + (index == 1 ? " where ID = " + id : QString()));
    if (index == 0) {
      rs.addNew();
    } else {
      rs.moveFirst();
      rs.edit();
    }
    rs["Standort"] = name;
    rs["Zusatzortshinweis"] = feldtext(sevt(6).text());
    rs["Wintertauglich"] = sevt(7).text();
    rs["Klima"] = feldtext(sevt(8).text());
    rs["Pkw_anfahrbar"] = sevt(9).text();
    rs["Entfernung_Wasser_m"] = ganzzahl(sevt(10).text());
    rs["Flugrichtung"] = feldtext(sevt(11).text());
    rs["Max_Völker"] = ganzzahl(sevt(12).text());
    rs["Standortprämie_Volk"] = common::zahlaustextgenau(sevt(13).text());   // money, read exactly
    rs.update();
    rs.close();
    transaktion.commit();
  } catch (const dao::Error& e) {
    common::fehlermelden("Der Standort konnte nicht gespeichert werden.", e.text());
    return;
  }
  common::piepton();
  try {
    standortvorbelegen();
    standortelesen();
  } catch (const dao::Error& e) {
    common::fehlermelden("Die Standorte können nicht gelesen werden.", e.text());
    return;
  }
  if (listandorte->findrow("Standort = '" + name + "'", false) > 0) listandorte_rowclick();
  sevt(5).setfocus();
}

void IV_Pflanzen_Standorte::neuje_click(int index) {
  QString gründe;
  if (feldtext(sevt(16).text()).isEmpty()) gründe += "...die Pflanze angegeben werden muß." + zeilenumbruch;
  if (vb::val(sevt(17).text()) <= 0) gründe += "...die Entfernung muß größer als 0 Meter sein." + zeilenumbruch;
  if (vb::val(sevt(18).text()) <= 0) gründe += "...der prozentuale Anteil müß größer als 0 % sein." + zeilenumbruch;
  const int r = lijepflanze->row();
  qint64 summe = vb::clng(vb::val(sevt(18).text()) + vb::val(bezproz->text()));
  if (index == 1 && r > 0) summe = vb::clng(double(summe) - vb::val(lijepflanze->cell(r, "Proz_Anteil")));
  if (summe > 100)
    gründe += "...der prozentuale Anteil bei den Pflanzen am Standort nicht über 100 sein darf." + zeilenumbruch;
  if (!gründe.isEmpty()) return gründemelden(gründe);
  if (index == 1 && r == 0) {
    vb::msgbox(QStringLiteral("Bitte markieren Sie zuerst den Datensatz (die Pflanze), den Sie ändern möchten!"));
    return;
  }
  try {
    const int standort = common::datensatzid(aktuellerstandort(), QStringLiteral("Der Standort"));
    const QString id = index == 1 ? QString::number(common::datensatzid(lijepflanze->cell(r, "ID"))) : QString();
    dao::Transaction transaktion(db_);
    dao::Recordset rs =
        db_.openRecordset("select top 1 * from Standorte_Pflanzen" + (index == 1 ? " where ID = " + id : QString()));
    if (index == 0) {
      rs.addNew();
    } else {
      rs.moveFirst();
      rs.edit();
    }
    rs["Pflanze"] = feldtext(sevt(16).text());
    rs["Entfernung_m"] = ganzzahl(sevt(17).text());
    rs["Proz_Anteil"] = ganzzahl(sevt(18).text());
    rs["Standort_Kennung"] = standort;
    rs.update();
    rs.close();
    transaktion.commit();
  } catch (const dao::Error& e) {
    common::fehlermelden("Die Pflanze am Standort konnte nicht gespeichert werden.", e.text());
    return;
  }
  common::piepton();
  jepflanzevorbelegen();
  lijeort_rowclick();
  sevt(16).setfocus();
}

// --- deleting ------------------------------------------------------------------------

namespace {
// Deletes the grid's current record; false when there was none, the user
// declined or the database refused.
bool zeileentfernen(ui::sevGrid& grid, dao::Database& db) {
  const int r = grid.row();
  if (r == 0) {
    vb::msgbox(markierenlöschen);
    return false;
  }
  if (common::löschenbestätigen() != 1) return false;
  try {
    dao::Transaction transaktion(db);
    grid.removeitem(r);
    transaktion.commit();
  } catch (const dao::Error& e) {
    common::fehlermelden("Der Datensatz konnte nicht gelöscht werden.", e.text());
    return false;
  }
  return true;
}
}  // namespace

void IV_Pflanzen_Standorte::löschen_click() {
  if (zeileentfernen(*lipflanzen, db_) && lipflanzen->row() > 0) lipflanzen_rowclick();
}

void IV_Pflanzen_Standorte::lschstandort_click() {
  if (zeileentfernen(*listandorte, db_) && listandorte->row() > 0) listandorte_rowclick();
}

void IV_Pflanzen_Standorte::lschje_click() {
  if (zeileentfernen(*lijepflanze, db_)) lijeort_rowclick();
}

// --- the year shift ------------------------------------------------------------------

void IV_Pflanzen_Standorte::aufwaerts_click(int index) {
  const int schritt = index == 0 ? 1 : -1;
  try {
    dao::Transaction transaktion(db_);
    dao::Recordset rs = db_.openRecordset(QStringLiteral("select * from Pflanzen"));
    for (; !rs.eof(); rs.moveNext()) {
      rs.edit();
      for (const char* spalte : {"Weidezeit_von", "Weidezeit_bis"}) {
        const QString v = feldtext(rs[spalte].value());
        const auto d = vb::parseDate(v);
        if (!d) continue;
        const int jahr = std::clamp(d->year() + schritt, 1901, 2099);
        QDate neu(jahr, d->month(), d->day());
        // 29 February in a year without it: the last day of that February.
        if (!neu.isValid()) neu = QDate(jahr, 2, 28);
        rs[spalte] = QVariant(neu);
      }
      rs.update();
    }
    rs.close();
    transaktion.commit();
  } catch (const dao::Error& e) {
    common::fehlermelden("Die Weidezeiten konnten nicht verschoben werden.", e.text());
    return;
  }
  try {
    pflanzenlesen();
  } catch (const dao::Error& e) {
    common::fehlermelden("Die Pflanzen können nicht gelesen werden.", e.text());
  }
}

// --- other buttons -------------------------------------------------------------------

void IV_Pflanzen_Standorte::comstandortlisten_click() {
  vb::setMousePointer(vb::vbHourglass);
  vb::showForm(QStringLiteral("IW_Standorte"));
}

void IV_Pflanzen_Standorte::hilfe_click() { common::hilfezeigen(formName()); }

}  // namespace zevo::sites
