#include "ui/font_chooser_dialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>
#include <array>
#include <functional>
#include <optional>
#include <set>
#include <string_view>

#include "core/encoding.h"
#include "core/text.h"
#include "ui/busy_pointer.h"
#include "ui/dialogs.h"
#include "ui/help.h"
#include "ui/platform.h"
#include "ui/qt_text.h"

namespace dustora {

namespace {

// A generic entry, the family it stands for on Windows, and the system's
// generic family that stands in where that one is not installed.
struct GenericEntry {
  const char* entry;
  const char* windows_family;
  const char* system_family;
  QFont::StyleHint hint;
};
constexpr std::array<GenericEntry, 3> kGenericEntries = {{
    {"[Generic(ゴシック体)]", "ＭＳ Ｐゴシック", "sans-serif", QFont::SansSerif},
    {"[Generic(明朝体)]", "ＭＳ Ｐ明朝", "serif", QFont::Serif},
    {"[Generic(等幅フォント)]", "ＭＳ ゴシック", "monospace", QFont::Monospace},
}};

const char* const kSampleText = "123ABあい月火";
constexpr int kSamplePoints = 12;

// Sizes in pixels: the list is square, the name and the sample stand
// beside it.
constexpr int kListSide = 240;
constexpr int kSideWidth = 240;
constexpr int kSampleHeight = 96;

// Vertical-writing faces ("@") and the system's special names ("$", "&",
// "%") are no families to choose; neither is a name the settings could not
// store, nor one the page's style sheet could not name (markup and style
// sheet delimiters, a backslash, a double quote, control characters).
bool Listable(std::string_view family) {
  if (family.empty()) return false;
  switch (family.front()) {
    case '@':
    case '$':
    case '&':
    case '%': return false;
    default: break;
  }
  return !BreaksStyleSheet(family) && !sjis::FirstUnencodable(family);
}

// The family as a page names it: "C059 [urw]", the font system's name for
// one foundry's face of a family that several foundries make, is "C059".
std::string PageFamily(const std::string& family) {
  if (family.size() < 4 || family.back() != ']') return family;
  const std::size_t open = family.rfind(" [");
  if (open == std::string::npos || open == 0) return family;
  return family.substr(0, open);
}

// Hands each entry for these installed families to `add`, in list order,
// each family once; `after_family` runs after each installed family.
void CollectEntries(const std::vector<std::string>& installed, const std::function<void(const std::string&)>& add,
                    const std::function<void()>& after_family) {
  std::set<std::string> listed;
  for (const std::string& name : installed) {
    const std::string family = PageFamily(name);
    if (Listable(family) && listed.insert(family).second) add(family);
    if (after_family) after_family();
  }
  for (const GenericEntry& generic : kGenericEntries) add(generic.entry);
}

const GenericEntry* FindGeneric(std::string_view entry) {
  for (const GenericEntry& generic : kGenericEntries) {
    if (entry == generic.entry) return &generic;
  }
  return nullptr;
}

QFont SampleFont(const std::string& entry) {
  QFont font(SampleFamily(entry), kSamplePoints, QFont::Normal, false);
  // Characters the family lacks (the Japanese ones of a Latin face) come
  // from a fallback of the same kind.
  if (const GenericEntry* generic = FindGeneric(entry)) font.setStyleHint(generic->hint);
  return font;
}

QLabel* MakeSunkenLabel(QWidget* parent, const char* name) {
  auto* label = new QLabel(parent);
  label->setObjectName(ToQt(name));
  label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  label->setAutoFillBackground(true);
  label->setBackgroundRole(QPalette::Base);
  label->setTextFormat(Qt::PlainText);
  label->setToolTip(ToQt(kHelpTip));
  return label;
}

}  // namespace

std::vector<std::string> FontEntries(const std::vector<std::string>& installed) {
  std::vector<std::string> entries;
  CollectEntries(installed, [&entries](const std::string& entry) { entries.push_back(entry); }, {});
  return entries;
}

QString SampleFamily(const std::string& entry) {
  const GenericEntry* generic = FindGeneric(entry);
  if (!generic) return ToQt(entry);
  // Exactly that family: the font system's substitutes for a missing one
  // do not count.
  QString windows_family = ToQt(generic->windows_family);
  if (QFontDatabase::families().contains(windows_family)) return windows_family;
  QFont font(QString::fromLatin1(generic->system_family));
  font.setStyleHint(generic->hint);
  return QFontInfo(font).family();
}

FontChooserDialog::FontChooserDialog(const std::string& initial, QWidget* parent) : QDialog(parent), initial_(initial) {
  setObjectName(QStringLiteral("dlgFont"));
  setWindowTitle(ToQt("フォントの選択"));
  setModal(true);

  name_ = MakeSunkenLabel(this, "lblFontName");
  name_->setFixedWidth(kListSide);
  name_->setMinimumHeight(name_->fontMetrics().height() + 6);

  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("List1"));
  list_->setToolTip(ToQt(kHelpTip));
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  list_->setFixedSize(kListSide, kListSide);

  sample_ = MakeSunkenLabel(this, "rtxtSample");
  sample_->setAlignment(Qt::AlignCenter);
  sample_->setFixedSize(kSideWidth, kSampleHeight);

  auto* left = new QVBoxLayout;
  left->addWidget(name_);
  left->addWidget(list_);

  auto* right = new QVBoxLayout;
  right->addWidget(sample_);
  right->addStretch(1);
  right->addWidget(AddOkCancelButtons(*this, "O　K", "dlgFont.OKButton", [this] { Store(); }));

  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left);
  layout->addSpacing(8);
  layout->addLayout(right);
  FinishDialogLayout(*this, layout);

  // In a single-selection list the arrow keys select as they move, so this
  // follows the current row however it moves.
  connect(list_, &QListWidget::itemSelectionChanged, this,
          [this] { RunHandler(this, "dlgFont.List_Click", [this] { ListClick(); }); });

  RunHandler(this, "dlgFont.Load", [this] { Load(); });
}

void FontChooserDialog::Load() {
  RunHandler(this, kFillFontListTag, [this] { FillFontList(); });
  const QString name = ToQt(initial_);
  name_->setText(name);
  // A font that is not installed shows in the font system's stand-in.
  sample_->setFont(SampleFont(FromQt(name)));
  sample_->setText(ToQt(kSampleText));
  for (int row = 0; row < list_->count(); ++row) {
    QListWidgetItem* item = list_->item(row);
    if (item->text() != name) continue;
    list_->setCurrentItem(item);
    list_->scrollToItem(item, QAbstractItemView::PositionAtCenter);
    return;
  }
}

void FontChooserDialog::FillFontList() {
  list_->clear();
  Platform& platform = PlatformOf(this);
  CollectEntries(
      platform.InstalledFonts(), [this](const std::string& entry) { list_->addItem(ToQt(entry)); },
      [&platform] { platform.PumpEvents(); });
}

void FontChooserDialog::ListClick() {
  const QList<QListWidgetItem*> selected = list_->selectedItems();
  if (selected.isEmpty()) return;
  const std::string entry = FromQt(selected.front()->text());
  sample_->setFont(SampleFont(entry));
  sample_->setText(ToQt(kSampleText));
  name_->setText(ToQt(entry));
}

void FontChooserDialog::Store() {
  chosen_ = FromQt(name_->text());
}

std::optional<std::string> ChooseFont(const std::string& initial, QWidget* owner) {
  BusyPointer busy;
  FontChooserDialog dialog(initial, owner);
  busy.Release();
  OpenOurDialog(dialog);
  return dialog.Chosen();
}

}  // namespace dustora
