# The control-skinner bases; the skinners themselves come later.
list(APPEND SKINENGINE_SOURCES
  controls/TzubSkinControl.cpp)
