#include "ui/unit1.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QUrl>
#include <algorithm>
#include <optional>

#include "filter/filter_description.h"
#include "zlc_version.h"
#include "ui/line_list.h"
#include "ui/manual_window.h"
#include "ui/menu_bar_keys.h"
#include "calculator/result_file.h"
#include "ui/result_window.h"
#include "ui/statistics_window.h"
#include "ui/task_field.h"
#include "ui/text.h"
#include "ui/unit2.h"
#include "ui/unit3.h"
#include "ui/unit4.h"
#include "ui/unit5.h"
#include "ui/unit6.h"

namespace zlc::ui {
namespace {

QFrame* MakePanel(QWidget* parent, const char* name, bool sunken) {
  auto* panel = new QFrame(parent);
  panel->setObjectName(name);
  panel->setFrameShape(QFrame::Panel);
  panel->setFrameShadow(sunken ? QFrame::Sunken : QFrame::Plain);
  panel->setLineWidth(sunken ? 1 : 0);
  return panel;
}

template <typename W>
W* Named(W* widget, const char* name) {
  widget->setObjectName(name);
  return widget;
}

constexpr QMargins kGroupInsets{2, 15, 2, 2};
constexpr QMargins kBevelInsets{1, 1, 1, 1};

}  // namespace

TForm1::TForm1(Calculator& calc, QWidget* parent)
    : QMainWindow(parent), calc_(calc), anchors_(new AnchorLayout(this)) {
  setObjectName("Form1");
  setAcceptDrops(true);  // a task file dropped on the window opens
  FormCreate();
}

TForm1::~TForm1() {
  if (calc_.Progress() == form4_) calc_.SetProgress(nullptr);
  if (!messagesReleased_) ReleaseRuntimeMessages(nullptr);
}

void TForm1::FormCreate() {
  // What start-up has to say waits for the window, to be shown over it.
  HoldRuntimeMessages();
  setWindowTitle(tr("Zelt calculator v%1").arg(kVersion));
  CreateMenu();
  CreateControls();
  CreateShortcuts();

  calc_.SetReporter([this](const RuntimeMessage& message) { ShowRuntimeMessage(this, message); });
  calc_.InitSettings();
  // The boxes mirror the settings in force; setting a box from code runs its
  // click handler as a user's click would.
  CheckBox2->setChecked(calc_.settings.autosaveAll);
  CheckBox3->setChecked(calc_.settings.autosaveFiltered);
  CheckBox4->setChecked(calc_.settings.clearAtRn);

  RefreshFilterDescription();

  buildingGrid_ = true;
  BuildCardGrid();
  buildingGrid_ = false;
  SyncTask();
  ChainFocus();
  NameForReaders();

  calc_.SeedFromClock();

  // The other windows, in their creation order.
  form3_ = new TForm3(this);
  form2_ = new TForm2(calc_, GroupBox3->title(), this, form3_);
  connect(form2_, &TForm2::descriptionChanged, this, &TForm1::RefreshFilterDescription);
  form4_ = new TForm4(this);
  calc_.SetProgress(form4_);
  form5_ = new TForm5(this);
  form6_ = new TForm6(calc_, this);
  CheckBox4->setText(form6_->ClearAtRnCaption());
  connect(form6_, &TForm6::clearThresholdCaptionChanged, this, [this](const QString& caption) {
    CheckBox4->setText(caption);
    FitCaptions();  // a threshold of more digits than room was made for
  });
  if (QScreen* screen = QApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
}

void TForm1::CreateMenu() {
  QMenu* file = menuBar()->addMenu(tr("&File"));
  Open1 = file->addAction(tr("Open"));
  recentMenu_ = file->addMenu(tr("Recent tasks"));
  recentMenu_->setObjectName("RecentTasks");
  FillRecentMenu();
  Openresult1 = file->addAction(tr("Open result..."));
  file->addSeparator();
  Save1 = file->addAction(tr("Save"));
  file->addSeparator();
  Quit1 = file->addAction(tr("Quit"));
  Options1 = menuBar()->addAction(tr("&Options"));
  QMenu* view = menuBar()->addMenu(tr("&View"));
  Statistics1 = view->addAction(tr("Statistics"));
  QMenu* help = menuBar()->addMenu(tr("&Help"));
  AddManualEntry(help, this);
  About1 = help->addAction(tr("About"));

  Open1->setObjectName("Open1");
  Openresult1->setObjectName("Openresult1");
  connect(Openresult1, &QAction::triggered, this, &TForm1::Openresult1Click);
  Save1->setObjectName("Save1");
  Quit1->setObjectName("Quit1");
  Options1->setObjectName("Options1");
  About1->setObjectName("About1");
  Statistics1->setObjectName("Statistics1");
  connect(Statistics1, &QAction::triggered, this, &TForm1::Statistics1Click);
  connect(Options1, &QAction::triggered, this, &TForm1::Options1Click);
  connect(About1, &QAction::triggered, this, &TForm1::About1Click);
  connect(Quit1, &QAction::triggered, this, &TForm1::Quit1Click);
  connect(Open1, &QAction::triggered, this, &TForm1::Open1Click);
  connect(Save1, &QAction::triggered, this, &TForm1::Save1Click);
}

const QKeySequence TForm1::kRunKey{Qt::Key_F5};

namespace {

// A button's key: the click at once, and the button shown pressed a moment
// so that the eye sees which one acted. A disabled button takes no key.
void PressFromKey(QPushButton* button) {
  if (!button->isEnabled() || !button->isVisible()) return;
  button->setDown(true);
  QTimer::singleShot(100, button, [button] { button->setDown(false); });
  button->click();
}

}  // namespace

// The main actions from the keyboard. The keys are the desktop's usual ones
// where there is one, and otherwise keys no text box here uses; a button's
// key works only while the button is enabled, so a run locks them too.
void TForm1::CreateShortcuts() {
  Open1->setShortcut(QKeySequence::Open);
  Save1->setShortcut(QKeySequence::Save);
  Quit1->setShortcut(QKeySequence::Quit);
  Options1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Comma));
  Statistics1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
  // F10 opens the menu bar at its first menu, as on most desktops.
  connect(new QShortcut(QKeySequence(Qt::Key_F10), this), &QShortcut::activated, this,
          [this] { menuBar()->setActiveAction(menuBar()->actions().value(0)); });
  RunPlainItemsFromKeys(menuBar());
  const struct {
    QPushButton* button;
    QKeySequence key;
    const char* what;
  } keys[] = {
      {Button5, kRunKey, QT_TR_NOOP("Run or stop the search")},
      {Button3, QKeySequence(Qt::Key_F6), QT_TR_NOOP("Run one batch")},
      {Button1, QKeySequence(Qt::CTRL | Qt::Key_F), QT_TR_NOOP("Change the filter")},
      {Button4, QKeySequence(Qt::CTRL | Qt::Key_N), QT_TR_NOOP("Clear the task")},
      {Button6, QKeySequence(Qt::CTRL | Qt::Key_L), QT_TR_NOOP("Clear the result lists")},
  };
  for (const auto& k : keys) {
    // The key acts when it is pressed, as a click does: a button's own key
    // would act a tenth of a second later, after a click that followed it.
    auto* shortcut = new QShortcut(k.key, this);
    QPushButton* button = k.button;
    connect(shortcut, &QShortcut::activated, button, [button] { PressFromKey(button); });
    k.button->setToolTip(QString("%1 (%2)").arg(tr(k.what), k.key.toString(QKeySequence::NativeText)));
  }
  Button2->setToolTip(tr("Delete the selected tokens (Del)"));
  // Undo for the task's edits; a text field with the focus keeps its own.
  auto* undo = new QShortcut(QKeySequence::Undo, this);
  undo->setObjectName("UndoTaskEdit");
  connect(undo, &QShortcut::activated, this, &TForm1::UndoTaskEdit);
}

