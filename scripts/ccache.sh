# Sourced by the build scripts: sets $launcher to CMake's compiler-launcher options when
# ccache is installed. Several checkouts of the project share one cache.
launcher=""
if command -v ccache >/dev/null 2>&1; then
    export CCACHE_BASEDIR="$(pwd)"
    launcher="-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache"
fi
