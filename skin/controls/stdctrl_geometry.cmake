# The geometry of the control skinners: plain C++, built and tested in every configuration.
# (The engine compiles the same source among its own.)
add_library(skinstdctrlgeometry STATIC controls/ZUBSkinStdCtrlGeometry.cpp)
target_include_directories(skinstdctrlgeometry PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/controls ${CMAKE_SOURCE_DIR}/classlib)
target_link_libraries(skinstdctrlgeometry PUBLIC skinfile)
suite_test(skinstdctrlgeometry_test controls/tests/ZUBSkinStdCtrlGeometryTest.cpp LIBS skinstdctrlgeometry classlib)