void TForm1::CreateControls() {
  client_ = Named(new QWidget(this), "ClientArea");
  client_->resize(kClientWidth, kClientHeight);
  setCentralWidget(client_);
  resize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());

  Panel1 = MakePanel(client_, "Panel1", true);
  anchors_->Place(Panel1, {0, 0, kClientWidth, kClientHeight}, Align::Client);
  anchors_->SetInsets(Panel1, kBevelInsets);

  Panel3 = MakePanel(Panel1, "Panel3", false);
  anchors_->Place(Panel3, {1, 1, 616, 185}, Align::Top);
  anchors_->SetInsets(Panel3, kBevelInsets);

  GroupBox1 = Named(new QGroupBox(tr("Cards"), Panel3), "GroupBox1");
  anchors_->Place(GroupBox1, {1, 0, 288, 128});

  GroupBox3 = Named(new QGroupBox(tr("Filtering Settings"), Panel3), "GroupBox3");
  anchors_->Place(GroupBox3, {287, 0, 328, 128}, Align::None, kLeft | kTop | kRight);
  anchors_->SetInsets(GroupBox3, kGroupInsets);
  ListBox3 = Named(new QListWidget(GroupBox3), "ListBox3");
  ListBox3->setUniformItemSizes(true);
  ListBox3->setSelectionMode(QAbstractItemView::NoSelection);
  ListBox3->setFocusPolicy(Qt::TabFocus);  // its lines are read from the keyboard too
  anchors_->Place(ListBox3, {2, 15, 324, 92}, Align::Top);
  Panel2 = MakePanel(GroupBox3, "Panel2", true);
  anchors_->Place(Panel2, {3, 108, 243, 17}, Align::None, kLeft | kTop | kRight);
  Label2 = Named(new QLabel(Panel2), "Label2");
  anchors_->Place(Label2, {3, 2, 237, 13}, Align::None, kLeft | kTop | kRight);
  Button1 = Named(new QPushButton(tr("Change"), GroupBox3), "Button1");
  anchors_->Place(Button1, {248, 108, 75, 17}, Align::None, kTop | kRight);
  connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);

  GroupBox2 = Named(new QGroupBox(TaskTitle(0), Panel3), "GroupBox2");
  anchors_->Place(GroupBox2, {1, 128, 614, 56}, Align::Bottom);
  Edit1 = Named(new TaskField(GroupBox2), "Edit1");
  Edit1->installEventFilter(this);
  connect(Edit1, &QLineEdit::selectionChanged, this, &TForm1::Edit1MouseUp);
  anchors_->Place(Edit1, {4, 14, 605, 21}, Align::None, kLeft | kTop | kRight);
  Button2 = Named(new QPushButton(tr("delete selected"), GroupBox2), "Button2");
  anchors_->Place(Button2, {8, 38, 89, 14});
  Button2->setEnabled(false);
  Button3 = Named(new QPushButton(tr("step"), GroupBox2), "Button3");
  anchors_->Place(Button3, {360, 38, 57, 14}, Align::None, kTop | kRight);
  Button3->setEnabled(false);
  Button5 = Named(new QPushButton(tr("Run"), GroupBox2), "Button5");
  anchors_->Place(Button5, {432, 36, 57, 18}, Align::None, kTop | kRight);
  Button5->setEnabled(false);
  Button4 = Named(new QPushButton(tr("Clear Task"), GroupBox2), "Button4");
  anchors_->Place(Button4, {534, 38, 75, 14}, Align::None, kTop | kRight);

  CreateResultsArea();
  FitCaptions();

  Timer1 = Named(new QTimer(this), "Timer1");
  // The timer runs only while "Run" is on, and fires again as soon as the
  // window has handled its events: a millisecond's pause after every slice
  // would leave a tenth of the search unused.
  Timer1->setInterval(0);
  connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
  connect(Button3, &QPushButton::clicked, this, &TForm1::Button3Click);
  connect(Button5, &QPushButton::clicked, this, &TForm1::Button5Click);
  connect(Button6, &QPushButton::clicked, this, &TForm1::Button6Click);

  connect(Button2, &QPushButton::clicked, this, &TForm1::Button2Click);
  connect(Button4, &QPushButton::clicked, this, &TForm1::Button4Click);
  // toggled fires for changes made from code too, and not when the state
  // set is the state already held: the boxes' click semantics.
  connect(CheckBox2, &QCheckBox::toggled, this, &TForm1::CheckBox2Click);
  connect(CheckBox3, &QCheckBox::toggled, this, &TForm1::CheckBox3Click);
  connect(CheckBox4, &QCheckBox::toggled, this, &TForm1::CheckBox4Click);
}

