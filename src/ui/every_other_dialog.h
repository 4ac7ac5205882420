// The option dialog 隔週の基準日設定 (dlgEveryOther) of the 設定 menu: the
// base date of the every-other-week rules (EveryOtherBase), chosen with the
// date picker. It is built afresh from the current setting; its OK button
// stores that one setting, ｷｬﾝｾﾙ and the close box store nothing. With
// この文書だけの基準日 checked, the date is the open document's own base
// instead, and the settings' base stays as it was.
#pragma once

#include <QDialog>
#include "session/session.h"

class QCheckBox;
class QLabel;

namespace dustora {

class EveryOtherDialog : public QDialog {
  Q_OBJECT

 public:
  EveryOtherDialog(AppSettings& settings, CalendarDocument& document, QWidget* parent = nullptr);
  // Whether O K changed the document's own base date.
  [[nodiscard]] bool document_changed() const { return document_changed_; }

 private:
  AppSettings& settings_;
  CalendarDocument& document_;
  void Store();
  // The label shows the base the check box chose; the other one is kept.
  void ShowChosenBase();

  QLabel* base_day_ = nullptr;
  QCheckBox* own_base_ = nullptr;
  QString settings_base_;
  QString document_base_;
  bool document_changed_ = false;
};

// Opens the dialog modally (through the platform), owned by the main
// window; whether the document changed.
bool ShowEveryOther(QWidget* main_window, AppSettings& settings, CalendarDocument& document);

}  // namespace dustora
