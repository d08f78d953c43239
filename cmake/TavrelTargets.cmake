# Helpers that keep every folder's CMakeLists.txt to a few lines.

function(tavrel_apply_options target)
    target_compile_options(${target} PRIVATE -Wall -Wextra)
    if(WIN32)
        target_compile_definitions(${target} PUBLIC _WIN32_WINNT=0x0601 WINVER=0x0601 NOMINMAX STRICT)
    endif()
    if(TAVREL_FUZZ)
        # Coverage for the fuzzer in everything it reaches; the fuzz programs add the fuzzer's main.
        target_compile_options(${target} PUBLIC -fsanitize=fuzzer-no-link,address,undefined
                                                -fno-sanitize-recover=all -fno-omit-frame-pointer)
        target_link_options(${target} PUBLIC -fsanitize=address,undefined)
    elseif(TAVREL_SANITIZE)
        target_compile_options(${target} PUBLIC -fsanitize=address,undefined -fno-omit-frame-pointer
                                                -fno-sanitize-recover=all)
        target_link_options(${target} PUBLIC -fsanitize=address,undefined)
    endif()
endfunction()

# Every library of the program has an include root of its own in the build tree, holding links to just
# the headers of its own sources. A file sees the headers of its library and of the libraries that
# library links, so including a header of a higher layer does not compile.
set(TAVREL_INCLUDE_ROOTS ${CMAKE_BINARY_DIR}/include)
file(REMOVE_RECURSE ${TAVREL_INCLUDE_ROOTS}) # links of headers that moved or went away

# Gives a library or executable its include root.
function(tavrel_include_root target)
    file(MAKE_DIRECTORY ${TAVREL_INCLUDE_ROOTS}/${target})
    target_include_directories(${target} PUBLIC ${TAVREL_INCLUDE_ROOTS}/${target})
endfunction()

# tavrel_library(<target> [LIBS <libraries it builds on>...]): a static library with its include root.
function(tavrel_library target)
    cmake_parse_arguments(L "" "" "LIBS" ${ARGN})
    add_library(${target} STATIC)
    tavrel_include_root(${target})
    target_link_libraries(${target} PUBLIC ${L_LIBS})
    tavrel_apply_options(${target})
endfunction()

# tavrel_sources(<target> <files>...): adds the current folder's .cpp files to the target and publishes
# their headers (X.h beside X.cpp, and every .h named) in its include root.
function(tavrel_sources target)
    foreach(file ${ARGN})
        set(path ${CMAKE_CURRENT_SOURCE_DIR}/${file})
        if(file MATCHES "[.]cpp$")
            target_sources(${target} PRIVATE ${path})
            string(REGEX REPLACE "[.]cpp$" ".h" path ${path})
            if(NOT EXISTS ${path})
                continue()
            endif()
        endif()
        file(RELATIVE_PATH header ${CMAKE_SOURCE_DIR} ${path})
        get_filename_component(folder ${TAVREL_INCLUDE_ROOTS}/${target}/${header} DIRECTORY)
        file(MAKE_DIRECTORY ${folder})
        file(CREATE_LINK ${path} ${TAVREL_INCLUDE_ROOTS}/${target}/${header} SYMBOLIC)
    endforeach()
endfunction()

# Portable sources (no <windows.h>): part of the core library on both targets.
function(tavrel_portable)
    tavrel_sources(tavrel_core ${ARGN})
endfunction()

# tavrel_windows(<library> <files>...): sources of one of the Windows libraries, built for Windows only.
function(tavrel_windows target)
    if(WIN32)
        tavrel_sources(${target} ${ARGN})
    endif()
endfunction()

# Makes an include of a Windows header an error in the target's own sources: stand-ins that stop the
# compile come before the system's headers.
function(tavrel_forbid_windows_headers target)
    set(folder ${CMAKE_BINARY_DIR}/portable-guard)
    foreach(header windows.h winsock2.h winsock.h ws2tcpip.h windef.h winbase.h winuser.h wingdi.h winreg.h
                   commctrl.h commdlg.h shellapi.h shlwapi.h objbase.h windowsx.h)
        file(CONFIGURE OUTPUT ${folder}/${header} CONTENT
             "#error \"portable code includes <${header}>; Windows code lives in a win/ folder\"\n")
    endforeach()
    target_include_directories(${target} BEFORE PRIVATE ${folder})
endfunction()

