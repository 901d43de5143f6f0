#include "ui/picture_file.h"

#include <QBuffer>
#include <QByteArray>
#include <QCoreApplication>
#include <QPixmap>
#include <QWidget>

#include "persist/atomic_replace.h"
#include "ui/runtime_dialogs.h"
#include "ui/text.h"

namespace zlc::ui {

bool SavePicturePng(QWidget* parent, QWidget& shown, const QString& path) {
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  if (!shown.grab().save(&buffer, "PNG")) {
    ShowRuntimeMessage(parent, QCoreApplication::translate("PictureFile", "Cannot write %1").arg(path));
    return false;
  }
  const std::string name = PathFromQt(path);
  if (IoResult failed = ReplaceFileContents(name, std::string_view(png.constData(), static_cast<std::size_t>(png.size())))) {
    ShowRuntimeMessage(parent, DescribeFailure(*failed, name, FileUse::Writing));
    return false;
  }
  return true;
}

}  // namespace zlc::ui
