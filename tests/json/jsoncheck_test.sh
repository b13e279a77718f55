#!/bin/sh
# jsoncheck: 0 for clean files, 1 with the reader's messages for faulty ones,
# 2 for a file it cannot read. Arguments: the tool, a scratch folder.
set -u
tool=$1 dir=$2
mkdir -p "$dir"
printf '\357\273\277{"nama":"D\303\251vi", "n":[1,2]}' > "$dir/bersih.json"
printf '{"a":1,"a":2}' > "$dir/ganda.json"
printf '[tru, 1' > "$dir/rusak.json"
fail() { echo "FAIL: $*"; exit 1; }

out=$("$tool" "$dir/bersih.json") || fail "a clean file gave $?"
[ -z "$out" ] || fail "a clean file printed: $out"

out=$("$tool" "$dir/bersih.json" "$dir/ganda.json" "$dir/rusak.json")
[ $? -eq 1 ] || fail "faulty files did not give 1"
expected="$dir/ganda.json: This key is already associated with an element of this collection: a
$dir/rusak.json: Invalid Boolean at position 2 : tru, 1
$dir/rusak.json: Missing ']': [tru, 1"
[ "$out" = "$expected" ] || fail "messages were: $out"

"$tool" "$dir/tidak-ada.json" 2>/dev/null
[ $? -eq 2 ] || fail "a missing file did not give 2"
"$tool" 2>/dev/null
[ $? -eq 2 ] || fail "no argument did not give 2"
echo ok
