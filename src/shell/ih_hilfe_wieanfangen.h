#pragma once
// The first-steps guide "Die ersten Schritte in ZEVO": in which order a new
// beekeeper enters data, with buttons that open the windows for sites,
// work-plan options and a new colony.

#include "platform/runtime/forms.h"

class QLabel;
class QPushButton;

namespace zevo::shell {

class IH_Hilfe_Wieanfangen : public vb::Form {
public:
  IH_Hilfe_Wieanfangen();

  QLabel* Label1[9];        // 0 introduction, 1 notice, 2/5/7 headings, 3/4/6 texts, 8 closing text
  QPushButton* schritt[3];  // "Schritt 1" .. "Schritt 3"
  QPushButton* ok;

  void Form_Activate() override;
  void schritt_Click(int index);
  void ok_Click();
};

}  // namespace zevo::shell
