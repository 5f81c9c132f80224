#include "dialogs/FindForm.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QToolButton>

#include "controls/DataEdit.h"
#include "controls/WindowPlacement.h"
#include "core/GridState.h"
#include "core/Seams.h"
#include "core/Texts.h"
#include "dialogs/FieldPanels.h"

namespace {

constexpr int Margin = 8;
constexpr int LabelWidth = 44;   // the Hex:, Dec:, Char: column
constexpr int FirstRowTop = 26;  // the three rows below the caption label
constexpr int RowPitch = 32;
constexpr int ClearWidth = 28;
constexpr int ClearHeight = 22;
constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 25;

QString Text(const char* english, const char* german) { return QString::fromUtf8(Tr(english, german)); }

}  // namespace

TColourShape::TColourShape(const QColor& colour, QWidget* parent) : QWidget(parent), FColour(colour) {
  setFixedSize(24, 12);
  setCursor(Qt::PointingHandCursor);
}

void TColourShape::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), FColour);
  p.setPen(Qt::black);
  p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void TColourShape::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit Pressed();
}

TFindForm::TFindForm(TFindState& state, QWidget* parent) : QDialog(parent), FState(state) {
  setObjectName("FindForm");
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  FormCreate();
}

TFindForm::~TFindForm() {
  // The state outlives the dialog; it must not call back into it.
  FState.FindData.OnChange = nullptr;
}

void TFindForm::FormCreate() {
  FindPanel = new QWidget(this);
  ReplacePanel = new QWidget(this);
  MarkPanel = new QWidget(this);
  OptionPanel = new QWidget(this);
  ButtonPanel = new QWidget(this);
  FindPanel->setObjectName("FindPanel");
  ReplacePanel->setObjectName("ReplacePanel");
  MarkPanel->setObjectName("MarkPanel");
  OptionPanel->setObjectName("OptionPanel");
  ButtonPanel->setObjectName("ButtonPanel");

  HexFindEdit = new THexDataEdit;
  DecFindEdit = new TDecDataEdit;
  CharFindEdit = new TCharDataEdit;
  HexReplaceEdit = new THexDataEdit;
  DecReplaceEdit = new TDecDataEdit;
  CharReplaceEdit = new TCharDataEdit;
  {
    QLabel* labels[3];
    QFrame* frames[3];
    QWidget* views[3] = {HexFindEdit, DecFindEdit, CharFindEdit};
    QToolButton* clears[3];
    CreateSequencePanel(FindPanel, FLabel, labels, frames, views, clears, FState.FindData);
    HexFLabel = labels[0], DecFLabel = labels[1], CharFLabel = labels[2];
    HexFPanel = frames[0], DecFPanel = frames[1], CharFPanel = frames[2];
    ClearHexFSB = clears[0], ClearDecFSB = clears[1], ClearCharFSB = clears[2];
  }
  {
    QLabel* labels[3];
    QFrame* frames[3];
    QWidget* views[3] = {HexReplaceEdit, DecReplaceEdit, CharReplaceEdit};
    QToolButton* clears[3];
    CreateSequencePanel(ReplacePanel, RLabel, labels, frames, views, clears, FState.ReplaceData);
    HexRLabel = labels[0], DecRLabel = labels[1], CharRLabel = labels[2];
    HexRPanel = frames[0], DecRPanel = frames[1], CharRPanel = frames[2];
    ClearHexRSB = clears[0], ClearDecRSB = clears[1], ClearCharRSB = clears[2];
  }
  const char* const names[2][3] = {{"HexF", "DecF", "CharF"}, {"HexR", "DecR", "CharR"}};
  QLabel* const allLabels[2][3] = {{HexFLabel, DecFLabel, CharFLabel}, {HexRLabel, DecRLabel, CharRLabel}};
  QFrame* const allFrames[2][3] = {{HexFPanel, DecFPanel, CharFPanel}, {HexRPanel, DecRPanel, CharRPanel}};
  QToolButton* const allClears[2][3] = {{ClearHexFSB, ClearDecFSB, ClearCharFSB},
                                        {ClearHexRSB, ClearDecRSB, ClearCharRSB}};
  for (int s = 0; s < 2; ++s)
    for (int i = 0; i < 3; ++i) {
      allLabels[s][i]->setObjectName(QString(names[s][i]) + "Label");
      allFrames[s][i]->setObjectName(QString(names[s][i]) + "Panel");
      allClears[s][i]->setObjectName(QString("Clear") + names[s][i] + "SB");
    }
  FLabel->setObjectName("FLabel");
  RLabel->setObjectName("RLabel");
  LinkBytesViews(FState.FindData, *HexFindEdit, *DecFindEdit, *CharFindEdit);
  LinkBytesViews(FState.ReplaceData, *HexReplaceEdit, *DecReplaceEdit, *CharReplaceEdit);
  FState.FindData.OnChange = [this](TBytesData&) { UpdateButtons(); };

  CreateMarkPanel();
  CreateOptionPanel();
  CreateButtonPanel();
}

