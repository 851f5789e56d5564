# Run by `cmake --install`: writes the desktop entry with the installed
# program's absolute path and installs it (DESTDIR is honoured by
# file(INSTALL), and it is not part of the path the menu starts).
# Set by the caller: PROFILARA_APP_ID, PROFILARA_DESKTOP_TEMPLATE, PROFILARA_DESKTOP_OUTPUT,
# PROFILARA_BINDIR, PROFILARA_DATADIR.

# The absolute path of an install directory. A relative prefix given to
# `cmake --install --prefix` counts from the current folder, as it does for
# the program itself.
function(profilara_install_path dir out)
    if(NOT IS_ABSOLUTE "${dir}")
        set(dir "${CMAKE_INSTALL_PREFIX}/${dir}")
    endif()
    get_filename_component(dir "${dir}" ABSOLUTE)
    set(${out} "${dir}" PARENT_SCOPE)
endfunction()

profilara_install_path("${PROFILARA_BINDIR}" bindir)
profilara_install_path("${PROFILARA_DATADIR}" datadir)
set(program "${bindir}/profilara")
if(program MATCHES "[\t\n\r]")
    message(FATAL_ERROR "A desktop entry cannot start a program whose path holds a tab or a line break: ${program}")
endif()

# Exec field: the path is one argument. It is quoted when it holds a
# character the field reserves, escaping " ` $ and \ inside the quotes;
# then the string-value rule doubles every backslash, and % is written %%.
set(exec "${program}")
if(exec MATCHES "[ \"'\\\\><~|&;$*?#()`]")
    string(REPLACE "\\" "\\\\" exec "${exec}")
    string(REPLACE "\"" "\\\"" exec "${exec}")
    string(REPLACE "`" "\\`" exec "${exec}")
    string(REPLACE "$" "\\$" exec "${exec}")
    set(exec "\"${exec}\"")
endif()
string(REPLACE "\\" "\\\\" exec "${exec}")
string(REPLACE "%" "%%" exec "${exec}")

set(PROFILARA_EXEC "${exec}")
configure_file("${PROFILARA_DESKTOP_TEMPLATE}" "${PROFILARA_DESKTOP_OUTPUT}" @ONLY)
file(INSTALL "${PROFILARA_DESKTOP_OUTPUT}"
     DESTINATION "${datadir}/applications")
