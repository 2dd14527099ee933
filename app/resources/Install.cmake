# Install rules of the viewer: the program, its desktop entry (which opens ZentorScript
# sources), the definition of that file type for the shared MIME database, its AppStream entry
# and its icon in the hicolor theme: the scalable drawing and PNGs of the usual sizes, rendered
# from it at build time.
include(GNUInstallDirs)
find_program(TESSALY_RSVG_CONVERT rsvg-convert REQUIRED)

set(TESSALY_APP_ID org.tessaly.Tessaly)
set(TESSALY_ICON_SVG ${CMAKE_CURRENT_LIST_DIR}/tessaly.svg)
set(TESSALY_ICON_SIZES 16 24 32 48 64 128 256)
set(TESSALY_ICON_PNGS)
foreach(Size IN LISTS TESSALY_ICON_SIZES)
  set(Png ${CMAKE_CURRENT_BINARY_DIR}/icons/${Size}x${Size}/${TESSALY_APP_ID}.png)
  add_custom_command(OUTPUT ${Png}
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/icons/${Size}x${Size}
                     COMMAND ${TESSALY_RSVG_CONVERT} -w ${Size} -h ${Size} -o ${Png}
                             ${TESSALY_ICON_SVG}
                     DEPENDS ${TESSALY_ICON_SVG}
                     COMMENT "Rendering the ${Size} x ${Size} icon")
  list(APPEND TESSALY_ICON_PNGS ${Png})
  install(FILES ${Png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${Size}x${Size}/apps)
endforeach()
add_custom_target(tessaly_icon_pngs ALL DEPENDS ${TESSALY_ICON_PNGS})

install(TARGETS tessaly RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${TESSALY_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${TESSALY_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${TESSALY_ICON_SVG} RENAME ${TESSALY_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
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
