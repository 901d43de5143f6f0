#include "ui/translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace zlc::ui {
namespace {

constexpr char kProgramTranslation[] = "zlcTranslation";

const QTranslator* ProgramTranslation() {
  const QCoreApplication* app = QCoreApplication::instance();
  return app ? app->findChild<QTranslator*>(kProgramTranslation, Qt::FindDirectChildrenOnly) : nullptr;
}

}  // namespace

bool InstallTranslation(const QLocale& locale) {
  // Built into the program, so a copy run from the build folder speaks
  // the same language as the installed one.
  auto* program = new QTranslator(QCoreApplication::instance());
  if (!program->load(locale, "zlc", "_", ":/i18n")) {
    delete program;
    return false;
  }
  program->setObjectName(kProgramTranslation);
  QCoreApplication::installTranslator(program);
  auto* toolkit = new QTranslator(QCoreApplication::instance());
  if (toolkit->load(locale, "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(toolkit);
  } else {
    delete toolkit;
  }
  return true;
}

QLocale InterfaceLocale() {
  const QTranslator* program = ProgramTranslation();
  QLocale locale = program ? QLocale(program->language()) : QLocale::c();
  locale.setNumberOptions(QLocale::OmitGroupSeparator);
  return locale;
}

}  // namespace zlc::ui
