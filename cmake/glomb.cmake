# Project-wide build settings and the helpers that test directories share.

set(GLOMB_WARNINGS -Wall -Wextra -Werror)

if(WIN32)
    # One self-contained exe: no libstdc++, libgcc or winpthread DLLs.
    add_link_options(-static -Wl,--dynamicbase,--nxcompat)
    add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX)

    # Every Windows program, the tests included, runs under Wine through
    # the project's runner with a prefix of this build tree's own. An i686
    # program runs only where the machine runs 32-bit x86 code: elsewhere
    # GLOMB_IF_RUNNABLE, put before each test's command, reports the test
    # as skipped (exit code GLOMB_SKIPPED) without starting anything.
    set(GLOMB_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
    set(GLOMB_SKIPPED 77)
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
        set(GLOMB_IF_RUNNABLE ${PROJECT_SOURCE_DIR}/tools/needs-i386.sh)
    else()
        set(GLOMB_IF_RUNNABLE "")
    endif()
    set(CMAKE_CROSSCOMPILING_EMULATOR
        ${GLOMB_IF_RUNNABLE} ${PROJECT_SOURCE_DIR}/tools/wine-run.sh ${GLOMB_WINEPREFIX})

    # The program's own code needs no C++ runtime: no exceptions, RTTI or
    # unwind tables, and a section per function so that the link drops
    # whatever is never called. Not one per variable: mingw then writes
    # every zero-filled array into the file instead of leaving it to .bss. -O2 rather than the release's
    # -O3, whose unrolling makes the code a quarter larger for no gain a
    # player could notice.
    set(GLOMB_PROGRAM_COMPILE_OPTIONS -O2 -fno-exceptions -fno-rtti
        -fno-asynchronous-unwind-tables -ffunction-sections)
endif()

set(GLOMB_SANITIZER_FLAGS -fsanitize=address,undefined -fno-omit-frame-pointer
    -fno-sanitize-recover=all)

# Adds a folder's sources to the program, built for size: the windows,
# dialogs and stores work at a person's pace, and -Os keeps the download
# within 64 KiB with the objects that screen readers read. The engine,
# whose end probe runs 150 searches after every move, keeps -O2.
function(glomb_add_program_sources)
    target_sources(glomb_app PRIVATE ${ARGN})
    if(WIN32)
        set_source_files_properties(${ARGN} TARGET_DIRECTORY glomb_app
            PROPERTIES COMPILE_OPTIONS -Os)
    endif()
endfunction()

# Applies the warnings (and, natively, the sanitizers) to a target.
function(glomb_target_defaults target)
    target_compile_options(${target} PRIVATE ${GLOMB_WARNINGS})
    if(GLOMB_SANITIZE AND NOT WIN32)
        target_compile_options(${target} PRIVATE ${GLOMB_SANITIZER_FLAGS})
        target_link_options(${target} PRIVATE ${GLOMB_SANITIZER_FLAGS})
    endif()
endfunction()

# GoogleTest: the system package natively, Debian's source tree when
# cross-compiling (there is no prebuilt mingw GoogleTest).
if(WIN32)
    if(NOT TARGET gtest)
        set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
        set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
        add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    endif()
else()
    find_package(GTest REQUIRED)
endif()

# A GoogleTest executable registered with CTest. Natively each test case
# becomes its own CTest entry; under Wine the whole executable is one
# entry, so a run starts one Wine process per executable, not per case.
# LOCKS names shared things (registry, display) that tests running in
# parallel must not use at the same time.
function(glomb_add_test target)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;LOCKS" ${ARGN})
    add_executable(${target} ${ARG_SOURCES})
    target_link_libraries(${target} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
    glomb_target_defaults(${target})
    if(WIN32)
        add_test(NAME ${target} COMMAND ${target})
        set_tests_properties(${target} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 300
            SKIP_RETURN_CODE ${GLOMB_SKIPPED})
        if(ARG_LOCKS)
            set_tests_properties(${target} PROPERTIES RESOURCE_LOCK "${ARG_LOCKS}")
        endif()
    else()
        include(GoogleTest)
        gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60)
    endif()
endfunction()
