#!/bin/sh
# Installs the build into a prefix of its own, registers the installed
# component there and builds the C host against the installed header and
# library through pkg-config, as a tracker's developer would.
# Arguments: build folder, C host source, further C compiler flags.
set -eu
build=$1
source=$2
shift 2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
export VORN_REGISTRY="$prefix/registry.reg" PKG_CONFIG_PATH="$prefix/lib/pkgconfig"
for file in include/vornreports/vornreports.h lib/vornreports/reports.mdb lib/vornreports/vornwiz.dll; do
    test -f "$prefix/$file" || { echo "not installed: $file"; exit 1; }
done

# Nothing but the entry points leaves either library.
exported() { nm -D --defined-only "$1" | awk '$2 == "T" { print $3 }' | sort | tr '\n' ' '; }
test "$(exported "$prefix/lib/vornreports/vornout.so")" = "DllCanUnloadNow DllGetClassObject \
DllRegisterServer DllUnregisterServer GetErrorInfo SetErrorInfo " || exit 1
exported "$prefix/lib/libvornhost.so" | grep -qv '^\(Vorn[A-Za-z0-9]* \)*$' && exit 1

"$prefix/bin/vornreports" register
component=$(realpath "$(pkg-config --variable=component vornreports)")
# shellcheck disable=SC2046 # pkg-config's words are separate arguments
cc -std=c11 -Wall -Wextra -Werror -pedantic "$@" -o "$prefix/c_host" "$source" \
    $(pkg-config --cflags --libs vornreports) -lpthread -ldl
"$prefix/c_host" "$component"

# vornreports creates the registered component, not the one beside it.
sed -i "s|@=\"$component\"|@=\"$prefix/nowhere/vornout.so\"|" "$VORN_REGISTRY"
if "$prefix/bin/vornreports" print --db "$prefix/none.db" --report "Vorn Item List Report" \
    2>"$prefix/err"; then
    echo "vornreports ignored the registration"
    exit 1
fi
grep -q "nowhere/vornout.so" "$prefix/err" || { cat "$prefix/err"; exit 1; }

# Unregistering leaves nothing of ours behind (only what still names this
# installation is ours).
sed -i "s|@=\"$prefix/nowhere/vornout.so\"|@=\"$component\"|" "$VORN_REGISTRY"
"$prefix/bin/vornreports" unregister >/dev/null
"$prefix/bin/vornreports" unregister >/dev/null
! grep '^\[' "$VORN_REGISTRY"
