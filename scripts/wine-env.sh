# Sourced by the scripts: a project-local Wine prefix and a persistent wineserver for it.
# Only this prefix's server is ever stopped.
quillon_root=${quillon_root:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX="${QUILLON_WINEPREFIX:-$quillon_root/build/windows/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
quillon_wine=/usr/lib/wine/wine64
[ -x "$quillon_wine" ] || quillon_wine=wine

# A desktop session has an X resource database; Xvfb has none, and Xlib then searches the disk
# for one on every font Wine selects, which is most of a rich edit layout here. One harmless
# resource ends the search.
if [ -z "${XENVIRONMENT:-}" ]; then
    mkdir -p "$quillon_root/build"
    echo 'quillon.lab: 1' >"$quillon_root/build/x-resources"
    export XENVIRONMENT="$quillon_root/build/x-resources"
fi

# Fonts a Windows user has: Wine's own Marlett (caption buttons) and Symbol, and Debian's
# metric-compatible families standing in for Arial, Times New Roman and Courier New. Wine's
# Tahoma is left out: its bold face does not render here, and the fallback for Tahoma does.
wine_fonts() {
    local font
    for font in marlett symbol wingding webdings; do
        cp -n "/usr/share/wine/fonts/$font.ttf" "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null
    done
    local reg="$WINEPREFIX/drive_c/quillon-fonts.reg"
    cat >"$reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Arial"="Liberation Sans"
"Times New Roman"="Liberation Serif"
"Courier New"="Liberation Mono"
REG
    "$quillon_wine" regedit /S 'C:\quillon-fonts.reg' >/dev/null 2>&1
    wineserver -w
}

wine_start() {
    mkdir -p "$(dirname "$WINEPREFIX")"
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "wine: creating the prefix $WINEPREFIX"
        wineboot --init >/dev/null 2>&1
        wineserver -w
        wine_fonts
    fi
    wineserver -p
    # The first program of a session also starts Wine's service processes, which would hold a
    # caller's output pipe open (ctest then waits for them): start them here instead.
    "$quillon_wine" cmd /c exit >/dev/null 2>&1 </dev/null
}

wine_stop() {
    wineserver -k 2>/dev/null || true
}

# A copy of the prefix whose display runs at another scale (LogPixels, e.g. 192 for 200 %),
# made afresh: copying is much faster than a new wineboot. Prints its path. The copy gets its
# own wineserver, which the caller stops with `WINEPREFIX=... wineserver -k`.
wine_dpi_prefix() { # dpi
    local base="$quillon_root/build/windows/wineprefix" copy="$quillon_root/build/windows/wineprefix-dpi$1"
    rm -rf "$copy"
    # The base prefix's own server saves its registry now and then through a temporary file beside
    # it (on a fresh prefix within seconds of the tests before, which changed it), and programs
    # there may write too: a copy taken meanwhile fails on a file that vanished, or takes a torn
    # one. So the copy is taken while no server runs there; one that ran is stopped, which saves
    # the registry, and started again afterwards.
    local running=false copied=true
    if WINEPREFIX="$base" wineserver -k 2>/dev/null; then
        running=true
        WINEPREFIX="$base" wineserver -w 2>/dev/null
    fi
    cp -a "$base" "$copy" || copied=false
    if $running; then
        (WINEPREFIX="$base" wine_start) >/dev/null 2>&1 </dev/null
    fi
    $copied || return 1
    local hex
    hex=$(printf '%08x' "$1")
    cat >"$copy/drive_c/quillon-dpi.reg" <<REG
REGEDIT4

[HKEY_CURRENT_USER\\Control Panel\\Desktop]
"LogPixels"=dword:$hex

[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Hardware Profiles\\Current\\Software\\Fonts]
"LogPixels"=dword:$hex
REG
    WINEPREFIX="$copy" "$quillon_wine" regedit /S 'C:\quillon-dpi.reg' >/dev/null 2>&1 </dev/null
    # The running server holds the old value: restart it for the new one to count. Stopped, it
    # has written the registry, which must now hold the scale.
    WINEPREFIX="$copy" wineserver -k 2>/dev/null
    WINEPREFIX="$copy" wineserver -w 2>/dev/null
    if ! grep -q "^\"LogPixels\"=dword:$hex" "$copy/user.reg"; then
        echo "wine: the copy of the prefix did not take $1 dpi" >&2
        return 1
    fi
    echo "$copy"
}
