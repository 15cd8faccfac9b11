# Builds that anyone can repeat bit for bit (reproducible-builds.org): every time stamp that the
# programs and packages carry is SOURCE_DATE_EPOCH, given by the caller or else the last commit's time.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(DOZEWELL_SOURCE_DATE_EPOCH $ENV{SOURCE_DATE_EPOCH})
else()
    find_package(Git QUIET)
    if(GIT_FOUND)
        execute_process(COMMAND ${GIT_EXECUTABLE} log -1 --format=%ct WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
                        OUTPUT_VARIABLE DOZEWELL_SOURCE_DATE_EPOCH OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
        # A new commit or checkout moves the reflog; configure again to take its time.
        execute_process(COMMAND ${GIT_EXECUTABLE} rev-parse --path-format=absolute --git-path logs/HEAD
                        WORKING_DIRECTORY ${CMAKE_SOURCE_DIR} OUTPUT_VARIABLE reflog OUTPUT_STRIP_TRAILING_WHITESPACE
                        ERROR_QUIET)
        if(EXISTS "${reflog}")
            set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${reflog})
        endif()
    endif()
    if(NOT DOZEWELL_SOURCE_DATE_EPOCH)
        message(STATUS "Neither SOURCE_DATE_EPOCH nor a git history: the builds carry today's time")
        string(TIMESTAMP DOZEWELL_SOURCE_DATE_EPOCH "%s" UTC)
    endif()
endif()

if(NOT MSVC)
    # GNU ld stamps the PE header with SOURCE_DATE_EPOCH from its environment.
    set(CMAKE_C_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${DOZEWELL_SOURCE_DATE_EPOCH})
    set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_C_LINKER_LAUNCHER})
endif()
