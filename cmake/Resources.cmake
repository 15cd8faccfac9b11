# dozewell_add_resources(<target> <script.rc>... [INCLUDE_DIRS <dir>...] [DEPENDS <file>...])
#
# Compiles resource scripts, written in the documented grammar of Microsoft's resource compiler, into
# <target>. INCLUDE_DIRS are searched for the script's #includes and for the files it names (icons,
# manifests); DEPENDS are further files whose change recompiles it. It may be called from any
# directory, not only the target's own.
#
# MSVC: the scripts are sources of the target, compiled by rc.exe.
# MinGW: llvm-rc compiles each script to a .res, as rc.exe would, and the toolchain's windres turns
# that .res into an object for MinGW's linker (-J res -O coff). llvm-rc preprocesses with clang, here
# against the C compiler's (MinGW's) headers. The scripts are UTF-8: rc.exe learns that from a
# script's #pragma code_page(65001), which llvm-rc ignores, so llvm-rc is told with -C 65001.
# llvm-rc also reads an argument led by '/' as an option (/D, /C, /U...), so a script under /data or
# /usr would be taken for one: '--' ends the options before the script's path.
if(NOT MSVC)
    find_program(DOZEWELL_LLVM_RC llvm-rc REQUIRED)
endif()

function(dozewell_add_resources target)
    cmake_parse_arguments(PARSE_ARGV 1 RC "" "" "INCLUDE_DIRS;DEPENDS")
    set(scripts)
    foreach(script IN LISTS RC_UNPARSED_ARGUMENTS)
        cmake_path(ABSOLUTE_PATH script)
        list(APPEND scripts ${script})
    endforeach()

    if(MSVC)
        target_sources(${target} PRIVATE ${scripts})
        target_include_directories(${target} PRIVATE ${RC_INCLUDE_DIRS})
        set_source_files_properties(${scripts} TARGET_DIRECTORY ${target} PROPERTIES OBJECT_DEPENDS "${RC_DEPENDS}")
        return()
    endif()

    set(includes)
    foreach(dir IN LISTS RC_INCLUDE_DIRS CMAKE_C_IMPLICIT_INCLUDE_DIRECTORIES)
        list(APPEND includes -I ${dir})
    endforeach()
    set(objects)
    foreach(script IN LISTS scripts)
        cmake_path(GET script STEM name)
        set(res ${CMAKE_CURRENT_BINARY_DIR}/${target}-${name}.res)
        add_custom_command(OUTPUT ${res}.obj
            COMMAND ${DOZEWELL_LLVM_RC} -C 65001 ${includes} -FO ${res} -- ${script}
            COMMAND ${CMAKE_RC_COMPILER} -J res -O coff -i ${res} -o ${res}.obj
            DEPENDS ${script} ${RC_DEPENDS}
            IMPLICIT_DEPENDS C ${script}
            COMMENT "Compiling ${name}.rc for ${target} with llvm-rc"
            VERBATIM)
        list(APPEND objects ${res}.obj)
    endforeach()
    # The objects are made by a target of this directory, which the target waits for, so that the
    # target may live in another directory. Its include directories are where the Makefile
    # generators look for the scripts' #includes (IMPLICIT_DEPENDS).
    add_custom_target(${target}_resources DEPENDS ${objects})
    set_property(TARGET ${target}_resources PROPERTY INCLUDE_DIRECTORIES ${RC_INCLUDE_DIRS})
    add_dependencies(${target} ${target}_resources)
    target_sources(${target} PRIVATE ${objects})
endfunction()
