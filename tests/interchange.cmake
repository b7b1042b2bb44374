# Interchange WKT: the dialects other programs read, and the UTF-8 face.
quarn_add_test(test_interchange SOURCES test_interchange.cpp)
target_include_directories(test_interchange PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})

# Measured against PROJ on the corpus, where PROJ is installed (only the test needs it).
find_package(PkgConfig QUIET)
if(PkgConfig_FOUND)
    pkg_check_modules(PROJ QUIET IMPORTED_TARGET proj)
endif()
if(PROJ_FOUND)
    quarn_add_test(test_interchange_proj SOURCES test_interchange_proj.cpp)
    target_include_directories(test_interchange_proj PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(test_interchange_proj PRIVATE PkgConfig::PROJ)
else()
    message(STATUS "PROJ not found: the interchange texts are not measured against it")
endif()
