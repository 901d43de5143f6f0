// The edge between the core's Windows-1251 bytes and Qt's Unicode strings.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace zlc::ui {

QString ToQt(std::string_view cp1251);
std::string FromQt(const QString& text);
// A file name as the file system spells it (UTF-8 here), not as text of
// the core: a folder named in Cyrillic must still be found.
std::string PathFromQt(const QString& path);

}  // namespace zlc::ui
