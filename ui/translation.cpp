#include "ui/translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace zlc::ui {

bool InstallTranslation(const QLocale& locale) {
  // Built into the program, so a copy run from the build folder speaks
  // the same language as the installed one.
  auto* program = new QTranslator(QCoreApplication::instance());
  if (!program->load(locale, "zlc", "_", ":/i18n")) {
    delete program;
    return false;
  }
  QCoreApplication::installTranslator(program);
  auto* toolkit = new QTranslator(QCoreApplication::instance());
  if (toolkit->load(locale, "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(toolkit);
  } else {
    delete toolkit;
  }
  return true;
}

}  // namespace zlc::ui
