# shellcheck shell=bash
# 32-bit Wine, for running the x86 library's tests. Sourced by tools/bootstrap.sh (and by its
# test, which replaces the w32_* primitives below with fakes).
#
#   wine32_setup   makes 32-bit Windows programs run if this machine can, or leaves the machine
#                  as it found it; prints one line saying what it did and why
#
# "32-bit Wine works" means a 32-bit program was seen to run, never that a package is
# installed. Some kernels cannot execute 32-bit Linux programs ("Exec format error"); there the
# programs run through qemu's user-mode emulator, registered in binfmt_misc for i386 programs.
# 32-bit Wine under that emulator needs the whole 32-bit address space reserved up front
# (QEMU_RESERVED_VA): tools/wine-env.sh exports it wherever Wine starts.
#
# What it adds (packages, the i386 architecture, the emulator's registration) is written in
# $W32_STATE_DIR/added, so that a later run can take it away again when it stops working.

W32_LOADER=${W32_LOADER:-/usr/lib/wine/wine}
W32_EMULATOR=${W32_EMULATOR:-/usr/bin/qemu-i386-static}
W32_BINFMT=${W32_BINFMT:-/proc/sys/fs/binfmt_misc}
W32_HANDLER=tovabel-i386
W32_STATE_DIR=${W32_STATE_DIR:-/var/lib/tovabel}
W32_RESERVED_VA=0xffff0000
# The i386 ELF header as qemu's own registrations match it: machine 3 (EM_386), any OS ABI.
# Written with its escapes as they stand: the kernel decodes them (a NUL byte would end the line).
W32_ELF_MAGIC='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
W32_ELF_MASK='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'

# --- primitives: each asks or changes one thing of the machine ---------------------------------

W32_AS_ROOT=()
((EUID == 0)) || W32_AS_ROOT=(sudo -n)
w32_sudo() { "${W32_AS_ROOT[@]}" "$@"; }

# apt-get as root, without questions; "timeout" runs it too, so it is a command, not a function.
# It waits for another installer's package lock, as the bootstrap does.
W32_APT=("${W32_AS_ROOT[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -y -q
    -o DPkg::Lock::Timeout=600
    -o Dpkg::Options::=--force-confdef -o Dpkg::Options::=--force-confold)

w32_installed() { # w32_installed PACKAGE: installed and configured
    [[ $(dpkg-query -W -f='${db:Status-Abbrev}' "$1" 2>/dev/null) == ii* ]]
}

w32_has_arch() { dpkg --print-foreign-architectures | grep -qx i386; }
w32_add_arch() { w32_sudo dpkg --add-architecture i386; }
w32_remove_arch() { w32_sudo dpkg --remove-architecture i386; }

w32_i386_packages() { # every installed i386 package, one per line
    dpkg-query -W -f='${db:Status-Abbrev} ${Package}:${Architecture}\n' 2>/dev/null |
        awk '$1 ~ /^.i/ && $2 ~ /:i386$/ { print $2 }' | sort
}

w32_install_wine32() { # installs wine32:i386; its log goes to $W32_LOG
    # An index that fails elsewhere must not stop the one that matters.
    timeout 300 "${W32_APT[@]}" update >"$W32_LOG" 2>&1 || true
    timeout 900 "${W32_APT[@]}" --no-remove install wine32:i386 >>"$W32_LOG" 2>&1
}

w32_install_emulator() { "${W32_APT[@]}" --no-remove install qemu-user-static >>"$W32_LOG" 2>&1; }

# The i386 copies of libc6 and libgcc-s1 count as essential: apt removes them only when told
# that it may.
w32_purge() { # w32_purge PACKAGE...
    "${W32_APT[@]}" --allow-remove-essential purge "$@" >>"$W32_LOG" 2>&1
}

# A 32-bit program runs: the loader of 32-bit Wine answers with its version.
w32_loader_runs() {
    local out
    [[ -e $W32_LOADER ]] || return 1
    out=$(QEMU_RESERVED_VA=$W32_RESERVED_VA timeout 120 "$W32_LOADER" --version 2>&1) &&
        [[ $out == wine-* ]]
}

w32_binfmt_ready() { # binfmt_misc is mounted (mounting it if it can be)
    [[ -e $W32_BINFMT/register ]] && return 0
    w32_sudo mount -t binfmt_misc binfmt_misc "$W32_BINFMT" >/dev/null 2>&1
    [[ -e $W32_BINFMT/register ]]
}

