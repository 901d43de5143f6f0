// Cyrillic test texts are written in UTF-8 here and turned into the core's
// Windows-1251 bytes.
#pragma once

#include <string>

#include "cards/cp1251.h"

inline std::string Ru(const char* utf8) { return zlc::Utf8ToCp1251(utf8); }
