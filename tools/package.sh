#!/bin/sh
# Builds the Debian package domivo_<version>_amd64.deb into the repository's folder. The
# programs are built as for the tests (optimised, with debug information that the package
# strips), without the tests, for the prefix /usr; CPack packs the installed tree and asks
# dpkg-shlibdeps which packages the programs' libraries come from.
set -eu
cd "$(dirname "$0")/.."
tools/install-deps.sh

tools/build.sh build-package -DCMAKE_INSTALL_PREFIX=/usr -DDOMIVO_BUILD_TESTS=OFF "$@"
rm -f build-package/domivo_*.deb
(cd build-package && cpack -G DEB)
for package in build-package/domivo_*.deb; do
    cp "$package" .
    echo "Built ./$(basename "$package"); install it with: apt-get install ./$(basename "$package")"
done
