// The main window: its controls and layout, start-up, activation, shut-down
// and the lock of its controls.
#include "shell/ia_zevo.h"

#include "common/einstellungen.h"
#include "common/variablen.h"
#include "components/sevgrid.h"
#include "platform/runtime/runtime.h"
#include "shell/datenkarte.h"
#include "shell/schema.h"
#include "shell/startdialoge.h"
#include "shell/volktermine.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QStyle>
#include <QTimer>
#include <QToolButton>

namespace zevo::shell {

using common::zeilenumbruch;

namespace {

IA_ZEVO* hauptfenster = nullptr;

const QString kVersion = QStringLiteral("1.0.28");

// The row above grid and text box (option frame, panel buttons), in twips.
constexpr int kKopfTop = 60;
constexpr int kListenTop = 600;
constexpr int kListenLeft = 60;

// A small printer for the print button.
QIcon druckerbild() {
  QPixmap bild(32, 32);
  bild.fill(Qt::transparent);
  QPainter p(&bild);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(60, 60, 60), 1.5));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(9, 3, 14, 10));          // paper going in
  p.setBrush(QColor(120, 120, 120));
  p.drawRoundedRect(QRectF(3, 11, 26, 12), 2, 2);
  p.setBrush(Qt::white);
  p.drawRect(QRectF(8, 19, 16, 10));         // paper coming out
  p.drawLine(QPointF(11, 23), QPointF(21, 23));
  p.drawLine(QPointF(11, 26), QPointF(19, 26));
  return QIcon(bild);
}

QFont festbreitenschrift() {
  QFont f(QStringLiteral("Courier New"));
  f.setStyleHint(QFont::TypeWriter);
  f.setFixedPitch(true);
  if (!QFontInfo(f).fixedPitch()) f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  return f;
}

// A step that must not keep the rest of the shut-down from running.
template <class F>
void schrittausführen(F&& schritt) {
  try {
    schritt();
  } catch (const dao::Error& e) {
    vb::msgbox(e.text());
  } catch (const vb::Error& e) {
    vb::msgbox(e.text());
  }
}

}  // namespace

Hauptfensterdienste::Hauptfensterdienste()
    : jahreslaufanbieten(shell::jahreslaufanbieten),
      ersteaktivierungsdienste(shell::ersteaktivierungsdienste),
      sicherungserinnerung(shell::sicherungserinnerung),
      datenbankkomprimieren(shell::datenbankkomprimieren),
      volkterminesetzen(shell::volkterminesetzen),
      volkbuchungenlöschen(shell::volkbuchungenlöschen),
      volkdatenlisten(shell::volkdatenlisten) {}

Hauptfensterdienste& IA_ZEVO::dienste() {
  static Hauptfensterdienste d;
  return d;
}

IA_ZEVO* IA_ZEVO::instance() { return hauptfenster; }

IA_ZEVO::IA_ZEVO(QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("IA_ZEVO"));
  hauptfenster = this;
  steuerelementeanlegen();
  menüsanlegen();
  toolbaranlegen();
  popupanlegen();
  common::datali = datali;
  vb::setMainForm(this);
  menüsfreigeben();
}

IA_ZEVO::~IA_ZEVO() {
  if (common::datali == datali) common::datali = nullptr;
  if (hauptfenster == this) hauptfenster = nullptr;
  if (vb::mainForm() == this) vb::setMainForm(nullptr);
}

