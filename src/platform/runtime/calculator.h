#pragma once
// The calculator object of the number fields. It holds the two VAT rates in
// percent, set once at start-up from the settings.

namespace zevo::vb {

class Calculator {
public:
  static Calculator& instance();
  double vatRate1() const { return rate1_; }
  double vatRate2() const { return rate2_; }
  void setVatRate1(double percent) { rate1_ = percent; }
  void setVatRate2(double percent) { rate2_ = percent; }
private:
  double rate1_ = 0;
  double rate2_ = 0;
};

inline Calculator& Calculator::instance() {
  static Calculator calculator;
  return calculator;
}

}  // namespace zevo::vb
