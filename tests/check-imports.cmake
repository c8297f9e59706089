# Checks how velmarin.exe takes Windows' DLLs: it needs no DLL beside it,
# and takes none from beside it. The DLLs it imports as it starts are
# Windows' KnownDLLs, which Windows takes from System32 whatever the
# program's folder holds (a dropped -static shows here first, as
# libstdc++-6.dll or a Qt DLL; an import of another DLL of Windows' must
# be loaded when first used, app/CMakeLists.txt); and its load
# configuration asks Windows to resolve its imports in System32 alone
# (DependentLoadFlags 0x800).
cmake_minimum_required(VERSION 3.16)
execute_process(
    COMMAND ${OBJDUMP} -p ${EXE}
    OUTPUT_VARIABLE headers
    ERROR_VARIABLE errors
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "objdump failed: ${errors}")
endif()
string(REGEX MATCHALL "DLL Name: [^\r\n]+" imports "${headers}")
if(NOT imports)
    message(FATAL_ERROR "no imports found in ${EXE}")
endif()
string(REPLACE "," ";" known_dlls "${KNOWN_DLLS}")
foreach(line IN LISTS imports)
    string(REGEX REPLACE "^DLL Name: " "" dll "${line}")
    string(TOLOWER "${dll}" name)
    string(REGEX REPLACE "\\.dll$" "" name "${name}")
    if(NOT name IN_LIST known_dlls AND NOT name MATCHES "^api-ms-win-")
        message(FATAL_ERROR "velmarin.exe imports ${dll} as it starts, which is not among Windows' KnownDLLs")
    endif()
endforeach()

string(REGEX MATCH "ImageBase[ \t]+([0-9a-f]+)" _ "${headers}")
set(base ${CMAKE_MATCH_1})
string(REGEX MATCH "Entry a ([0-9a-f]+) [0-9a-f]+ Load Configuration Directory" _ "${headers}")
set(load_config ${CMAKE_MATCH_1})
if(NOT load_config MATCHES "[1-9a-f]")
    message(FATAL_ERROR "velmarin.exe has no load configuration")
endif()
math(EXPR flags "0x${base} + 0x${load_config} + 0x4e" OUTPUT_FORMAT HEXADECIMAL)
math(EXPR flags_end "${flags} + 2" OUTPUT_FORMAT HEXADECIMAL)
execute_process(
    COMMAND ${OBJDUMP} -s --start-address=${flags} --stop-address=${flags_end} ${EXE}
    OUTPUT_VARIABLE bytes
    RESULT_VARIABLE result)
# The two bytes of DependentLoadFlags, little-endian: 0x0800.
if(NOT result EQUAL 0 OR NOT bytes MATCHES "\n [0-9a-f]+ 0008 ")
    message(FATAL_ERROR "velmarin.exe's load configuration does not ask for System32 alone:\n${bytes}")
endif()
message(STATUS "velmarin.exe imports only KnownDLLs as it starts, and asks for System32 alone")