void IA_ZEVO::steuerelementeanlegen() {
  auto* mitte = new QWidget(this);
  setCentralWidget(mitte);

  datali = new ui::sevGrid(mitte);
  datali->setObjectName(QStringLiteral("datali"));
  datali->setAllowmultiselect(true);
  datali->setAutosort(true);
  datali->setFixedcol(800);
  datali->rowpaint = [this](int row, QString& text) { datali_rowpaint(row, text); };
  connect(datali, &ui::sevGrid::aftersort, this, [this] { datali_aftersort(); });
  connect(datali, &ui::sevGrid::rowchange, this, [this] { datali_rowchange(); });
  connect(datali, &ui::sevGrid::rowclick, this,
          [this](int row, int col, int button, int shift) { datali_rowclick(row, col, button, shift); });
  connect(datali, &ui::sevGrid::mouseclick, this,
          [this](int button, int shift, int x, int y) { datali_mouseclick(button, shift, x, y); });
  connect(datali, &ui::sevGrid::dblclick, this, [this] { datali_dblclick(); });

  Text1 = new QPlainTextEdit(mitte);
  Text1->setObjectName(QStringLiteral("Text1"));
  Text1->setReadOnly(true);   // typed keys are dropped; selecting and copying stay possible
  Text1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Text1->setFont(festbreitenschrift());

  Frame1 = new QGroupBox(mitte);
  Frame1->setObjectName(QStringLiteral("Frame1"));
  auto* optionen = new QHBoxLayout(Frame1);
  optionen->setContentsMargins(6, 2, 6, 2);
  const char* captions[3] = {"Bestand", "Abgang", "Alles"};
  for (int i = 0; i < 3; ++i) {
    optiverkauft[i] = new QRadioButton(QString::fromUtf8(captions[i]), Frame1);
    optiverkauft[i]->setObjectName(QStringLiteral("optiverkauft%1").arg(i));
    optionen->addWidget(optiverkauft[i]);
    connect(optiverkauft[i], &QRadioButton::clicked, this, [this, i] { optiverkauft_Click(i); });
  }
  optiverkauft[0]->setChecked(true);

  linksrechts = new QToolButton(mitte);
  linksrechts->setObjectName(QStringLiteral("linksrechts"));
  linksrechts->setToolTip(QStringLiteral("Textfeldbreite ändern"));
  linksrechts->setIcon(vb::builtinPicture(72));
  connect(linksrechts, &QToolButton::clicked, this, [this] { linksrechts_Click(); });

  cmdok = new QPushButton(QStringLiteral("Volk-Info anzeigen"), mitte);
  cmdok->setObjectName(QStringLiteral("cmdok"));
  connect(cmdok, &QPushButton::clicked, this, [this] { cmdok_Click(); });

  const QStyle::StandardPixmap pfeile[2] = {QStyle::SP_ArrowDown, QStyle::SP_ArrowUp};
  const char* hinweise[2] = {"Nächstes Tier", "Vorheriges Tier"};
  for (int i = 0; i < 2; ++i) {
    abwaerts[i] = new QToolButton(mitte);
    abwaerts[i]->setObjectName(QStringLiteral("abwaerts%1").arg(i));
    abwaerts[i]->setIcon(style()->standardIcon(pfeile[i]));
    abwaerts[i]->setToolTip(QString::fromUtf8(hinweise[i]));
    connect(abwaerts[i], &QToolButton::clicked, this, [this, i] { abwaerts_Click(i); });
  }

  comdrucken = new QToolButton(mitte);
  comdrucken->setObjectName(QStringLiteral("comdrucken"));
  comdrucken->setIcon(druckerbild());
  comdrucken->setToolTip(QStringLiteral("Tierdaten drucken"));
  connect(comdrucken, &QToolButton::clicked, this, [this] { comdrucken_Click(); });

  kon = new QCheckBox(QStringLiteral("Nur akt. Jahr"), mitte);
  kon->setObjectName(QStringLiteral("kon"));
  connect(kon, &QCheckBox::clicked, this, [this] { kon_Click(); });
}

// --- geometry ------------------------------------------------------------------------

void IA_ZEVO::setHeight(int twips) {
  height_ = twips;
  fenstergrößeanwenden();
  Form_Resize();
}

void IA_ZEVO::setWidth(int twips) {
  width_ = twips;
  fenstergrößeanwenden();
  Form_Resize();
}

void IA_ZEVO::setTop(int twips) {
  top_ = twips;
  fenstergrößeanwenden();
}

void IA_ZEVO::setLeft(int twips) {
  left_ = twips;
  fenstergrößeanwenden();
}

void IA_ZEVO::fenstergrößeanwenden() {
  größeanwenden_ = true;
  move(vb::twipsToPixels(left_), vb::twipsToPixels(top_));
  resize(std::max(1, vb::twipsToPixels(width_)), std::max(1, vb::twipsToPixels(height_)));
  größeanwenden_ = false;
}

