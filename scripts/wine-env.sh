# Sourced by the scripts: a private Xvfb display and a throw-away Wine prefix
# with a virtual desktop (1280 x 1024 unless a size is given, as in
# "wine_env_start 3840x2160"), stopped again by wine_env_stop.

wine_env_start() {
    local size=${1:-1280x1024}
    WINE_ENV_DIR=$(mktemp -d /tmp/mensuro-wine.XXXXXX)
    export WINEPREFIX="$WINE_ENV_DIR/pfx"
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    export WINELOADER=/usr/lib/wine/wine64
    # Xvfb picks a free display itself and names it when it is ready: two runs
    # started at once never race for the same number.
    local n="" fd_file="$WINE_ENV_DIR/display"
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$fd_file" >/dev/null 2>&1 &
    WINE_ENV_XVFB=$!
    for _ in $(seq 100); do
        n=$(head -n1 "$fd_file" 2>/dev/null)
        [ -n "$n" ] && break
        sleep 0.1
    done
    export DISPLAY=":$n"
    for _ in $(seq 50); do
        xdpyinfo >/dev/null 2>&1 && break
        sleep 0.1
    done
    # A persistent server first: every later wine start then takes about a second.
    mkdir -p "$WINEPREFIX"
    wineserver -p
    wineboot -i >/dev/null 2>&1 || true
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$size" /f >/dev/null 2>&1
    # The desktop started by wineboot predates the setting: start the session again so
    # that the virtual desktop is the one every program meets.
    wineserver -k
    wineserver -p
    wineboot >/dev/null 2>&1 || true
}

wine_env_stop() {
    wineserver -k 2>/dev/null || true
    [ -n "${WINE_ENV_XVFB:-}" ] && kill "$WINE_ENV_XVFB" 2>/dev/null || true
    [ -n "${WINE_ENV_DIR:-}" ] && rm -rf "$WINE_ENV_DIR"
    WINE_ENV_XVFB=""
    WINE_ENV_DIR=""
}
