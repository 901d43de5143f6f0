// Program start: the application, the calculator's state and its windows.
// "zlc --data-folder" (the desktop entry) works in the per-user data folder;
// "zlc --help" and "zlc --version" answer without opening a window.
#include <QApplication>
#include <QSettings>
#include <cstdio>

#include "app/close_on_signal.h"
#include "app/command_line.h"
#include "app/data_folder.h"
#include "app/font_scale.h"
#include "app/startup.h"
#include "calculator/calculator.h"
#include "ui/runtime_dialogs.h"
#include "ui/unit1.h"
#include "ui/window_memory.h"

int main(int argc, char* argv[]) {
  // Before the application: it would need a display, and it reads no file.
  if (auto status = zlc::app::AnswerInfoOptions(argc, argv, stdout)) return *status;

  const double layoutScale = zlc::app::ScaleWindowsToDesktopFont(argc, argv);
  QApplication app(argc, argv);
  zlc::app::SetUpApplication(layoutScale);
  // A data folder that cannot be used is said over the main window.
  zlc::ui::HoldRuntimeMessages();
  zlc::app::UseDataFolderIfAsked(QApplication::arguments());

  zlc::Calculator calc;
  zlc::ui::TForm1 form1(calc);
  zlc::app::CloseOnTerminationSignals(&form1);
  // The platform's store, never zlc.cfg.
  const std::unique_ptr<QSettings> windows = zlc::ui::OpenWindowStore();
  if (windows) zlc::ui::RestoreWindows(*windows, form1);
  form1.show();
  if (windows) zlc::ui::ReopenWindows(*windows, form1);
  const int status = QApplication::exec();
  // The loop can also end without the window being closed (the desktop
  // session ending); closing it writes zlc.cfg as "Quit" does.
  if (form1.isVisible()) form1.close();
  if (windows) zlc::ui::RememberWindows(*windows, form1);
  return status;
}