void IA_ZEVO::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  if (größeanwenden_) return;
  // A size the user or the window manager gave: take it over, unless it is
  // only the pixel rounding of the measures set in twips.
  if (height() != vb::twipsToPixels(height_)) height_ = vb::pixelsToTwips(height());
  if (width() != vb::twipsToPixels(width_)) width_ = vb::pixelsToTwips(width());
  Form_Resize();
}

void IA_ZEVO::Form_Resize() {
  if (height_ - 2000 > 2000) {
    datalimaße_.height = height_ - 1800;
    text1maße_.height = datalimaße_.height;
    anordnen();
  }
}

void IA_ZEVO::fensteraufteilen() {
  text1maße_.height = datalimaße_.height;
  if (common::fensteraufteilung() != 0) {
    linksrechtsbild_ = 73;
    datalimaße_.width = width_ / 3 - 100;
    text1maße_.width = 2 * width_ / 3 - 300;
  } else {
    linksrechtsbild_ = 72;
    datalimaße_.width = 2 * width_ / 3 - 100;
    text1maße_.width = width_ / 3 - 300;
  }
  linksrechts->setIcon(vb::builtinPicture(linksrechtsbild_));
  text1maße_.left = datalimaße_.width + 200;
  datali->refresh();
  anordnen();
}

void IA_ZEVO::linksrechts_Click() {
  common::fensteraufteilung() = common::fensteraufteilung() == 0 ? 1 : 0;
  fensteraufteilen();
}

void IA_ZEVO::anordnen() {
  auto px = [](int twips) { return vb::twipsToPixels(twips); };
  datalimaße_.left = kListenLeft;
  datalimaße_.top = text1maße_.top = kListenTop;
  for (auto [w, m] : {std::pair<QWidget*, Maße>{datali, datalimaße_}, {Text1, text1maße_}})
    w->setGeometry(px(m.left), px(m.top), std::max(0, px(m.width)), std::max(0, px(m.height)));

  // Above the grid: the stock filter and, at the grid's right edge, the layout
  // button; above the text box: the buttons of the data card.
  const int kopf = px(kKopfTop);
  const int zeile = px(kListenTop - kKopfTop) - 4;
  const int knopf = zeile - 4;
  const int linksrechtsX = px(text1maße_.left) - knopf - 8;
  linksrechts->setGeometry(linksrechtsX, kopf + 2, knopf, knopf);
  // With the narrow grid the filter may have less room than its captions want.
  Frame1->setGeometry(px(kListenLeft), kopf,
                      std::max(0, std::min(Frame1->sizeHint().width(), linksrechtsX - px(kListenLeft) - 6)), zeile);
  int x = px(text1maße_.left);
  cmdok->setGeometry(x, kopf + 2, cmdok->sizeHint().width(), knopf);
  x += cmdok->width() + 8;
  for (QToolButton* b : {abwaerts[1], abwaerts[0], comdrucken}) {
    b->setGeometry(x, kopf + 2, knopf, knopf);
    x += knopf + 4;
  }
  kon->setGeometry(x + 8, kopf + 2, kon->sizeHint().width(), knopf);
}

// --- start-up ------------------------------------------------------------------------

void IA_ZEVO::starten() {
  Form_Load();
  show();
  datali->setFocus();
  QTimer::singleShot(0, this, [this] { Form_Activate(); });
}

