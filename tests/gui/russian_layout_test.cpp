// Every window, in English and in Russian, shows each caption whole at the
// fonts this machine has: no text wider than its control, no control running
// out of its parent or onto a neighbour.
#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QMap>
#include <QStyleOptionComboBox>
#include <QTabBar>
#include <QTranslator>
#include <QtTest>

#include "main_window_fixture.h"
#include "ui/look.h"
#include "ui/manual_window.h"
#include "ui/statistics_window.h"
#include "ui/translation.h"
#include "ui/unit2.h"
#include "ui/unit3.h"
#include "ui/unit4.h"
#include "ui/unit5.h"
#include "ui/unit6.h"
#include "zlc_version.h"

namespace {

// The text a control shows: a single '&' marks the mnemonic, "&&" is one '&'.
QString Shown(QString text) {
  text.replace("&&", QChar(0xE000));
  text.remove('&');
  return text.replace(QChar(0xE000), "&");
}

QString PathOf(const QWidget* w) {
  QStringList parts;
  for (const QWidget* p = w; p && !p->isWindow(); p = p->parentWidget()) {
    parts.prepend(p->objectName().isEmpty() ? p->metaObject()->className() : p->objectName());
  }
  return w->window()->objectName() + "/" + parts.join('/');
}

// Controls laid out by the toolkit inside another control are its business.
bool Inner(const QWidget* w) {
  for (const QWidget* p = w->parentWidget(); p && !p->isWindow(); p = p->parentWidget()) {
    if (qobject_cast<const QComboBox*>(p) || qobject_cast<const QAbstractScrollArea*>(p) ||
        qobject_cast<const QTabBar*>(p)) {
      return true;
    }
  }
  return false;
}

bool Checked(const QWidget* w) {
  return (qobject_cast<const QAbstractButton*>(w) && !qobject_cast<const QTabBar*>(w->parentWidget())) ||
         qobject_cast<const QLabel*>(w) || qobject_cast<const QGroupBox*>(w) ||
         qobject_cast<const QComboBox*>(w);
}

// How wide the control must be to show its text whole; 0 when it has none.
int NeededWidth(QWidget* w) {
  const QFontMetrics fm = w->fontMetrics();
  if (auto* box = qobject_cast<QCheckBox*>(w)) return box->text().isEmpty() ? 0 : box->sizeHint().width();
  if (auto* radio = qobject_cast<QRadioButton*>(w)) return radio->sizeHint().width();
  if (auto* button = qobject_cast<QPushButton*>(w)) {
    return button->text().isEmpty() ? 0 : fm.horizontalAdvance(Shown(button->text())) + 4;
  }
  if (auto* label = qobject_cast<QLabel*>(w)) {
    if (label->wordWrap() || label->text().isEmpty() || !label->pixmap().isNull()) return 0;
    return label->sizeHint().width();
  }
  if (auto* group = qobject_cast<QGroupBox*>(w)) {
    return group->title().isEmpty() ? 0 : fm.horizontalAdvance(Shown(group->title())) + 12;
  }
  if (auto* combo = qobject_cast<QComboBox*>(w)) {
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = combo->isEditable();
    const QRect field =
        combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo);
    const int text = fm.horizontalAdvance(combo->currentText());
    return text == 0 ? 0 : combo->width() - field.width() + text;
  }
  return 0;
}

// What does not show whole in `window`: each fault by name, with how many
// pixels it is short of showing whole.
using FaultMap = QMap<QString, int>;

void Faults(QWidget* window, FaultMap* faults) {
  QList<QWidget*> shown;
  for (QWidget* w : window->findChildren<QWidget*>()) {
    if (w->window() != window || !w->isVisibleTo(window) || Inner(w) || !Checked(w)) continue;
    shown << w;
    const int needed = NeededWidth(w);
    if (needed > w->width()) {
      (*faults)[PathOf(w) + " \"" + w->property("text").toString() + w->property("title").toString() +
                "\" clipped"] = needed - w->width();
    }
    QWidget* parent = w->parentWidget();
    if (parent && !parent->rect().contains(w->geometry())) {
      const QRect outside = w->geometry().united(parent->rect());
      (*faults)[PathOf(w) + " out of its parent"] =
          std::max(outside.width() - parent->width(), outside.height() - parent->height());
    }
  }
  for (QWidget* a : shown) {
    for (QWidget* b : shown) {
      if (a < b && a->parentWidget() == b->parentWidget() && a->geometry().intersects(b->geometry()) &&
          !qobject_cast<QGroupBox*>(a) && !qobject_cast<QGroupBox*>(b)) {
        const QString pa = PathOf(a), pb = PathOf(b);
        const QRect both = a->geometry() & b->geometry();
        (*faults)[pa < pb ? pa + " overlaps " + pb : pb + " overlaps " + pa] =
            std::min(both.width(), both.height());
      }
    }
  }
}

