#include "ui/result_window.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <QVariantAnimation>
#include <algorithm>

#include "ui/file_dialogs.h"
#include "ui/hexagram_view.h"
#include "ui/picture_file.h"
#include "ui/screen_fit.h"
#include "ui/text.h"

namespace zlc::ui {
namespace {

int IndexOf(const char* letters, int count, char letter) {
  for (int i = 0; i < count; ++i) {
    if (letters[i] == letter) return i;
  }
  return 0;
}

}  // namespace

ResultWindow::ResultWindow(const ResultBlock& block, const ResultRecord& record, const NotationSet& shown,
                           QWidget* parent, const QString& fileName)
    : QWidget(parent, Qt::Window), block_(block), record_(record) {
  setObjectName("ResultWindow");
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(fileName.isEmpty() ? tr("Result #%1").arg(record.rn)
                                    : tr("Result #%1 from %2").arg(record.rn).arg(fileName));

  // The collapse as the search made it: the cards in the letters they were
  // found in, drawn in the letters in force.
  Chain row;
  row.lastIndex = record.cardCount - 1;
  for (int i = 0; i < record.cardCount; ++i) {
    row.cards[i] = {record.cards[i][0], record.cards[i][1], static_cast<std::uint16_t>(i)};
    ShownCard& card = shownCards_[static_cast<std::size_t>(i)];
    const int rank = IndexOf(record.rankLetters, kRankCount, record.cards[i][0]);
    card.rank = ToQt(std::string_view(shown.rankLetters).substr(static_cast<std::size_t>(rank), 1));
    card.suit = IndexOf(record.suitLetters, kSuitCount, record.cards[i][1]);
    card.isStatic = record.IsStatic(i);
    card.transit = record.IsTransit(i);
  }
  ReplayCollapses(row, replay_);

  CreateControls();
  CreateKeys();
  cards_->SetCards(shownCards_, record.cardCount);
  ShowStep();
  // As large as the drawing asks for, as far as the screen has room.
  layout()->activate();
  const int margins = layout()->contentsMargins().left() + layout()->contentsMargins().right();
  const int wide = std::max({sizeHint().width(), lines_->sizeHint().width() + margins +
                                                     style()->pixelMetric(QStyle::PM_ScrollBarExtent)});
  const auto* scroll = findChild<QScrollArea*>("ResultScroll");
  const int controls = sizeHint().height() - scroll->sizeHint().height();
  resize(HeldToScreen(*this, QSize(wide, controls + picture_->sizeHint().height() + 2 * scroll->frameWidth())));
  HoldToScreen(*this);
}

void ResultWindow::CreateControls() {
  auto* layout = new QVBoxLayout(this);

  // The drawing scrolls where the screen is too small for it (a large
  // scale, a small screen); the picture saved is the whole of it.
  auto* scroll = new QScrollArea(this);
  scroll->setObjectName("ResultScroll");
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setFocusPolicy(Qt::NoFocus);  // the cards take the focus, not their frame
  picture_ = new QWidget(scroll);
  picture_->setObjectName("ResultPicture");
  picture_->setAutoFillBackground(true);
  auto* pictureLayout = new QVBoxLayout(picture_);
  pictureLayout->setContentsMargins(0, 0, 0, 0);
  lines_ = new QLabel(BlockText().trimmed(), picture_);
  lines_->setObjectName("ResultLines");
  lines_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  lines_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  // The lines give way where the window is narrower: the cards wrap to
  // the width instead of running off it.
  lines_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  pictureLayout->addWidget(lines_);
  cards_ = new CardRowView(picture_);
  cards_->setObjectName("ResultCards");
  cards_->setFocusPolicy(Qt::StrongFocus);
  cards_->setAccessibleName(tr("Cards of the result"));
  pictureLayout->addWidget(cards_);
  hexagrams_ = new HexagramView(picture_);
  hexagrams_->setObjectName("ResultHexagrams");
  hexagrams_->setAccessibleName(tr("Suit hexagrams"));
  hexagrams_->SetResult(record_, FiguresOf(record_));
  pictureLayout->addWidget(hexagrams_, 0, Qt::AlignLeft);
  pictureLayout->addStretch(1);
  scroll->setWidget(picture_);
  layout->addWidget(scroll, 1);

  auto* steps = new QHBoxLayout;
  const auto button = [this, steps](const QString& text, QStyle::StandardPixmap icon, const char* name) {
    auto* b = new QPushButton(style()->standardIcon(icon), text, this);
    b->setObjectName(name);
    steps->addWidget(b);
    return b;
  };
  start_ = button(tr("Start"), QStyle::SP_MediaSkipBackward, "StepStart");
  back_ = button(tr("Back"), QStyle::SP_MediaSeekBackward, "StepBack");
  play_ = button(tr("Play"), QStyle::SP_MediaPlay, "StepPlay");
  forward_ = button(tr("Forward"), QStyle::SP_MediaSeekForward, "StepForward");
  end_ = button(tr("End"), QStyle::SP_MediaSkipForward, "StepEnd");
  start_->setToolTip(tr("The row before the first step (Home)"));
  back_->setToolTip(tr("One step back (Left)"));
  play_->setToolTip(tr("Play the steps or pause them (Space)"));
  forward_->setToolTip(tr("One step forward (Right)"));
  end_->setToolTip(tr("The two cards left at the end (End)"));
  connect(start_, &QPushButton::clicked, this, [this] { GoTo(0); });
  connect(back_, &QPushButton::clicked, this, [this] { GoTo(done_ - 1); });
  connect(forward_, &QPushButton::clicked, this, [this] { GoTo(done_ + 1); });
  connect(end_, &QPushButton::clicked, this, [this] { GoTo(replay_.stepCount); });
  connect(play_, &QPushButton::clicked, this, &ResultWindow::TogglePlay);

  auto* speedLabel = new QLabel(tr("&Speed:"), this);
  speed_ = new QComboBox(this);
  speed_->setObjectName("StepSpeed");
  speed_->addItems({tr("slow"), tr("normal"), tr("fast")});
  speed_->setCurrentIndex(1);
  speedLabel->setBuddy(speed_);
  steps->addSpacing(fontMetrics().height());
  steps->addWidget(speedLabel);
  steps->addWidget(speed_);
  steps->addStretch(1);
  layout->addLayout(steps);
  progress_ = new QLabel(this);
  progress_->setObjectName("StepProgress");
  layout->addWidget(progress_);

  stepText_ = new QLabel(this);
  stepText_->setObjectName("StepText");
  stepText_->setWordWrap(true);
  stepText_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(stepText_);

  auto* actions = new QHBoxLayout;
  auto* copy = new QPushButton(tr("Copy"), this);
  copy->setObjectName("CopyResult");
  copy->setToolTip(tr("The result's three lines as text (Ctrl+C)"));
  connect(copy, &QPushButton::clicked, this, &ResultWindow::CopyBlock);
  auto* save = new QPushButton(tr("Save picture as PNG..."), this);
  save->setObjectName("SaveResultPng");
  connect(save, &QPushButton::clicked, this, &ResultWindow::SavePicture);
  actions->addWidget(copy);
  actions->addWidget(save);
  auto* close = new QPushButton(tr("Close"), this);
  close->setObjectName("CloseResult");
  connect(close, &QPushButton::clicked, this, &QWidget::close);
  actions->addStretch(1);
  actions->addWidget(close);
  layout->addLayout(actions);

  timer_ = new QTimer(this);
  connect(timer_, &QTimer::timeout, this, [this] {
    GoTo(done_ + 1);
    if (done_ >= replay_.stepCount) TogglePlay();
  });
  connect(speed_, &QComboBox::currentIndexChanged, this,
          [this](int speed) { timer_->setInterval(kStepMs[std::clamp(speed, 0, 2)]); });
  timer_->setInterval(kStepMs[1]);

  lift_ = new QVariantAnimation(this);
  lift_->setStartValue(0.0);
  lift_->setEndValue(1.0);
  connect(lift_, &QVariantAnimation::valueChanged, this,
          [this](const QVariant& value) { cards_->SetLift(value.toDouble()); });
}

// The step keys act wherever the focus is in the window; a button keeps
// Space for itself, so Space plays only from the cards and the labels.
void ResultWindow::CreateKeys() {
  const struct {
    Qt::Key key;
    QPushButton* button;
  } keys[] = {{Qt::Key_Home, start_}, {Qt::Key_Left, back_}, {Qt::Key_Right, forward_}, {Qt::Key_End, end_}};
  for (const auto& k : keys) {
    auto* shortcut = new QShortcut(QKeySequence(k.key), this);
    QPushButton* button = k.button;
    connect(shortcut, &QShortcut::activated, button, [button] {
      if (button->isEnabled()) button->click();
    });
  }
  connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
  connect(new QShortcut(QKeySequence::Copy, this), &QShortcut::activated, this, &ResultWindow::CopyBlock);
}

void ResultWindow::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Space && e->modifiers() == Qt::NoModifier) {
    TogglePlay();
    e->accept();
    return;
  }
  QWidget::keyPressEvent(e);
}

