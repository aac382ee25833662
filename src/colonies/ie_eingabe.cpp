// IE_Eingabe: loading the window, the mask of a kind, the record list, the
// colony list with its marks, the site pick, deleting and help.

#include "colonies/ie_eingabe.h"

#include "colonies/eingabehilfen.h"
#include "colonies/fensterdienste.h"
#include "common/einstellungen.h"
#include "common/routinen.h"
#include "common/variablen.h"
#include "platform/runtime/application.h"
#include "platform/runtime/mousepointer.h"
#include "platform/runtime/msgbox.h"
#include "platform/runtime/widgets.h"

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

namespace zevo::colonies {

namespace {

QString listenabschnitt(int art) { return QString::number(art) + QStringLiteral("bewegungsdaten"); }

}  // namespace

IE_EingabeWerte& ie_eingabeWerte() {
  static IE_EingabeWerte werte;
  return werte;
}

IE_Eingabe::IE_Eingabe(QWidget* parent) : vb::Form(QStringLiteral("IE_Eingabe"), parent) { bauen(); }

IE_Eingabe::~IE_Eingabe() {
  if (db_.isOpen()) db_.close();
}

// --- loading and activation -------------------------------------------------------

void IE_Eingabe::Form_Load() {
  if (common::eingabeart < 0 || common::eingabeart >= anzahlEingabearten) common::eingabeart = 0;
  opti[size_t(common::eingabeart)]->setChecked(true);
  try {
    db_ = eigenedatenbank();
  } catch (const dao::Error& e) {
    vb::setMousePointer(vb::vbDefault);
    vb::msgbox(QStringLiteral("Die Datenbank kann nicht geöffnet werden:") + common::zeilenumbruch + e.text());
    unload();
    return;
  }
  // On a large screen the window takes up to 16000 x 11000 twips.
  const int sw = vb::screenWidthTwips(), sh = vb::screenHeightTwips();
  if (sw > 13000) {
    const int breite = sw > 16000 ? 16000 : sw - 50;
    const int höhe = sh > 11000 ? 11000 : sh - 1000;
    resize(vb::twipsToPixels(breite), vb::twipsToPixels(höhe));
  }
  volklifüllen();
  sevt(0).setText(common::heute);
  standortefüllen();
}

void IE_Eingabe::Form_Activate() {
  vb::setMousePointer(vb::vbDefault);
  maskeaufbauen();
}

void IE_Eingabe::volklifüllen() {
  volkli->clear(true);
  volkli->addcolumn(QStringLiteral("volknr"), QStringLiteral("Volknr"));
  volkli->addcolumn(QStringLiteral("volkname"), QStringLiteral("Volkname"));
  volkli->addcolumn(QStringLiteral("standort"), QStringLiteral("Standort"));
  volkliids_.clear();
  if (ui::sevGrid* d = common::datali) {
    volkli->lockupdate(true);
    for (int i = 1; i <= d->rows(); ++i) {
      volkli->additem(d->cell(i, QStringLiteral("Volknr")) + '\t' + d->cell(i, QStringLiteral("Volkname")) + '\t' +
                      d->cell(i, QStringLiteral("Standort")));
      volkliids_ << d->cell(i, QStringLiteral("ID"));
    }
    volkli->lockupdate(false);
  }
  for (int c = 1; c <= 3; ++c) volkli->autosizecolumn(c);
}

void IE_Eingabe::standortefüllen() {
  kom->clear();
  try {
    dao::Recordset rs = db_.openRecordset(QStringLiteral("select distinct Standort from Bienenvolk order by Standort"));
    for (; !rs.eof(); rs.moveNext()) kom->addItem(common::feldtext(rs.fields(0)));
    rs.close();
  } catch (const dao::Error& e) {
    dbfehler(QStringLiteral("Die Standorte konnten nicht gelesen werden."), e);
  }
  kom->setCurrentIndex(-1);
}

// --- the mask ------------------------------------------------------------------------

void IE_Eingabe::makesev(int index, int typ, int zahltyp, int länge, int nachkomma, double min, double max,
                         const QString& optiontext, const QString& vorgabe, bool optionflag,
                         const QString& caption, int ausrichtung, const QString& einheit,
                         const QString& listtabelle, const QString& listspalte) {
  ui::sevText& f = sevt(index);
  f.setTexttype(typ);
  f.setNumbertype(zahltyp);
  if (f.texttype() != feldJN) {
    f.setMaxlength(länge);
    f.setNachkomma(nachkomma);
    if (f.numbertype() == zahlGanz) {
      f.setMin(min);
      f.setMax(max);
    }
    f.setOptiontext(optiontext);
  }
  f.setOptionflag(optionflag);
  f.setCaption(caption);
  f.setTextalign(ausrichtung);
  // Money fields show the currency.
  f.setUnitdescr(einheit == QLatin1String("(default)") ? QStringLiteral("€") : einheit);
  // Setting the source reads the list at once.
  const bool liste = !listtabelle.isEmpty() && !listspalte.isEmpty();
  f.setShowbutton(liste);
  if (liste) {
    f.setListsource(db_, QStringLiteral("select distinct ") + listspalte + QStringLiteral(" from ") + listtabelle +
                             QStringLiteral(" order by ") + listspalte);
  } else {
    // A field without a list in this kind drops the list of the kind before.
    f.setListsource(dao::Recordset());
    f.listclear();
  }
  // A J/N field keeps its state.
  if (f.texttype() != feldJN) f.setText(vorgabe);
  f.setVisible(true);
}

void IE_Eingabe::maskeaufbauen() {
  for (int i = 1; i <= 16; ++i) {
    if (i == notizfeld) sevt15->hide();
    else sevt(i).hide();
  }
  const Buchungsart& art = buchungsart(common::eingabeart);
  try {
    for (const Eingabefeld& f : art.felder)
      makesev(f.index, f.typ, f.zahltyp, f.länge, f.nachkomma, f.min, f.max, QString(), f.vorgabe, f.optionflag,
              f.caption, f.ausrichtung(), f.einheit, f.listtabelle, f.listspalte);
  } catch (const dao::Error& e) {
    dbfehler(QStringLiteral("Die Auswahllisten der Eingabefelder konnten nicht gelesen werden."), e);
  }
  if (art.nummer == artNotizen) {
    sevt15->clear();
    sevt15->show();
  }
  buchungenlisten();
  sevt(0).setfocus();
}

void IE_Eingabe::bedienungsperre(bool gesperrt) {
  for (int k = 0; k < anzahlEingabearten; ++k) opti[size_t(k)]->setEnabled(!gesperrt || k == common::eingabeart);
  comhilfe->setEnabled(!gesperrt);
  cmdschließen->setEnabled(!gesperrt);
  volkli->setEnabled(!gesperrt);
}

void IE_Eingabe::buchungenlisten(bool melden) {
  vb::setMousePointer(vb::vbHourglass);
  const int art = common::eingabeart;
  bezeingabeart->setText(buchungsart(art).caption);
  bedienungsperre(true);

  ui::sevGrid* d = common::datali;
  const int zeile = d ? d->row() : 0;
  gelistetesvolk_ = zeile > 0 ? d->cell(zeile, QStringLiteral("ID")) : QString();
  gelistetesvolknr_ = zeile > 0 ? d->cell(zeile, QStringLiteral("Volknr")) : QString();
  const QString sql = listenkopf(art, common::stockkartesql()) + QStringLiteral(" where Volk = ") +
                      common::sqlidtext(gelistetesvolk_) + QStringLiteral(" order by Datum");
  li->clear(true);
  try {
    dao::Recordset rs = db_.openRecordset(sql);
    li->lockupdate(true);
    li->setBindflag(true);
    li->setRecordset(rs);
    li->loadcolwidths(QStringLiteral("Zevo"), listenabschnitt(art), QStringLiteral("ColWidths"));
    li->lockupdate(false);
    li->refresh();
    rs.close();
  } catch (const dao::Error& e) {
    if (li->locked()) li->lockupdate(false);
    if (melden) dbfehler(QStringLiteral("Die Buchungen des Volkes konnten nicht gelesen werden."), e);
  }
  vb::setCaption(*this, QStringLiteral("Bewegungsdaten für das Volk:  ") + gelistetesvolknr_ + QStringLiteral(" / ") +
                            (zeile > 0 ? d->cell(zeile, QStringLiteral("Volkname")) : QString()));
  volkli->setRow(volklizeile(zeile));
  if (li->rows() >= 1) {
    li->setRow(li->rows());
    zeilekopieren();
  }
  bedienungsperre(false);
  vb::setMousePointer(vb::vbDefault);
  markierungenspiegeln();
  bezmw->clear();
  bezmw->hide();
}

void IE_Eingabe::zeilekopieren() {
  const int r = li->row();
  if (r < 1) return;
  const Buchungsart& art = buchungsart(common::eingabeart);
  sevt(0).setText(li->cell(r, QStringLiteral("Datum")));
  for (const Eingabefeld& f : art.felder) sevt(f.index).setText(li->cell(r, f.spalte));
  if (art.nummer == artNotizen) sevt15->setPlainText(notizanzeigen(li->cell(r, QStringLiteral("Notiz"))));
  if (art.nummer == artStockkarte) {
    bezmw->clear();
    bezmw->hide();
    ie_eingabeWerte().basismw = ganzzahlamanfang(sevt(10).text());
    ie_eingabeWerte().basiswz = ganzzahlamanfang(sevt(11).text());
  }
}

void IE_Eingabe::li_RowClick(int) { zeilekopieren(); }

void IE_Eingabe::li_ColResize(int col, int widthTwips) {
  if (widthTwips < 25) li->column(col).setWidth(25);
  li->savecolwidths(QStringLiteral("Zevo"), listenabschnitt(common::eingabeart), QStringLiteral("ColWidths"));
}

// --- the colony list ------------------------------------------------------------------
// volkli holds the main grid's colonies in its order and cannot be sorted;
// its rows are matched to the main grid's rows by the colony ID all the same.

int IE_Eingabe::datalizeile(int vz) const {
  ui::sevGrid* d = common::datali;
  if (!d || vz < 1 || vz > volkliids_.size()) return 0;
  const QString& id = volkliids_[vz - 1];
  if (d->cell(vz, QStringLiteral("ID")) == id) return vz;
  for (int i = 1; i <= d->rows(); ++i)
    if (d->cell(i, QStringLiteral("ID")) == id) return i;
  return 0;
}

int IE_Eingabe::volklizeile(int dz) const {
  ui::sevGrid* d = common::datali;
  if (!d || dz < 1) return 0;
  const QString id = d->cell(dz, QStringLiteral("ID"));
  if (dz <= volkliids_.size() && volkliids_[dz - 1] == id) return dz;
  return int(volkliids_.indexOf(id)) + 1;
}

void IE_Eingabe::markierungenspiegeln() {
  ui::sevGrid* d = common::datali;
  for (int i = 1; i <= volkli->rows(); ++i) {
    const int dz = datalizeile(i);
    volkli->setSelected(i, d && dz > 0 && d->selected(dz));
  }
}

void IE_Eingabe::volkli_RowClick(int) {
  ui::sevGrid* d = common::datali;
  if (!d) return;
  if (const int dz = datalizeile(volkli->row()); dz > 0) d->setRow(dz);
  for (int i = 1; i <= volkli->rows(); ++i)
    if (const int dz = datalizeile(i); dz > 0) d->setSelected(dz, volkli->selected(i));
  maskeaufbauen();
}

void IE_Eingabe::kom_Click() {
  ui::sevGrid* d = common::datali;
  const QString ort = kom->currentText();
  // The empty entry, or a site no colony carries, leaves the current colony
  // and the marks as they are.
  if (!d || ort.isEmpty()) return;
  QList<bool> treffer(d->rows() + 1, false);
  int erste = 0;
  for (int i = 1; i <= d->rows(); ++i) {
    treffer[i] = common::feldtext(d->cell(i, QStringLiteral("Standort"))) == ort;
    if (treffer[i] && erste == 0) erste = i;
  }
  if (erste == 0) return;
  d->setRow(erste);
  volkli->setRow(volklizeile(erste));
  for (int i = 1; i <= d->rows(); ++i) {
    d->setSelected(i, treffer[i]);
    if (const int vz = volklizeile(i); vz > 0) volkli->setSelected(vz, treffer[i]);
  }
}

// --- deleting and help ------------------------------------------------------------------

void IE_Eingabe::löschen_Click() {
  if (li->row() == 0) {
    vb::msgbox(QStringLiteral("Bitte markieren Sie zuerst den Datensatz, den Sie löschen möchten."));
    return;
  }
  if (common::löschenbestätigen() != 1) return;
  try {
    li->removeitem(li->row());
  } catch (const dao::Error& e) {
    dbfehler(QStringLiteral("Der Datensatz konnte nicht gelöscht werden."), e);
    return;
  }
  // The colony's summaries follow on closing, and the main grid reloads.
  buchungmerken(gelistetesvolk_);
  common::völkerneulesen = 1;
}

void IE_Eingabe::comhilfe_Click() { hilfezeigen(QStringLiteral("IE_Eingabe")); }

void IE_Eingabe::dbfehler(const QString& satz, const dao::Error& e) {
  vb::setMousePointer(vb::vbDefault);
  vb::msgbox(satz + common::zeilenumbruch + e.text());
}

// --- closing ----------------------------------------------------------------------------

void IE_Eingabe::cmdschließen_Click() { unload(); }

void IE_Eingabe::Form_Unload(bool&) {
  // The close box brings the summaries up to date as "Schließen" does.
  if (common::völkerneulesen == 1 && db_.isOpen()) {
    vb::setMousePointer(vb::vbHourglass);
    try {
      volkzusammenfassungen(db_, ie_eingabeWerte().gebuchtevölker);
    } catch (const dao::Error& e) {
      dbfehler(QStringLiteral("Die Übersichtswerte der gebuchten Völker konnten nicht aktualisiert werden."), e);
    }
    vb::setMousePointer(vb::vbDefault);
  }
  if (db_.isOpen()) db_.close();
}

}  // namespace zevo::colonies
