// The main window's colony grid and the data panel beside it.
#include "shell/ia_zevo.h"

#include "common/einstellungen.h"
#include "common/routinen.h"
#include "common/variablen.h"
#include "components/sevgrid.h"
#include "platform/runtime/runtime.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QRadioButton>

namespace zevo::shell {

using common::zeilenumbruch;

QString standardvölkerlistesql() {
  return QStringLiteral(
             "select Volknr, Volkname, Volkstärke, Mittelwände, Wabenanzahl, Brutstand, Wabensitz, Sanftmut, "
             "Schwarmtrieb, Frühjahrsentw, Winterfestigkeit, Varroaschäden, Belagert, L_Honigernte, "
             "L_Honigmenge_kg, Honigmenge_Gesamt, L_Behandlung, Standort, ") +
         QStringLiteral(
             "Königin_Nr, Königin_Farbe, Königin_Zugangsdatum, Futtervorrat_eigen, Futtervorrat_flüssig, "
             "Futtervorrat_Teig, Beuteart, Bienenrasse, Volk_Zugangsdatum, Volk_Herkunft, Volk_Einkaufspreis, "
             "Akt_im_Bestand, Abgangsdatum, Abgangsgrund, ") +
         QStringLiteral("Abnehmer, Volk_Verkaufspreis, Selektiert, ID from Bienenvolk");
}

QString standardstockkartesql() {
  return QStringLiteral(
      "select Datum, Volkstärke, Brutstand, Wabensitz, Sanftmut, Schwarmtrieb, Frühjahrsentw, Winterfestigkeit, "
      "Varroaschäden, Belagert, Mittelwände, Waben, Futter_flüssig_l, Futter_Teig_kg, Eigener_Futtervorrat, Volk, "
      "Bemerkung, ID from Stockkarte");
}

namespace {

// The list of the colonies; a stored SELECT that cannot run is replaced by the
// default (the settings keep the default from then on).
dao::Recordset völkerlisteöffnen(dao::Database& db, const QString& filter) {
  QString& sql = common::völkerlistesql();
  try {
    return db.openRecordset(sql + filter);
  } catch (const dao::Error& e) {
    if (sql == standardvölkerlistesql()) throw;
    vb::msgbox("Die Abfrage der Völkerliste aus den Einstellungen kann nicht ausgeführt werden; sie wird durch "
               "die Standardabfrage ersetzt." + zeilenumbruch + zeilenumbruch + e.text());
    sql = standardvölkerlistesql();
    return db.openRecordset(sql + filter);
  }
}

}  // namespace

int IA_ZEVO::anzahl(const QString& sql) {
  try {
    dao::Recordset rs = eigenedatenbank.openRecordset(sql);
    const int n = rs.eof() ? 0 : static_cast<int>(vb::val(common::feldtext(rs.fields(QStringLiteral("anzahl")))));
    rs.close();
    return n;
  } catch (const dao::Error&) {
    return 0;
  }
}

void IA_ZEVO::datenvölkerlesen(bool melden) {
  using namespace common;
  vb::setMousePointer(vb::vbHourglass);
  // The lock takes the keyboard focus from the grid; it gets it back at the end.
  const QWidget* fokus = QApplication::focusWidget();
  const bool rasterfokus = fokus && (fokus == datali || datali->isAncestorOf(fokus));
  bedienungfreigeben(0);

  if (!völkerlistesql().contains(QStringLiteral("Varroaschäden"))) völkerlistesql().clear();
  if (vb::trim(völkerlistesql()).isEmpty()) völkerlistesql() = standardvölkerlistesql();

  QString filter;
  if (optiverkauft[0]->isChecked()) filter = QStringLiteral(" where Akt_im_Bestand = 'X'");
  else if (optiverkauft[1]->isChecked()) filter = QStringLiteral(" where Akt_im_Bestand <> 'X'");
  dao::Recordset rs;
  try {
    rs = völkerlisteöffnen(eigenedatenbank, filter);
  } catch (const dao::Error& e) {
    if (melden) vb::msgbox("Die Völkerliste kann nicht gelesen werden." + zeilenumbruch + zeilenumbruch + e.text());
  }

  if (!(stockkartesql().contains(QStringLiteral("Bemerkung")) &&
        stockkartesql().contains(QStringLiteral("Winterfestigkeit"))))
    stockkartesql().clear();
  if (vb::trim(stockkartesql()).isEmpty()) stockkartesql() = standardstockkartesql();
  if (!infofenster().contains(QLatin1Char('1'))) infofenster() = QString(50, QLatin1Char('1'));

  // The widths the user gave the columns survive the reload; at the first
  // load they come from the stored ones.
  QList<int> breiten;
  for (int i = 1; i <= datali->cols(); ++i) breiten << datali->column(i).width();

  datali->clear();
  datali->lockupdate(true);
  datali->setBindflag(true);
  if (rs.isOpen()) datali->setRecordset(rs);
  datali->setPostbindflag(true);
  if (breiten.isEmpty()) {
    datali->loadcolwidths(QStringLiteral("ZEVO"), QStringLiteral("datali"), QStringLiteral("ColWidths"));
  } else {
    for (int i = 1; i <= datali->cols() && i <= breiten.size(); ++i) datali->column(i).setWidth(breiten[i - 1]);
  }

  int& sortierspalte = common::völkersortierspalte();
  if (sortierspalte < 1 || sortierspalte > datali->cols()) sortierspalte = 1;
  datali->sort(sortierspalte, common::völkersortierfolge());

  datali->lockupdate(false);
  datali->refresh();
  if (datali->rows() > 0) datali->setRow(1);
  menüsfreigeben();

  if (rs.isOpen()) rs.close();
  vb::setMousePointer(vb::vbDefault);

  const int bestand = anzahl(QStringLiteral("select count(*) as anzahl from Bienenvolk where Akt_im_Bestand = 'X'"));
  const int abgang = anzahl(QStringLiteral("select count(*) as anzahl from Bienenvolk where Akt_im_Bestand <> 'X'"));
  optiverkauft[0]->setText("Bestand (" + QString::number(bestand) + " Völker)");
  optiverkauft[1]->setText("Abgang (" + QString::number(abgang) + " Völker)");
  optiverkauft[2]->setText("Alles (" + QString::number(bestand + abgang) + " Völker)");
  anordnen();

  bedienungfreigeben(1);
  if (rasterfokus) datali->setFocus();
  völkerneulesen = 0;
}

void IA_ZEVO::optiverkauft_Click(int index) { datenvölkerlesen(); }

void IA_ZEVO::datali_aftersort() {
  for (int i = 1; i <= datali->cols(); ++i) {
    const int ordnung = datali->column(i).sortorder();
    if (ordnung != 0) {
      common::völkersortierspalte() = i;
      common::völkersortierfolge() = ordnung;
    }
  }
}

// The row label: the running number, or the colony number.
// It runs for every row label the grid paints, so the column is looked for
// only when the label needs it.
void IA_ZEVO::datali_rowpaint(int row, QString& fixedText) const {
  if (common::laufendenummer() == 1) {
    fixedText = QString::number(row);
    return;
  }
  int volknr = 0;
  for (int i = 1; i <= datali->cols(); ++i)
    if (datali->column(i).caption() == QLatin1String("Volknr")) volknr = i;
  fixedText = datali->cell(row, volknr);
}

void IA_ZEVO::datali_rowchange() { menüsfreigeben(); }

void IA_ZEVO::datali_rowclick(int row, int col, int button, int shift) {
  if (button == 2) popupzeigen();
}

void IA_ZEVO::datali_mouseclick(int button, int shift, int x, int y) {
  if (button == 2) popupzeigen();
}

void IA_ZEVO::datali_dblclick() { cmdok_Click(); }

// --- the data panel ------------------------------------------------------------------

void IA_ZEVO::cmdok_Click() { dienste().volkdatenlisten(); }

void IA_ZEVO::kon_Click() { cmdok_Click(); }

// Button 0 goes to the next colony, button 1 to the previous one, wrapping.
void IA_ZEVO::abwaerts_Click(int index) {
  common::volkblättern(index == 0 ? 1 : 0);
  cmdok_Click();
}

void IA_ZEVO::comdrucken_Click() {
  using namespace common;
  if (datali->row() < 1) {
    vb::msgbox(QStringLiteral(
        "Sie müssen zuerst ein Volk auswählen, bevor Sie die Daten listen/drucken können."));
    return;
  }
  dienste().volkdatenlisten();
  QString text = Text1->toPlainText();
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QLatin1Char('\n'), zeilenumbruch);
  übergabe = text;
  listendatei = datenpfad + QStringLiteral("LISTE.TXT");
  try {
    vb::TextWriter aus(listendatei);
    aus.printLine(text);
    aus.close();
  } catch (const vb::Error& e) {
    vb::msgbox(e.text());
    return;
  }
  vb::showForm(QStringLiteral("IA_Textausgabe"));
}

}  // namespace zevo::shell
