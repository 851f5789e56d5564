# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (the POSIX thread
# model, which Qt needs); used when Qt for MinGW is built from source.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
# The MinGW root: the folder whose lib/ holds the compiler's Windows import
# libraries, as the compiler names it.
execute_process(COMMAND ${CMAKE_C_COMPILER} -print-file-name=libkernel32.a
                OUTPUT_VARIABLE kernel32 OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(kernel32 "${kernel32}" REALPATH)
get_filename_component(mingw_lib "${kernel32}" DIRECTORY)
get_filename_component(mingw_root "${mingw_lib}" DIRECTORY)
set(CMAKE_FIND_ROOT_PATH "${mingw_root}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)  # so that a Qt for MinGW outside the root is found
