# The control-skinner bases and overlays, and the window-class skinners of system dialogs.
list(APPEND SKINENGINE_SOURCES
  controls/TzubSkinControl.cpp
  controls/TzubSkinScrollWinControl.cpp
  controls/TzubSkinExtComboboxLikeControl.cpp)
