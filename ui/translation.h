// The interface's language: Russian texts where the system's locale asks
// for Russian, the English texts as they stand everywhere else. The files
// the calculator writes never change with it.
#pragma once

#include <QLocale>

namespace zlc::ui {

// Installs the program's translation for `locale`, and Qt's own (the file
// dialogs' buttons), when there is one. False when the locale has none:
// the texts stay English.
bool InstallTranslation(const QLocale& locale);

// How the windows write numbers: with the decimal sign of the interface's
// language (0,05 in the Russian texts, 0.05 in the English ones), whatever
// the system's formats are, and without group separators.
QLocale InterfaceLocale();

}  // namespace zlc::ui
