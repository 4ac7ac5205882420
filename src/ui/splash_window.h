// dlgSplash, shown while the program loads.
#pragma once

#include <QDialog>
#include <QTimer>

namespace dustora {

class SplashWindow : public QDialog {
  Q_OBJECT

 public:
  // Disables `main_window` until the splash closes.
  explicit SplashWindow(QWidget* main_window);

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QWidget* main_window_;
  QTimer timer_;
};

}  // namespace dustora
