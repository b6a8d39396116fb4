#!/bin/sh
# Times the window's start-up under a virtual X server: main to first paint, CPU time and peak
# memory as the probe reports them, and exec to first paint measured from outside the process.
# Usage: bench/startup.sh [path/to/startup-probe] [runs]
set -eu
probe=${1:-build/default/bench/startup-probe}
runs=${2:-10}
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$probe" "$runs"
fi
# One run to warm the font and file caches.
"$probe" >/dev/null 2>&1
i=0
while [ "$i" -lt "$runs" ]; do
    start=$(date +%s%N)
    "$probe" 2>/dev/null | awk -v start="$start" '
        /^main_to_first_paint_ms/ { main = $2 }
        /^first_paint_epoch_ns/ { exec_ms = ($2 - start) / 1e6 }
        /^peak_rss_mb/ { rss = $2 }
        /^cpu_ms/ { cpu = $2 }
        END { printf "%.1f %.1f %.1f %.1f\n", main, exec_ms, cpu, rss }'
    i=$((i + 1))
done | sort -n | awk '
    { main[NR] = $1; line[NR] = $0; if ($4 > rss) rss = $4
      printf "main->paint %6.1f ms   exec->paint %6.1f ms   cpu %6.1f ms   peak RSS %5.1f MB\n", $1, $2, $3, $4 }
    END { printf "median main->paint %.1f ms (min %.1f), highest peak RSS %.1f MB over %d runs\n",
                 main[int((NR + 1) / 2)], main[1], rss, NR }'