void TForm1::CreateResultsArea() {
  GroupBox6 = Named(new QGroupBox(ResultsTitle(0, 0), Panel1), "GroupBox6");
  anchors_->Place(GroupBox6, {1, 186, 616, 171}, Align::Client);
  anchors_->SetInsets(GroupBox6, kGroupInsets);
  Splitter1 = Named(new QSplitter(Qt::Vertical, GroupBox6), "Splitter1");
  Splitter1->setHandleWidth(3);
  Splitter1->setChildrenCollapsible(false);
  anchors_->Place(Splitter1, {2, 15, 612, 154}, Align::Client);

  auto makeList = [this](QWidget* parent, const char* name, const ResultList& list) {
    auto* view = Named(new LineListView(list, parent), name);
    view->setMouseTracking(true);
    view->viewport()->setMouseTracking(true);
    view->viewport()->installEventFilter(this);
    const int source = &list == &calc_.Lists().Filtered() ? 2 : 1;
    connect(view, &LineListView::menuRequested, this,
            [this, source](std::ptrdiff_t line, QPoint at) { ListMenuKey(source, line, at); });
    connect(view, &LineListView::copyRequested, this,
            [this, source](std::ptrdiff_t line) { CopyLine(source, line); });
    connect(view, &LineListView::openRequested, this,
            [this, source](std::ptrdiff_t line) { ShowResult(source, line); });
    return view;
  };

  GroupBox4 = Named(new QGroupBox(tr("All"), Splitter1), "GroupBox4");
  GroupBox4->resize(612, 84);
  ListBox1 = makeList(GroupBox4, "ListBox1", calc_.Lists().All());
  anchors_->Place(ListBox1, {2, 15, 608, 50}, Align::None, kLeft | kTop | kRight | kBottom);
  // Room for a five-digit threshold; the caption follows the options.
  CheckBox4 = Named(new QCheckBox(TForm6::tr("Clear at RN > %1").arg(10000), GroupBox4), "CheckBox4");
  CheckBox4->setChecked(true);
  anchors_->Place(CheckBox4, {8, 65, 145, 17}, Align::None, kLeft | kBottom);
  Label1 = Named(new QLabel(tr("Autosave:"), GroupBox4), "Label1");
  anchors_->Place(Label1, {304, 66, 60, 13}, Align::None, kRight | kBottom);
  CheckBox2 = Named(new QCheckBox(tr("all"), GroupBox4), "CheckBox2");
  anchors_->Place(CheckBox2, {368, 65, 33, 17}, Align::None, kRight | kBottom);
  CheckBox3 = Named(new QCheckBox(tr("filtered"), GroupBox4), "CheckBox3");
  CheckBox3->setChecked(true);
  anchors_->Place(CheckBox3, {408, 65, 57, 17}, Align::None, kRight | kBottom);
  Button6 = Named(new QPushButton(tr("Clear Results"), GroupBox4), "Button6");
  anchors_->Place(Button6, {534, 66, 75, 14}, Align::None, kRight | kBottom);

  GroupBox5 = Named(new QGroupBox(FilteredTitle(0), Splitter1), "GroupBox5");
  GroupBox5->resize(612, 67);
  anchors_->SetInsets(GroupBox5, kGroupInsets);
  ListBox2 = makeList(GroupBox5, "ListBox2", calc_.Lists().Filtered());
  anchors_->Place(ListBox2, {2, 15, 608, 50}, Align::Client);
  Splitter1->addWidget(GroupBox4);
  Splitter1->addWidget(GroupBox5);
  // The splitter keeps its children in an order of its own; a screen reader
  // walks them in that order, and "All" must come first.
  GroupBox4->stackUnder(GroupBox5);
  Splitter1->setSizes({84, 67});
  Splitter1->setStretchFactor(0, 0);
  Splitter1->setStretchFactor(1, 1);

  // The lists keep at least two whole lines under a horizontal scroll bar,
  // three where the lines fit, however the window or the splitter is sized.
  for (LineListView* list : {ListBox1, ListBox2}) {
    const int frame = 2 * list->frameWidth();
    const int lines = std::max(3 * LineListView::kLineHeight,
                               2 * LineListView::kLineHeight +
                                   list->horizontalScrollBar()->sizeHint().height());
    list->setMinimumHeight(lines + frame);
  }
  GroupBox4->setMinimumHeight(84 - 50 + ListBox1->minimumHeight());
  GroupBox5->setMinimumHeight(kGroupInsets.top() + kGroupInsets.bottom() + ListBox2->minimumHeight());
  ShowWholeResults();

  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName("PopupMenu1");
  Save2 = PopupMenu1->addAction(tr("Save result..."));
  Save2->setObjectName("Save2");
  Saveallresults1 = PopupMenu1->addAction(tr("Save all results..."));
  Saveallresults1->setObjectName("Saveallresults1");
  Exportlist1 = PopupMenu1->addAction(tr("Export list as CSV..."));
  Exportlist1->setObjectName("Exportlist1");
  // The key is handled by the focused list itself; the menu only shows it.
  Copy1 = PopupMenu1->addAction(tr("Copy") + "\t" +
                                QKeySequence(QKeySequence::Copy).toString(QKeySequence::NativeText));
  Copy1->setObjectName("Copy1");
  connect(Copy1, &QAction::triggered, this, &TForm1::Copy1Click);
  PopupMenu1->addSeparator();
  Showresult1 = PopupMenu1->addAction(tr("Show result") + "\t" + tr("Enter"));
  Showresult1->setObjectName("Showresult1");
  // What Enter and a double click on a line do.
  PopupMenu1->setDefaultAction(Showresult1);
  connect(Showresult1, &QAction::triggered, this, &TForm1::Showresult1Click);
  connect(Save2, &QAction::triggered, this, &TForm1::Save2Click);
  connect(Saveallresults1, &QAction::triggered, this, &TForm1::Saveallresults1Click);
  connect(Exportlist1, &QAction::triggered, this, &TForm1::Exportlist1Click);
}

