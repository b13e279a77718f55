#!/usr/bin/env bash
# Installs and prepares everything the build, the tests and the program need on
# a Debian 12 machine (run as root). A second run with nothing missing is quick.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$root/build
mkdir -p "$build"

log() { echo "[setup] $*"; }

packages=(cmake g++ make g++-mingw-w64-i686 binutils-mingw-w64-i686 wine wine32:i386 wine64 fonts-wine
          xvfb xauth imagemagick libsqlite3-dev tcl libgtest-dev googletest libbenchmark-dev
          poppler-utils python3-xlrd dpkg-dev cups printer-driver-cups-pdf libcups2:i386
          fonts-liberation fonts-dejavu-core clang libclang-rt-14-dev nlohmann-json3-dev
          libreoffice-calc-nogui python3-reportlab fonts-wqy-microhei)

# Regional settings: Wine takes them from LC_ALL or LANG only when glibc has
# that locale compiled (without it Wine cannot even name a file with "é").
# The Windows tests run under US and Indonesian settings; German ones (date
# separator ".") are there to try by hand.
packages+=(locales)
wanted_locales=(en_US.UTF-8 id_ID.UTF-8 de_DE.UTF-8)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

sources=/etc/apt/sources.list.d/debian.sources
need_update=0
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  need_update=1
fi
# Debian's source package of SQLite gives the one-file build for Windows.
if [ -f "$sources" ] && ! grep -q 'deb-src' "$sources"; then
  sed -i 's/^Types: deb$/Types: deb deb-src/' "$sources"
  need_update=1
elif [ ! -f "$sources" ] && ! grep -rqs '^deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  grep -h '^deb ' /etc/apt/sources.list 2>/dev/null | sed 's/^deb /deb-src /' > /etc/apt/sources.list.d/vantorel-src.list
  need_update=1
fi

