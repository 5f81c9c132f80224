// Open clipboard and Info/statistic in the window: the two dialogs, the Qt
// host over the real clipboard of the process, and both commands from the
// menu and the key, end to end.
#include <QClipboard>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <memory>

#include "actions/Actions.h"
#include "commands/ClipboardCommands.h"
#include "commands/FileCommands.h"
#include "commands/ProgramState.h"
#include "controls/CellPainter.h"
#include "core/DocState.h"
#include "core/OptionsState.h"
#include "dialogs/ClipboardForm.h"
#include "dialogs/InfoStatisticForm.h"
#include "dialogs/MessageForm.h"
#include "fakes/FakeSeams.h"
#include "mainform/MainForm.h"
#include "platform/QtHost.h"

namespace {

void SetClipboard(const std::vector<std::pair<QString, QByteArray>>& formats) {
  auto* mime = new QMimeData;
  for (const auto& [type, bytes] : formats) mime->setData(type, bytes);
  QGuiApplication::clipboard()->setMimeData(mime);
}

// Runs action on the next modal dialog once it shows.
void OnNextModal(std::function<void(QWidget*)> action) {
  auto* timer = new QTimer;
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, action] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      timer->stop();
      timer->deleteLater();
      action(modal);
    }
  });
  timer->start();
}

std::vector<std::string> Lines(const QListWidget* list) {
  std::vector<std::string> lines;
  for (int i = 0; i < list->count(); ++i) lines.push_back(list->item(i)->text().toStdString());
  return lines;
}

}  // namespace

class TestClipInfo : public QObject {
  Q_OBJECT

  TFakeHost FakeHost;

 private slots:
  void init() {
    ResetProgramState();
    ComputeGeometryFromFont();
    SetSeams(&FakeHost, nullptr);
    QGuiApplication::clipboard()->clear();
  }
  void cleanup() { ResetProgramState(); }

  void clipboardDialogLinesAndHeadings() {
    TClipboardForm form;
    const std::vector<std::string> lines = {ClipboardFormatLine(0xC000, 3, "text/plain"),
                                            ClipboardFormatLine(1, 12, "")};
    form.SetLines(lines);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.windowTitle(), QString("Open Clipboard"));
    QCOMPARE(form.CancelButton->text(), QString("Cancel"));
    QCOMPARE(form.size(), QSize(603, 257));
    QCOMPARE(form.ListBox->geometry(), QRect(0, 29, 603, 176));
    QCOMPARE(form.ListBox->font().family(), DataFont().family());
    QCOMPARE(form.Chosen(), 0);
    QVERIFY(form.ListBox->item(0)->isSelected());
    QCOMPARE(QApplication::focusWidget(), form.ListBox);

    // The headings end where their columns end: the "1" of the second line's
    // identifier is the last ink before the blank that follows the ID Dec
    // heading's right edge.
    const int w = QFontMetrics(DataFont()).horizontalAdvance(QLatin1Char('0'));
    const int edge = form.IDDecLabel->geometry().right() + 1;
    QCOMPARE(form.IDHexLabel->geometry().right() + 1 - edge, 10 * w);
    QCOMPARE(form.SizeDecLabel->geometry().right() + 1 - edge, 21 * w);
    QCOMPARE(form.SizeHexLabel->geometry().right() + 1 - edge, 31 * w);
    QCOMPARE(form.NameLabel->x() - edge, 32 * w + 3);
    const QImage image = form.ListBox->viewport()->grab().toImage();
    const QRect row = form.ListBox->visualItemRect(form.ListBox->item(1));
    const int offset = form.ListBox->viewport()->mapTo(&form, QPoint(0, 0)).x();
    int lastInk = -1;
    for (int x = 0; x < edge - offset + w && x < image.width(); ++x)
      for (int y = row.top(); y <= row.bottom(); ++y)
        if (qGray(image.pixel(x, y)) < 128) lastInk = x;
    QVERIFY2(lastInk + offset < edge && lastInk + offset >= edge - w,
             qPrintable(QString("ink ends at %1, heading at %2").arg(lastInk + offset).arg(edge)));

