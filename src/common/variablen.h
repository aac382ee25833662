#pragma once
// The application-wide variables: paths, the open workspace and database,
// today's date, the line break of messages, the flags and hand-over values
// between windows, and the three settings arrays (einstellungen.h has the
// named entries and the settings file).
//
// A caller sets the hand-over values (eingabeart, volkmodus, übergabe,
// hilfethema, listendatei) and then shows the window, which reads them while
// it loads.

#include "platform/dao/dao.h"

#include <QDate>
#include <QString>

#include <stdexcept>
#include <string>

namespace zevo::ui {
class sevGrid;
}

namespace zevo::common {

// A settings array with fixed bounds 0..N-1; an index outside them throws
// std::out_of_range.
template <class T, int N>
class Einstellungsfeld {
public:
  T& operator[](int index) { return values_[check(index)]; }
  const T& operator[](int index) const { return values_[check(index)]; }
  static constexpr int size() { return N; }
  void leeren() {
    for (T& v : values_) v = T{};
  }
private:
  static int check(int index) {
    if (index < 0 || index >= N)
      throw std::out_of_range("Einstellungsindex " + std::to_string(index) + " außerhalb 0.." +
                              std::to_string(N - 1));
    return index;
  }
  T values_[N]{};
};

inline QString datenpfad;                      // the program folder, ending in one "/"
inline QString datenbankpfad;                  // datenpfad + "ZEVO.MDB"
inline dao::Workspace* arbeitsbereich = nullptr;   // DBEngine::workspaces(0)
inline dao::Database datenbank;                // the application-wide connection
inline dao::Database neuedatenbank;            // the database being created
inline QString heute;                          // "dd.mm.yyyy", set once at start-up
inline QString zeilenumbruch = QStringLiteral("\r\n");
inline int völkerneulesen = 0;                 // 1: the main window reloads its grid on activation
inline int ersteaktivierung = 0;               // 1 once the main window's first activation ran
inline int eingabeart = 0;                     // entry kind 0..10 for IE_Eingabe
inline QString volkmodus;                      // "Neu" or "Ändern" for IV_Neues_Volk
inline QString übergabe;                       // start tab "0"/"1"/"2", "xyz", card text
inline QString hilfethema;                     // topic of IH_Hilfe
inline QString listendatei;                    // file shown by IA_Textausgabe

inline Einstellungsfeld<int, 101> einstellungzahl;      // Integer settings 0..100
inline Einstellungsfeld<float, 11> einstellungwert;     // decimal settings 0..10
inline Einstellungsfeld<QString, 61> einstellungtext;   // text settings 0..60

// The main window's colony grid IA_ZEVO.datali; its current row is the
// current colony. Set by the main window, nullptr before.
inline ui::sevGrid* datali = nullptr;

// heute := today (vb::date()) as "dd.mm.yyyy".
void heutesetzen();

// heute as a date; the clock's date while heute holds none.
QDate heutedatum();

}  // namespace zevo::common