// The drawn lists hold two and a half lines under their scroll bars, less
// than one result: each is made as much taller as one whole result (three
// lines) needs, and the window with them.
void TForm1::ShowWholeResults() {
  const int wholeResult = 3 * LineListView::kLineHeight +
                          ListBox1->horizontalScrollBar()->sizeHint().height() + 2 * ListBox1->frameWidth();
  const int allMore = std::max(0, wholeResult - 50);
  const int filteredMore = std::max(0, wholeResult - (67 - kGroupInsets.top() - kGroupInsets.bottom()));
  const int more = allMore + filteredMore;
  client_->resize(kClientWidth, kClientHeight + more);
  resize(kClientWidth, kClientHeight + more + menuBar()->sizeHint().height());
  GroupBox4->resize(GroupBox4->width(), 84 + allMore);
  GroupBox5->resize(GroupBox5->width(), 67 + filteredMore);
  Splitter1->resize(Splitter1->width(), Splitter1->height() + more);
  Splitter1->setSizes({84 + allMore, 67 + filteredMore});
}

// Room for a translation's longer captions, and the window's least size
// that keeps them clear of each other.
void TForm1::FitCaptions() {
  anchors_->FitRow({Button1});
  anchors_->FitRow({Button2, Button3, Button5, Button4});
  anchors_->FitRow({CheckBox4, Label1, CheckBox2, CheckBox3, Button6});
  client_->setMinimumSize(MinimumClientSize());
}

// The smallest client area at which no control runs into another and both
// lists stay readable: the controls anchored right meet those anchored left
// as the window narrows, and the variants label needs room for a long count.
QSize TForm1::MinimumClientSize() const {
  constexpr int kGap = 6;
  const int width = client_->width();
  // How much narrower than it is the window may become, row by row.
  const int autosaveRow = Label1->geometry().left() - (CheckBox4->geometry().right() + 1 + kGap);
  const int taskRow = Button3->geometry().left() - (Button2->geometry().right() + 1 + kGap);
  const int variantsWidth =
      Label2->fontMetrics().horizontalAdvance(VariantsText(99999999999)) + 2 * Label2->x();
  const int variantsRow = Panel2->width() - variantsWidth;
  // Below 0 when captions grown for a translation meet at this width: the
  // window must then be wider.
  const int narrower = std::min({autosaveRow, taskRow, variantsRow});
  // Heights: the upper half is fixed; below it the results box's caption,
  // the two list frames at their least and the splitter between them.
  const int upper = 1 + Panel3->height() + 1;
  const int results = kGroupInsets.top() + GroupBox4->minimumHeight() + Splitter1->handleWidth() +
                      GroupBox5->minimumHeight() + kGroupInsets.bottom();
  return {width - narrower, upper + results};
}

void TForm1::PlaceCardButton(int index, int left, int top, int width, int height, bool bold,
                             const QString& caption) {
  QPushButton* b = cardButtons_[index];
  b->setGeometry(left, top, width, height);
  if (buildingGrid_) {
    b->setEnabled(true);
    b->show();
  }
  b->setText(caption);
  QFont f = b->font();
  f.setBold(bold);
  b->setFont(f);
}

void TForm1::BuildCardGrid() {
  calc_.editor.BuildCardGrid();
  auto place = [&](int index, int left, int top, bool bold) {
    if (buildingGrid_) {
      auto* b = new QPushButton(client_);
      b->setObjectName(QString("cardButton%1").arg(index));
      // Reached with Tab and the arrows; a click leaves the focus where it was.
      b->setFocusPolicy(Qt::TabFocus);
      connect(b, &QPushButton::clicked, this, [this, index] { CardButtonClick(index); });
      cardButtons_[index] = b;
    }
    PlaceCardButton(index, left, top, 24, 16, bold, ToQt(calc_.editor.Caption(index)));
    cardButtons_[index]->raise();
  };
  lastCardButton_ = 0;
  for (int r = 0; r < kRankCount; ++r) {
    for (int s = 0; s < kSuitCount; ++s) place(++lastCardButton_, 8 + 24 * r, 16 + 20 * s, true);
  }
  for (int r = 0; r < kRankCount; ++r) place(++lastCardButton_, 8 + 24 * r, 108, false);
  for (int s = 0; s < kSuitCount; ++s) place(++lastCardButton_, 248, 16 + 20 * s, false);
  place(++lastCardButton_, 232, 100, false);
  place(kGapButton, 256, 100, false);
}

