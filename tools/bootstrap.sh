#!/usr/bin/env bash
# Installs with apt whatever the build and the tests need and is missing. Idempotent and
# silent when everything is there. Runs as root (or through sudo) without interaction.
#
# 32-bit Wine (wine32:i386, for running the x86 tests) is a best effort (tools/wine32.sh): it
# is kept only when a 32-bit program runs, natively or through qemu's user-mode emulator, and
# what was added for it is taken away again otherwise. Its absence never fails the bootstrap.
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

export DEBIAN_FRONTEND=noninteractive
log() { printf 'bootstrap: %s\n' "$*" >&2; }

sudo_cmd=()
if ((EUID != 0)); then
    sudo_cmd=(sudo -n)
fi
# Another installer holding the package lock (a second run starting at the same time, the
# machine's own updates) is waited for, up to ten minutes, instead of failing the run.
apt_get() {
    "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -y -q --no-remove \
        -o DPkg::Lock::Timeout=600 \
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

# --- best effort: 32-bit Wine, natively or through an emulator ---------------------------------
# shellcheck source=tools/wine32.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine32.sh"
wine32_setup
exit 0
