#pragma once
// The text window: shows the text report named by common::listendatei
// (LISTE.TXT, Windows-1252, CR LF; a line "#" is a page break) and prints it,
// either the text as the box holds it or the whole file. Font, size, bold,
// italic, orientation and left margin are the print options; all but the
// font are kept in einstellungzahl 18, 19, 20, 22 and 23.
//
//   common::listendatei = common::datenpfad + "LISTE.TXT";
//   vb::showForm("IA_Textausgabe");

#include "platform/runtime/forms.h"

#include <QString>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace zevo::output {

class IA_Textausgabe : public vb::Form {
public:
  IA_Textausgabe();

  // The text box shows at most about this many characters of the file.
  static constexpr int textgrenze = 32000;

  // --- controls ---------------------------------------------------------------
  QPlainTextEdit* t;
  QComboBox* kom;
  QCheckBox* kon[2];            // "Fett", "Kursiv"
  QPushButton* plus5[2];        // "<<", ">>"
  QPushButton* plus1[2];        // "<", ">"
  QLabel* größe;
  QRadioButton* druckformat[2]; // "Hochformat", "Querformat"
  QLineEdit* tz;                // left margin in characters
  QPushButton* drucken;
  QPushButton* dateidrucken;
  QPushButton* hilfe;
  QPushButton* abbv;
  QGroupBox* Frame1[3];         // "Schriftart", "Drucken", "Schriftgröße"
  QLabel* Label1;               // "# = Seitenumbruch"
  QLabel* Bezeichnung1[6];      // 2 "Schriftart:", 4 "Zeichen", 5 "Linker Rand =" (others unused)

  // --- handlers ---------------------------------------------------------------
  void Form_Load() override;
  void Form_Activate() override;
  void kom_Click();
  void kon_Click(int index);
  void plus1_Click(int index);
  void plus5_Click(int index);
  void druckformat_Click(int index);
  void tz_LostFocus();
  void drucken_Click();
  void dateidrucken_Click();
  void hilfe_Click();
  void abbv_Click();

  // --- what the print paths send to the printer ------------------------------
  // The pages of a print: the first page starts with an empty line without
  // margin; every other line gets the margin in front. A line "#" (with
  // trimmedBreaks also " # ") starts the next page and is not printed.
  static QList<QStringList> druckseiten(const QStringList& zeilen, const QString& rand, bool trimmedBreaks);
  // The lines of the text box as the text path writes them into its print
  // copy DRUCKAUF.TXT in the current directory (its text plus one line break).
  QStringList textzeilen() const;
  // The margin text: as many blanks as tz says (rounded).
  QString randtext() const;

private:
  void schriftgrößesetzen(int& size);
  void druckereinstellen();
  bool seitendrucken(const QList<QStringList>& seiten);
  void schriftwahl();
};

}  // namespace zevo::output
