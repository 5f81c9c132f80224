#include "dialogs/AboutForm.h"

#include <QApplication>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/Texts.h"

#ifndef BQ_VERSION
#define BQ_VERSION "0"
#endif

TAboutForm::TAboutForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint) {
  setObjectName("AboutForm");
  setWindowTitle(QString::fromUtf8(Tr("About Brisquentalovard", "Über Brisquentalovard")));
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->setContentsMargins(24, 18, 24, 14);
  layout->setSpacing(6);

  // The program's icon, as every window of it carries it.
  auto* icon = new QLabel(this);
  icon->setObjectName("IconLabel");
  const QIcon programIcon = QApplication::windowIcon();
  if (!programIcon.isNull()) icon->setPixmap(programIcon.pixmap(64, 64));
  auto* title = new QLabel("Brisquentalovard", this);
  title->setObjectName("TitleLabel");
  QFont big = title->font();
  big.setPointSizeF(big.pointSizeF() * 1.6);
  big.setBold(true);
  title->setFont(big);
  auto* version = new QLabel(QString::fromUtf8(Tr("Version ", "Version ")) + QStringLiteral(BQ_VERSION), this);
  version->setObjectName("VersionLabel");
  auto* description = new QLabel(
      QString::fromUtf8(Tr("An editor for the bytes of any file, with colour marks, search and compare.",
                           "Ein Editor für die Bytes jeder Datei, mit Farbmarkierungen, Suche und Vergleich.")),
      this);
  description->setObjectName("DescriptionLabel");
  auto* qt =
      new QLabel(QString::fromUtf8(Tr("Built with Qt %1, running on Qt %2.", "Erstellt mit Qt %1, läuft mit Qt %2."))
                     .arg(QStringLiteral(QT_VERSION_STR), QString::fromLatin1(qVersion())),
                 this);
  qt->setObjectName("QtLabel");
  for (QLabel* l : {icon, title, version, description, qt}) {
    l->setAlignment(Qt::AlignHCenter);
    layout->addWidget(l);
  }
  layout->addSpacing(8);
  // A plain OK button like every other dialog's, without the icon a button
  // box's style may give it.
  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("OKButton");
  ok->setDefault(true);
  ok->setMinimumSize(75, 25);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  layout->addWidget(ok, 0, Qt::AlignHCenter);
}

void ShowAboutForm(QWidget* parent) {
  TAboutForm form(parent);
  form.exec();
  if (parent) parent->activateWindow();
}
