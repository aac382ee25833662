#pragma once
// The honey stock: a product is a stock article as soon as Honiglager holds
// a row with its name; its stock is the sum of Zugang minus Abgang over all
// its rows, whatever the dates and units.

#include <QString>

namespace zevo::trade {

// The stock per product: Produkt, Summe, Anzahl, Zugänge, Abgänge (the
// groups come in German order of the product).
inline const QString lagerbestandsql = QStringLiteral(
    "select Produkt, sum(Zugang - Abgang) as Summe, count(*) as Anzahl, sum(Zugang) as Zugänge, "
    "sum(Abgang) as Abgänge from Honiglager group by Produkt");

}  // namespace zevo::trade
