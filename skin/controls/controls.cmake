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

# ---- ZUBSkinStdCtrl: the control skinners and their 24 registration rows ----
list(APPEND SKINENGINE_SOURCES
  controls/ZUBSkinStdCtrl.cpp
  controls/ZUBSkinStdCtrlPaint.cpp
  controls/ZUBSkinStdCtrlGeometry.cpp
  controls/TzubSkinComboBox.cpp
  controls/TzubSkinGrid.cpp
  controls/TzubSkinGroupBox.cpp
  controls/TzubSkinProgressBar.cpp
  controls/TzubSkinScrollBar.cpp
  controls/TzubSkinSpeedButton.cpp
  controls/TzubSkinStatusBar.cpp
  controls/TzubSkinTabControl.cpp
  controls/TzubSkinToolBar.cpp
  controls/TzubSkinTrackBar.cpp
  controls/TzubSkinUpDown.cpp)
# The unit's start-up goes into every program that links the engine.
cmake_language(DEFER CALL target_sources skinengine INTERFACE controls/ZUBSkinStdCtrlUnit.cpp)
suite_test(skinstdctrl_test
  controls/tests/ZUBSkinStdCtrlTest.cpp
  controls/tests/TzubSkinStdCtrlPaintTest.cpp
  controls/tests/TzubSkinStdCtrlBarsTest.cpp
  ${CMAKE_SOURCE_DIR}/classlib/tests/Gallery.rc
  LIBS skinengine classlib SERIAL)  # shows windows and reads their pixels
target_include_directories(skinstdctrl_test PRIVATE ${CMAKE_SOURCE_DIR}/classlib/tests ${CMAKE_SOURCE_DIR}/skin/engine/tests)
target_compile_definitions(skinstdctrl_test PRIVATE SOURCE_DIR="${CMAKE_SOURCE_DIR}")
set_source_files_properties(${CMAKE_SOURCE_DIR}/classlib/tests/Gallery.rc PROPERTIES
                            OBJECT_DEPENDS ${CMAKE_SOURCE_DIR}/classlib/tests/Gallery.form)
