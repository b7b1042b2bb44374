# Builds and runs a small outside project that adds Quarn's source tree with add_subdirectory
# (tests/package/subdirectory), as a project that vendors the library does.
file(REMOVE_RECURSE ${WORK_DIR})
include(${CMAKE_CURRENT_LIST_DIR}/Run.cmake)
run(${CMAKE_COMMAND} -S ${SOURCE_DIR}/tests/package/subdirectory -B ${WORK_DIR}
    -DQUARN_SOURCE_DIR=${SOURCE_DIR} -DCMAKE_CXX_COMPILER=${CXX_COMPILER}
    -DCMAKE_BUILD_TYPE=Debug -DQUARN_EPSG=OFF)
run(${CMAKE_COMMAND} --build ${WORK_DIR} --target subdirectory -j2)
run(${WORK_DIR}/subdirectory)
if(NOT last_output MATCHES "UNIT\\[\"metre\",1\\] 1")
    message(FATAL_ERROR "unexpected output of the subdirectory consumer: ${last_output}")
endif()
