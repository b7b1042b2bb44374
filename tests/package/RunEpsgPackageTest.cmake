# Installs the built library with its EPSG component into a scratch prefix, then builds and
# runs a small outside program against it through find_package(quarn COMPONENTS epsg) and
# through pkg-config quarn-epsg.
set(prefix ${WORK_DIR}/prefix)
file(REMOVE_RECURSE ${WORK_DIR})

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "failed: ${ARGN}\n${out}\n${err}")
    endif()
    if(DEFINED EXPECT AND NOT out MATCHES "${EXPECT}")
        message(FATAL_ERROR "unexpected output of ${ARGN}: ${out}")
    endif()
endfunction()

run(${CMAKE_COMMAND} --install ${BINARY_DIR} --prefix ${prefix})
set(flags "")
if(SANITIZE)
    set(flags "-fsanitize=address,undefined")
endif()
set(consumer ${SOURCE_DIR}/tests/package/epsg_consumer)
run(${CMAKE_COMMAND} -S ${consumer} -B ${WORK_DIR}/consumer -DCMAKE_PREFIX_PATH=${prefix}
    -DCMAKE_CXX_COMPILER=${CXX_COMPILER} -DCMAKE_BUILD_TYPE=${BUILD_TYPE}
    "-DCMAKE_CXX_FLAGS=${flags}")
run(${CMAKE_COMMAND} --build ${WORK_DIR}/consumer)
# The installed libraries carry no run path: libquarn finds libtessel in a scratch prefix only
# through the loader's path.
set(ENV{LD_LIBRARY_PATH} ${prefix}/lib:${prefix}/lib64)
set(EXPECT "UNIT\\[\"metre\",1\\]")
run(${WORK_DIR}/consumer/epsg_consumer)
unset(EXPECT)

set(ENV{PKG_CONFIG_PATH} ${prefix}/lib/pkgconfig:${prefix}/lib64/pkgconfig)
execute_process(COMMAND pkg-config --cflags --libs quarn-epsg
    RESULT_VARIABLE result OUTPUT_VARIABLE pc_flags OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "pkg-config does not know quarn-epsg")
endif()
separate_arguments(pc_flags UNIX_COMMAND "${pc_flags}")
separate_arguments(extra UNIX_COMMAND "${flags}")
run(${CXX_COMPILER} -std=c++17 ${extra} ${consumer}/main.cpp ${pc_flags}
    -Wl,-rpath,${prefix}/lib -o ${WORK_DIR}/consumer_pc)
set(EXPECT "UNIT\\[\"metre\",1\\]")
run(${WORK_DIR}/consumer_pc)
