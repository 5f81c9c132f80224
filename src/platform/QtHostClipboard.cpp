// The clipboard and the two dialogs around it and the statistics, for the
// Qt host. Each MIME type the clipboard offers is one format; its
// identifier is 0xC000 plus its place in the list, and a format is still
// there when the same type stands at the same place.
#include <QClipboard>
#include <QComboBox>
#include <QFormLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>

#include "commands/UiState.h"
#include "core/ByteText.h"
#include "core/Texts.h"
#include "dialogs/ClipboardForm.h"
#include "dialogs/InfoStatisticForm.h"
#include "dialogs/RangePickForm.h"
#include "platform/QtHost.h"

namespace {

constexpr uint32_t FirstFormatId = 0xC000;

// Targets of the X11 selection protocol that some programs offer beside
// their data; they hold no clipboard content and are not listed.
bool ProtocolTarget(const QString& type) {
  static const QStringList targets = {"TARGETS", "MULTIPLE",         "TIMESTAMP",      "SAVE_TARGETS",
                                      "DELETE",  "INSERT_SELECTION", "INSERT_PROPERTY"};
  return targets.contains(type);
}

QStringList FormatsOf(const QMimeData* mime) {
  QStringList types;
  if (!mime) return types;
  for (const QString& type : mime->formats())
    if (!ProtocolTarget(type)) types.push_back(type);
  return types;
}

QStringList CurrentFormats() { return FormatsOf(QGuiApplication::clipboard()->mimeData()); }

}  // namespace

void TQtHost::WatchClipboard() {
  FClipboardWatch = QObject::connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, [this] {
    FClipboardCount = -1;
    UpdateMenus();
  });
}

int TQtHost::ClipboardFormatCount() {
  if (FClipboardCount < 0) FClipboardCount = int(CurrentFormats().size());
  return FClipboardCount;
}

std::vector<TClipboardFormat> TQtHost::ClipboardFormats(bool withSizes) {
  std::vector<TClipboardFormat> formats;
  const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
  if (!mime) return formats;
  const QStringList types = FormatsOf(mime);
  for (int i = 0; i < types.size(); ++i)
    formats.push_back(
        {FirstFormatId + uint32_t(i), withSizes ? int64_t(mime->data(types[i]).size()) : 0, types[i].toStdString()});
  FClipboardCount = int(types.size());
  return formats;
}

bool TQtHost::ReadClipboardFormat(int index, const std::string& name,
                                  const std::function<void(const uint8_t*, size_t)>& use) {
  const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
  const QString type = QString::fromStdString(name);
  if (!mime) return false;
  const QStringList types = FormatsOf(mime);
  if (index < 0 || index >= types.size() || types[index] != type) return false;
  const QByteArray bytes = mime->data(type);
  // Another program's clipboard can go away while it is read.
  if (bytes.isEmpty() && !CurrentFormats().contains(type)) return false;
  use(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
  return true;
}

int TQtHost::ShowClipboardDialog(const std::vector<std::string>& lines, int& chosen) {
  if (!FClipboardForm) FClipboardForm = new TClipboardForm(FOwner);
  FClipboardForm->SetLines(lines);
  const int result = FClipboardForm->exec();
  chosen = FClipboardForm->Chosen();
  if (FOwner) FOwner->activateWindow();
  return result == QDialog::Accepted ? mrOk : mrCancel;
}

void TQtHost::ShowInfoStatisticDialog(const std::vector<std::string>& lines) {
  if (!FInfoStatisticForm) FInfoStatisticForm = new TInfoStatisticForm(FOwner);
  FInfoStatisticForm->SetLines(lines);
  FInfoStatisticForm->exec();
  FInfoStatisticForm->Clear();
  if (FOwner) FOwner->activateWindow();
}

namespace {

const char* const FormatNames[][2] = {
    {"Raw bytes", "Rohdaten"},
    {"Hex text (41 42 43)", "Hex-Text (41 42 43)"},
    {"Hex without blanks (414243)", "Hex ohne Leerzeichen (414243)"},
    {"C array", "C-Array"},
    {"Base64", "Base64"},
    {"Text with escapes (\\xNN)", "Text mit Escapes (\\xNN)"},
};
static_assert(sizeof FormatNames / sizeof FormatNames[0] == size_t(TCopyFormat::Count));

}  // namespace

int TQtHost::PickRange(TRangePickForm& form, int32_t& start, int32_t& count) {
  TByteRange range;
  const bool ok = form.Execute(range);
  if (FOwner) FOwner->activateWindow();
  if (!ok) return mrCancel;
  start = range.Start;
  count = range.Count;
  return mrOk;
}

int TQtHost::ShowCopyBytesDialog(int32_t& start, int32_t& count, int& format) {
  TRangePickForm form(QString::fromUtf8(Tr("Copy bytes as", "Bytes kopieren als")), FOwner);
  auto* formats = new QComboBox;
  formats->setObjectName("FormatCombo");
  for (const auto& name : FormatNames) formats->addItem(QString::fromUtf8(Tr(name[0], name[1])));
  formats->setCurrentIndex(format);
  auto* box = new QWidget;
  auto* layout = new QFormLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* label = new QLabel(QString::fromUtf8(Tr("Fo&rmat:", "Fo&rmat:")));
  label->setBuddy(formats);
  layout->addRow(label, formats);
  form.SetExtraWidget(box);
  if (PickRange(form, start, count) != mrOk) return mrCancel;
  format = formats->currentIndex();
  return mrOk;
}

void TQtHost::SetClipboardBytes(const std::string& data, bool raw) {
  if (!raw) {
    QGuiApplication::clipboard()->setText(QString::fromUtf8(data.data(), qsizetype(data.size())));
    return;
  }
  auto* mime = new QMimeData;
  mime->setData(QStringLiteral("application/octet-stream"), QByteArray(data.data(), qsizetype(data.size())));
  QGuiApplication::clipboard()->setMimeData(mime);
}

TPasteSource TQtHost::ReadPasteSource() {
  TPasteSource source;
  const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
  if (!mime) return source;
  const QString raw = QStringLiteral("application/octet-stream");
  if (mime->hasFormat(raw)) {
    const QByteArray bytes = mime->data(raw);
    source.HasRaw = !bytes.isEmpty();
    source.Raw.assign(bytes.constData(), bytes.constData() + bytes.size());
  }
  if (!source.HasRaw && mime->hasText()) source.Text = mime->text().toStdString();
  return source;
}