QString Listed(const FaultMap& faults) {
  QStringList lines;
  for (auto it = faults.cbegin(); it != faults.cend(); ++it) {
    lines << QString("%1 by %2 px").arg(it.key()).arg(it.value());
  }
  return lines.join('\n');
}

void RemoveTranslations() {
  for (QTranslator* t : QCoreApplication::instance()->findChildren<QTranslator*>()) {
    QCoreApplication::removeTranslator(t);
    delete t;
  }
}

}  // namespace

class RussianLayoutTest : public QObject, protected MainWindowFixture {
  Q_OBJECT

  // Every window of the program opened with long counts in its captions;
  // the faults of each, by window.
  FaultMap AllFaults() {
    OpenWindow();
    LoadTask("*** *** *** *** *** *** *** *** *** *** *** ***");
    calc_->editor.ShowVariants(99999999999);
    form_->SyncResults();
    // Counts that long take days of searching: the titles as they then read.
    form_->findChild<QGroupBox*>("GroupBox6")->setTitle(zlc::ui::TForm1::ResultsTitle(123456789, 1234567890));
    form_->findChild<QGroupBox*>("GroupBox5")->setTitle(zlc::ui::TForm1::FilteredTitle(123456789));
    // Captions that change after the window is made: a seven-digit "Clear at
    // RN >" threshold typed in the options, and the other notation there.
    QDialog* options = form_->optionsWindow();
    options->show();
    [&] { QVERIFY(QTest::qWaitForWindowActive(options)); }();
    auto* notation = options->findChild<QComboBox*>("ComboBox1");
    notation->lineEdit()->selectAll();
    QTest::keyClicks(notation->lineEdit(), "En");
    auto* threshold = options->findChild<QComboBox*>("ComboBox3");
    threshold->lineEdit()->selectAll();
    QTest::keyClicks(threshold->lineEdit(), "1000000");
    QTest::keyClick(threshold->lineEdit(), Qt::Key_Return);  // takes it and closes
    [&] { QCOMPARE(calc_->settings.clearThreshold, 1000000); }();
    form_->OpenWindowNamed("StatisticsWindow");
    QList<QWidget*> windows{form_.get(), form_->filterDialog(), form_->progressWindow(),
                            form_->aboutWindow(), form_->optionsWindow(), form_->statisticsWindow(),
                            form_->findChild<zlc::ui::TForm3*>()};
    // The manual, as F1 opens it.
    form_->activateWindow();
    [&] { QTRY_VERIFY(QApplication::activeWindow() == form_.get()); }();
    QTest::keyClick(form_.get(), Qt::Key_F1);
    auto* manual = form_->findChild<zlc::ui::ManualWindow*>();
    windows << manual;
    FaultMap faults;
    for (QWidget* window : windows) {
      if (!window) {
        faults["a window is missing"] = 1;
        continue;
      }
      window->show();
      QApplication::processEvents();
      Faults(window, &faults);
    }
    for (QWidget* window : windows) {
      if (window && window != form_.get()) window->hide();
    }
    title_ = form_->windowTitle();
    TearDown();
    SetUp();
    return faults;
  }

  QString title_;

 private slots:
  void initTestCase() { zlc::ui::ApplyClassicLook(); }
  void init() { SetUp(); }
  void cleanup() {
    RemoveTranslations();
    TearDown();
  }

  // The same relations in each language, at the fonts this machine has:
  // every caption whole, every control inside its parent and clear of its
  // neighbours.
  void englishShowsEveryCaptionWhole() {
    const FaultMap faults = AllFaults();
    QCOMPARE(title_, QString("Zelt calculator v") + zlc::kVersion);
    QVERIFY2(faults.isEmpty(), qPrintable(Listed(faults)));
  }

  void russianShowsEveryCaptionWhole() {
    QVERIFY(zlc::ui::InstallTranslation(QLocale("ru_RU")));
    const FaultMap faults = AllFaults();
    QCOMPARE(title_, QString::fromUtf8("Калькулятор Zelt v") + zlc::kVersion);
    QVERIFY2(faults.isEmpty(), qPrintable(Listed(faults)));
  }
};

QTEST_MAIN(RussianLayoutTest)
#include "russian_layout_test.moc"
