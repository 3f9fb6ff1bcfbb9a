#!/bin/sh
# Installs what Chimelet needs to build, run and test on Debian 12; skips what is there.
# Packages named as arguments are installed too (scripts/fuzz.sh asks for clang).
set -eu
packages="build-essential cmake ninja-build pkg-config qt6-base-dev libgtest-dev libgmock-dev
libxcb-shape0-dev libsdl2-mixer-dev libjpeg62-turbo-dev libwmf-dev libexpat1-dev fonts-urw-base35
fonts-dejavu-core libcpp-httplib-dev xvfb xauth x11-utils xdotool xcompmgr imagemagick sox lame
clang-format clang-tidy ccache dbus-daemon openbox desktop-file-utils appstream dpkg-dev file libglib2.0-bin
libssl-dev openssl trayer wmctrl faketime xdg-utils shared-mime-info dbus-bin python3-minimal weston
xwayland qt6-wayland xfwm4 xfce4-panel xfce4-notifyd at-spi2-core python3-pyatspi sway grim
x11-xserver-utils $*"
missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
    echo "Installing:$missing"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q
    # shellcheck disable=SC2086
    apt-get install -y -q --no-install-recommends $missing
fi
