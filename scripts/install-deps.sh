#!/usr/bin/env bash
# Installs the Debian packages that building and testing Sonaru need, when they are missing.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  libasound2-dev qt6-base-dev libfontconfig-dev libsndfile1-dev libchm-dev
  fp-utils desktop-file-utils fonts-dejavu-core
  dpkg-dev appstream systemd
  libgtest-dev libgmock-dev
  clang libclang-rt-dev clang-tidy
  alsa-utils libasound2-plugins pulseaudio pulseaudio-utils
  dbus-daemon pipewire pipewire-pulse wireplumber
  xvfb xdotool libxcb1-dev
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installation de : ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"

# pipewire-pulse is only for the tests' private PipeWire: where it was just installed beside PulseAudio, it
# must not take over the sound of the desktop's next login.
if [[ " ${missing[*]} " == *" pipewire-pulse "* ]] && dpkg-query -W -f='${Status}' pulseaudio 2>/dev/null | grep -q 'install ok installed'; then
  $sudo systemctl --global disable pipewire-pulse.socket pipewire-pulse.service >/dev/null 2>&1 || true
fi
