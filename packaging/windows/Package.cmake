# Makes the Windows package from the build in BUILD_DIR: the folder PACKAGE
# (tomira.exe, its DLLs and plugins, stripped, and licenses/), PACKAGE.zip of
# it, and the installer PACKAGE.msi of VERSION from the template WXS and the
# folder's files. Included by the build's package.cmake, which sets BUILD_DIR,
# PACKAGE, VERSION, UPGRADE_CODE, WXS, ICO, WIXL, MSIBUILD, OSSLSIGNCODE,
# OPENSSL, JAPANESE_NAME, JAPANESE_COMMENT, RUNTIME_DLLS (the compiler's DLLs)
# and QT_BUILD_SCRIPT.
#
# Signing: when TOMIRA_SIGN_PFX names a PKCS#12 certificate (its password in
# TOMIRA_SIGN_PASSWORD), every .exe and .dll of the folder is signed before
# the zip and the MSI are made, and the MSI after; with a timestamp from the
# RFC 3161 server TOMIRA_SIGN_TIMESTAMP when that is set. A certificate that
# does not open fails the build before anything is signed, and any failure
# while signing removes the whole package: nothing is left half-signed.
file(REMOVE_RECURSE ${PACKAGE} ${PACKAGE}.zip ${PACKAGE}.msi)
set(pfx "$ENV{TOMIRA_SIGN_PFX}")
set(password_file ${PACKAGE}.password)
function(fail text)
  file(REMOVE_RECURSE ${PACKAGE} ${PACKAGE}.zip ${PACKAGE}.msi ${password_file})
  message(FATAL_ERROR " ${text}")  # the leading space keeps it on one line
endfunction()
if(pfx STREQUAL "")
  message(STATUS "Windows package not signed: TOMIRA_SIGN_PFX names no certificate")
