# Shared helpers for scripts/run and scripts/test (sourced, not run).
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build"

# Installs the missing Debian packages of scripts/packages.txt: the untagged
# ones and those whose tag is among the arguments ("test", "fuzz").
install_packages() {
    local want=() name tag
    while read -r name tag; do
        [[ -z "$name" || "$name" == \#* ]] && continue
        [[ -n "$tag" && " $* " != *" $tag "* ]] && continue
        dpkg-query -W -f='${Status}' "$name" 2>/dev/null | grep -q "ok installed" || want+=("$name")
    done < "$ROOT/scripts/packages.txt"
    [[ ${#want[@]} -eq 0 ]] && return 0
    echo "Installing: ${want[*]}"
    local sudo=""
    [[ $(id -u) -ne 0 ]] && sudo="sudo"
    $sudo apt-get update -qq
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${want[@]}"
}

# Configures and builds the project (Release) into build/.
build_project() {
    build_project_in "$BUILD" -DCMAKE_BUILD_TYPE=Release "$@"
}

# Configures and builds the project into the folder $1 with the options that follow.
build_project_in() {
    local dir="$1"
    shift
    cmake -S "$ROOT" -B "$dir" "$@" >/dev/null
    cmake --build "$dir" -j "$(nproc)"
}

# Starts an Xvfb server on a free display number and exports DISPLAY.
# The server is killed when the calling script exits. -noreset: SDL opens
# the display twice, and a server left without clients between the two
# would reset and turn the second away.
start_xvfb() {
    # Xvfb picks a free display itself and writes its number: runs side by
    # side never race for one.
    local named n
    named="$(mktemp)"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$named" >/dev/null 2>&1 &
    XVFB_PID=$!
    trap 'kill $XVFB_PID 2>/dev/null || true' EXIT
    for _ in $(seq 100); do
        n="$(tr -d '\n' <"$named")"
        [[ -n "$n" ]] && { rm -f "$named"; export DISPLAY=":$n"; return 0; }
        sleep 0.1
    done
    rm -f "$named"
    kill $XVFB_PID 2>/dev/null || true
    echo "could not start Xvfb" >&2
    return 1
}
