# Run by cpack before each generator, on the staged files: when scripts/release.sh signs, the programs
# are signed here, before they go into the zip and the MSI, while the build's own stay as built.
if(DEFINED ENV{DOZEWELL_SIGN_PKCS12})
    file(GLOB_RECURSE programs ${CPACK_TEMPORARY_DIRECTORY}/*.exe ${CPACK_TEMPORARY_DIRECTORY}/*.scr)
    execute_process(COMMAND ${CPACK_DOZEWELL_SIGN} ${programs} COMMAND_ERROR_IS_FATAL ANY)
endif()
