// The main window: the card grid, the task field and its buttons, the filter
// summary and the two result lists. A view over the calculator's state.
#pragma once

#include <QCheckBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QPointer>
#include <QPushButton>
#include <QSplitter>
#include <QStringList>
#include <QTimer>
#include <array>
#include <functional>

#include "cards/task_editor.h"
#include "cards/task_history.h"
#include "calculator/calculator.h"
#include "ui/anchors.h"
#include "ui/runtime_dialogs.h"

class QAction;
class QDragEnterEvent;
class QDropEvent;
class QFrame;
class QMenu;
class QMimeData;

namespace zlc::ui {

class LineListView;
class TForm2;
class TForm3;
class TForm4;
class TForm5;
class TForm6;
class StatisticsWindow;
class ResultWindow;

class TForm1 : public QMainWindow {
  Q_OBJECT

 public:
  // The lists' titles for the counts given, in the window's language.
  static QString ResultsTitle(std::int64_t rn, std::int64_t cn);
  static QString FilteredTitle(std::int64_t filtered);
  static constexpr int kClientWidth = 618;
  static constexpr int kClientHeight = 358;
  // How long the timer handler keeps running batches before it lets the
  // window answer again.
  static constexpr int kSliceMilliseconds = 10;
  // How often a run redraws the lists and the captions.
  static constexpr int kSyncMilliseconds = 40;

  explicit TForm1(Calculator& calc, QWidget* parent = nullptr);
  ~TForm1() override;

  Calculator& calc() { return calc_; }
  QPushButton* cardButton(int index) const { return cardButtons_[index]; }
  TForm2* filterDialog() const { return form2_; }
  TForm4* progressWindow() const { return form4_; }
  TForm5* aboutWindow() const { return form5_; }
  TForm6* optionsWindow() const { return form6_; }
  StatisticsWindow* statisticsWindow() const { return statistics_; }
  QStringList OpenWindowNames() const;
  void OpenWindowNamed(const QString& name);
  // The task files last opened or saved, newest first, as full paths; kept
  // with the window settings, never in zlc.cfg.
  static constexpr int kMostRecentTasks = 8;
  QStringList RecentTasks() const { return recentTasks_; }
  void SetRecentTasks(const QStringList& paths);
  QMenu* resultsMenu() const { return PopupMenu1; }
  // The result windows open now, oldest first.
  QList<ResultWindow*> ResultWindows() const;
  // The result the lists' menu was last opened on, and its number as line 1
  // shows it (0 before any).
  const ResultBlock& menuBlock() const { return menuBlock_; }
  std::int64_t menuResultNumber() const { return menuResultNumber_; }

  // Mirrors the task, the grid and the buttons that follow the task.
  void SyncTask();
  // Mirrors the counters, the captions and the two lists.
  void SyncResults();
  void BuildCardGrid();
  void FreeCardGrid();

  // Handlers, public so that tests can drive them as the user would.
  void Button5Click();  // Run / Stop
  void Button3Click();  // step
  void Button6Click();  // Clear Results
  void Timer1Timer();
  void ListMouseUp(int source, QPoint pos, Qt::MouseButton button);
  void ListMouseMove(int source, QPoint pos);
  void Save2Click();
  void Saveallresults1Click();
  void Exportlist1Click();
  void Copy1Click();
  void Showresult1Click();

