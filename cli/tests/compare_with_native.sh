#!/usr/bin/env bash
# The Windows tamrel-cli.exe must print, byte for byte, what the native
# tamrel-cli prints for the same input, and end with the same status: a few
# thousand generated cases per command, batches that end in a bad line, and
# some operands on the command line.
# usage: compare_with_native.sh NATIVE_CLI WINDOWS_CLI WORK_DIR EMULATOR...
set -u

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/test_helpers.sh"

native=$1
windows=$2
work=$3
shift 3
emulator=("$@")
if [[ ! -x $native ]]; then
  echo "skipped: no native tamrel-cli at $native; build the native preset first" \
    "or set TAMREL_NATIVE_CLI"
  exit 77
fi
prepare_emulator "$work" "${emulator[@]}"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# Operand texts of every shape the reader knows: plain, signed, fractions,
# exponents near and beyond the limits, long mantissas, full-width UTF-8,
# white space, trailing junk, nothing at all.
LC_ALL=C awk -v out="$scratch" '
  function digits(n,   s, i) { s = ""; for (i = 0; i < n; ++i) s = s int(rand() * 10); return s }
  function pick(list,   parts, n) { n = split(list, parts, " "); return parts[int(rand() * n) + 1] }
  function full_width(s,   r, i, c) {
    r = ""
    for (i = 1; i <= length(s); ++i) {
      c = substr(s, i, 1)
      if (c ~ /[0-9]/) r = r fw[c + 0]; else if (c == ".") r = r "\357\274\216";
      else if (c == "-") r = r "\357\274\215"; else r = r c
    }
    return r
  }
  function number(   k, s) {
    k = int(rand() * 14)
    if (k == 0) return int(rand() * 100000)
    if (k == 1) return digits(1 + int(rand() * 4)) "." digits(int(rand() * 8))
    if (k == 2) return pick("- + ") digits(1 + int(rand() * 3)) pick("e E d D") pick("- + ") int(rand() * 420)
    if (k == 3) return digits(1 + int(rand() * 30)) "." digits(int(rand() * 30))
    if (k == 4) return "0." digits(int(rand() * 330)) digits(3)
    if (k == 5) return pick("0 -0 .5 5. +.5 - . e5 1e 1e+ abc 0x1A 1,000 4.7k 1.#INF -1.#IND")
    if (k == 6) return ""
    if (k == 7) return full_width(int(rand() * 10000) "." digits(2))
    if (k == 8) return "\343\200\200" int(rand() * 1000)
    if (k == 9) return int(rand() * 1000) "\316\251"
    if (k == 10) return pick("1.7976931348623158e308 1.7976931348623159e308 9007199254740993 4.9e-324 2.4703282292062328e-324")
    if (k == 11) return "-" int(rand() * 100000)
    if (k == 12) return int(rand() * 1000) "\r"
    return "  " digits(1 + int(rand() * 6)) pick("e-5 e13 e300 ")
  }
  function hex(n,   s, i) { s = ""; for (i = 0; i < n; ++i) s = s substr("0123456789abcdefABCDEF", int(rand() * 22) + 1, 1); return s }
  BEGIN {
    split("\357\274\220 \357\274\221 \357\274\222 \357\274\223 \357\274\224 \357\274\225 \357\274\226 \357\274\227 \357\274\230 \357\274\231", parts, " ")
    for (i = 0; i < 10; ++i) fw[i] = parts[i + 1]
    srand(20240601)
    for (i = 0; i < 6000; ++i) {
      printf "%s\t%s\n", number(), number() > (out "/vout.in")
      printf "%s\n", number() > (out "/text.in")
      if (rand() < 0.5) printf "%s\n", hex(16) > (out "/bits.in")
      else printf "%s%s%s\n", pick("0 8 7 F 3 4 C"), pick("00 FF FE F0 01 FF"), hex(13) > (out "/bits.in")
    }
  }'
# Batches that stop at a bad line: the lines before it, then the message.
{ head -n 3000 "$scratch/vout.in"; printf '240 720\n'; head -n 5 "$scratch/vout.in"; } >"$scratch/vout-bad.in"
{ head -n 3000 "$scratch/text.in"; printf '\xa3\xb1\n1\n'; } >"$scratch/text-bad.in"
{ head -n 3000 "$scratch/bits.in"; printf '7FF8000000000000\r\n'; } >"$scratch/bits-bad.in"

failures=0
runs=0
# same NAME STDIN ARGUMENTS...
same() {
  local name=$1 input=$2
  shift 2
  runs=$((runs + 1))
  "$native" "$@" <"$input" >"$scratch/native.out" 2>"$scratch/native.err"
  local native_status=$?
  "${emulator[@]}" "$windows" "$@" <"$input" >"$scratch/windows.out" 2>"$scratch/windows.err"
  local windows_status=$?
  local wrong=()
  ((native_status == windows_status)) ||
    wrong+=("exit status $windows_status, natively $native_status")
  cmp "$scratch/native.out" "$scratch/windows.out" >"$scratch/cmp" 2>&1 ||
    wrong+=("standard output: $(cat "$scratch/cmp")")
  cmp -s "$scratch/native.err" "$scratch/windows.err" || wrong+=("standard error differs")
  if ((${#wrong[@]} > 0)); then
    failures=$((failures + 1))
    echo "FAIL $name: ${wrong[*]}"
    echo "  native standard error:"; sed 's/^/    /' "$scratch/native.err"
    echo "  Windows standard error:"; sed 's/^/    /' "$scratch/windows.err"
  fi
}

same "vout batch" "$scratch/vout.in" vout -
same "parse batch" "$scratch/text.in" parse -
same "normalise batch" "$scratch/text.in" normalise -
same "format batch" "$scratch/bits.in" format -
same "parse batch as GBK" "$scratch/text.in" --gbk parse -
same "vout batch ending in a bad line" "$scratch/vout-bad.in" vout -
same "parse batch ending in invalid UTF-8" "$scratch/text-bad.in" parse -
same "format batch ending in a CR" "$scratch/bits-bad.in" format -
same "usage" /dev/null --help
same "vout full-width operands" /dev/null vout $'\xef\xbc\x92\xef\xbc\x94\xef\xbc\x90' \
  $'\xe3\x80\x80\xef\xbc\x97\xef\xbc\x92\xef\xbc\x90\xce\xa9'
same "parse operand GBK lacks" /dev/null parse $'\xed\x95\x9c5'
same "normalise operand" /dev/null normalise '  -0012.50e-7 V'
same "bad BITS" /dev/null format 7FF800000000000G
same "wrong operand count" /dev/null vout 1
# design's figures come from the same arithmetic on both platforms: a thousand
# rows of every column, over wide searches.
same "design E192, 10 to 1M" /dev/null design 3.3 --series E192 --r1-range 10:1M \
  --r2-range 10:1M --tolerance 0.1 --count 1000 --csv
same "design E24, every resistance" /dev/null design 12 --r1-range 0.01:1G \
  --r2-range 0.01:1G --tolerance 50 --count 1000 --csv
same "design table" /dev/null design 1V8 --series E96 --tolerance 2.5 --count 40
same "design bad input" /dev/null design 3.3 --r2-range 1M:10

echo "$runs comparisons, $failures failed"
((failures == 0))
