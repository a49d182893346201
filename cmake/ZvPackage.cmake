# `cpack -G DEB` in the build tree: two Debian packages installing under /usr.
#   zorvant-cli  the zorvant command and the Qt-free core; needs only the C and
#                C++ runtime, so a CI image installs it alone;
#   zorvant      the desktop program, `zorvant run`, the device module, menu
#                entry, icons and user guide; needs zorvant-cli and Qt 6.
# Binaries are stripped; scripts/package.sh builds them from a release build
# and checks them with lintian, as the package test does for the build tree.
set(CPACK_PACKAGE_NAME zorvant)
set(CPACK_PACKAGE_VENDOR "Zorvant")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Zorvant developers <dev@zorvant.invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL cli desktop)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Zorvant developers <dev@zorvant.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "")

set(CPACK_DEBIAN_CLI_PACKAGE_NAME zorvant-cli)
set(CPACK_DEBIAN_CLI_PACKAGE_DEPENDS "libc6 (>= 2.34), libgcc-s1 (>= 3.0), libstdc++6 (>= 11)")
set(CPACK_COMPONENT_CLI_DESCRIPTION
    "Q7R2x configuration wizard, command line
The zorvant command generates the C or 8051 assembly initialisation code of a
Q7R2x microcontroller project (.zvp) without a display: new, generate,
convert, info, check, diff and merge, for build scripts, CI and git.
The desktop program is in the zorvant package.")

set(CPACK_DEBIAN_DESKTOP_PACKAGE_NAME zorvant)
set(CPACK_DEBIAN_DESKTOP_PACKAGE_DEPENDS
    "zorvant-cli (= ${PROJECT_VERSION}), libc6 (>= 2.34), libgcc-s1 (>= 3.0), libqt6core6 (>= 6.4.0), libqt6gui6 (>= 6.1.2), libqt6printsupport6 (>= 6.1.2), libqt6widgets6 (>= 6.3.0), libstdc++6 (>= 11), qt6-qpa-plugins")
set(CPACK_COMPONENT_DESKTOP_DESCRIPTION
    "Q7R2x configuration wizard
Sets up the on-chip peripherals of a Q7R2x microcontroller (Q7R20 to Q7R27)
one dialog at a time and generates its initialisation source in C or 8051
assembly. This package holds the desktop program, its device module, menu
entry, icons and user guide.")
include(CPack)