 protected:
  bool event(QEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void showEvent(QShowEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void FormCreate();
  void FormActivate();
  void FormClose();
  void CreateControls();
  void CreateMenu();
  void CreateShortcuts();
  void ChainFocus();
  void NameForReaders();
  void SetRunCaption(const QString& caption);
  // Captions that carry the core's counts, in the interface's language.
  static QString TaskTitle(int length);
  static QString VariantsText(std::int64_t count);
  QString VariantsLabelText() const;
  static const QKeySequence kRunKey;
  void CreateResultsArea();
  void ShowWholeResults();
  void FitCaptions();
  QSize MinimumClientSize() const;
  void ShowDroppedNotice();
  void PlaceCardButton(int index, int left, int top, int width, int height, bool bold,
                       const QString& caption);
  void CardButtonClick(int index);
  bool TaskLocked() const;
  // An edit of the task by hand, kept for Ctrl+Z.
  void EditTask(const std::function<void()>& edit);
  void UndoTaskEdit();
  // "Open", a recent task and a dropped file alike; false when not opened.
  bool OpenTaskPath(const QString& path);
  void RememberRecentTask(const QString& path);
  void FillRecentMenu();
  void Edit1MouseUp();
  void Button2Click();
  void Button4Click();
  void CheckBox2Click(bool checked);
  void CheckBox3Click(bool checked);
  void CheckBox4Click(bool checked);
  void Quit1Click();
  void Button1Click();
  void Open1Click();
  void Openresult1Click();
  void Options1Click();
  void About1Click();
  void Statistics1Click();
  void Save1Click();
  void DisableForRun();
  void RestoreAfterRun();
  void StopRun();
  LineListView* ListOf(int source) const { return source == 2 ? ListBox2 : ListBox1; }
  void ListMenuKey(int source, std::ptrdiff_t line, QPoint at);
  void CopyLine(int source, std::ptrdiff_t line);
  // The result of a list's line in its window; one already open for it
  // comes to the front.
  void ShowResult(int source, std::ptrdiff_t viewLine);
  void ShowResultWindow(const ResultBlock& block, const ResultRecord& record);
  // The menu opened over a list, on a line of it or not: which list "Save
  // all results..." and "Export" take, and the block under it, copied now so
  // that a run adding blocks meanwhile does not change what is saved. False
  // when not on a line (the block before stays, its entries are off).
  bool NoteMenuList(int source, std::ptrdiff_t viewLine);
  const ResultList& MenuList() const;  // empty before the menu opened
  static void PutOnClipboard(const ResultBlock& block);

 public:
  void RefreshFilterDescription();
  static QString GridButtonTip(int index);

 protected:
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dropEvent(QDropEvent* e) override;

 private:
  // The one local file a drag brings, or empty.
  static QString DroppedFile(const QMimeData* data);

  Calculator& calc_;
  AnchorLayout* anchors_;
  TForm2* form2_ = nullptr;
  TForm3* form3_ = nullptr;
  TForm4* form4_ = nullptr;
  TForm5* form5_ = nullptr;
  TForm6* form6_ = nullptr;
  StatisticsWindow* statistics_ = nullptr;
  QStringList openAtClose_;
  QStringList recentTasks_;
  QMenu* recentMenu_ = nullptr;
  TaskHistory history_;
  bool buildingGrid_ = false;
  bool messagesReleased_ = false;
  bool droppedNoticeShown_ = false;
  bool releasePending_ = false;
  QElapsedTimer sinceSync_;
  int lastCardButton_ = 0;
  std::array<QPushButton*, kCardButtonCount> cardButtons_{};

  // The run lock: which controls were enabled when it took them.
  bool locked_ = false;
  int lockDepth_ = 0;
  std::array<bool, kCardButtonCount> savedGrid_{};
  std::array<QWidget*, 8> lockedControls_{};
  std::array<bool, 8> savedControls_{};
  QPointer<QWidget> focusBeforeRun_;

  QWidget* client_ = nullptr;
  QFrame* Panel1 = nullptr;
  QFrame* Panel3 = nullptr;
  QFrame* Panel2 = nullptr;
  QGroupBox* GroupBox1 = nullptr;
  QGroupBox* GroupBox2 = nullptr;
  QGroupBox* GroupBox3 = nullptr;
  QGroupBox* GroupBox4 = nullptr;
  QGroupBox* GroupBox5 = nullptr;
  QGroupBox* GroupBox6 = nullptr;
  LineListView* ListBox1 = nullptr;
  LineListView* ListBox2 = nullptr;
  QListWidget* ListBox3 = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLineEdit* Edit1 = nullptr;
  QPushButton* Button1 = nullptr;
  QPushButton* Button2 = nullptr;
  QPushButton* Button3 = nullptr;
  QPushButton* Button4 = nullptr;
  QPushButton* Button5 = nullptr;
  QPushButton* Button6 = nullptr;
  QCheckBox* CheckBox2 = nullptr;
  QCheckBox* CheckBox3 = nullptr;
  QCheckBox* CheckBox4 = nullptr;
  QSplitter* Splitter1 = nullptr;
  QTimer* Timer1 = nullptr;
  QMenu* PopupMenu1 = nullptr;
  int menuSource_ = 0;  // 1 "All", 2 "Filtered"; 0 before the menu opened
  ResultBlock menuBlock_;
  std::int64_t menuResultNumber_ = 0;
  ResultRecord menuRecord_;
  QList<QPointer<ResultWindow>> resultWindows_;
  QAction* Showresult1 = nullptr;
  QAction* Save2 = nullptr;
  QAction* Saveallresults1 = nullptr;
  QAction* Exportlist1 = nullptr;
  QAction* Copy1 = nullptr;
  QAction* Open1 = nullptr;
  QAction* Openresult1 = nullptr;
  QAction* Save1 = nullptr;
  QAction* Quit1 = nullptr;
  QAction* Options1 = nullptr;
  QAction* About1 = nullptr;
  QAction* Statistics1 = nullptr;
};

}  // namespace zlc::ui
