# cmake --install: the programs in bin/, their read-only data (content
# database, pictures) in share/kestro, where the programs look for it when it
# is not beside them, plus the desktop entry, icons, metainfo and man page.

include(GNUInstallDirs)
set(KESTRO_DATA_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/kestro)

install(TARGETS kestro-console RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET kestro)
    install(TARGETS kestro RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(TARGETS kestro-charts LIBRARY DESTINATION ${KESTRO_CHARTS_INSTALL_DIR})
endif()
install(FILES ${KESTRO_CONTENT_DB} DESTINATION ${KESTRO_DATA_INSTALL_DIR})

if(KESTRO_HAVE_PICTURES)
    list(TRANSFORM KESTRO_PICTURES PREPEND ${KESTRO_BIN_DIR}/ OUTPUT_VARIABLE pictureFiles)
    install(FILES ${pictureFiles} DESTINATION ${KESTRO_DATA_INSTALL_DIR})
    install(DIRECTORY ${KESTRO_BIN_DIR}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
endif()

# The desktop entry starts the desktop program; without it there is nothing
# for a menu to start.
if(TARGET kestro)
    configure_file(packaging/${KESTRO_APP_ID}.metainfo.xml
        ${CMAKE_BINARY_DIR}/${KESTRO_APP_ID}.metainfo.xml @ONLY)
    install(FILES packaging/${KESTRO_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${CMAKE_BINARY_DIR}/${KESTRO_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    install(FILES packaging/kestro.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

# The console's man page, made from its --help.
find_program(HELP2MAN help2man)
if(HELP2MAN)
    set(manPage ${CMAKE_BINARY_DIR}/kestro-console.1)
    add_custom_command(
        OUTPUT ${manPage}
        COMMAND ${HELP2MAN} --no-info --no-discard-stderr
            --version-string=${PROJECT_VERSION}
            "--name=router console of the Kestro Router Simulator"
            --include=${CMAKE_SOURCE_DIR}/packaging/kestro-console.h2m
            --output=${manPage} $<TARGET_FILE:kestro-console>
        DEPENDS kestro-console ${CMAKE_SOURCE_DIR}/packaging/kestro-console.h2m
        COMMENT "Writing the kestro-console man page"
        VERBATIM)
    add_custom_target(kestro-man ALL DEPENDS ${manPage})
    install(FILES ${manPage} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
    message(STATUS "help2man not found: no man page for kestro-console")
endif()
