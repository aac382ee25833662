#pragma once
// "Honiglager auswerten": the movements of the honey stock over all bookings
// or a date range (the list, sums by month, by year and by product) and the
// stock per product, which always covers every movement; kon leaves out the
// products whose stock reads as 0 (a negative stock stays listed, so that a
// booking error shows).

#include "evaluations/zeitraumauswertung.h"

class QCheckBox;

namespace zevo::trade {

class IW_Honiglager : public evaluations::Zeitraumauswertung {
public:
  explicit IW_Honiglager(QWidget* parent = nullptr);

  QCheckBox* kon = nullptr;   // "Nur Lagerbestände über 0 listen", not stored

protected:
  void auswerten(int index, const QString& bedingung) override;

private:
  void lagerbestand();
};

}  // namespace zevo::trade
