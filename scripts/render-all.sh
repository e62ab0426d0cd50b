#!/usr/bin/env bash
# Writes every report, graph, sheet, summary, pack, plan, year page and CSV of every person in a
# diary folder, through tools/pulmora-report, into an output folder. Run it on the same diary
# before and after a change and compare the folders (`diff -r -x '*.pdf'`) to see that nothing a
# user sees has moved. A PDF carries the moment it was made, so each is compared by its text and
# its pages drawn at 50 dpi, written beside it.
#   scripts/render-all.sh BUILD_DIR DIARY_FOLDER OUT_FOLDER DATE
set -euo pipefail
build=$1 diary=$2 out=$3 date=$4
report=$build/tools/pulmora-report
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
mkdir -p "$out"

nicknames=$(/usr/bin/python3 - "$diary" <<'PY'
import sys
from dbfread import DBF
for record in DBF(sys.argv[1] + '/Personal.dat', encoding='cp1252'):
    print(record['WhoI'])
PY
)

run() {  # run NAME ARGS...: one output, its figures (where the kind has them) beside it
    local name=$1; shift
    "$report" "$diary" "$@" --out "$out/$name" >"$out/$name.stdout" 2>"$out/$name.stderr" || echo "exit $?" >>"$out/$name.stderr"
}

while IFS= read -r nick; do
    [ -n "$nick" ] || continue
    p=(--person "$nick" --date "$date")
    for kind in weekly monthly-basic monthly-additional summary; do
        for ext in png pdf jpg bmp; do run "$nick-$kind.$ext" "${p[@]}" --report $kind; done
        run "$nick-$kind-figures.png" "${p[@]}" --report $kind --figures
    done
    for option in "Percentage Best" "Peak Flow Trend" "Diurnal Variation" "Zone Frequency" \
                  "Symptom Activity" "Poor Perceiver Indicator" "Reliever Use vs Percentage Best"; do
        for period in "1 Month" "3 Months" "6 Months" "9 Months" "Year"; do
            tag="$nick-graph-${option// /_}-${period// /_}"
            run "$tag.png" "${p[@]}" --report graph --option "$option" --period "$period"
            run "$tag-axis.png" "${p[@]}" --report graph --option "$option" --period "$period" --date-axis
        done
        run "$nick-graph-${option// /_}.pdf" "${p[@]}" --report graph --option "$option" --period "3 Months"
        run "$nick-graph-${option// /_}.jpg" "${p[@]}" --report graph --option "$option" --period "Year"
    done
    run "$nick-pack.pdf" "${p[@]}" --report pack
    for ext in pdf png; do
        run "$nick-plan.$ext" "${p[@]}" --report plan
        run "$nick-year.$ext" "${p[@]}" --report year
        run "$nick-sheet.$ext" "${p[@]}" --report sheet
    done
    run "$nick-sheet-two-separate.pdf" "${p[@]}" --report sheet --two-weeks --separate
    run "$nick-sheet-3x2.pdf" "${p[@]}" --report sheet --size 3x2
    run "$nick.csv" --person "$nick" --report csv
done <<<"$nicknames"

all=()
while IFS= read -r nick; do [ -n "$nick" ] && all+=(--person "$nick"); done <<<"$nicknames"
run "all-sheets.pdf" "${all[@]}" --date "$date" --report sheet

for pdf in "$out"/*.pdf; do
    pdftotext -layout "$pdf" "$pdf.txt"
    pdftoppm -r 50 -png "$pdf" "$pdf.page"
done
