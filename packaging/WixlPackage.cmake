# Run by cpack's External generator: builds the MSI from the staged files with wixl (msitools).
find_program(WIXL wixl REQUIRED)
set(msi ${CPACK_TOPLEVEL_DIRECTORY}/${CPACK_PACKAGE_FILE_NAME}.msi)
execute_process(
    COMMAND ${WIXL} -a ${CPACK_DOZEWELL_ARCH} -D Arch=${CPACK_DOZEWELL_ARCH} -D Version=${CPACK_PACKAGE_VERSION}
            -o ${msi} ${CPACK_DOZEWELL_WXS}
    WORKING_DIRECTORY ${CPACK_TEMPORARY_DIRECTORY}
    RESULT_VARIABLE result)
if(result)
    message(FATAL_ERROR "wixl failed (${result})")
endif()
set(CPACK_EXTERNAL_BUILT_PACKAGES ${msi})
