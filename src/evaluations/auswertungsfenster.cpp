#include "evaluations/auswertungsfenster.h"

#include "common/einstellungen.h"
#include "common/fensterdienste.h"
#include "common/routinen.h"
#include "common/variablen.h"
#include "components/sevgrid.h"
#include "output/listenuebergabe.h"
#include "platform/runtime/mousepointer.h"
#include "platform/runtime/msgbox.h"
#include "platform/runtime/vb.h"

#include <QCheckBox>
#include <QDate>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zevo::evaluations {

namespace {

const char* const auswahlcaptions[5] = {"Alle im Bestand befindlichichen Völker", "Alle Völker",
                                        "Selektierte Völker", "Alle nicht im Bestand befindl. Völker",
                                        "Aktuelles Volk"};

// The main grid's current row, 0 without a grid.
int aktuellezeile() { return common::datali ? common::datali->row() : 0; }

// A control that comes and goes keeps its room while hidden, so that the
// window keeps its size and the other controls their places.
void platzhalten(QWidget* w) {
  QSizePolicy p = w->sizePolicy();
  p.setRetainSizeWhenHidden(true);
  w->setSizePolicy(p);
}

QString hauptzelle(const char* spalte) {
  const int r = aktuellezeile();
  return r > 0 ? common::datali->cell(r, QString::fromUtf8(spalte)) : QString();
}

}  // namespace

Auswertungsfenster::Auswertungsfenster(const QString& name, const QString& caption, QWidget* parent)
    : vb::Form(name, parent) {
  setWindowTitle(caption);
  ok = new QPushButton(QStringLiteral("&Listen"), this);
  beenden = new QPushButton(QStringLiteral("&Schließen"), this);
  hilfe = new QPushButton(QStringLiteral("&Hilfe"), this);
  connect(ok, &QPushButton::clicked, this, [this] { ok_click(); });
  connect(beenden, &QPushButton::clicked, this, [this] { beenden_click(); });
  connect(hilfe, &QPushButton::clicked, this, [this] { hilfe_click(); });
  meter = new vb::ProgressBar(this);
  meter->setVisible(false);
  platzhalten(meter);
  gridli = new ui::sevGrid(this);
  gridli->setVisible(false);
}

Auswertungsfenster::~Auswertungsfenster() = default;

QString Auswertungsfenster::völkerauswahlcaption(int index) {
  return index >= 0 && index < 5 ? QString::fromUtf8(auswahlcaptions[index]) : QString();
}

QString Auswertungsfenster::völkerklausel(Klauselart art, int option, const QString& id) {
  const QString vor = art == Klauselart::Arbeitszeiten ? QStringLiteral("Bienenvolk.") : QString();
  switch (option) {
    case 0: return " where " + vor + "Akt_im_Bestand = 'X'";
    case 1: return art == Klauselart::Arbeitszeiten ? QStringLiteral(" where Bienenvolk.Volknr IS NOT NULL") : QString();
    case 2: return " where " + vor + "Selektiert = 'X'";
    case 3: return " where " + vor + "Akt_im_Bestand <> 'X'";
    case 4:
      return (art == Klauselart::Völkerdaten ? QStringLiteral(" where ID = ")
                                             : QStringLiteral(" where Bienenvolk.ID = ")) +
             common::sqlidtext(id);
    default: return {};
  }
}

QString Auswertungsfenster::ablehnungskopf() { return QStringLiteral("Die Daten können nicht gelistet werden, weil..."); }

// --- controls ------------------------------------------------------------------------

QGroupBox* Auswertungsfenster::völkerauswahlanlegen(Klauselart art, QWidget* parent) {
  auto* rahmen = new QGroupBox(QStringLiteral("Völkerauswahl"), parent ? parent : this);
  auto* spalte = new QVBoxLayout(rahmen);
  spalte->setSpacing(2);
  völkerauswahlanlegen(art, rahmen, spalte);
  return rahmen;
}

void Auswertungsfenster::völkerauswahlanlegen(Klauselart art, QWidget* rahmen, QBoxLayout* spalte) {
  klauselart_ = art;
  for (int i = 0; i < 5; ++i) {
    optitieraus[i] = new QRadioButton(völkerauswahlcaption(i), rahmen);
    connect(optitieraus[i], &QRadioButton::clicked, this, [this, i] { optitieraus_Click(i); });
    spalte->addWidget(optitieraus[i]);
  }
}

