#include "dialogs/ChecksumForm.h"

#include <QCheckBox>
#include <QClipboard>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "controls/CellPainter.h"
#include "core/RangePick.h"
#include "core/Seams.h"
#include "core/Texts.h"
#include "dialogs/FieldPanels.h"

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }
QString Q(const char* utf8) { return QString::fromUtf8(utf8); }

// The verdict's own fixed colours, dark text on a light green or red, so it
// reads the same on light and dark palettes.
const QColor MatchBack(0xC8, 0xF0, 0xC8);
const QColor NoMatchBack(0xF8, 0xD0, 0xD0);

// How often the window looks at the threads' progress: often enough that
// Stop and the end of the work show without a noticeable pause.
constexpr int PollMs = 20;

}  // namespace

TDigestKindsBox::TDigestKindsBox(TDigestKinds kinds, QWidget* parent) : QGroupBox(parent) {
  setObjectName("DigestKindsBox");
  setTitle(Tr("Algorithms", "Algorithmen"));
  auto* grid = new QGridLayout(this);
  constexpr int Columns = 4;
  for (int k = 0; k < DigestKindCount; ++k) {
    auto* box = new QCheckBox(Q(DigestName(TDigestKind(k))), this);
    box->setObjectName(QStringLiteral("Digest%1Box").arg(k));
    box->setChecked(kinds & DigestBit(TDigestKind(k)));
    connect(box, &QCheckBox::toggled, this, &TDigestKindsBox::Changed);
    grid->addWidget(box, k / Columns, k % Columns);
    FBoxes.push_back(box);
  }
}

TDigestKinds TDigestKindsBox::Kinds() const {
  TDigestKinds kinds = 0;
  for (int k = 0; k < DigestKindCount; ++k)
    if (FBoxes[size_t(k)]->isChecked()) kinds |= DigestBit(TDigestKind(k));
  return kinds;
}

TChecksumForm::TChecksumForm(QWidget* parent) : QDialog(parent) {
  setObjectName("ChecksumForm");
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

  RangeCaption = BuddyLabel("RangeCaption", nullptr, this);
  RangeLabel = BuddyLabel("RangeLabel", nullptr, this);
  RangeLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
  Progress = new QProgressBar(this);
  Progress->setObjectName("Progress");
  Progress->setRange(0, 1000);
  StopButton = new QPushButton(this);
  StopButton->setObjectName("StopButton");
  connect(StopButton, &QPushButton::clicked, this, &TChecksumForm::StopWork);

  ResultList = new QTreeWidget(this);
  ResultList->setObjectName("ResultList");
  ResultList->setColumnCount(2);
  ResultList->setRootIsDecorated(false);
  ResultList->setSelectionMode(QAbstractItemView::ExtendedSelection);
  ResultList->setAllColumnsShowFocus(true);
  ResultList->header()->setStretchLastSection(true);
  ResultList->installEventFilter(this);

  CompareEdit = new QLineEdit(this);
  CompareEdit->setObjectName("CompareEdit");
  CompareEdit->setClearButtonEnabled(true);
  CompareLabel = BuddyLabel("CompareLabel", CompareEdit, this);
  connect(CompareEdit, &QLineEdit::textChanged, this, &TChecksumForm::UpdateVerdict);
  VerdictLabel = BuddyLabel("VerdictLabel", nullptr, this);
  VerdictLabel->setAutoFillBackground(true);
  VerdictLabel->setContentsMargins(6, 2, 6, 2);
  VerdictLabel->hide();

  CopyButton = new QPushButton(this);
  CopyButton->setObjectName("CopyButton");
  CopyButton->setAutoDefault(false);
  connect(CopyButton, &QPushButton::clicked, this, &TChecksumForm::Copy);
  CloseButton = new QPushButton(this);
  CloseButton->setObjectName("CloseButton");
  CloseButton->setDefault(true);
  connect(CloseButton, &QPushButton::clicked, this, &TChecksumForm::reject);

  auto* range = new QHBoxLayout;
  range->addWidget(RangeCaption);
  range->addWidget(RangeLabel, 1);
  auto* progress = new QHBoxLayout;
  progress->addWidget(Progress, 1);
  progress->addWidget(StopButton);
  auto* compare = new QHBoxLayout;
  compare->addWidget(CompareLabel);
  compare->addWidget(CompareEdit, 1);
  QHBoxLayout* buttons = CentredButtons(CopyButton, CloseButton);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(12, 10, 12, 12);
  layout->addLayout(range);
  layout->addLayout(progress);
  layout->addWidget(ResultList, 1);
  layout->addLayout(compare);
  layout->addWidget(VerdictLabel);
  layout->addWidget(Bevel("Bevel1", this));
  layout->addLayout(buttons);

  FPoll = new QTimer(this);
  FPoll->setInterval(PollMs);
  connect(FPoll, &QTimer::timeout, this, &TChecksumForm::Poll);
}

TChecksumForm::~TChecksumForm() {
  if (FRun) FRun->Stop();
  Join();
}

void TChecksumForm::Captions() {
  setWindowTitle(Tr("Checksums", "Prüfsummen"));
  RangeCaption->setText(Tr("Range:", "Bereich:"));
  RangeLabel->setText(Q(RangeText({FJob.Start, FJob.Count})));
  StopButton->setText(Tr("&Stop", "&Stopp"));
  ResultList->setHeaderLabels({Tr("Algorithm", "Algorithmus"), Tr("Checksum", "Prüfsumme")});
  CompareLabel->setText(Tr("Compare &with:", "&Vergleichen mit:"));
  CopyButton->setText(Tr("&Copy", "&Kopieren"));
  CloseButton->setText(Tr("Close", "Schließen"));
}

