# The posix thread model: GoogleTest needs std::mutex, which the win32 model lacks in this GCC.
set(CMAKE_C_COMPILER ${MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLE}-g++-posix)
# Resource scripts are compiled by llvm-rc (cmake/Resources.cmake); windres makes its .res an object.
set(CMAKE_RC_COMPILER ${MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# ctest runs the .exe files through Wine; the environment (prefix, display) comes from the caller.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
