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
  windows/tests/TzubSkinWindowTest.rc
  LIBS skinengine comdlg32 SERIAL)  # shows and activates windows, moves the pointer
target_include_directories(skinwindows_test PRIVATE ${CMAKE_SOURCE_DIR}/classlib/tests ${CMAKE_SOURCE_DIR}/skin/engine/tests)

# The MDI child buttons' glyphs go into every program that links the engine.
cmake_language(DEFER CALL target_sources skinengine INTERFACE windows/ZUBSkinWindows.rc)

# The menu bar that stands in for a skinned form's main menu, and the MDI buttons.
list(APPEND SKINENGINE_SOURCES
  windows/TzubSkinMenuBar.cpp
  windows/TzubSkinMenuBarControlButton.cpp)
suite_test(skinmenubar_test
  windows/tests/TzubSkinMenuBarTest.cpp
  LIBS skinengine SERIAL)  # shows and activates windows, drops menus
target_include_directories(skinmenubar_test PRIVATE ${CMAKE_SOURCE_DIR}/classlib/tests ${CMAKE_SOURCE_DIR}/skin/engine/tests)
