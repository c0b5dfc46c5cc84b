#!/usr/bin/env bash
# The fuzzing campaign: runs every libFuzzer program of a fuzz build in turn, a few at a time, each on
# a fresh copy of its seeds with its own maximum input length, and prints a table of executions,
# executions a second, coverage and result. A crash, leak, hang or memory blow-up is kept with a
# script that reproduces it under BUILD/fuzz-run/TARGET/.
#
#   scripts/fuzz-run.sh BUILD_DIR [SECONDS] [PARALLEL]
#
# The targets come from BUILD_DIR/fuzz_targets.tsv (written by cmake: name, program, seeds, maximum
# length). FUZZ_TARGETS="a b" limits the run to the named targets.
set -uo pipefail

build=${1:?usage: fuzz-run.sh BUILD_DIR [SECONDS] [PARALLEL]}
seconds=${2:-60}
parallel=${3:-4}
manifest="$build/fuzz_targets.tsv"
if [[ ! -f $manifest ]]; then
  echo "no $manifest: configure the build with -DLUMO_FUZZ=ON first" >&2
  exit 2
fi
build=$(cd "$build" && pwd)
out="$build/fuzz-run"
mkdir -p "$out"

# Many targets write a title or input file for every input: in a memory file system that costs
# microseconds, on a busy disk the writes wait for write-back and the targets crawl.
if [[ -z ${TMPDIR:-} && -d /dev/shm && -w /dev/shm ]]; then
  TMPDIR=$(mktemp -d /dev/shm/lumo-fuzz-XXXXXX)
  export TMPDIR
  trap 'rm -rf "$TMPDIR"' EXIT
fi

# Leaks are findings, except inside the system libraries the suppressions name.
export LSAN_OPTIONS="suppressions=$(cd "$(dirname "$0")/.." && pwd)/fuzz/lsan_suppressions.txt${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

wanted=" ${FUZZ_TARGETS:-} "
names=()
declare -A program seeds maxlen
while IFS=$'\t' read -r name bin seed len; do
  [[ -z $name || $name == \#* ]] && continue
  if [[ -n ${FUZZ_TARGETS:-} && $wanted != *" $name "* ]]; then continue; fi
  names+=("$name")
  program[$name]=$bin
  seeds[$name]=$seed
  maxlen[$name]=$len
done < "$manifest"
if ((${#names[@]} == 0)); then
  echo "no targets to run" >&2
  exit 2
fi

# Runs one target; its summary goes to $out/NAME/summary (executions, per second, coverage, result).
run_one() {
  local name=$1 dir="$out/$1"
  rm -rf "$dir"
  mkdir -p "$dir/corpus" "$dir/findings"
  if [[ ! -x ${program[$name]} ]]; then
    printf '0\t0\t0\tnot built\n' > "$dir/summary"
    return
  fi
  [[ -d ${seeds[$name]} ]] && cp -r "${seeds[$name]}/." "$dir/corpus/"
  # A hang of one input counts as a finding after 30 s; the outer limit only guards the run itself.
  QT_QPA_PLATFORM=offscreen timeout -k 10 $((seconds + 180)) "${program[$name]}" \
    -max_total_time="$seconds" -max_len="${maxlen[$name]}" -timeout=30 -rss_limit_mb=2560 \
    -print_final_stats=1 -artifact_prefix="$dir/findings/" "$dir/corpus" > "$dir/log" 2>&1
  local status=$?
  local execs rate cov result finding
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$dir/log" | tail -1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$dir/log" | tail -1)
  cov=$(grep -o 'cov: [0-9]*' "$dir/log" | tail -1 | cut -d' ' -f2)
  # The worst finding names the result: a crash, leak, hang or memory blow-up before a slow input.
  finding=$(find "$dir/findings" -type f ! -name 'slow-unit-*' | sort | head -1)
  [[ -z $finding ]] && finding=$(find "$dir/findings" -type f | sort | head -1)
  if [[ -n $finding ]]; then
    result="$(basename "$finding" | cut -d- -f1)"
    [[ $result == slow ]] && result="slow unit"
    cat > "$dir/reproduce.sh" <<EOF
#!/usr/bin/env bash
# Runs the kept input of $name once under the sanitizers.
QT_QPA_PLATFORM=offscreen exec "${program[$name]}" "$finding"
EOF
    chmod +x "$dir/reproduce.sh"
    result="$result: $finding"
  elif ((status == 0)); then
    result=ok
  elif ((status == 124 || status == 137)); then
    result="stopped by the outer limit"
  else
    result="exit $status (see $dir/log)"
  fi
  printf '%s\t%s\t%s\t%s\n' "${execs:-0}" "${rate:-0}" "${cov:-0}" "$result" > "$dir/summary"
}

echo "fuzzing ${#names[@]} targets, $seconds s each, $parallel at a time; results in $out"
running=0
for name in "${names[@]}"; do
  if ((running >= parallel)); then
    wait -n
    ((running--))
  fi
  run_one "$name" &
  ((running++))
done
wait

failed=0
printf '%-34s %12s %10s %8s  %s\n' target executions "exec/s" coverage result
for name in "${names[@]}"; do
  IFS=$'\t' read -r execs rate cov result < "$out/$name/summary"
  printf '%-34s %12s %10s %8s  %s\n' "$name" "$execs" "$rate" "$cov" "$result"
  [[ $result == ok ]] || failed=1
done
exit $failed
