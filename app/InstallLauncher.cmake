# Run by `cmake --install`: writes the launcher for the program installed
# under the prefix in use now (also with --prefix or DESTDIR).
set(program "${CMAKE_INSTALL_PREFIX}/${KESTRANE_INSTALL_DIR}/kestrane")
set(KESTRANE_TRYEXEC "${program}")
# Exec quoting of the desktop entry format: a path with anything beyond
# plain characters goes in double quotes, with \ " ` $ escaped; the value's
# own escaping then doubles every backslash again. % is a field code.
if(program MATCHES "^[A-Za-z0-9/._+-]+$")
    set(KESTRANE_EXEC "${program}")
else()
    set(quoted "${program}")
    string(REPLACE "\\" "\\\\\\\\" quoted "${quoted}")
    string(REPLACE "\"" "\\\\\"" quoted "${quoted}")
    string(REPLACE "`" "\\\\`" quoted "${quoted}")
    string(REPLACE "$" "\\\\$" quoted "${quoted}")
    string(REPLACE "%" "%%" quoted "${quoted}")
    set(KESTRANE_EXEC "\"${quoted}\"")
endif()
set(target "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/applications/kestrane.desktop")
message(STATUS "Installing: ${target}")
configure_file("${KESTRANE_TEMPLATE}" "${target}" @ONLY)
