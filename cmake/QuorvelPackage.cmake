# The Debian package that scripts/package makes with CPack: everything `cmake --install` installs, under
# /usr, stripped, its library dependencies found by dpkg-shlibdeps. The fonts are what the program maps the
# document faces (宋体, Times New Roman) to.
set(QUORVEL_MAINTAINER "Quorvel developers <maintainers@quorvel.example>"
    CACHE STRING "The Maintainer field of the Debian package")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorvel)
set(CPACK_PACKAGE_VENDOR Quorvel)
set(CPACK_PACKAGE_CONTACT "${QUORVEL_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "formulas, function graphs and calculations for school mathematics")
set(CPACK_PACKAGE_DESCRIPTION
    "Quorvel is a desktop tool for teaching school mathematics. Formulas typed in
school notation are set as two-dimensional formulas, functions are plotted on
square, rectangular or polar grids, and calculations and notes join them on one
sheet, stored in .Fun files. The interface is in Simplified Chinese.
quorvel-cli writes formulas and sheets as PNG, SVG and PDF.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-arphic-uming, fonts-liberation, fonts-wqy-microhei")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, qt6-wayland")
include(CPack)
