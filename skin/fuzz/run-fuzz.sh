#!/bin/sh
# run-fuzz.sh FUZZER SEEDS SKIN WORK SECONDS: fuzzes for a bounded time from a fresh working corpus
# (the seed files and the project's skin); fails when the fuzzer finds a crash, a leak or a fault.
set -eu
fuzzer=$1 seeds=$2 skin=$3 work=$4 seconds=$5
rm -rf "$work"
mkdir -p "$work/corpus" "$work/artifacts"
cp "$seeds"/* "$work/corpus/"
cp "$skin" "$work/corpus/"
exec "$fuzzer" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix="$work/artifacts/" "$work/corpus"
