#!/usr/bin/env bash
# What the bootstrap does about 32-bit Wine on machines of every kind, simulated: apt, dpkg and
# binfmt_misc are fakes over files in a scratch folder, and the 32-bit loader is a script that
# behaves as the simulated kernel would. Each case runs the bootstrap's decision once or twice
# and checks what the machine looks like afterwards and the line the bootstrap printed.
set -uo pipefail

HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tools/wine32.sh
source "$HERE/../../tools/wine32.sh"

FAILURES=0
SCRATCH=$(mktemp -d)
trap 'rm -rf "$SCRATCH"' EXIT
fail() {
    echo "FAIL [$CASE]: $*"
    FAILURES=$((FAILURES + 1))
}

# --- the simulated machine ---------------------------------------------------------------
# $SIM/pkgs installed packages, one a line; $SIM/arch present when i386 is configured;
# $SIM/apt "ok", "refuse" or "locked": what installing wine32:i386 does; $SIM/kernel "native"
# (runs i386 programs) or "noexec" (Exec format error), then "emulator-works" or
# "emulator-broken"; $SIM/binfmt/ the registered handlers; $SIM/actions what was done.
new_machine() { # new_machine KERNEL APT EMULATOR
    SIM=$(mktemp -d "$SCRATCH/machine.XXXX")
    mkdir -p "$SIM/binfmt" "$SIM/state"
    : >"$SIM/binfmt/register"
    : >"$SIM/pkgs"
    : >"$SIM/actions"
    printf '%s\n%s\n' "$1" "$3" >"$SIM/kernel"
    echo "$2" >"$SIM/apt"
    W32_BINFMT=$SIM/binfmt W32_STATE_DIR=$SIM/state W32_LOADER=$SIM/wine W32_LOG=$SIM/log
    W32_EMULATOR=$SIM/qemu-i386-static W32_APT=("$SIM/apt-get")
    unset TOVABEL_RETRY_WINE32
    # The 32-bit loader, as the simulated kernel runs it. Under the emulator, 32-bit Wine needs
    # the whole address space reserved, as the real one does.
    cat >"$SIM/loader" <<EOF
#!/usr/bin/env bash
kernel=\$(sed -n 1p "$SIM/kernel"); emulator=\$(sed -n 2p "$SIM/kernel")
if [[ \$kernel == native ]]; then echo "wine-8.0"; exit 0; fi
if [[ -z \$(ls "$SIM/binfmt" | grep -v register) ]]; then echo "cannot execute binary file: Exec format error"; exit 126; fi
[[ \$emulator == emulator-works ]] || { echo "Illegal instruction"; exit 132; }
[[ \${QEMU_RESERVED_VA:-} == 0xffff0000 ]] || { echo "failed to map the shared user data: c0000018"; exit 1; }
echo "wine-8.0"
EOF
    # apt-get, as the bootstrap's own commands call it: it refuses what the real one refuses.
    printf '#!/usr/bin/env bash\nsim=%q\n' "$SIM" >"$SIM/apt-get"
    cat >>"$SIM/apt-get" <<'EOF'
args=" $* " verb= targets=()
for a in "$@"; do
    case $a in
    update | install | purge) verb=$a ;;
    -*) ;;
    *) [[ -n $verb ]] && targets+=("$a") ;;
    esac
done
[[ $verb == update ]] && exit 0
echo "$verb ${targets[*]}" >>"$sim/actions"
add() { grep -qxF "$1" "$sim/pkgs" || echo "$1" >>"$sim/pkgs"; }
if [[ $verb == install ]]; then
    for p in "${targets[@]}"; do
        case $p in
        wine32:i386)
            [[ $(cat "$sim/apt") == locked ]] && { echo "E: Could not get lock /var/lib/dpkg/lock-frontend"; exit 100; }
            [[ $(cat "$sim/apt") == ok && -f $sim/arch ]] || { echo "E: Unable to locate package wine32:i386"; exit 100; }
            add wine32:i386 && add libwine:i386 && add libc6:i386 && cp "$sim/loader" "$sim/wine" ;;
        qemu-user-static) add qemu-user-static && touch "$sim/qemu-i386-static" && chmod +x "$sim/qemu-i386-static" ;;
        esac
    done
    exit 0
