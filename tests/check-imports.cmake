# Checks that velmarin.exe needs no DLL beside it: every DLL it imports is
# one that Windows 10 and 11 carry. A dropped -static shows here first, as
# libstdc++-6.dll or a Qt DLL.
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
set(windows
    advapi32 authz comdlg32 d3d9 d3d11 d3d12 dwmapi dwrite dxgi gdi32 imm32
    kernel32 msvcrt netapi32 ole32 oleaut32 setupapi shcore shell32 shlwapi
    user32 userenv uxtheme version winmm ws2_32 wtsapi32)
foreach(line IN LISTS imports)
    string(REGEX REPLACE "^DLL Name: " "" dll "${line}")
    string(TOLOWER "${dll}" name)
    string(REGEX REPLACE "\\.dll$" "" name "${name}")
    if(NOT name IN_LIST windows AND NOT name MATCHES "^api-ms-win-")
        message(FATAL_ERROR "velmarin.exe imports ${dll}, which Windows does not carry")
    endif()
endforeach()
