#include "common/fensterdienste.h"

#include "common/variablen.h"
#include "platform/runtime/forms.h"
#include "platform/runtime/mousepointer.h"
#include "platform/runtime/msgbox.h"


#include <limits>

namespace zevo::common {

dao::Workspace& aktuellerarbeitsbereich() {
  return arbeitsbereich ? *arbeitsbereich : dao::DBEngine::workspaces(0);
}

dao::Database eigenedatenbank(bool nurLesen) {
  return aktuellerarbeitsbereich().openDatabase(datenbankpfad, false, nurLesen);
}

void hilfezeigen(const QString& fenstername) {
  hilfethema = fenstername;
  vb::setMousePointer(vb::vbHourglass);
  vb::showForm(QStringLiteral("IH_Hilfe"));
}

void fehlermelden(const QString& satz, const QString& grund) {
  vb::setMousePointer(vb::vbDefault);
  vb::msgbox(satz + zeilenumbruch + zeilenumbruch + grund);
}

int ganzzahlamanfang(const QString& text) {
  qsizetype i = 0;
  while (i < text.size() && text[i] == QLatin1Char(' ')) ++i;
  bool negativ = false;
  if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
    negativ = text[i] == QLatin1Char('-');
    ++i;
  }
  qint64 zahl = 0;
  for (; i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i) {
    zahl = zahl * 10 + (text[i].unicode() - '0');
    if (zahl > std::numeric_limits<int>::max()) return negativ ? std::numeric_limits<int>::min() : std::numeric_limits<int>::max();
  }
  return static_cast<int>(negativ ? -zahl : zahl);
}

std::optional<int> sqlid(const QString& text) {
  const QString t = text.trimmed();
  if (t.isEmpty() || t.size() > 10) return std::nullopt;
  for (const QChar c : t)
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
  const qint64 zahl = t.toLongLong();
  if (zahl < 1 || zahl > std::numeric_limits<int>::max()) return std::nullopt;
  return static_cast<int>(zahl);
}

QString sqlidtext(const QString& text) { return QString::number(sqlid(text).value_or(0)); }

int datensatzid(const QString& text, const QString& wessen) {
  if (const std::optional<int> id = sqlid(text)) return *id;
  throw dao::Error(dao::errTypeConversion, wessen + " hat keine gültige ID.");
}

}  // namespace zevo::common
