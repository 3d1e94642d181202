#pragma once
// The framework's string-to-integer conversion, as the options, the preferences, the
// firmware field and the PRG3 library text use it.
//
// Accepted: leading blanks, then either an optional sign and decimal digits that fit a
// signed 32-bit integer, or a "$", "x", "X", "0x" or "0X" prefix and hexadecimal digits of
// at most 8 significant places (0xFFFFFFFF reads as -1). Nothing may follow the number.

#include <QString>
#include <optional>

std::optional<qint32> TryStrToInt(const QString& text);

// Throws EConvertError "'%s' is not a valid integer value" for any other text.
qint32 StrToInt(const QString& text);
