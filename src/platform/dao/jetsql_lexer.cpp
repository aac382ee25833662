// The lexer of the translator: tokens, date literals, numbers.
#include "platform/dao/jetsql_p.h"

#include <QDate>
#include <QTime>

#include <cmath>

namespace zevo::dao::jet::detail {

bool beyondAscii(const QString& s) {
  for (QChar c : s)
    if (c.unicode() >= 0x80) return true;
  return false;
}

// Reads an unsigned number of at most maxDigits digits at p; -1 when there is none.
int readNumber(const QString& s, int& p, int maxDigits) {
  int v = 0, n = 0;
  while (p < s.size() && s[p].isDigit() && n < maxDigits) {
    v = v * 10 + s[p].digitValue();
    ++p;
    ++n;
  }
  return n == 0 ? -1 : v;
}

// #m/d/yyyy[ h:m[:s]]# as Jet reads it; anything that is not a real date is refused.
QString dateLiteral(const QString& body) {
  auto bad = [&]() -> QString { syntax(QStringLiteral("ungültiges Datum #%1#").arg(body)); };
  const QString b = body.trimmed();
  int p = 0;
  QDate date;
  const int first = readNumber(b, p, 4);
  if (first < 0 || p >= b.size()) bad();
  if (b[p] == '/' && p <= 2) {
    ++p;
    const int day = readNumber(b, p, 2);
    if (day < 0 || p >= b.size() || b[p] != '/') bad();
    ++p;
    const int from = p;
    int year = readNumber(b, p, 4);
    if (year < 0 || p - from == 3) bad();
    if (p - from <= 2) year += year < 30 ? 2000 : 1900;  // 0-29: 20xx, 30-99: 19xx
    date = QDate(year, first, day);
  } else if (b[p] == '-' && p == 4) {
    ++p;
    const int month = readNumber(b, p, 2);
    if (month < 0 || p >= b.size() || b[p] != '-') bad();
    ++p;
    const int day = readNumber(b, p, 2);
    date = QDate(first, month, day);
  }
  if (!date.isValid()) bad();
  QTime time(0, 0);
  if (p < b.size()) {
    if (b[p] != ' ') bad();
    while (p < b.size() && b[p] == ' ') ++p;
    const int h = readNumber(b, p, 2);
    if (h < 0 || p >= b.size() || b[p] != ':') bad();
    ++p;
    const int m = readNumber(b, p, 2);
    int sec = 0;
    if (p < b.size() && b[p] == ':') {
      ++p;
      sec = readNumber(b, p, 2);
    }
    if (m < 0 || sec < 0 || p != b.size()) bad();
    time = QTime(h, m, sec);
    if (!time.isValid()) bad();
  }
  return isoDateTime(date, time);
}

// A number as the lexer reads it, starting at i; returns the end.
int numberEnd(const QString& s, int i) {
  const int n = int(s.size());
  int j = i;
  while (j < n && s[j].isDigit()) ++j;
  if (j < n && s[j] == '.') { ++j; while (j < n && s[j].isDigit()) ++j; }
  if (j < n && (s[j] == 'e' || s[j] == 'E')) {
    int k = j + 1;
    if (k < n && (s[k] == '+' || s[k] == '-')) ++k;
    if (k < n && s[k].isDigit()) { j = k; while (j < n && s[j].isDigit()) ++j; }
  }
  return j;
}

std::vector<Token> lex(const QString& s) {
  std::vector<Token> out;
  int literals = 0;
  const int n = int(s.size());
  int i = 0;
  while (i < n) {
    const QChar c = s[i];
    if (c.isSpace()) { ++i; continue; }
    if (c == '\'' || c == '"') {
      QString v;
      ++i;
      for (;;) {
        if (i >= n) syntax(QStringLiteral("Zeichenkette ohne Ende"));
        if (s[i] == c) {
          if (i + 1 < n && s[i + 1] == c) { v += c; i += 2; continue; }
          ++i;
          break;
        }
        v += s[i++];
      }
      out.push_back({Tok::String, v});
      out.back().literal = literals++;
      continue;
    }
    if (c == '[') {
      const int j = int(s.indexOf(']', i + 1));
      if (j < 0) syntax(QStringLiteral("'[' ohne ']'"));
      out.push_back({Tok::Ident, s.mid(i + 1, j - i - 1), true});
      i = j + 1;
      continue;
    }
    if (c == '#') {
      const int j = int(s.indexOf('#', i + 1));
      if (j < 0) syntax(QStringLiteral("Datum ohne abschließendes '#'"));
      Token t{Tok::String, dateLiteral(s.mid(i + 1, j - i - 1))};
      t.date = true;
      t.literal = literals++;
      out.push_back(t);
      i = j + 1;
      continue;
    }
    if (c.isDigit() || (c == '.' && i + 1 < n && s[i + 1].isDigit() &&
                        (out.empty() || out.back().type != Tok::Ident))) {
      const int j = numberEnd(s, i);
      if (j < n && isIdentStart(s[j])) syntax(QStringLiteral("'%1'").arg(s.mid(i, j - i + 1)));
      if (!std::isfinite(s.mid(i, j - i).toDouble()))
        syntax(QStringLiteral("die Zahl %1 ist zu groß").arg(s.mid(i, j - i)));
      out.push_back({Tok::Number, s.mid(i, j - i)});
      out.back().literal = literals++;
      i = j;
      continue;
    }
    if (isIdentStart(c)) {
      int j = i + 1;
      while (j < n && isIdentChar(s[j])) ++j;
      Token t{Tok::Ident, s.mid(i, j - i)};
      t.upper = t.text.toUpper();
      out.push_back(std::move(t));
      i = j;
      continue;
    }
    if ((c == '<' || c == '>') && i + 1 < n && (s[i + 1] == '=' || (c == '<' && s[i + 1] == '>'))) {
      out.push_back({Tok::Op, s.mid(i, 2)});
      i += 2;
      continue;
    }
    if (QStringLiteral("=<>+-*/(),.;").contains(c)) {
      out.push_back({Tok::Op, QString(c)});
      ++i;
      continue;
    }
    if (c == '&') syntax(QStringLiteral("der Operator '&' wird nicht unterstützt"));
    syntax(QStringLiteral("unzulässiges Zeichen '%1'").arg(c));
  }
  return out;
}

QString quoteString(const QString& s) {
  QString v = s;
  v.replace('\'', QLatin1String("''"));
  return QLatin1Char('\'') + v + QLatin1Char('\'');
}

}  // namespace zevo::dao::jet::detail
