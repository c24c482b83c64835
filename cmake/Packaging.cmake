# What `cmake --install` puts on a Linux desktop, and the Debian package cpack makes of it.
include(GNUInstallDirs)

set(app_id org.biaoge.Biaoge)
set(packaging_dir ${PROJECT_SOURCE_DIR}/packaging)

install(TARGETS biaoge bgetool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${packaging_dir}/${app_id}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${packaging_dir}/${app_id}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${packaging_dir}/${app_id}.mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME ${app_id}.xml)
foreach(size 16 32 48 64 128 256)
  install(FILES ${packaging_dir}/icons/${size}x${size}/${app_id}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${packaging_dir}/icons/${app_id}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${packaging_dir}/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_PACKAGE_NAME biaoge)
set(CPACK_PACKAGE_CONTACT "biaoge project <biaoge@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "table editor with a Chinese user interface")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://biaoge.example.org/)
# The libraries the executables link are read from the built files themselves, so the
# dependencies name the versions the build machine linked against.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its platform plugin at run time, so no linked library names it: without it the
# editor shows no window. Qt's own dialogs in Chinese and a font with the Chinese glyphs
# are what the editor expects, but it still works without them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-wqy-zenhei | fonts-arphic-uming | fonts-noto-cjk")
# CPack puts the summary above this text and indents it as the control file wants.
set(CPACK_PACKAGE_DESCRIPTION
    "Lays out tables in a grid (row heights and column widths in 0.1 mm, merged
cells, border and diagonal lines), fills them with text, numbers, dates and
pictures, formats, computes over, filters and prints them. Tables are saved
as binary table files (.bge, with .mob templates and .bfe backups).

bgetool reads and changes table files from the command line.")
include(CPack)