else()
  if(NOT OSSLSIGNCODE OR NOT OPENSSL)
    fail("TOMIRA_SIGN_PFX ${pfx}: osslsigncode and openssl are needed to sign (scripts/deps.sh)")
  endif()
  # The password goes to the tools in a file only its owner reads, not on a command line.
  get_filename_component(parent ${PACKAGE} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  file(TOUCH ${password_file})
  file(CHMOD ${password_file} PERMISSIONS OWNER_READ OWNER_WRITE)
  file(APPEND ${password_file} "$ENV{TOMIRA_SIGN_PASSWORD}")
  execute_process(COMMAND ${OPENSSL} pkcs12 -in ${pfx} -passin file:${password_file} -noout
                  RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
  if(NOT rc EQUAL 0)
    fail("TOMIRA_SIGN_PFX ${pfx}: the certificate does not open (no such file, not PKCS#12, or a wrong TOMIRA_SIGN_PASSWORD)")
  endif()
endif()
function(sign)
  if(pfx STREQUAL "")
    return()
  endif()
  set(timestamp)
  if(NOT "$ENV{TOMIRA_SIGN_TIMESTAMP}" STREQUAL "")
    set(timestamp -ts "$ENV{TOMIRA_SIGN_TIMESTAMP}")
  endif()
  foreach(file IN LISTS ARGN)
    execute_process(COMMAND ${OSSLSIGNCODE} sign -pkcs12 ${pfx} -readpass ${password_file} -h sha256
                            -n TOMIRA ${timestamp} -in ${file} -out ${file}.signed
                    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT rc EQUAL 0)
      string(STRIP "${out}" out)
      string(REGEX REPLACE "\n.*" "" out "${out}")
      fail("TOMIRA_SIGN_PFX ${pfx}: signing ${file} failed: ${out}")
    endif()
    file(RENAME ${file}.signed ${file})
  endforeach()
endfunction()

# In the build folder: Deploy.cmake keeps its index of DLLs in the folder it runs in.
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PACKAGE} --strip
                WORKING_DIRECTORY ${BUILD_DIR} OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
# The licence notices, once everything is in the folder.
set(TOMIRA_DESTINATION ${PACKAGE})
set(TOMIRA_RUNTIME_DLLS ${RUNTIME_DLLS})
set(TOMIRA_QT_BUILD_SCRIPT ${QT_BUILD_SCRIPT})
include(${CMAKE_CURRENT_LIST_DIR}/Licenses.cmake)
file(GLOB_RECURSE programs ${PACKAGE}/*.exe ${PACKAGE}/*.dll)
sign(${programs})

# A release dates every file SOURCE_DATE_EPOCH, the commit's time: the zip
# and the MSI's cabinet then carry no time of the build.
if(NOT "$ENV{SOURCE_DATE_EPOCH}" STREQUAL "")
  execute_process(COMMAND find ${PACKAGE} -exec touch -h -d @$ENV{SOURCE_DATE_EPOCH} {} +
                  COMMAND_ERROR_IS_FATAL ANY)
endif()
# The same folder gives the same zip (zip.py): its files in sorted order,
# each dated SOURCE_DATE_EPOCH when that is set (the release), else now.
find_program(python3 python3 REQUIRED)
execute_process(COMMAND ${python3} ${CMAKE_CURRENT_LIST_DIR}/zip.py ${PACKAGE}.zip ${PACKAGE} $ENV{SOURCE_DATE_EPOCH}
                COMMAND_ERROR_IS_FATAL ANY)

# One component for each folder, holding its files. A per-user component
# has an HKCU value as its key path (a file in the profile cannot be one)
# and removes its folder on uninstall. Its GUID follows from the folder and
# the names of its files, so it stays the same while they do.
file(GLOB_RECURSE files RELATIVE ${PACKAGE} ${PACKAGE}/*)
list(SORT files)
set(folders .)
foreach(file IN LISTS files)
  get_filename_component(dir ${file} DIRECTORY)
  if(dir STREQUAL "")
    set(dir .)
  elseif(dir MATCHES "/")
    message(FATAL_ERROR "${file}: the package holds subfolders one level deep only")
  endif()
  list(APPEND folders ${dir})
  list(APPEND in_${dir} ${file})
endforeach()
list(REMOVE_DUPLICATES folders)
set(components "")
set(refs "")
set(n 0)
foreach(dir IN LISTS folders)
  string(MAKE_C_IDENTIFIER "${dir}" id)
  if(dir STREQUAL ".")
    set(id root)
  endif()
  list(JOIN in_${dir} "|" names)
  string(UUID guid NAMESPACE ${UPGRADE_CODE} NAME "${dir}:${names}" TYPE SHA1 UPPER)
  set(component "        <Component Id=\"c_${id}\" Guid=\"${guid}\" Win64=\"yes\">
          <RegistryValue Root=\"HKCU\" Key=\"Software\\TOMIRA\\Components\" Name=\"${dir}\" Type=\"integer\" Value=\"1\" KeyPath=\"yes\"/>
          <RemoveFolder Id=\"rf_${id}\" On=\"uninstall\"/>\n")
  foreach(file IN LISTS in_${dir})
    math(EXPR n "${n} + 1")
    string(APPEND component "          <File Id=\"f${n}\" Source=\"${file}\"/>\n")
  endforeach()
  string(APPEND component "        </Component>\n")
  if(dir STREQUAL ".")
    string(APPEND components "${component}")
  else()
    string(APPEND components "      <Directory Id=\"d_${id}\" Name=\"${dir}\">\n${component}      </Directory>\n")
  endif()
  string(APPEND refs "      <ComponentRef Id=\"c_${id}\"/>\n")
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
set(PROJECT_VERSION ${VERSION})
set(TOMIRA_UPGRADE_CODE ${UPGRADE_CODE})
configure_file(${WXS} ${PACKAGE}.wxs @ONLY)
execute_process(COMMAND ${WIXL} -a x64 -D Icon=${icon} -o ${PACKAGE}.msi ${PACKAGE}.wxs ${PACKAGE}.files.wxs
                WORKING_DIRECTORY ${PACKAGE} COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE ${PACKAGE}.wxs ${PACKAGE}.files.wxs)

# The Japanese texts, in the Japanese code page (see tomira.wxs.in); and
# the same version replaces an installed one (a rebuilt MSI has a new
# ProductCode): the major upgrade's row (its Attributes are part of its key,
# so it is written anew) takes its version too
# (msidbUpgradeAttributesVersionMaxInclusive, 512, besides MigrateFeatures, 1),
# as wixl 0.101 has no AllowSameVersionUpgrades.
file(WRITE ${PACKAGE}.codepage.idt "\r\n\r\n932\t_ForceCodepage\r\n")
execute_process(COMMAND ${MSIBUILD} ${PACKAGE}.msi -i ${PACKAGE}.codepage.idt
  -q "UPDATE Property SET Value='${JAPANESE_NAME}' WHERE Property='ProductName'"
  -q "UPDATE Shortcut SET Name='${JAPANESE_NAME}', Description='${JAPANESE_COMMENT}' WHERE Shortcut='TomiraShortcut'"
  -q "DELETE FROM Upgrade WHERE ActionProperty='WIX_UPGRADE_DETECTED'"
  -q "INSERT INTO Upgrade (UpgradeCode, VersionMax, Attributes, ActionProperty) VALUES ('{${UPGRADE_CODE}}', '${VERSION}', 513, 'WIX_UPGRADE_DETECTED')"
  -q "UPDATE LaunchCondition SET Description='新しいバージョンの TOMIRA がインストールされています。' WHERE Condition='NOT WIX_DOWNGRADE_DETECTED'"
  COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE ${PACKAGE}.codepage.idt)
sign(${PACKAGE}.msi)
file(REMOVE ${password_file})
