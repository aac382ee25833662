#pragma once
// A number as a row of decimal digits, for rounding on the decimal value the
// way the old runtime did (Format rounds half away from zero, CInt/Round half
// to even) and for printing without the C library's locale.

#include <QString>

#include <string>

namespace zevo::vb::detail {

struct Decimal {
  bool negative = false;
  std::string digits;   // no leading zeros; empty = 0
  int point = 0;        // digits before the decimal point (may be <= 0 or > size)

  // The value with at most `significant` significant digits.
  static Decimal fromDouble(double v, int significant);

  bool isZero() const { return digits.empty(); }
  // Rounds to `decimals` places after the point.
  void roundTo(int decimals, bool halfEven);
  // Plain digits: integer part, decimal sign, exactly `decimals` digits.
  // grouping: "." between every three digits of the integer part.
  QString fixed(int decimals, QChar decimalSign, bool grouping = false) const;
  // The shortest form the runtime prints: fixed while the exponent is within
  // the precision, else mantissa and "E+07". leadingZero: "0,5" rather than ",5".
  QString general(int significant, QChar decimalSign, bool leadingZero) const;
};

}  // namespace zevo::vb::detail
