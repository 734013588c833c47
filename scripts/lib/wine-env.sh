# shellcheck shell=bash
# Wine environment of the test rig and the demo: one private prefix and HOME,
# one private Xvfb display and one wineserver kept alive for a whole run.
# Sourced by scripts/test, scripts/demo and scripts/wine-run (bash).
#
#   source scripts/lib/wine-env.sh
#   vandrel_wine_up ROOT     # ROOT/prefix, ROOT/home, ROOT/logs; stops everything on exit
#   vandrel_wine_up ROOT --use-display   # the same, on $DISPLAY when it answers
#   wine ...                 # any number of Windows programs
#   vandrel_wine_down        # optional: the exit trap does it too
#
# vandrel_wine_up exports VANDREL_WINE_READY (the prefix) so that the programs
# started meanwhile (ctest, scripts/wine-run, the end-to-end tests) reuse the
# environment instead of setting up their own.

# shellcheck disable=SC2034 # used by the scripts that source this file
VANDREL_SOURCE_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
VANDREL_XVFB_PID=
VANDREL_WINESERVER_PID=
VANDREL_LOCK_FD=

vandrel_log() { echo "wine-env: $*" >&2; }

# Exports the variables of the environment rooted at $1 (no process is started).
vandrel_wine_env() {
    local root=$1
    mkdir -p "$root"
    root=$(cd "$root" && pwd)
    export VANDREL_WINE_ROOT=$root
    # The user's X authority stays reachable when HOME changes below.
    if [[ -z ${XAUTHORITY:-} && -f ${HOME:-/nonexistent}/.Xauthority ]]; then
        export XAUTHORITY=$HOME/.Xauthority
    fi
    export WINEPREFIX=$root/prefix
    export HOME=$root/home
    export WINEARCH=win64
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    # Wine converts command lines and file names with the Unix locale: keep it UTF-8.
    if locale -a 2>/dev/null | grep -qix 'c.utf-\?8'; then
        export LC_ALL=C.UTF-8
    fi
    mkdir -p "$root/logs"
}

# Whether the wineserver of $WINEPREFIX listens: its socket lies in
# /tmp/.wine-UID/server-DEV-INODE (upstream Wine) or in a private
# /tmp/wine-XXXXXX/server-DEV-INODE (Debian's Wine).
vandrel_wineserver_listens() {
    local dev ino name socket
    read -r dev ino < <(stat -c '%d %i' "$WINEPREFIX")
    name=$(printf 'server-%x-%x' "$dev" "$ino")
    for socket in "/tmp/.wine-$(id -u)/$name/socket" /tmp/wine-*/"$name"/socket; do
        [[ -S $socket ]] && return 0
    done
    return 1
}

# Starts a private Xvfb on the first free display from :90 (or
# $VANDREL_DISPLAY_FROM) upwards and exports DISPLAY.
vandrel_xvfb_start() {
    local n pid lock tries log=$VANDREL_WINE_ROOT/logs/xvfb.log
    for ((n = ${VANDREL_DISPLAY_FROM:-90}; n < ${VANDREL_DISPLAY_FROM:-90} + 100; n++)); do
        lock=/tmp/.X$n-lock
        if [[ -e $lock ]]; then
            pid=$(tr -dc '0-9' <"$lock" 2>/dev/null)
            if [[ -n $pid ]] && kill -0 "$pid" 2>/dev/null; then continue; fi
        fi
        Xvfb ":$n" -screen 0 1920x1200x24 -nolisten tcp -noreset \
            >"$log" 2>&1 </dev/null {VANDREL_LOCK_FD}>&- &
        pid=$!
        for ((tries = 0; tries < 100; tries++)); do
            kill -0 "$pid" 2>/dev/null || break
            if xdpyinfo -display ":$n" >/dev/null 2>&1 && kill -0 "$pid" 2>/dev/null; then
                VANDREL_XVFB_PID=$pid
                export DISPLAY=:$n
                vandrel_log "Xvfb on $DISPLAY (pid $pid)"
                return 0
            fi
            sleep 0.1
        done
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    vandrel_log "no free display found for Xvfb (see $log)"
    return 1
}

# Starts one persistent wineserver for $WINEPREFIX and waits for its socket.
vandrel_wineserver_start() {
    local tries log=$VANDREL_WINE_ROOT/logs/wineserver.log
    mkdir -p "$WINEPREFIX"
    for _ in 1 2; do
        wineserver -f -p >"$log" 2>&1 </dev/null {VANDREL_LOCK_FD}>&- &
        VANDREL_WINESERVER_PID=$!
        for ((tries = 0; tries < 100; tries++)); do
            if ! kill -0 "$VANDREL_WINESERVER_PID" 2>/dev/null; then break; fi
            if vandrel_wineserver_listens; then
                vandrel_log "wineserver for $WINEPREFIX (pid $VANDREL_WINESERVER_PID)"
                return 0
            fi
            sleep 0.05
        done
        kill "$VANDREL_WINESERVER_PID" 2>/dev/null
        wait "$VANDREL_WINESERVER_PID" 2>/dev/null
        VANDREL_WINESERVER_PID=
        # A server left over from an interrupted run of this environment holds the
        # prefix: end it and try once more.
        vandrel_log "a wineserver already serves $WINEPREFIX: stopping it"
        wineserver -k >/dev/null 2>&1 </dev/null
        sleep 0.5
    done
    vandrel_log "could not start a wineserver (see $log)"
    return 1
}

