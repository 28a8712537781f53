# Threads, the hand-over to the main thread, the multi-reader lock and the timer component.
if(WIN32)
  target_sources(classlib PRIVATE ${CMAKE_CURRENT_LIST_DIR}/Thread.cpp ${CMAKE_CURRENT_LIST_DIR}/Timer.cpp)
  suite_test(Thread_test ${CMAKE_CURRENT_LIST_DIR}/tests/Thread_test.cpp LIBS classlib SERIAL)  # shows a message box
  suite_test(Timer_test ${CMAKE_CURRENT_LIST_DIR}/tests/Timer_test.cpp LIBS classlib)
  suite_test(SyncObjs_test ${CMAKE_CURRENT_LIST_DIR}/tests/SyncObjs_test.cpp LIBS classlib)
endif()
