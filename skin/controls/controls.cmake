# The control-skinner bases and overlays, and the window-class skinners of system dialogs.
list(APPEND SKINENGINE_SOURCES
  controls/TzubSkinControl.cpp
  controls/TzubSkinScrollWinControl.cpp
  controls/TzubSkinExtComboboxLikeControl.cpp)

# The button family.
list(APPEND SKINENGINE_SOURCES
  controls/TzubSkinButton.cpp)
suite_test(skinbuttons_test controls/tests/TzubSkinButtonTest.cpp LIBS skinengine SERIAL)  # shows and activates windows
target_include_directories(skinbuttons_test PRIVATE ${CMAKE_SOURCE_DIR}/classlib/tests ${CMAKE_SOURCE_DIR}/skin/engine/tests)
