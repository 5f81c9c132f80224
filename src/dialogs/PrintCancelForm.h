// The small progress window of printing: "Page: n" and a Stop button. Its
// start timer runs the print job once the window shows; Stop (or Escape)
// only raises a flag that the job reads between pages, and the job closes
// the window when it has ended the document.
#pragma once

#include <QDialog>
#include <QTimer>
#include <functional>

class QLabel;
class QPushButton;

class TPrintCancelForm : public QDialog {
  Q_OBJECT
 public:
  explicit TPrintCancelForm(QWidget* parent = nullptr);

  // What the start timer runs; the window closes when it returns, with
  // Accepted unless Stop was pressed.
  void SetJob(std::function<void()> job) { FJob = std::move(job); }
  bool Cancelled() const { return FCancelled; }
  // The progress text of the page under way.
  void ShowPage(int32_t page);

  // Every showing: captions of the current language, an empty progress
  // text, the start timer running.
  void setVisible(bool visible) override;
  // Escape stops the job; the window stays until the job has ended.
  void reject() override;

  QLabel* ProgressLabel;
  QPushButton* CancelButton;
  QTimer* StartTimer;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void CancelButtonClick();
  void StartTimerTimer();
  void LayOut();

  bool FCancelled = false;
  std::function<void()> FJob;
};
