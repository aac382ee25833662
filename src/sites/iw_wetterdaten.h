#pragma once
// The weather evaluations: the records of the weather journal listed, the
// averages of temperature, precipitation and wind strength per calendar
// month and per year over the last ten years, and the records counted per
// weather, temperature, precipitation, wind direction and wind strength.
// Typing a date does not select "Datum von" here.

#include "evaluations/zeitraumauswertung.h"

namespace zevo::sites {

class IW_Wetterdaten : public evaluations::Zeitraumauswertung {
public:
  explicit IW_Wetterdaten(QWidget* parent = nullptr);

protected:
  void auswerten(int index, const QString& bedingung) override;
};

}  // namespace zevo::sites
