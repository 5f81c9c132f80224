// The checksum window: computes the digests of a range on threads of its
// own, with a progress bar and Stop for large ranges, then lists them
// (algorithm and lower-case hex value) for copying as sha256sum prints them
// and for comparing with a published value. It is modal, so the document
// stays as it is while the threads read it.
//
// Access keys taken, English: W, C, S; German: V, K, S.
#pragma once

#include <QDialog>
#include <QGroupBox>
#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "core/Digests.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTimer;
class QTreeWidget;

// The algorithms to compute, one check box each, for the range picker.
class TDigestKindsBox : public QGroupBox {
  Q_OBJECT
 public:
  explicit TDigestKindsBox(TDigestKinds kinds, QWidget* parent = nullptr);
  TDigestKinds Kinds() const;
  QCheckBox* Box(TDigestKind kind) const { return FBoxes[size_t(kind)]; }

 signals:
  void Changed();

 private:
  std::vector<QCheckBox*> FBoxes;
};

class TChecksumForm : public QDialog {
  Q_OBJECT

 public:
  explicit TChecksumForm(QWidget* parent = nullptr);
  ~TChecksumForm() override;

  // Starts the work and shows the window modally until the user closes it:
  // mrOk, or mrCancel when the user stopped the work.
  int Execute(const TChecksumJob& job);
  // The work started without showing the window (Execute does this first).
  void Start(const TChecksumJob& job);
  bool Running() const { return FThread.joinable(); }
  bool StoppedByUser() const { return FStoppedByUser; }
  // Ends the work at once (its results are lost) and closes the window.
  void StopWork();
  // What Ctrl+C copies: the selected lines, or all of them.
  QString CopyText() const;
  const std::vector<TDigestResult>& Results() const { return FResults; }

  QLabel* RangeCaption = nullptr;
  QLabel* RangeLabel = nullptr;
  QProgressBar* Progress = nullptr;
  QPushButton* StopButton = nullptr;
  QTreeWidget* ResultList = nullptr;
  QLabel* CompareLabel = nullptr;
  QLineEdit* CompareEdit = nullptr;
  QLabel* VerdictLabel = nullptr;
  QPushButton* CopyButton = nullptr;
  QPushButton* CloseButton = nullptr;

 protected:
  // Escape and the close button stop running work first.
  void reject() override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Captions();
  void Poll();
  void Finish();
  void Join();
  void UpdateVerdict();
  void Copy();

  TChecksumJob FJob;
  std::unique_ptr<TDigestRun> FRun;
  std::thread FThread;
  std::atomic<bool> FFinished{false};
  bool FStoppedByUser = false;
  std::vector<TDigestResult> FResults;
  QTimer* FPoll = nullptr;
};
