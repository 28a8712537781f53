# The programs' main forms carry the project's skin as the engine's SkinData: the build writes
# the skin file's bytes, in hexadecimal, into the form description's empty "SkinData = {}".
#
#   zub_skinned_form(<target> <rc> <form>): the filled-in form is skinned-forms/<form> under the
#   current binary folder, which goes on the target's include path; <rc> names it so.
if(CMAKE_SCRIPT_MODE_FILE)
  file(READ ${SKIN} hex HEX)
  string(REGEX REPLACE "(................................................................)" "\\1\n      " hex "${hex}")
  file(READ ${IN} form)
  string(FIND "${form}" "SkinData = {}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${IN}: no empty SkinData to fill")
  endif()
  string(REPLACE "SkinData = {}" "SkinData = {\n      ${hex}}" form "${form}")
  file(WRITE ${OUT}.tmp "${form}")
  file(RENAME ${OUT}.tmp ${OUT})
  return()
endif()

set(ZUB_SKIN_FILE ${CMAKE_CURRENT_LIST_DIR}/Fernwhistle.zub CACHE INTERNAL "")
set(ZUB_SKINNED_FORM_SCRIPT ${CMAKE_CURRENT_LIST_FILE} CACHE INTERNAL "")

function(zub_skinned_form target rc form)
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/skinned-forms)
  set(out ${dir}/${form})
  add_custom_command(OUTPUT ${out}
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
                     COMMAND ${CMAKE_COMMAND} -DIN=${CMAKE_CURRENT_SOURCE_DIR}/${form} -DSKIN=${ZUB_SKIN_FILE}
                             -DOUT=${out} -P ${ZUB_SKINNED_FORM_SCRIPT}
                     DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${form} ${ZUB_SKIN_FILE} ${ZUB_SKINNED_FORM_SCRIPT}
                     VERBATIM)
  target_sources(${target} PRIVATE ${out})
  set_source_files_properties(${out} PROPERTIES HEADER_FILE_ONLY TRUE)
  set_property(SOURCE ${rc} APPEND PROPERTY OBJECT_DEPENDS ${out})
  target_include_directories(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR})
endfunction()
