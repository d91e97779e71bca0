cmake_minimum_required(VERSION 3.16)
# Fails unless every DLL that EXE imports is one that Windows always maps
# from System32 (a KnownDLL, or msvcrt, a KnownDLL's own import) or comctl32,
# which the manifest binds to the side-by-side store: any other is looked for
# beside the exe first. With LIST (the release build), also fails on any
# imported function that the list lacks, and on any listed one no longer
# imported.
execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE dump RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "objdump failed on ${EXE}")
endif()
set(allowed KERNEL32.DLL USER32.DLL GDI32.DLL ADVAPI32.DLL SHELL32.DLL COMCTL32.DLL
            COMDLG32.DLL OLE32.DLL MSVCRT.DLL)
# Only the import tables: "DLL Name: X", then one line per function.
string(REGEX REPLACE ".*The Import Tables[^\n]*\n" "" dump "${dump}")
string(REGEX REPLACE "\n[A-Z][^\n]*\n.*" "\n" dump "${dump}")
string(REGEX MATCHALL "[^\n]+" lines "${dump}")
set(dll "")
set(imports "")
foreach(line IN LISTS lines)
    if(line MATCHES "DLL Name: (.+)$")
        string(TOUPPER "${CMAKE_MATCH_1}" dll)
        if(NOT dll IN_LIST allowed)
            message(FATAL_ERROR "${EXE} imports ${dll}, which Windows may load from beside the exe")
        endif()
    elseif(dll AND line MATCHES "^\t[0-9a-f]+\t +[0-9]+ +([A-Za-z_][A-Za-z0-9_@]*)")
        list(APPEND imports "${dll} ${CMAKE_MATCH_1}")
    endif()
endforeach()
list(LENGTH imports count)
if(count EQUAL 0)
    message(FATAL_ERROR "no imports found in ${EXE}")
endif()
message(STATUS "${count} imported functions")
if(NOT LIST OR NOT CONFIG MATCHES "^(Release|MinSizeRel)$")
    return()
endif()
file(STRINGS ${LIST} rows REGEX "^[A-Z]")
list(TRANSFORM rows REPLACE "^([^ ]+) +([^ ]+).*" "\\1 \\2")
set(unlisted ${imports})
list(REMOVE_ITEM unlisted ${rows})
set(gone ${rows})
list(REMOVE_ITEM gone ${imports})
if(unlisted OR gone)
    message(FATAL_ERROR "${EXE} and ${LIST} differ (check a new function's minimum supported"
                        " client first); imported, not listed: ${unlisted}; listed, not imported: ${gone}")
endif()
