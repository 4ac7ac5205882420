// オープンデータから一括作成 (dlgBatch) of the ファイル menu: the folder of a
// city's open data, the folder to write into, the first month, and which
// outputs besides the documents (the one-sheet calendars, the calendar
// files); 作成 runs every area on threads of their own while a progress bar
// moves, 中止 stops after the areas in progress, and the summary at the end
// has a button that opens the output folder.
#pragma once

#include <QDialog>
#include <QStringList>
#include <future>
#include <memory>
#include <optional>

#include "document/open_data.h"
#include "output/city_run.h"
#include "output/evaluation.h"
#include "ui/month_range.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTimer;

namespace dustora {

class BatchDialog : public QDialog {
  Q_OBJECT

 public:
  BatchDialog(const OutputSources& sources, const QStringList& years, Date today, std::string document_folder,
              QWidget* parent = nullptr);
  ~BatchDialog() override;

 protected:
  void reject() override;

 private:
  void ChooseFolder(QLineEdit* box, const char* title);
  void Start();
  void ShowProgress();
  void Finish();
  void ShowRunning(bool running);

  const OutputSources& sources_;
  Date today_;
  std::string document_folder_;
  MonthRange range_;
  QLineEdit* data_folder_ = nullptr;
  QLineEdit* out_folder_ = nullptr;
  QCheckBox* sheets_ = nullptr;
  QCheckBox* calendars_ = nullptr;
  QProgressBar* progress_bar_ = nullptr;
  QLabel* summary_ = nullptr;
  QPushButton* start_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QPushButton* open_folder_ = nullptr;
  QPushButton* close_ = nullptr;
  QTimer* timer_ = nullptr;

  // The run on its threads: the data it reads and its progress live until it ends.
  std::unique_ptr<OpenData> data_;
  std::unique_ptr<CityRunProgress> progress_;
  CityRunRequest request_;
  std::future<CityRunSummary> run_;
};

}  // namespace dustora
