// Draws the program's desktop icon from the picture its splash window
// shows: an SVG and a PNG of every hicolor size.
//   dustora-icons FOLDER
// writes FOLDER/hicolor/scalable/apps/<id>.svg and
// FOLDER/hicolor/<n>x<n>/apps/<id>.png. Runs without a display
// (QT_QPA_PLATFORM=offscreen); scripts/make-desktop-icon.sh runs it.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <cstdio>

#include "ui/program_picture.h"

namespace {

QString AppsFolder(const QString& root, const QString& size) {
  const QString folder = root + QStringLiteral("/hicolor/") + size + QStringLiteral("/apps");
  QDir().mkpath(folder);
  return folder + QLatin1Char('/') + QLatin1String(dustora::kDesktopId);
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  const QStringList args = QCoreApplication::arguments();
  if (args.size() != 2) {
    std::fputs("usage: dustora-icons FOLDER\n", stderr);
    return 2;
  }
  const QString& root = args[1];
  for (const int size : dustora::kIconSizes) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
      QPainter painter(&image);
      dustora::PaintProgramPicture(painter, size);
    }
    const QString name = QString::number(size) + QLatin1Char('x') + QString::number(size);
    if (!image.save(AppsFolder(root, name) + QStringLiteral(".png"))) {
      std::fprintf(stderr, "dustora-icons: the %dx%d picture cannot be written\n", size, size);
      return 1;
    }
  }
  constexpr int kSvgSize = 256;
  QSvgGenerator svg;
  svg.setFileName(AppsFolder(root, QStringLiteral("scalable")) + QStringLiteral(".svg"));
  svg.setSize(QSize(kSvgSize, kSvgSize));
  svg.setViewBox(QRect(0, 0, kSvgSize, kSvgSize));
  svg.setTitle(QStringLiteral("ダストーラ"));
  QPainter painter;
  if (!painter.begin(&svg)) {
    std::fputs("dustora-icons: the SVG cannot be written\n", stderr);
    return 1;
  }
  dustora::PaintProgramPicture(painter, kSvgSize);
  painter.end();
  return 0;
}
