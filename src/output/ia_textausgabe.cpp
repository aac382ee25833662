#include "output/ia_textausgabe.h"
#include "common/fensterdienste.h"

#include "common/einstellungen.h"
#include "common/routinen.h"
#include "platform/runtime/application.h"
#include "platform/runtime/files.h"
#include "platform/runtime/mousepointer.h"
#include "platform/runtime/msgbox.h"
#include "platform/runtime/printer.h"
#include "platform/runtime/textfile.h"
#include "platform/runtime/vb.h"
#include "platform/runtime/widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zevo::output {


namespace {

// The margin box: only digits (and what ziffertaste lets pass) are typed,
// Enter moves on to the next control, leaving the box checks the range.
class RandFilter : public QObject {
public:
  explicit RandFilter(IA_Textausgabe* fenster) : QObject(fenster), fenster_(fenster) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      auto* key = static_cast<QKeyEvent*>(event);
      if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QCoreApplication::sendEvent(watched, &tab);
        return true;
      }
      const QString text = key->text();
      if (text.size() == 1 && text[0].unicode() >= 32 && common::ziffertaste(text[0].unicode()) == 0) return true;
    } else if (event->type() == QEvent::FocusOut) {
      fenster_->tz_LostFocus();
    }
    return QObject::eventFilter(watched, event);
  }
private:
  IA_Textausgabe* fenster_;
};

}  // namespace