void Auswertungsfenster::nächsteranlegen(const QString& zurück, const QString& vor) {
  const QString captions[2] = {zurück, vor};
  for (int i = 0; i < 2; ++i) {
    nächster[i] = new QPushButton(captions[i], this);
    nächster[i]->setVisible(false);
    platzhalten(nächster[i]);
    connect(nächster[i], &QPushButton::clicked, this, [this, i] { nächster_click(i); });
  }
}

void Auswertungsfenster::alletieranlegen(const QString& alle, const QString& keine) {
  const QString captions[2] = {alle, keine};
  for (int i = 0; i < 2; ++i) {
    alletier[i] = new QPushButton(captions[i], this);
    connect(alletier[i], &QPushButton::clicked, this, [this, i] { alletier_click(i); });
  }
}

void Auswertungsfenster::datumsfelderanlegen(QWidget* parent) {
  for (int i = 0; i < 2; ++i) {
    ui::sevText& f = tdat.add(i, parent ? parent : this);
    f.setMask(QStringLiteral("dd.mm.yyyy"));
    f.setMaxlength(10);
    f.setFixedWidth(100);
  }
  connect(&tdat, &ui::sevTextArray::change, this, [this](int i) { tdat_change(i); });
}

void Auswertungsfenster::jahresfelderanlegen(bool ziffernfilter, QWidget* parent) {
  for (int i = 0; i < 2; ++i) {
    ui::sevText& f = t.add(i, parent ? parent : this);
    f.setMaxlength(4);
    f.setShowbutton(true);
    f.setFixedWidth(90);
  }
  if (ziffernfilter) t.keypress = [this](int i, int& key) { t_keypress(i, key); };
  connect(&t, &ui::sevTextArray::lostfocus, this, [this](int i) { t_lostfocus(i); });
}

void Auswertungsfenster::erstesfeldwählen() {
  // The frame's buttons are made before the window's own controls: without
  // this, the window would open with the focus on "&Listen".
  for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain()) {
    if (w == ok || w == beenden || w == hilfe || !isAncestorOf(w)) continue;
    if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(this) && w->isEnabled()) {
      w->setFocus();
      return;
    }
  }
}

// --- handlers ---------------------------------------------------------------------------

void Auswertungsfenster::Form_Load() {
  erstesfeldwählen();
  try {
    db_ = common::eigenedatenbank(true);
    listenfüllen();
  } catch (const dao::Error& e) {
    common::fehlermelden(QStringLiteral("Das Fenster kann nicht geöffnet werden."), e.text());
    if (db_.isOpen()) db_.close();
    unload();
    return;
  }
  if (optitieraus[0]) optitieraussetzen(common::völkerauswahl());
  optionensetzen();
}

void Auswertungsfenster::Form_Activate() {
  vb::setMousePointer(vb::vbDefault);
  if (!optitieraus[0]) return;
  if (aktuellezeile() != 0) {
    optitieraus[4]->setEnabled(true);
  } else {
    if (optitieraus[4]->isChecked()) optitieraus[0]->setChecked(true);
    optitieraus[4]->setEnabled(false);
  }
  optitieraus_Click(0);
}

void Auswertungsfenster::Form_Unload(bool&) {
  if (db_.isOpen()) db_.close();
}

void Auswertungsfenster::optitieraus_Click(int) {
  if (!optitieraus[4]) return;
  const bool aktuell = optitieraus[4]->isChecked();
  optitieraus[4]->setText(aktuell ? "Aktuelles Volk " + hauptzelle("Volknr") + " / " + hauptzelle("Volkname")
                                  : völkerauswahlcaption(4));
  for (QPushButton* k : nächster)
    if (k) k->setVisible(aktuell);
}

void Auswertungsfenster::nächster_click(int index) {
  common::volkblättern(index);
  Form_Activate();
}

void Auswertungsfenster::tdat_change(int) {
  if (datumvonoption) datumvonoption->setChecked(true);
}