void TForm1::FreeCardGrid() {
  for (QPushButton*& b : cardButtons_) {
    delete b;
    b = nullptr;
  }
  lastCardButton_ = 0;
}

void TForm1::SyncTask() {
  const TaskEditor& ed = calc_.editor;
  for (int i = 0; i <= kLastCardButton; ++i) {
    QPushButton* b = cardButtons_[i];
    if (!b) continue;
    const QString caption = ToQt(ed.Caption(i));
    if (b->text() != caption) b->setText(caption);
    if (!locked_) b->setEnabled(ed.Enabled(i));
  }
  const QString text = ToQt(ed.Text());
  if (Edit1->text() != text) Edit1->setText(text);
  GroupBox2->setTitle(TaskTitle(ed.TaskLength()));
  Label2->setText(VariantsLabelText());
  // "Run" follows the task; "step" too, except while the run lock holds it.
  Button5->setEnabled(ed.TaskComplete() || calc_.Running());
  if (!locked_) Button3->setEnabled(ed.TaskComplete());
}

QString TForm1::TaskTitle(int length) { return tr("Task (L=%1/36)").arg(length); }

QString TForm1::ResultsTitle(std::int64_t rn, std::int64_t cn) {
  return tr("Results: ( RN / CN = %1 / %2 )").arg(rn).arg(cn);
}

QString TForm1::FilteredTitle(std::int64_t filtered) { return tr("Filtered: %1").arg(filtered); }

QString TForm1::VariantsText(std::int64_t count) { return tr("Variants : %1").arg(count); }

// Shown once the variants of the task are counted, empty before.
QString TForm1::VariantsLabelText() const {
  const std::int64_t shown = calc_.editor.ShownVariants();
  return shown < 0 ? QString() : VariantsText(shown);
}

void TForm1::SyncResults() {
  ListBox1->Sync();
  ListBox2->Sync();
  GroupBox6->setTitle(ResultsTitle(calc_.Counters().rn, calc_.Counters().cn));
  GroupBox5->setTitle(FilteredTitle(calc_.Counters().filtered));
  Label2->setText(VariantsLabelText());
  if (calc_.Lists().DroppedLines() > 0 && !droppedNoticeShown_) ShowDroppedNotice();
}

// Once, without stopping the search: the lists now forget their oldest
// lines, and where every result is kept instead.
void TForm1::ShowDroppedNotice() {
  droppedNoticeShown_ = true;
  const auto megabytes = static_cast<qulonglong>(calc_.Lists().Budget() >> 20);
  QString kept;
  if (calc_.settings.autosaveAll) {
    kept = tr("Every result is kept in results.log.");
  } else if (calc_.settings.autosaveFiltered) {
    kept = tr("The filtered results are kept in resultsf.log; tick \"all\" to keep every "
              "result in results.log as well.");
  } else {
    kept = tr("Tick \"all\" before a run to keep every result in results.log.");
  }
  auto* box = new QMessageBox(QMessageBox::Information, QApplication::applicationName(),
                              tr("The result lists now keep the newest results only: their "
                                 "oldest lines were dropped to stay within %1 MB of memory.\n\n%2")
                                  .arg(megabytes)
                                  .arg(kept),
                              QMessageBox::Ok, this);
  box->setObjectName("DroppedNotice");
  box->setModal(false);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->show();
}

// The task a search runs on stays the task shown: from "Run" to "Stop" (and
// through a step) no button, key or menu may change it, whichever control
// still takes a click or a key.
bool TForm1::TaskLocked() const { return calc_.Running() || locked_; }

void TForm1::EditTask(const std::function<void()>& edit) {
  if (TaskLocked()) return;
  const std::string before = calc_.editor.Text();
  edit();
  history_.Keep(before, calc_.editor.Text());
  SyncTask();
}

// Ctrl+Z: the task as it was before the last edit by hand.
void TForm1::UndoTaskEdit() {
  if (TaskLocked()) return;
  if (const std::optional<std::string> before = history_.Undo()) {
    calc_.editor.LoadTaskText(*before, true);
    SyncTask();
  }
}

void TForm1::CardButtonClick(int index) {
  EditTask([this, index] { calc_.editor.CardButtonClick(index); });
}

// "delete selected" follows the field's selection, except under the run lock.
void TForm1::Edit1MouseUp() {
  if (TaskLocked()) return;
  Button2->setEnabled(Edit1->hasSelectedText());
}

void TForm1::Button2Click() {
  if (!Edit1->hasSelectedText()) return;
  const int start = Edit1->selectionStart();
  const auto length = static_cast<int>(Edit1->selectedText().size());
  EditTask([this, start, length] { calc_.editor.DeleteSelected(start, length); });
}

void TForm1::Button4Click() {
  EditTask([this] { calc_.editor.ClearTask(); });
}

void TForm1::CheckBox2Click(bool checked) { calc_.settings.autosaveAll = checked; }
void TForm1::CheckBox3Click(bool checked) { calc_.settings.autosaveFiltered = checked; }
void TForm1::CheckBox4Click(bool checked) { calc_.settings.clearAtRn = checked; }

void TForm1::Quit1Click() { close(); }

void TForm1::Open1Click() {
  if (TaskLocked()) return;
  const QString path = AskOpenFileName(this, tr("Open"), FileKind::Task);
  if (!path.isEmpty()) OpenTaskPath(path);
}

namespace {

QString ResultFileFaultText(const ResultFileReading& reading, const QString& fileName) {
  switch (reading.fault) {
    case ResultFileFault::NoResultLine:
      return TForm1::tr("%1 holds no result: no line starts with a result's number.").arg(fileName);
    case ResultFileFault::NotCards:
      return TForm1::tr("Line 1 of the result in %1 is no row of cards: \"%2\" cannot be read.")
          .arg(fileName, ToQt(reading.cards.text));
    case ResultFileFault::NotFullDeck:
      return TForm1::tr("The result in %1 has %2 cards; a result has 36.").arg(fileName).arg(reading.cardCount);
    case ResultFileFault::NoCollapse:
      return TForm1::tr("The cards in %1 do not collapse to two: they are no result.").arg(fileName);
    case ResultFileFault::None: break;
  }
  return {};
}

}  // namespace