IA_Textausgabe::IA_Textausgabe() : vb::Form(QStringLiteral("IA_Textausgabe")) {
  setWindowTitle(QStringLiteral("Listen-Ausgabe"));

  t = new QPlainTextEdit(this);
  t->setLineWrapMode(QPlainTextEdit::NoWrap);
  t->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  t->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  t->setFont(QFont(QStringLiteral("Courier New"), 10));

  for (QGroupBox*& f : Frame1) f = new QGroupBox(this);
  Frame1[0]->setTitle(QStringLiteral("Schriftart"));
  Frame1[1]->setTitle(QStringLiteral("Drucken"));
  Frame1[2]->setTitle(QStringLiteral("Schriftgröße"));
  for (QLabel*& l : Bezeichnung1) l = new QLabel(this);
  Bezeichnung1[2]->setText(QStringLiteral("Schriftart:"));
  Bezeichnung1[4]->setText(QStringLiteral("Zeichen"));
  Bezeichnung1[5]->setText(QStringLiteral("Linker Rand ="));
  for (int i : {0, 1, 3}) Bezeichnung1[i]->hide();

  kom = new QComboBox(Frame1[0]);
  kom->setMinimumContentsLength(18);
  kon[0] = new QCheckBox(QStringLiteral("Fett"), Frame1[0]);
  kon[1] = new QCheckBox(QStringLiteral("Kursiv"), Frame1[0]);
  auto* schrift = new QGridLayout(Frame1[0]);
  schrift->addWidget(Bezeichnung1[2], 0, 0);
  schrift->addWidget(kom, 0, 1, 1, 2);
  schrift->addWidget(kon[0], 1, 1);
  schrift->addWidget(kon[1], 1, 2);

  plus5[0] = new QPushButton(QStringLiteral("<<"), Frame1[2]);
  plus1[0] = new QPushButton(QStringLiteral("<"), Frame1[2]);
  plus1[1] = new QPushButton(QStringLiteral(">"), Frame1[2]);
  plus5[1] = new QPushButton(QStringLiteral(">>"), Frame1[2]);
  plus5[0]->setToolTip(QStringLiteral("Schriftgröße -5"));
  plus1[0]->setToolTip(QStringLiteral("Schriftgröße -1"));
  plus1[1]->setToolTip(QStringLiteral("Schriftgröße +1"));
  plus5[1]->setToolTip(QStringLiteral("Schriftgröße +5"));
  größe = new QLabel(Frame1[2]);
  größe->setAlignment(Qt::AlignCenter);
  größe->setMinimumWidth(40);
  auto* groesse = new QHBoxLayout(Frame1[2]);
  for (QWidget* w : {static_cast<QWidget*>(plus5[0]), static_cast<QWidget*>(plus1[0]), static_cast<QWidget*>(größe),
                     static_cast<QWidget*>(plus1[1]), static_cast<QWidget*>(plus5[1])}) {
    if (w != größe) w->setFixedWidth(36);
    groesse->addWidget(w);
  }

  druckformat[0] = new QRadioButton(QStringLiteral("Hochformat"), Frame1[1]);
  druckformat[1] = new QRadioButton(QStringLiteral("Querformat"), Frame1[1]);
  tz = new QLineEdit(Frame1[1]);
  tz->setMaxLength(2);
  tz->setFixedWidth(36);
  tz->setAlignment(Qt::AlignRight);
  tz->installEventFilter(new RandFilter(this));
  drucken = new QPushButton(QStringLiteral("&Text drucken"), Frame1[1]);
  dateidrucken = new QPushButton(QStringLiteral("&Datei drucken"), Frame1[1]);
  Label1 = new QLabel(QStringLiteral("# = Seitenumbruch"), Frame1[1]);
  auto* druck = new QGridLayout(Frame1[1]);
  druck->addWidget(druckformat[0], 0, 0);
  druck->addWidget(druckformat[1], 1, 0);
  auto* rand = new QHBoxLayout;
  rand->addWidget(Bezeichnung1[5]);
  rand->addWidget(tz);
  rand->addWidget(Bezeichnung1[4]);
  rand->addStretch();
  druck->addLayout(rand, 2, 0);
  druck->addWidget(drucken, 0, 1);
  druck->addWidget(dateidrucken, 1, 1);
  druck->addWidget(Label1, 2, 1);

  hilfe = new QPushButton(QStringLiteral("&Hilfe"), this);
  abbv = new QPushButton(QStringLiteral("&Schließen"), this);

  auto* unten = new QHBoxLayout;
  unten->addWidget(Frame1[0]);
  unten->addWidget(Frame1[2]);
  unten->addWidget(Frame1[1]);
  unten->addStretch();
  auto* knöpfe = new QVBoxLayout;
  knöpfe->addStretch();
  knöpfe->addWidget(hilfe);
  knöpfe->addWidget(abbv);
  unten->addLayout(knöpfe);
  auto* ganz = new QVBoxLayout(this);
  ganz->addWidget(t, 1);
  ganz->addLayout(unten);

  connect(kom, &QComboBox::activated, this, [this] { kom_Click(); });
  for (int i = 0; i < 2; ++i) {
    connect(kon[i], &QCheckBox::clicked, this, [this, i] { kon_Click(i); });
    connect(plus1[i], &QPushButton::clicked, this, [this, i] { plus1_Click(i); });
    connect(plus5[i], &QPushButton::clicked, this, [this, i] { plus5_Click(i); });
    connect(druckformat[i], &QRadioButton::clicked, this, [this, i] { druckformat_Click(i); });
  }
  connect(drucken, &QPushButton::clicked, this, [this] { drucken_Click(); });
  connect(dateidrucken, &QPushButton::clicked, this, [this] { dateidrucken_Click(); });
  connect(hilfe, &QPushButton::clicked, this, [this] { hilfe_Click(); });
  connect(abbv, &QPushButton::clicked, this, [this] { abbv_Click(); });
}

// --- loading ---------------------------------------------------------------------------

