# What `cmake --install` puts where. The Windows build installs the release folder that CPack
# zips (`--target package`): the two programs, stripped, the guide as a text file, the sample,
# the licence and the notices of the runtime linked into the programs. On Linux vosk1-batch
# installs with its manual.

# The guide as a text file, made in every build: it checks that the guide quotes every text the
# program shows.
set(guide_text ${PROJECT_BINARY_DIR}/Vosk1-guide-ja.txt)
add_custom_command(OUTPUT ${guide_text}
    COMMAND ${CMAKE_COMMAND} -DIN=${PROJECT_SOURCE_DIR}/docs/ja/guide.md -DOUT=${guide_text}
        -DSOURCE_DIR=${PROJECT_SOURCE_DIR} -P ${PROJECT_SOURCE_DIR}/cmake/GuideText.cmake
    DEPENDS ${PROJECT_SOURCE_DIR}/docs/ja/guide.md ${PROJECT_SOURCE_DIR}/cmake/GuideText.cmake
        ${PROJECT_SOURCE_DIR}/editor/EditorTexts.h ${PROJECT_SOURCE_DIR}/res/Strings.rc)
add_custom_target(vosk1_guide_text ALL DEPENDS ${guide_text})

if(WIN32)
    install(TARGETS Vosk1 vosk1-batch DESTINATION .)
    install(FILES ${guide_text} ${PROJECT_SOURCE_DIR}/docs/screenshot.png DESTINATION .)
    install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
    install(FILES ${PROJECT_SOURCE_DIR}/examples/temp.txt ${PROJECT_SOURCE_DIR}/examples/sample.mse
        DESTINATION sample)
    install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/licenses/ DESTINATION licenses)

    set(CPACK_GENERATOR ZIP)
    # The programs in the build tree keep their debugging information; the released ones do not.
    set(CPACK_STRIP_FILES TRUE)
    set(CPACK_PACKAGE_FILE_NAME ${PROJECT_NAME}-${PROJECT_VERSION}-win64)
    set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package)
    include(CPack)
else()
    include(GNUInstallDirs)
    install(TARGETS vosk1-batch)
    find_program(HELP2MAN help2man)
    if(HELP2MAN)
        set(man_page ${PROJECT_BINARY_DIR}/vosk1-batch.1)
        # Made from --help and --version at every build, so it cannot fall behind them; the
        # files and examples come from cli/vosk1-batch.h2m. help2man makes the "Exit status:"
        # paragraph of --help a subsection: it is a section of its own.
        set(man_include ${PROJECT_SOURCE_DIR}/cli/vosk1-batch.h2m)
        add_custom_command(OUTPUT ${man_page}
            COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C.UTF-8 ${HELP2MAN} --no-info
                --name "replace the texts of a CAD drawing by a table" --include ${man_include}
                --output ${man_page} $<TARGET_FILE:vosk1-batch>
            COMMAND sed -i "s/^\\.SS \"Exit status:\"$/.SH \"EXIT STATUS\"/" ${man_page}
            DEPENDS vosk1-batch ${man_include} VERBATIM)
        add_custom_target(vosk1_man_page ALL DEPENDS ${man_page})
        install(FILES ${man_page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    else()
        message(WARNING "help2man not found: no manual page for vosk1-batch (scripts/setup installs it)")
    endif()
endif()
