#include "ui/help.h"

#include <QApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QPainter>
#include <QPixmap>
#include <QShortcut>
#include <QWidget>

#include "core/filesystem.h"
#include "ui/clickable_label.h"
#include "ui/platform.h"
#include "ui/qt_text.h"

namespace dustora {

namespace {

std::string HelpFolder(Platform& platform) {
  return JoinPath(platform.ProgramFolder(), "help");
}

// Names the page that was last tried.
void ShowHelpError(Platform& platform, const std::string& path) {
  platform.ShowMessage(
      {"ヘルプファイル(" + ShownPath(path) + ")が存在しないか\r\nもしくはブラウザーを起動できませんでした",
       "ヘルプファイルエラー", MessageIcon::Error, MessageButtons::Ok, MessageButton::Ok});
}

}  // namespace

void OpenHelpPage(const QWidget* from, const QString& page) {
  Platform& platform = PlatformOf(from);
  std::string path = JoinPath(HelpFolder(platform), FromQt(page));
  // A window without a page of its own gets the start page.
  if (!Fs().FileExists(path)) path = JoinPath(HelpFolder(platform), "index.html");
  if (!Fs().FileExists(path) ||
      !OpenWithShell(from, path, [&platform, path](const Error&) { ShowHelpError(platform, path); })) {
    ShowHelpError(platform, path);
  }
}

std::string HelpPagePath(const QWidget* from, std::string_view page) {
  return ShownPath(JoinPath(HelpFolder(PlatformOf(from)), page));
}

std::string ShownPath(std::string_view path) {
  return FromQt(QDir::toNativeSeparators(ToQt(path)));
}

void OpenWindowHelp(const QWidget* window) {
  const QWidget* focused = QApplication::activeModalWidget();
  if (!focused) focused = window ? window->window() : QApplication::activeWindow();
  OpenHelpPage(window, (focused ? focused->objectName() : QStringLiteral("index")) + QStringLiteral(".html"));
}

void InstallHelpKey(QWidget* window) {
  auto* shortcut = new QShortcut(QKeySequence(Qt::Key_F1), window);
  shortcut->setContext(Qt::WindowShortcut);
  QObject::connect(shortcut, &QShortcut::activated, window, [window] { OpenWindowHelp(window); });
}

QWidget* MakeHelpPicture(QWidget* window) {
  constexpr int kSize = 24;
  QPixmap picture(kSize, kSize);
  picture.fill(Qt::transparent);
  {
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x2a, 0x6f, 0xc9));
    painter.drawEllipse(QRectF(1, 1, kSize - 2, kSize - 2));
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(16);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 0, kSize, kSize), Qt::AlignCenter, QStringLiteral("?"));
  }
  auto* label = new ClickableLabel(window);
  label->setObjectName(QStringLiteral("picHelp"));
  label->setPixmap(picture);
  label->setToolTip(ToQt(kHelpTip));
  label->setCursor(Qt::PointingHandCursor);
  QObject::connect(label, &ClickableLabel::clicked, window, [window] { OpenWindowHelp(window); });
  return label;
}

void OpenReadme(const QWidget* from) {
  Platform& platform = PlatformOf(from);
  const std::string path = JoinPath(platform.ProgramFolder(), "readme.txt");
  const auto say = [&platform](const std::string& text) {
    platform.ShowMessage({text, "Readme.txtを開く", MessageIcon::Error, MessageButtons::Ok, MessageButton::Ok});
  };
  if (!Fs().FileExists(path)) {
    say("readme.txt が見つかりません: " + ShownPath(path));
    return;
  }
  // The file is there: what failed is the program that shows it.
  const auto failed = [say, path](const Error&) {
    say("readme.txt を開くプログラムが見つかりませんでした.\r\nファイルは次の場所にあります:\r\n" + ShownPath(path));
  };
  if (!OpenWithShell(from, path, failed)) failed(Error::Of(kErrBadPathName));
}

void OpenWebSite(const QWidget* from) {
  Platform& platform = PlatformOf(from);
  const std::string page = JoinPath(HelpFolder(platform), kWebSitePage);
  if (!Fs().FileExists(page)) {
    ShowErrorBox(platform, "main.mnuWeb", MissingFileError(ShownPath(page)));
    return;
  }
  const auto failed = [&platform, page](const Error&) {
    ShowErrorText(platform, "ブラウザーを起動できませんでした.(WebSite)\r\nページは次のファイルにあります:\r\n" +
                                ShownPath(page));
  };
  if (!OpenWithShell(from, page, failed)) failed(Error::Of(kErrBadPathName));
}

QHBoxLayout* MakeHelpRow(QWidget* window, std::initializer_list<QWidget*> buttons) {
  auto* row = new QHBoxLayout;
  row->addWidget(MakeHelpPicture(window));
  row->addStretch(1);
  for (QWidget* button : buttons) row->addWidget(button);
  return row;
}

}  // namespace dustora
