# Install rules of the viewer: the program, its desktop entry (which opens ZentorScript
# sources), the definition of that file type for the shared MIME database and its 32 x 32
# icon in the freedesktop locations. The icon PNG is written at build time from the icon
# resource.
include(GNUInstallDirs)
find_package(PNG REQUIRED)

add_executable(tessaly-icon ${CMAKE_CURRENT_LIST_DIR}/IconPng.cpp)
target_link_libraries(tessaly-icon PRIVATE tessaly_resources PNG::PNG)
tessaly_warnings(tessaly-icon)

set(TESSALY_ICON_PNG ${CMAKE_CURRENT_BINARY_DIR}/tessaly.png)
add_custom_command(OUTPUT ${TESSALY_ICON_PNG}
                   COMMAND tessaly-icon ${TESSALY_ICON_PNG}
                   DEPENDS tessaly-icon
                   COMMENT "Writing the icon resource as tessaly.png")
add_custom_target(tessaly_icon_png ALL DEPENDS ${TESSALY_ICON_PNG})

install(TARGETS tessaly RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/tessaly.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${TESSALY_ICON_PNG} RENAME tessaly.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/tessaly-mime.xml RENAME tessaly.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)

# A direct install (no DESTDIR, which packages use and whose tools rebuild these caches) brings
# the prefix's MIME database and desktop-entry cache up to date, so the new file type and
# "Open with" take effect at once. Missing tools are skipped: the files are in place anyway.
install(CODE [[
  if(NOT DEFINED ENV{DESTDIR} OR "$ENV{DESTDIR}" STREQUAL "")
    find_program(TESSALY_UPDATE_MIME update-mime-database)
    if(TESSALY_UPDATE_MIME)
      execute_process(COMMAND ${TESSALY_UPDATE_MIME} "${CMAKE_INSTALL_PREFIX}/share/mime")
    endif()
    find_program(TESSALY_UPDATE_DESKTOP update-desktop-database)
    if(TESSALY_UPDATE_DESKTOP)
      execute_process(COMMAND ${TESSALY_UPDATE_DESKTOP}
                              "${CMAKE_INSTALL_PREFIX}/share/applications")
    endif()
  endif()
]])
