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

// The objectName of a control of a control array: "cmbWeekName(2)".
inline QString Indexed(const char* name, int index) {
  return ToQt(name) + QStringLiteral("(%1)").arg(index);
}

}  // namespace dustora
