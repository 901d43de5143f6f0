#include "ui/text.h"

#include "cards/cp1251.h"

namespace zlc::ui {

QString ToQt(std::string_view cp1251) { return QString::fromStdString(Cp1251ToUtf8(cp1251)); }

std::string FromQt(const QString& text) { return Utf8ToCp1251(text.toStdString()); }

}  // namespace zlc::ui
