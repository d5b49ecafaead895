# Helpers that keep every folder's CMakeLists.txt to a line or two.
# Sources are globbed so that adding a file never needs a build-file edit.

# brelvan_library(NAME [DEPS targets...] [EXCLUDE files...]) — one static library per source
# folder; EXCLUDE names sources (relative to the folder) that a library of their own builds.
function(brelvan_library name)
    cmake_parse_arguments(A "" "" "DEPS;EXCLUDE" ${ARGN})
    file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    foreach(excluded ${A_EXCLUDE})
        list(REMOVE_ITEM srcs ${CMAKE_CURRENT_SOURCE_DIR}/${excluded})
    endforeach()
    if(srcs)
        add_library(${name} STATIC ${srcs})
        target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR}/generated)
        target_link_libraries(${name} PUBLIC ${A_DEPS})
        target_compile_options(${name} PRIVATE ${BRELVAN_WARNINGS})
    else()
        add_library(${name} INTERFACE)
        target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR} ${PROJECT_BINARY_DIR}/generated)
        target_link_libraries(${name} INTERFACE ${A_DEPS})
    endif()
endfunction()

# brelvan_tests(LAYER [extra link targets...]) — tests/LAYER/*.cpp into LAYER_tests, one CTest entry.
function(brelvan_tests layer)
    file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    if(srcs)
        add_executable(${layer}_tests ${srcs})
        target_link_libraries(${layer}_tests PRIVATE ${layer} ${ARGN} GTest::gtest_main GTest::gmock)
        target_compile_options(${layer}_tests PRIVATE ${BRELVAN_WARNINGS})
        target_compile_definitions(${layer}_tests PRIVATE
            BRELVAN_SOURCE_DIR="${PROJECT_SOURCE_DIR}" BRELVAN_BINARY_DIR="${PROJECT_BINARY_DIR}")
        add_test(NAME ${layer} COMMAND ${layer}_tests WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
        set_tests_properties(${layer} PROPERTIES TIMEOUT 900)
    endif()
endfunction()

# brelvan_bench(LAYER [extra link targets...]) — bench/LAYER/*.cpp into bench_LAYER.
function(brelvan_bench layer)
    file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    if(srcs)
        add_executable(bench_${layer} ${srcs})
        target_link_libraries(bench_${layer} PRIVATE ${layer} ${ARGN} benchmark::benchmark_main)
        target_compile_definitions(bench_${layer} PRIVATE
            BRELVAN_SOURCE_DIR="${PROJECT_SOURCE_DIR}" BRELVAN_BINARY_DIR="${PROJECT_BINARY_DIR}")
    endif()
endfunction()

# Adds every immediate subfolder of the current folder that has a CMakeLists.txt.
function(brelvan_add_subfolders)
    file(GLOB children RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
    list(SORT children)
    foreach(child ${children})
        if(IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${child} AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt)
            add_subdirectory(${child})
        endif()
    endforeach()
endfunction()
