# The schedule core on the build machine: plain, and under ASan and UBSan.
add_googletest()

set(SANITIZE_FLAGS -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)

function(add_schedule_tests name)
    add_executable(${name} ${SCHEDULE_SOURCES} ${SCHEDULE_TEST_SOURCES})
    target_include_directories(${name} PRIVATE src tests)
    target_compile_options(${name} PRIVATE ${ZELBRIN_CXX_FLAGS} ${ARGN})
    target_link_options(${name} PRIVATE ${ARGN})
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
    add_test(NAME native.${name} COMMAND ${name})
endfunction()

add_schedule_tests(schedule_tests --coverage)
add_schedule_tests(schedule_tests_sanitized ${SANITIZE_FLAGS})

# Static analysis of the program's sources. A finding fails the run unless
# an inline suppression on its line gives the reason.
find_program(CPPCHECK cppcheck)
if(CPPCHECK)
    add_test(NAME lint.cppcheck
        COMMAND ${CPPCHECK} --enable=warning,style,performance,portability --std=c++17
                --inline-suppr --suppress=missingIncludeSystem --error-exitcode=1 --quiet
                -I ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/src)
endif()

# The one code style (.clang-format) of the program and its tests.
find_program(CLANG_FORMAT clang-format REQUIRED)
file(GLOB_RECURSE FORMATTED_SOURCES CONFIGURE_DEPENDS
    ${CMAKE_SOURCE_DIR}/src/*.cpp ${CMAKE_SOURCE_DIR}/src/*.h
    ${CMAKE_SOURCE_DIR}/tests/*.cpp ${CMAKE_SOURCE_DIR}/tests/*.h)
add_test(NAME lint.format COMMAND ${CLANG_FORMAT} --dry-run --Werror ${FORMATTED_SOURCES})
