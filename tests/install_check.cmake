# Installs the build into a scratch prefix and checks that both programs, the desktop entry, the
# icons, the AppStream metainfo and the design documents' type land in the standard places.
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
             share/metainfo/cn.chengchuan_soft.PatternWorkshop.metainfo.xml
             share/mime/packages/chengchuan-pattern.xml
             share/icons/hicolor/scalable/mimetypes/application-x-chengchuan-pattern.svg)
    if(NOT EXISTS "${prefix}/${path}")
        message(FATAL_ERROR "not installed: ${path}")
    endif()
endforeach()
file(READ "${prefix}/share/applications/pattern-workshop.desktop" entry)
if(NOT entry MATCHES "Name=澄川纹样工坊" OR NOT entry MATCHES "Exec=pattern-workshop %f"
   OR NOT entry MATCHES "MimeType=application/x-chengchuan-pattern;")
    message(FATAL_ERROR "the desktop entry lacks its name, command or document type")
endif()
file(READ "${prefix}/share/mime/packages/chengchuan-pattern.xml" types)
if(NOT types MATCHES "type=\"application/x-chengchuan-pattern\"" OR NOT types MATCHES "澄川纹样设计"
   OR NOT types MATCHES "\\*\\.ccpat")
    message(FATAL_ERROR "the design documents' type lacks its name or pattern")
endif()
file(REMOVE_RECURSE "${prefix}")
