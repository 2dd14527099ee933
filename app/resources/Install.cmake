# Install rules of the viewer: the program, its desktop entry and its 32 x 32 icon in the
# freedesktop locations. The icon PNG is written at build time from the icon resource.
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
