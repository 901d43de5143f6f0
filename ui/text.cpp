#include "ui/text.h"

#include <QFile>

#include "cards/cp1251.h"

namespace zlc::ui {

QString ToQt(std::string_view cp1251) { return QString::fromStdString(Cp1251ToUtf8(cp1251)); }

std::string FromQt(const QString& text) { return Utf8ToCp1251(text.toStdString()); }

std::string PathFromQt(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace zlc::ui
