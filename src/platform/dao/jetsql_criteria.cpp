// The criteria of Recordset::findFirst.
#include "platform/dao/jetsql_p.h"

namespace zevo::dao::jet {

using namespace detail;

// --- findFirst criteria ----------------------------------------------------------

std::vector<Criterion> parseCriteria(const QString& text) {
  std::vector<Token> t;
  try {
    t = lex(text);
  } catch (const Error&) {
    fail(errCriteriaSyntax, text);
  }
  std::vector<Criterion> out;
  size_t i = 0;
  auto bad = [&]() { fail(errCriteriaSyntax, text); };
  while (i < t.size()) {
    Criterion c;
    if (t[i].type != Tok::Ident) bad();
    c.field = t[i++].text;
    if (i + 1 < t.size() && isOp(t[i], ".") && t[i + 1].type == Tok::Ident) { c.field = t[i + 1].text; i += 2; }
    if (i >= t.size() || t[i].type != Tok::Op) bad();
    c.op = t[i++].text;
    static const QStringList ops = {"=", "<>", "<", ">", "<=", ">="};
    if (!ops.contains(c.op)) bad();
    bool negative = false;
    if (i < t.size() && isOp(t[i], "-")) { negative = true; ++i; }
    if (i >= t.size()) bad();
    const Token& v = t[i++];
    if (v.type == Tok::Number) {
      bool whole = false;
      const qint64 n = v.text.toLongLong(&whole);
      if (whole) c.value = negative ? -n : n;
      else c.value = (negative ? -1.0 : 1.0) * v.text.toDouble();
    } else if (v.type == Tok::String && !negative) {
      if (v.date) {
        const QDateTime dt = QDateTime::fromString(v.text, v.text.size() > 10 ? QStringLiteral("yyyy-MM-dd hh:mm:ss")
                                                                               : QStringLiteral("yyyy-MM-dd"));
        c.value = v.text.size() > 10 ? QVariant(dt) : QVariant(dt.date());
      } else {
        c.value = v.text;
      }
    } else {
      bad();
    }
    out.push_back(c);
    if (i < t.size()) {
      if (!isKw(t[i], "AND")) bad();
      ++i;
      if (i >= t.size()) bad();
    }
  }
  if (out.empty()) bad();
  return out;
}

}  // namespace zevo::dao::jet
