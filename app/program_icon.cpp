#include "app/program_icon.h"

namespace zlc::app {

QIcon ProgramIcon() {
  QIcon icon;
  for (int size : {16, 32, 48, 64, 128, 256}) {
    icon.addFile(QString(":/icons/%1x%1/apps/io.github.zlc.Calculator.png").arg(size), QSize(size, size));
  }
  return icon;
}

}  // namespace zlc::app
