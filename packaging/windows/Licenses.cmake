# Run by Package.cmake once the folder is installed: writes the notices of
# what the folder bundles into licenses/ beside tomira.exe, taken from this
# machine's Debian packages of exactly what was built:
#   - the copyright files of Qt (qt6-base, Debian's source of the Qt DLLs),
#     of the GCC runtime (libstdc++, libgcc) and of MinGW-w64 (winpthreads),
#     found with `dpkg -S` from the DLLs the build copies, and of the package
#     each Qt translation (*.qm) in the folder comes from, as Debian ships it;
#   - the full GPL and LGPL texts they refer to, from /usr/share/common-licenses;
#   - the GCC Runtime Library Exception and winpthreads' licence, cut out of
#     those copyright files;
#   - README.txt: Qt's version, its Debian source package and where that is,
#     the options Qt was configured with (read from scripts/build-qt-mingw.sh)
#     and how to replace the Qt DLLs.
# Variables: TOMIRA_DESTINATION, TOMIRA_RUNTIME_DLLS (the compiler's DLLs),
# TOMIRA_QT_BUILD_SCRIPT.
set(out ${TOMIRA_DESTINATION}/licenses)
file(REMOVE_RECURSE ${out})
file(MAKE_DIRECTORY ${out})

function(query output)
  execute_process(COMMAND ${ARGN} OUTPUT_VARIABLE text RESULT_VARIABLE rc OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT rc EQUAL 0 OR text STREQUAL "")
    list(JOIN ARGN " " command)
    message(FATAL_ERROR "licences: `${command}` gave nothing; the Debian packages of the build are needed")
  endif()
  set(${output} "${text}" PARENT_SCOPE)
endfunction()

# Which package holds each runtime DLL (following the links to the real file).
set(packages)
foreach(dll IN LISTS TOMIRA_RUNTIME_DLLS)
  file(REAL_PATH ${dll} real)
  query(owner dpkg -S ${real})
  string(REGEX REPLACE ":.*" "" owner "${owner}")
  list(APPEND packages ${owner})
endforeach()
# Qt's translations are copied as Debian ships them: the package whose file
# of that name is the same.
file(GLOB_RECURSE translations ${TOMIRA_DESTINATION}/*.qm)
foreach(file IN LISTS translations)
  get_filename_component(name ${file} NAME)
  execute_process(COMMAND dpkg -S "*/${name}" OUTPUT_VARIABLE owners OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  string(REPLACE "\n" ";" owners "${owners}")
  set(owner "")
  foreach(line IN LISTS owners)
    string(REGEX MATCH "^([^:]+)(:[^:]+)?: (.*)$" line "${line}")
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${CMAKE_MATCH_3} ${file} RESULT_VARIABLE differs)
    if(differs EQUAL 0)
      set(owner ${CMAKE_MATCH_1})
    endif()
  endforeach()
  if(owner STREQUAL "")
    message(FATAL_ERROR "licences: ${file} is no file of a Debian package here")
  endif()
  list(APPEND packages ${owner})
endforeach()
list(REMOVE_DUPLICATES packages)
query(qt_source dpkg-query -W "-f=\${Source} \${Version}" libqt6core6)
string(REGEX REPLACE " .*" "" qt_source_name "${qt_source}")
string(REGEX REPLACE ".* " "" qt_version "${qt_source}")
string(REGEX REPLACE "[+~-].*" "" qt_upstream "${qt_version}")

set(copyrights)
set(listed "")
foreach(package IN ITEMS libqt6core6 ${packages})
  query(version dpkg-query -W "-f=\${source:Package} \${Version}" ${package})
  string(REGEX REPLACE " .*" "" source "${version}")
  string(REGEX REPLACE ".* " "" version "${version}")
  set(copyright /usr/share/doc/${package}/copyright)
  if(NOT EXISTS ${copyright})
    message(FATAL_ERROR "licences: ${copyright} is missing")
  endif()
  configure_file(${copyright} ${out}/${source}.copyright.txt COPYONLY)
  list(APPEND copyrights ${copyright})
  string(APPEND listed "  ${source}.copyright.txt: ${package} ${version} (Debian source package ${source})\n")
endforeach()

# The full texts the copyright files name.
set(texts "")
foreach(copyright IN LISTS copyrights)
  file(STRINGS ${copyright} refs REGEX "/usr/share/common-licenses/L?GPL-[23]")
  foreach(line IN LISTS refs)
    string(REGEX MATCHALL "L?GPL-[23]" names "${line}")
    list(APPEND texts ${names})
  endforeach()
