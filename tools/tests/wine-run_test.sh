#!/bin/sh
# A test program that crashes, or ends inside a test, fails at once under the wrapper, with a display
# and without one. $1: the wrapper, $2: Crashing_program.exe.
run=$1 program=$2 failed=0
# display (yes or no), test name, text the output must hold
expect_failure() {
  if [ "$1" = yes ]; then out=$(timeout 120 "$run" "$program" --gtest_filter="$2" 2>&1)
  else out=$(env -u DISPLAY timeout 120 "$run" "$program" --gtest_filter="$2" 2>&1); fi
  rc=$?
  why=
  if [ $rc -eq 124 ]; then why="still running after 120 s"
  elif [ $rc -eq 0 ]; then why="status 0"
  elif ! printf '%s' "$out" | grep -q "$3"; then why="no \"$3\" in its output"; fi
  if [ -n "$why" ]; then
    echo "FAILED: $2, display $1: $why"; printf '%s\n' "$out" | head -20; failed=1
  else
    echo "ok: $2, display $1: status $rc"
  fi
}
for display in yes no; do
  expect_failure $display Crashing.PageFault "unhandled exception C0000005 at 0x[0-9A-F]* (Crashing_program.exe+0x"
  expect_failure $display Crashing.PageFaultLeftToThePlatform "page fault"
done
expect_failure yes Crashing.ExitWithSuccessInsideATest "ended without its test summary"
exit $failed
