// The manual (help/<objectName>.html in the program folder, one page a
// window, help/index.html the start page), the read-me and the web site.
#pragma once

#include <QString>
#include <string_view>

class QWidget;

namespace dustora {

// Until the program has a home page, its web site is the manual's page about
// the program.
inline constexpr std::string_view kWebSitePage = "index.html";

// Opens a page of the manual in the browser; the "ヘルプファイルエラー"
// message when the manual or the desktop's opener is missing.
void OpenHelpPage(const QString& page);
// The page of a window: help/<objectName>.html.
void OpenWindowHelp(const QWidget* window);
// F1 in `window` opens the page of the window that has the focus.
void InstallHelpKey(QWidget* window);

void OpenReadme();
void OpenWebSite();

}  // namespace dustora