void Auswertungsfenster::t_keypress(int, int& keyAscii) { keyAscii = common::ziffertaste(keyAscii); }

void Auswertungsfenster::t_lostfocus(int index) {
  if (t.contains(index)) t(index).setText(common::jahrergänzen(t(index).text()));
}

void Auswertungsfenster::alletier_click(int) {}

void Auswertungsfenster::beenden_click() {
  if (const int i = gewählteoption(); i >= 0) common::völkerauswahl() = i;
  optionenspeichern();
  unload();
}

void Auswertungsfenster::hilfe_click() { common::hilfezeigen(formName()); }

// --- state --------------------------------------------------------------------------------

int Auswertungsfenster::gewählteoption() const {
  for (int i = 0; i < 5; ++i)
    if (optitieraus[i] && optitieraus[i]->isChecked()) return i;
  return -1;
}

void Auswertungsfenster::optitieraussetzen(int index) {
  if (!optitieraus[0]) return;
  if (index < 0 || index > 4) index = 0;
  optitieraus[index]->setChecked(true);
  optitieraus_Click(index);
}

QString Auswertungsfenster::völkerklausel() const {
  return völkerklausel(klauselart_, gewählteoption(), hauptzelle("ID"));
}

// --- the listing ----------------------------------------------------------------------------

namespace {

// A whole date of the calendar: "dd.mm.yyyy", or an eight-character form
// ("1.5.2007", "01.05.07") that sortdatum and sqldatum complete.
bool ganzesdatum(const QString& text) {
  if (!vb::isDate(text)) return false;
  return text.size() == 8 || QDate::fromString(text, QStringLiteral("dd.MM.yyyy")).isValid();
}

}  // namespace

QString Auswertungsfenster::datumsgründe() const {
  if (!datumvonoption || !datumvonoption->isChecked()) return {};
  const QString von = tdat(0).text(), bis = tdat(1).text();
  QString gründe;
  if (common::sortdatum(von) > common::sortdatum(bis))
    gründe += "...das 'Datum von' größer ist als das 'Datum bis'." + common::zeilenumbruch;
  if (!ganzesdatum(vb::trim(von)) || !ganzesdatum(vb::trim(bis)))
    gründe += "...das Datum von...bis eingegeben werden muß." + common::zeilenumbruch;
  return gründe;
}

bool Auswertungsfenster::abgelehnt(const QString& gründe, const QString& kopf) const {
  if (gründe.isEmpty()) return false;
  vb::msgbox(kopf + common::zeilenumbruch + common::zeilenumbruch + gründe, vb::OKOnly, vb::Information);
  return true;
}

void Auswertungsfenster::listung(const std::function<void()>& arbeit) {
  try {
    arbeit();
  } catch (const dao::Error& e) {
    gridli->lockupdate(false);
    meterverbergen();
    common::fehlermelden(QStringLiteral("Die Daten konnten nicht gelistet werden."), e.text());
    vb::setMousePointer(vb::vbDefault);
  }
}

void Auswertungsfenster::gridvorbereiten() {
  gridli->clear(true);
  gridli->lockupdate(true);
  vb::setMousePointer(vb::vbHourglass);
}

void Auswertungsfenster::meterstarten(int maximum) {
  meter->setValue(0);
  meter->setVisible(true);
  meter->setMax(maximum);
}

void Auswertungsfenster::meterschritt() { meter->setValue(meter->value() + 1); }

void Auswertungsfenster::meterverbergen() {
  meter->setValue(0);
  meter->setVisible(false);
}

void Auswertungsfenster::nichtsgefunden(const QString& text) {
  vb::msgbox(text, vb::OKOnly, vb::Information);
  vb::setMousePointer(vb::vbDefault);
}

bool Auswertungsfenster::übergeben() {
  const bool gezeigt = output::listeübergeben(*gridli);
  meterverbergen();
  return gezeigt;
}

QHBoxLayout* Auswertungsfenster::knopfreihe(bool mitmeter) {
  auto* knöpfe = new QHBoxLayout;
  knöpfe->addWidget(nächster[0]);
  knöpfe->addWidget(nächster[1]);
  if (mitmeter) knöpfe->addWidget(meter, 1);
  else knöpfe->addStretch(1);
  knöpfe->addWidget(hilfe);
  knöpfe->addWidget(ok);
  knöpfe->addWidget(beenden);
  return knöpfe;
}

