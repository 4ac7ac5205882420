// The wait pointer over the whole program while work that does not pump
// events runs (reading, writing, laying out), until released or destroyed.
#pragma once

#include <QApplication>

namespace dustora {

class BusyPointer {
 public:
  BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~BusyPointer() { Release(); }
  BusyPointer(const BusyPointer&) = delete;
  BusyPointer& operator=(const BusyPointer&) = delete;

  // Before a box: the box gets the ordinary pointer.
  void Release() {
    if (!on_) return;
    on_ = false;
    QApplication::restoreOverrideCursor();
  }

 private:
  bool on_ = true;
};

}  // namespace dustora