void IA_ZEVO::Form_Load() {
  using namespace common;
  setWindowTitle(QStringLiteral("ZEVO ") + kVersion + QStringLiteral(" - Die Software für Imker"));

  einzelinstanz_ = std::make_unique<vb::SingleInstance>();
  if (!einzelinstanz_->tryLock()) {
    vb::msgbox(QStringLiteral("Die Anwendung wurde bereits gestartet!  Mit der Tastenkombination CTRL+ESC können "
                              "Sie alle aktiven Programme auflisten und auswählen."));
    vb::endProcess(0);
  }

  zeilenumbruch = QStringLiteral("\r\n");
  const QString& z = zeilenumbruch;

  if (!vb::isDate(QStringLiteral("01.01.1999")) || !vb::isDate(QStringLiteral("01.01.2001"))) {
    vb::msgbox(QStringLiteral("WICHTIG!!! Die Datumsberechnung oder Zahlenumrechnung kann nicht korrekt erkannt "
                              "werden. Bitte stellen Sie unter Start/Einstellungen/Systemsteuerung/"
                              "Ländereinstellung folgende Werte ein!") +
               z + z + "Ländereinstellung = Deutsch (Standard)" + z + z + "Zahlen:" + z +
               "Dezimaltrennzeichen = ," + z + "Anzahl Dezimalstellen = 2" + z +
               "Symbol für Zifferngruppierung = ." + z + "Anzahl Ziffern je Gruppe = 3" + z + z +
               "Währung: (siehe Zahlen)" + z + z + "Uhrzeit:" + z + "Zeitformat = HH:mm:ss" + z +
               "Zeittrennzeichen = :" + z + z + "Datum:" + z + "Datumformat = TT.MM.JJ oder TT.MM.JJJJ" + z +
               "Trennzeichen = ." + z + z +
               "Da diese Einstellung Standard sind und für ZEVO zwingend erforderlich sind, wird ZEVO jetzt "
               "beendet!");
    vb::endProcess(0);
  }

  if (vb::right(vb::format(QVariant(QStringLiteral("0.00")), QStringLiteral("Currency")), 2) ==
      QLatin1String("DM"))
    vb::msgbox(QStringLiteral("Ihr Rechner ist noch auf die Währung DM eingestellt. Bitte stellen Sie in den "
                              "Systemeinstellungen (Ländereinstellung) die Währung auf Euro ein!"));

  druckerprüfen();

  datenpfad = vb::withTrailingSlash(vb::programFolder());
  datenbankpfad = vb::resolveCase(datenpfad + QStringLiteral("ZEVO.MDB"));
  völkerneulesen = 1;
  ersteaktivierung = 0;
  arbeitsbereich = &dao::DBEngine::workspaces(0);

  datenbanköffnen();

  // The stored column widths are restored when the list's columns first exist
  // (datenvölkerlesen).

  // SQLite opens a write-protected file read-only and keeps it so: once the
  // notice has lifted the protection, the connections are opened anew, so
  // that this session's saves work.
  const bool datenbankgeschützt = vb::isReadOnly(datenbankpfad);
  schreibschutzprüfen();
  if (datenbankgeschützt) {
    eigenedatenbank.close();
    datenbank.close();
    datenbanköffnen();
  }
  heutesetzen();
  einstellungenbeimstart();

  if (common::mwstsatz1() < 1 || common::mwstsatz1() > 50) common::mwstsatz1() = 16;
  if (common::mwstsatz2() < 1 || common::mwstsatz2() > 50) common::mwstsatz2() = 7;
  vb::Calculator::instance().setVatRate1(static_cast<double>(common::mwstsatz1()));
  vb::Calculator::instance().setVatRate2(static_cast<double>(common::mwstsatz2()));

  setTop(0);
  setLeft(0);
  setHeight(vb::screenHeightTwips() - 600);
  datalimaße_.height = height_ - 1800;
  setWidth(vb::screenWidthTwips());
  fensteraufteilen();

  dienste().jahreslaufanbieten();
}

void IA_ZEVO::datenbanköffnen() {
  using namespace common;
  const QString& z = zeilenumbruch;
  const bool vorhanden = vb::fileExists(datenbankpfad);
  try {
    eigenedatenbank = datenbankbereitstellen(*arbeitsbereich, datenbankpfad,
                                             [this](int freigabe) { bedienungfreigeben(freigabe); });
    datenbank = arbeitsbereich->openDatabase(datenbankpfad, false, false);
  } catch (const dao::Error& e) {
    // The file stays as it is: nothing is created over an existing file.
    const QString datei = QDir::toNativeSeparators(datenbankpfad);
    vb::msgbox((vorhanden ? "Die Datenbank " + datei + " kann nicht geöffnet werden." + z + z + e.text() + z + z +
                                "Die Datei wurde nicht verändert."
                          : e.text()) +
               z + z + "ZEVO wird jetzt beendet.");
    eigenedatenbank.close();
    datenbank.close();
    vb::endProcess(1);
  }
}

