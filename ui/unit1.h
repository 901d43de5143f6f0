// The main window: the card grid, the task field and its buttons, the filter
// summary and the two result lists. A view over the calculator's state.
#pragma once

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMainWindow>
#include <QPushButton>
#include <QSplitter>
#include <QTimer>
#include <array>
#include <functional>

#include "cards/task_editor.h"
#include "engine/calculator.h"
#include "ui/anchors.h"

class QAction;
class QFrame;

namespace zlc::ui {

// Shows the runtime's messages (I/O and conversion errors) in a message box.
// Tests install their own sink to read them without a modal box.
using MessageSink = std::function<void(const QString& message)>;
void SetMessageSink(MessageSink sink);
void ShowRuntimeMessage(QWidget* parent, const QString& message);

class TForm1 : public QMainWindow {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 618;
  static constexpr int kClientHeight = 358;

  explicit TForm1(Calculator& calc, QWidget* parent = nullptr);
  ~TForm1() override;

  Calculator& calc() { return calc_; }
  QPushButton* cardButton(int index) const { return cardButtons_[index]; }

  // Mirrors the task, the grid and the buttons that follow the task.
  void SyncTask();
  void BuildCardGrid();
  void FreeCardGrid();

 protected:
  bool event(QEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void FormCreate();
  void FormActivate();
  void FormClose();
  void CreateControls();
  void CreateMenu();
  void PlaceCardButton(int index, int left, int top, int width, int height, bool bold,
                       const QString& caption);
  void CardButtonClick(int index);
  void Edit1MouseUp();
  void Button2Click();
  void Button4Click();
  void CheckBox2Click(bool checked);
  void CheckBox3Click(bool checked);
  void CheckBox4Click(bool checked);
  void Quit1Click();

  Calculator& calc_;
  AnchorLayout* anchors_;
  bool buildingGrid_ = false;
  int lastCardButton_ = 0;
  std::array<QPushButton*, kCardButtonCount> cardButtons_{};

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
  QListView* ListBox1 = nullptr;
  QListView* ListBox2 = nullptr;
  QListView* ListBox3 = nullptr;
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
  QAction* Open1 = nullptr;
  QAction* Save1 = nullptr;
  QAction* Quit1 = nullptr;
  QAction* Options1 = nullptr;
  QAction* About1 = nullptr;
};

}  // namespace zlc::ui
