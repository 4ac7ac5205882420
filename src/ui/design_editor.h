// The design editor デザイン (frmDesign): fonts, sizes, styles and colours of
// the page's texts, the alignment of the title and the year-and-month
// heading, the grid, the table and cell sizes, the memo box, and the
// document's title and area name. The controls are the working copy: O K
// stores them all (SetValue), ｷｬﾝｾﾙ drops them, also fonts and colours
// picked meanwhile. Nothing is written to a file here.
#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "session/session.h"
#include "settings/settings.h"

class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QTabWidget;

namespace dustora {

class ChoiceComboBox;
class ColorSwatch;
struct SettingEntry;

class DesignEditor : public QDialog {
  Q_OBJECT

 public:
  explicit DesignEditor(Session& session, QWidget* parent = nullptr);

  // Whether the document's own values (title, area name and whether it and
  // the memo are printed) were changed since the editor loaded them.
  bool DocumentChanged() const { return document_changed_; }

 private:
  Session& session_;
  bool document_changed_ = false;
  struct FontSlot {
    QLabel* name = nullptr;
    ChoiceComboBox* size = nullptr;
    ChoiceComboBox* style = nullptr;
  };

  QWidget* BuildTitlePage();
  QWidget* BuildAreaPage();
  QWidget* BuildContentPage();
  QWidget* BuildStylePage();
  QWidget* BuildMemoPage();
  // The controls of a font: name label with its "..." button, size and
  // style lists, as rows of `grid` from `row`; their names carry the index
  // of a design slot, none for the memo's.
  FontSlot AddFontControls(QGridLayout* grid, int row, std::optional<int> slot_index, const char* name_object,
                           const char* button_object, const char* size_object, const char* style_object,
                           const char* tag);
  ColorSwatch* AddSwatch(const QString& name);
  // Binds every control to its entry of the settings table, once: loading,
  // storing and 初期値に戻す all go through these bindings.
  void BindControls();
  void Load();
  void SetValue();
  bool MayStore();
  void RestoreDefaults();
  void LocalNameClicked();
  // After the values changed at once: the boxes the check boxes govern.
  void EnableByChecks();

  // A control and its entry: how it shows a stored text, and the text it
  // stores, given what is stored now (kept when it shows nothing usable).
  struct Binding {
    const SettingEntry* entry;
    std::function<void(const std::string&)> show;
    std::function<std::string(const std::string&)> take;
  };
  std::vector<Binding> bindings_;

  QTabWidget* tabs_ = nullptr;
  std::array<FontSlot, kFontSlotCount> slots_{};
  FontSlot memo_font_{};
  std::array<ChoiceComboBox*, 2> align_{};
  std::array<ColorSwatch*, 3> font_color_{};
  QLineEdit* title_ = nullptr;
  QLineEdit* local_name_ = nullptr;
  QCheckBox* show_local_name_ = nullptr;
  ChoiceComboBox* cell_style_ = nullptr;
  ChoiceComboBox* cell_border_ = nullptr;
  ColorSwatch* cell_color_ = nullptr;
  QCheckBox* table_width_check_ = nullptr;
  QLineEdit* table_width_ = nullptr;
  QCheckBox* cell_height_check_ = nullptr;
  QLineEdit* cell_height_ = nullptr;
  QCheckBox* cell_width_check_ = nullptr;
  QLineEdit* minimum_width_ = nullptr;
  ColorSwatch* memo_color_ = nullptr;
  ChoiceComboBox* memo_cell_style_ = nullptr;
  ChoiceComboBox* memo_border_ = nullptr;
  ColorSwatch* memo_cell_color_ = nullptr;
  QCheckBox* memo_output_ = nullptr;
  QCheckBox* memo_height_check_ = nullptr;
  QLineEdit* memo_height_ = nullptr;
};

// mnuDesign: opens frmDesign modally over the main window; afterwards a
// saved document whose own values changed is marked modified.
void ShowDesignEditor(QWidget* main_window, Session& session);

}  // namespace dustora
