# Sourced by the scripts: a project-local Wine prefix and a persistent wineserver for it.
# Only this prefix's server is ever stopped.
quillon_root=${quillon_root:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX="${QUILLON_WINEPREFIX:-$quillon_root/build/windows/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
quillon_wine=/usr/lib/wine/wine64
[ -x "$quillon_wine" ] || quillon_wine=wine

wine_start() {
    mkdir -p "$(dirname "$WINEPREFIX")"
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "wine: creating the prefix $WINEPREFIX"
        wineboot --init >/dev/null 2>&1
        wineserver -w
    fi
    wineserver -p
    # The first program of a session also starts Wine's service processes, which would hold a
    # caller's output pipe open (ctest then waits for them): start them here instead.
    "$quillon_wine" cmd /c exit >/dev/null 2>&1 </dev/null
}

wine_stop() {
    wineserver -k 2>/dev/null || true
}