// A caption label, then three rows: label, bordered panel around the view,
// clear button. The view is one cell row high and as wide as the panel's
// inside; the panel is sized around it.
void TFindForm::CreateSequencePanel(QWidget* panel, QLabel*& caption, QLabel* labels[3], QFrame* frames[3],
                                    QWidget* views[3], QToolButton* clears[3], TBytesData& sequence) {
  caption = new QLabel(panel);
  caption->move(Margin, 6);
  const int frameLeft = Margin + LabelWidth;
  const int frameWidth = FindFormClientWidth - frameLeft - Grid.CharWidth - ClearWidth - Margin;
  for (int i = 0; i < 3; ++i) {
    const int top = FirstRowTop + i * RowPitch;
    frames[i] = new QFrame(panel);
    SetFieldFrameStyle(frames[i]);
    const int border = frames[i]->frameWidth();
    views[i]->setParent(frames[i]);
    views[i]->setGeometry(border, border, frameWidth - 2 * border, Grid.RowHeight - 1);
    frames[i]->setGeometry(frameLeft, top, frameWidth, Grid.RowHeight - 1 + 2 * border);

    labels[i] = new QLabel(panel);
    labels[i]->setBuddy(views[i]);
    labels[i]->setGeometry(Margin, top, LabelWidth - 4, frames[i]->height());
    labels[i]->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    clears[i] = new QToolButton(panel);
    clears[i]->setIcon(style()->standardIcon(QStyle::SP_LineEditClearButton));
    clears[i]->setFocusPolicy(Qt::NoFocus);
    clears[i]->setGeometry(frameLeft + frameWidth + Grid.CharWidth, top + (frames[i]->height() - ClearHeight) / 2,
                           ClearWidth, ClearHeight);
    QWidget* view = views[i];
    connect(clears[i], &QToolButton::clicked, this, [&sequence, view] {
      sequence.Clear();
      view->setFocus();
    });
  }
}

void TFindForm::CreateMarkPanel() {
  MarkLabel = new QLabel(MarkPanel);
  MarkLabel->setObjectName("MarkLabel");
  MarkLabel->move(Margin, 6);
  auto* group = new QButtonGroup(this);
  const char* const buttonNames[6] = {"RRadioButton", "GRadioButton", "BRadioButton",
                                      "CRadioButton", "MRadioButton", "YRadioButton"};
  const char* const shapeNames[6] = {"RShape", "GShape", "BShape", "CShape", "MShape", "ShapeY"};
  const QColor colours[6] = {QColor(255, 0, 0),   QColor(0, 255, 0),   QColor(0, 0, 255),
                             QColor(0, 255, 255), QColor(255, 0, 255), QColor(255, 255, 0)};
  const int pitch = (FindFormClientWidth - 2 * Margin) / 6;
  for (int i = 0; i < 6; ++i) {
    QRadioButton* rb = ColourRadioButtons[i] = new QRadioButton(MarkPanel);
    rb->setObjectName(buttonNames[i]);
    group->addButton(rb, i + 1);
    rb->resize(rb->sizeHint());
    rb->move(Margin + i * pitch, 28);
    TColourShape* shape = ColourShapes[i] = new TColourShape(colours[i], MarkPanel);
    shape->setObjectName(shapeNames[i]);
    shape->move(rb->geometry().right() + 3, rb->y() + (rb->height() - shape->height()) / 2);
    connect(shape, &TColourShape::Pressed, rb, [rb] { rb->setChecked(true); });
    const uint8_t mark = uint8_t(i + 1);
    connect(rb, &QRadioButton::toggled, this, [this, mark](bool on) {
      if (on) FState.MarkColour = mark;
    });
  }
}

