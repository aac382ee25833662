// IE_Eingabe: the controls of the window and their places. The colonies
// stand on the left, the kinds above the record list, and the frame of
// input fields and buttons is anchored to the right edge.

#include "colonies/ie_eingabe.h"

#include "platform/runtime/application.h"
#include "platform/runtime/widgets.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zevo::colonies {

namespace {

// The size the window keeps on a screen of at most 13000 twips.
constexpr int designbreite = 12000, designhöhe = 9000;
// Widths of the colony column and of the frame of input fields.
constexpr int spaltenbreite = 3500, rahmenbreite = 4125;

}  // namespace

void IE_Eingabe::bauen() {
  setWindowTitle(QStringLiteral("Eingabe (Bewegungsdaten)"));
  const int px = vb::twipsToPixels(1000);   // pixels per 1000 twips

  // Left: the colonies, the sites, help and close.
  auto* links = new QVBoxLayout;
  Label1[0] = new QLabel(QStringLiteral("Auswahlliste Völker"), this);
  volkli = new ui::sevGrid(this);
  volkli->setAllowmultiselect(true);
  volkli->setAutosort(false);   // its rows must stay in the main grid's order
  Label1[1] = new QLabel(QStringLiteral("Bei gedrückter STRG-Taste ist eine Mehrfachauswahl mit der Maus möglich "
                                        "(z.B. für Sammeleingaben)."),
                         this);
  Label1[1]->setWordWrap(true);
  Label1[2] = new QLabel(QStringLiteral("Standorte:"), this);
  kom = new QComboBox(this);
  comhilfe = new QPushButton(QStringLiteral("&Hilfe"), this);
  cmdschließen = new QPushButton(QStringLiteral("&Schließen"), this);
  links->addWidget(Label1[0]);
  links->addWidget(volkli, 1);
  links->addWidget(Label1[1]);
  auto* standortzeile = new QHBoxLayout;
  standortzeile->addWidget(Label1[2]);
  standortzeile->addWidget(kom, 1);
  links->addLayout(standortzeile);
  links->addSpacing(px / 3);
  auto* schließzeile = new QHBoxLayout;
  schließzeile->addWidget(comhilfe);
  schließzeile->addWidget(cmdschließen);
  links->addLayout(schließzeile);

  // Top right: the kinds.
  auto* arten = new QGridLayout;
  arten->setHorizontalSpacing(px / 3);
  arten->setVerticalSpacing(2);
  for (int k = 0; k < anzahlEingabearten; ++k) {
    opti[size_t(k)] = new QRadioButton(buchungsart(k).caption, this);
    arten->addWidget(opti[size_t(k)], k / 6, k % 6);
    connect(opti[size_t(k)], &QRadioButton::clicked, this, [this, k] { opti_Click(k); });
  }

  // The record list and, anchored to the right edge, the frame of fields.
  li = new ui::sevGrid(this);
  li->setAllowdelete(true);
  li->setAutosort(true);
  Rahmen = new QFrame(this);
  Rahmen->setFrameShape(QFrame::StyledPanel);
  Rahmen->setFixedWidth(vb::twipsToPixels(rahmenbreite));
  auto* felder = new QVBoxLayout(Rahmen);
  felder->setSpacing(1);
  bezeingabeart = new QLabel(Rahmen);
  QFont fett = bezeingabeart->font();
  fett.setBold(true);
  fett.setPointSizeF(fett.pointSizeF() * 1.2);
  bezeingabeart->setFont(fett);
  bezhieb = new QLabel(QStringLiteral("Dateneingabe / Datenänderung"), Rahmen);
  felder->addWidget(bezeingabeart);
  felder->addWidget(bezhieb);
  felder->addSpacing(4);
  for (int i = 0; i <= 16; ++i) {
    if (i == notizfeld) {
      sevt15 = new QPlainTextEdit(Rahmen);
      sevt15->setLineWrapMode(QPlainTextEdit::WidgetWidth);
      sevt15->hide();
      felder->addWidget(sevt15, 1);
      continue;
    }
    ui::sevText& f = sevt.add(i, Rahmen);
    // The captions line up.
    f.captionLabel()->setMinimumWidth(vb::twipsToPixels(1750));
    f.unitLabel()->setMinimumWidth(vb::twipsToPixels(200));
    if (i > 0) f.hide();
    felder->addWidget(&f);
  }
  sevt(0).setCaption(QStringLiteral("Datum"));
  sevt(0).setMask(QStringLiteral("dd.mm.yyyy"));
  sevt(0).setFormat(2);
  bezmw = new QLabel(Rahmen);
  bezmw->hide();
  felder->addWidget(bezmw);
  felder->addStretch(0);
  neu[0] = new QPushButton(QStringLiteral("&Neu"), Rahmen);
  neu[1] = new QPushButton(QStringLiteral("&Ändern"), Rahmen);
  löschen = new QPushButton(QStringLiteral("&Löschen"), Rahmen);
  standard[0] = new QPushButton(QStringLiteral("Standard sichern"), Rahmen);
  standard[1] = new QPushButton(QStringLiteral("Standard einlesen"), Rahmen);
  nextvolk1[0] = new QPushButton(vb::builtinPicture(72), QString(), Rahmen);
  nextvolk1[1] = new QPushButton(vb::builtinPicture(73), QString(), Rahmen);
  nextvolk1[0]->setToolTip(QStringLiteral("Voriges Volk"));
  nextvolk1[1]->setToolTip(QStringLiteral("Nächstes Volk"));
  auto* knöpfe = new QGridLayout;
  knöpfe->addWidget(neu[0], 0, 0);
  knöpfe->addWidget(neu[1], 0, 1);
  knöpfe->addWidget(löschen, 0, 2);
  knöpfe->addWidget(standard[0], 1, 0, 1, 2);
  knöpfe->addWidget(nextvolk1[0], 1, 2);
  knöpfe->addWidget(standard[1], 2, 0, 1, 2);
  knöpfe->addWidget(nextvolk1[1], 2, 2);
  felder->addLayout(knöpfe);

  auto* listeundrahmen = new QHBoxLayout;
  listeundrahmen->addWidget(li, 1);
  listeundrahmen->addWidget(Rahmen);
  auto* rechts = new QVBoxLayout;
  rechts->addLayout(arten);
  rechts->addLayout(listeundrahmen, 1);

  auto* ganz = new QHBoxLayout(this);
  auto* linkespalte = new QWidget(this);
  linkespalte->setLayout(links);
  links->setContentsMargins(0, 0, 0, 0);
  linkespalte->setFixedWidth(vb::twipsToPixels(spaltenbreite));
  ganz->addWidget(linkespalte);
  ganz->addLayout(rechts, 1);

  // Events.
  connect(li, &ui::sevGrid::rowclick, this, [this](int row, int, int, int) { li_RowClick(row); });
  connect(li, &ui::sevGrid::rowmove, this, [this](int row) { li_RowClick(row); });
  connect(li, &ui::sevGrid::colresize, this, [this](int col, int w) { li_ColResize(col, w); });
  connect(volkli, &ui::sevGrid::rowclick, this, [this](int row, int, int, int) { volkli_RowClick(row); });
  connect(volkli, &ui::sevGrid::rowmove, this, [this](int row) { volkli_RowClick(row); });
  connect(kom, &QComboBox::activated, this, [this](int) { kom_Click(); });
  connect(löschen, &QPushButton::clicked, this, [this] { löschen_Click(); });
  connect(comhilfe, &QPushButton::clicked, this, [this] { comhilfe_Click(); });
  connect(cmdschließen, &QPushButton::clicked, this, [this] { cmdschließen_Click(); });
  for (int i = 0; i < 2; ++i) {
    connect(neu[size_t(i)], &QPushButton::clicked, this, [this, i] { neu_Click(i); });
    connect(standard[size_t(i)], &QPushButton::clicked, this, [this, i] { standard_Click(i); });
    connect(nextvolk1[size_t(i)], &QPushButton::clicked, this, [this, i] { nextvolk1_Click(i); });
  }
  connect(&sevt, &ui::sevTextArray::change, this, [this](int i) { sevt_Change(i); });
  connect(&sevt, &ui::sevTextArray::listpick, this, [this](int i) { sevt_ListPick(i); });
  connect(&sevt, &ui::sevTextArray::lostfocus, this, [this](int i) { sevt_LostFocus(i); });

  resize(vb::twipsToPixels(designbreite), vb::twipsToPixels(designhöhe));
}

}  // namespace zevo::colonies
