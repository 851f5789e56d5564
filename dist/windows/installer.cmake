# Run by CPack's External generator on the staged install tree: makes the
# installer Profilara-<version>-setup.exe with makensis from profilara.nsi.
# The files it installs and the uninstaller deletes are listed from that
# tree, in an include of NSIS macros:
#   PROGRAM_SIZE_KIB        their size in KiB, for the list of apps;
#   INSTALL_PROGRAM_FILES   copies each into $INSTDIR, folder by folder;
#   DELETE_PROGRAM_FILES    deletes exactly those files, then their
#                           subfolders when they are empty;
#   FIND_PROGRAM_FILE       sets $3 to the first of them already in $INSTDIR.

set(tree "${CPACK_TEMPORARY_DIRECTORY}")
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${tree}" "${tree}/*")
list(SORT files)
if(NOT files)
    message(FATAL_ERROR "nothing staged in ${tree}")
endif()

# The folders below $INSTDIR that hold files; the top folder is not one
# of them, since a CMake list cannot be trusted with an empty item.
set(bytes 0)
set(subdirs "")
foreach(file IN LISTS files)
    file(SIZE "${tree}/${file}" size)
    math(EXPR bytes "${bytes} + ${size}")
    get_filename_component(dir "${file}" DIRECTORY)
    if(NOT dir STREQUAL "")
        list(APPEND subdirs "${dir}")
    endif()
endforeach()
list(REMOVE_DUPLICATES subdirs)
list(SORT subdirs)

# A relative path with Windows' backslashes, after $INSTDIR.
function(windows_path out path)
    string(REPLACE "/" "\\" path "${path}")
    if(path STREQUAL "")
        set(${out} "$INSTDIR" PARENT_SCOPE)
    else()
        set(${out} "$INSTDIR\\${path}" PARENT_SCOPE)
    endif()
endfunction()

math(EXPR kib "(${bytes} + 1023) / 1024")
set(nsh "!define PROGRAM_SIZE_KIB ${kib}\n!macro INSTALL_PROGRAM_FILES\n")
foreach(dir IN ITEMS "" LISTS subdirs)
    windows_path(target "${dir}")
    string(APPEND nsh "    SetOutPath \"${target}\"\n")
    foreach(file IN LISTS files)
        get_filename_component(in "${file}" DIRECTORY)
        if(in STREQUAL dir)
            string(APPEND nsh "    File \"${tree}/${file}\"\n")
        endif()
    endforeach()
endforeach()
string(APPEND nsh "!macroend\n!macro DELETE_PROGRAM_FILES\n")
foreach(file IN LISTS files)
    windows_path(target "${file}")
    string(APPEND nsh "    Delete \"${target}\"\n")
endforeach()
set(reversed_dirs ${subdirs})
list(REVERSE reversed_dirs)
foreach(dir IN LISTS reversed_dirs)
    windows_path(target "${dir}")
    string(APPEND nsh "    RMDir \"${target}\"\n")
endforeach()
string(APPEND nsh "!macroend\n!macro FIND_PROGRAM_FILE\n    StrCpy $3 \"\"\n")
set(reversed ${files})
list(REVERSE reversed)
foreach(file IN LISTS reversed)
    windows_path(target "${file}")
    string(REPLACE "/" "\\" name "${file}")
    string(APPEND nsh "    IfFileExists \"${target}\" 0 +2\n        StrCpy $3 \"${name}\"\n")
endforeach()
string(APPEND nsh "!macroend\n")

set(list_file "${CPACK_TOPLEVEL_DIRECTORY}/program_files.nsh")
file(WRITE "${list_file}" "${nsh}")
set(setup "${CPACK_PACKAGE_DIRECTORY}/Profilara-${CPACK_PACKAGE_VERSION}-setup.exe")
execute_process(
    COMMAND "${CPACK_PROFILARA_MAKENSIS}" -V2 -WX "-DVERSION=${CPACK_PACKAGE_VERSION}" "-DFILES=${list_file}"
            "-DOUTFILE=${setup}" "${CPACK_PROFILARA_NSIS_SCRIPT}"
    COMMAND_ERROR_IS_FATAL ANY)
set(CPACK_EXTERNAL_BUILT_PACKAGES "${setup}")
