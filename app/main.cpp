// Program start: the application, the calculator's state and its windows.
// "zlc --data-folder" (the desktop entry) works in the per-user data folder.
#include <QApplication>

#include "app/data_folder.h"
#include "engine/calculator.h"
#include "ui/look.h"
#include "ui/unit1.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("zlc");
  QApplication::setDesktopFileName("io.github.zlc.Calculator");  // the menu entry's icon on Wayland
  zlc::ui::ApplyClassicLook();
  zlc::app::UseDataFolderIfAsked(QApplication::arguments());

  zlc::Calculator calc;
  zlc::ui::TForm1 form1(calc);
  form1.show();
  return QApplication::exec();
}
