# The small DLLs the PE reader tests read: one per architecture, with code in
# them so that the resources do not sit in the first section, and versions
# whose fields are 32768 or more. They are made by the MinGW-w64 tools, so the
# reader is tested on what a real linker writes. (A machine profile's driver
# file needs no build step: the profile loader makes it from
# system32/NAME.version, see src/profile/driver_file.h.)
#
# Target: pe_test_files, in the build tree.

set(TSLN_PROFILES_DIR ${PROJECT_SOURCE_DIR}/profiles)

find_program(TSLN_WINDRES_I686 NAMES i686-w64-mingw32-windres)
find_program(TSLN_CC_I686 NAMES i686-w64-mingw32-gcc-win32 i686-w64-mingw32-gcc)
find_program(TSLN_WINDRES_X86_64 NAMES x86_64-w64-mingw32-windres)
find_program(TSLN_CC_X86_64 NAMES x86_64-w64-mingw32-gcc-win32 x86_64-w64-mingw32-gcc)

set(TSLN_DRIVER_TOOLS_FOUND ON)
foreach(tool TSLN_WINDRES_I686 TSLN_CC_I686 TSLN_WINDRES_X86_64 TSLN_CC_X86_64)
    if(NOT ${tool})
        set(TSLN_DRIVER_TOOLS_FOUND OFF)
    endif()
endforeach()
if(NOT TSLN_DRIVER_TOOLS_FOUND)
    if(WIN32)
        # A Windows build can do without: it runs no unit tests.
        message(STATUS "MinGW-w64 i686/x86_64 windres or gcc missing: the PE reader's test files are not built")
    else()
        message(FATAL_ERROR "The PE reader's test files need the MinGW-w64 resource compiler and C compiler for "
                            "i686 and x86_64 (i686-w64-mingw32-windres, i686-w64-mingw32-gcc, "
                            "x86_64-w64-mingw32-windres, x86_64-w64-mingw32-gcc): run scripts/setup.sh")
    endif()
endif()

set(TSLN_PE_TEST_DIR ${CMAKE_BINARY_DIR}/pe_test_files)

# Writes a resource script with a version resource. FILETYPE 3 and
# FILESUBTYPE 4 are VFT_DRV / VFT2_DRV_DISPLAY, FILEOS 0x40004 VOS_NT_WINDOWS32.
function(tsln_write_version_rc rcFile fileName description fields)
    list(JOIN fields "," commaVersion)
    list(JOIN fields "." dotVersion)
    file(CONFIGURE OUTPUT ${rcFile} @ONLY CONTENT [=[
1 VERSIONINFO
FILEVERSION @commaVersion@
PRODUCTVERSION @commaVersion@
FILEFLAGSMASK 0x3F
FILEFLAGS 0x0
FILEOS 0x40004
FILETYPE 0x3
FILESUBTYPE 0x4
BEGIN
    BLOCK "StringFileInfo"
    BEGIN
        BLOCK "040904B0"
        BEGIN
            VALUE "CompanyName", "Tessaline project"
            VALUE "FileDescription", "@description@"
            VALUE "FileVersion", "@dotVersion@"
            VALUE "InternalName", "@fileName@"
            VALUE "OriginalFilename", "@fileName@"
            VALUE "ProductName", "Tessaline machine profile"
            VALUE "ProductVersion", "@dotVersion@"
        END
    END
    BLOCK "VarFileInfo"
    BEGIN
        VALUE "Translation", 0x409, 1200
    END
END
]=])
endfunction()

# Compiles rcFile (and the C sources after it, if any) into the DLL out for
# arch (i686 or x86_64). No C runtime and no entry point: the DLL is only ever
# read, never run. No time stamp either, so every build makes the same bytes.
function(tsln_add_version_dll out arch rcFile)
    if(arch STREQUAL "i686")
        set(windres ${TSLN_WINDRES_I686})
        set(cc ${TSLN_CC_I686})
    else()
        set(windres ${TSLN_WINDRES_X86_64})
        set(cc ${TSLN_CC_X86_64})
    endif()
    set(resObject ${rcFile}.${arch}.o)
    add_custom_command(OUTPUT ${resObject}
        COMMAND ${windres} -O coff -i ${rcFile} -o ${resObject}
        DEPENDS ${rcFile}
        VERBATIM)
    add_custom_command(OUTPUT ${out}
        COMMAND ${cc} -shared -nostdlib -s -O1 -Wl,--entry=0 -Wl,--no-insert-timestamp
                -o ${out} ${ARGN} ${resObject}
        DEPENDS ${resObject} ${ARGN}
        VERBATIM)
endfunction()

set(TSLN_PE_TEST_DLLS)
if(TSLN_DRIVER_TOOLS_FOUND)
    # The PE reader's test files.
    set(testCode ${TSLN_PE_TEST_DIR}/code.c)
    file(CONFIGURE OUTPUT ${testCode} CONTENT [=[
__declspec(dllexport) int TslnTestValue(int x) { return x * 3 + 1; }
__declspec(dllexport) const char* TslnTestText(void) { return "tessaline"; }
]=])
    tsln_write_version_rc(${TSLN_PE_TEST_DIR}/i686.rc test_i686.dll "PE reader test file" "40000;65535;1;4041")
    tsln_write_version_rc(${TSLN_PE_TEST_DIR}/x86_64.rc test_x86_64.dll "PE reader test file" "32768;0;65535;61234")
    set(TSLN_PE_TEST_DLL_I686 ${TSLN_PE_TEST_DIR}/test_i686.dll)
    set(TSLN_PE_TEST_DLL_X86_64 ${TSLN_PE_TEST_DIR}/test_x86_64.dll)
    tsln_add_version_dll(${TSLN_PE_TEST_DLL_I686} i686 ${TSLN_PE_TEST_DIR}/i686.rc ${testCode})
    tsln_add_version_dll(${TSLN_PE_TEST_DLL_X86_64} x86_64 ${TSLN_PE_TEST_DIR}/x86_64.rc ${testCode})
    set(TSLN_PE_TEST_DLLS ${TSLN_PE_TEST_DLL_I686} ${TSLN_PE_TEST_DLL_X86_64})
endif()

add_custom_target(pe_test_files DEPENDS ${TSLN_PE_TEST_DLLS})
