# The program, its in-process tests under Wine and the end-to-end driver.
add_googletest()

set(SYSTEM_LIBS comctl32 shell32 user32 gdi32 kernel32)
# Static C++ and GCC runtimes (and the threads runtime, for the tests): the
# exes import only system DLLs.
set(STATIC_RUNTIME -static -static-libgcc -static-libstdc++)

# Nothing of the program throws, and each of its function-local statics is
# first reached on one thread alone. Without the runtime's exception and
# static-guard support, whose locks come from the posix threads library, the
# exe imports nothing Windows XP lacks (that library wants GetTickCount64).
set(PROGRAM_ONLY_FLAGS -fno-exceptions -fno-threadsafe-statics)

# The program's code. The release links it as it is; the Wine tiers link a
# copy that counts what they run (scripts/coverage.py), unoptimised, so that
# the counts fall on the lines as written.
function(add_program_code name)
    add_library(${name} STATIC
        ${SCHEDULE_SOURCES}
        src/app/main_dialog.cpp
        src/app/skin.cpp
        src/sound/alarm_sound.cpp
        src/sound/sound_file.cpp
        src/sound/system_library.cpp
        src/text/gbk_text.cpp
        src/ui/alarm.cpp
        src/ui/add_task_dialog.cpp
        src/ui/countdown.cpp
        src/ui/interval.cpp
        src/ui/listed_tasks.cpp
        src/ui/panels.cpp
        src/ui/task_details_dialog.cpp
        src/ui/task_list.cpp
        src/ui/tray.cpp)
    target_include_directories(${name} PUBLIC src)
    target_compile_definitions(${name} PUBLIC WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0501)
    target_compile_options(${name} PUBLIC $<$<COMPILE_LANGUAGE:CXX>:${ZELBRIN_CXX_FLAGS}>)
    target_compile_options(${name} PRIVATE ${PROGRAM_ONLY_FLAGS} ${ARGN})
    target_link_libraries(${name} PUBLIC ${SYSTEM_LIBS})
endfunction()
add_program_code(zelbrin_core)
add_program_code(zelbrin_core_counted --coverage -O0)
target_link_options(zelbrin_core_counted INTERFACE --coverage)

