#include "ui/help.h"

#include <QApplication>
#include <QDir>
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

std::string HelpFolder() {
  return JoinPath(CurrentPlatform().ProgramFolder(), "help");
}

// Names the page that was last tried.
void ShowHelpError(const std::string& path) {
  CurrentPlatform().ShowMessage(
      {"ヘルプファイル(" + ShownPath(path) + ")が存在しないか\r\nもしくはブラウザーを起動できませんでした",
       "ヘルプファイルエラー", MessageIcon::Error, MessageButtons::Ok, MessageButton::Ok});
}

}  // namespace

void OpenHelpPage(const QString& page) {
  std::string path = JoinPath(HelpFolder(), FromQt(page));
  // A window without a page of its own gets the start page.
  if (!Fs().FileExists(path)) path = JoinPath(HelpFolder(), "index.html");
  if (!Fs().FileExists(path) || !OpenWithShell(path, [path](const Error&) { ShowHelpError(path); })) {
    ShowHelpError(path);
  }
}

std::string HelpPagePath(std::string_view page) {
  return ShownPath(JoinPath(HelpFolder(), page));
}

std::string ShownPath(std::string_view path) {
  return FromQt(QDir::toNativeSeparators(ToQt(path)));
}

void OpenWindowHelp(const QWidget* window) {
  const QWidget* focused = QApplication::activeModalWidget();
  if (!focused) focused = window ? window->window() : QApplication::activeWindow();
  OpenHelpPage((focused ? focused->objectName() : QStringLiteral("index")) + QStringLiteral(".html"));
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

void OpenReadme() {
  const std::string path = JoinPath(CurrentPlatform().ProgramFolder(), "readme.txt");
  const auto say = [](const std::string& text) {
    CurrentPlatform().ShowMessage(
        {text, "Readme.txtを開く", MessageIcon::Error, MessageButtons::Ok, MessageButton::Ok});
  };
  if (!Fs().FileExists(path)) {
    say("readme.txt が見つかりません: " + ShownPath(path));
    return;
  }
  // The file is there: what failed is the program that shows it.
  const auto failed = [say, path](const Error&) {
    say("readme.txt を開くプログラムが見つかりませんでした.\r\nファイルは次の場所にあります:\r\n" + ShownPath(path));
  };
  if (!OpenWithShell(path, failed)) failed(Error::Of(kErrBadPathName));
}

void OpenWebSite() {
  const std::string page = JoinPath(HelpFolder(), kWebSitePage);
  if (!Fs().FileExists(page)) {
    ShowErrorBox("main.mnuWeb", MissingFileError(ShownPath(page)));
    return;
  }
  const auto failed = [page](const Error&) {
    ShowErrorText("ブラウザーを起動できませんでした.(WebSite)\r\nページは次のファイルにあります:\r\n" + ShownPath(page));
  };
  if (!OpenWithShell(page, failed)) failed(Error::Of(kErrBadPathName));
}

}  // namespace dustora
