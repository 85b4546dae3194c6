# Compiles the help project into a .chm and checks the result. Run with
# cmake -P and these variables:
#   CHMCMD, CHMLS   the compiler and the lister of the Free Pascal utilities
#   SOURCE_DIR      the folder of the project file and the pages
#   WORK_DIR        a scratch folder; emptied first
#   PROJECT_FILE    the .hhp file, in SOURCE_DIR
#   CHM_NAME        the file name the project compiles to
#   FILES           the project's [FILES], comma-separated, in order
#   OUTPUT          where the checked .chm goes
#
# Fails when the project's [FILES] differ from FILES, when chmcmd reports a
# warning or an error (a missing page, an undefined anchor), or when a page,
# the stylesheet, the contents or the index does not come back out of the
# compiled file byte for byte.
cmake_minimum_required(VERSION 3.20)

foreach(var CHMCMD CHMLS SOURCE_DIR WORK_DIR PROJECT_FILE CHM_NAME FILES OUTPUT)
    if(NOT DEFINED ${var} OR "${${var}}" STREQUAL "")
        message(FATAL_ERROR "compile-chm: ${var} is not set")
    endif()
endforeach()
string(REPLACE "," ";" files "${FILES}")

# The project file: its [FILES] must be exactly FILES, and its [OPTIONS]
# name the contents and the index.
file(STRINGS "${SOURCE_DIR}/${PROJECT_FILE}" project_lines)
set(section "")
set(project_files)
set(default_topic "")
foreach(line IN LISTS project_lines)
    string(STRIP "${line}" line)
    if(line MATCHES "^\\[(.*)\\]$")
        set(section "${CMAKE_MATCH_1}")
    elseif(line STREQUAL "" OR line MATCHES "^;")
    elseif(section STREQUAL "FILES")
        list(APPEND project_files "${line}")
    elseif(section STREQUAL "OPTIONS" AND line MATCHES "^Contents file=(.+)$")
        set(contents_file "${CMAKE_MATCH_1}")
    elseif(section STREQUAL "OPTIONS" AND line MATCHES "^Index file=(.+)$")
        set(index_file "${CMAKE_MATCH_1}")
    elseif(section STREQUAL "OPTIONS" AND line MATCHES "^Default topic=(.+)$")
        set(default_topic "${CMAKE_MATCH_1}")
    elseif(section STREQUAL "OPTIONS" AND line MATCHES "^Compiled file=(.+)$")
        set(compiled_file "${CMAKE_MATCH_1}")
    endif()
endforeach()
if(NOT project_files STREQUAL files)
    message(FATAL_ERROR "compile-chm: [FILES] of ${PROJECT_FILE} (${project_files}) differ from the build's list (${files})")
endif()
if(NOT compiled_file STREQUAL CHM_NAME)
    message(FATAL_ERROR "compile-chm: ${PROJECT_FILE} compiles to \"${compiled_file}\", not ${CHM_NAME}")
endif()
if(NOT default_topic IN_LIST files)
    message(FATAL_ERROR "compile-chm: the default topic \"${default_topic}\" is not one of the files")
endif()
set(archived ${files} ${contents_file} ${index_file})

# chmcmd checks the links of the pages, not those of the contents and the
# index: each must name a page of the project and, after "#", an anchor of it.
foreach(sitemap IN ITEMS "${contents_file}" "${index_file}")
    file(READ "${SOURCE_DIR}/${sitemap}" text)
    string(REGEX MATCHALL "name=\"Local\" value=\"[^\"]*\"" locals "${text}")
    foreach(local IN LISTS locals)
        string(REGEX REPLACE "^name=\"Local\" value=\"([^\"#]*)#?([^\"]*)\"$" "\\1;\\2" target "${local}")
        list(GET target 0 page)
        list(GET target 1 anchor)
        if(NOT page IN_LIST files)
            message(FATAL_ERROR "compile-chm: ${sitemap} links to ${page}, which is not in the project")
        endif()
        if(NOT anchor STREQUAL "")
            file(READ "${SOURCE_DIR}/${page}" page_text)
            string(FIND "${page_text}" "<a name=\"${anchor}\">" at)
            if(at EQUAL -1)
                message(FATAL_ERROR "compile-chm: ${sitemap} links to ${page}#${anchor}, which has no such anchor")
            endif()
        endif()
    endforeach()
endforeach()

# Compile a copy, so that nothing is written into the source folder.
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}/extracted")
foreach(file IN LISTS archived PROJECT_FILE)
    if(NOT EXISTS "${SOURCE_DIR}/${file}")
        message(FATAL_ERROR "compile-chm: ${SOURCE_DIR}/${file} is missing")
    endif()
    file(COPY "${SOURCE_DIR}/${file}" DESTINATION "${WORK_DIR}")
endforeach()

execute_process(
    COMMAND "${CHMCMD}" "${PROJECT_FILE}"
    WORKING_DIRECTORY "${WORK_DIR}"
    RESULT_VARIABLE status
    OUTPUT_VARIABLE log
    ERROR_VARIABLE log
)
string(REGEX MATCHALL "(Error|Warning)[^\n]*" problems "${log}")
if(NOT status EQUAL 0 OR problems OR NOT EXISTS "${WORK_DIR}/${CHM_NAME}")
    string(REPLACE ";" "\n" problems "${problems}")
    message(FATAL_ERROR "compile-chm: chmcmd failed (status ${status}):\n${problems}\n\n${log}")
endif()

# Read it back: every file listed, and each one unchanged.
execute_process(
    COMMAND "${CHMLS}" --no-page --name-only list "${CHM_NAME}"
    WORKING_DIRECTORY "${WORK_DIR}"
    RESULT_VARIABLE status
    OUTPUT_VARIABLE listing
    ERROR_QUIET
)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "compile-chm: chmls cannot list ${CHM_NAME}")
endif()
execute_process(
    COMMAND "${CHMLS}" extractall "${CHM_NAME}" extracted
    WORKING_DIRECTORY "${WORK_DIR}"
    RESULT_VARIABLE status
    OUTPUT_QUIET
    ERROR_QUIET
)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "compile-chm: chmls cannot extract ${CHM_NAME}")
endif()
foreach(file IN LISTS archived)
    string(FIND "${listing}" "/${file}\n" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "compile-chm: ${file} is not in ${CHM_NAME}:\n${listing}")
    endif()
    execute_process(
        COMMAND "${CMAKE_COMMAND}" -E compare_files "${SOURCE_DIR}/${file}" "${WORK_DIR}/extracted/${file}"
        RESULT_VARIABLE differs
    )
    if(differs)
        message(FATAL_ERROR "compile-chm: ${file} does not come back out of ${CHM_NAME} unchanged")
    endif()
endforeach()

# The viewer opens the default topic; chmcmd records it in #SYSTEM.
execute_process(
    COMMAND "${CHMLS}" printsystem "${CHM_NAME}"
    WORKING_DIRECTORY "${WORK_DIR}"
    OUTPUT_VARIABLE system_info
    ERROR_QUIET
)
string(FIND "${system_info}" "Default topic from [options]  :${default_topic}" at)
if(at EQUAL -1)
    message(FATAL_ERROR "compile-chm: ${CHM_NAME} does not open at ${default_topic}:\n${system_info}")
endif()

execute_process(
    COMMAND "${CMAKE_COMMAND}" -E copy "${WORK_DIR}/${CHM_NAME}" "${OUTPUT}"
    RESULT_VARIABLE status
)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "compile-chm: cannot write ${OUTPUT}")
endif()