void TFindForm::CreateOptionPanel() {
  OptionLabel = new QLabel(OptionPanel);
  BeginLabel = new QLabel(OptionPanel);
  DirectionLabel = new QLabel(OptionPanel);
  CaseCB = new QCheckBox(OptionPanel);
  ConfirmCB = new QCheckBox(OptionPanel);
  BeginCursorRB = new QRadioButton(OptionPanel);
  BeginStartEndRB = new QRadioButton(OptionPanel);
  DirectionDownRB = new QRadioButton(OptionPanel);
  DirectionUpRB = new QRadioButton(OptionPanel);
  OptionLabel->setObjectName("OptionLabel");
  BeginLabel->setObjectName("BeginLabel");
  DirectionLabel->setObjectName("DirectionLabel");
  CaseCB->setObjectName("CaseCB");
  ConfirmCB->setObjectName("ConfirmCB");
  BeginCursorRB->setObjectName("BeginCursorRB");
  BeginStartEndRB->setObjectName("BeginStartEndRB");
  DirectionDownRB->setObjectName("DirectionDownRB");
  DirectionUpRB->setObjectName("DirectionUpRB");
  // Two groups of two: origin and direction.
  auto* origin = new QButtonGroup(this);
  origin->addButton(BeginCursorRB);
  origin->addButton(BeginStartEndRB);
  auto* direction = new QButtonGroup(this);
  direction->addButton(DirectionDownRB);
  direction->addButton(DirectionUpRB);
  connect(CaseCB, &QCheckBox::toggled, this, [this](bool on) { FState.CaseCB = on; });
  connect(ConfirmCB, &QCheckBox::toggled, this, [this](bool on) { FState.ConfirmCB = on; });
  connect(BeginCursorRB, &QRadioButton::toggled, this, [this](bool on) { FState.BeginCursorRB = on; });
  connect(DirectionUpRB, &QRadioButton::toggled, this, [this](bool on) { FState.DirectionUpRB = on; });
}

void TFindForm::CreateButtonPanel() {
  OKButton = new QPushButton(ButtonPanel);
  AllButton = new QPushButton(ButtonPanel);
  CancelButton = new QPushButton(ButtonPanel);
  OKButton->setObjectName("OKButton");
  AllButton->setObjectName("AllButton");
  CancelButton->setObjectName("CancelButton");
  OKButton->setDefault(true);
  OKButton->setAutoDefault(false);
  AllButton->setAutoDefault(false);
  CancelButton->setAutoDefault(false);
  connect(OKButton, &QPushButton::clicked, this, [this] {
    FState.Accepted = true;
    done(mrOk);
  });
  connect(AllButton, &QPushButton::clicked, this, [this] {
    FState.Accepted = true;
    done(FindAllResult);
  });
  connect(CancelButton, &QPushButton::clicked, this, &TFindForm::reject);
}

void TFindForm::reject() { done(mrCancel); }