fi
[[ $args == *" --no-remove "* ]] && { echo "E: Packages need to be removed but remove is disabled."; exit 100; }
if [[ " ${targets[*]} " == *" libc6:i386 "* && $args != *" --allow-remove-essential "* ]]; then
    echo "E: Essential packages were removed and -y was used without --allow-remove-essential."
    exit 100
fi
for p in "${targets[@]}"; do
    grep -vxF "$p" "$sim/pkgs" >"$sim/pkgs.new"
    mv "$sim/pkgs.new" "$sim/pkgs"
    case $p in
    wine32:i386) rm -f "$sim/wine" ;;
    qemu-user-static) rm -f "$sim/qemu-i386-static" ;;
    esac
done
EOF
    chmod +x "$SIM/loader" "$SIM/apt-get"
}
did() { echo "$*" >>"$SIM/actions"; }
add_pkg() { grep -qxF "$1" "$SIM/pkgs" || echo "$1" >>"$SIM/pkgs"; }
owner_install() { # the owner's own i386 architecture and packages, with a runnable loader
    touch "$SIM/arch"
    for p in "$@"; do add_pkg "$p"; done
    cp "$SIM/loader" "$W32_LOADER"
}

w32_sudo() { "$@"; }
w32_installed() { grep -qxF "$1" "$SIM/pkgs"; }
w32_has_arch() { [[ -f $SIM/arch ]]; }
w32_add_arch() { did add-arch && touch "$SIM/arch"; }
w32_remove_arch() { did remove-arch && rm -f "$SIM/arch"; }
w32_i386_packages() { grep ':i386$' "$SIM/pkgs" | sort || true; }

# binfmt_misc: the bootstrap's own registration code writes to the simulated "register" file,
# and the simulated kernel turns the line into a handler entry as the real one does.
eval "real_$(declare -f w32_register_handler)"
eval "real_$(declare -f w32_unregister_handler)"
w32_register_handler() {
    did register
    real_w32_register_handler
    kernel_registers
}
w32_unregister_handler() {
    did unregister
    real_w32_unregister_handler
    [[ $(cat "$W32_BINFMT/$W32_HANDLER") == -1 ]] && rm -f "$W32_BINFMT/$W32_HANDLER"
}
as_hex() { printf '%b' "$1" | od -An -tx1 | tr -d ' \n'; } # the kernel decodes \xHH escapes
kernel_registers() { # ":name:type:offset:magic:mask:interpreter:flags"
    local _ name type offset magic mask interpreter flags
    IFS=: read -r _ name type offset magic mask interpreter flags <"$W32_BINFMT/register"
    : >"$W32_BINFMT/register"
    [[ $type == M && -z $offset ]] || { fail "registration '$name' is not by magic at offset 0"; return 1; }
    printf 'enabled\ninterpreter %s\nflags: %s\noffset 0\nmagic %s\nmask %s\n' \
        "$interpreter" "$flags" "$(as_hex "$magic")" "$(as_hex "$mask")" >"$W32_BINFMT/$name"
}

# --- checks --------------------------------------------------------------------------------

