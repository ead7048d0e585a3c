#!/usr/bin/env bash
# Builds the Debian package of Lexiwren: installs what is missing, builds with
# the release preset (without the test suites, in build/package so that the
# benchmark build in build/release is left alone), checks the installed
# desktop entry and AppStream metadata, runs CPack and then lintian.
# The package ends up in build/package/ as lexiwren_<version>_<arch>.deb.
set -euo pipefail
cd "$(dirname "$0")/.."

# dpkg-dev and file for dpkg-shlibdeps, which works out the library
# dependencies, and dpkg-buildflags; lintian to check the package.
scripts/install-deps.sh dpkg-dev file lintian

build=build/package
# Debian's own compiler and linker flags: fortified functions, stack
# protector, full RELRO with immediate binding. The package is stripped, so
# their -g costs nothing in it.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake --preset release -B "$build" -DLEXIWREN_TESTS=OFF \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build "$build" -j"${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}"
bash packaging/validate-install.sh "$build" "$build/stage" io.github.lexiwren.Lexiwren
(cd "$build" && cpack -G DEB)

deb=$(ls -t "$build"/lexiwren_*.deb | head -n 1)
echo "Built $deb"
dpkg-deb --field "$deb" Package Version Section Depends Recommends Suggests
# Errors fail the script; warnings are shown but accepted.
lintian --fail-on error --info "$deb"
echo "lintian found no error in $deb"
