// The font chooser フォントの選択 (dlgFont): the installed families and the
// three generic families of the page and a sample of the highlighted one;
// the caller gets the name O K took.
#pragma once

#include <QDialog>
#include <QString>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QLabel;
class QListWidget;
class QWidget;

namespace dustora {

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

// dlgFont, opened on the caller's font name, with that entry highlighted
// when it is listed; highlighting an entry shows its sample and makes it
// the chosen name. "O　K" takes the chosen name and closes; "ｷｬﾝｾﾙ", Escape
// and the close box close without one.
class FontChooserDialog : public QDialog {
  Q_OBJECT

 public:
  explicit FontChooserDialog(const std::string& initial, QWidget* parent = nullptr);

  // The name O K took; nullopt until then.
  [[nodiscard]] std::optional<std::string> Chosen() const { return chosen_; }

 private:
  void Load();
  // The list of the installed fonts' entries; a failure is said under the
  // tag.
  void FillFontList();
  static constexpr std::string_view kFillFontListTag = "dlgFont.SetList";
  void ListClick();
  void Store();

  std::string initial_;
  std::optional<std::string> chosen_;
  QListWidget* list_ = nullptr;
  QLabel* name_ = nullptr;
  QLabel* sample_ = nullptr;
};

// Opens dlgFont modally (through the platform) on `initial` with `owner` as
// its owner window: the name the user took, or nullopt. The busy pointer
// shows from the call until the list is filled, and never while the dialog
// waits for the user.
[[nodiscard]] std::optional<std::string> ChooseFont(const std::string& initial, QWidget* owner);

}  // namespace dustora