    form.hide();
    Options.Language = 7;
    form.show();
    QCOMPARE(form.windowTitle(), QString::fromUtf8("Zwischenablage öffnen"));
    QCOMPARE(form.CancelButton->text(), QString("Abbruch"));
    QCOMPARE(form.SizeDecLabel->text(), QString::fromUtf8("Größe Dez"));
    QCOMPARE(form.NameLabel->text(), QString("Beschreibung"));
    QCOMPARE(form.SizeHexLabel->geometry().right() + 1 - (form.IDDecLabel->geometry().right() + 1), 31 * w);
  }

  void clipboardDialogChoosing() {
    TClipboardForm form;
    form.SetLines({"a", "b", "c"});
    // A double click chooses its line.
    OnNextModal([&form](QWidget*) {
      const QRect r = form.ListBox->visualItemRect(form.ListBox->item(2));
      QTest::mouseClick(form.ListBox->viewport(), Qt::LeftButton, {}, r.center());
      QTest::mouseDClick(form.ListBox->viewport(), Qt::LeftButton, {}, r.center());
    });
    QCOMPARE(form.exec(), int(QDialog::Accepted));
    QCOMPARE(form.Chosen(), 2);
    // Enter takes the selected line, which is the first again; Escape cancels.
    OnNextModal([](QWidget* w) { QTest::keyClick(w, Qt::Key_Return); });
    QCOMPARE(form.exec(), int(QDialog::Accepted));
    QCOMPARE(form.Chosen(), 0);
    OnNextModal([](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); });
    QCOMPARE(form.exec(), int(QDialog::Rejected));
  }

  void infoDialogLayoutAndCopy() {
    TInfoStatisticForm form;
    form.SetLines({"", " first", " second", " third"});
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.windowTitle(), QString("Info/Statistic"));
    const QRect s = QGuiApplication::primaryScreen()->geometry();
    QCOMPARE(form.geometry(),
             QRect(s.x() + s.width() / 8, s.y() + s.height() / 8, s.width() * 6 / 8, s.height() * 6 / 8));
    QCOMPARE(form.Panel1->height(), 41);
    QCOMPARE(form.Panel1->geometry().bottom(), form.height() - 1);
    QCOMPARE(form.ListBox->geometry(), QRect(0, 0, form.width(), form.height() - 41));
    QCOMPARE(form.OKButton->x(), (form.width() - 75) / 2);
    QCOMPARE(form.ListBox->visualItemRect(form.ListBox->item(1)).height(), 16);
    QCOMPARE(form.ListBox->font().pixelSize(), 13);
    form.resize(500, 300);
    QCOMPARE(form.OKButton->x(), (500 - 75) / 2);

    // Ctrl+C: every line while none is selected, else the selected ones.
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(form.ListBox, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("\n first\n second\n third\n"));
    form.ListBox->item(3)->setSelected(true);
    form.ListBox->item(1)->setSelected(true);
    QTest::keyClick(form.ListBox, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QString(" first\n third\n"));
    // Escape closes it like OK.
    form.hide();
    OnNextModal([](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); });
    QCOMPARE(form.exec(), int(QDialog::Accepted));
  }

  void qtHostReadsTheClipboard() {
    TQtHost host(nullptr);
    QCOMPARE(host.ClipboardFormatCount(), 0);
    // Targets of the X11 selection protocol are no formats.
    SetClipboard({{"TARGETS", "xxxx"},
                  {"text/plain", "abc"},
                  {"MULTIPLE", ""},
                  {"application/x-bq", QByteArray("\0\1\2\3\4", 5)},
                  {"TIMESTAMP", "t"}});
    QCOMPARE(host.ClipboardFormatCount(), 2);
    const std::vector<TClipboardFormat> formats = host.ClipboardFormats(true);
    QCOMPARE(formats.size(), size_t(2));
    const int bq = formats[0].Name == "application/x-bq" ? 0 : 1;
    QCOMPARE(formats[size_t(bq)].Id, uint32_t(0xC000 + bq));
    QCOMPARE(formats[size_t(bq)].Size, int64_t(5));
    QCOMPARE(formats[size_t(1 - bq)].Name, std::string("text/plain"));
    QCOMPARE(formats[size_t(1 - bq)].Size, int64_t(3));
    std::string got;
    const auto use = [&](const uint8_t* p, size_t n) { got.assign(reinterpret_cast<const char*>(p), n); };
    QVERIFY(host.ReadClipboardFormat(bq, "application/x-bq", use));
    QCOMPARE(got, std::string("\0\1\2\3\4", 5));
    // Not the type at that place, or no such place: gone.
    QVERIFY(!host.ReadClipboardFormat(1 - bq, "application/x-bq", use));
    QVERIFY(!host.ReadClipboardFormat(2, "text/plain", use));
    QGuiApplication::clipboard()->clear();
    QCOMPARE(host.ClipboardFormatCount(), 0);
    QVERIFY(!host.ReadClipboardFormat(0, "text/plain", use));
  }

  void commandsInTheWindow() {
    const std::string file = (std::filesystem::temp_directory_path() / "bq-clip-info.bin").string();
    std::ofstream(file, std::ios::binary) << "A";
    auto form = std::make_unique<TQorinEditorMainForm>(0, nullptr);
    TQtHost host(form.get());
    SetSeams(&host, form.get());
    form->SetLanguageCaptions();
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    LoadFile(file);

    // Ctrl+I: the report of the one byte 0x41; the file stays as it was.
    QAction* info = form->Item("FileInfoStatistikMainMenuItem");
    QVERIFY(info && info->isEnabled());
    std::vector<std::string> shown;
    OnNextModal([&shown](QWidget* w) {
      shown = Lines(w->findChild<QListWidget*>("ListBox"));
      QTest::keyClick(w, Qt::Key_Escape);
    });
    QTest::keyClick(form.get(), Qt::Key_I, Qt::ControlModifier);
    QCOMPARE(shown.size(), size_t(276));
    QCOMPARE(QString::fromStdString(shown[19 + 65]),
             QString::fromUtf8("  65  41    A  01000001        1  100.00%   ") + QString(20, QChar(0x2588)));
    QCOMPARE(Doc.DocSize, 1);
    QCOMPARE(Doc.DataChangeCount, 0);

    // Open clipboard follows the clipboard.
    QAction* open = form->Item("LoadFromClipboardMainMenuItem");
    QVERIFY(open && !open->isEnabled());
    SetClipboard({{"text/plain", "abc"}});
    QVERIFY(open->isEnabled());
    // Chosen and loaded: 61 62 63, untitled.
    std::vector<std::string> listed;
    OnNextModal([&listed](QWidget* w) {
      listed = Lines(w->findChild<QListWidget*>("ListBox"));
      QTest::keyClick(w, Qt::Key_Return);
    });
    open->trigger();
    QCOMPARE(listed, std::vector<std::string>{ClipboardFormatLine(0xC000, 3, "text/plain")});
    QCOMPARE(Doc.DocSize, 3);
    QCOMPARE(std::string(reinterpret_cast<char*>(Doc.DocData), 3), std::string("abc"));
    QCOMPARE(form->windowTitle(), QString("Brisquentalovard"));

    // Emptied while the dialog shows: the message, and the document stays.
    Doc.DocData[0] = 'z';
    std::string message;
    OnNextModal([&message](QWidget* w) {
      QGuiApplication::clipboard()->clear();
      QTest::keyClick(w, Qt::Key_Return);
      OnNextModal([&message](QWidget* box) {
        if (auto* text = box->findChild<TMessageText*>()) message = text->Text().toStdString();
        QTest::keyClick(box, Qt::Key_Return);
      });
    });
    open->trigger();
    QCOMPARE(message, TxtClipboardFormatGone());
    QCOMPARE(std::string(reinterpret_cast<char*>(Doc.DocData), 3), std::string("zbc"));
    QVERIFY(!open->isEnabled());

    SetSeams(nullptr, nullptr);
    form.reset();
    std::filesystem::remove(file);
  }
};

QTEST_MAIN(TestClipInfo)
#include "tst_clip_info.moc"
