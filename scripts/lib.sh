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

# CUPS's tools answer in the caller's language (LANG alone is enough, even
# for a locale glibc lacks); what the scripts read of them they ask for in C.
cups_c() { LC_ALL=C "$@"; }

# cupsd, a system service: started when it is not running. Says why on
# stderr and fails when it does not come up.
start_cupsd() {
  cups_c lpstat -r 2>/dev/null | grep -q "is running" && return 0
  if [ ! -x /usr/sbin/cupsd ]; then
    echo "printer: /usr/sbin/cupsd is missing (package cups)" >&2
    return 1
  fi
  pgrep -x cupsd >/dev/null || /usr/sbin/cupsd >"$build/cupsd.log" 2>&1 </dev/null || true
  for _ in $(seq 50); do cups_c lpstat -r 2>/dev/null | grep -q "is running" && return 0; sleep 0.1; done
  echo "printer: cupsd did not start: $(cat "$build/cupsd.log" 2>/dev/null)" >&2
  return 1
}

# Where the cups-pdf queue NAME writes its PDFs: cups-pdf reads
# cups-pdf-<name>.conf for the queue whose address is cups-pdf:/<name>.
pdf_queue_folder() { # name, dir
  mkdir -p "$2"
  printf 'Out %s\nGrp lpadmin\nDecodeHexStrings 1\n' "$2" >"/etc/cups/cups-pdf-$1.conf"
}

# A cups-pdf queue NAME whose PDFs land in the folder DIR. Says why on stderr
# and fails when it cannot be made.
add_pdf_queue() { # name, dir
  local name=$1 dir=$2 out
  if ! command -v lpadmin >/dev/null; then
    echo "printer: lpadmin is missing (package cups)" >&2
    return 1
  fi
  if [ ! -x /usr/lib/cups/backend/cups-pdf ]; then
    echo "printer: the cups-pdf backend /usr/lib/cups/backend/cups-pdf is missing (package printer-driver-cups-pdf)" >&2
    return 1
  fi
  start_cupsd || return 1
  pdf_queue_folder "$name" "$dir"
  if ! out=$(lpadmin -p "$name" -v "cups-pdf:/$name" -E -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd 2>&1 </dev/null); then
    rm -f "/etc/cups/cups-pdf-$name.conf"
    echo "printer: lpadmin could not add the queue $name: $out" >&2
    return 1
  fi
}

# A PDF printer of this run's own, whose files land in a fresh folder under
# build/pdf/. Tests find both through VT_PRINTER and VT_PDF_DIR; with
# VT_REQUIRE_PRINTER set a print test fails rather than skips when the
# printer is missing. Fails, saying why, when the printer cannot be made.
start_printer() {
  export VT_REQUIRE_PRINTER=1
  local tag
  tag="vt_$(basename "$root" | tr -c 'A-Za-z0-9_\n' '_')_$$"
  export VT_PDF_DIR=$build/pdf/$(date +%Y%m%d-%H%M%S)-$$
  if ! add_pdf_queue "$tag" "$VT_PDF_DIR"; then
    echo "start_printer: no PDF printer for this run, so its print tests cannot run" >&2
    return 1
  fi
  export VT_PRINTER=$tag
}
stop_printer() {
  if [ -n "${VT_PRINTER:-}" ]; then
    lpadmin -x "$VT_PRINTER" >/dev/null 2>&1 || true
    rm -f "/etc/cups/cups-pdf-$VT_PRINTER.conf"
  fi
}

# The run command's printer. A machine whose CUPS has no queue (the test
# runs' own queues aside, they come and go) gets a lasting cups-pdf queue,
# made the default so that Wine's default printer is it, whose PDFs land in
# build/printed/. A machine with printers keeps them as they are.
run_printer=Vantorel_PDF
start_run_printer() {
  start_cupsd || return 1
  local queues
  queues=$(cups_c lpstat -v 2>/dev/null | sed -n 's/^device for \([^:]*\): \(.*\)$/\1 \2/p' |
           awk '!($1 ~ /^vt_.*_[0-9]+$/ && $2 == "cups-pdf:/" $1) { print $1 }')
  if grep -qx "$run_printer" <<<"$queues"; then
    # Perhaps made by another checkout: its PDFs land in this one's folder from now on.
    pdf_queue_folder "$run_printer" "$build/printed"
  elif [ -z "$queues" ]; then
    add_pdf_queue "$run_printer" "$build/printed" || return 1
    if ! lpadmin -d "$run_printer" >/dev/null 2>&1 </dev/null; then
      echo "printer: lpadmin could not make $run_printer the default printer" >&2
      return 1
    fi
    echo "Added the printer $run_printer: what the program prints lands as PDF in $build/printed"
  fi
}
