// Keys every window of ours shares: the tabs switch from any control, and
// no choice box changes its value on a chord.
#pragma once

#include <functional>

class QKeyEvent;
class QTabBar;
class QWidget;

namespace dustora {

// What a key does on a choice box when it is a chord (Ctrl or Alt held):
// Alt+Down and Alt+Up open the list; any other chord chooses nothing and
// goes on to the window, whose shortcut it may be.
enum class BoxChord { NotAChord, OpensList, PassesOn };
[[nodiscard]] BoxChord ChordOnBox(const QKeyEvent& key);

// Ctrl+Tab and Ctrl+PageDown go to the next tab, Ctrl+Shift+Tab and
// Ctrl+PageUp to the previous one, from any control of `window`, round from
// the last to the first. `go` shows a tab (default: makes it current).
void InstallTabKeys(QWidget& window, QTabBar& tabs, std::function<void(int)> go = {});

// The stock combo boxes of `window` (made by now) ignore Ctrl and Alt
// chords, as ours do: Qt's step on Ctrl+PageUp/PageDown and the arrows with
// Ctrl. Alt+Down and Alt+Up still open the list.
void GuardChoiceBoxes(QWidget& window);

}  // namespace dustora
