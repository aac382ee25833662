#include "shell/ih_hilfe.h"

#include "common/variablen.h"
#include "platform/runtime/runtime.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zevo::shell {

Hilfeabschnitt hilfeabschnitt(const QStringList& zeilen, const QString& thema) {
  Hilfeabschnitt a;
  bool imAbschnitt = false;
  for (const QString& zeile : zeilen) {
    if (zeile == thema) {
      imAbschnitt = true;
    } else if (zeile == QLatin1String("#ende#")) {
      imAbschnitt = false;
    } else if (imAbschnitt) {
      if (a.caption.isEmpty()) a.caption = zeile;   // empty lines before the caption are skipped
      else a.text += zeile + QStringLiteral("\r\n");
    }
  }
  return a;
}

QString hilfedatei() { return vb::resolveCase(common::datenpfad + QStringLiteral("HILFEZEVO.HLP")); }

namespace {

bool hilfedateifehlt() {
  if (vb::fileExists(hilfedatei())) return false;
  vb::setMousePointer(vb::vbDefault);
  vb::msgbox("Die Hilfedatei " + QDir::toNativeSeparators(common::datenpfad) + "HILFEZEVO.HLP existiert nicht!");
  return true;
}

}  // namespace

IH_Hilfe::IH_Hilfe() : vb::Form(QStringLiteral("IH_Hilfe")) {
  setWindowTitle(QStringLiteral("Hilfe"));
  auto* lay = new QVBoxLayout(this);
  t = new QPlainTextEdit(this);
  t->setObjectName(QStringLiteral("t"));
  t->setReadOnly(true);   // every typed key is dropped
  t->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  lay->addWidget(t);
  ok = new QPushButton(QStringLiteral("&Schließen"), this);
  ok->setObjectName(QStringLiteral("ok"));
  lay->addWidget(ok, 0, Qt::AlignRight);
  connect(ok, &QPushButton::clicked, this, [this] { ok_Click(); });
  resize(760, 560);
}

// Without a help file the window is never shown.
void IH_Hilfe::Form_Load() {
  if (hilfedateifehlt()) unload();
}

void IH_Hilfe::Form_Activate() {
  if (hilfedateifehlt()) {
    unload();
    return;
  }
  Hilfeabschnitt a;
  try {
    a = hilfeabschnitt(vb::readLines(hilfedatei()), common::hilfethema);
  } catch (const vb::Error& e) {
    vb::setMousePointer(vb::vbDefault);
    vb::msgbox(e.text());
    unload();
    return;
  }
  vb::setCaption(*this, a.caption);
  QString anzeige = a.text;
  anzeige.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  t->setPlainText(anzeige);
  vb::setMousePointer(vb::vbDefault);
}

void IH_Hilfe::ok_Click() { unload(); }

}  // namespace zevo::shell
