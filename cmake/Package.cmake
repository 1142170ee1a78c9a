# Installation and the Debian package (cpack -G DEB, or the "package" target): the programs, the
# panel image, the manual pages, the kiosk service, its settings and the udev rule.

include(GNUInstallDirs)
set(ORVANE_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)
set(ORVANE_VERSION "${PROJECT_VERSION}")

install(TARGETS orvane-display orvane-sim orvane-logdata RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# findPanelImage looks for it beside the program: <bin>/../share/orvane-display/panel-image.
install(DIRECTORY ${ORVANE_IMAGE_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/orvane-display/panel-image)

# Manual pages and the changelog are installed compressed and without a time stamp, so that two
# builds of the same sources give the same package.
set(orvane_gzipped)
foreach(page orvane-display.1 orvane-sim.1 orvane-logdata.1)
  configure_file(${ORVANE_PACKAGING_DIR}/man/${page} ${CMAKE_BINARY_DIR}/packaging/${page} @ONLY)
  list(APPEND orvane_gzipped ${page})
endforeach()
configure_file(${ORVANE_PACKAGING_DIR}/changelog ${CMAKE_BINARY_DIR}/packaging/changelog @ONLY)
list(APPEND orvane_gzipped changelog)
set(orvane_gzip_outputs)
foreach(file IN LISTS orvane_gzipped)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/packaging/${file}.gz
    COMMAND gzip -9nkf ${file}
    DEPENDS ${CMAKE_BINARY_DIR}/packaging/${file}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/packaging VERBATIM)
  list(APPEND orvane_gzip_outputs ${CMAKE_BINARY_DIR}/packaging/${file}.gz)
endforeach()
add_custom_target(orvane_package_docs ALL DEPENDS ${orvane_gzip_outputs})
foreach(page orvane-display.1 orvane-sim.1 orvane-logdata.1)
  install(FILES ${CMAKE_BINARY_DIR}/packaging/${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
install(FILES ${CMAKE_BINARY_DIR}/packaging/changelog.gz ${ORVANE_PACKAGING_DIR}/copyright
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/orvane-display)

# System files keep the places Debian 12 gives them, whatever the prefix.
set(ORVANE_SYSTEMD_UNIT_DIR /lib/systemd/system CACHE PATH "Where the service unit is installed")
set(ORVANE_UDEV_RULES_DIR /lib/udev/rules.d CACHE PATH "Where the udev rule is installed")
install(FILES ${ORVANE_PACKAGING_DIR}/orvane-display.service DESTINATION ${ORVANE_SYSTEMD_UNIT_DIR})
install(FILES ${ORVANE_PACKAGING_DIR}/60-orvane-display.rules DESTINATION ${ORVANE_UDEV_RULES_DIR})
install(FILES ${ORVANE_PACKAGING_DIR}/orvane-display.default DESTINATION /etc/default
  RENAME orvane-display)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvane-display)
set(CPACK_PACKAGE_VERSION ${ORVANE_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "operator display of the Orvane grain dryer")
set(CPACK_PACKAGE_DESCRIPTION "The 640 x 480 touch program beside the dryer's controller, with its
controller simulator, the trial log data tool and the panel image (languages,
help texts, pictures). A kiosk service runs the display full screen on the
graphics card as its own user, watched by systemd.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Orvane dryer display team <display@orvane.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not found through the shared libraries: the fonts the display draws with, the user the
# maintainer scripts create; the service and the udev rule want systemd and udev, and full screen
# on KMS/DRM wants the EGL and GLES libraries and the Mesa drivers that SDL loads at run time.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core, adduser")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "systemd, udev, libegl1, libgles2, libgl1-mesa-dri")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${ORVANE_PACKAGING_DIR}/conffiles
  ${ORVANE_PACKAGING_DIR}/postinst ${ORVANE_PACKAGING_DIR}/prerm ${ORVANE_PACKAGING_DIR}/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
