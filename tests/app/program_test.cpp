// What the program is before its main window: the answers to --help and
// --version, and the icon that every window shows.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QTimer>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <cstdio>
#include <string>

#include "app/close_on_signal.h"
#include "app/command_line.h"
#include "app/startup.h"
#include "calculator/calculator.h"
#include "ui/runtime_dialogs.h"
#include "ui/unit1.h"
#include "ui/unit6.h"
#include "zlc_version.h"

namespace {

// Runs AnswerInfoOptions on the arguments; the text it wrote in `written`.
std::optional<int> Answer(std::vector<const char*> args, std::string& written) {
  args.insert(args.begin(), "zlc");
  std::FILE* out = std::tmpfile();
  const auto status = zlc::app::AnswerInfoOptions(static_cast<int>(args.size()), args.data(), out);
  std::rewind(out);
  written.clear();
  for (int c; (c = std::fgetc(out)) != EOF;) written += static_cast<char>(c);
  std::fclose(out);
  return status;
}

}  // namespace

class ProgramTest : public QObject {
  Q_OBJECT

 private slots:
  void helpAndVersionAnswerAndEnd() {
    std::string text;
    QCOMPARE(Answer({"--help"}, text), std::optional<int>(0));
    QVERIFY(text.starts_with("Usage: zlc "));
    QCOMPARE(Answer({"-platform", "xcb", "--version"}, text), std::optional<int>(0));
    QCOMPARE(text, std::string("zlc ") + zlc::kVersion + "\n");

    // Everything else opens the window, and so does a "--help" after "--".
    QCOMPARE(Answer({}, text), std::nullopt);
    QCOMPARE(Answer({"--data-folder"}, text), std::nullopt);
    QCOMPARE(Answer({"--", "--help"}, text), std::nullopt);
    QVERIFY(text.empty());

    std::FILE* full = std::fopen("/dev/full", "w");
    if (!full) QSKIP("no /dev/full here");
    const char* args[] = {"zlc", "--version"};
    QCOMPARE(zlc::app::AnswerInfoOptions(2, args, full), std::optional<int>(1));
    std::fclose(full);
  }

  void everyWindowShowsTheProgramIcon() {
    zlc::app::SetUpApplication();
    const QIcon icon = QApplication::windowIcon();
    for (int size : {16, 32, 48, 64, 128, 256}) {
      QVERIFY2(!icon.pixmap(size).isNull(), qPrintable(QString::number(size)));
      QCOMPARE(icon.actualSize(QSize(size, size)), QSize(size, size));
    }
    QCOMPARE(QApplication::applicationName(), QString("zlc"));

    QTemporaryDir dir;
    const QString cwd = QDir::currentPath();
    QDir::setCurrent(dir.path());
    zlc::ui::SetMessageSink([](const QString&) {});
    {
      zlc::Calculator calc;
      zlc::ui::TForm1 form(calc);
      const qint64 key = icon.cacheKey();
      QCOMPARE(form.windowIcon().cacheKey(), key);
      QCOMPARE(form.optionsWindow()->windowIcon().cacheKey(), key);
    }
    zlc::ui::SetMessageSink(nullptr);
    QDir::setCurrent(cwd);
  }

  // A log-out while a dialog is open: the dialog goes, then the window,
  // which writes the settings and deletes the scratch file as "Quit" does.
  void terminationSignalClosesDialogsAndTheWindow() {
    QTemporaryDir dir;
    const QString cwd = QDir::currentPath();
    QDir::setCurrent(dir.path());
    zlc::ui::SetMessageSink([](const QString&) {});
    QFile variants("variants");
    QVERIFY(variants.open(QIODevice::WriteOnly));
    variants.close();
    {
      zlc::Calculator calc;
      zlc::ui::TForm1 form(calc);
      zlc::app::CloseOnTerminationSignals(&form);
      form.show();
      QVERIFY(QTest::qWaitForWindowExposed(&form));
      bool signalled = false;
      QTimer::singleShot(0, &form, [&] {
        QTRY_VERIFY(form.optionsWindow()->isVisible());
        signalled = true;
        ::raise(SIGTERM);
      });
      form.findChild<QAction*>("Options1")->trigger();  // modal until the signal closes it
      QVERIFY(signalled);
      QTRY_VERIFY(!form.isVisible());
      QVERIFY(!form.optionsWindow()->isVisible());
      QVERIFY(QFile::exists("zlc.cfg"));
      QVERIFY(!QFile::exists("variants"));
    }
    zlc::ui::SetMessageSink(nullptr);
    QDir::setCurrent(cwd);
  }
};

QTEST_MAIN(ProgramTest)
#include "program_test.moc"