void ResultWindow::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  cards_->setFocus();
}

bool ResultWindow::Playing() const { return timer_->isActive(); }

void ResultWindow::TogglePlay() {
  if (timer_->isActive()) {
    timer_->stop();
  } else {
    if (done_ >= replay_.stepCount) GoTo(0);
    timer_->start();
  }
  play_->setText(timer_->isActive() ? tr("Pause") : tr("Play"));
  play_->setIcon(style()->standardIcon(timer_->isActive() ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay));
}

void ResultWindow::GoTo(int done) {
  done = std::clamp(done, 0, static_cast<int>(replay_.stepCount));
  const bool forward = done == done_ + 1;
  done_ = done;
  lift_->stop();
  cards_->SetStep(&replay_, done_);
  if (forward) {
    // The leaving card moves out within part of the time a step stays.
    lift_->setDuration(std::min(300, timer_->interval() / 2));
    lift_->start();
  } else {
    cards_->SetLift(1);
  }
  ShowStep();
}

QString ResultWindow::CardText(const ChainEntry& entry) const {
  return CardSymbolText(shownCards_[entry.position]);
}

QString ResultWindow::StepText() const {
  if (done_ == 0) {
    return tr("Start: %1 cards in the row; %2 steps follow.").arg(CardsLeft()).arg(replay_.stepCount);
  }
  const CollapseStep& step = replay_.steps[done_ - 1];
  const QString how = step.kind == MatchKind::Suit ? tr("Step %1 of %2: %3 leaves, matching %4 by suit over %5")
                                                   : tr("Step %1 of %2: %3 leaves, matching %4 by rank over %5");
  QString text = how.arg(done_).arg(replay_.stepCount).arg(CardText(step.leaving), CardText(step.matched),
                                                              CardText(step.jumped));
  if (done_ == replay_.stepCount && replay_.Converged()) {
    Chain row;
    RowAfter(replay_, done_, row);
    text += ". " + tr("Two cards are left: %1 and %2.").arg(CardText(row.cards[0]), CardText(row.cards[1]));
  }
  return text;
}

