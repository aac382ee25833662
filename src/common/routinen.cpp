#include "common/routinen.h"

#include "common/einstellungen.h"
#include "common/variablen.h"
#include "components/sevgrid.h"
#include "platform/runtime/msgbox.h"
#include "platform/runtime/sound.h"
#include "platform/runtime/vb.h"

#include <cmath>

namespace zevo::common {

using vb::mid;

void piepton() {
  try {
    if (eingabepiepton() == 1) vb::beep(1000, 15);
  } catch (...) {
    // The tone is never worth an error.
  }
}

int löschenbestätigen() {
  if (löschabfrage() != 1) return 1;
  return vb::question("Soll der markierte Datensatz wirklich unwiederbringlich gelöscht werden?") ? 1 : 0;
}

void volkblättern(int richtung) {
  if (!datali || datali->rows() < 1) return;
  int r = datali->row();
  if (richtung == 0) {
    r -= 1;
    if (r < 1) r = datali->rows();
  } else if (richtung == 1) {
    r += 1;
    if (r > datali->rows()) r = 1;
  }
  datali->setRow(r);
}

QString jahrergänzen(const QString& jahr) {
  QString s = vb::trim(jahr);
  switch (s.size()) {
    case 0: return mid(heute, 7, 4);
    case 1: return "200" + s;
    case 2: return (s >= QStringLiteral("50") ? "19" : "20") + s;
    case 3: return {};
    default: return s;
  }
}

bool nurziffern(const QString& text) {
  for (QChar c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

// --- zahlaustext ----------------------------------------------------------------

namespace {

// The digits and commas of text, read from the right; of the points only the
// last one stays (it is the decimal point, the others group thousands).
QString ziffernundpunkt(const QString& text) {
  QString t;
  bool punkt = false;
  for (qsizetype i = text.size() - 1; i >= 0; --i) {
    const QChar c = text[i];
    if (c == '.') {
      if (!punkt) t.prepend(c);
      punkt = true;
    } else if ((c >= '0' && c <= '9') || c == ',') {
      t.prepend(c);
    }
  }
  return t;
}

}  // namespace

float zahlaustext(QVariant& wert) {
  if (!wert.isValid() || wert.isNull()) {
    wert = QVariant(0);
    return 0;
  }
  QString text = vb::cstr(wert);
  if (text.endsWith('.')) {
    text.chop(1);
    wert = text;
  }
  if (const int komma = text.indexOf(','); komma >= 0) {
    text[komma] = '.';
    wert = text;
  }
  if (text.isEmpty()) return 0;
  return static_cast<float>(vb::val(ziffernundpunkt(text)));
}

float zahlaustext(QString& wert) {
  QVariant v(wert);
  const float r = zahlaustext(v);
  wert = vb::cstr(v);
  return r;
}

float zahlaustext(const QVariant& wert) {
  QVariant kopie = wert;
  return zahlaustext(kopie);
}

float zahlaustext(const QString& wert) {
  QVariant kopie(wert);
  return zahlaustext(kopie);
}

float zahlaustext(const char* wert) { return zahlaustext(QString::fromUtf8(wert)); }

float zahlauswert(const QVariant& wert) {
  if (wert.typeId() == QMetaType::Float || wert.typeId() == QMetaType::Double) {
    const QString text = vb::cstr(wert);
    if (text.contains(QLatin1Char('E')))
      if (const auto zahl = vb::parseNumber(text)) return static_cast<float>(std::fabs(*zahl));
  }
  return zahlaustext(wert);
}

double zahlaustextgenau(const QString& wert, bool mitvorzeichen) {
  QString text = wert;
  const bool negativ = mitvorzeichen && text.trimmed().startsWith('-');
  if (text.endsWith('.')) text.chop(1);
  if (const int komma = text.indexOf(','); komma >= 0) text[komma] = '.';
  const double zahl = vb::val(ziffernundpunkt(text));
  return negativ && zahl != 0 ? -zahl : zahl;
}

double zahlaustextgenau(const QVariant& wert, bool mitvorzeichen) {
  if (!wert.isValid() || wert.isNull()) return 0;
  return zahlaustextgenau(vb::cstr(wert), mitvorzeichen);
}

// --- zahlformatieren ----------------------------------------------------------------

QString zahlformatieren(QVariant& wert, int nachkomma) {
  const QString format = nachkomma <= 0 ? QStringLiteral("0") : "0." + QString(nachkomma, '0');
  if (wert.typeId() == QMetaType::QString && wert.toString().isEmpty()) wert = QVariant(0);
  if (wert.isValid() && !wert.isNull()) {
    QString text = vb::cstr(wert);
    if (const int punkt = text.indexOf('.'); punkt >= 0) text[punkt] = ',';
    wert = text;
  }
  if (!wert.isValid() || wert.isNull() || !vb::isNumeric(wert.toString())) wert = QVariant(0);
  return vb::format(wert, format);
}

QString zahlformatieren(QString& wert, int nachkomma) {
  QVariant v(wert);
  const QString r = zahlformatieren(v, nachkomma);
  wert = vb::cstr(v);
  return r;
}

QString zahlformatieren(const QVariant& wert, int nachkomma) {
  QVariant kopie = wert;
  return zahlformatieren(kopie, nachkomma);
}

QString zahlformatieren(const QString& wert, int nachkomma) {
  QVariant kopie(wert);
  return zahlformatieren(kopie, nachkomma);
}

QString zahlformatieren(const char* wert, int nachkomma) {
  return zahlformatieren(QString::fromUtf8(wert), nachkomma);
}

// --- feldtext ------------------------------------------------------------------------

QString feldtext(const QVariant& wert) {
  try {
    if (!wert.isValid() || wert.isNull()) return {};
    QString t = vb::trim(vb::cstr(wert));
    t.replace('\'', '`');
    return t;
  } catch (...) {
    return {};
  }
}

QString feldtext(const QString& wert) { return feldtext(QVariant(wert)); }

QString feldtext(const char* wert) { return feldtext(QString::fromUtf8(wert)); }

QString feldtext(const dao::Field& feld) {
  try {
    return feldtext(feld.value());
  } catch (...) {
    return {};
  }
}

// --- dates ---------------------------------------------------------------------------

QVariant datumswert(const QString& text) {
  if (const auto d = vb::parseDate(text)) return QVariant(*d);
  return QVariant();
}

QString sortdatum(QString& datum) {
  if (datum.size() == 8) datum = vb::format(QVariant(datum), "dd.mm.yyyy");
  return mid(datum, 7, 4) + mid(datum, 4, 2) + mid(datum, 1, 2);
}

QString sortdatum(const QString& datum) {
  QString kopie = datum;
  return sortdatum(kopie);
}

QString sqldatum(QString& datum) {
  if (vb::isDate(datum)) datum = vb::format(QVariant(datum), "dd.mm.yyyy");
  return "#" + mid(datum, 4, 2) + "/" + mid(datum, 1, 2) + "/" + mid(datum, 7, 4) + "#";
}

QString sqldatum(const QString& datum) {
  QString kopie = datum;
  return sqldatum(kopie);
}

QString datumergänzen(const QString& datum) {
  QString s = vb::trim(datum);
  if (s.isEmpty()) return {};
  if (vb::isDate(s)) return vb::format(QVariant(s), "dd.mm.yyyy");
  if (s.endsWith('.')) s.chop(1);
  if (s.size() == 10) return vb::isDate(s) ? s : QString();
  QString r;
  const int punkte = static_cast<int>(s.count('.'));
  if (punkte == 0) {
    switch (s.size()) {
      case 1: r = "0" + s + mid(heute, 3, 8); break;
      case 2:
        if (vb::val(s) > 31) r = "0" + mid(s, 1, 1) + ".0" + mid(s, 2, 1) + mid(heute, 6, 5);
        else r = s + mid(heute, 3, 8);
        break;
      case 4: r = mid(s, 1, 2) + "." + mid(s, 3, 2) + mid(heute, 6, 5); break;
      case 6: r = mid(s, 1, 2) + "." + mid(s, 3, 2) + "." + mid(heute, 7, 2) + mid(s, 5, 2); break;
      case 8: r = mid(s, 1, 2) + "." + mid(s, 3, 2) + "." + mid(s, 5, 4); break;
      default: r = s; break;
    }
  } else if (punkte == 1) {
    const int p = static_cast<int>(s.indexOf('.'));
    const QString tag = vb::right("00" + s.left(p), 2);
    const QString monat = vb::right("00" + mid(s, p + 2, 2), 2);
    r = tag + "." + monat + mid(heute, 6, 5);
  } else {
    r = s;
    if (mid(r, 2, 1) == ".") r = "0" + r;
    if (mid(r, 5, 1) == ".") r = vb::left(r, 3) + "0" + mid(r, 4);
    if (r.size() == 8) r = vb::left(r, 6) + mid(heute, 7, 2) + vb::right(r, 2);
  }
  return vb::isDate(r) ? r : QString();
}

// --- keys and columns ----------------------------------------------------------------

int ziffertaste(int keyAscii) {
  if ((keyAscii >= 48 && keyAscii <= 57) || keyAscii == 42 || (keyAscii >= 8 && keyAscii <= 10) ||
      keyAscii == 13)
    return keyAscii;
  return 0;
}

QString rechtsbündig(const QString& text, int breite) {
  if (breite <= 0) return {};
  return vb::trim(text).left(breite).rightJustified(breite, ' ');
}

QString linksbündig(const QString& text, int breite) {
  if (breite <= 0) return {};
  return vb::trim(text).left(breite).leftJustified(breite, ' ');
}

}  // namespace zevo::common
