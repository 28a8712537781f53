# The window skinners: the base, forms, foreign windows, the menu bar.
list(APPEND SKINENGINE_SOURCES
  windows/ZUBSkinFrame.cpp
  windows/TzubSkinWindow.cpp
  windows/TzubSkinWindowWnd.cpp)
