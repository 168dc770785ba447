# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package (cpack -G DEB in the build directory, configured with the prefix /usr):
# both programs, their language bundles in /usr/share/drivo, the desktop entries, the icons,
# the AppStream metainfo, the FTDI access rule, the manual pages, the copyright file and the
# Debian changelog; the programs' debugging symbols go to a package of their own (dbgsym).
# The programs' own install rules add the rest.
include(GNUInstallDirs)
find_package(PkgConfig REQUIRED)

# lintian wants a host with a domain part (a bare localhost is a bogus host to it).
set(DRIVO_MAINTAINER "Drivo developers <drivo@drivo.localhost>")
# The release: its date from SOURCE_DATE_EPOCH (the last commit's, set by tools/delivery.sh)
# or else the time of configuring; one note for the changelog and the metainfo.
string(TIMESTAMP DRIVO_RELEASE_DATE "%Y-%m-%d" UTC)
string(TIMESTAMP DRIVO_RELEASE_STAMP "%a, %d %b %Y %H:%M:%S +0000" UTC)
set(DRIVO_RELEASE_NOTE "English for every English locale, German for every German locale.")
set(DRIVO_DEBIAN_REVISION 1)
set(doc ${CMAKE_BINARY_DIR}/package)

# The FTDI products the driver opens (device/ftdi/FtdiDriver.cpp): the udev rule and the
# metainfo's modaliases name the same ones.
file(STRINGS ${PROJECT_SOURCE_DIR}/device/ftdi/FtdiDriver.cpp products
     REGEX "kFtdiProducts\\[\\] = ")
string(REGEX MATCHALL "0x[0-9A-Fa-f]+" products "${products}")
set(DRIVO_FTDI_PRODUCTS "")
set(DRIVO_MODALIASES "")
foreach(product IN LISTS products)
  string(SUBSTRING ${product} 2 -1 id)
  string(TOLOWER ${id} id)
  list(APPEND DRIVO_FTDI_PRODUCTS ${id})
  string(TOUPPER ${id} ID)
  string(APPEND DRIVO_MODALIASES "    <modalias>usb:v0403p${ID}d*</modalias>\n")
endforeach()
list(JOIN DRIVO_FTDI_PRODUCTS "|" DRIVO_FTDI_PRODUCTS)
configure_file(res/linux/60-drivo-ftdi.rules.in ${doc}/60-drivo-ftdi.rules @ONLY)
# udev reads rules only from its own folders: the system's (pkg-config's udevdir) for a /usr
# install, the administrator's for any other prefix (under /usr/local it would never be read).
# Worked out at every configure, so that a new prefix is followed.
pkg_get_variable(udevdir udev udevdir)
if(DRIVO_UDEV_RULES_DIR)
  set(rules_dir ${DRIVO_UDEV_RULES_DIR})
elseif(CMAKE_INSTALL_PREFIX STREQUAL "/usr" AND udevdir)
  set(rules_dir ${udevdir}/rules.d)
elseif(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
  message(FATAL_ERROR "pkg-config knows no udevdir (the package udev brings udev.pc)")
else()
  set(rules_dir /etc/udev/rules.d)
endif()
install(FILES ${doc}/60-drivo-ftdi.rules DESTINATION ${rules_dir})

install(FILES res/linux/org.drivo.drivo.desktop res/linux/org.drivo.drivo.demo.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(res/linux/org.drivo.drivo.metainfo.xml ${doc}/org.drivo.drivo.metainfo.xml @ONLY)
install(FILES ${doc}/org.drivo.drivo.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The copyright file carries the art's licence in full (Debian has no copy of it).
file(READ res/LICENSE.art art)
string(REGEX REPLACE "[ \t]+\n" "\n" art "${art}")
string(REGEX REPLACE "\n+$" "" art "${art}")
string(REPLACE "\n" "\n " art " ${art}")
string(REPLACE "\n \n" "\n .\n" art "${art}")
string(REPLACE "\n \n" "\n .\n" DRIVO_ART_LICENSE "${art}") # the second of two blank lines
configure_file(res/linux/debian/copyright.in ${doc}/copyright @ONLY)
install(FILES ${doc}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/drivo)

# Compressed as Debian wants them: gzip -9n (no name, no time stamp).
file(CONFIGURE OUTPUT ${doc}/changelog.Debian CONTENT "drivo (${PROJECT_VERSION}-${DRIVO_DEBIAN_REVISION}) \
unstable; urgency=medium

  * ${DRIVO_RELEASE_NOTE}

 -- ${DRIVO_MAINTAINER}  ${DRIVO_RELEASE_STAMP}
")
configure_file(res/linux/man/drivo.1.in ${doc}/drivo.1 @ONLY)
configure_file(res/linux/man/drivo-demo.1.in ${doc}/drivo-demo.1 @ONLY)
set(compressed "")
foreach(f changelog.Debian drivo.1 drivo-demo.1)
  add_custom_command(OUTPUT ${doc}/${f}.gz COMMAND gzip -9nkf ${doc}/${f} DEPENDS ${doc}/${f}
                     VERBATIM)
  list(APPEND compressed ${doc}/${f}.gz)
endforeach()
add_custom_target(drivo_package_docs ALL DEPENDS ${compressed})
install(FILES ${doc}/changelog.Debian.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/drivo)
install(FILES res/linux/debian/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME drivo)
install(FILES ${doc}/drivo.1.gz ${doc}/drivo-demo.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_PACKAGE_NAME drivo)
set(CPACK_PACKAGE_VENDOR "Drivo developers")
set(CPACK_PACKAGE_CONTACT "${DRIVO_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "motor current profiles for the Voltkart model race car")
set(CPACK_PACKAGE_DESCRIPTION
    "Drivo shapes the Voltkart's five-stage motor current profile, sends it to\n\
the car over USB and reads back its battery charge, race time, top speed and\n\
software version. drivo-demo is the same tool with a virtual car, for trying\n\
it without one.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_RELEASE ${DRIVO_DEBIAN_REVISION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT) # drivo_<version>-<revision>_<arch>.deb
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The symbols in drivo-dbgsym (the build is RelWithDebInfo); the programs are stripped.
set(CPACK_DEBIAN_DEBUGINFO_PACKAGE ON)
# A family with the metrics the dialog templates were laid out for (the dialog font's fallbacks).
# Qt Charts draws the race journal's plot (also found by shlibdeps; named for builds without it).
# libftdi1 and libusb are opened when a bridge is first looked for, so shlibdeps cannot see them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-liberation2 | fonts-liberation | fonts-croscore, libqt6charts6 (>= 6.4), libftdi1-2, libusb-1.0-0")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/res/linux/debian/postinst)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
