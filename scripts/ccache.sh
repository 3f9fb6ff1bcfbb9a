# Sourced by the build scripts: sets $launcher to CMake's compiler-launcher options when
# ccache is installed. Every checkout of the project, in any folder, shares one cache kept
# outside the checkouts: paths are made relative to the checkout and the working folder is
# left out of the hash, so a fresh clone finds what an earlier one compiled.
launcher=""
if command -v ccache >/dev/null 2>&1; then
    export CCACHE_BASEDIR="$(pwd)"
    export CCACHE_NOHASHDIR=1
    export CCACHE_DIR="${CCACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/ccache}"
    export CCACHE_MAXSIZE="${CCACHE_MAXSIZE:-8G}"
    launcher="-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache"
fi
