#pragma once
// Inside the translator: the tokens of a Jet statement and the lexer that
// makes them, shared by the translator, the statement shapes, the crosstab
// and the findFirst criteria.

#include "platform/dao/errors.h"
#include "platform/dao/jetsql.h"

#include <QLatin1String>
#include <QString>

#include <cstddef>
#include <vector>

namespace zevo::dao::jet::detail {

enum class Tok { Ident, String, Number, Op };

struct Token {
  Tok type;
  QString text;
  bool quoted = false;  // a [bracketed] identifier
  QString upper = {};   // an unquoted identifier in capitals, for keyword tests
  bool date = false;    // a string that came from a #date# literal
  bool parameter = false;  // rendered as "?" with its value bound
  int literal = -1;        // the number of a literal in the statement's text
  bool collate = false;    // followed by the collation of text equality
};

// A text literal that the column's NOCASE alone would compare otherwise than
// the layer's rule: one with a character beyond ASCII.
bool beyondAscii(const QString& s);

[[noreturn]] inline void syntax(const QString& what) { fail(errSyntax, what); }

inline bool isIdentStart(QChar c) { return c.isLetter() || c == '_' || c.unicode() >= 0x80; }
inline bool isIdentChar(QChar c) { return c.isLetterOrNumber() || c == '_' || c.unicode() >= 0x80; }

// #m/d/yyyy[ h:m[:s]]# as Jet reads it, as "yyyy-mm-dd[ hh:mm:ss]"; anything
// that is not a real date is refused (errSyntax).
QString dateLiteral(const QString& body);
// The end of the number that starts at i.
int numberEnd(const QString& s, int i);
// The tokens of a statement; throws errSyntax.
std::vector<Token> lex(const QString& s);
// A text as an SQL string literal.
QString quoteString(const QString& s);

// kw in capitals
inline bool isKw(const Token& t, QLatin1String kw) { return t.type == Tok::Ident && !t.quoted && t.upper == kw; }
template <size_t N>
inline bool isKw(const Token& t, const char (&kw)[N]) { return isKw(t, QLatin1String(kw, N - 1)); }
template <size_t N>
inline bool isOp(const Token& t, const char (&op)[N]) { return t.type == Tok::Op && t.text == QLatin1String(op, N - 1); }

}  // namespace zevo::dao::jet::detail
