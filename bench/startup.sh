#!/bin/sh
# Times the start-up of the real window against a bare Qt Widgets program with one button, under
# a virtual X server: from exec (the clock is read just before the program starts, so loading
# the libraries counts) to the first paint, the peak resident memory and the processor time to
# that paint (which a loaded machine disturbs less than the clock). Both programs print
# their first paint and end when PW_REPORT_FIRST_PAINT is set. They take turns in the same
# session, and the medians and their ratios come from the same conditions. The window runs with
# fresh settings, so a designer's kept studio neither slows it nor is touched.
# Usage: bench/startup.sh [build-dir] [runs]
set -eu
build=${1:-build/default}
runs=${2:-7}
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$build" "$runs"
fi
window=$build/src/app/pattern-workshop
bare=$build/bench/bare-window
settings=$(mktemp -d)
trap 'rm -rf "$settings"' EXIT
export PW_REPORT_FIRST_PAINT=1 XDG_CONFIG_HOME="$settings/config" XDG_DATA_HOME="$settings/data"
# One run of each to warm the font and file caches.
"$window" >/dev/null 2>&1
"$bare" >/dev/null 2>&1
i=0
while [ "$i" -lt "$runs" ]; do
    for program in window bare; do
        path=$window
        [ "$program" = bare ] && path=$bare
        start=$(date +%s%N)
        "$path" 2>/dev/null | awk -v start="$start" -v program="$program" '
            /^first_paint_epoch_ns/ { ms = ($2 - start) / 1e6 }
            /^peak_rss_kb/ { mb = $2 / 1024 }
            /^cpu_ms/ { cpu = $2 }
            END { printf "%s %.1f %.1f %.1f\n", program, ms, mb, cpu }'
    done
    i=$((i + 1))
done | awk '
    { n[$1]++; ms[$1, n[$1]] = $2; mb[$1, n[$1]] = $3; cpu[$1, n[$1]] = $4
      printf "%-6s exec->first paint %6.1f ms   peak RSS %5.1f MB   CPU %6.1f ms\n", $1, $2, $3, $4 }
    function median(values, program, count,    i, j, sorted, t) {
        for (i = 1; i <= count; i++) sorted[i] = values[program, i]
        for (i = 2; i <= count; i++)
            for (j = i; j > 1 && sorted[j - 1] > sorted[j]; j--) {
                t = sorted[j]; sorted[j] = sorted[j - 1]; sorted[j - 1] = t
            }
        return count % 2 ? sorted[(count + 1) / 2] : (sorted[count / 2] + sorted[count / 2 + 1]) / 2
    }
    END {
        for (p in n) {
            time[p] = median(ms, p, n[p]); memory[p] = median(mb, p, n[p])
            processor[p] = median(cpu, p, n[p])
            printf "%-6s median of %d: %6.1f ms, %5.1f MB, CPU %6.1f ms\n", p, n[p], time[p],
                   memory[p], processor[p]
        }
        if (time["bare"] > 0 && memory["bare"] > 0 && processor["bare"] > 0)
            printf "window / bare: time %.2f x, memory %.2f x, CPU %.2f x\n",
                   time["window"] / time["bare"], memory["window"] / memory["bare"],
                   processor["window"] / processor["bare"]
    }'
