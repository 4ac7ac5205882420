// オープンデータから読み込み (dlgImport) of the ファイル menu: the areas of
// a city's open data, narrowed by typing in a filter box, and the chosen
// area's report: what each term of its cells became, and what could not be
// mapped and why. O K hands back the chosen area as a document; opening it
// is the caller's.
#pragma once

#include <QDialog>
#include <optional>
#include <vector>

#include "document/open_data.h"
#include "document/open_data_import.h"

class QLabel;
class QLineEdit;
class QListWidget;

namespace dustora {

class ReportList;

class ImportDialog : public QDialog {
  Q_OBJECT

 public:
  ImportDialog(const OpenData& open_data, Date today, QWidget* parent = nullptr);

  // The area O K chose, imported.
  [[nodiscard]] std::optional<ImportedArea> TakeChosen();

 private:
  void Filter(const QString& text);
  void ShowReport();
  // The index into the data's areas of the list's current row, if any.
  [[nodiscard]] std::optional<std::size_t> CurrentArea() const;

  const OpenData& data_;
  Date today_;
  QLineEdit* filter_ = nullptr;
  QListWidget* areas_ = nullptr;
  ReportList* report_ = nullptr;
  QLabel* summary_ = nullptr;
  std::optional<ImportedArea> shown_;
};

}  // namespace dustora
