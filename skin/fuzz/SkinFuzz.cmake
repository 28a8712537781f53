# libFuzzer over the skin file parser, the BMP decoder and the stretching geometry. The native
# build uses g++, so the fuzzer is built by clang++ directly, from the same sources.
find_program(SKIN_FUZZ_CLANGXX NAMES clang++ clang++-14)
set(SKIN_FUZZ_FLAGS -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined)
if(SKIN_FUZZ_CLANGXX)
  # A clang without the fuzzer runtime cannot link it: then there is no fuzz test.
  set(probe ${CMAKE_CURRENT_BINARY_DIR}/fuzz-probe.cpp)
  file(WRITE ${probe} "#include <cstdint>\n#include <cstddef>\nextern \"C\" int LLVMFuzzerTestOneInput(const uint8_t*, size_t) { return 0; }\n")
  execute_process(COMMAND ${SKIN_FUZZ_CLANGXX} ${SKIN_FUZZ_FLAGS} ${probe} -o ${CMAKE_CURRENT_BINARY_DIR}/fuzz-probe
                  RESULT_VARIABLE probe_result OUTPUT_QUIET ERROR_QUIET)
  if(NOT probe_result EQUAL 0)
    message(STATUS "skin fuzzer: ${SKIN_FUZZ_CLANGXX} cannot link -fsanitize=fuzzer; no fuzz test")
    set(SKIN_FUZZ_CLANGXX "")
  endif()
endif()

if(SKIN_FUZZ_CLANGXX)
  set(fuzzer ${CMAKE_CURRENT_BINARY_DIR}/skinfile_fuzzer)
  set(sources
    ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/ZUBSkinFileFuzz.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/ZUBSkinFile.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/ZUBSkinImage.cpp
    ${CMAKE_CURRENT_SOURCE_DIR}/ZUBSkinGeometry.cpp)
  file(GLOB headers ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_custom_command(OUTPUT ${fuzzer}
    COMMAND ${SKIN_FUZZ_CLANGXX} ${SKIN_FUZZ_FLAGS} -I${CMAKE_CURRENT_SOURCE_DIR} ${sources} -o ${fuzzer}
    DEPENDS ${sources} ${headers}
    COMMENT "Building the skin file fuzzer with clang")
  add_custom_target(skinfile_fuzzer_build ALL DEPENDS ${fuzzer})
  add_test(NAME skinfile_fuzz
           COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/run-fuzz.sh ${fuzzer} ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/corpus
                   ${CMAKE_CURRENT_SOURCE_DIR}/Fernwhistle.zub ${CMAKE_CURRENT_BINARY_DIR}/fuzz-work 60)
  set_tests_properties(skinfile_fuzz PROPERTIES TIMEOUT 300)
endif()
