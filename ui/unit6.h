// The options dialog: notation, the marks of the layout line, the clearing
// threshold and the shuffling depth. Every change goes straight into the
// calculator's settings; there is nothing to cancel.
#pragma once

#include <limits>

#include <QDialog>
#include <QString>
#include <cstdint>

#include "engine/calculator.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace zlc::ui {

class TForm6 : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 306;
  static constexpr int kClientHeight = 216;

  explicit TForm6(Calculator& calc, QWidget* parent = nullptr);

  // The caption of the main window's "Clear at RN >" box for the threshold
  // in force; the main window sets it when it is created.
  QString ClearAtRnCaption() const;

  // Closing by any way first settles a number still being typed.
  void done(int result) override;

 signals:
  // A new threshold was accepted: the main window's box takes this caption.
  void clearThresholdCaptionChanged(const QString& caption);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void CreateControls();
  void FormActivate();
  void ComboBox1Change();
  void CheckBox1Click(bool checked);
  void CheckBox2Click(bool checked);
  void RadioButton1Click(bool checked);
  void RadioButton2Click(bool checked);
  void CheckBox4Click(bool checked);
  void ComboBox3Change();
  void ComboBox2Change();
  void Button1Click();

  void ShowNotationLabel();
  void SetRadioButtons(bool enabled, int mode);
  // Takes the box's text as a new non-negative value of `setting`; anything
  // else is reported and the box shows the value in force again. True when
  // the value changed.
  bool TakeNumber(QComboBox* box, std::int32_t& setting,
                  std::int32_t maximum = std::numeric_limits<std::int32_t>::max());
  static void ShowNumber(QComboBox* box, std::int32_t value);

  Calculator& calc_;
  int refusals_ = 0;  // typed numbers refused so far

  QLabel* Label1 = nullptr;
  QComboBox* ComboBox1 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label2 = nullptr;
  QCheckBox* CheckBox1 = nullptr;
  QCheckBox* CheckBox2 = nullptr;
  QRadioButton* RadioButton1 = nullptr;
  QRadioButton* RadioButton2 = nullptr;
  QCheckBox* CheckBox4 = nullptr;
  QLabel* Label6 = nullptr;
  QComboBox* ComboBox3 = nullptr;
  QLabel* Label4 = nullptr;
  QComboBox* ComboBox2 = nullptr;
  QPushButton* Button1 = nullptr;
};

}  // namespace zlc::ui
