# The pictures the programs load from their application folder (network
# diagrams, splash, window icon) and the desktop icons, drawn at build time
# from the core's network table. Needs Qt 6 Gui and Svg; without them the
# pictures are not made and the diagram viewer stays empty.

find_package(Qt6 COMPONENTS Gui Svg QUIET)
set(KESTRO_PICTURES
    ActivityNetworkDiagram.jpg
    twoRouterTopologyA_RouterA.jpg
    twoRouterTopologyA_RouterB.jpg
    twoRouterTopologyB_RouterA.jpg
    twoRouterTopologyB_RouterB.jpg
    troubleShooting1.jpg
    troubleShooting2.jpg
    Test1And2Diagram.jpg
    Test3Diagram.jpg
    ActivityNetworkDiagram@2x.jpg
    twoRouterTopologyA_RouterA@2x.jpg
    twoRouterTopologyA_RouterB@2x.jpg
    twoRouterTopologyB_RouterA@2x.jpg
    twoRouterTopologyB_RouterB@2x.jpg
    troubleShooting1@2x.jpg
    troubleShooting2@2x.jpg
    Test1And2Diagram@2x.jpg
    Test3Diagram@2x.jpg
    SplashScreen.JPG
    KestroLogoIcon.ico)
set(KESTRO_ICON_SIZES 16 22 24 32 48 64 128 256)
set(KESTRO_PICTURE_LABELS ${CMAKE_BINARY_DIR}/pictureLabels.tsv)

if(Qt6Gui_FOUND AND Qt6Svg_FOUND)
    set(KESTRO_HAVE_PICTURES ON)
    add_executable(kestro-picture-maker tools/pictureMaker.cpp)
    target_link_libraries(kestro-picture-maker PRIVATE kestro-core Qt6::Gui Qt6::Svg)

    set(outputs ${KESTRO_PICTURE_LABELS})
    foreach(picture ${KESTRO_PICTURES})
        list(APPEND outputs ${KESTRO_BIN_DIR}/${picture})
    endforeach()
    foreach(size ${KESTRO_ICON_SIZES})
        list(APPEND outputs
            ${KESTRO_BIN_DIR}/icons/hicolor/${size}x${size}/apps/${KESTRO_APP_ID}.png)
    endforeach()
    list(APPEND outputs ${KESTRO_BIN_DIR}/icons/hicolor/scalable/apps/${KESTRO_APP_ID}.svg)

    add_custom_command(
        OUTPUT ${outputs}
        COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
            $<TARGET_FILE:kestro-picture-maker> ${KESTRO_BIN_DIR} ${KESTRO_PICTURE_LABELS}
            ${PROJECT_VERSION} ${KESTRO_APP_ID}
        DEPENDS kestro-picture-maker
        COMMENT "Drawing the diagrams, splash and icons"
        VERBATIM)
    add_custom_target(kestro-pictures ALL DEPENDS ${outputs})
else()
    set(KESTRO_HAVE_PICTURES OFF)
    message(STATUS "Qt 6 Gui/Svg not found: the pictures are not drawn")
endif()

if(KESTRO_HAVE_PICTURES AND KESTRO_TESTS)
    find_package(GTest REQUIRED)
    add_executable(kestro-pictures-test tests/pictures/picturesTest.cpp)
    target_link_libraries(kestro-pictures-test PRIVATE
        kestro-core Qt6::Gui GTest::gtest GTest::gtest_main)
    target_compile_definitions(kestro-pictures-test PRIVATE
        KESTRO_BIN_DIR="${KESTRO_BIN_DIR}"
        KESTRO_PICTURE_LABELS="${KESTRO_PICTURE_LABELS}"
        KESTRO_APP_ID="${KESTRO_APP_ID}")
    add_dependencies(kestro-pictures-test kestro-pictures)
    add_test(NAME pictures COMMAND kestro-pictures-test)
    set_tests_properties(pictures PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
endif()
