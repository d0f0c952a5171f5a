#pragma once
// Screens show Windows-1252 text; Qt holds UTF-16.
#include "platform/codepage.h"

#include <QString>
#include <string>

namespace trev {

inline QString fromCp1252(const std::string& cp1252) { return QString::fromStdString(cp1252ToUtf8(cp1252)); }
inline std::string toCp1252(const QString& text) { return utf8ToCp1252(text.toStdString()); }

}  // namespace trev
