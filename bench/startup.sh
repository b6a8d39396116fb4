#!/bin/sh
# Times the window's start-up under a virtual X server: main to first paint, CPU time and peak
# memory as the probe reports them, and exec to first paint measured from outside the process.
# Runs the main window (menus and status bar) and the bare specified area alternately in the same
# session, so both medians and their ratio come from the same conditions.
# Usage: bench/startup.sh [path/to/startup-probe] [runs]
set -eu
probe=${1:-build/default/bench/startup-probe}
runs=${2:-10}
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$probe" "$runs"
fi
# One run of each to warm the font and file caches.
"$probe" >/dev/null 2>&1
"$probe" --bare >/dev/null 2>&1
i=0
while [ "$i" -lt "$runs" ]; do
    for variant in main bare; do
        flag=
        [ "$variant" = bare ] && flag=--bare
        start=$(date +%s%N)
        "$probe" $flag 2>/dev/null | awk -v start="$start" -v variant="$variant" '
            /^main_to_first_paint_ms/ { main = $2 }
            /^first_paint_epoch_ns/ { exec_ms = ($2 - start) / 1e6 }
            /^peak_rss_mb/ { rss = $2 }
            /^cpu_ms/ { cpu = $2 }
            END { printf "%s %.1f %.1f %.1f %.1f\n", variant, main, exec_ms, cpu, rss }'
    done
    i=$((i + 1))
done | sort -k1,1 -k2n | awk '
    { n[$1]++; main[$1, n[$1]] = $2; if ($5 > rss[$1]) rss[$1] = $5
      printf "%-4s main->paint %6.1f ms   exec->paint %6.1f ms   cpu %6.1f ms   peak RSS %5.1f MB\n",
             $1, $2, $3, $4, $5 }
    END {
        for (v in n) {
            median[v] = main[v, int((n[v] + 1) / 2)]
            printf "%s: median main->paint %.1f ms (min %.1f), highest peak RSS %.1f MB over %d runs\n",
                   v, median[v], main[v, 1], rss[v], n[v]
        }
        if (median["bare"] > 0)
            printf "main window / bare area: %.2f\n", median["main"] / median["bare"]
    }'
