// The options dialog: notation, the marks of the layout line, the clearing
// threshold and the shuffling depth. Every change goes straight into the
// calculator's settings; there is nothing to cancel.
#pragma once

#include <QDialog>
#include <QString>
#include <cstdint>
#include <optional>

#include "calculator/calculator.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace zlc::ui {

class TypedNumbers;

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
  void FitCaptions();
  void FitWindow();
  void FormActivate();
  void ComboBox1Change();
  void CheckBox1Click(bool checked);
  void CheckBox2Click(bool checked);
  void RadioButton1Click(bool checked);
  void RadioButton2Click(bool checked);
  void CheckBox4Click(bool checked);
  std::optional<QString> ComboBox3Change();
  std::optional<QString> ComboBox2Change();
  void Button1Click();

  void ShowNotationName();
  QString NotationLabel() const;
  void ShowNotationLabel();
  void SetRadioButtons(bool enabled, int mode);
  // Takes the box's text as the new value of `setting`, a whole number up to
  // `most`; the box then shows the value in force. Returns the message for a
  // refused text, `outOfRange` the words for a number outside the range.
  std::optional<QString> TakeNumber(QComboBox* box, std::int32_t& setting, std::int32_t most,
                                    const QString& outOfRange);
  static void ShowNumber(QComboBox* box, std::int32_t value);

  Calculator& calc_;
  TypedNumbers* numbers_ = nullptr;

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
