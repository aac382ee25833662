#pragma once
// "Ein- und Verkäufe auswerten": the purchases or the sales (optiev) over
// all bookings or a date range: the bookings, counts and sums by month and
// by year, and the groupings by product, quality and supplier or customer.
// The choice is read at every button press; it is stored in einverkaufart
// on "&Schließen" with the period.

#include "evaluations/zeitraumauswertung.h"

namespace zevo::trade {

class IW_EinVerkauf : public evaluations::Zeitraumauswertung {
public:
  explicit IW_EinVerkauf(QWidget* parent = nullptr);

  QGroupBox* Frame1_0 = nullptr;   // "Einkäufe oder Verkäufe"
  QRadioButton* optiev[2] = {nullptr, nullptr};

protected:
  void auswerten(int index, const QString& bedingung) override;
  void weitereladen() override;
  void weiterespeichern() override;
};

}  // namespace zevo::trade