# Registry settings every run needs: no window manager on Xvfb, Japanese fonts.
vandrel_wine_settings() {
    local reg=$VANDREL_WINE_ROOT/logs/settings.reg
    {
        printf '\xff\xfe'
        iconv -f UTF-8 -t UTF-16LE <<'REG'
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]
"MS PGothic"="IPAPGothic"
"ＭＳ Ｐゴシック"="IPAPGothic"
"MS UI Gothic"="IPAPGothic"
"MS Gothic"="IPAGothic"
"ＭＳ ゴシック"="IPAGothic"

REG
    } | sed 's/\x0a\x00/\x0d\x00\x0a\x00/g' >"$reg"
    wine reg import "$reg" >>"$VANDREL_WINE_ROOT/logs/wineboot.log" 2>&1 </dev/null
}

# Creates the prefix once: wineboot and the settings, then a marker file.
vandrel_wine_prefix() {
    local marker=$WINEPREFIX/.vandrel-ready started=$SECONDS
    [[ -f $marker ]] && return 0
    vandrel_log "creating the Wine prefix $WINEPREFIX (takes a few seconds)"
    wineboot --init >"$VANDREL_WINE_ROOT/logs/wineboot.log" 2>&1 </dev/null {VANDREL_LOCK_FD}>&- || {
        vandrel_log "wineboot failed (see $VANDREL_WINE_ROOT/logs/wineboot.log)"
        return 1
    }
    vandrel_wine_settings || { vandrel_log "registry settings failed"; return 1; }
    # Debian's Wine does not find its own Marlett font, which draws the caption
    # buttons; Wine's Tahoma stays out, it has no Japanese glyphs.
    if [[ -f /usr/share/wine/fonts/marlett.ttf ]]; then
        cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
    fi
    touch "$marker"
    vandrel_log "prefix ready in $((SECONDS - started)) s"
}

# Sets up everything for the environment rooted at $1 and stops it on exit.
# With --use-display as $2, a display that answers at $DISPLAY is used instead
# of a private Xvfb.
vandrel_wine_up() {
    local use_display=0
    [[ ${2:-} == --use-display ]] && use_display=1
    vandrel_wine_env "$1"
    local lockfile=$VANDREL_WINE_ROOT/.in-use
    exec {VANDREL_LOCK_FD}>"$lockfile"
    if ! flock -n "$VANDREL_LOCK_FD"; then
        vandrel_log "waiting for another run that uses $VANDREL_WINE_ROOT"
        flock -w 900 "$VANDREL_LOCK_FD" || { vandrel_log "still in use: giving up"; return 1; }
    fi
    trap vandrel_wine_down EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM
    # A prefix whose creation was interrupted is made again from scratch.
    if [[ -d $WINEPREFIX && ! -f $WINEPREFIX/.vandrel-ready ]]; then
        rm -rf "$WINEPREFIX"
    fi
    mkdir -p "$WINEPREFIX" "$HOME/Desktop"
    if ((use_display)) && [[ -n ${DISPLAY:-} ]] && xdpyinfo >/dev/null 2>&1; then
        vandrel_log "using the display $DISPLAY"
    else
        vandrel_xvfb_start || return 1
    fi
    vandrel_wineserver_start || return 1
    vandrel_wine_prefix || return 1
    # Start Wine's background processes now (services, and the desktop process
    # that the first window needs), with their output going to a log file:
    # started later by a test, they would keep the test's pipes open.
    wine rundll32.exe user32.dll,GetDesktopWindow >>"$VANDREL_WINE_ROOT/logs/background.log" 2>&1 </dev/null \
        {VANDREL_LOCK_FD}>&-
    export VANDREL_WINE_READY=$WINEPREFIX
}

# Stops what vandrel_wine_up started, by PID.
vandrel_wine_down() {
    local tries
    if [[ -n $VANDREL_WINESERVER_PID ]]; then
        # Ends every Wine process of this prefix (all started by this run), then the server.
        wineserver -k >/dev/null 2>&1 </dev/null
        for ((tries = 0; tries < 100; tries++)); do
            kill -0 "$VANDREL_WINESERVER_PID" 2>/dev/null || break
            sleep 0.05
        done
        kill -9 "$VANDREL_WINESERVER_PID" 2>/dev/null
        wait "$VANDREL_WINESERVER_PID" 2>/dev/null
        VANDREL_WINESERVER_PID=
    fi
    if [[ -n $VANDREL_XVFB_PID ]]; then
        kill "$VANDREL_XVFB_PID" 2>/dev/null
        wait "$VANDREL_XVFB_PID" 2>/dev/null
        VANDREL_XVFB_PID=
    fi
    if [[ -n $VANDREL_LOCK_FD ]]; then
        exec {VANDREL_LOCK_FD}>&-
        VANDREL_LOCK_FD=
    fi
    unset VANDREL_WINE_READY
}
