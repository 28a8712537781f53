# String lists, streams and the registry reader. The file stream and the registry need Win32.
target_sources(classlib PRIVATE ${CMAKE_CURRENT_LIST_DIR}/StringList.cpp ${CMAKE_CURRENT_LIST_DIR}/Streams.cpp)
suite_test(StringList_test ${CMAKE_CURRENT_LIST_DIR}/tests/StringList_test.cpp LIBS classlib)
suite_test(Streams_test ${CMAKE_CURRENT_LIST_DIR}/tests/Streams_test.cpp LIBS classlib)
if(WIN32)
  target_sources(classlib PRIVATE ${CMAKE_CURRENT_LIST_DIR}/StreamsWin.cpp ${CMAKE_CURRENT_LIST_DIR}/Registry.cpp)
  suite_test(StreamsWin_test ${CMAKE_CURRENT_LIST_DIR}/tests/StreamsWin_test.cpp LIBS classlib)
  suite_test(Registry_test ${CMAKE_CURRENT_LIST_DIR}/tests/Registry_test.cpp LIBS classlib)
endif()
