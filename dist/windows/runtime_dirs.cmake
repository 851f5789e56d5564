# PROFILARA_WINDOWS_DLL_DIRS: the folders that hold the DLLs a Windows build
# of the program loads: Qt's bin/ and, for MinGW, the folders of its runtime
# DLLs, as the compiler names them.
set(PROFILARA_WINDOWS_DLL_DIRS "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS}")
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
        execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                        OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
        # A MinGW on Windows (MSYS2, for one) keeps them beside the compiler.
        if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
            get_filename_component(compiler_dir "${CMAKE_CXX_COMPILER}" DIRECTORY)
            set(path "${compiler_dir}/${dll}")
        endif()
        if(NOT EXISTS "${path}")
            message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not know where ${dll} is")
        endif()
        get_filename_component(dir "${path}" DIRECTORY)
        get_filename_component(dir "${dir}" REALPATH)
        list(APPEND PROFILARA_WINDOWS_DLL_DIRS "${dir}")
    endforeach()
    list(REMOVE_DUPLICATES PROFILARA_WINDOWS_DLL_DIRS)
endif()
