# The frame geometry of the window skinners: plain C++, built and tested in every configuration.
add_library(skinframe STATIC windows/ZUBSkinFrame.cpp)
target_include_directories(skinframe PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/windows)
target_link_libraries(skinframe PUBLIC skinfile)
suite_test(skinframe_test windows/tests/ZUBSkinFrameTest.cpp LIBS skinframe)
