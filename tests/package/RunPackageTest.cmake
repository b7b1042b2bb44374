# Installs the built library into a scratch prefix, then builds and runs a small outside
# project against it twice: through find_package and through pkg-config. CONSUMER names the
# project's folder under tests/package (its program has the same name), PACKAGE the
# pkg-config package it asks for.
set(prefix ${WORK_DIR}/prefix)
set(consumer ${SOURCE_DIR}/tests/package/${CONSUMER})
file(REMOVE_RECURSE ${WORK_DIR})

include(${CMAKE_CURRENT_LIST_DIR}/Run.cmake)

function(expect_metre what)
    if(NOT last_output MATCHES "UNIT\\[\"metre\",1\\]")
        message(FATAL_ERROR "unexpected output of the ${what} consumer: ${last_output}")
    endif()
endfunction()

run(${CMAKE_COMMAND} --install ${BINARY_DIR} --prefix ${prefix})
foreach(header quarn/quarn.h quarn/factory/Factory.h quarn/tessel/Tessel.h)
    if(NOT EXISTS ${prefix}/include/${header})
        message(FATAL_ERROR "not installed: ${header}")
    endif()
endforeach()

set(flags "")
if(SANITIZE)
    set(flags "-fsanitize=address,undefined")
endif()

run(${CMAKE_COMMAND} -S ${consumer} -B ${WORK_DIR}/consumer -DCMAKE_PREFIX_PATH=${prefix}
    -DCMAKE_CXX_COMPILER=${CXX_COMPILER} -DCMAKE_BUILD_TYPE=${BUILD_TYPE}
    "-DCMAKE_CXX_FLAGS=${flags}")
run(${CMAKE_COMMAND} --build ${WORK_DIR}/consumer)
# The installed libraries find each other through their run path, wherever the prefix is.
run(${WORK_DIR}/consumer/${CONSUMER})
expect_metre(find_package)

find_program(PKG_CONFIG pkg-config)
if(PKG_CONFIG)
    set(ENV{PKG_CONFIG_PATH} ${prefix}/lib/pkgconfig:${prefix}/lib64/pkgconfig)
    execute_process(COMMAND ${PKG_CONFIG} --cflags --libs ${PACKAGE}
        RESULT_VARIABLE result OUTPUT_VARIABLE pc_flags OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "pkg-config does not know ${PACKAGE}")
    endif()
    separate_arguments(pc_flags UNIX_COMMAND "${pc_flags}")
    separate_arguments(extra UNIX_COMMAND "${flags}")
    run(${CXX_COMPILER} -std=c++17 ${extra} ${consumer}/main.cpp ${pc_flags}
        -Wl,-rpath,${prefix}/lib -o ${WORK_DIR}/consumer_pc)
    run(${WORK_DIR}/consumer_pc)
    expect_metre(pkg-config)
endif()
