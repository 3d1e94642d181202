#!/usr/bin/env bash
# Brings every catalogue in translations/ up to the program's texts: new texts come in
# unfinished, texts no longer used go. Run it after adding or changing a text, then translate
# what it left unfinished (Qt Linguist, or by hand).
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
  "$lupdate" -silent -locations none -no-obsolete -target-language "$language" -I . \
    "${sources[@]}" -ts "$catalogue"
done
