# Makes the Windows package from the build in BUILD_DIR: the folder PACKAGE
# (tomira.exe, its DLLs and plugins, stripped), PACKAGE.zip of it, and the
# installer PACKAGE.msi from WXS and the folder's files.
#   cmake -DBUILD_DIR=… -DPACKAGE=… -DWXS=… -DICO=… -DWIXL=… -DMSIBUILD=…
#         -DJAPANESE_NAME=… -DJAPANESE_COMMENT=… -P Package.cmake
file(REMOVE_RECURSE ${PACKAGE} ${PACKAGE}.zip ${PACKAGE}.msi)
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PACKAGE} --strip
                OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)

get_filename_component(parent ${PACKAGE} DIRECTORY)
get_filename_component(folder ${PACKAGE} NAME)
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${PACKAGE}.zip --format=zip ${folder}
                WORKING_DIRECTORY ${parent} COMMAND_ERROR_IS_FATAL ANY)

# One component for each file, in the folder (or the one subfolder) it lies in.
file(GLOB_RECURSE files RELATIVE ${PACKAGE} ${PACKAGE}/*)
list(SORT files)
set(components "")
set(refs "")
set(subfolders "")
set(n 0)
foreach(file IN LISTS files)
  math(EXPR n "${n} + 1")
  get_filename_component(dir ${file} DIRECTORY)
  set(component "      <Component Id=\"c${n}\" Guid=\"*\" Win64=\"yes\"><File Id=\"f${n}\" KeyPath=\"yes\" Source=\"${file}\"/></Component>\n")
  if(dir STREQUAL "")
    string(APPEND components "${component}")
  elseif(dir MATCHES "/")
    message(FATAL_ERROR "${file}: the package holds subfolders one level deep only")
  else()
    list(APPEND subfolders ${dir})
    string(APPEND in_${dir} "  ${component}")
  endif()
  string(APPEND refs "      <ComponentRef Id=\"c${n}\"/>\n")
endforeach()
list(REMOVE_DUPLICATES subfolders)
foreach(dir IN LISTS subfolders)
  string(APPEND components "      <Directory Id=\"d_${dir}\" Name=\"${dir}\">\n${in_${dir}}      </Directory>\n")
endforeach()
file(WRITE ${PACKAGE}.files.wxs "<?xml version=\"1.0\" encoding=\"utf-8\"?>
<Wix xmlns=\"http://schemas.microsoft.com/wix/2006/wi\">
  <Fragment>
    <DirectoryRef Id=\"INSTALLDIR\">
${components}    </DirectoryRef>
    <ComponentGroup Id=\"TomiraFiles\">
${refs}    </ComponentGroup>
  </Fragment>
</Wix>
")
# wixl takes source files only relative to the folder it runs in.
file(RELATIVE_PATH icon ${PACKAGE} ${ICO})
execute_process(COMMAND ${WIXL} -a x64 -D Icon=${icon} -o ${PACKAGE}.msi ${WXS} ${PACKAGE}.files.wxs
                WORKING_DIRECTORY ${PACKAGE} COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE ${PACKAGE}.files.wxs)

# The Japanese texts, in the Japanese code page (see tomira.wxs.in).
file(WRITE ${PACKAGE}.codepage.idt "\r\n\r\n932\t_ForceCodepage\r\n")
execute_process(COMMAND ${MSIBUILD} ${PACKAGE}.msi -i ${PACKAGE}.codepage.idt
  -q "UPDATE Property SET Value='${JAPANESE_NAME}' WHERE Property='ProductName'"
  -q "UPDATE Shortcut SET Name='${JAPANESE_NAME}', Description='${JAPANESE_COMMENT}' WHERE Shortcut='TomiraShortcut'"
  -q "UPDATE LaunchCondition SET Description='新しいバージョンの TOMIRA がインストールされています。' WHERE Condition='NOT WIX_DOWNGRADE_DETECTED'"
  COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE ${PACKAGE}.codepage.idt)
