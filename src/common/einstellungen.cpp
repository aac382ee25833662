#include "common/einstellungen.h"

#include "platform/runtime/files.h"
#include "platform/runtime/msgbox.h"
#include "platform/runtime/textfile.h"
#include "platform/runtime/vb.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <cmath>
#include <limits>
#include <optional>

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

struct Einstellungsstand {
  decltype(einstellungzahl) zahl;
  decltype(einstellungwert) wert;
  decltype(einstellungtext) text;
};

// The values a first run gives every entry (the arrays stay as they are).
Einstellungsstand ausgangswerte() {
  const Einstellungsstand jetzt{einstellungzahl, einstellungwert, einstellungtext};
  einstellungenleeren();
  einstellungzahl[46] = 1;
  ersteinstellungen();
  Einstellungsstand erst{einstellungzahl, einstellungwert, einstellungtext};
  einstellungzahl = jetzt.zahl;
  einstellungwert = jetzt.wert;
  einstellungtext = jetzt.text;
  return erst;
}

// A number line as the writer makes it (" 14 ", "-3 ", "12.50"); an empty
// line reads as 0. Nothing when the line holds no number or one too large
// for a double.
std::optional<double> zahlzeile(const QString& zeile) {
  static const QRegularExpression zahl(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
  const QString feld = zeile.trimmed();
  if (feld.isEmpty()) return 0.0;
  if (!zahl.match(feld).hasMatch()) return std::nullopt;
  bool ok = false;
  const double v = feld.toDouble(&ok);
  if (!ok || !std::isfinite(v)) return std::nullopt;
  return v;
}

struct Leseergebnis {
  QList<int> unlesbar;   // line numbers (1-based) whose entry took its first-run value
  int zeilen = 0;        // lines the file has
};

// Reads every line that can be read; an entry whose line cannot be read
// takes its first-run value. Entries beyond a short file keep their values.
Leseergebnis einstellungenEinlesen(const QStringList& zeilen) {
  const Einstellungsstand erst = ausgangswerte();
  Leseergebnis ergebnis;
  ergebnis.zeilen = int(zeilen.size());
  int nr = 0;
  for (int i = 0; i < einstellungzahl.size() && nr < zeilen.size(); ++i, ++nr) {
    const auto v = zahlzeile(zeilen[nr]);
    const double gerundet = v ? std::nearbyint(*v) : 0;
    if (v && gerundet >= -32768 && gerundet <= 32767) {
      einstellungzahl[i] = static_cast<int>(gerundet);
    } else {
      einstellungzahl[i] = erst.zahl[i];
      ergebnis.unlesbar << nr + 1;
    }
  }
  for (int i = 0; i < einstellungwert.size() && nr < zeilen.size(); ++i, ++nr) {
    const auto v = zahlzeile(zeilen[nr]);
    if (v && std::fabs(*v) <= std::numeric_limits<float>::max()) {
      einstellungwert[i] = static_cast<float>(*v);
    } else {
      einstellungwert[i] = erst.wert[i];
      ergebnis.unlesbar << nr + 1;
    }
  }
  for (int i = 0; i < einstellungtext.size() && nr < zeilen.size(); ++i, ++nr) einstellungtext[i] = zeilen[nr];
  return ergebnis;
}

QString zeilenliste(const QList<int>& nummern) {
  QStringList teile;
  for (int n : nummern) teile << QString::number(n);
  if (teile.size() == 1) return teile.first();
  const QString letzte = teile.takeLast();
  return teile.join(", ") + " und " + letzte;
}

// One notice for a file that could not be read whole; the file as found is
// kept beside it before it is ever written again.
void lesefehlermelden(const Leseergebnis& e) {
  const int soll = einstellungzahl.size() + einstellungwert.size() + einstellungtext.size();
  const bool kurz = e.zeilen < soll;
  if (e.unlesbar.isEmpty() && !kurz) return;
  const QString datei = QFileInfo(einstellungsdatei()).fileName();
  const QString alt = datenpfad + "Einstellungen.ZE1.alt";
  QString text;
  if (!e.unlesbar.isEmpty()) {
    text = e.unlesbar.size() == 1
               ? "In der Einstellungsdatei " + datei + " kann Zeile " + zeilenliste(e.unlesbar) +
                     " nicht gelesen werden. Für diese Einstellung gilt wieder der Ausgangswert."
               : "In der Einstellungsdatei " + datei + " können die Zeilen " + zeilenliste(e.unlesbar) +
                     " nicht gelesen werden. Für diese Einstellungen gelten wieder die Ausgangswerte.";
  }
  if (kurz) {
    if (!text.isEmpty()) text += zeilenumbruch;
    text += "Die Einstellungsdatei " + datei + " endet nach Zeile " + QString::number(e.zeilen) + " von " +
            QString::number(soll) + "; die fehlenden Einstellungen behalten ihre Ausgangswerte.";
  }
  // Only a file with a line that could be read has given anything.
  if (e.zeilen > e.unlesbar.size())
    text += zeilenumbruch + "Alle übrigen Einstellungen sind übernommen.";
  text += zeilenumbruch + zeilenumbruch;
  try {
    vb::fileCopy(einstellungsdatei(), alt);
    text += "Die Datei, wie sie vorgefunden wurde, ist als " + QDir::toNativeSeparators(alt) + " aufbewahrt.";
  } catch (const vb::Error& fehler) {
    text += "Eine Kopie der Datei, wie sie vorgefunden wurde, konnte nicht angelegt werden:" + zeilenumbruch +
            fehler.text();
  }
  vb::msgbox(text);
}

}  // namespace

void einstellungenlesen() {
  try {
    lesefehlermelden(einstellungenEinlesen(vb::readLines(einstellungsdatei())));
  } catch (const vb::Error&) {
    // A file that cannot be opened: every entry keeps its value.
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
