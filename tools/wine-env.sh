# shellcheck shell=bash
# The Wine environment of one run, sourced by ./tovabel.
#
#   tovabel_wine_up [--caller-display]   start it; --caller-display keeps the caller's DISPLAY
#                                        (unless TOVABEL_HEADLESS is set) instead of Xvfb
#   tovabel_wine_down                    stop it (also done by the EXIT trap set by _up)
#
# One run has one X server (Xvfb, or the caller's display), one persistent wineserver and one
# private prefix, copied from a template prefix that is made once and cached under build/.
# While it is up these are exported, and tools/wine-run (CTest's emulator) relies on them:
#   TOVABEL_WINE_ENV=1, WINEPREFIX, DISPLAY, WINEDEBUG (-all), WINEDLLOVERRIDES
# Rule: no Wine process may start without DISPLAY while the wineserver lives (it would break
# every later GUI process of the run), so DISPLAY is exported before anything Wine starts.

TOVABEL_ROOT=${TOVABEL_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
TOVABEL_BUILD=${TOVABEL_BUILD:-$TOVABEL_ROOT/build}
TOVABEL_WINE_TEMPLATE=$TOVABEL_BUILD/wine-template
TOVABEL_WINE_RUN_PREFIX=$TOVABEL_BUILD/wine-run
TOVABEL_XVFB_PIDFILE=$TOVABEL_BUILD/xvfb.pid
# Bump when the template's contents change, so that cached templates are made again.
TOVABEL_WINE_TEMPLATE_VERSION=2
TOVABEL_XVFB_PID=

_tovabel_wine_log() { printf 'wine-env: %s\n' "$*" >&2; }

# shellcheck source=tools/wine32.sh
source "$TOVABEL_ROOT/tools/wine32.sh"

# 32-bit Wine under qemu's user-mode emulator (see tools/wine32.sh) needs the emulator to
# reserve the whole 32-bit address space up front; without it the 32-bit loader stops with
# "failed to map the shared user data". Only the emulator reads it.
export QEMU_RESERVED_VA=0xffff0000

# Every Windows program of a run starts in Wine's 64-bit loader, which hands a 32-bit program to
# the 32-bit loader by itself. Debian's wine-stable starts everything in the 32-bit loader once
# 32-bit Wine is installed: under an emulator each program would pay for that, and a bare
# system program name (cscript.exe) would start the program's 32-bit version.
export WINELOADER=/usr/lib/wine/wine64

# A stamp naming what the template was made with: a new Wine, or 32-bit programs that started
# or stopped running, needs a new template.
_tovabel_wine_stamp() {
    local wine32=no
    [[ $(/usr/lib/wine/wine --version 2>/dev/null) == wine-* ]] && wine32=yes
    printf 'template %s; %s; wine32 %s\n' "$TOVABEL_WINE_TEMPLATE_VERSION" \
        "$(WINEDEBUG=-all "$WINELOADER" --version 2>/dev/null)" "$wine32"
}

_tovabel_is_our_xvfb() {
    local pid=$1
    [[ -n $pid && -r /proc/$pid/cmdline ]] && tr '\0' ' ' <"/proc/$pid/cmdline" | grep -q '^Xvfb '
}

# Leftovers of a run that was killed hard (no trap ran): its Xvfb and its wineserver.
_tovabel_wine_reap_stale() {
    if [[ -f $TOVABEL_XVFB_PIDFILE ]]; then
        local pid
        pid=$(cat "$TOVABEL_XVFB_PIDFILE" 2>/dev/null || true)
        if _tovabel_is_our_xvfb "$pid"; then
            kill "$pid" 2>/dev/null || true
        fi
        rm -f "$TOVABEL_XVFB_PIDFILE"
    fi
    if [[ -d $TOVABEL_WINE_RUN_PREFIX ]]; then
        WINEPREFIX=$TOVABEL_WINE_RUN_PREFIX wineserver-stable -k >/dev/null 2>&1 || true
    fi
}

_tovabel_start_xvfb() {
    local n pid owner
    for n in $(seq 91 140); do
        if [[ -e /tmp/.X$n-lock ]]; then
            # Taken, unless its server is gone (Xvfb then cleans up after it by itself).
            owner=$(tr -d ' \n' 2>/dev/null <"/tmp/.X$n-lock") || owner=
            [[ -n $owner ]] && kill -0 "$owner" 2>/dev/null && continue
        fi
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        pid=$!
        for _ in $(seq 1 100); do
            if ! kill -0 "$pid" 2>/dev/null; then
                break # lost a race for this display number; try the next
            fi
            if [[ -S /tmp/.X11-unix/X$n ]]; then
                TOVABEL_XVFB_PID=$pid
                echo "$pid" >"$TOVABEL_XVFB_PIDFILE"
                export DISPLAY=:$n
                return 0
            fi
            sleep 0.05
        done
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    _tovabel_wine_log "could not start Xvfb on any display from :91 to :140"
    return 1
}

# Makes the template prefix when it is missing or stale. Needs DISPLAY.
_tovabel_make_template() {
    local stamp
    stamp=$(_tovabel_wine_stamp)
    if [[ -f $TOVABEL_WINE_TEMPLATE/.tovabel-stamp ]] &&
        [[ $(cat "$TOVABEL_WINE_TEMPLATE/.tovabel-stamp") == "$stamp" ]]; then
        return 0
    fi
    _tovabel_wine_log "making the Wine prefix template (once; cached in $TOVABEL_WINE_TEMPLATE)"
    local tmp=$TOVABEL_WINE_TEMPLATE.new
    rm -rf "$tmp"
    mkdir -p "$tmp"
    (
        # shellcheck disable=SC2030 # the template's server only; the run's prefix comes later
        export WINEPREFIX=$tmp
        "$WINELOADER" wineboot --init >/dev/null 2>&1 &&
            # Unmanaged windows: a managed one costs every GUI process 2 s at teardown.
            "$WINELOADER" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
                >/dev/null 2>&1 &&
            # A crashing program gets a backtrace on standard error, not a dialog that waits
            # for a click no one gives.
            "$WINELOADER" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD \
                /d 0 /f >/dev/null 2>&1 &&
            # The registry reaches the disk when the server ends; wait for that before copying.
            wineserver-stable -w
    ) || {
        _tovabel_wine_log "making the Wine prefix template failed"
        rm -rf "$tmp"
        return 1
    }
    if ! grep -q '"Managed"="N"' "$tmp/user.reg" ||
        ! grep -q '"ShowCrashDialog"=dword:00000000' "$tmp/user.reg"; then
        _tovabel_wine_log "the template prefix lacks its settings"
        rm -rf "$tmp"
        return 1
    fi
    echo "$stamp" >"$tmp/.tovabel-stamp"
    rm -rf "$TOVABEL_WINE_TEMPLATE"
    mv "$tmp" "$TOVABEL_WINE_TEMPLATE"
}

tovabel_wine_up() {
    local caller_display=0
    [[ ${1:-} == --caller-display ]] && caller_display=1
    if [[ -n ${TOVABEL_WINE_ENV:-} ]]; then
        return 0 # already up in this process
    fi
    mkdir -p "$TOVABEL_BUILD"
    trap tovabel_wine_down EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM

    _tovabel_wine_reap_stale
    # Quiet by default; TOVABEL_WINEDEBUG (e.g. "err+all") brings Wine's own messages back.
    export WINEDEBUG=${TOVABEL_WINEDEBUG:--all}
    # No Mono or Gecko install dialogs when a prefix is made or updated, no menu entries.
    # No sound card here: without the ALSA driver the player fails as quietly, without ALSA noise.
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;winealsa.drv=d${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
    unset WINEARCH WINESERVER

    if ((caller_display)) && [[ -n ${DISPLAY:-} && -z ${TOVABEL_HEADLESS:-} ]]; then
        _tovabel_wine_log "using the display $DISPLAY"
    else
        _tovabel_start_xvfb || return 1
    fi

    (
        exec 9>"$TOVABEL_BUILD/wine-template.lock"
        flock 9
        _tovabel_make_template
    ) || return 1

    rm -rf "$TOVABEL_WINE_RUN_PREFIX"
    cp -a "$TOVABEL_WINE_TEMPLATE" "$TOVABEL_WINE_RUN_PREFIX" || return 1
    # shellcheck disable=SC2031
    export WINEPREFIX=$TOVABEL_WINE_RUN_PREFIX
    wineserver-stable -p || {
        _tovabel_wine_log "could not start the wineserver"
        return 1
    }
    # The first Wine process starts Wine's own services, which live as long as the server and
    # keep the standard error they were given. Start them here on /dev/null: given the pipe of a
    # later caller (CTest, test discovery), they would hold it open and that caller would wait
    # for its end until its timeout. (The desktop's process comes and goes with the programs
    # that use it; tools/wine-run keeps it away from CTest's pipes.)
    "$WINELOADER" cmd /c exit 0 </dev/null >/dev/null 2>&1 || {
        _tovabel_wine_log "Wine does not start in $WINEPREFIX"
        return 1
    }
    # Tests that cannot run emulated are left out of the x86 run (tools/x86-suite).
    if w32_emulated; then
        export TOVABEL_X86_EMULATED=1
    fi
    export TOVABEL_WINE_ENV=1
}

tovabel_wine_down() {
    if [[ -n ${WINEPREFIX:-} && $WINEPREFIX == "$TOVABEL_WINE_RUN_PREFIX" ]]; then
        wineserver-stable -k >/dev/null 2>&1 || true
    fi
    if [[ -n $TOVABEL_XVFB_PID ]]; then
        kill "$TOVABEL_XVFB_PID" 2>/dev/null || true
        wait "$TOVABEL_XVFB_PID" 2>/dev/null || true
        rm -f "$TOVABEL_XVFB_PIDFILE"
        TOVABEL_XVFB_PID=
    fi
    unset TOVABEL_WINE_ENV
}
