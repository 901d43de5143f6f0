// Program start: the application, the calculator's state and its windows.
#include <QApplication>

#include "engine/calculator.h"
#include "ui/look.h"
#include "ui/unit1.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("zlc");
  zlc::ui::ApplyClassicLook();

  zlc::Calculator calc;
  zlc::ui::TForm1 form1(calc);
  form1.show();
  return QApplication::exec();
}
