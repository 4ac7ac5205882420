#include "ui/color_swatch.h"

#include <QColor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace dustora {

namespace {

QColor ToQColor(std::int32_t value) {
  return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

}  // namespace

ColorSwatch::ColorSwatch(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(1);
  setFocusPolicy(Qt::StrongFocus);
}

void ColorSwatch::setColorValue(std::int32_t value) {
  value_ = value;
  update();
}

void ColorSwatch::paintEvent(QPaintEvent* event) {
  {
    QPainter painter(this);
    painter.fillRect(contentsRect(), ToQColor(value_));
    if (hasFocus()) {
      // Black dots on white, seen on every colour.
      const QRect ring = contentsRect().adjusted(1, 1, -2, -2);
      painter.setPen(QPen(Qt::white, 1));
      painter.drawRect(ring);
      painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
      painter.drawRect(ring);
    }
  }
  QFrame::paintEvent(event);
}

void ColorSwatch::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  const bool activates = key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
  if (!keys_click_ || !activates || (event->modifiers() & (Qt::AltModifier | Qt::ControlModifier))) {
    QFrame::keyPressEvent(event);
    return;
  }
  event->accept();
  if (!event->isAutoRepeat()) emit clicked();
}

void ColorSwatch::focusInEvent(QFocusEvent* event) {
  QFrame::focusInEvent(event);
  update();
}

void ColorSwatch::focusOutEvent(QFocusEvent* event) {
  QFrame::focusOutEvent(event);
  update();
}

void ColorSwatch::mousePressEvent(QMouseEvent* event) {
  pressed_ = event->button() == Qt::LeftButton;
  QFrame::mousePressEvent(event);
}

void ColorSwatch::mouseReleaseEvent(QMouseEvent* event) {
  const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  pressed_ = false;
  QFrame::mouseReleaseEvent(event);
  if (click) emit clicked();
}

}  // namespace dustora
