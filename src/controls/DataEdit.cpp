#include "controls/DataEdit.h"
#include "core/GridState.h"

#include <QPainter>

#include "controls/CellPainter.h"

THexDataEdit::THexDataEdit(QWidget* parent) : THexDataEdit(std::make_unique<THexDataField>(), parent) {}

THexDataEdit::THexDataEdit(std::unique_ptr<THexDataField> field, QWidget* parent)
    : TEntryField(parent), FField(std::move(field)) {}

THexDataEdit::~THexDataEdit() {
  if (TBytesData* d = FField->BytesData)
    for (IFieldView** v : {&d->HexDataEdit, &d->DecDataEdit, &d->CharDataEdit})
      if (*v == this) *v = nullptr;
}

void THexDataEdit::ModelDestroyed(const void* model) {
  if (FField->BytesData == model) FField->BytesData = nullptr;
}

TDecDataEdit::TDecDataEdit(QWidget* parent) : THexDataEdit(std::make_unique<TDecDataField>(), parent) {}

TCharDataEdit::TCharDataEdit(QWidget* parent) : THexDataEdit(std::make_unique<TCharDataField>(), parent) {}

QSize THexDataEdit::sizeHint() const { return QSize(12 * FField->CellWidth(), Grid.RowHeight - 1); }

void THexDataEdit::FocusGained() {
  if (FField->BytesData)
    FField->FocusGained();
  else
    DoUpdate();
}

void THexDataEdit::FocusLost() {
  if (FField->BytesData)
    FField->FocusLost();
  else
    DoUpdate();
}

void THexDataEdit::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const TDataFieldPaint p = FField->Paint(width(), hasFocus(), CursorOn());
  for (const TCellSpec& cell : p.Cells) DrawCellText(painter, cell);
  painter.fillRect(QRect(p.FillX, 0, width() - p.FillX, height()), Qt::white);
  // Below the row, should a layout make the view taller than one row.
  painter.fillRect(QRect(0, Grid.RowHeight, width(), height() - Grid.RowHeight), Qt::white);
}

void LinkBytesViews(TBytesData& data, THexDataEdit& hex, TDecDataEdit& dec, TCharDataEdit& chr) {
  hex.SetBytesData(&data);
  dec.SetBytesData(&data);
  chr.SetBytesData(&data);
  data.HexDataEdit = &hex;
  data.DecDataEdit = &dec;
  data.CharDataEdit = &chr;
  hex.ArrowDownControl = &dec;
  dec.ArrowUpControl = &hex;
  dec.ArrowDownControl = &chr;
  chr.ArrowUpControl = &dec;
  data.DoUpdateAll();
}
