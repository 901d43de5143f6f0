// The file dialogs as a person meets them: each kind of file with its own
// name filters and its own folder, remembered for the session, a name
// suggested for what is saved, and Open taking a task's name typed without
// its extension, from the mouse as from Enter.
#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "calculator/calculator.h"
#include "main_window_fixture.h"
#include "ui/file_dialogs.h"
#include "ui/line_list.h"
#include "ui/look.h"
#include "ui/statistics_window.h"
#include "ui/unit1.h"

using zlc::ui::FileKind;
using zlc::ui::FileQuestion;

namespace {

QString Absolute(const QString& folder) { return QDir(folder).absolutePath(); }

}  // namespace

class FileDialogsTest : public QObject, protected MainWindowFixture {
  Q_OBJECT

  using List = zlc::ui::LineListView;

  QList<FileQuestion> questions_;
  QString answer_;  // the answer to the next question; empty cancels

  // Right-click on a line of "All", then a click on the entry of its menu.
  void FromListMenu(int line, const char* entry) {
    auto* list = Find<List>("ListBox1");
    QTest::mouseClick(list->viewport(), Qt::RightButton, {}, list->LineRect(line).center());
    QMenu* menu = form_->resultsMenu();
    QTRY_VERIFY(menu->isVisible());
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(Find<QAction>(entry)).center());
    QTRY_VERIFY(!menu->isVisible());
    Activate(form_.get());  // the keys go to the window again, once the menu is gone
  }

  // Once the real file dialog is open and has the keys, `act` runs on it,
  // inside its own modal loop; `done` tells whether it ran.
  void OnDialog(bool& done, const std::function<void(QFileDialog*)>& act) {
    done = false;
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, [timer, &done, act] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (!dialog || !dialog->isVisible()) return;
      timer->stop();
      timer->deleteLater();
      dialog->activateWindow();
      (void)QTest::qWaitForWindowActive(dialog);  // the keys go to the field itself anyway
      // Should the dialog stay open (a lost click, a message over it), the
      // test fails instead of waiting for ever.
      QTimer::singleShot(10000, dialog, [dialog] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->reject();
        dialog->reject();
      });
      act(dialog);
      done = true;
    });
    timer->start(20);
  }

  static QLineEdit* NameField(QFileDialog* dialog) { return dialog->findChild<QLineEdit*>("fileNameEdit"); }
  static QPushButton* Button(QFileDialog* dialog, QDialogButtonBox::StandardButton which) {
    return dialog->findChild<QDialogButtonBox*>()->button(which);
  }

  // Clicks a button of the dialog as a person does: the list of completions
  // that typing may open over it takes the first click away, so it is
  // closed first, and a click that did not close the dialog is repeated.
  static void ClickToClose(QFileDialog* dialog, QPushButton* button) {
    for (int i = 0; i < 5 && dialog->isVisible(); ++i) {
      if (QWidget* popup = QApplication::activePopupWidget()) QTest::keyClick(popup, Qt::Key_Escape);
      QTest::mouseClick(button, Qt::LeftButton);
      if (QTest::qWaitFor([dialog] { return !dialog->isVisible(); }, 300)) return;
    }
  }

 private slots:
  void initTestCase() { zlc::ui::ApplyClassicLook(); }
  void init() {
    SetUp();
    zlc::ui::ForgetChoices();  // a session of its own
    questions_.clear();
    answer_.clear();
    zlc::ui::SetFileAnswerer([this](const FileQuestion& question) {
      questions_ << question;
      return answer_;
    });
  }
  void cleanup() { TearDown(); }

  // Every save and open of the windows, reached by their keys, menus and
  // buttons: its kind's filters, its extension, its suggested name, and the
  // folder last chosen for its kind, each kind apart.
  void eachKindHasItsFiltersNameAndFolder() {
    QVERIFY(QDir().mkpath("tasks"));
    QVERIFY(QDir().mkpath("tables"));
    OpenWithResults(3);
    const QStringList results{"Results (*.txt)", "All files (*)"};
    const QStringList tables{"CSV tables (*.csv)", "All files (*)"};

    // The first dialog of each kind opens in the working folder.
    answer_ = "one.txt";
    FromListMenu(4, "Save2");  // a line of result 2
    QCOMPARE(questions_.size(), 1);
    FileQuestion q = questions_.last();
    QCOMPARE(q.title, QString("Save result #2"));
    QCOMPARE(q.kind, FileKind::Results);
    QVERIFY(q.save);
    QCOMPARE(q.folder, QString("."));
    QCOMPARE(q.suggestedName, QString("result-2.txt"));
    QCOMPARE(q.defaultSuffix, QString());  // a name typed without one stays so
    QCOMPARE(q.nameFilters, results);
    QVERIFY(QFile::exists("one.txt"));

    answer_ = "all.txt";
    FromListMenu(0, "Saveallresults1");
    q = questions_.last();
    QCOMPARE(q.suggestedName, QString("results.txt"));
    QCOMPARE(q.nameFilters, results);
    QCOMPARE(q.folder, Absolute("."));  // where "one.txt" went

    answer_ = "tables/list.csv";
    FromListMenu(0, "Exportlist1");
    q = questions_.last();
    QCOMPARE(q.kind, FileKind::Csv);
    QCOMPARE(q.folder, QString("."));
    QCOMPARE(q.suggestedName, QString("results.csv"));
    QCOMPARE(q.defaultSuffix, QString("csv"));
    QCOMPARE(q.nameFilters, tables);
    QVERIFY(QFile::exists("tables/list.csv"));

    // Tasks: nothing to suggest at first, then the task file last used.
    answer_ = "tasks/mine.zlt";
    Press(Qt::CTRL | Qt::Key_S);
    q = questions_.last();
    QCOMPARE(q.title, QString("Save Task"));
    QCOMPARE(q.kind, FileKind::Task);
    QCOMPARE(q.folder, QString("."));
    QCOMPARE(q.suggestedName, QString());
    QCOMPARE(q.defaultSuffix, QString("zlt"));
    QCOMPARE(q.nameFilters, QStringList({"Tasks (*.zlt)", "All files (*)"}));
    answer_.clear();  // cancelled
    Press(Qt::CTRL | Qt::Key_S);
    QCOMPARE(questions_.size(), 5);
    q = questions_.last();
    QCOMPARE(q.folder, Absolute("tasks"));
    QCOMPARE(q.suggestedName, QString("mine.zlt"));
    // Open offers the results too: a saved result opens as a task.
    answer_ = "one.txt";
    Press(Qt::CTRL | Qt::Key_O);
    q = questions_.last();
    QVERIFY(!q.save);
    QCOMPARE(q.folder, Absolute("tasks"));
    QCOMPARE(q.nameFilters, QStringList({"Tasks (*.zlt)", "Results (*.txt)", "All files (*)"}));
    QCOMPARE(calc_->editor.TaskLength(), 36);
    // A result's file is no task file: a task is not suggested over it.
    answer_.clear();
    Press(Qt::CTRL | Qt::Key_S);
    QCOMPARE(questions_.last().suggestedName, QString());
    QCOMPARE(questions_.last().folder, Absolute("."));

    // The statistics window's saves: charts named after what they show.
    Press(Qt::CTRL | Qt::Key_I);
    auto* stats = form_->statisticsWindow();
    QVERIFY(stats && QTest::qWaitForWindowActive(stats));
    QTabWidget* charts = stats->charts();
    answer_ = "chart.png";
    QTest::mouseClick(stats->findChild<QPushButton*>("SaveChartPng"), Qt::LeftButton);
    q = questions_.last();
    QCOMPARE(q.kind, FileKind::Png);
    QCOMPARE(q.folder, QString("."));
    QCOMPARE(q.suggestedName, QString("hexagram-heat-map.png"));
    QCOMPARE(q.defaultSuffix, QString("png"));
    QCOMPARE(q.nameFilters, QStringList({"PNG pictures (*.png)", "All files (*)"}));
    QTest::mouseClick(charts->tabBar(), Qt::LeftButton, {}, charts->tabBar()->tabRect(2).center());
    answer_.clear();
    QTest::mouseClick(stats->findChild<QPushButton*>("SaveChartCsv"), Qt::LeftButton);
    q = questions_.last();
    QCOMPARE(q.suggestedName, QString("balance-chart.csv"));
    QCOMPARE(q.folder, Absolute("tables"));  // where the list's CSV went
    QCOMPARE(q.nameFilters, tables);
    QTest::mouseClick(stats->findChild<QPushButton*>("SaveFigures"), Qt::LeftButton);
    QCOMPARE(questions_.last().suggestedName, QString("figures.csv"));

    // A folder gone since is forgotten: back to the working folder.
    QVERIFY(QFile::remove("tables/list.csv") && QDir().rmdir("tables"));
    QTest::mouseClick(stats->findChild<QPushButton*>("SaveFigures"), Qt::LeftButton);
    QCOMPARE(questions_.last().folder, QString("."));
  }

  // The real save dialog: it opens in the folder last chosen for its kind
  // with the suggested name typed in, its kind's filter chosen; Enter saves
  // under that name there.
  void saveDialogSuggestsANameInTheLastFolder() {
    QVERIFY(QDir().mkpath("kept"));
    OpenWithResults(3);
    zlc::ui::SetFileAnswerer(nullptr);  // the real dialog
    QString folder, typed, filter;
    bool done = false;
    // Result 3, saved into "kept" by typing the folder before the name.
    OnDialog(done, [&](QFileDialog* dialog) {
      folder = dialog->directory().absolutePath();
      typed = NameField(dialog)->text();
      filter = dialog->selectedNameFilter();
      NameField(dialog)->setFocus();
      QTest::keyClick(NameField(dialog), Qt::Key_Home);
      QTest::keyClicks(NameField(dialog), "kept/");
      QTest::keyClick(NameField(dialog), Qt::Key_Return);
    });
    FromListMenu(1, "Save2");
    QTRY_VERIFY(done);
    QCOMPARE(folder, Absolute("."));
    QCOMPARE(typed, QString("result-3.txt"));
    QCOMPARE(filter, QString("Results (*.txt)"));
    QTRY_VERIFY(QFile::exists("kept/result-3.txt"));

    // The next result's dialog opens in "kept"; Enter takes the name.
    OnDialog(done, [&](QFileDialog* dialog) {
      folder = dialog->directory().absolutePath();
      typed = NameField(dialog)->text();
      QTest::keyClick(NameField(dialog), Qt::Key_Return);
    });
    FromListMenu(7, "Save2");
    QTRY_VERIFY(done);
    QCOMPARE(folder, Absolute("kept"));
    QCOMPARE(typed, QString("result-1.txt"));
    QTRY_VERIFY(QFile::exists("kept/result-1.txt"));
    QVERIFY(QFile("kept/result-1.txt").size() > 0);

    // Another kind still starts in the working folder; Esc cancels.
    OnDialog(done, [&](QFileDialog* dialog) {
      folder = dialog->directory().absolutePath();
      typed = NameField(dialog)->text();
      filter = dialog->selectedNameFilter();
      QTest::keyClick(NameField(dialog), Qt::Key_Escape);
    });
    Press(Qt::CTRL | Qt::Key_S);
    QTRY_VERIFY(done);
    QCOMPARE(folder, Absolute("."));
    QCOMPARE(typed, QString());
    QCOMPARE(filter, QString("Tasks (*.zlt)"));
    QCOMPARE(QDir(".").entryList({"*.zlt"}, QDir::Files), QStringList());
  }

  // Open is usable for a task's name typed without ".zlt" and for a result's
  // name that has no extension, and a click on it opens the file; for a name
  // that is nothing it stays off.
  void openButtonTakesATypedStem() {
    QVERIFY(QDir().mkpath("sub"));
    WriteFile("task.zlt", "Qh ** \r\n");
    WriteFile("sub/other.zlt", "Ad ** 7s \r\n");
    WriteFile("res1", "1. 6s 7s 8s 9s Xs Js Qs Ks As 6d 7d 8d 9d Xd Jd Qd Kd Ad "
                      "6c 7c 8c 9c Xc Jc Qc Kc Ac 6h 7h 8h 9h Xh Jh Qh Kh Ah \r\n");
    OpenWindow();
    Activate(form_.get());
    zlc::ui::SetFileAnswerer(nullptr);  // the real dialog
    auto* task = Find<QLineEdit>("Edit1");

    // Types `name` and clicks Open when it is usable, else cancels; tells
    // whether Open was usable.
    auto openByMouse = [&](const QString& name) -> bool {
      bool usable = false, done = false;
      OnDialog(done, [&](QFileDialog* dialog) {
        QLineEdit* field = NameField(dialog);
        field->setFocus();
        QTest::keyClicks(field, name);
        QTest::qWait(100);  // the dialog reads the folder in as the name is typed
        usable = Button(dialog, QDialogButtonBox::Open)->isEnabled();
        ClickToClose(dialog, Button(dialog, usable ? QDialogButtonBox::Open : QDialogButtonBox::Cancel));
      });
      Activate(form_.get());
      Press(Qt::CTRL | Qt::Key_O);
      const bool closed = QTest::qWaitFor([&] { return done && !QApplication::activeModalWidget(); });
      return closed && usable;
    };

    QVERIFY(openByMouse("task"));
    QCOMPARE(task->text(), QString("Qh ** "));
    QVERIFY(!openByMouse("nothing"));
    QCOMPARE(task->text(), QString("Qh ** "));
    QVERIFY(openByMouse("res1"));  // hidden by the tasks' filter, opened as typed
    QCOMPARE(calc_->editor.TaskLength(), 36);
    QVERIFY(openByMouse("sub/other"));
    QCOMPARE(task->text(), QString("Ad ** 7s "));
    // The next one opens in "sub", where the stem alone finds the file.
    QVERIFY(openByMouse("other"));
    QCOMPARE(task->text(), QString("Ad ** 7s "));
    QVERIFY(!openByMouse("task"));  // not in "sub"
  }
};

QTEST_MAIN(FileDialogsTest)
#include "file_dialogs_test.moc"
