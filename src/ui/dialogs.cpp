#include "ui/dialogs.h"

#include <QBoxLayout>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QLayout>
#include <QPointer>
#include <QPushButton>
#include <exception>

#include "core/encoding.h"
#include "ui/help.h"
#include "ui/platform.h"
#include "ui/qt_dialog.h"
#include "ui/qt_text.h"
#include "ui/window_keys.h"

namespace dustora {

int OpenOurDialog(QDialog& dialog) {
  QtDialog adapter(dialog);
  return PlatformOf(&dialog).OpenDialog(adapter);
}

void RunHandler(const QWidget* from, std::string_view tag, const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::bad_alloc&) {
    ShowErrorBox(from, tag, Error::WithDescription(7, "メモリが不足しています。"));
  } catch (const std::exception&) {
    ShowErrorBox(from, tag, Error::Of(kErrInvalidCall));
  } catch (...) {
    ShowErrorBox(from, tag, Error::Of(kErrInvalidCall));
  }
}

void RunUnexpectedHandler(const QWidget* from, std::string_view tag, const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::bad_alloc&) {
    ShowUnexpectedErrorBox(from, tag, Error::WithDescription(7, "メモリが不足しています。"));
  } catch (...) {
    ShowUnexpectedErrorBox(from, tag, Error::Of(kErrInvalidCall));
  }
}

bool RefuseUnstorable(const QWidget* from, std::string_view text, std::string_view title) {
  const std::string characters = sjis::UnstorableCharacters(text);
  if (characters.empty()) return false;
  ShowInformation(from, std::string(kUnstorablePrefix) + characters, title);
  return true;
}

QDialogButtonBox* AddOkCancelButtons(QDialog& dialog, const char* ok_caption, const char* tag,
                                     const std::function<void()>& store) {
  return AddOkCancelButtons(dialog, ok_caption, tag, nullptr, store);
}

QDialogButtonBox* AddOkCancelButtons(QDialog& dialog, const char* ok_caption, const char* tag,
                                     const std::function<bool()>& accept, const std::function<void()>& store) {
  auto* ok = new QPushButton(ToQt(ok_caption), &dialog);
  ok->setObjectName(QStringLiteral("OKButton"));
  ok->setDefault(true);
  ok->setToolTip(ToQt(kHelpTip));
  auto* cancel = new QPushButton(ToQt("ｷｬﾝｾﾙ"), &dialog);
  cancel->setObjectName(QStringLiteral("CancelButton"));
  cancel->setToolTip(ToQt(kHelpTip));
  auto* buttons = new QDialogButtonBox(&dialog);
  buttons->addButton(ok, QDialogButtonBox::AcceptRole);
  buttons->addButton(cancel, QDialogButtonBox::RejectRole);
  QObject::connect(ok, &QPushButton::clicked, &dialog, [&dialog, tag, accept, store] {
    if (accept && !accept()) return;
    RunHandler(&dialog, tag, [&] {
      store();
      dialog.accept();
    });
  });
  QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
  return buttons;
}

namespace {

// Notes whether a widget was disabled while it is watched.
class DisableWatch : public QObject {
 public:
  explicit DisableWatch(QWidget* widget) : QObject(widget) { widget->installEventFilter(this); }
  bool disabled() const { return disabled_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::EnabledChange && !static_cast<QWidget*>(watched)->isEnabled()) disabled_ = true;
    return false;
  }

 private:
  bool disabled_ = false;
};

}  // namespace

void KeepFocusThrough(QPushButton* button, QWidget* then_focus, const std::function<void()>& click) {
  const QPointer<QPushButton> guard(button);
  const bool had_focus = button->window()->focusWidget() == button;
  const QPointer<DisableWatch> watch = new DisableWatch(button);
  click();
  if (guard.isNull()) return;
  const bool disabled = watch->disabled();
  delete watch.data();
  // Only the move that disabling made is undone; a focus the click set
  // itself stays.
  if (!had_focus || !disabled || button->window()->focusWidget() == button) return;
  if (button->isEnabled()) {
    button->setFocus();
  } else if (then_focus) {
    then_focus->setFocus();
  }
}

void ChainTabOrder(std::initializer_list<QWidget*> controls) {
  QWidget* previous = nullptr;
  for (QWidget* control : controls) {
    if (!control) continue;
    if (previous) QWidget::setTabOrder(previous, control);
    previous = control;
  }
}

QLabel* MakeCaption(QWidget* parent, const char* name, const char* text, QWidget* buddy) {
  auto* label = new QLabel(ToQt(text), parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setBuddy(buddy);
  return label;
}

void FinishDialogLayout(QDialog& dialog, QLayout* layout) {
  layout->setSizeConstraint(QLayout::SetFixedSize);
  // Wide enough for the title bar to show the whole title beside its
  // buttons: the title in bold, with room for the icon and three buttons.
  if (auto* column = qobject_cast<QVBoxLayout*>(layout)) {
    QFont bold = dialog.font();
    bold.setBold(true);
    constexpr int kTitleBarExtras = 120;
    column->addStrut(QFontMetrics(bold).horizontalAdvance(dialog.windowTitle()) + kTitleBarExtras);
  }
  InstallHelpKey(&dialog);
  GuardChoiceBoxes(dialog);
}

}  // namespace dustora
