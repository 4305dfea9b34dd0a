#!/usr/bin/env bash
# Installs with apt whatever the build and the tests need and is missing. Idempotent and
# silent when everything is there. Runs as root (or through sudo) without interaction.
#
# 32-bit Wine (wine32:i386, for running the x86 tests) is tried once per machine as a best
# effort: when it cannot be installed the outcome is recorded in $TOVABEL_WINE32_STAMP and
# not tried again (TOVABEL_RETRY_WINE32=1 tries again). Its absence never fails the bootstrap.
set -euo pipefail

packages=(
    cmake make g++ git
    googletest
    clang libclang-rt-14-dev
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
    binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
    mingw-w64-tools libwine-dev
    wine wine64 fonts-wine fonts-liberation
    xvfb
)
TOVABEL_WINE32_STAMP=${TOVABEL_WINE32_STAMP:-/var/lib/tovabel/wine32-attempt}

export DEBIAN_FRONTEND=noninteractive
log() { printf 'bootstrap: %s\n' "$*" >&2; }

sudo_cmd=()
if ((EUID != 0)); then
    sudo_cmd=(sudo -n)
fi
apt_get() {
    "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -y -q --no-remove \
        -o Dpkg::Options::=--force-confdef -o Dpkg::Options::=--force-confold "$@"
}

installed() { # every named package is installed
    local status
    status=$(dpkg-query -W -f='${db:Status-Abbrev}\n' "$@" 2>/dev/null) || return 1
    [[ $(grep -c '^ii' <<<"$status") -eq $# ]]
}

missing=()
for p in "${packages[@]}"; do
    installed "$p" || missing+=("$p")
done

if ((${#missing[@]})); then
    log "installing: ${missing[*]}"
    # A broken index elsewhere (another architecture, a mirror in sync) must not stop us.
    apt_get update >/dev/null 2>&1 || log "apt-get update reported errors; going on"
    if ! apt_get install "${missing[@]}" >/tmp/tovabel-apt.log 2>&1; then
        tail -n 30 /tmp/tovabel-apt.log >&2
        log "apt-get install failed (full log: /tmp/tovabel-apt.log)"
        exit 1
    fi
    log "installed"
fi

# --- best effort: 32-bit Wine -------------------------------------------------------------
wine32_works() { [[ -x /usr/lib/wine/wine ]] && installed wine32:i386; }

try_wine32() {
    local added_arch=0
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        "${sudo_cmd[@]}" dpkg --add-architecture i386 || return 1
        added_arch=1
    fi
    # The update may fail for one index and still bring the one that matters: go on.
    timeout 180 "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -q update \
        >/tmp/tovabel-wine32.log 2>&1 || true
    if timeout 600 "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -y -q --no-remove \
            install wine32:i386 >>/tmp/tovabel-wine32.log 2>&1 &&
        wine32_works; then
        return 0
    fi
    # Leave apt as it was: an i386 architecture whose index cannot be fetched would make every
    # later apt-get update report errors.
    if ((added_arch)) && ! dpkg-query -W -f='${Architecture}\n' 2>/dev/null | grep -qx i386; then
        "${sudo_cmd[@]}" dpkg --remove-architecture i386 || true
    fi
    return 1
}

if ! wine32_works; then
    if [[ ! -f $TOVABEL_WINE32_STAMP || -n ${TOVABEL_RETRY_WINE32:-} ]]; then
        log "trying to install 32-bit Wine (wine32:i386), best effort"
        if try_wine32; then
            result="installed"
        else
            result="not installable: $(grep -m1 -E '^(E|Err):' /tmp/tovabel-wine32.log 2>/dev/null ||
                echo 'timed out or failed')"
        fi
        log "32-bit Wine $result"
        "${sudo_cmd[@]}" mkdir -p "$(dirname "$TOVABEL_WINE32_STAMP")"
        printf '%s %s\n' "$(date -u +%FT%TZ)" "$result" |
            "${sudo_cmd[@]}" tee "$TOVABEL_WINE32_STAMP" >/dev/null
    fi
fi
exit 0
