#include "ui/version_dialog.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/version.h"
#include "ui/help.h"
#include "ui/program_picture.h"
#include "ui/qt_text.h"

namespace dustora {

VersionDialog::VersionDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("dlgVersion"));
  setWindowTitle(QStringLiteral("バージョン情報"));
  auto* picture = new QLabel(this);
  picture->setObjectName(QStringLiteral("Image1"));
  picture->setPixmap(ProgramPicture(64));
  auto* title = new QLabel(QStringLiteral("ダストーラ作成"), this);
  title->setObjectName(QStringLiteral("Label1"));
  QFont bold = title->font();
  bold.setBold(true);
  bold.setPointSizeF(bold.pointSizeF() * 1.4);
  title->setFont(bold);
  auto* version = new QLabel(this);
  version->setObjectName(QStringLiteral("lblVersion"));
  auto* revision = new QLabel(this);
  revision->setObjectName(QStringLiteral("lblRevision"));
  auto* about = new QLabel(QStringLiteral("ごみ収集カレンダー作成ソフト"), this);
  about->setObjectName(QStringLiteral("lblAbout"));
  auto* ok = new QPushButton(QStringLiteral("O K"), this);
  ok->setObjectName(QStringLiteral("OKButton"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* text = new QVBoxLayout;
  text->addWidget(title);
  text->addWidget(version);
  text->addWidget(revision);
  text->addWidget(about);
  auto* top = new QHBoxLayout;
  top->addWidget(picture, 0, Qt::AlignTop);
  top->addSpacing(12);
  top->addLayout(text, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  InstallHelpKey(this);

  // On load: the system beep, and the version texts.
  QApplication::beep();
  version->setText(QStringLiteral("Ver ") + ToQt(kProgramVersion));
  revision->setText(QStringLiteral("Build: 44"));
}

}  // namespace dustora
