#include "platform/runtime/decimal.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace zevo::vb::detail {

namespace {
void trimTrailingZeros(Decimal& d) {
  while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
  if (d.digits.empty()) {
    d.point = 0;
    d.negative = false;
  }
}
}  // namespace

Decimal Decimal::fromDouble(double v, int significant) {
  Decimal d;
  if (v == 0 || !std::isfinite(v)) return d;
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific,
                           significant - 1);
  std::string s(buf, res.ptr);
  std::size_t i = 0;
  if (s[i] == '-') {
    d.negative = true;
    ++i;
  }
  for (; i < s.size() && s[i] != 'e'; ++i)
    if (s[i] >= '0' && s[i] <= '9') d.digits.push_back(s[i]);
  int exponent = std::atoi(s.c_str() + i + 1);
  d.point = exponent + 1;
  trimTrailingZeros(d);
  return d;
}

void Decimal::roundTo(int decimals, bool halfEven) {
  const int keep = point + decimals;
  if (keep >= static_cast<int>(digits.size())) return;
  if (keep < 0) {
    digits.clear();
    trimTrailingZeros(*this);
    return;
  }
  const char first = digits[static_cast<std::size_t>(keep)];
  const bool restNonZero = static_cast<int>(digits.size()) > keep + 1;
  bool up;
  if (halfEven) {
    const bool previousOdd = keep > 0 && (digits[static_cast<std::size_t>(keep - 1)] - '0') % 2 == 1;
    up = first > '5' || (first == '5' && (restNonZero || previousOdd));
  } else {
    up = first >= '5';
  }
  digits.resize(static_cast<std::size_t>(keep));
  if (up) {
    int i = keep - 1;
    while (i >= 0 && digits[static_cast<std::size_t>(i)] == '9') {
      digits[static_cast<std::size_t>(i)] = '0';
      --i;
    }
    if (i < 0) {
      digits.insert(digits.begin(), '1');
      ++point;
    } else {
      ++digits[static_cast<std::size_t>(i)];
    }
  }
  trimTrailingZeros(*this);
}

QString Decimal::fixed(int decimals, QChar decimalSign, bool grouping) const {
  auto digitAt = [this](int idx) -> char {
    return idx < 0 || idx >= static_cast<int>(digits.size()) ? '0'
                                                               : digits[static_cast<std::size_t>(idx)];
  };
  QString integer;
  if (point <= 0) integer = "0";
  for (int i = 0; i < point; ++i) integer += QChar(digitAt(i));
  if (grouping)
    for (int pos = integer.size() - 3; pos > 0; pos -= 3) integer.insert(pos, '.');
  QString out = negative ? "-" + integer : integer;
  if (decimals > 0) {
    out += decimalSign;
    for (int i = 0; i < decimals; ++i) out += QChar(digitAt(point + i));
  }
  return out;
}

QString Decimal::general(int significant, QChar decimalSign, bool leadingZero) const {
  if (isZero()) return "0";
  QString out = negative ? "-" : "";
  const QString all = QString::fromLatin1(digits.data(), static_cast<qsizetype>(digits.size()));
  if (point > significant || point <= -4) {
    out += all.left(1);
    if (all.size() > 1) out += decimalSign + all.mid(1);
    const int exponent = point - 1;
    out += exponent < 0 ? "E-" : "E+";
    out += QString::number(std::abs(exponent)).rightJustified(2, '0');
    return out;
  }
  if (point <= 0) {
    if (leadingZero) out += "0";
    out += decimalSign + QString(-point, '0') + all;
    return out;
  }
  out += all.left(point);
  if (all.size() < point) out += QString(point - all.size(), '0');
  if (all.size() > point) out += decimalSign + all.mid(point);
  return out;
}

}  // namespace zevo::vb::detail