void IA_ZEVO::druckerprüfen() {
  int schriften = 0;
  try {
    schriften = vb::printer().fontCount();
  } catch (...) {
    schriften = 0;
  }
  if (schriften == 0)
    vb::msgbox(QStringLiteral("Es ist kein Drucker installiert bzw. eingerichtet. Bitte installieren Sie einen "
                              "Drucker, bevor Sie mit ZEVO arbeiten, weil es sonst zu Programmabbrüchen kommen "
                              "kann! Falls Sie keinen Drucker verwenden, installieren Sie bitte trotzdem einen "
                              "beliebigen Druckertreiber."));
}

// Read-only files of the program folder (never of another directory the
// program happens to be started from).
void IA_ZEVO::schreibschutzprüfen() {
  const QStringList namen = vb::fileList(common::datenpfad, QStringLiteral("*"), true);
  if (namen.isEmpty()) return;
  const QString& z = zeilenumbruch;
  vb::msgbox("ACHTUNG!!!" + z + z + "Im Installationsverzeichnis von ZEVO befinden sich" +
             vb::str(static_cast<int>(namen.size())) +
             " Dateien, die mit einem Schreibschutz versehen sind. Dadurch kann es bei ZEVO zu "
             "Funktionsstörungen kommen. Der Schreibschutz wird deshalb entfernt?");
  for (const QString& name : namen) {
    try {
      vb::setAttrNormal(common::datenpfad + name);
    } catch (const vb::Error&) {
      // A file we may not change stays as it is.
    }
  }
}

// --- activation ------------------------------------------------------------------------

void IA_ZEVO::Form_Activate() {
  vb::setMousePointer(vb::vbDefault);
  if (common::völkerneulesen == 1) {
    int zeile = datali->row();
    datenvölkerlesen();
    if (zeile < 1) zeile = 1;
    if (zeile <= datali->rows()) datali->setRow(zeile);
  }
  if (common::ersteaktivierung == 0) dienste().ersteaktivierungsdienste();
}

// --- shut-down -----------------------------------------------------------------------------

void IA_ZEVO::Form_QueryUnload(bool& cancel, int unloadMode) {
  cancel = false;
  herunterfahren();
}

void IA_ZEVO::herunterfahren() {
  if (heruntergefahren_) return;
  heruntergefahren_ = true;
  // Before the list was ever loaded there are no widths to keep.
  if (datali->cols() > 0)
    datali->savecolwidths(QStringLiteral("ZEVO"), QStringLiteral("datali"), QStringLiteral("ColWidths"));
  berichtseitenlöschen();
  schrittausführen([] { dienste().sicherungserinnerung(); });
  common::einstellungenschreiben();   // tells the user itself when it fails
  eigenedatenbank.close();
}

// The further pages of HTML reports; report.htm itself stays. A page that
// cannot be deleted (open in the browser, write-protected) is left alone.
void IA_ZEVO::berichtseitenlöschen() {
  for (const QString& name : vb::fileList(common::datenpfad, QStringLiteral("report-*.htm"))) {
    try {
      vb::kill(common::datenpfad + name);
    } catch (const vb::Error&) {
    }
  }
}

void IA_ZEVO::closeEvent(QCloseEvent* event) {
  if (!heruntergefahren_) vb::runUnloadHandlers(*this, vb::vbFormControlMenu);
  event->accept();
}

void IA_ZEVO::XV_beenden_Click() {
  bool cancel = false;
  Form_QueryUnload(cancel, vb::vbFormCode);
  if (common::arbeitsbereich) common::arbeitsbereich->close();
  vb::endProcess(0);
}

// --- lock -------------------------------------------------------------------------------------

void IA_ZEVO::bedienungfreigeben(int freigabe) {
  const bool an = freigabe != 0;
  mleiste->setEnabled(an);
  for (QMenu* m : hauptmenüs_) m->menuAction()->setEnabled(an);
  cmdok->setEnabled(an);
  abwaerts[0]->setEnabled(an);
  abwaerts[1]->setEnabled(an);
  comdrucken->setEnabled(an && vb::isRegistered(QStringLiteral("IA_Textausgabe")));
  datali->setEnabled(an);
  linksrechts->setEnabled(an);
}

}  // namespace zevo::shell