# Adds the program's resources (res/Tavrel.rc: manifest, version, dialogs, menus, strings, icons) to a
# Windows target. windres reports no dependencies, so the files it includes are named here; a change
# to any of them rebuilds the resources.
function(tavrel_add_resources target)
    file(GLOB resource_inputs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/*)
    set(rc ${CMAKE_SOURCE_DIR}/res/Tavrel.rc)
    target_sources(${target} PRIVATE ${rc})
    set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS "${resource_inputs}")
endfunction()

# A statically linked Windows executable that imports only system DLLs.
function(tavrel_static_exe target)
    tavrel_apply_options(${target})
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++ $<$<CONFIG:Release>:-s>)
endfunction()

# tavrel_test(<name> [WINDOWS] [TIMEOUT <s>] [LOCKS <resources...>] SOURCES <files...> [LIBS <libs...>])
# A GoogleTest program; WINDOWS ones are built for the Windows target only and run under Wine. Natively
# every case runs as its own process; under Wine the program runs once (tavrel_program_tests). LOCKS
# names what the program shares with other tests of the Windows run (see tavrel_program_tests).
function(tavrel_test name)
    cmake_parse_arguments(T "WINDOWS" "TIMEOUT" "SOURCES;LIBS;LOCKS" ${ARGN})
    if(T_WINDOWS AND NOT WIN32)
        return()
    endif()
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 60)
    endif()
    add_executable(${name} ${T_SOURCES})
    if(WIN32)
        # Every Windows test program carries the product's resources and manifest (common controls 6).
        tavrel_add_resources(${name})
    endif()
    target_link_libraries(${name} PRIVATE tavrel_testsupport GTest::gtest GTest::gtest_main ${T_LIBS})
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
    if(WIN32)
        set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/bin)
        tavrel_static_exe(${name})
        tavrel_program_tests(${name} TIMEOUT ${T_TIMEOUT} LOCKS ${T_LOCKS})
    else()
        tavrel_apply_options(${name})
        gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                             PROPERTIES TIMEOUT ${T_TIMEOUT})
    endif()
endfunction()

# tavrel_program_tests(<target> TIMEOUT <s> [LOCKS <resources...>])
# Runs a Windows test program as one Wine process while ctest still lists, runs and reports every case by
# its own name: cmake/TavrelProgramTests.cmake declares the run as a fixture and each case as a test that
# shows its result. The Windows run is parallel: each program has a Wine session (lane) to itself
# (scripts/wine-lane.sh), and names in LOCKS what lanes still share, the network: udp-2237 for the
# listener's default port, ntp-servers for ntp-servers.sh's port 123.
function(tavrel_program_tests target)
    cmake_parse_arguments(P "" "TIMEOUT" "LOCKS" ${ARGN})
    if(NOT Python3_EXECUTABLE)
        # Once (tests/CMakeLists.txt): finding python takes over half a second.
        find_package(Python3 REQUIRED COMPONENTS Interpreter)
    endif()
    set(include_file ${CMAKE_CURRENT_BINARY_DIR}/${target}_tests.cmake)
    # Every argument travels as a bracket argument, so paths and lists arrive as they are.
    file(GENERATE OUTPUT ${include_file} CONTENT "include([==[${CMAKE_SOURCE_DIR}/cmake/TavrelProgramTests.cmake]==])
tavrel_add_program_tests(NAME [==[${target}]==] PROGRAM [==[$<TARGET_FILE:${target}>]==]
    DIR [==[${CMAKE_CURRENT_BINARY_DIR}/${target}.run]==] TIMEOUT [==[${P_TIMEOUT}]==]
    WORKING_DIRECTORY [==[${CMAKE_CURRENT_BINARY_DIR}]==]
    COMMAND [==[${CMAKE_CROSSCOMPILING_EMULATOR}]==]
    RUNNER [==[${Python3_EXECUTABLE};${CMAKE_SOURCE_DIR}/tests/support/gtest_program.py]==]
    CMAKE [==[${CMAKE_COMMAND}]==] LOCKS [==[${P_LOCKS}]==])
")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${include_file})
endfunction()

# tavrel_fuzz_target(<name> SOURCES <files...> [LIBS <libs...>]): a libFuzzer program (TAVREL_FUZZ);
# its seed corpus is tests/fuzz/corpus/<name>.
function(tavrel_fuzz_target name)
    cmake_parse_arguments(F "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${F_SOURCES})
    target_link_libraries(${name} PRIVATE tavrel_core ${F_LIBS})
    tavrel_apply_options(${name})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
endfunction()

# tavrel_benchmark(<name> SOURCES <files...>): native Google Benchmark program, not run by ctest.
function(tavrel_benchmark name)
    cmake_parse_arguments(B "" "" "SOURCES;LIBS" ${ARGN})
    if(WIN32 OR NOT TAVREL_BENCHMARKS)
        return()
    endif()
    add_executable(${name} ${B_SOURCES})
    target_link_libraries(${name} PRIVATE tavrel_core benchmark::benchmark benchmark::benchmark_main ${B_LIBS})
    tavrel_apply_options(${name})
endfunction()
