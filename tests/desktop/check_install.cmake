file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
foreach(path
    bin/orvane
    bin/orvane-ocr
    share/applications/org.orvane.PrintScan.desktop
    share/metainfo/org.orvane.PrintScan.metainfo.xml
    share/icons/hicolor/scalable/apps/org.orvane.PrintScan.svg)
  if(NOT EXISTS ${PREFIX}/${path})
    message(FATAL_ERROR "missing after install: ${path}")
  endif()
endforeach()
