#include "common/bytecount.h"

namespace {

const char* const BytesSource = QT_TRANSLATE_N_NOOP("Common", "%1 bytes");

// tr() picks a plural form from an int; the last six digits of a larger count pick the same
// form in every language's rules.
int PluralCount(qint64 count) {
  const qint64 magnitude = count < 0 ? -count : count;
  return magnitude < 1000000 ? int(magnitude) : int(magnitude % 1000000 + 1000000);
}

}  // namespace

QString BytesText(qint64 count, TWording wording) {
  const QString text = wording == TWording::Shown
                           ? TCommonText::tr(BytesSource, nullptr, PluralCount(count))
                           : QString::fromLatin1(BytesSource);
  return text.arg(count);
}
