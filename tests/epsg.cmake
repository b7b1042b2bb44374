# The EPSG authority factory on the real database; only with the component.
if(NOT TARGET quarn_epsg)
    return()
endif()
quarn_add_test(test_epsg SOURCES test_epsg.cpp)
target_link_libraries(test_epsg PRIVATE quarn::epsg)
target_include_directories(test_epsg PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)

# An outside project builds against the installed component (CMake package and pkg-config).
quarn_add_package_test(install_package_epsg epsg_consumer quarn-epsg)
