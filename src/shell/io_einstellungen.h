#pragma once
// The settings window "Einstellungen": the shared options and values, the
// column order of the main colony grid and of the inspection list, and the
// items of the colony data card. It opens no database; it stores into the
// settings arrays and writes the settings file only on "Schließen" (its
// close box discards every change).

#include "platform/runtime/forms.h"
#include "platform/runtime/widgets.h"

#include <QStringList>

class QCheckBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace zevo::ui {
class sevTextArray;
}

namespace zevo::shell {

// "select " + the columns joined by ", " + " from Bienenvolk".
QString völkerlistesqlbilden(const QStringList& spalten);
// "select Datum, " + every piece but the first and the last, each followed
// by ", ", + "ID from Stockkarte".
QString stockkartesqlbilden(const QStringList& stücke);
// The stored inspection SELECT split at every ", " (an empty text gives no piece).
QStringList stockkartezerlegen(const QString& sql);

class IO_Einstellungen : public vb::Form {
public:
  IO_Einstellungen();

  // Controls (named as in the window's design).
  vb::TabControl* sstab;
  QCheckBox* kon[8];
  ui::sevTextArray* sevt;
  QLabel* Label1[2];                 // only Label1(1) is used
  QGroupBox* Frame1[2];
  QListWidget* li;
  QListWidget* listock;
  QPushButton* aufwaerts[2];         // 0 up, 1 down
  QPushButton* aufwaertsstock[2];
  QLabel* Label2;
  QLabel* Label3[2];
  QListWidget* litext1;              // 31 items of the colony data
  QListWidget* litext2;              // 11 items of the bookings
  QPushButton* ok;
  QPushButton* standard;
  QPushButton* hilfe;

  void Form_Load() override;
  void Form_Activate() override;
  void aufwaerts_Click(int index);
  void aufwaertsstock_Click(int index);
  void ok_Click();
  void standard_Click();
  void hilfe_Click();

  // The selected item of a single-selection list, -1 when none is marked.
  static int auswahl(const QListWidget* liste);

private:
  QString alteVölkerliste_;
  QString alteStockkarte_;
  int alteNummernanzeige_ = 0;
};

}  // namespace zevo::shell