w32_other_handler() { # prints the name of an enabled i386 handler that is not ours
    local entry
    for entry in "$W32_BINFMT"/*; do
        [[ -f $entry && $entry != */register && $entry != */status ]] || continue
        [[ ${entry##*/} == "$W32_HANDLER" ]] && continue
        if grep -qx enabled "$entry" && grep -q '^magic 7f454c46010101000000000000000000020003' "$entry"; then
            echo "${entry##*/}"
            return 0
        fi
    done
    return 1
}

w32_our_handler() { [[ -e $W32_BINFMT/$W32_HANDLER ]]; }

# 32-bit programs go to an emulator: an i386 handler, ours or another's, is registered.
w32_emulated() { w32_our_handler || w32_other_handler >/dev/null; }

# Flag F: the kernel opens the emulator now, so it also serves programs in other mount
# namespaces and chroots.
w32_register_handler() {
    printf ':%s:M::%s:%s:%s:F\n' "$W32_HANDLER" "$W32_ELF_MAGIC" "$W32_ELF_MASK" "$W32_EMULATOR" |
        w32_sudo tee "$W32_BINFMT/register" >/dev/null
}

w32_unregister_handler() { echo -1 | w32_sudo tee "$W32_BINFMT/$W32_HANDLER" >/dev/null; }

# --- what this bootstrap added -------------------------------------------------------------

w32_added() { # w32_added WHAT: recorded as added by us
    [[ -f $W32_STATE_DIR/added ]] && grep -qxF "$1" "$W32_STATE_DIR/added"
}
w32_record_added() { # w32_record_added WHAT...
    w32_sudo mkdir -p "$W32_STATE_DIR"
    printf '%s\n' "$@" | w32_sudo tee -a "$W32_STATE_DIR/added" >/dev/null
}
w32_forget_added() { w32_sudo rm -f "$W32_STATE_DIR/added"; }

# The outcome of the last attempt to install, so that a machine whose mirror has no i386
# packages does not try again on every run (TOVABEL_RETRY_WINE32=1 tries again).
w32_refused_before() {
    [[ -z ${TOVABEL_RETRY_WINE32:-} && -f $W32_STATE_DIR/refused ]]
}
w32_record_refused() { # w32_record_refused WHY
    # Another installer's lock says nothing about the mirror: the next run tries again.
    [[ $1 == *"Could not get lock"* ]] && return 0
    w32_sudo mkdir -p "$W32_STATE_DIR"
    echo "$1" | w32_sudo tee "$W32_STATE_DIR/refused" >/dev/null
}

# Earlier bootstraps installed wine32:i386 as a best effort and kept only a stamp saying so:
# everything i386 on such a machine came from them.
w32_adopt_old_attempt() {
    local old=$W32_STATE_DIR/wine32-attempt
    [[ -f $old ]] || return 0
    if [[ ! -f $W32_STATE_DIR/added ]] && grep -q ' installed$' "$old"; then
        # shellcheck disable=SC2046 # one package a word
        w32_record_added arch:i386 $(w32_i386_packages)
    fi
    w32_sudo rm -f "$old"
}

# --- the decision ----------------------------------------------------------------------------

w32_say() { printf 'bootstrap: 32-bit Wine: %s\n' "$*" >&2; }

# Installs wine32:i386, recording what it adds. Fails (having undone it) when apt refuses.
w32_install() {
    local before after
    before=$(w32_i386_packages)
    if ! w32_has_arch; then
        w32_add_arch || return 1
        w32_record_added arch:i386
    fi
    local rc=0
    w32_install_wine32 || rc=$?
    after=$(w32_i386_packages)
    local new
    new=$(comm -13 <(echo "$before") <(echo "$after") | grep -v '^$' || true)
    # shellcheck disable=SC2086 # one package a word
    [[ -n $new ]] && w32_record_added $new
    ((rc == 0)) && w32_installed wine32:i386
}

# Makes the kernel hand i386 programs to the emulator, unless a handler exists already.
w32_emulate() {
    if [[ ! -x $W32_EMULATOR ]]; then
        w32_installed qemu-user-static && return 1 # installed, yet no emulator for i386
        w32_install_emulator || return 1
        w32_record_added qemu-user-static
    fi
    w32_binfmt_ready || return 1
    w32_our_handler && return 0
    w32_other_handler >/dev/null && return 1 # someone else's handler; it did not help
    w32_register_handler || return 1
    w32_record_added binfmt:$W32_HANDLER
}

# Takes away what this bootstrap added, in the reverse order.
w32_undo() {
    if w32_added "binfmt:$W32_HANDLER" && w32_our_handler; then
        w32_unregister_handler || true
    fi
    local -a packages=()
    if [[ -f $W32_STATE_DIR/added ]]; then
        mapfile -t packages < <(grep -v -e '^arch:' -e '^binfmt:' "$W32_STATE_DIR/added")
    fi
    local -a present=()
    local p
    for p in "${packages[@]}"; do
        w32_installed "$p" && present+=("$p")
    done
    ((${#present[@]} == 0)) || w32_purge "${present[@]}" || true
    if w32_added arch:i386 && [[ -z $(w32_i386_packages) ]]; then
        w32_remove_arch || true
    fi
    w32_forget_added
}

wine32_setup() {
    W32_LOG=${W32_LOG:-/tmp/tovabel-wine32.log}
    w32_adopt_old_attempt
    local fresh=0
    if ! w32_installed wine32:i386; then
        if w32_refused_before; then
            w32_say "not installed ($(cat "$W32_STATE_DIR/refused")); x86 tests are skipped"
            return 0
        fi
        if ! w32_install; then
            local why
            why=$(grep -m1 -E '^(E|Err):' "$W32_LOG" 2>/dev/null) || why="apt-get failed or timed out"
            w32_undo
            w32_record_refused "$why"
            w32_say "not installed, the packages cannot be had ($why); x86 tests are skipped"
            return 0
        fi
        fresh=1
    fi
    local how="was installed"
    ((fresh)) && how="installed now"
    if ! w32_our_handler && w32_loader_runs; then
        w32_say "$how; 32-bit programs run natively"
        return 0
    fi
    if w32_emulate && w32_loader_runs; then
        w32_say "$how; the kernel cannot run 32-bit programs, they run through $W32_EMULATOR (binfmt_misc handler $W32_HANDLER)"
        return 0
    fi
    if w32_added wine32:i386; then
        w32_undo
        w32_record_refused "installed once, but no 32-bit program ran, natively or emulated"
        w32_say "removed again what was added for it: no 32-bit program runs here, natively or through an emulator; x86 tests are skipped"
    else
        w32_undo
        w32_say "installed by someone else, but no 32-bit program runs here; remove wine32:i386, or Wine cannot make a prefix"
    fi
    return 0
}