if [ ${#missing[@]} -gt 0 ] || [ $need_update = 1 ]; then
  log "installing: ${missing[*]:-(source lists only)}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  if [ ${#missing[@]} -gt 0 ]; then
    # With recommends: Wine's 32-bit half needs the font and X libraries it recommends.
    apt-get install -y -qq "${missing[@]}" >/dev/null
  fi
fi

# The wanted locales that glibc lacks are listed in /etc/locale.gen and
# compiled; those already there are kept (locale -a names them en_US.utf8).
have_locales=$(locale -a 2>/dev/null || true)
new_locales=()
for l in "${wanted_locales[@]}"; do
  grep -qix "${l%%.*}.utf8" <<<"$have_locales" || new_locales+=("$l")
done
if [ ${#new_locales[@]} -gt 0 ]; then
  log "generating the locales ${new_locales[*]}"
  touch /etc/locale.gen
  for l in "${new_locales[@]}"; do
    sed -i "s/^#[[:space:]]*\($l UTF-8\)[[:space:]]*$/\1/" /etc/locale.gen
    grep -qx "$l UTF-8" /etc/locale.gen || echo "$l UTF-8" >>/etc/locale.gen
  done
  locale-gen --keep-existing >/dev/null
fi

# SQLite amalgamation for the Windows build, cached under build/deps.
sq=$build/deps/sqlite
if [ ! -f "$sq/sqlite3.c" ]; then
  log "building the SQLite amalgamation"
  work=$build/deps/sqlite-src
  rm -rf "$work" && mkdir -p "$work" "$sq"
  ( cd "$work"
    [ -n "$(ls /var/lib/apt/lists/*Sources* 2>/dev/null)" ] || apt-get update -qq
    apt-get source --download-only sqlite3 >/dev/null 2>&1
    tar xf sqlite3_*.orig.tar.*
    cd "$(find . -maxdepth 1 -mindepth 1 -type d | head -n 1)"
    ./configure --disable-tcl >/dev/null
    make sqlite3.c >/dev/null 2>&1
    cp sqlite3.c sqlite3.h "$sq/" )
  rm -rf "$work"
fi

# Google Benchmark's sources for the Windows build's benchmarks (the Debian
# package carries only the native library), cached under build/deps.
gb=$build/deps/benchmark
if [ ! -f "$gb/include/benchmark/benchmark.h" ]; then
  log "fetching Google Benchmark's sources"
  work=$build/deps/benchmark-src
  rm -rf "$work" && mkdir -p "$work"
  ( cd "$work"
    [ -n "$(ls /var/lib/apt/lists/*Sources* 2>/dev/null)" ] || apt-get update -qq
    apt-get source --download-only benchmark >/dev/null 2>&1
    tar xf benchmark_*.orig.tar.*
    rm -rf "$gb"
    mv "$(find . -maxdepth 1 -mindepth 1 -type d | head -n 1)" "$gb" )
  rm -rf "$work"
fi

# A 32-bit Wine prefix of the project's own.
export WINEPREFIX=$build/wineprefix WINEARCH=win32 WINEDEBUG=-all
export PATH=/usr/lib/wine:$PATH
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  log "creating the Wine prefix"
  wineboot -i >/dev/null 2>&1 </dev/null || true
  wineserver -w || true
fi
# Windows that Wine manages itself: without a window manager on the virtual
# display, hiding or destroying a managed window waits about two seconds.
if ! grep -qs '"Managed"="N"' "$WINEPREFIX/user.reg"; then
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null || true
  wineserver -w || true
fi
# Marlett draws the caption buttons of windows Wine manages itself; the
# prefix does not find it where the package puts it.
fonts=$WINEPREFIX/drive_c/windows/Fonts
if [ -d "$fonts" ] && [ ! -f "$fonts/marlett.ttf" ]; then
  cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
fi
# Names written in Chinese, Japanese or Korean characters: the prefix has no
# font for them. The faces the dialogs and the reports end up with (Wine
# gives Liberation Sans for Tahoma, Trebuchet MS, Verdana and Arial) link to
# Debian's CJK font, as Windows links its own CJK fonts, so that such names
# show on screen and on paper; its glyphs carry their characters' names, so
# that a PDF printed from it reads back as text. A face the prefix does not
# have gets no link (Wine would draw all of it with the linked font).
# Wine finds a font's links under the full name of the face it chose, so
# each bold, italic and oblique face gets its own entry, as Windows lists
# its bold faces: otherwise bold text (the title bars' "MS Shell Dlg" bold,
# bold labels) draws those names as boxes.
# Text boxes and the box of a combo box lay text out by script, not through
# the links: a run of letters the face lacks goes to the script's fallback
# font, which for Chinese and Japanese is a face the prefix lacks (boxes),
# for Korean none, and for Arabic one that finds no glyphs once the face
# links to DejaVu Sans. The fallback of those scripts (named by their
# four-letter tags, read as a number in hex) is Debian's CJK font, and
# DejaVu Sans for Arabic, which joins its letters; Latin text is no such run
# and keeps its face.
# Also for a prefix made before; one that has all of it costs four greps.
cjk=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc
cjk_face="WenQuanYi Micro Hei"
cjk_link="wqy-microhei.ttc,$cjk_face"
# Arabic the same way, after it: DejaVu Sans has it, and names its joined
# letters by their characters too.
arabic_face="DejaVu Sans"
arabic_link="DejaVuSans.ttf,$arabic_face"
script_tag() { printf '%02x%02x%02x%02x' "'${1:3:1}" "'${1:2:1}" "'${1:1:1}" "'${1:0:1}"; }
if [ -d "$fonts" ] && [ -f "$cjk" ] &&
   ! { grep -qsF "\"Liberation Sans\"=str(7):\"$cjk_link\\0$arabic_link\\0\"" "$WINEPREFIX/system.reg" &&
       grep -qsF "\"Liberation Sans Bold\"=str(7):\"$cjk_link\\0$arabic_link\\0\"" "$WINEPREFIX/system.reg" &&
       grep -qsF "\"$(script_tag hang)\"=\"$cjk_face\"" "$WINEPREFIX/user.reg" &&
       grep -qsF "\"$(script_tag arab)\"=\"$arabic_face\"" "$WINEPREFIX/user.reg"; }; then
  log "linking the CJK and Arabic fonts into the Wine prefix"
  cp "$cjk" "$fonts/"
  # REG_MULTI_SZ as a plain-text .reg file writes it: the bytes, two zeros at the end.
  multi=$(printf '%s\0%s\0\0' "$cjk_link" "$arabic_link" | od -An -v -tx1 | tr -s ' \n' ',' | sed 's/^,//; s/,$//')
  reg=$build/cjk-fontlink.reg
  {
    echo 'Windows Registry Editor Version 5.00'
    echo
    echo '[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\Fonts]'
    echo '"WenQuanYi Micro Hei & WenQuanYi Micro Hei Mono (TrueType)"="wqy-microhei.ttc"'
    echo
    echo '[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink]'
    for family in "Liberation Sans" "Liberation Serif" "Liberation Mono" "DejaVu Sans" "DejaVu Serif" \
                  "Tahoma" "Trebuchet MS" "Verdana" "Arial" "Times New Roman" "Microsoft Sans Serif" "Segoe UI"; do
      for style in "" " Bold" " Italic" " Bold Italic" " Oblique" " Bold Oblique"; do
        face="$family$style"
        if grep -qsF "\"$face (TrueType)\"" "$WINEPREFIX/system.reg"; then
          echo "\"$face\"=hex(7):$multi"
        fi
      done
    done
    echo
    echo '[HKEY_CURRENT_USER\Software\Wine\Uniscribe\Fallback]'
    # Han, kana, Hangul, Bopomofo.
    for tag in hani kana hang bopo; do
      echo "\"$(script_tag $tag)\"=\"$cjk_face\""
    done
    echo "\"$(script_tag arab)\"=\"$arabic_face\""
  } >"$reg"
  wine reg import "$reg" >/dev/null 2>&1 </dev/null || true
  wineserver -w || true
  rm -f "$reg"
fi
log "ready"
