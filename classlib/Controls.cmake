# The standard and common controls, the panel, the speed button, the open dialog, the message form and menus.
if(WIN32)
  target_sources(classlib PRIVATE ${CMAKE_CURRENT_LIST_DIR}/StdCtrls.cpp ${CMAKE_CURRENT_LIST_DIR}/Spin.cpp
                 ${CMAKE_CURRENT_LIST_DIR}/ComCtrls.cpp ${CMAKE_CURRENT_LIST_DIR}/ExtCtrls.cpp
                 ${CMAKE_CURRENT_LIST_DIR}/Buttons.cpp ${CMAKE_CURRENT_LIST_DIR}/Dialogs.cpp
                 ${CMAKE_CURRENT_LIST_DIR}/Menus.cpp)
  target_sources(classlib PRIVATE ${CMAKE_CURRENT_LIST_DIR}/ToolBar.cpp ${CMAKE_CURRENT_LIST_DIR}/TabControls.cpp
                 ${CMAKE_CURRENT_LIST_DIR}/TrackBar.cpp ${CMAKE_CURRENT_LIST_DIR}/PlatformImageList.cpp)
  target_link_libraries(classlib PUBLIC comctl32 comdlg32 msimg32)
endif()
if(WIN32)
  foreach(t Controls StdCtrls ComCtrls Spin ExtCtrls Buttons Dialogs Menus ToolBar TabControls)
    suite_test(${t}_test ${CMAKE_CURRENT_LIST_DIR}/tests/${t}_test.cpp LIBS classlib SERIAL)
  endforeach()
endif()
