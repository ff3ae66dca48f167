# quorvel_add_gtests(target [PROPERTIES name value ...] [DISCOVERY_TIMEOUT seconds])
# Registers the GoogleTest cases of a test program with CTest. Normally each case is a CTest test of its
# own. In the sanitizer build each program runs whole, split into a few shards CTest runs side by side:
# starting a sanitized process costs more than most cases take, so one process per case spent three
# quarters of the sanitizer run starting processes. Every case still runs, and a failure names it.
set(QUORVEL_SANITIZED_SHARDS 4)

function(quorvel_add_gtests target)
    cmake_parse_arguments(ARG "" "DISCOVERY_TIMEOUT" "PROPERTIES" ${ARGN})
    if(NOT QUORVEL_SANITIZE)
        gtest_discover_tests(${target} ${ARGN})
        return()
    endif()
    math(EXPR last "${QUORVEL_SANITIZED_SHARDS} - 1")
    foreach(shard RANGE ${last})
        set(name ${target}.shard${shard})
        add_test(NAME ${name} COMMAND ${target})
        if(ARG_PROPERTIES)
            set_tests_properties(${name} PROPERTIES ${ARG_PROPERTIES})
        endif()
        set_tests_properties(${name} PROPERTIES ENVIRONMENT_MODIFICATION
            "GTEST_TOTAL_SHARDS=set:${QUORVEL_SANITIZED_SHARDS};GTEST_SHARD_INDEX=set:${shard}")
    endforeach()
endfunction()