void TChecksumForm::Start(const TChecksumJob& job) {
  if (FRun) FRun->Stop();
  Join();
  FJob = job;
  FResults.clear();
  FStoppedByUser = false;
  FFinished = false;
  Captions();

  // One line per algorithm from the start, so the user sees what is coming;
  // the values in the data font, wide enough for the longest.
  ResultList->clear();
  int longest = 0;
  for (int k = 0; k < DigestKindCount; ++k) {
    if (!(job.Kinds & DigestBit(TDigestKind(k)))) continue;
    auto* item = new QTreeWidgetItem(ResultList, {Q(DigestName(TDigestKind(k))), Tr("Computing...", "Wird berechnet...")});
    item->setFont(1, DataFont());
    longest = std::max(longest, DigestHexLength(TDigestKind(k)));
  }
  ResultList->resizeColumnToContents(0);
  ResultList->setColumnWidth(0, ResultList->columnWidth(0) + 16);
  const int valueWidth = QFontMetrics(DataFont()).horizontalAdvance(QString(longest, QLatin1Char('0'))) + 24;
  ResultList->setMinimumWidth(ResultList->columnWidth(0) + valueWidth + 4);
  // Every line in sight without scrolling.
  const int rows = ResultList->topLevelItemCount();
  ResultList->setMinimumHeight(ResultList->header()->sizeHint().height() + rows * ResultList->sizeHintForRow(0) +
                               2 * ResultList->frameWidth() + 4);
  const bool large = job.Count > ChecksumProgressFrom;
  Progress->setVisible(large);
  StopButton->setVisible(large);
  Progress->setValue(0);
  CopyButton->setEnabled(false);
  CompareEdit->clear();
  VerdictLabel->hide();

  FRun = std::make_unique<TDigestRun>(job.Data, size_t(std::max(job.Count, 0)), job.Kinds, DigestThreads(job.Kinds));
  FThread = std::thread([this] {
    FRun->Run();
    FFinished.store(true);
  });
  Poll();
  FPoll->start();
}

int TChecksumForm::Execute(const TChecksumJob& job) {
  Start(job);
  if (!StopButton->isHidden()) StopButton->setFocus();
  CentreOnScreen(this);
  exec();
  return FStoppedByUser ? mrCancel : mrOk;
}

void TChecksumForm::Join() {
  if (FThread.joinable()) FThread.join();
  if (FPoll) FPoll->stop();
}

void TChecksumForm::Poll() {
  if (!FRun) return;
  if (FFinished.load()) {
    Finish();
    return;
  }
  const uint64_t size = std::max<uint64_t>(FRun->Size(), 1), done = FRun->Done();
  Progress->setValue(int(done * 1000 / size));
  Progress->setFormat(Q(TxtDigestProgress(done, size)));
}

void TChecksumForm::Finish() {
  Join();
  FResults = FRun->Results();
  for (size_t i = 0; i < FResults.size() && int(i) < ResultList->topLevelItemCount(); ++i)
    ResultList->topLevelItem(int(i))->setText(1, Q(DigestShownText(FResults[i])));
  Progress->hide();
  StopButton->hide();
  CopyButton->setEnabled(true);
  ResultList->setFocus();
  UpdateVerdict();
}

void TChecksumForm::StopWork() {
  if (!Running()) return;
  FRun->Stop();
  Join();
  FStoppedByUser = true;
  FResults.clear();
  QDialog::reject();
}

void TChecksumForm::reject() {
  if (Running()) {
    StopWork();
    return;
  }
  QDialog::reject();
}

void TChecksumForm::UpdateVerdict() {
  const std::string text = CompareEdit->text().toStdString();
  const int match = MatchingDigest(FResults, text);
  for (int i = 0; i < ResultList->topLevelItemCount(); ++i)
    for (int c = 0; c < 2; ++c) {
      QTreeWidgetItem* item = ResultList->topLevelItem(i);
      item->setData(c, Qt::BackgroundRole, i == match ? QVariant(MatchBack) : QVariant());
      item->setData(c, Qt::ForegroundRole, i == match ? QVariant(QColor(Qt::black)) : QVariant());
    }
  if (CompareEdit->text().trimmed().isEmpty() || FResults.empty()) {
    VerdictLabel->hide();
    return;
  }
  VerdictLabel->setText(Q(match >= 0 ? TxtDigestMatches(FResults[size_t(match)].Kind) : TxtNoDigestMatch()));
  QPalette palette = VerdictLabel->palette();
  palette.setColor(QPalette::Window, match >= 0 ? MatchBack : NoMatchBack);
  palette.setColor(QPalette::WindowText, Qt::black);
  VerdictLabel->setPalette(palette);
  VerdictLabel->show();
}

QString TChecksumForm::CopyText() const {
  std::vector<int> selected;
  for (const QModelIndex& index : ResultList->selectionModel()->selectedRows()) selected.push_back(index.row());
  return Q(DigestCopyText(FResults, selected, FJob.Name));
}

void TChecksumForm::Copy() {
  if (FResults.empty()) return;
  QGuiApplication::clipboard()->setText(CopyText());
}

void TChecksumForm::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy)) {
    Copy();
    return;
  }
  QDialog::keyPressEvent(event);
}

bool TChecksumForm::eventFilter(QObject* watched, QEvent* event) {
  // The list would copy only its current cell; here Ctrl+C copies lines.
  if (watched == ResultList && (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) &&
      static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
    event->accept();
    if (event->type() == QEvent::KeyPress) Copy();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}
