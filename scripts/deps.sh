#!/usr/bin/env bash
# Installs the Debian packages Quorvel needs to build, test and run, if any are missing.
set -euo pipefail
packages=(
    g++ cmake ninja-build pkg-config ccache
    libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev qt6-svg-dev libgl-dev qt6-translations-l10n qt6-tools-dev qt6-l10n-tools python3
    fonts-liberation fonts-arphic-uming fonts-wqy-microhei
    xvfb xauth xclip
    clang-format
    libxml2-utils
    appstream desktop-file-utils dpkg-dev file
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi
# KaTeX checks the LaTeX the formula writers make; the tests skip that check where it is missing.
if command -v npm >/dev/null 2>&1 && [ ! -f "$(npm root -g)/katex/package.json" ]; then
    echo "Installing: katex (npm)"
    npm install -g --no-fund --no-audit katex@^0.16 >/dev/null || echo "katex not installed: its check is skipped"
fi
