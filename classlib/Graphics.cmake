# Colours, fonts, canvases, bitmaps, icons and image lists. The BMP codec is plain C++.
target_sources(classlib PRIVATE ${CMAKE_CURRENT_LIST_DIR}/BmpFormat.cpp)
suite_test(BmpFormat_test ${CMAKE_CURRENT_LIST_DIR}/tests/BmpFormat_test.cpp LIBS classlib)
if(WIN32)
  target_sources(classlib PRIVATE ${CMAKE_CURRENT_LIST_DIR}/Graphics.cpp ${CMAKE_CURRENT_LIST_DIR}/ImgList.cpp)
  target_link_libraries(classlib PUBLIC gdi32 msimg32)
  suite_test(Graphics_test ${CMAKE_CURRENT_LIST_DIR}/tests/Graphics_test.cpp
             ${CMAKE_CURRENT_LIST_DIR}/tests/Graphics_test.rc LIBS classlib)
endif()
