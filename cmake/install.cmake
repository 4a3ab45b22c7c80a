# A Linux desktop installation: the binaries in bin, the shipped files in
# share/tessaro (found there by the program), a desktop entry, icons, the
# MIME type of algorithm files, and a Debian package built with CPack.
include(GNUInstallDirs)

set(TESSARO_SHARE_DIR ${CMAKE_INSTALL_DATADIR}/tessaro)

foreach(target tessaro tessaro-cli)
  if(TARGET ${target})
    install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/ DESTINATION ${TESSARO_SHARE_DIR})
if(TARGET matematyka_szkolna)
  install(TARGETS matematyka_szkolna LIBRARY DESTINATION ${TESSARO_SHARE_DIR}/Rozszerzenia)
endif()

if(TESSARO_GUI)
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/tessaro.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/tessaro-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
          RENAME tessaro.xml)
  foreach(size 16 32 48 64 128 256)
    install(FILES ${CMAKE_SOURCE_DIR}/packaging/icons/tessaro-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME tessaro.png)
  endforeach()
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/icons/tessaro.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()

# cpack -G DEB: a package a teacher installs on every machine of a lab.
set(CPACK_PACKAGE_NAME tessaro)
set(CPACK_PACKAGE_VENDOR "Tessaro")
set(CPACK_PACKAGE_CONTACT "Tessaro developers <tessaro@example.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Flowchart algorithm editor for teaching programming")
set(CPACK_PACKAGE_DESCRIPTION
    "Pupils draw algorithms as flowcharts, write each block in a small block language, then compile and run them step by step, watching the variables.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://tessaro.example.org")
include(CPack)
