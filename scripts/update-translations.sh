#!/usr/bin/env bash
# Brings every catalogue in translations/ up to the program's texts: new texts come in
# unfinished, texts no longer used go. Run it after adding or changing a text, then translate
# what it left unfinished (Qt Linguist, or by hand); in kivmanager_en.ts, which takes only the
# texts with a count, that is writing each one's singular form. translations/glossary.md holds
# the words the Russian catalogue uses for the program's things.
#   scripts/update-translations.sh [CATALOGUE.ts...]
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate=/usr/lib/qt6/bin/lupdate
catalogues=("$@")
if ((${#catalogues[@]} == 0)); then
  catalogues=(translations/kivmanager_*.ts)
fi
# The folders that hold what the two programs show; tests, benchmarks and the virtual phone
# show nothing to the user.
sources=(app catalogue cli common details libraries link prefs settings transfer ufif)
for catalogue in "${catalogues[@]}"; do
  language=$(basename "$catalogue" .ts)
  language=${language#kivmanager_}
  # English is the texts' own language: its catalogue holds only the texts that count ("%n
  # slots"), each with its singular and plural form to fill in.
  only=()
  if [[ $language == en ]]; then
    only=(-pluralonly)
  fi
  "$lupdate" -silent -locations none -no-obsolete "${only[@]}" -target-language "$language" \
    -I . "${sources[@]}" -ts "$catalogue"
done
