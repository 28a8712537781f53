# The control-skinner bases and overlays, and the window-class skinners of system dialogs.
list(APPEND SKINENGINE_SOURCES
  controls/TzubSkinControl.cpp
  controls/TzubSkinScrollWinControl.cpp
  controls/TzubSkinExtComboboxLikeControl.cpp
  controls/TzubSkinWndButton.cpp
  controls/TzubSkinWndComboBox.cpp
  controls/TzubSkinWndTabControl.cpp
  controls/TzubSkinWndToolbarWindow32.cpp
  controls/ZUBSkinStdWnd.cpp)

# The window-class unit's start-up goes into every program that links the engine.
cmake_language(DEFER CALL target_sources skinengine INTERFACE controls/ZUBSkinStdWndUnit.cpp)

suite_test(skincontrols_test
  controls/tests/TzubSkinControlTest.cpp
  controls/tests/ZUBSkinStdWndTest.cpp
  LIBS skinengine comdlg32 shell32 ole32 comctl32 SERIAL)  # shows and activates windows, moves the pointer
target_include_directories(skincontrols_test PRIVATE ${CMAKE_SOURCE_DIR}/classlib/tests
  ${CMAKE_SOURCE_DIR}/skin/engine/tests)

# The button family.
list(APPEND SKINENGINE_SOURCES
  controls/TzubSkinButton.cpp)
suite_test(skinbuttons_test controls/tests/TzubSkinButtonTest.cpp LIBS skinengine SERIAL)  # shows and activates windows
target_include_directories(skinbuttons_test PRIVATE ${CMAKE_SOURCE_DIR}/classlib/tests ${CMAKE_SOURCE_DIR}/skin/engine/tests)
