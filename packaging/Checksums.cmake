# Run by cpack after each generator: SHA256SUMS beside the packages, in the format of sha256sum, so that
# anyone can check a download against a build of their own.
set(sums "")
foreach(extension zip msi)
    set(file ${CPACK_PACKAGE_DIRECTORY}/${CPACK_PACKAGE_FILE_NAME}.${extension})
    if(EXISTS ${file})
        file(SHA256 ${file} hash)
        string(APPEND sums "${hash}  ${CPACK_PACKAGE_FILE_NAME}.${extension}\n")
    endif()
endforeach()
file(WRITE ${CPACK_PACKAGE_DIRECTORY}/SHA256SUMS "${sums}")
