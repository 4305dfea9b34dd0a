#!/usr/bin/env bash
# Checks a built control library: the PE machine matches its architecture, it is a DLL,
# it exports the four COM server entry points, and it needs no mingw runtime DLL (everything
# is linked statically, so the library loads on a machine that has only Windows' own DLLs).
#
#   tools/check-exports.sh x64|x86 path/to/Tovabel2.ocx
# Prints one line per failed check and "PASS ..." or "FAIL ..."; exits non-zero on failure.
set -euo pipefail

if (($# != 2)); then
    echo "usage: $0 x64|x86 LIBRARY" >&2
    exit 2
fi
arch=$1
lib=$2
case $arch in
x64) want_machine=8664 triple=x86_64-w64-mingw32 ;;
x86) want_machine=014c triple=i686-w64-mingw32 ;;
*)
    echo "unknown architecture '$arch' (x64 or x86)" >&2
    exit 2
    ;;
esac

problems=()
if [[ ! -f $lib ]]; then
    problems+=("no such file")
else
    # Little-endian 16/32-bit fields of the PE headers, as hex.
    field() { od -An -tx1 -j "$1" -N "$2" "$lib" | tr -d ' \n' | sed 's/\(..\)/\1 /g' |
        awk '{ for (i = NF; i >= 1; i--) printf "%s", $i }'; }
    if [[ $(field 0 2) != 5a4d ]]; then
        problems+=("not an MZ executable")
    else
        pe=$((16#$(field 60 4)))
        if [[ $(field "$pe" 4) != 00004550 ]]; then
            problems+=("no PE signature")
        else
            machine=$(field $((pe + 4)) 2)
            [[ $machine == "$want_machine" ]] ||
                problems+=("machine 0x$machine, expected 0x$want_machine")
            characteristics=$((16#$(field $((pe + 22)) 2)))
            ((characteristics & 0x2000)) || problems+=("not a DLL (characteristics 0x$(
                printf '%04x' "$characteristics"))")
        fi
    fi

    dump=$("$triple-objdump" -p "$lib" 2>&1) || problems+=("objdump cannot read it: $dump")
    # The export name table: lines "[ordinal] Name" after "[Ordinal/Name Pointer] Table".
    exports=$(awk '/\[Ordinal\/Name Pointer\] Table/ { on = 1; next }
                   on && /^[[:space:]]*\[/ { print $NF; next }
                   on && NF == 0 { on = 0 }' <<<"$dump")
    for name in DllRegisterServer DllUnregisterServer DllGetClassObject DllCanUnloadNow; do
        grep -qx "$name" <<<"$exports" || problems+=("does not export $name")
    done
    runtime=$(grep -oiE 'DLL Name: (libstdc\+\+|libgcc|libwinpthread)[^ ]*' <<<"$dump" || true)
    [[ -z $runtime ]] || problems+=("needs mingw runtime DLLs: ${runtime//$'\n'/, }")
fi

if ((${#problems[@]})); then
    for p in "${problems[@]}"; do
        echo "  $lib: $p"
    done
    echo "FAIL $arch library check: $lib"
    exit 1
fi
echo "PASS $arch library check: $lib"
