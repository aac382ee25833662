// Statement shapes: one translation serves every statement of one shape.
#include "platform/dao/jetsql_p.h"

namespace zevo::dao::jet {

using namespace detail;

// --- shapes ------------------------------------------------------------------------

namespace {

QVariant literalValue(const QString& raw) {
  const QChar q = raw.at(0);
  if (q == '\'' || q == '"') {
    QString v = raw.mid(1, raw.size() - 2);
    v.replace(QString(2, q), QString(q));
    return v;
  }
  if (q == '#') return dateLiteral(raw.mid(1, raw.size() - 2));
  bool whole = false;
  const qint64 n = raw.toLongLong(&whole);
  return whole ? QVariant(n) : QVariant(raw.toDouble());
}

}  // namespace

Shape shapeOf(const QString& s) {
  Shape out;
  QString key;
  key.reserve(s.size());
  const int n = int(s.size());
  const QChar* d = s.constData();
  bool afterIdent = false;
  int copied = 0;  // text before this position is in the key
  for (int i = 0; i < n;) {
    const QChar c = d[i];
    int end = -1;
    QChar mark;
    if (c == '\'' || c == '"') {
      int j = i + 1;
      for (;; ++j) {
        if (j >= n) return {};
        if (d[j] == c) {
          if (j + 1 < n && d[j + 1] == c) { ++j; continue; }
          break;
        }
      }
      end = j + 1;
      // A text beyond ASCII is compared through another collation: a shape of its own.
      mark = QChar(1);
      for (int k = i + 1; k < j; ++k)
        if (d[k].unicode() >= 0x80) mark = QChar(3);
    } else if (c == '#') {
      const int j = int(s.indexOf('#', i + 1));
      if (j < 0) return {};
      end = j + 1;
      mark = QChar(1);
    } else if (c.isDigit() || (c == '.' && i + 1 < n && d[i + 1].isDigit() && !afterIdent)) {
      end = numberEnd(s, i);
      mark = QChar(2);
    }
    if (end > 0) {
      key.append(d + copied, i - copied);
      key += mark;
      out.literals.push_back(s.mid(i, end - i));
      i = copied = end;
      afterIdent = false;
    } else if (c == '[') {
      const int j = int(s.indexOf(']', i + 1));
      if (j < 0) return {};
      i = j + 1;
      afterIdent = true;
    } else if (isIdentStart(c)) {
      const int from = i++;
      while (i < n && isIdentChar(d[i])) ++i;
      if (i - from == 3 && QStringView(d + from, 3).compare(QLatin1String("now"), Qt::CaseInsensitive) == 0)
        out.clock = true;
      afterIdent = true;
    } else {
      ++i;
      if (!c.isSpace()) afterIdent = false;
    }
  }
  key.append(d + copied, n - copied);
  out.key = key;
  return out;
}

bool reuse(const Translation& cached, const std::vector<QString>& cachedLiterals, const Shape& shape,
           Translation& out) {
  if (shape.literals.size() != cachedLiterals.size()) return false;
  std::vector<char> bound(cachedLiterals.size(), 0);
  for (int k : cached.parameterSources) {
    if (k < 0 || size_t(k) >= bound.size()) return false;
    bound[size_t(k)] = 1;
  }
  for (size_t k = 0; k < cachedLiterals.size(); ++k)
    if (!bound[k] && shape.literals[k] != cachedLiterals[k]) return false;
  out = cached;
  for (size_t p = 0; p < cached.parameterSources.size(); ++p)
    out.parameters[p] = literalValue(shape.literals[size_t(cached.parameterSources[p])]);
  return true;
}

}  // namespace zevo::dao::jet
