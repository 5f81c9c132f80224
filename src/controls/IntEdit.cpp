#include "controls/IntEdit.h"

#include <QPainter>

#include "controls/CellPainter.h"

THexIntEdit::THexIntEdit(QWidget* parent) : THexIntEdit(std::make_unique<THexIntField>(), parent) {}

THexIntEdit::THexIntEdit(std::unique_ptr<THexIntField> field, QWidget* parent)
    : TEntryField(parent), FField(std::move(field)) {
  FField->View = this;
}

TDecIntEdit::TDecIntEdit(QWidget* parent) : THexIntEdit(std::make_unique<TDecIntField>(), parent) {}

QSize THexIntEdit::sizeHint() const { return QSize(IntEditClientWidth(), IntEditClientHeight()); }

void THexIntEdit::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  // Whatever a layout gives beyond the one row stays white.
  painter.fillRect(rect(), Qt::white);
  DrawCellText(painter, FField->PaintCell(hasFocus() && CursorOn()));
}

void LinkIntFields(TIntData& data, THexIntEdit& hex, TDecIntEdit& dec) {
  hex.SetIntData(&data);
  dec.SetIntData(&data);
  data.Listener1 = [&dec](const void* sender) { dec.DataChanged(sender); };
  data.Listener2 = [&hex](const void* sender) { hex.DataChanged(sender); };
  hex.ArrowDownControl = &dec;
  dec.ArrowUpControl = &hex;
  hex.Field().CalcDataStr();
  dec.Field().CalcDataStr();
  hex.update();
  dec.update();
}
