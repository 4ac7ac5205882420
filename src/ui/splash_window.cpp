#include "ui/splash_window.h"

#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "core/version.h"
#include "ui/program_picture.h"
#include "ui/qt_text.h"

namespace dustora {

namespace {
constexpr int kSplashMilliseconds = 2000;
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

}  // namespace dustora
