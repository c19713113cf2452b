#!/usr/bin/env bash
# The command-line figures of bench/RESULTS.md, measured by turns in one run: wall time, CPU
# time (user and system) and peak memory (the resident set, from /usr/bin/time) of vireo-cli
# format, check --full and render --all on the generator's cockpit, against the floor under
# format (bench/formatfloor). On a machine shared with other work the CPU time is the steadier
# figure; wall time shows what several cores bring only when they are free.
#
#   bench/cli-bench.sh BUILD [BEFORE_BUILD] [RUNS]
#
# BUILD (and BEFORE_BUILD, a build of an older commit to compare with in the same run) are
# build folders configured with -DCMAKE_BUILD_TYPE=Release -DVIREO_BUILD_BENCH=ON that hold
# vireo-cli, bench/gencockpit and bench/formatfloor. RUNS (default 5) runs of each, medians
# printed. VIREO_BENCH_RENDER=0 leaves out render --all; VIREO_BENCH_NUL=N adds the load of a
# file of N MB of NUL bytes (one line); VIREO_BENCH_COMMENT=N that of a comment line of N MB
# before one record; VIREO_BENCH_NUMBER=N that of a record whose key line holds a number of N
# MB of digits.
set -euo pipefail
build=$(cd "$1" && pwd)
before=${2:+$(cd "$2" && pwd)}
runs=${3:-5}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen

"$build/bench/gencockpit" "$work/gen.dat" 100000 200
# The cockpit as format writes it: format then gives back the same bytes.
"$build/vireo-cli" format "$work/gen.dat" -o "$work/c100k.dat"
"$build/bench/gencockpit" "$work/empty.dat" --empty-panels 1000
# The same cockpit with a picture of its own behind every panel: no two panels look alike.
mkdir -p "$work/bg"
"$build/bench/gencockpit" "$work/bg/back.dat" 100000 200 --backgrounds
bytes=$(stat -c %s "$work/c100k.dat")
echo "cockpit: $bytes bytes, 100,000 records, 500 panels; load: $(cut -d' ' -f1-3 /proc/loadavg)"

# measure NAME COMMAND...: one run, "NAME seconds kilobytes" appended to the results.
# Exit 1 (check found problems) counts as done.
measure() {
    local name=$1 rc=0
    shift
    /usr/bin/time -q -f "$name %e %M %U %S" -a -o "$work/results" "$@" >/dev/null 2>"$work/err" || rc=$?
    if [ "$rc" -gt 1 ]; then
        echo "$name failed:"
        cat "$work/err"
        exit 1
    fi
}

sides=(after)
[ -n "$before" ] && sides+=(before)
for ((i = 0; i < runs; i++)); do
    measure floor "$build/bench/formatfloor" "$work/c100k.dat" "$work/floor.dat"
    for side in "${sides[@]}"; do
        cli="$build/vireo-cli"
        [ "$side" = before ] && cli="$before/vireo-cli"
        measure "format-$side" "$cli" format "$work/c100k.dat" -o "$work/out.dat"
        cmp -s "$work/c100k.dat" "$work/out.dat" || { echo "format-$side changed the bytes"; exit 1; }
        measure "format-stdout-$side" "$cli" format "$work/c100k.dat" -o -
        measure "check-full-$side" "$cli" check --full "$work/c100k.dat"
        if [ "${VIREO_BENCH_NUL:-0}" -gt 0 ]; then
            [ -f "$work/nul.dat" ] || head -c "$((VIREO_BENCH_NUL << 20))" /dev/zero >"$work/nul.dat"
            measure "nul-format-$side" "$cli" format "$work/nul.dat" -o -
        fi
        if [ "${VIREO_BENCH_COMMENT:-0}" -gt 0 ]; then
            if [ ! -f "$work/comment.dat" ]; then
                { printf '// '; head -c "$((VIREO_BENCH_COMMENT << 20))" /dev/zero | tr '\0' c
                  printf '\n#1 SOUND\n\tentry = 1;\n#end\n'; } >"$work/comment.dat"
            fi
            measure "comment-format-$side" "$cli" format "$work/comment.dat" -o -
            measure "comment-check-$side" "$cli" check --full "$work/comment.dat"
        fi
        if [ "${VIREO_BENCH_NUMBER:-0}" -gt 0 ]; then
            if [ ! -f "$work/number.dat" ]; then
                { printf '#1 SOUND\n\tentry = '; head -c "$((VIREO_BENCH_NUMBER << 20))" /dev/zero | tr '\0' 7
                  printf ';\n#end\n'; } >"$work/number.dat"
            fi
            measure "number-format-$side" "$cli" format "$work/number.dat" -o -
        fi
    done
done
if [ "${VIREO_BENCH_RENDER:-1}" != 0 ]; then
    for ((i = 0; i < (runs < 3 ? runs : 3); i++)); do
        for side in "${sides[@]}"; do
            cli="$build/vireo-cli"
            [ "$side" = before ] && cli="$before/vireo-cli"
            rm -rf "$work/png" "$work/png-empty" "$work/png-bg"
            measure "render-all-$side" "$cli" render "$work/c100k.dat" --all -o "$work/png"
            measure "render-empty-$side" "$cli" render "$work/empty.dat" --all -o "$work/png-empty"
            measure "render-bg-$side" "$cli" render "$work/bg/back.dat" --all -o "$work/png-bg"
        done
    done
    # The pictures of one worker and of every core are the same bytes.
    rm -rf "$work/png1"
    "$build/vireo-cli" render "$work/bg/back.dat" --all -o "$work/png1" --workers 1 2>/dev/null
    if diff -r -q "$work/png-bg" "$work/png1" >/dev/null; then
        echo "render --all: every core and one worker wrote the same bytes"
    else
        echo "render --all: every core and one worker wrote different bytes"
        exit 1
    fi
fi

median() { sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }
printf '%-22s %8s %8s %9s %7s\n' name "wall s" "CPU s" "peak MB" "x file"
for name in $(cut -d' ' -f1 "$work/results" | awk '!seen[$0]++'); do
    t=$(awk -v n="$name" '$1 == n {print $2}' "$work/results" | median)
    m=$(awk -v n="$name" '$1 == n {print $3}' "$work/results" | median)
    c=$(awk -v n="$name" '$1 == n {print $4 + $5}' "$work/results" | median)
    printf '%-22s %8s %8s %9.1f %7.2f\n' "$name" "$t" "$c" "$(echo "$m / 1024" | bc -l)" \
        "$(echo "$m * 1024 / $bytes" | bc -l)"
done
echo "load at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
