// The per-user data folder of "zlc --data-folder": where it is, that it is
// made with its parents and entered, and that a failure is reported in a
// message and leaves the working directory as it was.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>
#include <system_error>

#include "app/data_folder.h"
#include "ui/runtime_dialogs.h"

using zlc::app::DataFolderPath;
using zlc::app::UseDataFolderIfAsked;

class DataFolderTest : public QObject {
  Q_OBJECT

  QString startDir_;
  QByteArray savedXdg_, savedHome_;
  bool hadXdg_ = false;
  QStringList messages_;
  const QStringList withOption_{"zlc", "--data-folder"};

  static QString Canonical(const QString& path) { return QFileInfo(path).canonicalFilePath(); }
  static QString NotADirectory() {
    return QString::fromStdString(std::make_error_code(std::errc::not_a_directory).message());
  }

 private slots:
  void initTestCase() {
    hadXdg_ = qEnvironmentVariableIsSet("XDG_DATA_HOME");
    savedXdg_ = qgetenv("XDG_DATA_HOME");
    savedHome_ = qgetenv("HOME");
    zlc::ui::SetMessageSink([this](const QString& m) { messages_ << m; });
  }
  void init() {
    startDir_ = QDir::currentPath();
    messages_.clear();
  }
  void cleanup() {
    QDir::setCurrent(startDir_);
    if (hadXdg_) {
      qputenv("XDG_DATA_HOME", savedXdg_);
    } else {
      qunsetenv("XDG_DATA_HOME");
    }
    qputenv("HOME", savedHome_);
  }

  void pathUnderXdgDataHome() {
    qputenv("XDG_DATA_HOME", "/srv/someone/data");
    QCOMPARE(DataFolderPath(), QString("/srv/someone/data/zlc"));
    qputenv("XDG_DATA_HOME", "/srv/someone/data/");
    QCOMPARE(DataFolderPath(), QString("/srv/someone/data/zlc"));
  }

  void pathDefaultsToLocalShare() {
    qputenv("HOME", "/home/someone");
    qunsetenv("XDG_DATA_HOME");
    QCOMPARE(DataFolderPath(), QString("/home/someone/.local/share/zlc"));
    qputenv("XDG_DATA_HOME", "");
    QCOMPARE(DataFolderPath(), QString("/home/someone/.local/share/zlc"));
    qputenv("XDG_DATA_HOME", "relative/data");  // ignored, as the XDG rules say
    QCOMPARE(DataFolderPath(), QString("/home/someone/.local/share/zlc"));
  }

  void madeWithParentsAndEntered() {
    QTemporaryDir tmp;
    QVERIFY(tmp.isValid());
    qputenv("XDG_DATA_HOME", QFile::encodeName(tmp.filePath("a/b")));
    const QString folder = tmp.filePath("a/b/zlc");
    QVERIFY(!QFileInfo::exists(folder));

    QVERIFY(UseDataFolderIfAsked(withOption_));
    QVERIFY(QFileInfo(folder).isDir());
    QCOMPARE(Canonical(QDir::currentPath()), Canonical(folder));
    QVERIFY(messages_.isEmpty());

    // The next start finds the folder and what the program left in it.
    QFile cfg("zlc.cfg");
    QVERIFY(cfg.open(QIODevice::WriteOnly));
    cfg.close();
    QDir::setCurrent(startDir_);
    QVERIFY(UseDataFolderIfAsked(withOption_));
    QCOMPARE(Canonical(QDir::currentPath()), Canonical(folder));
    QVERIFY(QFileInfo::exists("zlc.cfg"));
    QVERIFY(messages_.isEmpty());
  }

  void defaultFolderUnderHome() {
    QTemporaryDir home;
    QVERIFY(home.isValid());
    qputenv("HOME", QFile::encodeName(home.path()));
    qunsetenv("XDG_DATA_HOME");
    QVERIFY(UseDataFolderIfAsked(withOption_));
    QCOMPARE(Canonical(QDir::currentPath()), Canonical(home.filePath(".local/share/zlc")));
  }

  void withoutTheOptionNothingChanges() {
    QTemporaryDir tmp;
    QVERIFY(tmp.isValid());
    qputenv("XDG_DATA_HOME", QFile::encodeName(tmp.path()));
    QVERIFY(!UseDataFolderIfAsked({"zlc"}));
    QVERIFY(!QFileInfo::exists(tmp.filePath("zlc")));
    QCOMPARE(QDir::currentPath(), startDir_);
    QVERIFY(messages_.isEmpty());
  }

  void fileWhereTheFolderShouldBe() {
    QTemporaryDir tmp;
    QVERIFY(tmp.isValid());
    QFile blocker(tmp.filePath("zlc"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.write("not a folder\n");
    blocker.close();
    qputenv("XDG_DATA_HOME", QFile::encodeName(tmp.path()));

    QVERIFY(!UseDataFolderIfAsked(withOption_));
    QCOMPARE(QDir::currentPath(), startDir_);
    QVERIFY(QFileInfo(tmp.filePath("zlc")).isFile());
    QCOMPARE(messages_.size(), 1);
    const QString& m = messages_.first();
    QVERIFY2(m.contains(tmp.filePath("zlc")), qPrintable(m));
    QVERIFY2(m.contains(NotADirectory()), qPrintable(m));
    QVERIFY2(m.contains(startDir_), qPrintable(m));
  }

  void fileWhereAParentShouldBe() {
    QTemporaryDir tmp;
    QVERIFY(tmp.isValid());
    QFile blocker(tmp.filePath("data"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    qputenv("XDG_DATA_HOME", QFile::encodeName(tmp.filePath("data")));

    QVERIFY(!UseDataFolderIfAsked(withOption_));
    QCOMPARE(QDir::currentPath(), startDir_);
    QCOMPARE(messages_.size(), 1);
    QVERIFY2(messages_.first().contains(NotADirectory()), qPrintable(messages_.first()));
  }
};

QTEST_MAIN(DataFolderTest)
#include "data_folder_test.moc"