setup() { # runs the decision, keeping its one line in $LINE
    LINE=$(wine32_setup 2>&1)
    [[ $(wc -l <<<"$LINE") -eq 1 ]] || fail "expected one line, got: $LINE"
}
again() { : >"$SIM/actions" && setup; }
seen() { # seen WHAT: the bootstrap's line, or the machine's packages, i386 architecture,
    # binfmt handlers and actions (each sorted or in order), or whether 32-bit Wine runs now
    case $1 in
    line) echo "$LINE" ;;
    pkgs) sort "$SIM/pkgs" | paste -sd' ' ;;
    arch) [[ -f $SIM/arch ]] && echo yes || echo no ;;
    handlers) ls "$SIM/binfmt" | grep -v register | paste -sd' ' ;;
    actions) paste -sd';' "$SIM/actions" | sed 's/;/; /g' ;;
    runs) w32_loader_runs && echo yes || echo no ;;
    esac
}
expect() { # expect WHAT PATTERN [WHAT PATTERN...]
    while (($# >= 2)); do
        # shellcheck disable=SC2053 # the expectation is a pattern
        [[ $(seen "$1") == $2 ]] || fail "$1 is '$(seen "$1")', expected '$2'"
        shift 2
    done
}

# --- cases ---------------------------------------------------------------------------------

CASE="mirror without i386 packages"
new_machine noexec refuse emulator-works
setup
expect line "*cannot be had (E: Unable to locate package wine32:i386)*" pkgs "" arch no \
    actions "add-arch; install wine32:i386; remove-arch"
again
expect line "*not installed*" actions "" # not tried on every run
TOVABEL_RETRY_WINE32=1 again
expect actions "add-arch; install wine32:i386; remove-arch"

CASE="another installer holds the lock"
new_machine noexec locked emulator-works
setup
expect line "*cannot be had (E: Could not get lock*" arch no
again
expect actions "add-arch; install wine32:i386; remove-arch" # tried again, not remembered

CASE="kernel runs 32-bit programs"
new_machine native ok emulator-broken
setup
expect line "*run natively*" pkgs "libc6:i386 libwine:i386 wine32:i386" arch yes handlers "" \
    actions "add-arch; install wine32:i386" runs yes
again
expect actions ""

CASE="Exec format error, the emulator runs them"
new_machine noexec ok emulator-works
setup
expect line "*through $W32_EMULATOR*" pkgs "libc6:i386 libwine:i386 qemu-user-static wine32:i386" \
    handlers "$W32_HANDLER" runs yes \
    actions "add-arch; install wine32:i386; install qemu-user-static; register"
grep -qx "magic 7f454c4601010100000000000000000002000300" "$SIM/binfmt/$W32_HANDLER" &&
    grep -qx "interpreter $W32_EMULATOR" "$SIM/binfmt/$W32_HANDLER" &&
    grep -qx "flags: F" "$SIM/binfmt/$W32_HANDLER" ||
    fail "the handler does not match i386 programs for the emulator: $(cat "$SIM/binfmt/$W32_HANDLER")"
again # the next run keeps it all, adding nothing
expect line "*through*" actions ""
rm -f "$SIM/binfmt/$W32_HANDLER" # a reboot forgets the registration
again
expect actions "register" runs yes

CASE="Exec format error, the emulator does not help"
new_machine noexec ok emulator-broken
setup
expect line "*removed again*" pkgs "" arch no handlers "" runs no actions "add-arch; install \
wine32:i386; install qemu-user-static; register; unregister; purge libc6:i386 libwine:i386 \
wine32:i386 qemu-user-static; remove-arch"
again
expect actions ""

CASE="someone else's i386 handler that does not help"
new_machine noexec ok emulator-broken
printf 'enabled\ninterpreter /usr/bin/their-qemu\nflags: \noffset 0\nmagic %s\nmask %s\n' \
    7f454c4601010100000000000000000002000300 fffffffffffefe00fffffffffffffffffeffffff \
    >"$W32_BINFMT/their-i386"
add_pkg qemu-user-static
touch "$W32_EMULATOR" && chmod +x "$W32_EMULATOR"
setup
expect line "*removed again*" handlers "their-i386" pkgs "qemu-user-static" \
    actions "add-arch; install wine32:i386; purge libc6:i386 libwine:i386 wine32:i386; remove-arch"

CASE="the i386 architecture and 32-bit Wine were the owner's"
new_machine noexec ok emulator-broken
owner_install wine32:i386 libc6:i386
setup
expect line "*installed by someone else*" pkgs "libc6:i386 wine32:i386" arch yes handlers ""

CASE="an earlier bootstrap's unrunnable install"
new_machine noexec ok emulator-broken
owner_install wine32:i386 libwine:i386
echo "2026-11-30T10:00:00Z installed" >"$W32_STATE_DIR/wine32-attempt"
setup
expect line "*removed again*" pkgs "" arch no
[[ -e $W32_STATE_DIR/wine32-attempt ]] && fail "the earlier stamp stayed"

if ((FAILURES)); then
    echo "$FAILURES check(s) failed"
    exit 1
fi
echo "all cases passed"