// A result saved earlier, in its window: read again from its line 1.
void TForm1::Openresult1Click() {
  const QString path = AskOpenFileName(this, tr("Open result"), FileKind::Results);
  if (path.isEmpty()) return;
  const std::string name = PathFromQt(path);
  ResultFileReading reading;
  if (IoResult failed = ReadResultFile(name, calc_.notation, reading)) {
    ShowRuntimeMessage(this, DescribeFailure(*failed, name, FileUse::Reading));
    return;
  }
  const QString fileName = QFileInfo(path).fileName();
  if (reading.fault != ResultFileFault::None) {
    ShowRuntimeMessage(this, ResultFileFaultText(reading, fileName));
    return;
  }
  resultWindows_.removeAll(nullptr);
  auto* window = new ResultWindow(reading.block, reading.record, calc_.notation, this, fileName);
  resultWindows_.append(window);
  window->show();
  window->raise();
  window->activateWindow();
}

bool TForm1::OpenTaskPath(const QString& path) {
  if (TaskLocked()) return false;
  if (!calc_.OpenTaskFile(PathFromQt(path))) {
    // A recent task that is gone is offered no more.
    if (!QFileInfo::exists(path) && recentTasks_.removeAll(QFileInfo(path).absoluteFilePath()) > 0) {
      FillRecentMenu();
    }
    return false;
  }
  // A text in other letters may have switched the notation: what was typed
  // before cannot come back.
  history_.Clear();
  SyncTask();
  RefreshFilterDescription();
  RememberRecentTask(path);
  return true;
}

void TForm1::RememberRecentTask(const QString& path) {
  const QString full = QFileInfo(path).absoluteFilePath();
  recentTasks_.removeAll(full);
  recentTasks_.prepend(full);
  while (recentTasks_.size() > kMostRecentTasks) recentTasks_.removeLast();
  FillRecentMenu();
}

void TForm1::SetRecentTasks(const QStringList& paths) {
  recentTasks_.clear();
  for (const QString& path : paths) {
    if (!path.isEmpty() && !recentTasks_.contains(path) && recentTasks_.size() < kMostRecentTasks) {
      recentTasks_ << path;
    }
  }
  FillRecentMenu();
}

