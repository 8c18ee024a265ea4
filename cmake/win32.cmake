# The program, its in-process tests under Wine and the end-to-end driver.
add_googletest()

set(SYSTEM_LIBS comctl32 shell32 user32 gdi32 kernel32)
# Static C++, GCC and threads runtimes: the exes import only system DLLs.
set(STATIC_RUNTIME -static -static-libgcc -static-libstdc++)

add_library(zelbrin_core STATIC
    ${SCHEDULE_SOURCES}
    src/app/main_dialog.cpp
    src/app/skin.cpp
    src/sound/sound.cpp
    src/ui/add_task_dialog.cpp
    src/ui/countdown.cpp
    src/ui/interval.cpp
    src/ui/panels.cpp
    src/ui/task_details_dialog.cpp
    src/ui/task_list.cpp
    src/ui/tray.cpp)
target_include_directories(zelbrin_core PUBLIC src)
target_compile_definitions(zelbrin_core PUBLIC WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0501)
target_compile_options(zelbrin_core PUBLIC $<$<COMPILE_LANGUAGE:CXX>:${ZELBRIN_CXX_FLAGS}>)
target_link_libraries(zelbrin_core PUBLIC ${SYSTEM_LIBS})

set(RESOURCE_SCRIPT src/res/zelbrin.rc)
set_source_files_properties(${RESOURCE_SCRIPT} PROPERTIES
    OBJECT_DEPENDS "${CMAKE_SOURCE_DIR}/src/res/resource.h;${CMAKE_SOURCE_DIR}/src/res/zelbrin.ico;${CMAKE_SOURCE_DIR}/src/res/zelbrin.manifest")

add_executable(zelbrin WIN32
    src/app/main.cpp
    src/app/local_time.cpp
    ${RESOURCE_SCRIPT})
target_include_directories(zelbrin PRIVATE src/res)
target_link_libraries(zelbrin PRIVATE zelbrin_core)
target_link_options(zelbrin PRIVATE ${STATIC_RUNTIME} -s)
set_target_properties(zelbrin PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

# Tier 1 again, compiled by MinGW: the wsprintfA path must agree with the
# native one.
add_executable(schedule_tests ${SCHEDULE_TEST_SOURCES})
target_include_directories(schedule_tests PRIVATE tests)
target_link_libraries(schedule_tests PRIVATE zelbrin_core GTest::gtest_main)
target_link_options(schedule_tests PRIVATE ${STATIC_RUNTIME})
add_test(NAME win32.schedule_tests COMMAND schedule_tests)

# Tier 2: the Win32 code in-process, with the real dialog templates.
add_executable(ui_tests
    tests/app/main_dialog_test.cpp
    tests/res/templates_test.cpp
    tests/sound/sound_test.cpp
    tests/ui/add_task_dialog_test.cpp
    tests/ui/countdown_test.cpp
    tests/ui/interval_test.cpp
    tests/ui/panels_test.cpp
    tests/ui/task_details_dialog_test.cpp
    tests/ui/task_list_random_test.cpp
    tests/ui/task_list_test.cpp
    tests/ui/tray_test.cpp
    tests/support/fake_clock.cpp
    tests/support/modal_answerer.cpp
    tests/support/main_window.cpp
    tests/support/task_script.cpp
    ${RESOURCE_SCRIPT})
target_include_directories(ui_tests PRIVATE tests src/res)
target_link_libraries(ui_tests PRIVATE zelbrin_core GTest::gtest_main)
target_link_options(ui_tests PRIVATE ${STATIC_RUNTIME})
# In groups. Tests that show windows share the one Wine desktop: a window
# activated by one process takes the focus and closes the menus of another.
# Such tests run alone; the end-to-end alarms, which wait in real time and
# rely on no focus, run side by side.
set(UI_TEST_GROUPS
    "main:Templates.*:MainDialog*:Panels*:Tray*"
    "dialogs:AddTaskDialog*:TaskDetailsDialog*:SoundCommands*:PlayAlarmSound*:OpenFileRequest*:Browse*"
    "tasks:TaskListTest.*:CountdownTest.*"
    "interval:ParseIntervalMinutes.*:IntervalTest.*"
    "random:TaskListRandom*")
foreach(group ${UI_TEST_GROUPS})
    string(FIND "${group}" ":" colon)
    string(SUBSTRING "${group}" 0 ${colon} name)
    math(EXPR start "${colon} + 1")
    string(SUBSTRING "${group}" ${start} -1 filter)
    add_test(NAME win32.ui.${name} COMMAND ui_tests --gtest_filter=${filter})
    # A filter that matches nothing must not pass.
    set_tests_properties(win32.ui.${name} PROPERTIES TIMEOUT 300 RUN_SERIAL TRUE
        PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] [1-9]"
        FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]")
