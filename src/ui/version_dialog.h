// dlgVersion, the version window バージョン情報.
#pragma once

#include <QDialog>

namespace dustora {

class VersionDialog : public QDialog {
  Q_OBJECT

 public:
  explicit VersionDialog(QWidget* parent = nullptr);
};

}  // namespace dustora
