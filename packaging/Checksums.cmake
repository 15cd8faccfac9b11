# Run by cpack after each generator, on the packages it made (before they are copied out): SHA256SUMS
# beside the packages, in sha256sum's format, so that anyone can check a download against a build of
# their own. The zip comes first and starts the file; the MSI follows.
if(CPACK_GENERATOR STREQUAL ZIP)
    file(WRITE ${CPACK_PACKAGE_DIRECTORY}/SHA256SUMS "")
endif()
foreach(package IN LISTS CPACK_PACKAGE_FILES)
    if(package MATCHES "\\.(zip|msi)$")
        file(SHA256 ${package} hash)
        get_filename_component(name ${package} NAME)
        file(APPEND ${CPACK_PACKAGE_DIRECTORY}/SHA256SUMS "${hash}  ${name}\n")
    endif()
endforeach()
