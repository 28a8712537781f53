# Controls, forms and form descriptions.
if(WIN32)
  target_sources(classlib PRIVATE Controls.cpp Forms.cpp FormReader.cpp)
  target_link_libraries(classlib PUBLIC user32 gdi32 comctl32)
  suite_test(FormReader_test tests/FormReader_test.cpp tests/FormReader_test.rc LIBS classlib)
  target_include_directories(FormReader_test PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/tests)
  suite_test(Forms_test tests/Forms_test.cpp LIBS classlib SERIAL)
endif()
