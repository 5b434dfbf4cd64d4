#!/usr/bin/env bash
# tamrel-cli from the outside: the real executable's output bytes, its
# standard error and its exit status, for a table of cases.
# usage: end_to_end_test.sh CLI CLI_WITHOUT_MEMORY WORK_DIR [EMULATOR...]
set -u

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/test_helpers.sh"

cli=$1
without_memory=$2
work=$3
shift 3
emulator=("$@")
prepare_emulator "$work" "${emulator[@]}"
emulated=$((${#emulator[@]} > 0))

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
program=$cli
failures=0
cases=0

# expect NAME STATUS STDOUT PROBLEM STDIN -- ARGUMENTS...
#   STDOUT and STDIN are printf formats ("\t", "\r", "\xA3", "%%").
#   PROBLEM empty: standard error must be empty. Otherwise it must be one
#   line, "tamrel-cli: " followed by text that contains PROBLEM.
expect() {
  local name=$1 status=$2 stdout=$3 problem=$4 stdin=$5
  shift 6
  cases=$((cases + 1))
  printf -- "$stdin" >"$scratch/in"
  printf -- "$stdout" >"$scratch/expected"
  "${emulator[@]}" "$program" "$@" <"$scratch/in" >"$scratch/out" 2>"$scratch/err"
  local actual=$?
  local wrong=()
  ((actual == status)) || wrong+=("exit status $actual, expected $status")
  cmp -s "$scratch/out" "$scratch/expected" || wrong+=("standard output differs")
  if [[ -z $problem ]]; then
    [[ ! -s $scratch/err ]] || wrong+=("standard error is not empty")
  else
    local lines
    lines=$(wc -l <"$scratch/err")
    ((lines == 1)) || wrong+=("standard error has $lines lines, expected one")
    head -c 12 "$scratch/err" | cmp -s - <(printf 'tamrel-cli: ') ||
      wrong+=("standard error does not start with 'tamrel-cli: '")
    grep -qF -- "$problem" "$scratch/err" || wrong+=("standard error lacks '$problem'")
  fi
  if ((${#wrong[@]} > 0)); then
    failures=$((failures + 1))
    echo "FAIL $name: ${wrong[*]}"
    echo "  arguments:"; printf '    [%s]\n' "$@"
    echo "  expected output:"; od -c "$scratch/expected" | sed 's/^/    /'
    echo "  actual output:"; od -c "$scratch/out" | sed 's/^/    /'
    echo "  standard error:"; sed 's/^/    /' "$scratch/err"
  fi
}

# Cases whose operands hold bytes that only a byte command line can carry:
# Windows hands a program its command line as Unicode, so invalid UTF-8 and
# raw GBK never reach the Windows build there (input lines cover both).
byte_arguments_only() { ((emulated)) || expect "$@"; }

# One operand set per case.
#      name                          status output                problem      stdin -- arguments
expect "vout typical"                0 '5.036V\n'                 ''           '' -- vout 240 720
expect "vout R1 empty"               0 '1.#INFV\n'                ''           '' -- vout '' 720
expect "vout both empty"             0 '-1.#INDV\n'               ''           '' -- vout '' ''
expect "vout negative operand"       0 '-2.536V\n'                ''           '' -- vout 240 -720
expect "vout R1 zero, R2 negative"   0 '-1.#INFV\n'               ''           '' -- vout 0 -720
expect "vout exponent in result"     0 '1.25005e+013V\n'          ''           '' -- vout 1 1e13
expect "vout 13 digits"              0 '5.087878787879V\n'        ''           '' -- vout 330 1000
expect "vout full-width UTF-8"       0 '5.036V\n'                 ''           '' -- vout \
  $'\xef\xbc\x92\xef\xbc\x94\xef\xbc\x90' $'\xef\xbc\x97\xef\xbc\x92\xef\xbc\x90'
expect "vout spaces and ohm sign"    0 '5.036V\n'                 ''           '' -- vout \
  $' 240\xce\xa9' '720 '
expect "parse full-width UTF-8"      0 '3FF8000000000000\n'       ''           '' -- parse \
  $'\xef\xbc\x91\xef\xbc\x8e\xef\xbc\x95'
expect "parse ideographic space"     0 '406E000000000000\n'       ''           '' -- parse \
  $'\xe3\x80\x80240'
expect "parse too large"             0 '7FF0000000000000\n'       ''           '' -- parse 1e400
expect "parse too large, negative"   0 'FFF0000000000000\n'       ''           '' -- parse -1e400
expect "parse negative zero"         0 '8000000000000000\n'       ''           '' -- parse -0
expect "parse 0.1"                   0 '3FB999999999999A\n'       ''           '' -- parse 0.1
expect "parse stops at a letter"     0 '4012CCCCCCCCCCCD\n'       ''           '' -- parse 4.7k
# Hangul has no GBK form: it becomes "?", which stops the number before the
# 5; a dropped character would have let the 5 through.
expect "parse character GBK lacks"   0 '0000000000000000\n'       ''           '' -- parse \
  $'\xed\x95\x9c5'
expect "parse emoji GBK lacks"       0 '0000000000000000\n'       ''           '' -- parse \
  $'\xf0\x9f\x98\x805'
expect "format quiet NaN"            0 '1.#QNAN\n'                ''           '' -- format 7FF8000000000000
expect "format default NaN"          0 '-1.#IND\n'                ''           '' -- format FFF8000000000000
expect "format lower case"           0 '1.#QNAN\n'                ''           '' -- format 7ff0000000000001
expect "format negative zero"        0 '0\n'                      ''           '' -- format 8000000000000000
expect "format smallest subnormal"   0 '4.940656458412e-324\n'    ''           '' -- format 0000000000000001
expect "format largest double"       0 '1.797693134862e+308\n'    ''           '' -- format 7FEFFFFFFFFFFFFF
expect "normalise"                   0 '12.5\n'                   ''           '' -- normalise '  0012.50abc'
expect "normalise zero is empty"     0 '\n'                       ''           '' -- normalise -0
expect "normalise infinity"          0 '1.#INF\n'                 ''           '' -- normalise 1e400
expect "normalise folds nothing"     0 '\n'                       ''           '' -- normalise \
  $'\xef\xbc\x91'
byte_arguments_only "parse raw GBK with --gbk" 0 '3FF8000000000000\n' '' '' -- --gbk parse \
  $'\xa3\xb1\xa3\xae\xa3\xb5'
byte_arguments_only "vout raw GBK with --gbk"  0 '5.036V\n' ''          '' -- --gbk vout \
  $'\xa3\xb2\xa3\xb4\xa3\xb0' 720
byte_arguments_only "GBK without --gbk"        2 '' 'TEXT is not valid UTF-8' '' -- parse $'\xa3\xb1'
byte_arguments_only "invalid UTF-8 in R2"      2 '' 'R2 is not valid UTF-8'   '' -- vout 240 $'\xff'
byte_arguments_only "invalid UTF-8 in BITS"    2 '' 'BITS is not valid UTF-8' '' -- format $'\xc0\x80'

# Bad command lines.
expect "no arguments"                2 '' 'no command given'            '' --
expect "only an option"              2 '' 'no command given'            '' -- --gbk
expect "too few operands"            2 '' 'vout takes R1 R2'            '' -- vout 240
expect "too many operands"           2 '' 'vout takes R1 R2'            '' -- vout 1 2 3
expect "parse without operand"       2 '' 'parse takes TEXT'            '' -- parse
expect "unknown command"             2 '' "unknown command 'volts'"     '' -- volts 1 2
expect "unknown option"              2 '' "unknown option '--verbose'"  '' -- --verbose vout 1 2
expect "option after the command"    2 '' 'vout takes R1 R2'            '' -- vout --gbk 1 2
expect "BITS too short"              2 '' 'BITS must be exactly 16 hexadecimal digits' '' -- \
  format 7FF800000000000
expect "BITS with a prefix"          2 '' 'BITS must be exactly 16 hexadecimal digits' '' -- \
  format 0x7FF8000000000000
expect "BITS with a space"           2 '' 'BITS must be exactly 16 hexadecimal digits' '' -- \
  format ' 7FF800000000000'

# Batch mode: cases from standard input.
expect "vout batch"                  0 '5.036V\n-1.#INDV\n1.25005e+013V\n5.087878787879V\n' '' \
  '240\t720\n\t\n1\t1e13\r\n330\t1000' -- vout -
expect "batch of nothing"            0 '' '' '' -- vout -
expect "vout batch empty line"       2 '' 'line 1: expected R1 and R2 separated by exactly one TAB' \
  '\n' -- vout -
expect "vout batch without TAB"      2 '5.036V\n' 'line 2: expected R1 and R2 separated by exactly one TAB' \
  '240\t720\n240 720\n1\t1\n' -- vout -
expect "vout batch two TABs"         2 '5.036V\n5.036V\n' 'line 3: expected R1 and R2 separated by exactly one TAB' \
  '240\t720\n240\t720\n1\t2\t3\n' -- vout -
expect "format batch"                0 '1.#QNAN\n-1.#IND\n1.5\n' '' \
  '7FF8000000000000\nFFF8000000000000\n3ff8000000000000\n' -- format -
# The CR of a CR LF is part of the line, and no hex digit.
expect "format batch keeps the CR"   2 '1.5\n' 'line 2: BITS must be exactly 16 hexadecimal digits' \
  '3ff8000000000000\n7FF8000000000000\r\n' -- format -
expect "parse batch UTF-8"           0 '3FF8000000000000\n406E000000000000\n0000000000000000\nC014000000000000\n' '' \
  '\xef\xbc\x91\xef\xbc\x8e\xef\xbc\x95\n\xe3\x80\x80240\r\n\xed\x95\x9c5\n\t-5\n' -- parse -
expect "parse batch invalid UTF-8"   2 '3FF0000000000000\n4000000000000000\n' 'line 3: TEXT is not valid UTF-8' \
  '1\n2\n\xa3\xb1\n4\n' -- parse -
expect "parse batch NUL byte"        2 '3FF0000000000000\n' 'line 2: NUL byte' \
  '1\n2\x00\n3\n' -- parse -
expect "parse batch GBK"             0 '3FF8000000000000\n406E000000000000\nC014000000000000\n' '' \
  '\xa3\xb1\xa3\xae\xa3\xb5\n\xa1\xa1240\n\xa3\xad\xa3\xb5\n' -- --gbk parse -
expect "vout batch GBK"              0 '5.036V\n' '' \
  '\xa3\xb2\xa3\xb4\xa3\xb0\t\xa3\xb7\xa3\xb2\xa3\xb0\n' -- --gbk vout -
expect "normalise batch"             0 '\n\n1.#INF\n12.5\n5\n' '' \
  '0\n-0\n1e400\n  0012.50abc\n5.\r\n' -- normalise -
expect "normalise batch GBK"         0 '\n5\n' '' '\xa3\xb1\n5\n' -- --gbk normalise -

# Many lines: input and output pass several buffer refills and drains.
many_in= many_out=
for ((i = 0; i < 12; ++i)); do many_in+='240\t720\n330\t1000\n'; many_out+='5.036V\n5.087878787879V\n'; done
for ((i = 0; i < 10; ++i)); do many_in+=$many_in; many_out+=$many_out; done
expect "vout batch of 24576 lines"   0 "$many_out" '' "$many_in" -- vout -

# design: bad input is one line naming the operand, exit status 2.
expect "design without VOUT"         2 '' 'design needs VOUT'                                 '' -- design
expect "design VOUT at VREF"         2 '' "VOUT: '1.25' is not above 1.25V"                   '' -- design 1.25
expect "design VOUT below VREF"      2 '' "VOUT: '0V9' is not above 1.25V"                    '' -- design 0V9
expect "design VOUT not a number"    2 '' "VOUT: '3.3 V' is not a voltage"                    '' -- design '3.3 V'
expect "design takes no batch"       2 '' "VOUT: '-' is not a voltage"                        '' -- design -
expect "design negative R1"          2 '' "--r1: '-240' is not above zero"                    '' -- design 3.3 --r1 -240
expect "design zero in R2 range"     2 '' "--r2-range: '0' is not above zero"                 '' -- design 3.3 --r2-range 0:1k
expect "design m is not mega"        2 '' "--r2-range: '1m' is not a resistance in ohms"      '' -- design 3.3 --r2-range 10:1m
expect "design range upside down"    2 '' '--r1-range: the minimum 1k lies above the maximum 100' '' -- \
  design 3.3 --r1-range 1k:100
expect "design range without colon"  2 '' "--r1-range: '100-1k' is not MIN:MAX"               '' -- \
  design 3.3 --r1-range 100-1k
expect "design R1 and R1 range"      2 '' '--r1 and --r1-range exclude each other'            '' -- \
  design 3.3 --r1 240 --r1-range 100:1k
expect "design unknown series"       2 '' "--series: 'E25' is not a series"                   '' -- design 3.3 --series E25
expect "design tolerance too high"   2 '' "--tolerance: '51' lies outside 0 to 50"            '' -- design 3.3 --tolerance 51
expect "design tolerance negative"   2 '' "--tolerance: '-1' lies outside 0 to 50"            '' -- design 3.3 --tolerance -1
expect "design count zero"           2 '' "--count: '0' lies outside 1 to 1000"               '' -- design 3.3 --count 0
expect "design count too high"       2 '' "--count: '1001' lies outside 1 to 1000"            '' -- design 3.3 --count 1001
expect "design no series value"      2 '' '--r1-range: no E6 value lies from 101 to 109'      '' -- \
  design 3.3 --series E6 --r1-range 101:109
expect "design unknown option"       2 '' "unknown design option '--bogus'"                   '' -- design 3.3 --bogus
expect "design option without value" 2 '' '--count needs a value'                             '' -- design 3.3 --count
expect "design option twice"         2 '' '--csv is given twice'                              '' -- design 3.3 --csv --csv

# design: the answers, checked against what vout prints for the same pairs.
# run_program ARGUMENTS...: standard output, error and status into $scratch.
run_program() {
  "${emulator[@]}" "$program" "$@" </dev/null >"$scratch/out" 2>"$scratch/err"
  run_status=$?
}
vout_of() { "${emulator[@]}" "$program" vout "$1" "$2"; }
# check_design NAME: counts the case and reports what went wrong in $design_wrong.
check_design() {
  cases=$((cases + 1))
  ((run_status == 0)) || design_wrong+=("exit status $run_status")
  [[ ! -s $scratch/err ]] || design_wrong+=("standard error: $(head -n 1 "$scratch/err")")
  if ((${#design_wrong[@]} > 0)); then
    failures=$((failures + 1))
    printf "FAIL $1: %s\n" "${design_wrong[@]}"
    sed 's/^/    /' "$scratch/out"
  fi
  design_wrong=()
}
design_wrong=()

# The table: 240/390 first and 510/820 second for 3.3V, then the R2 that
# gives 3.3V exactly with R1 = 240.
run_program design 3.3
cp "$scratch/out" "$scratch/table"
mapfile -t table <"$scratch/table"
[[ ${table[0]} == 'E24 pairs nearest to 3.3V (R1 100 to 1k, R2 10 to 1M):' ]] ||
  design_wrong+=("first line: ${table[0]}")
[[ $(tr -s ' ' <<<"${table[1]}") == 'R1 R2 Vout error ADJ share lowest at 1% highest at 1%' ]] ||
  design_wrong+=("column heads: ${table[1]}")
((${#table[@]} == 8)) || design_wrong+=("${#table[@]} lines, expected 2 + 5 pairs + 1")
read -r r1 r2 volts _ <<<"${table[2]}"
[[ "$r1 $r2 $volts" == "240 390 $(vout_of 240 390)" ]] || design_wrong+=("best pair: ${table[2]}")
read -r r1 r2 volts _ <<<"${table[3]}"
[[ "$r1 $r2 $volts" == "510 820 $(vout_of 510 820)" ]] || design_wrong+=("second pair: ${table[3]}")
exact=${table[7]##*: }
[[ ${table[7]} == "R2 for exactly 3.3V with R1 = 240: $exact" ]] || design_wrong+=("last line: ${table[7]}")
[[ $(vout_of 240 "$exact") == 3.3V ]] || design_wrong+=("vout 240 $exact is not 3.3V")
check_design "design table"

# The same request in schematic spellings gives the same bytes.
run_program design 3V3 --r1-range 0.1k:1k --r2-range 10R:1M --series E24 --tolerance 1% --count 5
cmp -s "$scratch/out" "$scratch/table" || design_wrong+=("differs from design 3.3")
check_design "design with prefixes"

# --csv parsed back: every row's voltages are what vout prints for its pair
# and for the pair moved by the tolerance (R1 up and R2 down, and the
# reverse), its exact R2 gives VOUT, the error is the distance from VOUT and
# the rows come nearest first. All the pairs go to one vout batch.
# check_csv_rows VOUT TOLERANCE: checks the rows in $scratch/out (VOUT as
# vout spells it).
check_csv_rows() {
  local target=$1 tolerance=$2
  local header='r1_ohm,r2_ohm,vout_v,error_percent,adj_share_percent,lowest_vout_v,highest_vout_v,exact_r2_ohm'
  [[ $(head -n 1 "$scratch/out") == "$header" ]] || design_wrong+=("header: $(head -n 1 "$scratch/out")")
  tail -n +2 "$scratch/out" | awk -F, -v t="$target" -v p="$tolerance" \
    -v pairs="$scratch/pairs" -v expected="$scratch/expected-vout" -v bad="$scratch/bad-rows" '
    function moved(x, up) { return sprintf("%.12g", x * (100 + (up ? p : -p)) / 100) }
    {
      printf "%s\t%s\n%s\t%s\n%s\t%s\n%s\t%s\n", $1, $2, moved($1, 1), moved($2, 0),
        moved($1, 0), moved($2, 1), $1, $8 >pairs
      printf "%sV\n%sV\n%sV\n%sV\n", $3, $6, $7, t >expected
      d = $3 - t; if (d < 0) d = -d
      if (($4 - ($3 - t) / t * 100)^2 > 1e-6) print "error " $4 " of " $1 "/" $2 >bad
      if (($5 - $2 * 0.00005 / $3 * 100)^2 > 1e-4) print "ADJ share " $5 " of " $1 "/" $2 >bad
      if (NR > 1 && d < previous) print $1 "/" $2 " nearer than the row before" >bad
      previous = d
    }'
  [[ ! -s $scratch/bad-rows ]] || design_wrong+=("$(paste -sd';' "$scratch/bad-rows")")
  rm -f "$scratch/bad-rows"
  "${emulator[@]}" "$program" vout - <"$scratch/pairs" >"$scratch/vout"
  cmp -s "$scratch/vout" "$scratch/expected-vout" ||
    design_wrong+=("voltages differ from vout: $(diff "$scratch/expected-vout" "$scratch/vout" | paste -sd' ')")
}
run_program design 3.3 --csv
check_csv_rows 3.3 1
(($(wc -l <"$scratch/out") == 6)) || design_wrong+=("$(wc -l <"$scratch/out") lines, expected a header and 5 rows")
[[ $(sed -n 2p "$scratch/out" | cut -d, -f1,2) == 240,390 ]] || design_wrong+=("best pair: $(sed -n 2p "$scratch/out")")
[[ $(sed -n 3p "$scratch/out" | cut -d, -f1,2) == 510,820 ]] || design_wrong+=("second pair: $(sed -n 3p "$scratch/out")")
check_design "design --csv"

# Every pair of a small search, nearest first; a fixed R1 that is no series value.
run_program design 5 --series E6 --r1-range 100:220 --r2-range 100:330 --tolerance 5 --count 1000 --csv
check_csv_rows 5 5
(($(wc -l <"$scratch/out") == 13)) || design_wrong+=("$(wc -l <"$scratch/out") lines, expected a header and 3 x 4 rows")
(($(tail -n +2 "$scratch/out" | cut -d, -f1,2 | sort -u | wc -l) == 12)) || design_wrong+=("pairs repeat")
check_design "design all pairs"
run_program design 12 --r1 237 --series E96 --tolerance 0.5 --count 3 --csv
check_csv_rows 12 0.5
[[ $(tail -n +2 "$scratch/out" | cut -d, -f1 | sort -u) == 237 ]] || design_wrong+=("R1 is not 237 in every row")
check_design "design fixed R1"

# --help: the usage on standard output, with the lines of the interface.
cases=$((cases + 1))
"${emulator[@]}" "$program" --help </dev/null >"$scratch/out" 2>"$scratch/err"
status=$?
usage_wrong=()
((status == 0)) || usage_wrong+=("exit status $status")
[[ ! -s $scratch/err ]] || usage_wrong+=("standard error is not empty")
[[ $(head -n 1 "$scratch/out") == 'Usage: tamrel-cli [--gbk] COMMAND OPERANDS...' ]] ||
  usage_wrong+=("first line")
while IFS= read -r line; do
  grep -qxF -- "$line" "$scratch/out" || usage_wrong+=("missing: $line")
done <<'LINES'
tamrel-cli vout R1 R2       the result text that the window shows for these inputs, e.g. 5.036V
tamrel-cli parse TEXT       the double that TextToNumber reads from TEXT, as 16 upper-case hex digits of its bits
tamrel-cli format BITS      NumberToText of the double whose bits are the 16 hex digits BITS (either case)
tamrel-cli normalise TEXT   the text that an R1 or R2 box shows after it loses the focus (may be empty)
tamrel-cli design VOUT [OPTIONS]
tamrel-cli --help           usage
LINES
if ((${#usage_wrong[@]} > 0)); then
  failures=$((failures + 1))
  printf 'FAIL --help: %s\n' "${usage_wrong[@]}"
fi

# Failing streams are failures, not success: exit status 1 and one line.
# stream_failure NAME PROBLEM STATUS ERROR_FILE
stream_failure() {
  cases=$((cases + 1))
  if (($3 != 1)) || [[ $(cat "$4") != "tamrel-cli: $2" ]]; then
    failures=$((failures + 1))
    echo "FAIL $1: exit status $3, standard error:"; sed 's/^/    /' "$4"
  fi
}
"${emulator[@]}" "$program" vout 240 720 >/dev/full 2>"$scratch/err"
stream_failure "output refused" "cannot write standard output" $? "$scratch/err"
"${emulator[@]}" "$program" parse - <&- >"$scratch/out" 2>"$scratch/err"
stream_failure "input closed" "cannot read standard input" $? "$scratch/err"

# On Windows the command line is Unicode, and --gbk converts it to code page
# 936 like UTF-8 operands are converted elsewhere.
((emulated)) && expect "--gbk on a Unicode command line" 0 '3FF8000000000000\n' '' '' -- \
  --gbk parse $'\xef\xbc\x91\xef\xbc\x8e\xef\xbc\x95'

# Exhausted memory: one line and exit status 1, nothing on standard output.
program=$without_memory
expect "out of memory"               1 '' 'out of memory'              '' -- vout 240 720
expect "out of memory in a batch"    1 '' 'out of memory'              '240\t720\n' -- vout -

echo "$cases cases, $failures failed"
((failures == 0))
