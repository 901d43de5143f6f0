// The main window's place and its open windows, remembered in a settings
// store of their own and brought back at the next start; zlc.cfg keeps
// its twenty lines.
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QtTest>

#include "main_window_fixture.h"
#include "ui/statistics_window.h"
#include "ui/window_memory.h"

class WindowMemoryTest : public QObject, protected MainWindowFixture {
  Q_OBJECT

  void Reopen(QSettings& store) {
    form_.reset();
    calc_ = std::make_unique<zlc::Calculator>();
    form_ = std::make_unique<zlc::ui::TForm1>(*calc_);
    zlc::ui::RestoreWindows(store, *form_);
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    zlc::ui::ReopenWindows(store, *form_);
  }

 private slots:
  void init() { SetUp(); }
  void cleanup() { TearDown(); }

  void placeSizeAndOpenWindowsComeBack() {
    QSettings store("windows.ini", QSettings::IniFormat);
    OpenWindow();
    Activate(form_.get());
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QSize size = form_->minimumSize() + QSize(40, 30);
    form_->resize(size);
    form_->move(screen.topLeft() + QPoint(30, 20));
    Press(Qt::CTRL | Qt::Key_I);  // View -> Statistics
    QVERIFY(form_->statisticsWindow() && form_->statisticsWindow()->isVisible());
    const QPoint place = form_->pos();
    form_->SetRecentTasks({"/tasks/b.zlt", "/tasks/a.zlt"});
    form_->close();
    // A window system hides a window's own windows with it; what was open
    // is what was open as it closed.
    form_->statisticsWindow()->hide();
    zlc::ui::RememberWindows(store, *form_);

    Reopen(store);
    QCOMPARE(form_->size(), size);
    QCOMPARE(form_->pos(), place);
    QVERIFY(form_->statisticsWindow() && form_->statisticsWindow()->isVisible());
    QCOMPARE(form_->RecentTasks(), (QStringList{"/tasks/b.zlt", "/tasks/a.zlt"}));

    // Closed at the quit: not opened again.
    form_->statisticsWindow()->close();
    form_->close();
    zlc::ui::RememberWindows(store, *form_);
    Reopen(store);
    QVERIFY(!form_->statisticsWindow());

    // zlc.cfg holds the calculator's settings only.
    form_->close();
    const QByteArray text = ReadAll("zlc.cfg");
    QCOMPARE(text.count("\r\n"), 20);
    QVERIFY(!text.contains("eometry"));
  }

  void aPlaceOnNoScreenIsNotRestored() {
    QSettings store("windows.ini", QSettings::IniFormat);
    OpenWindow();
    const QPoint before = form_->pos();
    const QSize size = form_->minimumSize() + QSize(10, 10);
    store.setValue("MainWindow/geometry", QRect(QPoint(40000, 30000), size));
    Reopen(store);
    QCOMPARE(form_->size(), size);  // the size still comes back
    QVERIFY(QGuiApplication::screenAt(form_->geometry().center()) != nullptr);
    QCOMPARE(form_->pos(), before);
  }

  // A size no screen holds (a hand-edited or damaged store) comes back held
  // to the screen, and what is written back holds no more: the next start
  // must not repeat it. The statistics window opens within the screen too.
  void aSizeLargerThanTheScreenIsHeldToIt() {
    QSettings store("windows.ini", QSettings::IniFormat);
    store.setValue("MainWindow/geometry", QRect(0, 0, 100000, 100000));
    store.setValue("MainWindow/openWindows", QStringList{"StatisticsWindow"});
    OpenWindow();
    Reopen(store);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY2(screen.contains(form_->frameGeometry()),
             qPrintable(QString("%1x%2").arg(form_->frameGeometry().width()).arg(form_->frameGeometry().height())));
    auto* stats = form_->statisticsWindow();
    QVERIFY(stats && stats->isVisible());
    QVERIFY(stats->width() <= screen.width() && stats->height() <= screen.height());

    form_->resize(100000, 100000);  // as a window manager might let it grow
    form_->close();
    zlc::ui::RememberWindows(store, *form_);
    const QRect written = store.value("MainWindow/geometry").toRect();
    QVERIFY(written.width() <= screen.width() && written.height() <= screen.height());
  }
};

QTEST_MAIN(WindowMemoryTest)
#include "window_memory_test.moc"
