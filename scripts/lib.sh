# Sourced by the scripts: paths, the Wine environment, builds and the virtual display.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$root/build
export WINEPREFIX=$build/wineprefix WINEARCH=win32 WINEDEBUG=-all
export PATH=/usr/lib/wine:$PATH
jobs=${VT_JOBS:-$(nproc)}

configure_and_build() { # name, extra cmake args...
  local name=$1; shift
  cmake -S "$root" -B "$build/$name" -DVT_DEPS_DIR="$build/deps" "$@" >/dev/null
  cmake --build "$build/$name" -j "$jobs"
}
build_win32()  { configure_and_build win32 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake"; }
build_native() { configure_and_build native; }

# Starts Xvfb on a free display unless DISPLAY is set; sets DISPLAY.
start_display() {
  if [ -n "${DISPLAY:-}" ] && [ "${1:-}" != force ]; then return; fi
  local n=90
  while [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ]; do n=$((n+1)); done
  Xvfb :$n -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 </dev/null &
  xvfb_pid=$!
  export DISPLAY=:$n
  for _ in $(seq 50); do [ -e /tmp/.X11-unix/X$n ] && break; sleep 0.1; done
}
stop_display() { [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null || true; }

# Starts Wine's background services with their output elsewhere, so that no
# test runner waits on pipes a service inherited.
start_wine() {
  wineserver -p >/dev/null 2>&1 </dev/null &
  wine wineboot >/dev/null 2>&1 </dev/null || true
  # A program that crashes ends at once with its error instead of waiting in
  # the debugger that would otherwise start.
  wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /d '' /f \
    >/dev/null 2>&1 </dev/null || true
}
stop_wine() { wineserver -k >/dev/null 2>&1 || true; }

# Lays out the program folder (build/program, or the folder given): the
# executable without its symbols and debug information (the build tree keeps the symbols
# for tests and debugging), the database (made once), images/ and temp/ with
# what the program ships.
layout_program() {
  local dir=${1:-$build/program}
  mkdir -p "$dir/images" "$dir/temp"
  i686-w64-mingw32-strip --strip-all -o "$dir/Vantorel.exe.new" "$build/win32/src/app/Vantorel.exe"
  mv -f "$dir/Vantorel.exe.new" "$dir/Vantorel.exe"
  if [ -d "$root/resources/program" ]; then cp -rn "$root/resources/program/." "$dir/"; fi
  [ -f "$dir/panduan.pdf" ] || build_manual "$dir/panduan.pdf"
  [ -f "$dir/base.mdb" ] || "$build/native/tools/makedb/makedb" "$dir"
}

# The user manual, from its text and the screenshots beside it.
build_manual() {
  /usr/bin/python3 "$root/tools/manual/make_manual.py" "$root/resources/manual/panduan.txt" \
    "$root/resources/manual" "$1"
}

# build/Vantorel.zip: a program folder laid out afresh (a new database), the
# files at the top of the archive.
make_package() {
  local stage=$build/package
  rm -rf "$stage"
  mkdir -p "$stage"
  layout_program "$stage"
  rm -f "$build/Vantorel.zip.new"
  (cd "$stage" && /usr/bin/python3 -m zipfile -c "$build/Vantorel.zip.new" Vantorel.exe base.mdb images temp panduan.pdf)
  mv -f "$build/Vantorel.zip.new" "$build/Vantorel.zip"
}

# A PDF printer of this run's own: cupsd (a system service, started when it is
# not running) gets a cups-pdf queue whose files land in a fresh folder under
# build/pdf/. Tests find both through VT_PRINTER and VT_PDF_DIR.
start_printer() {
  if ! command -v lpadmin >/dev/null || [ ! -x /usr/lib/cups/backend/cups-pdf ]; then return 0; fi
  pgrep -x cupsd >/dev/null || /usr/sbin/cupsd
  for _ in $(seq 50); do lpstat -r 2>/dev/null | grep -q "is running" && break; sleep 0.1; done
  local tag
  tag="vt_$(basename "$root" | tr -c 'A-Za-z0-9_\n' '_')_$$"
  export VT_PDF_DIR=$build/pdf/$(date +%Y%m%d-%H%M%S)-$$
  mkdir -p "$VT_PDF_DIR"
  # cups-pdf reads cups-pdf-<name>.conf for the queue whose address is cups-pdf:/<name>.
  printf 'Out %s\nGrp lpadmin\nDecodeHexStrings 1\n' "$VT_PDF_DIR" >"/etc/cups/cups-pdf-$tag.conf"
  if lpadmin -p "$tag" -v "cups-pdf:/$tag" -E -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd >/dev/null 2>&1; then
    export VT_PRINTER=$tag
  else
    rm -f "/etc/cups/cups-pdf-$tag.conf"
  fi
}
stop_printer() {
  if [ -n "${VT_PRINTER:-}" ]; then
    lpadmin -x "$VT_PRINTER" >/dev/null 2>&1 || true
    rm -f "/etc/cups/cups-pdf-$VT_PRINTER.conf"
  fi
}
