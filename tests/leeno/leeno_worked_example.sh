#!/usr/bin/env bash
# What LeenO, the computo extension of LibreOffice, makes of the worked
# example's XPWE (tests/takeoff/data/worked-example.xpwe, the bytes that
# tst_xpwe checks the program writes): imported by LeenO's own importer,
# headless, with no dialog but its success message, its quantities summed
# per price code equal the window's totals within the computo's rounding
# (0,005 m³ a row). Needs ../shared/leeno beside the repository; installs
# LibreOffice on first use, as root. Exit 77 when LeenO is not there.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
leeno=$here/../../../shared/leeno/leeno-import.sh
[ -x "$leeno" ] || { echo "no $leeno: skipped"; exit 77; }

out=$("$leeno" --totals "$here/../takeoff/data/worked-example.xpwe")
echo "$out"
dialogs=$(grep '^LEENO DIALOG' <<<"$out" || true)
if [ "$dialogs" != "LEENO DIALOG [Ok] : Importazione di 6 voci di COMPUTO eseguita con successo!" ]; then
    echo "FAIL  LeenO showed other dialogs than its success message"
    exit 1
fi
# code TAB quantity, a line per computo item: summed per code, each code
# within 0,005 m³ of the window's total for every row it has.
grep -v '^LEENO' <<<"$out" | awk -F'\t' '
    BEGIN { want["E.01.001"] = 19.265; want["E.01.002"] = 136.786; want["E.01.003"] = 58.940 }
    NF == 2 { sum[$1] += $2; rows[$1]++ }
    END {
        bad = 0
        for (code in want) {
            diff = sum[code] - want[code]; if (diff < 0) diff = -diff
            ok = rows[code] > 0 && diff <= 0.005 * rows[code] + 1e-9
            printf "%s  %s: %.3f m³ in LeenO, %.3f in the window (%d rows)\n", ok ? "PASS" : "FAIL", code, sum[code], want[code], rows[code]
            if (!ok) bad = 1
        }
        exit bad
    }'