QString ResultWindow::ProgressText() const {
  return tr("Step %1 of %2").arg(done_).arg(replay_.stepCount) + "    " + tr("Cards left: %1").arg(CardsLeft());
}

void ResultWindow::ShowStep() {
  start_->setEnabled(done_ > 0);
  back_->setEnabled(done_ > 0);
  forward_->setEnabled(done_ < replay_.stepCount);
  end_->setEnabled(done_ < replay_.stepCount);
  progress_->setText(ProgressText());
  stepText_->setText(StepText());
  cards_->setAccessibleDescription(StepText());
  // A screen reader on the cards hears the step as it changes.
  QAccessibleEvent changed(cards_, QAccessible::DescriptionChanged);
  QAccessible::updateAccessibility(&changed);
  QAccessibleEvent label(stepText_, QAccessible::NameChanged);
  QAccessible::updateAccessibility(&label);
}

void ResultWindow::CopyBlock() { QGuiApplication::clipboard()->setText(BlockText()); }

void ResultWindow::SavePicture() {
  const QString path = AskSaveFileName(this, tr("Save picture as PNG"), FileKind::Png,
                                       QString("result-%1.png").arg(record_.rn));
  if (!path.isEmpty()) SavePicturePng(this, *picture_, path);
}

QString ResultWindow::BlockText() const {
  QString text;
  for (const std::string& line : block_.lines) text += ToQt(line) + '\n';
  return text;
}

}  // namespace zlc::ui
