# Run by `cmake --install` of the Windows build: copies beside tomira.exe the
# DLLs it and its Qt plugins load (Qt's and the C++ runtime's, found in
# TOMIRA_DLL_DIRS) and the plugins into platforms/ and styles/, as Qt looks
# for them. Windows' own DLLs stay out; any other DLL that is not found fails
# the install. With --strip everything copied is stripped too.
set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM windows+pe)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL objdump)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND ${TOMIRA_OBJDUMP})
# CMake looks Windows DLLs up by their lower-case names, which a Linux file
# system tells apart from Qt6Core.dll: it searches a folder of lower-case
# links to the DLLs instead, and each link leads back to the real file.
set(index ${CMAKE_CURRENT_BINARY_DIR}/tomira-dll-index)
file(REMOVE_RECURSE ${index})
file(MAKE_DIRECTORY ${index})
foreach(dir IN LISTS TOMIRA_DLL_DIRS)
  file(GLOB dlls ${dir}/*.dll)
  foreach(dll IN LISTS dlls)
    get_filename_component(name ${dll} NAME)
    string(TOLOWER ${name} name)
    if(NOT EXISTS ${index}/${name})
      file(CREATE_LINK ${dll} ${index}/${name} SYMBOLIC)
    endif()
  endforeach()
endforeach()
file(GET_RUNTIME_DEPENDENCIES
  EXECUTABLES ${TOMIRA_EXE}
  MODULES ${TOMIRA_PLATFORM_PLUGIN} ${TOMIRA_STYLE_PLUGIN}
  DIRECTORIES ${index}
  RESOLVED_DEPENDENCIES_VAR found
  UNRESOLVED_DEPENDENCIES_VAR system
  PRE_EXCLUDE_REGEXES "^api-ms-" "^ext-ms-")
foreach(dll IN LISTS system)
  if(dll MATCHES "^(qt6|lib)")
    message(FATAL_ERROR "tomira.exe needs ${dll}, which is in none of ${TOMIRA_DLL_DIRS}")
  endif()
endforeach()

set(copied)
foreach(link IN LISTS found)
  file(READ_SYMLINK ${link} file)
  file(INSTALL ${file} DESTINATION ${TOMIRA_DESTINATION})
  get_filename_component(name ${file} NAME)
  list(APPEND copied ${TOMIRA_DESTINATION}/${name})
endforeach()
file(INSTALL ${TOMIRA_PLATFORM_PLUGIN} DESTINATION ${TOMIRA_DESTINATION}/platforms)
file(INSTALL ${TOMIRA_STYLE_PLUGIN} DESTINATION ${TOMIRA_DESTINATION}/styles)
get_filename_component(platform ${TOMIRA_PLATFORM_PLUGIN} NAME)
get_filename_component(style ${TOMIRA_STYLE_PLUGIN} NAME)
list(APPEND copied ${TOMIRA_DESTINATION}/platforms/${platform} ${TOMIRA_DESTINATION}/styles/${style})
if(CMAKE_INSTALL_DO_STRIP)
  foreach(file IN LISTS copied)
    execute_process(COMMAND ${TOMIRA_STRIP} --strip-unneeded ${file} COMMAND_ERROR_IS_FATAL ANY)
  endforeach()
endif()