void TFindForm::setVisible(bool visible) {
  if (visible && !isVisible()) {
    FormShow();
    // Centred on the screen, not on the main window.
    if (QScreen* screen = QGuiApplication::primaryScreen())
      MoveWindow(this, screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
  }
  QDialog::setVisible(visible);
  if (visible) HexFindEdit->setFocus();
}

void TFindForm::FormShow() {
  FState.Accepted = false;
  SetCaptions();

  // The widgets follow the state, which the commands or a test may have set.
  CaseCB->setChecked(FState.CaseCB);
  ConfirmCB->setChecked(FState.ConfirmCB);
  (FState.BeginCursorRB ? BeginCursorRB : BeginStartEndRB)->setChecked(true);
  (FState.DirectionUpRB ? DirectionUpRB : DirectionDownRB)->setChecked(true);
  const int colour = FState.MarkColour >= 1 && FState.MarkColour <= 6 ? FState.MarkColour : 1;
  ColourRadioButtons[colour - 1]->setChecked(true);

  for (QPushButton* b : {OKButton, CancelButton}) b->setFixedSize(ButtonWidth, ButtonHeight);
  AllButton->setFixedSize(qMax(ButtonWidth, AllButton->sizeHint().width()), ButtonHeight);
  const TFindFormLayout l =
      ComputeFindFormLayout(FState.ReplaceMode, FState.MarkMode, FindFormClientWidth, ButtonWidth, AllButton->width());
  ReplacePanel->setVisible(l.ReplacePanelVisible);
  MarkPanel->setVisible(l.MarkPanelVisible);
  ConfirmCB->setVisible(l.ConfirmVisible);
  AllButton->setVisible(l.ConfirmVisible);

  // The panels stack from the top; hidden ones take no space.
  int y = 0;
  const std::pair<QWidget*, int> panels[] = {{FindPanel, FindPanelHeight},
                                             {ReplacePanel, ReplacePanelHeight},
                                             {MarkPanel, MarkPanelHeight},
                                             {OptionPanel, OptionPanelHeight}};
  for (const auto& [panel, height] : panels)
    if (!panel->isHidden()) {
      panel->setGeometry(0, y, FindFormClientWidth, height);
      y += height;
    }
  ButtonPanel->setGeometry(0, y, FindFormClientWidth, ButtonPanelHeight);
  setFixedSize(FindFormClientWidth, l.ClientHeight);
  const int buttonTop = (ButtonPanelHeight - ButtonHeight) / 2;
  OKButton->move(l.OKLeft, buttonTop);
  AllButton->move(l.AllLeft, buttonTop);
  CancelButton->move(l.CancelLeft, buttonTop);
  LayOutOptions();

  UpdateButtons();
  HexFindEdit->setFocus();
}

void TFindForm::SetCaptions() {
  if (FState.ReplaceMode)
    setWindowTitle(Text("Replace", "Ersetzen"));
  else if (FState.MarkMode)
    setWindowTitle(Text("Find and mark", "Suchen und markieren"));
  else
    setWindowTitle(Text("Find", "Suchen"));
  FLabel->setText(Text("To find:", "Suchen nach:"));
  HexFLabel->setText(Text("&Hex:", "&Hex:"));
  DecFLabel->setText(Text("&Dec:", "&Dez:"));
  CharFLabel->setText(Text("&Char:", "&Char:"));
  MarkLabel->setText(Text("Mark with:", "Markieren mit:"));
  RLabel->setText(Text("Replace by:", "Ersetzen durch:"));
  HexRLabel->setText(Text("He&x:", "He&x:"));
  DecRLabel->setText(Text("D&ec:", "De&z:"));
  CharRLabel->setText(Text("Cha&r:", "Cha&r:"));
  OptionLabel->setText(Text("Options:", "Optionen:"));
  CaseCB->setText(Text("Case &sensitive", "Groß-/&Kleinschreib."));
  ConfirmCB->setText(Text("&Prompt on replace", "Mit &Bestätigung"));
  DirectionLabel->setText(Text("Direction:", "Richtung:"));
  DirectionDownRB->setText(Text("&Forward", "&Vorwärts"));
  DirectionUpRB->setText(Text("&Backward", "Rück&wärts"));
  BeginLabel->setText(Text("Origin:", "Beginn:"));
  BeginCursorRB->setText(Text("Fr&om cursor", "Ab Cur&sor"));
  BeginStartEndRB->setText(Text("E&ntire scope", "&Textanfang/-ende"));
  OKButton->setText("OK");
  AllButton->setText(FState.MarkMode && !FState.ReplaceMode ? Text("Mark &all", "&Alles markieren")
                                                            : Text("Replace &all", "&Alles ersetzen"));
  CancelButton->setText(Text("Cancel", "Abbrechen"));
  // The colour choices show no text; screen readers get the colour's name.
  for (int i = 0; i < 6; ++i) {
    const QString colour = QString::fromStdString(TxtMarkColourName(i + 1));
    ColourRadioButtons[i]->setAccessibleName(colour);
    ColourShapes[i]->setAccessibleName(colour);
  }
  for (QLabel* label : {FLabel, RLabel, MarkLabel}) label->adjustSize();
}

// Three columns (options, origin, direction), each a heading over two
// choices, spread over the width by their texts' widths.
void TFindForm::LayOutOptions() {
  QWidget* const columns[3][3] = {{OptionLabel, CaseCB, ConfirmCB},
                                  {BeginLabel, BeginCursorRB, BeginStartEndRB},
                                  {DirectionLabel, DirectionDownRB, DirectionUpRB}};
  int widths[3], total = 0;
  for (int c = 0; c < 3; ++c) {
    widths[c] = 0;
    for (QWidget* w : columns[c]) widths[c] = qMax(widths[c], w->sizeHint().width());
    total += widths[c];
  }
  const int gap = qMax(4, (FindFormClientWidth - 2 * Margin - total) / 2);
  const int tops[3] = {4, 24, 46};
  int x = Margin;
  for (int c = 0; c < 3; ++c) {
    for (int r = 0; r < 3; ++r) {
      QWidget* w = columns[c][r];
      w->setGeometry(x, tops[r], widths[c], w->sizeHint().height());
    }
    x += widths[c] + gap;
  }
}

void TFindForm::UpdateButtons() {
  const bool any = FState.FindData.Len() > 0;
  OKButton->setEnabled(any);
  AllButton->setEnabled(any);
}
