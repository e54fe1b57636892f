# Sourced by the scripts: a project-local Wine prefix and a persistent wineserver for it.
# Only this prefix's server is ever stopped.
quillon_root=${quillon_root:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX="${QUILLON_WINEPREFIX:-$quillon_root/build/windows/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
quillon_wine=/usr/lib/wine/wine64
[ -x "$quillon_wine" ] || quillon_wine=wine

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
