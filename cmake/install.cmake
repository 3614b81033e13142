# What `make install` (cmake --install, honouring DESTDIR and the prefix)
# puts beside the programs: the desktop entry, the AppStream metainfo, the
# application icon and the manual page.
include(GNUInstallDirs)

set(FILES_ICON_FOLDER ${PROJECT_BINARY_DIR}/data/icons)
set(FILES_ICON_SIZES 16 24 32 48 64 128 256 512)
set(FILES_ICON_OUTPUTS ${FILES_ICON_FOLDER}/hicolor/scalable/apps/so.kesu.file-explorer.svg)
foreach(size IN LISTS FILES_ICON_SIZES)
  list(APPEND FILES_ICON_OUTPUTS ${FILES_ICON_FOLDER}/hicolor/${size}x${size}/apps/so.kesu.file-explorer.png)
endforeach()

# The icon is drawn by the program's own icon code, so it is written at build
# time rather than kept as binary files in the tree.
add_custom_command(
  OUTPUT ${FILES_ICON_OUTPUTS}
  COMMAND kesu-files-icon ${FILES_ICON_FOLDER}
  DEPENDS kesu-files-icon
  COMMENT "Drawing the application icon"
  VERBATIM)
add_custom_target(files_app_icons ALL DEPENDS ${FILES_ICON_OUTPUTS})

install(FILES ${PROJECT_SOURCE_DIR}/data/so.kesu.file-explorer.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/so.kesu.file-explorer.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${FILES_ICON_FOLDER}/hicolor
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${PROJECT_SOURCE_DIR}/docs/kesu-files.1
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
