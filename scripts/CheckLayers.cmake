# Fails when a library includes a header of a library it may not use (see ARCHITECTURE.md).
#   cmake -DROOT=<source folder> -P scripts/CheckLayers.cmake
# Each folder may include its own headers and those of the folders listed for it; a folder
# that is not listed is not checked (tests, benchmarks, fuzz harnesses).
cmake_minimum_required(VERSION 3.25)

set(uses_resources "")
set(uses_config resources)
set(uses_link resources config)
# The live display owns the running download, so it uses the logged data's core.
set(uses_display resources config link logged)
set(uses_logged resources config link)
set(uses_programming resources config link)
# Publishing reads the unit through the display's own decoders.
set(uses_mqtt resources config link display)
set(uses_shell resources config)
set(uses_link/ui resources config link shell)
set(uses_logged/ui resources config link logged shell)
set(uses_programming/ui resources config link programming shell)
# The charts of the data files and the live trend: the reader in logged, Qt Charts.
set(uses_charts resources config logged)
set(uses_display/ui resources config link display logged programming shell link/ui logged/ui
    programming/ui charts)
set(uses_app resources config display/ui shell)
set(uses_cli resources config link display logged programming mqtt)
# The simulator stands in for the unit: it shares the unit's constants, never the program.
set(uses_simulator resources link)

set(folders resources config link display logged programming mqtt shell link/ui logged/ui
    programming/ui charts display/ui app cli simulator)

if(NOT ROOT)
    message(FATAL_ERROR "CheckLayers.cmake needs -DROOT=<source folder>")
endif()

# The library folder a header path names: "display/ui/CMainDlg.h" is display/ui.
function(folder_of path result)
    string(REGEX MATCH "^[^/]+/ui/" ui_folder "${path}")
    if(ui_folder)
        string(REGEX REPLACE "/$" "" folder "${ui_folder}")
    else()
        string(REGEX MATCH "^[^/]+" folder "${path}")
    endif()
    set(${result} "${folder}" PARENT_SCOPE)
endfunction()

set(violations 0)
foreach(folder IN LISTS folders)
    file(GLOB sources "${ROOT}/${folder}/*.h" "${ROOT}/${folder}/*.cpp")
    foreach(source IN LISTS sources)
        file(STRINGS "${source}" includes REGEX "^#include \"[^\"]+/[^\"]+\"")
        foreach(line IN LISTS includes)
            string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" header "${line}")
            folder_of("${header}" used)
            if(used STREQUAL folder OR NOT used IN_LIST folders)
                continue()
            endif()
            if(NOT used IN_LIST uses_${folder})
                file(RELATIVE_PATH shown "${ROOT}" "${source}")
                message(SEND_ERROR "${shown}: ${folder} may not include ${header}")
                math(EXPR violations "${violations} + 1")
            endif()
        endforeach()
    endforeach()
endforeach()

if(violations GREATER 0)
    message(FATAL_ERROR "${violations} include(s) against the layering of ARCHITECTURE.md")
endif()
message(STATUS "Every library includes only the libraries below it.")
