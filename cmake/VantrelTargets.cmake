# Common flags and small helpers so every target is built the same way.

add_library(vantrel_flags INTERFACE)
target_compile_options(vantrel_flags INTERFACE -Wall -Wextra -Wpedantic)
if(VANTREL_WERROR)
    target_compile_options(vantrel_flags INTERFACE -Werror)
endif()
if(VANTREL_FUZZ)
    target_compile_options(vantrel_flags INTERFACE -fsanitize=fuzzer-no-link,address,undefined)
    target_link_options(vantrel_flags INTERFACE -fsanitize=address,undefined)
endif()
if(VANTREL_SANITIZE)
    target_compile_options(vantrel_flags INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer
                                                   -fno-sanitize-recover=undefined)
    target_link_options(vantrel_flags INTERFACE -fsanitize=address,undefined)
endif()

# vantrel_library(NAME DIR LINKS...): a static library of every .cpp in DIR (not recursive).
function(vantrel_library name dir)
    file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
    if(sources)
        add_library(${name} STATIC ${sources})
        target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
        target_link_libraries(${name} PUBLIC vantrel_flags ${ARGN})
    else()
        # A subsystem that has no code yet still links, so dependants need not change.
        add_library(${name} INTERFACE)
        target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
        target_link_libraries(${name} INTERFACE vantrel_flags ${ARGN})
    endif()
endfunction()

# vantrel_test(NAME DIR MAIN LABEL LINKS...): one GoogleTest binary of every .cpp in DIR.
function(vantrel_test name dir main label)
    file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
    if(NOT sources)
        return()
    endif()
    add_executable(${name} ${sources})
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    target_link_libraries(${name} PRIVATE ${main} GTest::gtest ${ARGN})
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES LABELS ${label}
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;VANTREL_TEST_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
endfunction()