endforeach()
list(REMOVE_DUPLICATES texts)
list(SORT texts)
foreach(name IN LISTS texts)
  configure_file(/usr/share/common-licenses/${name} ${out}/${name}.txt COPYONLY)
endforeach()

# Cuts the lines from the one matching `first` to the one matching `last`.
function(cut file first last output)
  file(STRINGS ${file} lines)
  set(text "")
  set(inside FALSE)
  foreach(line IN LISTS lines)
    if(line MATCHES "${first}")
      set(inside TRUE)
    endif()
    if(inside)
      string(APPEND text "${line}\n")
      if(line MATCHES "${last}")
        break()
      endif()
    endif()
  endforeach()
  if(NOT inside)
    message(FATAL_ERROR "licences: ${file} no longer holds '${first}'")
  endif()
  set(${output} "${text}" PARENT_SCOPE)
endfunction()
foreach(copyright IN LISTS copyrights)
  file(READ ${copyright} text)
  if(text MATCHES "GCC RUNTIME LIBRARY EXCEPTION")
    cut(${copyright} "^GCC RUNTIME LIBRARY EXCEPTION" "requirements of the license of GCC" exception)
    file(WRITE ${out}/GCC-RUNTIME-LIBRARY-EXCEPTION.txt "${exception}")
  endif()
  if(text MATCHES "winpthreads/")
    # Each stanza about winpthreads' files, then the text of the licence the first names.
    cut(${copyright} "^Files: mingw-w64-libraries/winpthreads/\\*" "^License: " stanza)
    string(REGEX MATCH "License: [^\n]*" licence "${stanza}")
    cut(${copyright} "^Files: mingw-w64-libraries/winpthreads/include/pthread.h" "POSSIBILITY OF SUCH DAMAGE" lockless)
    cut(${copyright} "^${licence}$" "^ SOFTWARE.$" body)
    file(WRITE ${out}/winpthreads.txt "${stanza}\n${lockless}\n${body}")
  endif()
endforeach()
if(NOT EXISTS ${out}/GCC-RUNTIME-LIBRARY-EXCEPTION.txt OR NOT EXISTS ${out}/winpthreads.txt)
  message(FATAL_ERROR "licences: no GCC Runtime Library Exception or winpthreads licence in ${packages}")
endif()

# Qt's configure options, as the build script holds them.
file(STRINGS ${TOMIRA_QT_BUILD_SCRIPT} script)
set(options "")
set(inside FALSE)
foreach(line IN LISTS script)
  if(line STREQUAL "options=(")
    set(inside TRUE)
  elseif(inside AND line STREQUAL ")")
    break()
  elseif(inside)
    string(STRIP "${line}" line)
    string(APPEND options "  ${line}\n")
  endif()
endforeach()
if(options STREQUAL "")
  message(FATAL_ERROR "licences: no options=( … ) in ${TOMIRA_QT_BUILD_SCRIPT}")
endif()

list(JOIN texts ", " text_list)
file(WRITE ${out}/README.txt "TOMIRA for Windows: the libraries it bundles and their licences

The Qt DLLs beside tomira.exe (Qt6Core.dll, Qt6Gui.dll, Qt6Widgets.dll and the
plugins in platforms/ and styles/) are Qt ${qt_upstream}, under the GNU LGPL
version 3 (or the GPL version 2), built for 64-bit Windows with MinGW-w64 from
Debian's source package ${qt_source_name} ${qt_version}, with Debian's patches
and no others.
That source is in Debian's archive (https://deb.debian.org/debian, and for
every version at https://snapshot.debian.org/package/${qt_source_name}/${qt_version}/);
on Debian: apt-get source ${qt_source_name}=${qt_version}
Qt was configured with these CMake options:
${options}
The Qt libraries are separate DLLs that tomira.exe loads at start-up. To use
another build of Qt ${qt_upstream} (or a later Qt 6 built with the same compiler), replace Qt6Core.dll,
Qt6Gui.dll, Qt6Widgets.dll, platforms\\qwindows.dll and styles\\qwindowsvistastyle.dll
in this folder with your own.

libstdc++-6.dll, libgcc_s_seh-1.dll and libssp-0.dll are GCC's runtime, under the GNU GPL
version 3 with the GCC Runtime Library Exception; libwinpthread-1.dll is
MinGW-w64's winpthreads, under its own licence (winpthreads.txt).

The files here, taken from Debian's packages of the versions built:
${listed}  ${text_list}: the full texts of the licences these files refer to
  GCC-RUNTIME-LIBRARY-EXCEPTION.txt, winpthreads.txt: cut from the files above
")
