# Read by ctest (through a test include file that tavrel_program_tests writes): declares one run of a
# GoogleTest program and one test per case that reports the case from that run's results. The case names
# are listed by the program itself, once per build of it, so ctest -R Suite.Case still picks one case
# (and the run it needs, as a fixture).
#
# tavrel_add_program_tests(NAME <program> PROGRAM <file> DIR <folder> TIMEOUT <s> WORKING_DIRECTORY <dir>
#                          COMMAND <emulator...> RUNNER <python gtest_program.py> CMAKE <cmake>
#                          [LOCKS <resources...>])
function(tavrel_add_program_tests)
    cmake_parse_arguments(P "" "NAME;PROGRAM;DIR;TIMEOUT;WORKING_DIRECTORY;CMAKE" "COMMAND;RUNNER;LOCKS"
                          ${ARGN})
    set(cases_file ${P_DIR}/cases.txt)
    if(NOT EXISTS ${P_PROGRAM})
        add_test(${P_NAME}_NOT_BUILT ${P_PROGRAM})
        return()
    endif()
    if(NOT EXISTS ${cases_file} OR ${P_PROGRAM} IS_NEWER_THAN ${cases_file})
        file(MAKE_DIRECTORY ${P_DIR})
        execute_process(COMMAND ${P_RUNNER} list ${cases_file} -- ${P_COMMAND} ${P_PROGRAM}
                        WORKING_DIRECTORY ${P_WORKING_DIRECTORY}
                        RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
        if(NOT status EQUAL 0)
            message(WARNING "${P_NAME}: listing its cases failed (${status}):\n${output}")
            add_test(${P_NAME}_NOT_LISTED ${P_RUNNER} list ${cases_file} -- ${P_COMMAND} ${P_PROGRAM})
            return()
        endif()
    endif()
    file(STRINGS ${cases_file} cases)
    list(LENGTH cases count)

    # The run's time-out: the program's own per-case allowance once, and some seconds for every case.
    math(EXPR timeout "${P_TIMEOUT} + 10 * ${count}")
    add_test(${P_NAME} ${P_RUNNER} run ${P_DIR} -- ${P_COMMAND} ${P_PROGRAM})
    set_tests_properties(${P_NAME} PROPERTIES FIXTURES_SETUP ${P_NAME} TIMEOUT ${timeout} LABELS ${P_NAME}
                         WORKING_DIRECTORY ${P_WORKING_DIRECTORY})
    if(P_LOCKS)
        set_tests_properties(${P_NAME} PROPERTIES RESOURCE_LOCK "${P_LOCKS}")
    endif()
    # A case shows what it printed and passes by its result line; printing a file is all it costs.
    foreach(case IN LISTS cases)
        string(REPLACE "/" "~" file ${case})
        add_test(${case} ${P_CMAKE} -E cat ${P_DIR}/cases/${file}.txt)
        set_tests_properties(${case} PROPERTIES FIXTURES_REQUIRED ${P_NAME} TIMEOUT 30 LABELS ${P_NAME}
                             PASS_REGULAR_EXPRESSION "== ${case} passed" SKIP_REGULAR_EXPRESSION "== ${case} skipped")
    endforeach()
endfunction()
