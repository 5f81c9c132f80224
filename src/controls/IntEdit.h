// The integer fields of the Goto, Delete bytes and Insert/Append bytes
// dialogs: a hexadecimal field and its decimal twin over one TIntData. The
// rules live in THexIntField / TDecIntField; these widgets paint the field
// with the grid's cell routine and font and forward keys and clicks.
#pragma once

#include <memory>

#include "controls/EntryField.h"
#include "core/IntField.h"

class THexIntEdit : public TEntryField {
  Q_OBJECT

 public:
  explicit THexIntEdit(QWidget* parent = nullptr);

  THexIntField& Field() { return *FField; }
  const THexIntField& Field() const { return *FField; }
  TIntData* IntData() const { return FField->IntData; }
  void SetIntData(TIntData* value) { FField->IntData = value; }
  // The model's listener: rewrites the digits unless this field sent it.
  void DataChanged(const void* sender) { FField->DataChanged(sender); }

  QSize sizeHint() const override;

 protected:
  THexIntEdit(std::unique_ptr<THexIntField> field, QWidget* parent);
  void MyKeyPress(char32_t c) override { FField->MyKeyPress(c); }
  TFocusMove MyKeyDown(TFieldKey key) override { return FField->MyKeyDown(key); }
  void MyMouseDown(int x) override { FField->MyMouseDown(x); }
  void paintEvent(QPaintEvent*) override;

 private:
  std::unique_ptr<THexIntField> FField;
};

class TDecIntEdit : public THexIntEdit {
  Q_OBJECT

 public:
  explicit TDecIntEdit(QWidget* parent = nullptr);
};

// The dialog's wiring of a pair: both show data (the decimal field as
// Listener1, the hex field as Listener2), Down leads from hex to decimal and
// Up back. Listener3 stays the dialog's.
void LinkIntFields(TIntData& data, THexIntEdit& hex, TDecIntEdit& dec);
