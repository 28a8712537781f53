# The standard and common controls, the panel, radio group, notebook and control bar, the speed and
# bitmap buttons, frames and scroll boxes, grids, the mask edit, the tool bar, tab, track-bar and up-down
# controls, the open dialog, the message form and menus.
# The button layout is plain geometry, built and tested on every platform.
target_sources(classlib PRIVATE ${CMAKE_CURRENT_LIST_DIR}/ButtonLayout.cpp)
suite_test(ButtonLayout_test ${CMAKE_CURRENT_LIST_DIR}/tests/ButtonLayout_test.cpp LIBS classlib)
if(WIN32)
  target_sources(classlib PRIVATE ${CMAKE_CURRENT_LIST_DIR}/StdCtrls.cpp ${CMAKE_CURRENT_LIST_DIR}/Spin.cpp
                 ${CMAKE_CURRENT_LIST_DIR}/ComCtrls.cpp ${CMAKE_CURRENT_LIST_DIR}/ExtCtrls.cpp
                 ${CMAKE_CURRENT_LIST_DIR}/Buttons.cpp ${CMAKE_CURRENT_LIST_DIR}/Dialogs.cpp
                 ${CMAKE_CURRENT_LIST_DIR}/Menus.cpp ${CMAKE_CURRENT_LIST_DIR}/Frames.cpp
                 ${CMAKE_CURRENT_LIST_DIR}/Mask.cpp ${CMAKE_CURRENT_LIST_DIR}/Grids.cpp)
  target_sources(classlib PRIVATE ${CMAKE_CURRENT_LIST_DIR}/ToolBar.cpp ${CMAKE_CURRENT_LIST_DIR}/TabControls.cpp
                 ${CMAKE_CURRENT_LIST_DIR}/TrackBar.cpp ${CMAKE_CURRENT_LIST_DIR}/PlatformImageList.cpp)
  target_link_libraries(classlib PUBLIC comctl32 comdlg32 msimg32)
endif()
if(WIN32)
  foreach(t Controls StdCtrls StdCtrls2 ComCtrls Spin ExtCtrls ExtCtrls2 Buttons Buttons2 Dialogs Menus Frames Grids
          ToolBar TabControls)
    suite_test(${t}_test ${CMAKE_CURRENT_LIST_DIR}/tests/${t}_test.cpp LIBS classlib SERIAL)
  endforeach()
  # One form with a control of every class, for its own test and for the skin's pictures.
  suite_test(Gallery_test ${CMAKE_CURRENT_LIST_DIR}/tests/Gallery_test.cpp ${CMAKE_CURRENT_LIST_DIR}/tests/Gallery.rc
             LIBS classlib SERIAL)
  set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/tests/Gallery.rc PROPERTIES
                              OBJECT_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/tests/Gallery.form)
endif()
