#include "ui/qt_platform.h"

#include <QApplication>
#include <QColorDialog>
#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTranslator>
#include <QUrl>

#include "core/desktop_paths.h"
#include "ui/qt_text.h"

namespace dustora {

namespace {

QMessageBox::StandardButton QtButton(MessageButton button) {
  switch (button) {
    case MessageButton::Ok: return QMessageBox::Ok;
    case MessageButton::Cancel: return QMessageBox::Cancel;
    case MessageButton::Yes: return QMessageBox::Yes;
    case MessageButton::No: return QMessageBox::No;
  }
  return QMessageBox::Ok;
}

QMessageBox::Icon QtIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::None: return QMessageBox::NoIcon;
    case MessageIcon::Error: return QMessageBox::Critical;
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::Warning: return QMessageBox::Warning;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons QtButtons(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::Ok: return QMessageBox::Ok;
    case MessageButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
  }
  return QMessageBox::Ok;
}

bool IsWebAddress(std::string_view target) {
  return target.starts_with("http://") || target.starts_with("https://") || target.starts_with("mailto:");
}

// Starts an opener without waiting for it: false when there is none or it
// cannot start; a non-zero exit later reaches on_failure.
bool StartOpener(const QString& target, Platform::LateFailure on_failure) {
  const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
  if (opener.isEmpty()) return false;
  auto* process = new QProcess(qApp);
  process->setProgram(opener);
  process->setArguments({target});
  process->setStandardInputFile(QProcess::nullDevice());
  process->setStandardOutputFile(QProcess::nullDevice());
  process->setStandardErrorFile(QProcess::nullDevice());
  QObject::connect(process, &QProcess::finished, process,
                   [process, on_failure = std::move(on_failure)](int code, QProcess::ExitStatus status) {
                     if ((status != QProcess::NormalExit || code != 0) && on_failure) {
                       on_failure(Error::Of(code == 2 ? kErrFileNotFound : kErrBadPathName));
                     }
                     process->deleteLater();
                   });
  process->start();
  if (!process->waitForStarted(5000)) {
    process->deleteLater();
    return false;
  }
  return true;
}

}  // namespace

QtPlatform::QtPlatform() = default;
QtPlatform::~QtPlatform() = default;

QWidget* QtPlatform::Parent() const {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return main_window_.data();
}

MessageButton QtPlatform::ShowMessage(const MessageBoxRequest& request) {
  QMessageBox box(QtIcon(request.icon), ToQt(request.title), ToQt(request.text), QtButtons(request.buttons), Parent());
  box.setDefaultButton(QtButton(request.default_button));
  switch (box.exec()) {
    case QMessageBox::Yes: return MessageButton::Yes;
    case QMessageBox::No: return MessageButton::No;
    case QMessageBox::Cancel: return MessageButton::Cancel;
    default: return request.buttons == MessageButtons::YesNo ? MessageButton::No : MessageButton::Ok;
  }
}

QString QtPlatform::QtFilter(std::string_view filter) {
  const QStringList parts = ToQt(filter).split(QLatin1Char('|'));
  QStringList filters;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    const QString& label = parts[i];
    QString patterns = parts[i + 1];
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    // Qt reads the patterns from the parentheses at the end of the label.
    const QString shown = QLatin1Char('(') + patterns + QLatin1Char(')');
    filters << (label.endsWith(shown) ? label : label + QLatin1Char(' ') + shown);
  }
  return filters.join(QStringLiteral(";;"));
}

std::optional<std::string> QtPlatform::ChooseFile(const FileDialogRequest& request) {
  QFileDialog dialog(Parent(), ToQt(request.title), ToQt(request.initial_folder), QtFilter(request.filter));
  const bool save = request.mode == FileDialogMode::Save;
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save || !request.must_exist ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (request.mode == FileDialogMode::Folder) {
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
  }
  if (!request.default_extension.empty()) dialog.setDefaultSuffix(ToQt(request.default_extension));
  if (!request.file_name.empty()) dialog.selectFile(ToQt(request.file_name));
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirm_overwrite);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return FromQt(dialog.selectedFiles().first());
}

std::optional<std::int32_t> QtPlatform::ChooseColor(std::int32_t initial) {
  const QColor start(initial & 0xFF, (initial >> 8) & 0xFF, (initial >> 16) & 0xFF);
  const QColor chosen = QColorDialog::getColor(start, Parent());
  if (!chosen.isValid()) return std::nullopt;
  return chosen.red() + 256 * chosen.green() + 65536 * chosen.blue();
}

std::vector<std::string> QtPlatform::InstalledFonts() {
  std::vector<std::string> names;
  for (const QString& family : QFontDatabase::families()) names.push_back(FromQt(family));
  return names;
}

bool QtPlatform::OpenWithDesktop(std::string_view target, LateFailure on_failure) {
  if (IsWebAddress(target)) return StartOpener(ToQt(target), std::move(on_failure));
  const QFileInfo file(ToQt(target));
  if (!file.exists()) return false;
  return StartOpener(QUrl::fromLocalFile(file.absoluteFilePath()).toString(), std::move(on_failure));
}

bool QtPlatform::ShowPageInBrowser(std::string_view path, LateFailure on_failure) {
  return OpenWithDesktop(path, std::move(on_failure));
}

std::string QtPlatform::SpecialFolderPath(SpecialFolder folder) {
  // The desktop's documents and data folders always exist on Windows; a new
  // Linux account may lack them until something makes them, so make them.
  std::string path = DesktopFolderPath(folder, ProcessEnvironment());
  if (!path.empty()) QDir().mkpath(ToQt(path));
  return path;
}

std::string QtPlatform::ProgramFolder() {
  return ProgramFolderFor(FromQt(QCoreApplication::applicationDirPath()));
}

void QtPlatform::PumpEvents() {
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

Date QtPlatform::Today() {
  const QDate today = QDate::currentDate();
  return Date{today.year(), today.month(), today.day()};
}

std::int64_t QtPlatform::NowUtcSeconds() {
  return QDateTime::currentSecsSinceEpoch();
}

double QtPlatform::TwipsPerPixelY() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const double dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
  return 1440.0 / (dpi > 0 ? dpi : 96.0);
}

int QtPlatform::OpenDialog(ModalDialog& dialog) {
  return dialog.Exec();
}

void QtPlatform::CloseSplash() {
  if (close_splash_) close_splash_();
}

void InstallJapaneseTranslations() {
  for (const char* name : {"qtbase_ja", "qt_ja"}) {
    auto* translator = new QTranslator(qApp);
    if (translator->load(QString::fromLatin1(name), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
      QCoreApplication::installTranslator(translator);
    } else {
      delete translator;
    }
  }
}

}  // namespace dustora