void IA_Textausgabe::Form_Load() {
  // The printer's fonts; without a printer the screen's, so that the text can
  // still be read (printing then says that no printer is there).
  kom->clear();
  QStringList schriften = vb::printer().fonts();
  if (schriften.isEmpty()) schriften = QFontDatabase::families();
  kom->addItems(schriften);

  if (common::druckrand() > 20) common::druckrand() = 20;
  tz->setText(QString::number(common::druckrand()));
  if (common::druckschriftgröße() < 8 || common::druckschriftgröße() > 48) common::druckschriftgröße() = 10;
  größe->setText(QString::number(common::druckschriftgröße()));
  kon[0]->setChecked(common::druckfett() != 0);
  kon[1]->setChecked(common::druckkursiv() != 0);
  kon_Click(0);
  const int format = common::druckquerformat() != 0 ? 1 : 0;
  druckformat[format]->setChecked(true);
  druckformat_Click(format);

  // "Courier New", compared trimmed, the last of equal entries. Where the
  // system has no font of that name, the font it puts in its place (a metric
  // twin such as Liberation Mono) takes its role; else the first entry.
  const QString courier = QStringLiteral("Courier New");
  int wahl = -1;
  for (int i = 0; i < kom->count(); ++i)
    if (kom->itemText(i).trimmed() == courier) wahl = i;
  if (wahl < 0) {
    const QString ersatz = QFontInfo(QFont(courier)).family();
    for (int i = 0; i < kom->count(); ++i)
      if (kom->itemText(i).trimmed() == ersatz) wahl = i;
  }
  if (wahl < 0 && kom->count() > 0) wahl = 0;
  kom->setCurrentIndex(wahl);

  common::übergabe.clear();
  int size = größe->text().toInt();
  schriftgrößesetzen(size);

  resize(vb::twipsToPixels(vb::screenWidthTwips()), vb::twipsToPixels(vb::screenHeightTwips() - 600));
  move(0, 0);

  schriftwahl();
  druckformat[common::druckquerformat() != 0 ? 1 : 0]->setChecked(true);

  vb::setMousePointer(vb::vbHourglass);
  vb::setCaption(*this, "Listen-Ausgabe " + common::listendatei);
  t->clear();

  if (!vb::fileExists(common::listendatei)) {
    vb::setMousePointer(vb::vbDefault);
    vb::msgbox("Die Datei " + common::listendatei.toUpper() + " existiert nicht");
    unload();
    return;
  }
  QString text;
  bool abgeschnitten = false;
  try {
    vb::TextReader datei(common::listendatei);
    while (!datei.eof()) {
      const QString zeile = datei.lineInput();
      if (text.size() < textgrenze)
        text += zeile + "\r\n";
      else
        abgeschnitten = true;
    }
  } catch (const vb::Error& e) {
    vb::setMousePointer(vb::vbDefault);
    vb::msgbox(e.text());
    unload();
    return;
  }
  if (abgeschnitten || text.size() > textgrenze)
    vb::msgbox("ACHTUNG:" + common::zeilenumbruch + common::zeilenumbruch +
               "Der Text ist über 32 kB groß. Es ist deshalb u.U. nicht alles im Textfeld enthalten. "
               "Beim Ausdruck mit 'Datei drucken' werden trotzdem alle Daten ausgedruckt!");
  t->setPlainText(QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")));
  vb::setMousePointer(vb::vbDefault);
}

void IA_Textausgabe::Form_Activate() { vb::setMousePointer(vb::vbDefault); }

// --- font, size, orientation, margin ---------------------------------------------------------

void IA_Textausgabe::schriftgrößesetzen(int& size) {
  if (size < 4) size = 4;
  if (size > 30) size = 30;
  größe->setText(QString::number(size));
  QFont f = t->font();
  f.setPointSize(size);
  t->setFont(f);
}

void IA_Textausgabe::schriftwahl() {
  QFont f = t->font();
  if (kom->currentIndex() >= 0) f.setFamily(kom->currentText().trimmed());
  f.setPointSize(größe->text().toInt());
  t->setFont(f);
}

void IA_Textausgabe::kom_Click() { schriftwahl(); }

void IA_Textausgabe::kon_Click(int) {
  QFont f = t->font();
  f.setBold(kon[0]->isChecked());
  f.setItalic(kon[1]->isChecked());
  t->setFont(f);
}

void IA_Textausgabe::plus1_Click(int index) {
  int size = größe->text().toInt() + (index == 1 ? 1 : -1);
  schriftgrößesetzen(size);
}

void IA_Textausgabe::plus5_Click(int index) {
  int size = größe->text().toInt() + (index == 1 ? 5 : -5);
  schriftgrößesetzen(size);
}

void IA_Textausgabe::druckformat_Click(int index) { common::druckquerformat() = index; }

void IA_Textausgabe::tz_LostFocus() {
  const double rand = vb::val(tz->text());
  if (rand < 0) tz->setText(QStringLiteral("0"));
  if (rand > 30) tz->setText(QStringLiteral("30"));
}

QString IA_Textausgabe::randtext() const {
  const int n = vb::cint(vb::val(tz->text()));
  return n > 0 ? QString(n, QLatin1Char(' ')) : QString();
}

// --- printing ----------------------------------------------------------------------------------

QList<QStringList> IA_Textausgabe::druckseiten(const QStringList& zeilen, const QString& rand, bool trimmedBreaks) {
  QList<QStringList> seiten{QStringList{QString()}};
  for (const QString& zeile : zeilen) {
    if ((trimmedBreaks ? vb::trim(zeile) : zeile) == QLatin1String("#"))
      seiten.append(QStringList{});
    else
      seiten.last().append(rand + zeile);
  }
  return seiten;
}

QStringList IA_Textausgabe::textzeilen() const { return t->toPlainText().split(QLatin1Char('\n')); }

void IA_Textausgabe::druckereinstellen() {
  vb::Printer& p = vb::printer();
  if (kom->currentIndex() >= 0) p.setFontName(kom->currentText().trimmed());
  p.setFontSize(t->font().pointSizeF());
  p.setFontBold(kon[0]->isChecked());
  p.setFontItalic(kon[1]->isChecked());
  p.setOrientation(common::druckquerformat() != 0 ? 2 : 1);
}

bool IA_Textausgabe::seitendrucken(const QList<QStringList>& seiten) {
  vb::Printer& p = vb::printer();
  if (p.jobActive()) p.endDoc();
  bool gestartet = false, ok = true;
  for (qsizetype s = 0; s < seiten.size() && ok; ++s) {
    if (s > 0) ok = p.newPage();
    for (const QString& zeile : seiten[s]) {
      if (!ok) break;
      ok = p.printLine(zeile);
      gestartet = gestartet || ok;
    }
  }
  ok = p.endDoc() && ok;
  if (!gestartet || !p.refusedBy().isEmpty()) {
    // A queue that refuses jobs loses them: that is said, with its name.
    vb::setMousePointer(vb::vbDefault);
    vb::msgbox("Der Druck konnte nicht gestartet werden." + common::zeilenumbruch +
               (p.refusedBy().isEmpty()
                    ? QStringLiteral("Bitte prüfen Sie, ob ein Drucker eingerichtet und bereit ist.")
                    : "Der Drucker \"" + p.refusedBy() + "\" nimmt keine Druckaufträge an." +
                          common::zeilenumbruch + "Bitte prüfen Sie seine Warteschlange und drucken Sie noch einmal."));
    return false;
  }
  if (!ok) {
    vb::setMousePointer(vb::vbDefault);
    vb::msgbox("Der Druck konnte nicht vollständig ausgeführt werden." + common::zeilenumbruch +
               "Bitte prüfen Sie den Drucker und drucken Sie den Text noch einmal.");
    return false;
  }
  return true;
}

void IA_Textausgabe::drucken_Click() {
  // The text as the box holds it goes through a fresh print copy in the
  // current directory. When that copy cannot be written nothing is printed:
  // never an older copy.
  vb::setMousePointer(vb::vbHourglass);
  druckereinstellen();
  const QString rand = randtext();
  const QString kopie = QDir::current().absoluteFilePath(QStringLiteral("DRUCKAUF.TXT"));
  QStringList zeilen;
  try {
    vb::writeLines(kopie, textzeilen());
    zeilen = vb::readLines(kopie);
  } catch (const vb::Error& e) {
    vb::setMousePointer(vb::vbDefault);
    vb::msgbox("Der Text konnte nicht gedruckt werden." + common::zeilenumbruch + e.text());
    return;
  }
  seitendrucken(druckseiten(zeilen, rand, false));
  vb::setMousePointer(vb::vbDefault);
}

void IA_Textausgabe::dateidrucken_Click() {
  vb::setMousePointer(vb::vbHourglass);
  const QString rand = randtext();
  QStringList zeilen;
  try {
    zeilen = vb::readLines(common::listendatei);
  } catch (const vb::Error& e) {
    vb::setMousePointer(vb::vbDefault);
    vb::msgbox(e.text());
    return;
  }
  druckereinstellen();
  seitendrucken(druckseiten(zeilen, rand, true));
  vb::setMousePointer(vb::vbDefault);
}

// --- help and closing ----------------------------------------------------------------------------

void IA_Textausgabe::hilfe_Click() { common::hilfezeigen(formName()); }

void IA_Textausgabe::abbv_Click() {
  common::druckfett() = kon[0]->isChecked() ? 1 : 0;
  common::druckkursiv() = kon[1]->isChecked() ? 1 : 0;
  common::druckschriftgröße() = größe->text().toInt();
  common::druckquerformat() = druckformat[0]->isChecked() ? 0 : 1;
  common::druckrand() = vb::cint(vb::val(tz->text()));
  unload();
}

}  // namespace zevo::output
