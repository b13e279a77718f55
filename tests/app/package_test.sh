#!/usr/bin/env bash
# The zip a Windows user gets: made as scripts/package.sh makes it, unpacked
# into an empty folder (build/walk-program, where the walk then starts the
# program), holding the executable, a fresh database, the templates and the
# manual.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"
make_package
out=$build/walk-program
rm -rf "$out"
mkdir -p "$out"
/usr/bin/python3 -m zipfile -e "$build/Vantorel.zip" "$out"
for f in Vantorel.exe base.mdb panduan.pdf temp/01.rep temp/02.rep temp/03.rep temp/04.rep; do
  [ -s "$out/$f" ] || { echo "FAIL: the zip lacks $f"; exit 1; }
done
[ -d "$out/images" ] || { echo "FAIL: the zip lacks images/"; exit 1; }
# grep reads the whole text: quitting at the match would end pdftotext with SIGPIPE (pipefail).
pdftotext "$out/panduan.pdf" - | grep "Panduan Pemakaian Vantorel" >/dev/null || { echo "FAIL: the manual has no title"; exit 1; }
# A fresh database: the first user and nothing of anybody's receipts.
[ "$(/usr/bin/python3 -c 'import sqlite3,sys; print(sqlite3.connect(sys.argv[1]).execute("select count(*) from tblkwitansi").fetchone()[0])' "$out/base.mdb")" = 0 ] ||
  { echo "FAIL: the packaged database holds receipts"; exit 1; }
# Its one settings row: empty texts and the first template, no design texts.
settings=$(/usr/bin/python3 -c 'import sqlite3,sys; print(sqlite3.connect(sys.argv[1]).execute("select count(*), group_concat(namalembaga||alamat||tempatcetak||pemilik||jabatan||Catatan||NoKw||char(124)||templete) from tblset").fetchone())' "$out/base.mdb")
[ "$settings" = "(1, '|Kwitansi 1 Portrait')" ] ||
  { echo "FAIL: the packaged settings are $settings"; exit 1; }
echo ok
