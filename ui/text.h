// The edge between the core's Windows-1251 bytes and Qt's Unicode strings.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace zlc::ui {

QString ToQt(std::string_view cp1251);
std::string FromQt(const QString& text);

}  // namespace zlc::ui
