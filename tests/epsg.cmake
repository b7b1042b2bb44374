# The EPSG authority factory on the real database; only with the component.
if(NOT TARGET quarn_epsg)
    return()
endif()
quarn_add_test(test_epsg SOURCES test_epsg.cpp)
target_link_libraries(test_epsg PRIVATE quarn::epsg)
target_include_directories(test_epsg PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)

# An outside project builds against the installed component (CMake package and pkg-config).
add_test(NAME install_package_epsg
    COMMAND ${CMAKE_COMMAND}
        -DSOURCE_DIR=${PROJECT_SOURCE_DIR}
        -DBINARY_DIR=${PROJECT_BINARY_DIR}
        -DWORK_DIR=${CMAKE_CURRENT_BINARY_DIR}/install_package_epsg
        -DCXX_COMPILER=${CMAKE_CXX_COMPILER}
        -DBUILD_TYPE=${CMAKE_BUILD_TYPE}
        -DSANITIZE=${QUARN_SANITIZE}
        -P ${CMAKE_CURRENT_SOURCE_DIR}/package/RunEpsgPackageTest.cmake)
