# The window skinners: the base, forms, foreign windows, the menu bar.
list(APPEND SKINENGINE_SOURCES
  windows/ZUBSkinFrame.cpp
  windows/TzubSkinWindow.cpp
  windows/TzubSkinWindowWnd.cpp
  windows/TzubSkinWindowVCL.cpp
  windows/TzubSkinWindowVCLMenuBar.cpp
  windows/ZUBSkinUnits.cpp)

suite_test(skinwindows_test
  windows/tests/TzubSkinWindowTest.cpp
  windows/tests/TzubSkinWindowVCLTest.cpp
  LIBS skinengine comdlg32 SERIAL)  # shows and activates windows, moves the pointer
target_include_directories(skinwindows_test PRIVATE ${CMAKE_SOURCE_DIR}/classlib/tests ${CMAKE_SOURCE_DIR}/skin/engine/tests)

# The MDI child buttons' glyphs go into every program that links the engine.
cmake_language(DEFER CALL target_sources skinengine INTERFACE windows/ZUBSkinWindows.rc)
