#!/usr/bin/env bash
# What LeenO, the computo extension of LibreOffice, makes of the worked
# examples' XPWE files (tests/takeoff/data/, the bytes that tst_xpwe checks
# the program writes): imported by LeenO's own importer, headless, with no
# dialog but its success message, its quantities summed per price code
# equal the window's totals within the computo's rounding (0,005 a row).
# The first file holds the section's areas over two stretches; the second
# the job's own items (excavation by band, shoring, road surface, cut,
# pipe) over two stretches of two sections. Needs ../shared/leeno beside
# the repository; installs LibreOffice on first use, as root. Exit 77 when
# LeenO is not there.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
leeno=$here/../../../shared/leeno/leeno-import.sh
[ -x "$leeno" ] || { echo "no $leeno: skipped"; exit 77; }

# check FILE ITEMS "CODE=TOTAL ...": LeenO's import of FILE, ITEMS items of
# the computo, each code's quantity within 0,005 a row of its total.
check() {
    local out dialogs
    out=$("$leeno" --totals "$here/../takeoff/data/$1")
    echo "$out"
    dialogs=$(grep '^LEENO DIALOG' <<<"$out" || true)
    if [ "$dialogs" != "LEENO DIALOG [Ok] : Importazione di $2 voci di COMPUTO eseguita con successo!" ]; then
        echo "FAIL  LeenO showed other dialogs than its success message"
        return 1
    fi
    # code TAB quantity, a line per computo item: summed per code.
    grep -v '^LEENO' <<<"$out" | awk -F'\t' -v wanted="$3" '
        BEGIN { n = split(wanted, pairs, " "); for (i = 1; i <= n; i++) { split(pairs[i], kv, "="); want[kv[1]] = kv[2] } }
        NF == 2 { sum[$1] += $2; rows[$1]++ }
        END {
            bad = 0
            for (code in want) {
                diff = sum[code] - want[code]; if (diff < 0) diff = -diff
                ok = rows[code] > 0 && diff <= 0.005 * rows[code] + 1e-9
                printf "%s  %s: %.3f in LeenO, %.3f in the window (%d rows)\n", ok ? "PASS" : "FAIL", code, sum[code], want[code], rows[code]
                if (!ok) bad = 1
            }
            exit bad
        }'
}

check worked-example.xpwe 6 "E.01.001=19.265 E.01.002=136.786 E.01.003=58.940"
check items-example.xpwe 19 "E.01.001=10.207 E.01.002=50.527 E.01.003=29.120 A=4.000 B=17.717 C=32.000 D=12.000 \
E.02.030.a=145.191 E.02.030.b=21.689 E.05.010=268.667 E.08.001=130.800 E.08.002=180.000 E.10.001=90.000"
