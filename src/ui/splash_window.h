// dlgSplash, shown while the program loads, and dlgVersion.
#pragma once

#include <QDialog>
#include <QTimer>

namespace dustora {

// A picture of the program drawn for its splash and version windows.
QPixmap ProgramPicture(int size);

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

class VersionDialog : public QDialog {
  Q_OBJECT

 public:
  explicit VersionDialog(QWidget* parent = nullptr);
};

}  // namespace dustora
