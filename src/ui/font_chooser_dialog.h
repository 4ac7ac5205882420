// The font chooser フォントの選択 (dlgFont): the installed families and the
// three generic families of the page, a sample of the highlighted one, and
// the chosen name written straight into the font-name label of another
// window that a font code names.
#pragma once

#include <QDialog>
#include <QString>
#include <string>
#include <vector>

class QLabel;
class QListWidget;
class QWidget;

namespace dustora {

// Font codes: which label the chooser writes into.
// 0 … 6 are the design editor's font slots.
namespace font_target {
inline constexpr int kMemo = 9;  // the memo's font
}  // namespace font_target

// Registers the font-name label of a font code under TargetKind::Font for
// as long as the label lives, read and written as its text. False (and
// nothing registered) for a code that names no label.
bool RegisterFontLabel(int font_target, QLabel* label);

// The entries the chooser lists for these installed families: each family
// in the order given, except vertical-writing and other special names (first
// character "@", "$", "&" or "%"), empty names and names Shift_JIS cannot
// hold (the settings could not store them); then the three generic entries
// "[Generic(ゴシック体)]", "[Generic(明朝体)]" and "[Generic(等幅フォント)]",
// which the page writes as its generic families sans-serif, serif and
// monospace.
std::vector<std::string> FontEntries(const std::vector<std::string>& installed);

// The family the sample uses for an entry: a generic entry's stand-in, else
// the entry itself. The stand-ins are ＭＳ Ｐゴシック, ＭＳ Ｐ明朝 and
// ＭＳ ゴシック where those are installed, else the families the system
// gives for sans-serif, serif and monospace.
QString SampleFamily(const std::string& entry);

// dlgFont for one font code. It opens on the name its label shows, with that
// entry highlighted when it is listed; highlighting an entry shows its
// sample and makes it the chosen name. "O　K" writes the chosen name into
// the label and closes; "ｷｬﾝｾﾙ", Escape and the close box close without
// writing. A code that names no label reads and writes nothing.
class FontChooserDialog : public QDialog {
  Q_OBJECT

 public:
  explicit FontChooserDialog(int font_target, QWidget* parent = nullptr);

 private:
  void Load();
  void SetList();
  void ListClick();
  void Store();

  int font_target_;
  QListWidget* list_ = nullptr;
  QLabel* name_ = nullptr;
  QLabel* sample_ = nullptr;
};

// Opens dlgFont modally (through the platform) for one font code with
// `owner` as its owner window. The busy pointer shows from the call until
// the list is filled, and never while the dialog waits for the user.
void ShowFontChooser(QWidget* owner, int font_target);

}  // namespace dustora
