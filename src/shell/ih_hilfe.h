#pragma once
// The help window: shows the section of the help file HILFEZEVO.HLP whose
// topic line equals hilfethema.
//
// The file (Windows-1252, CR LF) is a sequence of sections: a topic line
// (exactly the key), a caption line (the first non-empty line after it), text
// lines, and the line "#ende#". Lines outside sections are ignored.

#include "platform/runtime/forms.h"

#include <QStringList>

class QPlainTextEdit;
class QPushButton;

namespace zevo::shell {

struct Hilfeabschnitt {
  QString caption;
  QString text;   // every line followed by CR LF
};

// Reads the whole file: a line equal to the key opens (or reopens) the
// section, "#ende#" closes it; a key found twice gives the first caption and
// the texts of both.
Hilfeabschnitt hilfeabschnitt(const QStringList& zeilen, const QString& thema);

// The help file of the program folder.
QString hilfedatei();

class IH_Hilfe : public vb::Form {
public:
  IH_Hilfe();
  void Form_Load() override;
  void Form_Activate() override;
  void ok_Click();

  QPlainTextEdit* t = nullptr;
  QPushButton* ok = nullptr;
};

}  // namespace zevo::shell
