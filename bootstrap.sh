#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks, builds, then launches the program ("run") or
# runs every test in the normal and the sanitizer build ("test").
set -euo pipefail
cd "$(dirname "$0")"

packages=(cmake ninja-build g++ qt6-base-dev qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
          libgl-dev libpng-dev libtiff-dev libdeflate-dev zlib1g-dev liblcms2-dev libfontconfig-dev libxcb1-dev pkgconf
          libgtest-dev libbenchmark-dev libopencv-imgproc-dev fonts-noto-cjk fonts-symbola fonttools
          xvfb xauth appstream)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

jobs=$(nproc)
case "${1:-run}" in
run)
    cmake --preset default >/dev/null
    # Only the program: the first launch does not wait for the tests and benchmarks.
    cmake --build --preset default -j "$jobs" --target pattern-workshop
    exec ./build/default/src/app/pattern-workshop
    ;;
test)
    for preset in default sanitize; do
        cmake --preset "$preset" >/dev/null
        cmake --build --preset "$preset" -j "$jobs"
        ctest --preset "$preset" -j "$jobs"
    done
    # A minute each of random surface operations, pattern-render arguments and design documents
    # under the sanitizers.
    for target in surface-fuzz render-fuzz design-document-fuzz; do
        QT_QPA_PLATFORM=offscreen LSAN_OPTIONS="suppressions=$PWD/tests/fuzz/lsan.supp" \
            ./build/sanitize/tests/fuzz/$target 60
    done
    ;;
*)
    echo "usage: $0 [run|test]" >&2
    exit 2
    ;;
esac
