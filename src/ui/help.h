// The manual (help/<objectName>.html in the program folder, one page a
// window, help/index.html the start page), the read-me and the web site.
#pragma once

#include <QString>
#include <initializer_list>
#include <string>
#include <string_view>

class QHBoxLayout;
class QWidget;

namespace dustora {

// Until the program has a home page, its web site is the manual's page about
// the program.
inline constexpr std::string_view kWebSitePage = "index.html";

// The tooltip of the controls whose help F1 opens.
inline constexpr std::string_view kHelpTip = "[F1]でヘルプ";

// Opens a page of the manual in the browser; the "ヘルプファイルエラー"
// message when the manual or the desktop's opener is missing.
void OpenHelpPage(const QWidget* from, const QString& page);
// The file-system path of a page of the manual, as messages show it.
std::string HelpPagePath(const QWidget* from, std::string_view page);
// A path as messages show it: with the platform's own separators.
std::string ShownPath(std::string_view path);
// The page of a window: help/<objectName>.html.
void OpenWindowHelp(const QWidget* window);
// F1 in `window` opens the page of the window that has the focus.
void InstallHelpKey(QWidget* window);

// The help picture (picHelp) of the windows: a click on it acts as F1.
QWidget* MakeHelpPicture(QWidget* window);
// The bottom row of a window: the help picture at the left, the buttons
// at the right.
QHBoxLayout* MakeHelpRow(QWidget* window, std::initializer_list<QWidget*> buttons);

void OpenReadme(const QWidget* from);
void OpenWebSite(const QWidget* from);

}  // namespace dustora
