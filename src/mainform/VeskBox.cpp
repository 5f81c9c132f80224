#include "mainform/VeskBox.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

#include "controls/CellPainter.h"
#include "core/CellPaint.h"
#include "core/Cursor.h"
#include "core/CursorState.h"
#include "core/EnvState.h"
#include "core/GridState.h"
#include "core/StatusBar.h"

TVeskBox::TVeskBox(QWidget* parent) : QWidget(parent), FVertBar(new QScrollBar(Qt::Vertical, this)) {
  setObjectName("DataBox");
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setAcceptDrops(true);
  setFocusPolicy(Qt::NoFocus);
  FVertBar->setFocusPolicy(Qt::NoFocus);
  FVertBar->setEnabled(false);
  // The panel behind the grid is dark green, a colour that must never show;
  // the scroll bar would inherit it for its frame and trough.
  QPalette plain = FVertBar->palette();
  const QPalette app = QGuiApplication::palette();
  for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button, QPalette::Dark, QPalette::Mid,
                                   QPalette::Midlight, QPalette::Light, QPalette::Shadow})
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
      plain.setColor(group, role, app.color(group, role));
  FVertBar->setPalette(plain);
  FVertBar->installEventFilter(this);
  connect(FVertBar, &QScrollBar::valueChanged, this, &TVeskBox::OnScrollValue);
}

QRect TVeskBox::ClientRect() const { return QRect(0, 0, width() - FVertBar->width(), height()); }

void TVeskBox::SetClientSize(int width, int height) {
  const int barWidth = FVertBar->sizeHint().width();
  resize(width + barWidth, height);
  FVertBar->setGeometry(width, 0, barWidth, height);
}

void TVeskBox::MirrorScrollBar() {
  FMirroring = true;
  const TVeskScrollBar& bar = Grid.VertBar;
  const int maximum = std::max(0, bar.Range - bar.Page);
  FVertBar->setRange(0, maximum);
  FVertBar->setPageStep(std::max(1, bar.Page));
  FVertBar->setSingleStep(1);
  FVertBar->setValue(bar.Position);
  // Disabled, not hidden, when everything fits.
  FVertBar->setEnabled(maximum > 0);
  FMirroring = false;
}

void TVeskBox::OnScrollValue(int value) {
  if (FMirroring) return;
  // The bar moves the view, never the cursor.
  HandleScroll(TScrollCode::ThumbTrack, value);
}

void TVeskBox::ScrollPixels(int dy) { scroll(0, dy, ClientRect()); }

void TVeskBox::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.setClipRect(ClientRect());
  painter.setFont(DataFont());
  const QRect area = event->rect();
  const QColor face = ToQColor(Env.ButtonFace);
  const std::vector<int32_t> lines = GridLineXs();
  for (int32_t r : RowsMeeting(area.top(), area.bottom())) {
    const TRowPaint row = DataBoxRow(r);
    if (row.PerCell) {
      for (const TCellSpec& cell : row.Cells) DrawCellText(painter, cell);
      continue;
    }
    DrawTextRun(painter, row.TextX, row.Y, row.Text, Qt::black, ToQColor(row.Back));
    if (row.WhiteCharMargins) {
      painter.fillRect(row.LeftMarginX, row.Y, row.LeftMarginW, Grid.RowHeight, Qt::white);
      painter.fillRect(row.RightMarginX, row.Y, row.RightMarginW, Grid.RowHeight, Qt::white);
    }
    // Lines as one-pixel rectangles: on a scaled screen they cover whole
    // device pixels and meet the cells without a seam.
    const int bottom = row.Y + Grid.RowHeight - 1;
    for (int32_t x : lines) painter.fillRect(x, row.Y, 1, Grid.RowHeight, face);
    painter.fillRect(0, bottom, lines.back() + 1, 1, face);
  }
}

void TVeskBox::NoteMouse(const QPoint& pos) {
  Cursor.MouseX = pos.x();
  Cursor.MouseY = pos.y();
  UpdateDistancePanel();
}

void TVeskBox::mousePressEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (!ClientRect().contains(pos)) return;
  const TCell cell = PixelToCell(pos.x(), pos.y());
  MoveCursor(cell.Col, cell.Row, true);
  NoteMouse(pos);
}

void TVeskBox::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (ClientRect().contains(pos))
    NoteMouse(pos);
  else
    ForgetMouse();
}

void TVeskBox::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (ClientRect().contains(pos)) NoteMouse(pos);
}

void TVeskBox::leaveEvent(QEvent*) { ForgetMouse(); }

void TVeskBox::ForgetMouse() {
  if (Cursor.MouseX < 0 && Cursor.MouseY < 0) return;
  Cursor.MouseX = Cursor.MouseY = -1;
  UpdateDistancePanel();
}

void TVeskBox::wheelEvent(QWheelEvent* event) {
  FWheelRest = WheelScroll(FWheelRest + event->angleDelta().y());
  event->accept();
}

bool TVeskBox::eventFilter(QObject* watched, QEvent* event) {
  // The scroll bar lies inside this widget, so entering it is no leave.
  if (watched == FVertBar && event->type() == QEvent::Enter) ForgetMouse();
  return QWidget::eventFilter(watched, event);
}
