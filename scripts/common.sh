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

# Downloads Debian's source packages into the folder $1 and checks them: $2
# lists each package and version, then each of its files with its SHA-256;
# only the files listed are kept (an archive may lack a packaging tarball the
# build does not need). apt's output goes to the file $3.
fetch_debian_sources() {
    local dest="$1" pins="$2" log="$3" first second apt_dir="$1/apt"
    mkdir -p "$apt_dir/lists/partial"
    echo "deb-src http://deb.debian.org/debian bookworm main" >"$apt_dir/sources.list"
    local apt_opts=(-o Dir::Etc::sourcelist="$apt_dir/sources.list" -o Dir::Etc::sourceparts=-
        -o Dir::State::Lists="$apt_dir/lists" -o APT::Sandbox::User=root)
    apt-get "${apt_opts[@]}" update -qq >>"$log" 2>&1
    : >"$dest/SHA256SUMS"
    while read -r first second; do
        [[ -z "$first" ]] && continue
        if [[ "$first" == *.* && ${#second} -eq 64 ]]; then
            echo "$second  $first" >>"$dest/SHA256SUMS"
        else
            (cd "$dest" && apt-get "${apt_opts[@]}" source --download-only -qq "$first=$second") >>"$log" 2>&1 || true
        fi
    done <<<"$pins"
    (cd "$dest" && sha256sum --quiet -c SHA256SUMS) >&2
}

# The blocks of scripts/pinned_sources.txt for the packages named, as one
# text that begins with a line break.
pinned_sources() {
    printf '\n%s' "$(awk -v want=" $* " '/^#/ {next} /^[^ ]/ {keep = index(want, " " $1 " ") > 0} keep' \
        "$ROOT/scripts/pinned_sources.txt")"
}
