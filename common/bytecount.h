#pragma once
// A count of bytes as every text writes it, with the plural form the count takes in the
// user's language: "1 byte", "2 bytes"; "1 байт", "2 байта", "5 байт".

#include <QString>

#include "common/texts.h"

// Recorded: the source's words ("36 bytes"), as a record kept in a file reads in every language.
QString BytesText(qint64 count, TWording wording = TWording::Shown);
