# Exceptions, text and file routines (sysutils). The text routines build everywhere; the file routines
# need Win32.
add_library(sysutils STATIC ${CMAKE_CURRENT_LIST_DIR}/SysUtils.cpp
                            $<$<BOOL:${WIN32}>:${CMAKE_CURRENT_LIST_DIR}/SysUtilsWin.cpp>)
target_include_directories(sysutils PUBLIC ${CMAKE_CURRENT_LIST_DIR})

suite_test(SysUtils_test ${CMAKE_CURRENT_LIST_DIR}/tests/SysUtils_test.cpp LIBS sysutils)
if(WIN32)
  suite_test(SysUtilsWin_test ${CMAKE_CURRENT_LIST_DIR}/tests/SysUtilsWin_test.cpp LIBS sysutils)
endif()
