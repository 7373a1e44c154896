# Run by CPack on the staged files before it makes the Debian package: the
# programs lose the sections that Debian's dh_strip takes out as well, the
# compiler's .comment (which names the compiler's build) and a bare .note.
file(GLOB programs ${CPACK_TEMPORARY_DIRECTORY}/usr/bin/*)
if(NOT programs)
  message(FATAL_ERROR "Strip.cmake: no program under ${CPACK_TEMPORARY_DIRECTORY}/usr/bin")
endif()
find_program(objcopy NAMES objcopy REQUIRED)
foreach(program IN LISTS programs)
  execute_process(COMMAND ${objcopy} --remove-section=.comment --remove-section=.note ${program}
                  COMMAND_ERROR_IS_FATAL ANY)
endforeach()
