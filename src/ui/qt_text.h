// UTF-8 texts of the program and Qt's strings.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace dustora {

inline QString ToQt(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::string FromQt(const QString& text) {
  return text.toStdString();
}

}  // namespace dustora