endforeach()

# Tier 3: the real program driven from a second process.
add_executable(e2e_driver
    tests/e2e/driver.cpp
    tests/e2e/e2e_test.cpp)
target_include_directories(e2e_driver PRIVATE tests src)
target_compile_definitions(e2e_driver PRIVATE WIN32_LEAN_AND_MEAN)
target_compile_options(e2e_driver PRIVATE ${ZELBRIN_CXX_FLAGS})
target_link_libraries(e2e_driver PRIVATE GTest::gtest user32 shell32 gdi32)
target_link_options(e2e_driver PRIVATE ${STATIC_RUNTIME})

set(E2E_SCENARIOS
    StartUpCloseTrayAndPanels
    UsageFromTheMenuBarAndFromTheTray
    TrayExitWhileHiddenEndsWithStatusZero
    AddDialogListsAndTheFileChooser
    BadInputIsCutOrRefusedAndNothingIsLost
    ScheduledTasksRingInDueOrder
    IntervalAndScheduledAlarmsRingTogether)
set(E2E_REAL_TIME ScheduledTasksRingInDueOrder IntervalAndScheduledAlarmsRingTogether)
foreach(scenario ${E2E_SCENARIOS})
    add_test(NAME e2e.${scenario} COMMAND e2e_driver --gtest_filter=ProgramTest.${scenario} $<TARGET_FILE:zelbrin>)
    if(scenario IN_LIST E2E_REAL_TIME)
        set(alone FALSE)
    else()
        set(alone TRUE)
    endif()
    set_tests_properties(e2e.${scenario} PROPERTIES TIMEOUT 300 RUN_SERIAL ${alone}
        PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] 1 test\\."
        FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]")
endforeach()
set_tests_properties(win32.schedule_tests PROPERTIES TIMEOUT 120)

# The alarms are heard: the real program rings into a recorded null sink.
add_test(NAME e2e.AlarmsAreAudible
    COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/audio_test.sh ${CMAKE_SOURCE_DIR}/scripts/wine-run.sh
            $<TARGET_FILE:e2e_driver> $<TARGET_FILE:zelbrin> ${CMAKE_BINARY_DIR}/audio-test)
set_tests_properties(e2e.AlarmsAreAudible PROPERTIES TIMEOUT 300
    PASS_REGULAR_EXPRESSION "audio check passed"
    FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]|audio check failed")

# Benchmarks (scripts/bench.sh): a minimal dialog program as the start-up
# yardstick, and a driver that measures the real program.
add_executable(minimal_dialog WIN32 tests/bench/minimal_dialog.cpp tests/bench/minimal_dialog.rc)
target_link_options(minimal_dialog PRIVATE ${STATIC_RUNTIME} -s)
add_executable(bench_driver tests/bench/bench_driver.cpp tests/e2e/driver.cpp)
target_include_directories(bench_driver PRIVATE tests src)
target_compile_definitions(bench_driver PRIVATE WIN32_LEAN_AND_MEAN)
target_compile_options(bench_driver PRIVATE ${ZELBRIN_CXX_FLAGS})
target_link_libraries(bench_driver PRIVATE GTest::gtest user32 shell32 gdi32)
target_link_options(bench_driver PRIVATE ${STATIC_RUNTIME})

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

add_test(NAME package.zip
    COMMAND ${CMAKE_COMMAND} -DZIP=${CMAKE_BINARY_DIR}/zelbrin-${PROJECT_VERSION}-win32.zip
            -P ${CMAKE_SOURCE_DIR}/tests/package/check_zip.cmake)
