# The engine component, the hook and the registration tables, owner-drawn menus.
list(APPEND SKINENGINE_SOURCES
  engine/TzubSkinCollection.cpp
  engine/TzubSkinEngine.cpp
  engine/TzubSkinEngineMenus.cpp
  engine/ZUBSkinHook.cpp
  engine/ZUBSkinRegistry.cpp
  engine/ZUBSkinStoredSkin.cpp)

# The menus' check mark goes into every program that links the engine.
cmake_language(DEFER CALL target_sources skinengine INTERFACE engine/ZUBSkinEngine.rc)

suite_test(skinengine_test
  engine/tests/TzubSkinEngineTest.cpp
  engine/tests/TzubSkinEngineWindowsTest.cpp
  engine/tests/ZUBSkinHookTest.cpp
  engine/tests/TzubSkinEngineMenusTest.cpp
  LIBS skinengine skinfile SERIAL)  # shows and activates windows
target_include_directories(skinengine_test PRIVATE ${CMAKE_SOURCE_DIR}/classlib/tests)
target_compile_definitions(skinengine_test PRIVATE SKIN_SOURCE_DIR="${CMAKE_SOURCE_DIR}/skin")

# The skin switched off and on a hundred times over the gallery and an MDI frame.
suite_test(skinswitch_test
  engine/tests/TzubSkinEngineSwitchTest.cpp
  ${CMAKE_SOURCE_DIR}/tools/skinbench/SkinBench.cpp
  ${CMAKE_SOURCE_DIR}/classlib/tests/Gallery.rc
  LIBS skinengine classlib SERIAL)  # shows and activates windows
target_include_directories(skinswitch_test PRIVATE ${CMAKE_SOURCE_DIR}/classlib/tests ${CMAKE_SOURCE_DIR}/tools/skinbench)
target_compile_definitions(skinswitch_test PRIVATE SKIN_SOURCE_DIR="${CMAKE_SOURCE_DIR}/skin")
set_tests_properties(skinswitch_test PROPERTIES TIMEOUT 900)  # two hundred switches of some seventy windows
