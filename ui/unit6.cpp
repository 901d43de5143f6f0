#include "ui/unit6.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <limits>

#include "cards/notation.h"
#include "ui/caption_fit.h"
#include "ui/dialog_keys.h"
#include "ui/text.h"
#include "ui/typed_numbers.h"

namespace zlc::ui {
namespace {

constexpr std::int32_t kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kInt32Max = std::numeric_limits<std::int32_t>::max();

// Check boxes and radio buttons stand 16 pixels apart.
constexpr int kControlHeight = 16;
constexpr int kRightMargin = 16;
constexpr int kComboHeight = 21;

template <typename W>
W* Named(W* widget, const char* name) {
  widget->setObjectName(name);
  return widget;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, int left, int top) {
  auto* label = Named(new QLabel(text, parent), name);
  label->adjustSize();
  label->move(left, top);
  return label;
}

// Check boxes and radio buttons are as wide as their caption.
template <typename B>
B* MakeBox(QWidget* parent, const char* name, const QString& text, int left, int top) {
  auto* box = Named(new B(text, parent), name);
  box->setGeometry(left, top, box->sizeHint().width(), kControlHeight);
  return box;
}

// Editable, but typing neither completes from the items nor adds to them.
QComboBox* MakeCombo(QWidget* parent, const char* name, const QStringList& items, int left,
                     int top, int width) {
  auto* box = Named(new QComboBox(parent), name);
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  box->setCompleter(nullptr);
  box->addItems(items);
  box->setGeometry(left, top, width, kComboHeight);
  return box;
}

}  // namespace

TForm6::TForm6(Calculator& calc, QWidget* parent) : QDialog(parent), calc_(calc) {
  setObjectName("Form6");
  setWindowTitle(tr("Options"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(kClientWidth, kClientHeight);
  CreateControls();
}

void TForm6::CreateControls() {
  Label1 = MakeLabel(this, "Label1", tr("1. Defs:"), 24, 19);
  ComboBox1 = MakeCombo(this, "ComboBox1", {"Ru", "En"}, 72, 16, 41);
  Label3 = MakeLabel(this, "Label3", NotationLabel(), 128, 20);

  Label2 = MakeLabel(this, "Label2", tr("2. Results output:"), 24, 48);
  CheckBox1 = MakeBox<QCheckBox>(this, "CheckBox1", tr("mark transits by \"<\", \">\""), 40, 64);
  CheckBox2 = MakeBox<QCheckBox>(this, "CheckBox2", tr("mark static elements by:"), 40, 80);
  RadioButton1 = MakeBox<QRadioButton>(this, "RadioButton1", "\"!\"", 176, 80);
  RadioButton2 = MakeBox<QRadioButton>(this, "RadioButton2", "\"[\", \"]\"", 216, 80);
  SetRadioButtons(false, 0);
  CheckBox4 = MakeBox<QCheckBox>(this, "CheckBox4", tr("delete spaces"), 40, 96);

  Label6 = MakeLabel(this, "Label6", tr("Clear at RN > "), 40, 120);
  QStringList thresholds;
  for (int n = 1000; n <= 10000; n += 1000) thresholds << QString::number(n);
  ComboBox3 = MakeCombo(this, "ComboBox3", thresholds, 112, 117, 57);
  ShowNumber(ComboBox3, 5000);

  Label4 = MakeLabel(this, "Label4", tr("3. Shuffling depth:"), 24, 152);
  ComboBox2 = MakeCombo(this, "ComboBox2", {"10", "100", "250", "500", "1000"}, 120, 149, 49);
  ShowNumber(ComboBox2, 1000);

  Button1 = Named(new QPushButton(tr("Ok"), this), "Button1");
  Button1->setGeometry(112, 184, 81, 25);
  // Enter settles the number being typed and closes unless it was refused.
  Button1->setAutoDefault(false);
  numbers_ = new TypedNumbers(this);
  numbers_->Watch(ComboBox3, [this] { return ComboBox3Change(); });
  numbers_->Watch(ComboBox2, [this] { return ComboBox2Change(); });
  AcceptOnEnter(this, Button1, [this] { return numbers_->Settle(); });

  FitCaptions();

  connect(ComboBox1, &QComboBox::editTextChanged, this, &TForm6::ComboBox1Change);
  // Left with a text that names no notation, the box names the one in force.
  connect(ComboBox1->lineEdit(), &QLineEdit::editingFinished, this, &TForm6::ShowNotationName);
  connect(CheckBox1, &QCheckBox::toggled, this, &TForm6::CheckBox1Click);
  connect(CheckBox2, &QCheckBox::toggled, this, &TForm6::CheckBox2Click);
  connect(RadioButton1, &QRadioButton::toggled, this, &TForm6::RadioButton1Click);
  connect(RadioButton2, &QRadioButton::toggled, this, &TForm6::RadioButton2Click);
  connect(CheckBox4, &QCheckBox::toggled, this, &TForm6::CheckBox4Click);
  connect(Button1, &QPushButton::clicked, this, &TForm6::Button1Click);
}

// Captions wider than drawn, a translation's or those of a wider face than
// the layout was drawn with, push the controls after them over; so do
// numbers longer than the lists' own. The dialog grows around them.
void TForm6::FitCaptions() {
  FitRow({Label1, ComboBox1, Label3});
  FitRow({CheckBox2, RadioButton1, RadioButton2});
  FitRow({Label6, ComboBox3});
  FitRow({Label4, ComboBox2});
  FitWindow();
}

void TForm6::FitWindow() {
  FitWidthToChildren(this, kRightMargin);
  Button1->move((width() - Button1->width()) / 2, Button1->y());  // centred, as drawn
}

QString TForm6::ClearAtRnCaption() const {
  return tr("Clear at RN > %1").arg(calc_.settings.clearThreshold);
}

void TForm6::showEvent(QShowEvent* event) {
  FormActivate();
  QDialog::showEvent(event);
}

// The box being typed in would settle when it loses the focus, but on some
// window systems that comes only after the dialog has returned; settling here
// makes the values final when the caller reads them. A refused number keeps
// the dialog open for its correction.
void TForm6::done(int result) {
  if (!numbers_->Settle()) return;
  QDialog::done(result);
}

// The controls show the settings in force, whoever set them last.
void TForm6::FormActivate() {
  ShowNotationName();
  ShowNotationLabel();

  const Settings& s = calc_.settings;
  CheckBox1->setChecked(s.markTransits == 1);
  const bool marked = s.staticMarkMode != StaticMarks::None;
  CheckBox2->setChecked(marked);
  SetRadioButtons(marked, static_cast<int>(s.staticMarkMode));
  CheckBox4->setChecked(s.deleteSpaces == 1);
  ShowNumber(ComboBox3, s.clearThreshold);
  ShowNumber(ComboBox2, s.shuffleDepth);
  FitCaptions();
}

void TForm6::ComboBox1Change() {
  calc_.SelectNotation(FromQt(ComboBox1->currentText()));
  ShowNotationLabel();
}

void TForm6::CheckBox1Click(bool checked) { calc_.settings.markTransits = checked ? 1 : 0; }

// Ticking offers the two marks without choosing one, so nothing is marked
// until the user picks; unticking turns the marks off.
void TForm6::CheckBox2Click(bool checked) {
  if (checked) {
    RadioButton1->setEnabled(true);
    RadioButton2->setEnabled(true);
    return;
  }
  SetRadioButtons(false, 0);
  calc_.settings.staticMarkMode = StaticMarks::None;
}

void TForm6::RadioButton1Click(bool checked) {
  if (checked) calc_.settings.staticMarkMode = StaticMarks::Exclaim;
}

void TForm6::RadioButton2Click(bool checked) {
  if (checked) calc_.settings.staticMarkMode = StaticMarks::Brackets;
}

void TForm6::CheckBox4Click(bool checked) { calc_.settings.deleteSpaces = checked ? 1 : 0; }

std::optional<QString> TForm6::ComboBox3Change() {
  const std::int32_t before = calc_.settings.clearThreshold;
  auto refused = TakeNumber(ComboBox3, calc_.settings.clearThreshold, kInt32Max,
                            tr("'%1' is out of range: Clear at RN takes %2"));
  if (calc_.settings.clearThreshold != before) emit clearThresholdCaptionChanged(ClearAtRnCaption());
  return refused;
}

std::optional<QString> TForm6::ComboBox2Change() {
  return TakeNumber(ComboBox2, calc_.settings.shuffleDepth, kMaxShuffleDepth,
                    tr("'%1' is out of range: the shuffling depth takes %2"));
}

void TForm6::Button1Click() { accept(); }

void TForm6::ShowNotationName() {
  const QString name = ToQt(calc_.notation.notationName);
  const QSignalBlocker block(ComboBox1);
  ComboBox1->setCurrentIndex(ComboBox1->findText(name));
  ComboBox1->setEditText(name);
}

// A label shows "&&" as it is; the user should read one ampersand.
QString TForm6::NotationLabel() const {
  return ToQt(NotationLabelText(calc_.notation)).replace("&&", "&");
}

void TForm6::ShowNotationLabel() {
  Label3->setText(NotationLabel());
  Label3->adjustSize();
  FitWindow();
}

void TForm6::SetRadioButtons(bool enabled, int mode) {
  // An auto-exclusive pair refuses to have its checked button unchecked, so
  // the exclusion is lifted while both are set.
  for (QRadioButton* radio : {RadioButton1, RadioButton2}) {
    const QSignalBlocker block(radio);
    radio->setAutoExclusive(false);
    radio->setChecked(mode == (radio == RadioButton1 ? 1 : 2));
    radio->setAutoExclusive(true);
    radio->setEnabled(enabled);
  }
}

std::optional<QString> TForm6::TakeNumber(QComboBox* box, std::int32_t& setting, std::int32_t most,
                                          const QString& outOfRange) {
  const QString typed = box->currentText();
  // Negative numbers are whole numbers too: a threshold below 0 clears
  // after every result, a depth of 0 or less shuffles nothing.
  const TypedNumber number = ReadTypedNumber(FromQt(typed), kInt32Min, most);
  if (number.verdict == TypedNumber::Verdict::Taken) setting = number.value;
  if (typed != QString::number(setting)) ShowNumber(box, setting);
  FitCaptions();
  if (number.verdict == TypedNumber::Verdict::Taken) return std::nullopt;
  return RefusalMessage(typed, number.verdict, outOfRange, kInt32Min, most);
}

void TForm6::ShowNumber(QComboBox* box, std::int32_t value) {
  const QString text = QString::number(value);
  // The list opens at the matching item, when there is one.
  box->setCurrentIndex(box->findText(text));
  box->setEditText(text);
}

}  // namespace zlc::ui
