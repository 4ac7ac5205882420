#include "ui/icon_pictures.h"

#include <QFileInfo>
#include <QImage>
#include <QPixmap>

#include "core/filesystem.h"
#include "ui/qt_text.h"

namespace dustora {

namespace {

QIcon Decode(const std::string& path, qint64 size) {
  if (size < 0 || size > IconPictures::kLargestFile) return QIcon();
  const FsResult<std::string> bytes = Fs().ReadFile(path);
  if (!bytes.ok() || static_cast<qint64>(bytes.value->size()) > IconPictures::kLargestFile) return QIcon();
  QImage image;
  if (!image.loadFromData(reinterpret_cast<const uchar*>(bytes.value->data()), static_cast<int>(bytes.value->size())))
    return QIcon();
  return QIcon(QPixmap::fromImage(image.scaled(IconPictures::Size(), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

}  // namespace

QIcon IconPictures::For(const std::string& path) {
  const QFileInfo file(ToQt(path));
  const qint64 size = file.exists() ? file.size() : -1;
  const QDateTime modified = file.lastModified();
  Entry& entry = entries_[path];
  if (entry.size != size || entry.modified != modified) {
    entry.size = size;
    entry.modified = modified;
    entry.picture = Decode(path, size);
  }
  return entry.picture;
}

}  // namespace dustora
