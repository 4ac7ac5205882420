// Small pictures of the icon files, for the icon boxes of the rule editor:
// each file is decoded once and its picture shared by every box.
#pragma once

#include <QDateTime>
#include <QIcon>
#include <QSize>
#include <map>
#include <string>

namespace dustora {

class IconPictures {
 public:
  // Files larger than this show their name only.
  static constexpr qint64 kLargestFile = qint64{1024} * 1024;
  // The pictures are 42 × 40 on the page; the boxes show them at the size
  // of their small icons (the boxes' own icon size: setting it would build
  // their list windows at start-up).
  static QSize Size() { return QSize(16, 16); }

  // The picture of a file, or a null icon when the file is larger than
  // kLargestFile, cannot be read or does not decode. A file that changed
  // since it was decoded is decoded again.
  QIcon For(const std::string& path);

 private:
  struct Entry {
    qint64 size = -1;
    QDateTime modified;
    QIcon picture;
  };
  std::map<std::string, Entry> entries_;
};

}  // namespace dustora
