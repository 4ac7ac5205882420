#include "ui/splash_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/version.h"
#include "ui/help.h"
#include "ui/qt_text.h"

namespace dustora {

namespace {
constexpr int kSplashMilliseconds = 2000;
}

QPixmap ProgramPicture(int size) {
  QPixmap picture(size, size);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF page(size * 0.1, size * 0.14, size * 0.8, size * 0.76);
  painter.setPen(QPen(QColor(0x2e, 0x7d, 0x32), size / 32.0));
  painter.setBrush(Qt::white);
  painter.drawRoundedRect(page, size / 12.0, size / 12.0);
  painter.setBrush(QColor(0x2e, 0x7d, 0x32));
  painter.drawRect(QRectF(page.left(), page.top(), page.width(), page.height() * 0.22));
  // Collection days marked on the month.
  painter.setPen(Qt::NoPen);
  const QColor grey(0xcf, 0xd8, 0xdc);
  const QColor marks[3] = {QColor(0xd3, 0x2f, 0x2f), QColor(0x19, 0x76, 0xd2), QColor(0xf9, 0xa8, 0x25)};
  const int marked_column[3] = {1, 3, 0};
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 4; ++column) {
      painter.setBrush(column == marked_column[row] ? marks[row] : grey);
      painter.drawEllipse(QRectF(page.left() + page.width() * (0.1 + column * 0.22),
                                 page.top() + page.height() * (0.32 + row * 0.22), size * 0.1, size * 0.1));
    }
  }
  return picture;
}

SplashWindow::SplashWindow(QWidget* main_window)
    : QDialog(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      main_window_(main_window) {
  setObjectName(QStringLiteral("dlgSplash"));
  setAttribute(Qt::WA_DeleteOnClose);
  auto* shape = new QFrame(this);
  shape->setObjectName(QStringLiteral("Shape1"));
  shape->setFrameStyle(QFrame::Box | QFrame::Plain);
  auto* picture = new QLabel(shape);
  picture->setObjectName(QStringLiteral("Picture1"));
  picture->setPixmap(ProgramPicture(96));
  auto* title = new QLabel(QStringLiteral("ダストーラ作成"), shape);
  title->setObjectName(QStringLiteral("Label1"));
  QFont big = title->font();
  big.setPointSizeF(big.pointSizeF() * 1.8);
  big.setBold(true);
  title->setFont(big);
  auto* version = new QLabel(QStringLiteral("Ver") + ToQt(kProgramVersion), shape);
  version->setObjectName(QStringLiteral("Label2"));
  auto* text = new QVBoxLayout;
  text->addStretch(1);
  text->addWidget(title);
  text->addWidget(version);
  text->addStretch(1);
  auto* inner = new QHBoxLayout(shape);
  inner->setContentsMargins(24, 20, 32, 20);
  inner->setSpacing(20);
  inner->addWidget(picture);
  inner->addLayout(text);
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->addWidget(shape);
  // Clicks on the labels and the picture reach the window.
  for (QLabel* label : {picture, title, version}) label->setAttribute(Qt::WA_TransparentForMouseEvents);
  shape->setAttribute(Qt::WA_TransparentForMouseEvents);

  if (main_window_) main_window_->setEnabled(false);
  timer_.setSingleShot(true);
  timer_.setInterval(kSplashMilliseconds);
  connect(&timer_, &QTimer::timeout, this, &QWidget::close);
  timer_.start();
}

void SplashWindow::mouseReleaseEvent(QMouseEvent*) {
  close();
}

void SplashWindow::closeEvent(QCloseEvent* event) {
  timer_.stop();
  if (main_window_) main_window_->setEnabled(true);
  QDialog::closeEvent(event);
}

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
