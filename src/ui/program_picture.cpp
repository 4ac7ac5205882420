#include "ui/program_picture.h"

#include <QColor>
#include <QIcon>
#include <QPainter>
#include <QPen>
#include <QRectF>

namespace dustora {

void PaintProgramPicture(QPainter& painter, int size) {
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF page(size * 0.1, size * 0.14, size * 0.8, size * 0.76);
  painter.setPen(QPen(QColor(0x2e, 0x7d, 0x32), size / 32.0));
  painter.setBrush(Qt::white);
  painter.drawRoundedRect(page, size / 12.0, size / 12.0);
  painter.setBrush(QColor(0x2e, 0x7d, 0x32));
  painter.drawRect(QRectF(page.left(), page.top(), page.width(), page.height() * 0.22));
  // Collection days marked on the month.
  painter.setPen(Qt::NoPen);
  const QColor grey(0xcf, 0xd8, 0xdc);
  const QColor marks[3] = {QColor(0xd3, 0x2f, 0x2f), QColor(0x19, 0x76, 0xd2), QColor(0xf9, 0xa8, 0x25)};
  const int marked_column[3] = {1, 3, 0};
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 4; ++column) {
      painter.setBrush(column == marked_column[row] ? marks[row] : grey);
      painter.drawEllipse(QRectF(page.left() + page.width() * (0.1 + column * 0.22),
                                 page.top() + page.height() * (0.32 + row * 0.22), size * 0.1, size * 0.1));
    }
  }
}

QPixmap ProgramPicture(int size) {
  QPixmap picture(size, size);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  PaintProgramPicture(painter, size);
  return picture;
}

QIcon ProgramIcon() {
  QIcon icon;
  for (const int size : kIconSizes) icon.addPixmap(ProgramPicture(size));
  return icon;
}

}  // namespace dustora
