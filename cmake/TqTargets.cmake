# Helpers shared by the library folders.

set(TQ_INCLUDE_ROOTS
    ${CMAKE_SOURCE_DIR}/tqcore/base
    ${CMAKE_SOURCE_DIR}/tqcore/libs
    ${CMAKE_SOURCE_DIR}/tqcore/uilibs
    ${CMAKE_SOURCE_DIR}/libs)

# tq_glob_sources(<out-var> <dir>...): the .cpp files directly inside each folder.
function(tq_glob_sources out)
    set(all)
    foreach(dir IN LISTS ARGN)
        file(GLOB found CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp)
        list(APPEND all ${found})
    endforeach()
    set(${out} ${all} PARENT_SCOPE)
endfunction()

# tq_add_whole_library(<name> <dir> <libraries>...): the static archive <name>_archive of the
# .cpp files directly inside <dir>, and the target <name> through which users link it whole
# together with the libraries it uses, so that what its static objects register is present.
function(tq_add_whole_library name dir)
    tq_glob_sources(sources ${dir})
    add_library(${name}_archive STATIC ${sources})
    target_include_directories(${name}_archive PUBLIC ${TQ_INCLUDE_ROOTS})
    target_link_libraries(${name}_archive PUBLIC ${ARGN})
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${name}_archive>")
endfunction()

# tq_add_tests(<name> <dir> <libraries>...): one GoogleTest binary from <dir>/tests/*.cpp,
# whose tests ctest discovers. Libraries are linked whole, so that objects registered by
# static initialisers are present even when the tests do not name them.
function(tq_add_tests name dir)
    if(NOT TQ_TESTS)
        return()
    endif()
    file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/tests/*.cpp)
    if(NOT srcs)
        return()
    endif()
    add_executable(${name} ${srcs})
    target_link_libraries(${name} PRIVATE ${ARGN} GTest::gmock GTest::gtest_main)
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
        PROPERTIES ENVIRONMENT "TQ_TEST_SOURCE_DIR=${CMAKE_SOURCE_DIR}")
endfunction()
