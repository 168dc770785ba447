# The Debian package (cpack -G DEB in the build directory): both programs, their language
# bundles beside them, the desktop entries, the icons, the AppStream metainfo with a screenshot
# the build takes, and the FTDI access rule. The programs' own install rules add the rest.
include(GNUInstallDirs)

install(FILES res/linux/drivo-demo.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(res/linux/org.drivo.Drivo.metainfo.xml
               ${CMAKE_BINARY_DIR}/res/org.drivo.Drivo.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/res/org.drivo.Drivo.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The screenshot: drivo-demo's window at its first complete frame, on the offscreen platform.
if(TARGET drivo-demo_startup_probe)
  set(DRIVO_SCREENSHOT ${CMAKE_BINARY_DIR}/res/drivo-demo.png)
  add_custom_command(OUTPUT ${DRIVO_SCREENSHOT}
                     COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
                             $<TARGET_FILE:drivo-demo_startup_probe> --grab ${DRIVO_SCREENSHOT}
                     DEPENDS drivo-demo_startup_probe VERBATIM)
  add_custom_target(drivo_screenshot ALL DEPENDS ${DRIVO_SCREENSHOT})
  install(FILES ${DRIVO_SCREENSHOT} DESTINATION ${CMAKE_INSTALL_DATADIR}/drivo/screenshots)
endif()

set(CPACK_PACKAGE_NAME drivo)
set(CPACK_PACKAGE_VENDOR "Drivo team")
set(CPACK_PACKAGE_CONTACT "Drivo team")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "motor current profiles for the Voltkart model race car")
set(CPACK_PACKAGE_DESCRIPTION
    "Drivo shapes the Voltkart's five-stage motor current profile, sends it to the car over USB\n\
and reads back its battery charge, race time, top speed and software version. drivo-demo is\n\
the same tool with a virtual car, for trying it without one.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT) # drivo_<version>_<arch>.deb
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# A family with the metrics the dialog templates were laid out for (the dialog font's fallbacks).
# Qt Charts draws the race journal's plot (also found by shlibdeps; named for builds without it).
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-liberation2 | fonts-liberation | fonts-croscore, libqt6charts6 (>= 6.4)")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/res/linux/debian/postinst)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
