# Sourced by the checkers' tests. verdict NAME EXPECTED STATUS OUTPUT: a
# checker's run on one program; EXPECTED is "pass", or a text that its FAIL
# line must hold. Counts what went otherwise in $failures.
failures=0
verdict() {
    local name=$1 expected=$2 status=$3 output=$4
    if [ "$expected" = pass ] && [ "$status" -eq 0 ]; then
        echo "ok    $name: passes"
    elif [ "$expected" != pass ] && [ "$status" -ne 0 ] && grep -q "^FAIL: .*$expected" <<<"$output"; then
        echo "ok    $name: $(grep '^FAIL' <<<"$output")"
    else
        echo "FAIL  $name: expected $expected, got status $status: $(tail -n 3 <<<"$output")"
        failures=$((failures + 1))
    fi
}
