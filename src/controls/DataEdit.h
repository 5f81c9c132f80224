// The three views of a byte sequence in the Find and Insert/Append bytes
// dialogs: hexadecimal cells, decimal cells and a line of characters over
// one TBytesData. The rules live in THexDataField and its kin; these
// widgets paint with the grid's cell routine and font and forward keys,
// clicks and focus changes.
#pragma once

#include <memory>

#include "controls/EntryField.h"
#include "core/DataField.h"

class THexDataEdit : public TEntryField {
  Q_OBJECT

 public:
  explicit THexDataEdit(QWidget* parent = nullptr);
  // Unlinks itself from a model that lives on.
  ~THexDataEdit() override;

  THexDataField& Field() { return *FField; }
  TBytesData* BytesData() const { return FField->BytesData; }
  void SetBytesData(TBytesData* bytes) { FField->BytesData = bytes; }
  int FirstByte() const { return FField->FirstByte; }

  QSize sizeHint() const override;

 protected:
  THexDataEdit(std::unique_ptr<THexDataField> field, QWidget* parent);
  void MyKeyPress(char32_t c) override { FField->MyKeyPress(c); }
  TFocusMove MyKeyDown(TFieldKey key) override { return FField->MyKeyDown(key); }
  void MyMouseDown(int x) override { FField->MyMouseDown(x); }
  void FocusGained() override;
  void FocusLost() override;
  void ModelDestroyed(const void* model) override;
  void paintEvent(QPaintEvent*) override;

 private:
  std::unique_ptr<THexDataField> FField;
};

class TDecDataEdit : public THexDataEdit {
  Q_OBJECT

 public:
  explicit TDecDataEdit(QWidget* parent = nullptr);
};

class TCharDataEdit : public THexDataEdit {
  Q_OBJECT

 public:
  explicit TCharDataEdit(QWidget* parent = nullptr);
};

// The dialog's wiring of the three views of one model: each shows data, the
// model knows them for its updates, and the arrows chain hex <-> decimal <->
// character. OnChange stays the dialog's.
void LinkBytesViews(TBytesData& data, THexDataEdit& hex, TDecDataEdit& dec, TCharDataEdit& chr);
