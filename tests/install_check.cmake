# Installs the build into a scratch prefix and checks that both programs, the desktop entry, the
# icons and the AppStream metainfo land in the standard places.
set(prefix "${BUILD_DIR}/install-check")
file(REMOVE_RECURSE "${prefix}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${prefix}"
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${status}")
endif()
foreach(path bin/pattern-workshop bin/pattern-render share/applications/pattern-workshop.desktop
             share/icons/hicolor/scalable/apps/pattern-workshop.svg
             share/icons/hicolor/256x256/apps/pattern-workshop.png
             share/metainfo/cn.chengchuan_soft.PatternWorkshop.metainfo.xml)
    if(NOT EXISTS "${prefix}/${path}")
        message(FATAL_ERROR "not installed: ${path}")
    endif()
endforeach()
file(READ "${prefix}/share/applications/pattern-workshop.desktop" entry)
if(NOT entry MATCHES "Name=澄川纹样工坊" OR NOT entry MATCHES "Exec=pattern-workshop")
    message(FATAL_ERROR "the desktop entry lacks its name or command")
endif()
file(REMOVE_RECURSE "${prefix}")