void Auswertungsfenster::abfragelisten(const QString& sql, const QString& keinedaten) {
  listung([this, &sql, &keinedaten] {
    dao::Recordset rs = datenbank().openRecordset(sql);
    if (rs.recordCount() == 0) {
      rs.close();
      nichtsgefunden(keinedaten);
      return;
    }
    rs.moveLast();
    meterstarten(rs.recordCount());
    gridvorbereiten();
    output::Übernahme wie;
    wie.jezeile = [this] { meterschritt(); };
    output::abfrageübernehmen(rs, *gridli, wie);
    rs.close();
    übergeben();
  });
}

void Auswertungsfenster::listungabschließen() {
  meterverbergen();
  vb::setMousePointer(vb::vbDefault);
  gridli->lockupdate(false);
  if (gridli->rows() == 0) {
    nichtsgefunden(QStringLiteral("Keine zu listenden Daten gefunden"));
    return;
  }
  übergeben();
}

bool Auswertungsfenster::wirtschaftsjahre(int jahre[2]) {
  for (int i = 0; i < 2; ++i) {
    const QString text = t(i).text();
    jahre[i] = !text.isEmpty() && text[0].isDigit() ? common::ganzzahlamanfang(text) : 0;
    if (jahre[i] < 1901 || jahre[i] > 2099) {
      jahre[i] = aktuellesjahr();
      t(i).setText(QString::number(jahre[i]));
    }
  }
  QString grund;
  if (jahre[0] > jahre[1]) grund = "...das 'Wirtschaftsjahr von' größer ist als das 'Wirtschaftsjahr bis'.";
  else if (jahre[1] - jahre[0] + 1 > 30) grund = "...die Auswertung max. über 30 Jahre erlaubt ist.";
  return !abgelehnt(grund.isEmpty() ? grund : grund + common::zeilenumbruch);
}

namespace {
const char* const volkspalten[3][2] = {{"volknr", "Volknr"}, {"volkname", "Volkname"}, {"standort", "Standort"}};
}

void Auswertungsfenster::volkspaltenanlegen(bool völkerweise, QCheckBox* const (&kontier)[3]) {
  if (!völkerweise) {
    gridli->addcolumn(QStringLiteral("jahr"), QStringLiteral("Jahr"));
    return;
  }
  for (int k = 0; k < 3; ++k)
    if (kontier[k]->isChecked())
      gridli->addcolumn(QString::fromUtf8(volkspalten[k][0]), QString::fromUtf8(volkspalten[k][1]));
}

QString Auswertungsfenster::volkspaltentexte(dao::Recordset& völker, QCheckBox* const (&kontier)[3]) {
  QString text;
  for (int k = 0; k < 3; ++k)
    if (kontier[k]->isChecked()) text += common::feldtext(völker[QString::fromUtf8(volkspalten[k][1])]) + '\t';
  return text;
}

QString Auswertungsfenster::summenzeilenanfang(bool völkerweise, QCheckBox* const (&kontier)[3]) {
  QString text = QStringLiteral("SUMME");
  if (!völkerweise) return text + '\t';
  for (QCheckBox* k : kontier)
    if (k->isChecked()) text += '\t';
  return text;
}

int Auswertungsfenster::aktuellesjahr() { return vb::trim(common::heute.mid(6, 4)).toInt(); }

void Auswertungsfenster::jahreslistenfüllen() {
  const int erstes = aktuellesjahr() - 10;
  for (int y = erstes; y <= erstes + 20; ++y) {
    t(0).listadd(QString::number(y));
    t(1).listadd(QString::number(y));
  }
}

void Auswertungsfenster::jahresoptionensetzen() {
  if (common::jahrvon() == 0) common::jahrvon() = aktuellesjahr();
  if (common::jahrbis() == 0) common::jahrbis() = common::jahrvon();
  t(0).setText(QString::number(common::jahrvon()));
  t(1).setText(QString::number(common::jahrbis()));
}

}  // namespace zevo::evaluations