set(RESOURCE_SCRIPT src/res/zelbrin.rc)
set_source_files_properties(${RESOURCE_SCRIPT} PROPERTIES
    OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/src/res/resource.h;${CMAKE_SOURCE_DIR}/src/res/zelbrin.ico;${CMAKE_SOURCE_DIR}/src/res/zelbrin.manifest")

# The clocks and the multimedia system as Windows gives them: the tests link
# their own in their place.
add_executable(zelbrin WIN32
    src/app/main.cpp
    src/app/local_time.cpp
    src/app/mci.cpp
    ${RESOURCE_SCRIPT})
target_include_directories(zelbrin PRIVATE src/res)
target_compile_options(zelbrin PRIVATE "$<$<COMPILE_LANGUAGE:CXX>:${PROGRAM_ONLY_FLAGS}>")
target_link_libraries(zelbrin PRIVATE zelbrin_core)
target_link_options(zelbrin PRIVATE ${STATIC_RUNTIME} -s)
set_target_properties(zelbrin PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
if(CMAKE_SYSTEM_PROCESSOR STREQUAL i686)
    add_subdirectory(packaging)
endif()

# Tier 1 again, compiled by MinGW: the wsprintfA path must agree with the
# native one.
add_executable(schedule_tests ${SCHEDULE_TEST_SOURCES})
target_include_directories(schedule_tests PRIVATE tests)
target_link_libraries(schedule_tests PRIVATE zelbrin_core GTest::gtest_main)
target_link_options(schedule_tests PRIVATE ${STATIC_RUNTIME})
add_test(NAME win32.schedule_tests COMMAND schedule_tests)

# Tier 2: the Win32 code in-process, with the real dialog templates and a
# clock the tests set.
add_executable(ui_tests
    tests/ui/ui_test.cpp
    ${RESOURCE_SCRIPT})
target_include_directories(ui_tests PRIVATE tests src/res)
target_link_libraries(ui_tests PRIVATE zelbrin_core_counted GTest::gtest_main)
target_link_options(ui_tests PRIVATE ${STATIC_RUNTIME})
add_test(NAME win32.ui_tests COMMAND ui_tests)
# The same, on an English Windows: its ANSI code page is 1252, not 936.
add_test(NAME win32.ui_tests.cp1252 COMMAND ui_tests)
set_tests_properties(win32.ui_tests.cp1252 PROPERTIES ENVIRONMENT ZELBRIN_CODE_PAGE=1252)

# Tier 3: the real program driven from a second process.
add_library(e2e_support INTERFACE)
target_include_directories(e2e_support INTERFACE tests src)
target_compile_definitions(e2e_support INTERFACE WIN32_LEAN_AND_MEAN)
target_compile_options(e2e_support INTERFACE ${ZELBRIN_CXX_FLAGS})
target_link_libraries(e2e_support INTERFACE user32 shell32 gdi32)
add_executable(e2e_driver tests/e2e/e2e_test.cpp)
target_link_libraries(e2e_driver PRIVATE e2e_support GTest::gtest_main)
target_link_options(e2e_driver PRIVATE ${STATIC_RUNTIME})
# It runs with a sound server of its own, whose output it records, on an
# English Windows: code page 936 is the in-process tier's.
add_test(NAME e2e.program
    COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/run.sh ${CMAKE_SOURCE_DIR}/scripts/wine-run.sh
            $<TARGET_FILE:e2e_driver> $<TARGET_FILE:zelbrin> ${CMAKE_BINARY_DIR}/e2e)
# Windows shown at once on one desktop take the focus from each other and
# close each other's menus, so the tests that show them take turns.
# In the users' time zone, UTC+8 (scripts/test.sh starts Wine's server in it).
set_tests_properties(e2e.program PROPERTIES ENVIRONMENT "ZELBRIN_CODE_PAGE=1252;TZ=Asia/Shanghai")
set(DESKTOP_TESTS win32.ui_tests win32.ui_tests.cp1252 e2e.program)
set_tests_properties(${DESKTOP_TESTS} PROPERTIES RESOURCE_LOCK desktop TIMEOUT 360)
foreach(test ${DESKTOP_TESTS})
    # A run that tests nothing must not pass.
    set_tests_properties(${test} PROPERTIES PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] [1-9]"
        FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]")
endforeach()
set_tests_properties(win32.schedule_tests PROPERTIES TIMEOUT 120)

# What tiers 1 and 2 ran of src/, read once they have run; it fails on a
# function that none of them enters and that tier 3 is not known to reach.
add_test(NAME coverage.src
    COMMAND python3 ${CMAKE_SOURCE_DIR}/scripts/coverage.py ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32-gcov-posix
            ${CMAKE_BINARY_DIR})
set_tests_properties(coverage.src PROPERTIES
    DEPENDS "native.schedule_tests;win32.ui_tests;win32.ui_tests.cp1252")

# Benchmarks (scripts/bench.sh): a minimal dialog program as the start-up
# yardstick, and a driver that measures the real program.
add_executable(minimal_dialog WIN32 tests/bench/minimal_dialog.cpp tests/bench/minimal_dialog.rc)
target_link_options(minimal_dialog PRIVATE ${STATIC_RUNTIME} -s)
add_executable(bench_driver tests/bench/bench_driver.cpp)
target_link_libraries(bench_driver PRIVATE e2e_support)
target_link_options(bench_driver PRIVATE ${STATIC_RUNTIME})
# Tooling too: puts the program in the README's states and saves pictures.
add_executable(screenshots tests/bench/screenshots.cpp)
target_link_libraries(screenshots PRIVATE e2e_support)
target_link_options(screenshots PRIVATE ${STATIC_RUNTIME})

# The portable release: build/win32/zelbrin-<version>-win32.zip with the
# program and a readme in Chinese (UTF-8 with a BOM, so Notepad shows it).
install(TARGETS zelbrin RUNTIME DESTINATION .)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/readme.txt DESTINATION .)
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME zelbrin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME zelbrin-${PROJECT_VERSION}-win32)
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
include(CPack)
