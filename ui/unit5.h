// The about box: the program's name, version, a picture and a note.
#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace zlc::ui {

class TForm5 : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 417;
  static constexpr int kClientHeight = 152;

  explicit TForm5(QWidget* parent = nullptr);

 private:
  void FormCreate();
  void Button1Click();

  QFrame* Panel1 = nullptr;
  QLabel* Image1 = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label4 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label5 = nullptr;
  QLabel* LicenceLabel = nullptr;
  QPushButton* Button1 = nullptr;
};

}  // namespace zlc::ui
