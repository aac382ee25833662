#include "common/einstellungen.h"

#include "platform/runtime/files.h"
#include "platform/runtime/msgbox.h"
#include "platform/runtime/textfile.h"
#include "platform/runtime/vb.h"

#include <QDir>

#include <cmath>
#include <limits>

namespace zevo::common {

QString einstellungsdatei() { return vb::resolveCase(datenpfad + "Einstellungen.ZE1"); }

QString zahlfeldbreite(int breite, float wert) {
  QString s = vb::format(QVariant(wert), "0.00");
  const int komma = s.indexOf(',');
  if (komma >= 0) s[komma] = '.';
  if (s.size() > breite) s.truncate(std::max(breite, 0));
  return s.rightJustified(std::max(breite, 0), ' ');
}

namespace {
// A text setting on one line: a line break becomes a blank.
QString eineZeile(const QString& text) {
  QString t = text;
  t.replace("\r\n", " ");
  t.replace('\r', ' ');
  t.replace('\n', ' ');
  return t;
}
}  // namespace

bool einstellungenschreiben() {
  try {
    vb::TextWriter out(einstellungsdatei());
    for (int i = 0; i < einstellungzahl.size(); ++i) out.printNumberLine(einstellungzahl[i]);
    for (int i = 0; i < einstellungwert.size(); ++i)
      out.printLine(vb::trim(zahlfeldbreite(10, einstellungwert[i])));
    for (int i = 0; i < einstellungtext.size(); ++i) out.printLine(eineZeile(einstellungtext[i]));
    out.close();
    return true;
  } catch (const vb::Error& e) {
    vb::msgbox("Die Einstellungen konnten nicht gespeichert werden." + zeilenumbruch + zeilenumbruch +
               e.text());
    return false;
  }
}

namespace {
// Reads as far as the file allows; false where it stopped.
bool einstellungenEinlesen() {
  vb::TextReader in(einstellungsdatei());
  for (int i = 0; i < einstellungzahl.size(); ++i) {
    const double gerundet = std::nearbyint(in.inputNumber());
    if (!(gerundet >= -32768 && gerundet <= 32767)) return false;   // too large for an Integer entry
    einstellungzahl[i] = static_cast<int>(gerundet);
  }
  for (int i = 0; i < einstellungwert.size(); ++i) {
    const double v = in.inputNumber();
    if (!(std::fabs(v) <= std::numeric_limits<float>::max())) return false;
    einstellungwert[i] = static_cast<float>(v);
  }
  for (int i = 0; i < einstellungtext.size(); ++i) einstellungtext[i] = in.lineInput();
  return true;
}
}  // namespace

void einstellungenlesen() {
  try {
    einstellungenEinlesen();
  } catch (const vb::Error&) {
    // A missing, short or unreadable file: the entries not read keep their values.
  }
  if (vb::trim(buchungsfelder(5)).isEmpty()) buchungsfelder(5) = standardtrennzeichen;
}

void ersteinstellungen() {
  terminlistebeimstart() = 1;
  eingabepiepton() = 1;
  htmlseitenzahlen() = 1;
  htmlseitenzeilen() = 60;
  sicherungstage() = 14;
  löschabfrage() = 1;
  volknrhochzählen() = 1;
  terminvorlauf() = 14;
  jahreslaufjahr() = static_cast<int>(vb::val(vb::mid(heute, 7, 4)));
  trennzeichen() = standardtrennzeichen;
}

void einstellungenbeimstart() {
  listendatum() = 1;
  if (!vb::fileExists(einstellungsdatei())) {
    ersteinstellungen();
    einstellungenschreiben();
  } else {
    einstellungenlesen();
  }
}

void einstellungenleeren() {
  einstellungzahl.leeren();
  einstellungwert.leeren();
  einstellungtext.leeren();
}

}  // namespace zevo::common
