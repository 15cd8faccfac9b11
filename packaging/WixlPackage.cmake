# Run by cpack's External generator: builds the MSI from the staged files with wixl (msitools). The same
# files and the same SOURCE_DATE_EPOCH give the same bytes: wixl stamps the wall clock and a random
# package code into the summary, so the clock is stopped at the epoch and the code set afterwards.
find_program(WIXL wixl REQUIRED)
find_program(MSIBUILD msibuild REQUIRED)
find_program(FAKETIME faketime REQUIRED)
set(msi ${CPACK_TOPLEVEL_DIRECTORY}/${CPACK_PACKAGE_FILE_NAME}.msi)
# Windows Installer compares only the first three fields of a version, and the fourth is the one that
# moves from release to release: it is folded into the third (1.0.0.1 is 1.0.1, 1.0.1.0 is 1.0.1000).
string(REPLACE "." ";" fields ${CPACK_PACKAGE_VERSION})
list(GET fields 0 1 2 3 fields)
list(GET fields 2 patch)
list(GET fields 3 tweak)
math(EXPR build "${patch} * 1000 + ${tweak}")
list(GET fields 0 1 version)
list(JOIN version . version)
set(version ${version}.${build})
set(epoch $ENV{SOURCE_DATE_EPOCH})
if(NOT epoch)
    message(FATAL_ERROR "SOURCE_DATE_EPOCH is not set")
endif()
# The cabinet keeps each file's time.
file(GLOB_RECURSE staged ${CPACK_TEMPORARY_DIRECTORY}/*)
execute_process(COMMAND touch -h -d @${epoch} ${staged} COMMAND_ERROR_IS_FATAL ANY)
# One product per architecture and version; one package per product and commit.
set(namespace 9D1E5A3C-7B20-4C8E-A6F1-3E0B52C4D718)
string(UUID product NAMESPACE ${namespace} NAME "${CPACK_DOZEWELL_ARCH} ${version}" TYPE SHA1 UPPER)
string(UUID package NAMESPACE ${namespace} NAME "${CPACK_DOZEWELL_ARCH} ${version} ${epoch}" TYPE SHA1
       UPPER)
string(TIMESTAMP clock "%Y-%m-%d %H:%M:%S" UTC)  # the epoch, as CMake honours SOURCE_DATE_EPOCH
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env TZ=UTC ${FAKETIME} -f ${clock}
            ${WIXL} -a ${CPACK_DOZEWELL_ARCH} -D Arch=${CPACK_DOZEWELL_ARCH} -D Version=${version}
            -D ProductCode=${product} -D X64Package=${CPACK_DOZEWELL_X64_PACKAGE}
            -D "Description=${CPACK_DOZEWELL_DESCRIPTION}" -o ${msi} ${CPACK_DOZEWELL_WXS}
    WORKING_DIRECTORY ${CPACK_TEMPORARY_DIRECTORY}
    COMMAND_ERROR_IS_FATAL ANY)
if(CPACK_DOZEWELL_ARCH STREQUAL x64)
    set(template "x64;1033")
else()
    set(template "Intel;1033")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC ${FAKETIME} -f ${clock}
                        ${MSIBUILD} ${msi} -s "${CPACK_DOZEWELL_DESCRIPTION}" ${CPACK_PACKAGE_VENDOR} "${template}" {${package}}
                COMMAND_ERROR_IS_FATAL ANY)
set(CPACK_EXTERNAL_BUILT_PACKAGES ${msi})
