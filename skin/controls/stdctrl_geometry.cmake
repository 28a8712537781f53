# The geometry of the control skinners: plain C++, built and tested in every configuration.
add_library(skinstdctrlgeometry STATIC controls/ZUBSkinStdCtrlGeometry.cpp)
target_include_directories(skinstdctrlgeometry PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/controls)
target_link_libraries(skinstdctrlgeometry PUBLIC skinfile classlib)
suite_test(skinstdctrlgeometry_test controls/tests/ZUBSkinStdCtrlGeometryTest.cpp LIBS skinstdctrlgeometry)
