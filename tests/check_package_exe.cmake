# The quellon.exe of the release packages, as unpacked by check_packages.sh:
# the stripped 32-bit release under 100 KB, whose version (resource and
# About box) is the one in the package's name.
# -DEXE=path -DVERSION=x.y.z -DOBJDUMP=path
if(NOT VERSION MATCHES "^([0-9]+)\\.([0-9]+)\\.([0-9]+)$")
    message(FATAL_ERROR "${VERSION} is no version")
endif()
set(version ${VERSION})
set(exe ${EXE})
set(zip "the release package")
# FILEVERSION as the fixed version record stores it: major, minor, patch, 0,
# as 16-bit little-endian words in the order minor, major, 0, patch.
set(fixed "bd04effe00000100")
foreach(word ${CMAKE_MATCH_2} ${CMAKE_MATCH_1} 0 ${CMAKE_MATCH_3})
    math(EXPR word "${word}" OUTPUT_FORMAT HEXADECIMAL)
    string(REGEX REPLACE "^0x" "000" word ${word})
    string(REGEX REPLACE "^.*(..)(..)$" "\\2\\1" word ${word})
    string(APPEND fixed ${word})
endforeach()
string(HEX "${version}" text)
string(REGEX REPLACE "(..)" "\\100" text ${text})    # the UTF-16 version strings
execute_process(COMMAND ${OBJDUMP} -f -h ${exe} OUTPUT_VARIABLE dump)
file(SIZE ${exe} size)
file(READ ${exe} hex HEX)
# The About box's first line, in UTF-16 as the box shows it.
string(HEX "Quellon ${version}\n" about)
string(REGEX REPLACE "(..)" "\\100" about ${about})
if(NOT dump MATCHES "file format pei-i386" OR dump MATCHES "\\.debug_")
    message(FATAL_ERROR "${zip}: quellon.exe is not a stripped 32-bit executable:\n${dump}")
elseif(size GREATER_EQUAL 102400)
    message(FATAL_ERROR "${zip}: quellon.exe is ${size} bytes, not under 100 KB")
elseif(NOT hex MATCHES "${fixed}" OR NOT hex MATCHES "${text}0000")
    message(FATAL_ERROR "${zip}: the version resource of quellon.exe is not ${version}")
elseif(NOT hex MATCHES "${about}")
    message(FATAL_ERROR "${zip}: the About box does not name Quellon ${version}")
endif()
message(STATUS "${zip}: quellon.exe ${version}, ${size} bytes")
