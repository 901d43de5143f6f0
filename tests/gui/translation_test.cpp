// The interface in Russian where the locale asks for it, and in English,
// byte for byte, everywhere else.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTranslator>
#include <QtTest>

#include "main_window_fixture.h"
#include "ui/runtime_dialogs.h"
#include "ui/statistics_window.h"
#include "ui/translation.h"
#include "ui/unit2.h"

class TranslationTest : public QObject, protected MainWindowFixture {
  Q_OBJECT

 private slots:
  void init() { SetUp(); }
  void cleanup() { TearDown(); }

  void englishEverywhereButRussian() {
    for (const char* name : {"en_US", "de_DE", "C"}) {
      QVERIFY2(!zlc::ui::InstallTranslation(QLocale(name)), name);
    }
    OpenWindow();
    zlc::ui::StatisticsWindow stats(*calc_, nullptr);
    QCOMPARE(stats.windowTitle(), QString("Statistics"));
    QCOMPARE(stats.findChild<QPushButton*>("SaveFigures")->text(), QString("Save figures as CSV..."));
    QCOMPARE(form_->cardButton(1)->accessibleName(), QString("six of spades"));
    // The core's messages as the core words them.
    for (const char* core : {"I/O error 13", "File not found", "'x1' is not a valid integer value"}) {
      zlc::ui::ShowRuntimeMessage(nullptr, core);
      QCOMPARE(messages_.last(), QString(core));
    }
  }

  void russianForARussianLocale() {
    QVERIFY(zlc::ui::InstallTranslation(QLocale("ru_RU")));
    OpenWindow();
    {
      zlc::ui::StatisticsWindow stats(*calc_, nullptr);
      QCOMPARE(stats.windowTitle(), QString::fromUtf8("Статистика"));
      QCOMPARE(stats.findChild<QPushButton*>("SaveFigures")->text(),
               QString::fromUtf8("Сохранить показатели в CSV..."));
      // The figures' names too, though their object names stay English.
      QVERIFY(stats.findChild<QLabel*>("Tries")->buddy() == nullptr);
      bool named = false;
      for (QLabel* label : stats.findChildren<QLabel*>()) named = named || label->text() == QString::fromUtf8("Попыток:");
      QVERIFY(named);
    }
    // A card as a screen reader says it in Russian.
    QCOMPARE(form_->cardButton(1)->accessibleName(), QString::fromUtf8("шестёрка пик"));
    // The core's messages worded by their kind, whatever English they carry.
    zlc::RuntimeMessage ioError = zlc::IoErrorMessage(13);
    ioError.text = "not looked at";
    zlc::ui::ShowRuntimeMessage(nullptr, ioError);
    QCOMPARE(messages_.last(), QString::fromUtf8("Ошибка ввода-вывода 13"));
    zlc::ui::ShowRuntimeMessage(nullptr, zlc::InvalidIntegerMessage("-x"));
    QCOMPARE(messages_.last(), QString::fromUtf8("«-x» — не целое число"));
    zlc::ui::ShowRuntimeMessage(nullptr, zlc::BadValuesSkippedMessage(3, "zlc.cfg"));
    QVERIFY(!messages_.last().contains("bad values"));
    QVERIFY(messages_.last().contains("3") && messages_.last().contains("zlc.cfg"));
    zlc::ui::ShowRuntimeMessage(nullptr, zlc::RuntimeMessage{"Something else", {}, {}, zlc::MessageKind::Plain, {}});
    QCOMPARE(messages_.last(), QString("Something else"));
    // Text already worded is shown as it stands, not read for a pattern.
    zlc::ui::ShowRuntimeMessage(nullptr, "I/O error 13");
    QCOMPARE(messages_.last(), QString("I/O error 13"));
    // The filter's modes in Russian words, kept in the settings' own.
    zlc::ui::TForm2* filter = form_->filterDialog();
    filter->show();
    QVERIFY(QTest::qWaitForWindowActive(filter));
    auto* variants = filter->findChild<QComboBox*>("ComboBox2");
    QCOMPARE(variants->currentText(), QString::fromUtf8("Один"));
    variants->lineEdit()->selectAll();
    // Typed as a Russian keyboard types it: key events that carry the letters.
    for (const QChar letter : QString::fromUtf8("Много")) {
      QTest::sendKeyEvent(QTest::Click, variants->lineEdit(), Qt::Key_unknown, QString(letter), Qt::NoModifier);
    }
    QCOMPARE(calc_->filter.resultVariants, zlc::ResultVariants::Many);
    QTest::mouseClick(filter->findChild<QPushButton*>("Button1"), Qt::LeftButton);
    QTRY_VERIFY(!filter->isVisible());
    QCOMPARE(form_->findChild<QListWidget*>("ListBox3")->item(0)->text(),
             QString::fromUtf8("GM:Случайный, RV:Много"));
    // The files the calculator writes do not change with the language.
    form_->close();
    const QByteArray written = ReadAll("zlc.cfg");
    QVERIFY(written.startsWith("Defs = Ru\r\nrq_mt = 0\r\n"));
    QVERIFY(written.contains("\r\nRV = Many\r\n"));
    for (QTranslator* t : QCoreApplication::instance()->findChildren<QTranslator*>()) {
      QCoreApplication::removeTranslator(t);
      delete t;
    }
  }
};

QTEST_MAIN(TranslationTest)
#include "translation_test.moc"
