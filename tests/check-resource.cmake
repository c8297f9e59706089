# Compiles the Windows resource script with MinGW's windres and checks that
# the version record carries the program's version as a Windows reads it,
# and that the manifest asks for per-monitor DPI.
execute_process(
    COMMAND ${WINDRES} --preprocessor=cpp ${RC} -O rc
    OUTPUT_VARIABLE decompiled
    ERROR_VARIABLE errors
    RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "windres failed: ${errors}")
endif()
foreach(expected
        "\n1 VERSIONINFO"
        "FILEVERSION 1, 2, 0, 1"
        "PRODUCTVERSION 1, 2, 0, 1"
        "VALUE \"FileVersion\", \"1.02.0001\""
        "VALUE \"ProductVersion\", \"1.02.0001\""
        "RT_GROUP_ICON"
        "\n1 24 /* RT_MANIFEST */"
        "PerMonitorV2")
    string(FIND "${decompiled}" "${expected}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the resources lack '${expected}':\n${decompiled}")
    endif()
endforeach()
