# Fails when one of the programs given is linked against Qt Gui or Qt Widgets: the command-line
# program and the simulator must run where there is no display.
#   cmake "-DPROGRAMS=<program>;<program>" -P scripts/CheckNoWidgets.cmake
cmake_minimum_required(VERSION 3.25)

if(NOT PROGRAMS)
    message(FATAL_ERROR "CheckNoWidgets.cmake needs -DPROGRAMS=<program>;...")
endif()

set(failed 0)
foreach(program IN LISTS PROGRAMS)
    execute_process(COMMAND ldd "${program}" OUTPUT_VARIABLE libraries RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(SEND_ERROR "ldd could not read ${program}")
        set(failed 1)
        continue()
    endif()
    string(REGEX MATCHALL "libQt[0-9]*(Gui|Widgets)[^ ]*" widgets "${libraries}")
    if(widgets)
        list(REMOVE_DUPLICATES widgets)
        message(SEND_ERROR "${program} links ${widgets}")
        set(failed 1)
    endif()
endforeach()

if(failed)
    message(FATAL_ERROR "A program that must run without a display links Qt Gui or Widgets")
endif()
message(STATUS "No Qt Gui or Widgets in ${PROGRAMS}")
