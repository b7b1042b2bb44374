# Reading the Esri and Gdal dialects through the dialect front end.
quarn_add_test(test_dialects SOURCES test_dialects.cpp)
target_include_directories(test_dialects PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