void TForm1::FillRecentMenu() {
  recentMenu_->clear();
  for (int i = 0; i < recentTasks_.size(); ++i) {
    const QString path = recentTasks_[i];
    QAction* entry = recentMenu_->addAction(QString("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()));
    entry->setToolTip(QDir::toNativeSeparators(path));
    entry->setStatusTip(QDir::toNativeSeparators(path));
    connect(entry, &QAction::triggered, this, [this, path] { OpenTaskPath(path); });
  }
  recentMenu_->setToolTipsVisible(true);
  recentMenu_->setEnabled(!recentTasks_.isEmpty() && !TaskLocked());
}

QString TForm1::DroppedFile(const QMimeData* data) {
  if (!data || !data->hasUrls() || data->urls().size() != 1) return {};
  const QUrl url = data->urls().first();
  return url.isLocalFile() ? url.toLocalFile() : QString();
}

// A task file dropped on the window opens as "Open" opens it; not while
// the task is locked for a run.
void TForm1::dragEnterEvent(QDragEnterEvent* e) {
  if (!TaskLocked() && !DroppedFile(e->mimeData()).isEmpty()) e->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* e) {
  const QString path = DroppedFile(e->mimeData());
  if (path.isEmpty() || TaskLocked()) return;
  e->acceptProposedAction();
  // Opened once the drop is over: a message box must not hold the source
  // program's drag.
  QTimer::singleShot(0, this, [this, path] { OpenTaskPath(path); });
}

void TForm1::Button1Click() { form2_->exec(); }

// The dialog switches the deck, the task and the grid's captions in the
// calculator together, between two batches of a run; the window shows the
// new letters once the dialog is closed.
void TForm1::Options1Click() {
  const std::string letters = calc_.notation.rankLetters;
  form6_->exec();
  // The texts kept for Ctrl+Z are in the letters that were in force.
  if (calc_.notation.rankLetters != letters) history_.Clear();
  SyncTask();
  RefreshFilterDescription();
}

void TForm1::About1Click() { form5_->exec(); }

void TForm1::Save1Click() {
  const QString path = AskSaveFileName(this, tr("Save Task"), FileKind::Task);
  if (path.isEmpty()) return;
  if (calc_.SaveTaskFile(PathFromQt(path))) RememberRecentTask(path);
}

void TForm1::RefreshFilterDescription() {
  ListBox3->clear();
  // The modes in the filter dialog's words.
  const ModeWords words{FromQt(TForm2::tr("Random")), FromQt(TForm2::tr("One")),
                        FromQt(TForm2::tr("Many"))};
  for (const std::string& line : BuildFilterDescription(calc_.filter, calc_.notation, words)) {
    ListBox3->addItem(ToQt(line));
  }
}

void TForm1::DisableForRun() {
  // Locked already (a run asked for within a step): the states kept are the
  // ones from before the first lock, and the first unlock gives them back.
  if (locked_) {
    ++lockDepth_;
    return;
  }
  lockDepth_ = 1;
  // Locked before the controls go: a control that is disabled hands the
  // focus on, and the field taking it may select its text.
  locked_ = true;
  // A control that is disabled hands the focus on; it gets it back after.
  focusBeforeRun_ = QApplication::focusWidget();
  for (int i = 0; i <= kLastCardButton; ++i) {
    savedGrid_[i] = cardButtons_[i]->isEnabled();
    cardButtons_[i]->setEnabled(false);
  }
  lockedControls_ = {Button1, Button2, Button3, Button4, Button6, CheckBox2, CheckBox3, CheckBox4};
  for (std::size_t i = 0; i < lockedControls_.size(); ++i) {
    savedControls_[i] = lockedControls_[i]->isEnabled();
    lockedControls_[i]->setEnabled(false);
  }
  // Opening a task mid-run would replace the task under the search.
  Open1->setEnabled(false);
  recentMenu_->setEnabled(false);
}

void TForm1::RestoreAfterRun() {
  if (!locked_ || --lockDepth_ > 0) return;
  for (int i = 0; i <= kLastCardButton; ++i) cardButtons_[i]->setEnabled(savedGrid_[i]);
  for (std::size_t i = 0; i < lockedControls_.size(); ++i) {
    lockedControls_[i]->setEnabled(savedControls_[i]);
  }
  Open1->setEnabled(true);
  locked_ = false;
  recentMenu_->setEnabled(!recentTasks_.isEmpty());
  if (focusBeforeRun_ && focusBeforeRun_->isEnabled() && focusBeforeRun_->window() == this &&
      QApplication::focusWidget() != focusBeforeRun_) {
    focusBeforeRun_->setFocus(Qt::OtherFocusReason);
  }
  // The selection may have changed meanwhile; the button must not offer to
  // delete what is no longer selected.
  Edit1MouseUp();
}

void TForm1::Button5Click() {
  if (!calc_.Running()) {
    DisableForRun();
    if (!calc_.StartRun()) {
      RestoreAfterRun();
      return;
    }
    SetRunCaption(tr("Stop"));
    Timer1->start();
  } else {
    StopRun();
  }
}

void TForm1::SetRunCaption(const QString& caption) { Button5->setText(caption); }

void TForm1::StopRun() {
  Timer1->stop();
  SyncResults();
  SetRunCaption(tr("Run"));
  calc_.StopRun();
  RestoreAfterRun();
  SyncTask();
}

void TForm1::Button3Click() {
  DisableForRun();
  calc_.Step();
  RestoreAfterRun();
  SyncResults();
  SyncTask();
}

void TForm1::Timer1Timer() {
  if (!calc_.Running()) return;
  const auto slice = calc_.RunSlice(Calculator::SliceClock::now() +
                                    std::chrono::milliseconds(kSliceMilliseconds));
  // The lists and captions are redrawn a few dozen times a second, not after
  // every slice: nobody reads faster, and the drawing would slow the search.
  if (!sinceSync_.isValid() || sinceSync_.elapsed() >= kSyncMilliseconds || slice.failed) {
    SyncResults();
    sinceSync_.restart();
  }
  // A file that failed ended the run in the core; the window follows.
  if (!calc_.Running() && Timer1->isActive()) StopRun();
}

void TForm1::Button6Click() {
  calc_.ClearResults();
  calc_.ResetStatistics();  // "Clear at RN >" clears too, but counts on
  SyncResults();
}

void TForm1::ListMouseUp(int source, QPoint pos, Qt::MouseButton button) {
  LineListView* view = ListOf(source);
  if (button != Qt::RightButton || view->LineCount() == 0) return;
  NoteMenuList(source, view->LineAt(pos));
  PopupMenu1->popup(view->viewport()->mapToGlobal(pos));
}

void TForm1::ListMouseMove(int source, QPoint pos) {
  if (calc_.Running()) return;
  LineListView* view = ListOf(source);
  const bool hasLines = view->LineCount() > 0;
  Saveallresults1->setEnabled(hasLines);
  Exportlist1->setEnabled(hasLines);
  Save2->setEnabled(hasLines && view->LineAt(pos) >= 0);
  Copy1->setEnabled(Save2->isEnabled());
  Showresult1->setEnabled(Save2->isEnabled());
}

// The Menu key or Shift+F10 in a list: the menu of the current line, as a
// right-click on it would open it.
void TForm1::ListMenuKey(int source, std::ptrdiff_t line, QPoint at) {
  LineListView* view = ListOf(source);
  const bool onLine = NoteMenuList(source, line);
  Saveallresults1->setEnabled(view->LineCount() > 0);
  Exportlist1->setEnabled(view->LineCount() > 0);
  Save2->setEnabled(onLine);
  Copy1->setEnabled(onLine);
  Showresult1->setEnabled(onLine);
  PopupMenu1->popup(view->viewport()->mapToGlobal(at));
  // From the keyboard the arrows start on the first entry that acts.
  for (QAction* action : PopupMenu1->actions()) {
    if (action->isEnabled() && !action->isSeparator()) {
      PopupMenu1->setActiveAction(action);
      break;
    }
  }
}

bool TForm1::NoteMenuList(int source, std::ptrdiff_t viewLine) {
  menuSource_ = source;
  if (viewLine < 0) return false;
  const ResultList& list = calc_.Lists().Of(source);
  const std::size_t line = ListOf(source)->ListLine(static_cast<std::size_t>(viewLine));
  if (!list.BlockAt(line, menuBlock_)) return false;
  menuRecord_ = list.RecordOfLine(line);
  menuResultNumber_ = menuRecord_.rn;
  return true;
}

const ResultList& TForm1::MenuList() const {
  static const ResultList kNone;
  return menuSource_ == 0 ? kNone : calc_.Lists().Of(menuSource_);
}

void TForm1::Copy1Click() { PutOnClipboard(menuBlock_); }

void TForm1::Showresult1Click() {
  if (menuRecord_.number != 0) ShowResultWindow(menuBlock_, menuRecord_);
}

void TForm1::ShowResult(int source, std::ptrdiff_t viewLine) {
  if (viewLine < 0) return;
  const ResultList& list = calc_.Lists().Of(source);
  const std::size_t line = ListOf(source)->ListLine(static_cast<std::size_t>(viewLine));
  ResultBlock block;
  if (!list.BlockAt(line, block)) return;
  const ResultRecord& record = list.RecordOfLine(line);
  if (record.number != 0) ShowResultWindow(block, record);
}

void TForm1::ShowResultWindow(const ResultBlock& block, const ResultRecord& record) {
  resultWindows_.removeAll(nullptr);
  ResultWindow* window = nullptr;
  for (ResultWindow* open : ResultWindows()) {
    if (open->Record().number == record.number) window = open;
  }
  if (!window) {
    window = new ResultWindow(block, record, calc_.notation, this);
    resultWindows_.append(window);
  }
  window->show();
  window->raise();
  window->activateWindow();
}

QList<ResultWindow*> TForm1::ResultWindows() const {
  QList<ResultWindow*> open;
  for (const QPointer<ResultWindow>& window : resultWindows_) {
    if (window) open.append(window.data());
  }
  return open;
}

// Ctrl+C in a list: the current line's result, as text.
void TForm1::CopyLine(int source, std::ptrdiff_t line) {
  ResultBlock block;
  if (line >= 0 && calc_.Lists().Of(source).BlockAt(ListOf(source)->ListLine(static_cast<std::size_t>(line)), block)) {
    PutOnClipboard(block);
  }
}

void TForm1::PutOnClipboard(const ResultBlock& block) {
  QString text;
  for (const std::string& line : block.lines) text += ToQt(line) + '\n';
  QGuiApplication::clipboard()->setText(text);
}

void TForm1::Save2Click() {
  const QString number = QString::number(menuResultNumber_);
  const QString path = AskSaveFileName(this, tr("Save result #%1").arg(number), FileKind::Results,
                                       ResultFileName(number));
  if (path.isEmpty()) return;
  calc_.SaveResult(menuBlock_, PathFromQt(path));
}

void TForm1::Saveallresults1Click() {
  const QString path = AskSaveFileName(this, tr("Save all results"), FileKind::Results, "results.txt");
  if (path.isEmpty()) return;
  calc_.SaveList(MenuList(), PathFromQt(path));
}

// Made at the first use: its charts take a moment to build.
void TForm1::Statistics1Click() {
  if (!statistics_) statistics_ = new StatisticsWindow(calc_, this);
  statistics_->show();
  statistics_->raise();
  statistics_->activateWindow();
}

// The windows of its own that can stay open beside it, by object name:
// what the next start opens again.
QStringList TForm1::OpenWindowNames() const {
  // Closing this window hides its own with it: once closed, the list is
  // the one taken as it closed.
  if (!isVisible()) return openAtClose_;
  QStringList names;
  if (statistics_ && statistics_->isVisible()) names << statistics_->objectName();
  return names;
}

void TForm1::OpenWindowNamed(const QString& name) {
  if (name == "StatisticsWindow") Statistics1Click();
}

void TForm1::Exportlist1Click() {
  const QString path = AskSaveFileName(this, tr("Export list as CSV"), FileKind::Csv, "results.csv");
  if (path.isEmpty()) return;
  calc_.ExportList(MenuList(), PathFromQt(path));
}

bool TForm1::eventFilter(QObject* watched, QEvent* e) {
  for (int source : {1, 2}) {
    if (!ListOf(source) || watched != ListOf(source)->viewport()) continue;
    if (e->type() == QEvent::MouseButtonRelease) {
      auto* me = static_cast<QMouseEvent*>(e);
      ListMouseUp(source, me->position().toPoint(), me->button());
    } else if (e->type() == QEvent::MouseMove) {
      ListMouseMove(source, static_cast<QMouseEvent*>(e)->position().toPoint());
    }
  }
  if (watched == Edit1 && e->type() == QEvent::KeyPress) {
    // The task box is read-only: Del and Backspace mean "delete selected".
    const int key = static_cast<QKeyEvent*>(e)->key();
    if ((key == Qt::Key_Delete || key == Qt::Key_Backspace) && Button2->isEnabled()) {
      Button2->click();
      return true;
    }
  }
  if (watched == Edit1 &&
      (e->type() == QEvent::MouseButtonRelease || e->type() == QEvent::KeyRelease)) {
    Edit1MouseUp();
  }
  return QMainWindow::eventFilter(watched, e);
}

bool TForm1::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate) FormActivate();
  if (e->type() == QEvent::UpdateRequest) {
    // The repaint fills large areas on the toolkit's worker threads and
    // waits for them; with the search's helper busy on the other core they
    // could wait for a processor for tens of milliseconds.
    calc_.HoldSearchHelper(true);
    const bool handled = QMainWindow::event(e);
    calc_.HoldSearchHelper(false);
    return handled;
  }
  return QMainWindow::event(e);
}

void TForm1::FormActivate() { Edit1->setFocus(); }

void TForm1::showEvent(QShowEvent* e) {
  QMainWindow::showEvent(e);
  if (messagesReleased_ || releasePending_) return;
  releasePending_ = true;
  // Once the window is placed on the screen, not while it is being shown.
  QTimer::singleShot(0, this, [this] {
    messagesReleased_ = true;
    ReleaseRuntimeMessages(this);
  });
}

void TForm1::closeEvent(QCloseEvent* e) {
  openAtClose_ = OpenWindowNames();
  FormClose();
  e->accept();
}

void TForm1::FormClose() {
  if (calc_.Running()) StopRun();
  calc_.Close();
  FreeCardGrid();
}

}  // namespace zlc::ui
