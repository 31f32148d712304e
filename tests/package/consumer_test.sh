#!/usr/bin/env bash
# Builds examples/consumer against a fresh unpack of the release archive,
# whose CMake package (found through CMAKE_PREFIX_PATH) is its only link to
# the library, and checks that the build took the package, the import
# library and the DLL from the unpacked folder. With EMULATOR and BIN given
# it runs the consumer under Wine beside the stand-in suite DLLs: it must
# find the window of a fixture tool and print the status-bar CPU name of
# the configuration file beside the library.
#
# consumer_test.sh ARCHIVE WORK SOURCE PROCESSOR C_COMPILER OBJDUMP
#                  CHECK_IMPORTS DEF [EMULATOR BIN]
set -euo pipefail

archive=$1 work=$2 source=$3 processor=$4 compiler=$5 objdump=$6 check_imports=$7 def=$8
emulator=${9:-} bin=${10:-}

fail() {
  echo "consumer test: $*" >&2
  exit 1
}

rm -rf "$work"
mkdir -p "$work"
(cd "$work" && cmake -E tar xf "$archive")
package="$work/$(basename "$archive" .zip)"
build="$work/build"

cmake -S "$source" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_SYSTEM_NAME=Windows -DCMAKE_SYSTEM_PROCESSOR="$processor" \
  -DCMAKE_C_COMPILER="$compiler" -DCMAKE_PREFIX_PATH="$package"
cmake --build "$build"

found=$(sed -n 's/^dremoxa7_DIR:PATH=//p' "$build/CMakeCache.txt")
[[ "$found" == "$package/lib/cmake/dremoxa7" ]] || fail "package found at '$found'"
grep -q -- "$package/lib/dremoxa7.lib" "$build/build.ninja" ||
  fail "the consumer is not linked with the unpacked import library"
cmp "$package/bin/dremoxa7.dll" "$build/dremoxa7.dll" ||
  fail "the DLL beside the consumer is not the unpacked one"
cmake -DOBJDUMP="$objdump" -DPROGRAM="$build/consumer.exe" -DDEF="$def" \
  -DDLL_NAME=dremoxa7.dll -DIMPORTED=FindWinTitle,StaBarCpuName -P "$check_imports"

if [[ -z "$bin" ]]; then
  exit 0
fi

# The suite libraries beside the DLL, and a configuration file whose CPU
# record 0 (14 bytes from offset 22) names the CPU.
cp "$bin/ZorComInfo7.dll" "$bin/cpuspec.dll" "$bin/codedb.dll" "$build/"
printf '%-22s%-14s' 'configuration header' '  MX42-CPU' >"$build/Zorposcom.cnf"

title="Dx7 Consumer Check - conveyor.prj"
ready="$work/fixture.ready"
"$emulator" "$bin/fixture_tool.exe" --window "$title" --ready "$ready" \
  >"$work/fixture.log" 2>&1 &
fixture=$!
trap 'kill "$fixture" 2>/dev/null; wait "$fixture" 2>/dev/null || true' EXIT
for ((i = 0; i < 300; ++i)); do
  [[ -s "$ready" ]] && break
  kill -0 "$fixture" 2>/dev/null || fail "the fixture tool ended: $(cat "$work/fixture.log")"
  sleep 0.1
done
[[ -s "$ready" ]] || fail "the fixture tool opened no window within 30 s"

output=$(cd "$build" && "$emulator" consumer.exe "Dx7 Consumer" | tr -d '\r') ||
  fail "the consumer failed: $output"
expected="window: $title
status bar: [  CPU : MX42-CPU  ]"
if [[ "$output" != "$expected" ]]; then
  fail "the consumer printed
$output
instead of
$expected"
fi
echo "$output"
