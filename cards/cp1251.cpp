#include "cards/cp1251.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace zlc {
namespace {

// Unicode code points of the bytes 0x80..0xFF.
constexpr std::array<char16_t, 128> kHighHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

// Each byte's UTF-8 form, worked out once: up to three bytes in the low
// bytes and the length in the top one, so that a byte is turned with one
// four-byte store (the length byte is written over by the next form).
constexpr std::uint32_t FormOf(char32_t cp) {
  if (cp < 0x80) return cp | 1u << 24;
  if (cp < 0x800) return (0xC0 | cp >> 6) | (0x80 | (cp & 0x3F)) << 8 | 2u << 24;
  return (0xE0 | cp >> 12) | (0x80 | ((cp >> 6) & 0x3F)) << 8 | (0x80 | (cp & 0x3F)) << 16 | 3u << 24;
}

constexpr std::array<std::uint32_t, 256> kUtf8Forms = [] {
  std::array<std::uint32_t, 256> forms{};
  for (int b = 0; b < 256; ++b) {
    forms[static_cast<std::size_t>(b)] =
        FormOf(b < 0x80 ? char32_t(b) : char32_t{kHighHalf[static_cast<std::size_t>(b - 0x80)]});
  }
  return forms;
}();

char ToCp1251(char32_t cp) {
  if (cp < 0x80) return static_cast<char>(cp);
  for (std::size_t i = 0; i < kHighHalf.size(); ++i) {
    if (kHighHalf[i] == cp && cp != 0xFFFD) return static_cast<char>(0x80 + i);
  }
  return kUnconvertible;
}

constexpr char32_t kMalformed = 0xFFFFFFFF;

// The code point of the well-formed sequence at `at`, which is moved past
// it; kMalformed for a byte that starts none, which is moved past alone.
char32_t NextCodePoint(std::string_view text, std::size_t& at) {
  const auto lead = static_cast<std::uint8_t>(text[at++]);
  if (lead < 0x80) return lead;
  // The sequence's length and the smallest code point it may carry, so that
  // an overlong form (a '?' spelt in two bytes) is refused.
  int extra = 0;
  char32_t least = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    extra = 1;
    least = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    extra = 2;
    least = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    extra = 3;
    least = 0x10000;
  } else {
    return kMalformed;
  }
  char32_t cp = lead & (0x3F >> extra);
  if (text.size() - at < static_cast<std::size_t>(extra)) return kMalformed;
  for (int k = 0; k < extra; ++k) {
    const auto c = static_cast<std::uint8_t>(text[at + static_cast<std::size_t>(k)]);
    if ((c & 0xC0) != 0x80) return kMalformed;
    cp = (cp << 6) | (c & 0x3F);
  }
  if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return kMalformed;
  at += static_cast<std::size_t>(extra);
  return cp;
}

}  // namespace

std::string Cp1251ToUtf8(std::string_view bytes) {
  std::string out;
  AppendCp1251AsUtf8(out, bytes);
  return out;
}

void AppendCp1251AsUtf8(std::string& out, std::string_view bytes) {
  // At most three bytes for one, and one more for the last store: room is
  // made once, then filled by table, then cut to what was written.
  const std::size_t start = out.size();
  out.resize(start + 3 * bytes.size() + 1);
  char* at = out.data() + start;
  for (char ch : bytes) {
    const std::uint32_t form = kUtf8Forms[static_cast<std::uint8_t>(ch)];
    if constexpr (std::endian::native == std::endian::little) {
      std::memcpy(at, &form, sizeof form);
    } else {
      at[0] = static_cast<char>(form);
      at[1] = static_cast<char>(form >> 8);
      at[2] = static_cast<char>(form >> 16);
    }
    at += form >> 24;
  }
  out.resize(static_cast<std::size_t>(at - out.data()));
}

std::string Utf8ToCp1251(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    const char32_t cp = NextCodePoint(utf8, i);
    out.push_back(cp == kMalformed ? kUnconvertible : ToCp1251(cp));
  }
  return out;
}

bool IsValidUtf8(std::string_view bytes) {
  for (std::size_t i = 0; i < bytes.size();) {
    if (NextCodePoint(bytes, i) == kMalformed) return false;
  }
  return true;
}

std::string FileTextToCp1251(std::string_view bytes) {
  const bool ascii = std::all_of(bytes.begin(), bytes.end(),
                                 [](char c) { return static_cast<std::uint8_t>(c) < 0x80; });
  if (ascii || !IsValidUtf8(bytes)) return std::string{bytes};
  return Utf8ToCp1251(bytes);
}

namespace {

bool IsControl(char32_t cp) { return (cp < 0x20 && cp != '\t') || (cp >= 0x7F && cp <= 0x9F); }

void AppendEscape(std::string& out, const char* form, unsigned value) {
  char text[8];
  std::snprintf(text, sizeof text, form, value);
  out += text;
}

}  // namespace

std::string EscapeControlsUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t start = i;
    const char32_t cp = NextCodePoint(text, i);
    if (cp == kMalformed) {
      AppendEscape(out, "\\x%02x", static_cast<std::uint8_t>(text[start]));
    } else if (IsControl(cp)) {
      AppendEscape(out, cp < 0x80 ? "\\x%02x" : "\\u%04x", static_cast<unsigned>(cp));
    } else {
      out.append(text.substr(start, i - start));
    }
  }
  return out;
}

std::string EscapeControlsCp1251(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char ch : text) {
    const auto byte = static_cast<std::uint8_t>(ch);
    if ((byte < 0x20 && ch != '\t') || byte == 0x7F) {
      AppendEscape(out, "\\x%02x", byte);
    } else {
      out.push_back(ch);
    }
  }
  return out;
}

}  // namespace zlc
