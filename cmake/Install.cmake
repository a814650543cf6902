# The installed program, laid out as Debian lays out games: the launcher in
# games/, the program and its desktop library in lib/games/quoli, the data
# it runs among in share/games/quoli, the desktop's entry, metadata, icons
# and manual pages where desktops and man look for them. The fonts and the
# computer's settings are the packaging's (links to the system's).
set(QUOLI_INSTALL_PROGRAM_DIR lib/games/quoli CACHE STRING "Where the program and its desktop library are installed")
set(QUOLI_INSTALL_DATA_DIR share/games/quoli CACHE STRING "Where the program's data is installed")
set(QUOLI_APP_ID org.velmoran.quoli)

if(TARGET quoli)
  install(TARGETS quoli RUNTIME DESTINATION ${QUOLI_INSTALL_PROGRAM_DIR})
endif()
install(FILES ${QUOLI_STAGE_DIR}/libExtUtils.so DESTINATION ${QUOLI_INSTALL_PROGRAM_DIR})
install(FILES ${PROJECT_SOURCE_DIR}/scripts/first-start.sh DESTINATION ${QUOLI_INSTALL_PROGRAM_DIR})
install(PROGRAMS ${PROJECT_SOURCE_DIR}/dist/quoli.sh DESTINATION games RENAME quoli)

install(FILES ${QUOLI_STAGE_DIR}/resource.bin ${QUOLI_STAGE_DIR}/effects.bin ${QUOLI_STAGE_DIR}/quoli.str
              ${QUOLI_STAGE_DIR}/quoli.png
        DESTINATION ${QUOLI_INSTALL_DATA_DIR})
install(DIRECTORY ${QUOLI_STAGE_DIR}/music ${QUOLI_STAGE_DIR}/Aiuto ${QUOLI_STAGE_DIR}/Esercizi
        DESTINATION ${QUOLI_INSTALL_DATA_DIR})

install(FILES ${PROJECT_SOURCE_DIR}/dist/${QUOLI_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${PROJECT_SOURCE_DIR}/dist/${QUOLI_APP_ID}.metainfo.xml DESTINATION share/metainfo)
foreach(size 48 64 128 256)
  install(FILES ${CMAKE_BINARY_DIR}/assets/generated/icon-${size}.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME ${QUOLI_APP_ID}.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/dist/quoli.6 DESTINATION share/man/man6)
install(FILES ${PROJECT_SOURCE_DIR}/dist/quoli.it.6 DESTINATION share/man/it/man6 RENAME quoli.6)
