// One of our dialogs as the platform runs it: every dialog of ours opens
// through the platform (see OpenOurDialog), so tests drive them.
#pragma once

#include <QDialog>
#include <string>

#include "ui/platform.h"

namespace dustora {

class QtDialog : public ModalDialog {
 public:
  explicit QtDialog(QDialog& dialog) : dialog_(dialog) {}
  std::string DialogName() const override;
  int Exec() override { return dialog_.exec(); }
  QDialog& dialog() { return dialog_; }

 private:
  QDialog& dialog_;
};

}  // namespace dustora
